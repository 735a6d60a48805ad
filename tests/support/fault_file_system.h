#pragma once
// A file system for tests that hands every operation to the operating
// system's files except the faults it was told to inject: a disk that fills
// up halfway through a write, a write-protected file, a file that vanishes
// between two steps, a deletion or a rename the system refuses. Permissions
// on a real file prove nothing when the tests run as root; these faults
// hold for every user.
//
// A fault names the target file; writing the target through its temporary
// file (see data::temporaryPathFor) counts as writing the target. Paths are
// compared after lexical normalisation.

#include <cerrno>
#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/data/file_system.h"

namespace talmorek::testing {

class FaultFile;

class FaultFileSystem : public data::FileSystem {
public:
    explicit FaultFileSystem(data::FileSystem& base = data::systemFileSystem()) : base_(base) {}

    // The disk has room for `room` more bytes of `path`: the write that
    // passes it stores what fits and fails with ENOSPC, as do later ones.
    void diskFullAfter(const std::string& path, std::size_t room);
    // Opening `path` to update or re-create it fails with EACCES, as the
    // system answers for a file without write permission; reading it works.
    // Like the system, a rename over it or its deletion still succeeds.
    void writeProtect(const std::string& path);
    // The next time `path` is opened, it has vanished: another program
    // deleted it after the last check that it exists.
    void vanishOnOpen(const std::string& path);
    // Deleting `path` fails with `error` and leaves the file; with 0 the
    // deletion reports success and the file stays all the same.
    void refuseRemove(const std::string& path, int error = EACCES);
    // Renaming a file onto `path` fails with `error`.
    void refuseRename(const std::string& path, int error = EACCES);
    // Pushing `path` to the medium fails with `error`.
    void failSync(const std::string& path, int error = EIO);
    // The medium keeps `path` wrongly: every write to it stores its bytes
    // with the first one changed, and reports success.
    void garbleWrites(const std::string& path);
    // `happening` comes about just before every rename, e.g. the medium is
    // pulled while the file is copied to it.
    void beforeRename(std::function<void()> happening) { beforeRename_ = std::move(happening); }

    // The program holding the files died: every file opened through this
    // file system and not yet closed is closed, as the system closes a dead
    // process's files (Windows keeps a file's name while any handle holds
    // it, so a program started after it could not replace or delete it
    // otherwise). What was written stays; the dead program's file objects
    // write nothing more.
    void closeEveryOpenFile();

    // Every operation in order, naming files by their last component:
    // "exists F", "read F", "update F", "create F.tmp~", "write F.tmp~",
    // "sync F.tmp~", "close F.tmp~", "rename F.tmp~ F", "remove F",
    // "list directory", "sync directory", "mkdir D".
    const std::vector<std::string>& journal() const { return journal_; }

    data::OpenResult open(const std::string& path, data::OpenMode mode) override;
    int rename(const std::string& from, const std::string& to) override;
    int remove(const std::string& path) override;
    bool exists(const std::string& path) override;
    std::vector<std::string> filesIn(const std::string& directory) override;
    int createDirectory(const std::string& path) override;
    int syncDirectory(const std::string& directory) override;

private:
    friend class FaultFile;
    // The normalised target a fault for `path` is kept under: the path
    // itself, or the target whose temporary file it is.
    std::string targetOf(const std::string& path) const;
    void note(const std::string& what, const std::string& path, const std::string& other = {});

    data::FileSystem& base_;
    std::map<std::string, std::size_t> room_;
    std::set<std::string> writeProtected_;
    std::set<std::string> vanishing_;
    std::map<std::string, int> removeRefusals_;
    std::map<std::string, int> renameRefusals_;
    std::map<std::string, int> syncFailures_;
    std::set<std::string> garbled_;
    std::function<void()> beforeRename_;
    std::vector<std::string> journal_;
    std::set<FaultFile*> open_;
};

}  // namespace talmorek::testing
