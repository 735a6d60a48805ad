// Rules 12–24, 41 and 42 on the Annex 1 record of one party.

#include <gtest/gtest.h>

#include "core/checks/check_fixture.h"

namespace talmorek::testing {
namespace {

using checks::kZaznamT4;

class PartyRules : public CheckTest {
protected:
    // Expects that the marked failure of `code` blamed exactly the record `iZaznam`.
    void expectBlamed(int code, int iZaznam) {
        EXPECT_EQ(record.TS.SeznamChyb, checks::twoDigitCode(code));
        EXPECT_TRUE(rules.classFlags().PriznakChyby);
        EXPECT_EQ(record.T4.Chyba, iZaznam == kZaznamT4 ? 1 : 0);
        for (int n : {1, 2, 7}) EXPECT_EQ(record.party(n).Chyba, n == iZaznam ? 1 : 0) << "party " << n;
    }
};

TEST_F(PartyRules, CleanPartiesPassEveryRule) {
    for (int n : {1, 2, 7}) {
        EXPECT_TRUE(rules.Kontrola12(false, n));
        EXPECT_TRUE(rules.Kontrola13(false, n));
        EXPECT_TRUE(rules.Kontrola14(false, n));
        EXPECT_TRUE(rules.Kontrola15(false, n));
        EXPECT_TRUE(rules.Kontrola17(false, n));
        for (int j = 1; j <= 36; ++j) EXPECT_TRUE(rules.Kontrola18(false, n, j));
        EXPECT_TRUE(rules.Kontrola19(false, n));
        EXPECT_TRUE(rules.Kontrola21(false, n));
        EXPECT_TRUE(rules.Kontrola22(false, n));
        EXPECT_TRUE(rules.Kontrola23(false, n));
        EXPECT_TRUE(rules.Kontrola24(false, n));
        EXPECT_TRUE(rules.Kontrola41(false, n));
        EXPECT_TRUE(rules.Kontrola42(false, n));
    }
    EXPECT_EQ(record.TS.SeznamChyb, "");
}

TEST_F(PartyRules, Rule12BlamesSectionTwoForAPartyTheRegisterLacks) {
    record.party(7).KStrana = 4;  // not in STRANY.RCD
    EXPECT_FALSE(rules.Kontrola12(false, 7));
    expectBlamed(12, kZaznamT4);
}

TEST_F(PartyRules, Rule14BlamesTheAnnexForThePartyTheRegisterLacks) {
    record.party(7).KStrana = 4;
    EXPECT_FALSE(rules.Kontrola14(false, 7));
    expectBlamed(14, 7);
}

TEST_F(PartyRules, Rules12And14TakeAListWithNoCandidatesAsUnknown) {
    record.party(7).KStrana = 9;  // STRANY.RCD lists party 9 with 0 candidates
    EXPECT_FALSE(rules.Kontrola12(true, 7));
    EXPECT_FALSE(rules.Kontrola14(true, 7));
}

TEST_F(PartyRules, Rule13ChecksKc1OfTheAnnexOwnIdentification) {
    std::int64_t expected = -1;
    record.party(2).Okrsek = 4;  // 55478200004 mod 7 = 3
    EXPECT_FALSE(rules.Kontrola13(false, 2, &expected));
    EXPECT_EQ(expected, 3);
    expectBlamed(13, 2);
    record.party(2).KC1 = 3;
    EXPECT_TRUE(rules.Kontrola13(true, 2, &expected));
}

TEST_F(PartyRules, Rule15AllowsPartyVotesUpToTheValidVotes) {
    record.party(1).PocHlasu = 521;
    EXPECT_TRUE(rules.Kontrola15(false, 1));
    record.party(1).PocHlasu = 522;
    EXPECT_FALSE(rules.Kontrola15(false, 1));
    expectBlamed(15, 1);
}

TEST_F(PartyRules, Rule17ChecksKc2AndGivesTheExpectedValue) {
    std::int64_t expected = -1;
    EXPECT_TRUE(rules.Kontrola17(false, 7, &expected));
    EXPECT_EQ(expected, 78) << "7 + 71";
    record.party(7).KC2 = 127;
    EXPECT_FALSE(rules.Kontrola17(false, 7, &expected));
    expectBlamed(17, 7);
}

TEST_F(PartyRules, Rule18AllowsACandidateAsManyVotesAsTheParty) {
    prefer(record, 2, 5, 150);
    EXPECT_TRUE(rules.Kontrola18(false, 2, 5));
    prefer(record, 2, 5, 151);
    EXPECT_FALSE(rules.Kontrola18(false, 2, 5));
    EXPECT_TRUE(rules.Kontrola18(false, 2, 4)) << "the rule looks at the given candidate only";
    expectBlamed(18, 2);
}

TEST_F(PartyRules, Rule19AllowsFourPreferentialVotesPerVoteAndGivesTheSum) {
    record.party(2).PrefHlasy.fill(0);
    prefer(record, 2, 1, 150);
    prefer(record, 2, 2, 150);
    prefer(record, 2, 3, 150);
    prefer(record, 2, 4, 150);
    std::int64_t sum = -1;
    EXPECT_TRUE(rules.Kontrola19(false, 2, &sum));
    EXPECT_EQ(sum, 600);
    prefer(record, 2, 20, 1);
    EXPECT_FALSE(rules.Kontrola19(false, 2, &sum));
    EXPECT_EQ(sum, 601);
    expectBlamed(19, 2);
}

TEST_F(PartyRules, Rule20RefusesAnyVoteForTheGivenPlace) {
    EXPECT_TRUE(rules.Kontrola20(false, 2, 21));
    prefer(record, 2, 21, 1);
    EXPECT_FALSE(rules.Kontrola20(false, 2, 21));
    expectBlamed(20, 2);
}

TEST_F(PartyRules, Rule21ChecksKc3UpToEightDigits) {
    for (int j = 1; j <= 36; ++j) prefer(record, 1, j, 65535);
    std::int64_t expected = -1;
    EXPECT_FALSE(rules.Kontrola21(false, 1, &expected));
    EXPECT_EQ(expected, 43646310) << "666 × 65535";
    expectBlamed(21, 1);
    record.party(1).KC3 = 43646310;
    EXPECT_TRUE(rules.Kontrola21(true, 1));
}

TEST_F(PartyRules, Rule22ChecksKc4AgainstTheStoredKc2AndKc3) {
    std::int64_t expected = -1;
    record.party(7).KC2 = 100;  // KČ4 follows the stored numbers, right or wrong
    EXPECT_FALSE(rules.Kontrola22(false, 7, &expected));
    EXPECT_EQ(expected, 100 + 159);
    expectBlamed(22, 7);
}

TEST_F(PartyRules, Rule23ScansAllThirtySixPlaces) {
    // Party 2 has 20 candidates; a vote for place 25 still counts here.
    prefer(record, 2, 25, 3);
    std::int64_t expected = -1;
    EXPECT_FALSE(rules.Kontrola23(false, 2, &expected));
    EXPECT_EQ(expected, 25);
    expectBlamed(23, 2);
}

TEST_F(PartyRules, Rule23ExpectsZeroWithoutPreferentialVotes) {
    record.party(2).PrefHlasy.fill(0);
    record.party(2).PoslKand = 0;
    std::int64_t expected = -1;
    EXPECT_TRUE(rules.Kontrola23(true, 2, &expected));
    EXPECT_EQ(expected, 0);
}

TEST_F(PartyRules, Rule24ComparesTheLastCandidateWithTheList) {
    record.party(2).PoslKand = 20;
    EXPECT_TRUE(rules.Kontrola24(false, 2));
    record.party(2).PoslKand = 21;
    EXPECT_FALSE(rules.Kontrola24(false, 2));
    expectBlamed(24, 2);
}

TEST_F(PartyRules, Rule41RefusesVotesForAPartyNotMarkedInSectionTwo) {
    record.MarkParty(3, true);
    record.party(3).PocHlasu = 10;
    record.MarkParty(3, false);
    EXPECT_FALSE(rules.Kontrola41(false, 3));
    expectBlamed(41, kZaznamT4);
    record.party(3).PocHlasu = 0;
    EXPECT_TRUE(rules.Kontrola41(true, 3));
}

TEST_F(PartyRules, Rule42RefusesAMarkedPartyWithoutVotes) {
    record.party(2).PocHlasu = 0;
    EXPECT_FALSE(rules.Kontrola42(false, 2));
    expectBlamed(42, 2);
    record.MarkParty(2, false);
    EXPECT_TRUE(rules.Kontrola42(true, 2));
}

}  // namespace
}  // namespace talmorek::testing
