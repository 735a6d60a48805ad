// Safe removal of the carrier: the commands run without a shell, bounded
// in time, and success is what the machine shows afterwards, not what the
// commands answered.

#include "core/media/safe_removal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <signal.h>

#include "core/media/media_machine.h"
#include "core/media/bounded_process.h"

namespace talmorek::testing {
namespace {

using Clock = std::chrono::steady_clock;

class SafeRemoval : public ::testing::Test {
protected:
    SafeRemoval() {
        machine.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
        machine.mount("/dev/sdb1", "/media/komise/STICK", spaceOf(1000000, 1000000));
        const media::TargetList list = media::listExportTargets(machine.sources(), "/opt/volby/");
        stick = list.items.at(0);
    }

    // A stand-in for the removal program: logs its arguments, then runs `body`.
    std::string script(const std::string& body) {
        const std::string path = machine.dir().file("udisksctl");
        std::ofstream(path) << "#!/bin/sh\necho \"$@\" >> " << log() << "\n" << body << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    std::string log() const { return machine.dir().file("calls.log"); }
    std::string calls() const {
        std::ifstream in(log());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    MediaMachine machine;
    media::ExportTarget stick;
};

TEST_F(SafeRemoval, CommandsThatSucceedButLeaveTheDeviceAreNoRemoval) {
    media::RemovalCommand command{script("exit 0"), std::chrono::milliseconds(5000)};
    EXPECT_FALSE(media::removeSafely(stick, machine.sources(), command));
    EXPECT_EQ(calls(), "unmount -b /dev/sdb1\npower-off -b /dev/sdb1\n");
}

TEST_F(SafeRemoval, AFailedUnmountDoesNotPowerOff) {
    media::RemovalCommand command{script("exit 1"), std::chrono::milliseconds(5000)};
    EXPECT_FALSE(media::removeSafely(stick, machine.sources(), command));
    EXPECT_EQ(calls(), "unmount -b /dev/sdb1\n");
}

TEST_F(SafeRemoval, ACommandThatHangsIsEndedAtTheBoundWhileTheWindowRepaints) {
    const std::string pidFile = machine.dir().file("pid");
    media::RemovalCommand command{script("echo $$ > " + pidFile + "\nexec sleep 30"),
                                  std::chrono::milliseconds(400)};
    int ticks = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(media::removeSafely(stick, machine.sources(), command, [&] { ++ticks; }));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(400));
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_GT(ticks, 3) << "the waiting hands control back while it waits";
    std::ifstream in(pidFile);
    pid_t pid = 0;
    ASSERT_TRUE(in >> pid);
    EXPECT_EQ(::kill(pid, 0), -1) << "the hanging command was ended";
    EXPECT_EQ(errno, ESRCH);
}

TEST_F(SafeRemoval, TheDeviceGoneFromSysfsAndMountsIsRemoved) {
    const std::string sys = machine.sources().sysRoot;
    const std::string mounts = machine.sources().mountsFile;
    // power-off takes the device away, as the real command does.
    media::RemovalCommand command{
        script("if [ \"$1\" = power-off ]; then rm -rf " + sys + "/class/block/sdb1 " + sys + "/class/block/sdb " +
               sys + "/devices; : > " + mounts + "; fi"),
        std::chrono::milliseconds(5000)};
    EXPECT_TRUE(media::removeSafely(stick, machine.sources(), command));
}

TEST_F(SafeRemoval, UnmountedButStillPoweredIsNoRemoval) {
    const std::string mounts = machine.sources().mountsFile;
    media::RemovalCommand command{script(": > " + mounts), std::chrono::milliseconds(5000)};
    EXPECT_FALSE(media::removeSafely(stick, machine.sources(), command));
}

TEST_F(SafeRemoval, AMissingCommandIsNoRemoval) {
    media::RemovalCommand command{machine.dir().file("no-such-command"), std::chrono::milliseconds(5000)};
    EXPECT_FALSE(media::removeSafely(stick, machine.sources(), command));
}

TEST_F(SafeRemoval, TheHardDiskIsNeverRemoved) {
    media::RemovalCommand command{script("exit 0"), std::chrono::milliseconds(5000)};
    EXPECT_FALSE(media::removeSafely(media::hardDiskTarget("/opt/volby/"), machine.sources(), command));
    EXPECT_EQ(calls(), "");
}

TEST(BoundedProcess, ReportsTheExitCodeOfAProgramFoundInThePath) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    const media::ProcessOutcome ok = media::runBounded({"true"}, deadline);
    EXPECT_EQ(ok.kind, media::ProcessOutcome::Kind::Exited);
    EXPECT_EQ(ok.exitCode, 0);
    const media::ProcessOutcome failed = media::runBounded({"sh", "-c", "exit 3"}, deadline);
    EXPECT_EQ(failed.kind, media::ProcessOutcome::Kind::Exited);
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_EQ(media::runBounded({"talmorek-no-such-program"}, deadline).kind,
              media::ProcessOutcome::Kind::NotStarted);
}

}  // namespace
}  // namespace talmorek::testing
