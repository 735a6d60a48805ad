// The receiving office's batch: a directory of precinct data files judged
// file by file, copies counted once, files that disagree flagged, damaged
// files named and the batch going on, totals of the countable precincts,
// the same output whatever the number of threads.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/data/path_text.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/export/container.h"
#include "core/export/data_file.h"
#include "core/export/package.h"
#include "core/record/check_numbers.h"
#include "core/record/recompute.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

using testing::TempDir;
using Json = nlohmann::json;

struct Votes {
    int party;
    int votes;
    std::map<int, int> preferential;  // list order → votes
};

// A record of Kladno's precinct `okrsek`, recomputed as a save leaves it.
record::RecordOfVote precinct(const std::string& inst, int okrsek, std::array<int, 4> totals,
                              const std::vector<Votes>& parties, int minute = 0) {
    const data::PartyList list = data::Registers(inst).NactiStrany();
    record::RecordOfVote r;
    r.ClearResults();
    r.T4.RegKod = 3203;
    r.T4.Obec = 532053;
    r.T4.Okrsek = okrsek;
    r.T4.KC1 = record::KontrolniCislo1(r.T4.Obec, r.T4.Okrsek);
    r.T4.ZapsOsoby = totals[0];
    r.T4.VydObalky = static_cast<std::uint16_t>(totals[1]);
    r.T4.OdevzdObalky = static_cast<std::uint16_t>(totals[2]);
    r.T4.PlatneHlasy = static_cast<std::uint16_t>(totals[3]);
    r.T4.KC2 = record::kc2OfSection2(r.T4);
    std::set<int> ticked;
    for (const Votes& v : parties) {
        ticked.insert(v.party);
        r.MarkParty(v.party, true);
        r.party(v.party).PocHlasu = static_cast<std::uint16_t>(v.votes);
        for (const auto& [order, n] : v.preferential)
            r.party(v.party).PrefHlasy[static_cast<std::size_t>(order - 1)] = static_cast<std::uint16_t>(n);
    }
    data::TStanice station;
    station.KodObce = "532053";
    station.CisloOkrsku = okrsek;
    station.KodOS = "0";
    record::RecomputeAll(r, list, ticked, station, record::fixedSources({2025, 10, 4, 15, minute, 0}, 7 + minute));
    return r;
}

class Batch : public ::testing::Test {
protected:
    Batch() {
        EXPECT_EQ(run({"init-demo", inst.path()}).code, 0);
        const std::string in = files.path() + "/";
        const auto a = precinct(inst.path() + "/", 1, {812, 530, 528, 521}, {{3, 400, {{1, 15}, {3, 40}, {12, 2}}}, {7, 121, {{1, 10}}}});
        const auto b = precinct(inst.path() + "/", 2, {600, 400, 400, 390}, {{3, 200, {{1, 5}}}, {5, 190, {}}});
        // The parties' votes fall short of the valid votes: an error, not counted.
        const auto c = precinct(inst.path() + "/", 3, {600, 400, 400, 390}, {{3, 380, {}}});
        const auto d1 = precinct(inst.path() + "/", 4, {700, 500, 500, 500}, {{3, 500, {}}});
        const auto d2 = precinct(inst.path() + "/", 4, {700, 500, 500, 500}, {{3, 499, {}}, {7, 1, {}}});
        exporting::ZapisData(a, in, "532053", 1, exporting::DataLetter::O);
        exporting::ZapisData(b, in, "532053", 2, exporting::DataLetter::O);
        exporting::ZapisData(c, in, "532053", 3, exporting::DataLetter::E);
        exporting::ZapisData(d1, in, "532053", 4, exporting::DataLetter::O);
        std::filesystem::create_directories(files.file("kopie"));
        std::filesystem::create_directories(files.file("jiny"));
        std::filesystem::copy_file(files.file("OP532053.00001"), files.file("kopie/OP532053.00001"));
        exporting::ZapisData(d2, files.file("jiny/"), "532053", 4, exporting::DataLetter::O);
        files.write("OP532053.00005", "to není balíček\n");
        const std::string other = exporting::encryptToPackage(exporting::packToContainer(exporting::resultsLine(a)),
                                                              "JinyKlic12345678");
        files.write("OP532053.00006", other);
        files.write("poznamky.txt", "nejde o soubor dat");
    }

    ToolRun batch(std::vector<std::string> extra = {}) {
        Args args{"batch", files.path(), "--installation", inst.path()};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    }

    TempDir inst, files, out;
};

TEST_F(Batch, OneRowPerFileCopiesOnceDisagreeingFlaggedDamagedNamed) {
    const ToolRun o = batch({"--json", out.file("rows.json")});
    EXPECT_EQ(o.code, 2) << o.err;  // damaged files
    const Json json = Json::parse(out.read("rows.json"));
    struct Expected {
        const char* file;
        const char* outcome;
        const char* duplicate;
        const char* counted;
        const char* reason;  // a part of it
    } expected[] = {
        {"OP532053.00001", "bez chyb", "shodný", "ano", ""},
        {"kopie/OP532053.00001", "bez chyb", "shodný", "ne", ""},
        {"OP532053.00002", "bez chyb", "", "ano", ""},
        {"EP532053.00003", "chyby", "", "ne", ""},
        {"OP532053.00004", "bez chyb", "rozdílný", "ne", ""},
        {"jiny/OP532053.00004", "bez chyb", "rozdílný", "ne", ""},
        {"OP532053.00005", "poškozen", "", "ne", "není platný balíček dat"},
        {"OP532053.00006", "poškozen", "", "ne", "zašifrovaný jiným klíčem"},
    };
    ASSERT_EQ(json["soubory"].size(), std::size(expected)) << json.dump(1);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Json& row = json["soubory"][i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.file);
        // The same file, whichever separator the walk put between directories ("\\" on Windows).
        EXPECT_EQ(data::pathOf(row["soubor"].get<std::string>()).lexically_normal(),
                  data::pathOf(files.file(e.file)).lexically_normal());
        // A warning is allowed where the register's voters differ from the record's.
        const std::string outcome = row["výsledek"];
        if (std::string(e.outcome) == "bez chyb") {
            EXPECT_TRUE(outcome == "bez chyb" || outcome == "upozornění") << outcome << " " << row["kódy"];
        } else {
            EXPECT_EQ(outcome, e.outcome) << row["kódy"];
        }
        EXPECT_EQ(row["duplicita"], std::string(e.duplicate));
        EXPECT_EQ(row["sečteno"], std::string(e.counted));
        EXPECT_NE(std::string(row["důvod"]).find(e.reason), std::string::npos) << row["důvod"];
    }
    EXPECT_EQ(json["soubory"][0]["KČ2 uložené"], json["soubory"][0]["KČ2 přepočtené"]);
    EXPECT_EQ(json["soubory"][0]["obec"], "532053");
    EXPECT_EQ(json["soubory"][3]["písmeno"], "E");
    EXPECT_NE(std::string(json["soubory"][6]["důvod"]).find(files.file("OP532053.00005")), std::string::npos);
}

TEST_F(Batch, TotalsOfTheCountedPrecinctsWithTheirCheckNumbers) {
    const ToolRun o = batch({"--json", out.file("rows.json"), "--totals", out.file("totals.csv")});
    ASSERT_EQ(o.code, 2) << o.err;
    const Json t = Json::parse(out.read("rows.json"))["součty"];
    // Precincts 1 and 2 only: 3 has errors, 4's files disagree, 5 and 6 are damaged.
    EXPECT_EQ(t["sečtené okrsky"], 2);
    EXPECT_EQ(t["voliči v seznamu"], 812 + 600);
    EXPECT_EQ(t["vydané obálky"], 530 + 400);
    EXPECT_EQ(t["odevzdané obálky"], 528 + 400);
    EXPECT_EQ(t["platné hlasy"], 521 + 390);
    EXPECT_EQ(t["KČ2"], 1412 + 930 + 928 + 911);
    ASSERT_EQ(t["strany"].size(), 3u);
    const Json& p3 = t["strany"][0];
    EXPECT_EQ(p3["strana"], 3);
    EXPECT_EQ(p3["hlasy"], 600);
    EXPECT_EQ(p3["přednostní hlasy"][0], 20);
    EXPECT_EQ(p3["přednostní hlasy"][2], 40);
    EXPECT_EQ(p3["přednostní hlasy"][11], 2);
    EXPECT_EQ(p3["KČ2"], 603);
    EXPECT_EQ(p3["KČ3"], 1 * 20 + 3 * 40 + 12 * 2);
    EXPECT_EQ(p3["KČ4"], 603 + 164);
    EXPECT_EQ(t["strany"][1]["strana"], 5);
    EXPECT_EQ(t["strany"][1]["KČ4"], 195);
    EXPECT_EQ(t["strany"][2]["strana"], 7);
    EXPECT_EQ(t["strany"][2]["KČ4"], 128 + 10);
    const std::string csv = out.read("totals.csv");
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "položka;strana;pořadí;hodnota");
    EXPECT_NE(csv.find("\nplatné hlasy;;;911\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\npřednostní hlasy;3;12;2\n"), std::string::npos) << csv;
    EXPECT_NE(o.err.find("sečteno okrsků 2."), std::string::npos) << o.err;
}

TEST_F(Batch, OneThreadOrFourWriteTheSameBytes) {
    ASSERT_EQ(batch({"--jobs", "1", "--csv", out.file("1.csv"), "--json", out.file("1.json"), "--totals",
                     out.file("1t.csv")})
                  .code,
              2);
    ASSERT_EQ(batch({"--jobs", "4", "--csv", out.file("4.csv"), "--json", out.file("4.json"), "--totals",
                     out.file("4t.csv")})
                  .code,
              2);
    EXPECT_EQ(out.read("1.csv"), out.read("4.csv"));
    EXPECT_EQ(out.read("1.json"), out.read("4.json"));
    EXPECT_EQ(out.read("1t.csv"), out.read("4t.csv"));
}

// What the receiving office must not be told: votes of a party nobody
// checked, check numbers copied rather than recomputed, two saves of the
// same votes taken for files that disagree.
TEST(BatchCounting, OnlyCheckedVotesCountCheckNumbersAreRecomputedSavesOfTheSameVotesAgree) {
    TempDir inst, files, out;
    ASSERT_EQ(run({"init-demo", inst.path()}).code, 0);
    const std::string in = files.path() + "/";
    // Precinct 1 with a flag and votes for party 30, which the list does not hold.
    auto a = precinct(inst.path() + "/", 1, {812, 530, 528, 521}, {{3, 400, {}}, {7, 121, {}}});
    a.MarkParty(30, true);
    a.party(30).PocHlasu = 50;
    exporting::ZapisData(a, in, "532053", 1, exporting::DataLetter::O);
    // Precinct 2 saved twice with the same votes, a minute apart: "E" and "O".
    exporting::ZapisData(precinct(inst.path() + "/", 2, {600, 400, 400, 390}, {{3, 390, {}}}), in, "532053", 2,
                         exporting::DataLetter::E);
    exporting::ZapisData(precinct(inst.path() + "/", 2, {600, 400, 400, 390}, {{3, 390, {}}}, 1), in, "532053", 2,
                         exporting::DataLetter::O);
    // Precinct 3: a preferential vote changed after the check numbers were computed.
    auto c = precinct(inst.path() + "/", 3, {600, 400, 400, 390}, {{3, 390, {{2, 10}}}});
    c.party(3).PrefHlasy[1] = 11;
    exporting::ZapisData(c, in, "532053", 3, exporting::DataLetter::O);

    const ToolRun o = run({"batch", files.path(), "--installation", inst.path(), "--json", out.file("b.json")});
    EXPECT_LE(o.code, 1) << o.err;
    const Json json = Json::parse(out.read("b.json"));
    const Json& rows = json["soubory"];
    ASSERT_EQ(rows.size(), 4u);
    for (const Json& p : json["součty"]["strany"]) EXPECT_NE(p["strana"], 30) << "an unchecked party was counted";
    EXPECT_EQ(rows[1]["duplicita"], "shodný");
    EXPECT_EQ(rows[2]["duplicita"], "shodný");
    EXPECT_EQ(json["součty"]["sečtené okrsky"], 2);  // precinct 3 has errors
    EXPECT_NE(rows[3]["KČ3 uložené"], rows[3]["KČ3 přepočtené"]) << rows[3].dump();
    EXPECT_EQ(rows[0]["KČ3 uložené"], rows[0]["KČ3 přepočtené"]) << rows[0].dump();
}

TEST(BatchOutputs, AreAllLeftAsTheyWereWhenOneCannotBeWritten) {
    TempDir inst, files, out;
    ASSERT_EQ(run({"init-demo", inst.path()}).code, 0);
    ASSERT_EQ(run({"gen-precincts", inst.path(), files.path(), "--count", "5"}).code, 0);
    out.write("rows.csv", "earlier rows");
    const ToolRun o = run({"batch", files.path(), "--installation", inst.path(), "--csv", out.file("rows.csv"),
                            "--totals", out.file("chybí/totals.csv")});
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(out.read("rows.csv"), "earlier rows");
    const ToolRun same = run({"batch", files.path(), "--installation", inst.path(), "--csv", out.file("x"),
                               "--totals", out.file("x")});
    EXPECT_EQ(same.code, 2);
    EXPECT_NE(same.err.find("je zadán pro dva výstupy"), std::string::npos) << same.err;
}

TEST(BatchArguments, AreCheckedBeforeAnyFileIsRead) {
    TempDir dir, inst;
    ASSERT_EQ(run({"init-demo", inst.path()}).code, 0);
    struct Case {
        Args args;
        std::string err;
    } cases[] = {
        {{"batch", dir.path()}, "Použití: talmorek-tool batch"},
        {{"batch", dir.path(), "--installation"}, "Volba --installation potřebuje hodnotu."},
        {{"batch", dir.path(), "--installation", dir.path(), "--jobs", "0"}, "musí být celé číslo 1..256"},
        {{"batch", dir.path(), "--installation", dir.path(), "--tiše"}, "Neznámá volba --tiše."},
        {{"batch", dir.path(), "--installation", dir.path()}, "STRANY.RCD nebyl nalezen"},
        {{"batch", dir.file("nic"), "--installation", inst.path()}, "Adresář " + dir.file("nic") + " neexistuje"},
    };
    for (const Case& c : cases) {
        const ToolRun o = run(c.args);
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
    }
}

// 300 generated precincts: the totals are the sums of the records as each
// file shows them.
TEST(BatchGenerated, TotalsEqualTheSumsOfTheRecordsShownOneByOne) {
    TempDir inst, files, out;
    ASSERT_EQ(run({"init-demo", inst.path()}).code, 0);
    const ToolRun gen = run({"gen-precincts", inst.path(), files.path(), "--count", "300", "--seed", "11"});
    ASSERT_EQ(gen.code, 0) << gen.err;
    const ToolRun o = run({"batch", files.path(), "--installation", inst.path(), "--json", out.file("b.json")});
    EXPECT_LE(o.code, 1) << o.err;  // warnings at most
    const Json json = Json::parse(out.read("b.json"));
    ASSERT_EQ(json["soubory"].size(), 300u);
    std::int64_t zaps = 0, platne = 0;
    std::map<int, std::int64_t> votes, firstPref;
    for (const Json& row : json["soubory"]) {
        EXPECT_EQ(row["sečteno"], "ano") << row.dump();
        const std::string path = row["soubor"];
        record::RecordOfVote r;
        exporting::parseResultsLine(exporting::readResultsPackage(exporting::readDataFileBytes(path), path), r, path);
        zaps += r.T4.ZapsOsoby;
        platne += r.T4.PlatneHlasy;
        for (int n = 1; n <= record::kFlagPositions; ++n) {
            if (!r.isFlagged(n)) continue;
            votes[n] += r.party(n).PocHlasu;
            firstPref[n] += r.party(n).pref(1);
        }
    }
    const Json& t = json["součty"];
    EXPECT_EQ(t["sečtené okrsky"], 300);
    EXPECT_EQ(t["voliči v seznamu"], zaps);
    EXPECT_EQ(t["platné hlasy"], platne);
    ASSERT_EQ(t["strany"].size(), votes.size());
    for (const Json& p : t["strany"]) {
        const int n = p["strana"];
        EXPECT_EQ(p["hlasy"], votes[n]) << n;
        EXPECT_EQ(p["přednostní hlasy"][0], firstPref[n]) << n;
    }
}

}  // namespace
}  // namespace talmorek::tool
