#include "core/print/test_page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/golden.h"
#include "core/print/print_fixture.h"

namespace talmorek::print {
namespace {

using talmorek::testing::expectGolden;

class TestPage : public PrintFixture {
protected:
    TestPage() {
        facts.systemName = "Debian GNU/Linux 12 (bookworm)";
        facts.servicePack = "6.1.0-18-amd64";
        facts.printerName = "PDF";
        facts.printerFonts = {"Arial", "Arial CE", "Courier New", "Courier New CE", "DejaVu Sans"};
        facts.electionDates = "08.10. - 09.10.2021";
    }

    const TextCall& textCalled(std::string_view text) const {
        static TextCall found;
        const auto all = texts();
        const auto it = std::find_if(all.begin(), all.end(), [&](const TextCall& t) { return t.text == text; });
        if (it == all.end()) throw std::runtime_error("no text " + std::string(text));
        found = *it;
        return found;
    }

    TestPageFacts facts;
};

TEST_F(TestPage, DrawsOnePageWithEveryRow) {
    printTestPage(ctx, facts, now, true);
    ASSERT_EQ(document.TotalPages(), 1);
    EXPECT_EQ(textCalled("Systém").y, 800);
    EXPECT_EQ(textCalled("Debian GNU/Linux 12 (bookworm) 6.1.0-18-amd64").x, 890);
    EXPECT_EQ(textCalled("Arial, Arial CE, Courier New, Courier New CE").y, 900);
    EXPECT_EQ(textCalled("08.10.2021, 14:05").y, 950);
    EXPECT_EQ(textCalled("Proporcionalita").y, 1150);
    EXPECT_EQ(textCalled("Prosíme o zaslání stránky vyplněné a naskenované na e-mail podpora@example.org.").y, 2350);
    expectGolden("test_page.txt", recording());
}

TEST_F(TestPage, ArrowsReachTheRightEdgeInBothFamilies) {
    printTestPage(ctx, facts, now, true);
    int arrows = 0;
    for (const TextCall& t : texts()) {
        if (t.text != "-->") continue;
        ++arrows;
        EXPECT_EQ(t.x + measure.width("-->", t.font), 1900) << t.font.name;
    }
    EXPECT_EQ(arrows, 2);
}

TEST_F(TestPage, GridAndCrossesAreDrawnWithTheirPens) {
    printTestPage(ctx, facts, now, true);
    const auto& calls = document.recorded().pages[0].calls;
    int crossStrokes = 0, gridLines = 0, rectangles = 0;
    for (const DrawCall& call : calls) {
        if (const auto* l = std::get_if<LineCall>(&call)) {
            if (l->pen.width == 2) ++crossStrokes;
            if (l->pen.width == 3) ++gridLines;
        }
        if (const auto* r = std::get_if<RectangleCall>(&call)) {
            ++rectangles;
            EXPECT_EQ(*r, (RectangleCall{{200, 700}, {1900, 1200}, Pen{3, PenStyle::Solid}, Brush{BrushStyle::Clear}}));
        }
    }
    EXPECT_EQ(crossStrokes, 8);
    EXPECT_EQ(gridLines, 9 + 1) << "horizontal lines 800..1200 and the column line";
    EXPECT_EQ(rectangles, 1);
}

TEST_F(TestPage, NoDiacriticsModeMakesTheDiacriticsTestFailVisibly) {
    printTestPage(ctx, facts, now, false);
    EXPECT_NO_THROW(textCalled("T I S K   z k u s e b n i    s t r a n y"));
    EXPECT_NO_THROW(textCalled(" a texty jsou vytisteny se spravnou diakritikou."));
}

struct FontListCase {
    const char* name;
    std::vector<std::string> fonts;
    const char* list;
};

TEST(FontList, NamesThePrintingFontsInAFixedOrder) {
    const FontListCase cases[] = {
        {"all_four", {"Courier New CE", "Arial CE", "Courier New", "Arial"}, "Arial, Arial CE, Courier New, Courier New CE"},
        {"without_ce_ends_with_comma_and_blank", {"Arial", "Courier New"}, "Arial, Courier New, "},
        {"blank_free_name_beginning_with_arial_counts", {"ArialMT"}, "Arial, "},
        {"arial_narrow_has_a_blank_and_does_not", {"Arial Narrow", "Arial Black"}, ""},
        {"courier_alone_is_not_courier_new", {"Courier"}, ""},
        {"none", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fontList(c.fonts), c.list);
    }
}

struct WindowsCase {
    const char* name;
    WindowsVersion version;
    const char* kodOS;
    const char* expected;
};

constexpr WindowsCase kWindows[] = {
    {"nt4", {2, 4, 0}, "", "Windows NT"},
    {"windows_98", {1, 4, 10}, "", "Windows 98"},
    {"windows_95_has_no_name", {1, 4, 0}, "", ""},
    {"windows_2000", {2, 5, 0}, "", "Windows 2000"},
    {"windows_xp", {2, 5, 1}, "", "Windows XP"},
    {"server_2003", {2, 5, 2}, "", "MS Server 2003"},
    {"vista", {2, 6, 0}, "", "Windows Vista"},
    {"windows_7", {2, 6, 1}, "", "Windows 7"},
    {"windows_8_by_code", {2, 6, 2}, "16", "Windows 8"},
    {"windows_8_1_by_code", {2, 6, 2}, "17", "Windows 8.1"},
    {"windows_10_by_code", {2, 6, 2}, "18", "Windows 10"},
    {"unidentified_by_code", {2, 6, 3}, "99", "Neidentifikovaná verze"},
    {"other_code_keeps_the_earlier_rule", {2, 6, 2}, "15", "Windows XP"},
    {"version_10_is_past_every_rule", {2, 10, 0}, "18", "Windows 2000"},
};

TEST(WindowsName, LastMatchingRuleWins) {
    for (const auto& c : kWindows) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(windowsName(c.version, c.kodOS), c.expected);
    }
}

}  // namespace
}  // namespace talmorek::print
