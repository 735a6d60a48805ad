// The receiving office's batch over all 1892 ordinary precincts of the demo
// installation, beside its floor: the same files decoded and checked one by
// one in a single thread, the time divided by the cores (the best the
// threads could do).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "bench_support.h"
#include "core/receiving/batch.h"
#include "tool/commands.h"

namespace {

using namespace talmorek;

constexpr int kPrecincts = 1892;

struct Precincts {
    std::string dir, inst, files;
    bool ready = false;
    Precincts() {
        dir = bench::temporaryDirectory("batch");
        inst = dir + "/inst";
        files = dir + "/files";
        std::ostringstream out, err;
        ready = tool::runTool({"init-demo", inst}, out, err) == 0 &&
                tool::runTool({"gen-precincts", inst, files, "--count", std::to_string(kPrecincts)}, out, err) == 0;
    }
};

Precincts& precincts() {
    static Precincts p;
    return p;
}

void BM_Batch(benchmark::State& state) {
    Precincts& p = precincts();
    if (!p.ready) {
        state.SkipWithError("the precincts could not be generated");
        return;
    }
    const std::string csv = p.dir + "/rows.csv";
    for (auto _ : state) {
        std::ostringstream out, err;
        const int code = tool::runTool({"batch", p.files, "--installation", p.inst, "--csv", csv}, out, err);
        if (code > 1) {
            state.SkipWithError("the batch failed");
            return;
        }
    }
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(kPrecincts) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Batch)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchFloor(benchmark::State& state) {
    Precincts& p = precincts();
    if (!p.ready) {
        state.SkipWithError("the precincts could not be generated");
        return;
    }
    const std::vector<std::string> paths = receiving::findDataFiles(p.files);
    const receiving::ReceivingRegisters registers(p.inst + "/");
    data::RegisterSnapshot snapshot(registers.registers);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& path : paths) benchmark::DoNotOptimize(receiving::receiveFile(path, registers, snapshot));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count() / cores);
    }
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(paths.size()) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchFloor)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
