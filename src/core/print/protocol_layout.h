#pragma once
// The protocol of checks ("PROTOKOL O KONTROLÁCH ZA OKRSEK"): every finding
// of the last check run with its code and catalogue text, grouped by party,
// as flowing text in Courier New over as many sheets as needed, or the
// statement that nothing was found. The check procedure shows it in the
// preview after every check run.

#include "core/checks/protocol.h"
#include "core/record/record_of_vote.h"
#include "core/print/print_state.h"

namespace talmorek::print {

// Finding lines are broken at this many characters; 80 characters of
// Courier New at size 26 fill the text width.
inline constexpr std::size_t kProtocolLineLength = 80;

// Builds the whole document on `ctx.preview` (from `InitTisk` to
// `KonecTisku`); the caller then shows it. The identification comes from
// `t4` (`Obec`, `Okrsek`, `KC1`) and the station record (`NazevObce`,
// `NazevKraje`); `now` is the date and time of printing.
void TiskProtokolu(PrintContext& ctx, const checks::TChybProt& chyby, const record::TT4& t4, const data::LocalDateTime& now,
                   bool sDiakritikou);

}  // namespace talmorek::print
