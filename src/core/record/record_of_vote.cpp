#include "core/record/record_of_vote.h"

#include "core/record/check_numbers.h"

namespace talmorek::record {

bool RecordOfVote::isFlagged(int n) const {
    if (n < 1 || n > kFlagPositions) return false;
    // Flag n is the n-th character, not the n-th byte: a character of more
    // than one byte in the string must not move the flags after it.
    int character = 0;
    for (const char c : T4.ZakrStrany) {
        if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;  // inside a character
        if (++character == n) return c == '1';
    }
    return false;
}

void RecordOfVote::ClearResults() {
    T4 = TT4{};
    T4P.fill(TT4P{});
    TS = TTS{};
}

void RecordOfVote::MarkParty(int n, bool flag) {
    if (n < 1 || n > kFlagPositions) return;
    // Rewritten from the flags as they read, so that the string is sixty
    // "0"/"1" afterwards whatever it held.
    std::string flags(kFlagPositions, '0');
    for (int i = 1; i <= kFlagPositions; ++i)
        if (isFlagged(i)) flags[static_cast<std::size_t>(i - 1)] = '1';
    flags[static_cast<std::size_t>(n - 1)] = flag ? '1' : '0';
    T4.ZakrStrany = std::move(flags);
    if (!flag) return;
    TT4P& p = party(n);
    p.Typ = 2;
    p.RegKod = T4.RegKod;
    p.Obec = T4.Obec;
    p.Okrsek = T4.Okrsek;
    p.KC1 = KontrolniCislo1(T4.Obec, T4.Okrsek);
    p.KStrana = static_cast<std::uint16_t>(n);
}

}  // namespace talmorek::record
