#include "core/print/copies.h"

#include <gtest/gtest.h>

#include <string>

namespace talmorek::print {
namespace {

struct Case {
    const char* name;
    const char* typed;
    const char* shown;
    int copies;
};

class CopiesField : public ::testing::TestWithParam<Case> {};

TEST_P(CopiesField, OkShowsAndPrintsWhatTheFieldComesTo) {
    const PocetKopii result = potvrdPocetKopii(GetParam().typed);
    EXPECT_EQ(result.shown, GetParam().shown);
    EXPECT_EQ(result.copies, GetParam().copies);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, CopiesField,
    ::testing::Values(Case{"one", "1", "1", 1}, Case{"two_as_offered", "2", "2", 2}, Case{"five", "5", "5", 5},
                      Case{"nine_the_most", "9", "9", 9}, Case{"empty_prints_one", "", "1", 1},
                      Case{"zero_prints_one", "0", "1", 1}, Case{"letter_prints_one", "a", "1", 1},
                      Case{"blank_prints_one", " ", "1", 1}, Case{"sign_prints_one", "-", "1", 1},
                      Case{"colon_just_after_nine_prints_one", ":", "1", 1},
                      Case{"slash_just_before_zero_prints_one", "/", "1", 1},
                      Case{"two_digits_print_one", "12", "1", 1}, Case{"czech_letter_prints_one", "č", "1", 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talmorek::print
