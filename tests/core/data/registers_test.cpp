#include "core/data/registers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

#include "core/data/hand_bytes.h"
#include "core/data/errors.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::hex;
using talmorek::testing::putLe32;
using talmorek::testing::putLenText;
using talmorek::testing::TempDir;

// Register records built byte by byte (texts already in code page 1250).

std::string okrsek(std::string_view kod, std::string_view nazev, std::string_view od, std::string_view do_,
                   std::string_view kodOkresu = "3203", std::string_view nazevOkresu = "Kladno") {
    std::string r(91, '\0');
    putLenText(r, 0, kod);
    putLenText(r, 7, nazev);
    putLenText(r, 48, od);
    putLenText(r, 54, do_);
    putLenText(r, 60, kodOkresu);
    putLenText(r, 65, nazevOkresu);
    return r;
}

std::string zvlastni(std::string_view kod, std::int32_t cislo, std::string_view nazev1, std::string_view nazev2) {
    std::string r(64, '\0');
    putLenText(r, 0, kod);
    putLe32(r, 8, static_cast<std::uint32_t>(cislo));
    putLenText(r, 12, nazev1);
    putLenText(r, 38, nazev2);
    return r;
}

std::string volici(std::string_view kod, std::int32_t cislo, std::int32_t volicu) {
    std::string r(16, '\0');
    putLenText(r, 0, kod);
    putLe32(r, 8, static_cast<std::uint32_t>(cislo));
    putLe32(r, 12, static_cast<std::uint32_t>(volicu));
    return r;
}

std::string strana(std::string_view cislo, std::string_view nazev, std::string_view pocet) {
    std::string r(58, '\0');
    putLenText(r, 0, cislo);
    putLenText(r, 4, nazev);
    putLenText(r, 55, pocet);
    return r;
}

std::string kandidat(std::string_view strana, std::string_view poradi, std::string_view jmeno1,
                     std::string_view jmeno2, std::string_view priznak) {
    std::string r(91, '\0');
    putLenText(r, 0, strana);
    putLenText(r, 4, poradi);
    putLenText(r, 7, jmeno1);
    putLenText(r, 48, jmeno2);
    putLenText(r, 89, priznak);
    return r;
}

template <typename... Records>
std::string file(const Records&... records) {
    return (std::string() + ... + records);
}

template <typename F>
IoError ioErrorOf(F op) {
    return errorOf<IoError>(op).value_or(IoError("", -1, ""));
}

template <typename F>
FormatError formatErrorOf(F op) {
    return errorOf<FormatError>(op).value_or(FormatError("", -1, ""));
}

// ---- record layouts, both directions ----

TEST(RegisterLayouts, Okrsky) {
    const std::string bytes = okrsek("532053", "Kladno", "1", "56", "3203", "Kladno \xE8\xE1st");
    const TOkrsky value{"532053", "Kladno", "1", "56", "3203", "Kladno část"};
    EXPECT_EQ(hex(encodeOkrsky(value)), hex(bytes));
    TOkrsky d = decodeOkrsky(bytes);
    EXPECT_EQ(d.KodObce, value.KodObce);
    EXPECT_EQ(d.NazevObce, value.NazevObce);
    EXPECT_EQ(d.OkrsekOd, value.OkrsekOd);
    EXPECT_EQ(d.OkrsekDo, value.OkrsekDo);
    EXPECT_EQ(d.KodOkresu, value.KodOkresu);
    EXPECT_EQ(d.NazevOkresu, value.NazevOkresu);
}

TEST(RegisterLayouts, Psrzvo) {
    const std::string bytes = zvlastni("999997", 90, "Washington", "USA");
    EXPECT_EQ(hex(encodePsrzvo({"999997", 90, "Washington", "USA"})), hex(bytes));
    TPsrzvo d = decodePsrzvo(bytes);
    EXPECT_EQ(d.KodObce, "999997");
    EXPECT_EQ(d.CisloOkrsku, 90);
    EXPECT_EQ(d.Nazev1, "Washington");
    EXPECT_EQ(d.Nazev2, "USA");
}

TEST(RegisterLayouts, Psrvok) {
    const std::string bytes = volici("532053", 70000, 1234567);
    EXPECT_EQ(hex(encodePsrvok({"532053", 70000, 1234567})), hex(bytes));
    TPsrvok d = decodePsrvok(bytes);
    EXPECT_EQ(d.KodObce, "532053");
    EXPECT_EQ(d.CisloOkrsku, 70000);
    EXPECT_EQ(d.Volicu, 1234567);
}

TEST(RegisterLayouts, Strana) {
    const std::string bytes = strana("17", "Strana \xFA\xE8\x61stn\xFD\x63h", "36");
    EXPECT_EQ(hex(encodeStrana({"17", "Strana účastných", "36"})), hex(bytes));
    TStrana d = decodeStrana(bytes);
    EXPECT_EQ(d.CisloStrany, "17");
    EXPECT_EQ(d.NazevStrany, "Strana účastných");
    EXPECT_EQ(d.PocetKandidatu, "36");
}

TEST(RegisterLayouts, Kandidat) {
    const std::string bytes = kandidat("3", "12", "Ing. Jan", "NOV\xC1K", "N");
    EXPECT_EQ(hex(encodeKandidat({"3", "12", "Ing. Jan", "NOVÁK", "N"})), hex(bytes));
    TKandidat d = decodeKandidat(bytes);
    EXPECT_EQ(d.CisloStrany, "3");
    EXPECT_EQ(d.Poradi, "12");
    EXPECT_EQ(d.Jmeno1, "Ing. Jan");
    EXPECT_EQ(d.Jmeno2, "NOVÁK");
    EXPECT_EQ(d.Priznak, "N");
}

// ---- precinct register ----

class PrecinctRegister : public ::testing::Test {
protected:
    TempDir dir;
    Registers registers{dir.path()};
};

TEST_F(PrecinctRegister, NajdiOkrsekChecksTheRangeOfTheMunicipality) {
    dir.write("OKRSKY.RCD", file(okrsek("500011", "Abertamy", "1", "3", "3403", "Karlovy Vary"),
                                 okrsek("532053", "Kladno", "1", "56", "3203", "Kladno"),
                                 okrsek("554782", "Praha", "1", "1000", "3100", "Hlavn\xED m\xECsto")));
    struct Case {
        const char* name;
        const char* kod;
        std::int32_t okrsek;
        bool found;
        const char* resultNazevObce;
    };
    const Case cases[] = {
        {"lowest_precinct", "532053", 1, true, "Kladno"},
        {"highest_precinct", "532053", 56, true, "Kladno"},
        {"one_above_the_range", "532053", 57, false, "Kladno"},
        {"zero_below_the_range", "532053", 0, false, "Kladno"},
        {"absent_municipality_leaves_the_last_record", "532054", 1, false, "Praha"},
        {"code_is_compared_without_trimming", "53205", 1, false, "Praha"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOkrsky result;
        EXPECT_EQ(registers.NajdiOkrsek(c.kod, c.okrsek, result), c.found);
        EXPECT_EQ(result.NazevObce, c.resultNazevObce);
    }
    TOkrsky last;
    registers.NajdiOkrsek("532054", 1, last);
    EXPECT_EQ(last.KodObce, "554782");
    EXPECT_EQ(last.OkrsekDo, "1000");
    EXPECT_EQ(last.KodOkresu, "3100");
    EXPECT_EQ(last.NazevOkresu, "Hlavní město");
}

TEST_F(PrecinctRegister, NajdiOkrsekConsidersOnlyTheFirstRecordOfTheMunicipality) {
    dir.write("OKRSKY.RCD", file(okrsek("532053", "Kladno", "1", "10"), okrsek("532053", "Kladno", "11", "20")));
    TOkrsky result;
    EXPECT_TRUE(registers.NajdiOkrsek("532053", 5, result));
    EXPECT_FALSE(registers.NajdiOkrsek("532053", 15, result));
    EXPECT_EQ(result.OkrsekOd, "1");
}

TEST_F(PrecinctRegister, NajdiOkrsekTakesTheCodeAsASixCharacterField) {
    dir.write("OKRSKY.RCD", file(okrsek("532053", "Kladno", "1", "56")));
    TOkrsky result;
    EXPECT_TRUE(registers.NajdiOkrsek("5320531", 3, result));
}

TEST_F(PrecinctRegister, BoundsWithLeadingBlanksConvert) {
    dir.write("OKRSKY.RCD", file(okrsek("532053", "Kladno", "    1", "   56")));
    TOkrsky result;
    EXPECT_TRUE(registers.NajdiOkrsek("532053", 56, result));
}

TEST_F(PrecinctRegister, NonNumericBoundIsAConversionError) {
    dir.write("OKRSKY.RCD", file(okrsek("532053", "Kladno", "1", "56 ")));
    TOkrsky result;
    const auto e = errorOf<ConversionError>([&] { registers.NajdiOkrsek("532053", 3, result); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->text(), "56 ");
    EXPECT_EQ(e->file(), dir.file("OKRSKY.RCD"));
    EXPECT_EQ(e->field(), "OkrsekDo");
    EXPECT_EQ(e->record(), 0);
}

// A register the searches read at least one record of, without any: named
// as empty, not as read past its end.
template <typename F>
std::string emptyFileOf(F op) {
    const auto e = errorOf<EmptyFileError>(op);
    return e ? e->file() : std::string();
}

TEST_F(PrecinctRegister, EmptyRegisterFailsAtTheFirstRead) {
    dir.write("OKRSKY.RCD", "");
    TOkrsky result;
    EXPECT_EQ(emptyFileOf([&] { registers.NajdiOkrsek("532053", 1, result); }), dir.file("OKRSKY.RCD"));
    EXPECT_EQ(result.KodObce, "      ") << "the result holds blanks when nothing was read";
    EXPECT_EQ(result.NazevObce, std::string(40, ' '));
    EXPECT_EQ(result.KodOkresu, "    ");
    EXPECT_EQ(result.NazevOkresu, std::string(25, ' '));
    EXPECT_EQ(emptyFileOf([&] { registers.JeObec("532053"); }), dir.file("OKRSKY.RCD"));
}

TEST_F(PrecinctRegister, MissingRegisterFails) {
    IoError e = ioErrorOf([&] { registers.JeObec("532053"); });
    EXPECT_EQ(e.path(), dir.file("OKRSKY.RCD"));
    EXPECT_EQ(e.osError(), ENOENT);
}

TEST_F(PrecinctRegister, RegisterCutByOneByteFailsWhenTheSearchReachesTheEnd) {
    std::string bytes = file(okrsek("500011", "Abertamy", "1", "3"), okrsek("532053", "Kladno", "1", "56"));
    dir.write("OKRSKY.RCD", bytes.substr(0, bytes.size() - 1));
    EXPECT_TRUE(registers.JeObec("500011")) << "the search stops before the damaged record";
    EXPECT_THROW(registers.JeObec("532053"), IoError);
}

TEST_F(PrecinctRegister, JeObec) {
    dir.write("OKRSKY.RCD", file(okrsek("500011", "Abertamy", "1", "3"), okrsek("532053", "Kladno", "1", "56")));
    EXPECT_TRUE(registers.JeObec("500011"));
    EXPECT_TRUE(registers.JeObec("532053"));
    EXPECT_FALSE(registers.JeObec("532054"));
    EXPECT_FALSE(registers.JeObec(" 532053"));
    EXPECT_FALSE(registers.JeObec("5320530"));
}

TEST_F(PrecinctRegister, RegisterFileNameInAnyLetterCase) {
    dir.write("okrsky.rcd", file(okrsek("532053", "Kladno", "1", "56")));
    EXPECT_TRUE(registers.JeObec("532053"));
}

// ---- special precincts abroad ----

TEST_F(PrecinctRegister, SpecialPrecinctTakesItsNamesFromPsrzvo) {
    dir.write("OKRSKY.RCD", file(okrsek("532053", "Kladno", "1", "56"),
                                 okrsek("999997", "Zahrani\xE8\xED", "1", "200", "9999", "Cizina")));
    dir.write("PSRZVO.RCD", file(zvlastni("999997", 90, "Washington", "Spojen\xE9 st\xE1ty")));
    TOkrsky result;
    EXPECT_TRUE(registers.NajdiOkrsek("999997", 90, result));
    EXPECT_EQ(result.KodObce, "999997");
    EXPECT_EQ(result.NazevObce, "Washington");
    EXPECT_EQ(result.NazevOkresu, "Spojené státy");
    EXPECT_EQ(result.KodOkresu, "9999") << "left by the search of OKRSKY.RCD";
    EXPECT_EQ(result.OkrsekDo, "200");
}

TEST_F(PrecinctRegister, SpecialPrecinctKeepsTheLastOkrskyRecordWhenTheCodeIsNotThere) {
    dir.write("OKRSKY.RCD", file(okrsek("532053", "Kladno", "1", "56", "3203", "Kladno")));
    dir.write("PSRZVO.RCD", file(zvlastni("999997", 90, "Washington", "USA")));
    TOkrsky result;
    EXPECT_TRUE(registers.NajdiOkrsek("999997", 90, result));
    EXPECT_EQ(result.KodObce, "999997");
    EXPECT_EQ(result.NazevObce, "Washington");
    EXPECT_EQ(result.NazevOkresu, "USA");
    EXPECT_EQ(result.KodOkresu, "3203");
}

TEST_F(PrecinctRegister, SpecialPrecinctSearch) {
    dir.write("OKRSKY.RCD", file(okrsek("999997", "Zahrani\xE8\xED", "1", "200", "9999", "Cizina")));
    struct Case {
        const char* name;
        std::string psrzvo;
        std::int32_t okrsek;
        bool found;
    };
    const Case cases[] = {
        {"reads_past_other_precincts", file(zvlastni("999997", 12, "Berlin", "DE"), zvlastni("999997", 90, "Washington", "US")),
         90, true},
        {"absent_precinct_though_in_the_okrsky_range", file(zvlastni("999997", 12, "Berlin", "DE")), 90, false},
        {"stops_at_the_first_record_with_the_number_whatever_its_code",
         file(zvlastni("999998", 90, "Elsewhere", "XX"), zvlastni("999997", 90, "Washington", "US")), 90, false},
        {"decided_by_psrzvo_even_outside_the_okrsky_range", file(zvlastni("999997", 500, "Far", "away")), 500, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("PSRZVO.RCD", c.psrzvo);
        TOkrsky result;
        EXPECT_EQ(registers.NajdiOkrsek("999997", c.okrsek, result), c.found);
    }
}

TEST_F(PrecinctRegister, EmptyPsrzvoFailsAtTheFirstRead) {
    dir.write("OKRSKY.RCD", file(okrsek("999997", "Zahrani\xE8\xED", "1", "200")));
    dir.write("PSRZVO.RCD", "");
    TOkrsky result;
    EXPECT_EQ(emptyFileOf([&] { registers.NajdiOkrsek("999997", 90, result); }), dir.file("PSRZVO.RCD"));
}

// A precinct abroad looks its name up in PSRZVO.RCD: a missing one is named.
TEST_F(PrecinctRegister, AMissingPsrzvoIsNamedWhenAPrecinctAbroadIsLookedUp) {
    dir.write("OKRSKY.RCD", file(okrsek("999997", "Zahrani\xE8\xED", "1", "200")));
    std::filesystem::remove(dir.file("PSRZVO.RCD"));
    TOkrsky result;
    const IoError e = ioErrorOf([&] { registers.NajdiOkrsek("999997", 90, result); });
    EXPECT_EQ(e.path(), dir.file("PSRZVO.RCD"));
    EXPECT_EQ(e.osError(), ENOENT);
}

// ---- reference voters ----

TEST_F(PrecinctRegister, PocetVolicuTakesTheLastMatchingRecord) {
    dir.write("PSRVOK.RCD", file(volici("532053", 1, 800), volici("532053", 2, 650), volici("532054", 1, 999),
                                 volici("532053", 1, 812), volici("500011", 1, 120)));
    EXPECT_EQ(registers.PocetVolicu("532053", 1), 812);
    EXPECT_EQ(registers.PocetVolicu("532053", 2), 650);
    EXPECT_EQ(registers.PocetVolicu("532053", 3), 0);
    EXPECT_EQ(registers.PocetVolicu("999999", 1), 0);
}

TEST_F(PrecinctRegister, PocetVolicuOfAnEmptyRegisterIsZero) {
    dir.write("PSRVOK.RCD", "");
    EXPECT_EQ(registers.PocetVolicu("532053", 1), 0);
}

TEST_F(PrecinctRegister, PocetVolicuReadsToTheEndSoADamagedTailFails) {
    std::string bytes = file(volici("532053", 1, 800), volici("532053", 2, 650));
    dir.write("PSRVOK.RCD", bytes.substr(0, 31));
    EXPECT_EQ(ioErrorOf([&] { registers.PocetVolicu("532053", 1); }).path(), dir.file("PSRVOK.RCD"));
}

// ---- parties and candidates ----

class PartyRegister : public ::testing::Test {
protected:
    static std::string parties(int count) {
        std::string bytes;
        for (int i = 1; i <= count; ++i) bytes += strana(std::to_string(i), "Strana " + std::to_string(i), "36");
        return bytes;
    }
    TempDir dir;
    Registers registers{dir.path()};
};

TEST_F(PartyRegister, NactiStranyKeepsFileOrder) {
    dir.write("STRANY.RCD", file(strana("7", "Sedm\xE1", "12"), strana("2", "Druh\xE1", "36")));
    PartyList list = registers.NactiStrany();
    EXPECT_EQ(list.length, 2);
    EXPECT_EQ(list.at(1).CisloStrany, "7");
    EXPECT_EQ(list.at(1).NazevStrany, "Sedmá");
    EXPECT_EQ(list.at(1).PocetKandidatu, "12");
    EXPECT_EQ(list.at(2).CisloStrany, "2");
    EXPECT_EQ(list.sourceFile, dir.file("STRANY.RCD")) << "for a count converted later";
}

TEST_F(PartyRegister, TwentyTwoPartiesFillTheList) {
    dir.write("STRANY.RCD", parties(22));
    PartyList list = registers.NactiStrany();
    EXPECT_EQ(list.length, 22);
    EXPECT_EQ(list.at(22).NazevStrany, "Strana 22");
}

TEST_F(PartyRegister, TwentyThreePartiesAreRefused) {
    dir.write("STRANY.RCD", parties(23));
    FormatError e = formatErrorOf([&] { registers.NactiStrany(); });
    EXPECT_EQ(e.file(), dir.file("STRANY.RCD"));
    EXPECT_EQ(e.position(), 22) << "the index of the 23rd record";
    EXPECT_EQ(e.unit(), FormatError::Unit::Record);
}

// A party list without a party: nothing to tick, nothing to count, named as
// empty wherever the list is read or searched.
TEST_F(PartyRegister, EmptyPartyRegister) {
    dir.write("STRANY.RCD", "");
    EXPECT_EQ(emptyFileOf([&] { registers.NactiStrany(); }), dir.file("STRANY.RCD"));
    EXPECT_EQ(emptyFileOf([&] { registers.PocetKandidatuStrany(1); }), dir.file("STRANY.RCD"));
}

TEST_F(PartyRegister, PartyRegisterCutByOneByteFails) {
    std::string bytes = parties(3);
    dir.write("STRANY.RCD", bytes.substr(0, bytes.size() - 1));
    EXPECT_EQ(ioErrorOf([&] { registers.NactiStrany(); }).path(), dir.file("STRANY.RCD"));
}

TEST_F(PartyRegister, PocetKandidatuStrany) {
    dir.write("STRANY.RCD", file(strana("1", "A", "36"), strana(" 3", "B", "5"), strana("3", "B again", "9")));
    EXPECT_EQ(registers.PocetKandidatuStrany(3), 5) << "the first record of the party counts";
    EXPECT_EQ(registers.PocetKandidatuStrany(1), 36);
    EXPECT_EQ(registers.PocetKandidatuStrany(4), 0);
}

TEST_F(PartyRegister, PocetKandidatuStranyConvertsStrictly) {
    dir.write("STRANY.RCD", file(strana("1", "A", "36"), strana("2", "B", "x")));
    const auto e = errorOf<ConversionError>([&] { registers.PocetKandidatuStrany(2); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->text(), "x");
    EXPECT_EQ(e->file(), dir.file("STRANY.RCD"));
    EXPECT_EQ(e->field(), "PocetKandidatu");
    EXPECT_EQ(e->record(), 1);
    EXPECT_EQ(registers.PocetKandidatuStrany(1), 36) << "the search stops before the bad record";
}

// The party list is refused when read if a party number is damaged or one
// that no flag of the results can hold: the entry window would otherwise
// take "x" for party 0, and a party 61 would be dropped at every save.
TEST_F(PartyRegister, NactiStranyRefusesADamagedPartyNumberByRecordAndField) {
    const struct {
        const char* name;
        const char* cislo;
        const char* pocet;
        const char* field;
        bool notANumber;
    } cases[] = {
        {"partyNotANumber", "x", "5", "CisloStrany", true},
        {"partyZero", "0", "5", "CisloStrany", false},
        {"partyAboveTheFlags", "61", "5", "CisloStrany", false},
        {"partyFarAboveTheFlags", "100", "5", "CisloStrany", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("STRANY.RCD", file(strana("1", "A", "36"), strana(c.cislo, "B", c.pocet)));
        if (const auto e = errorOf<DataError>([&] { registers.NactiStrany(); })) {
            EXPECT_EQ(e->file(), dir.file("STRANY.RCD"));
            EXPECT_EQ(e->record(), 1);
            EXPECT_EQ(e->field(), c.field);
            EXPECT_EQ(dynamic_cast<const ConversionError*>(&*e) != nullptr, c.notANumber) << e->what();
            EXPECT_EQ(dynamic_cast<const FieldValueError*>(&*e) != nullptr, !c.notANumber) << e->what();
        }
    }
}

// The candidate count is judged where it is used, not when the list is
// read: a damaged count leaves the rest of the list usable. The highest
// party number a flag holds is read.
TEST_F(PartyRegister, NactiStranyReadsACountThatIsNoNumberAndPartySixty) {
    for (const char* pocet : {"3x", "", "-1"}) {
        SCOPED_TRACE(std::string("'") + pocet + "'");
        dir.write("STRANY.RCD", file(strana("1", "A", "36"), strana("60", "B", pocet)));
        const PartyList list = registers.NactiStrany();
        ASSERT_EQ(list.length, 2);
        EXPECT_EQ(list.at(2).CisloStrany, "60");
        EXPECT_EQ(list.at(2).PocetKandidatu, pocet);
    }
}

TEST_F(PartyRegister, CandidatesNotInTheFileKeepTheFillers) {
    std::string bytes;
    for (int i = 1; i <= 5; ++i) bytes += kandidat("3", std::to_string(i), "Jan", "NOV\xC1K " + std::to_string(i), "");
    dir.write("KANDIDAT.RCD", bytes);
    CandidateTable table = registers.NactiKandidaty();
    EXPECT_EQ(table.at(3, 5).Jmeno1, "Jan");
    EXPECT_EQ(table.at(3, 5).Jmeno2, "NOVÁK 5");
    EXPECT_EQ(table.at(3, 5).Priznak, "");
    for (int order = 6; order <= 36; ++order) {
        EXPECT_EQ(table.at(3, order).Jmeno1, "---------------");
        EXPECT_EQ(table.at(3, order).Jmeno2, "--------------------");
        EXPECT_EQ(table.at(3, order).Priznak, "-");
    }
    EXPECT_EQ(table.at(1, 1).Jmeno1, "---------------");
    EXPECT_EQ(table.at(22, 36).Priznak, "-");
}

TEST_F(PartyRegister, LaterCandidateRecordReplacesAnEarlierOne) {
    dir.write("KANDIDAT.RCD", file(kandidat("3", "1", "First", "ONE", "N"), kandidat(" 3", "01", "Second", "TWO", "1")));
    CandidateTable table = registers.NactiKandidaty();
    EXPECT_EQ(table.at(3, 1).Jmeno1, "Second");
    EXPECT_EQ(table.at(3, 1).Priznak, "1");
}

TEST_F(PartyRegister, ReloadResetsTheTable) {
    dir.write("KANDIDAT.RCD", file(kandidat("3", "1", "Jan", "NOVAK", "N")));
    CandidateTable table = registers.NactiKandidaty();
    dir.write("KANDIDAT.RCD", file(kandidat("4", "2", "Eva", "NOVA", "")));
    registers.NactiKandidaty(table);
    EXPECT_EQ(table.at(3, 1).Jmeno1, "---------------");
    EXPECT_EQ(table.at(4, 2).Jmeno1, "Eva");
}

TEST_F(PartyRegister, CandidateOutsideTheTableIsRefused) {
    struct Case {
        const char* name;
        const char* party;
        const char* order;
    };
    const Case cases[] = {
        {"party_23", "23", "1"},
        {"party_0", "0", "1"},
        {"order_37", "3", "37"},
        {"order_0", "3", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("KANDIDAT.RCD", file(kandidat("22", "36", "Last", "ONE", ""), kandidat(c.party, c.order, "X", "Y", "")));
        FormatError e = formatErrorOf([&] { registers.NactiKandidaty(); });
        EXPECT_EQ(e.file(), dir.file("KANDIDAT.RCD"));
        EXPECT_EQ(e.position(), 1) << "the index of the offending record";
        EXPECT_EQ(e.unit(), FormatError::Unit::Record);
    }
}

TEST_F(PartyRegister, NonNumericCandidatePlaceIsAConversionError) {
    dir.write("KANDIDAT.RCD", file(kandidat("3", "1a", "Jan", "NOVAK", "")));
    const auto e = errorOf<ConversionError>([&] { registers.NactiKandidaty(); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->text(), "1a");
    EXPECT_EQ(e->file(), dir.file("KANDIDAT.RCD"));
    EXPECT_EQ(e->field(), "Poradi");
    EXPECT_EQ(e->record(), 0);
}

TEST_F(PartyRegister, MissingCandidateRegisterFails) {
    IoError e = ioErrorOf([&] { registers.NactiKandidaty(); });
    EXPECT_EQ(e.path(), dir.file("KANDIDAT.RCD"));
    EXPECT_EQ(e.osError(), ENOENT);
}

TEST(CandidateTable, PlacesOutsideTheTableAreRefused) {
    CandidateTable table;
    EXPECT_EQ(table.at(22, 36).Jmeno1, "---------------");
    EXPECT_THROW(table.at(0, 1), std::out_of_range);
    EXPECT_THROW(table.at(23, 1), std::out_of_range);
    EXPECT_THROW(table.at(1, 37), std::out_of_range);
}

}  // namespace
}  // namespace talmorek::data
