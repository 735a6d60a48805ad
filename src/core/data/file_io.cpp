#include "data/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <sys/types.h>

#include "data/errors.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace talmorek::data {
namespace {

std::string describe(const std::string& what, const std::string& path, int err) {
    return what + " '" + path + "': " + std::strerror(err);
}

// Pushes the file's data to the medium, so a rename after it never exposes a
// file whose blocks are still only in the cache.
bool flushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return ::fsync(fileno(f)) == 0;
#endif
}

// The length of an open regular file; -1 for anything else (a directory's
// "length" means nothing as a buffer size).
long long regularFileLength(std::FILE* f) {
#ifdef _WIN32
    struct _stat64 st;
    if (_fstat64(_fileno(f), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return -1;
#else
    struct stat st;
    if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
#endif
    return static_cast<long long>(st.st_size);
}

}  // namespace

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

std::string readWholeFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        int err = errno;
        throw IoError(path, err, describe("Cannot open", path, err));
    }
    std::string data;
    bool ok = readToEnd(f, data);
    int err = errno;
    std::fclose(f);
    if (!ok) throw IoError(path, err, describe("Cannot read", path, err));
    return data;
}

std::string temporaryPathFor(const std::string& path) { return path + ".tmp~"; }

void replaceFileAtomically(const std::string& path, std::string_view bytes,
                           const AtomicWriteOptions& options) {
    // A rename needs write access to the directory only, so it would replace a
    // write-protected file that opening it for writing refuses. Ask for write
    // access to an existing target first, as every record file is opened.
    if (std::FILE* existing = std::fopen(path.c_str(), "r+b")) {
        std::fclose(existing);
    } else if (errno != ENOENT) {
        int err = errno;
        throw IoError(path, err, describe("Cannot open", path, err));
    }
    const std::string temp = temporaryPathFor(path);
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        int err = errno;
        throw IoError(path, err, describe("Cannot create", temp, err));
    }
    auto fail = [&](int err, const char* what) {
        std::fclose(f);
        std::remove(temp.c_str());
        throw IoError(path, err, describe(what, path, err));
    };
    std::size_t toWrite = bytes.size();
    if (options.failAfterBytes && *options.failAfterBytes < toWrite) toWrite = *options.failAfterBytes;
    if (toWrite > 0 && std::fwrite(bytes.data(), 1, toWrite, f) != toWrite) fail(errno, "Cannot write");
    if (toWrite < bytes.size()) fail(ENOSPC, "Cannot write");
    if (!flushToDisk(f)) fail(errno, "Cannot flush");
    if (std::fclose(f) != 0) {
        int err = errno;
        std::remove(temp.c_str());
        throw IoError(path, err, describe("Cannot close", path, err));
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        throw IoError(path, ec.value(), "Cannot replace '" + path + "': " + ec.message());
    }
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void removeFileIfExists(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (ec) throw IoError(path, ec.value(), "Cannot delete '" + path + "': " + ec.message());
}

}  // namespace talmorek::data
