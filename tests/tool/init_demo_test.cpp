// The demo installation is what a newcomer starts the program on: every file
// of it must read back, in both the single- and the multi-station layout.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "tool/commands.h"

namespace talmorek::tool {
namespace {

using testing::TempDir;

nlohmann::json dumped(const std::string& file) {
    ToolRun r = run({"dump", file});
    EXPECT_EQ(r.code, 0) << file << ": " << r.err;
    return nlohmann::json::parse(r.out);
}

TEST(InitDemo, SingleStationInstallationReadsBackFileByFile) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);

    struct Expect {
        const char* file;
        std::size_t minRecords;
    };
    for (auto [file, minRecords] : {Expect{"STANICE.RCD", 1}, Expect{"OKRSKY.RCD", 5}, Expect{"PSRVOK.RCD", 1},
                                    Expect{"PSRZVO.RCD", 3}, Expect{"STRANY.RCD", 22}, Expect{"KANDIDAT.RCD", 100},
                                    Expect{"CISCHYB.RCD", 46}, Expect{"data/HLASO.RCD", 1},
                                    Expect{"data/KOMISE.RCD", 0}}) {
        auto records = dumped(dir.file(file));
        EXPECT_GE(records.size(), minRecords) << file;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Export")));

    auto station = dumped(dir.file("STANICE.RCD"))[0];
    EXPECT_EQ(station["KodObce"], "532053");
    EXPECT_EQ(station["NazevObce"], "Kladno");
    EXPECT_EQ(station["CisloOkrsku"], 1);
    EXPECT_FALSE(station.contains("reserved"));

    auto okrsky = dumped(dir.file("OKRSKY.RCD"));
    EXPECT_TRUE(std::any_of(okrsky.begin(), okrsky.end(), [](auto& r) { return r["KodObce"] == "999997"; }));
    EXPECT_EQ(dir.read("data/HLASO.RCD"), std::string(1194, '\0'));
}

TEST(InitDemo, PartiesHaveFullAndShortListsAndMarkedCandidates) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
    data::Registers registers(dir.path());
    auto parties = registers.NactiStrany();
    ASSERT_EQ(parties.length, 22);
    int full = 0, shorter = 0;
    for (int i = 1; i <= parties.length; ++i) (parties.at(i).PocetKandidatu == "36" ? full : shorter)++;
    EXPECT_GT(full, 0);
    EXPECT_GT(shorter, 0);
    auto kandidati = dumped(dir.file("KANDIDAT.RCD"));
    auto marked = [&](const char* mark) {
        return std::count_if(kandidati.begin(), kandidati.end(), [&](auto& r) { return r["Priznak"] == mark; });
    };
    EXPECT_GT(marked("N"), 0);
    EXPECT_GT(marked("1"), 0);
    data::TOkrsky found;
    EXPECT_TRUE(registers.NajdiOkrsek("532053", 1, found));
    EXPECT_TRUE(registers.NajdiOkrsek("999997", 90, found));
    EXPECT_EQ(found.NazevObce, "Washington");
}

TEST(InitDemo, MultiStationInstallationHasStationDirectoriesOnly) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path(), "--multi"}).code, 0);
    EXPECT_FALSE(dir.exists("STANICE.RCD"));
    EXPECT_TRUE(dir.exists("OKRSKY.RCD"));
    int special = 0;
    for (const char* station : {"OK1", "OK7", "ZO90"}) {
        std::string stationDir = dir.file(std::string("data/") + station + "/");
        auto s = data::NactiStanici(stationDir);
        special += data::isSpecialPrecinct(s) ? 1 : 0;
        EXPECT_EQ(data::NactiHlasovani(stationDir), data::Hlasovani{});
        EXPECT_TRUE(data::NactiKomisi(stationDir).empty());
    }
    EXPECT_EQ(special, 1);
    auto zo90 = data::NactiStanici(dir.file("data/ZO90/"));
    EXPECT_EQ(zo90.CisloOkrsku, 90);
    EXPECT_EQ(data::electionDates(zo90), "07.10. - 08.10.2021");
}

TEST(InitDemo, RefusesADirectoryThatHoldsAnInstallation) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
    std::string before = dir.read("STANICE.RCD");
    ToolRun again = run({"init-demo", dir.path()});
    EXPECT_EQ(again.code, 2);
    EXPECT_NE(again.err.find("již obsahuje instalaci"), std::string::npos);
    EXPECT_EQ(dir.read("STANICE.RCD"), before);
}

TEST(Dump, DamagedOrUnknownFilesGiveACzechMessageAndExitTwo) {
    TempDir dir;
    ASSERT_EQ(run({"init-demo", dir.path()}).code, 0);
    std::string station = dir.read("STANICE.RCD");
    dir.write("STANICE.RCD", station.substr(0, 259));
    // A commission file cut short is what the program names when it reads it.
    std::string komise;
    for (int i = 0; i < 4; ++i) komise += std::string(51, '\0');
    dir.write("data/KOMISE.RCD", komise.substr(0, 4 * 51 - 7));
    struct Case {
        const char* name;
        std::string file;
        const char* message;
    } cases[] = {
        {"short record", dir.file("STANICE.RCD"), "je poškozen (neúplný záznam 1)."},
        {"commission cut short", dir.file("data/KOMISE.RCD"), "je poškozen (neúplný záznam 4)."},
        {"missing file", dir.file("PSRVOK2.RCD"), "není známý soubor"},
        {"missing register", dir.file("data/HLASO2.RCD"), "není známý soubor"},
    };
    for (const auto& c : cases) {
        ToolRun r = run({"dump", c.file});
        EXPECT_EQ(r.code, 2) << c.name;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << c.name;
    }
    std::filesystem::remove(dir.file("OKRSKY.RCD"));
    ToolRun missing = run({"dump", dir.file("OKRSKY.RCD")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("nebyl nalezen"), std::string::npos) << missing.err;
}

TEST(Summary, FollowsTheStartUpRuleForBothKindsOfInstallation) {
    TempDir single, multi;
    ASSERT_EQ(run({"init-demo", single.path()}).code, 0);
    ASSERT_EQ(run({"init-demo", multi.path(), "--multi"}).code, 0);

    ToolRun s = run({"summary", single.path()});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_NE(s.out.find("Obec: 532053 - Kladno"), std::string::npos) << s.out;

    ToolRun m = run({"summary", multi.path(), "ZO90"});
    EXPECT_EQ(m.code, 0) << m.err;
    EXPECT_NE(m.out.find("T/4b"), std::string::npos) << m.out;

    ToolRun refused = run({"summary", multi.path()});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("jméno stanice"), std::string::npos);
}

}  // namespace
}  // namespace talmorek::tool
