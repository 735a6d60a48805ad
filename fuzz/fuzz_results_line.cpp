// The text line inside a precinct data file, as the reader meets it after
// unpacking. Besides refusing damage only by name, the reader must agree
// with the line about which annexes it holds (party n is flagged exactly
// when character n of the flag string is "1"), and what it gives back the
// writer must write so that reading it again gives the same record.

#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"
#include "fuzz_support.h"

namespace {

using talmorek::record::kFlagPositions;
using talmorek::record::RecordOfVote;

// The flag string of the T4 block: 60 characters from position 46.
constexpr std::size_t kFlagsOffset = 45;

bool sameResults(const RecordOfVote& a, const RecordOfVote& b) { return a.T4 == b.T4 && a.T4P == b.T4P && a.TS == b.TS; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmorek;
    const std::string_view line = fuzz::bytesOf(data, size);
    const std::string file = "fuzz.line";
    RecordOfVote read;
    bool accepted = false;
    fuzz::refusingOnlyByDataError([&] {
        exporting::parseResultsLine(line, read, file);
        accepted = true;
    });
    if (!accepted) return 0;

    for (int n = 1; n <= kFlagPositions; ++n) {
        const bool inLine = line[kFlagsOffset + static_cast<std::size_t>(n) - 1] == '1';
        if (read.isFlagged(n) != inLine)
            fuzz::fail("the flags read differ from the flag string of the line", "party " + std::to_string(n));
    }

    std::string written;
    bool writable = false;
    fuzz::refusingOnlyByDataError([&] {
        written = exporting::resultsLine(read);
        writable = true;
    });
    if (!writable) return 0;
    RecordOfVote again;
    try {
        exporting::parseResultsLine(written, again, file);
    } catch (const std::exception& e) {
        fuzz::fail("the reader refuses what the writer wrote", e.what());
    }
    if (!sameResults(read, again)) fuzz::fail("write then read does not give back the record read");
    if (exporting::resultsLine(again) != written) fuzz::fail("writing the record read back gives another line");
    return 0;
}
