#pragma once
// The footer of every page of the printed record and its annex
// (`PatickaZapisu`): page number of the estimated total, the precinct's
// identification with the control total of the summary record that lets the
// receiving office match paper and data, the job's time stamp, and on the
// first page the codes of the errors and warnings the last check run found.

#include <cstdint>
#include <string>

#include "core/checks/protocol.h"
#include "core/print/print_state.h"

namespace talmorek::print {

// Taken once when the record job starts and kept for every copy.
struct RecordFooterValues {
    std::int32_t Obec = 0;    // of the summary record `TS`
    std::int32_t Okrsek = 0;  // of the summary record `TS`
    std::int64_t Celkem = 0;  // control total of `TS`
    std::string casovaZnacka;  // "dd.mm.yyyy hh:mm:ss,zzz", see `timeStampText`
    // The protocol of the last check run; none counts as no findings.
    const checks::TChybProt* chyby = nullptr;
};

// "dd.mm.yyyy hh:mm:ss,zzz" (milliseconds after the comma).
std::string timeStampText(const data::LocalDateTime& t);

// The codes whose findings the first page's footer lists: the passable
// errors (4-10), the errors of party votes (12, 14-16, 18-20, 41, 42) and
// the warnings (91-98).
bool isFooterCode(std::int32_t code);

// Draws the footer at the bottom of the current page; leaves the font at
// "Arial", `VelikostPaticky`, normal. The "Chyby č.: " list appears only
// while `ChybyVytisteny` is false, which the footer then sets. It lists every
// code: a list too long for the room beside the time stamp goes on on lines
// below it, a longer one starts higher up, in the free space between the
// page body (which ends one line step below `AktY`) and the footer line, and
// only one that all that space does not hold is set in smaller type.
void PatickaZapisu(PrintContext& ctx, const RecordFooterValues& values);

}  // namespace talmorek::print
