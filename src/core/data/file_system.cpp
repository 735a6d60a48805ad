#include "core/data/file_system.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/data/file_io.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace talmorek::data {
namespace {

// errno after a failed call, or EIO when the library did not set it.
int lastError() { return errno != 0 ? errno : EIO; }

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
#ifdef _WIN32
        return _commit(_fileno(f_)) == 0 ? 0 : lastError();
#else
        return ::fsync(fileno(f_)) == 0 ? 0 : lastError();
#endif
    }

    int syncData() override {
#ifdef _WIN32
        return sync();
#else
        errno = 0;
        if (std::fflush(f_) != 0) return lastError();
        return ::fdatasync(fileno(f_)) == 0 ? 0 : lastError();
#endif
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
#ifdef _WIN32
        // Windows has no links in the way of a station's files; exclusive
        // creation is what it offers.
        std::FILE* f = nullptr;
        if (mode == OpenMode::CreateNew) {
            const int fd = ::_open(path.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
            if (fd < 0) return {nullptr, lastError()};
            f = ::_fdopen(fd, "w+b");
            if (!f) {
                const int err = lastError();
                ::_close(fd);
                return {nullptr, err};
            }
        } else {
            f = std::fopen(path.c_str(), reading ? "rb" : mode == OpenMode::Update ? "r+b" : "w+b");
            if (!f) return {nullptr, lastError()};
        }
#else
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
#endif
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
#if defined(_WIN32)
    (void)path;
#else
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
#endif
}

int FileSystem::syncDirectory(const std::string& directory) {
#ifdef _WIN32
    (void)directory;  // NTFS commits a rename with its journal
    return 0;
#else
    errno = 0;
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return lastError();
    int err = ::fsync(fd) == 0 ? 0 : lastError();
    ::close(fd);
    if (err == EINVAL || err == ENOTSUP) err = 0;
    return err;
#endif
}

FileSystem& systemFileSystem() {
    static SystemFileSystem system;
    return system;
}

}  // namespace talmorek::data
