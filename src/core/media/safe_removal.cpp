#include "core/media/safe_removal.h"

#include "core/media/bounded_process.h"

namespace talmorek::media {
namespace {

bool stillMounted(const MediaSources& sources, const ExportTarget& target) {
    if (sources.drives) return currentDrive(sources, target.mountPoint).has_value();
    for (const MountEntry& mount : currentMounts(sources)) {
        if (mount.device == target.device || mount.mountPoint == target.mountPoint) return true;
    }
    return false;
}

}  // namespace

bool removeSafely(const ExportTarget& target, const MediaSources& sources, const RemovalCommand& command,
                  const std::function<void()>& tick) {
    if (!target.removable || target.device.empty()) return false;
    const auto deadline = std::chrono::steady_clock::now() + command.bound;
    const ProcessOutcome unmounted = runBounded({command.program, "unmount", "-b", target.device}, deadline, tick);
    if (unmounted.kind == ProcessOutcome::Kind::Exited && unmounted.exitCode == 0) {
        runBounded({command.program, "power-off", "-b", target.device}, deadline, tick);
    }
    // Whatever the commands answered, the machine says whether it is gone
    // (a drive letter goes with its device).
    if (stillMounted(sources, target)) return false;
    return sources.drives || !blockDeviceExists(sources.sysRoot, target.device);
}

}  // namespace talmorek::media
