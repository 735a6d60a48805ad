#pragma once
// The carriers of a Windows machine: the drive letters whose drive type is
// removable, each with the size and free space of its medium. The program
// runs on Linux; the rule stays a pure function over the drive entries so
// that a Windows build lists exactly what the commissions there know.

#include <cstdint>
#include <string>
#include <vector>

#include "core/media/export_targets.h"

namespace talmorek::media {

// One removable drive, as the system reports it.
struct DriveEntry {
    char Pismeno = 'A';              // "A".."Z"
    std::int64_t Kapacita = -1;      // total bytes; -1 when no medium can be read
    std::int64_t Volno = -1;         // free bytes; -1 when no medium can be read
};

// The drives worth offering, in alphabetical order, as "E - vyjímatelné
// zařízení", then the hard-disk item. Drive A is the diskette drive: it is
// offered only with a diskette in it (0 < Kapacita < 1500000 and Volno > 0);
// any other drive whenever its medium can be read. The first listed drive
// other than A is selected, else item 0.
TargetList windowsTargets(std::vector<DriveEntry> drives, const std::string& programDir);

}  // namespace talmorek::media
