// What one command of the tool costs as a process: `talmorek-tool summary`
// started, run and ended, beside a plain C++ program started to read the
// same files. The tool loads no Qt for it.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "tool/commands.h"

extern char** environ;

namespace {

using namespace talmorek;

struct Installation {
    std::string dir;
    bool ready = false;
    Installation() {
        dir = bench::temporaryDirectory("start");
        std::ostringstream out, err;
        ready = tool::runTool({"init-demo", dir}, out, err) == 0;
    }
};

Installation& installation() {
    static Installation i;
    return i;
}

// Runs the program to its end, its output thrown away; its exit status.
int runProcess(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_ToolSummaryProcess(benchmark::State& state) {
    if (!installation().ready) {
        state.SkipWithError("no installation");
        return;
    }
    for (auto _ : state) {
        if (runProcess({TALMOREK_TOOL_EXECUTABLE, "summary", installation().dir}) != 0) {
            state.SkipWithError("talmorek-tool summary failed");
            return;
        }
    }
}
BENCHMARK(BM_ToolSummaryProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ToolSummaryProcessFloor(benchmark::State& state) {
    if (!installation().ready) {
        state.SkipWithError("no installation");
        return;
    }
    for (auto _ : state) {
        if (runProcess({TALMOREK_SUMMARY_FLOOR_EXECUTABLE, installation().dir}) != 0) {
            state.SkipWithError("the floor program failed");
            return;
        }
    }
}
BENCHMARK(BM_ToolSummaryProcessFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
