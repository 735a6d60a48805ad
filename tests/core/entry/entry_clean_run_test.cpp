// A whole record typed field by field from an empty precinct, as the
// commission types it on election night, through to the checks finding
// nothing: the pages, the party choice and Annex 1 fit together.

#include <gtest/gtest.h>

#include "core/entry/entry_form_fixture.h"
#include "core/data/blanks.h"

namespace talmorek::testing {
namespace {

using entry::EntryControl;
using entry::PageChange;

TEST_F(EntryFormTest, ACleanRecordTypedFromNothingPassesEveryCheck) {
    openForm();
    ASSERT_EQ(form.continueFromSection1(), PageChange::Changed);
    type(Field::R_EdZapsOsoby, "812");
    type(Field::R_EdVydObalky, "530");
    type(Field::R_EdOdevzdObalky, "528");
    type(Field::R_EdPlatneHlasy, "521");
    EXPECT_EQ(form.fieldText(Field::R_EdT4KC_1), "2");
    EXPECT_EQ(form.fieldText(Field::R_EdT4KC_2), "2391");

    form.tickParty(7, true);
    EXPECT_EQ(form.partyBoxExit(9, true), PageChange::Changed);
    ASSERT_EQ(form.page(), Page::Annex1);
    ASSERT_EQ(form.shownParty(), 7);
    type(Field::R_EdPocHl, "521");
    type({Field::CandEdit, 1}, "15");
    type({Field::CandEdit, 3}, "40");
    type({Field::CandEdit, 12}, "2");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PKC2), "528");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PKC3), "159");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PKC4), "687");
    EXPECT_EQ(form.fieldText(Field::R_EdT4PPoslKand), "12");
    form.KCisloMI1Click();
    EXPECT_EQ(form.focus(), EntryControl(Field::R_EdT4PPoslKand));
    EXPECT_EQ(form.lastCandidateExit(true), std::nullopt);
    ASSERT_EQ(form.page(), Page::Section3);

    type(Field::R_SEdClenuOVKC, "7");
    type(Field::R_SEdClenuOVKP, "5");
    type(Field::R_SEdZapisovat, "Jana Nováková");
    for (int row = 1; row <= 4; ++row) form.nameExit(row, "Člen " + std::to_string(row + 1));
    type(Field::R_SEdPoverPred, "Petr Svoboda");
    prompts.answers = {false};
    EXPECT_EQ(form.save(), entry::SaveOutcome::Closed);

    EXPECT_TRUE(workflow.state().KontrolyOK);
    EXPECT_EQ(data::trimBlanks(readBack(DataLetter::O).TS.SeznamChyb), "");
    EXPECT_TRUE(has(DataLetter::O));
    EXPECT_FALSE(has(DataLetter::E));
    EXPECT_EQ(komiseBytes().size(), 204u);
}

}  // namespace
}  // namespace talmorek::testing
