// Rules 01–11 and 16 on section II: the precinct's identity against the
// registers, the check numbers KČ1 and KČ2, and the order of the totals.

#include <gtest/gtest.h>

#include <functional>

#include "core/checks/check_fixture.h"
#include "core/data/errors.h"

namespace talmorek::testing {
namespace {

using Rule = std::function<bool(checks::CheckRules&, bool)>;

struct TotalsCase {
    const char* name;
    std::int32_t zapsOsoby;
    std::uint16_t vydObalky, odevzdObalky, platneHlasy;
    int code;
    bool holds;
};

Rule section2Rule(int code) {
    switch (code) {
        case 4: return [](checks::CheckRules& r, bool s) { return r.Kontrola04(s); };
        case 5: return [](checks::CheckRules& r, bool s) { return r.Kontrola05(s); };
        case 6: return [](checks::CheckRules& r, bool s) { return r.Kontrola06(s); };
        case 7: return [](checks::CheckRules& r, bool s) { return r.Kontrola07(s); };
        case 8: return [](checks::CheckRules& r, bool s) { return r.Kontrola08(s); };
        case 9: return [](checks::CheckRules& r, bool s) { return r.Kontrola09(s); };
        case 10: return [](checks::CheckRules& r, bool s) { return r.Kontrola10(s); };
    }
    throw std::logic_error("no such rule");
}

const TotalsCase kTotals[] = {
    {"rule04_persons1_holds", 1, 0, 0, 0, 4, true},
    {"rule04_persons0_fails", 0, 0, 0, 0, 4, false},
    {"rule04_personsNegative_fails", -5, 0, 0, 0, 4, false},
    {"rule05_persons0_noEnvelopes_holds", 0, 0, 0, 0, 5, true},
    {"rule05_persons812_issued0_fails", 812, 0, 0, 0, 5, false},
    {"rule05_persons812_issued1_holds", 812, 1, 0, 0, 5, true},
    {"rule06_issuedEqualsPersons_holds", 812, 812, 0, 0, 6, true},
    {"rule06_issued900_persons812_fails", 812, 900, 0, 0, 6, false},
    {"rule06_issuedAbovePersonsNegative_fails", -1, 0, 0, 0, 6, false},
    {"rule07_issued0_handedIn0_holds", 812, 0, 0, 0, 7, true},
    {"rule07_issued530_handedIn0_fails", 812, 530, 0, 0, 7, false},
    {"rule07_issued530_handedIn1_holds", 812, 530, 1, 0, 7, true},
    {"rule08_handedInEqualsIssued_holds", 812, 530, 530, 0, 8, true},
    {"rule08_handedIn531_issued530_fails", 812, 530, 531, 0, 8, false},
    {"rule09_handedIn0_valid0_holds", 812, 530, 0, 0, 9, true},
    {"rule09_handedIn528_valid0_fails", 812, 530, 528, 0, 9, false},
    {"rule09_handedIn528_valid1_holds", 812, 530, 528, 1, 9, true},
    {"rule10_validEqualsHandedIn_holds", 812, 530, 528, 528, 10, true},
    {"rule10_valid529_handedIn528_fails", 812, 530, 528, 529, 10, false},
};

class TotalsRule : public CheckTest, public ::testing::WithParamInterface<TotalsCase> {};

TEST_P(TotalsRule, HoldsAtItsBoundaryAndMarksSectionTwo) {
    const TotalsCase& c = GetParam();
    record.T4.ZapsOsoby = c.zapsOsoby;
    record.T4.VydObalky = c.vydObalky;
    record.T4.OdevzdObalky = c.odevzdObalky;
    record.T4.PlatneHlasy = c.platneHlasy;
    Rule rule = section2Rule(c.code);

    EXPECT_EQ(rule(rules, true), c.holds);
    EXPECT_EQ(record.T4.Chyba, 0) << "a silent evaluation marks nothing";
    EXPECT_EQ(record.TS.SeznamChyb, "");

    EXPECT_EQ(rule(rules, false), c.holds);
    EXPECT_EQ(record.T4.Chyba, c.holds ? 0 : 1);
    EXPECT_EQ(record.TS.SeznamChyb, c.holds ? "" : checks::twoDigitCode(c.code));
    EXPECT_EQ(rules.classFlags().PriznakPropustitelne, !c.holds) << "04–10 are passable errors";
    EXPECT_FALSE(rules.classFlags().PriznakChyby);
    EXPECT_EQ(protocol.Count(), 0u) << "the run, not the rule, adds the finding";
}

INSTANTIATE_TEST_SUITE_P(Boundaries, TotalsRule, ::testing::ValuesIn(kTotals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTest, Rule01KnowsTheMunicipalitiesOfTheRegister) {
    EXPECT_TRUE(rules.Kontrola01(false));
    record.T4.Obec = 532053;
    EXPECT_TRUE(rules.Kontrola01(false));
    record.T4.Obec = 554783;
    EXPECT_FALSE(rules.Kontrola01(false));
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_TRUE(rules.classFlags().PriznakChyby);
    EXPECT_EQ(record.TS.SeznamChyb, "01");
}

TEST_F(CheckTest, Rule01ReadsTheRegisterOnceForTheLifeOfTheRules) {
    EXPECT_TRUE(rules.Kontrola01(true));
    content.okrsky.erase(content.okrsky.begin() + 1, content.okrsky.begin() + 3);
    rewriteInstallation();
    EXPECT_TRUE(rules.Kontrola01(true)) << "the register as these rules first read it";
    checks::CheckRules nextRun(record, parties, registers, "554782", protocol);
    EXPECT_FALSE(nextRun.Kontrola01(true)) << "new rules read the register anew";
}

TEST_F(CheckTest, Rule01FailsWithTheFileErrorWhenTheRegisterIsMissing) {
    std::remove(dir.file("OKRSKY.RCD").c_str());
    EXPECT_THROW(rules.Kontrola01(false), data::IoError);
    EXPECT_EQ(record.T4.Chyba, 0);
}

struct PrecinctCase {
    const char* name;
    std::int32_t obec, okrsek;
    bool holds;
    const char* referenceKodOkresu;
};

const PrecinctCase kPrecincts[] = {
    {"firstOfRange", 554782, 1, true, "3201"},
    {"lastOfRange", 554782, 12, true, "3201"},
    {"aboveRange", 554782, 13, false, "3201"},  // only the municipality's first record counts
    {"precinct0", 554782, 0, false, "3201"},
    {"unknownMunicipality", 554783, 3, false, "9999"},  // the search stopped at the last record
    {"abroadListed", 999997, 90, true, "9999"},
    {"abroadListedBeforeOthers", 999997, 12, true, "9999"},
    {"abroadNotListed", 999997, 91, false, "9999"},
};

class PrecinctRule : public CheckTest, public ::testing::WithParamInterface<PrecinctCase> {};

TEST_P(PrecinctRule, FindsThePrecinctAndKeepsTheRegisterRecord) {
    const PrecinctCase& c = GetParam();
    record.T4.Obec = c.obec;
    record.T4.Okrsek = c.okrsek;
    EXPECT_EQ(rules.Kontrola02(false), c.holds);
    EXPECT_EQ(record.T4.Chyba, c.holds ? 0 : 1);
    EXPECT_EQ(rules.referenceOkrsek().KodOkresu, c.referenceKodOkresu);
}

INSTANTIATE_TEST_SUITE_P(Register, PrecinctRule, ::testing::ValuesIn(kPrecincts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTest, Rule02BeforeAnyLookupLeavesNoReferenceDistrict) {
    EXPECT_EQ(rules.referenceOkrsek().KodOkresu, "    ");
}

TEST_F(CheckTest, Rule03ComparesKc1AndGivesTheExpectedValue) {
    std::int64_t expected = -1;
    EXPECT_TRUE(rules.Kontrola03(false, &expected));
    EXPECT_EQ(expected, 2) << "55478200003 mod 7";
    record.T4.KC1 = 3;
    EXPECT_FALSE(rules.Kontrola03(false, &expected));
    EXPECT_EQ(expected, 2);
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_EQ(record.TS.SeznamChyb, "03");
}

TEST_F(CheckTest, Rule03ComputesWithoutThirtyTwoBitOverflow) {
    record.T4.Obec = 999999;
    record.T4.Okrsek = 99999;
    record.T4.KC1 = 4;
    std::int64_t expected = -1;
    EXPECT_TRUE(rules.Kontrola03(true, &expected));
    EXPECT_EQ(expected, 4);
}

TEST_F(CheckTest, Rule11ComparesKc2WithTheSumOfTheTotals) {
    std::int64_t expected = -1;
    EXPECT_TRUE(rules.Kontrola11(false, &expected));
    EXPECT_EQ(expected, 2391) << "812 + 530 + 528 + 521";
    record.T4.KC2 = 2390;
    EXPECT_FALSE(rules.Kontrola11(false, &expected));
    EXPECT_EQ(expected, 2391);
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_TRUE(rules.classFlags().PriznakChyby);
}

TEST_F(CheckTest, Rule16SumsTheVotesOfTheFlaggedPartiesOnly) {
    EXPECT_TRUE(rules.Kontrola16(false));
    record.party(3).PocHlasu = 40;  // typed for a party that is not flagged
    EXPECT_TRUE(rules.Kontrola16(false));
    record.party(7).PocHlasu = 70;
    EXPECT_FALSE(rules.Kontrola16(false));
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_EQ(record.TS.SeznamChyb, "16");
}

TEST_F(CheckTest, Rule16IgnoresAFlagOfAPartyOutsideTheList) {
    record.MarkParty(30, true);
    record.party(30).PocHlasu = 5;
    EXPECT_TRUE(rules.Kontrola16(true));
}

TEST_F(CheckTest, Rule16WithNoPartyFlaggedFailsForAnyValidVote) {
    for (int n : {1, 2, 7}) record.MarkParty(n, false);
    EXPECT_FALSE(rules.Kontrola16(true));
    record.T4.PlatneHlasy = 0;
    EXPECT_TRUE(rules.Kontrola16(true));
}

}  // namespace
}  // namespace talmorek::testing
