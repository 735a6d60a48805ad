#include "core/print/record_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "core/checks/catalogue_texts.h"
#include "core/print/record_fixture.h"
#include "core/data/errors.h"
#include "core/print/print_text.h"
#include "support/golden.h"

namespace talmorek::print {
namespace {

using talmorek::testing::expectGolden;

class RecordDocument : public RecordFixture {
protected:
    RecordDocument() {
        for (int n : {2, 5, 9}) record.MarkParty(n, true);
        members(8);
    }

    // The footer's page text of every page, in order.
    std::vector<std::string> pageTexts() const {
        std::vector<std::string> out;
        for (std::size_t p = 1; p <= drawn().pages.size(); ++p)
            for (const TextCall& t : texts(static_cast<int>(p)))
                if (t.text.starts_with(" Strana: ")) out.push_back(t.text);
        return out;
    }
    std::vector<TextCall> errorLines(int page) const {
        std::vector<TextCall> out;
        for (const TextCall& t : texts(page))
            if (t.text.starts_with("Chyby č.: ")) out.push_back(t);
        return out;
    }

    checks::TCisChyb catalogue{
        std::vector<checks::TChybaInfo>(checks::catalogueTexts().begin(), checks::catalogueTexts().end())};
    checks::TChybProt protocol{catalogue};
};

// Every page of a record document: its footer says "page/total" where the
// total is the number of pages the document really has.
struct PageTotalCase {
    const char* name;
    std::vector<int> parties;
    int members;
    int pages;
};

class PageTotal : public RecordDocument, public ::testing::WithParamInterface<PageTotalCase> {};

TEST_P(PageTotal, EveryFooterCarriesTheTruePageCount) {
    record.T4.ZakrStrany = std::string(record.T4.ZakrStrany.size(), '0');
    for (int n : GetParam().parties) record.MarkParty(n, true);
    members(GetParam().members);
    InitTisk(ctx, now);
    EXPECT_EQ(pocetStranZapisu(ctx, job), GetParam().pages);
    SestavZapis(ctx, job);

    const int total = GetParam().pages;
    ASSERT_EQ(document.TotalPages(), total) << "what was laid out is what is drawn";
    std::vector<std::string> expected;
    for (int p = 1; p <= total; ++p)
        expected.push_back(" Strana: " + std::to_string(p) + "/" + std::to_string(total) + " PS");
    EXPECT_EQ(pageTexts(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    RecordDocument, PageTotal,
    ::testing::Values(
        // Pages 1-2 the record, pages 3-5 the annex sheets of parties 2, 5, 9.
        PageTotalCase{"parties_2_5_9_eight_members", {2, 5, 9}, 8, 5},
        PageTotalCase{"parties_2_5_9_ten_members_sign_on_one_sheet", {2, 5, 9}, 10, 5},
        // From eleven members the signatures of each annex sheet run onto a second page.
        PageTotalCase{"parties_2_5_9_eleven_members", {2, 5, 9}, 11, 8},
        PageTotalCase{"parties_2_5_9_twelve_members", {2, 5, 9}, 12, 8},
        // Counting members ahead of the layout would put section III on three pages here.
        PageTotalCase{"parties_2_5_9_thirty_members", {2, 5, 9}, 30, 8},
        PageTotalCase{"twenty_six_members_no_party", {}, 26, 2},
        PageTotalCase{"parties_2_5_9_forty_members_section_three_continues", {2, 5, 9}, 40, 9},
        PageTotalCase{"no_party_one_member", {}, 1, 2},
        PageTotalCase{"party_23_has_no_sheet", {3, 23}, 1, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordDocument, PagesAreNumberedAndErrorsListedOnPageOneOnly) {
    protocol.PridejChybu(0, 4);
    protocol.PridejChybu(0, 1);  // blocks the export; not a code of the footer
    protocol.PridejChybu(5, 18, "(kand. č. 3)");
    protocol.PridejChybu(0, 91);
    job.footer.chyby = &protocol;
    InitTisk(ctx, now);
    SestavZapis(ctx, job);

    ASSERT_EQ(document.TotalPages(), 5) << "page 1, section III and three annex sheets";
    EXPECT_EQ(pageTexts(), (std::vector<std::string>{" Strana: 1/5 PS", " Strana: 2/5 PS", " Strana: 3/5 PS",
                                                     " Strana: 4/5 PS", " Strana: 5/5 PS"}));
    const auto onFirst = errorLines(1);
    ASSERT_EQ(onFirst.size(), 1u);
    EXPECT_EQ(onFirst[0].text, "Chyby č.: 4, 91, 18") << "in the protocol's order: party 0 before party 5";
    for (int p = 2; p <= 5; ++p) EXPECT_TRUE(errorLines(p).empty()) << "page " << p;

    EXPECT_EQ(only("T/4a").y, 200) << "the first page is drawn on the document's first page";
    EXPECT_EQ(texts(2).at(0).text, "III.");
    EXPECT_EQ(ctx.stav.KrokRadku, 45) << "the annex sheets are set closer";
    EXPECT_EQ(ctx.stav.CisloListu, 4);
    EXPECT_EQ(ctx.stav.CisloStrany, 6);
    EXPECT_TRUE(document.isIdle());
}

// The footers of the whole document as drawn: page text, control total,
// identification, time stamp and the error line, page by page.
struct FooterCase {
    const char* name;
    int members;
    const char* golden;
};

class RecordFooters : public RecordDocument, public ::testing::WithParamInterface<FooterCase> {};

TEST_P(RecordFooters, CarryTheTruePageTotal) {
    protocol.PridejChybu(0, 91);
    job.footer.chyby = &protocol;
    members(GetParam().members);
    InitTisk(ctx, now);
    SestavZapis(ctx, job);

    RecordedDocument footers = drawn();
    for (RecordedPage& page : footers.pages)
        std::erase_if(page.calls, [&](const DrawCall& call) {
            const auto* t = std::get_if<TextCall>(&call);
            return t == nullptr || t->y < ctx.stav.DolniRadek;
        });
    expectGolden(GetParam().golden, toText(footers));
}

INSTANTIATE_TEST_SUITE_P(RecordDocument, RecordFooters,
                         ::testing::Values(FooterCase{"parties_2_5_9_eight_members", 8, "record_footers_8_members.txt"},
                                           FooterCase{"parties_2_5_9_twelve_members", 12,
                                                      "record_footers_12_members.txt"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The first page as the record job draws it, every event with its longest
// reason and every party circled, with the error list of a protocol that
// lists every candidate of 22 parties: the list starts below everything the
// page body drew, on the form of an ordinary precinct as on that abroad.
class ErrorListOnPageOne : public RecordDocument, public ::testing::WithParamInterface<bool> {};

TEST_P(ErrorListOnPageOne, StaysBelowThePageBody) {
    if (GetParam()) abroad();
    allEvents();
    record.hlasovani.Stiznosti = "B";
    record.hlasovani.StizListu = "3";
    for (int n = 1; n <= 22; ++n) record.MarkParty(n, true);
    for (int n = 1; n <= 22; ++n)
        for (int j = 1; j <= 36; ++j) protocol.PridejChybu(n, 18, "(kand. č. " + std::to_string(j) + ")");
    job.footer.chyby = &protocol;
    InitTisk(ctx, now);
    SestavZapis(ctx, job);

    const RecordedDocument sheets = drawn();
    const auto& calls = sheets.pages.at(0).calls;
    const auto footerStart = std::find_if(calls.begin(), calls.end(), [](const DrawCall& call) {
        const auto* t = std::get_if<TextCall>(&call);
        return t != nullptr && t->text.starts_with(" Strana: ");
    });
    ASSERT_NE(footerStart, calls.end());
    int bodyBottom = 0;
    for (auto call = calls.begin(); call != footerStart; ++call) {
        std::visit(
            [&](const auto& c) {
                using Call = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<Call, TextCall>) {
                    bodyBottom = std::max(bodyBottom, c.y + emHeight(c.font.size));
                } else if constexpr (std::is_same_v<Call, LineCall>) {
                    bodyBottom = std::max({bodyBottom, c.from.y + c.pen.width, c.to.y + c.pen.width});
                } else if constexpr (std::is_same_v<Call, PolylineCall>) {
                    for (const Point& p : c.points) bodyBottom = std::max(bodyBottom, p.y + c.pen.width);
                } else {
                    bodyBottom = std::max(bodyBottom, c.bottomRight.y + c.pen.width);
                }
            },
            *call);
    }
    EXPECT_GT(bodyBottom, 2400) << "the body was drawn down to the rows of party numbers";

    const auto rows = errorLines(1);
    ASSERT_EQ(rows.size(), 1u) << "one line begins with the label";
    // The footer draws its page text, control total, identification and
    // time stamp first, then the list.
    std::string all;
    int top = 2970;
    int footerTexts = 0;
    for (auto call = footerStart; call != calls.end(); ++call) {
        const auto* t = std::get_if<TextCall>(&*call);
        if (t == nullptr || ++footerTexts <= 4) continue;
        all += t->text;
        top = std::min(top, t->y);
    }
    EXPECT_EQ(top, rows[0].y) << "the list starts with its label";
    EXPECT_GE(top, bodyBottom) << "nothing of the list over the page body";
    std::size_t count = 0;
    for (std::size_t at = all.find("18"); at != std::string::npos; at = all.find("18", at + 2)) ++count;
    EXPECT_EQ(count, 22u * 36u) << "every code is listed";
}

INSTANTIATE_TEST_SUITE_P(RecordDocument, ErrorListOnPageOne, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "t4b" : "t4a"); });

TEST_F(RecordDocument, SectionThreeContinuationPagesShiftTheAnnexPageNumbers) {
    members(40);
    InitTisk(ctx, now);
    SestavZapis(ctx, job);
    const auto pages = pageTexts();
    ASSERT_GE(pages.size(), 6u);
    EXPECT_EQ(pages.at(2), " Strana: 3/9 PS") << "the continuation of section III";
    EXPECT_EQ(texts(3).at(0).text, "III. - pokračování");
    EXPECT_EQ(pages.at(3), " Strana: 4/9 PS") << "the first annex sheet";
}

TEST_F(RecordDocument, WithoutDiacriticsNothingIsDrawnWithThem) {
    job.sDiakritikou = false;
    InitTisk(ctx, now);
    SestavZapis(ctx, job);
    EXPECT_EQ(texts(1).at(0).text, "ZAPIS O PRUBEHU A VYSLEDKU HLASOVANI VE VOLEBNIM OKRSKU");
    for (int p = 1; p <= 2; ++p)
        for (const TextCall& t : texts(p)) EXPECT_EQ(t.text, BezDiakritiky(t.text)) << "page " << p;
}

struct CopiesCase {
    const char* name;
    int pocetKopii;
    int directCopies;
};

class Copies : public RecordDocument, public ::testing::WithParamInterface<CopiesCase> {};

TEST_P(Copies, ArePrintedDirectlyThenTheDocumentIsKeptForThePreview) {
    TiskZapisu(ctx, job, GetParam().pocetKopii, now);

    ASSERT_EQ(static_cast<int>(printer.jobs.size()), GetParam().directCopies);
    for (const KeepingPrinter::Job& copy : printer.jobs) {
        EXPECT_EQ(copy.title, "PST4a.pdf");
        ASSERT_EQ(copy.pages.size(), 5u);
        EXPECT_TRUE(copy.ended);
        // Laid out for the preview, counted for the paper: the totals agree.
        for (std::size_t p = 0; p < copy.pages.size(); ++p) {
            bool footer = false;
            for (const DrawCall& call : copy.pages[p].calls)
                if (const auto* t = std::get_if<TextCall>(&call))
                    footer = footer || t->text == " Strana: " + std::to_string(p + 1) + "/5 PS";
            EXPECT_TRUE(footer) << "page " << p + 1;
        }
    }
    // The preview holds the document once more, drawn for the screen.
    EXPECT_EQ(document.TotalPages(), 5);
    EXPECT_FALSE(document.DirectPrint());
    EXPECT_TRUE(document.isIdle());
    EXPECT_EQ(document.PrintJobTitle(), "PST4a.pdf");
    EXPECT_EQ(preview.PocetStran, 5);
}

INSTANTIATE_TEST_SUITE_P(RecordDocument, Copies,
                         ::testing::Values(CopiesCase{"one", 1, 1}, CopiesCase{"two", 2, 2}, CopiesCase{"nine", 9, 9},
                                           CopiesCase{"zero_prints_one", 0, 1},
                                           CopiesCase{"negative_prints_one", -3, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailingCase {
    const char* name;
    int pocetKopii;
    int failOnPage;  // counted over every page sent to the printer
    int printed;
};

class FailingPrinter : public RecordDocument, public ::testing::WithParamInterface<FailingCase> {};

TEST_P(FailingPrinter, StopsTheRemainingCopiesAndTheDocumentIsStillPreviewed) {
    printer.failOnPage = GetParam().failOnPage;
    const KopieZapisu kopie = TiskZapisu(ctx, job, GetParam().pocetKopii, now);

    EXPECT_EQ(kopie.pozadovano, GetParam().pocetKopii);
    EXPECT_EQ(kopie.vytisteno, GetParam().printed);
    ASSERT_TRUE(kopie.selhani);
    EXPECT_THROW(std::rethrow_exception(kopie.selhani), std::runtime_error);
    ASSERT_EQ(static_cast<int>(printer.jobs.size()), GetParam().printed + 1) << "no copy after the failing one";
    for (int i = 0; i < GetParam().printed; ++i) EXPECT_TRUE(printer.jobs[static_cast<std::size_t>(i)].ended);
    EXPECT_TRUE(printer.jobs.back().aborted);

    EXPECT_EQ(document.TotalPages(), 5) << "the preview has the whole document";
    EXPECT_FALSE(document.DirectPrint());
    EXPECT_TRUE(document.isIdle());
}

INSTANTIATE_TEST_SUITE_P(RecordDocument, FailingPrinter,
                         ::testing::Values(FailingCase{"first_page_of_three_copies", 3, 1, 0},
                                           FailingCase{"second_page_of_three_copies", 3, 2, 0},
                                           FailingCase{"first_page_of_second_copy", 3, 6, 1},
                                           FailingCase{"last_page_of_the_only_copy", 1, 5, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordDocument, EveryCopyPrintedReportsNoFailure) {
    const KopieZapisu kopie = TiskZapisu(ctx, job, 3, now);
    EXPECT_EQ(kopie.pozadovano, 3);
    EXPECT_EQ(kopie.vytisteno, 3);
    EXPECT_FALSE(kopie.selhani);
}

TEST_F(RecordDocument, APartyListLostBeforeTheJobSendsNothingAndTheNextJobStartsAfresh) {
    // The annex sheets read candidate counts from the party list; a file
    // that is missing is found while the pages are counted, before the
    // printer gets anything.
    record.MarkParty(2, true);
    std::filesystem::remove(dir.file("STRANY.RCD"));
    EXPECT_THROW((void)TiskZapisu(ctx, job, 2, now), data::IoError);
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_TRUE(document.isIdle());
    EXPECT_FALSE(document.DirectPrint());

    record.T4.ZakrStrany = std::string(record.T4.ZakrStrany.size(), '0');
    TiskZapisu(ctx, job, 1, now);
    EXPECT_TRUE(printer.jobs.back().ended);
    EXPECT_EQ(document.TotalPages(), 2);
}

TEST_F(RecordDocument, APartyListLostHalfWayCancelsTheCopy) {
    // The party list vanishes once the first page is on paper: the annex
    // sheets cannot be drawn, and the copy is cancelled, not left half.
    printer.onPage = [this](std::size_t page) {
        if (page == 1) std::filesystem::remove(dir.file("STRANY.RCD"));
    };
    EXPECT_THROW((void)TiskZapisu(ctx, job, 2, now), data::IoError);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].aborted);
    EXPECT_FALSE(printer.jobs[0].ended);
    EXPECT_TRUE(document.isIdle());
    EXPECT_FALSE(document.DirectPrint());
}

TEST_F(RecordDocument, MakeRecordJobTakesTheJobWideValues) {
    protocol.PridejChybu(0, 91);
    const RecordJob made = makeRecordJob(record, registers, station, &protocol, true, now);
    EXPECT_EQ(made.record, &record);
    EXPECT_EQ(made.registers, &registers);
    EXPECT_FALSE(made.zvlastniOkrsek);
    EXPECT_TRUE(made.sDiakritikou);
    EXPECT_EQ(made.electionDates, "08.10. - 09.10.2021");
    EXPECT_EQ(made.partyNames, (std::map<int, std::string>{{2, "Strana zelených luk"},
                                                           {3, "Třetí cesta"},
                                                           {5, "Pátá kolona"},
                                                           {9, "Devátá vlna"},
                                                           {17, "Sedmnáctka"}}));
    EXPECT_EQ(made.footer.Obec, 584231);
    EXPECT_EQ(made.footer.Okrsek, 3);
    EXPECT_EQ(made.footer.Celkem, 20211234567);
    EXPECT_EQ(made.footer.casovaZnacka, "09.10.2021 14:05:09,042");
    EXPECT_EQ(made.footer.chyby, &protocol);
}

TEST_F(RecordDocument, TheSpecialPrecinctPrintsFormT4bUnderTitlePST4b) {
    abroad();
    const RecordJob made = makeRecordJob(record, registers, station, nullptr, true, now);
    ASSERT_TRUE(made.zvlastniOkrsek);
    TiskZapisu(ctx, made, 1, now);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].title, "PST4b.pdf");
    EXPECT_EQ(document.PrintJobTitle(), "PST4b.pdf");
    EXPECT_EQ(texts(1).at(0).text, "ZÁPIS O PRŮBĚHU A VÝSLEDKU HLASOVÁNÍ VE ZVLÁŠTNÍM VOLEBNÍM OKRSKU");
    EXPECT_EQ(only("T/4b").font.style.bold, true);
    EXPECT_EQ(only(" Strana: 1/5 PS").y, 2700);
    EXPECT_EQ(only("999997 - 3 - ").y, 2700);
}

}  // namespace
}  // namespace talmorek::print
