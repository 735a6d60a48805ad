#pragma once
// The carriers of a Windows machine: the drive letters whose drive type is
// removable, each with the size and free space of its medium (DriveEntry,
// export_targets.h). The rule is a pure function over the drive entries;
// the Windows build feeds it the machine's drives (MediaSources::drives).

#include <string>
#include <vector>

#include "core/media/export_targets.h"

namespace talmorek::media {

// The drives worth offering, in alphabetical order, as "E - vyjímatelné
// zařízení", then the hard-disk item. Drive A is the diskette drive: it is
// offered only with a diskette in it (0 < Kapacita < 1500000 and Volno > 0);
// any other drive whenever its medium can be read. The first listed drive
// other than A is selected, else item 0.
TargetList windowsTargets(std::vector<DriveEntry> drives, const std::string& programDir);

}  // namespace talmorek::media
