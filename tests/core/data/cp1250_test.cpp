#include "core/data/cp1250.h"

#include <gtest/gtest.h>

#include <string>

#include "core/data/hand_bytes.h"

namespace talmorek::data {
namespace {

using talmorek::testing::hex;

// Letters that Czech names, parties and places use, with their code page 1250
// byte; each pair is checked in both directions.
struct Letter {
    const char* name;
    unsigned char byte;
    const char* utf8;
};

constexpr Letter kLetters[] = {
    {"S_caron_upper", 0x8A, "Š"}, {"s_caron", 0x9A, "š"},   {"Z_caron_upper", 0x8E, "Ž"},
    {"z_caron", 0x9E, "ž"},       {"T_caron_upper", 0x8D, "Ť"}, {"t_caron", 0x9D, "ť"},
    {"C_caron_upper", 0xC8, "Č"}, {"c_caron", 0xE8, "č"},   {"R_caron_upper", 0xD8, "Ř"},
    {"r_caron", 0xF8, "ř"},       {"e_caron", 0xEC, "ě"},   {"E_caron_upper", 0xCC, "Ě"},
    {"u_ring", 0xF9, "ů"},        {"U_ring_upper", 0xD9, "Ů"}, {"n_caron", 0xF2, "ň"},
    {"d_caron", 0xEF, "ď"},       {"a_acute", 0xE1, "á"},   {"y_acute", 0xFD, "ý"},
    {"l_stroke", 0xB3, "ł"},      {"o_double_acute", 0xF5, "ő"}, {"euro", 0x80, "€"},
    {"no_break_space", 0xA0, "\u00A0"}, {"caron_accent", 0xA1, "ˇ"}, {"dot_above", 0xFF, "˙"},
    // The five bytes the code page leaves unassigned stand for the C1 control
    // of the same value, so that every byte survives a round trip.
    {"unassigned_81", 0x81, "\u0081"}, {"unassigned_98", 0x98, "\u0098"},
};

TEST(Cp1250, LettersMapBothWays) {
    for (const auto& l : kLetters) {
        SCOPED_TRACE(l.name);
        std::string byte(1, static_cast<char>(l.byte));
        EXPECT_EQ(cp1250ToUtf8(byte), l.utf8);
        EXPECT_EQ(hex(utf8ToCp1250(l.utf8)), hex(byte));
    }
}

TEST(Cp1250, AsciiPassesUnchanged) {
    std::string ascii;
    for (int b = 0; b < 0x80; ++b) ascii += static_cast<char>(b);
    EXPECT_EQ(cp1250ToUtf8(ascii), ascii);
    EXPECT_EQ(utf8ToCp1250(ascii), ascii);
}

TEST(Cp1250, EveryHighByteRoundTrips) {
    for (int b = 0x80; b <= 0xFF; ++b) {
        std::string byte(1, static_cast<char>(b));
        std::string utf8 = cp1250ToUtf8(byte);
        EXPECT_EQ(utf8Length(utf8), 1u) << "byte " << hex(byte);
        EXPECT_EQ(hex(utf8ToCp1250(utf8)), hex(byte));
    }
}

TEST(Cp1250, WholeNameConverts) {
    EXPECT_EQ(hex(utf8ToCp1250("Říčany-Žďár")), hex("\xD8\xED\xE8\x61\x6E\x79-\x8E\xEF\xE1\x72"));
    EXPECT_EQ(cp1250ToUtf8("\xD8\xED\xE8\x61\x6E\x79-\x8E\xEF\xE1\x72"), "Říčany-Žďár");
}

TEST(Cp1250, TextTheCodePageCannotHoldBecomesQuestionMarks) {
    struct Case {
        const char* name;
        const char* utf8;
        const char* cp1250;
    };
    const Case cases[] = {
        {"spanish_n_tilde", "Peña", "Pe?a"},
        {"a_ring_of_nordic_names", "Ålesund", "?lesund"},
        {"cjk_three_bytes", "x中y", "x?y"},
        {"emoji_four_bytes", "a😀b", "a?b"},
        {"c1_control_the_code_page_assigns", "\u0080", "?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToCp1250(c.utf8), c.cp1250);
    }
}

TEST(Cp1250, HoldsTellsWhetherATextIsStoredAsTyped) {
    struct Case {
        const char* name;
        std::string utf8;
        bool held;
    };
    const Case cases[] = {
        {"empty", "", true},
        {"ascii", "Jan Novák 12", true},
        {"czech_letters", "Žluťoučký kůň ŘÍČANY", true},
        {"slovak_r_acute", "ŕ", true},
        {"polish_l_stroke", "ł", true},
        {"euro_and_dashes", "€ – „x“", true},
        {"spanish_n_tilde", "Peña", false},
        {"french_a_grave", "à", false},
        {"nordic_o_slash", "ø", false},
        {"cjk", "中", false},
        {"emoji", "😀", false},
        {"replacement_character", "\uFFFD", false},
        {"malformed_lead_byte", "a\xC3", false},
        {"overlong_letter_a", "\xC1\x81", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cp1250Holds(c.utf8), c.held);
        // Held exactly when the conversion puts no "?" of its own in.
        if (c.utf8.find('?') == std::string::npos) {
            EXPECT_EQ(utf8ToCp1250(c.utf8).find('?') == std::string::npos, c.held);
        }
    }
}

TEST(Cp1250, MalformedUtf8BecomesOneQuestionMarkPerByte) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string cp1250;
    };
    const Case cases[] = {
        {"lone_lead_byte_at_end", "ab\xC3", "ab?"},
        {"lead_byte_before_ascii", "a\xC3(", "a?("},
        {"stray_continuation_byte", "\x80x", "?x"},
        {"byte_never_in_utf8", "\xFF", "?"},
        {"overlong_slash", "\xC0\xAF", "??"},
        {"overlong_letter_a", "\xC1\x81", "??"},
        {"surrogate_half", "\xED\xA0\x80", "???"},
        {"beyond_unicode", "\xF4\x90\x80\x80", "????"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToCp1250(c.utf8), c.cp1250);
    }
}

TEST(Cp1250, LengthAndPrefixCountCharactersNotBytes) {
    EXPECT_EQ(utf8Length(""), 0u);
    EXPECT_EQ(utf8Length("Žluťoučký kůň"), 13u);
    EXPECT_EQ(utf8Prefix("Žluťoučký kůň", 4), "Žluť");
    EXPECT_EQ(utf8Prefix("Žluť", 10), "Žluť");
    EXPECT_EQ(utf8Prefix("Žluť", 0), "");
}

}  // namespace
}  // namespace talmorek::data
