#pragma once
// What several benchmarks stand on: a temporary directory removed when the
// run ends, and a file read whole the plainest way (for the floors).
#include <optional>
#include <string>
#include <string_view>

namespace talmorek::bench {

// A fresh directory name under the system's temporary directory
// ("talmorek-bench-<what>-<random>"), removed with all it holds at the end
// of the run. Nothing is created.
std::string temporaryDirectory(std::string_view what);

// The whole file with one fopen and one fread; nothing when it cannot be read.
std::optional<std::string> readPlain(const std::string& path);

}  // namespace talmorek::bench
