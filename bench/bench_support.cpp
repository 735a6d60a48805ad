#include "bench_support.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "bench_end.h"

namespace talmorek::bench {

std::string temporaryDirectory(std::string_view what) {
    std::random_device rd;
    const std::string dir = (std::filesystem::temp_directory_path() /
                             ("talmorek-bench-" + std::string(what) + "-" + std::to_string(rd())))
                                .string();
    atEnd([dir] {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    });
    return dir;
}

std::optional<std::string> readPlain(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return std::nullopt;
    std::fseek(in, 0, SEEK_END);
    std::string bytes(static_cast<std::size_t>(std::ftell(in)), '\0');
    std::fseek(in, 0, SEEK_SET);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
    std::fclose(in);
    if (got != bytes.size()) return std::nullopt;
    return bytes;
}

}  // namespace talmorek::bench
