#include "gui/print/paged_output.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "gui/print/print_errors.h"
#include "gui/print/qt_surface.h"
#include "data/errors.h"
#include "data/file_io.h"

namespace talmorek::gui {
namespace {

// A4 in tenths of a millimetre per inch.
constexpr double kUnitsPerInch = 254.0;

QPageLayout::Orientation qtOrientation(print::Orientation o) {
    return o == print::Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

}  // namespace

PagedOutput::PagedOutput(QPagedPaintDevice& device) : device_(device) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device_)) printer->setFullPage(true);
}

PagedOutput::~PagedOutput() {
    if (painter_.isActive()) painter_.end();
}

void PagedOutput::setSheet(print::Orientation orientation) {
    device_.setPageSize(QPageSize(QPageSize::A4));
    device_.setPageOrientation(qtOrientation(orientation));
    // A real printer may refuse margins below its own; with the full page
    // as drawing area they do not move anything.
    device_.setPageMargins(QMarginsF(0, 0, 0, 0));
}

void PagedOutput::addPage(const print::RecordedPage& page) {
    setSheet(page.orientation);
    if (pages_ == 0) {
        if (!painter_.begin(&device_)) throw PrintOutputError("Tisk nelze zahájit: tiskárna nebo soubor odmítá výstup.");
    } else if (!device_.newPage()) {
        throw PrintOutputError("Tiskárna odmítla další stranu.");
    }
    ++pages_;
    painter_.resetTransform();
    painter_.scale(device_.logicalDpiX() / kUnitsPerInch, device_.logicalDpiY() / kUnitsPerInch);
    renderPage(painter_, page);
}

void PagedOutput::finish() {
    if (!painter_.isActive()) return;
    if (!painter_.end()) throw PrintOutputError("Tisk se nepodařilo dokončit.");
    if (auto* printer = dynamic_cast<QPrinter*>(&device_); printer && printer->printerState() == QPrinter::Error)
        throw PrintOutputError("Tiskárna ohlásila chybu, tisk se nepodařil.");
}

void writePdf(const print::RecordedDocument& document, const QString& fileName, data::FileSystem& fs) {
    if (document.pages.empty()) throw PrintOutputError("Dokument nemá žádnou stranu, PDF nelze vytvořit.");
    const std::string cannotWrite = "Soubor " + fileName.toStdString() + " nelze zapsat.";
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(static_cast<int>(kUnitsPerInch));
        writer.setTitle(QString::fromStdString(document.title));
        writer.setCreator(QStringLiteral("Talmorek"));
        PagedOutput output(writer);
        try {
            for (const print::RecordedPage& page : document.pages) output.addPage(page);
            output.finish();
        } catch (const PrintOutputError&) {
            throw PrintOutputError(cannotWrite);
        }
    }
    const QByteArray& bytes = pdf.data();
    try {
        data::replaceFileAtomically(QFile::encodeName(fileName).toStdString(),
                                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), fs);
    } catch (const data::IoError&) {
        throw PrintOutputError(cannotWrite);
    }
}

void printPages(QPrinter& printer, const print::RecordedDocument& document, int from, int to, int copies) {
    const int last = static_cast<int>(document.pages.size());
    from = std::max(from, 1);
    to = std::min(to, last);
    if (from > to) return;
    copies = std::max(copies, 1);
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
    PagedOutput output(printer);
    for (int pass = 0; pass < passes; ++pass)
        for (int n = from; n <= to; ++n) output.addPage(document.pages[static_cast<std::size_t>(n - 1)]);
    output.finish();
}

QString pdfFileName(const std::string& jobTitle) {
    QString name = QString::fromStdString(jobTitle);
    if (!name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) name += QLatin1String(".pdf");
    return name;
}

}  // namespace talmorek::gui
