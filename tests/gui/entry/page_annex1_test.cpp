// Annex 1 of the entry window with the keyboard alone: the party shown with
// its rows, a party chosen with the arrows, and Enter on the last candidate
// field moving from party to party and on to page III.
#include "gui/entry/page_annex1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "gui/entry/page_section2.h"
#include "gui/controls/s_edit.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

using exporting::DataLetter;

constexpr int kAnnex1 = 2, kSection3 = 3;

// From page I of the clean record to Annex 1 by "Pokračovat" of page II.
void toAnnex1(const EntrySession& s) {
    s.key(Qt::Key_PageDown);
    s.window->section2()->dalsiButton()->setFocus();
    s.key(Qt::Key_Return);
}

struct Shown {
    std::string party, votes, kc4, last;
    std::string row1, product1, product3;
    bool row21Enabled;
    std::string product21;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& v, std::ostream* os) {
    *os << v.party << "|" << v.votes << "|" << v.kc4 << "|" << v.last << "|" << v.row1 << "|" << v.product1 << "|"
        << v.product3 << "|" << v.row21Enabled << "|" << v.product21;
}

Shown shown(const EntrySession& s) {
    PageAnnex1* a = s.window->annex1();
    auto text = [&](const char* name) { return s.find<TSEdit>(name)->text().toStdString(); };
    return {text("R_EdCisStr"),
            text("R_EdPocHl"),
            text("R_EdT4PKC4"),
            text("R_EdT4PPoslKand"),
            a->candidate(1)->text().toStdString(),
            a->product(1)->text().toStdString(),
            a->product(3)->text().toStdString(),
            a->candidate(21)->isEnabled(),
            a->product(21)->text().toStdString()};
}

TEST(PageAnnex1, ShowsTheFirstTickedPartyAndTheArrowsChooseTheNext) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    Shown first, second;
    std::string focus;
    int items = 0;
    s.open([&] {
        toAnnex1(s);
        focus = s.focused();
        items = s.window->annex1()->partyCombo()->count();
        first = shown(s);
        s.key(Qt::Key_Down);
        second = shown(s);
    });
    EXPECT_EQ(focus, "R_CBT4P_1");
    EXPECT_EQ(items, 3);
    // Party 1: 300 votes, 40 for candidate 1 and 30 for candidate 3.
    EXPECT_EQ(first, (Shown{"1", "300", std::to_string(1 + 300 + 40 + 90), "3", "40", "     40", "     90", true,
                            "      0"}));
    // Party 2 has 20 candidates: row 21 takes no votes.
    EXPECT_FALSE(second.row21Enabled);
    EXPECT_EQ(second.product21, "-------");
    EXPECT_EQ(second.party, "2");
}

TEST(PageAnnex1, EnterOnTheLastCandidateGoesFromPartyToPartyAndAfterTheLastToPageIII) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::vector<std::pair<std::string, std::string>> seen;  // party shown, focus
    int page = -1;
    s.open([&] {
        toAnnex1(s);
        for (int i = 0; i < 3; ++i) {
            s.key(Qt::Key_Return, Qt::ControlModifier);
            s.key(Qt::Key_Return);
            waitFor([&] { return s.focused() == "R_CBT4P_1" || s.page() != kAnnex1; }, 2000);
            seen.emplace_back(s.find<TSEdit>("R_EdCisStr")->text().toStdString(), s.focused());
        }
        page = s.page();
    });
    EXPECT_EQ(seen[0], (std::pair<std::string, std::string>{"2", "R_CBT4P_1"}));
    EXPECT_EQ(seen[1], (std::pair<std::string, std::string>{"7", "R_CBT4P_1"}));
    EXPECT_EQ(page, kSection3);
}

TEST(PageAnnex1, OpravitAfterEnterMovedOnBringsBackThePartyOfTheFinding) {
    EntrySession s;
    record::RecordOfVote record = talmorek::testing::cleanRecord(s.parties());
    // Party 1: 300 votes, 1500 preferential votes (none above 300): rule 19 only.
    for (std::size_t j = 0; j < 5; ++j) record.party(1).PrefHlasy.at(j) = 300;
    s.saveRecord(record, DataLetter::E);
    std::string heading, party, focus;
    s.open([&] {
        toAnnex1(s);
        DialogAnswerer answerer([&](QWidget* dialog) {
            heading = dialog->findChild<QLabel*>(QStringLiteral("ChybaL"))->text().toStdString();
            dialog->findChild<QPushButton*>(QStringLiteral("OpravitBtn"))->click();
        });
        s.key(Qt::Key_Return, Qt::ControlModifier);
        s.key(Qt::Key_Return);  // party 2 is shown, then party 1 is judged
        waitFor([&] { return answerer.answered() && !s.hlaska->isVisible() && s.focused() == "CandEdit1"; }, 3000);
        EXPECT_EQ(answerer.failure(), "");
        party = s.find<TSEdit>("R_EdCisStr")->text().toStdString();
        focus = s.focused();
    });
    EXPECT_EQ(heading, "Chyba č. 19");
    EXPECT_EQ(party, "1");
    EXPECT_EQ(focus, "CandEdit1");
}

// The marks of the receiving point are on the form but never shown; they
// follow the record: the party's mark changes with the party shown.
TEST(PageAnnex1, TheReceivingPointMarksStayHiddenAndFollowTheRecord) {
    EntrySession s;
    record::RecordOfVote record = talmorek::testing::cleanRecord(s.parties());
    record.T4.Oprava = 1;
    record.TS.ZpusobPorizeni = 9;
    record.party(1).Oprava = 1;
    s.saveRecord(record, DataLetter::E);
    struct Mark {
        bool ticked, hidden;
        bool operator==(const Mark&) const = default;
    };
    auto mark = [&](const char* name) {
        auto* box = s.find<QCheckBox>(name);
        return box ? Mark{box->isChecked(), box->isHidden()} : Mark{false, false};
    };
    Mark section2Oprava{}, zapisTNLoaded{}, zapisTN{}, party1{}, party2{};
    s.open([&] {
        zapisTNLoaded = mark("R_T4ZapisTNCB");
        s.key(Qt::Key_PageDown);
        section2Oprava = mark("R_T4OpravaCB");
        zapisTN = mark("R_T4ZapisTNCB");
        toAnnex1(s);
        party1 = mark("R_T4POpravaCB");
        s.key(Qt::Key_Down);
        party2 = mark("R_T4POpravaCB");
    });
    EXPECT_EQ(section2Oprava, (Mark{true, true})) << "passes through as loaded";
    EXPECT_EQ(zapisTNLoaded, (Mark{true, true}));
    // Every page change recomputes the summary: typed here, not at the receiving point.
    EXPECT_EQ(zapisTN, (Mark{false, true}));
    EXPECT_EQ(party1, (Mark{true, true}));
    EXPECT_EQ(party2, (Mark{false, true}));
}

// Three bars stand between the columns of candidates and after the last,
// each clear of the rows beside it.
TEST(PageAnnex1, ThreeBarsCloseTheColumnsOfCandidates) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::vector<QRect> bars, products, fields;
    s.open([&] {
        toAnnex1(s);
        PageAnnex1* a = s.window->annex1();
        auto inPage = [&](QWidget* w) { return QRect(w->mapTo(a, QPoint(0, 0)), w->size()); };
        for (QFrame* bar : a->bars()) {
            if (bar->isVisible()) bars.push_back(inPage(bar));
        }
        for (int j : {12, 24, 36}) products.push_back(inPage(a->product(j)));
        for (int j : {13, 25}) fields.push_back(inPage(a->candidate(j)));
    });
    ASSERT_EQ(bars.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_GT(bars[k].left(), products[k].right()) << "bar " << k + 1;
        EXPECT_GE(bars[k].height(), 12 * products[k].height()) << "bar " << k + 1 << " spans the column";
        if (k < 2) {
            EXPECT_LT(bars[k].right(), fields[k].left()) << "bar " << k + 1;
        }
    }
}

// A finding belongs to the party it was found on, however the user left
// the field: "&Opravit" brings that party back, not the item before the one
// the combo box stands on.
struct LeaveCase {
    const char* name;
    const char* field;  // of party 2, the second item
    const char* value;
    enum Leave { ShiftTab, ShiftTabThenDown, Mouse } leave;  // how the field and its party are left
    const char* heading;
};

void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }

class OpravitAfterLeaving : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(OpravitAfterLeaving, BringsBackThePartyOfTheFinding) {
    const LeaveCase& c = GetParam();
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::string heading, partyReported, party, focus, failure;
    int item = -1;
    s.open([&] {
        toAnnex1(s);
        s.key(Qt::Key_Down);  // party 2, chosen with the arrows
        s.key(Qt::Key_Return);
        if (std::string(c.field) == "CandEdit1") s.key(Qt::Key_Return);
        waitFor([&] { return s.focused() == c.field; }, 2000);
        waitFor([&] { return s.find<TSEdit>(c.field)->hasSelectedText(); }, 1000);
        DialogAnswerer answerer([&](QWidget* dialog) {
            heading = dialog->findChild<QLabel*>(QStringLiteral("ChybaL"))->text().toStdString();
            partyReported = s.find<TSEdit>("R_EdCisStr")->text().toStdString();
            dialog->findChild<QPushButton*>(QStringLiteral("OpravitBtn"))->click();
        });
        type(QString::fromLatin1(c.value));
        QComboBox* combo = s.window->annex1()->partyCombo();
        if (c.leave == LeaveCase::Mouse) {
            QTest::mouseClick(combo, Qt::LeftButton);
        } else {
            for (int i = 0; i < 3 && s.focused() != "R_CBT4P_1"; ++i) s.key(Qt::Key_Backtab, Qt::ShiftModifier);
            // A quick hand chooses party 7 before the report is up.
            if (c.leave == LeaveCase::ShiftTabThenDown) s.key(Qt::Key_Down);
        }
        waitFor([&] { return answerer.answered() && !s.hlaska->isVisible() && s.focused() == c.field; }, 3000);
        failure = answerer.failure();
        party = s.find<TSEdit>("R_EdCisStr")->text().toStdString();
        focus = s.focused();
        item = combo->currentIndex();
        combo->hidePopup();
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(heading, c.heading);
    EXPECT_EQ(partyReported, c.leave == LeaveCase::ShiftTabThenDown ? "7" : "2");
    EXPECT_EQ(party, "2");
    EXPECT_EQ(item, 1);
    EXPECT_EQ(focus, c.field);
}

INSTANTIATE_TEST_SUITE_P(
    PageAnnex1, OpravitAfterLeaving,
    ::testing::Values(
        // 600 votes of 521 valid in the precinct: error 15.
        LeaveCase{"party_votes_left_with_shift_tab", "R_EdPocHl", "600", LeaveCase::ShiftTab, "Chyba č. 15"},
        LeaveCase{"party_votes_left_then_the_next_party_chosen_with_the_arrows", "R_EdPocHl", "600",
                  LeaveCase::ShiftTabThenDown, "Chyba č. 15"},
        LeaveCase{"party_votes_left_with_the_mouse", "R_EdPocHl", "600", LeaveCase::Mouse, "Chyba č. 15"},
        // 200 preferential votes of the party's 150: error 18.
        LeaveCase{"candidate_left_with_the_mouse", "CandEdit1", "200", LeaveCase::Mouse, "Chyba č. 18"},
        LeaveCase{"candidate_left_then_the_next_party_chosen_with_the_arrows", "CandEdit1", "200",
                  LeaveCase::ShiftTabThenDown, "Chyba č. 18"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::gui::testing
