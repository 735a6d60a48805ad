#pragma once
// The registers as one check run sees them. Each register file is read at
// its first lookup and kept, so a run that looks up the municipality, the
// precinct, the voters and every party's list many times reads each file
// once.
//
// A lookup walks the kept bytes exactly as a search through the file walks
// it: it stops at the same record, answers the same and fails the same way —
// a missing or unreadable file raises IoError at the lookup that needs it
// (and at every later one, since nothing is kept), a damaged record raises
// IoError and a number that is not one ConversionError only when the search
// reaches them. A file changed after its first lookup is not seen: a
// snapshot lives for one run, or for one question of the entry window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/data/registers.h"

namespace talmorek::data {

class RegisterSnapshot {
public:
    // Reads nothing yet.
    explicit RegisterSnapshot(Registers registers) : registers_(std::move(registers)) {}

    // The lookups of Registers, with the same meaning.
    bool JeObec(std::string_view kodObce);
    bool NajdiOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result);
    bool NajdiZvlastniOkrsek(std::string_view kodObce, std::int32_t okrsek, TOkrsky& result);
    std::int32_t PocetKandidatuStrany(std::int32_t party);
    std::int32_t PocetVolicu(std::string_view kodObce, std::int32_t okrsek);

private:
    struct KeptFile {
        std::string path;
        std::optional<std::string> bytes;  // empty until the first lookup read the file
    };
    // The bytes of the register, read on the first call.
    const std::string& bytesOf(KeptFile& kept, const RecordLayout& layout);
    // The same for a register that a search reads: EmptyFileError when it has no record.
    const std::string& searchedBytesOf(KeptFile& kept, const RecordLayout& layout);

    Registers registers_;
    KeptFile okrsky_, psrzvo_, psrvok_, strany_;
    // Every party of the run is asked about three times over; the answer
    // for a party number never changes within a snapshot.
    std::unordered_map<std::int32_t, std::int32_t> candidateCounts_;
};

}  // namespace talmorek::data
