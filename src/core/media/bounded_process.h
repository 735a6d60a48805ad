#pragma once
// Runs an external program without a shell and waits for it a bounded
// time. The waiting calls back at short intervals, so the program's window
// keeps repainting meanwhile; on time-out only the started process (and
// what it started itself) is ended, nothing else on the machine.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace talmorek::media {

struct ProcessOutcome {
    enum class Kind { Exited, TimedOut, NotStarted };
    Kind kind = Kind::NotStarted;
    int exitCode = -1;  // for Exited; a process ended by a signal counts as -1
};

// Starts `argv[0]` (looked up in PATH when it holds no "/"; on Windows as
// CreateProcessW looks programs up) with the arguments `argv[1..]`, its
// output discarded, and waits for it at most until `deadline`, calling
// `tick` between the checks. Each system's is in platform/<system>/media.cpp.
ProcessOutcome runBounded(const std::vector<std::string>& argv, std::chrono::steady_clock::time_point deadline,
                          const std::function<void()>& tick = {});

}  // namespace talmorek::media
