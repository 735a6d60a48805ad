// One clock dates the record and its printouts: the summary record a check
// run saves, the protocol of checks it prints and the record printed after
// the export all carry the moment of the workflow's clock, so a commission
// (or a test) never finds two different times on the same night's papers.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/workflow/workflow_fixture.h"
#include "core/print/fixed_measure.h"
#include "core/print/protocol_layout.h"
#include "core/print/record_document.h"
#include "core/print/recorded_page.h"
#include "core/print/recording_document.h"

namespace talmorek::testing {
namespace {

// Direct print of the record's copies: the pages are kept as text.
class TextSink : public print::PageSink {
public:
    void startJob(const std::string&) override {}
    void printPage(const print::RecordedPage& page) override { text += print::toText(page, ++pages); }
    void endJob() override {}
    std::string text;
    int pages = 0;
};

// Draws the protocol of checks and the record with the real layouts, as the
// program does, and keeps what they drew as text.
class DrawingPrintJobs : public RecordingPrintJobs {
public:
    void protocolOfChecks(const checks::TChybProt& chyby, const record::TT4& t4, const data::TStanice& station,
                          bool sDiakritikou, const data::LocalDateTime& now) override {
        RecordingPrintJobs::protocolOfChecks(chyby, t4, station, sDiakritikou, now);
        print::RecordingDocument document;
        print::PreviewDocument preview(document);
        print::PrintContext ctx(preview, measure_, station);
        print::TiskProtokolu(ctx, chyby, t4, now, sDiakritikou);
        protocol = print::toText(document.recorded());
    }
    void recordOfVote(const workflow::RecordPrintRequest& r) override {
        RecordingPrintJobs::recordOfVote(r);
        summary = r.record->TS;
        print::RecordingDocument document(&copies);
        print::PreviewDocument preview(document);
        print::PrintContext ctx(preview, measure_, *r.station);
        const print::RecordJob job =
            print::makeRecordJob(*r.record, *r.registers, *r.station, r.chyby, r.sDiakritikou, r.now);
        print::TiskZapisu(ctx, job, r.pocetKopii, r.now);
        record = print::toText(document.recorded());
    }

    std::string protocol;  // the protocol of checks
    std::string record;    // the record in the preview
    TextSink copies;       // the copies printed directly
    record::TTS summary;    // the summary record the record was printed from

private:
    print::FixedMeasure measure_;
};

// Every line of `text` that contains `part`.
std::vector<std::string> linesWith(const std::string& text, const std::string& part) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.find(part) != std::string::npos) lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

class OneClock : public WorkflowTest {
protected:
    std::shared_ptr<data::FixedClock> clock =
        std::make_shared<data::FixedClock>(data::LocalDateTime{2021, 10, 9, 21, 47, 13, 250});
    DrawingPrintJobs drawing;
    workflow::Workflow clocked{data::Directories{dir.path(), dir.path(), dir.file("data/"), false}, prompts,
                               drawing, exportDialogs, record::sourcesOf(clock, 7)};
};

TEST_F(OneClock, DatesTheSummaryTheProtocolAndTheRecordAlike) {
    save(cleanRecord(parties), DataLetter::E);
    ASSERT_TRUE(clocked.start());

    clocked.Kontroly_MIClick();
    ASSERT_EQ(drawing.jobs(), std::vector<std::string>{"protocolOfChecks"});
    const record::RecordOfVote saved = readBack(DataLetter::O);
    EXPECT_EQ(saved.TS.Datum, "20211009");
    EXPECT_EQ(saved.TS.Cas, "214713");
    EXPECT_EQ(linesWith(drawing.protocol, "\"Datum: 09.10.2021\"").size(), 1u) << drawing.protocol;
    EXPECT_EQ(linesWith(drawing.protocol, "\"Čas  : 21:47\"").size(), 1u) << drawing.protocol;

    exportDialogs.exportDone = true;
    exportDialogs.copies = 2;
    clocked.ExportTisk_MIClick();
    ASSERT_EQ(drawing.jobs(), (std::vector<std::string>{"protocolOfChecks", "recordOfVote"}));
    EXPECT_EQ(drawing.summary.Datum, "20211009");
    EXPECT_EQ(drawing.summary.Cas, "214713");
    // Every page's footer carries the time stamp, in the preview and on each
    // copy; section III and the annex sheets the time and date of printing.
    const int previewPages = static_cast<int>(linesWith(drawing.record, " Strana: ").size());
    ASSERT_GT(previewPages, 0) << drawing.record;
    EXPECT_EQ(static_cast<int>(linesWith(drawing.record, "09.10.2021 21:47:13,250").size()), previewPages)
        << drawing.record;
    EXPECT_EQ(static_cast<int>(linesWith(drawing.copies.text, "09.10.2021 21:47:13,250").size()), 2 * previewPages);
    EXPECT_FALSE(linesWith(drawing.record, "21:47 hod., 09.10.2021").empty()) << drawing.record;
}

// The clock is read when a job starts, not when the workflow was made: a
// clock the commission corrected meanwhile dates what comes after.
TEST_F(OneClock, IsReadWhenEachJobStarts) {
    ASSERT_TRUE(clocked.start());
    clocked.ZkusebniTisk_MIClick();
    clock->set({2021, 10, 9, 22, 0, 0, 0});
    clocked.Scitaciarch_MIClick();
    ASSERT_EQ(drawing.jobs(), (std::vector<std::string>{"testPage", "tallySheet"}));
    EXPECT_EQ(drawing.calls[0].now, (data::LocalDateTime{2021, 10, 9, 21, 47, 13, 250}));
    EXPECT_EQ(drawing.calls[1].now, (data::LocalDateTime{2021, 10, 9, 22, 0, 0, 0}));
}

}  // namespace
}  // namespace talmorek::testing
