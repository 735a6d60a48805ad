#include "fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "tool/demo_installation.h"

namespace talmorek::fuzz {
namespace {

struct RemovedAtExit {
    std::filesystem::path root;
    ~RemovedAtExit() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};

}  // namespace

void fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "FUZZ FAILURE: %s", what);
    if (!detail.empty()) std::fprintf(stderr, ": %.*s", static_cast<int>(detail.size()), detail.data());
    std::fprintf(stderr, "\n");
    std::abort();
}

const data::Directories& demoInstallation() {
    static const RemovedAtExit scratch{[] {
        std::string pattern = (std::filesystem::temp_directory_path() / "talmorek-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) fail("no temporary directory");
        return std::filesystem::path(pattern);
    }()};
    static const data::Directories dirs = [] {
        const std::string program = scratch.root.string() + "/";
        tool::writeDemoInstallation(program, false);
        return data::Directories{program, program, program + "data/", false};
    }();
    return dirs;
}

void putFile(const std::string& dir, std::string_view name, std::string_view bytes) {
    std::ofstream out(dir + std::string(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) fail("cannot write the scratch installation", name);
}

}  // namespace talmorek::fuzz
