#include "tool/process_setup.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace talmorek::tool {

std::string privateRuntimeDirectory() {
#ifdef _WIN32
    return {};
#else
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    const std::string dir = (base / ("talmorek-runtime-" + std::to_string(::getuid()))).string();
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
    // Qt trusts a runtime directory only when it is ours alone; so do we:
    // not a link someone else planted, owned by this user, mode 0700.
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 0777) != 0700)
        return {};
    return dir;
#endif
}

void prepareProcess() {
#ifndef _WIN32
    std::signal(SIGXFSZ, SIG_IGN);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') {
        const std::string dir = privateRuntimeDirectory();
        if (!dir.empty()) ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
#endif
}

}  // namespace talmorek::tool
