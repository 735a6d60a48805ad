#include "core/data/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

namespace talmorek::data {
namespace {

TEST(Clock, AFixedClockStandsStillUntilSet) {
    FixedClock clock({2021, 10, 9, 14, 30, 5, 250});
    EXPECT_EQ(clock.now(), (LocalDateTime{2021, 10, 9, 14, 30, 5, 250}));
    EXPECT_EQ(clock.now(), clock.now());
    clock.set({2021, 10, 10, 0, 0, 1, 0});
    EXPECT_EQ(clock.now(), (LocalDateTime{2021, 10, 10, 0, 0, 1, 0}));
}

// The system clock gives the local calendar time: the same day as the C
// library's local time read around it (unless midnight passed meanwhile).
TEST(Clock, TheSystemClockGivesTheLocalTime) {
    auto localDay = [] {
        std::time_t t = std::time(nullptr);
        const std::tm tm = *std::localtime(&t);  // the test's only thread
        return LocalDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, 0, 0, 0, 0};
    };
    const LocalDateTime before = localDay();
    const LocalDateTime now = systemClock()->now();
    const LocalDateTime after = localDay();
    const LocalDateTime day{now.year, now.month, now.day, 0, 0, 0, 0};
    EXPECT_TRUE(day == before || day == after);
    EXPECT_GE(now.hour, 0);
    EXPECT_LE(now.hour, 23);
    EXPECT_GE(now.minute, 0);
    EXPECT_LE(now.minute, 59);
    EXPECT_GE(now.second, 0);
    EXPECT_LE(now.second, 60);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
    EXPECT_EQ(systemClock(), systemClock()) << "one system clock for the whole program";
}

}  // namespace
}  // namespace talmorek::data
