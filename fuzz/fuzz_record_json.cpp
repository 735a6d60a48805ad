// The record JSON that the tool reads (`--record`): any text is either a
// record or refused by the reader's own error. A record read is written and
// read back the same, as JSON and as the line of the precinct data file.

#include <nlohmann/json.hpp>

#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"
#include "fuzz_support.h"
#include "tool/record_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmorek;
    record::RecordOfVote record;
    try {
        record = tool::parseRecordJson(fuzz::bytesOf(data, size));
    } catch (const tool::RecordJsonError&) {
        return 0;
    } catch (const data::DataError&) {
        return 0;
    } catch (const std::exception& e) {
        fuzz::fail("an exception that is not the reader's own error escaped", e.what());
    }

    const nlohmann::ordered_json json = tool::recordToJson(record);
    try {
        if (tool::recordToJson(tool::parseRecordJson(json.dump())) != json)
            fuzz::fail("the record JSON written does not read back the same");
    } catch (const std::exception& e) {
        fuzz::fail("the reader refuses the record JSON written", e.what());
    }

    // What `datafile write` would save: if the writer accepts the record,
    // the reader must give it back.
    std::string line;
    try {
        line = exporting::resultsLine(record);
    } catch (const data::DataError&) {
        return 0;
    } catch (const std::exception& e) {
        fuzz::fail("the data-file writer raised an untyped exception", e.what());
    }
    record::RecordOfVote back;
    try {
        exporting::parseResultsLine(line, back, "fuzz.line");
    } catch (const std::exception& e) {
        fuzz::fail("the data-file reader refuses what the writer wrote", e.what());
    }
    for (int n = 1; n <= record::kFlagPositions; ++n) {
        if (back.isFlagged(n) != record.isFlagged(n))
            fuzz::fail("a party's flag changed between writing and reading", "party " + std::to_string(n));
        if (record.isFlagged(n) && back.party(n).PocHlasu != record.party(n).PocHlasu)
            fuzz::fail("a party's votes changed between writing and reading", "party " + std::to_string(n));
    }
    if (back.T4.ZapsOsoby != record.T4.ZapsOsoby || back.T4.PlatneHlasy != record.T4.PlatneHlasy ||
        back.TS.Celkem != record.TS.Celkem)
        fuzz::fail("a count changed between writing and reading");
    if (exporting::resultsLine(back) != line) fuzz::fail("writing the record read back gives another line");
    return 0;
}
