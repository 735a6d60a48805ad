// A record type's fields listed once, with the member that holds each:
// both directions walk the table, and a table that leaves a field out or
// binds it to a member of the wrong kind is caught by the layout checks.

#include "core/data/record_fields.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "core/data/hand_bytes.h"

namespace talmorek::data {
namespace {

using talmorek::testing::hex;

struct Sample {
    std::string Name;
    std::int32_t Count = 0;
    std::string Mark;
};

constexpr FieldLayout kName = strField("Name", 0, 5);  // bytes 0..5, then one byte of alignment
constexpr FieldLayout kCount = intField("Count", 8);   // bytes 8..11
constexpr FieldLayout kMark = strField("Mark", 12, 1);  // bytes 12..13, the record padded to 16

constexpr std::array kSample = {bound(kName, &Sample::Name), bound(kCount, &Sample::Count),
                                bound(kMark, &Sample::Mark)};
static_assert(bindsByKind(kSample));
static_assert(isPacked(layoutsOf(kSample), 16));

TEST(RecordFields, EncodesEveryFieldOfTheTableAndDecodesItBack) {
    const Sample sample{"Žluť", -2, "B"};
    const RecordBytes bytes = encodeRecord(sample, kSample, 16);
    EXPECT_EQ(hex(bytes), "04 8e 6c 75 9d 00 00 00 fe ff ff ff 01 42 00 00");
    const Sample back = decodeRecord<Sample>(bytes, kSample);
    EXPECT_EQ(back.Name, "Žluť");
    EXPECT_EQ(back.Count, -2);
    EXPECT_EQ(back.Mark, "B");
}

TEST(RecordFields, EncodingOntoARecordKeepsTheBytesNoFieldOwns) {
    RecordBytes bytes(16, '\x55');
    encodeFields(bytes, kSample, Sample{"ab", 1, ""});
    EXPECT_EQ(hex(bytes), "02 61 62 55 55 55 55 55 01 00 00 00 00 55 55 55");
}

TEST(RecordFields, ATableThatLeavesAFieldOutIsNotPacked) {
    struct Case {
        const char* what;
        std::array<FieldLayout, 2> layouts;
        std::size_t size;
        bool packed;
    };
    const Case cases[] = {
        {"the text before the integer left out", {kCount, kMark}, 16, false},
        {"the integer left out", {kName, kMark}, 16, false},
        {"the last text left out", {kName, kCount}, 16, false},
        {"the last text left out, the record cut after the integer", {kName, kCount}, 12, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(isPacked(c.layouts, c.size), c.packed);
    }
}

TEST(RecordFields, ATextBoundToAnIntegerMemberOrTheOtherWayIsRefused) {
    EXPECT_FALSE(bindsByKind(std::array{bound(kCount, &Sample::Name)}));
    EXPECT_FALSE(bindsByKind(std::array{bound(kName, &Sample::Count)}));
    EXPECT_TRUE(bindsByKind(std::array{bound(kName, &Sample::Name), bound(kCount, &Sample::Count)}));
}

}  // namespace
}  // namespace talmorek::data
