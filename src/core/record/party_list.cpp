#include "core/record/party_list.h"

#include "core/data/decimal.h"

namespace talmorek::record {

std::int32_t partyNumberOf(const data::TStrana& s) { return data::toIntOr(s.CisloStrany, 0); }
std::int32_t candidateCountOf(const data::TStrana& s) { return data::toIntOr(s.PocetKandidatu, 0); }

void forEachFlaggedParty(const RecordOfVote& r, const data::PartyList& parties,
                         const std::function<void(int, int)>& visit) {
    for (int i = 1; i <= parties.length; ++i) {
        int n = partyNumberOf(parties.at(i));
        if (r.isFlagged(n)) visit(i, n);
    }
}

}  // namespace talmorek::record
