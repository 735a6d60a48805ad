#pragma once
// The check numbers printed on the form next to the totals. KČ1 lets the
// receiving office catch a mistyped municipality or precinct; KČ2–KČ4 and
// the control sum catch a mistyped count.

#include <cstdint>

#include "core/record/record_of_vote.h"

namespace talmorek::record {

// (Obec × 100000 + Okrsek) mod 7, in 64 bits: 999999/99999 gives 4.
std::uint16_t KontrolniCislo1(std::int32_t obec, std::int32_t okrsek);

// ZapsOsoby + VydObalky + OdevzdObalky + PlatneHlasy.
std::int32_t kc2OfSection2(const TT4& t4);

// Σ j × PrefHlasy[j]: the sum of the "kontrolní součiny".
std::int32_t kc3Of(const TT4P& p);

// The largest list order j ≤ `candidates` with a preferential vote; 0 when
// none. Votes beyond the party's list are not scanned.
std::uint16_t lastCandidateWithVotes(const TT4P& p, int candidates);

// Typ + Oprava + Chyba + RegKod + Obec + Okrsek + KC1 + KC2 + KC3 + KC4 + PoslKand.
std::int32_t controlSumOf(const TT4P& p);

}  // namespace talmorek::record
