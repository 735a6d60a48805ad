// Warnings 91–98 at their boundaries. They mark no record and raise only the
// warning flag.

#include <gtest/gtest.h>

#include <clocale>
#include <functional>

#include "core/checks/check_fixture.h"

namespace talmorek::testing {
namespace {

struct WarningCase {
    const char* name;
    int code;
    std::int32_t zapsOsoby;
    std::uint16_t vydObalky, odevzdObalky, platneHlasy;
    bool holds;
    std::int32_t obec = kObec;
};

const WarningCase kWarnings[] = {
    {"rule91_allVotersTookEnvelopes_fails", 91, 812, 812, 0, 0, false},
    {"rule91_oneVoterLess_holds", 91, 812, 811, 0, 0, true},
    {"rule91_noVoters_holds", 91, 0, 0, 0, 0, true},
    {"rule92_79of100_diff21_fails", 92, 1000, 100, 79, 0, false},
    {"rule92_80of100_holds", 92, 1000, 100, 80, 0, true},
    {"rule92_15of20_diff5_holds", 92, 1000, 20, 15, 0, true},
    {"rule92_30of40_diff10_holds", 92, 1000, 40, 30, 0, true},
    {"rule92_39of50_diff11_fails", 92, 1000, 50, 39, 0, false},
    {"rule92_400of530_fails", 92, 812, 530, 400, 0, false},
    {"rule92_528of530_holds", 92, 812, 530, 528, 0, true},
    {"rule92_noneHandedIn_holds", 92, 812, 530, 0, 0, true},
    {"rule93_persons1999_holds", 93, 1999, 0, 0, 0, true},
    {"rule93_persons2000_fails", 93, 2000, 0, 0, 0, false},
    {"rule94_5of100_fails", 94, 100, 5, 0, 0, false},
    {"rule94_10of100_holds", 94, 100, 10, 0, 0, true},
    {"rule94_99of1000_fails", 94, 1000, 99, 0, 0, false},
    {"rule94_150of2000_fails", 94, 2000, 150, 0, 0, false},
    {"rule94_151of2000_holds", 94, 2000, 151, 0, 0, true},
    {"rule94_200of5000_holds", 94, 5000, 200, 0, 0, true},
    {"rule94_noneIssued_holds", 94, 100, 0, 0, 0, true},
    {"rule95_521of528_holds", 95, 812, 530, 528, 521, true},
    {"rule95_500of528_holds", 95, 812, 530, 528, 500, true},
    {"rule95_400of528_fails", 95, 812, 530, 528, 400, false},
    {"rule95_27of30_holds", 95, 812, 530, 30, 27, true},
    {"rule95_26of30_fails", 95, 812, 530, 30, 26, false},
    {"rule95_8of10_diff2_holds", 95, 812, 530, 10, 8, true},
    {"rule95_noValidVote_holds", 95, 812, 530, 528, 0, true},
    {"rule97_881of1000_fails", 97, 1000, 881, 0, 0, false},
    {"rule97_880of1000_holds", 97, 1000, 880, 0, 0, true},
    {"rule97_750of812_fails", 97, 812, 750, 0, 0, false},
    {"rule97_noVoters_holds", 97, 0, 5, 0, 0, true},
    {"rule97_abroad_95percent_holds", 97, 1000, 950, 0, 0, true, 999997},
    {"rule97_abroad_99percent_holds", 97, 100, 99, 0, 0, true, 999997},
    {"rule97_abroad_99point5percent_fails", 97, 1000, 995, 0, 0, false, 999997},
    {"rule97_abroad_750of812_holds", 97, 812, 750, 0, 0, true, 999997},
};

class WarningRule : public CheckTest, public ::testing::WithParamInterface<WarningCase> {
protected:
    bool evaluate(int code, bool silent) {
        switch (code) {
            case 91: return rules.Kontrola91(silent);
            case 92: return rules.Kontrola92(silent);
            case 93: return rules.Kontrola93(silent);
            case 94: return rules.Kontrola94(silent);
            case 95: return rules.Kontrola95(silent);
            default: return rules.Kontrola97(silent);
        }
    }
};

TEST_P(WarningRule, HoldsAtItsBoundaryAndMarksNoRecord) {
    const WarningCase& c = GetParam();
    record.T4.Obec = c.obec;
    record.T4.ZapsOsoby = c.zapsOsoby;
    record.T4.VydObalky = c.vydObalky;
    record.T4.OdevzdObalky = c.odevzdObalky;
    record.T4.PlatneHlasy = c.platneHlasy;
    EXPECT_EQ(evaluate(c.code, true), c.holds);
    EXPECT_FALSE(rules.classFlags().PriznakUpozorneni);
    EXPECT_EQ(evaluate(c.code, false), c.holds);
    EXPECT_EQ(rules.classFlags().PriznakUpozorneni, !c.holds);
    EXPECT_FALSE(rules.classFlags().PriznakChyby);
    EXPECT_EQ(record.TS.SeznamChyb, c.holds ? "" : checks::twoDigitCode(c.code));
    EXPECT_EQ(record.T4.Chyba, 0);
    EXPECT_EQ(record.TS.Chyba, 0);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, WarningRule, ::testing::ValuesIn(kWarnings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTest, ZeroPersonsPassesTheWarningsOnTurnout) {
    record.T4.ZapsOsoby = 0;
    EXPECT_FALSE(rules.Kontrola04(true));
    EXPECT_TRUE(rules.Kontrola05(true));
    EXPECT_TRUE(rules.Kontrola91(true));
    EXPECT_TRUE(rules.Kontrola93(true));
    EXPECT_TRUE(rules.Kontrola94(true));
    EXPECT_TRUE(rules.Kontrola96(true));
    EXPECT_TRUE(rules.Kontrola97(true));
}

struct RegisterCase {
    const char* name;
    std::int32_t zapsOsoby;
    std::int32_t registered;
    bool holds;
};

const RegisterCase kRegisterCases[] = {
    {"diff14_holds", 514, 500, true},
    {"diff15_ratio103_holds", 515, 500, true},
    {"ratio120_holds", 600, 500, true},
    {"ratio120point2_roundsTo120_holds", 601, 500, true},
    {"ratio120point6_roundsTo121_fails", 603, 500, false},
    {"diffMinus9_holds", 491, 500, true},
    {"diffMinus10_ratio98_holds", 490, 500, true},
    {"ratio83point8_roundsTo84_holds", 419, 500, true},
    {"ratio83point4_roundsTo83_fails", 417, 500, false},
    {"ratio83point5_halfRoundsAwayTo84_holds", 167, 200, true},
    {"ratio120point5_halfRoundsAwayTo121_fails", 241, 200, false},
    {"noPersons_holds", 0, 500, true},
};

class RegisteredVotersRule : public CheckTest, public ::testing::WithParamInterface<RegisterCase> {};

TEST_P(RegisteredVotersRule, ComparesPersonsWithTheRegister) {
    const RegisterCase& c = GetParam();
    content.psrvok = {{"554782", kOkrsek, c.registered}};
    rewriteInstallation();
    record.T4.ZapsOsoby = c.zapsOsoby;
    std::int32_t r = -1;
    EXPECT_EQ(rules.Kontrola96(false, &r), c.holds);
    EXPECT_EQ(r, c.registered);
    EXPECT_EQ(rules.classFlags().PriznakUpozorneni, !c.holds);
    EXPECT_EQ(record.T4.Chyba, 0);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, RegisteredVotersRule, ::testing::ValuesIn(kRegisterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTest, Rule96HoldsForAPrecinctTheRegisterLacks) {
    record.T4.Okrsek = 4;
    record.T4.ZapsOsoby = 5000;
    std::int32_t r = -1;
    EXPECT_TRUE(rules.Kontrola96(true, &r));
    EXPECT_EQ(r, 0);
}

TEST_F(CheckTest, Rule96TakesTheLastMatchingRegisterRecord) {
    std::int32_t r = -1;
    rules.Kontrola96(true, &r);
    EXPECT_EQ(r, 812);
}

// ---- Rule 98 -------------------------------------------------------------

class PreferentialUse : public CheckTest {
protected:
    // Leaves `total` preferential votes in the record, all with party 1.
    void setPreferentialVotes(std::uint16_t total) {
        for (int n : {1, 2, 7}) record.party(n).PrefHlasy.fill(0);
        prefer(record, 1, 1, total);
    }
};

TEST_F(PreferentialUse, ThreeVotesOfAHundredPossibleFourHundredFail) {
    record.T4.PlatneHlasy = 100;
    setPreferentialVotes(3);
    EXPECT_FALSE(rules.Kontrola98(false));
    EXPECT_EQ(rules.VyuzitiPreferenci, " (využito: 0,75 %)");
    EXPECT_TRUE(rules.classFlags().PriznakUpozorneni);
    EXPECT_EQ(record.TS.SeznamChyb, "98");
}

struct UseCase {
    const char* name;
    std::uint16_t platneHlasy, preferential;
    bool holds;
    const char* detail;
};

const UseCase kUses[] = {
    {"exactlyOnePercent_holds", 100, 4, true, ""},
    {"noPreferentialVote_fails", 100, 0, false, " (využito: 0 %)"},
    {"halfHundredthRoundsAway", 200, 1, false, " (využito: 0,13 %)"},
    {"exactly66Percent_holds", 100, 264, true, ""},
    {"above66Percent_fails", 100, 265, false, " (využito: 66,25 %)"},
    {"oneDecimalIsEnough", 100, 266, false, " (využito: 66,5 %)"},
    {"wholeNumber", 10, 28, false, " (využito: 70 %)"},
    {"fourValidVotes_notTested", 4, 0, true, ""},
};

class PreferentialUseBoundary : public PreferentialUse, public ::testing::WithParamInterface<UseCase> {};

TEST_P(PreferentialUseBoundary, WritesTheShareInTheDetail) {
    const UseCase& c = GetParam();
    record.T4.PlatneHlasy = c.platneHlasy;
    setPreferentialVotes(c.preferential);
    record.party(1).PocHlasu = 100;  // the party itself stays inside its limit
    EXPECT_EQ(rules.Kontrola98(false), c.holds);
    EXPECT_EQ(rules.VyuzitiPreferenci, c.detail);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, PreferentialUseBoundary, ::testing::ValuesIn(kUses),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreferentialUse, NamesEveryPartyThatUsesEightyPercentInListOrder) {
    record.MarkParty(3, true);
    record.party(3).PocHlasu = 15;
    record.party(3).PrefHlasy.fill(0);
    prefer(record, 3, 1, 48);  // 48 of 60: 80 %
    record.party(7).PrefHlasy.fill(0);
    prefer(record, 7, 1, 228);  // 228 of 284: 80.3 %
    EXPECT_FALSE(rules.Kontrola98(false));
    EXPECT_EQ(rules.VyuzitiPreferenci, " (u strany: 3, 7)");
    EXPECT_TRUE(rules.classFlags().PriznakUpozorneni);
}

TEST_F(PreferentialUse, APartyJustBelowEightyPercentPasses) {
    record.MarkParty(3, true);
    record.party(3).PocHlasu = 15;
    record.party(3).PrefHlasy.fill(0);
    prefer(record, 3, 1, 47);
    EXPECT_TRUE(rules.Kontrola98(false));
    EXPECT_EQ(rules.VyuzitiPreferenci, "");
}

TEST_F(PreferentialUse, APartyWithFewerThanFifteenVotesIsNotTested) {
    record.T4.PlatneHlasy = 4;
    for (int n : {1, 2, 7}) record.party(n).PrefHlasy.fill(0);
    record.party(2).PocHlasu = 14;
    prefer(record, 2, 1, 56);
    EXPECT_TRUE(rules.Kontrola98(false));
}

TEST_F(PreferentialUse, ThePrecinctShareIsTestedBeforeTheParties) {
    record.T4.PlatneHlasy = 100;
    setPreferentialVotes(300);
    record.party(1).PocHlasu = 15;  // 300 of 60 as well
    EXPECT_FALSE(rules.Kontrola98(true));
    EXPECT_EQ(rules.VyuzitiPreferenci, " (využito: 75 %)");
}

TEST_F(PreferentialUse, AnEvaluationStartsFromAnEmptyDetail) {
    record.T4.PlatneHlasy = 100;
    setPreferentialVotes(3);
    EXPECT_FALSE(rules.Kontrola98(true));
    setPreferentialVotes(50);
    EXPECT_TRUE(rules.Kontrola98(true));
    EXPECT_EQ(rules.VyuzitiPreferenci, "");
}

TEST_F(PreferentialUse, TheCLocaleWithACharacterSetAlsoWritesTheCzechComma) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
    record.T4.PlatneHlasy = 100;
    setPreferentialVotes(3);
    rules.Kontrola98(true);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(rules.VyuzitiPreferenci, " (využito: 0,75 %)");
}

}  // namespace
}  // namespace talmorek::testing
