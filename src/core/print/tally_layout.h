#pragma once
// The tally sheet ("Pomocný sčítací arch"): for every party of the region a
// landscape table with one row per candidate, on which the commission
// counts preferential votes by hand in tally marks of ten before typing the
// totals into Annex 1. Each party starts on a new page; a long list goes on
// on the next page under the repeated party header. It depends only on the
// registers and the station record, not on entered results.

#include "core/data/registers.h"
#include "core/print/print_state.h"

namespace talmorek::print {

// Geometry of the tally table, in tenths of a millimetre: the name column
// starts this far right of the left margin, each tally cell is a little
// wider than that and the name column six indents wide.
inline constexpr int kTallyIndent = 105;
inline constexpr int kTallyCell = kTallyIndent + 30;
inline constexpr int kTallyNameColumn = 6 * kTallyIndent;
inline constexpr int kTallyCells = 15;

// Builds the whole landscape document on `ctx.preview` (from `InitTisk` to
// `KonecTisku`); the caller then shows it. One table per entry of `parties`
// in list order, its rows named from `candidates` by the party's number;
// the identification (municipality code, name and region, precinct) comes
// from the station record `ctx.station`; `now` is the time of printing.
//
// A candidate count that is not a number raises data::ConversionError,
// naming the party list's file, record and field, before any page is begun, so no half-built document is left behind.
void TiskScitacihoArchu(PrintContext& ctx, const data::PartyList& parties, const data::CandidateTable& candidates,
                        const data::LocalDateTime& now, bool sDiakritikou);

}  // namespace talmorek::print
