#pragma once
// The print jobs of the main menu on the Qt print backend: each document is
// drawn by its layout into the print document of the printing service and
// shown in the preview window, from which it is printed on the printer
// chosen with "Výběr tiskárny".
//
// A failure of the data a job prints from (a register field that is not a
// number) is the command's: it goes back to the command, which tells it
// under its own title. A failure of the printing platform (a missing font, a
// printer that refuses) is told here through the command's `Prompts`, under
// the job's title, and the command goes on.
#include <memory>

#include "core/workflow/print_jobs.h"
#include "core/workflow/prompts.h"

class QWidget;

namespace talmorek::gui {

class PrintingService;

class QtPrintJobs : public workflow::PrintJobs {
public:
    // `owner` parents the preview and the printer dialog; `prompts` is where
    // the commands tell the user of failures.
    QtPrintJobs(QWidget* owner, workflow::Prompts& prompts);
    ~QtPrintJobs() override;

    void protocolOfChecks(const checks::TChybProt& chyby, const record::TT4& t4, const data::TStanice& station,
                          bool sDiakritikou, const data::LocalDateTime& now) override;
    void tallySheet(const data::PartyList& parties, const data::CandidateTable& candidates,
                    const data::TStanice& station, bool sDiakritikou, const data::LocalDateTime& now) override;
    void testPage(const data::TStanice& station, bool sDiakritikou, const data::LocalDateTime& now) override;
    void selectPrinter() override;
    void recordOfVote(const workflow::RecordPrintRequest& request) override;

    // One service for the whole run, made at the first job: the printer
    // chosen once serves every later job.
    PrintingService& service();

private:
    // Draws with `draw`, then shows the preview; a failure of the printing
    // platform is told under `title`.
    template <typename Draw>
    void run(const char* title, const data::TStanice& station, Draw&& draw);

    // Tells a failure of the printing platform under `title`.
    void reportFailure(const std::exception& failure, const char* title);

    QWidget* owner_;
    workflow::Prompts& prompts_;
    std::unique_ptr<PrintingService> service_;
};

}  // namespace talmorek::gui
