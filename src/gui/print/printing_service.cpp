#include "gui/print/printing_service.h"

#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPushButton>
#include <QPrintDialog>
#include <algorithm>

#include "gui/platform/help.h"
#include "gui/platform/window_hints.h"
#include "gui/print/printer_output.h"
#include "gui/print/preview_window.h"
#include "render/test_page_facts.h"

namespace talmorek::gui {
namespace {

// What Qt's printer dialog may change on the printer while the user merely
// browses in it: choosing another entry of its printer list switches the
// printer at once, before anything is confirmed. Kept before the dialog
// opens and put back when it is cancelled, so that the printer the
// commission chose stays chosen.
class PrinterSettings {
public:
    explicit PrinterSettings(const QPrinter& printer)
        : format_(printer.outputFormat()),
          name_(printer.printerName()),
          file_(printer.outputFileName()),
          layout_(printer.pageLayout()),
          duplex_(printer.duplex()),
          colour_(printer.colorMode()),
          copies_(printer.copyCount()),
          collate_(printer.collateCopies()),
          range_(printer.printRange()),
          from_(printer.fromPage()),
          to_(printer.toPage()) {}

    void restore(QPrinter& printer) const {
        printer.setOutputFormat(format_);
        if (format_ == QPrinter::NativeFormat) printer.setPrinterName(name_);
        printer.setOutputFileName(file_);
        printer.setPageLayout(layout_);
        printer.setDuplex(duplex_);
        printer.setColorMode(colour_);
        printer.setCopyCount(copies_);
        printer.setCollateCopies(collate_);
        printer.setPrintRange(range_);
        printer.setFromTo(from_, to_);
    }

private:
    QPrinter::OutputFormat format_;
    QString name_;
    QString file_;
    QPageLayout layout_;
    QPrinter::DuplexMode duplex_;
    QPrinter::ColorMode colour_;
    int copies_;
    bool collate_;
    QPrinter::PrintRange range_;
    int from_;
    int to_;
};

// Qt's printer dialog is a "Print" dialog with a "Print" button; here it
// only chooses the printer and its settings, so it says so and confirms
// with "OK" (the tally sheet's instructions tell the commission to).
void presentAsSettings(QPrintDialog& dialog, const QString& title) {
    dialog.setWindowFlags(dialogHints(DialogButtons::Close));
    setHelpContext(dialog, kHelpPrinting);
    dialog.setWindowTitle(title);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    }
}

}  // namespace

PrintingService::PrintingService()
    : printer_(QPrinter::HighResolution), sink_(printer_), document_(&sink_), preview_(document_) {}

PrintingService::~PrintingService() = default;

bool PrintingService::choosePrinter(QWidget* parent) {
    const PrinterSettings before(printer_);
    // A PDF printer proposes the job title as the file name.
    printer_.setDocName(QString::fromStdString(document_.PrintJobTitle()));
    QPrintDialog dialog(&printer_, parent);
    presentAsSettings(dialog, QStringLiteral("Výběr tiskárny"));
    // Opening the dialog on a PDF file already switched the printer to the
    // system's default queue; back to the file, which the dialog then shows.
    before.restore(printer_);
    if (dialog.exec() == QDialog::Accepted) return true;
    before.restore(printer_);
    return false;
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
    const PrinterSettings before(printer_);
    printer_.setDocName(QString::fromStdString(document_.PrintJobTitle()));
    printer_.setCopyCount(std::max(copies, 1));
    const bool wholeDocument = from <= 1 && to >= pageCount;
    if (!wholeDocument && from >= 1 && to >= from) {
        printer_.setFromTo(from, to);
        printer_.setPrintRange(QPrinter::PageRange);
    } else {
        printer_.setPrintRange(QPrinter::AllPages);
    }
    const PrinterSettings opened(printer_);
    QPrintDialog dialog(&printer_, parent);
    presentAsSettings(dialog, QStringLiteral("Nastavení tiskárny"));
    opened.restore(printer_);
    dialog.setMinMax(1, std::max(pageCount, 1));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) {
        before.restore(printer_);
        return std::nullopt;
    }
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
