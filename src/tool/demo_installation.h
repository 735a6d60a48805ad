#pragma once
// A complete installation for trying the program out: registers with real
// municipality codes, invented parties and candidates, the catalogue of
// check messages, and empty working files.

#include <string>

#include "tool/office_files.h"

namespace talmorek::tool {

struct DemoStation {
    std::string directoryName;  // under data/ in a multi-station installation
    std::string kodObce;
    int cisloOkrsku;
};

// The set of files an election office would distribute for the demo:
// the registers, the catalogue and the station record(s) below.
OfficeFiles demoOfficeFiles(bool multiStation);

// Lays that set out in `dir` (created when missing) as `install-station`
// lays out an office's set. Single-station: STANICE.RCD for Kladno,
// precinct 1, beside the registers. Multi-station: no STANICE.RCD beside the
// registers; data/OK1 (Kladno 1), data/OK7 (Praha 7) and data/ZO90 (the
// special precinct Washington, 999997/90).
void writeDemoInstallation(const std::string& dir, bool multiStation);

}  // namespace talmorek::tool
