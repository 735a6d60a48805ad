#include "core/data/station.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "core/data/hand_bytes.h"
#include "core/data/errors.h"
#include "support/error_of.h"
#include "support/fault_file_system.h"
#include "support/temp_dir.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::hex;
using talmorek::testing::putLe32;
using talmorek::testing::putLenText;
using talmorek::testing::FaultFileSystem;
using talmorek::testing::TempDir;

// The station record of Kladno, precinct 1, built byte by byte over `r`
// (260 bytes whose other bytes are not significant).
std::string kladnoRecordOver(std::string r) {
    putLenText(r, 0, "PS");
    putLenText(r, 3, "211");
    putLenText(r, 7, "Kladno");
    putLenText(r, 48, "532053");
    putLe32(r, 56, 1);
    putLenText(r, 60, "3203");
    putLenText(r, 65, "Kladno");
    putLenText(r, 91, "2");
    putLenText(r, 94, "3027");
    putLenText(r, 99, "St\xF8\x65\x64o\xE8\x65sk\xFD");  // "Středočeský"
    putLenText(r, 248, " CE");
    putLenText(r, 252, "18");
    putLenText(r, 255, "N");
    return r;
}

std::string kladnoRecord(char fill = '\0') { return kladnoRecordOver(std::string(260, fill)); }

TStanice kladno() {
    TStanice s;
    s.Oznaceni = "PS";
    s.KodUzemi = "211";
    s.NazevObce = "Kladno";
    s.KodObce = "532053";
    s.CisloOkrsku = 1;
    s.KodOkresu = "3203";
    s.NazevOkresu = "Kladno";
    s.CisloKraje = "2";
    s.KodKraje = "3027";
    s.NazevKraje = "Středočeský";
    s.Pripona = " CE";
    s.KodOS = "18";
    s.Stav = "N";
    return s;
}

void expectSameFields(const TStanice& a, const TStanice& b) {
    EXPECT_EQ(a.Oznaceni, b.Oznaceni);
    EXPECT_EQ(a.KodUzemi, b.KodUzemi);
    EXPECT_EQ(a.NazevObce, b.NazevObce);
    EXPECT_EQ(a.KodObce, b.KodObce);
    EXPECT_EQ(a.CisloOkrsku, b.CisloOkrsku);
    EXPECT_EQ(a.KodOkresu, b.KodOkresu);
    EXPECT_EQ(a.NazevOkresu, b.NazevOkresu);
    EXPECT_EQ(a.CisloKraje, b.CisloKraje);
    EXPECT_EQ(a.KodKraje, b.KodKraje);
    EXPECT_EQ(a.NazevKraje, b.NazevKraje);
    EXPECT_EQ(hex(a.reserved), hex(b.reserved));
    EXPECT_EQ(a.Pripona, b.Pripona);
    EXPECT_EQ(a.KodOS, b.KodOS);
    EXPECT_EQ(a.Stav, b.Stav);
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(gen() & 0xFF);
    return s;
}

TEST(Station, DecodesEveryFieldAtItsOffset) {
    expectSameFields(decodeStanice(kladnoRecord()), kladno());
}

TEST(Station, EncodesToExactlyTheseBytes) {
    EXPECT_EQ(hex(encodeStanice(kladno())), hex(kladnoRecord()));
}

TEST(Station, NotSignificantBytesDoNotMatterWhenReading) {
    // Text tails, padding and the reserved area hold junk; the fields read the same.
    std::string junk = kladnoRecord('\xE5');
    TStanice expected = kladno();
    expected.reserved = std::string(128, '\xE5');
    expectSameFields(decodeStanice(junk), expected);
}

TEST(Station, EncodingOntoARecordKeepsTheBytesNoFieldOwns) {
    const std::string base = kladnoRecordOver(randomBytes(260, 7));
    TStanice s = decodeStanice(base);
    EXPECT_EQ(hex(encodeStanice(s, base)), hex(base));
}

TEST(Station, NameOfFortyFiveCharactersKeepsItsFirstForty) {
    TStanice s = kladno();
    s.NazevObce = std::string(40, 'K') + "ladno";
    std::string r = encodeStanice(s);
    EXPECT_EQ(static_cast<unsigned char>(r[7]), 40);
    EXPECT_EQ(r.substr(8, 40), std::string(40, 'K'));
    EXPECT_EQ(r[48], 6) << "the next field, KodObce, is untouched";
    EXPECT_EQ(decodeStanice(r).NazevObce, std::string(40, 'K'));
}

TEST(Station, ElectionDates) {
    struct Case {
        const char* name;
        const char* kodObce;
        std::int32_t okrsek;
        const char* dates;
    };
    const Case cases[] = {
        {"abroad_82_before_the_early_range", "999997", 82, "08.10. - 09.10.2021"},
        {"abroad_83_first_of_the_early_range", "999997", 83, "07.10. - 08.10.2021"},
        {"abroad_90_inside", "999997", 90, "07.10. - 08.10.2021"},
        {"abroad_96_last_of_the_early_range", "999997", 96, "07.10. - 08.10.2021"},
        {"abroad_97_after_the_early_range", "999997", 97, "08.10. - 09.10.2021"},
        {"ordinary_precinct_90_votes_as_usual", "532053", 90, "08.10. - 09.10.2021"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStanice s;
        s.KodObce = c.kodObce;
        s.CisloOkrsku = c.okrsek;
        EXPECT_EQ(electionDates(s), c.dates);
    }
}

TEST(Station, SpecialPrecinctIsDecidedByTheMunicipalityCodeAlone) {
    struct Case {
        const char* name;
        const char* kodObce;
        const char* kodUzemi;
        bool special;
    };
    const Case cases[] = {
        {"abroad", "999997", "999", true},
        {"abroad_with_another_territory_code", "999997", "211", true},
        {"ordinary", "532053", "211", false},
        {"territory_999_alone_is_only_for_the_entry_window", "532053", "999", false},
        {"code_with_trailing_blank", "999997 ", "999", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStanice s;
        s.KodObce = c.kodObce;
        s.KodUzemi = c.kodUzemi;
        EXPECT_EQ(isSpecialPrecinct(s), c.special);
    }
}

TEST(Station, PrecinctNumberAsFiveDigits) {
    EXPECT_EQ(precinctFiveDigits(7), "00007");
    EXPECT_EQ(precinctFiveDigits(1), "00001");
    EXPECT_EQ(precinctFiveDigits(12345), "12345");
    EXPECT_EQ(precinctFiveDigits(99999), "99999");
}

TEST(Station, ReservedTextAtOffset186) {
    std::string r = kladnoRecord();
    putLenText(r, 186, "4711");
    EXPECT_EQ(reservedText(decodeStanice(r)), "4711");

    r[186] = static_cast<char>(255);  // a length that runs past the reserved area
    EXPECT_EQ(reservedText(decodeStanice(r)).size(), 247u - 186u);
}

TEST(Station, NactiStaniciReadsTheFileOfTheStationDirectory) {
    TempDir dir;
    dir.write("STANICE.RCD", kladnoRecord());
    expectSameFields(NactiStanici(dir.path()), kladno());
}

TEST(Station, NactiStaniciFindsALowerCaseFileName) {
    TempDir dir;
    dir.write("stanice.rcd", kladnoRecord());
    EXPECT_EQ(NactiStanici(dir.path()).KodObce, "532053");
}

// A field converted later (the operating-system code at a save) names the
// file the record came from.
TEST(Station, TheRecordKnowsTheFileItWasReadFrom) {
    TempDir dir;
    dir.write("stanice.rcd", kladnoRecord());
    EXPECT_EQ(NactiStanici(dir.path()).sourceFile, dir.file("stanice.rcd"));
    TStanice shared;
    ZapisStavStanice(dir.path(), "A", shared);
    EXPECT_EQ(shared.sourceFile, dir.file("stanice.rcd"));
    EXPECT_EQ(decodeStanice(kladnoRecord()).sourceFile, "") << "a record made in memory has no file";
}

TEST(Station, NactiStaniciReadsOnlyTheFirstRecord) {
    TempDir dir;
    dir.write("STANICE.RCD", kladnoRecord() + std::string(40, 'x'));
    EXPECT_EQ(NactiStanici(dir.path()).KodObce, "532053");
}

TEST(Station, NactiStaniciFailsOnAFileCutByOneByte) {
    TempDir dir;
    dir.write("STANICE.RCD", kladnoRecord().substr(0, 259));
    const auto e = errorOf<IoError>([&] { NactiStanici(dir.path()); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), dir.file("STANICE.RCD"));
    EXPECT_EQ(e->osError(), 0);
}

TEST(Station, NactiStaniciFailsWithoutTheFile) {
    TempDir dir;
    const auto e = errorOf<IoError>([&] { NactiStanici(dir.path()); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), dir.file("STANICE.RCD"));
    EXPECT_EQ(e->osError(), ENOENT);
}

// The installation's reserved bytes, padding and text tails must survive a
// status update bit for bit: only the length byte and the letter change.
TEST(Station, StatusUpdateChangesOnlyTheTwoBytesOfStav) {
    TempDir dir;
    const std::string before = randomBytes(260, 2021);
    dir.write("STANICE.RCD", before);
    TStanice shared = kladno();

    ZapisStavStanice(dir.path(), "A", shared);

    const std::string after = dir.read("STANICE.RCD");
    ASSERT_EQ(after.size(), 260u);
    std::string expected = before;
    expected[255] = 1;
    expected[256] = 'A';
    EXPECT_EQ(hex(after), hex(expected));

    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.insert(e.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"STANICE.RCD"}) << "no temporary file is left";
}

TEST(Station, StatusUpdateReplacesTheSharedRecordWithTheFile) {
    TempDir dir;
    dir.write("STANICE.RCD", kladnoRecord());
    TStanice shared;
    shared.NazevObce = "changed only in memory";

    ZapisStavStanice(dir.path(), "A", shared);

    TStanice expected = kladno();
    expected.Stav = "A";
    expectSameFields(shared, expected);
    expectSameFields(NactiStanici(dir.path()), expected);
}

TEST(Station, StatusLetterIsCutToOneCharacterOnDiskAndInMemory) {
    TempDir dir;
    dir.write("STANICE.RCD", kladnoRecord());
    TStanice shared;
    ZapisStavStanice(dir.path(), "AN", shared);
    EXPECT_EQ(shared.Stav, "A");
    EXPECT_EQ(dir.read("STANICE.RCD").substr(255, 2), std::string("\x01" "A"));
}

TEST(Station, StatusUpdateWritesALowerCaseFileInPlace) {
    TempDir dir;
    dir.write("stanice.rcd", kladnoRecord());
    TStanice shared;
    ZapisStavStanice(dir.path(), "A", shared);
    // The directory holds the one file under its own name (a check by name
    // would find "STANICE.RCD" where letter case is ignored).
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, std::set<std::string>{"stanice.rcd"});
    EXPECT_EQ(dir.read("stanice.rcd")[256], 'A');
}

// A failed status update leaves the file as it was, and the shared copy
// mirrors that file, not the letter that was not written.
TEST(Station, AFailedStatusUpdateKeepsTheRecordAndTheSharedCopyMirrorsIt) {
    const struct {
        const char* name;
        void (*inject)(FaultFileSystem&, const std::string& file);
        int error;
        const char* sharedStav;  // what the shared copy holds afterwards
    } cases[] = {
        // The re-read succeeds, the replacement fails.
        {"diskFull", [](FaultFileSystem& fs, const std::string& f) { fs.diskFullAfter(f, 100); }, ENOSPC, "N"},
        // Refused at the first open: nothing is read either.
        {"writeProtected", [](FaultFileSystem& fs, const std::string& f) { fs.writeProtect(f); }, EACCES, "?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write("STANICE.RCD", kladnoRecord());
        FaultFileSystem fs;
        c.inject(fs, dir.file("STANICE.RCD"));
        TStanice shared = kladno();
        shared.Stav = "?";
        if (const auto e = errorOf<IoError>([&] { ZapisStavStanice(dir.path(), "A", shared, fs); })) {
            EXPECT_EQ(e->path(), dir.file("STANICE.RCD"));
            EXPECT_EQ(e->osError(), c.error);
        }
        EXPECT_EQ(hex(dir.read("STANICE.RCD")), hex(kladnoRecord()));
        EXPECT_EQ(shared.Stav, c.sharedStav);
    }
}

TEST(Station, StatusUpdateWithoutTheFileFails) {
    TempDir dir;
    TStanice shared = kladno();
    EXPECT_THROW(ZapisStavStanice(dir.path(), "A", shared), IoError);
    EXPECT_EQ(shared.Stav, "N");
}

// A station record damaged in a field that names the precinct is refused
// when read, naming the file and the field, instead of printing "Okrsek:
// 1155247170" or saving under it.
TEST(Station, ADamagedFieldIsRefusedByItsName) {
    const struct {
        const char* name;
        void (*spoil)(std::string& record);
        const char* field;
        bool notANumber;  // ConversionError rather than FieldValueError
    } cases[] = {
        {"municipalityLetters", [](std::string& r) { putLenText(r, 48, "ABCDEF"); }, "KodObce", true},
        {"municipalityFiveDigits", [](std::string& r) { putLenText(r, 48, "53205"); }, "KodObce", false},
        {"municipalitySigned", [](std::string& r) { putLenText(r, 48, "+53205"); }, "KodObce", false},
        {"municipalityBlank", [](std::string& r) { putLenText(r, 48, " 32053"); }, "KodObce", false},
        {"municipalityEmpty", [](std::string& r) { putLenText(r, 48, ""); }, "KodObce", true},
        {"precinctZero", [](std::string& r) { putLe32(r, 56, 0); }, "CisloOkrsku", false},
        {"precinctNegative", [](std::string& r) { putLe32(r, 56, -5); }, "CisloOkrsku", false},
        {"precinctTooLarge", [](std::string& r) { putLe32(r, 56, 1155247170); }, "CisloOkrsku", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string record = kladnoRecord();
        c.spoil(record);
        dir.write("STANICE.RCD", record);
        if (const auto e = errorOf<DataError>([&] { NactiStanici(dir.path()); })) {
            EXPECT_EQ(e->file(), dir.file("STANICE.RCD"));
            EXPECT_EQ(e->field(), c.field);
            EXPECT_EQ(dynamic_cast<const ConversionError*>(&*e) != nullptr, c.notANumber) << e->what();
            EXPECT_EQ(dynamic_cast<const FieldValueError*>(&*e) != nullptr, !c.notANumber) << e->what();
        }
    }
}

// The fields checked where they are used: a station damaged in them still
// reads (and starts), with the value as the file holds it.
TEST(Station, FieldsUsedElsewhereAreReadAsTheyAre) {
    const struct {
        const char* name;
        std::size_t offset;
        const char* text;
        std::string TStanice::*member;
    } cases[] = {
        {"region_letter", 91, "x", &TStanice::CisloKraje},
        {"region_empty", 91, "", &TStanice::CisloKraje},
        {"operating_system_not_a_number", 252, "]u", &TStanice::KodOS},
        {"status_unknown", 255, "X", &TStanice::Stav},
        {"status_control", 255, "\x01", &TStanice::Stav},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string record = kladnoRecord();
        putLenText(record, c.offset, c.text);
        dir.write("STANICE.RCD", record);
        EXPECT_EQ(NactiStanici(dir.path()).*c.member, c.text);
    }
}

TEST(Station, EveryStatusAnInstallationOrTheProgramWritesIsRead) {
    for (const char* stav : {"", " ", "A", "N"}) {
        SCOPED_TRACE(stav);
        TempDir dir;
        std::string record = kladnoRecord();
        putLenText(record, 255, stav);
        dir.write("STANICE.RCD", record);
        EXPECT_EQ(NactiStanici(dir.path()).Stav, stav);
    }
}

TEST(Station, RandomBytesAreRefused) {
    for (unsigned seed = 1; seed <= 50; ++seed) {
        SCOPED_TRACE(seed);
        TempDir dir;
        dir.write("STANICE.RCD", randomBytes(260, seed));
        EXPECT_THROW(NactiStanici(dir.path()), DataError);
    }
}

}  // namespace
}  // namespace talmorek::data
