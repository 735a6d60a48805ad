// "Uložit" of the export target dialog: the "O" file copied to the chosen
// target, the report the information dialog shows, and the wording of a
// copy that failed.

#include "core/workflow/export_to_target.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "core/media/media_machine.h"
#include "core/workflow/workflow_fixture.h"
#include "core/export/export_fingerprint.h"
#include "core/workflow/error_messages.h"
#include "support/error_of.h"

namespace talmorek::testing {
namespace {

constexpr const char* kClosing =
    "\r\rS tímto souborem je nutno na PM předat jen zápis,\r který bude nyní vytisknut.\r"
    "Zápis je nutno vytisknout ve 2 kopiích.";

class ExportToTarget : public WorkflowTest {
protected:
    ExportToTarget() {
        save(cleanRecord(parties), DataLetter::O);
        dirs.program = dir.path();
        dirs.station = dir.path();
        dirs.data = dataDir();
        std::filesystem::create_directory(dir.file("STICK"));
        machine.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
        machine.mount("/dev/sdb1", dir.file("STICK"), spaceOf(1000000000, 500000000));
    }
    std::string fileName() const { return exporting::dataFileName(DataLetter::O, "554782", kOkrsek); }
    // The stick as the list offers it.
    media::ExportTarget listedStick(const MediaMachine& m) const {
        const media::TargetList list = media::listExportTargets(m.sources(), dir.path());
        EXPECT_EQ(list.items.size(), 2u);
        return list.items.front();
    }
    std::string gone(const std::string& mountPoint) const {
        return "Export na " + mountPoint + " se nepovedl: nosič není připojen (byl vyjmut?).\rData nebyla exportována.";
    }

    data::Directories dirs;
    MediaMachine machine;
};

TEST_F(ExportToTarget, TheHardDiskGetsTheFileInExportWhichIsCreatedWhenMissing) {
    const workflow::ExportReport report =
        workflow::exportToTarget(media::hardDiskTarget(dir.path()), dirs, station(), media::MediaSources{}, files);
    const std::string original = dir.read(dataFile(DataLetter::O));
    EXPECT_EQ(dir.read("Export/" + fileName()), original);
    EXPECT_EQ(report.heading, "Export dat na pevný disk proveden.");
    EXPECT_EQ(report.fingerprint, exporting::exportFingerprint(original));
    EXPECT_EQ(report.body, "Soubor " + fileName() + "\rje uložen v adresáři " + dir.path() +
                               "Export.\rSoubor překopírujte na technický nosič." + kClosing +
                               "\r\rOtisk souboru: " + report.fingerprint);
}

TEST_F(ExportToTarget, ACarrierIsNamedByItsMountPoint) {
    std::filesystem::create_directory(dir.file("STICK"));
    media::ExportTarget stick;
    stick.removable = true;
    stick.directory = dir.file("STICK/");
    stick.place = "/media/komise/STICK";
    stick.mountPoint = stick.place;
    stick.device = "/dev/sdb1";
    MediaMachine mounted;
    mounted.mount("/dev/sdb1", stick.place, spaceOf(1000000000, 500000000));
    const workflow::ExportReport report = workflow::exportToTarget(stick, dirs, station(), mounted.sources(), files);
    EXPECT_EQ(dir.read("STICK/" + fileName()), dir.read(dataFile(DataLetter::O)));
    EXPECT_EQ(report.heading, "Export dat na vyjímatelné zařízení proveden.");
    EXPECT_EQ(report.body, "Soubor " + fileName() +
                               "\rje uložen na vyjímatelné zařízení v jednotce /media/komise/STICK." + kClosing +
                               "\r\rOtisk souboru: " + report.fingerprint);
}

TEST_F(ExportToTarget, TheReportOfTheStationFromTheExamples) {
    media::ExportTarget disk = media::hardDiskTarget("C:\\PS\\", '\\');
    const workflow::ExportReport report = workflow::exportReport(disk, "OP532053.00001", "C:\\PS\\", "1a2b 3c4d 5e6f 7a8b");
    EXPECT_EQ(report.body,
              "Soubor OP532053.00001\rje uložen v adresáři C:\\PS\\Export.\rSoubor překopírujte na technický nosič." +
                  std::string(kClosing) + "\r\rOtisk souboru: 1a2b 3c4d 5e6f 7a8b");
}

TEST_F(ExportToTarget, AFullCarrierIsReportedInCzechWithTheTarget) {
    std::filesystem::create_directory(dir.file("STICK"));
    media::ExportTarget stick;
    stick.removable = true;
    stick.directory = dir.file("STICK/");
    stick.place = "/media/komise/STICK";
    stick.mountPoint = dir.file("STICK");
    stick.device = "/dev/sdb1";
    files.diskFullAfter(stick.directory + fileName(), 10);
    if (const auto e = errorOf<media::ExportError>(
            [&] { workflow::exportToTarget(stick, dirs, station(), machine.sources(), files); })) {
        EXPECT_EQ(workflow::czechMessage(*e),
                  "Export na /media/komise/STICK se nepovedl: na nosiči není dost místa.\rData nebyla exportována.");
    }
    EXPECT_FALSE(dir.exists("STICK/" + fileName()));
}

// A stick is judged again at "Uložit" and once more before the export is
// reported: still mounted from the device listed, on the volume listed.
TEST_F(ExportToTarget, AStickThatIsNoLongerTheOneListedIsRefusedAndNothingStaysOnTheSystemDisk) {
    struct Case {
        const char* name;
        std::function<void(MediaMachine&, const std::string&)> change;
    };
    const Case cases[] = {
        {"unmounted", [](MediaMachine& m, const std::string& point) { m.unmount(point); }},
        {"another_volume_at_the_same_place",
         [](MediaMachine& m, const std::string& point) { m.remountOtherVolume(point); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MediaMachine m;
        m.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
        m.mount("/dev/sdb1", dir.file("STICK"), spaceOf(1000000000, 500000000));
        const media::ExportTarget stick = listedStick(m);
        c.change(m, stick.mountPoint);
        if (const auto e = errorOf<media::ExportError>(
                [&] { workflow::exportToTarget(stick, dirs, station(), m.sources(), files); })) {
            EXPECT_EQ(workflow::czechMessage(*e), gone(stick.place));
        }
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("STICK")));
    }
}

// Pulled while the file was copied: the copy went to the bare mount point
// on the system disk; it goes again, and the export is not reported.
TEST_F(ExportToTarget, AStickPulledDuringTheCopyLeavesNoFileOnTheSystemDisk) {
    class PulledAtRename : public FaultFileSystem {
    public:
        explicit PulledAtRename(std::function<void()> pull) : pull_(std::move(pull)) {}
        int rename(const std::string& from, const std::string& to) override {
            pull_();
            return FaultFileSystem::rename(from, to);
        }

    private:
        std::function<void()> pull_;
    };
    const media::ExportTarget stick = listedStick(machine);
    PulledAtRename pulled([&] { machine.unmount(stick.mountPoint); });
    if (const auto e = errorOf<media::ExportError>(
            [&] { workflow::exportToTarget(stick, dirs, station(), machine.sources(), pulled); })) {
        EXPECT_EQ(workflow::czechMessage(*e), gone(stick.place));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("STICK")));
}

TEST(ExportFailureWording, NamesTheTargetAndTheReason) {
    using Step = media::ExportError::Step;
    struct Case {
        const char* name;
        Step step;
        int error;
        const char* reason;
    };
    const Case cases[] = {
        {"full", Step::Write, ENOSPC, "na nosiči není dost místa"},
        {"write_protected", Step::Write, EROFS, "nosič je chráněn proti zápisu"},
        {"no_permission", Step::Write, EACCES, "nosič je chráněn proti zápisu"},
        {"pulled_out", Step::CreateDirectory, ENOENT, "nosič není připojen (byl vyjmut?)"},
        {"medium_error", Step::ReadBack, EIO, "chyba čtení nebo zápisu na nosiči (byl vyjmut?)"},
        {"differs", Step::Differs, 0, "soubor /m/S/OP1 přečtený zpět se liší od exportovaných dat"},
        {"source", Step::ReadSource, ENOENT, "soubor /m/S/OP1 nelze přečíst"},
        {"busy", Step::Replace, EBUSY, "soubor /m/S/OP1 nelze zapsat: soubor používá jiný program"},
        {"is_a_directory", Step::Write, EISDIR, "soubor /m/S/OP1 nelze zapsat: na místě souboru je adresář"},
        {"link_at_the_target", Step::TargetIsLink, 0,
         "na místě souboru /m/S/OP1 je odkaz na jiný soubor, který program nepřepíše"},
        {"directory_at_the_target", Step::TargetIsNoFile, 0, "na místě souboru /m/S/OP1 je adresář nebo zařízení"},
        {"unknown_code", Step::Write, 9999,
         "soubor /m/S/OP1 nelze zapsat: neočekávaná chyba operačního systému č. 9999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const media::ExportError e("/m/S", "/m/S/OP1", c.step, c.error);
        EXPECT_EQ(workflow::czechMessage(static_cast<const std::exception&>(e)),
                  "Export na /m/S se nepovedl: " + std::string(c.reason) + ".\rData nebyla exportována.");
    }
}

TEST(RemovalMessage, OnlyARemovedDeviceIsReportedRemoved) {
    media::ExportTarget stick;
    stick.removable = true;
    stick.place = "/media/komise/STICK";
    EXPECT_EQ(workflow::removalMessage(true, stick), "Odebrán vyjímatelný disk /media/komise/STICK.");
    EXPECT_EQ(workflow::removalMessage(false, stick), "Odebrání se nepovedlo.");
}

}  // namespace
}  // namespace talmorek::testing
