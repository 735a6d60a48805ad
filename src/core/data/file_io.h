#pragma once
// Whole-file reading and crash-safe whole-file replacement.
//
// Election night is the worst moment to lose a record: every file that the
// program rewrites as a whole (HLASO.RCD, KOMISE.RCD, the station record, the
// precinct data file) is written to a temporary file beside the target,
// flushed to the disk and only then renamed over the target. A crash, a full
// disk or a pulled USB stick at any moment leaves either the old or the new
// version, never an empty or half-written file.
//
// Every function works through a `FileSystem`, the operating system's unless
// a test hands in one that injects faults.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/data/file_system.h"

namespace talmorek::data {

// Reads the whole file; IoError when it cannot be opened or read.
std::string readWholeFile(const std::string& path, FileSystem& fs = systemFileSystem());

// Replaces (or creates) `path` with `bytes` through a flushed temporary file in
// the same directory and a rename, then flushes the directory so that the
// new name is on the medium too. Temporary files that an earlier, killed
// write left in the directory are removed first. On failure the temporary file is removed,
// the target is untouched, and IoError is raised naming `path`. A
// write-protected target is refused (EACCES) although the rename alone would
// replace it. A link at `path` is replaced by the file (what it names is not
// touched); a directory there is refused (EISDIR). Nothing is ever written
// through a link.
void replaceFileAtomically(const std::string& path, std::string_view bytes, FileSystem& fs = systemFileSystem());

// Options of replaceFileAtomically. `failAfterBytes` makes the write fail with
// ENOSPC once that many bytes have reached the temporary file: a disk that
// fills up halfway. Kept for the callers that still pass it; a fault-injecting
// FileSystem does the same for every file operation.
//
// `clearStaleTemporaries` removes leftover "*.tmp~" files of earlier
// interrupted writes from the target's directory first. Right for the
// program's own directories; a directory the user chose (a PDF's) holds
// files that are not ours.
struct AtomicWriteOptions {
    std::optional<std::size_t> failAfterBytes;
    bool clearStaleTemporaries = true;
};
void replaceFileAtomically(const std::string& path, std::string_view bytes, const AtomicWriteOptions& options,
                           FileSystem& fs = systemFileSystem());

// The name of the temporary file used for `path` (exposed for tests).
std::string temporaryPathFor(const std::string& path);

// Makes the temporary file `temp` afresh: whatever is at the name (a file
// an interrupted write left, a link someone planted) is unlinked, never
// opened or followed, and the file is created exclusively.
OpenResult createTemporary(const std::string& temp, FileSystem& fs);

bool fileExists(const std::string& path, FileSystem& fs = systemFileSystem());

// Removes the file if it exists; IoError when it exists and cannot be removed.
void removeFileIfExists(const std::string& path, FileSystem& fs = systemFileSystem());

}  // namespace talmorek::data
