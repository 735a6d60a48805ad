#include "core/print/annex_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/golden.h"
#include "core/print/print_fixture.h"
#include "core/data/registers.h"
#include "core/print/print_text.h"
#include "core/print/record_footer.h"
#include "support/temp_dir.h"

namespace talmorek::print {
namespace {

using talmorek::testing::expectGolden;
using talmorek::testing::TempDir;

const std::string kUnderscores(24, '_');
const std::string kSignatureLine(60, '.');

// One Annex 1 sheet drawn the way the record job draws it: the job has
// begun the document, set the line step to 45 and numbered the page; the
// sheet is followed by the footer of its last page.
class Annex : public PrintFixture {
protected:
    Annex() {
        station.NazevOkresu = "Brno-venkov";
        dir.write("STRANY.RCD", data::encodeStrana({"1", "Strana jedna", "36"}) +
                                    data::encodeStrana({"2", "Strana zelených luk", "20"}) +
                                    data::encodeStrana({"3", "Třetí cesta", "5"}));
        record.T4.Obec = 584231;
        record.T4.Okrsek = 3;
        record.T4.KC1 = 4711;
        record.MarkParty(2, true);
        record::TT4P& p = record.party(2);
        p.PocHlasu = 120;
        for (int j = 1; j <= 20; ++j) p.PrefHlasy[static_cast<std::size_t>(j - 1)] = static_cast<std::uint16_t>(j + 3);
        p.PrefHlasy[4] = 0;  // candidate 5 has no preferential vote
        p.KC2 = 4833;
        p.KC3 = 3040;
        p.KC4 = 7873;
        p.PoslKand = 0;
        record.hlasovani.Zapisovat = "Jana Dvořáková  ";
        record.komise = {{"Petr Novák"}};

        job.record = &record;
        job.registers = &registers;
        job.partyNames = {{1, "Strana jedna"}, {2, "Strana zelených luk"}, {3, "Třetí cesta"}};
        job.footer = RecordFooterValues{584231, 3, 987654, timeStampText(now), nullptr};
    }

    void printSheet(int strana, int cisloListu = 1) {
        InitTisk(ctx, now);
        preview.ZacatekTisku();
        VratCanvas(ctx);
        ctx.stav.CisloListu = cisloListu;
        ctx.stav.PosledniList = 5;
        ctx.stav.CisloStrany = 3;
        ctx.stav.ChybyVytisteny = true;
        ctx.stav.KrokRadku = 45;
        TiskPrilohy1(ctx, job, strana);
        PatickaZapisu(ctx, job.footer);
        preview.KonecTisku();
    }

    // The text calls of page n with this text.
    std::vector<TextCall> named(std::string_view text, int page = 1) const {
        std::vector<TextCall> out;
        for (const TextCall& t : texts(page))
            if (t.text == text) out.push_back(t);
        return out;
    }
    TextCall only(std::string_view text, int page = 1) const {
        const auto found = named(text, page);
        EXPECT_EQ(found.size(), 1u) << text;
        return found.empty() ? TextCall{} : found.front();
    }
    // The calls drawn on the line of candidate row label `order` ("  5."):
    // the label itself and what follows it in the same group.
    std::vector<TextCall> rowOf(int order) const {
        const auto all = texts();
        const std::string label = CisloMezery(order, 3) + ".";
        const auto at = std::find_if(all.begin(), all.end(), [&](const TextCall& t) { return t.text == label; });
        if (at == all.end()) return {};
        const auto end = std::find_if(at + 1, all.end(), [&](const TextCall& t) {
            return t.text.ends_with(".") || std::abs(t.y - at->y) > 20;
        });
        return {at, end};
    }
    int widthOf(const TextCall& t) const { return measure.width(t.text, t.font); }

    TempDir dir;
    data::Registers registers{dir.path()};
    record::RecordOfVote record;
    RecordJob job;
};

TEST_F(Annex, T4aSheetOfATwentyCandidateParty) {
    printSheet(2, 7);
    ASSERT_EQ(document.TotalPages(), 1);

    const TextCall sheet = only("Příloha č. 1 k tiskopisu T/4a, list č.   7");
    EXPECT_TRUE(sheet.font.style.bold);
    EXPECT_EQ(sheet.x + widthOf(sheet), 1900) << "right-aligned to the right margin";
    EXPECT_EQ(only("VE VOLEBNÍM OKRSKU").y, 190);
    EXPECT_TRUE(only("Horní Lhota").font.style.bold);
    EXPECT_TRUE(only("Brno-venkov").font.style.bold);
    EXPECT_EQ(only("Strana zelených luk").x, 200);
    EXPECT_EQ(only(" 2").x + widthOf(only(" 2")), 1880);

    // Candidates 1..20 have votes; positions 21..36 are ruled off.
    EXPECT_EQ(named(kUnderscores).size(), 16u);
    for (int j : {1, 12, 13, 20}) {
        SCOPED_TRACE(j);
        EXPECT_EQ(rowOf(j).size(), 3u) << "order, votes, product";
    }
    for (int j : {21, 24, 25, 36}) {
        SCOPED_TRACE(j);
        const auto row = rowOf(j);
        ASSERT_EQ(row.size(), 2u);
        EXPECT_EQ(row[1].text, kUnderscores);
        EXPECT_EQ(row[1].y, row[0].y - 14) << "underscores stand lower than the order";
    }

    const auto row13 = rowOf(13);  // first row of the second group: 16 votes
    ASSERT_EQ(row13.size(), 3u);
    EXPECT_EQ(row13[0].x, 200 + 13 * 43 + 5);
    EXPECT_EQ(row13[1].text, "16");
    EXPECT_TRUE(row13[1].font.style.bold);
    EXPECT_EQ(row13[1].x + widthOf(row13[1]), 200 + 13 * 43 + 5 + 7 * 43 - 20);
    EXPECT_EQ(row13[2].text, "208");
    EXPECT_FALSE(row13[2].font.style.bold);
    EXPECT_EQ(row13[2].x + widthOf(row13[2]), 200 + 13 * 43 + 5 + 13 * 43 - 20);

    EXPECT_EQ(only("  0").x + widthOf(only("  0")), 1875) << "PoslKand = 0 in its box";
    const auto all = texts();
    const auto recorder = std::find_if(all.begin(), all.end(), [](const TextCall& t) {
        return t.text.starts_with("Jméno, příjmení a podpis zapisovatele:  ..");
    });
    ASSERT_NE(recorder, all.end());
    EXPECT_EQ(only("Jana Dvořáková").y, recorder->y - 12) << "trimmed and written over the dots";
    expectGolden("annex_t4a.txt", recording());
}

TEST_F(Annex, ACandidateWithoutVotesPrintsZeroes) {
    printSheet(2);
    const auto row = rowOf(5);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[1].text, "0");
    EXPECT_TRUE(row[1].font.style.bold);
    EXPECT_EQ(row[2].text, "0");
}

TEST_F(Annex, T4bSheetNamesThePrecinctAbroadWithItsState) {
    job.zvlastniOkrsek = true;
    station.NazevObce = "Washington";
    station.NazevOkresu = "Spojené státy americké";
    printSheet(2);
    EXPECT_EQ(only("Příloha č. 1 k tiskopisu T/4b, list č.   1").font.style.bold, true);
    only("VE ZVLÁŠTNÍM VOLEBNÍM OKRSKU");
    only("Identifikace zvláštního volebního okrsku:");
    const TextCall place = only("Washington, Spojené státy americké");
    EXPECT_TRUE(place.font.style.bold);
    EXPECT_EQ(named("Washington").size(), 0u);
    expectGolden("annex_t4b.txt", recording());
}

TEST_F(Annex, OneMemberSignsInTheThirdColumnOfTheHeadingLine) {
    printSheet(2);
    const TextCall heading = only("Jména, příjmeni a podpisy ostatních členů komise :");
    const TextCall line = only(kSignatureLine);
    EXPECT_EQ(line.x, 200 + 2 * (1700 / 3));
    EXPECT_EQ(line.y, heading.y);
    const TextCall name = only("Petr Novák");
    EXPECT_EQ(name.x, line.x);
    EXPECT_EQ(name.y, line.y - 12);
}

TEST_F(Annex, ALongNameIsWrittenSmallerToStayInItsColumn) {
    const std::string longName = "Marie Procházková-Dvořáková-Nováková, Ph.D.";
    record.komise = {{longName}, {longName}, {"Jan Krátký"}};
    printSheet(2);
    const int column = 1700 / 3;
    ASSERT_EQ(named(longName).size(), 2u);
    for (const TextCall& name : named(longName)) {
        EXPECT_LT(name.font.size, 24);
        EXPECT_LE(widthOf(name), column - 20) << name.x;
    }
    EXPECT_EQ(only("Jan Krátký").font.size, 24);
    for (const TextCall& line : named(kSignatureLine)) EXPECT_EQ(line.font.size, 24);
}

TEST_F(Annex, AnEmptyCommissionPrintsNoSignatureLine) {
    record.komise.clear();
    printSheet(2);
    EXPECT_TRUE(named(kSignatureLine).empty());
}

TEST_F(Annex, ThirtyMembersContinueOnAPageOfTheirOwn) {
    record.komise.clear();
    for (int i = 1; i <= 30; ++i) record.komise.push_back({"Člen " + std::to_string(i)});
    printSheet(2);
    ASSERT_EQ(document.TotalPages(), 2);

    // The first page takes the member of the heading line and three rows.
    EXPECT_EQ(named(kSignatureLine, 1).size(), 10u);
    EXPECT_EQ(named(kSignatureLine, 2).size(), 20u);
    EXPECT_EQ(only("Člen 10", 1).y, 2575 - 12);
    EXPECT_EQ(only("Člen 10", 1).x, 200 + 2 * 566);
    EXPECT_EQ(only(" Strana: 3/5 PS", 1).y, 2700);

    const auto second = texts(2);
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front().text, "p o k r a č o v á n í");
    EXPECT_TRUE(second.front().font.style.bold);
    EXPECT_EQ(second.front().y, 190);
    EXPECT_EQ(only("Člen 11", 2).x, 200);
    EXPECT_EQ(only("Člen 11", 2).y, 280 - 12);
    only(" Strana: 4/5 PS", 2);
    EXPECT_EQ(ctx.stav.CisloStrany, 4);
    EXPECT_EQ(ctx.stav.CisloListu, 1) << "a continuation is not a new sheet";
    expectGolden("annex_continuation.txt", recording());
}

TEST_F(Annex, APartyMissingFromThePartyListHasNoCandidatesAndNoName) {
    record.MarkParty(5, true);
    printSheet(5);
    EXPECT_EQ(named(kUnderscores).size(), 36u);
    const TextCall number = only(" 5");
    const auto all = texts();
    const auto at = std::find(all.begin(), all.end(), number);
    ASSERT_NE(at, all.begin());
    EXPECT_EQ((at - 1)->text, "") << "the name over the dotted line is empty";
    EXPECT_EQ((at - 1)->x, 200);
}

TEST_F(Annex, TableGridHasThickFramesAroundThePreferentialVotes) {
    printSheet(2);
    std::vector<RectangleCall> thick;
    for (const DrawCall& call : document.recorded().pages.at(0).calls)
        if (const auto* r = std::get_if<RectangleCall>(&call); r != nullptr && r->pen.width == 8) thick.push_back(*r);
    // Identification box, three groups of vote cells, three check-number boxes.
    ASSERT_EQ(thick.size(), 7u);
    const int top = thick[1].topLeft.y - 4 * 45;
    for (int g = 0; g < 3; ++g) {
        SCOPED_TRACE(g);
        const RectangleCall& r = thick[static_cast<std::size_t>(1 + g)];
        EXPECT_EQ(r.topLeft, (Point{200 + 13 * 43 * g + 2 * 43, top + 4 * 45}));
        EXPECT_EQ(r.bottomRight, (Point{200 + 13 * 43 * g + 7 * 43, top + 16 * 45}));
    }
}

}  // namespace
}  // namespace talmorek::print
