// The logical height of an edit area's font for a size in points, from the program's own
// table of sizes and heights, so that a size looks the same on every system.
#pragma once

#include <vector>

#include "transfer/profile.h"  // the valid font sizes of an edit area

namespace zelvo {

// LOGFONT lfHeight (negative: character height) of a size in points. Sizes between two
// rows of the table are interpolated, sizes below 6 and from 120 up scale with the first
// and last row; a size outside 1..600 counts as 10.
int EditFontHeight(int points);

// The sizes the table has a row for, smallest first (the sizes the font size dialog lists).
std::vector<int> TableFontSizes();

}  // namespace zelvo
