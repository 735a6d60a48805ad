#include "core/record/recompute.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/data/errors.h"
#include "core/data/station.h"
#include "core/record/check_numbers.h"
#include "support/error_of.h"

namespace talmorek::record {
namespace {

using talmorek::testing::errorOf;

data::PartyList partyList(std::initializer_list<std::pair<const char*, const char*>> numbersAndCounts) {
    data::PartyList list;
    for (const auto& [number, count] : numbersAndCounts) {
        ++list.length;
        list.entries[static_cast<std::size_t>(list.length)] = {number, "Strana", count};
    }
    return list;
}

data::TStanice stationWithReservedText(const std::string& text, const std::string& kodOS = "17") {
    data::TStanice s;
    s.KodObce = "554782";
    s.CisloOkrsku = 3;
    s.KodOS = kodOS;
    const std::size_t at = data::stanice::kReservedTextOffset - data::stanice::kReservedOffset;
    s.reserved[at] = static_cast<char>(text.size());
    s.reserved.replace(at + 1, text.size(), text);
    return s;
}

const data::LocalDateTime kNow{2021, 10, 9, 14, 30, 5};

class Recompute : public ::testing::Test {
protected:
    Recompute() {
        r.ClearResults();
        r.T4.RegKod = 3201;
        r.T4.Obec = 554782;
        r.T4.Okrsek = 3;
        r.T4.ZapsOsoby = 812;
        r.T4.VydObalky = 530;
        r.T4.OdevzdObalky = 528;
        r.T4.PlatneHlasy = 521;
        r.T4.KC1 = KontrolniCislo1(554782, 3);
        r.T4.KC2 = kc2OfSection2(r.T4);
        r.MarkParty(7, true);
        r.party(7).PocHlasu = 120;
        r.party(7).PrefHlasy[0] = 15;
        r.party(7).PrefHlasy[2] = 40;
        r.party(7).PrefHlasy[11] = 2;
    }

    RecordOfVote r;
    data::PartyList parties = partyList({{"1", "36"}, {"7", "36"}, {"23", "10"}, {"2", "20"}});
    data::TStanice station = stationWithReservedText("1234");
};

TEST_F(Recompute, WorkedExampleOfParty7) {
    ProcDopoctiT4P(r, 7, parties);
    const TT4P& p = r.party(7);
    EXPECT_EQ(p.KC1, 2);
    EXPECT_EQ(p.KC2, 127);
    EXPECT_EQ(p.KC3, 159);
    EXPECT_EQ(p.KC4, 286);
    EXPECT_EQ(p.PoslKand, 12);
    EXPECT_EQ(p.KSoucet, 558574);
    EXPECT_EQ(r.T4.KC2, 2391);
}

TEST_F(Recompute, APartyWithoutPreferentialVotes) {
    r.party(7).PrefHlasy.fill(0);
    ProcDopoctiT4P(r, 7, parties);
    EXPECT_EQ(r.party(7).KC3, 0);
    EXPECT_EQ(r.party(7).KC4, r.party(7).KC2);
    EXPECT_EQ(r.party(7).PoslKand, 0);
}

TEST_F(Recompute, TheLastCandidateScanStartsAtTheListsEnd) {
    r.MarkParty(2, true);
    r.party(2).PrefHlasy[24] = 3;  // candidate 25 of a list of 20
    ProcDopoctiT4P(r, 2, parties);
    EXPECT_EQ(r.party(2).KC3, 75);
    EXPECT_EQ(r.party(2).PoslKand, 0);
}

TEST_F(Recompute, APartyMissingFromTheListIsScannedFromPlace36) {
    r.MarkParty(30, true);
    r.party(30).PrefHlasy[35] = 1;
    ProcDopoctiT4P(r, 30, parties);
    EXPECT_EQ(r.party(30).PoslKand, 36);
}

TEST_F(Recompute, AListWithoutCandidatesHasNoLastCandidate) {
    data::PartyList empty = partyList({{"7", "0"}});
    ProcDopoctiT4P(r, 7, empty);
    EXPECT_EQ(r.party(7).PoslKand, 0);
    data::PartyList notANumber = partyList({{"7", "x"}});
    ProcDopoctiT4P(r, 7, notANumber);
    EXPECT_EQ(r.party(7).PoslKand, 0);
}

TEST_F(Recompute, TheFlagsFollowTheTickedPartiesOfTheList) {
    ProcDopoctiT4ZakrStrana(r, parties, {1, 23, 30});
    EXPECT_TRUE(r.isFlagged(1));
    EXPECT_TRUE(r.isFlagged(23));
    EXPECT_FALSE(r.isFlagged(30)) << "not on the party list";
    EXPECT_FALSE(r.isFlagged(7)) << "no longer ticked";
    EXPECT_EQ(r.party(7).PocHlasu, 120) << "the annex slots are not touched";
    EXPECT_EQ(tickedParties(r, parties), (std::set<int>{1, 23}));
}

// The flags are the boxes: a party the list does not hold has none, so its
// flag (loaded from a record typed against another list) goes, and the
// summary no longer counts its annex.
TEST_F(Recompute, TheFlagOfAPartyTheListDoesNotHoldGoes) {
    r.MarkParty(30, true);
    r.party(30).PocHlasu = 12;
    ProcDopoctiT4ZakrStrana(r, parties, {7});
    EXPECT_FALSE(r.isFlagged(30));
    EXPECT_TRUE(r.isFlagged(7));
    EXPECT_EQ(r.party(30).PocHlasu, 12) << "the annex slots are not touched";
    EXPECT_EQ(tickedParties(r, parties), (std::set<int>{7}));
}

TEST_F(Recompute, TheSummaryRecord) {
    r.TS.SeznamChyb = "1604";
    r.TS.Chyba = 1;
    r.TS.RezervaA1 = "x";
    r.TS.RezervaB5 = 7;
    r.TS.RezervaD2 = 9;
    ProcDopoctiT4P(r, 7, parties);
    ProcDopoctiTS(r, parties, station, fixedSources(kNow, 1));
    const TTS& ts = r.TS;
    EXPECT_EQ(ts.Typ, 3);
    EXPECT_EQ(ts.Oprava, 0);
    EXPECT_EQ(ts.Chyba, 0);
    EXPECT_EQ(ts.RegKod, 3201);
    EXPECT_EQ(ts.Obec, 554782);
    EXPECT_EQ(ts.Okrsek, 3);
    EXPECT_EQ(ts.KC1, 2);
    EXPECT_EQ(ts.SeznamChyb, "1604") << "the list belongs to the check run";
    EXPECT_EQ(ts.Datum, "20211009");
    EXPECT_EQ(ts.Cas, "143005");
    EXPECT_EQ(ts.Rezerva, 1234);
    EXPECT_EQ(ts.ZpusobPorizeni, 1);
    EXPECT_EQ(ts.KodOS, 17);
    EXPECT_EQ(ts.RezervaA1, "");
    EXPECT_EQ(ts.RezervaB5, 0);
    EXPECT_EQ(ts.RezervaD2, 0);
    EXPECT_GE(ts.Nahoda, 0);
    EXPECT_LE(ts.Nahoda, 999998);
    EXPECT_EQ(ts.SumaKC1, 2 + 2 + 2);
    EXPECT_EQ(ts.SumaKC2, 2391 + 127);
    EXPECT_EQ(ts.SumaKC3, 159);
    EXPECT_EQ(ts.SumaKC4, 286);
    EXPECT_EQ(ts.SumaKSoucet, 558574);
    EXPECT_EQ(ts.Celkem, 20211009 + (6 + 2518 + 159 + 286 + 558574) + 143005 + 1234 + ts.Nahoda);
    EXPECT_EQ(r.hlasovani.PrilListu, "1");
}

TEST_F(Recompute, AReservedTextThatIsNoNumberGivesZero) {
    ProcDopoctiTS(r, parties, stationWithReservedText("12a"), fixedSources(kNow, 1));
    EXPECT_EQ(r.TS.Rezerva, 0);
    ProcDopoctiTS(r, parties, stationWithReservedText(""), fixedSources(kNow, 1));
    EXPECT_EQ(r.TS.Rezerva, 0);
}

TEST_F(Recompute, AnOperatingSystemCodeThatIsNoNumberFailsNamingTheStationsFileAndField) {
    data::TStanice read = stationWithReservedText("", "]u");
    read.sourceFile = "/i/STANICE.RCD";
    const data::TStanice made = stationWithReservedText("", "x");
    struct Case {
        const data::TStanice* station;
        const char* file;
    } cases[] = {{&read, "/i/STANICE.RCD"}, {&made, "STANICE.RCD"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        if (const auto e = errorOf<data::ConversionError>([&] {
            ProcDopoctiTS(r, parties, *c.station, fixedSources(kNow, 1));
        })) {
            EXPECT_EQ(e->text(), c.station->KodOS);
            EXPECT_EQ(e->file(), c.file);
            EXPECT_EQ(e->field(), "KodOS");
        }
    }
}

TEST_F(Recompute, Party23AddsToTheSumsButNotToTheAnnexSheets) {
    RecomputeAll(r, parties, {7}, station, fixedSources(kNow, 1));
    const TTS before = r.TS;
    ASSERT_EQ(r.hlasovani.PrilListu, "1");
    r.MarkParty(23, true);
    r.party(23).PocHlasu = 10;
    RecomputeAll(r, parties, {7, 23}, station, fixedSources(kNow, 1));
    EXPECT_EQ(r.hlasovani.PrilListu, "1");
    EXPECT_EQ(PocetListuPrilohy(r), 1);
    EXPECT_EQ(r.TS.SumaKC2, before.SumaKC2 + 23 + 10);
    EXPECT_EQ(r.TS.SumaKC1, before.SumaKC1 + 2);
}

TEST_F(Recompute, AnnexSheetsCountPartiesOneToTwentyTwo) {
    for (int n : {1, 2, 22, 23, 60}) r.MarkParty(n, true);
    EXPECT_EQ(PocetListuPrilohy(r), 4) << "7, 1, 2 and 22";
}

TEST_F(Recompute, UnmarkingAndMarkingAgainRecomputesTheKeptVotes) {
    RecomputeAll(r, parties, {7}, station, fixedSources(kNow, 1));
    const TT4P computed = r.party(7);
    r.MarkParty(7, false);
    RecomputeAll(r, parties, {}, station, fixedSources(kNow, 1));
    EXPECT_EQ(r.TS.SumaKC3, 0);
    r.MarkParty(7, true);
    RecomputeAll(r, parties, {7}, station, fixedSources(kNow, 1));
    EXPECT_EQ(r.party(7), computed);
    EXPECT_EQ(r.TS.SumaKC3, 159);
}

TEST_F(Recompute, RecomputingTwiceChangesOnlyTheStampAndTheTotal) {
    RecomputeAll(r, parties, {7}, station, fixedSources(kNow, 1));
    RecordOfVote first = r;
    RecomputeAll(r, parties, {7}, station, fixedSources({2021, 10, 9, 14, 31, 0}, 2));
    EXPECT_NE(r.TS.Cas, first.TS.Cas);
    EXPECT_NE(r.TS.Nahoda, first.TS.Nahoda);
    EXPECT_NE(r.TS.Celkem, first.TS.Celkem);
    RecordOfVote second = r;
    second.TS.Datum = first.TS.Datum;
    second.TS.Cas = first.TS.Cas;
    second.TS.Nahoda = first.TS.Nahoda;
    second.TS.Celkem = first.TS.Celkem;
    EXPECT_EQ(second.T4, first.T4);
    EXPECT_EQ(second.T4P, first.T4P);
    EXPECT_EQ(second.TS, first.TS);
    EXPECT_EQ(second.hlasovani, first.hlasovani);
}

TEST_F(Recompute, FixedSourcesMakeItRepeatable) {
    RecordOfVote other = r;
    RecomputeAll(r, parties, {7}, station, fixedSources(kNow, 42));
    RecomputeAll(other, parties, {7}, station, fixedSources(kNow, 42));
    EXPECT_EQ(r.TS, other.TS);
}

TEST_F(Recompute, OneSourceDrawsANewNumberEachTime) {
    RecomputeSources sources = fixedSources(kNow, 42);
    RecomputeAll(r, parties, {7}, station, sources);
    const auto first = r.TS.Nahoda;
    RecomputeAll(r, parties, {7}, station, sources);
    EXPECT_NE(r.TS.Nahoda, first);
}

// The stamp is read from the clock at each recomputation: a clock moved
// between two saves dates the second one.
TEST_F(Recompute, TheStampFollowsTheClockItWasGiven) {
    auto clock = std::make_shared<data::FixedClock>(kNow);
    const RecomputeSources sources = sourcesOf(clock, 1);
    ProcDopoctiTS(r, parties, station, sources);
    EXPECT_EQ(r.TS.Datum, "20211009");
    EXPECT_EQ(r.TS.Cas, "143005");
    clock->set({2022, 1, 2, 3, 4, 5, 999});
    ProcDopoctiTS(r, parties, station, sources);
    EXPECT_EQ(r.TS.Datum, "20220102");
    EXPECT_EQ(r.TS.Cas, "030405");
}

TEST_F(Recompute, TheSameSeedGivesTheSameNahodaWhateverTheClock) {
    RecordOfVote other = r;
    ProcDopoctiTS(r, parties, station, sourcesOf(data::systemClock(), 42));
    ProcDopoctiTS(other, parties, station, fixedSources(kNow, 42));
    EXPECT_EQ(r.TS.Nahoda, other.TS.Nahoda);
}

TEST_F(Recompute, TheSystemSourcesGiveTheClockAndANumberInRange) {
    RecomputeSources sources = systemSources();
    const data::LocalDateTime now = sources.clock->now();
    EXPECT_GE(now.year, 2021);
    for (int i = 0; i < 100; ++i) {
        auto n = sources.nahoda();
        EXPECT_GE(n, 0);
        EXPECT_LE(n, 999998);
    }
}

}  // namespace
}  // namespace talmorek::record
