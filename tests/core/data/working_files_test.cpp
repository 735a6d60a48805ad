#include "core/data/working_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "core/data/hand_bytes.h"
#include "core/data/cp1250.h"
#include "core/data/errors.h"
#include "support/error_of.h"
#include "support/fault_file_system.h"
#include "support/temp_dir.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::FaultFileSystem;
using talmorek::testing::hex;
using talmorek::testing::putLenText;
using talmorek::testing::TempDir;

// Where each field of the course-of-voting record lies: offset and capacity.
struct Place {
    std::string Hlasovani::*member;
    std::size_t offset;
    std::size_t capacity;
};

const Place kPlaces[] = {
    {&Hlasovani::DatumVoleb, 0, 10},   {&Hlasovani::Zahajeno1, 11, 5},    {&Hlasovani::Ukonceno1, 17, 5},
    {&Hlasovani::Zahajeno2, 23, 5},    {&Hlasovani::Ukonceno2, 29, 5},    {&Hlasovani::Odroceno, 35, 1},
    {&Hlasovani::OdrocenoD, 37, 23},   {&Hlasovani::OdrocenoH, 61, 2},    {&Hlasovani::OdrocenoM, 64, 2},
    {&Hlasovani::DuvodOdroc, 67, 200}, {&Hlasovani::Prodlouzeno, 268, 1}, {&Hlasovani::ProdlouzD, 270, 23},
    {&Hlasovani::ProdlouzH, 294, 2},   {&Hlasovani::ProdlouzM, 297, 2},   {&Hlasovani::DuvodProdl, 300, 200},
    {&Hlasovani::Preruseno, 501, 1},   {&Hlasovani::PrerusD, 503, 23},    {&Hlasovani::PrerusOd, 527, 5},
    {&Hlasovani::PrerusDo, 533, 5},    {&Hlasovani::DuvodPrer, 539, 200}, {&Hlasovani::Stiznosti, 740, 1},
    {&Hlasovani::StizListu, 742, 2},   {&Hlasovani::Schranka, 745, 1},    {&Hlasovani::PrilListu, 747, 2},
    {&Hlasovani::ClenuOVKC, 750, 2},   {&Hlasovani::ClenuOVKP, 753, 2},   {&Hlasovani::Ostatni, 756, 200},
    {&Hlasovani::PoverPred, 957, 200}, {&Hlasovani::Zapisovat, 1158, 35},
};

// Every field filled to its capacity with a text of its own: "Ř" followed by
// a letter that differs from field to field. Returns the record in memory and
// its bytes, built by hand.
std::pair<Hlasovani, std::string> everyFieldFull() {
    Hlasovani h;
    std::string bytes(1194, '\0');
    char letter = 'A';
    for (const auto& p : kPlaces) {
        std::string tail(p.capacity - 1, letter);
        h.*p.member = "Ř" + tail;
        putLenText(bytes, p.offset, "\xD8" + tail);
        letter = letter == 'Z' ? 'a' : static_cast<char>(letter + 1);
    }
    return {h, bytes};
}

// A typical record of a precinct that postponed its start.
std::pair<Hlasovani, std::string> postponed() {
    Hlasovani h;
    h.Zahajeno1 = "14:00";
    h.Ukonceno1 = "22:00";
    h.Zahajeno2 = "08:00";
    h.Ukonceno2 = "14:00";
    h.Odroceno = "B";
    h.OdrocenoD = "8.10.2021";
    h.OdrocenoH = "15";
    h.OdrocenoM = "30";
    h.DuvodOdroc = "Výpadek proudu";
    h.Prodlouzeno = "N";
    h.Preruseno = "N";
    h.Stiznosti = "N";
    h.Schranka = "B";
    h.PrilListu = "1";
    h.ClenuOVKC = "7";
    h.ClenuOVKP = "5";
    h.Zapisovat = "Eva Malá";
    std::string b(1194, '\0');
    putLenText(b, 11, "14:00");
    putLenText(b, 17, "22:00");
    putLenText(b, 23, "08:00");
    putLenText(b, 29, "14:00");
    putLenText(b, 35, "B");
    putLenText(b, 37, "8.10.2021");
    putLenText(b, 61, "15");
    putLenText(b, 64, "30");
    putLenText(b, 67, "V\xFDpadek proudu");
    putLenText(b, 268, "N");
    putLenText(b, 501, "N");
    putLenText(b, 740, "N");
    putLenText(b, 745, "B");
    putLenText(b, 747, "1");
    putLenText(b, 750, "7");
    putLenText(b, 753, "5");
    putLenText(b, 1158, "Eva Mal\xE1");
    return {h, b};
}

std::set<std::string> namesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.insert(e.path().filename().string());
    return names;
}

template <typename F>
IoError ioErrorOf(F op) {
    return errorOf<IoError>(op).value_or(IoError("", -1, ""));
}

// ---- HLASO.RCD ----

// One rule, wherever the commission list is decided: a count of two and
// more has others beside the clerk, anything below two is the chair alone.
TEST(OtherMembersPresent, CountsOfTwoAndMoreHaveOthersAndTheRestIsTheChairAlone) {
    const struct {
        const char* text;
        std::optional<int> others;
    } cases[] = {{"", std::nullopt},   {" ", std::nullopt}, {"0", std::nullopt}, {"00", std::nullopt},
                 {"1", std::nullopt},  {"01", std::nullopt}, {"2", 1},           {"02", 1},
                 {" 5", 4},            {"12", 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        EXPECT_EQ(otherMembersPresent(c.text), c.others);
    }
    if (const auto e = errorOf<ConversionError>([&] {
        otherMembersPresent("x", {"/i/data/HLASO.RCD", "ClenuOVKP"});
    })) {
        EXPECT_EQ(e->file(), "/i/data/HLASO.RCD");
        EXPECT_EQ(e->field(), "ClenuOVKP");
    }
}

TEST(Hlasovani, RecordBytesBothWays) {
    for (const auto& [name, sample] : {std::pair{"every_field_full", everyFieldFull()},
                                       std::pair{"postponed_start", postponed()}}) {
        SCOPED_TRACE(name);
        const auto& [h, bytes] = sample;
        EXPECT_EQ(hex(encodeHlasovani(h)), hex(bytes));
        EXPECT_EQ(decodeHlasovani(bytes), h);
    }
}

TEST(Hlasovani, EmptyRecordOfAFreshInstallation) {
    EXPECT_EQ(decodeHlasovani(std::string(1194, '\0')), Hlasovani{});
    EXPECT_EQ(hex(encodeHlasovani(Hlasovani{})), hex(std::string(1194, '\0')));
}

TEST(Hlasovani, WriteThenReadGivesEveryFieldBack) {
    TempDir dir;
    const auto [h, bytes] = everyFieldFull();
    ASSERT_EQ(utf8Length(h.DuvodOdroc), 200u);
    ASSERT_EQ(utf8Length(h.Zapisovat), 35u);
    ZapisHlasovani(dir.path(), h);
    EXPECT_EQ(hex(dir.read("HLASO.RCD")), hex(bytes));
    EXPECT_EQ(NactiHlasovani(dir.path()), h);
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"HLASO.RCD"});
}

TEST(Hlasovani, WritingReplacesTheWholeFile) {
    TempDir dir;
    dir.write("HLASO.RCD", std::string(1300, 'x'));
    const auto [h, bytes] = postponed();
    ZapisHlasovani(dir.path(), h);
    EXPECT_EQ(hex(dir.read("HLASO.RCD")), hex(bytes));
}

TEST(Hlasovani, OverlongTextsAreCutToTheirFields) {
    TempDir dir;
    Hlasovani h;
    h.DuvodOdroc = std::string(200, 'r') + std::string(30, 'X');
    h.Zapisovat = std::string(35, 'z') + "!";
    h.Odroceno = "BN";
    ZapisHlasovani(dir.path(), h);
    Hlasovani back = NactiHlasovani(dir.path());
    EXPECT_EQ(back.DuvodOdroc, std::string(200, 'r'));
    EXPECT_EQ(back.Zapisovat, std::string(35, 'z'));
    EXPECT_EQ(back.Odroceno, "B");
    EXPECT_EQ(dir.read("HLASO.RCD").size(), 1194u);
}

TEST(Hlasovani, ReadingFailsOnAShortOrMissingFile) {
    struct Case {
        const char* name;
        std::optional<std::size_t> size;  // nothing: no file
        int osError;
    };
    const Case cases[] = {
        {"cut_by_one_byte", 1193, 0},
        {"empty", 0, 0},
        {"missing", std::nullopt, ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.size) dir.write("HLASO.RCD", std::string(*c.size, '\0'));
        IoError e = ioErrorOf([&] { NactiHlasovani(dir.path()); });
        EXPECT_EQ(e.path(), dir.file("HLASO.RCD"));
        EXPECT_EQ(e.osError(), c.osError);
    }
}

TEST(Hlasovani, ExtraBytesAfterTheRecordAreIgnored) {
    TempDir dir;
    const auto [h, bytes] = postponed();
    dir.write("HLASO.RCD", bytes + "trailing junk");
    EXPECT_EQ(NactiHlasovani(dir.path()), h);
}

TEST(Hlasovani, LowerCaseFileNameIsUsed) {
    TempDir dir;
    dir.write("hlaso.rcd", std::string(1194, '\0'));
    const auto [h, bytes] = postponed();
    ZapisHlasovani(dir.path(), h);
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"hlaso.rcd"});
    EXPECT_EQ(NactiHlasovani(dir.path()), h);
}

// A write-protected HLASO.RCD is neither replaced nor read: the course of
// voting is opened for writing like every working file.
TEST(Hlasovani, AWriteProtectedFileIsNeitherWrittenNorRead) {
    TempDir dir;
    const auto [h, bytes] = postponed();
    dir.write("HLASO.RCD", std::string(1194, '\0'));
    FaultFileSystem fs;
    fs.writeProtect(dir.file("HLASO.RCD"));
    // The binding is captured by name: clang before 16 cannot capture it implicitly.
    IoError write = ioErrorOf([&, &h = h] { ZapisHlasovani(dir.path(), h, fs); });
    EXPECT_EQ(write.path(), dir.file("HLASO.RCD"));
    EXPECT_EQ(write.osError(), EACCES);
    IoError read = ioErrorOf([&] { NactiHlasovani(dir.path(), fs); });
    EXPECT_EQ(read.path(), dir.file("HLASO.RCD"));
    EXPECT_EQ(read.osError(), EACCES);
    EXPECT_EQ(dir.read("HLASO.RCD"), std::string(1194, '\0'));
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"HLASO.RCD"});
}

TEST(Hlasovani, ADiskFullWhileSavingKeepsTheLastSave) {
    TempDir dir;
    const auto [h, bytes] = postponed();
    ZapisHlasovani(dir.path(), Hlasovani{});
    const std::string before = dir.read("HLASO.RCD");
    FaultFileSystem fs;
    fs.diskFullAfter(dir.file("HLASO.RCD"), 600);
    IoError e = ioErrorOf([&, &h = h] { ZapisHlasovani(dir.path(), h, fs); });
    EXPECT_EQ(e.osError(), ENOSPC);
    EXPECT_EQ(dir.read("HLASO.RCD"), before);
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"HLASO.RCD"});
}

// ---- KOMISE.RCD ----

std::string member(std::string_view cp1250Name) {
    std::string r(51, '\0');
    putLenText(r, 0, cp1250Name);
    return r;
}

TEST(Komise, FiveMembersPresentMakeFourEntriesOf51Bytes) {
    TempDir dir;
    SeznamKomise list;
    DelkaKomise(list, 5 - 1);
    list[0].clen = "Jan Novák";
    list[1].clen = "Eva Malá";
    list[3].clen = "Petr Černý";
    ZapisKomisi(dir.path(), list);
    EXPECT_EQ(hex(dir.read("KOMISE.RCD")),
              hex(member("Jan Nov\xE1k") + member("Eva Mal\xE1") + member("") + member("Petr \xC8\x65rn\xFD")));
    EXPECT_EQ(NactiKomisi(dir.path()), list);
}

TEST(Komise, EmptyListWritesAnEmptyFile) {
    TempDir dir;
    dir.write("KOMISE.RCD", member("Old Member"));
    ZapisKomisi(dir.path(), {});
    EXPECT_EQ(dir.read("KOMISE.RCD"), "");
    EXPECT_TRUE(NactiKomisi(dir.path()).empty());
    EXPECT_FALSE(KomiseNeprazdna(dir.path()));
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"KOMISE.RCD"});
}

TEST(Komise, NameIsCutToFiftyCharacters) {
    TempDir dir;
    ZapisKomisi(dir.path(), {TKomise{std::string(50, 'n') + "ová"}});
    EXPECT_EQ(hex(dir.read("KOMISE.RCD")), hex(member(std::string(50, 'n'))));
}

TEST(Komise, ReadingTakesTheWholeRecordsUpTo255) {
    struct Case {
        const char* name;
        std::size_t bytes;
        std::size_t entries;
    };
    const Case cases[] = {
        {"empty_file", 0, 0},
        {"three_records", 153, 3},
        {"255_records", 255 * 51, 255},
        {"256_records_keep_the_first_255", 256 * 51, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string bytes;
        for (std::size_t i = 0; i * 51 < c.bytes; ++i) bytes += member("Member " + std::to_string(i + 1));
        dir.write("KOMISE.RCD", bytes.substr(0, c.bytes));
        SeznamKomise list = NactiKomisi(dir.path());
        ASSERT_EQ(list.size(), c.entries);
        if (!list.empty()) {
            EXPECT_EQ(list.front().clen, "Member 1");
            EXPECT_EQ(list.back().clen, "Member " + std::to_string(c.entries));
        }
    }
}

// A file cut short (a copy interrupted, a damaged medium) would drop its
// last name unseen: it is refused by the record cut short, as the tool's
// dump refuses it.
TEST(Komise, AFileCutShortIsRefusedByItsLastRecord) {
    const struct {
        const char* name;
        std::size_t bytes;
        long long record;
    } cases[] = {{"three_records_and_a_partial_one", 160, 3}, {"less_than_one_record", 50, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string bytes;
        for (int i = 0; i < 4; ++i) bytes += member("Member " + std::to_string(i + 1));
        dir.write("KOMISE.RCD", bytes.substr(0, c.bytes));
        IoError e = ioErrorOf([&] { NactiKomisi(dir.path()); });
        EXPECT_EQ(e.path(), dir.file("KOMISE.RCD"));
        EXPECT_EQ(e.osError(), 0);
        EXPECT_EQ(e.record(), c.record);
    }
}

TEST(Komise, MissingFileFails) {
    TempDir dir;
    IoError read = ioErrorOf([&] { NactiKomisi(dir.path()); });
    EXPECT_EQ(read.path(), dir.file("KOMISE.RCD"));
    EXPECT_EQ(read.osError(), ENOENT);
    IoError probe = ioErrorOf([&] { KomiseNeprazdna(dir.path()); });
    EXPECT_EQ(probe.path(), dir.file("KOMISE.RCD"));
    EXPECT_EQ(probe.osError(), ENOENT);
}

TEST(Komise, ADiskFullWhileSavingKeepsTheLastList) {
    TempDir dir;
    ZapisKomisi(dir.path(), {{"Jan"}, {"Eva"}});
    const std::string before = dir.read("KOMISE.RCD");
    FaultFileSystem fs;
    fs.diskFullAfter(dir.file("KOMISE.RCD"), 51);
    IoError e = ioErrorOf([&] { ZapisKomisi(dir.path(), {{"Jan"}, {"Eva"}, {"Petr"}}, fs); });
    EXPECT_EQ(e.path(), dir.file("KOMISE.RCD"));
    EXPECT_EQ(e.osError(), ENOSPC);
    EXPECT_EQ(dir.read("KOMISE.RCD"), before);
    EXPECT_EQ(NactiKomisi(dir.path()), (SeznamKomise{{"Jan"}, {"Eva"}}));
}

TEST(Komise, NotEmptyMeansAnyByteAtAll) {
    TempDir dir;
    dir.write("KOMISE.RCD", "");
    EXPECT_FALSE(KomiseNeprazdna(dir.path()));
    dir.write("KOMISE.RCD", "x");
    EXPECT_TRUE(KomiseNeprazdna(dir.path()));
    dir.write("KOMISE.RCD", member("Jan"));
    EXPECT_TRUE(KomiseNeprazdna(dir.path()));
}

TEST(Komise, DelkaKomiseKeepsNamesBelowTheNewLength) {
    SeznamKomise list = {{"A"}, {"B"}, {"C"}};
    DelkaKomise(list, 5);
    EXPECT_EQ(list, (SeznamKomise{{"A"}, {"B"}, {"C"}, {""}, {""}}));
    DelkaKomise(list, 2);
    EXPECT_EQ(list, (SeznamKomise{{"A"}, {"B"}}));
    DelkaKomise(list, 0);
    EXPECT_TRUE(list.empty());
    DelkaKomise(list, 300);
    EXPECT_EQ(list.size(), 255u) << "the list's length is held in one byte";
}

}  // namespace
}  // namespace talmorek::data
