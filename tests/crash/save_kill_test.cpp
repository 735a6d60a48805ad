// A save killed at any moment (power cut, the process killed) must leave
// each file it rewrites as it was before or as the save makes it: never
// half-written, never missing. The built tool saves in a loop and is killed
// with SIGKILL after a random delay; after every kill the files are compared
// with the two complete versions.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/temp_dir.h"

extern char** environ;

namespace {

using talmorek::testing::TempDir;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 100;
constexpr const char* kDataFileE = "data/EP532053.00001";
constexpr const char* kDataFileO = "data/OP532053.00001";
constexpr const char* kRecordFiles[] = {"data/HLASO.RCD", "data/KOMISE.RCD", "STANICE.RCD"};

pid_t startTool(const std::vector<std::string>& args) {
    std::vector<std::string> all{TALMOREK_TOOL_EXECUTABLE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// The exit status, or the signal as a negative number. A save that hangs
// is killed after 30 s and counts as a failure (-1001).
int waitFor(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) return -1002;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1001;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

int runTool(const std::vector<std::string>& args) {
    const pid_t pid = startTool(args);
    return pid < 0 ? -1000 : waitFor(pid);
}

// What one save leaves: every file concerned, or nothing for a file absent.
using Files = std::map<std::string, std::optional<std::string>>;

Files filesOf(const TempDir& dir) {
    Files files;
    for (const char* name : {kDataFileE, kDataFileO}) files[name] = std::nullopt;
    for (const char* name : kRecordFiles) files[name] = std::nullopt;
    for (auto& [name, content] : files)
        if (dir.exists(name)) content = dir.read(name);
    return files;
}

// The demo record of the demo installation's precinct (variant 0), or the
// same with other counts, course of voting and commission (variant 1), so
// that the two saves differ in every file they write.
std::string recordVariant(int variant) {
    std::ifstream in(TALMOREK_DEMO_RECORD);
    nlohmann::ordered_json record = nlohmann::ordered_json::parse(in);
    if (variant == 1) {
        record["T4"]["ZapsOsoby"] = 815;
        record["Hlasovani"]["ClenuOVKP"] = "4";
        record["Hlasovani"]["Zapisovat"] = "Jan Malý";
        record["Komise"] = {"Eva Nová", "Karel Starý", "Alena Dlouhá"};
    }
    return record.dump();
}

// Each file is one of the two complete versions: the working files and the
// station record as either save leaves them, each data file absent or as
// the save of its letter writes it, and at least one data file present.
std::string damageIn(const Files& now, const Files& a, const Files& b) {
    for (const char* name : kRecordFiles) {
        if (!now.at(name)) return std::string(name) + " is missing";
        if (now.at(name) != a.at(name) && now.at(name) != b.at(name)) return std::string(name) + " is damaged";
    }
    if (!now.at(kDataFileE) && !now.at(kDataFileO)) return "neither data file exists";
    if (now.at(kDataFileE) && now.at(kDataFileE) != a.at(kDataFileE)) return std::string(kDataFileE) + " is damaged";
    if (now.at(kDataFileO) && now.at(kDataFileO) != b.at(kDataFileO)) return std::string(kDataFileO) + " is damaged";
    return {};
}

unsigned seedOfRun() {
    if (const char* given = std::getenv("TALMOREK_KILL_SEED")) return static_cast<unsigned>(std::stoul(given));
    return std::random_device{}();
}

TEST(SaveKilled, LeavesEveryFileAsTheOldOrTheNewVersion) {
    TempDir dir;
    ASSERT_EQ(runTool({"init-demo", dir.path()}), 0);
    dir.write("a.json", recordVariant(0));
    dir.write("b.json", recordVariant(1));
    // Variant 0 saved as "E", variant 1 as "O": a save also removes the
    // data file of the other letter, so that one must never go first.
    auto save = [&](int variant) {
        return std::vector<std::string>{"datafile", "write",     dir.path(), "--record",
                                        dir.file(variant == 0 ? "a.json" : "b.json"),
                                        "--letter", variant == 0 ? "E" : "O", "--recompute",
                                        "--now",    "2021-10-09T14:05:00",   "--seed",   "7"};
    };

    const auto start = Clock::now();
    ASSERT_EQ(runTool(save(0)), 0);
    const Files a = filesOf(dir);
    ASSERT_EQ(runTool(save(1)), 0);
    const auto saveTime = (Clock::now() - start) / 2;
    const Files b = filesOf(dir);
    ASSERT_EQ(runTool(save(0)), 0);
    ASSERT_EQ(filesOf(dir), a) << "the same save must write the same bytes";
    for (const char* name : {"data/HLASO.RCD", "data/KOMISE.RCD"}) ASSERT_NE(a.at(name), b.at(name)) << name;
    ASSERT_TRUE(a.at(kDataFileE) && !a.at(kDataFileO));
    ASSERT_TRUE(b.at(kDataFileO) && !b.at(kDataFileE));

    const unsigned seed = seedOfRun();
    std::printf("seed %u (TALMOREK_KILL_SEED=%u repeats the delays)\n", seed, seed);
    std::mt19937 random(seed);
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 5 / 4);
    std::uniform_int_distribution<long long> delays(0, longest.count());

    int killedWhileSaving = 0;
    int variant = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        variant = 1 - variant;
        const auto delay = std::chrono::microseconds(delays(random));
        const pid_t pid = startTool(save(variant));
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        if (waitFor(pid) == -SIGKILL) ++killedWhileSaving;
        const std::string damage = damageIn(filesOf(dir), a, b);
        ASSERT_EQ(damage, "") << "kill " << kill << " after " << delay.count() << " µs, seed " << seed;
    }
    std::printf("%d of %d saves killed before they ended\n", killedWhileSaving, kKills);
    EXPECT_GE(killedWhileSaving, kKills / 5) << "the delays no longer reach into the saves";

    ASSERT_EQ(runTool(save(1)), 0);
    EXPECT_EQ(filesOf(dir), b);
}

}  // namespace
