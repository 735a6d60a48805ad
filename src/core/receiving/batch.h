#pragma once
// A district's (or the country's) precinct data files judged in one go: the
// files found under a directory, in a fixed order; the files of one
// precinct taken together, so that copies are counted once and files that
// disagree are flagged; and the totals of the precincts that may be counted.
//
// The files are judged in any order on any number of threads and handed to
// `BatchCollector` in the order of `findDataFiles`; it reports each precinct
// as soon as its files are all in and keeps nothing of it but the totals.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/receiving/received_file.h"

namespace talmorek::receiving {

// The precinct data files under `directory` and its subdirectories (the
// names of the export: "EP…" or "OP…"), ordered by the municipality and the
// precinct of the name, then by path: the files of one precinct stand
// together and every run lists them alike. IoError naming the directory
// that could not be read.
std::vector<std::string> findDataFiles(const std::string& directory);

enum class Duplicate {
    None,       // the precinct's only readable file
    Identical,  // the same results as another file of the precinct: counted once
    Different,  // results that disagree with another file of the precinct: none of them counted
};
// "", "shodný", "rozdílný".
std::string_view duplicateName(Duplicate duplicate);

struct BatchRow {
    ReceivedFile file;
    Duplicate duplicate = Duplicate::None;
    bool counted = false;  // its votes are in the totals
};

// What the counted precincts add up to, with the check numbers a clerk
// adds up the same way: KČ2 of section II is the sum of its four totals;
// a party's KČ2 is its votes plus its number, KČ3 the sum of list order
// times preferential votes, KČ4 the two together.
struct Totals {
    std::int64_t precincts = 0;
    std::int64_t zapsOsoby = 0, vydObalky = 0, odevzdObalky = 0, platneHlasy = 0;
    std::int64_t kc2 = 0;
    struct Party {
        std::int64_t votes = 0;
        std::array<std::int64_t, record::kCandidates> preferential{};
        std::int64_t kc2 = 0, kc3 = 0, kc4 = 0;
        bool operator==(const Party&) const = default;
    };
    std::map<int, Party> parties;
    bool operator==(const Totals&) const = default;
};

// How many files came out how.
struct BatchCounts {
    std::int64_t files = 0, damaged = 0, errors = 0, passable = 0, warnings = 0, clean = 0;
    std::int64_t identical = 0;  // copies beyond the first
    std::int64_t different = 0;  // files of precincts whose files disagree
};

class BatchCollector {
public:
    // Files with errors are not counted: their numbers are not the
    // precinct's result until the commission corrects them. Clean files,
    // files with warnings and files with passable errors (which the
    // commission confirmed) are.
    using Emit = std::function<void(const BatchRow&)>;
    explicit BatchCollector(Emit emit) : emit_(std::move(emit)) {}

    // The next file in the order of `findDataFiles`.
    void add(ReceivedFile file);
    // After the last file.
    void finish();

    const Totals& totals() const { return totals_; }
    const BatchCounts& counts() const { return counts_; }

private:
    void flush();
    void count(const PrecinctVotes& votes);

    Emit emit_;
    std::vector<ReceivedFile> group_;
    std::string groupKey_;
    Totals totals_;
    BatchCounts counts_;
};

}  // namespace talmorek::receiving
