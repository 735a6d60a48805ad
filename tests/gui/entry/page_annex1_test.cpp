// Annex 1 of the entry window with the keyboard alone: the party shown with
// its rows, a party chosen with the arrows, and Enter on the last candidate
// field moving from party to party and on to page III.
#include "gui/entry/page_annex1.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "gui/entry/page_section2.h"
#include "gui/entry/s_edit.h"
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
    entry::RecordOfVote record = talmorek::testing::cleanRecord(s.parties());
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

}  // namespace
}  // namespace talmorek::gui::testing
