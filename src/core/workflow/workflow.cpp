// The main window's state and the check procedure that the check command,
// the export command and the entry window's save share.
#include "core/workflow/workflow.h"

#include "core/workflow/error_messages.h"
#include "core/workflow/saved_record.h"
#include "core/workflow/station_display.h"
#include "core/checks/check_run.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/export/data_file.h"

namespace talmorek::workflow {

Workflow::Workflow(data::Directories dirs, Prompts& prompts, PrintJobs& printJobs, ExportDialogs& exportDialogs,
                   record::RecomputeSources sources, data::FileSystem& files)
    : dirs_(std::move(dirs)),
      prompts_(prompts),
      printJobs_(printJobs),
      exportDialogs_(exportDialogs),
      sources_(std::move(sources)),
      files_(files) {}

Workflow::~Workflow() = default;

void Workflow::loadStationAndCatalogue() {
    station_ = data::NactiStanici(dirs_.station, files_);
    sDiakritikou_ = true;
    state_.KontrolyOK = false;
    state_.ExportOK = false;
    // The protocol refers to the catalogue for its texts; both live until
    // the program ends.
    protocol_.reset();
    catalogue_ = std::make_unique<checks::TCisChyb>(dirs_.program);
    protocol_ = std::make_unique<checks::TChybProt>(*catalogue_);
}

bool Workflow::start() { return ensureStarted("Spuštění aplikace"); }

bool Workflow::ensureStarted(const std::string& title) {
    if (started()) return true;
    try {
        loadStationAndCatalogue();
        return true;
    } catch (const std::exception& e) {
        reportFailure(e, title);
        return false;
    }
}

void Workflow::reportFailure(const std::exception& e, const std::string& title) {
    prompts_.failure(czechMessage(e), title);
}

bool Workflow::bezHackuEnabled() const { return started() && workflow::bezHackuEnabled(station_); }

std::string Workflow::dataFilePath(exporting::DataLetter letter) const {
    return exporting::dataFilePath(dirs_.data, letter, station_.KodObce, station_.CisloOkrsku);
}

bool Workflow::hasDataFile(exporting::DataLetter letter) const { return data::fileExists(dataFilePath(letter), files_); }

CheckedRecord Workflow::Kontroly(checks::Vybrano vybrano) {
    if (!started()) loadStationAndCatalogue();
    state_.DataOK = true;
    CheckedRecord checked;
    try {
        checked = runChecks(vybrano);
    } catch (...) {
        // A run that did not finish gives no permission to export or print.
        state_.KontrolyOK = false;
        state_.ExportOK = false;
        throw;
    }
    if (vybrano == checks::Vybrano::CheckCommandOrSave)
        printJobs_.protocolOfChecks(*protocol_, checked.record.T4, station_, sDiakritikou_, now());
    return checked;
}

CheckedRecord Workflow::runChecks(checks::Vybrano vybrano) {
    // The record is rebuilt from what is on disk, so the checks judge
    // exactly what would be exported.
    CheckedRecord checked;
    loadResultsBlock(dirs_, station_, checked.record, files_);
    loadCourseAndCommission(dirs_, checked.record, files_);
    const data::Registers registers(dirs_.program);
    parties_ = registers.NactiStrany();
    checked.verdict = checks::ProvedKontroly(checked.record, registers, parties_, station_.KodObce, *protocol_,
                                             vybrano, courseOfVotingFile(dirs_));
    data::ZapisStavStanice(dirs_.station, "N", station_, files_);
    state_.KontrolyOK = !checked.verdict.PriznakChyby;
    state_.ExportOK = state_.KontrolyOK;
    return checked;
}

bool Workflow::PorizeniDat_MIClick() {
    if (!ensureStarted("Vstup dat za okrsek")) return false;
    // Reopening exported data voids their export; a hasty Enter leaves the
    // export standing.
    if (station_.Stav == "A" &&
        !prompts_.questionDefaultNo("Data okrsku byla již vyexportována.\rV případě znovuotevření dat budete "
                                    "muset zopakovat export dat i tisk zápisu.\rChcete opravdu znovu upravovat "
                                    "data?",
                                    "Vstup dat za okrsek"))
        return false;
    return true;
}

void Workflow::ZapisStavStanice(std::string_view letter) {
    data::ZapisStavStanice(dirs_.station, letter, station_, files_);
}

void Workflow::saveEntered(const record::RecordOfVote& record, exporting::DataLetter letter,
                           const std::optional<data::SeznamKomise>& commission) {
    saveEnteredRecord(dirs_, station_, record, letter, commission, files_);
}

bool Workflow::confirmClose() { return prompts_.question("Opravdu ukončit program?", "Ukončení programu"); }

}  // namespace talmorek::workflow
