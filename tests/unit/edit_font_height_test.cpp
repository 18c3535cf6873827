// Font heights of the edit areas for sizes in points.
#include <gtest/gtest.h>

#include "app/edit_font_height.h"

namespace zelvo {
namespace {

TEST(EditFontHeight, SizesOfTheTableGiveTheirHeight) {
    const std::pair<int, int> rows[] = {{6, -8},   {8, -9},   {9, -11},  {10, -12}, {12, -16},
                                        {16, -21}, {24, -32}, {48, -60}, {72, -96}, {120, -156}};
    for (auto [points, height] : rows) EXPECT_EQ(EditFontHeight(points), height) << points;
}

TEST(EditFontHeight, SizesBetweenRowsAndBeyondTheTableAreScaled) {
    EXPECT_EQ(EditFontHeight(13), -18);  // (-19 + 16) * 1 / 2 - 16 - 0.5
    EXPECT_EQ(EditFontHeight(5), -7);    // 5 * -8 / 6 - 0.5
    EXPECT_EQ(EditFontHeight(1), -1);
    EXPECT_EQ(EditFontHeight(600), -780);
    EXPECT_EQ(EditFontHeight(60), -78);  // (-96 + 60) * 12 / 24 - 60 - 0.5
}

TEST(EditFontHeight, SizesOutsideTheRangeCountAsTen) {
    EXPECT_EQ(EditFontHeight(0), -12);
    EXPECT_EQ(EditFontHeight(-4), -12);
    EXPECT_EQ(EditFontHeight(601), -12);
}

}  // namespace
}  // namespace zelvo
