// The precinct data file is what the receiving office decodes: every field
// at its position and width, and the save that keeps exactly one file per
// precinct.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "core/export/widest_record.h"
#include "core/data/errors.h"
#include "core/export/data_file.h"
#include "core/export/package.h"
#include "core/export/results_fields.h"
#include "support/error_of.h"
#include "support/fault_file_system.h"
#include "support/temp_dir.h"

namespace talmorek::exporting {
namespace {

using talmorek::testing::errorOf;

using record::RecordOfVote;
using testing::FaultFileSystem;
using testing::TempDir;

RecordOfVote sampleRecord() {
    RecordOfVote r;
    r.T4 = record::TT4{};
    r.T4.RegKod = 3203;
    r.T4.Obec = 532053;
    r.T4.Okrsek = 1;
    r.T4.KC1 = 5;
    r.T4.ZapsOsoby = 812;
    r.T4.VydObalky = 530;
    r.T4.OdevzdObalky = 528;
    r.T4.PlatneHlasy = 521;
    r.T4.KC2 = 2391;
    for (int n : {3, 17}) {
        r.MarkParty(n, true);
        auto& p = r.party(n);
        p.PocHlasu = static_cast<std::uint16_t>(100 + n);
        p.KC2 = n + p.PocHlasu;
        p.PrefHlasy[0] = 15;
        p.PrefHlasy[35] = 65535;
        p.KC3 = 15 + 36 * 65535;
        p.KC4 = p.KC2 + p.KC3;
        p.PoslKand = 36;
        p.KSoucet = 123456789;
    }
    auto& ts = r.TS;
    ts.Typ = 3;
    ts.SeznamChyb = "0491";
    ts.Datum = "20211009";
    ts.Cas = "143015";
    ts.Rezerva = 2021;
    ts.ZpusobPorizeni = 1;
    ts.KodOS = 18;
    ts.SumaKC1 = 20;
    ts.SumaKC2 = 2391 + 500;
    ts.SumaKC3 = 9999999999;
    ts.SumaKC4 = 1234567890;
    ts.Nahoda = 999998;
    ts.SumaKSoucet = 99999999999;
    ts.Celkem = 999999999999;
    return r;
}

TEST(DataFileLine, LengthsAndBlockPositionsFollowTheFlaggedParties) {
    RecordOfVote none;
    EXPECT_EQ(resultsLine(none).size(), 381u);

    RecordOfVote r = sampleRecord();
    std::string line = resultsLine(r);
    ASSERT_EQ(line.size(), 859u);
    EXPECT_EQ(line.substr(0, 45), "1003203532053    15  812  530  528  521  2391");
    EXPECT_EQ(line.substr(45, 60), "001000000000000010000000000000000000000000000000000000000000");
    EXPECT_EQ(line.substr(105, 32), "2003203532053    10 3  103   106");  // party 3 at position 106
    EXPECT_EQ(line.substr(344, 21), "2003203532053    1017");              // party 17 at position 345
    EXPECT_EQ(line.substr(344 + 207, 5), "65535");                        // PrefHlasy[36]
    EXPECT_EQ(line.substr(583, 19), "300   0     0    00");                // TS at position 584
    EXPECT_EQ(line.substr(583 + 19, 50), "0491" + std::string(46, ' '));
    EXPECT_EQ(line.substr(583 + 69, 14), "20211009143015");
    EXPECT_EQ(line.substr(583 + 179, 3), " 20");
    EXPECT_EQ(line.substr(583 + 228, 11), "99999999999");
    EXPECT_EQ(line.substr(583 + 239, 12), "999999999999");
}

TEST(DataFileLine, ParsingGivesEveryFieldBack) {
    RecordOfVote r = sampleRecord();
    RecordOfVote back;
    parseResultsLine(resultsLine(r), back, "EP532053.00001");
    EXPECT_EQ(back.T4, r.T4);
    EXPECT_EQ(back.party(3), r.party(3));
    EXPECT_EQ(back.party(17), r.party(17));
    EXPECT_EQ(back.TS.SeznamChyb, "0491" + std::string(46, ' '));  // texts come back padded
    back.TS.SeznamChyb = r.TS.SeznamChyb;
    back.TS.RezervaA1 = back.TS.RezervaA3 = back.TS.RezervaA4 = back.TS.RezervaA5 = "";
    back.TS.RezervaB2 = back.TS.RezervaB3 = back.TS.RezervaB4 = "";
    EXPECT_EQ(back.TS, r.TS);
}

TEST(DataFileLine, TheWidestValueOfEveryFieldComesBack) {
    const RecordOfVote r = testing::widestRecord();
    const std::string line = resultsLine(r);
    EXPECT_EQ(line.size(), 105u + 60u * 239u + 276u) << "every party flagged, no field wider than its place";
    RecordOfVote back;
    parseResultsLine(line, back, "OP532053.00001");
    EXPECT_EQ(back.T4, r.T4);
    for (int n = 1; n <= record::kFlagPositions; ++n) EXPECT_EQ(back.party(n), r.party(n)) << "T4P " << n;
    EXPECT_EQ(back.TS, r.TS);
}

TEST(DataFileLine, DamagedLinesAreRefusedNamingTheField) {
    std::string line = resultsLine(sampleRecord());
    std::string blankVotes = line;
    blankVotes.replace(19, 5, "     ");
    const auto e = errorOf<data::ConversionError>([&] {
        RecordOfVote r;
        parseResultsLine(blankVotes, r, "EP532053.00001");
    });
    ASSERT_TRUE(e);
    EXPECT_NE(std::string(e->what()).find("ZapsOsoby"), std::string::npos) << e->what();
    EXPECT_EQ(e->field(), "ZapsOsoby");
    EXPECT_EQ(e->file(), "EP532053.00001");
    EXPECT_EQ(e->text(), "     ");
    RecordOfVote r;
    EXPECT_THROW(parseResultsLine(line.substr(0, 858), r, "x"), data::FormatError);
    EXPECT_THROW(parseResultsLine(line.substr(0, 300), r, "x"), data::FormatError);
}

// One byte 0xE9 ("é") among the flags of a data file: it is refused at its
// position, not read as a flag nor allowed to move the flags after it.
TEST(DataFileLine, AFlagThatIsNotZeroOrOneIsRefusedAtItsPosition) {
    const std::string line = resultsLine(sampleRecord());
    for (const std::size_t flag : {1u, 2u, 3u, 60u}) {
        for (const char bad : {'\xE9', ' ', '2'}) {
            SCOPED_TRACE(std::to_string(flag) + " " + std::to_string(static_cast<unsigned char>(bad)));
            std::string damaged = line;
            damaged[45 + flag - 1] = bad;
            if (const auto e = errorOf<data::FormatError>([&] {
                RecordOfVote r;
                parseResultsLine(damaged, r, "/d/EP532053.00001");
            })) {
                EXPECT_EQ(e->file(), "/d/EP532053.00001");
                EXPECT_EQ(e->field(), "ZakrStrany");
                EXPECT_EQ(e->position(), static_cast<long long>(45 + flag - 1));
            }
        }
    }
}

// What the reader would refuse, or read back otherwise, is never written.
TEST(DataFileLine, TheWriterRefusesWhatCouldNotBeReadBack) {
    const struct {
        const char* name;
        void (*spoil)(RecordOfVote&);
        const char* field;
    } cases[] = {
        {"flagsWithALetter", [](RecordOfVote& r) { r.T4.ZakrStrany[4] = 'x'; }, "ZakrStrany"},
        {"flagsWithACzechLetter",
         [](RecordOfVote& r) { r.T4.ZakrStrany = "é" + std::string(record::kFlagPositions - 1, '0'); }, "ZakrStrany"},
        {"flagsTooShort", [](RecordOfVote& r) { r.T4.ZakrStrany.pop_back(); }, "ZakrStrany"},
        {"flagsTooLong", [](RecordOfVote& r) { r.T4.ZakrStrany += "0"; }, "ZakrStrany"},
        {"textOutsideTheCodePage", [](RecordOfVote& r) { r.TS.SeznamChyb = "04 ☃"; }, "SeznamChyb"},
        {"reservedTextOutsideTheCodePage", [](RecordOfVote& r) { r.TS.RezervaB3 = "日"; }, "RezervaB3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordOfVote r = sampleRecord();
        c.spoil(r);
        if (const auto e = errorOf<data::FieldValueError>([&] { resultsLine(r); })) {
            EXPECT_EQ(e->field(), c.field);
        }
        TempDir dir;
        EXPECT_THROW(ZapisData(r, dir.path() + "/", "532053", 1, DataLetter::E), data::FieldValueError);
        EXPECT_FALSE(dir.exists("EP532053.00001"));
    }
}

// A record with random values in every field: numbers mostly within their
// width, texts of random length from letters the code page holds and now
// and then one it does not, random party flags.
class RandomRecord {
public:
    explicit RandomRecord(unsigned seed) : random_(seed) {}

    // One record in four carries faults: now and then a number that may
    // not fit or a character the code page lacks.
    RecordOfVote make() {
        faulty_ = chance(4);
        RecordOfVote r;
        r.ClearResults();
        fill(r.T4);
        std::string flags;
        for (int n = 1; n <= record::kFlagPositions; ++n) flags += chance(4) ? '1' : '0';
        r.T4.ZakrStrany = flags;
        for (int n = 1; n <= record::kFlagPositions; ++n)
            if (r.isFlagged(n)) fill(r.party(n));
        fill(r.TS);
        return r;
    }

private:
    template <typename Block>
    void fill(Block& block) {
        forEachResultField(block, [this](const auto& field, auto& value) { set(field.width, value); });
    }
    template <std::integral T>
    void set(std::size_t width, T& value) {
        std::int64_t lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
        if (!(faulty_ && chance(100))) {
            std::int64_t widest = 1;
            for (std::size_t i = 0; i < width && widest < hi / 10; ++i) widest *= 10;
            hi = std::min(hi, widest - 1);
            if (lo < 0) lo = -std::min(hi, widest / 10 - 1);
        }
        value = static_cast<T>(std::uniform_int_distribution<std::int64_t>(lo, hi)(random_));
    }
    void set(std::size_t width, std::string& value) {
        static const std::vector<std::string> letters = {"a", "Z", "0", "9", " ", "č", "Ř", "ů", "€", "§", "-"};
        value.clear();
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, width + 2)(random_);
        for (std::size_t i = 0; i < length; ++i)
            value += faulty_ && chance(100) ? std::string("☃") : letters[random_() % letters.size()];
    }
    void set(std::size_t width, PreferenceCounts& values) {
        for (auto& v : values) set(width, v);
    }
    bool chance(unsigned oneIn) { return random_() % oneIn == 0; }

    std::mt19937 random_;
    bool faulty_ = false;
};

// A text as it reads back: cut to its width, padded with blanks.
std::string asStored(const std::string& text, std::size_t width) {
    std::string s = data::utf8Prefix(text, width);
    return s + std::string(width - data::utf8Length(s), ' ');
}

TEST(DataFileLine, WhatTheWriterAcceptsReadsBackFieldByField) {
    RandomRecord random(20211009);
    int written = 0;
    for (int i = 0; i < 2000; ++i) {
        const RecordOfVote r = random.make();
        std::string line;
        try {
            line = resultsLine(r);
        } catch (const data::DataError&) {
            continue;  // refused: nothing written
        }
        ++written;
        RecordOfVote back;
        ASSERT_NO_THROW(parseResultsLine(line, back, "EP532053.00001")) << "record " << i;
        EXPECT_EQ(back.T4, r.T4) << "record " << i;
        for (int n = 1; n <= record::kPartySlots; ++n) {
            const record::TT4P expected = r.isFlagged(n) ? r.party(n) : record::TT4P{};
            EXPECT_EQ(back.party(n), expected) << "record " << i << ", T4P " << n;
        }
        record::TTS expected = r.TS;
        forEachResultField(expected, [](const auto& field, auto& value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) value = asStored(value, field.width);
        });
        EXPECT_EQ(back.TS, expected) << "record " << i;
        EXPECT_EQ(resultsLine(back), line) << "record " << i;
    }
    EXPECT_GT(written, 1000) << "too few records written to show anything";
    EXPECT_LT(written, 2000) << "no record was refused";
}

std::size_t regularFiles(const TempDir& dir) {
    std::size_t files = 0;
    for (auto& entry : std::filesystem::directory_iterator(dir.path())) files += entry.is_regular_file() ? 1 : 0;
    return files;
}

TEST(DataFile, WriteAndReadTheFileOfOneLetter) {
    TempDir dir;
    RecordOfVote r = sampleRecord();
    ZapisData(r, dir.path(), "532053", 1, DataLetter::E);
    EXPECT_TRUE(dir.exists("EP532053.00001"));

    RecordOfVote back;
    ASSERT_TRUE(NactiData(back, dir.path(), "532053", 1, DataLetter::E));
    EXPECT_EQ(back.T4, r.T4);
    EXPECT_FALSE(NactiData(back, dir.path(), "532053", 1, DataLetter::O));
    EXPECT_EQ(back.T4.ZakrStrany, std::string(60, '0'));

    ZapisData(r, dir.path(), "532053", 1, DataLetter::O);  // the file of the other letter stays
    EXPECT_TRUE(dir.exists("OP532053.00001"));
    EXPECT_TRUE(dir.exists("EP532053.00001"));
    EXPECT_EQ(regularFiles(dir), 2u);  // no intermediate files survive
    EXPECT_EQ(dataFileName(DataLetter::O, "999997", 90), "OP999997.00090");
    EXPECT_EQ(dataFileName(DataLetter::E, "532053", 1), "EP532053.00001");
}

// Whatever files an earlier save or an interrupted one left, a save leaves
// the file of its own letter alone, holding the new data.
TEST(DataFile, ASaveLeavesTheFileOfItsLetterOnly) {
    auto file = [](DataLetter l) { return l == DataLetter::E ? "EP532053.00001" : "OP532053.00001"; };
    struct Case {
        const char* name;
        std::vector<DataLetter> before;
        DataLetter saved;
    } cases[] = {
        {"noneToE", {}, DataLetter::E},
        {"noneToO", {}, DataLetter::O},
        {"eToE", {DataLetter::E}, DataLetter::E},
        {"eToO", {DataLetter::E}, DataLetter::O},
        {"oToE", {DataLetter::O}, DataLetter::E},
        {"oToO", {DataLetter::O}, DataLetter::O},
        {"bothToE", {DataLetter::E, DataLetter::O}, DataLetter::E},
        {"bothToO", {DataLetter::E, DataLetter::O}, DataLetter::O},
    };
    RecordOfVote earlier = sampleRecord();
    earlier.T4.ZapsOsoby = 700;
    const RecordOfVote r = sampleRecord();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (DataLetter letter : c.before) ZapisData(earlier, dir.path(), "532053", 1, letter);
        saveResults(r, dir.path(), "532053", 1, c.saved);
        EXPECT_TRUE(dir.exists(file(c.saved)));
        EXPECT_FALSE(dir.exists(file(otherLetter(c.saved))));
        EXPECT_EQ(regularFiles(dir), 1u);
        RecordOfVote back;
        ASSERT_TRUE(NactiData(back, dir.path(), "532053", 1, c.saved));
        EXPECT_EQ(back.T4, r.T4);
    }
}

// The file of the other letter goes only once the new one is on disk: a
// save that fails leaves both files as they were.
TEST(DataFile, ASaveThatFailsLeavesTheFilesAsTheyWere) {
    struct Case {
        const char* name;
        bool tooWide;  // else the target cannot be replaced
        DataLetter saved;
    } cases[] = {
        {"tooWideForE", true, DataLetter::E},
        {"tooWideForO", true, DataLetter::O},
        {"eCannotBeReplaced", false, DataLetter::E},
        {"oCannotBeReplaced", false, DataLetter::O},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const DataLetter other = otherLetter(c.saved);
        const std::string otherFile = dataFileName(other, "532053", 1);
        ZapisData(sampleRecord(), dir.path(), "532053", 1, other);
        const std::string before = dir.read(otherFile);
        RecordOfVote r = sampleRecord();
        if (c.tooWide) r.T4.ZapsOsoby = 100000;
        // A directory in the place of the target: the rename onto it fails, as root too.
        if (!c.tooWide) std::filesystem::create_directory(dir.file(dataFileName(c.saved, "532053", 1)));
        EXPECT_ANY_THROW(saveResults(r, dir.path(), "532053", 1, c.saved));
        ASSERT_TRUE(dir.exists(otherFile));
        EXPECT_EQ(dir.read(otherFile), before);
    }
}

TEST(DataFile, AValueWiderThanItsFieldIsRefusedAndTheSavedFileStays) {
    // Written in full it would shift every later field and leave a file that
    // nobody can read back.
    TempDir dir;
    ZapisData(sampleRecord(), dir.path(), "532053", 1, DataLetter::E);
    const std::string saved = dir.read("EP532053.00001");
    struct Case {
        const char* field;
        std::function<void(RecordOfVote&)> widen;
        long long value;
        int width;
    } cases[] = {
        {"ZapsOsoby", [](RecordOfVote& r) { r.T4.ZapsOsoby = 100000; }, 100000, 5},
        {"KC2", [](RecordOfVote& r) { r.T4.KC2 = -100000; }, -100000, 6},
        {"KSoucet", [](RecordOfVote& r) { r.party(3).KSoucet = 1000000000; }, 1000000000, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        RecordOfVote r = sampleRecord();
        c.widen(r);
        if (const auto e = errorOf<data::FieldWidthError>([&] {
            ZapisData(r, dir.path(), "532053", 1, DataLetter::E);
        })) {
            EXPECT_EQ(e->field(), c.field);
            EXPECT_EQ(e->value(), c.value);
            EXPECT_EQ(e->width(), c.width);
            EXPECT_EQ(e->file(), dir.file("EP532053.00001")) << "the file that was to hold it";
        }
        EXPECT_EQ(dir.read("EP532053.00001"), saved);
    }
    RecordOfVote widest = sampleRecord();
    widest.T4.ZapsOsoby = 99999;
    widest.T4.KC2 = -99999;
    EXPECT_EQ(resultsLine(widest).size(), resultsLine(sampleRecord()).size());
}

TEST(DataFile, ADamagedPackageIsRefusedAndNothingChanges) {
    TempDir dir;
    ZapisData(sampleRecord(), dir.path(), "532053", 1, DataLetter::E);
    std::string good = dir.read("EP532053.00001");
    const std::string notALine = makePackage("1 short");
    const std::string cases[] = {"@@@@" + good.substr(4), good.substr(0, good.size() / 2), notALine,
                                 encryptToPackage(packToContainer(resultsLine(sampleRecord())), "another key")};
    for (const auto& damaged : cases) {
        dir.write("EP532053.00001", damaged);
        RecordOfVote r;
        EXPECT_ANY_THROW(NactiData(r, dir.path(), "532053", 1, DataLetter::E));
        EXPECT_EQ(dir.read("EP532053.00001"), damaged);
    }
}

// A data file holds one results line, at most T4, sixty annexes and TS. A
// package claiming more (a "bomb" on a carrier) is refused before it is
// inflated; the longest line there can be still reads.
TEST(DataFile, APackageClaimingMoreThanTheLongestLineIsRefusedBeforeInflating) {
    TempDir dir;
    RecordOfVote all = sampleRecord();
    for (int n = 1; n <= record::kFlagPositions; ++n) all.MarkParty(n, true);
    ASSERT_EQ(resultsLine(all).size(), kLongestResultsLine);
    ZapisData(all, dir.path(), "532053", 1, DataLetter::E);
    RecordOfVote back;
    EXPECT_TRUE(NactiData(back, dir.path(), "532053", 1, DataLetter::E));

    // 300 MB claimed in the header of a real stream of zeros.
    std::string container = packToContainer(std::string(1024 * 1024, '0'));
    const std::uint32_t claimed = 300u * 1024 * 1024;
    for (int i = 0; i < 4; ++i) container[16 + i] = static_cast<char>((claimed >> (8 * i)) & 0xFF);
    const std::string bomb = encryptToPackage(container);
    dir.write("EP532053.00001", bomb);
    if (const auto e = errorOf<data::FormatError>([&] { NactiData(back, dir.path(), "532053", 1, DataLetter::E); })) {
        EXPECT_EQ(e->field(), kPlainSizeField);
        EXPECT_EQ(e->position(), 16);
    }
    EXPECT_EQ(dir.read("EP532053.00001"), bomb);

    // A file larger than any data file is not read at all.
    const std::string huge(kLargestDataFile + 1, 'A');
    dir.write("EP532053.00001", huge);
    if (const auto e = errorOf<data::FormatError>([&] { NactiData(back, dir.path(), "532053", 1, DataLetter::E); })) {
        EXPECT_EQ(e->field(), kFileSizeField);
    }
}

std::set<std::string> namesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.insert(e.path().filename().string());
    return names;
}

// A disk that fills up while the package is written: the data file of the
// last save stays whole, and a lone "E" file is not given up for an "O"
// file that never reached the disk.
TEST(DataFile, ADiskFullWhileWritingKeepsTheSavedData) {
    const struct {
        const char* name;
        DataLetter saved;    // the file on disk before
        DataLetter writing;  // the letter written
    } cases[] = {{"replacingE", DataLetter::E, DataLetter::E}, {"replacingO", DataLetter::O, DataLetter::O}, {"firstOAfterE", DataLetter::E, DataLetter::O}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ZapisData(sampleRecord(), dir.path(), "532053", 1, c.saved);
        const std::string savedName = dataFileName(c.saved, "532053", 1);
        const std::string before = dir.read(savedName);
        FaultFileSystem fs;
        fs.diskFullAfter(dir.file(dataFileName(c.writing, "532053", 1)), 100);
        RecordOfVote changed = sampleRecord();
        changed.T4.ZapsOsoby = 900;
        if (const auto e = errorOf<data::IoError>([&] {
            ZapisData(changed, dir.path(), "532053", 1, c.writing, fs);
        })) {
            EXPECT_EQ(e->path(), dir.file(dataFileName(c.writing, "532053", 1)));
            EXPECT_EQ(e->osError(), ENOSPC);
        }
        EXPECT_EQ(dir.read(savedName), before);
        EXPECT_EQ(namesIn(dir), std::set<std::string>{savedName});
    }
}

// The "O" file is on disk; the "E" file it supersedes refuses to go. The
// failure is raised, and both files stay for the command to sort out.
TEST(DataFile, AnEFileThatRefusesToGoIsReportedAfterTheOFileIsWritten) {
    TempDir dir;
    ZapisData(sampleRecord(), dir.path(), "532053", 1, DataLetter::E);
    FaultFileSystem fs;
    fs.refuseRemove(dir.file("EP532053.00001"), EACCES);
    EXPECT_THROW(saveResults(sampleRecord(), dir.path(), "532053", 1, DataLetter::O, fs), data::IoError);
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"EP532053.00001", "OP532053.00001"}));
}

TEST(DataFile, AFileThatVanishesBeforeTheReadFailsAndClearsTheBlock) {
    TempDir dir;
    ZapisData(sampleRecord(), dir.path(), "532053", 1, DataLetter::O);
    FaultFileSystem fs;
    fs.vanishOnOpen(dir.file("OP532053.00001"));
    RecordOfVote r = sampleRecord();
    const auto e = errorOf<data::IoError>([&] { NactiData(r, dir.path(), "532053", 1, DataLetter::O, fs); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), dir.file("OP532053.00001"));
    EXPECT_EQ(e->osError(), ENOENT);
    EXPECT_EQ(r.T4.ZapsOsoby, 0) << "the block was cleared before the read";
}

}  // namespace
}  // namespace talmorek::exporting
