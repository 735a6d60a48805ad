// Printer output: the pages a printer gets, their range and copies, and
// direct print page by page. A PDF file stands in for the printer.

#include <gtest/gtest.h>

#include <QPrinter>
#include <QtGlobal>
#include <filesystem>

#include "gui/print/printer_output.h"
#include "gui/print/printer_page_sink.h"
#include "core/print/primitives.h"
#include "core/print/recording_document.h"
#include "render/print_errors.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"
#include "support/error_of.h"

namespace talmorek::gui {
namespace {

using testing::errorOf;
using testing::pageSizes;
using testing::pdfInfo;
using testing::pdfText;

#define REQUIRE_POPPLER()                                                              \
    if (!testing::havePdfTool("pdftotext") || !testing::havePdfTool("pdfinfo"))        \
    GTEST_SKIP() << "pdftotext/pdfinfo (poppler-utils) are not installed"

// `count` portrait pages, each with its number as text, under the title "VOLBY".
print::RecordedDocument numberedPages(int count) {
    print::RecordedDocument document;
    document.title = "VOLBY";
    for (int n = 1; n <= count; ++n) {
        print::RecordedPage page{print::Orientation::Portrait, {}};
        print::Font f;
        f.size = 24;
        page.calls.push_back(print::TextCall{200, 200, f, "Stránka číslo " + std::to_string(n)});
        document.pages.push_back(page);
    }
    return document;
}

class PrinterPages : public ::testing::Test {
protected:
    QString file(const char* name) const { return QString::fromStdString(dir.file(name)); }
    ::talmorek::testing::TempDir dir;
};

TEST_F(PrinterPages, PrinterGetsTheRangeAsManyTimesAsCopies) {
    REQUIRE_POPPLER();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("range.pdf"));
    const print::RecordedDocument document = numberedPages(3);
    printPages(printer, document, 2, 3, 2);
    const auto text = pdfText(file("range.pdf"));
    ASSERT_TRUE(text.has_value());
    // A PDF printer makes no copies itself, so the pages come twice, collated.
    const QStringList pagesText = text->split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pagesText.size(), 4);
    const int expected[] = {2, 3, 2, 3};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(pagesText[i].contains(QString("Stránka číslo %1").arg(expected[i]))) << i;
    EXPECT_EQ(printer.docName(), "VOLBY");
}

// The copies of one print from the preview are that print's only: the
// printer keeps the count it had, so the record's direct copies after the
// next export are not each multiplied by it.
TEST_F(PrinterPages, APrintLeavesThePrintersCopyCountAsItFoundIt) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("copies.pdf"));
    printer.setCopyCount(2);
    printPages(printer, numberedPages(2), 1, 2, 3);
    EXPECT_EQ(printer.copyCount(), 2);
}

TEST_F(PrinterPages, DirectPrintSendsEachPageAsItIsFinished) {
    REQUIRE_POPPLER();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("direct.pdf"));
    PrinterPageSink sink(printer);
    print::RecordingDocument document(&sink);
    print::PreviewDocument preview(document);
    document.setDirectPrint(true);
    document.setPrintJobTitle("PST4a.pdf");
    preview.ZacatekTisku();
    print::Font f;
    f.size = 26;
    preview.VratCanvas().text(200, 300, "Zápis – první strana", f);
    document.setOrientation(print::Orientation::Landscape);
    preview.VratCanvas().text(200, 300, "Příloha – druhá strana", f);
    preview.KonecTisku();
    EXPECT_EQ(document.TotalPages(), 0) << "nothing is kept for the preview";
    EXPECT_EQ(printer.docName(), "PST4a.pdf");

    const auto info = pdfInfo(file("direct.pdf"), 2);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(pageSizes(*info), (QStringList{"595 x 842", "842 x 595"}));
    const auto text = pdfText(file("direct.pdf"));
    EXPECT_TRUE(text->contains("Zápis – první strana"));
    EXPECT_TRUE(text->contains("Příloha – druhá strana"));
}

// Qt's warnings while it lives; the previous handler comes back after.
class QtWarnings {
public:
    QtWarnings() { previous_ = qInstallMessageHandler(&QtWarnings::keep); }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    static inline QStringList seen;

private:
    static void keep(QtMsgType, const QMessageLogContext&, const QString& text) { seen << text; }
    QtMessageHandler previous_ = nullptr;
};

// A PDF printer whose file cannot be written: one Czech sentence naming the
// file, no Qt warning, nothing left beside it; an earlier file stays whole.
TEST_F(PrinterPages, APdfFileThatCannotBeWrittenIsOneCzechSentence) {
    std::filesystem::create_directory(dir.file("taken.pdf"));  // a directory where the file should go
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("taken.pdf"));
    QtWarnings::seen.clear();
    {
        QtWarnings warnings;
        if (const auto e = errorOf<render::PrintOutputError>([&] { printPages(printer, numberedPages(2), 1, 2, 1); })) {
            EXPECT_EQ(std::string(e->what()),
                      "Soubor " + dir.file("taken.pdf") + " nelze zapsat: na místě souboru je adresář.");
        }
    }
    EXPECT_TRUE(QtWarnings::seen.isEmpty()) << QtWarnings::seen.join("\n").toStdString();
    EXPECT_FALSE(dir.exists("taken.pdf.tmp~"));
}

}  // namespace
}  // namespace talmorek::gui
