#pragma once
// A results block with every field at the widest value it can carry, filled
// field by field by hand (not through the field tables), so that a field
// the tables leave out, cut or shift shows up as a difference after a round
// trip. Numbers use every digit of their width as far as the member's type
// holds them; signed fields take turns at the largest and the most negative
// value. Texts fill their width with Czech letters of code page 1250. All
// sixty parties are flagged. Header-only, so that the tool tests can use it.

#include <cstdint>
#include <string>

#include "core/data/cp1250.h"
#include "core/record/record_of_vote.h"

namespace talmorek::testing {

// The first `width` characters of a Czech sentence, as UTF-8.
inline std::string czechLetters(std::size_t width, std::size_t skip = 0) {
    const std::string sentence = data::utf8ToCp1250("Příliš žluťoučký kůň úpěl ďábelské ódy. ");
    std::string cp1250;
    while (cp1250.size() < skip + width) cp1250 += sentence;
    return data::cp1250ToUtf8(cp1250.substr(skip, width));
}

template <typename Header>
void fillWidestHeader(Header& h, std::int32_t obec, std::int32_t okrsek) {
    h.Typ = 9;
    h.Oprava = 9;
    h.Chyba = 9;
    h.RegKod = 9999;
    h.Obec = obec;
    h.Okrsek = okrsek;
    h.KC1 = 9;
}

inline record::TT4P widestParty(int n) {
    record::TT4P p;
    fillWidestHeader(p, -99999, 99999);
    p.KStrana = static_cast<std::uint16_t>(n);
    p.PocHlasu = 65535;
    p.KC2 = 999999;
    for (std::size_t j = 0; j < p.PrefHlasy.size(); ++j) p.PrefHlasy[j] = static_cast<std::uint16_t>(65535 - j);
    p.KC3 = -9999999;
    p.KC4 = 99999999;
    p.PoslKand = 99;
    p.KSoucet = -99999999;
    return p;
}

inline record::RecordOfVote widestRecord() {
    record::RecordOfVote r;
    auto& t4 = r.T4;
    fillWidestHeader(t4, 999999, -9999);
    t4.ZapsOsoby = 99999;
    t4.VydObalky = 65535;
    t4.OdevzdObalky = 65534;
    t4.PlatneHlasy = 65533;
    t4.KC2 = -99999;
    t4.ZakrStrany = std::string(record::kFlagPositions, '1');
    for (int n = 1; n <= record::kFlagPositions; ++n) r.party(n) = widestParty(n);

    auto& ts = r.TS;
    fillWidestHeader(ts, -99999, 99999);
    ts.SeznamChyb = czechLetters(50);
    ts.Datum = czechLetters(8, 1);
    ts.Cas = czechLetters(6, 2);
    ts.Rezerva = 9999999999;
    ts.ZpusobPorizeni = 9;
    ts.KodOS = 99;
    ts.RezervaA1 = czechLetters(1, 3);
    ts.RezervaA2 = 98;
    ts.RezervaA3 = czechLetters(15, 4);
    ts.RezervaA4 = czechLetters(8, 5);
    ts.RezervaA5 = czechLetters(6, 6);
    ts.RezervaA6 = -999999999;
    ts.RezervaB1 = 97;
    ts.RezervaB2 = czechLetters(15, 7);
    ts.RezervaB3 = czechLetters(8, 8);
    ts.RezervaB4 = czechLetters(6, 9);
    ts.RezervaB5 = 9999999998;
    ts.SumaKC1 = 999;
    ts.SumaKC2 = -9999999;
    ts.SumaKC3 = 9999999997;
    ts.SumaKC4 = -999999999;
    ts.Nahoda = 999999;
    ts.RezervaC1 = -99999;
    ts.RezervaC2 = 999998;
    ts.SumaKSoucet = 99999999999;
    ts.Celkem = -99999999999;
    ts.RezervaD1 = 999999999999;
    ts.RezervaD2 = 9999999999999;
    return r;
}

}  // namespace talmorek::testing
