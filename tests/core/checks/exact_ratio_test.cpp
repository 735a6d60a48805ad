#include "core/checks/exact_ratio.h"

#include <gtest/gtest.h>

namespace talmorek::checks {
namespace {

TEST(ExactRatio, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(roundHalfAwayFromZero(1202, 10), 120);
    EXPECT_EQ(roundHalfAwayFromZero(1205, 10), 121);
    EXPECT_EQ(roundHalfAwayFromZero(1206, 10), 121);
    EXPECT_EQ(roundHalfAwayFromZero(125, 10), 13);
    EXPECT_EQ(roundHalfAwayFromZero(-125, 10), -13);
    EXPECT_EQ(roundHalfAwayFromZero(-124, 10), -12);
    EXPECT_EQ(roundHalfAwayFromZero(0, 7), 0);
    EXPECT_EQ(roundHalfAwayFromZero(60300, 500), 121);
}

TEST(ExactRatio, WritesHundredthsInTheShortestForm) {
    EXPECT_EQ(shortestDecimal(75, ","), "0,75");
    EXPECT_EQ(shortestDecimal(150, ","), "1,5");
    EXPECT_EQ(shortestDecimal(300, ","), "3");
    EXPECT_EQ(shortestDecimal(0, ","), "0");
    EXPECT_EQ(shortestDecimal(6625, "."), "66.25");
    EXPECT_EQ(shortestDecimal(5, ","), "0,05");
    EXPECT_EQ(shortestDecimal(-75, ","), "-0,75");
}

TEST(ExactRatio, AStationsSeparatorIsTheCzechComma) {
    // On Linux the tests run in the C locale unless a test changes it, and
    // the C locale gets the comma. On Windows they run under the regional
    // settings of a Czech station (scripts/windows_tests.sh sets the comma):
    // the checks' shares are written with it.
    EXPECT_EQ(userDecimalSeparator(), ",");
}

}  // namespace
}  // namespace talmorek::checks
