#include "core/print/record_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/golden.h"
#include "core/print/record_fixture.h"
#include "core/data/cp1250.h"
#include "core/print/print_text.h"

namespace talmorek::print {
namespace {

using talmorek::testing::expectGolden;

constexpr int L = 200;
constexpr int R = 1900;
const std::string kSignatureLine(60, '.');

bool onlyDots(const std::string& text) { return !text.empty() && text.find_first_not_of('.') == std::string::npos; }

class RecordPage1 : public RecordFixture {
protected:
    void draw(bool direct = false) {
        startPage(direct);
        drawRecordPage1(ctx, job);
        finish();
    }

    // The pieces of an entered reason in drawing order: the call that starts
    // with `start` and every later call up to `until` that is neither dots
    // nor empty.
    std::vector<TextCall> reasonPieces(std::string_view start, std::string_view until) const {
        std::vector<TextCall> out;
        for (const TextCall& t : texts()) {
            if (t.text == until) break;
            if (out.empty() && !t.text.starts_with(start)) continue;
            if (!onlyDots(t.text) && !t.text.empty()) out.push_back(t);
        }
        return out;
    }

    // The dotted line below the first event's detail line.
    TextCall firstFullDottedLine() const {
        const auto all = texts();
        for (std::size_t i = indexOf("Zahájení hlasování   "); i < all.size(); ++i)
            if (all[i].x == L && onlyDots(all[i].text)) return all[i];
        ADD_FAILURE() << "no full dotted line";
        return TextCall{};
    }
};

TEST_F(RecordPage1, T4aWithoutEventsStrikesTheYesAlternatives) {
    record.MarkParty(3, true);
    record.MarkParty(17, true);
    draw();

    for (const TextCall& t : named("bylo")) EXPECT_TRUE(t.font.style.strikeOut);
    for (const TextCall& t : named("nebylo")) EXPECT_FALSE(t.font.style.strikeOut);
    EXPECT_EQ(named("bylo").size(), 2u);
    EXPECT_TRUE(named("byla").at(0).font.style.strikeOut);   // voting time not extended
    EXPECT_TRUE(named("byla").at(1).font.style.strikeOut);   // no portable ballot box
    EXPECT_FALSE(named("nebyla").at(1).font.style.strikeOut);

    // Each detail line is followed by a full dotted line and no entries.
    const auto all = texts();
    const std::size_t detail = indexOf("Zahájení hlasování   ") + 5;
    ASSERT_TRUE(all.at(detail).text.starts_with("odročeno dne "));
    EXPECT_TRUE(onlyDots(all.at(detail + 1).text));
    EXPECT_EQ(all.at(detail + 1).x, L);
    EXPECT_EQ(all.at(detail + 1).y, all.at(detail).y + 50);
    EXPECT_EQ(all.at(detail + 2).text, "Doba hlasování    ");
    EXPECT_TRUE(named("08.10.2021").empty());

    // "---" in bold over the count of complaint sheets.
    const TextCall none = only("---");
    EXPECT_TRUE(none.font.style.bold);
    EXPECT_EQ(none.x, L + 50);
    expectGolden("record_t4a_page1_no_event.txt", recording());
}

TEST_F(RecordPage1, T4aWithAllEventsWritesTheDetailsOverTheDots) {
    allEvents();
    record.hlasovani.DuvodProdl = "Fronta voličů před místností";
    record.hlasovani.Stiznosti = "B";
    record.hlasovani.StizListu = "3 ";
    record.hlasovani.Schranka = "B";
    draw();

    for (const TextCall& t : named("nebylo")) EXPECT_TRUE(t.font.style.strikeOut);
    for (const TextCall& t : named("bylo")) EXPECT_FALSE(t.font.style.strikeOut);
    EXPECT_FALSE(only("byly").font.style.strikeOut);
    EXPECT_TRUE(only("nebyly").font.style.strikeOut);
    EXPECT_EQ(only("3").x, L + 50);
    expectGolden("record_t4a_page1_events.txt", recording());
}

TEST_F(RecordPage1, AReasonOf200CharactersIsBrokenAtABlankAndPrintedWhole) {
    allEvents();
    draw();
    const std::string reason = reasonOf200();
    const auto pieces = reasonPieces("Porucha", "Doba hlasování    ");
    ASSERT_GE(pieces.size(), 2u);

    std::string joined;
    for (const TextCall& p : pieces) {
        EXPECT_EQ(p.font.size, 24) << "161 characters or more are written at the body size";
        joined += p.text;
    }
    EXPECT_EQ(joined, reason) << "nothing is lost and no break character is dropped or doubled";
    EXPECT_EQ(pieces[0].text.back(), ' ') << "the first part ends at a blank";
    EXPECT_NE(pieces[1].text.front(), ' ');

    // The second part stands on the full dotted line below the detail line,
    // later parts on further lines; none runs past the right edge.
    const TextCall dotted = texts().at(indexOf(pieces[0].text) + 1);
    ASSERT_TRUE(onlyDots(dotted.text));
    EXPECT_EQ(pieces[1].x, L);
    EXPECT_EQ(pieces[1].y, dotted.y - 12);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].y, dotted.y - 12 + 50 * static_cast<int>(i - 1));
        EXPECT_LE(pieces[i].x + measure.width(OrezVpravo(pieces[i].text), pieces[i].font), R) << pieces[i].text;
    }
}

TEST_F(RecordPage1, AShortReasonIsWrittenLargerAfterTheDetailLine) {
    record.hlasovani.Prodlouzeno = "B";
    record.hlasovani.DuvodProdl = "Fronta voličů   ";
    draw();
    const TextCall reason = only("Fronta voličů");
    EXPECT_EQ(reason.font.size, 26);
    EXPECT_EQ(reason.y, only("Doba hlasování    ").y - 12);
    const TextCall detail = texts().at(indexOf("Doba hlasování    ") + 5);
    ASSERT_TRUE(detail.text.starts_with("prodloužena dne "));
    const Font body{"Arial", 24, {}, Pitch::Variable};
    EXPECT_EQ(reason.x, detail.x + measure.width("prodloužena dne ...................... o ..... hodin ..... minut z důvodu .", body));
}

struct ComplaintCase {
    const char* name;
    const char* stiznosti;
    bool nebylyStruck;
    bool bylyStruck;
    const char* overSheets;  // what stands over the sheet count, "" for nothing
};

class Complaints : public RecordPage1, public ::testing::WithParamInterface<ComplaintCase> {};

TEST_P(Complaints, StrikeAndSheetCountFollowTheAnswer) {
    const ComplaintCase& c = GetParam();
    record.hlasovani.Stiznosti = c.stiznosti;
    record.hlasovani.StizListu = "3";
    draw();
    EXPECT_EQ(only("nebyly").font.style.strikeOut, c.nebylyStruck);
    EXPECT_EQ(only("byly").font.style.strikeOut, c.bylyStruck);
    const TextCall sheets = only("...................   listech.");
    const auto all = texts();
    const std::size_t next = indexOf("...................   listech.") + 1;
    if (*c.overSheets == '\0') {
        EXPECT_EQ(all.at(next).text, "Ve volebním okrsku  ");
    } else {
        EXPECT_EQ(all.at(next).text, c.overSheets);
        EXPECT_EQ(all.at(next).y, sheets.y - 12);
    }
}

INSTANTIATE_TEST_SUITE_P(RecordPage1, Complaints,
                         ::testing::Values(ComplaintCase{"yes_prints_sheet_count", "B", true, false, "3"},
                                           ComplaintCase{"no_prints_dashes", "N", false, true, "---"},
                                           ComplaintCase{"other_strikes_nothing", "X", false, false, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordPage1, FlaggedPartiesAreCircledInRowsOfSixteen) {
    record.MarkParty(3, true);
    record.MarkParty(17, true);
    record.MarkParty(23, true);  // no number 23 on the form
    draw();
    const TextCall three = only("03");
    const TextCall sixteen = only("16");
    const TextCall seventeen = only("17");
    EXPECT_EQ(three.x, L + 2 * 110);
    EXPECT_EQ(sixteen.x, L + 15 * 110);
    EXPECT_EQ(seventeen.x, L);
    EXPECT_EQ(seventeen.y, three.y + 100);

    std::vector<EllipseCall> circles;
    const RecordedDocument all = drawn();
    for (const DrawCall& call : all.pages.at(0).calls)
        if (const auto* e = std::get_if<EllipseCall>(&call)) circles.push_back(*e);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].topLeft, (Point{three.x - 10, three.y - 10}));
    EXPECT_EQ(circles[0].bottomRight, (Point{three.x + 50, three.y + 50}));
    EXPECT_EQ(circles[1].topLeft, (Point{L - 10, seventeen.y - 10}));
    EXPECT_EQ(circles[0].pen, (Pen{3, PenStyle::Solid}));
    EXPECT_EQ(circles[0].brush.style, BrushStyle::Clear);
}

TEST_F(RecordPage1, TheTotalsColumnHasThickOuterEdges) {
    draw();
    std::vector<PolylineCall> thick;
    const RecordedDocument all = drawn();
    for (const DrawCall& call : all.pages.at(0).calls)
        if (const auto* p = std::get_if<PolylineCall>(&call)) thick.push_back(*p);
    ASSERT_EQ(thick.size(), 2u);
    const int top = only("812").y - 10;
    EXPECT_EQ(thick[0].points, (std::vector<Point>{{R, top + 250}, {R, top}, {R - 250, top}, {R - 250, top + 50}}));
    EXPECT_EQ(thick[0].pen.width, 8);
    const int last = only("2391").y - 10;
    EXPECT_EQ(last, top + 200);
    EXPECT_EQ(thick[1].points, (std::vector<Point>{{R - 250, last}, {R - 300, last}, {R - 300, last + 50}, {R, last + 50}}));
    EXPECT_EQ(only("2391").x + measure.width("2391", only("2391").font), R - 20);
}

TEST_F(RecordPage1, DirectPrintShortensTheDottedLinesButKeepsTheInterruptionTimes) {
    allEvents();
    draw(false);
    const TextCall fromPreview = only("16:00");
    const TextCall toPreview = only("16:30");
    const std::size_t previewDots = firstFullDottedLine().text.size();

    // The times stand at the start of their dotted places, clear of the
    // "od" and "do" before them, in the preview as on paper.
    const TextCall detail = startingWith("přerušeno dne ");
    const std::string p1 = "přerušeno dne ";
    const std::string p2 = "...................... na dobu od ";
    EXPECT_EQ(fromPreview.x, detail.x + measure.width(p1 + p2, detail.font));
    EXPECT_EQ(toPreview.x, detail.x + measure.width(p1 + p2 + "......... do ", detail.font));

    draw(true);
    ASSERT_EQ(printer.jobs.size(), 1u);
    ASSERT_TRUE(document.recorded().pages.empty()) << "direct print keeps no page";
    EXPECT_EQ(only("16:00").x, fromPreview.x);
    EXPECT_EQ(only("16:30").x, toPreview.x);
    EXPECT_EQ(previewDots - firstFullDottedLine().text.size(), 15u);
}

TEST_F(RecordPage1, T4bInDirectPrint) {
    abroad();
    allEvents();
    record.MarkParty(3, true);
    record.MarkParty(17, true);
    draw(true);
    EXPECT_EQ(only("T/4b").font.style.bold, true);
    EXPECT_EQ(only("Vídeň,").y, only("T/4b").y + 100 - 12);
    EXPECT_EQ(only("  Identifikace zvláštního volebního okrsku").x, L);
    expectGolden("record_t4b_page1_events_direct.txt", recording());
}

class RecordSection3 : public RecordFixture {
protected:
    void draw(bool direct = false) {
        startPage(direct);
        drawRecordSection3(ctx, job);
        PatickaZapisu(ctx, job.footer);
        finish();
    }
    void longEntries() {
        record.hlasovani.Ostatni =
            "Jan Novák, Petra Svobodová (pozorovatelé), Karel Dvořák, Marie Černá, Josef Procházka, Jana Kučerová, "
            "Tomáš Veselý, Lucie Horáková, Martin Němec, Eva Marková";
        record.hlasovani.PoverPred =
            "Ing. Jaroslav Pokorný, místopředseda okrskové volební komise, bytem Horní Lhota 15, tel. 601 234 567";
    }
};

TEST_F(RecordSection3, OneMemberSignsInTheThirdColumnOfTheHeadingLine) {
    draw();
    const TextCall heading = only("Jména, příjmení a podpisy ostatních členů komise:");
    const TextCall line = only(kSignatureLine);
    EXPECT_EQ(line.x, L + 2 * ((R - L) / 3));
    EXPECT_EQ(line.y, heading.y);
    const TextCall name = only("Člen Komise 1");
    EXPECT_EQ(name.x, line.x);
    EXPECT_EQ(name.y, line.y - 12);
    EXPECT_EQ(only("Alena Králová").y, only("Jména, příjmení a podpisy ostatních členů komise:").y - 100 - 12);
    EXPECT_EQ(only("14:05 hod., 09.10.2021").y, heading.y - 200 - 12);
    expectGolden("record_t4a_section3_one_member.txt", recording());
}

TEST_F(RecordSection3, NoMembersNoSignatureLines) {
    members(0);
    draw();
    EXPECT_TRUE(named(kSignatureLine).empty());
    EXPECT_EQ(startingWith("Zápis odmítl podepsat (jméno, příjmení, podpis): ...").y,
              only("Jména, příjmení a podpisy ostatních členů komise:").y + 100);
}

// A name wider than its column is written smaller so that it neither runs
// into the next column's name nor, from the third column, off the sheet.
TEST_F(RecordSection3, ALongNameIsWrittenSmallerToStayInItsColumn) {
    const std::string longName = "Marie Procházková-Dvořáková-Nováková, Ph.D.";
    record.komise = {{longName}, {"Jan Krátký"}, {longName}};
    draw();
    const int column = (R - L) / 3;
    for (const TextCall& name : named(longName)) {
        EXPECT_LT(name.font.size, 24);
        EXPECT_LE(measure.width(longName, name.font), column - 20) << name.x;
        Font larger = name.font;
        larger.size += 1;
        EXPECT_GT(measure.width(longName, larger), column - 20) << "as large as fits";
    }
    EXPECT_EQ(only("Jan Krátký").font.size, 24);
    for (const TextCall& line : named(kSignatureLine)) EXPECT_EQ(line.font.size, 24);
    EXPECT_EQ(startingWith("Zápis odmítl podepsat").font.size, 24);
}

struct PageBreakCase {
    const char* name;
    int members;
    int pages;
};

class SignaturePages : public RecordSection3, public ::testing::WithParamInterface<PageBreakCase> {};

// Rows of signatures go on until a row ends below y = 2280; with short
// entries above them that leaves room for 37 members on form T/4a.
TEST_P(SignaturePages, ContinueOnlyWhenTheRowsReachTheBottom) {
    members(GetParam().members);
    draw();
    EXPECT_EQ(static_cast<int>(drawn().pages.size()), GetParam().pages);
    EXPECT_EQ(ctx.stav.CisloStrany, GetParam().pages);
    EXPECT_EQ(named(kSignatureLine, GetParam().pages).empty(), false);
}

INSTANTIATE_TEST_SUITE_P(RecordSection3, SignaturePages,
                         ::testing::Values(PageBreakCase{"twenty_members_one_page", 20, 1},
                                           PageBreakCase{"thirty_members_one_page", 30, 1},
                                           PageBreakCase{"thirty_seven_members_one_page", 37, 1},
                                           PageBreakCase{"thirty_eight_members_two_pages", 38, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordSection3, FortyMembersContinueOnAPageHeadedPokracovani) {
    longEntries();
    members(40);
    draw();
    ASSERT_EQ(drawn().pages.size(), 2u);
    EXPECT_EQ(only(" Strana: 1/4 PS", 1).y, 2700);
    const TextCall heading = texts(2).at(0);
    EXPECT_EQ(heading.text, "III. - pokračování");
    EXPECT_TRUE(heading.font.style.bold);
    EXPECT_EQ(heading.y, 200);
    EXPECT_EQ(texts(2).at(1).text, kSignatureLine);
    EXPECT_EQ(texts(2).at(1).x, L);
    EXPECT_EQ(texts(2).at(1).y, 300);
    EXPECT_EQ(texts(2).at(1).font.size, 24);
    EXPECT_EQ(only(" Strana: 2/4 PS", 2).y, 2700);
    EXPECT_TRUE(ctx.stav.HlidatZlom);
    expectGolden("record_t4a_section3_40_members.txt", recording());
}

TEST_F(RecordSection3, ABrokenEntrustedMemberLeavesTheRestOfThePageLarger) {
    longEntries();
    draw();
    const std::string member = record.hlasovani.PoverPred;
    const std::string label = "příslušném pracovišti a k opravám případných chyb v zápisu na místě ......";
    const TextCall labelLine = startingWith(label);
    const auto all = texts();
    const std::size_t at = indexOf(labelLine.text);

    // The first part over the dots after the label, the rest (from its
    // blank on) over a dotted line two steps below, a size larger.
    const TextCall first = all.at(at + 1);
    EXPECT_EQ(first.x, L + measure.width(label, labelLine.font));
    EXPECT_EQ(first.y, labelLine.y - 12);
    EXPECT_EQ(first.font.size, 24);
    const TextCall dotted = all.at(at + 2);
    EXPECT_TRUE(onlyDots(dotted.text));
    EXPECT_EQ(dotted.y, labelLine.y + 100);
    const TextCall rest = all.at(at + 3);
    EXPECT_EQ(first.text + rest.text.substr(1), member) << "the rest repeats the break character";
    EXPECT_EQ(rest.text.front(), ' ');
    EXPECT_EQ(rest.x, L);
    EXPECT_EQ(rest.y, dotted.y - 12);
    EXPECT_EQ(rest.font.size, 26);

    EXPECT_EQ(only(Opakuj(" ", 100) + "jméno a příjmení").font.size, 26);
    EXPECT_EQ(startingWith("Hodina, den, měsíc a rok vyhotovení zápisu:  ").font.size, 26);
    EXPECT_EQ(only("    nehodící se škrtněte").font.size, 26);
    EXPECT_EQ(only("    KČ1 ... kontrolní číslo 1").font.size, 24) << "the first footnote marker sets the body size";
}

TEST_F(RecordSection3, OthersPresentBreakKeepsTheBreakCharacter) {
    longEntries();
    draw();
    const std::string others = record.hlasovani.Ostatni;
    const TextCall labelLine = startingWith("Dále byli přítomni: ....");
    const auto all = texts();
    const std::size_t at = indexOf(labelLine.text);
    const TextCall first = all.at(at + 1);
    EXPECT_EQ(first.font.size, 24);
    EXPECT_EQ(first.y, labelLine.y - 12);
    EXPECT_TRUE(onlyDots(all.at(at + 2).text));
    const TextCall rest = all.at(at + 3);
    EXPECT_EQ(rest.y, labelLine.y + 50 - 10);
    EXPECT_EQ(rest.x, L);
    EXPECT_EQ(first.text + rest.text.substr(1), others);
}

TEST_F(RecordSection3, DirectPrintStopsTheTimeFillEarlier) {
    draw(false);
    const std::string preview = startingWith("Hodina, den, měsíc a rok vyhotovení zápisu:  ").text;
    const std::string clerkPreview = startingWith("Jméno, příjmení a podpis zapisovatele:  ").text;
    draw(true);
    const std::string direct = startingWith("Hodina, den, měsíc a rok vyhotovení zápisu:  ").text;
    const std::string clerkDirect = startingWith("Jméno, příjmení a podpis zapisovatele:  ").text;
    const Font body{"Arial", 24, {}, Pitch::Variable};
    EXPECT_GE(measure.width(preview, body) - measure.width(direct, body), 50 - 2 * 12);
    EXPECT_LT(direct.size(), preview.size());
    EXPECT_LT(clerkDirect.size(), clerkPreview.size());
}

TEST_F(RecordSection3, T4bThirtyMembersInDirectPrint) {
    abroad();
    longEntries();
    members(30);
    draw(true);
    EXPECT_TRUE(named("Člen    okrskové    volební    komise    pověřený    předáním    zápisu    Dravel    na    územně")
                    .empty());
    expectGolden("record_t4b_section3_30_members_direct.txt", recording());
}

}  // namespace
}  // namespace talmorek::print
