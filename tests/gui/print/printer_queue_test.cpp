// Printing through a real spooler: the CUPS queue "TalmorekPDF" (set up by
// scripts/cups_pdf_queue.sh) turns each job into a PDF file in a known
// directory, which the test reads back. Skipped where the queue is absent.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QThread>

#include "gui/print/printing_service.h"
#include "print/primitives.h"
#include "support/pdf_tools.h"

namespace talmorek::gui {
namespace {

constexpr const char* kQueue = "TalmorekPDF";
constexpr const char* kOutput = "/var/spool/cups-pdf/talmorek";

class PrinterQueue : public ::testing::Test {
protected:
    void SetUp() override {
        if (QPrinterInfo::printerInfo(kQueue).isNull())
            GTEST_SKIP() << "no printer queue " << kQueue << " (scripts/cups_pdf_queue.sh sets it up as root)";
        if (!QDir(kOutput).exists()) GTEST_SKIP() << kOutput << " does not exist";
        if (!testing::havePdfTool("pdftotext") || !testing::havePdfTool("pdfinfo"))
            GTEST_SKIP() << "poppler-utils are not installed";
        service.printer().setPrinterName(kQueue);
    }

    // A job title no other run uses: cups-pdf names the file after it.
    static std::string uniqueTitle(const char* what) {
        return std::string("talmorek-") + what + "-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
               std::to_string(QDateTime::currentMSecsSinceEpoch());
    }

    // Waits, at most a minute, for the PDF of the job to arrive complete
    // (pdfinfo reads it), and returns its path; empty on timeout.
    static QString awaitPdf(const std::string& title) {
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired()) {
            const QStringList found =
                QDir(kOutput).entryList({QString::fromStdString(title) + "*.pdf"}, QDir::Files);
            if (!found.isEmpty()) {
                const QString path = QString(kOutput) + "/" + found.first();
                if (testing::pdfInfo(path)) return path;
            }
            QThread::msleep(200);
        }
        return {};
    }

    // Draws a document of `count` pages, each saying which it is. The
    // spooler turns the job into PostScript for cups-pdf and back, which
    // keeps Latin-1 letters only; the Czech text is checked on the PDF
    // writer's own files (pdf_output_test).
    void drawDocument(int count) {
        print::Font f;
        f.name = "Arial";
        f.size = 26;
        service.preview().ZacatekTisku();
        for (int n = 1; n <= count; ++n) {
            print::PageSurface& page = service.preview().VratCanvas();
            page.text(200, 300, "Tiskova fronta Talmorek, strana " + std::to_string(n), f);
            page.line({200, 400}, {1900, 400}, print::Pen{3, print::PenStyle::Solid});
        }
        service.preview().KonecTisku();
    }

    static int pageCount(const QString& info) {
        const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    PrintingService service;
};

TEST_F(PrinterQueue, PrintedRangeArrivesAsPdfWithItsText) {
    drawDocument(3);
    const std::string title = uniqueTitle("range");
    print::RecordedDocument document = service.document().recorded();
    document.title = title;
    service.print(document, 2, 3, 1);

    const QString pdf = awaitPdf(title);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of job " << title << " in " << kOutput << " within a minute";
    EXPECT_EQ(pageCount(*testing::pdfInfo(pdf)), 2);
    const auto text = testing::pdfText(pdf);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->contains("Tiskova fronta Talmorek, strana 2")) << text->toStdString();
    EXPECT_TRUE(text->contains("Tiskova fronta Talmorek, strana 3"));
    EXPECT_FALSE(text->contains("strana 1"));
    QFile::remove(pdf);
}

TEST_F(PrinterQueue, DirectPrintArrivesPageByPage) {
    const std::string title = uniqueTitle("direct");
    service.document().setPrintJobTitle(title);
    service.document().setDirectPrint(true);
    drawDocument(2);
    EXPECT_EQ(service.document().TotalPages(), 0);

    const QString pdf = awaitPdf(title);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of job " << title << " in " << kOutput << " within a minute";
    EXPECT_EQ(pageCount(*testing::pdfInfo(pdf)), 2);
    EXPECT_TRUE(testing::pdfText(pdf)->contains("Tiskova fronta Talmorek, strana 2"));
    QFile::remove(pdf);
}

}  // namespace
}  // namespace talmorek::gui
