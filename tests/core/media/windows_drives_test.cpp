// The carriers of a Windows machine: removable drive letters, with the
// diskette drive A offered only for a diskette; the list made from the
// machine's drives, a carrier judged again by its letter and volume, and
// its safe removal judged by the drives left.

#include "core/media/windows_drives.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>

#include "core/media/safe_removal.h"

namespace talmorek::media {
namespace {

constexpr const char* kHardDisk = "do adresáře C:\\PS\\Export ";

struct Case {
    const char* name;
    std::vector<DriveEntry> drives;
    std::vector<std::string> items;
    int selected;
};

TEST(WindowsTargets, TheDriveRule) {
    const Case cases[] = {
        {"no_removable_drive", {}, {kHardDisk}, 0},
        {"usb_disk_in_e_and_a_card_reader_without_a_card_in_f",
         {{'E', 8000000000, 7000000000}, {'F', -1, -1}},
         {"E - vyjímatelné zařízení", kHardDisk},
         0},
        {"a_diskette_alone", {{'A', 1457664, 1457664}}, {"A - vyjímatelné zařízení", kHardDisk}, 0},
        {"a_two_gigabyte_medium_in_drive_a", {{'A', 2000000000, 1000000000}}, {kHardDisk}, 0},
        {"a_full_diskette", {{'A', 1457664, 0}}, {kHardDisk}, 0},
        {"drive_a_without_a_diskette", {{'A', -1, -1}}, {kHardDisk}, 0},
        {"a_diskette_and_a_stick_select_the_stick",
         {{'G', 4000000000, 100}, {'A', 1457664, 512}},
         {"A - vyjímatelné zařízení", "G - vyjímatelné zařízení", kHardDisk},
         1},
        {"a_full_stick_other_than_a_is_still_listed",
         {{'E', 4000000000, 0}},
         {"E - vyjímatelné zařízení", kHardDisk},
         0},
        {"only_the_capacity_readable", {{'E', 4000000000, -1}}, {kHardDisk}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TargetList list = windowsTargets(c.drives, "C:\\PS\\");
        std::vector<std::string> texts;
        for (const auto& item : list.items) texts.push_back(item.text);
        EXPECT_EQ(texts, c.items);
        EXPECT_EQ(list.selected, c.selected);
    }
}

TEST(WindowsTargets, ADriveIsWrittenAtItsRootAndTheHardDiskInExport) {
    const TargetList list = windowsTargets({{'E', 8000000000, 7000000000}}, "C:\\PS\\");
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].directory, "E:\\");
    EXPECT_EQ(list.items[0].place, "E:\\");
    EXPECT_EQ(list.items[1].directory, "C:\\PS\\Export\\");
}

// A machine that lists its drives (MediaSources::drives) gets the drive
// rule's list, each carrier with the volume it holds now.
MediaSources machineWith(const std::vector<DriveEntry>& drives, std::uint64_t serial) {
    MediaSources sources;
    sources.sysRoot = "/no-sysfs-here";
    sources.mountsFile = "/no-mounts-here";
    sources.drives = [drives] { return drives; };
    sources.volumeOf = [serial](const std::string& directory) -> std::optional<std::uint64_t> {
        if (directory.size() == 2 && directory[1] == ':') return serial + static_cast<std::uint64_t>(directory[0]);
        return std::nullopt;
    };
    return sources;
}

TEST(WindowsTargets, AMachineWithDriveLettersListsThemByTheDriveRule) {
    const TargetList list =
        listExportTargets(machineWith({{'F', 4000000000, 100}, {'A', 1457664, 512}, {'G', -1, -1}}, 1000), "C:\\PS\\");
    ASSERT_EQ(list.items.size(), 3u);
    EXPECT_EQ(list.items[0].text, "A - vyjímatelné zařízení");
    EXPECT_EQ(list.items[1].text, "F - vyjímatelné zařízení");
    EXPECT_EQ(list.items[2].text, "do adresáře C:\\PS\\Export ");
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(list.items[0].volume, std::optional<std::uint64_t>(1000 + 'A'));
    EXPECT_EQ(list.items[1].volume, std::optional<std::uint64_t>(1000 + 'F'));
    EXPECT_EQ(list.items[2].volume, std::nullopt);
}

TEST(WindowsTargets, ACarrierIsThereWhileItsLetterHoldsTheSameVolume) {
    const ExportTarget e = listExportTargets(machineWith({{'E', 8000000000, 7000000000}}, 1000), "C:\\PS\\").items[0];
    EXPECT_TRUE(carrierStillThere(e, machineWith({{'E', 8000000000, 6000000000}}, 1000)));
    EXPECT_FALSE(carrierStillThere(e, machineWith({}, 1000))) << "pulled out";
    EXPECT_FALSE(carrierStillThere(e, machineWith({{'E', -1, -1}}, 1000))) << "no medium in the reader";
    EXPECT_FALSE(carrierStillThere(e, machineWith({{'F', 8000000000, 7000000000}}, 1000))) << "under another letter";
    EXPECT_FALSE(carrierStillThere(e, machineWith({{'E', 8000000000, 7000000000}}, 2000))) << "another stick in E";
    EXPECT_TRUE(carrierStillThere(hardDiskTarget("C:\\PS\\", '\\'), machineWith({}, 1000)));
}

// Whatever the removal command answers (here: none can be started), the
// drive is removed only once the system lists its letter no more.
TEST(WindowsTargets, ADriveIsRemovedOnlyWhenItsLetterIsGone) {
    const ExportTarget e = listExportTargets(machineWith({{'E', 8000000000, 7000000000}}, 1000), "C:\\PS\\").items[0];
    const RemovalCommand missing{"talmorek-no-such-removal-program", std::chrono::milliseconds(5000)};
    EXPECT_FALSE(removeSafely(e, machineWith({{'E', 8000000000, 7000000000}}, 1000), missing));
    EXPECT_FALSE(removeSafely(e, machineWith({{'E', -1, -1}}, 1000), missing)) << "the reader is still there";
    EXPECT_TRUE(removeSafely(e, machineWith({}, 1000), missing));
}

}  // namespace
}  // namespace talmorek::media
