// The list of export targets on a machine described by a fixture tree:
// which carriers are offered, in which order, and what is selected.

#include "core/media/export_targets.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/media/media_machine.h"

namespace talmorek::testing {
namespace {

constexpr const char* kProgram = "/opt/volby/";
constexpr const char* kHardDisk = "do adresáře /opt/volby/Export ";
constexpr std::uint64_t kGB = 1000000000;

std::vector<std::string> texts(const media::TargetList& list) {
    std::vector<std::string> out;
    for (const auto& item : list.items) out.push_back(item.text);
    return out;
}

struct Case {
    const char* name;
    std::function<void(MediaMachine&)> plugIn;
    std::vector<std::string> items;
};

TEST(ExportTargets, WhatIsOfferedOnEachMachine) {
    const Case cases[] = {
        {"nothing_plugged_in_offers_the_hard_disk_only", [](MediaMachine&) {}, {kHardDisk}},
        {"a_usb_stick_then_a_card_reader_without_a_card",
         [](MediaMachine& m) {
             m.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
             m.addDisk("sdc", true, MediaMachine::Bus::Usb, {"sdc1"});
             m.mount("/dev/sdb1", "/media/komise/STICK", spaceOf(8 * kGB, 7 * kGB));
             m.mount("/dev/sdc1", "/media/komise/CARD", std::nullopt);
         },
         {"/media/komise/STICK - vyjímatelné zařízení", kHardDisk}},
        {"two_sticks_in_the_order_of_mounting",
         [](MediaMachine& m) {
             m.addDisk("sdc", true, MediaMachine::Bus::Usb, {"sdc1"});
             m.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
             m.mount("/dev/sdc1", "/media/komise/B", spaceOf(kGB, kGB));
             m.mount("/dev/sdb1", "/media/komise/A", spaceOf(kGB, kGB));
         },
         {"/media/komise/B - vyjímatelné zařízení", "/media/komise/A - vyjímatelné zařízení", kHardDisk}},
        // Offered: choosing it says why it cannot take the file.
        {"a_full_stick_is_offered",
         [](MediaMachine& m) {
             m.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
             m.mount("/dev/sdb1", "/media/komise/FULL", spaceOf(kGB, 0));
         },
         {"/media/komise/FULL - vyjímatelné zařízení", kHardDisk}},
        {"a_read_only_stick_is_not_offered",
         [](MediaMachine& m) {
             m.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
             m.mount("/dev/sdb1", "/media/komise/LOCKED", spaceOf(kGB, kGB), "ro,nosuid,nodev");
         },
         {kHardDisk}},
        {"the_fixed_disk_is_not_a_carrier",
         [](MediaMachine& m) {
             m.addDisk("sda", false, MediaMachine::Bus::Sata, {"sda1", "sda2"});
             m.mount("/dev/sda2", "/", spaceOf(500 * kGB, 100 * kGB));
             m.mount("/dev/sda1", "/boot/efi", spaceOf(kGB, kGB));
         },
         {kHardDisk}},
        {"a_usb_disk_that_calls_itself_fixed_is_a_carrier",
         [](MediaMachine& m) {
             m.addDisk("sdb", false, MediaMachine::Bus::Usb, {"sdb1"});
             m.mount("/dev/sdb1", "/media/komise/USBHDD", spaceOf(kGB, kGB));
         },
         {"/media/komise/USBHDD - vyjímatelné zařízení", kHardDisk}},
        {"a_removable_disk_on_another_bus_is_a_carrier",
         [](MediaMachine& m) {
             m.addDisk("mmcblk0", true, MediaMachine::Bus::Sata, {"mmcblk0p1"});
             m.mount("/dev/mmcblk0p1", "/media/komise/SD", spaceOf(kGB, kGB));
         },
         {"/media/komise/SD - vyjímatelné zařízení", kHardDisk}},
        {"a_stick_without_partitions",
         [](MediaMachine& m) {
             m.addDisk("sdd", true, MediaMachine::Bus::Usb, {});
             m.mount("/dev/sdd", "/media/komise/WHOLE", spaceOf(kGB, kGB));
         },
         {"/media/komise/WHOLE - vyjímatelné zařízení", kHardDisk}},
        {"a_blank_in_the_mount_point",
         [](MediaMachine& m) {
             m.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
             m.mount("/dev/sdb1", "/media/komise/MY STICK", spaceOf(kGB, kGB));
         },
         {"/media/komise/MY STICK - vyjímatelné zařízení", kHardDisk}},
        {"a_stick_mounted_twice_is_listed_once_per_mount_point",
         [](MediaMachine& m) {
             m.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
             m.mount("/dev/sdb1", "/media/komise/S", spaceOf(kGB, kGB));
             m.mount("/dev/sdb1", "/media/komise/S", spaceOf(kGB, kGB));
         },
         {"/media/komise/S - vyjímatelné zařízení", kHardDisk}},
        {"a_device_sysfs_does_not_know_and_memory_file_systems_are_skipped",
         [](MediaMachine& m) {
             m.mount("/dev/sdz1", "/media/komise/GHOST", spaceOf(kGB, kGB));
             m.mount("tmpfs", "/run/user/1000", spaceOf(kGB, kGB));
         },
         {kHardDisk}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MediaMachine machine;
        c.plugIn(machine);
        const media::TargetList list = media::listExportTargets(machine.sources(), kProgram);
        EXPECT_EQ(texts(list), c.items);
        EXPECT_EQ(list.selected, 0) << "the first carrier, else the hard disk";
    }
}

TEST(ExportTargets, EachItemKnowsWhereTheFileGoes) {
    MediaMachine machine;
    machine.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
    machine.mount("/dev/sdb1", "/media/komise/STICK", spaceOf(kGB, kGB));
    const media::TargetList list = media::listExportTargets(machine.sources(), kProgram);
    ASSERT_EQ(list.items.size(), 2u);
    const media::ExportTarget& stick = list.items[0];
    EXPECT_TRUE(stick.removable);
    EXPECT_EQ(stick.directory, "/media/komise/STICK/");
    EXPECT_EQ(stick.place, "/media/komise/STICK");
    EXPECT_EQ(stick.device, "/dev/sdb1");
    const media::ExportTarget& disk = list.items[1];
    EXPECT_FALSE(disk.removable);
    EXPECT_EQ(disk.directory, "/opt/volby/Export/");
    EXPECT_EQ(disk.place, "/opt/volby/Export");
}

TEST(ExportTargets, AMachineWhoseMountsCannotBeReadOffersTheHardDisk) {
    media::MediaSources sources;
    sources.sysRoot = "/nonexistent/sys";
    sources.mountsFile = "/nonexistent/mounts";
    EXPECT_EQ(texts(media::listExportTargets(sources, kProgram)), std::vector<std::string>{kHardDisk});
}

TEST(ExportTargets, SysfsTellsWhichDevicesAreRemovableAndWhichExist) {
    MediaMachine machine;
    machine.addDisk("sda", false, MediaMachine::Bus::Sata, {"sda1"});
    machine.addDisk("sdb", true, MediaMachine::Bus::Usb, {"sdb1"});
    const std::string sys = machine.sources().sysRoot;
    EXPECT_FALSE(media::isRemovableDevice(sys, "/dev/sda1"));
    EXPECT_TRUE(media::isRemovableDevice(sys, "/dev/sdb1"));
    EXPECT_TRUE(media::isRemovableDevice(sys, "/dev/sdb"));
    EXPECT_TRUE(media::blockDeviceExists(sys, "/dev/sdb1"));
    EXPECT_FALSE(media::blockDeviceExists(sys, "/dev/sdc1"));
}

TEST(ParseMounts, ReadsDeviceMountPointAndTheReadOnlyOption) {
    const auto mounts = media::parseMounts(
        "/dev/sdb1 /media/a\\040b vfat rw,ro-like 0 0\n"
        "/dev/sdc1 /media/c vfat nosuid,ro 0 0\n"
        "broken-line\n");
    ASSERT_EQ(mounts.size(), 2u);
    EXPECT_EQ(mounts[0].device, "/dev/sdb1");
    EXPECT_EQ(mounts[0].mountPoint, "/media/a b");
    EXPECT_FALSE(mounts[0].readOnly) << "only the option \"ro\" itself";
    EXPECT_TRUE(mounts[1].readOnly);
}

}  // namespace
}  // namespace talmorek::testing
