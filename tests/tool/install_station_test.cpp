// A station laid out from the set of files an election office distributes:
// the set is checked file by file before anything is written, a station
// holding the commission's work is never overwritten, and the demo is the
// same layout of the demo's own set.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/data/station.h"
#include "core/export/data_file.h"
#include "core/data/working_files.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/test_platform.h"
#include "tool/commands.h"
#include "tool/station_layout.h"

namespace talmorek::tool {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// A station links the installed program; where no link can be made (Wine),
// the layout is laid out without one.
bool linksCanBeMade() { return testing::symbolicLinksCanBeMade(); }
constexpr const char* kNoLinks = "no symbolic link can be planted on this system";

// Every regular file under `dir` by its relative path, with its bytes.
std::map<std::string, std::string> filesUnder(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.is_symlink()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(entry.path(), dir).string()] = bytes.str();
    }
    return files;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// An office's set, a stand-in for the installed program, and the station.
struct Fixture {
    TempDir root;
    std::string source = root.file("sada/");
    std::string station = root.file("stanice/");
    std::string program = root.file("usr/lib/talmorek/talmorek");

    explicit Fixture(bool multi = false) {
        EXPECT_EQ(run(multi ? Args{"demo-office", source, "--multi"} : Args{"demo-office", source}).code, 0);
        fs::create_directories(root.file("usr/lib/talmorek"));
        root.write("usr/lib/talmorek/talmorek", "program");
    }
    ToolRun install(Args extra = {}) {
        Args args{"install-station", source, station, "--no-menu"};
        if (linksCanBeMade()) args.insert(args.end(), {"--program", program});
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    }
};

TEST(InstallStation, TheDemoInstallationIsTheDemoOfficeSetLaidOut) {
    for (bool multi : {false, true}) {
        SCOPED_TRACE(multi ? "multi-station" : "single-station");
        Fixture f(multi);
        const ToolRun laid = f.install(multi ? Args{"--multi"} : Args{});
        ASSERT_EQ(laid.code, 0) << laid.err;
        TempDir demo;
        ASSERT_EQ(run(multi ? Args{"init-demo", demo.path(), "--multi"} : Args{"init-demo", demo.path()}).code, 0);

        auto station = filesUnder(f.station);
        // What the demo leaves out: the program's link and its launchers.
        for (auto it = station.begin(); it != station.end();)
            it = it->first.find(".desktop") != std::string::npos ? station.erase(it) : std::next(it);
        EXPECT_EQ(station, filesUnder(demo.path()));
        EXPECT_TRUE(fs::is_directory(f.station + "Export"));
        if (linksCanBeMade()) {
            EXPECT_EQ(fs::read_symlink(f.station + "talmorek").string(), f.program);
        }
        EXPECT_EQ(station.count("STANICE.RCD"), multi ? 0u : 1u);
    }
}

TEST(InstallStation, EachStationGetsALauncherThatStartsTheProgramThere) {
    if (!linksCanBeMade()) GTEST_SKIP() << kNoLinks;
    Fixture single;
    TempDir menu;
    const ToolRun r = run({"install-station", single.source, single.station, "--program", single.program, "--menu",
                           menu.file("applications")});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string expected = "[Desktop Entry]\n"
                                 "Type=Application\n"
                                 "Version=1.0\n"
                                 "Name=Talmorek – okrsek 1, Kladno\n"
                                 "Comment=Zápis o průběhu a výsledku hlasování ve volbách do Poslanecké sněmovny\n"
                                 "TryExec=" + single.station + "talmorek\n"
                                 "Exec=\"" + single.station + "talmorek\"\n"
                                 "Path=" + single.station + "\n"
                                 "Icon=talmorek\n"
                                 "Terminal=false\n"
                                 "Categories=Office;\n"
                                 "StartupWMClass=talmorek\n";
    EXPECT_EQ(readText(single.station + "talmorek.desktop"), expected);
    EXPECT_EQ(readText(menu.file("applications/talmorek-532053-00001.desktop")), expected);
    EXPECT_NE(fs::status(single.station + "talmorek.desktop").permissions() & fs::perms::owner_exec, fs::perms::none);
    for (const char* said : {"Stanice založena v ", "okrsek 1, obec 532053 Kladno", "talmorek.desktop",
                             "talmorek-532053-00001.desktop", "program: "})
        EXPECT_NE(r.out.find(said), std::string::npos) << said << "\n" << r.out;

    // A multi-station installation starts each station with its name.
    Fixture multi(true);
    ASSERT_EQ(multi.install({"--multi"}).code, 0);
    const std::string zo90 = readText(multi.station + "talmorek-ZO90.desktop");
    EXPECT_NE(zo90.find("Exec=\"" + multi.station + "talmorek\" \"ZO90\"\n"), std::string::npos) << zo90;
    EXPECT_NE(zo90.find("Name=Talmorek – zvláštní okrsek 90, Washington\n"), std::string::npos) << zo90;
    for (const char* name : {"OK1", "OK7", "ZO90"}) {
        const auto s = data::NactiStanici(multi.station + "data/" + name + "/");
        EXPECT_EQ(data::NactiHlasovani(multi.station + "data/" + name + "/"), data::Hlasovani{});
        EXPECT_GT(s.CisloOkrsku, 0);
    }
}

// The desktop's own quoting of a command: a station under any path starts.
TEST(InstallStation, TheLaunchersCommandQuotesEveryPath) {
    struct Case {
        const char* program;
        const char* argument;
        const char* exec;
    } cases[] = {
        {"/srv/volby/talmorek", "", R"(Exec="/srv/volby/talmorek")"},
        {"/home/komise/Volby 2026/talmorek", "OK 1", R"(Exec="/home/komise/Volby 2026/talmorek" "OK 1")"},
        {"/srv/100%/talmorek", "", R"(Exec="/srv/100%%/talmorek")"},
        {"/srv/a\"b$c`d/talmorek", "", R"(Exec="/srv/a\\"b\\$c\\`d/talmorek")"},
        {"/srv/back\\slash/talmorek", "", R"(Exec="/srv/back\\\\slash/talmorek")"},
    };
    for (const auto& c : cases) {
        const std::string entry = stationDesktopEntry(c.program, c.argument, "Talmorek", "/srv/");
        EXPECT_NE(entry.find(std::string(c.exec) + "\n"), std::string::npos) << entry;
    }
    EXPECT_THROW(stationDesktopEntry("/srv/new\nline/talmorek", "", "Talmorek", "/srv/"), std::invalid_argument);
}

TEST(InstallStation, AnIncompleteSetIsRefusedNamingTheMissingFile) {
    struct Case {
        const char* file;
        const char* says;
    } cases[] = {
        {"OKRSKY.RCD", "chybí soubor OKRSKY.RCD (registr okrsků)"},
        {"PSRZVO.RCD", "chybí soubor PSRZVO.RCD (registr zvláštních okrsků v zahraničí)"},
        {"PSRVOK.RCD", "chybí soubor PSRVOK.RCD (registr počtů voličů v okrscích)"},
        {"STRANY.RCD", "chybí soubor STRANY.RCD (registr stran)"},
        {"KANDIDAT.RCD", "chybí soubor KANDIDAT.RCD (registr kandidátů)"},
        {"CISCHYB.RCD", "chybí soubor CISCHYB.RCD (číselník kontrolních hlášení)"},
        {"STANICE.RCD", "chybí soubor STANICE.RCD (záznam stanice)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Fixture f;
        fs::remove(f.source + c.file);
        const ToolRun r = f.install();
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("V sadě souborů volebního úřadu v " + f.source + " " + c.says), std::string::npos)
            << r.err;
        EXPECT_FALSE(fs::exists(f.station)) << "nothing is written from an incomplete set";
    }
    // A set of the other kind says which kind it is.
    Fixture multi(true);
    const ToolRun asSingle = multi.install();
    EXPECT_NE(asSingle.err.find("je určena pro víceokrskovou instalaci (volba --multi)"), std::string::npos)
        << asSingle.err;
    Fixture single;
    const ToolRun asMulti = single.install({"--multi"});
    EXPECT_NE(asMulti.err.find("je určena pro jednookrskovou instalaci (bez volby --multi)"), std::string::npos)
        << asMulti.err;
}

// Each file is read by the program's own reader; the message names the
// office's file (not a copy it was checked in), the record and the field.
TEST(InstallStation, ADamagedSetIsRefusedNamingTheFileAndField) {
    struct Case {
        const char* name;
        void (*damage)(const std::string& source);
        const char* file;
        const char* says;
    } cases[] = {
        {"precinct range not a number",
         [](const std::string& s) {
             std::string bytes = readText(s + "OKRSKY.RCD");
             bytes.replace(91 + 49, 2, "x1");
             std::ofstream(s + "OKRSKY.RCD", std::ios::binary) << bytes;
         },
         "OKRSKY.RCD", "pole OkrsekOd"},
        {"a register cut short",
         [](const std::string& s) { fs::resize_file(s + "KANDIDAT.RCD", fs::file_size(s + "KANDIDAT.RCD") - 10); },
         "KANDIDAT.RCD", "je poškozen"},
        {"an empty catalogue", [](const std::string& s) { fs::resize_file(s + "CISCHYB.RCD", 0); }, "CISCHYB.RCD",
         "CISCHYB.RCD"},
        {"a party count not a number",
         [](const std::string& s) {
             std::string bytes = readText(s + "STRANY.RCD");
             bytes.replace(55, 3, std::string("\x02" "x9", 3));
             std::ofstream(s + "STRANY.RCD", std::ios::binary) << bytes;
         },
         "STRANY.RCD", "PocetKandidatu"},
        {"a station of no precinct in the registers",
         [](const std::string& s) {
             data::TStanice st = data::NactiStanici(s);
             st.CisloOkrsku = 999;
             std::ofstream(s + "STANICE.RCD", std::ios::binary) << data::encodeStanice(st);
         },
         "STANICE.RCD", "(obec 532053, okrsek 999) není v registru okrsků téže sady"},
        {"a station record cut short", [](const std::string& s) { fs::resize_file(s + "STANICE.RCD", 100); },
         "STANICE.RCD", "je poškozen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        c.damage(f.source);
        const ToolRun r = f.install();
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find(f.source + c.file), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(f.station));
    }
}

TEST(InstallStation, NamesOfAnyLetterCaseAndAWriteProtectedSetAreRead) {
    Fixture f;
    fs::rename(f.source + "OKRSKY.RCD", f.source + "okrsky.rcd");
    fs::rename(f.source + "STANICE.RCD", f.source + "Stanice.Rcd");
    for (const auto& entry : fs::directory_iterator(f.source))
        fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const ToolRun r = f.install();
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(f.station + "OKRSKY.RCD"));
    EXPECT_EQ(data::NactiStanici(f.station).CisloOkrsku, 1);
}

// Laying a station out again takes the office's corrected files, unless the
// commission has begun: then nothing is touched.
TEST(InstallStation, AStationHoldingTheCommissionsWorkIsNotOverwritten) {
    struct Case {
        const char* name;
        void (*work)(const std::string& station);
        const char* evidence;
    } cases[] = {
        {"a saved data file",
         [](const std::string& st) {
             std::ofstream(st + "data/" + exporting::dataFileName(exporting::DataLetter::E, "532053", 1)) << "x";
         },
         "soubor dat okrsku data/EP532053.00001"},
        {"a checked data file, named in lower case",
         [](const std::string& st) { std::ofstream(st + "data/op532053.00001") << "x"; },
         "soubor dat okrsku data/op532053.00001"},
        {"any other file beside the working files",
         [](const std::string& st) { std::ofstream(st + "data/HLASO.RCD.kopie") << "x"; },
         "soubor data/HLASO.RCD.kopie"},
        {"a journal of typing", [](const std::string& st) { std::ofstream(st + "data/ZURNAL.00001") << "x"; },
         "záznam rozepsaných údajů data/ZURNAL.00001"},
        {"the course of voting typed",
         [](const std::string& st) {
             data::Hlasovani h;
             h.Zahajeno1 = "07:00";
             data::ZapisHlasovani(st + "data/", h);
         },
         "průběh hlasování v data/HLASO.RCD"},
        {"the commission typed",
         [](const std::string& st) { data::ZapisKomisi(st + "data/", {data::TKomise{"Jana Nováková"}}); },
         "složení komise v data/KOMISE.RCD"},
        {"an exported station",
         [](const std::string& st) {
             data::TStanice shared;
             data::ZapisStavStanice(st, "A", shared);
         },
         "stanice STANICE.RCD je vedena jako exportovaná"},
        {"an export on the hard disk",
         [](const std::string& st) { std::ofstream(st + "Export/OP532053.00001") << "x"; },
         "export Export/OP532053.00001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        ASSERT_EQ(f.install().code, 0);
        c.work(f.station);
        const auto before = filesUnder(f.station);
        // The office sends a corrected set.
        std::string strany = readText(f.source + "STRANY.RCD");
        strany[5] = 'X';
        std::ofstream(f.source + "STRANY.RCD", std::ios::binary) << strany;
        const ToolRun r = f.install();
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find(std::string("je stanice s pořízenými nebo exportovanými daty (") + c.evidence + ")"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(filesUnder(f.station), before);
    }

    // A multi-station installation: any station's work counts.
    Fixture multi(true);
    ASSERT_EQ(multi.install({"--multi"}).code, 0);
    std::ofstream(multi.station + "data/OK7/EP554782.00007") << "x";
    EXPECT_NE(multi.install({"--multi"}).err.find("data/OK7/EP554782.00007"), std::string::npos);

    // Before any work, a corrected set replaces the registers.
    Fixture fresh;
    ASSERT_EQ(fresh.install().code, 0);
    std::string kandidati = readText(fresh.source + "KANDIDAT.RCD");
    kandidati.resize(kandidati.size() - 91);
    std::ofstream(fresh.source + "KANDIDAT.RCD", std::ios::binary) << kandidati;
    const ToolRun again = fresh.install();
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(readText(fresh.station + "KANDIDAT.RCD"), kandidati);
}

// Paths that cannot hold a station are refused before anything is written.
TEST(InstallStation, PlacesThatCannotHoldAStationAreRefused) {
    Fixture f;
    f.root.write("soubor", "x");
    fs::create_directories(f.root.file("procento%/"));
    struct Case {
        const char* name;
        std::string source, station;
        std::string says;
    } cases[] = {
        {"the station inside the set", f.source, f.source + "stanice", "leží v sadě souborů volebního úřadu"},
        {"the station is the set", f.source, f.source, "leží v sadě souborů volebního úřadu"},
        {"the set inside the station", f.source, f.root.path(), "leží v sadě souborů volebního úřadu"},
        {"the station is a file", f.source, f.root.file("soubor"), f.root.file("soubor") + " je soubor, ne adresář."},
        {"the set is a file", f.root.file("soubor"), f.station, f.root.file("soubor") + " je soubor, ne adresář."},
        {"a launcher cannot carry %", f.source, f.root.file("procento%/stanice"), "neunese"},
    };
    std::vector<Case> table(std::begin(cases), std::end(cases));
    // Where letter case tells no two directories apart (Windows), the set
    // named in other letters is still the set.
    if (!testing::letterCaseTellsFilesApart())
        table.push_back({"the station inside the set, in capitals", f.source, f.root.file("SADA/stanice"),
                         "leží v sadě souborů volebního úřadu"});
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        if (!linksCanBeMade() && std::string(c.name).find('%') != std::string::npos) continue;
        const auto before = filesUnder(f.root.path());
        const ToolRun r = run({"install-station", c.source, c.station, "--program", f.program, "--no-menu"});
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(filesUnder(f.root.path()), before);
    }
    // A link that cannot be made (here the place of its temporary name is
    // taken; on Windows no link can be made at all) refuses the station
    // before any of the office's files is written.
    {
        const std::string other = f.root.file("jinde/");
        fs::create_directories(other + "talmorek.novy/obsah");
        const ToolRun r = run({"install-station", f.source, other, "--program", f.program, "--no-menu"});
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.rfind("Odkaz ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("talmorek se nepodařilo vytvořit: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Stanice se nezakládá, nic z ní nebylo zapsáno."), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(other + "OKRSKY.RCD"));
        EXPECT_FALSE(fs::exists(other + "data"));
        EXPECT_FALSE(fs::exists(other + "talmorek"));
    }
    if (!linksCanBeMade()) {
        // Nor is the station's directory left behind.
        const ToolRun r = f.install({"--program", f.program});
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("se nepodařilo vytvořit"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(f.station));
        return;
    }
    // Where the link to the program goes, a directory stays.
    fs::create_directories(f.station + "talmorek");
    const ToolRun r = f.install();
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("Na místě odkazu na program " + f.station + "talmorek je adresář"), std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(f.station + "OKRSKY.RCD"));
}

// A station record copied from a used station does not make the new one
// saved or exported.
TEST(InstallStation, TheStationStartsWithoutAStatus) {
    Fixture f;
    data::TStanice used = data::NactiStanici(f.source);
    used.Stav = "A";
    std::ofstream(f.source + "STANICE.RCD", std::ios::binary) << data::encodeStanice(used);
    ASSERT_EQ(f.install().code, 0);
    EXPECT_EQ(data::NactiStanici(f.station).Stav, "");
    EXPECT_EQ(f.install().code, 0) << "a fresh station is laid out again";
}

// One menu entry per precinct, and no launcher of a station that is gone.
TEST(InstallStation, LaunchersFollowTheStationsOfTheLastLayout) {
    if (!linksCanBeMade()) GTEST_SKIP() << kNoLinks;
    TempDir menu;
    Fixture multi(true);
    auto install = [&](Fixture& f, Args extra) {
        Args args{"install-station", f.source, f.station, "--program", f.program, "--menu", menu.file("applications")};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    };
    ASSERT_EQ(install(multi, {"--multi"}).code, 0);
    EXPECT_TRUE(fs::exists(multi.station + "talmorek-OK7.desktop"));
    EXPECT_TRUE(fs::exists(menu.file("applications/talmorek-554782-00007.desktop")));

    // The same directory laid out again as a single station of Kladno 1.
    Fixture single;
    ASSERT_EQ(install(single, {"--multi"}).code, 2);
    single.station = multi.station;
    ASSERT_EQ(install(single, {}).code, 0);
    EXPECT_TRUE(fs::exists(multi.station + "talmorek.desktop"));
    EXPECT_FALSE(fs::exists(multi.station + "talmorek-OK7.desktop"));
    EXPECT_FALSE(fs::exists(menu.file("applications/talmorek-554782-00007.desktop")));
    EXPECT_TRUE(fs::exists(menu.file("applications/talmorek-532053-00001.desktop")));

    // Another station of the same precinct: it takes the menu's entry from a
    // station without work, never from one with work.
    Fixture other;
    ASSERT_EQ(install(other, {}).code, 0);
    EXPECT_NE(readText(menu.file("applications/talmorek-532053-00001.desktop")).find("Path=" + other.station),
              std::string::npos);
    data::Hlasovani typed;
    typed.Zahajeno1 = "07:00";
    data::ZapisHlasovani(other.station + "data/", typed);
    single.station = multi.station;
    const ToolRun refused = install(single, {});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("spouští stanici v " + other.station), std::string::npos) << refused.err;
    EXPECT_NE(readText(menu.file("applications/talmorek-532053-00001.desktop")).find("Path=" + other.station),
              std::string::npos);
}

TEST(InstallStation, BadArgumentsAreToldHowToCallIt) {
    Fixture f;
    for (const Args& args : {Args{"install-station"}, Args{"install-station", f.source},
                             Args{"install-station", f.source, f.station, "--bogus"},
                             Args{"install-station", f.source, f.station, "--program"}}) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("Použití: talmorek-tool install-station SOURCE DIR"), std::string::npos) << r.err;
    }
    const ToolRun noProgram = run({"install-station", f.source, f.station, "--program", f.root.file("nic")});
    EXPECT_EQ(noProgram.code, 2);
    EXPECT_NE(noProgram.err.find("neexistuje"), std::string::npos);
    EXPECT_FALSE(fs::exists(f.station));
}

}  // namespace
}  // namespace talmorek::tool
