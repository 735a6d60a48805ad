#include "core/data/file_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/data/errors.h"
#include "core/data/path_text.h"
#include "core/workflow/error_messages.h"
#include "support/error_of.h"
#include "support/fault_file_system.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::FaultFileSystem;
using talmorek::testing::TempDir;

std::set<std::string> namesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.insert(e.path().filename().string());
    return names;
}

TEST(FileIo, ReadWholeFileGivesEveryByte) {
    TempDir dir;
    std::string bytes("a\0b\xFF\r\n", 6);
    dir.write("F.BIN", bytes);
    EXPECT_EQ(readWholeFile(dir.file("F.BIN")), bytes);
}

TEST(FileIo, ReadWholeFileOfALargeFile) {
    TempDir dir;
    std::string bytes(200000, 'x');
    bytes[199999] = 'y';
    dir.write("F.BIN", bytes);
    EXPECT_EQ(readWholeFile(dir.file("F.BIN")), bytes);
}

TEST(FileIo, ReadWholeFileOfAMissingFileFails) {
    TempDir dir;
    const auto e = errorOf<IoError>([&] { readWholeFile(dir.file("NONE")); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), dir.file("NONE"));
    EXPECT_EQ(e->osError(), ENOENT);
}

TEST(FileIo, ReplaceCreatesAndReplaces) {
    TempDir dir;
    replaceFileAtomically(dir.file("F.RCD"), "first");
    EXPECT_EQ(dir.read("F.RCD"), "first");
    replaceFileAtomically(dir.file("F.RCD"), "2nd");
    EXPECT_EQ(dir.read("F.RCD"), "2nd");
    replaceFileAtomically(dir.file("F.RCD"), "");
    EXPECT_EQ(dir.read("F.RCD"), "");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"F.RCD"});
}

// A disk that fills up part way through the write: the old version of the
// file must survive whole, and nothing may be left beside it.
TEST(FileIo, FailedWriteLeavesTheOldFileIntact) {
    const std::string newBytes = "the new content of the record";
    for (std::size_t failAfter : {std::size_t{0}, std::size_t{1}, newBytes.size() - 1}) {
        SCOPED_TRACE("fail after " + std::to_string(failAfter) + " bytes");
        TempDir dir;
        dir.write("F.RCD", "old content");
        if (const auto e = errorOf<IoError>([&] {
            replaceFileAtomically(dir.file("F.RCD"), newBytes, AtomicWriteOptions{failAfter});
        })) {
            EXPECT_EQ(e->path(), dir.file("F.RCD"));
            EXPECT_EQ(e->osError(), ENOSPC);
        }
        EXPECT_EQ(dir.read("F.RCD"), "old content");
        EXPECT_EQ(namesIn(dir), std::set<std::string>{"F.RCD"});
    }
}

TEST(FileIo, FailedWriteOfANewFileLeavesNothing) {
    TempDir dir;
    EXPECT_THROW(replaceFileAtomically(dir.file("F.RCD"), "abc", AtomicWriteOptions{1}), IoError);
    EXPECT_TRUE(namesIn(dir).empty());
}

TEST(FileIo, WriteThatFitsTheLimitSucceeds) {
    TempDir dir;
    replaceFileAtomically(dir.file("F.RCD"), "abc", AtomicWriteOptions{3});
    EXPECT_EQ(dir.read("F.RCD"), "abc");
}

TEST(FileIo, ReplaceInAMissingDirectoryFails) {
    TempDir dir;
    const auto e = errorOf<IoError>([&] { replaceFileAtomically(dir.file("none/F.RCD"), "abc"); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), dir.file("none/F.RCD"));
    EXPECT_EQ(e->osError(), ENOENT);
}

// A write-protected working file is refused as a record file opened for
// writing would be, not silently replaced by the rename (which needs write
// access to the directory only).
TEST(FileIo, ReplacingAWriteProtectedFileFails) {
    TempDir dir;
    dir.write("F.RCD", "old");
    FaultFileSystem fs;
    fs.writeProtect(dir.file("F.RCD"));
    if (const auto e = errorOf<IoError>([&] { replaceFileAtomically(dir.file("F.RCD"), "new", fs); })) {
        EXPECT_EQ(e->path(), dir.file("F.RCD"));
        EXPECT_EQ(e->osError(), EACCES);
    }
    EXPECT_EQ(dir.read("F.RCD"), "old");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"F.RCD"});
    EXPECT_EQ(fs.journal(), std::vector<std::string>{"update F.RCD"}) << "refused before anything was written";
}

// The same with the file's real permissions, which bind every user but root.
TEST(FileIo, ReplacingAFileWithoutWritePermissionFails) {
    if (!testing::filePermissionsBind()) GTEST_SKIP() << "file permissions do not bind this user (root)";
    TempDir dir;
    dir.write("F.RCD", "old");
    std::filesystem::permissions(dir.file("F.RCD"), std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::replace);
    if (const auto e = errorOf<IoError>([&] { replaceFileAtomically(dir.file("F.RCD"), "new"); })) {
        EXPECT_EQ(e->path(), dir.file("F.RCD"));
        EXPECT_EQ(e->osError(), EACCES);
    }
    EXPECT_EQ(dir.read("F.RCD"), "old");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"F.RCD"});
}

// A file another program holds open (Windows) is not replaced, and the
// commission is told that another program uses it, not that a permission
// is missing: closing that program is the remedy.
TEST(FileIo, AFileAnotherProgramHoldsOpenIsKeptAndSaidToBeInUse) {
    TempDir dir;
    dir.write("F.RCD", "old");
    {
        const testing::FileHeldElsewhere hold(dir.file("F.RCD"));
        if (!hold.held()) GTEST_SKIP() << "this system lets any program open a file another one holds";
        if (const auto e = errorOf<IoError>([&] { replaceFileAtomically(dir.file("F.RCD"), "new"); })) {
            EXPECT_EQ(e->path(), dir.file("F.RCD"));
            EXPECT_EQ(e->osError(), EBUSY);
            EXPECT_NE(workflow::czechMessage(*e).find("soubor používá jiný program"), std::string::npos)
                << workflow::czechMessage(*e);
        }
    }
    EXPECT_EQ(dir.read("F.RCD"), "old");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"F.RCD"});
}

// Whatever step of the replacement fails, the caller learns it on the
// target's name with the system's error code, the old version survives
// whole and no temporary file stays beside it.
TEST(FileIo, EveryFailingStepLeavesTheOldFileIntact) {
    const std::string newBytes = "the new content of the record";
    const struct {
        const char* name;
        void (*inject)(FaultFileSystem&, const std::string& target);
        int error;
    } cases[] = {
        {"diskFullAtOnce", [](FaultFileSystem& fs, const std::string& t) { fs.diskFullAfter(t, 0); }, ENOSPC},
        {"diskFullAfterOneByte", [](FaultFileSystem& fs, const std::string& t) { fs.diskFullAfter(t, 1); }, ENOSPC},
        {"diskFullOneByteShort", [](FaultFileSystem& fs, const std::string& t) { fs.diskFullAfter(t, 28); }, ENOSPC},
        {"flushFails", [](FaultFileSystem& fs, const std::string& t) { fs.failSync(t, EIO); }, EIO},
        {"renameRefused", [](FaultFileSystem& fs, const std::string& t) { fs.refuseRename(t, EXDEV); }, EXDEV},
        {"writeProtected", [](FaultFileSystem& fs, const std::string& t) { fs.writeProtect(t); }, EACCES},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write("F.RCD", "old content");
        FaultFileSystem fs;
        c.inject(fs, dir.file("F.RCD"));
        if (const auto e = errorOf<IoError>([&] { replaceFileAtomically(dir.file("F.RCD"), newBytes, fs); })) {
            EXPECT_EQ(e->path(), dir.file("F.RCD"));
            EXPECT_EQ(e->osError(), c.error);
        }
        EXPECT_EQ(dir.read("F.RCD"), "old content");
        EXPECT_EQ(namesIn(dir), std::set<std::string>{"F.RCD"});
    }
}

TEST(FileIo, ADiskFullWhileCreatingAFileLeavesNothing) {
    TempDir dir;
    FaultFileSystem fs;
    fs.diskFullAfter(dir.file("F.RCD"), 2);
    EXPECT_THROW(replaceFileAtomically(dir.file("F.RCD"), "abc", fs), IoError);
    EXPECT_TRUE(namesIn(dir).empty());
}

// The new content reaches the medium under the temporary name before it
// takes the target's: a crash at any moment leaves one whole version.
TEST(FileIo, TheNewContentIsFlushedBeforeTheRename) {
    TempDir dir;
    dir.write("F.RCD", "old");
    FaultFileSystem fs;
    replaceFileAtomically(dir.file("F.RCD"), "new", fs);
    EXPECT_EQ(dir.read("F.RCD"), "new");
    EXPECT_EQ(fs.journal(),
              (std::vector<std::string>{"update F.RCD", "close F.RCD", "list directory", "remove F.RCD.tmp~", "create F.RCD.tmp~",
                                        "write F.RCD.tmp~", "sync F.RCD.tmp~", "close F.RCD.tmp~",
                                        "rename F.RCD.tmp~ F.RCD", "sync directory"}));
}

// A write killed halfway (a file-size limit, a power cut) leaves its
// temporary file; the next write into the directory removes every such
// leftover, and nothing else.
TEST(FileIo, TheNextWriteRemovesLeftoverTemporaries) {
    TempDir dir;
    dir.write("HLASO.RCD.tmp~", "half");
    dir.write("EP532053.00001.tmp~", "half");
    dir.write("F.RCD.tmp~", "half of an earlier F");
    dir.write("notes.tmp", "not ours");
    dir.write("tmp~", "not ours either");
    dir.write("HLASO.RCD", "whole");
    replaceFileAtomically(dir.file("F.RCD"), "new");
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"F.RCD", "HLASO.RCD", "notes.tmp", "tmp~"}));
    EXPECT_EQ(dir.read("HLASO.RCD"), "whole");
}

TEST(FileIo, AFailedDirectoryFlushIsReported) {
    TempDir dir;
    // A directory that is not there cannot be flushed: the seam's own answer.
    EXPECT_NE(systemFileSystem().syncDirectory(dir.file("no-such-directory")), 0);
    EXPECT_EQ(systemFileSystem().syncDirectory(dir.path()), 0);
}

// The file was there at the check and is gone at the read.
TEST(FileIo, ReadingAFileThatVanishedFails) {
    TempDir dir;
    dir.write("F.RCD", "x");
    FaultFileSystem fs;
    fs.vanishOnOpen(dir.file("F.RCD"));
    ASSERT_TRUE(fileExists(dir.file("F.RCD"), fs));
    const auto e = errorOf<IoError>([&] { readWholeFile(dir.file("F.RCD"), fs); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), dir.file("F.RCD"));
    EXPECT_EQ(e->osError(), ENOENT);
    EXPECT_FALSE(fileExists(dir.file("F.RCD"), fs));
}

TEST(FileIo, ADeletionTheSystemRefusesFails) {
    TempDir dir;
    dir.write("F", "x");
    FaultFileSystem fs;
    fs.refuseRemove(dir.file("F"), EPERM);
    const auto e = errorOf<IoError>([&] { removeFileIfExists(dir.file("F"), fs); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), dir.file("F"));
    EXPECT_EQ(e->osError(), EPERM);
    EXPECT_TRUE(dir.exists("F"));
}

// Nothing is ever written through a link planted where the program writes:
// at the temporary file's name or at the target itself. The file the link
// names stays as it was, and the target ends as a file of its own.
TEST(FileIo, ALinkPlantedAtTheTemporaryNameOrTheTargetIsNeverWrittenThrough) {
    if (!testing::symbolicLinksCanBeMade()) GTEST_SKIP() << "no symbolic link can be planted on this system";
    struct Case {
        const char* name;
        const char* linkAt;  // "F.RCD.tmp~" or "F.RCD"
        bool clearStaleTemporaries;
    };
    const Case cases[] = {
        {"temporary_name", "F.RCD.tmp~", true},
        {"temporary_name_in_a_users_directory", "F.RCD.tmp~", false},
        {"target", "F.RCD", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir, elsewhere;
        elsewhere.write("victim", "not ours");
        if (std::string(c.linkAt) != "F.RCD") dir.write("F.RCD", "old");
        std::filesystem::create_symlink(elsewhere.file("victim"), dir.file(c.linkAt));
        AtomicWriteOptions options;
        options.clearStaleTemporaries = c.clearStaleTemporaries;
        replaceFileAtomically(dir.file("F.RCD"), "new", options);
        EXPECT_EQ(elsewhere.read("victim"), "not ours");
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(dir.file("F.RCD"))));
        EXPECT_EQ(dir.read("F.RCD"), "new");
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.file("F.RCD.tmp~"))));
    }
}

// A directory where the file goes cannot be replaced: refused, and nothing
// of ours is left beside it.
TEST(FileIo, ADirectoryAtTheTargetIsRefused) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("F.RCD"));
    if (const auto e = errorOf<IoError>([&] { replaceFileAtomically(dir.file("F.RCD"), "new"); })) {
        EXPECT_EQ(e->osError(), EISDIR);
        EXPECT_EQ(e->path(), dir.file("F.RCD"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("F.RCD")));
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"F.RCD"}));
}

// The exclusive creation itself: something at the name that cannot be
// unlinked (a directory with content) makes the creation fail, never open it.
TEST(FileIo, ATemporaryIsCreatedOnlyWhereNothingStands) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("F.RCD.tmp~"));
    dir.write("F.RCD.tmp~/inside", "x");
    const OpenResult created = createTemporary(dir.file("F.RCD.tmp~"), systemFileSystem());
    EXPECT_FALSE(created.file);
    EXPECT_NE(created.error, 0);
    EXPECT_EQ(dir.read("F.RCD.tmp~/inside"), "x");
}

TEST(FileIo, TemporaryFileLiesBesideTheTarget) {
    EXPECT_EQ(std::filesystem::path(temporaryPathFor("/a/b/F.RCD")).parent_path(), "/a/b");
    EXPECT_NE(temporaryPathFor("/a/b/F.RCD"), "/a/b/F.RCD");
}

TEST(FileIo, ExistsAndRemove) {
    TempDir dir;
    dir.write("F", "x");
    std::filesystem::create_directory(dir.file("D"));
    EXPECT_TRUE(fileExists(dir.file("F")));
    EXPECT_FALSE(fileExists(dir.file("D")));
    EXPECT_FALSE(fileExists(dir.file("NONE")));
    removeFileIfExists(dir.file("F"));
    EXPECT_FALSE(dir.exists("F"));
    removeFileIfExists(dir.file("F"));  // already gone: nothing to do
}

// Paths are UTF-8 everywhere in the program: a directory and a file named
// with Czech letters are written, replaced, found, listed, renamed and
// deleted under the very names the system shows (on Windows the UTF-16
// names of its wide calls, not the ANSI code page's reading of the bytes).
TEST(FileIo, NamesWithCzechLettersAreTheNamesOnTheDisk) {
    TempDir dir;
    const std::string folder = dir.file("Volby – Čáslav/");
    FileSystem& fs = systemFileSystem();
    ASSERT_EQ(fs.createDirectory(folder), 0);
    replaceFileAtomically(folder + "Zápis č. 1.RCD", "první");
    replaceFileAtomically(folder + "Zápis č. 1.RCD", "druhý");
    EXPECT_EQ(readWholeFile(folder + "Zápis č. 1.RCD"), "druhý");
    EXPECT_TRUE(fileExists(folder + "Zápis č. 1.RCD"));
    EXPECT_EQ(fs.kindOf(folder + "Zápis č. 1.RCD"), PathKind::RegularFile);
    EXPECT_EQ(fs.sizeOf(folder + "Zápis č. 1.RCD"), std::optional<std::uint64_t>(std::string("druhý").size()));
    EXPECT_EQ(fs.storedName(folder + "Zápis č. 1.RCD"), std::optional<std::string>("Zápis č. 1.RCD"));
    EXPECT_EQ(fs.filesIn(folder), std::vector<std::string>{"Zápis č. 1.RCD"});

    const std::filesystem::path onDisk = pathOf(folder) / pathOf("Zápis č. 1.RCD");
    EXPECT_TRUE(std::filesystem::is_regular_file(onDisk)) << "the name the system shows";
    std::vector<std::filesystem::path> listed;
    for (const auto& e : std::filesystem::directory_iterator(pathOf(dir.path()))) listed.push_back(e.path().filename());
    EXPECT_EQ(listed, std::vector<std::filesystem::path>{pathOf("Volby – Čáslav")});

    ASSERT_EQ(fs.rename(folder + "Zápis č. 1.RCD", folder + "Příloha ř.RCD"), 0);
    EXPECT_EQ(readWholeFile(folder + "Příloha ř.RCD"), "druhý");
    removeFileIfExists(folder + "Příloha ř.RCD");
    EXPECT_TRUE(std::filesystem::is_empty(pathOf(folder)));
}

}  // namespace
}  // namespace talmorek::data
