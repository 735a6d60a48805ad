#include "core/print/surface.h"

#include <gtest/gtest.h>

#include "core/print/document.h"

namespace talmorek::print {
namespace {

TEST(EmHeight, IsTheSizeAt96PixelsPerInchInTenthsOfAMillimetre) {
    struct Case {
        int size;
        int em;
    };
    constexpr Case kCases[] = {{12, 16}, {15, 20}, {18, 24}, {20, 27}, {24, 32}, {26, 35}, {32, 43}, {34, 45}};
    for (const auto& c : kCases) EXPECT_EQ(emHeight(c.size), c.em) << "size " << c.size;
}

TEST(PageSize, IsA4InTenthsOfAMillimetre) {
    EXPECT_EQ(pageSize(Orientation::Portrait), (PageSize{2100, 2970}));
    EXPECT_EQ(pageSize(Orientation::Landscape), (PageSize{2970, 2100}));
}

}  // namespace
}  // namespace talmorek::print
