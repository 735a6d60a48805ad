#include "core/print/print_text.h"

#include <gtest/gtest.h>

namespace talmorek::print {
namespace {

TEST(Opakuj, RepeatsOrGivesNothing) {
    EXPECT_EQ(Opakuj("-", 5), "-----");
    EXPECT_EQ(Opakuj("ab", 2), "abab");
    EXPECT_EQ(Opakuj("*", 0), "");
    EXPECT_EQ(Opakuj("*", -3), "");
}

struct NumberCase {
    const char* name;
    long long value;
    int width;
    const char* zeros;
    const char* blanks;
};

constexpr NumberCase kNumbers[] = {
    {"party_number_two_digits", 3, 2, "03", " 3"},
    {"exact_width", 17, 2, "17", "17"},
    {"longer_value_is_not_cut", 12345, 3, "12345", "12345"},
    {"zero", 0, 3, "000", "  0"},
    {"width_zero", 7, 0, "7", "7"},
};

TEST(CisloNulyMezery, PadToTheWidth) {
    for (const auto& c : kNumbers) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CisloNuly(c.value, c.width), c.zeros);
        EXPECT_EQ(CisloMezery(c.value, c.width), c.blanks);
    }
}

TEST(OrezVpravo, DropsOnlyTrailingBlanks) {
    EXPECT_EQ(OrezVpravo("  Brno  "), "  Brno");
    EXPECT_EQ(OrezVpravo("    "), "");
    EXPECT_EQ(OrezVpravo(""), "");
    EXPECT_EQ(trimBlanks("  Brno  "), "Brno");
    EXPECT_EQ(trimBlanks("   "), "");
}

struct LetterCase {
    const char* name;
    const char* in;
    const char* out;
};

constexpr LetterCase kLetters[] = {
    {"annex_title", "Příloha č. 1", "Priloha c. 1"},
    {"capitals", "ÁÄÉËĚÍÓÖÚÜŮÝČĎŇŘŠŤŽ", "AAEEEIOOUUUYCDNRSTZ"},
    {"small", "áäéëěíóöúüůýčďňřšťž", "aaeeeioouuuycdnrstz"},
    {"slovak_l_caron_and_o_circumflex_stay", "Ľubomír Kôň", "Ľubomir Kôn"},
    {"other_letters_stay", "Łódź ő ß €", "Łodź ő ß €"},
    {"plain_text_unchanged", "PS 2021: T/4a", "PS 2021: T/4a"},
    {"title", "PROTOKOL O KONTROLÁCH ZA OKRSEK", "PROTOKOL O KONTROLACH ZA OKRSEK"},
};

TEST(BezDiakritiky, ReplacesExactlyTheTableLetters) {
    for (const auto& c : kLetters) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BezDiakritiky(c.in), c.out);
    }
}

TEST(BezDiakritiky, CopiesBytesThatAreNotUtf8) {
    EXPECT_EQ(BezDiakritiky(std::string("a\xC4" "b\xFF")), std::string("a\xC4" "b\xFF"));
}

TEST(Utf8Positions, CountCharactersNotBytes) {
    EXPECT_EQ(utf8At("Čas: 5", 1), "Č");
    EXPECT_EQ(utf8At("Čas: 5", 4), ":");
    EXPECT_EQ(utf8At("Čas", 4), "");
    EXPECT_EQ(utf8At("Čas", 0), "");
    EXPECT_EQ(utf8From("Čas: 5", 3), "s: 5");
    EXPECT_EQ(utf8From("Čas", 1), "Čas");
    EXPECT_EQ(utf8From("Čas", 9), "");
}

}  // namespace
}  // namespace talmorek::print
