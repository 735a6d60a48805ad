// `talmorek-tool check`, called in-process on small installations.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>

#include "support/installation.h"
#include "core/data/decimal.h"
#include "core/data/registers.h"
#include "core/data/working_files.h"
#include "core/record/party_list.h"
#include "core/export/data_file.h"
#include "tool/commands.h"
#include "tool/record_json.h"

namespace talmorek::tool {
namespace {

using Json = nlohmann::ordered_json;
using testing::prefer;

class CheckCommand : public ::testing::Test {
protected:
    CheckCommand() {
        testing::writeInstallation(dir);
        dir.write("STANICE.RCD", data::encodeStanice(testing::station()));
        parties = data::Registers(dir.path()).NactiStrany();
        record = testing::cleanRecord(parties);
    }

    // What the entry window would do after a change: derive everything anew.
    void recompute() {
        record::RecomputeAll(record, parties, record::tickedParties(record, parties), testing::station(),
                            testing::fixedClock());
    }

    int check(std::vector<std::string> extra = {}) {
        dir.write("record.json", recordToJson(record).dump(2));
        Args args = {dir.path(), "--record", dir.file("record.json")};
        args.insert(args.end(), extra.begin(), extra.end());
        out.str("");
        err.str("");
        return runCheck(args, out, err);
    }

    testing::TempDir dir;
    data::PartyList parties;
    record::RecordOfVote record;
    std::ostringstream out, err;
};

TEST_F(CheckCommand, ACleanPrecinct) {
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(out.str(), "Nebyly zjištěny žádné chyby\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CheckCommand, ErrorsInSeveralPartiesAreListedUnderTheirParty) {
    prefer(record, 1, 10, 301);
    prefer(record, 1, 2, 301);
    prefer(record, 2, 21, 5);
    record.party(7).PocHlasu = 600;
    recompute();
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(out.str(),
              "16 - Součet hlasů pro strany nesouhlasí s počtem platných hlasů \n"
              "\n"
              "Strana: 1\n"
              "  18 - Přednostních hlasů kandidáta je více než hlasů pro stranu (kand. č. 10)\n"
              "  18 - Přednostních hlasů kandidáta je více než hlasů pro stranu (kand. č. 2)\n"
              "\n"
              "Strana: 2\n"
              "  20 - Přednostní hlasy kandidáta, který na listině není (21)\n"
              "  23 - Chybně uvedený poslední kandidát s přednostním hlasem \n"
              "\n"
              "Strana: 7\n"
              "  15 - Hlasů pro stranu je více než platných hlasů v okrsku \n");
}

TEST_F(CheckCommand, TheJsonVerdict) {
    record.T4.ZapsOsoby = 0;
    record.T4.KC2 = record::kc2OfSection2(record.T4);
    prefer(record, 2, 21, 5);
    recompute();
    EXPECT_EQ(check({"--json"}), 1);
    const Json json = Json::parse(out.str());
    const Json expected = Json::parse(R"json({
        "findings": [
            {"party": 0, "code": 4, "detail": "", "text": "Počet osob zapsaných ve výpisech ze seznamů voličů je nulový"},
            {"party": 0, "code": 6, "detail": "", "text": "Vydaných obálek je více než osob zapsaných ve výpisech"},
            {"party": 2, "code": 20, "detail": "(21)", "text": "Přednostní hlasy kandidáta, který na listině není"},
            {"party": 2, "code": 23, "detail": "", "text": "Chybně uvedený poslední kandidát s přednostním hlasem"}
        ],
        "PriznakChyby": true, "PriznakPropustitelne": true, "PriznakUpozorneni": false,
        "SeznamChyb": "04062023",
        "Chyba": {"T4": 1, "TS": 0, "T4P": {"1": 0, "2": 1, "7": 0}}
    })json");
    EXPECT_EQ(json, expected) << json.dump(2);
}

TEST_F(CheckCommand, PassableErrorsAndWarningsDoNotFailTheCommand) {
    record.T4.ZapsOsoby = 0;
    record.T4.KC2 = record::kc2OfSection2(record.T4);
    recompute();
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(out.str(),
              "04 - Počet osob zapsaných ve výpisech ze seznamů voličů je nulový \n"
              "06 - Vydaných obálek je více než osob zapsaných ve výpisech \n");
}

TEST_F(CheckCommand, TheRecordIsCheckedAsGivenUnlessRecomputed) {
    record.party(7).PocHlasu = 70;
    record.party(1).PocHlasu = 301;
    EXPECT_EQ(check({"--json"}), 1) << "stale check numbers of parties 1 and 7";
    const Json stale = Json::parse(out.str());
    EXPECT_EQ(stale["SeznamChyb"].get<std::string>(), "17");
    EXPECT_EQ(stale["findings"].size(), 2u);
    EXPECT_EQ(check({"--recompute", "--now", "2021-10-09T15:00:00", "--seed", "3"}), 0);
    EXPECT_EQ(out.str(), "Nebyly zjištěny žádné chyby\n");
}

// The entry window fills in KČ2 of section II as the commission types; a
// record typed by hand into JSON gets it from --recompute like the rest.
TEST_F(CheckCommand, RecomputingFillsInKC2OfSectionTwo) {
    record.T4.KC2 = 0;
    EXPECT_EQ(check({"--json"}), 1) << "KČ2 of section II left out";
    // 11: KČ2 of section II; 67: the summary, which added it up as given.
    EXPECT_EQ(Json::parse(out.str())["SeznamChyb"].get<std::string>(), "1167");
    EXPECT_EQ(check({"--recompute", "--now", "2021-10-09T15:00:00", "--seed", "3"}), 0) << out.str();
}

TEST_F(CheckCommand, AMultiStationInstallationNeedsTheStation) {
    std::remove(dir.file("STANICE.RCD").c_str());
    std::filesystem::create_directories(dir.file("data/OK3"));
    dir.write("data/OK3/STANICE.RCD", data::encodeStanice(testing::station()));
    EXPECT_EQ(check(), 2);
    EXPECT_NE(err.str().find("STANICE.RCD"), std::string::npos) << err.str();

    dir.write("record.json", recordToJson(record).dump());
    Args args = {dir.path(), "OK3", "--record", dir.file("record.json")};
    out.str("");
    err.str("");
    EXPECT_EQ(runCheck(args, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "Nebyly zjištěny žádné chyby\n");
}

TEST_F(CheckCommand, TheStationDecidesWhetherTheEntrustedMemberIsNeeded) {
    record.hlasovani.PoverPred = "";
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(out.str(), "39 - Neúplně nebo chybně vyplněný oddíl III zápisu "
                         "Nalezené problémy: není vyplněno jméno pověřené osoby\n");
}

struct BadInputCase {
    const char* name;
    std::vector<std::string> args;  // after DIR; "@" stands for the record file
    const char* recordText;
    const char* mentions;
};

const BadInputCase kBadInputs[] = {
    {"noSavedData", {}, "{}", "Data nejsou pořízena!!!"},
    {"unknownOption", {"--record", "@", "--fast"}, "{}", "--fast"},
    {"recordWithoutValue", {"--record"}, "{}", "--record"},
    {"missingRecordFile", {"--record", "/nonexistent/record.json"}, "{}", "nebyl nalezen"},
    {"notJson", {"--record", "@"}, "{\"T4\":", "JSON"},
    {"unknownField", {"--record", "@"}, R"({"T4": {"Foo": 1}})", "T4.Foo"},
    {"outOfRange", {"--record", "@"}, R"({"T4": {"VydObalky": 65536}})", "T4.VydObalky"},
    {"badNow", {"--record", "@", "--recompute", "--now", "2021-13-09T15:00:00"}, "{}", "YYYY-MM-DDTHH:MM:SS"},
    {"badSeed", {"--record", "@", "--recompute", "--seed", "-1"}, "{}", "-1"},
    {"nonNumericMembers", {"--record", "@"}, R"({"Hlasovani": {"ClenuOVKC": "7", "ClenuOVKP": "x"}})", "'x'"},
};

class BadInput : public CheckCommand, public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(BadInput, IsRefusedWithExitCode2AndAClearMessage) {
    const BadInputCase& c = GetParam();
    dir.write("record.json", c.recordText);
    Args args = {dir.path()};
    for (const auto& a : c.args) args.push_back(a == "@" ? dir.file("record.json") : a);
    EXPECT_EQ(runCheck(args, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find(c.mentions), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(CheckCommand, BadInput, ::testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckCommand, AMissingRegisterIsNamed) {
    std::remove(dir.file("PSRVOK.RCD").c_str());
    EXPECT_EQ(check(), 2);
    EXPECT_NE(err.str().find("PSRVOK.RCD"), std::string::npos) << err.str();
}

// A field of a file that is not a number: the line on stderr names the file
// and the field, as the program's message does.
struct NotANumberCase {
    const char* name;
    std::function<void(const testing::TempDir&, record::RecordOfVote&)> damage;
    std::vector<std::string> args;  // after the directory; "@" is the record file
    const char* file;               // relative to the installation
    const char* where;
    const char* text;
};

void PrintTo(const NotANumberCase& c, std::ostream* os) { *os << c.name; }

// What the entry window leaves in the data directory after a save.
void saveInDataDirectory(const testing::TempDir& dir, const record::RecordOfVote& r) {
    std::filesystem::create_directory(dir.file("data"));
    testing::saveRecord(dir.file("data/"), r, exporting::DataLetter::E);
}

class NotANumber : public CheckCommand, public ::testing::WithParamInterface<NotANumberCase> {};

TEST_P(NotANumber, IsNamedWithItsFileAndField) {
    const NotANumberCase& c = GetParam();
    c.damage(dir, record);
    dir.write("record.json", recordToJson(record).dump(2));
    Args args = {dir.path()};
    for (const auto& a : c.args) args.push_back(a == "@" ? dir.file("record.json") : a);
    EXPECT_EQ(runCheck(args, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "Soubor " + dir.file(c.file) + ", " + c.where + ": text '" + c.text +
                             "' není platné celé číslo.\n");
}

INSTANTIATE_TEST_SUITE_P(
    CheckCommand, NotANumber,
    ::testing::Values(
        NotANumberCase{"stationOperatingSystemCode",
                       [](const testing::TempDir& dir, record::RecordOfVote&) {
                           data::TStanice s = testing::station();
                           s.KodOS = "]u";
                           dir.write("STANICE.RCD", data::encodeStanice(s));
                       },
                       {"--record", "@", "--recompute"}, "STANICE.RCD", "pole KodOS", "]u"},
        NotANumberCase{"partyCandidateCount",
                       [](const testing::TempDir& dir, record::RecordOfVote&) {
                           dir.write("STRANY.RCD", data::encodeStrana({"1", "Strana první", "36"}) +
                                                       data::encodeStrana({"2", "Strana druhá", "2O"}));
                       },
                       {"--record", "@"}, "STRANY.RCD", "záznam 2, pole PocetKandidatu", "2O"},
        NotANumberCase{"savedMembersPresent",
                       [](const testing::TempDir& dir, record::RecordOfVote& r) {
                           r.hlasovani.ClenuOVKP = "5x";
                           saveInDataDirectory(dir, r);
                       },
                       {}, "data/HLASO.RCD", "pole ClenuOVKP", "5x"},
        NotANumberCase{"savedMembersInTotal",
                       [](const testing::TempDir& dir, record::RecordOfVote& r) {
                           r.hlasovani.ClenuOVKC = "x";
                           saveInDataDirectory(dir, r);
                       },
                       {}, "data/HLASO.RCD", "pole ClenuOVKC", "x"},
        NotANumberCase{"givenMembersInTotal",
                       [](const testing::TempDir&, record::RecordOfVote& r) { r.hlasovani.ClenuOVKC = "x"; },
                       {"--record", "@"}, "record.json", "pole ClenuOVKC", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckCommand, NothingIsWritten) {
    check({"--recompute"});
    const auto before = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    const std::string recordText = dir.read("record.json");
    runCheck({dir.path(), "--record", dir.file("record.json"), "--recompute"}, out, err);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), before);
    EXPECT_EQ(dir.read("record.json"), recordText);
}

TEST(CheckCommandOnDemo, ACleanRecordOfTheDemoStationPasses) {
    testing::TempDir dir;
    std::ostringstream out, err;
    ASSERT_EQ(runInitDemo({dir.path()}, out, err), 0) << err.str();
    // Build a clean record of the demo station from what its registers say.
    const data::TStanice station = data::NactiStanici(dir.path());
    const data::Registers registers(dir.path());
    const data::PartyList parties = registers.NactiStrany();
    data::TOkrsky okrsek;
    ASSERT_TRUE(registers.NajdiOkrsek(station.KodObce, station.CisloOkrsku, okrsek));
    const std::int32_t voters = registers.PocetVolicu(station.KodObce, station.CisloOkrsku);
    ASSERT_GT(voters, 100);
    record::RecordOfVote r;
    r.ClearResults();
    r.T4.RegKod = static_cast<std::uint16_t>(data::toIntStrict(okrsek.KodOkresu));
    r.T4.Obec = data::toIntStrict(station.KodObce);
    r.T4.Okrsek = station.CisloOkrsku;
    r.T4.ZapsOsoby = voters;
    r.T4.VydObalky = static_cast<std::uint16_t>(voters * 6 / 10);
    r.T4.OdevzdObalky = r.T4.VydObalky;
    r.T4.PlatneHlasy = r.T4.VydObalky;
    r.T4.KC1 = record::KontrolniCislo1(r.T4.Obec, r.T4.Okrsek);
    r.T4.KC2 = record::kc2OfSection2(r.T4);
    const int party = record::partyNumberOf(parties.at(1));
    r.MarkParty(party, true);
    r.party(party).PocHlasu = r.T4.PlatneHlasy;
    prefer(r, party, 1, static_cast<std::uint16_t>(r.T4.PlatneHlasy / 10));
    r.hlasovani.ClenuOVKC = "5";
    r.hlasovani.ClenuOVKP = "3";
    r.hlasovani.Zapisovat = "Jana Nováková";
    r.hlasovani.PoverPred = "Petr Svoboda";
    r.komise = {{"Karel Dvořák"}, {"Eva Malá"}};
    dir.write("record.json", recordToJson(r).dump());
    out.str("");
    EXPECT_EQ(runCheck({dir.path(), "--record", dir.file("record.json"), "--recompute"}, out, err), 0)
        << out.str() << err.str();
    EXPECT_EQ(out.str(), "Nebyly zjištěny žádné chyby\n");
}

}  // namespace
}  // namespace talmorek::tool
