// Plausibility warnings on section II. They block nothing: the receiving
// office asks the commission about them. Every percentage is compared by
// cross-multiplication on exact integers (see exact_ratio.h).

#include <cstdint>

#include "core/checks/exact_ratio.h"
#include "core/checks/rules.h"
#include "core/data/station.h"
#include "core/record/party_list.h"

namespace talmorek::checks {

bool CheckRules::Kontrola91(bool iBezHlaseni) {
    // Every voter on the extracts took an envelope: rare enough to ask about.
    const record::TT4& t4 = record_.T4;
    const bool suspicious = t4.ZapsOsoby != 0 && std::int64_t{t4.VydObalky} == t4.ZapsOsoby;
    return judge(!suspicious, iBezHlaseni, "91", kNoRecord);
}

bool CheckRules::Kontrola92(bool iBezHlaseni) {
    // Fewer than 80 % of the issued envelopes came back, and more than ten are missing.
    const record::TT4& t4 = record_.T4;
    const std::int64_t issued = t4.VydObalky, returned = t4.OdevzdObalky;
    const bool suspicious = issued > 0 && returned > 0 && returned * 100 < 80 * issued && issued - returned > 10;
    return judge(!suspicious, iBezHlaseni, "92", kNoRecord);
}

bool CheckRules::Kontrola93(bool iBezHlaseni) {
    return judge(record_.T4.ZapsOsoby < 2000, iBezHlaseni, "93", kNoRecord);
}

bool CheckRules::Kontrola94(bool iBezHlaseni) {
    // A turnout below 10 %, in a precinct small enough for it to be a typing error.
    const record::TT4& t4 = record_.T4;
    const std::int64_t persons = t4.ZapsOsoby, issued = t4.VydObalky;
    const bool suspicious = persons > 0 && issued > 0 && issued * 100 < 10 * persons && issued <= 150;
    return judge(!suspicious, iBezHlaseni, "94", kNoRecord);
}

bool CheckRules::Kontrola95(bool iBezHlaseni) {
    // Fewer than 90 % of the envelopes held a valid vote, and more than two did not.
    const record::TT4& t4 = record_.T4;
    const std::int64_t returned = t4.OdevzdObalky, valid = t4.PlatneHlasy;
    const bool suspicious = returned > 0 && valid > 0 && valid * 100 < 90 * returned && returned - valid > 2;
    return judge(!suspicious, iBezHlaseni, "95", kNoRecord);
}

bool CheckRules::Kontrola96(bool iBezHlaseni, std::int32_t* registeredVoters) {
    // The persons on the extracts against the register's reference count R:
    // a small difference is normal, and so is a ratio within 84..120 %.
    const std::int64_t persons = record_.T4.ZapsOsoby;
    const std::int32_t r = registers_.PocetVolicu(obecText(), record_.T4.Okrsek);
    if (registeredVoters) *registeredVoters = r;
    bool suspicious = false;
    if (persons > 0 && r > 0) {
        const std::int64_t difference = persons - r;
        const std::int64_t percent = roundHalfAwayFromZero(persons * 100, r);
        suspicious = (difference < -9 || difference > 14) && (percent < 84 || percent > 120);
    }
    return judge(!suspicious, iBezHlaseni, "96", kNoRecord);
}

bool CheckRules::Kontrola97(bool iBezHlaseni) {
    // A turnout above 88 %; abroad the special list holds only voters who
    // asked to vote there, so the limit is 99 %.
    const record::TT4& t4 = record_.T4;
    const std::int64_t persons = t4.ZapsOsoby, issued = t4.VydObalky;
    const bool abroad = std::to_string(t4.Obec) == data::kKodZvlastnihoOkrsku;
    const std::int64_t limit = abroad ? 99 : 88;
    const bool suspicious = persons > 0 && issued > 0 && issued * 100 > limit * persons;
    return judge(!suspicious, iBezHlaseni, "97", kNoRecord);
}

bool CheckRules::Kontrola98(bool iBezHlaseni) {
    // Each voter may give up to four preferential votes. Far fewer than 1 %
    // or more than 66 % of what the voters could give, over the precinct or
    // over one party, suggests votes typed in the wrong place.
    VyuzitiPreferenci.clear();
    const record::TT4& t4 = record_.T4;
    const std::int64_t valid = t4.PlatneHlasy;
    if (valid >= 5) {
        std::int64_t used = 0;
        record::forEachFlaggedParty(record_, parties_, [&](int, int n) {
            for (int j = 1; j <= record::kCandidates; ++j) used += slot(n).pref(j);
        });
        if (used * 100 < 4 * valid || used * 100 > 264 * valid) {
            // Per cent of 4 × valid, in hundredths: used × 100 × 100 / (4 × valid).
            const std::int64_t hundredths = roundHalfAwayFromZero(used * 10000, 4 * valid);
            VyuzitiPreferenci = " (využito: " + shortestDecimal(hundredths, userDecimalSeparator()) + " %)";
            return judge(false, iBezHlaseni, "98", kNoRecord);
        }
    }
    std::string failing;
    record::forEachFlaggedParty(record_, parties_, [&](int, int n) {
        const record::TT4P& p = slot(n);
        if (p.PocHlasu < 15) return;
        std::int64_t used = 0;
        for (int j = 1; j <= record::kCandidates; ++j) used += p.pref(j);
        if (used * 100 >= 320 * std::int64_t{p.PocHlasu}) failing += ", " + std::to_string(n);
    });
    if (failing.empty()) return true;
    VyuzitiPreferenci = " (u strany: " + failing.substr(2) + ")";
    return judge(false, iBezHlaseni, "98", kNoRecord);
}

}  // namespace talmorek::checks
