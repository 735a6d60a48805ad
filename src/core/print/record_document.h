#pragma once
// The print job of the record of the vote: the record T/4 (page 1 and
// section III) followed by one Annex 1 sheet per flagged party, every page
// with the record footer. After a completed export the commission's copies
// go straight to the printer, and the same document is then built once more
// for the preview, from which further copies can be printed.

#include <string>

#include "checks/protocol.h"
#include "data/registers.h"
#include "data/station.h"
#include "entry/record_of_vote.h"
#include "print/print_state.h"
#include "print/record_job.h"

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
RecordJob makeRecordJob(const entry::RecordOfVote& record, const data::Registers& registers,
                        const data::TStanice& station, const checks::TChybProt* chyby, bool sDiakritikou,
                        const data::LocalDateTime& now);

// The page total printed in every footer, estimated before anything is
// drawn: two pages for sections I-III (three with more than 25 members),
// and for each flagged party among 1..22 one annex page (two with more than
// 10 members). It is printed as is even when the real count differs.
int estimatedPageTotal(const entry::RecordOfVote& record);

// Draws the whole record document on `ctx.preview`, from `ZacatekTisku` to
// `KonecTisku`: page 1, section III with its continuation pages, then the
// Annex 1 sheets, each page followed by `PatickaZapisu`. Whether the pages
// go to the printer is the document's `DirectPrint` setting.
void SestavZapis(PrintContext& ctx, const RecordJob& job);

// Prints `pocetKopii` complete copies directly (at least one, whatever the
// number), then builds the document again for the preview, which the
// caller shows afterwards. `now` is the date and time of printing written
// on section III and the annex sheets. A failing printer stops the
// remaining copies; direct print is switched off again either way.
void TiskZapisu(PrintContext& ctx, const RecordJob& job, int pocetKopii, const data::LocalDateTime& now);

}  // namespace talmorek::print
