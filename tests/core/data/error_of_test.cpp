// The tests' one way to catch the error a call must raise: the error comes
// back as thrown (its own type behind a base), and a call that raises
// nothing, or something else, fails the test that made it.

#include "support/error_of.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/data/errors.h"

namespace talmorek::data {
namespace {

using talmorek::testing::errorOf;

TEST(ErrorOf, GivesBackTheErrorAsThrown) {
    const auto e = errorOf<DataError>([] { throw IoError("/i/HLASO.RCD", 28, "disk full"); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->file(), "/i/HLASO.RCD");
    ASSERT_NE(dynamic_cast<const IoError*>(&*e), nullptr);
    EXPECT_EQ(dynamic_cast<const IoError&>(*e).osError(), 28);
}

TEST(ErrorOf, FailsTheTestWhenNothingIsThrown) {
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(errorOf<IoError>([] {})), "no IoError");
}

TEST(ErrorOf, FailsTheTestWhenSomethingElseIsThrown) {
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(errorOf<IoError>([] { throw std::logic_error("other"); })),
                            "no IoError but std::logic_error: other");
    EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(errorOf<IoError>([] { throw 7; })), "no IoError but something");
}

}  // namespace
}  // namespace talmorek::data
