// The Windows machine itself: its drive letters as GetLogicalDrives and
// GetDriveTypeW give them, fed to the drive rule, and external programs run
// in a job that ends them at the bound.
//
// Under Wine, scripts/windows_tests.sh makes drive E a removable drive (a
// directory of the test run) and names it in TALMOREK_TEST_REMOVABLE_DRIVE.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "core/data/file_io.h"
#include "core/media/bounded_process.h"
#include "core/media/export_targets.h"
#include "core/media/proven_copy.h"
#include "core/platform/process.h"
#include "support/temp_dir.h"

namespace talmorek::testing {
namespace {

using Clock = std::chrono::steady_clock;

TEST(SystemMedia, ARemovableDriveIsListedAndTakesTheExportAndNoFixedDriveIs) {
    const char* letter = std::getenv("TALMOREK_TEST_REMOVABLE_DRIVE");
    if (letter == nullptr || std::string(letter).size() != 1)
        GTEST_SKIP() << "no removable drive prepared (scripts/windows_tests.sh makes E: one under Wine)";
    const media::MediaSources sources = media::systemMediaSources();
    ASSERT_TRUE(sources.drives);
    const media::TargetList list = media::listExportTargets(sources, "C:\\PS\\");
    ASSERT_EQ(list.items.size(), 2u) << "the prepared drive and the hard disk; C: and Z: are fixed drives";
    const media::ExportTarget& drive = list.items[0];
    EXPECT_EQ(drive.text, std::string(letter) + " - vyjímatelné zařízení");
    EXPECT_EQ(drive.directory, std::string(letter) + ":\\");
    EXPECT_EQ(list.items[1].text, "do adresáře C:\\PS\\Export ");
    EXPECT_EQ(list.selected, 0);
    ASSERT_TRUE(drive.volume) << "the volume's serial number";
    EXPECT_TRUE(media::carrierStillThere(drive, sources));

    TempDir dir;
    dir.write("OP532053.00001", "the precinct's data");
    media::copyProven(dir.file("OP532053.00001"), drive.directory, "OP532053.00001", drive.place);
    EXPECT_EQ(data::readWholeFile(drive.directory + "OP532053.00001"), "the precinct's data");
    data::removeFileIfExists(drive.directory + "OP532053.00001");
}

TEST(BoundedProcessOnWindows, ReportsTheExitCodeOfAProgramFoundInThePath) {
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    const media::ProcessOutcome ok = media::runBounded({"cmd.exe", "/c", "exit 0"}, deadline);
    EXPECT_EQ(ok.kind, media::ProcessOutcome::Kind::Exited);
    EXPECT_EQ(ok.exitCode, 0);
    const media::ProcessOutcome failed = media::runBounded({"cmd.exe", "/c", "exit 3"}, deadline);
    EXPECT_EQ(failed.kind, media::ProcessOutcome::Kind::Exited);
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_EQ(media::runBounded({"talmorek-no-such-program"}, deadline).kind, media::ProcessOutcome::Kind::NotStarted);
}

// Run only as the program that hangs: writes its process id, then waits a minute.
TEST(BoundedProcessOnWindows, DISABLED_HangingProgram) {
    std::ofstream(std::getenv("TALMOREK_HANGING_PID_FILE")) << ::GetCurrentProcessId() << "\n";
    std::this_thread::sleep_for(std::chrono::minutes(1));
}

TEST(BoundedProcessOnWindows, AProgramThatHangsIsEndedAtTheBoundWhileTheWindowRepaints) {
    TempDir dir;
    const std::string pidFile = dir.file("pid");
    ASSERT_EQ(::_putenv_s("TALMOREK_HANGING_PID_FILE", pidFile.c_str()), 0);
    int ticks = 0;
    const auto start = Clock::now();
    const media::ProcessOutcome outcome = media::runBounded(
        {platform::executablePath(), "--gtest_also_run_disabled_tests",
         "--gtest_filter=BoundedProcessOnWindows.DISABLED_HangingProgram"},
        start + std::chrono::seconds(3), [&] { ++ticks; });
    const auto waited = Clock::now() - start;
    EXPECT_EQ(outcome.kind, media::ProcessOutcome::Kind::TimedOut);
    EXPECT_GE(waited, std::chrono::seconds(3));
    EXPECT_LT(waited, std::chrono::seconds(30));
    EXPECT_GT(ticks, 3) << "the waiting hands control back while it waits";
    DWORD pid = 0;
    ASSERT_TRUE(std::ifstream(pidFile) >> pid) << "the hanging program started";
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process != nullptr) {
        EXPECT_EQ(::WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "the hanging program was ended";
        ::CloseHandle(process);
    }
}

}  // namespace
}  // namespace talmorek::testing
