#include "core/print/protocol_layout.h"

#include <gtest/gtest.h>

#include "core/checks/catalogue_texts.h"
#include "support/golden.h"
#include "core/print/print_fixture.h"
#include "core/data/cp1250.h"

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
    record::TT4 t4;
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
// the lines from y = 650 to 2650 (the next would touch the footer line at
// 2700): the 95-character finding of party 9 starts on the last line of
// sheet 1 and ends on sheet 2.
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
    // The party cut by the break is named again before its lines go on.
    EXPECT_EQ(second.at(7), "Strana: 9 - pokračování");
    EXPECT_EQ(texts(2).at(7).y, 650);
    EXPECT_EQ(second.at(8), "     a podpis předsedy)");
    EXPECT_EQ(second.back(), "Čas  : 14:05");
    EXPECT_EQ(ctx.stav.CisloListu, 2);
    EXPECT_EQ(ctx.stav.PosledniList, 2);
    expectGolden("protocol_two_sheets.txt", recording());
}

// The protocol of a precinct with many findings: `before` findings of
// party 0 push the first party heading down the sheet, then parties 3, 12
// and 27 with `perParty` findings each. Each detail names its own party, so
// a reader of a single sheet can be checked against it.
void fillManyParties(checks::TChybProt& protocol, int before, int perParty) {
    for (int k = 1; k <= before; ++k) protocol.PridejChybu(0, 4);
    for (int party : {3, 12, 27})
        for (int k = 1; k <= perParty; ++k)
            protocol.PridejChybu(party, 18, "(s. " + std::to_string(party) + "/" + std::to_string(k) + ")");
}

// The party a finding line's detail names, or 0 for a line without one.
int partyInDetail(const std::string& line) {
    const auto at = line.find("(s. ");
    return at == std::string::npos ? 0 : std::stoi(line.substr(at + 4));
}

// Whatever the number of findings before the first heading, every sheet
// keeps its lines above the footer line, never leaves a party heading
// without a finding below it, and names the party of every finding it
// carries: a party continued on a new sheet repeats its heading.
TEST_F(Protocol, ManyFindingsStayAboveTheFooterAndEverySheetNamesItsParty) {
    const std::string footerText = "584231 - 3 -  PS";
    for (int before = 0; before <= 40; ++before) {
        SCOPED_TRACE("findings before the first heading: " + std::to_string(before));
        checks::TChybProt many{catalogue};
        fillManyParties(many, before, 30);
        RecordingDocument doc;
        PreviewDocument prev{doc};
        PrintContext c{prev, measure, station};
        TiskProtokolu(c, many, t4, now, true);

        const int sheets = doc.TotalPages();
        ASSERT_GE(sheets, 3);
        int findingLines = 0;
        for (int page = 1; page <= sheets; ++page) {
            SCOPED_TRACE("sheet " + std::to_string(page));
            std::vector<TextCall> calls;
            for (const DrawCall& call : doc.recorded().pages.at(static_cast<std::size_t>(page - 1)).calls)
                if (const auto* t = std::get_if<TextCall>(&call)) calls.push_back(*t);
            const bool last = page == sheets;
            EXPECT_EQ(calls.back().text == footerText, !last) << "every full sheet ends with its footer";
            int heading = 0;
            for (std::size_t i = 0; i < calls.size(); ++i) {
                const TextCall& t = calls[i];
                if (!last && i + 1 == calls.size()) {
                    EXPECT_EQ(t.y, 2700);
                    continue;
                }
                EXPECT_LE(t.y + 50, 2700) << "\"" << t.text << "\" reaches the footer line";
                if (t.text.rfind("Strana: ", 0) == 0) {
                    heading = std::stoi(t.text.substr(8));
                    const bool continued = t.text.find(" - pokračování") != std::string::npos;
                    ASSERT_LT(i + 1, calls.size());
                    EXPECT_EQ(partyInDetail(calls[i + 1].text), heading)
                        << "a heading is followed by a finding of its party on the same sheet";
                    EXPECT_EQ(continued, i == 7) << "only a sheet's first line continues a party";
                }
                if (const int party = partyInDetail(t.text); party != 0) {
                    ++findingLines;
                    EXPECT_EQ(heading, party) << "\"" << t.text << "\" under the heading of party " << heading;
                }
            }
        }
        EXPECT_EQ(findingLines, 90);
    }
}

TEST_F(Protocol, APartyContinuedOnANewSheetRepeatsItsHeading) {
    fillManyParties(protocol, 0, 30);
    print();
    ASSERT_EQ(document.TotalPages(), 3);
    const auto second = lines(2);
    EXPECT_EQ(second.at(7), "Strana: 12 - pokračování");
    EXPECT_EQ(texts(2).at(7).y, 650);
    EXPECT_EQ(partyInDetail(second.at(8)), 12);
    expectGolden("protocol_three_sheets.txt", recording());
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
