#include "entry/record_of_vote.h"

#include "entry/check_numbers.h"

namespace talmorek::entry {

bool RecordOfVote::isFlagged(int n) const {
    return n >= 1 && n <= kFlagPositions && static_cast<std::size_t>(n) <= T4.ZakrStrany.size() &&
           T4.ZakrStrany[static_cast<std::size_t>(n - 1)] == '1';
}

void RecordOfVote::ClearResults() {
    T4 = TT4{};
    T4P.fill(TT4P{});
    TS = TTS{};
}

void RecordOfVote::MarkParty(int n, bool flag) {
    if (n < 1 || n > kFlagPositions) return;
    if (T4.ZakrStrany.size() < static_cast<std::size_t>(kFlagPositions)) T4.ZakrStrany.resize(kFlagPositions, '0');
    T4.ZakrStrany[static_cast<std::size_t>(n - 1)] = flag ? '1' : '0';
    if (!flag) return;
    TT4P& p = party(n);
    p.Typ = 2;
    p.RegKod = T4.RegKod;
    p.Obec = T4.Obec;
    p.Okrsek = T4.Okrsek;
    p.KC1 = KontrolniCislo1(T4.Obec, T4.Okrsek);
    p.KStrana = static_cast<std::uint16_t>(n);
}

}  // namespace talmorek::entry
