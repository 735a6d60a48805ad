// The running process on Windows.
#include "core/platform/process.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "core/platform/windows/win32.h"

// After windows.h, which it builds on.
#include <io.h>
#include <shellapi.h>

namespace talmorek::platform {

std::string executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return utf8OfWide(path);
        }
        path.resize(path.size() * 2);
    }
}

std::vector<std::string> programArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(utf8OfWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

bool standardErrorIsTerminal() { return ::_isatty(_fileno(stderr)) != 0; }

int runInPlace(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const Started started = startProcess(all, false);
    if (started.process == nullptr) return started.error;
    ::CloseHandle(started.thread);
    ::WaitForSingleObject(started.process, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(started.process, &code);
    std::exit(static_cast<int>(code));
}

void ignoreFileSizeLimitSignal() {}

void useUtf8Console() {
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
}

std::string privateRuntimeDirectory() { return {}; }

void setEnvironment(const std::string& name, const std::string& value) {
    const std::optional<std::wstring> wideName = wideOf(name), wideValue = wideOf(value);
    if (wideName && wideValue) ::_wputenv_s(wideName->c_str(), wideValue->c_str());
}

}  // namespace talmorek::platform
