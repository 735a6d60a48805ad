#pragma once
// One precinct data file as the receiving office reads it: the name it came
// under, the record its package holds, the check run over that record and
// the check numbers it carries beside those recomputed from its counts.
//
// Nothing here keeps a file open or a record longer than the caller wants:
// a district's or the country's files are judged one after another, each
// thread with its own register snapshot and protocol.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/checks/catalogue.h"
#include "core/data/register_snapshot.h"
#include "core/data/registers.h"
#include "core/export/data_file.h"
#include "core/record/record_of_vote.h"

namespace talmorek::receiving {

// "EP532053.00001": the letter, the municipality and the precinct the name
// gives; nothing for a name that is no precinct data file's.
struct DataFileName {
    exporting::DataLetter letter = exporting::DataLetter::E;
    std::string kodObce;
    std::int32_t okrsek = 0;
    bool operator==(const DataFileName&) const = default;
};
std::optional<DataFileName> parseDataFileName(std::string_view fileName);

// How a file came out, worst first.
enum class Outcome { Damaged, Errors, Passable, Warnings, Clean };
// "poškozen", "chyby", "propustitelné chyby", "upozornění", "bez chyb".
std::string_view outcomeName(Outcome outcome);

// The votes a precinct adds to the totals.
struct PrecinctVotes {
    std::int64_t zapsOsoby = 0, vydObalky = 0, odevzdObalky = 0, platneHlasy = 0;
    // Party number → its votes and the preferential votes of list orders 1..36.
    struct Party {
        std::int64_t votes = 0;
        std::array<std::int64_t, record::kCandidates> preferential{};
        bool operator==(const Party&) const = default;
    };
    std::map<int, Party> parties;
    bool operator==(const PrecinctVotes&) const = default;
};

struct ReceivedFile {
    std::string path;
    std::optional<DataFileName> name;
    Outcome outcome = Outcome::Damaged;
    std::string reason;  // damaged: why, in Czech, naming the file and the field
    // From the record's own identification.
    std::int32_t obec = 0;
    std::int32_t okrsek = 0;
    std::string codes;  // the failed rules' codes, "01 15 96"
    std::array<std::int64_t, 4> kcStored{};      // KČ1–KČ4 of the summary as the file holds them
    std::array<std::int64_t, 4> kcRecomputed{};  // the same with every check number computed afresh from the counts
    std::string fingerprint;  // of the file's bytes, as the export shows it
    std::string contentHash;  // of the precinct and its votes: tells copies from files that disagree
    std::shared_ptr<const PrecinctVotes> votes;  // not for a damaged file
};

// What every file of a batch is judged against, read once.
// The registers are read here once, whole, so that a missing or damaged
// one fails the batch before any file is judged; each thread's snapshot
// then reads its own copy at its first lookup.
struct ReceivingRegisters {
    explicit ReceivingRegisters(const std::string& programDir);
    data::Registers registers;
    data::PartyList parties;
    checks::TCisChyb catalogue;
};

// Reads and judges one file. Never raises for the file's own faults: a
// damaged file comes back as `Outcome::Damaged` with its reason; a failure
// of the registers (which every file would meet) raises.
ReceivedFile receiveFile(const std::string& path, const ReceivingRegisters& registers,
                         data::RegisterSnapshot& snapshot);

}  // namespace talmorek::receiving
