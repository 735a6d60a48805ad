#pragma once
// Direct print: the record goes to the selected printer page by page while
// it is being drawn, and nothing is kept for the preview.

#include <memory>
#include <vector>

#include "gui/print/printer_output.h"
#include "core/print/recording_document.h"

class QPrinter;

namespace talmorek::gui {

class PrinterPageSink : public print::PageSink {
public:
    explicit PrinterPageSink(QPrinter& printer);
    ~PrinterPageSink() override;

    // The job carries `title` as its document name; the copies are those set
    // in the printer dialog.
    void startJob(const std::string& title) override;
    void printPage(const print::RecordedPage& page) override;
    void endJob() override;
    void abortJob() noexcept override;

private:
    QPrinter& printer_;
    std::unique_ptr<PrinterOutput> output_;
    // A printer that does not make copies itself gets the job's pages again
    // at its end, so they are kept until then.
    int passes_ = 1;
    std::vector<print::RecordedPage> kept_;
};

}  // namespace talmorek::gui
