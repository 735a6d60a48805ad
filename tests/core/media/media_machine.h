#pragma once
// A machine's removable media as a small directory tree: the sysfs nodes of
// its disks and partitions, its table of mounts, and the size of each
// mounted volume. Tests plug in sticks and card readers, fill them up or
// mount them read-only, without any real device.

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/media/export_targets.h"
#include "support/temp_dir.h"

namespace talmorek::testing {

class MediaMachine {
public:
    enum class Bus { Sata, Usb };

    MediaMachine() { write("proc/mounts", ""); }

    // A disk with its `removable` flag on the bus, and its partitions
    // ("sdb1"); its node is where sysfs keeps it, reached through
    // class/block as on a real system.
    void addDisk(const std::string& disk, bool removableFlag, Bus bus, const std::vector<std::string>& partitions) {
        namespace fs = std::filesystem;
        const std::string parent = bus == Bus::Usb ? "devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/"
                                                     "target6:0:0/6:0:0:0/block/"
                                                   : "devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/"
                                                     "0:0:0:0/block/";
        const std::string node = parent + disk;
        write(node + "/removable", removableFlag ? "1\n" : "0\n");
        link(disk, node);
        for (const std::string& partition : partitions) {
            write(node + "/" + partition + "/partition", "1\n");
            link(partition, node + "/" + partition);
        }
    }

    // Mounts `device` at `mountPoint`; `space` nothing when its medium cannot be read.
    void mount(const std::string& device, const std::string& mountPoint, std::optional<media::VolumeSpace> space,
               const std::string& options = "rw,nosuid,nodev") {
        mounts_ += device + " " + escaped(mountPoint) + " vfat " + options + " 0 0\n";
        write("proc/mounts", mounts_);
        (*space_)[mountPoint] = space;
        (*volume_)[mountPoint] = nextVolume_++;
    }

    // The volume is unmounted (the stick pulled, or ejected elsewhere): its
    // line leaves the mounts table, and its mount point is a bare directory
    // of the system disk again.
    void unmount(const std::string& mountPoint) {
        std::string kept;
        std::istringstream lines(mounts_);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string device, point;
            fields >> device >> point;
            if (point != escaped(mountPoint)) kept += line + "\n";
        }
        mounts_ = kept;
        write("proc/mounts", mounts_);
        (*volume_)[mountPoint] = kSystemDisk;
    }

    // The same line mounted anew from another stick at the same place: the
    // table looks the same, the volume is another.
    void remountOtherVolume(const std::string& mountPoint) { (*volume_)[mountPoint] = nextVolume_++; }

    // The stick is gone: unmounted and its nodes removed.
    void unplug(const std::string& disk) {
        std::filesystem::remove_all(dir_.path() + "sys/devices");
        std::filesystem::remove_all(dir_.path() + "sys/class/block/" + disk);
        mounts_.clear();
        write("proc/mounts", mounts_);
    }

    media::MediaSources sources() const {
        media::MediaSources s;
        s.sysRoot = dir_.path() + "sys";
        s.mountsFile = dir_.path() + "proc/mounts";
        // The sizes as they are when asked: a stick plugged in later counts.
        s.space = [space = space_](const std::string& mountPoint) -> std::optional<media::VolumeSpace> {
            auto found = space->find(mountPoint);
            return found == space->end() ? std::nullopt : found->second;
        };
        s.volumeOf = [volume = volume_](const std::string& directory) -> std::optional<std::uint64_t> {
            auto found = volume->find(directory);
            return found == volume->end() ? kSystemDisk : found->second;
        };
        return s;
    }

    const TempDir& dir() const { return dir_; }

private:
    static std::string escaped(const std::string& path) {
        std::string out;
        for (char c : path) out += c == ' ' ? std::string("\\040") : std::string(1, c);
        return out;
    }

    void write(const std::string& relative, const std::string& text) const {
        const std::filesystem::path target =
            dir_.path() + (relative.rfind("proc/", 0) == 0 ? relative : "sys/" + relative);
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << text;
    }

    void link(const std::string& name, const std::string& node) const {
        std::filesystem::create_directories(dir_.path() + "sys/class/block");
        std::filesystem::create_directory_symlink("../../" + node, dir_.path() + "sys/class/block/" + name);
    }

    static constexpr std::uint64_t kSystemDisk = 1;

    TempDir dir_;
    std::string mounts_;
    std::uint64_t nextVolume_ = 100;
    std::shared_ptr<std::map<std::string, std::uint64_t>> volume_ =
        std::make_shared<std::map<std::string, std::uint64_t>>();
    std::shared_ptr<std::map<std::string, std::optional<media::VolumeSpace>>> space_ =
        std::make_shared<std::map<std::string, std::optional<media::VolumeSpace>>>();
};

inline media::VolumeSpace spaceOf(std::uint64_t total, std::uint64_t free) { return {total, free}; }

}  // namespace talmorek::testing
