#pragma once
// The print job of the record of the vote: the record T/4 (page 1 and
// section III) followed by one Annex 1 sheet per flagged party, every page
// with the record footer. After a completed export the commission's copies
// go straight to the printer, and the same document is then built once more
// for the preview, from which further copies can be printed.

#include <exception>
#include <string>

#include "core/checks/protocol.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/record/record_of_vote.h"
#include "core/print/print_state.h"
#include "core/print/record_job.h"

namespace talmorek::print {

// The document name of the record job, which a PDF printer proposes as the
// file name: "PST4b.pdf" for a special precinct abroad, else "PST4a.pdf".
std::string recordJobTitle(bool zvlastniOkrsek);

// The job's values, taken once at its start: the form (T/4b for the special
// municipality code), the election dates, the party names by number from the
// party list (read from STRANY.RCD now), and the footer's identification and
// control total from the summary record `TS`, the protocol of the last check
// run (may be null) and the time stamp of `now`. The job points at `record`
// and `registers`, which must outlive it.
RecordJob makeRecordJob(const record::RecordOfVote& record, const data::Registers& registers,
                        const data::TStanice& station, const checks::TChybProt* chyby, bool sDiakritikou,
                        const data::LocalDateTime& now);

// The number of pages of the record document as it will be drawn: the
// layout run once on a scratch document that nobody sees, from the print
// state `ctx` has now. Continuation pages of section III and of the annex
// sheets (a long commission list) are counted as they fall, so the total in
// every footer lets the receiving point see that no sheet is missing.
int pocetStranZapisu(const PrintContext& ctx, const RecordJob& job);

// Draws the whole record document on `ctx.preview`, from `ZacatekTisku` to
// `KonecTisku`: page 1, section III with its continuation pages, then the
// Annex 1 sheets, each page followed by `PatickaZapisu` with the page's
// number and the document's true page total (`pocetStranZapisu`). Whether the pages
// go to the printer is the document's `DirectPrint` setting.
void SestavZapis(PrintContext& ctx, const RecordJob& job);

// How the copies printed directly went.
struct KopieZapisu {
    int pozadovano = 1;  // copies asked for (at least one, whatever the number typed)
    int vytisteno = 0;   // complete copies that reached the printer
    // Why the copy after the printed ones failed (a printer that cannot
    // start a job or refuses a page); the remaining copies were not tried.
    // Null when every copy was printed.
    std::exception_ptr selhani;
};

// Prints `pocetKopii` complete copies directly (at least one, whatever the
// number), then builds the document again for the preview, which the
// caller shows afterwards. `now` is the date and time of printing written
// on section III and the annex sheets.
//
// A printer failure stops the remaining copies and is returned, not raised:
// the preview is built all the same, so that the commission can print the
// record from there once the printer is put right. A failure of the data
// the record is drawn from (the party list) raises and ends the job.
// Direct print is switched off again either way.
KopieZapisu TiskZapisu(PrintContext& ctx, const RecordJob& job, int pocetKopii, const data::LocalDateTime& now);

}  // namespace talmorek::print
