#include "core/print/primitives.h"

#include <gtest/gtest.h>

#include <string>

#include "core/print/print_fixture.h"
#include "core/data/cp1250.h"
#include "core/print/print_text.h"

namespace talmorek::print {
namespace {

class Primitives : public PrintFixture {
protected:
    void SetUp() override {
        startPage();
        NastavPismo(ctx, "Arial");
        ctx.canvas.font.size = 24;  // em 32: a character is 19 units wide with the fixed measure
    }
};

// ---- fonts ----

struct FontCase {
    const char* name;
    const char* suffix;
    const char* asked;
    const char* family;
    Pitch pitch;
};

constexpr FontCase kFonts[] = {
    {"arial_variable", "", "Arial", "Arial", Pitch::Variable},
    {"courier_new_fixed", "", "Courier New", "Courier New", Pitch::Fixed},
    {"courier_means_courier_new", "", "Courier", "Courier New", Pitch::Fixed},
    {"other_name_is_fixed_pitch_arial", "", "Times New Roman", "Arial", Pitch::Fixed},
    {"arial_ce", " CE", "Arial", "Arial CE", Pitch::Variable},
    {"courier_new_ce", " CE", "Courier New", "Courier New CE", Pitch::Fixed},
    {"suffix_names_are_not_recognised", " CE", "Arial CE", "Arial CE", Pitch::Fixed},
};

TEST_F(Primitives, NastavPismoChoosesFamilyPitchAndSuffix) {
    for (const auto& c : kFonts) {
        SCOPED_TRACE(c.name);
        station.Pripona = c.suffix;
        ctx.canvas.font.size = 32;
        ctx.canvas.font.style = styleFromCode("I");
        NastavPismo(ctx, c.asked);
        EXPECT_EQ(ctx.canvas.font.name, c.family);
        EXPECT_EQ(ctx.canvas.font.pitch, c.pitch);
        EXPECT_EQ(ctx.stav.Pripona, c.suffix);
        EXPECT_EQ(ctx.canvas.font.size, 32) << "size stays";
        EXPECT_TRUE(ctx.canvas.font.style.italic) << "style stays";
    }
}

TEST(StyleCode, OnlyTheFirstCharacterCounts) {
    EXPECT_EQ(styleFromCode("B"), (FontStyle{.bold = true}));
    EXPECT_EQ(styleFromCode("Bold"), (FontStyle{.bold = true}));
    EXPECT_EQ(styleFromCode("I"), (FontStyle{.italic = true}));
    EXPECT_EQ(styleFromCode("U"), (FontStyle{.underline = true}));
    EXPECT_EQ(styleFromCode("-"), (FontStyle{.strikeOut = true}));
    EXPECT_EQ(styleFromCode(""), FontStyle{});
    EXPECT_EQ(styleFromCode(" "), FontStyle{});
    EXPECT_EQ(styleFromCode("b"), FontStyle{});
    EXPECT_EQ(styleFromCode("xB"), FontStyle{});
}

// ---- placement ----

struct PlaceCase {
    const char* name;
    int aktY;
    int lines;
    int dyOrY;
    int y;
    int aktYAfter;
};

constexpr PlaceCase kStred[] = {
    {"current_line", 500, 0, 0, 500, 500},
    {"advance_two_lines", 500, 2, 0, 600, 600},
    {"dy_down", 500, 0, 20, 520, 500},
    {"dy_up", 500, 0, -12, 488, 500},
    {"dy_minus_500_near_the_top_stays_on_the_line", 100, 0, -500, 100, 100},
    {"dy_to_exactly_zero_stays_on_the_line", 100, 0, -100, 100, 100},
    {"negative_lines_do_not_move", 500, -1, 0, 500, 500},
};

TEST_F(Primitives, TiskStredCentresAndPlacesVertically) {
    for (const auto& c : kStred) {
        SCOPED_TRACE(c.name);
        ctx.stav.AktY = c.aktY;
        EXPECT_TRUE(TiskStred(ctx, c.lines, 200, 1900, "abc", "", c.dyOrY));
        const TextCall t = lastText();
        EXPECT_EQ(t.y, c.y);
        EXPECT_EQ(t.x, 200 + 1700 / 2 - 57 / 2) << "\"abc\" is 57 wide";
        EXPECT_EQ(ctx.stav.AktY, c.aktYAfter);
    }
}

TEST_F(Primitives, TiskStredHalvesTruncateTowardsZero) {
    // "abc" is 57 wide: 57 div 2 = 28.
    TiskStred(ctx, 0, 200, 203, "abc", "");
    EXPECT_EQ(lastText().x, 200 + 1 - 28);
    TiskStred(ctx, 0, 200, 197, "abc", "");
    EXPECT_EQ(lastText().x, 200 - 1 - 28) << "(197 - 200) div 2 is -1, not -2";
}

constexpr PlaceCase kXY[] = {
    {"current_line", 500, 0, 0, 500, 500},
    {"advance_one_line", 500, 1, 0, 550, 550},
    {"dy_up", 500, 0, -30, 470, 500},
    {"dy_down", 500, 0, 22, 522, 500},
    {"dy_above_the_page_is_kept", 100, 0, -500, -400, 100},
};

TEST_F(Primitives, TiskXYDrawsAtXAndAktYPlusDy) {
    for (const auto& c : kXY) {
        SCOPED_TRACE(c.name);
        ctx.stav.AktY = c.aktY;
        EXPECT_TRUE(TiskXY(ctx, c.lines, 890, c.dyOrY, "x", ""));
        EXPECT_EQ(lastText().x, 890);
        EXPECT_EQ(lastText().y, c.y);
        EXPECT_EQ(ctx.stav.AktY, c.aktYAfter);
    }
}

constexpr PlaceCase kText[] = {
    {"zero_is_the_current_line", 500, 0, 0, 500, 500},
    {"absolute_2700_whatever_akty", 500, 0, 2700, 2700, 500},
    {"absolute_after_advancing", 500, 1, 2700, 2700, 550},
    {"negative_is_above_the_line", 500, 0, -12, 488, 500},
    {"advance_then_current_line", 500, 1, 0, 550, 550},
};

TEST_F(Primitives, TiskTextPlacesByItsYArgument) {
    for (const auto& c : kText) {
        SCOPED_TRACE(c.name);
        ctx.stav.AktY = c.aktY;
        EXPECT_TRUE(TiskText(ctx, c.lines, 200, c.dyOrY, "x"));
        EXPECT_EQ(lastText().x, 200);
        EXPECT_EQ(lastText().y, c.y);
        EXPECT_EQ(ctx.stav.AktY, c.aktYAfter);
    }
}

// ---- styles ----

// Bold text twice as wide, so that a measurement in the wrong style shows.
class BoldWideMeasure : public TextMeasure {
public:
    int width(std::string_view text, const Font& font) const override {
        return static_cast<int>(data::utf8Length(text)) * (font.style.bold ? 20 : 10);
    }
};

TEST_F(Primitives, TiskStredMeasuresInTheStyleItDrawsAndEndsNormal) {
    BoldWideMeasure wide;
    PrintContext boldCtx{preview, wide, station};
    boldCtx.canvas = ctx.canvas;
    TiskStred(boldCtx, 0, 200, 1900, "abcd", "B");
    EXPECT_EQ(lastText().x, 1050 - 40);
    EXPECT_TRUE(lastText().font.style.bold);
    EXPECT_EQ(boldCtx.canvas.font.style, FontStyle{});
}

TEST_F(Primitives, TiskXYDrawsInItsStyleAndEndsNormal) {
    ctx.canvas.font.style = styleFromCode("I");
    TiskXY(ctx, 0, 200, 0, "škrtnuto", "-");
    EXPECT_EQ(lastText().font.style, (FontStyle{.strikeOut = true}));
    EXPECT_EQ(ctx.canvas.font.style, FontStyle{});
    TiskXY(ctx, 0, 200, 0, "normal", "");
    EXPECT_EQ(lastText().font.style, FontStyle{});
}

TEST_F(Primitives, TiskTextKeepsTheCurrentStyle) {
    ctx.canvas.font.style = styleFromCode("U");
    TiskText(ctx, 0, 200, 0, "x");
    EXPECT_EQ(lastText().font.style, (FontStyle{.underline = true}));
    EXPECT_EQ(ctx.canvas.font.style, (FontStyle{.underline = true}));
}

TEST_F(Primitives, NoDiacriticsModeFiltersAllThreeTextPrimitives) {
    ctx.stav.BezHacku = true;
    TiskXY(ctx, 0, 200, 0, "Příloha č. 1", "");
    EXPECT_EQ(lastText().text, "Priloha c. 1");
    TiskText(ctx, 0, 200, 0, "Ľubomír Kôň");
    EXPECT_EQ(lastText().text, "Ľubomir Kôn");
    TiskStred(ctx, 0, 200, 1900, "Čas", "");
    EXPECT_EQ(lastText().text, "Cas");
    ctx.stav.BezHacku = false;
    TiskXY(ctx, 0, 200, 0, "Příloha č. 1", "");
    EXPECT_EQ(lastText().text, "Příloha č. 1");
}

TEST_F(Primitives, TiskZnackaDrawsTheMarkerAtSize15ExactlyThere) {
    ctx.stav.AktY = 1000;
    ctx.canvas.font.size = 26;
    ctx.stav.BezHacku = true;
    TiskZnacka(ctx, 1910, 1000, 2);
    EXPECT_EQ(lastText().text, "**)");
    EXPECT_EQ(lastText().x, 1910);
    EXPECT_EQ(lastText().y, 1000);
    EXPECT_EQ(lastText().font.size, 15);
    EXPECT_EQ(ctx.canvas.font.size, 24) << "back to the body text size";
    EXPECT_EQ(ctx.stav.AktY, 1000);
    TiskZnacka(ctx, 200, 1050, 1);
    EXPECT_EQ(lastText().text, "*)");
}

// ---- flow watch ----

struct WatchCase {
    const char* name;
    char primitive;  // 'T' TiskText, 'X' TiskXY, 'S' TiskStred
    int horniOkraj;
    int aktY;
    bool fires;
};

constexpr WatchCase kWatch[] = {
    {"text_at_its_bottom_2630_holds", 'T', 0, 2630, false},
    {"text_past_2630_fires", 'T', 0, 2631, true},
    {"xy_at_its_bottom_2665_holds", 'X', 0, 2665, false},
    {"xy_past_2665_fires", 'X', 0, 2666, true},
    {"stred_past_2665_fires", 'S', 0, 2666, true},
    {"stred_at_2665_holds", 'S', 0, 2665, false},
    {"xy_bottom_counts_the_top_reference", 'X', 100, 2765, false},
    {"text_bottom_ignores_the_top_reference", 'T', 100, 2631, true},
};

TEST_F(Primitives, FlowWatchCountsANewSheetPastTheBottom) {
    for (const auto& c : kWatch) {
        SCOPED_TRACE(c.name);
        ctx.stav.HorniOkraj = c.horniOkraj;
        ctx.stav.CisloListu = 3;
        ctx.stav.PosledniList = 3;
        ctx.stav.HlidatZlom = true;
        ctx.stav.AktY = c.aktY - 50;
        if (c.primitive == 'T') TiskText(ctx, 1, 200, 0, "x");
        if (c.primitive == 'X') TiskXY(ctx, 1, 200, 0, "x", "");
        if (c.primitive == 'S') TiskStred(ctx, 1, 200, 1900, "x", "");
        EXPECT_EQ(ctx.stav.CisloListu, c.fires ? 4 : 3);
        EXPECT_EQ(ctx.stav.PosledniList, 3);
        EXPECT_EQ(ctx.stav.HlidatZlom, !c.fires);
    }
}

TEST_F(Primitives, FlowWatchFiresOncePerArming) {
    ctx.stav.HlidatZlom = true;
    ctx.stav.AktY = 2600;
    TiskText(ctx, 1, 200, 0, "past the bottom");
    EXPECT_EQ(ctx.stav.PosledniList, 1);
    EXPECT_EQ(ctx.stav.CisloListu, 2);
    EXPECT_FALSE(ctx.stav.HlidatZlom);

    TiskText(ctx, 1, 200, 0, "further down");
    TiskXY(ctx, 1, 200, 0, "and further", "");
    EXPECT_EQ(ctx.stav.CisloListu, 2) << "disarmed: nothing more is counted";
    EXPECT_EQ(ctx.stav.PosledniList, 1);

    ctx.stav.HlidatZlom = true;
    TiskText(ctx, 0, 200, 0, "armed again, still below");
    EXPECT_EQ(ctx.stav.PosledniList, 2);
    EXPECT_EQ(ctx.stav.CisloListu, 3);
    EXPECT_FALSE(ctx.stav.HlidatZlom);
}

TEST_F(Primitives, FlowWatchOffCountsNothing) {
    ctx.stav.AktY = 2900;
    TiskText(ctx, 1, 200, 0, "x");
    EXPECT_EQ(ctx.stav.CisloListu, 1);
    EXPECT_EQ(ctx.stav.PosledniList, 1);
}

// ---- dotted fill ----

// Dots 9 units wide at every size, everything else 10.
class DotMeasure : public TextMeasure {
public:
    int width(std::string_view text, const Font&) const override {
        int w = 0;
        for (char c : text) w += c == '.' ? 9 : 10;
        return w;
    }
};

struct DotCase {
    const char* name;
    const char* font;
    int size;
    int left;
    int right;
    int dots;
};

constexpr DotCase kDots[] = {
    {"right_before_left_is_zero", "Arial", 24, 500, 499, 0},
    // The count is never enlarged: 56 dots (50 x 1.13) would end 54 units
    // past the end of the line.
    {"arial_24_fifty_dots_first_wider_give_50", "Arial", 24, 100, 545, 50},
    {"a_gap_of_exactly_fifty_dots_needs_51", "Arial", 24, 0, 450, 51},
    {"arial_18_the_same", "Arial", 18, 0, 445, 50},
    {"courier_the_same", "Courier New", 24, 0, 445, 50},
    {"empty_gap_takes_one_dot", "Arial", 26, 100, 100, 1},
    {"five_hundred_dots_wider", "Arial", 26, 0, 4499, 500},
    {"five_hundred_dots_still_fit_is_zero", "Arial", 26, 0, 4500, 0},
};

TEST_F(Primitives, PocetTecekCountsTheDotsThatFillAGap) {
    DotMeasure dotMeasure;
    PrintContext dotCtx{preview, dotMeasure, station};
    for (const auto& c : kDots) {
        SCOPED_TRACE(c.name);
        dotCtx.canvas.font.name = c.font;
        dotCtx.canvas.font.size = c.size;
        EXPECT_EQ(PocetTecek(dotCtx, c.left, c.right), c.dots);
        EXPECT_EQ(Tecky(dotCtx, c.left, c.right), std::string(static_cast<std::size_t>(c.dots), '.'));
    }
}

// ---- line breaking ----

struct BreakCase {
    const char* name;
    std::string text;
    int xStart;
    int right;
    int left;
    int pos;
};

std::string xs(int n) { return std::string(static_cast<std::size_t>(n), 'x'); }
std::string cs(int n) { return Opakuj("č", n); }

// Courier New 26 with the fixed measure: 21 units a character. From x = 200
// to 1900 there are 1700 units; "DlouhéSlovo" is 231, so a break character
// counts from the first prefix wider than 1469 (70 characters) and a line
// without one breaks at the first prefix wider than 1931 (92 characters).
const BreakCase kBreaks[] = {
    {"fits", xs(80), 200, 1900, 200, 0},
    {"fits_after_trailing_blanks_are_cut", xs(80) + "          ", 200, 1900, 200, 0},
    {"right_before_start", xs(100), 1000, 900, 200, 0},
    {"right_before_left", xs(100), 100, 150, 200, 0},
    {"no_break_character_cuts_past_the_reference_word", xs(100), 200, 1900, 200, 92},
    {"first_blank_past_the_threshold", xs(74) + " " + xs(30), 200, 1900, 200, 75},
    {"blank_before_the_threshold_is_passed_over", xs(59) + " " + xs(14) + " " + xs(30), 200, 1900, 200, 75},
    {"blank_at_70_is_past_the_threshold", xs(69) + " " + xs(40), 200, 1900, 200, 70},
    {"blank_at_69_is_not", xs(68) + " " + xs(41), 200, 1900, 200, 92},
    {"hyphen", xs(74) + "-" + xs(30), 200, 1900, 200, 75},
    {"dot", xs(74) + "." + xs(30), 200, 1900, 200, 75},
    {"colon", xs(74) + ":" + xs(30), 200, 1900, 200, 75},
    {"semicolon", xs(74) + ";" + xs(30), 200, 1900, 200, 75},
    {"comma_is_no_break", xs(74) + "," + xs(30), 200, 1900, 200, 92},
    {"late_blank_loses_to_the_hard_limit", xs(94) + " " + xs(5), 200, 1900, 200, 92},
    {"counts_characters_not_bytes", cs(74) + " " + cs(30), 200, 1900, 200, 75},
    {"narrower_line_from_further_right", xs(100), 700, 1900, 200, 69},
};

TEST_F(Primitives, MistoZlomuFindsTheBreak) {
    NastavPismo(ctx, "Courier New");
    ctx.canvas.font.size = 26;
    for (const auto& c : kBreaks) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MistoZlomu(ctx, c.text, c.xStart, c.right, c.left), c.pos);
    }
}

// ---- page ----

TEST_F(Primitives, VratCanvasStartsEachPageWithTheDefaults) {
    ctx.canvas.pen = Pen{8, PenStyle::Dot};
    ctx.canvas.font.style = styleFromCode("B");
    VratCanvas(ctx);
    EXPECT_EQ(ctx.canvas.pen, Pen{});
    EXPECT_EQ(ctx.canvas.font, Font{});
    EXPECT_EQ(ctx.canvas.brush.style, BrushStyle::Clear);
    EXPECT_EQ(document.TotalPages(), 2);
}

}  // namespace
}  // namespace talmorek::print
