#pragma once
// The set of files an election office distributes for a station: the
// registers (OKRSKY, PSRZVO, PSRVOK, STRANY, KANDIDAT), the catalogue of
// check messages (CISCHYB) and the station record (STANICE) of each precinct
// the workstation serves. A single-station set keeps its STANICE.RCD beside
// the registers; a multi-station set keeps one per subdirectory, named as
// the station directory the program is started with (data/<name>/).

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace talmorek::tool {

struct OfficeStation {
    std::string directoryName;  // empty in a single-station set
    std::string stanice;        // the bytes of its STANICE.RCD
};

struct OfficeFiles {
    // Canonical (upper-case) file name and bytes, in the order of
    // `kOfficeRegisterNames`.
    std::vector<std::pair<std::string, std::string>> registers;
    std::vector<OfficeStation> stations;
    bool multiStation = false;
    // Where the set was read from; empty for a set made in memory.
    std::string sourceDirectory;
};

// The registers and the catalogue every set holds, by canonical name.
inline constexpr const char* kOfficeRegisterNames[] = {"OKRSKY.RCD",   "PSRZVO.RCD",   "PSRVOK.RCD",
                                                       "STRANY.RCD",   "KANDIDAT.RCD", "CISCHYB.RCD"};

// A set that is not complete, or a station of it that is not in the
// registers. `what()` is the Czech sentence for the user.
class OfficeFilesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the set from `sourceDir` (names are not case-sensitive) and checks
// it the way the program will read it: every file by its own reader, every
// record and field, and each station's precinct in the registers. Raises
// OfficeFilesError for a missing file or station, a data::DataError naming
// the file, record and field of a damaged one.
OfficeFiles readOfficeFiles(const std::string& sourceDir, bool multiStation);

// Writes the set to `dir` as the office distributes it (created when
// missing), each file replaced atomically.
void writeOfficeFiles(const OfficeFiles& files, const std::string& dir);

}  // namespace talmorek::tool
