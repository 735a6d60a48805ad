#include "print/protocol_layout.h"

#include <gtest/gtest.h>

#include "checks/catalogue_texts.h"
#include "support/golden.h"
#include "core/print/print_fixture.h"
#include "data/cp1250.h"

namespace talmorek::print {
namespace {

using talmorek::testing::expectGolden;

class Protocol : public PrintFixture {
protected:
    Protocol() {
        t4.Obec = 584231;
        t4.Okrsek = 3;
        t4.KC1 = 4711;
    }

    void print(bool sDiakritikou = true) { TiskProtokolu(ctx, protocol, t4, now, sDiakritikou); }

    std::vector<std::string> lines(int page = 1) const {
        std::vector<std::string> out;
        for (const TextCall& t : texts(page)) out.push_back(t.text);
        return out;
    }

    checks::TCisChyb catalogue{
        std::vector<checks::TChybaInfo>(checks::catalogueTexts().begin(), checks::catalogueTexts().end())};
    checks::TChybProt protocol{catalogue};
    entry::TT4 t4;
};

// A finding of exactly 95 characters: "39 - ", the catalogue text of 39, a
// blank and this detail.
const std::string kDetailOf95 = "(chybí jméno zapisovatele a podpis předsedy)";

TEST_F(Protocol, EmptyProtocolIsOneSheetSayingNothingWasFound) {
    print();
    ASSERT_EQ(document.TotalPages(), 1);
    const auto l = lines();
    EXPECT_EQ(l.at(0), "List č.:  1");
    EXPECT_EQ(l.at(1), "PROTOKOL O KONTROLÁCH ZA OKRSEK");
    EXPECT_EQ(l.at(3), "Identifikace okrsku:     584231         3 4711   Horní Lhota");
    EXPECT_EQ(l.at(4), "Volební kraj: Jihomoravský kraj");
    EXPECT_EQ(l.at(7), "Nebyly zjištěny žádné chyby");
    EXPECT_EQ(texts().at(7).y, 650);
    EXPECT_EQ(l.back(), "Čas  : 14:05");
    EXPECT_EQ(document.PrintJobTitle(), "VOLBY");
    expectGolden("protocol_empty.txt", recording());
}

TEST_F(Protocol, TitleIsCentredByItsRegularWidthAndDrawnBold) {
    print();
    const TextCall title = texts().at(1);
    EXPECT_TRUE(title.font.style.bold);
    EXPECT_EQ(title.font.size, 32);
    EXPECT_EQ(title.font.name, "Courier New");
    // 31 characters at size 32 (em 43) are 799 wide with the fixed measure.
    EXPECT_EQ(title.x, 200 + 850 - 799 / 2);
    EXPECT_EQ(title.y, 300);
}

TEST_F(Protocol, PartyZeroHasNoHeadingThenEachPartyIsIndented) {
    protocol.PridejChybu(7, 15);
    protocol.PridejChybu(0, 16);
    protocol.PridejChybu(0, 4);
    print();
    const auto l = lines();
    ASSERT_GE(l.size(), 13u);
    EXPECT_EQ(l[7], "4 - Počet osob zapsaných ve výpisech ze seznamů voličů je nulový ");
    EXPECT_EQ(l[8], "16 - Součet hlasů pro strany nesouhlasí s počtem platných hlasů ");
    EXPECT_EQ(l[9], "");
    EXPECT_EQ(l[10], "Strana: 7");
    EXPECT_EQ(l[11], "  15 - Hlasů pro stranu je více než platných hlasů v okrsku ");
    expectGolden("protocol_parties_0_7.txt", recording());
}

TEST_F(Protocol, ALineOf95CharactersBreaksWhereMistoZlomuSays) {
    protocol.PridejChybu(0, 39, kDetailOf95);
    ASSERT_EQ(data::utf8Length("39 - " + protocol.VratHlaskuParam(0)), 95u);
    print();
    const auto l = lines();
    EXPECT_EQ(l[7], "39 - Neúplně nebo chybně vyplněný oddíl III zápisu (chybí jméno zapisovatele ");
    EXPECT_EQ(l[8], "     a podpis předsedy)");
    EXPECT_EQ(texts()[8].y, texts()[7].y + 50);
    expectGolden("protocol_long_line.txt", recording());
}

TEST_F(Protocol, ALongerLineThatStillFitsIsPrintedWhole) {
    FixedMeasure narrow(1, 2);  // 17 units a character: 100 characters fit
    PrintContext narrowCtx{preview, narrow, station};
    protocol.PridejChybu(0, 39, kDetailOf95);
    TiskProtokolu(narrowCtx, protocol, t4, now, true);
    EXPECT_EQ(lines()[7], "39 - " + protocol.VratHlaskuParam(0));
}

// Enough findings to run past the bottom of the first sheet, which holds
// the lines from y = 650 to 2650: the 95-character finding of party 9
// starts on the last line of sheet 1 and ends on sheet 2.
void fillTwoSheets(checks::TChybProt& protocol) {
    protocol.PridejChybu(0, 4);
    protocol.PridejChybu(0, 91);
    for (int k = 1; k <= 15; ++k) protocol.PridejChybu(2, 18, "(kand. č. " + std::to_string(k) + ")");
    protocol.PridejChybu(5, 16);
    for (int k = 1; k <= 12; ++k) protocol.PridejChybu(5, 19, "(kand. č. " + std::to_string(k) + ")");
    for (int k = 1; k <= 4; ++k) protocol.PridejChybu(9, 18, "(kand. č. " + std::to_string(k) + ")");
    protocol.PridejChybu(9, 39, kDetailOf95);
    protocol.PridejChybu(9, 41);
}

TEST_F(Protocol, FlowingPastTheBottomContinuesOnASecondSheet) {
    fillTwoSheets(protocol);
    print();
    ASSERT_EQ(document.TotalPages(), 2);

    const auto first = texts(1);
    const TextCall footer = first.back();
    EXPECT_EQ(footer.text, "584231 - 3 -  PS");
    EXPECT_EQ(footer.y, 2700);
    EXPECT_EQ(footer.x, 1900 - 16 * 21);

    const TextCall lastOfFirst = first.at(first.size() - 2);
    EXPECT_EQ(lastOfFirst.text, "  39 - Neúplně nebo chybně vyplněný oddíl III zápisu (chybí jméno zapisovatele ");
    EXPECT_EQ(lastOfFirst.y, 2650);

    const auto second = lines(2);
    EXPECT_EQ(second.at(0), "List č.:  2");
    EXPECT_EQ(second.at(1), "PROTOKOL O KONTROLÁCH ZA OKRSEK - pokračování");
    EXPECT_EQ(second.at(7), "     a podpis předsedy)");
    EXPECT_EQ(texts(2).at(7).y, 650);
    EXPECT_EQ(second.back(), "Čas  : 14:05");
    EXPECT_EQ(ctx.stav.CisloListu, 2);
    EXPECT_EQ(ctx.stav.PosledniList, 2);
    expectGolden("protocol_two_sheets.txt", recording());
}

TEST_F(Protocol, NoDiacriticsModeDropsThemEverywhere) {
    protocol.PridejChybu(0, 4);
    print(false);
    for (const TextCall& t : texts()) {
        SCOPED_TRACE(t.text);
        EXPECT_EQ(t.text.find_first_of("\xC3\xC4\xC5"), std::string::npos) << "no Czech letter is left";
    }
    EXPECT_EQ(lines()[1], "PROTOKOL O KONTROLACH ZA OKRSEK");
}

TEST_F(Protocol, UsesTheStationsFontSuffix) {
    station.Pripona = " CE";
    print();
    for (const TextCall& t : texts()) EXPECT_EQ(t.font.name, "Courier New CE");
}

}  // namespace
}  // namespace talmorek::print
