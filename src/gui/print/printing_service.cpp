#include "gui/print/printing_service.h"

#include <QPrintDialog>
#include <algorithm>

#include "gui/print/printer_output.h"
#include "gui/print/preview_window.h"
#include "render/test_page_facts.h"

namespace talmorek::gui {

PrintingService::PrintingService()
    : printer_(QPrinter::HighResolution), sink_(printer_), document_(&sink_), preview_(document_) {}

PrintingService::~PrintingService() = default;

bool PrintingService::choosePrinter(QWidget* parent) {
    // A PDF printer proposes the job title as the file name.
    printer_.setDocName(QString::fromStdString(document_.PrintJobTitle()));
    QPrintDialog dialog(&printer_, parent);
    return dialog.exec() == QDialog::Accepted;
}

void PrintingService::showPreview(QWidget* parent) {
    TpreviewF window(preview_, document_, *this, parent);
    window.exec();
}

void PrintingService::print(const print::RecordedDocument& document, int from, int to, int copies) {
    printPages(printer_, document, from, to, copies);
}

std::optional<print::PrinterDialogChoice> PrintingService::printerDialog(QWidget* parent, int pageCount, int from,
                                                                         int to, int copies) {
    printer_.setDocName(QString::fromStdString(document_.PrintJobTitle()));
    printer_.setCopyCount(std::max(copies, 1));
    const bool wholeDocument = from <= 1 && to >= pageCount;
    if (!wholeDocument && from >= 1 && to >= from) {
        printer_.setFromTo(from, to);
        printer_.setPrintRange(QPrinter::PageRange);
    } else {
        printer_.setPrintRange(QPrinter::AllPages);
    }
    QPrintDialog dialog(&printer_, parent);
    dialog.setMinMax(1, std::max(pageCount, 1));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    print::PrinterDialogChoice choice;
    choice.copies = printer_.copyCount();
    if (printer_.printRange() == QPrinter::PageRange) {
        choice.fromPage = printer_.fromPage();
        choice.toPage = printer_.toPage();
    }
    return choice;
}

QString PrintingService::printerName() const {
    if (printer_.outputFormat() == QPrinter::PdfFormat) return QStringLiteral("PDF");
    return printer_.printerName();
}

print::TestPageFacts PrintingService::testPageFacts(const std::string& electionDates) const {
    return render::testPageFacts(printerName().toStdString(), electionDates);
}

}  // namespace talmorek::gui
