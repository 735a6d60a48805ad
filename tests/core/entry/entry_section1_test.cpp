// Page "T/4 - odd. I": the free-text fields, the hours and minutes, and the
// yes/no questions.

#include <gtest/gtest.h>

#include "core/entry/entry_form_fixture.h"
#include "core/entry/entry_section1.h"
#include "core/workflow/station_display.h"

namespace talmorek::testing {
namespace {

class EntrySection1 : public EntryFormTest {
protected:
    EntrySection1() { openForm(); }
    const data::Hlasovani& h() const { return form.record().hlasovani; }
};

TEST_F(EntrySection1, AZeroHourOrMinuteIsStoredEmpty) {
    struct Case {
        const char* name;
        Field field;
        const char* typed;
        const char* stored;
    } cases[] = {
        {"odrocenoHour_0", Field::R_SEdOdrocenoH, "0", ""},
        {"odrocenoHour_00", Field::R_SEdOdrocenoH, "00", "00"},
        {"odrocenoMinute_0", Field::R_SEdOdrocenoM, "0", ""},
        {"prodlouzHour_space0", Field::R_SEdProdlouzH, " 0", ""},
        {"prodlouzMinute_05", Field::R_SEdProdlouzM, "05", "05"},
        {"prodlouzHour_7", Field::R_SEdProdlouzH, "7", "7"},
        {"stizListu_0_isNoHour", Field::R_SEdStizListu, "0", "0"},
        {"zahajeno_0_isNoHourField", Field::R_SEdZahajeno1, "0", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        type(c.field, c.typed);
        EXPECT_EQ(form.fieldText(c.field), c.stored);
    }
    form.changePage(Page::Section2);
    EXPECT_EQ(hlasoOnDisk().OdrocenoH, "00");
    EXPECT_EQ(hlasoOnDisk().OdrocenoM, "");
}

TEST_F(EntrySection1, TextIsStoredCutToTheCapacityOfItsRecordField) {
    const std::string reason(250, 'x');
    type(Field::R_SEdDuvodOdroc, reason);
    EXPECT_EQ(h().DuvodOdroc, std::string(200, 'x'));
    type(Field::R_SEdPrerusD, "9. října 2021 v sobotu, pozdě večer");
    EXPECT_EQ(h().PrerusD, "9. října 2021 v sobotu,") << "23 characters, as the record holds a date";
    type(Field::R_SEdZahajeno2, "8:00");
    EXPECT_EQ(h().Zahajeno2, "8:00");
}

TEST_F(EntrySection1, ChoosingAButtonSetsOnlyItsOwnQuestion) {
    const data::Hlasovani before = h();
    form.chooseRadio(Field::R_ProdlBRB);
    data::Hlasovani expected = before;
    expected.Prodlouzeno = "B";
    EXPECT_EQ(h(), expected);
    EXPECT_TRUE(form.radioChecked(Field::R_ProdlBRB));
    EXPECT_FALSE(form.radioChecked(Field::R_ProdlNRB));
    form.chooseRadio(Field::R_StiznBRB);
    form.chooseRadio(Field::R_ProdlNRB);
    EXPECT_EQ(h().Stiznosti, "B");
    EXPECT_EQ(h().Prodlouzeno, "N");
    EXPECT_EQ(h().Odroceno, "N");
}

// Leaving a button keeps what the chosen button says: the one left when it
// is the chosen one, the other otherwise.
TEST_F(EntrySection1, LeavingAButtonKeepsTheChoiceOfTheQuestion) {
    struct Case {
        Field chosen;
        Field left;
        std::string data::Hlasovani::*member;
        const char* afterLeaving;
    } cases[] = {
        {Field::R_OdrocNRB, Field::R_OdrocBRB, &data::Hlasovani::Odroceno, "N"},  // not the chosen button
        {Field::R_OdrocBRB, Field::R_OdrocBRB, &data::Hlasovani::Odroceno, "B"},
        {Field::R_PrerusNRB, Field::R_PrerusNRB, &data::Hlasovani::Preruseno, "N"},
        {Field::R_StiznBRB, Field::R_StiznNRB, &data::Hlasovani::Stiznosti, "B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(entry::controlName(c.left));
        form.chooseRadio(c.chosen);
        form.leaveRadio(c.left);
        EXPECT_EQ(h().*c.member, c.afterLeaving);
    }
}

TEST_F(EntrySection1, EveryFieldOfThePageStoresIntoItsOwnMember) {
    int i = 0;
    for (const entry::HlasovaniEdit& edit : entry::section1Edits()) {
        SCOPED_TRACE(entry::controlName(edit.control));
        const std::string value = std::to_string(10 + i++);
        type(edit.control, value);
        EXPECT_EQ(h().*edit.member, value);
        EXPECT_EQ(form.fieldText(edit.control), value);
        EXPECT_EQ(entry::pageOf(edit.control), Page::Section1);
    }
    EXPECT_EQ(i, 17);
    EXPECT_EQ(h().DatumVoleb, "") << "the dates shown are the main window's, not the record's";
    EXPECT_EQ(form.fieldText(Field::R_SEdDatumVoleb), workflow::electionDatesText(station()));
}

}  // namespace
}  // namespace talmorek::testing
