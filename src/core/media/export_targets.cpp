#include "core/media/export_targets.h"

#include <filesystem>
#include <set>
#include <sstream>

#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/media/target_directory.h"
#include "core/media/windows_drives.h"

namespace talmorek::media {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRemovableSuffix = " - vyjímatelné zařízení";

// The mounts table or a sysfs flag, read as every file of the program is;
// nothing when it cannot be read. Both report a size of 0: the reader reads
// to the end, never by the size.
std::optional<std::string> readText(const fs::path& path) {
    try {
        return data::readWholeFile(path.string());
    } catch (const data::IoError&) {
        return std::nullopt;
    }
}

// "\040" and the other octal escapes of the mounts table.
std::string unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

// The sysfs node of the device's own block device ("sdb1"): the name of
// the device node, after following a /dev/disk/by-… link where there is one.
fs::path blockNode(const std::string& sysRoot, const std::string& device) {
    std::error_code ec;
    fs::path dev = fs::canonical(device, ec);
    if (ec) dev = device;
    return fs::path(sysRoot) / "class" / "block" / dev.filename();
}

}  // namespace

std::vector<MountEntry> parseMounts(const std::string& text) {
    std::vector<MountEntry> mounts;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type, options;
        if (!(fields >> device >> mountPoint >> type >> options)) continue;
        MountEntry entry;
        entry.device = unescape(device);
        entry.mountPoint = unescape(mountPoint);
        std::istringstream opts(options);
        std::string opt;
        while (std::getline(opts, opt, ',')) {
            if (opt == "ro") entry.readOnly = true;
        }
        mounts.push_back(std::move(entry));
    }
    return mounts;
}

bool blockDeviceExists(const std::string& sysRoot, const std::string& device) {
    std::error_code ec;
    return fs::exists(blockNode(sysRoot, device), ec);
}

bool isRemovableDevice(const std::string& sysRoot, const std::string& device) {
    std::error_code ec;
    fs::path node = fs::canonical(blockNode(sysRoot, device), ec);
    if (ec) return false;
    // A partition's node lies inside its disk's node; the flag is the disk's.
    const fs::path disk = fs::exists(node / "partition", ec) ? node.parent_path() : node;
    if (const auto flag = readText(disk / "removable"); flag && flag->substr(0, 1) == "1") return true;
    for (const auto& part : disk) {
        const std::string name = part.string();
        if (name.rfind("usb", 0) == 0) return true;
    }
    return false;
}

ExportTarget hardDiskTarget(const std::string& programDir, char separator) {
    ExportTarget target;
    target.text = "do adresáře " + programDir + "Export ";
    target.directory = programDir + "Export" + separator;
    target.place = programDir + "Export";
    return target;
}

TargetList listExportTargets(const MediaSources& sources, const std::string& programDir) {
    if (sources.drives) {
        TargetList list = windowsTargets(sources.drives(), programDir);
        for (ExportTarget& target : list.items) {
            if (target.removable && sources.volumeOf) target.volume = sources.volumeOf(target.mountPoint);
        }
        return list;
    }
    TargetList list;
    const auto table = readText(sources.mountsFile);
    std::set<std::string> seen;
    for (const MountEntry& mount : parseMounts(table.value_or(""))) {
        if (mount.readOnly || mount.device.rfind("/dev/", 0) != 0) continue;
        if (!seen.insert(mount.mountPoint).second) continue;
        if (!isRemovableDevice(sources.sysRoot, mount.device)) continue;
        const std::optional<VolumeSpace> space = sources.space ? sources.space(mount.mountPoint) : std::nullopt;
        if (!space || space->total == 0) continue;  // no medium in the reader
        ExportTarget target;
        target.removable = true;
        target.text = mount.mountPoint + kRemovableSuffix;
        target.mountPoint = mount.mountPoint;
        target.place = mount.mountPoint;
        target.directory = withoutTrailingSeparator(mount.mountPoint, '/') + "/";
        if (target.directory == "//") target.directory = "/";
        target.device = mount.device;
        if (sources.volumeOf) target.volume = sources.volumeOf(mount.mountPoint);
        list.items.push_back(std::move(target));
    }
    list.items.push_back(hardDiskTarget(programDir));
    list.selected = 0;  // the first carrier, or the hard disk when there is none
    return list;
}

std::vector<MountEntry> currentMounts(const MediaSources& sources) {
    return parseMounts(readText(sources.mountsFile).value_or(""));
}

std::optional<DriveEntry> currentDrive(const MediaSources& sources, const std::string& mountPoint) {
    if (!sources.drives) return std::nullopt;
    for (const DriveEntry& drive : sources.drives()) {
        if (std::string(1, drive.Pismeno) + ":" == mountPoint) return drive;
    }
    return std::nullopt;
}

bool carrierStillThere(const ExportTarget& target, const MediaSources& sources) {
    if (!target.removable) return true;
    bool mounted = false;
    if (sources.drives) {
        const std::optional<DriveEntry> drive = currentDrive(sources, target.mountPoint);
        mounted = drive && drive->Kapacita != -1;
    } else {
        for (const MountEntry& mount : currentMounts(sources)) {
            if (mount.mountPoint == target.mountPoint && mount.device == target.device) mounted = true;
        }
    }
    if (!mounted) return false;
    if (!target.volume || !sources.volumeOf) return true;
    return sources.volumeOf(target.mountPoint) == target.volume;
}

}  // namespace talmorek::media
