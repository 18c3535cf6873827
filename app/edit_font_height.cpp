#include "app/edit_font_height.h"

#include <cstddef>

namespace zelvo {

namespace {

struct HeightRow {
    int points;
    int height;
};

constexpr HeightRow kHeights[] = {{6, -8},   {8, -9},   {9, -11},  {10, -12},  {11, -14},
                                  {12, -16}, {14, -19}, {16, -21}, {18, -24},  {20, -27},
                                  {22, -29}, {24, -32}, {26, -35}, {28, -37},  {32, -43},
                                  {36, -48}, {48, -60}, {72, -96}, {96, -126}, {120, -156}};

}  // namespace

int EditFontHeight(int points) {
    if (points < kMinimumFontPoints || points > kMaximumFontPoints) points = kDefaultFontPoints;
    const HeightRow& first = kHeights[0];
    const HeightRow& last = kHeights[sizeof kHeights / sizeof kHeights[0] - 1];
    double height = 0;
    if (points < first.points) {
        height = points * static_cast<double>(first.height) / first.points - 0.5;
    } else if (points >= last.points) {
        height = points * static_cast<double>(last.height) / last.points - 0.5;
    } else {
        std::size_t row = 0;
        while (kHeights[row + 1].points <= points) ++row;
        const HeightRow& low = kHeights[row];
        const HeightRow& high = kHeights[row + 1];
        height = static_cast<double>(high.height - low.height) * (points - low.points) /
                     (high.points - low.points) +
                 low.height - 0.5;
    }
    return static_cast<int>(height);  // truncated toward zero
}

std::vector<int> TableFontSizes() {
    std::vector<int> sizes;
    for (const HeightRow& row : kHeights) sizes.push_back(row.points);
    return sizes;
}

}  // namespace zelvo
