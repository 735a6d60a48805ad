#include "core/print/tally_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/error_of.h"
#include "support/golden.h"
#include "core/print/print_fixture.h"
#include "core/data/errors.h"
#include "core/data/registers.h"
#include "support/temp_dir.h"

namespace talmorek::print {
namespace {

using talmorek::testing::errorOf;
using talmorek::testing::expectGolden;
using talmorek::testing::TempDir;

const std::string kTitle = "Pomocný sčítací arch pro sčítání přednostních hlasů kandidátů";

struct PartyFixture {
    std::string number, name, count;
    int named;  // candidates 1..named get an entry in KANDIDAT.RCD
};

class Tally : public PrintFixture {
protected:
    // Writes the two registers and loads them as the command does.
    void registersOf(const std::vector<PartyFixture>& parties) {
        std::string strany, kandidati;
        for (const PartyFixture& p : parties) {
            strany += data::encodeStrana({p.number, p.name, p.count});
            for (int j = 1; j <= p.named; ++j) {
                const std::string priznak = j == 2 ? "N" : j == 3 ? "1" : "";
                kandidati += data::encodeKandidat(
                    {p.number, std::to_string(j), "Jan" + std::to_string(j), "Novák " + p.number, priznak});
            }
        }
        dir.write("STRANY.RCD", strany);
        dir.write("KANDIDAT.RCD", kandidati);
        partyList = registers.NactiStrany();
        candidates = registers.NactiKandidaty();
    }

    void print(bool sDiakritikou = true) { TiskScitacihoArchu(ctx, partyList, candidates, now, sDiakritikou); }

    std::vector<TextCall> named(std::string_view text, int page) const {
        std::vector<TextCall> out;
        for (const TextCall& t : texts(page))
            if (t.text == text) out.push_back(t);
        return out;
    }
    std::vector<TextCall> startingWith(std::string_view prefix, int page) const {
        std::vector<TextCall> out;
        for (const TextCall& t : texts(page))
            if (t.text.starts_with(prefix)) out.push_back(t);
        return out;
    }
    int widthOf(const TextCall& t) const { return measure.width(t.text, t.font); }

    TempDir dir;
    data::Registers registers{dir.path()};
    data::PartyList partyList;
    data::CandidateTable candidates;
};

TEST_F(Tally, ShortListOnOneLandscapePage) {
    station.CisloOkrsku = 0;
    registersOf({{"1", "Strana jedna", "4", 4}});
    print();
    ASSERT_EQ(document.TotalPages(), 1);
    EXPECT_EQ(document.recorded().pages[0].orientation, Orientation::Landscape);

    const auto all = texts(1);
    EXPECT_EQ(all.at(0).text, kTitle);
    EXPECT_EQ(all.at(0).font.size, 34);
    EXPECT_TRUE(all.at(0).font.style.bold);
    EXPECT_EQ(all.at(1).text, "");
    EXPECT_EQ(all.at(2).text, "Strana č. 1");
    EXPECT_EQ(all.at(2).x, 305);
    EXPECT_EQ(all.at(3).text, "Volební kraj: Jihomoravský kraj     Obec: Horní Lhota");
    EXPECT_EQ(all.at(3).x + widthOf(all.at(3)), 2800);
    EXPECT_EQ(all.at(5).text, "Okrsek: ............") << "precinct 0 has a dotted place";

    const TextCall footer = startingWith("584231-", 1).at(0);
    EXPECT_EQ(footer.text, "584231-0 List:  1 - PS");
    EXPECT_EQ(footer.y, 1890);
    EXPECT_EQ(footer.x + widthOf(footer), 2800);
    const TextCall vzor = named("VZOR", 1).at(0);
    EXPECT_EQ(vzor.x, 1500);
    EXPECT_EQ(vzor.y, 1890 - 17);
    EXPECT_TRUE(vzor.font.style.bold);
    expectGolden("tally_short_list.txt", recording());
}

TEST_F(Tally, MarkedCandidatesGetABoldN) {
    registersOf({{"1", "Strana jedna", "4", 4}});
    print();
    // Candidate 2 is marked "N", candidate 3 "1", the others not at all.
    const auto marks = named("      N", 1);
    ASSERT_EQ(marks.size(), 2u);
    for (const TextCall& m : marks) {
        EXPECT_TRUE(m.font.style.bold);
        EXPECT_EQ(m.x, 200);
    }
    const TextCall second = startingWith(" 2. ", 1).at(0);
    const TextCall third = startingWith(" 3. ", 1).at(0);
    EXPECT_EQ(second.text, " 2. Jan2 Novák 1");
    EXPECT_EQ(marks[0].y, second.y);
    EXPECT_EQ(marks[1].y, third.y);
    EXPECT_EQ(named("", 1).size(), 2u + 2u) << "two empty header lines and two unmarked rows";
}

TEST_F(Tally, ThirtySixCandidatesUseLineStep41AndFitOnePage) {
    registersOf({{"7", "Dlouhá kandidátka", "36", 36}});
    print();
    ASSERT_EQ(document.TotalPages(), 1);
    const TextCall first = startingWith(" 1. ", 1).at(0);
    const TextCall second = startingWith(" 2. ", 1).at(0);
    const TextCall last = startingWith("36. ", 1).at(0);
    EXPECT_EQ(first.y, 300 + 41);
    EXPECT_EQ(second.y - first.y, 41);
    EXPECT_EQ(last.y, 300 + 36 * 41);
}

TEST_F(Tally, LineStepShrinksWithTheLengthOfTheList) {
    struct Case {
        const char* name;
        const char* count;
        int step;
    };
    const Case cases[] = {
        {"29_candidates_keep_50", "29", 50}, {"30_candidates_use_47", "30", 47}, {"32_candidates_use_44", "32", 44},
        {"34_candidates_use_41", "34", 41},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registersOf({{"3", "Strana", c.count, 0}});
        print();
        const TextCall first = startingWith(" 1. ", 1).at(0);
        const TextCall second = startingWith(" 2. ", 1).at(0);
        EXPECT_EQ(second.y - first.y, c.step);
        EXPECT_EQ(ctx.stav.KrokRadku, 50) << "the step returns to 50 after the party";
    }
}

TEST_F(Tally, AListLongerThanAPageContinuesUnderTheRepeatedHeader) {
    // The party list claims more candidates than the register can name:
    // rows 37..40 carry the register's filler names.
    registersOf({{"9", "Přeplněná kandidátka", "40", 36}});
    print();
    ASSERT_EQ(document.TotalPages(), 2);
    EXPECT_EQ(startingWith("36. ", 1).size(), 1u);
    EXPECT_TRUE(startingWith("37. ", 1).empty());

    const auto second = texts(2);
    EXPECT_EQ(second.at(0).text, kTitle);
    EXPECT_EQ(second.at(2).text, "Strana č. 9");
    EXPECT_EQ(second.at(4).text, "Volební strana: Přeplněná kandidátka");
    const TextCall row37 = startingWith("37. ", 2).at(0);
    EXPECT_EQ(row37.text, "37. --------------- --------------------");
    EXPECT_EQ(row37.y, 100 + 4 * 41 + 41) << "the header keeps the party's line step";
    EXPECT_EQ(startingWith("584231-3 List:  1", 1).size(), 1u);
    EXPECT_EQ(startingWith("584231-3 List:  2", 2).size(), 1u);
    // The continuation page alone: the first one is the same as any full page.
    expectGolden("tally_continuation.txt", toText(document.recorded().pages.at(1), 2));
}

TEST_F(Tally, EveryPartyStartsOnANewPage) {
    registersOf({{"1", "Strana jedna", "2", 2}, {"2", "Strana dvě", "0", 0}, {"4", "Strana čtyři", "3", 3}});
    print();
    ASSERT_EQ(document.TotalPages(), 3);
    const char* numbers[] = {"Strana č. 1", "Strana č. 2", "Strana č. 4"};
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(texts(page).at(0).text, kTitle);
        EXPECT_EQ(texts(page).at(2).text, numbers[page - 1]);
        EXPECT_EQ(startingWith("584231-3 List:  " + std::to_string(page) + " - PS", page).size(), 1u);
        EXPECT_EQ(document.recorded().pages[static_cast<std::size_t>(page - 1)].orientation, Orientation::Landscape);
    }
    EXPECT_TRUE(startingWith(" 1. ", 2).empty()) << "a party without candidates has only its header";
    EXPECT_EQ(startingWith(" 3. Jan3 Novák 4", 3).size(), 1u) << "candidates are looked up by party number";
}

// Reading STRANY.RCD refuses such a count already; a list damaged in memory
// is refused by the layout all the same.
TEST_F(Tally, ANonNumericCandidateCountEndsTheJobBeforeAnyPage) {
    registersOf({{"1", "Strana jedna", "3", 3}});
    partyList.entries[2] = {"2", "Strana dvě", "x"};
    partyList.length = 2;
    if (const auto e = errorOf<data::ConversionError>([&] { print(); })) {
        EXPECT_EQ(e->file(), dir.file("STRANY.RCD"));
        EXPECT_EQ(e->record(), 1) << "the second party of the list";
        EXPECT_EQ(e->field(), "PocetKandidatu");
    }
    EXPECT_TRUE(document.isIdle());
    EXPECT_EQ(document.TotalPages(), 0);

    // The next job begins a document of its own.
    registersOf({{"1", "Strana jedna", "3", 3}});
    print();
    EXPECT_EQ(document.TotalPages(), 1);
}

TEST_F(Tally, NoDiacriticsModeDropsThemFromEveryText) {
    registersOf({{"1", "Strana jedna", "2", 2}});
    print(false);
    EXPECT_EQ(texts(1).at(0).text, "Pomocny scitaci arch pro scitani prednostnich hlasu kandidatu");
    const TextCall region = texts(1).at(3);
    EXPECT_EQ(region.text, "Volebni kraj: Jihomoravsky kraj     Obec: Horni Lhota");
    EXPECT_EQ(region.x + widthOf(region), 2800);
}

}  // namespace
}  // namespace talmorek::print
