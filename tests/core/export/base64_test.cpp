#include "core/export/base64.h"

#include <gtest/gtest.h>

#include <string>

#include "core/data/errors.h"
#include "support/error_of.h"

namespace talmorek::exporting {
namespace {

using talmorek::testing::errorOf;

// RFC 4648, section 10.
struct Vector {
    const char* plain;
    const char* encoded;
};
constexpr Vector kRfcVectors[] = {
    {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
};

TEST(Base64Test, rfcVectorsBothWays) {
    for (const auto& v : kRfcVectors) {
        SCOPED_TRACE(v.plain);
        EXPECT_EQ(v.encoded, encodeBase64(v.plain));
        EXPECT_EQ(v.plain, decodeBase64(v.encoded));
    }
}

TEST(Base64Test, allByteValuesSurvive) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(255 - i);
    EXPECT_EQ(bytes, decodeBase64(encodeBase64(bytes)));
}

// 57 bytes fill exactly one line of 76 characters.
struct LineCase {
    const char* name;
    std::size_t bytes;
    std::size_t fullLines;
    std::size_t lastLineLength;  // 0: the text ends with a full line and its CR LF
};
constexpr LineCase kLineCases[] = {
    {"shortSingleLine", 10, 0, 16},
    {"oneFullLine", 57, 1, 0},
    {"threeFullLines", 171, 3, 0},
    {"oneByteOverAFullLine", 58, 1, 4},
    {"paddedGroupEndsAFullLine", 56, 1, 0},
};

TEST(Base64Test, linesOf76WithCrLfAfterEveryFullLineOnly) {
    for (const auto& c : kLineCases) {
        SCOPED_TRACE(c.name);
        const std::string text = encodeBase64(std::string(c.bytes, 'x'));
        std::size_t at = 0;
        for (std::size_t line = 0; line < c.fullLines; ++line) {
            ASSERT_GE(text.size(), at + 78);
            EXPECT_EQ(std::string::npos, text.substr(at, 76).find_first_of("\r\n"));
            EXPECT_EQ("\r\n", text.substr(at + 76, 2));
            at += 78;
        }
        EXPECT_EQ(c.lastLineLength, text.size() - at);
        EXPECT_EQ(std::string::npos, text.find_first_of("\r\n", at));
    }
}

TEST(Base64Test, decoderSkipsLineBreaksAnywhere) {
    EXPECT_EQ("foobar", decodeBase64("Zm9v\r\nYmFy\r\n"));
    EXPECT_EQ("foobar", decodeBase64("\nZ\rm9vY\r\n\r\nmF\ny"));
    EXPECT_EQ("fooba", decodeBase64("Zm9vYmE=\r\n"));
    const std::string bytes(500, '\x5A');
    EXPECT_EQ(bytes, decodeBase64(encodeBase64(bytes)));
}

struct BadCase {
    const char* name;
    const char* text;
    long long position;
};
constexpr BadCase kBadCases[] = {
    {"characterOutsideAlphabet", "Zm9v!mFy", 4},
    {"spaceIsNotALineBreak", "Zm9v YmFy", 4},
    {"tabIsNotALineBreak", "Zm9v\tYmFy", 4},
    {"byteAbove127", "Zm9\xC3\xA1", 3},
    {"lengthNotMultipleOf4", "Zm9vYmF", 4},
    {"lengthNotMultipleOf4AcrossLines", "Zm9v\r\nY", 6},
    {"paddingInFirstPlace", "=m9v", 0},
    {"paddingInSecondPlace", "Z===", 1},
    {"dataAfterPaddingInGroup", "Zg=a", 3},
    {"groupAfterPaddedGroup", "Zg==Zm9v", 4},
    {"paddingAfterPaddedGroup", "Zg===", 4},
};

TEST(Base64Test, badTextIsRefusedWithFileAndPosition) {
    for (const auto& c : kBadCases) {
        SCOPED_TRACE(c.name);
        if (const auto e = errorOf<data::FormatError>([&] { decodeBase64(c.text, "P5000540001.dat"); })) {
            EXPECT_EQ("P5000540001.dat", e->file());
            EXPECT_EQ(c.position, e->position());
        }
    }
}

}  // namespace
}  // namespace talmorek::exporting
