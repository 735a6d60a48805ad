#pragma once
// The processing state of the main window: what the last check run decided
// and which command is running the checks. It lives for one run of the
// program; what survives a restart is on disk (the station status letter
// `Stav` and which precinct data file, "E" or "O", exists).

#include "checks/check_run.h"

namespace talmorek::workflow {

// Who started the current step (`Vybrano`).
inline constexpr int kVybranoResting = 2;           // nothing special
inline constexpr int kVybranoExport = checks::kVybranoExport;  // 3: the export command runs the checks
inline constexpr int kVybranoExportAfterSave = 4;   // the entry window's save just checked; export does not check again
inline constexpr int kVybranoKontroly = checks::kVybranoKontroly;  // 5: the check command or the save runs the checks

struct ProcessingState {
    // The last check run found no error of the error class (passable errors
    // and warnings allowed). False at start and after a run with errors, and
    // after a run that failed on a file or a number.
    bool KontrolyOK = false;
    // Export and printing allowed; always set together with `KontrolyOK`.
    bool ExportOK = false;
    // True at the start of every check run; false when a command finds no
    // data file, or the "E" file of a precinct with errors.
    bool DataOK = false;
    int Vybrano = kVybranoResting;
    // The export target dialog completed an export (false when it opens or
    // is cancelled).
    bool ExportProveden = false;
};

// The class flags of the last check run (the verdict), kept for the
// messages the export command shows before it exports.
struct Verdict {
    bool PriznakChyby = false;
    bool PriznakPropustitelne = false;
    bool PriznakUpozorneni = false;
};

}  // namespace talmorek::workflow
