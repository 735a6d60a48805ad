#pragma once
// The print state that every layout shares (`TiskovyStav`) and the context a
// print job draws with: the state, the current page, the preview side of the
// document, the text measure and the station record.
//
// Positions are tenths of a millimetre from the top-left corner of the sheet.

#include <cstdint>
#include <string>

#include "core/data/clock.h"
#include "core/data/station.h"
#include "core/print/page_canvas.h"
#include "core/print/preview_document.h"
#include "core/print/surface.h"

namespace talmorek::print {

// A moment as the printouts show it.
std::string dateText(const data::LocalDateTime& t);  // "dd.mm.yyyy"
std::string timeText(const data::LocalDateTime& t);  // "hh:mm"

struct TiskovyStav {
    int LevyOkraj = 200;   // x of the left edge of the text area
    int PravyOkraj = 1900;  // x of the right edge of the text area (the tally sheet sets 2800)
    int HorniOkraj = 0;    // top reference; layouts start at HorniOkraj + an offset
    int KrokRadku = 50;    // how far one line advances y
    int DolniRadek = HorniOkraj + 54 * KrokRadku;  // y of the footer line, the bottom line of the page
    // The footer's second line lies this far below `DolniRadek`; page-break
    // tests subtract multiples of it.
    int Rezerva = 35;
    int AktY = 0;  // current line position; every layout sets it at the top of each page
    int CisloListu = 1;  // sheet number ("list č." of Annex 1, "List č." of the protocol of checks)
    // In flowing output, the sheet whose header was printed last; in the
    // record printout, the total number of pages shown after the slash.
    int PosledniList = 1;
    int CisloStrany = 0;  // page number of the record footer, kept by the record job
    // Flow watch: the text primitives count a new sheet as soon as `AktY`
    // passes the bottom, once per arming.
    bool HlidatZlom = false;
    int VelikostTextu = 24;    // body text
    int VelikostPaticky = 26;  // footers and sheet numbers (the tally sheet sets 20)
    int VelikostNadpisu = 32;  // titles (the tally sheet sets 34)
    bool BezHacku = false;     // no-diacritics mode
    std::string Pripona;       // appended to every font name; refreshed by `NastavPismo`
    std::string DatumTisku;    // "dd.mm.yyyy" when the job started
    std::string CasTisku;      // "hh:mm" when the job started
    std::string DruhVoleb = "PS";  // election kind printed in footers
    std::string Verze = "1.00-17072021";  // shown on the test page
    // The "Chyby č.: " line of the record footer was handled in this document.
    bool ChybyVytisteny = false;
};

// What one print job draws with. The station record is the process-wide one
// (its font suffix and names); the preview document and the measure belong
// to the program, which makes one context per job or reuses it: every job
// starts with `InitTisk`.
struct PrintContext {
    PrintContext(PreviewDocument& preview, const TextMeasure& measure, const data::TStanice& station)
        : preview(preview), measure(measure), station(station) {}

    TiskovyStav stav;
    PageCanvas canvas;  // the page being drawn; see `VratCanvas` in primitives.h
    PreviewDocument& preview;
    const TextMeasure& measure;
    const data::TStanice& station;
};

// The start of every print job: every default of `TiskovyStav` (so nothing
// of an earlier job carries over), portrait orientation, and the date and
// time of printing taken from `now`.
void InitTisk(PrintContext& ctx, const data::LocalDateTime& now);

}  // namespace talmorek::print
