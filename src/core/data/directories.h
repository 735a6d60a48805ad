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
