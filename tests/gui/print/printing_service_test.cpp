// The printing service as the program uses it, with a PDF file as the
// selected printer.

#include "gui/print/printing_service.h"

#include <gtest/gtest.h>

#include <QPrinter>

#include "core/print/primitives.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"

namespace talmorek::gui {
namespace {

class Service : public ::testing::Test {
protected:
    Service() {
        service.printer().setOutputFormat(QPrinter::PdfFormat);
        service.printer().setOutputFileName(QString::fromStdString(dir.file("printer.pdf")));
    }
    void drawTwoPages() {
        print::Font f;
        f.size = 26;
        service.preview().ZacatekTisku();
        service.preview().VratCanvas().text(200, 300, "Zápis o průběhu a výsledku hlasování", f);
        service.preview().VratCanvas().text(200, 300, "Příloha č. 1", f);
        service.preview().KonecTisku();
    }

    ::talmorek::testing::TempDir dir;
    PrintingService service;
};

TEST_F(Service, DirectPrintGoesToTheSelectedPrinter) {
    if (!testing::havePdfTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
    service.document().setDirectPrint(true);
    drawTwoPages();
    const auto text = testing::pdfText(QString::fromStdString(dir.file("printer.pdf")));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->split('\f', Qt::SkipEmptyParts).size(), 2);
    EXPECT_TRUE(text->contains("Příloha č. 1"));
}

TEST_F(Service, PreviewPrintsThroughTheSelectedPrinter) {
    if (!testing::havePdfTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
    drawTwoPages();
    EXPECT_EQ(service.document().TotalPages(), 2);
    service.print(service.document().recorded(), 2, 2, 1);
    const auto text = testing::pdfText(QString::fromStdString(dir.file("printer.pdf")));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->split('\f', Qt::SkipEmptyParts).size(), 1);
    EXPECT_TRUE(text->contains("Příloha č. 1"));
}

TEST_F(Service, TestPageFactsNameThePdfPrinterAndTheFormFonts) {
    const print::TestPageFacts facts = service.testPageFacts("08.10. - 09.10.2021");
    EXPECT_EQ(facts.printerName, "PDF");
    EXPECT_EQ(facts.printerFonts, (std::vector<std::string>{"Arial", "Arial CE", "Courier New", "Courier New CE"}));
    EXPECT_FALSE(facts.systemName.empty());
    EXPECT_EQ(facts.electionDates, "08.10. - 09.10.2021");
}

}  // namespace
}  // namespace talmorek::gui
