#pragma once
// The read-only registers an installation brings: municipalities and their
// precinct ranges (OKRSKY.RCD), the special precincts abroad (PSRZVO.RCD),
// reference numbers of voters (PSRVOK.RCD), the parties standing in the
// region (STRANY.RCD) and their candidates (KANDIDAT.RCD).
//
// Every lookup here opens, reads and closes its file: nothing is cached
// between commands. A check run, which asks the same registers many times,
// looks them up through a RegisterSnapshot (register_snapshot.h) instead,
// which reads each file once and searches it the same way.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/record_layout.h"

namespace talmorek::data {

struct TOkrsky {
    std::string KodObce, NazevObce, OkrsekOd, OkrsekDo, KodOkresu, NazevOkresu;
};
struct TPsrzvo {
    std::string KodObce;
    std::int32_t CisloOkrsku = 0;
    std::string Nazev1, Nazev2;
};
struct TPsrvok {
    std::string KodObce;
    std::int32_t CisloOkrsku = 0;
    std::int32_t Volicu = 0;
};
struct TStrana {
    std::string CisloStrany, NazevStrany, PocetKandidatu;
};
struct TKandidat {
    std::string CisloStrany, Poradi, Jmeno1, Jmeno2, Priznak;
};

namespace okrsky { constexpr std::size_t kRecordSize = 91; extern const RecordLayout kLayout; }
namespace psrzvo { constexpr std::size_t kRecordSize = 64; extern const RecordLayout kLayout; }
namespace psrvok { constexpr std::size_t kRecordSize = 16; extern const RecordLayout kLayout; }
namespace strany { constexpr std::size_t kRecordSize = 58; extern const RecordLayout kLayout; }
namespace kandidat { constexpr std::size_t kRecordSize = 91; extern const RecordLayout kLayout; }

TOkrsky decodeOkrsky(std::string_view r);
TPsrzvo decodePsrzvo(std::string_view r);
TPsrvok decodePsrvok(std::string_view r);
TStrana decodeStrana(std::string_view r);
TKandidat decodeKandidat(std::string_view r);
RecordBytes encodeOkrsky(const TOkrsky& v);
RecordBytes encodePsrzvo(const TPsrzvo& v);
RecordBytes encodePsrvok(const TPsrvok& v);
RecordBytes encodeStrana(const TStrana& v);
RecordBytes encodeKandidat(const TKandidat& v);

// The party list: STRANY.RCD in file order, positions 1..length (position
// p is record p - 1 of the file).
// The highest party number: the flag string of the results (`ZakrStrany`)
// has a place for parties 1..60 and for no other.
inline constexpr std::int32_t kHighestPartyNumber = 60;

struct PartyList {
    static constexpr int kCapacity = 22;
    std::array<TStrana, kCapacity + 1> entries{};  // index 0 unused
    int length = 0;
    // The STRANY.RCD the list was read from, so that a count found not to
    // be a number later names its file; empty for a list made in memory.
    std::string sourceFile;

    const TStrana& at(int position) const { return entries.at(static_cast<std::size_t>(position)); }
};

struct CandidateEntry {
    std::string Jmeno1 = "---------------";        // 15 hyphens until the register names the candidate
    std::string Jmeno2 = "--------------------";   // 20 hyphens
    std::string Priznak = "-";
};

// Candidates by (party 1..22, list order 1..36).
class CandidateTable {
public:
    static constexpr int kParties = 22;
    static constexpr int kCandidates = 36;
    const CandidateEntry& at(int party, int order) const { return entries_.at(index(party, order)); }
    CandidateEntry& at(int party, int order) { return entries_.at(index(party, order)); }
    void reset() { entries_.fill(CandidateEntry{}); }

private:
    static std::size_t index(int party, int order);
    std::array<CandidateEntry, kParties * kCandidates> entries_{};
};

class Registers {
public:
    explicit Registers(std::string programDir) : dir_(std::move(programDir)) {}
    const std::string& programDir() const { return dir_; }
    std::string path(std::string_view fileName) const;

    // Raises FormatError for a STRANY.RCD of more than 22 records,
    // ConversionError for a party number or candidate count that is no
    // number, FieldValueError for a party number outside 1..99 or a
    // negative count; each names the file, the record and the field.
    PartyList NactiStrany() const;
    // Raises FormatError for a record outside party 1..22 or order 1..36;
    // a later record for the same place replaces an earlier one.
    CandidateTable NactiKandidaty() const;
    void NactiKandidaty(CandidateTable& table) const;

    // Is there a municipality with this code? Reads until the first match.
    bool JeObec(std::string_view kodObce) const;
    // Is the precinct in the range of the first record of the municipality
    // (or, for 999997, in PSRZVO.RCD)? `result` keeps the record the search
    // stopped at: the match, or the last record of the file. The code is a
    // six-character field: a longer text is cut to its first six characters.
    bool NajdiOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) const;
    bool NajdiZvlastniOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result) const;
    // Candidate count of the first STRANY.RCD record with this party number; 0 when absent.
    std::int32_t PocetKandidatuStrany(std::int32_t party) const;
    // Reference voters of the precinct: the last matching PSRVOK.RCD record; 0 when none.
    std::int32_t PocetVolicu(std::string_view kodObce, std::int32_t okrsek) const;

private:
    std::string dir_;
};

}  // namespace talmorek::data
