// "Uložit" of the export target dialog: the "O" file copied to the chosen
// target (the hard disk, a drive letter), the report the information
// dialog shows, and the wording of a copy that failed. A stick mounted on
// Linux is export_to_target_posix_test.cpp's.

#include "core/workflow/export_to_target.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <vector>

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
    }
    std::string fileName() const { return exporting::dataFileName(DataLetter::O, "554782", kOkrsek); }
    std::string gone(const std::string& place) const {
        return "Export na " + place + " se nepovedl: nosič není připojen (byl vyjmut?).\rData nebyla exportována.";
    }

    data::Directories dirs;
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

TEST_F(ExportToTarget, TheReportOfTheStationFromTheExamples) {
    media::ExportTarget disk = media::hardDiskTarget("C:\\PS\\", '\\');
    const workflow::ExportReport report = workflow::exportReport(disk, "OP532053.00001", "C:\\PS\\", "1a2b 3c4d 5e6f 7a8b");
    EXPECT_EQ(report.body,
              "Soubor OP532053.00001\rje uložen v adresáři C:\\PS\\Export.\rSoubor překopírujte na technický nosič." +
                  std::string(kClosing) + "\r\rOtisk souboru: 1a2b 3c4d 5e6f 7a8b");
}

// A machine with drive letters (Windows): its removable drives as the
// system lists them now, and the serial number of each drive's volume.
struct DriveMachine {
    std::vector<media::DriveEntry> drives{{'E', 1000000000, 500000000}};
    std::map<std::string, std::uint64_t> serials{{"E:", 0x1234abcd}};

    media::MediaSources sources() {
        media::MediaSources s;
        s.drives = [this] { return drives; };
        s.volumeOf = [this](const std::string& directory) -> std::optional<std::uint64_t> {
            const auto found = serials.find(directory);
            if (found == serials.end()) return std::nullopt;
            return found->second;
        };
        return s;
    }
};

class ExportToDrive : public ExportToTarget {
protected:
    // Drive E as the list offers it, written into the test's directory
    // instead of the root of a real drive E.
    media::ExportTarget listedDrive() {
        const media::TargetList list = media::listExportTargets(machine.sources(), "C:\\PS\\");
        EXPECT_EQ(list.items.size(), 2u);
        media::ExportTarget drive = list.items.front();
        EXPECT_EQ(drive.directory, "E:\\");
        EXPECT_EQ(drive.volume, std::optional<std::uint64_t>(0x1234abcd));
        drive.directory = dir.file("STICK/");
        return drive;
    }

    DriveMachine machine;
};

TEST_F(ExportToDrive, ADriveIsNamedByItsRoot) {
    const media::ExportTarget drive = listedDrive();
    const workflow::ExportReport report = workflow::exportToTarget(drive, dirs, station(), machine.sources(), files);
    EXPECT_EQ(dir.read("STICK/" + fileName()), dir.read(dataFile(DataLetter::O)));
    EXPECT_EQ(report.heading, "Export dat na vyjímatelné zařízení proveden.");
    EXPECT_EQ(report.body, "Soubor " + fileName() + "\rje uložen na vyjímatelné zařízení v jednotce E:\\." + kClosing +
                               "\r\rOtisk souboru: " + report.fingerprint);
}

// A drive is judged again at "Uložit" and once more before the export is
// reported: its letter still listed with a medium, of the volume listed.
TEST_F(ExportToDrive, ADriveThatIsNoLongerTheOneListedIsRefusedAndNothingIsWritten) {
    struct Case {
        const char* name;
        std::function<void(DriveMachine&)> change;
    };
    const Case cases[] = {
        {"pulled_out", [](DriveMachine& m) { m.drives.clear(); }},
        {"card_taken_out_of_the_reader", [](DriveMachine& m) { m.drives = {{'E', -1, -1}}; }},
        {"another_stick_under_the_same_letter", [](DriveMachine& m) { m.serials["E:"] = 0x5678ef01; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        machine = DriveMachine{};
        const media::ExportTarget drive = listedDrive();
        c.change(machine);
        if (const auto e = errorOf<media::ExportError>(
                [&] { workflow::exportToTarget(drive, dirs, station(), machine.sources(), files); })) {
            EXPECT_EQ(workflow::czechMessage(*e), gone("E:\\"));
        }
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("STICK")));
    }
}

// Pulled while the file was copied: what was written goes again, and the
// export is not reported.
TEST_F(ExportToDrive, ADrivePulledDuringTheCopyKeepsNoFile) {
    const media::ExportTarget drive = listedDrive();
    FaultFileSystem pulled;
    pulled.beforeRename([&] { machine.drives.clear(); });
    if (const auto e = errorOf<media::ExportError>(
            [&] { workflow::exportToTarget(drive, dirs, station(), machine.sources(), pulled); })) {
        EXPECT_EQ(workflow::czechMessage(*e), gone("E:\\"));
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
