// `talmorek-tool print`, called in-process on small installations: the PDF
// it writes holds the printout's text, and the recorded calls are those of
// the program's layouts measured with the program's fonts.

#include <gtest/gtest.h>

#include <algorithm>

#include <QProcess>
#include <QStandardPaths>
#include <sstream>

#include "support/installation.h"
#include "support/golden.h"
#include "core/data/registers.h"
#include "core/record/recompute.h"
#include "core/print/recorded_page.h"
#include "tool/commands.h"
#include "tool/record_json.h"

namespace talmorek::tool {
namespace {

using testing::prefer;

// The text of a PDF, or nothing when pdftotext is missing or fails (bounded).
std::optional<std::string> pdfText(const std::string& file) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) return std::nullopt;
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), QString::fromStdString(file), QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(5000);
        return std::nullopt;
    }
    return p.readAllStandardOutput().toStdString();
}

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

class PrintCommand : public ::testing::Test {
protected:
    PrintCommand() {
        testing::writeInstallation(dir);
        dir.write("STANICE.RCD", data::encodeStanice(testing::station()));
        parties = data::Registers(dir.path()).NactiStrany();
        record = testing::cleanRecord(parties);
    }

    int print(std::vector<std::string> args) {
        args.insert(args.begin(), "print");
        out.str("");
        err.str("");
        return runTool(args, out, err);
    }
    int printRecord(const char* printout, std::vector<std::string> extra = {}) {
        dir.write("record.json", recordToJson(record).dump(2));
        std::vector<std::string> args = {printout, dir.path(), "--record", dir.file("record.json"),
                                         "--pdf", dir.file("out.pdf"), "--calls", dir.file("calls.txt"),
                                         "--now", "2021-10-09T14:30:05"};
        args.insert(args.end(), extra.begin(), extra.end());
        return print(args);
    }

    ::talmorek::testing::TempDir dir;
    data::PartyList parties;
    record::RecordOfVote record;
    std::ostringstream out, err;
};

TEST_F(PrintCommand, ProtocolOfACheckRunWithFindings) {
    prefer(record, 1, 10, 301);
    record.party(7).PocHlasu = 600;
    ASSERT_EQ(printRecord("protocol"), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str(), dir.file("out.pdf") + ": 1 str.\n");
    testing::expectGolden("tool_protocol_findings.txt", dir.read("calls.txt"));

    const auto text = pdfText(dir.file("out.pdf"));
    if (!text) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(contains(*text, "PROTOKOL O KONTROLÁCH ZA OKRSEK")) << *text;
    EXPECT_TRUE(contains(*text, "Identifikace okrsku:     554782         3"));
    EXPECT_TRUE(contains(*text, "Přednostních hlasů kandidáta je více než hlasů pro stranu (kand. č. 10)"));
    EXPECT_TRUE(contains(*text, "Datum: 09.10.2021"));
}

TEST_F(PrintCommand, ProtocolWithoutDiacritics) {
    ASSERT_EQ(printRecord("protocol", {"--bez-hacku"}), 0) << err.str();
    const print::RecordedDocument calls = print::parseRecordedDocument(dir.read("calls.txt"));
    ASSERT_EQ(calls.pages.size(), 1u);
    std::vector<std::string> texts;
    for (const auto& call : calls.pages[0].calls)
        if (const auto* t = std::get_if<print::TextCall>(&call)) texts.push_back(t->text);
    EXPECT_EQ(texts.at(1), "PROTOKOL O KONTROLACH ZA OKRSEK");
    EXPECT_EQ(texts.at(7), "Nebyly zjisteny zadne chyby");
}

TEST_F(PrintCommand, TestPageNamesThePdfAsPrinterAndTheFormFonts) {
    ASSERT_EQ(print({"testpage", dir.path(), "--pdf", dir.file("test.pdf"), "--calls", dir.file("calls.txt")}), 0)
        << err.str();
    const std::string calls = dir.read("calls.txt");
    EXPECT_TRUE(contains(calls, "\"Arial, Arial CE, Courier New, Courier New CE\""));
    EXPECT_TRUE(contains(calls, "y=850 font=\"Courier New\" size=26 style=N pitch=F \"PDF\""));
    const auto text = pdfText(dir.file("test.pdf"));
    if (!text) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(contains(*text, "Volby do Poslanecké sněmovny Parlamentu ČR")) << *text;
    EXPECT_TRUE(contains(*text, "Defaultní tiskárna"));
}

// The texts drawn on page `page` (1-based) of a recording.
std::vector<std::string> pageTexts(const print::RecordedDocument& d, std::size_t page) {
    std::vector<std::string> texts;
    for (const auto& call : d.pages.at(page - 1).calls)
        if (const auto* t = std::get_if<print::TextCall>(&call)) texts.push_back(t->text);
    return texts;
}

bool has(const std::vector<std::string>& texts, std::string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(PrintCommand, RecordWithItsAnnexSheetsAndTheFindingsOfItsCheckRun) {
    // The clean record flags parties 1, 2 and 7: two record pages and three
    // annex sheets. Too many votes for a candidate of party 7 breaks the
    // party's preferential-vote rules, whose codes the first page's footer
    // lists after the warning about the share of preferential votes.
    prefer(record, 7, 12, 700);
    ASSERT_EQ(printRecord("record"), 0) << err.str();
    EXPECT_EQ(out.str(), dir.file("out.pdf") + ": 5 str.\n");
    const print::RecordedDocument calls = print::parseRecordedDocument(dir.read("calls.txt"));
    EXPECT_EQ(calls.title, "PST4a.pdf");
    ASSERT_EQ(calls.pages.size(), 5u);
    EXPECT_TRUE(has(pageTexts(calls, 1), "ZÁPIS O PRŮBĚHU A VÝSLEDKU HLASOVÁNÍ VE VOLEBNÍM OKRSKU"));
    const auto startsWith = [](const std::vector<std::string>& texts, std::string_view prefix) {
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.rfind(prefix, 0) == 0; });
    };
    EXPECT_TRUE(startsWith(pageTexts(calls, 1), " Strana: 1/5"));
    EXPECT_TRUE(startsWith(pageTexts(calls, 5), " Strana: 5/5"));
    EXPECT_TRUE(has(pageTexts(calls, 5), "Příloha č. 1 k tiskopisu T/4a, list č.   3"));
    std::string footer;
    for (const auto& t : pageTexts(calls, 1))
        if (t.rfind("Chyby č.: ", 0) == 0) footer = t;
    EXPECT_EQ(footer, "Chyby č.: 98, 18, 19");
    for (std::size_t page = 2; page <= 5; ++page)
        for (const auto& t : pageTexts(calls, page)) EXPECT_NE(t.rfind("Chyby č.: ", 0), 0u) << page;

    const auto text = pdfText(dir.file("out.pdf"));
    if (!text) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(contains(*text, "POSLANECKÉ SNĚMOVNY")) << *text;
}

TEST_F(PrintCommand, RecordInDirectPrintIsTheCopyThatGoesToThePrinter) {
    ASSERT_EQ(printRecord("record", {"--direct"}), 0) << err.str();
    const print::RecordedDocument direct = print::parseRecordedDocument(dir.read("calls.txt"));
    ASSERT_EQ(printRecord("record"), 0) << err.str();
    const print::RecordedDocument preview = print::parseRecordedDocument(dir.read("calls.txt"));
    EXPECT_EQ(direct.pages.size(), preview.pages.size());
    EXPECT_EQ(direct.title, "PST4a.pdf");
    // A few fills are shorter on the printer's copy.
    EXPECT_NE(direct.pages[0].calls, preview.pages[0].calls);
}

TEST_F(PrintCommand, RecordTypedByHandGetsItsSummaryFromRecompute) {
    // The footer identifies the precinct from the summary record, which
    // only a save (or --recompute) fills in.
    record.TS = record::TTS{};
    ASSERT_EQ(printRecord("record"), 0) << err.str();
    EXPECT_TRUE(has(pageTexts(print::parseRecordedDocument(dir.read("calls.txt")), 1), "0 - 0 - "));
    ASSERT_EQ(printRecord("record", {"--recompute", "--seed", "7"}), 0) << err.str();
    EXPECT_TRUE(has(pageTexts(print::parseRecordedDocument(dir.read("calls.txt")), 1), "554782 - 3 - "));
}

// --now fixes the one clock of the command: the recomputed summary record
// (whose control total counts its date and time) and the footer's time
// stamp show the same moment.
TEST_F(PrintCommand, NowDatesTheSummaryAndTheFooterAlike) {
    record.TS = record::TTS{};
    ASSERT_EQ(printRecord("record", {"--recompute", "--seed", "7"}), 0) << err.str();
    record::RecordOfVote expected = record;
    record::RecomputeAll(expected, parties, record::tickedParties(expected, parties), testing::station(),
                        record::fixedSources({2021, 10, 9, 14, 30, 5}, 7));
    const auto texts = pageTexts(print::parseRecordedDocument(dir.read("calls.txt")), 1);
    EXPECT_TRUE(has(texts, std::to_string(expected.TS.Celkem))) << expected.TS.Celkem;
    EXPECT_TRUE(has(texts, "09.10.2021 14:30:05,000"));
}

TEST_F(PrintCommand, TallySheetOfTheInstallationsRegistersInLandscape) {
    ASSERT_EQ(print({"tally", dir.path(), "--pdf", dir.file("tally.pdf"), "--calls", dir.file("calls.txt")}), 0)
        << err.str();
    const print::RecordedDocument calls = print::parseRecordedDocument(dir.read("calls.txt"));
    ASSERT_GE(calls.pages.size(), static_cast<std::size_t>(parties.length));
    for (const auto& page : calls.pages) EXPECT_EQ(page.orientation, print::Orientation::Landscape);
    EXPECT_TRUE(has(pageTexts(calls, 1), "VZOR"));
}

TEST_F(PrintCommand, RefusalsAreCzechAndExitTwo) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"no_printout", {}, "Použití: talmorek-tool print"},
        {"unknown_printout", {"recept", dir.path(), "--pdf", "x.pdf"}, "Neznámá tisková sestava: recept."},
        {"no_pdf", {"testpage", dir.path()}, "Uveďte výstupní soubor PDF (--pdf OUT)."},
        {"pdf_without_value", {"testpage", dir.path(), "--pdf"}, "Volba --pdf potřebuje hodnotu."},
        {"foreign_option", {"testpage", dir.path(), "--pdf", "x.pdf", "--json"}, "Volba --json nepatří k příkazu print."},
        {"no_saved_data", {"protocol", dir.path(), "--pdf", dir.file("x.pdf")}, "Data nejsou pořízena!!!"},
        {"no_saved_record", {"record", dir.path(), "--pdf", dir.file("x.pdf")}, "Data nejsou pořízena!!!"},
        {"direct_is_for_the_record", {"tally", dir.path(), "--pdf", "x.pdf", "--direct"},
         "Volba --direct platí jen pro tisk zápisu (print record)."},
        {"unwritable_pdf", {"testpage", dir.path(), "--pdf", dir.file("no/such/x.pdf")}, "nelze zapsat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(print(c.args), 2);
        EXPECT_TRUE(contains(err.str(), c.message)) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

}  // namespace
}  // namespace talmorek::tool
