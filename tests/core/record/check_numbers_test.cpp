#include "core/record/check_numbers.h"

#include <gtest/gtest.h>

namespace talmorek::record {
namespace {

// Party 7 of the worked example: 120 votes; 15, 40 and 2 preferential votes
// for candidates 1, 3 and 12, in precinct 554782 / 3 of district 3201.
TT4P workedExample() {
    TT4P p;
    p.Typ = 2;
    p.RegKod = 3201;
    p.Obec = 554782;
    p.Okrsek = 3;
    p.KC1 = 2;
    p.KStrana = 7;
    p.PocHlasu = 120;
    p.PrefHlasy[0] = 15;
    p.PrefHlasy[2] = 40;
    p.PrefHlasy[11] = 2;
    p.KC2 = 127;
    p.KC3 = 159;
    p.KC4 = 286;
    p.PoslKand = 12;
    return p;
}

TEST(KontrolniCislo1, WorkedExample) { EXPECT_EQ(KontrolniCislo1(554782, 3), 2); }

TEST(KontrolniCislo1, LargestIdentificationNeedsMoreThan32Bits) {
    EXPECT_EQ(KontrolniCislo1(999999, 99999), 4) << "99999999999 mod 7";
}

TEST(KontrolniCislo1, OtherValues) {
    EXPECT_EQ(KontrolniCislo1(1, 0), 5);  // 100000 = 7 × 14285 + 5
    EXPECT_EQ(KontrolniCislo1(0, 7), 0);
    EXPECT_EQ(KontrolniCislo1(0, 13), 6);
}

TEST(CheckNumbers, Kc2OfSectionTwoAddsTheFourTotals) {
    TT4 t4;
    t4.ZapsOsoby = 812;
    t4.VydObalky = 530;
    t4.OdevzdObalky = 528;
    t4.PlatneHlasy = 521;
    EXPECT_EQ(kc2OfSection2(t4), 2391);
}

TEST(CheckNumbers, Kc3AddsTheControlProducts) {
    EXPECT_EQ(kc3Of(workedExample()), 15 + 120 + 24);
    EXPECT_EQ(kc3Of(TT4P{}), 0);
}

TEST(CheckNumbers, Kc3OfThirtySixFullCandidatesHasEightDigits) {
    TT4P p;
    p.PrefHlasy.fill(65535);
    EXPECT_EQ(kc3Of(p), 43646310) << "666 × 65535";
}

TEST(CheckNumbers, Kc3CountsVotesBeyondTheList) {
    TT4P p;
    p.PrefHlasy[24] = 3;
    EXPECT_EQ(kc3Of(p), 75);
    EXPECT_EQ(lastCandidateWithVotes(p, 20), 0) << "the scan starts at the list's last place";
    EXPECT_EQ(lastCandidateWithVotes(p, 36), 25);
}

TEST(CheckNumbers, LastCandidateWithVotes) {
    EXPECT_EQ(lastCandidateWithVotes(workedExample(), 36), 12);
    EXPECT_EQ(lastCandidateWithVotes(workedExample(), 12), 12);
    EXPECT_EQ(lastCandidateWithVotes(workedExample(), 11), 3);
    EXPECT_EQ(lastCandidateWithVotes(workedExample(), 0), 0);
    EXPECT_EQ(lastCandidateWithVotes(workedExample(), 99), 12) << "never beyond 36";
    EXPECT_EQ(lastCandidateWithVotes(TT4P{}, 36), 0);
}

TEST(CheckNumbers, ControlSumOfTheWorkedExample) {
    EXPECT_EQ(controlSumOf(workedExample()), 558574);
}

TEST(CheckNumbers, ControlSumLeavesOutPartyAndVotes) {
    TT4P p = workedExample();
    p.KStrana = 8;
    p.PocHlasu = 1;
    p.PrefHlasy.fill(9);
    EXPECT_EQ(controlSumOf(p), 558574);
    p.Chyba = 1;
    p.Oprava = 1;
    EXPECT_EQ(controlSumOf(p), 558576);
}

}  // namespace
}  // namespace talmorek::record
