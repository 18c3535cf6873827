// What the font size dialog lists and what a typed size stands for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

struct FontSizeItem {
    std::string text;  // in the UI language
    int points = 0;
};

// The five named sizes (Small 8, Smaller 10, Normal 12, Larger 16, Large 24) in the UI
// language, then every size of the height table as a number.
std::vector<FontSizeItem> FontSizeItems();

// The size a text typed into the dialog stands for: a whole number from 1 to 600 (blanks
// around it allowed), or one of the five names as the list shows them; nothing otherwise.
std::optional<int> ParseFontSizeInput(std::string_view text);

}  // namespace zelvo
