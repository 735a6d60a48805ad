// The check command (F3) and cancelling the entered data.
#include "core/workflow/workflow.h"

#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/export/data_file.h"

namespace talmorek::workflow {
namespace {
using exporting::DataLetter;

constexpr const char* kCheckTitle = "Kontrola dat";
constexpr const char* kCancelTitle = "Rušení dat";
}  // namespace

void Workflow::Kontroly_MIClick() {
    if (!ensureStarted(kCheckTitle)) return;
    try {
        // Checking exported data again makes their export void: the
        // commission must export and print once more. A hasty Enter leaves
        // the export standing.
        if (station_.Stav == "A" &&
            !prompts_.questionDefaultNo("Data okrsku byla již vyexportována.\rV případě opakovaných kontrol budete "
                                        "muset zopakovat export dat i tisk zápisu.\rChcete opravdu znovu zkontrolovat "
                                        "data?",
                                        "Vstup dat za okrsek"))
            return;
        if (!hasDataFile(DataLetter::E) && !hasDataFile(DataLetter::O)) {
            state_.DataOK = false;
            prompts_.exclamation("Data nejsou pořízena!!!", kCheckTitle);
            return;
        }
        CheckedRecord checked = Kontroly(checks::Vybrano::CheckCommandOrSave);
        record::ProcDopoctiTS(checked.record, parties_, station_, sources_);
        saveByVerdict(checked);
    } catch (const std::exception& e) {
        reportFailure(e, kCheckTitle);
    }
}

// The results go under "E" when the checks found an error, else under "O",
// the file the export takes.
void Workflow::saveByVerdict(const CheckedRecord& checked) {
    exporting::saveResults(checked.record, dirs_.data, station_.KodObce, station_.CisloOkrsku,
                           checked.verdict.PriznakChyby ? DataLetter::E : DataLetter::O, files_);
}

void Workflow::ZrusitData_MIClick() {
    if (!ensureStarted(kCancelTitle)) return;
    const std::string journal = data::journalFile(dirs_.data, station_.CisloOkrsku);
    if (!hasDataFile(DataLetter::O) && !hasDataFile(DataLetter::E) && !data::fileExists(journal, files_)) {
        prompts_.information("Data nejsou pořízena!", kCancelTitle);
        return;
    }
    const bool typingWaits = data::fileExists(journal, files_);
    // What is cancelled cannot be had back: a hasty Enter keeps the data.
    if (!prompts_.questionDefaultNo(typingWaits ? "Opravdu chcete zrušit pořízená data?\rZruší se i neuložené "
                                                  "údaje z přerušeného pořizování."
                                                : "Opravdu chcete zrušit pořízená data?",
                                    kCancelTitle))
        return;
    // The precinct data go whole: both files where a save left both, and
    // the journal of what was typed after them. The course of voting, the
    // commission and the station status stay for the next entry. A deletion
    // the system refuses, or one that reports success and leaves the file,
    // is a failure alike.
    bool removed = true;
    for (const std::string& path : {dataFilePath(DataLetter::O), dataFilePath(DataLetter::E), journal}) {
        try {
            data::removeFileIfExists(path, files_);
            removed = removed && !data::fileExists(path, files_);
        } catch (const std::exception&) {
            removed = false;
        }
    }
    prompts_.information(removed ? "Data jsou zrušena." : "Data se nepovedlo zrušit!", kCancelTitle);
}

}  // namespace talmorek::workflow
