// The running process on Linux.
#include "core/platform/process.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace talmorek::platform {

std::string executablePath() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

int runInPlace(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    return errno;
}

void ignoreFileSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

void useUtf8Console() {}

std::string privateRuntimeDirectory() {
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
}

void setEnvironment(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace talmorek::platform
