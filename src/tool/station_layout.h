#pragma once
// Lays out a station installation from the office's set of files: the
// program directory with the registers and the catalogue, data/ (or one
// data/<name>/ per station of a multi-station installation), Export/, the
// program as `talmorek` in the program directory, and for every station a
// desktop entry that starts the program there (with the station's name as
// its one argument in a multi-station installation).
//
// The program takes the directory it was started from as its installation,
// so a station links the installed program instead of copying it: an update
// of the package reaches every station.

#include <optional>
#include <string>
#include <vector>

#include "tool/office_files.h"

namespace talmorek::tool {

struct StationLayoutOptions {
    // The installed program the stations start; empty: no link and no
    // desktop entries (a demo that copies the program in itself).
    std::string program;
    // Where the desktop entries also go so that the desktop's menu lists
    // them (~/.local/share/applications); empty: only into the station.
    std::string menuDirectory;
};

struct LaidOutStation {
    std::string directoryName;  // empty in a single-station installation
    std::string stationDir;
    std::string kodObce, nazevObce;
    int cisloOkrsku = 0;
    std::string launcher;   // the desktop entry in the station; empty without a program
    std::string menuEntry;  // its copy in the desktop's menu; empty when not asked for
};

struct StationLayout {
    std::string dir;
    std::string programLink;  // empty when no program was given
    std::vector<LaidOutStation> stations;
};

// What shows that `dir` holds a commission's work: a precinct data file,
// a journal of unsaved typing, a course of voting or a commission typed, a
// station record marked saved or exported, an export on the hard disk.
// Nothing when `dir` is empty, missing or holds only the office's files.
std::optional<std::string> commissionWorkIn(const std::string& dir);

// Raises OfficeFilesError when `dir` holds a commission's work (nothing is
// written then), data::DataError or std::filesystem::filesystem_error when
// a file cannot be written. Registers and station records are replaced
// atomically, so a layout cut short leaves each file whole.
StationLayout layOutStation(const OfficeFiles& files, const std::string& dir, const StationLayoutOptions& options);

// The text of a desktop entry starting `program` in a station; `argument`
// is the station directory name of a multi-station installation.
std::string stationDesktopEntry(const std::string& program, const std::string& argument, const std::string& name,
                                const std::string& workingDirectory);

}  // namespace talmorek::tool
