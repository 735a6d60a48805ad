#pragma once
// Annex 1 of the printed record ("Příloha č. 1"): for one party its valid
// votes, the preferential votes of each candidate with their control
// products, the check numbers KČ2-KČ4 and the signatures of the commission.
#include "core/print/print_state.h"
#include "core/print/record_job.h"

namespace talmorek::print {

// Draws the Annex 1 sheet of party `strana` (1..22) from the current page
// on, adding continuation pages when the signatures overflow (each ends
// with `PatickaZapisu` and advances `CisloStrany`). The job has set
// `KrokRadku` to 45; the caller draws the footer of the last page.
// The party's candidate count is read from STRANY.RCD through
// `job.registers` (none, or a party the file does not hold, counts 0); a
// file that cannot be read raises the record-file layer's error.
void TiskPrilohy1(PrintContext& ctx, const RecordJob& job, int strana);

}  // namespace talmorek::print
