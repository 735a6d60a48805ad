#pragma once
// "Bezpečně odebrat USB disk": the carrier that was just written is
// unmounted and powered off, so the commission can pull it out without
// losing the file. The result is checked on the machine, not assumed from
// the command's exit code: only a device that is no longer mounted and no
// longer known to the system has been removed.

#include <chrono>
#include <functional>
#include <string>

#include "core/media/export_targets.h"

namespace talmorek::media {

struct RemovalCommand {
    // The program run as "<program> unmount -b DEV", then
    // "<program> power-off -b DEV"; tests put a small script here.
    std::string program = "udisksctl";
    // The bound of both runs together.
    std::chrono::milliseconds bound{15000};
};

// Unmounts and powers off the carrier `target` (a removable item of the
// list), calling `tick` while it waits. True when afterwards its device is
// mounted nowhere and sysfs under `sources` no longer knows it.
bool removeSafely(const ExportTarget& target, const MediaSources& sources, const RemovalCommand& command = {},
                  const std::function<void()>& tick = {});

}  // namespace talmorek::media
