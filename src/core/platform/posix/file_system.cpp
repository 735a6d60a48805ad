// The station's files on Linux: POSIX descriptors under C streams, links
// never followed where the program writes, fsync for files and directories.
#include "core/data/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace talmorek::data {
namespace {

// errno after a failed call, or EIO when the library did not set it.
int lastError() { return errno != 0 ? errno : EIO; }

// The length of an open regular file; -1 for anything else (a directory's
// "length" means nothing as a buffer size).
long long regularFileLength(std::FILE* f) {
    struct stat st;
    if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

// Reads everything from the current position of an open stream to its end
// into `out` (replacing what it held), in a buffer sized once from the file's
// length. False on a read error, with errno set by the failing call.
bool readToEnd(std::FILE* f, std::string& out) {
    // One buffer of the file's size: growing a buffer chunk by chunk costs
    // more in copies and fresh pages than reading the file itself.
    out.clear();
    long long length = regularFileLength(f);
    long start = std::ftell(f);
    if (length > 0 && start >= 0 && length > start) out.resize(static_cast<std::size_t>(length - start));
    std::size_t have = std::fread(out.data(), 1, out.size(), f);
    if (have < out.size()) {
        out.resize(have);  // the file shrank meanwhile, or a read error
        return std::ferror(f) == 0;
    }
    // Anything beyond the length seen at the start (a file that grew, or a
    // stream without a length).
    char buffer[65536];
    for (;;) {
        std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
        out.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    return std::ferror(f) == 0;
}

class SystemFile : public File {
public:
    explicit SystemFile(std::FILE* f) : f_(f) {}
    ~SystemFile() override {
        if (f_) std::fclose(f_);
    }
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    int readAll(std::string& out) override {
        errno = 0;
        if (std::fseek(f_, 0, SEEK_SET) != 0) return lastError();
        return readToEnd(f_, out) ? 0 : lastError();
    }

    int writeAt(std::size_t offset, std::string_view bytes) override {
        errno = 0;
        if (std::fseek(f_, static_cast<long>(offset), SEEK_SET) != 0) return lastError();
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f_) != bytes.size()) return lastError();
        return std::fflush(f_) == 0 ? 0 : lastError();
    }

    int sync() override {
        errno = 0;
        if (std::fflush(f_) != 0) return lastError();
        return ::fsync(fileno(f_)) == 0 ? 0 : lastError();
    }

    int syncData() override {
        errno = 0;
        if (std::fflush(f_) != 0) return lastError();
        return ::fdatasync(fileno(f_)) == 0 ? 0 : lastError();
    }

    int close() override {
        errno = 0;
        return std::fclose(std::exchange(f_, nullptr)) == 0 ? 0 : lastError();
    }

private:
    std::FILE* f_;
};

class SystemFileSystem : public FileSystem {
public:
    OpenResult open(const std::string& path, OpenMode mode) override {
        const bool reading = mode == OpenMode::Read || mode == OpenMode::ReadOwn;
        errno = 0;
        int flags = O_CLOEXEC | (reading ? O_RDONLY : O_RDWR);
        if (mode == OpenMode::ReadOwn) flags |= O_NOFOLLOW | O_NONBLOCK;  // a FIFO planted there must not block
        if (mode == OpenMode::Create) flags |= O_CREAT | O_TRUNC | O_NOFOLLOW;
        if (mode == OpenMode::CreateNew) flags |= O_CREAT | O_EXCL;  // O_EXCL never follows a link
        const int fd = ::open(path.c_str(), flags, 0666);
        if (fd < 0) return {nullptr, lastError()};
        if (mode == OpenMode::ReadOwn) {
            struct stat st {};
            int err = ::fstat(fd, &st) != 0 ? lastError() : S_ISDIR(st.st_mode) ? EISDIR : !S_ISREG(st.st_mode) ? EINVAL : 0;
            if (err == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) err = lastError();
            if (err != 0) {
                ::close(fd);
                return {nullptr, err};
            }
        }
        std::FILE* f = ::fdopen(fd, reading ? "rb" : "r+b");
        if (!f) {
            const int err = lastError();
            ::close(fd);
            return {nullptr, err};
        }
        return {std::make_unique<SystemFile>(f), 0};
    }

    int rename(const std::string& from, const std::string& to) override {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        return ec.value();
    }

    int remove(const std::string& path) override {
        std::error_code ec;
        const bool removed = std::filesystem::remove(path, ec);
        if (ec) return ec.value();
        return removed ? 0 : ENOENT;
    }

    bool exists(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    }

    int createDirectory(const std::string& path) override {
        std::error_code ec;
        std::filesystem::create_directory(path, ec);
        if (ec) return ec.value();
        return std::filesystem::is_directory(path, ec) ? 0 : ENOTDIR;
    }
};

}  // namespace

std::vector<std::string> FileSystem::filesIn(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory.empty() ? "." : directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
    }
    return names;
}

// Linux file systems keep letter case: a file found under its name has
// exactly that name.
std::optional<std::string> FileSystem::storedName(const std::string& path) {
    if (!exists(path)) return std::nullopt;
    return std::filesystem::path(path).filename().string();
}

PathKind FileSystem::kindOf(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
    switch (status.type()) {
        case std::filesystem::file_type::not_found: return PathKind::Nothing;
        case std::filesystem::file_type::regular: return PathKind::RegularFile;
        case std::filesystem::file_type::directory: return PathKind::Directory;
        case std::filesystem::file_type::symlink: return PathKind::Link;
        default: return ec ? PathKind::Nothing : PathKind::Other;
    }
}

std::optional<std::uint64_t> FileSystem::sizeOf(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

void FileSystem::dropCachedPages(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

int FileSystem::syncDirectory(const std::string& directory) {
    errno = 0;
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return lastError();
    int err = ::fsync(fd) == 0 ? 0 : lastError();
    ::close(fd);
    if (err == EINVAL || err == ENOTSUP) err = 0;
    return err;
}

FileSystem& systemFileSystem() {
    static SystemFileSystem system;
    return system;
}

}  // namespace talmorek::data
