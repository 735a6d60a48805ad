// The station's files on Windows: UTF-8 paths as UTF-16 to the wide calls
// (CreateFileW and the others), FlushFileBuffers for a file's bytes, and a
// replacement by MoveFileExW that is written through to the medium before
// it returns. Files are opened so that other handles may still read, write,
// rename and delete them, as on Linux.
#include "core/data/file_system.h"

#include <cerrno>
#include <utility>

#include "core/platform/windows/win32.h"

namespace talmorek::data {
namespace {

using platform::errnoOf;
using platform::lastErrno;
using platform::wideOf;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What is at `path` itself; INVALID_FILE_ATTRIBUTES with the error set when
// nothing can be asked there.
DWORD attributesOf(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

// A reparse point is what Windows has for links (symbolic links, junctions).
bool isLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
bool isDirectory(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class SystemFile : public File {
public:
    explicit SystemFile(HANDLE handle) : handle_(handle) {}
    ~SystemFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    }
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    int readAll(std::string& out) override {
        out.clear();
        LARGE_INTEGER start{};
        if (!::SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN)) return lastErrno();
        // One buffer of the file's size, then whatever it grew by meanwhile.
        LARGE_INTEGER size{};
        if (::GetFileSizeEx(handle_, &size) && size.QuadPart > 0) out.reserve(static_cast<std::size_t>(size.QuadPart));
        char buffer[65536];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(handle_, buffer, sizeof buffer, &got, nullptr)) {
                const DWORD error = ::GetLastError();
                if (error == ERROR_HANDLE_EOF) break;
                return errnoOf(error);
            }
            if (got == 0) break;
            out.append(buffer, got);
        }
        return 0;
    }

    int writeAt(std::size_t offset, std::string_view bytes) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN)) return lastErrno();
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!::WriteFile(handle_, bytes.data(), chunk, &written, nullptr)) return lastErrno();
            if (written == 0) return ENOSPC;
            bytes.remove_prefix(written);
        }
        return 0;
    }

    int sync() override { return ::FlushFileBuffers(handle_) ? 0 : lastErrno(); }

    int close() override {
        const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return ::CloseHandle(handle) ? 0 : lastErrno();
    }

private:
    HANDLE handle_;
};

class SystemFileSystem : public FileSystem {
public:
    OpenResult open(const std::string& path, OpenMode mode) override {
        const std::optional<std::wstring> wide = wideOf(path);
        if (!wide) return {nullptr, EILSEQ};
        const DWORD attributes = attributesOf(*wide);
        DWORD access = GENERIC_READ | GENERIC_WRITE;
        DWORD disposition = OPEN_EXISTING;
        DWORD flags = FILE_ATTRIBUTE_NORMAL;
        switch (mode) {
            case OpenMode::Read:
                access = GENERIC_READ;
                if (isDirectory(attributes)) return {nullptr, EISDIR};
                break;
            case OpenMode::ReadOwn:
                access = GENERIC_READ;
                if (isLink(attributes)) return {nullptr, ELOOP};
                if (isDirectory(attributes)) return {nullptr, EISDIR};
                flags |= FILE_FLAG_OPEN_REPARSE_POINT;
                break;
            case OpenMode::Update:
                if (isDirectory(attributes)) return {nullptr, EISDIR};
                break;
            case OpenMode::Create:
                // Never through a link: what it names is not ours to empty.
                if (isLink(attributes)) return {nullptr, ELOOP};
                if (isDirectory(attributes)) return {nullptr, EISDIR};
                disposition = CREATE_ALWAYS;
                break;
            case OpenMode::CreateNew:
                // Fails for anything at the name, a link included.
                disposition = CREATE_NEW;
                break;
        }
        const HANDLE handle = ::CreateFileW(wide->c_str(), access, kShareAll, nullptr, disposition, flags, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return {nullptr, lastErrno()};
        if (mode == OpenMode::ReadOwn && ::GetFileType(handle) != FILE_TYPE_DISK) {
            ::CloseHandle(handle);
            return {nullptr, EINVAL};
        }
        return {std::make_unique<SystemFile>(handle), 0};
    }

    // The new name is on the medium when the call returns.
    int rename(const std::string& from, const std::string& to) override {
        const std::optional<std::wstring> source = wideOf(from), target = wideOf(to);
        if (!source || !target) return EILSEQ;
        if (isDirectory(attributesOf(*target)) && !isDirectory(attributesOf(*source))) return EISDIR;
        return ::MoveFileExW(source->c_str(), target->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : lastErrno();
    }

    int remove(const std::string& path) override {
        const std::optional<std::wstring> wide = wideOf(path);
        if (!wide) return EILSEQ;
        const DWORD attributes = attributesOf(*wide);
        if (attributes == INVALID_FILE_ATTRIBUTES) return lastErrno();
        // A link to a directory is removed as a directory, the directory it
        // names stays.
        if (isDirectory(attributes)) return ::RemoveDirectoryW(wide->c_str()) ? 0 : lastErrno();
        return ::DeleteFileW(wide->c_str()) ? 0 : lastErrno();
    }

    bool exists(const std::string& path) override {
        const std::optional<std::wstring> wide = wideOf(path);
        if (!wide) return false;
        const DWORD attributes = attributesOf(*wide);
        return attributes != INVALID_FILE_ATTRIBUTES && !isDirectory(attributes);
    }

    int createDirectory(const std::string& path) override {
        const std::optional<std::wstring> wide = wideOf(path);
        if (!wide) return EILSEQ;
        if (::CreateDirectoryW(wide->c_str(), nullptr)) return 0;
        const DWORD error = ::GetLastError();
        if (error != ERROR_ALREADY_EXISTS) return errnoOf(error);
        return isDirectory(attributesOf(*wide)) ? 0 : ENOTDIR;
    }
};

}  // namespace

std::vector<std::string> FileSystem::filesIn(const std::string& directory) {
    std::vector<std::string> names;
    const std::optional<std::wstring> wide = wideOf(directory.empty() ? "." : directory);
    if (!wide) return names;
    std::wstring pattern = *wide;
    if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(platform::utf8OfWide(entry.cFileName));
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return names;
}

// NTFS and FAT find a file whatever the letter case asked for; the
// directory entry tells how its name is spelt.
std::optional<std::string> FileSystem::storedName(const std::string& path) {
    const std::optional<std::wstring> wide = wideOf(path);
    if (!wide || wide->find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
    WIN32_FIND_DATAW entry;
    const HANDLE found = ::FindFirstFileExW(wide->c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (found == INVALID_HANDLE_VALUE) return std::nullopt;
    ::FindClose(found);
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
    return platform::utf8OfWide(entry.cFileName);
}

PathKind FileSystem::kindOf(const std::string& path) {
    const std::optional<std::wstring> wide = wideOf(path);
    if (!wide) return PathKind::Nothing;
    const DWORD attributes = attributesOf(*wide);
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Nothing;
    if (isLink(attributes)) return PathKind::Link;
    if (isDirectory(attributes)) return PathKind::Directory;
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return PathKind::Other;
    return PathKind::RegularFile;
}

std::optional<std::uint64_t> FileSystem::sizeOf(const std::string& path) {
    const std::optional<std::wstring> wide = wideOf(path);
    if (!wide) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Windows keeps no cached pages a program could ask it to drop for one
// file; the read back comes from the cache where the file is still in it.
void FileSystem::dropCachedPages(const std::string&) {}

// A directory cannot be flushed on Windows; the rename was written through
// (MOVEFILE_WRITE_THROUGH), which is as durable as it gets. A directory
// that is not there is told all the same.
int FileSystem::syncDirectory(const std::string& directory) {
    const std::optional<std::wstring> wide = wideOf(directory.empty() ? "." : directory);
    if (!wide) return EILSEQ;
    const DWORD attributes = attributesOf(*wide);
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastErrno();
    return isDirectory(attributes) ? 0 : ENOTDIR;
}

FileSystem& systemFileSystem() {
    static SystemFileSystem system;
    return system;
}

}  // namespace talmorek::data
