#include "render/paged_output.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QtGlobal>
#include <cstdio>

#include "render/print_errors.h"
#include "render/qt_surface.h"
#include "core/data/errors.h"
#include "core/data/file_io.h"
#include "core/workflow/error_messages.h"

namespace talmorek::render {
namespace {

// A4 in tenths of a millimetre per inch.
constexpr double kUnitsPerInch = 254.0;

QPageLayout::Orientation qtOrientation(print::Orientation o) {
    return o == print::Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Qt words a painter that cannot start on its device ("QPainter::begin():
// Returned false") as a warning on the console; the user reads one Czech
// sentence instead (PrintOutputError). Every other message passes on.
class QuietPainterStart {
public:
    QuietPainterStart() { previous_ = qInstallMessageHandler(&QuietPainterStart::filter); }
    ~QuietPainterStart() { qInstallMessageHandler(previous_); }
    QuietPainterStart(const QuietPainterStart&) = delete;
    QuietPainterStart& operator=(const QuietPainterStart&) = delete;

private:
    static void filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.startsWith(QLatin1String("QPainter::begin"))) return;
        if (previous_) {
            previous_(type, context, text);
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
        }
    }
    static inline QtMessageHandler previous_ = nullptr;
};

}  // namespace

PagedOutput::PagedOutput(QPagedPaintDevice& device) : device_(device) {}

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
        bool started = false;
        {
            const QuietPainterStart quiet;
            started = painter_.begin(&device_);
        }
        if (!started) throw PrintOutputError("Tisk nelze zahájit: tiskárna nebo soubor odmítá výstup.");
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
        // The user's directory: other files ending in ".tmp~" there are not ours.
        data::AtomicWriteOptions options;
        options.clearStaleTemporaries = false;
        data::replaceFileAtomically(QFile::encodeName(fileName).toStdString(),
                                    std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                    options, fs);
    } catch (const data::IoError& e) {
        // The user can act on the reason: make room, choose another place.
        throw PrintOutputError("Soubor " + fileName.toStdString() + " nelze zapsat: " +
                               workflow::osReason(e.osError()) + ".");
    }
}

QString pdfFileName(const std::string& jobTitle) {
    QString name = QString::fromStdString(jobTitle);
    if (!name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) name += QLatin1String(".pdf");
    return name;
}

}  // namespace talmorek::render
