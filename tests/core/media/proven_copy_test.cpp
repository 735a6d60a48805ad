// The copy to a carrier is proven before it counts: every failure on the
// way is reported with the target and leaves no unproven file behind.

#include "core/media/proven_copy.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "core/data/file_io.h"
#include "support/error_of.h"
#include "support/fault_file_system.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace talmorek::testing {
namespace {

constexpr const char* kName = "OP532053.00001";

class ProvenCopy : public ::testing::Test {
protected:
    ProvenCopy() {
        bytes.assign(10000, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 3);
        std::filesystem::create_directories(dir.file("data"));
        std::filesystem::create_directories(stick());
        dir.write("data/" + std::string(kName), bytes);
    }
    std::string source() const { return dir.file("data/") + kName; }
    std::string stick() const { return dir.file("stick/"); }
    std::string target() const { return stick() + kName; }

    // Copies through `fs` and returns the failure.
    media::ExportError failure(FaultFileSystem& fs) {
        return errorOf<media::ExportError>([&] { media::copyProven(source(), stick(), kName, "/media/STICK", fs); })
            .value_or(media::ExportError("", "", media::ExportError::Step::Write, 0));
    }

    TempDir dir;
    std::string bytes;
};

TEST_F(ProvenCopy, WritesFlushesRenamesAndReadsBack) {
    FaultFileSystem fs;
    EXPECT_EQ(media::copyProven(source(), stick(), kName, "/media/STICK", fs), bytes);
    EXPECT_EQ(dir.read("stick/" + std::string(kName)), bytes);
    EXPECT_EQ(fs.journal(), (std::vector<std::string>{
                                "read OP532053.00001", "close OP532053.00001", "mkdir stick",
                                "remove OP532053.00001.tmp~", "create OP532053.00001.tmp~", "write OP532053.00001.tmp~",
                                "sync OP532053.00001.tmp~", "close OP532053.00001.tmp~",
                                "rename OP532053.00001.tmp~ OP532053.00001", "sync directory",
                                "read OP532053.00001", "close OP532053.00001"}));
}

TEST_F(ProvenCopy, ReplacesAnOlderExport) {
    dir.write("stick/" + std::string(kName), "an older export");
    media::copyProven(source(), stick(), kName, "/media/STICK");
    EXPECT_EQ(dir.read("stick/" + std::string(kName)), bytes);
}

TEST_F(ProvenCopy, CreatesTheMissingExportDirectory) {
    const std::string exportDir = dir.file("Export/");
    media::copyProven(source(), exportDir, kName, dir.file("Export"));
    EXPECT_EQ(dir.read("Export/" + std::string(kName)), bytes);
}

TEST_F(ProvenCopy, AStickThatFillsUpHalfWayKeepsNoFile) {
    FaultFileSystem fs;
    fs.diskFullAfter(target(), bytes.size() / 2);
    const media::ExportError e = failure(fs);
    EXPECT_EQ(e.step(), media::ExportError::Step::Write);
    EXPECT_EQ(e.osError(), ENOSPC);
    EXPECT_EQ(e.place(), "/media/STICK");
    EXPECT_EQ(e.file(), target());
    EXPECT_TRUE(std::filesystem::is_empty(stick())) << "neither the file nor its temporary file is left";
}

TEST_F(ProvenCopy, AFlushThatFailsKeepsNoFile) {
    FaultFileSystem fs;
    fs.failSync(target(), EIO);
    const media::ExportError e = failure(fs);
    EXPECT_EQ(e.step(), media::ExportError::Step::Write);
    EXPECT_EQ(e.osError(), EIO);
    EXPECT_TRUE(std::filesystem::is_empty(stick()));
}

TEST_F(ProvenCopy, AWriteProtectedStickIsReported) {
    FaultFileSystem fs;
    fs.writeProtect(data::temporaryPathFor(target()));
    const media::ExportError e = failure(fs);
    EXPECT_EQ(e.osError(), EACCES);
    EXPECT_TRUE(std::filesystem::is_empty(stick()));
}

TEST_F(ProvenCopy, ARenameThatFailsKeepsNoFile) {
    FaultFileSystem fs;
    fs.refuseRename(target(), EIO);
    const media::ExportError e = failure(fs);
    EXPECT_EQ(e.step(), media::ExportError::Step::Replace);
    EXPECT_TRUE(std::filesystem::is_empty(stick()));
}

TEST_F(ProvenCopy, ACopyThatReadsBackDifferentlyIsReportedAndDeleted) {
    FaultFileSystem fs;
    fs.garbleWrites(target());
    const media::ExportError e = failure(fs);
    EXPECT_EQ(e.step(), media::ExportError::Step::Differs);
    EXPECT_EQ(e.file(), target());
    EXPECT_TRUE(std::filesystem::is_empty(stick())) << "a wrong copy must not be carried to the receiving point";
}

// On a mounted volume '\' is part of a name: a stick labelled "STICK\" is
// the directory checked and written into, and no "STICK" is made beside it.
TEST_F(ProvenCopy, AVolumeWhoseNameEndsInABackslashIsTheOneWrittenTo) {
    if (backslashSeparatesDirectories()) GTEST_SKIP() << "a backslash separates directories here, it is in no name";
    std::filesystem::create_directories(dir.file("media/STICK\\"));
    FaultFileSystem fs;
    media::copyProven(source(), dir.file("media/STICK\\/"), kName, "/media/STICK\\", fs);
    EXPECT_EQ(dir.read("media/STICK\\/" + std::string(kName)), bytes);
    EXPECT_FALSE(std::filesystem::exists(dir.file("media/STICK")));
    EXPECT_EQ(fs.journal().at(2), "mkdir STICK\\");
}

TEST_F(ProvenCopy, AStickPulledOutBeforeTheCopyIsReported) {
    std::filesystem::remove_all(dir.file("media"));
    FaultFileSystem fs;
    const auto e = errorOf<media::ExportError>([&] {
        media::copyProven(source(), dir.file("media/STICK/"), kName, "/media/STICK", fs);
    });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->step(), media::ExportError::Step::CreateDirectory);
    EXPECT_EQ(e->osError(), ENOENT);
}

TEST_F(ProvenCopy, AMissingSourceIsReportedAndNothingIsWritten) {
    std::filesystem::remove(source());
    FaultFileSystem fs;
    const media::ExportError e = failure(fs);
    EXPECT_EQ(e.step(), media::ExportError::Step::ReadSource);
    EXPECT_EQ(e.file(), source());
    EXPECT_TRUE(std::filesystem::is_empty(stick()));
}

}  // namespace
}  // namespace talmorek::testing
