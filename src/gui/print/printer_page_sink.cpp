#include "gui/print/printer_page_sink.h"

#include <QPrinter>
#include <algorithm>
#include <utility>

namespace talmorek::gui {

PrinterPageSink::PrinterPageSink(QPrinter& printer) : printer_(printer) {}

PrinterPageSink::~PrinterPageSink() = default;

void PrinterPageSink::startJob(const std::string& title) {
    printer_.setDocName(QString::fromStdString(title));
    printer_.setPrintRange(QPrinter::AllPages);
    passes_ = 1;
    if (!printer_.supportsMultipleCopies()) {
        passes_ = std::max(printer_.copyCount(), 1);
        printer_.setCopyCount(1);  // back to passes_ at the end of the job
    }
    kept_.clear();
    output_ = std::make_unique<PrinterOutput>(printer_);
}

void PrinterPageSink::printPage(const print::RecordedPage& page) {
    if (!output_) startJob(printer_.docName().toStdString());
    output_->addPage(page);
    if (passes_ > 1) kept_.push_back(page);
}

void PrinterPageSink::endJob() {
    if (!output_) return;
    // Whatever happens, the next job starts afresh, with the copies the
    // user chose.
    const int passes = std::exchange(passes_, 1);
    std::unique_ptr<PrinterOutput> output = std::move(output_);
    std::vector<print::RecordedPage> kept = std::move(kept_);
    kept_.clear();
    struct RestoreCopies {
        QPrinter& printer;
        int copies;
        ~RestoreCopies() {
            if (copies > 1) printer.setCopyCount(copies);
        }
    } restore{printer_, passes};
    for (int pass = 1; pass < passes; ++pass)
        for (const print::RecordedPage& page : kept) output->addPage(page);
    output->finish();
}

void PrinterPageSink::abortJob() noexcept {
    if (!output_) return;
    const int passes = std::exchange(passes_, 1);
    // Cancelled while the painter is still active, so ending it below
    // submits nothing.
    printer_.abort();
    output_.reset();
    kept_.clear();
    if (passes > 1) printer_.setCopyCount(passes);
}

}  // namespace talmorek::gui
