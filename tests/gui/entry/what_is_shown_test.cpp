// What the commission sees is what the record holds, and cancelling judges
// nothing: a field left shows the value the record keeps of what was typed;
// Escape, "Zrušit" and the close box go straight to the close question; a
// save shows page I before the checks speak.
#include <QCoreApplication>
#include <QPushButton>
#include <QtTest/QTest>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "gui/entry/entry_notebook.h"
#include "gui/entry/page_section1.h"
#include "gui/controls/s_edit.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

using exporting::DataLetter;
using entry::EntryControl;
using entry::EntryField;

const std::string kCloseQuestion =
    "questionDefaultNo|Vstup dat za okrsek|Opravdu ukončit pořizování bez uložení změn na aktuální záložce?";

// ---------------------------------------------------------------------------
// A field left shows the stored value.

struct ShownCase {
    const char* name;
    int page;             // 0 page I, 1 page II, 2 Annex 1, 3 page III
    const char* field;    // object name
    const char* typed;    // "" empties the field
    const char* shown;    // the field's text once left
};

const ShownCase kShownCases[] = {
    // 16-bit totals keep their value modulo 65536: KČ2 and the file hold the same.
    {"issued_70000_keeps_4464", 1, "R_EdVydObalky", "70000", "4464"},
    {"handed_in_65600_keeps_64", 1, "R_EdOdevzdObalky", "65600", "64"},
    {"valid_65537_keeps_1", 1, "R_EdPlatneHlasy", "65537", "1"},
    {"persons_with_a_leading_zero", 1, "R_EdZapsOsoby", "0812", "812"},
    {"persons_emptied_show_0", 1, "R_EdZapsOsoby", "", "0"},
    {"issued_00_show_0", 1, "R_EdVydObalky", "00", "0"},
    // Page I: an hour "0" is no hour; "00" is kept as typed.
    {"postponed_hour_0_is_empty", 0, "R_SEdOdrocenoH", "0", ""},
    {"postponed_minute_00_stays", 0, "R_SEdOdrocenoM", "00", "00"},
    {"opening_time_as_typed", 0, "R_SEdZahajeno1", "7:00", "7:00"},
    // Annex 1: the party's votes and a candidate's preferential votes.
    {"party_votes_70000_keep_4464", 2, "R_EdPocHl", "70000", "4464"},
    {"party_votes_with_leading_zeros", 2, "R_EdPocHl", "00120", "120"},
    {"preferential_votes_with_a_leading_zero", 2, "CandEdit1", "07", "7"},
    {"preferential_votes_emptied_show_0", 2, "CandEdit2", "", "0"},
    // Page III: counts are kept as the text typed.
    {"members_as_typed", 3, "R_SEdClenuOVKC", "07", "07"},
};

class ShownValue : public ::testing::TestWithParam<ShownCase> {};

TEST_P(ShownValue, TheFieldLeftShowsWhatTheRecordHolds) {
    const ShownCase& c = GetParam();
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::string shown, held, kc2, kc2Held;
    s.open([&] {
        for (int i = 0; i < c.page; ++i) s.key(Qt::Key_PageDown);
        TSEdit* edit = s.find<TSEdit>(c.field);
        ASSERT_TRUE(edit);
        edit->setFocus(Qt::TabFocusReason);
        waitFor([&] { return edit->hasFocus() && (edit->text().isEmpty() || edit->hasSelectedText()); }, 1000);
        if (*c.typed) {
            type(QString::fromUtf8(c.typed));
        } else {
            press(Qt::Key_Delete);
        }
        // A rule the value breaks is reported; the commission goes on.
        DialogAnswerer answerer(
            [](QWidget* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("IgnorovatBtn"))->click(); });
        press(Qt::Key_Tab);
        waitFor([&] { return !s.form->reportPending() && !s.hlaska->isVisible(); }, 2000);
        shown = edit->text().toStdString();
        const auto control = entry::controlNamed(c.field);
        held = s.form->fieldText(*control);
        kc2 = s.find<TSEdit>("R_EdT4KC_2")->text().toStdString();
        kc2Held = std::to_string(s.form->record().T4.KC2);
    });
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(shown, held) << "the screen and the record disagree";
    EXPECT_EQ(kc2, kc2Held);
}

INSTANTIATE_TEST_SUITE_P(EntryWindow, ShownValue, ::testing::ValuesIn(kShownCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The file holds what the field showed.
TEST(EntryWindow, TheDataFileHoldsTheNumberTheFieldShows) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::string shown;
    s.open([&] {
        s.key(Qt::Key_PageDown);
        s.key(Qt::Key_Return);  // on to the envelopes issued
        DialogAnswerer answerer(
            [](QWidget* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("IgnorovatBtn"))->click(); });
        type(QStringLiteral("70000"));
        s.key(Qt::Key_Return);
        waitFor([&] { return !s.form->reportPending() && !s.hlaska->isVisible(); }, 2000);
        shown = s.find<TSEdit>("R_EdVydObalky")->text().toStdString();
        // Page Up is the window's shortcut: the window is active again first.
        waitFor([&] { return s.window->isActiveWindow(); });
        s.key(Qt::Key_PageUp);  // a page change saves as "E"
        waitFor([&] { return s.page() == 0; }, 2000);
    });
    record::RecordOfVote saved;
    const data::TStanice station = data::NactiStanici(s.dir.path());
    ASSERT_TRUE(exporting::NactiData(saved, s.dataDir(), station.KodObce, station.CisloOkrsku, DataLetter::E));
    EXPECT_EQ(shown, "4464");
    EXPECT_EQ(saved.T4.VydObalky, 4464);
}

// ---------------------------------------------------------------------------
// Cancelling judges nothing.

struct CancelCase {
    const char* name;
    int way;  // 0 Escape, 1 "Zrušit" clicked, 2 the window manager's close (Alt+F4, the close box)
};

class Cancelling : public ::testing::TestWithParam<CancelCase> {};

// Persons 0 breaks rule 4: leaving the field for another field reports it,
// leaving it by cancelling must not.
TEST_P(Cancelling, GoesStraightToTheCloseQuestionWithoutAReport) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::map<std::string, std::string> before;
    s.prompts.answers = {false, true};  // "Ne" first: the window stays, and no report follows either
    bool reported = false, openAfterNo = false, openAfterYes = true;
    std::string focusAfterNo;
    s.open([&] {
        DialogAnswerer answerer([&](QWidget* dialog) {
            reported = true;
            dialog->findChild<QPushButton*>(QStringLiteral("OpravitBtn"))->click();
        });
        s.key(Qt::Key_PageDown);  // saves, as every page change does
        before = s.files();
        type(QStringLiteral("0"));
        auto cancel = [&] {
            switch (GetParam().way) {
                case 0: s.key(Qt::Key_Escape); break;
                case 1: s.find<QPushButton>("zrusitBtn")->click(); break;
                default: s.window->close(); break;
            }
        };
        cancel();
        // Time enough for a report that would come once the focus settles.
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        waitFor([&] { return reported; }, 300);
        openAfterNo = s.window->isVisible();
        focusAfterNo = s.focused();
        cancel();
        waitFor([&] { return reported || !s.window->isVisible(); }, 1000);
        openAfterYes = s.window->isVisible();
    });
    EXPECT_FALSE(reported) << "a rule was judged on the way out";
    EXPECT_TRUE(openAfterNo);
    EXPECT_FALSE(openAfterYes);
    EXPECT_EQ(s.prompts.calls, (std::vector<std::string>{kCloseQuestion, kCloseQuestion}));
    EXPECT_TRUE(s.files() == before) << "closing saved something";
}

// "Ne" to the close question: the commission types on where they were,
// the field neither left nor its text selected for overwriting.
TEST(EntryWindow, AfterNoTheFieldTakesTheNextKeysWhereItWas) {
    EntrySession s;
    s.prompts.answers = {false};
    std::string focus, text;
    bool selected = true;
    s.open([&] {
        type(QStringLiteral("7:0"));
        s.key(Qt::Key_Escape);
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        focus = s.focused();
        selected = s.find<TSEdit>("R_SEdZahajeno1")->hasSelectedText();
        type(QStringLiteral("0"));
        text = s.find<TSEdit>("R_SEdZahajeno1")->text().toStdString();
    });
    EXPECT_EQ(s.prompts.calls, (std::vector<std::string>{kCloseQuestion}));
    EXPECT_EQ(focus, "R_SEdZahajeno1");
    EXPECT_FALSE(selected);
    EXPECT_EQ(text, "7:00");
}

// Escape while a name is typed in the grid is the window's Escape too: the
// close question comes, and "Ne" keeps the name typed in its row.
TEST(EntryWindow, EscapeInANameBeingTypedAsksTheCloseQuestionAndKeepsTheName) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    s.prompts.answers = {false};
    std::string row1;
    bool open = false;
    s.open([&] {
        s.key(Qt::Key_PageUp);  // page III
        s.find<QWidget>("R_JmenaKomise_SG")->setFocus(Qt::TabFocusReason);
        type(QStringLiteral("Petr Novák"));
        s.key(Qt::Key_Escape);
        waitFor([&] { return !s.prompts.calls.empty(); }, 2000);
        open = s.window->isVisible();
        row1 = s.form->names().name(1);
    });
    EXPECT_EQ(s.prompts.calls, (std::vector<std::string>{kCloseQuestion}));
    EXPECT_TRUE(open);
    EXPECT_EQ(row1, "Petr Novák");
}

INSTANTIATE_TEST_SUITE_P(EntryWindow, Cancelling,
                         ::testing::Values(CancelCase{"Escape", 0}, CancelCase{"Zrusit", 1},
                                           CancelCase{"CloseBox", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The save goes to page I first, and the window shows it while the checks speak.

TEST(EntryWindow, TheSaveShowsPageIBeforeTheChecksReport) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    s.prompts.answers = {false};  // no export now
    int pageAtQuestion = -1;
    bool pageShownAtQuestion = false;
    s.prompts.onMessage = [&](const talmorek::testing::Message& m) {
        if (m.kind != "question") return;
        pageAtQuestion = s.window->notebook()->currentIndex();
        pageShownAtQuestion = s.window->section1()->isVisible();
    };
    const int result = s.open([&] {
        s.key(Qt::Key_PageUp);  // page III, where "Uložit" is
        ASSERT_EQ(s.page(), 3);
        s.key(Qt::Key_F2);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(pageAtQuestion, 0);
    EXPECT_TRUE(pageShownAtQuestion);
}

}  // namespace
}  // namespace talmorek::gui::testing
