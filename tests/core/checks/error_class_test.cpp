#include "core/checks/error_class.h"

#include <gtest/gtest.h>

namespace talmorek::checks {
namespace {

TEST(ErrorClass, PassableAreFourToTen) {
    for (int code = 4; code <= 10; ++code) EXPECT_EQ(classOf(code), ErrorClass::Passable) << code;
}

TEST(ErrorClass, WarningsAreNinetyOneToNinetyEight) {
    for (int code = 91; code <= 98; ++code) EXPECT_EQ(classOf(code), ErrorClass::Warning) << code;
}

TEST(ErrorClass, EveryOtherCodeIsAnError) {
    for (int code : {1, 2, 3, 11, 16, 39, 40, 45, 50, 60, 62, 72, 77, 90, 99})
        EXPECT_EQ(classOf(code), ErrorClass::Error) << code;
}

TEST(ErrorClass, CodesAreFoundOnlyOnTwoCharacterBoundaries) {
    // "04050607080910" holds "40", "50", ... across boundaries, and
    // "9192939495969798" holds "19", "29", ...
    for (const char* code : {"40", "50", "60", "70", "80", "09", "91", "19", "29", "39", "49", "59", "69", "79", "89"}) {
        const bool passable = std::string(code) == "09";
        const bool warning = std::string(code) == "91";
        EXPECT_EQ(classOf(std::string_view(code)),
                  passable ? ErrorClass::Passable : warning ? ErrorClass::Warning : ErrorClass::Error)
            << code;
    }
    EXPECT_TRUE(listedAtCodeBoundary("1662", "62"));
    EXPECT_FALSE(listedAtCodeBoundary("1662", "66"));
    EXPECT_TRUE(listedAtCodeBoundary("16626672", "66"));
    EXPECT_FALSE(listedAtCodeBoundary("", "66"));
    EXPECT_FALSE(listedAtCodeBoundary("66", ""));
}

TEST(ErrorClass, CodesAreWrittenWithTwoDigits) {
    EXPECT_EQ(twoDigitCode(4), "04");
    EXPECT_EQ(twoDigitCode(72), "72");
}

}  // namespace
}  // namespace talmorek::checks
