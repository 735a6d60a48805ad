#include "core/record/record_of_vote.h"

#include <gtest/gtest.h>

namespace talmorek::record {
namespace {

RecordOfVote identified() {
    RecordOfVote r;
    r.T4.RegKod = 3201;
    r.T4.Obec = 554782;
    r.T4.Okrsek = 3;
    return r;
}

TEST(RecordOfVote, ANewSectionTwoHasKindOneAndNoParty) {
    TT4 t4;
    EXPECT_EQ(t4.Typ, 1);
    EXPECT_EQ(t4.ZakrStrany, std::string(60, '0'));
    EXPECT_EQ(t4.KC1, 0);
    EXPECT_EQ(t4.Chyba, 0);
}

TEST(RecordOfVote, ClearResultsEmptiesTheResultsBlockOnly) {
    RecordOfVote r = identified();
    r.MarkParty(7, true);
    r.party(7).PocHlasu = 120;
    r.party(99).KC3 = 5;
    r.TS.SeznamChyb = "16";
    r.TS.Typ = 3;
    r.hlasovani.Zapisovat = "Jana";
    r.komise = {{"Karel"}};
    r.ClearResults();
    EXPECT_EQ(r.T4, TT4{});
    for (int n = 1; n <= kPartySlots; ++n) EXPECT_EQ(r.party(n), TT4P{}) << n;
    EXPECT_EQ(r.TS, TTS{});
    EXPECT_EQ(r.hlasovani.Zapisovat, "Jana");
    EXPECT_EQ(r.komise.size(), 1u);
}

TEST(RecordOfVote, MarkingAPartyFillsTheHeaderOfItsAnnex) {
    RecordOfVote r = identified();
    r.MarkParty(7, true);
    EXPECT_TRUE(r.isFlagged(7));
    EXPECT_EQ(r.T4.ZakrStrany[6], '1');
    const TT4P& p = r.party(7);
    EXPECT_EQ(p.Typ, 2);
    EXPECT_EQ(p.RegKod, 3201);
    EXPECT_EQ(p.Obec, 554782);
    EXPECT_EQ(p.Okrsek, 3);
    EXPECT_EQ(p.KC1, 2);
    EXPECT_EQ(p.KStrana, 7);
}

TEST(RecordOfVote, UnmarkingAndMarkingAgainKeepsTheVotes) {
    RecordOfVote r = identified();
    r.MarkParty(7, true);
    r.party(7).PocHlasu = 120;
    r.party(7).PrefHlasy[2] = 40;
    r.party(7).KC3 = 120;
    r.MarkParty(7, false);
    EXPECT_FALSE(r.isFlagged(7));
    EXPECT_EQ(r.party(7).PocHlasu, 120) << "un-marking only clears the flag";
    r.MarkParty(7, true);
    EXPECT_EQ(r.party(7).PocHlasu, 120);
    EXPECT_EQ(r.party(7).pref(3), 40);
    EXPECT_EQ(r.party(7).KC3, 120);
}

TEST(RecordOfVote, OnlyPartiesOneToSixtyCanBeFlagged) {
    RecordOfVote r = identified();
    r.MarkParty(60, true);
    EXPECT_TRUE(r.isFlagged(60));
    r.MarkParty(61, true);
    r.MarkParty(0, true);
    EXPECT_FALSE(r.isFlagged(61));
    EXPECT_FALSE(r.isFlagged(0));
    EXPECT_EQ(r.party(61), TT4P{});
    EXPECT_EQ(r.T4.ZakrStrany, std::string(59, '0') + "1");
}

TEST(RecordOfVote, OnlyTheCharacterOneFlags) {
    RecordOfVote r;
    r.T4.ZakrStrany[4] = 'B';
    EXPECT_FALSE(r.isFlagged(5));
    r.T4.ZakrStrany = "1";  // a damaged, short flag string
    EXPECT_TRUE(r.isFlagged(1));
    EXPECT_FALSE(r.isFlagged(2));
}

// Flag n is the n-th character: a letter of two bytes before it does not
// move party 3's flag onto party 4.
TEST(RecordOfVote, FlagsAreCharactersNotBytes) {
    RecordOfVote r;
    r.T4.ZakrStrany = "0é1000100" + std::string(51, '0');
    EXPECT_FALSE(r.isFlagged(2));
    EXPECT_TRUE(r.isFlagged(3));
    EXPECT_FALSE(r.isFlagged(4));
    EXPECT_TRUE(r.isFlagged(7));
    EXPECT_FALSE(r.isFlagged(8));
    // Marking rewrites the string as sixty "0"/"1" from the flags as they read.
    r.MarkParty(10, true);
    EXPECT_EQ(r.T4.ZakrStrany, "0010001001" + std::string(50, '0'));
}

TEST(RecordOfVote, SixteenBitCountsKeepTheirValueModulo65536) {
    TT4 t4;
    t4.PlatneHlasy = static_cast<std::uint16_t>(70000);
    EXPECT_EQ(t4.PlatneHlasy, 70000 - 65536);
}

}  // namespace
}  // namespace talmorek::record
