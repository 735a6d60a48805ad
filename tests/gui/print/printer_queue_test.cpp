// Printing through a real spooler: the CUPS queue "TalmorekPDF" (set up by
// scripts/cups_pdf_queue.sh) turns each job into a PDF file in a known
// directory, which the test reads back. Skipped where the queue is absent.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QThread>

#include "gui/print/printing_service.h"
#include "gui/print/record_print_fixture.h"
#include "core/print/primitives.h"
#include "support/pdf_tools.h"

namespace talmorek::gui {
namespace {

constexpr const char* kQueue = "TalmorekPDF";
constexpr const char* kOutput = "/var/spool/cups-pdf/talmorek";

// The page count in pdfinfo's report; -1 when it names none.
int pageCount(const QString& info) {
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

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

// The record of the vote as the export command prints it: the copies typed
// into the copies dialog go to the queue as complete documents, each with
// the record's pages in order, and they have arrived while the preview is
// open, so they were sent before it.
struct QueueCopiesCase {
    const char* name;
    const char* typed;
    int copies;
};

class RecordCopiesThroughQueue : public RecordPrinting,
                                 public ::testing::WithParamInterface<QueueCopiesCase> {
protected:
    void SetUp() override {
        if (QPrinterInfo::printerInfo(kQueue).isNull())
            GTEST_SKIP() << "no printer queue " << kQueue << " (scripts/cups_pdf_queue.sh sets it up as root)";
        if (!QDir(kOutput).exists()) GTEST_SKIP() << kOutput << " does not exist";
        if (!talmorek::testing::havePdfTool("pdftotext") || !talmorek::testing::havePdfTool("pdfinfo"))
            GTEST_SKIP() << "poppler-utils are not installed";
        jobs.service().printer().setPrinterName(kQueue);
    }
    void TearDown() override {
        for (const QString& file : found_.keys())
            if (found_.value(file)) QFile::remove(file);
    }

    // The complete PDFs of this job's copies (the record's PDFs whose
    // footers carry this job's time stamp), waiting at most `limitMs` for
    // `expected` of them.
    QStringList copiesArrived(int expected, int limitMs) {
        QDeadlineTimer deadline(limitMs);
        QStringList ours;
        do {
            const QStringList names =
                QDir(kOutput).entryList({QStringLiteral("PST4a*.pdf")}, QDir::Files, QDir::Name);
            for (const QString& name : names) {
                const QString path = QString(kOutput) + "/" + name;
                if (found_.contains(path)) continue;
                if (!talmorek::testing::pdfInfo(path)) continue;  // still being written
                const auto text = talmorek::testing::pdfText(path);
                found_.insert(path, text && text->contains(stamp));
            }
            ours.clear();
            for (const QString& file : found_.keys())
                if (found_.value(file)) ours.push_back(file);
            if (ours.size() >= expected) break;
            QThread::msleep(200);
        } while (!deadline.hasExpired());
        return ours;
    }

    QMap<QString, bool> found_;  // every record PDF looked at: whether it is this job's
};

TEST_P(RecordCopiesThroughQueue, ArriveWholeAndInOrderBeforeThePreview) {
    const int copies = GetParam().copies;
    RecordPrintAnswerer answerer(QString::fromLatin1(GetParam().typed));
    QStringList beforePreviewClosed;
    answerer.onPreview = [&](TpreviewF&) { beforePreviewClosed = copiesArrived(copies, 60000); };

    printRecord();

    ASSERT_TRUE(answerer.copiesDialogSeen);
    ASSERT_TRUE(answerer.previewSeen);
    EXPECT_TRUE(prompts.calls.empty()) << prompts.calls[0];
    ASSERT_EQ(beforePreviewClosed.size(), copies)
        << "copies of this job in " << kOutput << " while the preview was open (a minute at most)";
    for (const QString& pdf : beforePreviewClosed) {
        SCOPED_TRACE(pdf.toStdString());
        EXPECT_EQ(pageCount(*talmorek::testing::pdfInfo(pdf)), 5);
        const QStringList pages = talmorek::testing::pdfText(pdf)->split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), 5);
        for (int p = 1; p <= 5; ++p)
            EXPECT_TRUE(pages[p - 1].contains(QString("Strana: %1/5 PS").arg(p))) << "page " << p;
    }
    // Nothing more comes once the preview is closed.
    EXPECT_EQ(copiesArrived(copies + 1, 3000).size(), copies);
}

INSTANTIATE_TEST_SUITE_P(Typed, RecordCopiesThroughQueue,
                         ::testing::Values(QueueCopiesCase{"one", "1", 1}, QueueCopiesCase{"two", "2", 2},
                                           QueueCopiesCase{"zero_prints_one", "0", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// A queue that refuses new jobs: told once, no further copy is tried, and
// the preview opens so that the record can be printed from there.
TEST_F(RecordPrinting, AQueueRefusingJobsIsToldAndThePreviewStillOpens) {
    constexpr const char* kRefusing = "TalmorekRefusing";
    if (QPrinterInfo::printerInfo(kRefusing).isNull())
        GTEST_SKIP() << "no printer queue " << kRefusing << " (scripts/cups_pdf_queue.sh sets it up as root)";
    jobs.service().printer().setPrinterName(kRefusing);
    RecordPrintAnswerer answerer(QStringLiteral("2"));

    printRecord();

    EXPECT_TRUE(answerer.previewSeen);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0],
              "failure|Tisk zápisu|Zápis se nepodařilo vytisknout.\rTiskárna TalmorekRefusing nyní nepřijímá žádné "
              "tiskové úlohy.\r\rVytištěno kopií: 0 z 2. Další kopie se netisknou.\rZápis se nyní zobrazí v "
              "náhledu, odkud jej lze po odstranění závady vytisknout (tlačítko Tisk).");
}

}  // namespace
}  // namespace talmorek::gui
