#include "core/data/record_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "core/data/hand_bytes.h"

namespace talmorek::data {
namespace {

using talmorek::testing::hex;
using talmorek::testing::putLenText;
using talmorek::testing::putLe32;

constexpr FieldLayout kName = strField("Name", 2, 5);  // bytes 2..7
constexpr FieldLayout kCount = intField("Count", 8);   // bytes 8..11

TEST(RecordLayout, StringFieldReadsLengthThenCp1250Text) {
    std::string record(12, '\x55');  // the bytes after the text are not significant
    putLenText(record, 2, "\x8Elu\x9D");  // "Žluť" in code page 1250
    EXPECT_EQ(getStrRaw(record, kName), "\x8Elu\x9D");
    EXPECT_EQ(getStr(record, kName), "Žluť");
}

TEST(RecordLayout, LengthByteAboveCapacityReadsAsCapacity) {
    std::string record(12, 'x');
    record[2] = static_cast<char>(200);
    EXPECT_EQ(getStr(record, kName), "xxxxx");
}

TEST(RecordLayout, EmptyStringField) {
    std::string record(12, 'x');
    record[2] = 0;
    EXPECT_EQ(getStr(record, kName), "");
}

TEST(RecordLayout, StoringAStringWritesLengthAndTextAndLeavesTheRestAsItWas) {
    std::string record(12, '\xAA');
    putStr(record, kName, "Ťa");

    std::string expected(12, '\xAA');
    expected[2] = 2;
    expected[3] = '\x8D';
    expected[4] = 'a';
    EXPECT_EQ(hex(record), hex(expected));
}

TEST(RecordLayout, StoringCutsToCapacityInCharacters) {
    struct Case {
        const char* name;
        const char* text;
        const char* stored;  // code page 1250
    };
    const Case cases[] = {
        {"fits_exactly", "abcde", "abcde"},
        {"one_too_many", "abcdef", "abcde"},
        {"diacritics_count_as_one_character", "ŘŘŘŘŘŘŘ", "\xD8\xD8\xD8\xD8\xD8"},
        {"unrepresentable_counts_as_one_question_mark", "中中中中中中", "?????"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string record(12, '\0');
        putStr(record, kName, c.text);
        std::string expected(12, '\0');
        putLenText(expected, 2, c.stored);
        EXPECT_EQ(hex(record), hex(expected));
    }
}

TEST(RecordLayout, Int32IsLittleEndianTwosComplement) {
    struct Case {
        const char* name;
        std::int32_t value;
        std::uint32_t bits;
    };
    const Case cases[] = {
        {"small", 7, 0x00000007u},
        {"byte_order", 0x01020304, 0x01020304u},
        {"minus_two", -2, 0xFFFFFFFEu},
        {"most_negative", -2147483647 - 1, 0x80000000u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string expected(12, '\0');
        putLe32(expected, 8, c.bits);
        std::string record(12, '\0');
        putInt32(record, kCount, c.value);
        EXPECT_EQ(hex(record), hex(expected));
        EXPECT_EQ(getInt32(expected, kCount), c.value);
    }
}

// Register searches compare a code field of every record with one key; the
// one-word comparison must give exactly the answer of the field-by-field one.
TEST(RecordLayout, StringFieldComparison) {
    constexpr FieldLayout kCode = strField("Code", 0, 6);     // room for a one-word comparison
    constexpr FieldLayout kLateCode = strField("Code", 9, 6); // too near the end of a 16-byte record
    struct Case {
        const char* name;
        std::string field;  // length byte and text as stored, junk after it
        const char* key;
        bool equal;
    };
    const Case cases[] = {
        {"same_code", std::string("\x06" "532053", 7), "532053", true},
        {"last_character_differs", std::string("\x06" "532054", 7), "532053", false},
        {"first_character_differs", std::string("\x06" "632053", 7), "532053", false},
        {"shorter_text_in_field", std::string("\x05" "53205", 6), "532053", false},
        {"shorter_key", std::string("\x06" "532053", 7), "53205", false},
        {"short_code_with_junk_after_it", std::string("\x02" "ab\xFF\xFF\xFF\xFF", 7), "ab", true},
        {"empty_field_and_key", std::string("\x00" "xxxxxx", 7), "", true},
        {"leading_blank_is_significant", std::string("\x06" " 53205", 7), "53205", false},
        {"length_above_capacity_reads_as_capacity", std::string("\xC8" "532053", 7), "532053", true},
        {"length_above_capacity_against_a_shorter_key", std::string("\xC8" "532053", 7), "53205", false},
        {"key_longer_than_the_field", std::string("\x06" "532053", 7), "5320531", false},
        {"code_page_1250_bytes", std::string("\x02" "\x8A\x9E", 3), "\x8A\x9E", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string record(16, '\x77');
        record.replace(0, c.field.size(), c.field);
        EXPECT_EQ(strEquals(record, kCode, c.key), c.equal);
        EXPECT_EQ(StrFieldMatcher(kCode, c.key)(record), c.equal);

        std::string late(16, '\x77');
        late.replace(9, std::min<std::size_t>(c.field.size(), 7), c.field.substr(0, 7));
        EXPECT_EQ(StrFieldMatcher(kLateCode, c.key)(late), c.equal);
    }
}

TEST(RecordLayout, ConsistencyOfALayoutTable) {
    constexpr std::array good = {strField("a", 0, 2), intField("n", 4), strField("b", 8, 3)};
    constexpr std::array overlapping = {strField("a", 0, 2), strField("b", 2, 3)};
    constexpr std::array misalignedInt = {strField("a", 0, 2), intField("n", 3)};
    static_assert(isConsistent(good, 12));
    static_assert(!isConsistent(good, 11), "the last field must end inside the record");
    static_assert(!isConsistent(overlapping, 12));
    static_assert(!isConsistent(misalignedInt, 12));
    SUCCEED();
}

}  // namespace
}  // namespace talmorek::data
