#include "core/media/windows_drives.h"

#include <algorithm>

namespace talmorek::media {
namespace {

constexpr std::int64_t kDisketteLimit = 1500000;

bool offered(const DriveEntry& drive) {
    if (drive.Pismeno == 'A') return drive.Kapacita > 0 && drive.Kapacita < kDisketteLimit && drive.Volno > 0;
    return drive.Kapacita != -1 && drive.Volno != -1;
}

}  // namespace

TargetList windowsTargets(std::vector<DriveEntry> drives, const std::string& programDir) {
    std::stable_sort(drives.begin(), drives.end(),
                     [](const DriveEntry& a, const DriveEntry& b) { return a.Pismeno < b.Pismeno; });
    TargetList list;
    int firstNotA = -1;
    for (const DriveEntry& drive : drives) {
        if (!offered(drive)) continue;
        const std::string letter(1, drive.Pismeno);
        ExportTarget target;
        target.removable = true;
        target.text = letter + " - vyjímatelné zařízení";
        target.directory = letter + ":\\";
        target.place = target.directory;
        target.mountPoint = letter + ":";
        target.device = letter + ":";
        if (firstNotA < 0 && drive.Pismeno != 'A') firstNotA = static_cast<int>(list.items.size());
        list.items.push_back(std::move(target));
    }
    list.items.push_back(hardDiskTarget(programDir, '\\'));
    list.selected = std::max(firstNotA, 0);
    return list;
}

}  // namespace talmorek::media
