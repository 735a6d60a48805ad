#pragma once
// Where the precinct data file can be exported: the removable carriers that
// are plugged in and can take the file, then the "Export" directory on the
// hard disk. The list is what the export target dialog offers; the user's
// choice is taken by its index, never read back from the item's text.
//
// On Linux a carrier is a mounted, writable volume whose disk is removable:
// the disk's `removable` flag in sysfs is 1, or the disk hangs on a USB bus
// (USB hard disks and many sticks report 0). On Windows a carrier is a drive
// letter of the removable type (windows_drives.h). Where the machine's state
// is read from is injectable, so tests describe two sticks, a card reader
// without a card or a read-only stick as a small directory tree, or as a
// list of drives.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace talmorek::media {

struct VolumeSpace {
    std::uint64_t total = 0;  // bytes
    std::uint64_t free = 0;   // bytes a normal user may still write
};

// One removable drive of a machine with drive letters, as the system
// reports it.
struct DriveEntry {
    char Pismeno = 'A';              // "A".."Z"
    std::int64_t Kapacita = -1;      // total bytes; -1 when no medium can be read
    std::int64_t Volno = -1;         // free bytes; -1 when no medium can be read
};

// What the list is read from: the sysfs root, the table of mounts, the
// size query of a mounted volume (nothing when its medium cannot be read)
// and the volume a directory lies on (its device id, or a Windows volume's
// serial number; nothing when it cannot be asked). A machine with drive
// letters (Windows) gives `drives` instead of the sysfs and the mounts:
// its removable drives as they are now.
struct MediaSources {
    std::string sysRoot = "/sys";
    std::string mountsFile = "/proc/self/mounts";
    std::function<std::optional<VolumeSpace>(const std::string& mountPoint)> space;
    std::function<std::optional<std::uint64_t>(const std::string& directory)> volumeOf;
    std::function<std::vector<DriveEntry>()> drives;
};

// The machine's own carriers: sysfs, mounts and sizes on Linux, the drive
// letters on Windows (platform/<system>/media.cpp).
MediaSources systemMediaSources();

struct ExportTarget {
    bool removable = false;
    std::string text;        // the item of the list
    std::string directory;   // where the file goes, with its trailing separator
    std::string place;       // how the messages name it: the mount point, the drive root, the directory
    std::string mountPoint;  // a removable carrier: where it is mounted
    std::string device;      // a removable carrier: its block device as mounted, "/dev/sdb1"
    std::optional<std::uint64_t> volume;  // a removable carrier: the volume its mount point lay on when listed
};

struct TargetList {
    std::vector<ExportTarget> items;
    int selected = 0;
};

// The carriers that can be written (mounted read-write, medium readable),
// in the order of the mounts table, then the hard-disk item "do adresáře
// <programDir>Export "; the first carrier is selected. With `drives`, the
// list of the drive rule (windowsTargets), each carrier with its volume. A carrier too full
// for the file is listed all the same: choosing it tells the commission
// why it cannot take the file, where a carrier left out of the list would
// leave them guessing. `programDir` keeps its trailing separator.
TargetList listExportTargets(const MediaSources& sources, const std::string& programDir);

// Whether the carrier `target` is there still as it was listed: its mount
// point in the mounts table, mounted from the same device, and the mount
// point on the same volume. A stick pulled (or unmounted) after the list
// was made leaves its mount point as a bare directory of the system disk,
// where a copy would succeed and export nothing. With `drives`: its drive
// letter still removable with a readable medium, of the same volume (a stick
// swapped for another gets the same letter). The hard disk is always there.
bool carrierStillThere(const ExportTarget& target, const MediaSources& sources);

// The hard-disk item, last in every list.
ExportTarget hardDiskTarget(const std::string& programDir, char separator = '/');

// One line of the mounts table.
struct MountEntry {
    std::string device;
    std::string mountPoint;
    bool readOnly = false;
};

// The table in the form of /proc/self/mounts (blanks in names escaped as
// "\040"); lines that do not parse are skipped.
std::vector<MountEntry> parseMounts(const std::string& text);
// The mounts table of `sources` as it is now; empty when it cannot be read.
std::vector<MountEntry> currentMounts(const MediaSources& sources);

// Whether the block device `device` ("/dev/sdb1") lies on a removable disk
// as sysfs under `sysRoot` describes it; false for a device sysfs does not know.
bool isRemovableDevice(const std::string& sysRoot, const std::string& device);

// The removable drive `mountPoint` ("E:") among the drives of `sources` as
// they are now; nothing without drives or when the letter is not listed.
std::optional<DriveEntry> currentDrive(const MediaSources& sources, const std::string& mountPoint);

// Whether sysfs under `sysRoot` still knows the block device.
bool blockDeviceExists(const std::string& sysRoot, const std::string& device);

}  // namespace talmorek::media
