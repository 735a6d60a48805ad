#include "core/record/check_numbers.h"

#include <algorithm>

namespace talmorek::record {

std::uint16_t KontrolniCislo1(std::int32_t obec, std::int32_t okrsek) {
    std::int64_t id = std::int64_t{obec} * 100000 + okrsek;
    return static_cast<std::uint16_t>(id % 7);
}

std::int32_t kc2OfSection2(const TT4& t4) {
    return static_cast<std::int32_t>(std::int64_t{t4.ZapsOsoby} + t4.VydObalky + t4.OdevzdObalky + t4.PlatneHlasy);
}

std::int32_t kc3Of(const TT4P& p) {
    std::int64_t sum = 0;
    for (int j = 1; j <= kCandidates; ++j) sum += std::int64_t{j} * p.pref(j);
    return static_cast<std::int32_t>(sum);
}

std::uint16_t lastCandidateWithVotes(const TT4P& p, int candidates) {
    for (int j = std::min(candidates, kCandidates); j >= 1; --j) {
        if (p.pref(j) > 0) return static_cast<std::uint16_t>(j);
    }
    return 0;
}

std::int32_t controlSumOf(const TT4P& p) {
    std::int64_t sum = std::int64_t{p.Typ} + p.Oprava + p.Chyba + p.RegKod + p.Obec + p.Okrsek + p.KC1 + p.KC2 +
                       p.KC3 + p.KC4 + p.PoslKand;
    return static_cast<std::int32_t>(sum);
}

}  // namespace talmorek::record
