// The entry window as the commission works it, with the keyboard alone:
// the wiring of keys, focus, pages and reports to the form's logic. What
// the logic decides is proved by the core's tests; here, that the window
// hands it every key and shows what it answers.
#include "gui/entry/entry_window.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/data/working_files.h"
#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "gui/entry/entry_notebook.h"
#include "gui/entry/names_grid.h"
#include "gui/controls/s_edit.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

using exporting::DataLetter;
using entry::EntryField;
using entry::FieldFinding;

const std::string kCloseQuestion =
    "questionDefaultNo|Vstup dat za okrsek|Opravdu ukončit pořizování bez uložení změn na aktuální záložce?";
const std::string kExportQuestion = "question|Vstup dat za okrsek|Chcete pokračovat exportem dat a tiskem zápisu?";

TSEdit* edit(const EntrySession& s, const char* name) { return s.find<TSEdit>(name); }

// ---------------------------------------------------------------------------
// Enter walks page I.

struct WalkCase {
    const char* name;
    bool abroad;
    data::Hlasovani course;
    std::vector<std::string> order;  // from R_SEdZahajeno1, one Enter each
};

data::Hlasovani answered(const char* odroceno, const char* stiznosti, const char* schranka) {
    data::Hlasovani h;
    h.Odroceno = odroceno;
    h.Prodlouzeno = "N";
    h.Preruseno = "N";
    h.Stiznosti = stiznosti;
    h.Schranka = schranka;
    return h;
}

std::vector<std::string> walk(const char* odroc, const char* prodl, const char* prerus, const char* stizn,
                              const char* schranka) {
    std::vector<std::string> order = {"R_SEdZahajeno1", "R_SEdUkonceno1", "R_SEdZahajeno2", "R_SEdUkonceno2",
                                      odroc,            "R_SEdOdrocenoD", "R_SEdOdrocenoH", "R_SEdOdrocenoM",
                                      "R_SEdDuvodOdroc", prodl,           "R_SEdProdlouzD", "R_SEdProdlouzH",
                                      "R_SEdProdlouzM", "R_SEdDuvodProdl", prerus,          "R_SEdPrerusD",
                                      "R_SEdPrerusOd",  "R_SEdPrerusDo",  "R_SEdDuvodPrer", stizn,
                                      "R_SEdStizListu"};
    if (schranka) order.push_back(schranka);
    order.push_back("R_Dalsi_Btn");
    return order;
}

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class EnterWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(EnterWalk, PageIInTabOrderThroughTheChosenButtonOfEachQuestion) {
    const WalkCase& c = GetParam();
    EntrySession s(c.abroad ? EntrySession::Precinct::Abroad : EntrySession::Precinct::Ordinary);
    data::ZapisHlasovani(s.dataDir(), c.course);
    std::vector<std::string> seen;
    int pageAfter = -1;
    s.open([&] {
        seen.push_back(s.focused());
        for (std::size_t i = 1; i < c.order.size(); ++i) {
            s.key(Qt::Key_Return);
            seen.push_back(s.focused());
        }
        // Enter on "Pokračovat" presses it: page II.
        s.key(Qt::Key_Return);
        pageAfter = s.page();
    });
    EXPECT_EQ(seen, c.order);
    EXPECT_EQ(pageAfter, 1);
    EXPECT_TRUE(s.hasData(DataLetter::E));
}

INSTANTIATE_TEST_SUITE_P(
    EntryWindow, EnterWalk,
    ::testing::Values(
        WalkCase{"every_question_no", false, answered("N", "N", "N"),
                 walk("R_OdrocNRB", "R_ProdlNRB", "R_PrerusNRB", "R_StiznNRB", "R_SchrankaNRB")},
        WalkCase{"yes_answers_put_their_yes_button_in_the_chain", false, answered("B", "B", "B"),
                 walk("R_OdrocBRB", "R_ProdlNRB", "R_PrerusNRB", "R_StiznBRB", "R_SchrankaBRB")},
        WalkCase{"a_value_neither_B_nor_N_reads_no", false, answered("X", "", "?"),
                 walk("R_OdrocNRB", "R_ProdlNRB", "R_PrerusNRB", "R_StiznNRB", "R_SchrankaNRB")},
        WalkCase{"abroad_without_the_ballot_box_question", true, answered("N", "N", "N"),
                 walk("R_OdrocNRB", "R_ProdlNRB", "R_PrerusNRB", "R_StiznNRB", nullptr)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EntryWindow, ArrowsChooseWithinTheQuestionAndLettersChangeNothing) {
    EntrySession s;
    std::string afterArrow, afterLetters, focusAfterLetters, afterTab;
    s.open([&] {
        s.find<QRadioButton>("R_OdrocNRB")->setFocus();
        s.key(Qt::Key_Right);
        afterArrow = s.form->record().hlasovani.Odroceno;
        type(QStringLiteral("n x"));
        afterLetters = s.form->record().hlasovani.Odroceno;
        focusAfterLetters = s.focused();
        s.key(Qt::Key_Tab);
        afterTab = s.focused();
    });
    EXPECT_EQ(afterArrow, "B");
    EXPECT_EQ(afterLetters, "B");
    EXPECT_EQ(focusAfterLetters, "R_OdrocBRB");
    EXPECT_EQ(afterTab, "R_SEdOdrocenoD");
}

// ---------------------------------------------------------------------------
// Pages.

TEST(EntryWindow, PageDownAndPageUpWrapAndPassAnnex1WithoutAParty) {
    struct Step {
        Qt::Key key;
        int page;
        const char* focus;
    };
    const Step steps[] = {
        {Qt::Key_PageDown, 1, "R_EdZapsOsoby"},  {Qt::Key_PageDown, 3, "R_SEdClenuOVKC"}, {Qt::Key_PageDown, 0, "R_SEdZahajeno1"},
        {Qt::Key_PageUp, 3, "R_SEdClenuOVKC"}, {Qt::Key_PageUp, 1, "R_EdZapsOsoby"},     {Qt::Key_PageUp, 0, "R_SEdZahajeno1"},
    };
    EntrySession s;
    std::vector<std::pair<int, std::string>> seen;
    s.open([&] {
        for (const Step& step : steps) {
            s.key(step.key);
            seen.emplace_back(s.page(), s.focused());
        }
    });
    std::vector<std::pair<int, std::string>> expected;
    for (const Step& step : steps) expected.emplace_back(step.page, step.focus);
    EXPECT_EQ(seen, expected);
}

TEST(EntryWindow, PageDownTurnsThePageFromTheNamesGridAndItsCellEditorToo) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);  // four names
    std::vector<int> pages;
    s.open([&] {
        auto* grid = s.find<TZColorStringGrid>("R_JmenaKomise_SG");
        s.key(Qt::Key_PageUp);
        grid->setFocus();
        s.key(Qt::Key_PageDown);
        pages.push_back(s.page());
        s.key(Qt::Key_PageUp);
        grid->setFocus();
        grid->setCurrentNameRow(0);
        type(QStringLiteral("Jan Malý"));  // typed into the cell editor, not yet left
        s.key(Qt::Key_PageDown);
        pages.push_back(s.page());
    });
    EXPECT_EQ(pages, (std::vector<int>{0, 0}));
    const data::SeznamKomise names = data::NactiKomisi(s.dataDir());
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0].clen, "Jan Malý") << "the name was finished before the page change saved";
}

TEST(EntryWindow, TheAnnex1TabWithoutAPartyBeepsAndStays) {
    EntrySession s;
    BeepCounter beeps;
    int page = -1;
    std::string focus;
    s.open([&] {
        QTabBar* tabs = s.window->notebook()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        page = s.page();
        focus = s.focused();
    });
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(page, 0);
    EXPECT_EQ(focus, "R_SEdZahajeno1");
    EXPECT_FALSE(s.hasData(DataLetter::E));
}

TEST(EntryWindow, ATabClickChangesThePageThroughTheLogic) {
    EntrySession s;
    int page = -1;
    std::string focus;
    s.open([&] {
        QTabBar* tabs = s.window->notebook()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        page = s.page();
        focus = s.focused();
    });
    EXPECT_EQ(page, 3);
    EXPECT_EQ(focus, "R_SEdClenuOVKC");
    EXPECT_TRUE(s.hasData(DataLetter::E));
}

TEST(EntryWindow, AValueTypedAndNotLeftIsSavedByThePageChange) {
    EntrySession s;
    s.open([&] {
        type(QStringLiteral("7:30"));
        s.key(Qt::Key_PageDown);
    });
    EXPECT_EQ(data::NactiHlasovani(s.dataDir()).Zahajeno1, "7:30");
    EXPECT_TRUE(s.hasData(DataLetter::E));
}

// ---------------------------------------------------------------------------
// Reports.

// A finding of the logic for the start of voting on page I, as a check of a
// later page could raise it.
FieldFinding findingForZahajeno1() {
    FieldFinding f;
    f.code = 11;
    f.param = "2391";
    f.field = entry::EntryControl(EntryField::R_SEdZahajeno1);
    return f;
}

class PendingReport : public ::testing::Test {
protected:
    void SetUp() override {
        record::RecordOfVote clean = talmorek::testing::cleanRecord(s.parties());
        clean.hlasovani.Zahajeno1 = "7:00";
        s.saveRecord(clean, DataLetter::E);
    }
    // Opens the window, queues the finding through the logic and presses F2
    // on page I; `answer` is the button of the message dialog.
    int pressF2Answering(const char* answer) {
        return s.open([&] {
            s.form->Hlaska(findingForZahajeno1());
            answerF2(answer);
            stillOpen = s.window->isVisible();
            if (!stillOpen) return;
            waitFor([&] { return s.window->isActiveWindow(); });
            page = s.page();
            focus = s.focused();
            waitFor([&] { return edit(s, "R_SEdZahajeno1")->hasSelectedText(); }, 1000);
            selected = edit(s, "R_SEdZahajeno1")->selectedText().toStdString();
        });
    }

    void answerF2(const char* answer) {
        DialogAnswerer answerer([&](QWidget* dialog) {
            heading = dialog->findChild<QLabel*>(QStringLiteral("ChybaL"))->text().toStdString();
            dialog->findChild<QPushButton*>(QString::fromLatin1(answer))->click();
        });
        s.key(Qt::Key_F2);
        waitFor([&] { return answerer.answered() && !s.hlaska->isVisible(); });
        EXPECT_EQ(answerer.failure(), "");
    }

    EntrySession s;
    std::string heading, focus, selected;
    bool stillOpen = false;
    int page = -1;
};

TEST_F(PendingReport, OpravitStopsTheSaveAndFocusesTheFieldWithItsTextSelected) {
    EXPECT_EQ(pressF2Answering("OpravitBtn"), QDialog::Rejected);
    EXPECT_EQ(heading, "Chyba č. 11");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(page, 0);
    EXPECT_EQ(focus, "R_SEdZahajeno1");
    EXPECT_EQ(selected, "7:00");
    EXPECT_TRUE(s.printJobs.calls.empty()) << "the checks ran";
    EXPECT_TRUE(s.prompts.calls.empty()) << s.prompts.calls.front();
    EXPECT_FALSE(s.hasData(DataLetter::O));
}

TEST_F(PendingReport, IgnorovatLetsTheSaveGoOn) {
    s.prompts.answers = {false};  // no export now
    EXPECT_EQ(pressF2Answering("IgnorovatBtn"), QDialog::Accepted);
    EXPECT_EQ(heading, "Chyba č. 11");
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(s.printJobs.jobs(), (std::vector<std::string>{"protocolOfChecks"}));
    EXPECT_EQ(s.prompts.calls, (std::vector<std::string>{kExportQuestion}));
    EXPECT_TRUE(s.hasData(DataLetter::O));
    EXPECT_FALSE(s.hasData(DataLetter::E));
}

TEST(EntryWindow, AFindingThatComesInIsShownOnceTheFocusHasSettled) {
    EntrySession s;
    bool shownAtOnce = true;
    std::string focusAfter;
    s.open([&] {
        DialogAnswerer answerer([](QWidget* dialog) {
            dialog->findChild<QPushButton*>(QStringLiteral("IgnorovatBtn"))->click();
        });
        s.key(Qt::Key_Return);  // on to R_SEdUkonceno1
        s.window->Hlaska(findingForZahajeno1());
        shownAtOnce = s.hlaska->isVisible();
        waitFor([&] { return answerer.answered() && !s.hlaska->isVisible() && s.window->isActiveWindow(); });
        focusAfter = s.focused();
    });
    EXPECT_FALSE(shownAtOnce);
    EXPECT_EQ(focusAfter, "R_SEdUkonceno1");
}

// ---------------------------------------------------------------------------
// Closing.

TEST(EntryWindow, OpeningThenEscapeAndYesLeavesEveryFileAsItWas) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::O);
    const auto before = s.files();
    s.prompts.answers = {true};
    bool closed = false;
    EXPECT_EQ(s.open([&] {
                  type(QStringLiteral("8:00"));
                  s.key(Qt::Key_Escape);
                  closed = !s.window->isVisible();
              }),
              QDialog::Rejected);
    EXPECT_TRUE(closed);
    EXPECT_EQ(s.prompts.calls, (std::vector<std::string>{kCloseQuestion}));
    EXPECT_EQ(s.files(), before);
}

TEST(EntryWindow, EscapeAnsweredNoKeepsTheWindowAndWhatWasTyped) {
    EntrySession s;
    s.prompts.answers = {false};
    bool open = false;
    std::string text;
    s.open([&] {
        type(QStringLiteral("8:00"));
        s.key(Qt::Key_Escape);
        open = s.window->isVisible();
        text = edit(s, "R_SEdZahajeno1")->text().toStdString();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(text, "8:00");
    EXPECT_EQ(s.prompts.calls, (std::vector<std::string>{kCloseQuestion}));
}

TEST(EntryWindow, ZrusitAndTheCloseBoxAskTheSameQuestion) {
    EntrySession s;
    s.prompts.answers = {false, true};
    bool openAfterZrusit = false, openAfterClose = true;
    s.open([&] {
        s.find<QPushButton>("zrusitBtn")->click();
        openAfterZrusit = s.window->isVisible();
        s.window->close();
        openAfterClose = s.window->isVisible();
    });
    EXPECT_TRUE(openAfterZrusit);
    EXPECT_FALSE(openAfterClose);
    EXPECT_EQ(s.prompts.calls, (std::vector<std::string>{kCloseQuestion, kCloseQuestion}));
}

// ---------------------------------------------------------------------------
// Page III.

TEST(EntryWindow, EnterOnTheLastFieldGoesToUlozitWithoutPressingIt) {
    EntrySession s;
    std::string focus;
    bool open = false;
    s.open([&] {
        s.key(Qt::Key_PageUp);
        edit(s, "R_SEdOstatni")->setFocus();
        s.key(Qt::Key_Return);
        focus = s.focused();
        open = s.window->isVisible();
    });
    EXPECT_EQ(focus, "UlozitOkrBtn");
    EXPECT_TRUE(open);
    EXPECT_TRUE(s.printJobs.calls.empty());
}

TEST(EntryWindow, MembersPresentGiveTheGridItsNumberedRows) {
    EntrySession s;
    QStringList before, numbers;
    std::string focus;
    s.open([&] {
        auto* grid = s.find<TZColorStringGrid>("R_JmenaKomise_SG");
        auto numbersOf = [grid] {
            QStringList list;
            for (int row = 0; row < grid->nameRowCount(); ++row)
                list << grid->cellText(TZColorStringGrid::kNumberColumn, row);
            return list;
        };
        before = numbersOf();
        s.key(Qt::Key_PageUp);
        s.key(Qt::Key_Return);  // R_SEdClenuOVKC to R_SEdClenuOVKP
        type(QStringLiteral("5"));
        s.key(Qt::Key_Return);
        numbers = numbersOf();
        focus = s.focused();
    });
    EXPECT_EQ(before, QStringList{QString()}) << "nobody present: one blank row";
    EXPECT_EQ(numbers, (QStringList{"2.", "3.", "4.", "5."}));
    EXPECT_EQ(focus, "R_SEdZapisovat");
}

TEST(EntryWindow, AbroadTheLastNameRowHandsOnToTheOtherPersonsPresent) {
    EntrySession s(EntrySession::Precinct::Abroad);
    std::string focus;
    bool entrustedShown = true;
    QString label35;
    s.open([&] {
        label35 = s.find<QLabel>("R_Label35")->text();
        s.key(Qt::Key_PageUp);
        entrustedShown = edit(s, "R_SEdPoverPred")->isVisible();
        s.find<TZColorStringGrid>("R_JmenaKomise_SG")->setFocus();
        s.key(Qt::Key_Return);  // the one name row is the last
        focus = s.focused();
    });
    EXPECT_EQ(label35, QStringLiteral("Název okrsku"));
    EXPECT_FALSE(entrustedShown);
    EXPECT_EQ(focus, "R_SEdOstatni");
}

// ---------------------------------------------------------------------------
// The frame.

TEST(EntryWindow, CaptionPagesAndTheirTabs) {
    EntrySession s;
    QString caption;
    QStringList tabs;
    s.open([&] {
        caption = s.window->windowTitle();
        for (int i = 0; i < s.window->notebook()->count(); ++i) tabs << s.window->notebook()->tabText(i);
    });
    EXPECT_TRUE(caption.startsWith(QStringLiteral("Vstup dat za okrsek - "))) << caption.toStdString();
    EXPECT_EQ(tabs, (QStringList{"T/4 - odd. I", "T/4 - odd. II", "Příloha č. 1", "T/4 - odd. III"}));
    EXPECT_EQ(s.window->minimumSize(), s.window->maximumSize()) << "fixed size";
}

TEST(EntryWindow, EveryFieldSaysWhatTheFormAsks) {
    struct Named {
        const char* control;
        const char* sentence;
    };
    const Named samples[] = {
        {"R_SEdZahajeno1", "Předseda komise zahájil hlasování první den voleb v … hodin."},
        {"R_OdrocBRB", "Zahájení hlasování bylo odročeno dne"},
        {"R_SEdStizListu",
         "Jejich stručný obsah, přijatá usnesení a jejich stručné zdůvodnění jsou uvedeny v příloze na … listech."},
        {"R_SEdOstatni", "Kromě členů komise dále byli v době vyhotovení zápisu přítomni:"},
    };
    EntrySession s;
    for (const Named& n : samples) {
        EXPECT_EQ(s.find<QWidget>(n.control)->accessibleName(), QString::fromUtf8(n.sentence)) << n.control;
    }
    std::vector<std::string> unnamed;
    for (QWidget* w : s.window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<TSEdit*>(w) || qobject_cast<QRadioButton*>(w) ||
                             qobject_cast<QPushButton*>(w) || qobject_cast<TZColorStringGrid*>(w);
        if (control && w->window() == s.window.get() && w->accessibleName().isEmpty()) unnamed.push_back(w->objectName().toStdString());
    }
    EXPECT_TRUE(unnamed.empty()) << unnamed.front();
}

}  // namespace
}  // namespace talmorek::gui::testing
