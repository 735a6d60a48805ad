#pragma once
// The commands of the main menu without the window: the check procedure
// `Kontroly` that three commands share, and every command that works on the
// station's data — checks (F3), export and print (F4), the tally sheet,
// cancelling the data, the printer, "bez háčků" and the test print.
//
// The main window holds one Workflow for the whole run and calls one method
// per menu item. Every question and message goes through `Prompts`, every
// print job through `PrintJobs`, the export dialogs through `ExportDialogs`;
// the program answers them with modal windows, tests from a script. The
// station record, the working files and the precinct data files are read,
// written and deleted through a `data::FileSystem`, which tests replace with
// one that injects faults. The clock of `sources` dates both the summary
// record of a save and every print job the workflow starts.
//
// A command that fails on a file or a number (a missing or damaged station
// record, catalogue, register, working file or precinct data file) ends at
// that point with `Prompts::failure` and returns; the program goes on. No
// command deletes or overwrites saved data before its replacement is safely
// on disk.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/workflow/export_dialogs.h"
#include "core/workflow/print_jobs.h"
#include "core/workflow/processing_state.h"
#include "core/workflow/prompts.h"
#include "core/checks/catalogue.h"
#include "core/checks/check_run.h"
#include "core/checks/protocol.h"
#include "core/data/directories.h"
#include "core/data/file_system.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "core/record/recompute.h"
#include "core/record/record_of_vote.h"
#include "core/export/data_file.h"

namespace talmorek::workflow {

// What the check procedure `Kontroly` judged: the record as loaded from the
// station's files, marked by the findings, and the verdict. The caller
// decides what becomes of it (saved by the verdict, exported, printed); the
// record being typed in the entry window is not touched.
struct CheckedRecord {
    record::RecordOfVote record;
    checks::Verdict verdict;
};

class Workflow {
public:
    Workflow(data::Directories dirs, Prompts& prompts, PrintJobs& printJobs, ExportDialogs& exportDialogs,
             record::RecomputeSources sources = record::systemSources(),
             data::FileSystem& files = data::systemFileSystem());
    ~Workflow();
    Workflow(const Workflow&) = delete;
    Workflow& operator=(const Workflow&) = delete;

    // The show step of the main window: reads the station record, resets
    // the processing state and the with-diacritics flag, loads the
    // catalogue of check messages and creates the error protocol over it.
    // On a failure it tells the user (title "Spuštění aplikace") and returns
    // false; the window then stays without station texts, and every command
    // tries this step again before it does anything. Once it has succeeded,
    // calling it again does nothing and returns true.
    bool start();
    bool started() const { return protocol_ != nullptr; }

    // --- Menu commands; each returns when the command has ended. ---

    // F2 "Pořízení a oprava dat": asks first when the data were exported.
    // Returns true when the entry window is to be shown.
    bool PorizeniDat_MIClick();
    // F3 "Kontroly": checks the saved data, shows the protocol of checks and
    // saves the data file as "O" (no error) or "E" (errors).
    void Kontroly_MIClick();
    // F4 "Export dat a tisk zápisu": refuses without checked data, checks
    // again, tells what the receiving point will ask about, then the export
    // target dialog; after a completed export marks the station exported and
    // prints the record.
    void ExportTisk_MIClick() { ExportTisk(nullptr); }
    // The same command right after the entry window's save, which has just
    // checked the same data: `justChecked` is what that run judged, and the
    // checks do not run again. Null: they run, without the protocol printout.
    void ExportTisk(const CheckedRecord* justChecked);
    // "Sčítací arch": the tally sheet of the registers; needs no data.
    void Scitaciarch_MIClick();
    // "Zrušení pořízených dat": deletes the one precinct data file after a question.
    void ZrusitData_MIClick();
    // "Výběr tiskárny".
    void VyberTiskarny_MIClick();
    // "bez háčků": toggles the check mark; ignored where the item is disabled.
    void BezHacku_MIClick();
    // "Zkušební tisk".
    void ZkusebniTisk_MIClick();
    // Closing the main window: true when the user confirms.
    bool confirmClose();

    // --- The check procedure, for the commands and the entry window's save. ---

    // `Kontroly`: loads the record from the data file ("O", else "E"),
    // HLASO.RCD and KOMISE.RCD into a record of its own, runs every check
    // for the command `vybrano` (who asks is the one argument of the run),
    // marks the station "N", sets `KontrolyOK`/`ExportOK` from the verdict
    // and, for the check command and the save, shows the protocol of
    // checks. Returns the record judged with its verdict. Raises
    // data::DataError (a file or a field of one that failed, named) to its
    // caller; after such a failure `KontrolyOK` and `ExportOK` are false.
    CheckedRecord Kontroly(checks::Vybrano vybrano);

    // --- State the main window and the entry window read. ---

    ProcessingState& state() { return state_; }
    const ProcessingState& state() const { return state_; }
    // The error protocol of the last check run; null before `start`.
    const checks::TChybProt* protocol() const { return protocol_.get(); }
    const data::TStanice& station() const { return station_; }
    const data::Directories& directories() const { return dirs_; }
    // The clock and random source of every recomputation of the summary record.
    const record::RecomputeSources& recomputeSources() const { return sources_; }

    // `ZapisStavStanice`: re-reads the station record, sets its status
    // letter and writes it back; the station held here follows. Raises data
    // errors to the caller.
    void ZapisStavStanice(std::string_view letter);
    // `saveEnteredRecord` for this station, through the files here.
    void saveEntered(const record::RecordOfVote& record, exporting::DataLetter letter,
                     const std::optional<data::SeznamKomise>& commission);

    // What the station's own files are read, written and deleted through.
    data::FileSystem& files() const { return files_; }
    // The clock that dates the record and the printouts.
    const std::shared_ptr<const data::Clock>& clock() const { return sources_.clock; }

    // Printing keeps Czech diacritics; false while "bez háčků" is checked.
    bool sDiakritikou() const { return sDiakritikou_; }
    bool bezHackuChecked() const { return !sDiakritikou_; }
    bool bezHackuEnabled() const;

    // Full paths of the station's precinct data files in the data directory.
    std::string dataFilePath(exporting::DataLetter letter) const;
    bool hasDataFile(exporting::DataLetter letter) const;

private:
    // Runs `start` again when it has not succeeded yet; false when it fails.
    bool ensureStarted(const std::string& title);
    void loadStationAndCatalogue();
    CheckedRecord runChecks(checks::Vybrano vybrano);
    void saveByVerdict(const CheckedRecord& checked);
    void exportAndPrint(const CheckedRecord& checked);
    // Shows a failure of the command titled `title` in Czech.
    void reportFailure(const std::exception& e, const std::string& title);
    // The moment a print job starts.
    data::LocalDateTime now() const { return sources_.clock->now(); }

    data::Directories dirs_;
    Prompts& prompts_;
    PrintJobs& printJobs_;
    ExportDialogs& exportDialogs_;
    record::RecomputeSources sources_;
    data::FileSystem& files_;

    data::TStanice station_;
    std::unique_ptr<checks::TCisChyb> catalogue_;
    std::unique_ptr<checks::TChybProt> protocol_;
    data::PartyList parties_;
    ProcessingState state_;
    bool sDiakritikou_ = true;
};

}  // namespace talmorek::workflow
