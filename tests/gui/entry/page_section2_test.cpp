// Page II of the entry window with the keyboard alone: the totals in their
// column, the party boxes in columns of 13, Space ticking, Enter walking the
// boxes and going on from the last one, and "Pokračovat".
#include "gui/entry/page_section2.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "entry_fixtures.h"
#include "entry_window_fixture.h"
#include "gui/controls/s_edit.h"
#include "support/installation.h"

namespace talmorek::gui::testing {
namespace {

using exporting::DataLetter;

constexpr int kSection2 = 1, kAnnex1 = 2, kSection3 = 3;

std::vector<std::string> boxNames(const EntrySession& s) {
    std::vector<std::string> names;
    for (QCheckBox* box : s.window->section2()->partyBoxes()) names.push_back(box->objectName().toStdString());
    return names;
}

std::vector<int> tickedBoxes(const EntrySession& s) {
    std::vector<int> ticked;
    for (QCheckBox* box : s.window->section2()->partyBoxes()) {
        if (box->isChecked()) ticked.push_back(s.window->section2()->partyOf(box));
    }
    return ticked;
}

// Page II of the clean record, the focus on persons registered.
void toSection2(const EntrySession& s) { s.key(Qt::Key_PageDown); }

TEST(PageSection2, OneBoxPerPartyOfTheListCaptionedWithItsNumberAndName) {
    EntrySession s;
    std::vector<std::string> captions;
    s.open([&] {
        for (QCheckBox* box : s.window->section2()->partyBoxes()) captions.push_back(box->text().toStdString());
    });
    EXPECT_EQ(boxNames(s), (std::vector<std::string>{"PartyBox1", "PartyBox2", "PartyBox3", "PartyBox7", "PartyBox9"}));
    EXPECT_EQ(captions, (std::vector<std::string>{"1: Strana první", "2: Strana druhá", "3: Strana třetí",
                                                  "7: Strana sedmá", "9: Strana devátá"}));
}

TEST(PageSection2, TheBoxesStandInColumnsOfThirteen) {
    EntrySession s;
    std::vector<data::TStrana> many;
    for (int n = 1; n <= 22; ++n) many.push_back({std::to_string(n), "Strana " + std::to_string(n), "36"});
    s.dir.write("STRANY.RCD", talmorek::testing::recordsOf(many, data::encodeStrana));
    std::vector<QPoint> at;
    s.open([&] {
        toSection2(s);
        for (QCheckBox* box : s.window->section2()->partyBoxes()) at.push_back(box->pos());
    });
    ASSERT_EQ(at.size(), 22u);
    for (int i = 1; i < 13; ++i) {
        EXPECT_EQ(at[i].x(), at[0].x()) << i;
        EXPECT_GT(at[i].y(), at[i - 1].y()) << i;
    }
    EXPECT_GT(at[13].x(), at[12].x());
    EXPECT_EQ(at[13].y(), at[0].y());
    for (int i = 14; i < 22; ++i) EXPECT_EQ(at[i].x(), at[13].x()) << i;
}

TEST(PageSection2, OpeningTicksTheBoxesOfTheRecordAndNoOthers) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::vector<int> first;
    s.open([&] { first = tickedBoxes(s); });
    EXPECT_EQ(first, (std::vector<int>{1, 2, 7}));

    // The same window over a record whose parties were cleared meanwhile:
    // no tick stays behind.
    record::RecordOfVote cleared = talmorek::testing::cleanRecord(s.parties());
    for (int n : {1, 2, 7}) cleared.MarkParty(n, false);
    s.saveRecord(cleared, DataLetter::E);
    std::vector<int> second{-1};
    s.open([&] { second = tickedBoxes(s); });
    EXPECT_EQ(second, std::vector<int>{});
}

TEST(PageSection2, EnterWalksTheTotalsAndTheBoxesSpaceTicksAndTheLastBoxGoesOnToAnnex1) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::vector<std::string> seen;
    int page = -1;
    bool ticked3 = false;
    s.open([&] {
        toSection2(s);
        seen.push_back(s.focused());
        for (int i = 0; i < 6; ++i) {
            s.key(Qt::Key_Return);
            seen.push_back(s.focused());
        }
        s.key(Qt::Key_Space);  // party 3
        ticked3 = s.form->partyTicked(3);
        for (int i = 0; i < 3; ++i) s.key(Qt::Key_Return);  // past 7 and 9, the last box
        waitFor([&] { return s.page() != kSection2; }, 2000);
        page = s.page();
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"R_EdZapsOsoby", "R_EdVydObalky", "R_EdOdevzdObalky",
                                              "R_EdPlatneHlasy", "PartyBox1", "PartyBox2", "PartyBox3"}));
    EXPECT_TRUE(ticked3);
    EXPECT_EQ(page, kAnnex1);
}

TEST(PageSection2, UntickingEveryBoxSendsTheLastBoxOnToPageIII) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::vector<int> ticks;
    int page = -1;
    s.open([&] {
        toSection2(s);
        for (int i = 0; i < 4; ++i) s.key(Qt::Key_Return);
        // Boxes 1, 2, 3, 7, 9: Space on 1, 2 and 7 unticks them.
        for (bool space : {true, true, false, true, false}) {
            if (space) s.key(Qt::Key_Space);
            if (s.focused() != "PartyBox9") s.key(Qt::Key_Return);
        }
        ticks = tickedBoxes(s);
        s.key(Qt::Key_Return);
        waitFor([&] { return s.page() != kSection2; }, 2000);
        page = s.page();
    });
    EXPECT_EQ(ticks, std::vector<int>{});
    EXPECT_FALSE(s.form->anyPartyTicked());
    EXPECT_EQ(page, kSection3);
}

TEST(PageSection2, AnEnterOnABoxBeforeTheLastOnlyMovesOn) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::string focus;
    int page = -1;
    s.open([&] {
        toSection2(s);
        for (int i = 0; i < 4; ++i) s.key(Qt::Key_Return);
        s.key(Qt::Key_Return);
        QCoreApplication::processEvents();
        focus = s.focused();
        page = s.page();
    });
    EXPECT_EQ(focus, "PartyBox2");
    EXPECT_EQ(page, kSection2);
}

struct ContinueCase {
    const char* name;
    bool ticked;
    int page;
};

class Pokracovat : public ::testing::TestWithParam<ContinueCase> {};

TEST_P(Pokracovat, GoesToAnnex1WithATickedPartyElseToPageIII) {
    EntrySession s;
    record::RecordOfVote record = talmorek::testing::cleanRecord(s.parties());
    if (!GetParam().ticked) {
        for (int n : {1, 2, 7}) record.MarkParty(n, false);
    }
    s.saveRecord(record, DataLetter::E);
    int page = -1;
    s.open([&] {
        toSection2(s);
        s.window->section2()->dalsiButton()->setFocus();
        s.key(Qt::Key_Return);
        page = s.page();
    });
    EXPECT_EQ(page, GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(PageSection2, Pokracovat,
                         ::testing::Values(ContinueCase{"ticked", true, kAnnex1},
                                           ContinueCase{"none", false, kSection3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageSection2, TheTotalsShowTheRecordAndKC2) {
    EntrySession s;
    s.saveRecord(talmorek::testing::cleanRecord(s.parties()), DataLetter::E);
    std::vector<std::string> shown;
    s.open([&] {
        for (const char* name : {"R_EdZapsOsoby", "R_EdVydObalky", "R_EdOdevzdObalky", "R_EdPlatneHlasy",
                                 "R_EdT4KC_1", "R_EdT4KC_2", "R_EdObec", "R_EdOkrsek"})
            shown.push_back(s.find<TSEdit>(name)->text().toStdString());
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"812", "530", "528", "521", "2", "2391", "554782", "3"}));
}

}  // namespace
}  // namespace talmorek::gui::testing
