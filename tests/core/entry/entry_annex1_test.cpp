// Page "Příloha č. 1": one party at a time; the products and check numbers
// as the commission writes them on the paper annex; rules 15, 16, 18 and 19
// asked of the check run's rules; "&Opravit" brings back the party found.

#include <gtest/gtest.h>

#include <optional>

#include "core/entry/entry_form_fixture.h"
#include "core/entry/entry_annex1.h"

namespace talmorek::testing {
namespace {

using entry::CandidateRow;
using entry::EntryControl;
using entry::FieldFinding;
using entry::ReportAnswer;

EntryControl cand(int order) { return {entry::EntryField::CandEdit, order}; }

const CandidateRow kClosed{"0", false, "-------"};

class EntryAnnex1 : public EntryFormTest {
protected:
    // The clean record: parties 1 (300 votes), 2 (150) and 7 (71) of 521.
    void openOnAnnex1() {
        save(cleanRecord(parties), DataLetter::E);
        openForm();
        form.changePage(Page::Section2);
        ASSERT_EQ(form.changePage(Page::Annex1), entry::PageChange::Changed);
    }
    void showItem(int index) { ASSERT_TRUE(form.choosePartyItem(index)); }
    std::optional<FieldFinding> leave(const EntryControl& control, const char* text) {
        return form.fieldExit(control, text);
    }
    // Answers the report waiting with "&Opravit"; the field to focus.
    EntryControl opravit() {
        EXPECT_TRUE(form.beginReport().has_value());
        return form.answerReport(ReportAnswer::Opravit).focus;
    }
};

TEST_F(EntryAnnex1, TheComboOffersTheTickedPartiesAndShowsTheFirst) {
    openOnAnnex1();
    ASSERT_EQ(form.partyCombo().size(), 3u);
    EXPECT_EQ(form.shownParty(), 1);
    EXPECT_EQ(form.fieldText(Field::R_EdCisStr), "1");
    EXPECT_EQ(form.fieldText(Field::R_EdPocHl), "300");
    EXPECT_EQ(form.candidateCount(), 36);
}

TEST_F(EntryAnnex1, TheWorkedExampleOfParty7) {
    openOnAnnex1();
    showItem(2);
    ASSERT_EQ(form.shownParty(), 7);
    type(Field::R_EdPocHl, "120");
    type(cand(1), "15");
    type(cand(3), "40");
    type(cand(12), "2");
    EXPECT_EQ(form.candidateRow(1), (CandidateRow{"15", true, "     15"}));
    EXPECT_EQ(form.candidateRow(3), (CandidateRow{"40", true, "    120"}));
    EXPECT_EQ(form.candidateRow(12), (CandidateRow{"2", true, "     24"}));
    EXPECT_EQ(form.candidateRow(2), (CandidateRow{"0", true, "      0"}));
    EXPECT_EQ(form.fieldText(Field::R_EdCisStr), "7");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PKC2), "127");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PKC3), "159");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PKC4), "286");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PPoslKand), "12");
}

TEST_F(EntryAnnex1, VotesAreReadAsNumbersKeptModulo65536) {
    openOnAnnex1();
    form.fieldExit(Field::R_EdPocHl, "70000", Field::zrusitBtn);
    EXPECT_EQ(form.fieldText(Field::R_EdPocHl), "4464");
    form.fieldExit(cand(5), "x", Field::zrusitBtn);
    EXPECT_EQ(form.fieldText(cand(5)), "0");
}

TEST_F(EntryAnnex1, PartyVotesAboveTheValidVotesGiveError15) {
    openOnAnnex1();
    const std::optional<FieldFinding> f = leave(Field::R_EdPocHl, "522");
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(*f, (FieldFinding{15, "", Field::R_EdPocHl, 1, false, false}));
    EXPECT_EQ(f->secondButton(), "&Ignorovat");
}

TEST_F(EntryAnnex1, PreferentialVotesAboveThePartysVotesGiveError18) {
    openOnAnnex1();
    showItem(2);
    type(Field::R_EdPocHl, "120");
    type(cand(4), "120");
    const std::optional<FieldFinding> f = leave(cand(4), "121");
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(*f, (FieldFinding{18, "", cand(4), 7, false, false}));
}

TEST_F(EntryAnnex1, RuleNineteenWhenTheFirstPartyIsLeftWithEnter) {
    struct Case {
        const char* fifth;
        std::optional<int> code;
    };
    for (const Case& c : {Case{"0", std::nullopt}, Case{"1", 19}}) {
        SCOPED_TRACE(c.fifth);
        openOnAnnex1();
        type(Field::R_EdPocHl, "120");
        for (int order = 1; order <= 4; ++order) type(cand(order), "120");  // 480: four per vote
        type(cand(5), c.fifth);
        const std::optional<FieldFinding> f = form.lastCandidateExit(true);
        // Enter moves on first: the next party is shown (and saved).
        EXPECT_EQ(form.shownParty(), 2);
        EXPECT_EQ(form.focus(), EntryControl(Field::R_CBT4P_1));
        EXPECT_EQ(readBack(DataLetter::E).party(1).pref(5), c.fifth[0] - '0');
        ASSERT_EQ(f.has_value(), c.code.has_value());
        if (!f) continue;
        EXPECT_EQ(*f, (FieldFinding{19, "", cand(1), 1, false, false}));
        // "&Opravit" brings back the party the error was found on.
        EXPECT_EQ(opravit(), cand(1));
        EXPECT_EQ(form.shownParty(), 1);
        EXPECT_EQ(form.comboIndex(), 0);
    }
}

TEST_F(EntryAnnex1, OpravitBringsBackThePartyAfterTheMouseChoseAnother) {
    openOnAnnex1();
    showItem(1);  // party 2: 150 votes
    ASSERT_TRUE(leave(cand(2), "151").has_value());
    showItem(2);  // the mouse chooses party 7 before the report is answered
    EXPECT_EQ(opravit(), cand(2));
    EXPECT_EQ(form.shownParty(), 2);
    EXPECT_EQ(form.fieldText(cand(2)), "151");
}

TEST_F(EntryAnnex1, LeavingTheLastPartyChecksTheSumOfVotes) {
    struct Case {
        const char* votes7;
        bool error16;
    };
    for (const Case& c : {Case{"71", false}, Case{"70", true}}) {
        SCOPED_TRACE(c.votes7);
        openOnAnnex1();
        showItem(2);
        type(Field::R_EdPocHl, c.votes7);
        const std::optional<FieldFinding> f = form.lastCandidateExit(true);
        EXPECT_EQ(form.page(), Page::Section3);
        ASSERT_EQ(f.has_value(), c.error16);
        if (!f) continue;
        EXPECT_EQ(f->code, 16);
        EXPECT_EQ(opravit(), EntryControl(Field::R_EdPlatneHlasy));
        EXPECT_EQ(form.page(), Page::Section2);
    }
}

TEST_F(EntryAnnex1, LeavingTheFieldWithoutEnterStaysButStillJudges) {
    openOnAnnex1();
    showItem(2);
    type(Field::R_EdPocHl, "70");
    EXPECT_EQ(form.lastCandidateExit(false)->code, 16);
    EXPECT_EQ(form.page(), Page::Annex1);
    EXPECT_EQ(form.shownParty(), 7);
}

TEST_F(EntryAnnex1, LeavingTheLastPartyForZrusitJudgesNothing) {
    openOnAnnex1();
    showItem(2);
    type(Field::R_EdPocHl, "70");
    EXPECT_EQ(form.lastCandidateExit(false, Field::zrusitBtn), std::nullopt);
    EXPECT_FALSE(form.reportPending());
}

TEST_F(EntryAnnex1, ABreakBetweenPartiesIsNoLastParty) {
    openOnAnnex1();
    type(Field::R_EdPocHl, "299");  // the sum is off, but party 1 is not the last
    EXPECT_EQ(form.lastCandidateExit(false), std::nullopt);
}

TEST_F(EntryAnnex1, APartyWith20CandidatesThenOneWith30) {
    InstallationContent content;
    content.strany = {{"1", "Strana první", "36"}, {"2", "Strana druhá", "20"}, {"7", "Strana sedmá", "30"}};
    writeInstallation(dir, content);
    parties = data::Registers(dir.path()).NactiStrany();
    record::RecordOfVote r = cleanRecord(parties);
    prefer(r, 7, 25, 3);
    save(r, DataLetter::E);
    openForm();
    form.changePage(Page::Section2);
    form.changePage(Page::Annex1);
    showItem(1);
    ASSERT_EQ(form.shownParty(), 2);
    EXPECT_EQ(form.candidateCount(), 20);
    EXPECT_TRUE(form.candidateRow(20).enabled);
    for (int order = 21; order <= 36; ++order) EXPECT_EQ(form.candidateRow(order), kClosed) << order;
    showItem(2);
    EXPECT_EQ(form.candidateCount(), 30);
    for (int order = 21; order <= 30; ++order) EXPECT_TRUE(form.candidateRow(order).enabled) << order;
    EXPECT_EQ(form.candidateRow(25), (CandidateRow{"3", true, "     75"}));
    for (int order = 31; order <= 36; ++order) EXPECT_EQ(form.candidateRow(order), kClosed) << order;
}

TEST_F(EntryAnnex1, ACandidateMarkedNTakesNoVotes) {
    dir.write("KANDIDAT.RCD", recordsOf(std::vector<data::TKandidat>{{"7", "2", "Jan", "Novák", "N"},
                                                                     {"7", "3", "Eva", "Malá", "1"}},
                                        data::encodeKandidat));
    openOnAnnex1();
    showItem(2);
    EXPECT_EQ(form.candidateRow(2), (CandidateRow{"N", false, "-------"}));
    EXPECT_EQ(form.candidateRow(3), (CandidateRow{"40", true, "    120"}));
    form.fieldExit(cand(2), "5");
    EXPECT_EQ(form.record().party(7).pref(2), 0);
}

TEST_F(EntryAnnex1, ReopeningClearsTheCombo) {
    openOnAnnex1();
    showItem(2);
    openForm();
    EXPECT_TRUE(form.partyCombo().empty());
    EXPECT_EQ(form.shownParty(), 0);
    EXPECT_EQ(form.fieldText(Field::R_EdPocHl), "");
}

// The registers are read as far as the window's tables reach.
TEST(EntryAnnex1Reads, CandidateCountsAreClampedToTheRows) {
    struct Case {
        const char* count;
        int rows;
    };
    for (const Case& c : {Case{"20", 20}, Case{"36", 36}, Case{"40", 36}, Case{"x", 0}, Case{"", 0}, Case{"-3", 0}}) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(entry::annexCandidateCount(data::TStrana{"5", "Strana", c.count}), c.rows);
    }
}

TEST(EntryAnnex1Reads, PartiesAndOrdersBeyondTheTableHaveNoMarks) {
    data::CandidateTable table;
    table.at(22, 36).Priznak = "N";
    EXPECT_EQ(entry::candidateMark(table, 22, 36), "N");
    EXPECT_EQ(entry::candidateMark(table, 23, 1), "");
    EXPECT_EQ(entry::candidateMark(table, 0, 1), "");
    EXPECT_EQ(entry::candidateMark(table, 1, 37), "");
    record::TT4P p;
    p.PrefHlasy[0] = 4;
    EXPECT_EQ(entry::candidateRow(p, table, 30, 36, 1), (CandidateRow{"4", true, "      4"}));
    EXPECT_EQ(entry::candidateRow(p, table, 30, 0, 1), kClosed);
}

TEST(EntryAnnex1Reads, PadlPadsOnTheLeftOnly) {
    EXPECT_EQ(entry::padl("12", 7), "     12");
    EXPECT_EQ(entry::padl("12345678", 7), "12345678");
    EXPECT_EQ(entry::padl("5", 3, '0'), "005");
}

}  // namespace
}  // namespace talmorek::testing
