// The benchmarks' main: a run in which any benchmark failed (its set-up
// found nothing to measure, a step it measures went wrong) exits 1, and
// everything the benchmarks set up is taken down before the process ends.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "bench_end.h"

namespace talmorek::bench {
namespace {

std::vector<std::function<void()>>& endWork() {
    static std::vector<std::function<void()>> work;
    return work;
}

class FailureCountingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.error_occurred) ++failed;
        ConsoleReporter::ReportRuns(runs);
    }
    int failed = 0;
};

}  // namespace

void atEnd(std::function<void()> work) { endWork().push_back(std::move(work)); }

void runEnd() {
    std::vector<std::function<void()>> work = std::exchange(endWork(), {});
    for (auto it = work.rbegin(); it != work.rend(); ++it) (*it)();
}

}  // namespace talmorek::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    talmorek::bench::FailureCountingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    talmorek::bench::runEnd();
    if (reporter.failed > 0) {
        std::fprintf(stderr, "%d benchmark(s) failed: see ERROR OCCURRED above.\n", reporter.failed);
        return 1;
    }
    return 0;
}
