#pragma once
// The record of the vote as data: what the commission writes on form T/4
// (T/4a, or T/4b abroad) and its Annex 1.
//
// The results block (`T4`, one `T4P` per party with votes, the `TS` summary)
// goes into the precinct data file; the course of voting (`Hlasovani`) and
// the commission list go into HLASO.RCD and KOMISE.RCD. Counts of envelopes
// and votes are unsigned 16-bit, as the receiving office's records hold
// them: a larger value is kept modulo 65536. Sums are 64-bit.

#include <array>
#include <cstdint>
#include <string>

#include "core/data/registers.h"
#include "core/data/working_files.h"

namespace talmorek::record {

using data::Hlasovani;
using data::SeznamKomise;
using data::TKomise;

inline constexpr int kFlagPositions = 60;   // parties 1..60 can be flagged
static_assert(kFlagPositions == data::kHighestPartyNumber, "every party of a list has its flag");
inline constexpr int kPartySlots = 99;      // T4P slots 1..99
inline constexpr int kCandidates = 36;      // list orders 1..36

// Section II of the form.
struct TT4 {
    std::uint16_t Typ = 1;
    std::uint16_t Oprava = 0;  // corrections initialled at the receiving office
    std::uint16_t Chyba = 0;   // the last check run found an error in this record
    std::uint16_t RegKod = 0;  // district code of the municipality, from OKRSKY.RCD
    std::int32_t Obec = 0;
    std::int32_t Okrsek = 0;
    std::uint16_t KC1 = 0;
    std::int32_t ZapsOsoby = 0;  // persons in the extracts from the lists of voters
    std::uint16_t VydObalky = 0;
    std::uint16_t OdevzdObalky = 0;
    std::uint16_t PlatneHlasy = 0;
    std::int32_t KC2 = 0;
    // Character n (1-based) is "1" when party n received at least one valid vote.
    std::string ZakrStrany = std::string(kFlagPositions, '0');

    bool operator==(const TT4&) const = default;
};

// Annex 1: the votes of one party and the preferential votes of its candidates.
struct TT4P {
    std::uint16_t Typ = 0;
    std::uint16_t Oprava = 0;
    std::uint16_t Chyba = 0;
    std::uint16_t RegKod = 0;
    std::int32_t Obec = 0;
    std::int32_t Okrsek = 0;
    std::uint16_t KC1 = 0;
    std::uint16_t KStrana = 0;
    std::uint16_t PocHlasu = 0;
    std::int32_t KC2 = 0;
    std::array<std::uint16_t, kCandidates> PrefHlasy{};  // PrefHlasy[j - 1] for list order j
    std::int32_t KC3 = 0;
    std::int32_t KC4 = 0;
    std::uint16_t PoslKand = 0;  // last candidate with a preferential vote
    std::int32_t KSoucet = 0;

    std::uint16_t pref(int order) const { return PrefHlasy.at(static_cast<std::size_t>(order - 1)); }
    bool operator==(const TT4P&) const = default;
};

// `Oprava` of form T/4 or of a party's Annex 1: the corrections on the
// paper were initialled at the receiving point (else 0).
constexpr std::uint16_t kCorrectionsInitialled = 1;

// The way of entry of a record (`TTS::ZpusobPorizeni`): typed at the
// station, which is all this program writes; typed at the receiving point
// because the carrier could not be read; that mark removed there again.
constexpr std::uint16_t kEnteredAtStation = 1;
constexpr std::uint16_t kTypedAtReceivingPoint = 9;
constexpr std::uint16_t kReceivingMarkRemoved = 0;

// The summary record that protects the whole results block. The fields the
// receiving office keeps as floating values hold whole numbers and are kept
// here as 64-bit integers.
struct TTS {
    std::uint16_t Typ = 0;
    std::uint16_t Oprava = 0;
    std::uint16_t Chyba = 0;
    std::uint16_t RegKod = 0;
    std::int32_t Obec = 0;
    std::int32_t Okrsek = 0;
    std::uint16_t KC1 = 0;
    std::string SeznamChyb;  // codes of the last check run, two digits each, at most 50 characters
    std::string Datum;       // "yyyymmdd" of the last recomputation
    std::string Cas;         // "hhnnss"
    std::int64_t Rezerva = 0;  // the number the installation keeps in the station record
    std::uint16_t ZpusobPorizeni = 0;  // the way of entry: one of the three below
    std::uint16_t KodOS = 0;
    // Reserved groups, empty or 0 in every record this program computes.
    std::string RezervaA1;
    std::uint16_t RezervaA2 = 0;
    std::string RezervaA3, RezervaA4, RezervaA5;
    std::int64_t RezervaA6 = 0;
    std::uint16_t RezervaB1 = 0;
    std::string RezervaB2, RezervaB3, RezervaB4;
    std::int64_t RezervaB5 = 0;
    std::int64_t SumaKC1 = 0;
    std::int64_t SumaKC2 = 0;
    std::int64_t SumaKC3 = 0;
    std::int64_t SumaKC4 = 0;
    std::int32_t Nahoda = 0;
    std::int32_t RezervaC1 = 0;
    std::int32_t RezervaC2 = 0;
    std::int64_t SumaKSoucet = 0;
    std::int64_t Celkem = 0;
    std::int64_t RezervaD1 = 0;
    std::int64_t RezervaD2 = 0;

    bool operator==(const TTS&) const = default;
};

// The whole record of the vote held in memory.
struct RecordOfVote {
    TT4 T4;
    std::array<TT4P, kPartySlots + 1> T4P{};  // by party number 1..99; slot 0 unused
    TTS TS;
    Hlasovani hlasovani;
    SeznamKomise komise;

    TT4P& party(int n) { return T4P.at(static_cast<std::size_t>(n)); }
    const TT4P& party(int n) const { return T4P.at(static_cast<std::size_t>(n)); }

    // Is party n (1..60) flagged in `ZakrStrany`? Numbers outside 1..60 never are.
    bool isFlagged(int n) const;

    // `T4` new, every `T4P` slot and `TS` zeroed. Course of voting and
    // commission are not part of the results block and stay.
    void ClearResults();
    // Sets the flag of party n; flagging also fills the header of its slot
    // from `T4` and leaves typed votes as they were, so un-flagging and
    // flagging again keeps what was typed.
    void MarkParty(int n, bool flag);
};

}  // namespace talmorek::record
