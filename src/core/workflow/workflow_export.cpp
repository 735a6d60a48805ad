// The export and print command (F4): refusals, the checks, the messages
// before export, the export target dialog and the printing of the record.
#include "core/workflow/workflow.h"

#include "core/workflow/export_messages.h"
#include "core/data/file_io.h"
#include "core/data/registers.h"

namespace talmorek::workflow {
namespace {
constexpr const char* kRefusalTitle = "Export dat";
}  // namespace

void Workflow::ExportTisk(const CheckedRecord* justChecked) {
    if (!ensureStarted(kExportTitle)) return;
    try {
        if (hasDataFile(exporting::DataLetter::E)) {
            state_.DataOK = false;
            prompts_.exclamation("Data obsahují chyby, nebo nebyly po editaci dat spuštěny kontroly!", kRefusalTitle);
            return;
        }
        if (!hasDataFile(exporting::DataLetter::O)) {
            state_.DataOK = false;
            prompts_.exclamation("Data nejsou pořízena!", kRefusalTitle);
            return;
        }
        // Typing that the program lost on its way to the data files waits in
        // the entry window's journal: exporting and printing now would hand
        // over a record without it.
        if (!justChecked && data::fileExists(data::journalFile(dirs_.data, station_.CisloOkrsku), files_) &&
            !prompts_.questionDefaultNo(
                "Pořizování dat bylo neočekávaně přerušeno a neuložené údaje čekají na obnovení (Pořízení a "
                "oprava dat, F2).\rExport a tisk by obsahovaly jen uložená data.\rChcete přesto pokračovat?",
                kExportTitle))
            return;
        state_.ExportProveden = false;
        // Right after the entry window's save the checks have just run on
        // the same data; otherwise (and always after a restart) they run
        // again, without the protocol printout and without rewriting the file.
        const CheckedRecord checked = justChecked ? *justChecked : Kontroly(checks::Vybrano::ExportCommand);
        if (!state_.DataOK) return;
        if (!state_.ExportOK && !state_.KontrolyOK) {
            prompts_.exclamation("CHYBY V DATECH.\r\rNELZE VYTVOŘIT EXPORT DAT ANI VYTISKNOUT ZÁPIS!!!", kExportTitle);
            return;
        }
        const std::string message = exportVerdictMessage(checked.verdict, data::isSpecialPrecinct(station_));
        if (!message.empty()) prompts_.information(message, kExportTitle);
        prompts_.infoDialog(kExportTitle, "TISK ZÁPISU I EXPORT DAT POVOLEN.",
                            "Pro export na USB disk\rvložte (zapojte) technický nosič,\rna který chcete data "
                            "exportovat.\r\rPokud žádný nevložíte,\rbude umožněn jen export dat na pevný disk.");
        exportAndPrint(checked);
    } catch (const std::exception& e) {
        reportFailure(e, kExportTitle);
    }
}

void Workflow::exportAndPrint(const CheckedRecord& checked) {
    state_.ExportProveden = false;
    state_.ExportProveden = exportDialogs_.exportTarget(dirs_, station_);
    if (!state_.ExportProveden) return;
    // "A" tells every later command that the data left the station: editing
    // or checking them again means exporting and printing again.
    data::ZapisStavStanice(dirs_.station, "A", station_, files_);
    const int copies = exportDialogs_.pocetKopii();
    const data::Registers registers(dirs_.program);
    RecordPrintRequest request;
    request.record = &checked.record;
    request.chyby = protocol_.get();
    request.station = &station_;
    request.registers = &registers;
    request.pocetKopii = copies;
    request.zvlastniOkrsek = data::isSpecialPrecinct(station_);
    request.sDiakritikou = sDiakritikou_;
    request.now = now();
    printJobs_.recordOfVote(request);
}

}  // namespace talmorek::workflow
