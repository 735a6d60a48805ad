// The data file commands write what the program's save writes and read it
// back in the record JSON of the check command, so the two can be chained.

#include <gtest/gtest.h>

#include "core/export/export_fingerprint.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "core/export/data_file.h"
#include "core/export/package.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

using testing::TempDir;

constexpr const char* kRecord = R"({
  "T4": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KC1": 0, "ZapsOsoby": 812, "VydObalky": 530,
         "OdevzdObalky": 528, "PlatneHlasy": 521, "KC2": 2391,
         "ZakrStrany": "001000100000000000000000000000000000000000000000000000000000"},
  "T4P": {"3": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 3, "PocHlasu": 400,
                "PrefHlasy": [15,0,40,0,0,0,0,0,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]},
          "7": {"RegKod": 3203, "Obec": 532053, "Okrsek": 1, "KStrana": 7, "PocHlasu": 121,
                "PrefHlasy": [10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}},
  "Hlasovani": {"ClenuOVKC": "5", "ClenuOVKP": "3", "Zapisovat": "Jana Malá", "PoverPred": "Petr Velký"},
  "Komise": ["Eva Nová", "Karel Starý"]
})";

TEST(Datafile, WriteThenCheckTheSavedDataThenShowAndFeedBack) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
    EXPECT_EQ(run({"check", dir.path()}).err, "Data nejsou pořízena!!!\n");
    dir.write("rec.json", kRecord);

    ToolRun w = run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "O",
                      "--recompute", "--now", "2021-10-09T14:30:00", "--seed", "7"});
    ASSERT_EQ(w.code, 0) << w.err;
    EXPECT_TRUE(dir.exists("data/OP532053.00001"));
    EXPECT_EQ(dir.read("data/KOMISE.RCD").size(), 2u * 51u);

    ToolRun saved = run({"check", dir.path()});
    EXPECT_EQ(saved.code, 0) << saved.out << saved.err;  // only the registered-voters warning
    EXPECT_NE(saved.out.find("96 - "), std::string::npos) << saved.out;

    ToolRun shown = run({"datafile", "show", dir.file("data/OP532053.00001"), "--json"});
    ASSERT_EQ(shown.code, 0) << shown.err;
    auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["T4P"]["3"]["KC3"], 159);
    EXPECT_EQ(json["TS"]["Datum"], "20211009");
    dir.write("back.json", shown.out);
    EXPECT_EQ(run({"check", dir.path(), "--record", dir.file("back.json")}).code, 1);  // no commission in it

    ToolRun text = run({"datafile", "show", dir.file("data/OP532053.00001")});
    EXPECT_NE(text.out.find("Strana 3: hlasy 400"), std::string::npos) << text.out;
    const std::string fingerprint = exporting::exportFingerprint(dir.read("data/OP532053.00001"));
    EXPECT_EQ(fingerprint.size(), 19u);
    EXPECT_NE(text.out.find("\nOtisk souboru: " + fingerprint + "\n"), std::string::npos) << text.out;
}

TEST(Datafile, WriteLeavesTheFileOfItsLetterOnly) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
    dir.write("rec.json", kRecord);
    for (const char* letter : {"O", "E", "O"}) {
        SCOPED_TRACE(letter);
        ToolRun w = run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", letter});
        ASSERT_EQ(w.code, 0) << w.err;
        const std::string written = std::string(letter) + "P532053.00001";
        const std::string other = std::string(letter) == "E" ? "OP532053.00001" : "EP532053.00001";
        EXPECT_EQ(w.out, dir.file("data/" + written) + "\n");
        EXPECT_TRUE(dir.exists("data/" + written));
        EXPECT_FALSE(dir.exists("data/" + other));
    }
}

TEST(Datafile, DamagedFileOrBadArgumentsExitTwoWithoutWriting) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
    dir.write("data/EP532053.00001", "not a package at all!");
    ToolRun damaged = run({"datafile", "show", dir.file("data/EP532053.00001")});
    EXPECT_EQ(damaged.code, 2);
    EXPECT_NE(damaged.err.find("EP532053.00001"), std::string::npos) << damaged.err;
    EXPECT_EQ(run({"check", dir.path()}).code, 2);
    EXPECT_EQ(dir.read("data/EP532053.00001"), "not a package at all!");

    dir.write("rec.json", kRecord);
    EXPECT_EQ(run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "X"}).code, 2);
    EXPECT_EQ(run({"datafile", "write", dir.path(), "--record", dir.file("rec.json")}).code, 2);
    EXPECT_EQ(run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "O", "--letter",
                    "o"}).code,
              2);
    EXPECT_FALSE(dir.exists("data/OP532053.00001"));
}

// The tool saves as the program's save does: one data file, and the station
// no longer says "exported".
TEST(Datafile, WriteMarksTheStationAsTheProgramsSaveDoes) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
    dir.write("rec.json", kRecord);
    std::string stanice = dir.read("STANICE.RCD");
    stanice.replace(255, 2, std::string("\x01" "A"));  // exported before
    dir.write("STANICE.RCD", stanice);
    ToolRun w = run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "E"});
    ASSERT_EQ(w.code, 0) << w.err;
    EXPECT_EQ(dir.read("STANICE.RCD").substr(255, 2), std::string("\x01" "N"));
    EXPECT_TRUE(dir.exists("data/EP532053.00001"));
    EXPECT_FALSE(dir.exists("data/OP532053.00001"));
}

// The chair alone, however the count is written, keeps KOMISE.RCD as it
// is, as the entry window does; two or more present write the list.
TEST(Datafile, WriteKeepsTheCommissionFileForTheChairAlone) {
    const struct {
        const char* present;
        bool written;
    } cases[] = {{"01", false}, {" 1", false}, {"0", false}, {"", false}, {"3", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.present + "'");
        TempDir dir;
        ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
        nlohmann::json record = nlohmann::json::parse(kRecord);
        record["Hlasovani"]["ClenuOVKP"] = c.present;
        dir.write("rec.json", record.dump());
        ASSERT_EQ(run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "E"}).code, 0);
        dir.write("data/KOMISE.RCD", "as the last save left it");
        ToolRun w = run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "E"});
        ASSERT_EQ(w.code, 0) << w.err;
        if (c.written) {
            EXPECT_EQ(dir.read("data/KOMISE.RCD").size(), 2 * 51u);
        } else {
            EXPECT_EQ(dir.read("data/KOMISE.RCD"), "as the last save left it");
        }
    }
}

TEST(Datafile, WriteRefusesARecordOfAnotherPrecinct) {
    const struct {
        const char* name;
        const char* from;
        const char* to;
        const char* mentions;
    } cases[] = {
        {"otherMunicipality", R"("T4": {"RegKod": 3203, "Obec": 532053)", R"("T4": {"RegKod": 3203, "Obec": 532054)",
         "Záznam (obec 532054, okrsek 1) je z jiného okrsku než stanice (obec 532053, okrsek 1); data nebyla "
         "uložena."},
        {"otherPrecinct", R"("Obec": 532053, "Okrsek": 1, "KC1")", R"("Obec": 532053, "Okrsek": 2, "KC1")",
         "Záznam (obec 532053, okrsek 2)"},
        {"annexOfAnotherPrecinct", R"("Obec": 532053, "Okrsek": 1, "KStrana": 7)",
         R"("Obec": 532053, "Okrsek": 3, "KStrana": 7)", "Příloha strany 7 (obec 532053, okrsek 3)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
        std::string record = kRecord;
        const auto at = record.find(c.from);
        ASSERT_NE(at, std::string::npos);
        record.replace(at, std::string(c.from).size(), c.to);
        dir.write("rec.json", record);
        const std::string stanice = dir.read("STANICE.RCD");
        ToolRun w = run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "E"});
        EXPECT_EQ(w.code, 2);
        EXPECT_EQ(w.err.rfind(dir.file("rec.json") + ": ", 0), 0u) << w.err;
        EXPECT_NE(w.err.find(c.mentions), std::string::npos) << w.err;
        EXPECT_FALSE(dir.exists("data/EP532053.00001"));
        EXPECT_EQ(dir.read("STANICE.RCD"), stanice);
    }
}

// A record or a data file the reader cannot take is refused naming the
// file, and nothing is written.
TEST(Datafile, WriteRefusesWhatCouldNotBeReadBack) {
    const struct {
        const char* name;
        const char* json;
        const char* mentions;
    } cases[] = {
        {"flagNotZeroOrOne",
         R"({"T4": {"Obec": 532053, "Okrsek": 1, "ZakrStrany": "00é000000000000000000000000000000000000000000000000000000000"}})",
         "T4.ZakrStrany"},
        {"textOutsideTheCodePage", R"({"T4": {"Obec": 532053, "Okrsek": 1}, "TS": {"SeznamChyb": "☃"}})",
         "TS.SeznamChyb"},
        {"numberBeyondEveryType", R"({"T4": {"Obec": 532053, "Okrsek": 1, "VydObalky": 9e997}})",
         "není platný JSON"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
        dir.write("rec.json", c.json);
        ToolRun w = run({"datafile", "write", dir.path(), "--record", dir.file("rec.json"), "--letter", "E"});
        EXPECT_EQ(w.code, 2);
        EXPECT_EQ(w.err.rfind(dir.file("rec.json") + ": ", 0), 0u) << w.err;
        EXPECT_NE(w.err.find(c.mentions), std::string::npos) << w.err;
        EXPECT_FALSE(dir.exists("data/EP532053.00001"));
    }
}

// A data file whose flag string holds a byte 0xE9 is refused naming the
// file and the position, instead of showing party 3's annex as party 4's.
TEST(Datafile, ShowRefusesAFlagThatIsNotZeroOrOne) {
    TempDir dir;
    record::RecordOfVote r;
    r.ClearResults();
    r.TS.Typ = 3;
    r.MarkParty(3, true);
    r.MarkParty(7, true);
    std::string line = exporting::resultsLine(r);
    line[45] = '\xE9';  // flag 1
    dir.write("EP532053.00001", exporting::makePackage(line));
    ToolRun shown = run({"datafile", "show", dir.file("EP532053.00001")});
    EXPECT_EQ(shown.code, 2);
    EXPECT_EQ(shown.out, "");
    EXPECT_EQ(shown.err, "Soubor " + dir.file("EP532053.00001") + " má nesprávný obsah (pozice 46, pole ZakrStrany).\n");
}

}  // namespace
}  // namespace talmorek::tool
