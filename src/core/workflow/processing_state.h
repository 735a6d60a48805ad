#pragma once
// The processing state of the main window: what the last check run
// decided. It lives for one run of the program; what survives a restart is
// on disk (the station status letter `Stav` and which precinct data file,
// "E" or "O", exists). Which command runs the checks is no state: it is the
// argument of the run (`Workflow::Kontroly`).

namespace talmorek::workflow {

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
    // The export target dialog completed an export (false when it opens or
    // is cancelled).
    bool ExportProveden = false;
};

}  // namespace talmorek::workflow
