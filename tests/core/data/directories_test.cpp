#include "core/data/directories.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace talmorek::data {
namespace {

using talmorek::testing::TempDir;

// A single-station installation keeps its station record beside the program;
// a multi-station one is started with the name of the station's directory.
struct Case {
    const char* name;
    const char* executable;
    bool stationFileBesideProgram;
    std::vector<std::string> arguments;
    std::optional<Directories> expected;  // nothing: the program refuses to start
};

const Case kCases[] = {
    {"single_station", "/opt/PS/talmorek", true, {}, Directories{"/opt/PS/", "/opt/PS/", "/opt/PS/data/", false}},
    {"single_station_ignores_an_argument", "/opt/PS/talmorek", true, {"OK12"},
     Directories{"/opt/PS/", "/opt/PS/", "/opt/PS/data/", false}},
    {"multi_station_with_one_argument", "/opt/PS/talmorek", false, {"OK12"},
     Directories{"/opt/PS/", "/opt/PS/data/OK12/", "/opt/PS/data/OK12/", true}},
    {"argument_used_unchecked", "/opt/PS/talmorek", false, {"a b"},
     Directories{"/opt/PS/", "/opt/PS/data/a b/", "/opt/PS/data/a b/", true}},
    {"no_station_file_and_no_argument_refused", "/opt/PS/talmorek", false, {}, std::nullopt},
    {"no_station_file_and_two_arguments_refused", "/opt/PS/talmorek", false, {"OK12", "OK13"}, std::nullopt},
    {"path_without_separator_gives_empty_program_dir", "talmorek", true, {}, Directories{"", "", "data/", false}},
    {"path_without_separator_multi_station", "talmorek", false, {"OK12"},
     Directories{"", "data/OK12/", "data/OK12/", true}},
};

TEST(Directories, StartUpRule) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> asked;
        auto hasStationFile = [&](const std::string& dir) {
            asked.push_back(dir);
            return c.stationFileBesideProgram;
        };
        auto d = chooseDirectories(c.executable, c.arguments, hasStationFile);
        ASSERT_EQ(d.has_value(), c.expected.has_value());
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], programDirectoryOf(c.executable, '/')) << "looks beside the program";
        if (!d) continue;
        EXPECT_EQ(d->program, c.expected->program);
        EXPECT_EQ(d->station, c.expected->station);
        EXPECT_EQ(d->data, c.expected->data);
        EXPECT_EQ(d->multiStation, c.expected->multiStation);
    }
}

TEST(Directories, WindowsSeparator) {
    auto d = chooseDirectories("C:\\PS\\talmorek.exe", {"OK12"}, [](const std::string&) { return false; }, '\\');
    ASSERT_TRUE(d);
    EXPECT_EQ(d->program, "C:\\PS\\");
    EXPECT_EQ(d->station, "C:\\PS\\data\\OK12\\");
    EXPECT_EQ(d->data, "C:\\PS\\data\\OK12\\");
}

TEST(Directories, ProgramDirectoryCutsAfterTheLastSeparator) {
    EXPECT_EQ(programDirectoryOf("/opt/PS/bin/talmorek", '/'), "/opt/PS/bin/");
    EXPECT_EQ(programDirectoryOf("/talmorek", '/'), "/");
    EXPECT_EQ(programDirectoryOf("talmorek", '/'), "");
    EXPECT_EQ(programDirectoryOf("C:\\PS\\talmorek.exe", '/'), "");
}

// A station starts the installed program through a link in its own
// directory; the station is where the link is, not where the package put
// the program.
TEST(Directories, TheProgramIsWhereItWasStartedFrom) {
    const std::string installed = "/usr/lib/talmorek/talmorek";
    struct Case {
        const char* argv0;
        const char* workingDir;
        const char* expected;
    } cases[] = {
        {"/srv/volby/talmorek", "/home/komise", "/srv/volby/talmorek"},  // the desktop entry's command
        {"./talmorek", "/srv/volby", "/srv/volby/talmorek"},             // typed in the station
        {"././talmorek", "/srv/volby/", "/srv/volby/talmorek"},
        {"volby/talmorek", "/srv", "/srv/volby/talmorek"},
        {"talmorek", "/srv/volby", "/usr/lib/talmorek/talmorek"},  // found on the search path
        {"", "/srv/volby", "/usr/lib/talmorek/talmorek"},
        {"volby/talmorek", "", "volby/talmorek"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argv0);
        EXPECT_EQ(startedExecutablePath(c.argv0, c.workingDir, installed), c.expected);
    }
    // With the station's file beside the link, the link's directory is the
    // single-station installation.
    const auto d = chooseDirectories(startedExecutablePath("/srv/volby/talmorek", "/", installed), {},
                                     [](const std::string& dir) { return dir == "/srv/volby/"; }, '/');
    ASSERT_TRUE(d);
    EXPECT_EQ(d->program, "/srv/volby/");
    EXPECT_EQ(d->station, "/srv/volby/");
}

TEST(Directories, ResolveFileIgnoresLetterCase) {
    TempDir dir;
    dir.write("stanice.rcd", "x");
    EXPECT_EQ(resolveFile(dir.path(), "STANICE.RCD"), dir.file("stanice.rcd"));
    EXPECT_TRUE(hasFileIgnoringCase(dir.path(), "STANICE.RCD"));
    EXPECT_TRUE(hasFileIgnoringCase(dir.path(), "Stanice.Rcd"));
}

TEST(Directories, ResolveFilePrefersTheExactName) {
    if (!testing::letterCaseTellsFilesApart()) GTEST_SKIP() << "letter case tells no two files apart here";
    TempDir dir;
    dir.write("stanice.rcd", "x");
    dir.write("STANICE.RCD", "y");
    EXPECT_EQ(resolveFile(dir.path(), "STANICE.RCD"), dir.file("STANICE.RCD"));
}

TEST(Directories, ResolveFileWithoutAMatchGivesTheNameAsAsked) {
    TempDir dir;
    EXPECT_EQ(resolveFile(dir.path(), "HLASO.RCD"), dir.file("HLASO.RCD"));
    EXPECT_FALSE(hasFileIgnoringCase(dir.path(), "HLASO.RCD"));
    EXPECT_EQ(resolveFile(dir.file("missing/"), "HLASO.RCD"), dir.file("missing/HLASO.RCD"));
}

TEST(Directories, ADirectoryIsNotAStationFile) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("stanice.rcd"));
    EXPECT_FALSE(hasFileIgnoringCase(dir.path(), "STANICE.RCD"));
}

}  // namespace
}  // namespace talmorek::data
