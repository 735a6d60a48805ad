#pragma once
// Reading the numbers that the party list keeps as text. A list entry whose
// number is not a number counts as party 0, which is never flagged.

#include <cstdint>
#include <functional>

#include "core/data/registers.h"
#include "core/record/record_of_vote.h"

namespace talmorek::record {

std::int32_t partyNumberOf(const data::TStrana& s);
std::int32_t candidateCountOf(const data::TStrana& s);

// Calls `visit(position, partyNumber)` for every entry of the party list, in
// list order, whose party is flagged in `ZakrStrany`.
void forEachFlaggedParty(const RecordOfVote& r, const data::PartyList& parties,
                         const std::function<void(int position, int party)>& visit);

}  // namespace talmorek::record
