// Reports that wait for the user: a finding raised by a field exit is shown
// once the focus change has finished, and "Uložit" or "Pokračovat" pressed
// meanwhile waits for the answer.

#include <gtest/gtest.h>

#include "core/entry/entry_form_fixture.h"

namespace talmorek::testing {
namespace {

using entry::EntryControl;
using entry::FieldFinding;
using entry::PageChange;
using entry::ReportAnswer;
using entry::SaveOutcome;
using entry::WaitingAction;

// Rule 4 on page II: no persons in the extracts, an error the commission may confirm.
FieldFinding noPersons() {
    FieldFinding f;
    f.code = 4;
    f.field = entry::EntryField::R_EdZapsOsoby;
    f.iPropust = true;
    return f;
}

class EntryReports : public EntryFormTest {
protected:
    EntryReports() {
        save(cleanRecord(parties), DataLetter::E);
        openForm();
    }
};

TEST_F(EntryReports, AReportIsShownOnceAndAnsweredOnce) {
    form.Hlaska(noPersons(), Field::R_EdVydObalky);
    EXPECT_TRUE(form.reportPending());
    EXPECT_EQ(form.beginReport(), noPersons());
    EXPECT_FALSE(form.reportPending());
    EXPECT_EQ(form.beginReport(), std::nullopt) << "the dialog shows already";
    form.Hlaska(FieldFinding{5, "", Field::R_EdVydObalky}, Field::R_EdOdevzdObalky);
    const auto result = form.answerReport(ReportAnswer::GoOn);
    EXPECT_EQ(result.focus, EntryControl{});
    EXPECT_EQ(result.resume, WaitingAction::None);
    EXPECT_EQ(form.beginReport(), std::nullopt) << "a report raised while another showed was dropped";
}

TEST_F(EntryReports, LeavingAFieldForZrusitReportsNothing) {
    form.Hlaska(noPersons(), Field::zrusitBtn);
    EXPECT_FALSE(form.reportPending());
    EXPECT_EQ(form.beginReport(), std::nullopt);
}

TEST_F(EntryReports, AReportOfAClosedWindowIsDropped) {
    form.Hlaska(noPersons(), Field::R_EdVydObalky);
    prompts.answers = {true};
    ASSERT_TRUE(form.requestClose());
    EXPECT_EQ(form.beginReport(), std::nullopt);
}

TEST_F(EntryReports, CancellingDropsAReportNotYetShownEvenWhenTheWindowStays) {
    // Escape right after a field exit: the close question comes alone, and
    // "Ne" does not bring the finding back over the window.
    form.Hlaska(noPersons(), Field::R_EdVydObalky);
    prompts.answers = {false};
    EXPECT_FALSE(form.requestClose());
    EXPECT_TRUE(form.isOpen());
    EXPECT_FALSE(form.reportPending());
    EXPECT_EQ(form.beginReport(), std::nullopt);
}

TEST_F(EntryReports, OpravitStopsTheSaveAndBringsTheFieldBack) {
    form.changePage(Page::Section3);
    form.Hlaska(noPersons(), Field::UlozitOkrBtn);
    const auto before = filesOnDisk();
    EXPECT_EQ(form.save(), SaveOutcome::WaitsForReport);
    EXPECT_EQ(filesOnDisk(), before) << "nothing saved while the report waits";
    ASSERT_EQ(form.beginReport(), noPersons());
    const auto result = form.answerReport(ReportAnswer::Opravit);
    EXPECT_EQ(result.resume, WaitingAction::None);
    EXPECT_EQ(result.focus, EntryControl(Field::R_EdZapsOsoby));
    EXPECT_EQ(form.page(), Page::Section2) << "the field's page is shown, through a page change";
    EXPECT_EQ(form.focus(), EntryControl(Field::R_EdZapsOsoby));
    EXPECT_TRUE(form.isOpen());
    EXPECT_TRUE(printJobs.calls.empty()) << "no check ran";
}

TEST_F(EntryReports, IgnorovatLetsTheSaveGoOn) {
    form.changePage(Page::Section3);
    form.Hlaska(noPersons(), Field::UlozitOkrBtn);
    EXPECT_EQ(form.save(), SaveOutcome::WaitsForReport);
    ASSERT_TRUE(form.beginReport());
    const auto result = form.answerReport(ReportAnswer::GoOn);
    EXPECT_EQ(result.resume, WaitingAction::Save);
    prompts.answers = {false};
    EXPECT_EQ(form.save(), SaveOutcome::Closed);
    EXPECT_TRUE(has(DataLetter::O));
}

// F2 presses "Uložit" at once, while the report of the field just left
// still waits for the window to show it.
TEST_F(EntryReports, F2ShowsPageIIIAndWaitsForAPendingReport) {
    type(Field::R_SEdZahajeno1, "7:00");
    form.Hlaska(noPersons(), Field::R_SEdUkonceno1);
    EXPECT_EQ(form.UlozitMIClick(), SaveOutcome::WaitsForReport);
    EXPECT_EQ(form.page(), Page::Section3);
    EXPECT_EQ(form.focus(), EntryControl(Field::UlozitOkrBtn));
    EXPECT_EQ(hlasoOnDisk().Zahajeno1, "7:00") << "showing page III saved as every page change does";
    ASSERT_TRUE(form.beginReport());
    EXPECT_EQ(form.answerReport(ReportAnswer::GoOn).resume, WaitingAction::Save);
    prompts.answers = {false};
    EXPECT_EQ(form.UlozitMIClick(), SaveOutcome::Closed);
    EXPECT_TRUE(has(DataLetter::O));
}

TEST_F(EntryReports, PokracovatWaitsForTheAnswerToo) {
    struct Case {
        const char* name;
        Page from;
        WaitingAction action;
        Page after;
    } cases[] = {
        {"pageI", Page::Section1, WaitingAction::ContinueSection1, Page::Section2},
        {"pageII", Page::Section2, WaitingAction::ContinueSection2, Page::Annex1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form.changePage(c.from);
        form.Hlaska(noPersons(), Field::R_Dalsi_Btn);
        const PageChange waited =
            c.from == Page::Section1 ? form.continueFromSection1() : form.continueFromSection2();
        EXPECT_EQ(waited, PageChange::WaitsForReport);
        EXPECT_EQ(form.page(), c.from);
        ASSERT_TRUE(form.beginReport());
        EXPECT_EQ(form.answerReport(ReportAnswer::GoOn).resume, c.action);
        const PageChange went =
            c.from == Page::Section1 ? form.continueFromSection1() : form.continueFromSection2();
        EXPECT_EQ(went, PageChange::Changed);
        EXPECT_EQ(form.page(), c.after);
    }
}

TEST_F(EntryReports, TheDialogWordsTheFindingFromTheCatalogue) {
    const checks::FieldMessage m = form.messageOf(noPersons());
    EXPECT_EQ(m.heading, "Chyba č. 4");
    EXPECT_FALSE(m.warning);
    EXPECT_EQ(m.secondButton(), "&Potvrdit");
    EXPECT_EQ(noPersons().secondButton(), "&Potvrdit");
    FieldFinding warning{96, "812", Field::R_EdZapsOsoby, 0, true, false};
    EXPECT_EQ(form.messageOf(warning).heading, "Upozornění (č. 96)");
    FieldFinding error;
    error.code = 15;
    EXPECT_EQ(error.secondButton(), "&Ignorovat");
}

}  // namespace
}  // namespace talmorek::testing
