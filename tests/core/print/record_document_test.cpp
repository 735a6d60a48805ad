#include "print/record_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "checks/catalogue_texts.h"
#include "core/print/record_fixture.h"
#include "data/errors.h"
#include "print/print_text.h"

namespace talmorek::print {
namespace {

struct EstimateCase {
    const char* name;
    std::vector<int> parties;
    int members;
    int total;
};

class PageTotal : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(PageTotal, CountsRecordPagesAndAnnexSheetsFromTheMembers) {
    entry::RecordOfVote record;
    for (int n : GetParam().parties) record.MarkParty(n, true);
    data::DelkaKomise(record.komise, static_cast<std::size_t>(GetParam().members));
    EXPECT_EQ(estimatedPageTotal(record), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(
    RecordDocument, PageTotal,
    ::testing::Values(EstimateCase{"parties_2_5_9_eight_members", {2, 5, 9}, 8, 5},
                      EstimateCase{"parties_2_5_9_twelve_members", {2, 5, 9}, 12, 8},
                      EstimateCase{"ten_members_one_sheet_each", {2, 5, 9}, 10, 5},
                      EstimateCase{"eleven_members_two_sheets_each", {2, 5, 9}, 11, 8},
                      EstimateCase{"no_party_no_member", {}, 0, 2},
                      EstimateCase{"twenty_five_members_two_record_pages", {}, 25, 2},
                      EstimateCase{"twenty_six_members_three_record_pages", {}, 26, 3},
                      EstimateCase{"party_23_has_no_sheet", {3, 23}, 1, 3}),
    [](const auto& info) { return std::string(info.param.name); });

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

TEST_F(RecordDocument, PagesAreNumberedAgainstTheEstimateAndErrorsListedOnPageOneOnly) {
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

TEST_F(RecordDocument, TwelveMembersMakeTheEstimateEightWhateverIsDrawn) {
    members(12);
    InitTisk(ctx, now);
    SestavZapis(ctx, job);
    const auto pages = pageTexts();
    ASSERT_EQ(static_cast<int>(pages.size()), document.TotalPages());
    EXPECT_EQ(pages.front(), " Strana: 1/8 PS");
    EXPECT_EQ(pages.at(1), " Strana: 2/8 PS");
}

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
        EXPECT_EQ(copy.pages.size(), 5u);
        EXPECT_TRUE(copy.ended);
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

TEST_F(RecordDocument, AFailingPrinterStopsTheCopiesAndLeavesPreviewMode) {
    printer.failOnPage = 2;
    EXPECT_THROW(TiskZapisu(ctx, job, 3, now), std::runtime_error);
    EXPECT_EQ(printer.jobs.size(), 1u);
    EXPECT_FALSE(document.DirectPrint());
    EXPECT_TRUE(document.isIdle());
}

TEST_F(RecordDocument, APartyListLostHalfWayCancelsTheCopyAndTheNextJobStartsAfresh) {
    // The annex sheets read candidate counts from the party list; a file
    // that vanishes during the job ends it without a partial copy on paper.
    record.MarkParty(2, true);
    std::filesystem::remove(dir.file("STRANY.RCD"));
    EXPECT_THROW(TiskZapisu(ctx, job, 2, now), data::IoError);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].aborted);
    EXPECT_FALSE(printer.jobs[0].ended);
    EXPECT_TRUE(document.isIdle());
    EXPECT_FALSE(document.DirectPrint());

    record.T4.ZakrStrany = std::string(record.T4.ZakrStrany.size(), '0');
    TiskZapisu(ctx, job, 1, now);
    EXPECT_TRUE(printer.jobs.back().ended);
    EXPECT_EQ(document.TotalPages(), 2);
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
