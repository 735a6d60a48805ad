#include "core/platform/windows/win32.h"

#include <cerrno>

namespace talmorek::platform {

std::optional<std::wstring> wideOf(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string utf8OfWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS: return 0;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_BAD_PATHNAME: return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_DELETE_PENDING:
        case ERROR_PRIVILEGE_NOT_HELD: return EACCES;
        case ERROR_WRITE_PROTECT: return EROFS;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_DIRECTORY: return ENOTDIR;
        case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
        case ERROR_NOT_READY:
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEV_NOT_EXIST: return ENXIO;
        case ERROR_NOT_SAME_DEVICE: return EXDEV;
        case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_PARAMETER: return EINVAL;
        case ERROR_NO_UNICODE_TRANSLATION: return EILSEQ;
        case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ENOMEM;
        // Another program holds the file open (an editor, an antivirus
        // scanner): the user closes it, no permission is missing.
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_BUSY:
        case ERROR_USER_MAPPED_FILE: return EBUSY;
        case ERROR_FILE_TOO_LARGE: return EFBIG;
        case ERROR_CANT_RESOLVE_FILENAME: return ELOOP;
        default: return EIO;
    }
}

std::wstring commandLineOf(const std::vector<std::wstring>& arguments) {
    std::wstring line;
    for (const std::wstring& argument : arguments) {
        if (!line.empty()) line += L' ';
        if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
            line += argument;
            continue;
        }
        line += L'"';
        std::size_t backslashes = 0;
        for (const wchar_t c : argument) {
            if (c == L'\\') {
                ++backslashes;
                continue;
            }
            // Backslashes are literal unless a quote follows them.
            line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
            backslashes = 0;
            line += c;
        }
        line.append(2 * backslashes, L'\\');  // before the closing quote
        line += L'"';
    }
    return line;
}

Started startProcess(const std::vector<std::string>& arguments, bool nullOutput, DWORD creationFlags) {
    Started started;
    if (arguments.empty()) {
        started.error = EINVAL;
        return started;
    }
    std::vector<std::wstring> wide;
    for (const std::string& argument : arguments) {
        std::optional<std::wstring> w = wideOf(argument);
        if (!w) {
            started.error = EILSEQ;
            return started;
        }
        wide.push_back(std::move(*w));
    }
    std::wstring line = commandLineOf(wide);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE null = INVALID_HANDLE_VALUE;
    if (nullOutput) {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        null = ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = null;
    } else {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info{};
    // A program named without a directory is looked up as the system does
    // (the directory of this program, the system's, then PATH).
    const bool ok = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, creationFlags, nullptr, nullptr,
                                     &startup, &info) != 0;
    if (!ok) started.error = lastErrno();
    if (null != INVALID_HANDLE_VALUE) ::CloseHandle(null);
    if (!ok) return started;
    started.process = info.hProcess;
    started.thread = info.hThread;
    return started;
}

}  // namespace talmorek::platform
