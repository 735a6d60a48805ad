#include "core/print/recording_document.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace talmorek::print {
namespace {

// The printer as direct print sees it: what arrived, in order.
class LoggingSink : public PageSink {
public:
    void startJob(const std::string& title) override { log.push_back("start " + title); }
    void printPage(const RecordedPage& page) override {
        log.push_back("page " + std::to_string(page.calls.size()) +
                      (page.orientation == Orientation::Portrait ? " portrait" : " landscape"));
        if (failOnPage) throw std::runtime_error("spooler");
    }
    void endJob() override { log.push_back("end"); }

    std::vector<std::string> log;
    bool failOnPage = false;
};

const Font kFont{};

TEST(RecordingDocument, BeginDocStartsADocumentWithItsFirstPage) {
    RecordingDocument doc;
    EXPECT_TRUE(doc.isIdle());
    doc.BeginDoc();
    EXPECT_FALSE(doc.isIdle());
    EXPECT_EQ(doc.TotalPages(), 1);
    doc.Canvas().text(1, 2, "a", kFont);
    doc.NewPage();
    doc.Canvas().text(3, 4, "b", kFont);
    doc.EndDoc();
    EXPECT_TRUE(doc.isIdle());
    ASSERT_EQ(doc.TotalPages(), 2);
    EXPECT_EQ(std::get<TextCall>(doc.recorded().pages[0].calls.at(0)).text, "a");
    EXPECT_EQ(std::get<TextCall>(doc.recorded().pages[1].calls.at(0)).text, "b");
}

TEST(RecordingDocument, BeginDocWhileBuildingKeepsTheCurrentPage) {
    RecordingDocument doc;
    doc.BeginDoc();
    doc.Canvas().text(1, 2, "first", kFont);
    doc.BeginDoc();
    doc.Canvas().text(1, 3, "still first", kFont);
    doc.EndDoc();
    ASSERT_EQ(doc.TotalPages(), 1);
    EXPECT_EQ(doc.recorded().pages[0].calls.size(), 2u);
}

TEST(RecordingDocument, ANewDocumentDiscardsThePreviousPages) {
    RecordingDocument doc;
    doc.BeginDoc();
    doc.NewPage();
    doc.EndDoc();
    doc.BeginDoc();
    doc.EndDoc();
    EXPECT_EQ(doc.TotalPages(), 1);
    EXPECT_TRUE(doc.recorded().pages[0].calls.empty());
}

TEST(RecordingDocument, EndDocWhenIdleDoesNothingAndDrawingNeedsAPage) {
    RecordingDocument doc;
    doc.EndDoc();
    EXPECT_EQ(doc.TotalPages(), 0);
    EXPECT_THROW(doc.Canvas(), std::logic_error);
    EXPECT_THROW(doc.NewPage(), std::logic_error);
}

TEST(RecordingDocument, EachPageKeepsTheOrientationItBeganWith) {
    RecordingDocument doc;
    doc.setOrientation(Orientation::Landscape);
    doc.BeginDoc();
    doc.setOrientation(Orientation::Portrait);
    doc.NewPage();
    doc.EndDoc();
    EXPECT_EQ(doc.recorded().pages[0].orientation, Orientation::Landscape);
    EXPECT_EQ(doc.recorded().pages[1].orientation, Orientation::Portrait);
}

TEST(RecordingDocument, DirectPrintSendsEachFinishedPageAndKeepsNone) {
    LoggingSink printer;
    RecordingDocument doc(&printer);
    doc.setPrintJobTitle("PST4a.pdf");
    doc.setDirectPrint(true);
    doc.BeginDoc();
    doc.Canvas().text(1, 2, "a", kFont);
    EXPECT_EQ(printer.log, (std::vector<std::string>{"start PST4a.pdf"}));
    doc.NewPage();
    doc.Canvas().text(1, 2, "b", kFont);
    doc.Canvas().text(1, 3, "c", kFont);
    EXPECT_EQ(printer.log, (std::vector<std::string>{"start PST4a.pdf", "page 1 portrait"}));
    doc.EndDoc();
    EXPECT_EQ(printer.log, (std::vector<std::string>{"start PST4a.pdf", "page 1 portrait", "page 2 portrait", "end"}));
    EXPECT_EQ(doc.TotalPages(), 0);
    EXPECT_EQ(doc.PrintJobTitle(), "PST4a.pdf");
}

TEST(RecordingDocument, DirectPrintIsDecidedWhenTheDocumentBegins) {
    LoggingSink printer;
    RecordingDocument doc(&printer);
    doc.setDirectPrint(true);
    doc.BeginDoc();
    doc.setDirectPrint(false);
    doc.EndDoc();
    EXPECT_EQ(printer.log, (std::vector<std::string>{"start VOLBY", "page 0 portrait", "end"}));
}

TEST(RecordingDocument, AFailingPrinterLeavesTheDocumentIdle) {
    LoggingSink printer;
    printer.failOnPage = true;
    RecordingDocument doc(&printer);
    doc.setDirectPrint(true);
    doc.BeginDoc();
    EXPECT_THROW(doc.NewPage(), std::runtime_error);
    EXPECT_TRUE(doc.isIdle());
    doc.setDirectPrint(false);
    doc.BeginDoc();
    EXPECT_EQ(doc.TotalPages(), 1) << "the next job begins a document of its own";
}

TEST(RecordingDocument, DirectPrintWithoutAPrinterIsAProgrammingError) {
    RecordingDocument doc;
    doc.setDirectPrint(true);
    EXPECT_THROW(doc.BeginDoc(), std::logic_error);
    EXPECT_TRUE(doc.isIdle());
}

TEST(RecordingDocument, ReportsEveryChangeOfThePageSet) {
    RecordingDocument doc;
    int changes = 0;
    doc.OnChange = [&] { ++changes; };
    doc.BeginDoc();
    doc.BeginDoc();  // no effect, no change
    doc.NewPage();
    doc.EndDoc();
    doc.EndDoc();  // idle: nothing
    EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace talmorek::print
