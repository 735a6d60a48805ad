#include "core/data/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/data/errors.h"
#include "core/data/path_text.h"

namespace talmorek::data {
namespace {

std::string describe(const std::string& what, const std::string& path, int err) {
    return what + " '" + path + "': " + std::strerror(err);
}

}  // namespace

std::string readWholeFile(const std::string& path, FileSystem& fs) {
    OpenResult opened = fs.open(path, OpenMode::Read);
    if (!opened.file) throw IoError(path, opened.error, describe("Cannot open", path, opened.error));
    std::string data;
    int err = opened.file->readAll(data);
    const int closed = opened.file->close();
    if (err == 0) err = closed;
    if (err != 0) throw IoError(path, err, describe("Cannot read", path, err));
    return data;
}

namespace {

constexpr std::string_view kTemporarySuffix = ".tmp~";

std::string directoryOf(const std::string& path) { return utf8Of(pathOf(path).parent_path()); }

// A process killed while it wrote (a power cut, a file-size limit, a kill)
// leaves its temporary file behind; the target itself is whole. The next
// write into the directory clears such leftovers of our own naming; other
// files are not ours to touch.
void removeStaleTemporaries(const std::string& directory, FileSystem& fs) {
    for (const std::string& name : fs.filesIn(directory)) {
        if (name.size() <= kTemporarySuffix.size() || !name.ends_with(kTemporarySuffix)) continue;
        fs.remove(utf8Of(pathOf(directory.empty() ? "." : directory) / pathOf(name)));
    }
}

}  // namespace

std::string temporaryPathFor(const std::string& path) { return path + std::string(kTemporarySuffix); }

OpenResult createTemporary(const std::string& temp, FileSystem& fs) {
    // What an earlier write left at the name, or what someone planted there
    // (a link to a file elsewhere), is unlinked, never opened: the name
    // goes, the file a link names stays as it was. The temporary file is
    // then made anew, and refused should anything be at its name again.
    const int removed = fs.remove(temp);
    if (removed != 0 && removed != ENOENT) return {nullptr, removed};
    return fs.open(temp, OpenMode::CreateNew);
}

void replaceFileAtomically(const std::string& path, std::string_view bytes, FileSystem& fs) {
    replaceFileAtomically(path, bytes, AtomicWriteOptions{}, fs);
}

void replaceFileAtomically(const std::string& path, std::string_view bytes, const AtomicWriteOptions& options,
                           FileSystem& fs) {
    switch (fs.kindOf(path)) {
        case PathKind::RegularFile: {
            // A rename needs write access to the directory only, so it would
            // replace a write-protected file that opening it for writing
            // refuses. Ask for write access to the target first, as every
            // record file is opened.
            OpenResult existing = fs.open(path, OpenMode::Update);
            if (!existing.file && existing.error != ENOENT)
                throw IoError(path, existing.error, describe("Cannot open", path, existing.error));
            if (existing.file) existing.file->close();
            break;
        }
        case PathKind::Directory:
            throw IoError(path, EISDIR, describe("Cannot replace", path, EISDIR));
        case PathKind::Other:
            throw IoError(path, EINVAL, describe("Cannot replace", path, EINVAL));
        case PathKind::Link:
            // The rename puts the file in the link's place; the file the link
            // names is never opened.
        case PathKind::Nothing:
            break;
    }
    const std::string directory = directoryOf(path);
    if (options.clearStaleTemporaries) removeStaleTemporaries(directory, fs);
    const std::string temp = temporaryPathFor(path);
    OpenResult created = createTemporary(temp, fs);
    if (!created.file) throw IoError(path, created.error, describe("Cannot create", temp, created.error));
    // Whatever fails, the temporary file goes and the target stays as it was.
    auto fail = [&](int err, const char* what) {
        created.file.reset();
        fs.remove(temp);
        throw IoError(path, err, describe(what, path, err));
    };
    std::size_t toWrite = bytes.size();
    if (options.failAfterBytes && *options.failAfterBytes < toWrite) toWrite = *options.failAfterBytes;
    if (toWrite > 0) {
        if (int err = created.file->writeAt(0, bytes.substr(0, toWrite))) fail(err, "Cannot write");
    }
    if (toWrite < bytes.size()) fail(ENOSPC, "Cannot write");
    if (int err = created.file->sync()) fail(err, "Cannot flush");
    if (int err = created.file->close()) fail(err, "Cannot close");
    created.file.reset();
    if (int err = fs.rename(temp, path)) fail(err, "Cannot replace");
    // The new name lives in the directory: without this a power cut may
    // bring back the old file, or none.
    if (int err = fs.syncDirectory(directory))
        throw IoError(path, err, describe("Cannot flush the directory of", path, err));
}

bool fileExists(const std::string& path, FileSystem& fs) { return fs.exists(path); }

void removeFileIfExists(const std::string& path, FileSystem& fs) {
    const int err = fs.remove(path);
    if (err != 0 && err != ENOENT) throw IoError(path, err, describe("Cannot delete", path, err));
}

}  // namespace talmorek::data
