#pragma once
// How the tool finds an installation's files: DIR is the program directory,
// STATION the station directory name of a multi-station installation,
// chosen by exactly the rule the program applies at start-up, so the tool and
// the program always read the same files.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/data/directories.h"

namespace talmorek::tool {

// `positional` holds DIR and optionally STATION. Writes a Czech message to
// `err` and returns nothing when they do not name an installation.
std::optional<data::Directories> installationDirectories(const std::vector<std::string>& positional,
                                                         std::ostream& err);

}  // namespace talmorek::tool
