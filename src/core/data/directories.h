#pragma once
// The three directories the program works in, fixed once at start-up.
//
// A single-station installation keeps STANICE.RCD beside the program; a
// multi-station installation has none there and is started with one argument,
// the name of the station's own directory under "data". The registers and the
// catalogue of check messages are always read from the program directory.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmorek::data {

struct Directories {
    std::string program;  // registers, CISCHYB.RCD, Export/
    std::string station;  // STANICE.RCD
    std::string data;     // HLASO.RCD, KOMISE.RCD, precinct data files
    bool multiStation = false;
};

// The directory part of the executable's path, separator kept; empty when
// the path holds no separator.
std::string programDirectoryOf(std::string_view executablePath, char separator);

// The path the program was started by, which names its installation: a
// station links the installed program into its own directory, and the link,
// not the file it points to, is where the station's files are. `argv0` as
// the program received it; a relative one is taken from `workingDir` (the
// working directory at start). Without a separator it was found on the
// search path, which says nothing of a station: `resolved` (the file the
// system ran) stands. Text only: no link is followed, and only the systems
// whose programs are started through links (separator '/') ask this.
std::string startedExecutablePath(std::string_view argv0, std::string_view workingDir, std::string_view resolved);

// Chooses the directories by the start-up rule. `hasStationFile` tells
// whether the program directory holds STANICE.RCD (in any letter case).
// Returns nothing when the program must refuse to start: no station file
// beside it and not exactly one argument.
std::optional<Directories> chooseDirectories(std::string_view executablePath,
                                             const std::vector<std::string>& arguments,
                                             const std::function<bool(const std::string&)>& hasStationFile,
                                             char separator = '/');

// `dir` + `name`, matching an existing file whose name differs only in letter
// case (installations write upper-case names; Windows ignores the case, and so
// do we). Without a match, the name as given.
std::string resolveFile(const std::string& dir, std::string_view name);

// True when `dir` holds a regular file named `name` in any letter case.
bool hasFileIgnoringCase(const std::string& dir, std::string_view name);

}  // namespace talmorek::data
