#pragma once
// What the Windows sources of the platform share: UTF-8 text to the
// system's UTF-16 and back, the system's error codes as the errno values
// the rest of the core words, and programs started with CreateProcessW.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmorek::platform {

// `utf8` as UTF-16; nothing when it is no valid UTF-8.
std::optional<std::wstring> wideOf(std::string_view utf8);

// `wide` as UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string utf8OfWide(std::wstring_view wide);

// The errno value for the system's error code `error` (GetLastError()):
// ENOENT for a missing file or directory, EACCES, EEXIST, ENOSPC, EROFS for
// a write-protected medium, EBUSY for a file another program holds open,
// ENXIO for a drive without its medium, …; EIO for anything else.
int errnoOf(DWORD error);
inline int lastErrno() { return errnoOf(::GetLastError()); }

// The command line that gives each of `arguments` back as one argument to
// a program that splits its command line the usual way (CommandLineToArgvW,
// the C runtime): quoted where needed, backslashes before quotes doubled.
std::wstring commandLineOf(const std::vector<std::wstring>& arguments);

// Starts `arguments[0]` with the command line of `arguments`. With
// `nullOutput` its standard streams are the null device, else it shares
// this process's. Its process and main thread handles (the caller closes
// both), or none with `error` set (errno).
struct Started {
    HANDLE process = nullptr;
    HANDLE thread = nullptr;
    int error = 0;
};
Started startProcess(const std::vector<std::string>& arguments, bool nullOutput, DWORD creationFlags = 0);

}  // namespace talmorek::platform
