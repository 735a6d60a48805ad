#include "gui/shell/qt_print_jobs.h"

#include "gui/print/printing_service.h"
#include "render/print_errors.h"
#include "core/workflow/station_display.h"
#include "core/data/errors.h"
#include "core/print/print_state.h"
#include "core/print/protocol_layout.h"
#include "core/print/record_document.h"
#include "core/print/tally_layout.h"
#include "core/print/test_page_layout.h"

namespace talmorek::gui {

QtPrintJobs::QtPrintJobs(QWidget* owner, workflow::Prompts& prompts) : owner_(owner), prompts_(prompts) {}
QtPrintJobs::~QtPrintJobs() = default;

PrintingService& QtPrintJobs::service() {
    if (!service_) service_ = std::make_unique<PrintingService>();
    return *service_;
}

template <typename Draw>
void QtPrintJobs::run(const char* title, const data::TStanice& station, Draw&& draw) {
    try {
        PrintingService& printing = service();
        print::PrintContext ctx(printing.preview(), printing.measure(), station);
        draw(ctx, printing);
        printing.showPreview(owner_);
    } catch (const data::DataError&) {
        throw;  // the data's failure is the command's, told with its title
    } catch (const std::exception& e) {
        reportFailure(e, title);
    }
}

void QtPrintJobs::reportFailure(const std::exception& failure, const char* title) {
    prompts_.failure(render::printFailureMessage(failure), title);
}

void QtPrintJobs::protocolOfChecks(const checks::TChybProt& chyby, const record::TT4& t4,
                                   const data::TStanice& station, bool sDiakritikou,
                                   const data::LocalDateTime& now) {
    run("Protokol o kontrolách", station, [&](print::PrintContext& ctx, PrintingService&) {
        print::TiskProtokolu(ctx, chyby, t4, now, sDiakritikou);
    });
}

void QtPrintJobs::tallySheet(const data::PartyList& parties, const data::CandidateTable& candidates,
                             const data::TStanice& station, bool sDiakritikou, const data::LocalDateTime& now) {
    run("Sčítací arch", station, [&](print::PrintContext& ctx, PrintingService&) {
        print::TiskScitacihoArchu(ctx, parties, candidates, now, sDiakritikou);
    });
}

void QtPrintJobs::testPage(const data::TStanice& station, bool sDiakritikou, const data::LocalDateTime& now) {
    run("Zkušební tisk", station, [&](print::PrintContext& ctx, PrintingService& printing) {
        const print::TestPageFacts facts = printing.testPageFacts(workflow::electionDatesText(station));
        print::printTestPage(ctx, facts, now, sDiakritikou);
    });
}

void QtPrintJobs::selectPrinter() {
    try {
        service().choosePrinter(owner_);
    } catch (const std::exception& e) {
        reportFailure(e, "Výběr tiskárny");
    }
}

void QtPrintJobs::recordOfVote(const workflow::RecordPrintRequest& request) {
    run("Tisk zápisu", *request.station, [&](print::PrintContext& ctx, PrintingService&) {
        const print::RecordJob job = print::makeRecordJob(*request.record, *request.registers, *request.station,
                                                          request.chyby, request.sDiakritikou, request.now);
        const print::KopieZapisu kopie = print::TiskZapisu(ctx, job, request.pocetKopii, request.now);
        // Told before the preview opens: the commission knows which copies
        // are missing and prints them from the preview.
        if (kopie.selhani) {
            try {
                std::rethrow_exception(kopie.selhani);
            } catch (const std::exception& e) {
                prompts_.failure(render::recordCopiesFailureMessage(e, kopie.vytisteno, kopie.pozadovano),
                                 "Tisk zápisu");
            }
        }
    });
}

}  // namespace talmorek::gui
