#include "core/data/decimal.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/data/errors.h"
#include "support/error_of.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;

// Register fields such as a party number or a precinct bound hold decimal
// text; a mistyped register must stop the command, never turn into a number.
struct StrictCase {
    const char* name;
    const char* text;
    std::optional<std::int32_t> value;  // nothing: a conversion error
};

constexpr StrictCase kStrict[] = {
    {"plain", "12", 12},
    {"leading_blanks_skipped", " 12", 12},
    {"many_leading_blanks", "     7", 7},
    {"leading_zeros", "007", 7},
    {"zero", "0", 0},
    {"plus_sign", "+5", 5},
    {"minus_sign", "-5", -5},
    {"blank_before_sign", "  -7", -7},
    {"largest", "2147483647", 2147483647},
    {"smallest", "-2147483648", -2147483647 - 1},
    {"empty", "", std::nullopt},
    {"only_blanks", "   ", std::nullopt},
    {"trailing_blank", "12 ", std::nullopt},
    {"blank_inside", "1 2", std::nullopt},
    {"blank_after_sign", "- 5", std::nullopt},
    {"sign_alone", "+", std::nullopt},
    {"letter_after_digit", "1a", std::nullopt},
    {"hex_prefix", "0x1A", std::nullopt},
    {"decimal_point", "1.0", std::nullopt},
    {"tab_is_not_a_blank", "\t5", std::nullopt},
    {"overflow_by_one", "2147483648", std::nullopt},
    {"underflow_by_one", "-2147483649", std::nullopt},
    {"far_beyond_64_bits", "123456789012345678901234567890", std::nullopt},
};

TEST(Decimal, StrictConversion) {
    for (const auto& c : kStrict) {
        SCOPED_TRACE(c.name);
        if (c.value) {
            EXPECT_EQ(toIntStrict(c.text), *c.value);
        } else {
            if (const auto e = errorOf<ConversionError>([&] { toIntStrict(c.text); })) {
                EXPECT_EQ(e->text(), c.text);
                EXPECT_NE(std::string(e->what()).find(std::string("'") + c.text + "'"), std::string::npos)
                    << e->what();
            }
        }
    }
}

// The same conversion of a field read from a file: a failure names the
// file, the record and the field, and a number converts as without them.
TEST(Decimal, StrictConversionOfAFieldNamesWhereTheTextWasRead) {
    const FieldOrigin origin{"/i/STRANY.RCD", "PocetKandidatu", 4};
    for (const auto& c : kStrict) {
        SCOPED_TRACE(c.name);
        if (c.value) {
            EXPECT_EQ(toIntStrict(c.text, origin), *c.value);
            continue;
        }
        if (const auto e = errorOf<ConversionError>([&] { toIntStrict(c.text, origin); })) {
            EXPECT_EQ(e->text(), c.text);
            EXPECT_EQ(e->file(), "/i/STRANY.RCD");
            EXPECT_EQ(e->field(), "PocetKandidatu");
            EXPECT_EQ(e->record(), 4);
        }
    }
}

TEST(Decimal, DefaultConversionGivesTheFallbackWhereStrictWouldFail) {
    for (const auto& c : kStrict) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toIntOr(c.text, -99), c.value.value_or(-99));
    }
}

TEST(Decimal, SixtyFourBitLimits) {
    EXPECT_EQ(parseDecimal64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(parseDecimal64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(parseDecimal64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(parseDecimal64("-9223372036854775809"), std::nullopt);
    EXPECT_EQ(toInt64Or(" 9999999999", 0), 9999999999LL);
    EXPECT_EQ(toInt64Or("9999999999 ", 3), 3);
}

}  // namespace
}  // namespace talmorek::data
