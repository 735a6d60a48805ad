// "Uložit" of the export target dialog on Linux: the "O" file copied to a
// stick mounted as the machine's sysfs and mounts table describe it (a
// fixture tree with the links of sysfs), the report, and a stick that is
// no longer the one listed.

#include "core/workflow/export_to_target.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "core/media/media_machine.h"
#include "core/workflow/workflow_fixture.h"
#include "core/workflow/error_messages.h"
#include "support/error_of.h"

namespace talmorek::testing {
namespace {

constexpr const char* kClosing =
    "\r\rS tímto souborem je nutno na PM předat jen zápis,\r který bude nyní vytisknut.\r"
    "Zápis je nutno vytisknout ve 2 kopiích.";

class ExportToMountedStick : public WorkflowTest {
protected:
    ExportToMountedStick() {
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

TEST_F(ExportToMountedStick, ACarrierIsNamedByItsMountPoint) {
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


TEST_F(ExportToMountedStick, AFullCarrierIsReportedInCzechWithTheTarget) {
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
TEST_F(ExportToMountedStick, AStickThatIsNoLongerTheOneListedIsRefusedAndNothingStaysOnTheSystemDisk) {
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
TEST_F(ExportToMountedStick, AStickPulledDuringTheCopyLeavesNoFileOnTheSystemDisk) {
    const media::ExportTarget stick = listedStick(machine);
    FaultFileSystem pulled;
    pulled.beforeRename([&] { machine.unmount(stick.mountPoint); });
    if (const auto e = errorOf<media::ExportError>(
            [&] { workflow::exportToTarget(stick, dirs, station(), machine.sources(), pulled); })) {
        EXPECT_EQ(workflow::czechMessage(*e), gone(stick.place));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("STICK")));
}

}  // namespace
}  // namespace talmorek::testing
