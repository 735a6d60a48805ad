#pragma once
// The running process as the system shows it, for the programs built on
// the core (the tool, the program): where the executable lies, the
// arguments in UTF-8, the console, another program run in this one's place.
// Each system has its source (platform/posix/process.cpp,
// platform/windows/process.cpp); what the core itself needs of the system
// (the files, the clock, the carriers, the locale) is implemented there too,
// behind the interfaces of data/, media/ and checks/.

#include <string>
#include <vector>

namespace talmorek::platform {

// The running executable's own path; empty when the system cannot tell.
std::string executablePath();

// The arguments after the program's name, as UTF-8 text. On Linux they are
// `argv` as given; on Windows `argv` holds them in the ANSI code page, so
// they are taken from the wide command line instead.
std::vector<std::string> programArguments(int argc, char** argv);

// Whether standard error is a terminal (worth a progress line redrawn in place).
bool standardErrorIsTerminal();

// Runs `program` with `arguments` in this process's place, on the same
// standard streams: on Linux it replaces the process, on Windows this
// process waits for it and exits with its exit code. Returns only when the
// program could not be started, with the error (errno).
int runInPlace(const std::string& program, const std::vector<std::string>& arguments);

// A write over the file-size limit (ulimit -f) fails with EFBIG instead of
// killing the process with SIGXFSZ (Linux; Windows has no such signal).
void ignoreFileSizeLimitSignal();

// The console shows the UTF-8 the program writes (Windows; a Linux
// terminal takes UTF-8 as it is).
void useUtf8Console();

// "talmorek-runtime-<uid>" in the system's temporary directory, created with
// mode 0700, for Qt where the session gives no XDG_RUNTIME_DIR; empty when it
// cannot be made safely (it exists and is not a directory of this user with
// that mode), and on Windows, where Qt asks for none.
std::string privateRuntimeDirectory();

// Sets the environment variable `name` of this process.
void setEnvironment(const std::string& name, const std::string& value);

}  // namespace talmorek::platform
