// Rules 62–77 on the results records as records: kind, flags, the sums of
// the summary record and the district code.

#include <gtest/gtest.h>

#include <limits>

#include "core/checks/check_fixture.h"

namespace talmorek::testing {
namespace {

using checks::TChyba;
using Findings = std::vector<TChyba>;

TEST_F(CheckTest, StructureRulesHoldForARecomputedRecord) {
    EXPECT_TRUE(rules.Kontrola62(false));
    EXPECT_TRUE(rules.Kontrola63(false));
    EXPECT_TRUE(rules.Kontrola64(false));
    for (auto rule : {&checks::CheckRules::Kontrola66, &checks::CheckRules::Kontrola67,
                      &checks::CheckRules::Kontrola68, &checks::CheckRules::Kontrola69,
                      &checks::CheckRules::Kontrola70, &checks::CheckRules::Kontrola76,
                      &checks::CheckRules::Kontrola77}) {
        EXPECT_TRUE((rules.*rule)(false));
    }
    EXPECT_EQ(protocol.Count(), 0u);
    EXPECT_EQ(record.TS.SeznamChyb, "");
}

TEST_F(CheckTest, Rule62NamesEachRecordOfAWrongKind) {
    record.T4.Typ = 6;
    record.party(7).Typ = 0;
    record.TS.Typ = 0;
    record.party(3).Typ = 9;  // not flagged: not a record of this result
    EXPECT_FALSE(rules.Kontrola62(false));
    EXPECT_EQ(findings(), (Findings{{0, 62, "(T6)"}, {0, 62, "(TS)"}, {7, 62, ""}}));
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_EQ(record.party(7).Chyba, 1);
    EXPECT_EQ(record.party(1).Chyba, 0);
    EXPECT_EQ(record.party(3).Chyba, 0);
    EXPECT_EQ(record.TS.Chyba, 1);
    EXPECT_EQ(record.TS.SeznamChyb, "62");
}

TEST_F(CheckTest, Rule62OnlyTheSummaryOfKindZero) {
    record.TS.Typ = 0;
    EXPECT_FALSE(rules.Kontrola62(false));
    EXPECT_EQ(findings(), (Findings{{0, 62, "(TS)"}}));
    EXPECT_EQ(record.T4.Chyba, 0);
}

TEST_F(CheckTest, StructureRulesSilentlyAddNothing) {
    record.T4.Typ = 6;
    record.party(2).Oprava = 2;
    record.TS.Chyba = 7;
    EXPECT_FALSE(rules.Kontrola62(true));
    EXPECT_FALSE(rules.Kontrola63(true));
    EXPECT_FALSE(rules.Kontrola64(true));
    EXPECT_EQ(protocol.Count(), 0u);
    EXPECT_EQ(record.T4.Chyba, 0);
    EXPECT_EQ(record.TS.Chyba, 7);
    EXPECT_EQ(record.TS.SeznamChyb, "");
}

TEST_F(CheckTest, Rule63AllowsOnlyZeroOrOneAsCorrectionFlag) {
    record.T4.Oprava = 1;
    record.party(1).Oprava = 1;
    EXPECT_TRUE(rules.Kontrola63(false));
    record.party(2).Oprava = 2;
    record.TS.Oprava = 65535;
    EXPECT_FALSE(rules.Kontrola63(false));
    EXPECT_EQ(findings(), (Findings{{0, 63, ""}, {2, 63, ""}}));
    EXPECT_EQ(record.party(2).Chyba, 1);
    EXPECT_EQ(record.TS.Chyba, 1);
    EXPECT_EQ(record.T4.Chyba, 0);
}

TEST_F(CheckTest, Rule64AllowsOnlyZeroOrOneAsErrorFlagAndRepairsIt) {
    record.T4.Chyba = 1;
    EXPECT_TRUE(rules.Kontrola64(false));
    record.T4.Chyba = 2;
    EXPECT_FALSE(rules.Kontrola64(false));
    EXPECT_EQ(findings(), (Findings{{0, 64, ""}}));
    EXPECT_EQ(record.T4.Chyba, 1) << "marking sets the flag back to a valid 1";
}

struct SumCase {
    const char* name;
    std::int64_t record::TTS::*field;
    int code;
};

const SumCase kSums[] = {
    {"rule66_SumaKC1", &record::TTS::SumaKC1, 66}, {"rule67_SumaKC2", &record::TTS::SumaKC2, 67},
    {"rule68_SumaKC3", &record::TTS::SumaKC3, 68}, {"rule69_SumaKC4", &record::TTS::SumaKC4, 69},
    {"rule70_SumaKSoucet", &record::TTS::SumaKSoucet, 70},
};

class SumRule : public CheckTest, public ::testing::WithParamInterface<SumCase> {
protected:
    bool evaluate(bool silent) {
        switch (GetParam().code) {
            case 66: return rules.Kontrola66(silent);
            case 67: return rules.Kontrola67(silent);
            case 68: return rules.Kontrola68(silent);
            case 69: return rules.Kontrola69(silent);
            default: return rules.Kontrola70(silent);
        }
    }
};

TEST_P(SumRule, AnySumOffByOneBlamesTheSummary) {
    EXPECT_TRUE(evaluate(false));
    record.TS.*GetParam().field += 1;
    EXPECT_FALSE(evaluate(false));
    EXPECT_EQ(record.TS.Chyba, 1);
    EXPECT_EQ(record.T4.Chyba, 0);
    EXPECT_EQ(record.TS.SeznamChyb, checks::twoDigitCode(GetParam().code));
    EXPECT_EQ(protocol.Count(), 0u);
}

TEST_P(SumRule, AChangedPartyRecordBreaksTheSum) {
    record.party(7).KC1 += 1;
    record.party(7).KC2 += 1;
    record.party(7).KC3 += 1;
    record.party(7).KC4 += 1;
    record.party(7).KSoucet += 1;
    EXPECT_FALSE(evaluate(true));
}

INSTANTIATE_TEST_SUITE_P(Summary, SumRule, ::testing::ValuesIn(kSums),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckTest, SumsOnlyCountTheFlaggedPartiesOfTheList) {
    record.party(3).KC3 = 1000;  // not flagged
    record.MarkParty(30, true);  // flagged but not in the party list
    record.party(30).KC3 = 1000;
    EXPECT_TRUE(rules.Kontrola68(true));
}

TEST_F(CheckTest, Rule72ComparesEveryRecordWithTheDistrictOfRule02) {
    ASSERT_TRUE(rules.Kontrola02(false));
    EXPECT_TRUE(rules.Kontrola72(false));
    record.T4.RegKod = 3204;
    EXPECT_FALSE(rules.Kontrola72(false));
    EXPECT_EQ(findings(), (Findings{{0, 72, ""}}));
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_EQ(record.TS.Chyba, 0);
}

TEST_F(CheckTest, Rule72BlamesSectionTwoAlsoForAFaultyAnnexOrSummary) {
    ASSERT_TRUE(rules.Kontrola02(false));
    record.party(2).RegKod = 1;
    record.TS.RegKod = 1;
    EXPECT_FALSE(rules.Kontrola72(false));
    EXPECT_EQ(findings(), (Findings{{0, 72, ""}, {2, 72, ""}}));
    EXPECT_EQ(record.party(2).Chyba, 1);
    EXPECT_EQ(record.TS.Chyba, 1);
    EXPECT_EQ(record.T4.Chyba, 1);
}

TEST_F(CheckTest, Rule72BeforeAnyLookupExpects9999) {
    EXPECT_FALSE(rules.Kontrola72(true));
    record.T4.RegKod = record.party(1).RegKod = record.party(2).RegKod = record.party(7).RegKod =
        record.TS.RegKod = 9999;
    EXPECT_TRUE(rules.Kontrola72(true));
}

TEST_F(CheckTest, Rule72TakesADistrictCodeThatIsNoNumberAs9999) {
    content.okrsky[1].KodOkresu = "32A1";
    rewriteInstallation();
    ASSERT_TRUE(rules.Kontrola02(true));
    EXPECT_FALSE(rules.Kontrola72(true));
    record.T4.RegKod = record.party(1).RegKod = record.party(2).RegKod = record.party(7).RegKod =
        record.TS.RegKod = 9999;
    EXPECT_TRUE(rules.Kontrola72(true));
}

TEST_F(CheckTest, Rule76AllowsTheThreeWaysOfEntry) {
    for (std::uint16_t way : {0, 1, 9}) {
        record.TS.ZpusobPorizeni = way;
        EXPECT_TRUE(rules.Kontrola76(false)) << way;
    }
    record.TS.ZpusobPorizeni = 2;
    EXPECT_FALSE(rules.Kontrola76(false));
    EXPECT_EQ(findings(), (Findings{{0, 76, ""}}));
    EXPECT_EQ(record.TS.Chyba, 1);
    EXPECT_EQ(record.TS.SeznamChyb, "76");
}

TEST_F(CheckTest, Rule77ChecksTheTotalOfAStationSummary) {
    EXPECT_TRUE(rules.Kontrola77(false));
    record.TS.Celkem += 1;
    EXPECT_FALSE(rules.Kontrola77(false));
    EXPECT_EQ(record.TS.Chyba, 1);
    EXPECT_EQ(protocol.Count(), 0u);
}

TEST_F(CheckTest, Rule77IgnoresASummaryTypedAtTheReceivingOffice) {
    record.TS.Celkem += 1;
    record.TS.ZpusobPorizeni = 9;
    EXPECT_TRUE(rules.Kontrola77(true));
    record.TS.ZpusobPorizeni = 0;
    EXPECT_TRUE(rules.Kontrola77(true));
}

TEST_F(CheckTest, Rule77ReadsDateAndTimeThatAreNoNumbersAsZero) {
    const std::int64_t datum = 20211009, cas = 143005;
    record.TS.Datum = "2021-10-09";
    record.TS.Cas = "14:30";
    record.TS.Celkem -= datum + cas;
    EXPECT_TRUE(rules.Kontrola77(true));
}

TEST_F(CheckTest, Rule77AddsWithoutOverflow) {
    record::TTS& ts = record.TS;
    ts.Datum = ts.Cas = "";
    ts.Rezerva = ts.Nahoda = 0;
    ts.SumaKC3 = ts.SumaKC4 = ts.SumaKSoucet = 0;
    ts.SumaKC1 = std::numeric_limits<std::int64_t>::max();
    ts.SumaKC2 = std::numeric_limits<std::int64_t>::max();
    ts.Celkem = -2;  // what a wrapping 64-bit sum would give
    EXPECT_FALSE(rules.Kontrola77(true));
    ts.SumaKC2 = std::numeric_limits<std::int64_t>::min() + 5;
    ts.Celkem = 4;
    EXPECT_TRUE(rules.Kontrola77(true));
}

}  // namespace
}  // namespace talmorek::testing
