#include "gui/print/printer_output.h"

#include <QPrinter>
#include <algorithm>

#include "gui/print/printer_readiness.h"
#include "render/print_errors.h"

namespace talmorek::gui {

PrinterOutput::PrinterOutput(QPrinter& printer) : printer_(printer) {
    printer_.setFullPage(true);
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
        pdf_.emplace();
    } else {
        output_.emplace(printer_);
    }
}

void PrinterOutput::addPage(const print::RecordedPage& page) {
    if (pdf_) {
        pdf_->pages.push_back(page);
        return;
    }
    // Asked before the job starts: once it has, the platform tells nothing
    // of a printer that cannot take it.
    if (output_->pageCount() == 0) ensurePrinterTakesJobs(printer_);
    output_->addPage(page);
}

void PrinterOutput::finish() {
    if (pdf_) {
        // Without a page nothing was started and nothing is written.
        if (pdf_->pages.empty()) return;
        pdf_->title = printer_.docName().toStdString();
        render::writePdf(*pdf_, printer_.outputFileName());
        return;
    }
    output_->finish();
    if (printer_.printerState() == QPrinter::Error)
        throw render::PrintOutputError("Tiskárna ohlásila chybu, tisk se nepodařil.");
}

void printPages(QPrinter& printer, const print::RecordedDocument& document, int from, int to, int copies) {
    const int last = static_cast<int>(document.pages.size());
    from = std::max(from, 1);
    to = std::min(to, last);
    if (from > to) return;
    copies = std::max(copies, 1);
    // The copies asked for here are this print's only: the record's direct
    // copies after the next export must not each come out that many times.
    struct RestoreCopies {
        QPrinter& printer;
        int copies;
        ~RestoreCopies() { printer.setCopyCount(copies); }
    } restore{printer, printer.copyCount()};
    printer.setDocName(QString::fromStdString(document.title));
    // The range is ours to print; the printer is told to take every page it gets.
    printer.setPrintRange(QPrinter::AllPages);
    int passes = 1;
    if (printer.supportsMultipleCopies()) {
        printer.setCopyCount(copies);
    } else {
        printer.setCopyCount(1);
        passes = copies;
    }
    PrinterOutput output(printer);
    for (int pass = 0; pass < passes; ++pass)
        for (int n = from; n <= to; ++n) output.addPage(document.pages[static_cast<std::size_t>(n - 1)]);
    output.finish();
}

}  // namespace talmorek::gui
