// Rules on the Annex 1 record of one party: its check numbers, its votes
// against section II and its preferential votes against its list.

#include "core/checks/rules.h"
#include "core/record/record_of_vote.h"

namespace talmorek::checks {
namespace {

std::int64_t preferentialSum(const record::TT4P& p) {
    std::int64_t sum = 0;
    for (int j = 1; j <= record::kCandidates; ++j) sum += p.pref(j);
    return sum;
}

std::int64_t controlProducts(const record::TT4P& p) {
    std::int64_t sum = 0;
    for (int j = 1; j <= record::kCandidates; ++j) sum += std::int64_t{j} * p.pref(j);
    return sum;
}

// The last list order with a preferential vote over the whole annex: unlike
// the recomputation, the rule does not stop at the party's list, so a vote
// typed for a place the list lacks shows up here too.
std::int64_t lastOrderWithVotes(const record::TT4P& p) {
    for (int j = record::kCandidates; j >= 1; --j) {
        if (p.pref(j) > 0) return j;
    }
    return 0;
}

}  // namespace

bool CheckRules::Kontrola12(bool iBezHlaseni, int n) {
    // Section II names a party that the register does not know.
    const bool listed = registers_.PocetKandidatuStrany(slot(n).KStrana) != 0;
    return judge(listed, iBezHlaseni, "12", kZaznamT4);
}

bool CheckRules::Kontrola13(bool iBezHlaseni, int n, std::int64_t* expectedKC1) {
    const record::TT4P& p = slot(n);
    const std::int64_t expected = (std::int64_t{p.Obec} * 100000 + p.Okrsek) % 7;
    if (expectedKC1) *expectedKC1 = expected;
    return judge(p.KC1 == expected, iBezHlaseni, "13", n);
}

bool CheckRules::Kontrola14(bool iBezHlaseni, int n) {
    const bool listed = registers_.PocetKandidatuStrany(slot(n).KStrana) != 0;
    return judge(listed, iBezHlaseni, "14", n);
}

bool CheckRules::Kontrola15(bool iBezHlaseni, int n) {
    return judge(slot(n).PocHlasu <= record_.T4.PlatneHlasy, iBezHlaseni, "15", n);
}

bool CheckRules::Kontrola17(bool iBezHlaseni, int n, std::int64_t* expectedKC2) {
    const record::TT4P& p = slot(n);
    const std::int64_t expected = std::int64_t{p.KStrana} + p.PocHlasu;
    if (expectedKC2) *expectedKC2 = expected;
    return judge(p.KC2 == expected, iBezHlaseni, "17", n);
}

bool CheckRules::Kontrola18(bool iBezHlaseni, int n, int j) {
    const record::TT4P& p = slot(n);
    return judge(p.pref(j) <= p.PocHlasu, iBezHlaseni, "18", n);
}

bool CheckRules::Kontrola19(bool iBezHlaseni, int n, std::int64_t* sumOut) {
    // Every voter of the party may give at most four preferential votes.
    const record::TT4P& p = slot(n);
    const std::int64_t sum = preferentialSum(p);
    if (sumOut) *sumOut = sum;
    return judge(sum <= 4 * std::int64_t{p.PocHlasu}, iBezHlaseni, "19", n);
}

bool CheckRules::Kontrola20(bool iBezHlaseni, int n, int j) {
    return judge(slot(n).pref(j) == 0, iBezHlaseni, "20", n);
}

bool CheckRules::Kontrola21(bool iBezHlaseni, int n, std::int64_t* expectedKC3) {
    const record::TT4P& p = slot(n);
    const std::int64_t expected = controlProducts(p);
    if (expectedKC3) *expectedKC3 = expected;
    return judge(p.KC3 == expected, iBezHlaseni, "21", n);
}

bool CheckRules::Kontrola22(bool iBezHlaseni, int n, std::int64_t* expectedKC4) {
    const record::TT4P& p = slot(n);
    const std::int64_t expected = std::int64_t{p.KC2} + p.KC3;
    if (expectedKC4) *expectedKC4 = expected;
    return judge(p.KC4 == expected, iBezHlaseni, "22", n);
}

bool CheckRules::Kontrola23(bool iBezHlaseni, int n, std::int64_t* expectedPoslKand) {
    const record::TT4P& p = slot(n);
    const std::int64_t expected = lastOrderWithVotes(p);
    if (expectedPoslKand) *expectedPoslKand = expected;
    return judge(p.PoslKand == expected, iBezHlaseni, "23", n);
}

bool CheckRules::Kontrola24(bool iBezHlaseni, int n) {
    const record::TT4P& p = slot(n);
    const bool onList = registers_.PocetKandidatuStrany(p.KStrana) >= std::int32_t{p.PoslKand};
    return judge(onList, iBezHlaseni, "24", n);
}

bool CheckRules::Kontrola41(bool iBezHlaseni, int n) {
    // Votes typed for a party that section II does not mark.
    return judge(slot(n).PocHlasu == 0 || record_.isFlagged(n), iBezHlaseni, "41", kZaznamT4);
}

bool CheckRules::Kontrola42(bool iBezHlaseni, int n) {
    // A party marked in section II must have a vote.
    return judge(!record_.isFlagged(n) || slot(n).PocHlasu > 0, iBezHlaseni, "42", n);
}

}  // namespace talmorek::checks
