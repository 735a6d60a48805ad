// The program's printing of the record when the printer cannot take the
// copies: one message, then the preview all the same, so the commission
// can print from there once the printer is put right.
#include <gtest/gtest.h>

#include <QPrinter>

#include "gui/print/record_print_fixture.h"

namespace talmorek::gui {
namespace {

TEST_F(RecordPrinting, WithoutAnyPrinterTheFailureIsToldOnceAndThePreviewOpens) {
    // What the platform makes of a machine without a printer: a PDF file
    // that nobody named. (Naming no file switches a PDF printer back to the
    // default printer, so the name is cleared first.)
    QPrinter& printer = jobs.service().printer();
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::PdfFormat);
    ASSERT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    int previewPages = 0;
    RecordPrintAnswerer answerer(QStringLiteral("3"));
    answerer.onPreview = [&](TpreviewF&) { previewPages = jobs.service().document().TotalPages(); };

    printRecord();

    EXPECT_TRUE(answerer.copiesDialogSeen);
    EXPECT_TRUE(answerer.previewSeen) << "the preview opens although nothing was printed";
    EXPECT_EQ(previewPages, 5);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0],
              "failure|Tisk zápisu|Zápis se nepodařilo vytisknout.\rNení nainstalována žádná tiskárna.\r\r"
              "Vytištěno kopií: 0 z 3. Další kopie se netisknou.\rZápis se nyní zobrazí v náhledu, odkud jej lze "
              "po odstranění závady vytisknout (tlačítko Tisk).");
}

TEST_F(RecordPrinting, APdfFileAsPrinterGetsEveryCopyBeforeThePreview) {
    if (!talmorek::testing::havePdfTool("pdfinfo")) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    QPrinter& printer = jobs.service().printer();
    const QString file = QString::fromStdString(dir.file("copies.pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    bool fileBeforePreview = false;
    RecordPrintAnswerer answerer(QStringLiteral("2"));
    answerer.onPreview = [&](TpreviewF&) { fileBeforePreview = QFileInfo::exists(file); };

    printRecord();

    EXPECT_TRUE(prompts.calls.empty()) << prompts.calls[0];
    EXPECT_TRUE(answerer.previewSeen);
    EXPECT_TRUE(fileBeforePreview);
    EXPECT_EQ(printer.docName(), QStringLiteral("PST4a.pdf"));
}

}  // namespace
}  // namespace talmorek::gui
