#include "core/export/data_file.h"

#include <concepts>
#include <cstdint>

#include "core/data/cp1250.h"
#include "core/data/decimal.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/data/station.h"
#include "core/export/package.h"
#include "core/export/results_fields.h"

namespace talmorek::exporting {
namespace {

// Puts the fields of each block one after the other, as the field tables
// list them.
class LineWriter {
public:
    template <typename Block>
    void block(const Block& b) {
        forEachResultField(b, [this](const auto& field, const auto& value) { put(field.name, field.width, value); });
    }
    std::string take() { return std::move(line_); }

private:
    // A number wider than its field would shift every later field of the
    // line and make the whole file unreadable, for this program and for the
    // receiving office alike; such a record is refused before anything is
    // written.
    void put(std::string_view name, std::size_t width, std::integral auto value) {
        std::string s = std::to_string(static_cast<std::int64_t>(value));
        if (s.size() > width)
            throw data::FieldWidthError(std::string(name), static_cast<std::int64_t>(value), static_cast<int>(width));
        line_.append(width - s.size(), ' ');
        line_ += s;
    }
    void put(std::string_view name, std::size_t width, const std::string& utf8) {
        // A character the code page has no byte for would be read back as
        // "?": refused, so that what is written reads back as it was.
        if (!data::cp1250Holds(utf8)) throw data::FieldValueError(utf8, std::string(name));
        std::string s = data::utf8ToCp1250(utf8).substr(0, width);
        line_ += s;
        line_.append(width - s.size(), ' ');
    }
    void put(std::string_view name, std::size_t width, const PreferenceCounts& values) {
        for (auto v : values) put(name, width, v);
    }

    std::string line_;
};

// Takes the fields of each block one after the other, as the field tables
// list them, after making sure the whole block is there.
class LineReader {
public:
    LineReader(std::string_view line, const std::string& file) : line_(line), file_(file) {}

    template <typename Block>
    void block(Block& b, std::size_t length, const char* name) {
        if (line_.size() < next_ + length)
            throw data::FormatError(file_, static_cast<long long>(line_.size()),
                                    std::string("The line ends inside the ") + name + " block");
        forEachResultField(b, [this](const auto& field, auto& value) { get(field.name, field.width, value); });
    }

private:
    template <std::integral T>
    void get(std::string_view name, std::size_t width, T& target) {
        std::string_view text = next(width);
        auto value = data::parseDecimal64(text);
        if (!value) throw data::ConversionError(std::string(text), file_, std::string(name));
        target = static_cast<T>(*value);
    }
    void get(std::string_view, std::size_t width, std::string& target) { target = data::cp1250ToUtf8(next(width)); }
    void get(std::string_view name, std::size_t width, PreferenceCounts& targets) {
        for (auto& t : targets) get(name, width, t);
    }
    std::string_view next(std::size_t width) {
        std::string_view text = line_.substr(next_, width);
        next_ += width;
        return text;
    }

    std::string_view line_;
    const std::string& file_;
    std::size_t next_ = 0;
};

// The party flags close the T4 block: sixty characters, "0" or "1" each.
constexpr std::size_t kFlagsOffset = kT4BlockLength - record::kFlagPositions;
static_assert(kT4Fields.back().name == "ZakrStrany" && kT4Fields.back().width == record::kFlagPositions);

bool isFlagString(std::string_view flags) {
    return flags.size() == static_cast<std::size_t>(record::kFlagPositions) &&
           flags.find_first_not_of("01") == std::string_view::npos;
}

// Which annexes follow is read from the flags; anything but "0" or "1"
// there would move or drop annexes silently, so the file is refused at the
// first such character.
void checkFlags(std::string_view line, const std::string& file) {
    const std::string_view flags = line.substr(kFlagsOffset, record::kFlagPositions);
    if (const auto bad = flags.find_first_not_of("01"); bad != std::string_view::npos) {
        data::FormatError e(file, static_cast<long long>(kFlagsOffset + bad),
                            "Party flag " + std::to_string(bad + 1) + " is neither 0 nor 1");
        e.locate(file, "ZakrStrany");
        throw e;
    }
}

}  // namespace

char letterOf(DataLetter letter) { return letter == DataLetter::E ? 'E' : 'O'; }

DataLetter otherLetter(DataLetter letter) { return letter == DataLetter::E ? DataLetter::O : DataLetter::E; }

std::string dataFileName(DataLetter letter, std::string_view kodObce, std::int32_t cisloOkrsku) {
    return std::string(1, letterOf(letter)) + "P" + std::string(kodObce) + "." + data::precinctFiveDigits(cisloOkrsku);
}

std::string dataFilePath(const std::string& dataDir, DataLetter letter, std::string_view kodObce,
                         std::int32_t cisloOkrsku) {
    return dataDir + dataFileName(letter, kodObce, cisloOkrsku);
}

std::string resultsLine(const record::RecordOfVote& r) {
    if (!isFlagString(r.T4.ZakrStrany)) throw data::FieldValueError(r.T4.ZakrStrany, "ZakrStrany");
    LineWriter w;
    w.block(r.T4);
    for (int n = 1; n <= record::kFlagPositions; ++n)
        if (r.isFlagged(n)) w.block(r.party(n));
    w.block(r.TS);
    return w.take();
}

void parseResultsLine(std::string_view line, record::RecordOfVote& rec, const std::string& file) {
    rec.ClearResults();
    LineReader r(line, file);
    r.block(rec.T4, kT4BlockLength, "T4");
    checkFlags(line, file);
    // The flags just read tell which annexes follow.
    for (int n = 1; n <= record::kFlagPositions; ++n)
        if (rec.isFlagged(n)) r.block(rec.party(n), kT4PBlockLength, "T4P");
    r.block(rec.TS, kTSBlockLength, "TS");
}

void saveResults(const record::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
                 std::int32_t cisloOkrsku, DataLetter letter, data::FileSystem& fs) {
    ZapisData(r, dataDir, kodObce, cisloOkrsku, letter, fs);
    // Only now, with the new data on disk, may the superseded file go; a
    // stale one left by an earlier run (both files present) goes the same way.
    data::removeFileIfExists(dataFilePath(dataDir, otherLetter(letter), kodObce, cisloOkrsku), fs);
}

void ZapisData(const record::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, DataLetter letter, data::FileSystem& fs) {
    const std::string target = dataFilePath(dataDir, letter, kodObce, cisloOkrsku);
    std::string line;
    try {
        line = resultsLine(r);
    } catch (data::DataError& e) {
        e.locate(target);  // the value refused would have gone into this file
        throw;
    }
    // The whole package is made in memory and replaces the target in one
    // rename, so the previous data stay readable until the new are on disk.
    data::replaceFileAtomically(target, makePackage(line), fs);
}

std::string readResultsPackage(std::string_view packageText, const std::string& fileForErrors) {
    return readPackage(packageText, fileForErrors, kLongestResultsLine);
}

std::string readDataFileBytes(const std::string& path, data::FileSystem& fs) {
    if (const std::optional<std::uint64_t> size = fs.sizeOf(path); size && *size > kLargestDataFile) {
        data::FormatError tooLarge(path, -1, "larger than any data file");
        tooLarge.locate(path, kFileSizeField);
        throw tooLarge;
    }
    return data::readWholeFile(path, fs);
}

bool NactiData(record::RecordOfVote& r, const std::string& dataDir, std::string_view kodObce,
               std::int32_t cisloOkrsku, DataLetter letter, data::FileSystem& fs) {
    r.ClearResults();
    const std::string source = dataFilePath(dataDir, letter, kodObce, cisloOkrsku);
    if (!data::fileExists(source, fs)) return false;
    std::string line = readResultsPackage(readDataFileBytes(source, fs), source);
    record::RecordOfVote parsed;
    parseResultsLine(line, parsed, source);
    r.T4 = parsed.T4;
    r.T4P = parsed.T4P;
    r.TS = parsed.TS;
    return true;
}

}  // namespace talmorek::exporting
