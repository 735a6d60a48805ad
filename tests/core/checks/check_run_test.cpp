// Whole check runs on realistic records of the test installation.

#include "core/checks/check_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "core/checks/check_fixture.h"
#include "core/data/errors.h"
#include "core/record/check_numbers.h"

namespace talmorek::checks {
inline void PrintTo(const Verdict& v, std::ostream* os) {
    *os << "{PriznakChyby " << v.PriznakChyby << ", PriznakPropustitelne " << v.PriznakPropustitelne
        << ", PriznakUpozorneni " << v.PriznakUpozorneni << "}";
}
}  // namespace talmorek::checks

namespace talmorek::testing {
namespace {

using checks::ProvedKontroly;
using checks::Verdict;
using checks::Vybrano;
using checks::TChyba;
using Findings = std::vector<TChyba>;

class CheckRun : public CheckTest {
protected:
    // What the entry window does before it saves: everything derived anew.
    void recompute() {
        record.T4.KC1 = record::KontrolniCislo1(record.T4.Obec, record.T4.Okrsek);
        record.T4.KC2 = record::kc2OfSection2(record.T4);
        record::RecomputeAll(record, parties, record::tickedParties(record, parties), station(), fixedClock());
    }
    void run(Vybrano vybrano = Vybrano::CheckCommandOrSave) {
        verdict = ProvedKontroly(record, registers, parties, "554782", protocol, vybrano);
    }

    std::vector<int> codes() const {
        std::vector<int> out;
        for (const auto& f : protocol.findings()) out.push_back(f.Chyba);
        return out;
    }
    bool reported(int code) const {
        auto all = codes();
        return std::find(all.begin(), all.end(), code) != all.end();
    }

    Verdict verdict;
};

TEST_F(CheckRun, ACleanPrecinctHasNoFinding) {
    record.T4.Chyba = 1;  // from an earlier run
    record.party(2).Chyba = 1;
    record.TS.SeznamChyb = "1604";
    run();
    EXPECT_EQ(findings(), Findings{});
    EXPECT_FALSE(verdict.PriznakChyby);
    EXPECT_FALSE(verdict.PriznakPropustitelne);
    EXPECT_FALSE(verdict.PriznakUpozorneni);
    EXPECT_EQ(record.TS.SeznamChyb, "");
    EXPECT_EQ(record.T4.Chyba, 0);
    EXPECT_EQ(record.party(2).Chyba, 0);
}

TEST_F(CheckRun, PassableErrorsOnly) {
    record.T4.ZapsOsoby = 0;  // the extracts' count was not typed
    recompute();
    run();
    EXPECT_EQ(findings(), (Findings{{0, 4, ""}, {0, 6, ""}}));
    EXPECT_TRUE(verdict.PriznakPropustitelne);
    EXPECT_FALSE(verdict.PriznakChyby);
    EXPECT_FALSE(verdict.PriznakUpozorneni);
    EXPECT_EQ(record.TS.SeznamChyb, "0406");
    EXPECT_EQ(record.T4.Chyba, 1) << "passable errors blame section II too";
}

TEST_F(CheckRun, WarningsOnly) {
    record.T4.VydObalky = 750;  // 92 % turnout
    record.T4.OdevzdObalky = 745;
    record.T4.PlatneHlasy = 740;
    record.party(1).PocHlasu = 519;
    recompute();
    run();
    EXPECT_EQ(findings(), (Findings{{0, 97, ""}}));
    EXPECT_TRUE(verdict.PriznakUpozorneni);
    EXPECT_FALSE(verdict.PriznakChyby);
    EXPECT_FALSE(verdict.PriznakPropustitelne);
    EXPECT_EQ(record.TS.SeznamChyb, "97");
    EXPECT_EQ(record.T4.Chyba, 0) << "warnings blame no record";
    EXPECT_EQ(record.TS.Chyba, 0);
}

TEST_F(CheckRun, ErrorsInSeveralPartiesComeOutSortedAndAreListedInRunOrder) {
    prefer(record, 1, 10, 301);  // more than the party's 300 votes
    prefer(record, 1, 2, 301);
    prefer(record, 2, 21, 5);  // party 2 has 20 candidates
    record.party(7).PocHlasu = 600;  // more than the 521 valid votes
    recompute();
    run();
    EXPECT_EQ(findings(), (Findings{{0, 16, ""},
                                    {1, 18, "(kand. č. 10)"},
                                    {1, 18, "(kand. č. 2)"},
                                    {2, 20, "(21)"},
                                    {2, 23, ""},
                                    {7, 15, ""}}));
    EXPECT_EQ(record.TS.SeznamChyb, "1618202315") << "each code once, in the order the rules ran";
    EXPECT_TRUE(verdict.PriznakChyby);
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_EQ(record.party(1).Chyba, 1);
    EXPECT_EQ(record.party(2).Chyba, 1);
    EXPECT_EQ(record.party(7).Chyba, 1);
    EXPECT_EQ(record.TS.Chyba, 0);
}

TEST_F(CheckRun, AVoteBeyondAShortListGivesRules20And24Together) {
    // Party 3 has two candidates; the annex holds a vote for candidate 3 and
    // names it the last candidate.
    record.MarkParty(3, true);
    record.party(3).PocHlasu = 10;
    record.party(1).PocHlasu = 290;
    prefer(record, 3, 3, 5);
    recompute();
    record::TT4P& p = record.party(3);
    p.PoslKand = 3;
    p.KSoucet = record::controlSumOf(p);
    record::ProcDopoctiTS(record, parties, station(), fixedClock());
    run();
    EXPECT_EQ(findings(), (Findings{{3, 20, "(3)"}, {3, 24, ""}}));
}

TEST_F(CheckRun, ARecomputedVoteBeyondAShortListGivesRules20And23) {
    record.MarkParty(3, true);
    record.party(3).PocHlasu = 10;
    record.party(1).PocHlasu = 290;
    prefer(record, 3, 3, 5);
    recompute();  // the recomputation looks at the two listed places only
    run();
    EXPECT_EQ(findings(), (Findings{{3, 20, "(3)"}, {3, 23, ""}}));
}

TEST_F(CheckRun, PartyFindingsOfSectionTwoNameThePartyInTheDetail) {
    record.party(7).KStrana = 4;  // a party the register does not know
    recompute();
    run();
    // The list of party 4 is empty, so its last candidate 12 is off the list too.
    EXPECT_EQ(findings(), (Findings{{0, 12, "(4)"}, {0, 14, "(4)"}, {7, 24, ""}}));
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_EQ(record.party(7).Chyba, 1);
}

TEST_F(CheckRun, NoPartyFlaggedWithValidVotesFailsRule16) {
    for (int n : {1, 2, 7}) record.MarkParty(n, false);
    recompute();
    run();
    EXPECT_EQ(findings(), (Findings{{0, 16, ""}, {0, 98, " (využito: 0 %)"}}));
}

// The verdict that the findings of a protocol imply: each finding raises the
// flag of its code's class.
Verdict impliedBy(const Findings& findings) {
    Verdict v;
    for (const auto& f : findings) {
        switch (checks::classOf(f.Chyba)) {
            case checks::ErrorClass::Error: v.PriznakChyby = true; break;
            case checks::ErrorClass::Passable: v.PriznakPropustitelne = true; break;
            case checks::ErrorClass::Warning: v.PriznakUpozorneni = true; break;
        }
    }
    return v;
}

struct VerdictCase {
    const char* name;
    std::function<void(record::RecordOfVote&)> change;
    bool recomputed;  // as the entry window saves it, or damaged after the save
    Verdict expected;
};
void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class RunVerdict : public CheckRun, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(RunVerdict, IsWhatTheFindingsImply) {
    const VerdictCase& c = GetParam();
    c.change(record);
    if (c.recomputed) recompute();
    for (Vybrano vybrano : {Vybrano::CheckCommandOrSave, Vybrano::ExportCommand}) {
        run(vybrano);
        EXPECT_EQ(verdict, impliedBy(findings())) << ::testing::PrintToString(findings());
        EXPECT_EQ(verdict, c.expected);
    }
}

const VerdictCase kVerdicts[] = {
    {"clean_nothing", [](record::RecordOfVote&) {}, true, {}},
    {"noExtracts_passable", [](record::RecordOfVote& r) { r.T4.ZapsOsoby = 0; }, true, {false, true, false}},
    {"turnout92_warning",
     [](record::RecordOfVote& r) {
         r.T4.VydObalky = 750;
         r.T4.OdevzdObalky = 745;
         r.T4.PlatneHlasy = 740;
         r.party(1).PocHlasu = 519;
     },
     true,
     {false, false, true}},
    {"partyOverValidVotes_error", [](record::RecordOfVote& r) { r.party(7).PocHlasu = 600; }, true,
     {true, false, false}},
    {"everyClass",
     [](record::RecordOfVote& r) {
         r.T4.ZapsOsoby = 0;        // 04, 06
         r.T4.OdevzdObalky = 400;   // 92: a quarter of the envelopes missing
         r.T4.PlatneHlasy = 390;    // 16: the parties still share 521
     },
     true,
     {true, true, true}},
    {"wrongDistrictAfterSave_error", [](record::RecordOfVote& r) { r.T4.RegKod = 3204; }, false, {true, false, false}},
    {"unknownWayOfEntry_error", [](record::RecordOfVote& r) { r.TS.ZpusobPorizeni = 2; }, false, {true, false, false}},
};

INSTANTIATE_TEST_SUITE_P(Records, RunVerdict, ::testing::ValuesIn(kVerdicts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckRun, AllEnvelopesIssuedGives91AndNever97) {
    record.T4.VydObalky = 812;
    recompute();
    run();
    EXPECT_TRUE(reported(91));
    EXPECT_FALSE(reported(97));
    EXPECT_TRUE(rules.Kontrola97(true) == false) << "97 would fail on its own";
}

struct SizeCase {
    const char* name;
    std::int32_t persons;
    std::vector<data::TPsrvok> psrvok;
    std::vector<TChyba> expected;
};

class LargePrecinct : public CheckRun, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(LargePrecinct, Rule93FollowsRule96) {
    const SizeCase& c = GetParam();
    content.psrvok = c.psrvok;
    rewriteInstallation();
    record.T4.ZapsOsoby = c.persons;
    recompute();
    run();
    Findings warnings;
    for (const auto& f : findings()) {
        if (f.Chyba == 93 || f.Chyba == 96) warnings.push_back(f);
    }
    EXPECT_EQ(warnings, c.expected);
}

const SizeCase kSizes[] = {
    {"notRegistered_2000_gives93", 2000, {}, {{0, 93, ""}}},
    {"registered2001_2000_givesNothing", 2000, {{"554782", 3, 2001}}, {}},
    {"registered500_2500_gives96And93", 2500, {{"554782", 3, 500}}, {{0, 93, ""}, {0, 96, "(500)"}}},
    {"registered500_603_gives96Only", 603, {{"554782", 3, 500}}, {{0, 96, "(500)"}}},
    {"notRegistered_1999_givesNothing", 1999, {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Run, LargePrecinct, ::testing::ValuesIn(kSizes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckRun, AWrongDistrictOnlyInSectionTwoGivesTwoIdenticalFindings) {
    record.T4.RegKod = 3204;
    run();
    EXPECT_EQ(findings(), (Findings{{0, 72, ""}, {0, 72, ""}}));
    EXPECT_EQ(record.TS.SeznamChyb, "72");
}

TEST_F(CheckRun, ASummaryOfKindZeroIsNamed) {
    record.TS.Typ = 0;
    run();
    EXPECT_EQ(findings(), (Findings{{0, 62, "(TS)"}}));
    EXPECT_EQ(record.TS.Chyba, 1);
}

TEST_F(CheckRun, ACodeReportedTwiceIsListedOnce) {
    prefer(record, 2, 4, 151);
    prefer(record, 2, 5, 151);
    recompute();
    run();
    EXPECT_EQ(findings(), (Findings{{2, 18, "(kand. č. 4)"}, {2, 18, "(kand. č. 5)"}}));
    EXPECT_EQ(record.TS.SeznamChyb, "18");
}

TEST_F(CheckRun, TheExportRunKeepsErrorFlagsTheDataNoLongerDeserve) {
    record.T4.Chyba = 1;
    record.party(7).Chyba = 1;
    run(Vybrano::ExportCommand);
    EXPECT_EQ(protocol.Count(), 0u);
    EXPECT_FALSE(verdict.PriznakChyby);
    EXPECT_EQ(record.T4.Chyba, 1);
    EXPECT_EQ(record.party(7).Chyba, 1);
    EXPECT_EQ(record.TS.SeznamChyb, "") << "the list describes this run only";
    run(Vybrano::CheckCommandOrSave);
    EXPECT_EQ(record.T4.Chyba, 0);
    EXPECT_EQ(record.party(7).Chyba, 0);
}

TEST_F(CheckRun, TheCheckRunClearsTheFlagsOfEveryListedParty) {
    record.party(3).Chyba = 1;   // listed, not flagged
    record.party(30).Chyba = 1;  // not on the list: not this run's business
    run();
    EXPECT_EQ(record.party(3).Chyba, 0);
    EXPECT_EQ(record.party(30).Chyba, 1);
}

TEST_F(CheckRun, ARunAfterCorrectingEverythingLeavesTheListEmpty) {
    record.party(7).PocHlasu = 600;
    recompute();
    run();
    ASSERT_EQ(record.TS.SeznamChyb, "1615");
    record.party(7).PocHlasu = 71;
    recompute();
    run();
    EXPECT_EQ(record.TS.SeznamChyb, "");
    EXPECT_EQ(protocol.Count(), 0u);
}

TEST_F(CheckRun, TheCommissionFindingCarriesItsProblems) {
    record.hlasovani.ClenuOVKP = "3";
    record.komise.resize(2);
    run();
    EXPECT_EQ(findings(),
              (Findings{{0, 39, "Nalezené problémy: počet přítomných členů není nadpoloviční většina"}}));
}

TEST_F(CheckRun, ThePreferentialFindingCarriesItsShare) {
    for (int n : {1, 2, 7}) record.party(n).PrefHlasy.fill(0);
    prefer(record, 1, 1, 20);  // 20 of 2084 possible
    recompute();
    run();
    EXPECT_EQ(findings(), (Findings{{0, 98, " (využito: 0,96 %)"}}));
}

TEST_F(CheckRun, SeznamChybStopsAtTwentyFiveCodesButTheProtocolGoesOn) {
    record::TT4& t4 = record.T4;
    t4.Obec = 111111;  // unknown: 01, 02, and 72 for every record
    t4.KC1 = 9;        // 03
    t4.ZapsOsoby = 0;  // 04, 06
    t4.OdevzdObalky = 600;  // 08
    t4.PlatneHlasy = 700;   // 10, 16
    t4.KC2 = 0;             // 11
    t4.Typ = 6;             // 62
    record::TT4P& first = record.party(1);
    first.KStrana = 4;  // 12, 14, 24, 17
    first.KC1 = 9;      // 13
    first.PocHlasu = 800;  // 15
    prefer(record, 1, 1, 900);   // 18
    prefer(record, 1, 2, 3000);  // 18, 19
    prefer(record, 2, 25, 1);    // 20, 21, 23
    record.party(2).KC4 = 0;     // 22
    record.party(7).PocHlasu = 0;  // 42
    record.party(7).Oprava = 2;    // 63
    run();
    EXPECT_EQ(record.TS.SeznamChyb.size(), 50u);
    EXPECT_EQ(record.TS.SeznamChyb.substr(0, 18), "010203040608101116");
    EXPECT_TRUE(reported(72));
    EXPECT_FALSE(checks::listedAtCodeBoundary(record.TS.SeznamChyb, "72")) << "72 came after the list was full";
    EXPECT_TRUE(verdict.PriznakChyby);
    EXPECT_TRUE(verdict.PriznakPropustitelne);
}

TEST_F(CheckRun, AFailingRegisterEndsTheRunWithWhatWasFound) {
    record.T4.VydObalky = 812;  // 91 and 92, found before the register of voters is read
    recompute();
    std::remove(dir.file("PSRVOK.RCD").c_str());
    record.hlasovani.Zapisovat.clear();  // rule 39 would fail, were it reached
    EXPECT_THROW(run(), data::IoError);
    EXPECT_EQ(findings(), (Findings{{0, 91, ""}, {0, 92, ""}})) << "rule 39 was never reached";
    EXPECT_EQ(record.TS.SeznamChyb, "9192");
}

TEST_F(CheckRun, AMissingPrecinctRegisterFailsAtOnce) {
    record.TS.SeznamChyb = "16";
    std::remove(dir.file("OKRSKY.RCD").c_str());
    EXPECT_THROW(run(), data::IoError);
    EXPECT_EQ(protocol.Count(), 0u);
    EXPECT_EQ(record.TS.SeznamChyb, "");
}

}  // namespace
}  // namespace talmorek::testing
