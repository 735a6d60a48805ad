// The carriers of a Windows machine: removable drive letters, with the
// diskette drive A offered only for a diskette.

#include "core/media/windows_drives.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace talmorek::media
