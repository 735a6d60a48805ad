// `OznacChybu`: what a failed rule leaves behind besides its finding.

#include <gtest/gtest.h>

#include "core/checks/check_fixture.h"

namespace talmorek::testing {
namespace {

using checks::kNoRecord;
using checks::kZaznamT4;
using checks::kZaznamTS;

TEST_F(CheckTest, MarkingListsACodeOnce) {
    rules.OznacChybu("16", kZaznamT4);
    rules.OznacChybu("04", kZaznamT4);
    rules.OznacChybu("16", kZaznamT4);
    EXPECT_EQ(record.TS.SeznamChyb, "1604");
}

TEST_F(CheckTest, MarkingFindsCodesOnlyOnTwoCharacterBoundaries) {
    rules.OznacChybu("16", kZaznamT4);
    rules.OznacChybu("62", kZaznamT4);  // "1662" holds "66" across the boundary
    rules.OznacChybu("66", kZaznamTS);
    EXPECT_EQ(record.TS.SeznamChyb, "166266");
}

TEST_F(CheckTest, MarkingStopsListingAtFiftyCharacters) {
    const int codes[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                         14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 39, 41, 42};
    for (int code : codes) rules.OznacChybu(checks::twoDigitCode(code), kZaznamT4);
    EXPECT_EQ(record.TS.SeznamChyb, "01020304050607080910111213141516171819202122232439");
    EXPECT_EQ(record.TS.SeznamChyb.size(), 50u);
    EXPECT_TRUE(rules.classFlags().PriznakChyby);
}

TEST_F(CheckTest, MarkingRaisesTheFlagOfTheCodesClass) {
    rules.OznacChybu("10", kZaznamT4);
    EXPECT_TRUE(rules.classFlags().PriznakPropustitelne);
    EXPECT_FALSE(rules.classFlags().PriznakChyby);
    EXPECT_FALSE(rules.classFlags().PriznakUpozorneni);
    rules.OznacChybu("98", kNoRecord);
    EXPECT_TRUE(rules.classFlags().PriznakUpozorneni);
    EXPECT_FALSE(rules.classFlags().PriznakChyby);
    rules.OznacChybu("11", kZaznamT4);
    EXPECT_TRUE(rules.classFlags().PriznakChyby);
    EXPECT_TRUE(checks::CheckRules(record, parties, registers, "554782", protocol).classFlags() == checks::Verdict{})
        << "new rules start without flags";
}

struct BlameCase {
    const char* name;
    const char* code;
    int iZaznam;
    int t4, ts, party7, party51;
};

const BlameCase kBlames[] = {
    {"summary", "66", kZaznamTS, 0, 1, 0, 0},
    {"sectionTwo", "04", kZaznamT4, 1, 0, 0, 0},
    {"party7", "15", 7, 0, 0, 1, 0},
    {"party51IsNoRecord", "15", 51, 0, 0, 0, 0},
    {"minusTwoIsNoRecord", "15", kNoRecord, 0, 0, 0, 0},
    {"warningBlamesNothing", "96", kZaznamT4, 0, 0, 0, 0},
    {"warningOnAParty", "98", 7, 0, 0, 0, 0},
};

class Blame : public CheckTest, public ::testing::WithParamInterface<BlameCase> {};

TEST_P(Blame, SetsChybaOfTheNamedRecordOnly) {
    const BlameCase& c = GetParam();
    rules.OznacChybu(c.code, c.iZaznam);
    EXPECT_EQ(record.T4.Chyba, c.t4);
    EXPECT_EQ(record.TS.Chyba, c.ts);
    EXPECT_EQ(record.party(7).Chyba, c.party7);
    EXPECT_EQ(record.party(51).Chyba, c.party51);
    EXPECT_EQ(record.TS.SeznamChyb, c.code);
}

INSTANTIATE_TEST_SUITE_P(Records, Blame, ::testing::ValuesIn(kBlames),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::testing
