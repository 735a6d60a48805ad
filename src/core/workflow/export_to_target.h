#pragma once
// "Uložit" of the export target dialog: the station's "O" precinct data
// file copied, proven, to the chosen target, and what the information
// dialog then tells the commission: where the file is, what to hand over
// with it, and the file's fingerprint for the receiving point.

#include <string>

#include "core/data/directories.h"
#include "core/data/file_system.h"
#include "core/data/station.h"
#include "core/media/export_targets.h"

namespace talmorek::workflow {

struct ExportReport {
    std::string heading;
    std::string body;  // "\r" line breaks
    std::string fingerprint;
};

// The heading and body after the file `fileName` went to `target`.
ExportReport exportReport(const media::ExportTarget& target, const std::string& fileName,
                          const std::string& programDir, const std::string& fingerprint);

// Copies the "O" file from the data directory to `target`. Raises
// media::ExportError when the copy cannot be proven, and when a carrier is
// not mounted as it was listed, checked before the copy and again before
// the export is reported done (a copy that went to the bare mount point
// of a pulled stick is removed from the system disk).
ExportReport exportToTarget(const media::ExportTarget& target, const data::Directories& dirs,
                            const data::TStanice& station, const media::MediaSources& sources,
                            data::FileSystem& fs = data::systemFileSystem());

// What the user reads after "Bezpečně odebrat USB disk".
std::string removalMessage(bool removed, const media::ExportTarget& target);

}  // namespace talmorek::workflow
