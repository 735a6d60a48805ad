#pragma once
// The files of the operating system behind one small interface. Every
// write, rename and deletion of the station's files (the working files, the
// station record, the precinct data file, the PDFs) and the reads that go
// with them pass through a `FileSystem`, so a test can put a fault-injecting
// one in its place: a disk that fills up halfway, a write-protected file, a
// file that vanishes between two steps, a deletion the system refuses. That
// proves the old data survive every such failure, as root too, where file
// permissions prove nothing.
//
// The system's own implementation is in platform/posix/file_system.cpp and
// platform/windows/file_system.cpp, one of them built.
//
// The operations answer with the operating system's error code (errno; 0
// for success; Windows' own codes are given as the errno of the same
// meaning) and word nothing: the callers raise IoError naming the file
// the user knows (the target, not its temporary file).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmorek::data {

// An open file.
class File {
public:
    virtual ~File() = default;
    // The whole content, from the start, into `out`.
    virtual int readAll(std::string& out) = 0;
    // Writes `bytes` at `offset`, overwriting or extending the file, and
    // hands them to the operating system (a full disk shows here).
    virtual int writeAt(std::size_t offset, std::string_view bytes) = 0;
    // Pushes what was written to the medium, so that a rename after it
    // never exposes a file whose blocks are still only in the cache.
    virtual int sync() = 0;
    // Pushes what was written to the medium as `sync` does, leaving out the
    // file's times where the system can: for appending a few bytes to a
    // journal that must be on the disk before the program goes on.
    virtual int syncData() { return sync(); }
    // Closes the file; a write that failed late shows here. A file
    // destroyed without `close` is closed, its result ignored.
    virtual int close() = 0;
};

// Nothing is ever written through a symbolic link: a link planted where the
// program writes (a temporary file's name, a file it replaces, the target of
// an export) would send the bytes to whatever file it names, outside the
// installation or off the carrier. Reading follows links (an installation
// may link its registers); the files the program replaces are replaced by
// a rename, which puts the new file in the link's place.
enum class OpenMode {
    Read,       // an existing file, for reading
    ReadOwn,    // an existing regular file itself, for reading; a link (ELOOP), a directory (EISDIR)
                // or anything else that is no regular file (EINVAL) is refused
    Update,     // an existing file, for reading and writing (asks for write access; written only
                // by whoever checked that it is no link)
    Create,     // a new file, or an existing one emptied, for reading and writing; not through a link (ELOOP)
    CreateNew,  // a file that did not exist, made here, for reading and writing; EEXIST when anything
                // (a file, a link, a directory) is at the path
};

// What is at a path, the path itself and not what a link there names.
enum class PathKind { Nothing, RegularFile, Directory, Link, Other };

struct OpenResult {
    std::unique_ptr<File> file;  // null when the file could not be opened
    int error = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual OpenResult open(const std::string& path, OpenMode mode) = 0;
    // Moves `from` over `to` in one step, replacing `to` when it exists.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    // Deletes the file; ENOENT when there is none.
    virtual int remove(const std::string& path) = 0;
    // Whether a regular file exists at `path`.
    virtual bool exists(const std::string& path) = 0;
    // What is at `path` itself (a link is reported as a link).
    virtual PathKind kindOf(const std::string& path);
    // The size in bytes of the file at `path`; nothing when it cannot be told.
    virtual std::optional<std::uint64_t> sizeOf(const std::string& path);
    // The names (not paths) of the regular files in `directory`; none when
    // it cannot be read.
    virtual std::vector<std::string> filesIn(const std::string& directory);
    // The name of the regular file at `path` as its directory holds it:
    // where the file system ignores letter case (Windows) the stored
    // spelling, which may differ from the one asked for; nothing when no
    // regular file is there.
    virtual std::optional<std::string> storedName(const std::string& path);
    // Creates the directory `path` (its parent must exist); 0 when it
    // exists already.
    virtual int createDirectory(const std::string& path) = 0;
    // Pushes the directory's entries to the medium, so that a rename done
    // in it survives a power cut. 0 where the system cannot do it for a
    // directory (EINVAL, ENOTSUP: the rename is as durable as it gets).
    virtual int syncDirectory(const std::string& directory);
    // Asks the system to forget the cached pages of the flushed file `path`,
    // so that the next read comes from the medium itself, not from memory.
    // Best effort: nothing happens where the system cannot do it.
    virtual void dropCachedPages(const std::string& path);
};

// The operating system's own files.
FileSystem& systemFileSystem();

}  // namespace talmorek::data
