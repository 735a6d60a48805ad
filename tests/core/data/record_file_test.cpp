#include "core/data/record_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>

#include "core/data/errors.h"
#include "support/fault_file_system.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "support/error_of.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::FaultFileSystem;
using talmorek::testing::TempDir;

constexpr std::size_t kSize = 4;

// Runs `op` and returns the IoError it raised; fails the test if it raised none.
IoError ioErrorOf(const std::function<void()>& op) { return errorOf<IoError>(op).value_or(IoError("", -1, "")); }

TEST(RecordFile, ReadsRecordsInOrderAndTracksPosition) {
    TempDir dir;
    dir.write("R.RCD", "AAAABBBBCCCC");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    EXPECT_EQ(f.size(), 3u);
    EXPECT_EQ(f.byteSize(), 12u);
    EXPECT_EQ(f.position(), 0u);
    EXPECT_FALSE(f.atEnd());
    EXPECT_EQ(f.read(), "AAAA");
    EXPECT_EQ(f.readView(), "BBBB");
    EXPECT_EQ(f.position(), 2u);
    EXPECT_EQ(f.read(), "CCCC");
    EXPECT_TRUE(f.atEnd());
    f.close();
}

TEST(RecordFile, ReadingAtTheEndFails) {
    TempDir dir;
    dir.write("R.RCD", "AAAA");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    f.read();
    IoError e = ioErrorOf([&] { f.read(); });
    EXPECT_EQ(e.path(), dir.file("R.RCD"));
    EXPECT_EQ(e.osError(), 0);
    EXPECT_EQ(e.record(), -1) << "no record was cut short";
}

TEST(RecordFile, EmptyFileFailsAtTheFirstRead) {
    TempDir dir;
    dir.write("R.RCD", "");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    EXPECT_EQ(f.size(), 0u);
    EXPECT_TRUE(f.atEnd());
    EXPECT_EQ(ioErrorOf([&] { f.read(); }).path(), dir.file("R.RCD"));
}

// A size that is not a multiple of the record size: the partial record
// counts as "before the end", so reading through the file reaches it and fails.
TEST(RecordFile, ShortLastRecordFailsWhenRead) {
    TempDir dir;
    dir.write("R.RCD", "AAAABB");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    EXPECT_EQ(f.size(), 1u);
    EXPECT_EQ(f.read(), "AAAA");
    EXPECT_FALSE(f.atEnd());
    IoError e = ioErrorOf([&] { f.read(); });
    EXPECT_EQ(e.path(), dir.file("R.RCD"));
    EXPECT_EQ(e.osError(), 0);
    EXPECT_EQ(e.record(), 1) << "the index of the partial record";
}

TEST(RecordFile, SeekMovesToAnyRecordUpToJustAfterTheLast) {
    TempDir dir;
    dir.write("R.RCD", "AAAABBBBCCCC");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    f.seek(2);
    EXPECT_EQ(f.read(), "CCCC");
    f.seek(0);
    EXPECT_EQ(f.read(), "AAAA");
    f.seek(3);
    EXPECT_TRUE(f.atEnd());
    EXPECT_EQ(f.position(), 3u);
    EXPECT_EQ(ioErrorOf([&] { f.seek(5); }).osError(), EINVAL);
}

TEST(RecordFile, ReadRemainingGivesTheWholeRecordsLeft) {
    TempDir dir;
    dir.write("R.RCD", "AAAABBBBCCCC");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    f.read();
    EXPECT_EQ(f.readRemaining(), "BBBBCCCC");
    EXPECT_TRUE(f.atEnd());
    EXPECT_EQ(f.position(), 3u);
    EXPECT_EQ(f.readRemaining(), "");
}

TEST(RecordFile, ReadRemainingLeavesAShortLastRecordToFail) {
    TempDir dir;
    dir.write("R.RCD", "AAAABBBBCC");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    EXPECT_EQ(f.readRemaining(), "AAAABBBB");
    EXPECT_EQ(f.position(), 2u);
    EXPECT_FALSE(f.atEnd());
    EXPECT_EQ(ioErrorOf([&] { f.read(); }).path(), dir.file("R.RCD"));
}

// A reader over the content of a file walks it as the file itself reads:
// the same records, the same end, and the same failure, word for word.
TEST(RecordReader, ReadsAsTheFileReads) {
    TempDir dir;
    for (const std::string bytes : {"AAAABBBBCC", "AAAABBBB", ""}) {
        SCOPED_TRACE(bytes);
        dir.write("R.RCD", bytes);
        const std::string path = dir.file("R.RCD");
        const std::string content = RecordFile::readContents(path, kSize);
        EXPECT_EQ(content, bytes);
        auto file = RecordFile::openExisting(path, kSize);
        RecordReader reader(content, kSize, path);
        while (!file.atEnd()) {
            EXPECT_FALSE(reader.atEnd());
            std::string fromFile, fromReader;
            IoError fileError("", -1, ""), readerError("", -1, "");
            try {
                fromFile = file.readView();
            } catch (const IoError& e) {
                fileError = e;
            }
            try {
                fromReader = reader.readView();
            } catch (const IoError& e) {
                readerError = e;
            }
            EXPECT_EQ(fromReader, fromFile);
            EXPECT_STREQ(readerError.what(), fileError.what());
            EXPECT_EQ(readerError.path(), fileError.path());
            EXPECT_EQ(readerError.osError(), fileError.osError());
            EXPECT_EQ(reader.position(), file.position());
            if (fileError.osError() != -1) break;
        }
        // Past the end (or at a short last record) both fail alike.
        const IoError fileError = ioErrorOf([&] { file.read(); });
        const IoError readerError = ioErrorOf([&] { reader.readView(); });
        EXPECT_STREQ(readerError.what(), fileError.what());
        EXPECT_EQ(readerError.path(), path);
    }
}

TEST(RecordReader, ReadRemainingLeavesAShortLastRecordToFail) {
    const std::string path = "R.RCD";
    RecordReader reader("AAAABBBBCC", kSize, path);
    EXPECT_EQ(reader.readView(), "AAAA");
    EXPECT_EQ(reader.readRemaining(), "BBBB");
    EXPECT_EQ(reader.position(), 2u);
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readRemaining(), "");
    EXPECT_EQ(ioErrorOf([&] { reader.readView(); }).path(), path);
}

TEST(RecordFile, ReadContentsOfAMissingFileFailsAsOpeningIt) {
    TempDir dir;
    const IoError open = ioErrorOf([&] { RecordFile::openExisting(dir.file("NONE.RCD"), kSize); });
    const IoError contents = ioErrorOf([&] { RecordFile::readContents(dir.file("NONE.RCD"), kSize); });
    EXPECT_STREQ(contents.what(), open.what());
    EXPECT_EQ(contents.osError(), ENOENT);
}

TEST(RecordFile, CreateWritesAndAppends) {
    TempDir dir;
    auto f = RecordFile::create(dir.file("W.RCD"), kSize);
    EXPECT_EQ(f.size(), 0u);
    EXPECT_TRUE(f.atEnd());
    f.write("1111");
    f.write("2222");
    EXPECT_EQ(f.position(), 2u);
    EXPECT_EQ(f.size(), 2u);
    EXPECT_TRUE(f.atEnd());
    f.close();
    EXPECT_EQ(dir.read("W.RCD"), "11112222");
}

TEST(RecordFile, CreateEmptiesAnExistingFile) {
    TempDir dir;
    dir.write("W.RCD", "old old old!");
    auto f = RecordFile::create(dir.file("W.RCD"), kSize);
    EXPECT_EQ(f.size(), 0u);
    f.close();
    EXPECT_EQ(dir.read("W.RCD"), "");
}

TEST(RecordFile, WriteOverwritesInPlaceAndReadSeesIt) {
    TempDir dir;
    dir.write("R.RCD", "AAAABBBBCCCC");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    f.seek(1);
    f.write("bbbb");
    EXPECT_EQ(f.position(), 2u);
    f.seek(3);
    f.write("DDDD");  // appends
    EXPECT_EQ(f.size(), 4u);
    f.seek(1);
    EXPECT_EQ(f.read(), "bbbb");
    f.close();
    EXPECT_EQ(dir.read("R.RCD"), "AAAAbbbbCCCCDDDD");
}

TEST(RecordFile, WriteOfTheWrongSizeIsRefused) {
    TempDir dir;
    auto f = RecordFile::create(dir.file("W.RCD"), kSize);
    EXPECT_EQ(ioErrorOf([&] { f.write("123"); }).osError(), EINVAL);
    f.close();
    EXPECT_EQ(dir.read("W.RCD"), "");
}

TEST(RecordFile, OperationsAfterCloseFail) {
    TempDir dir;
    dir.write("R.RCD", "AAAA");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    f.close();
    f.close();  // closing twice is harmless
    EXPECT_EQ(ioErrorOf([&] { f.read(); }).osError(), EBADF);
    EXPECT_EQ(ioErrorOf([&] { f.readRemaining(); }).osError(), EBADF);
    EXPECT_EQ(ioErrorOf([&] { f.write("BBBB"); }).osError(), EBADF);
}

TEST(RecordFile, OpeningAMissingFileFails) {
    TempDir dir;
    IoError e = ioErrorOf([&] { RecordFile::openExisting(dir.file("NONE.RCD"), kSize); });
    EXPECT_EQ(e.path(), dir.file("NONE.RCD"));
    EXPECT_EQ(e.osError(), ENOENT);
}

TEST(RecordFile, CreatingInAMissingDirectoryFails) {
    TempDir dir;
    IoError e = ioErrorOf([&] { RecordFile::create(dir.file("none/W.RCD"), kSize); });
    EXPECT_EQ(e.path(), dir.file("none/W.RCD"));
    EXPECT_EQ(e.osError(), ENOENT);
}

// Opening asks for write access too, so a write-protected record file is refused.
TEST(RecordFile, OpeningAWriteProtectedFileFails) {
    TempDir dir;
    dir.write("R.RCD", "AAAA");
    FaultFileSystem fs;
    fs.writeProtect(dir.file("R.RCD"));
    IoError e = ioErrorOf([&] { RecordFile::openExisting(dir.file("R.RCD"), kSize, fs); });
    EXPECT_EQ(e.path(), dir.file("R.RCD"));
    EXPECT_EQ(e.osError(), EACCES);
    IoError c = ioErrorOf([&] { RecordFile::create(dir.file("R.RCD"), kSize, fs); });
    EXPECT_EQ(c.osError(), EACCES);
    EXPECT_EQ(dir.read("R.RCD"), "AAAA");
}

// The same with the file's real permissions, which bind every user but root.
TEST(RecordFile, OpeningAFileWithoutWritePermissionFails) {
    if (!testing::filePermissionsBind()) GTEST_SKIP() << "file permissions do not bind this user (root)";
    TempDir dir;
    dir.write("R.RCD", "AAAA");
    std::filesystem::permissions(dir.file("R.RCD"), std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::replace);
    IoError e = ioErrorOf([&] { RecordFile::openExisting(dir.file("R.RCD"), kSize); });
    EXPECT_EQ(e.path(), dir.file("R.RCD"));
    EXPECT_EQ(e.osError(), EACCES);
}

TEST(RecordFile, RemoveDeletesTheFile) {
    TempDir dir;
    dir.write("R.RCD", "AAAA");
    RecordFile::remove(dir.file("R.RCD"));
    EXPECT_FALSE(dir.exists("R.RCD"));
    IoError e = ioErrorOf([&] { RecordFile::remove(dir.file("R.RCD")); });
    EXPECT_EQ(e.path(), dir.file("R.RCD"));
    EXPECT_EQ(e.osError(), ENOENT);
}

TEST(RecordFile, AWriteTheDiskRefusesFailsAndKeepsTheRecordInMemory) {
    TempDir dir;
    dir.write("R.RCD", "AAAABBBB");
    FaultFileSystem fs;
    fs.diskFullAfter(dir.file("R.RCD"), 2);
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize, fs);
    f.seek(2);
    IoError e = ioErrorOf([&] { f.write("CCCC"); });
    EXPECT_EQ(e.path(), dir.file("R.RCD"));
    EXPECT_EQ(e.osError(), ENOSPC);
    EXPECT_EQ(f.size(), 2u) << "the record that did not fit was not taken";
    EXPECT_EQ(f.position(), 2u);
}

TEST(RecordFile, ADeletionTheSystemRefusesFails) {
    TempDir dir;
    dir.write("R.RCD", "AAAA");
    FaultFileSystem fs;
    fs.refuseRemove(dir.file("R.RCD"), EBUSY);
    IoError e = ioErrorOf([&] { RecordFile::remove(dir.file("R.RCD"), fs); });
    EXPECT_EQ(e.path(), dir.file("R.RCD"));
    EXPECT_EQ(e.osError(), EBUSY);
    EXPECT_TRUE(dir.exists("R.RCD"));
}

TEST(RecordFile, MovedFileKeepsItsPosition) {
    TempDir dir;
    dir.write("R.RCD", "AAAABBBB");
    auto f = RecordFile::openExisting(dir.file("R.RCD"), kSize);
    f.read();
    RecordFile g = std::move(f);
    EXPECT_EQ(g.position(), 1u);
    EXPECT_EQ(g.read(), "BBBB");
    g.close();
}

}  // namespace
}  // namespace talmorek::data
