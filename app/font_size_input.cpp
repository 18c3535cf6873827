#include "app/font_size_input.h"

#include "app/command_state.h"
#include "app/edit_font_height.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

// The names of kFontSizeChoices, in its order.
constexpr int kFontSizeNameIds[5] = {IDS_PROFILE_FS_SMALL, IDS_PROFILE_FS_SMALLER, IDS_PROFILE_FS_NORMAL,
                                     IDS_PROFILE_FS_LARGER, IDS_PROFILE_FS_LARGE};

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::vector<FontSizeItem> FontSizeItems() {
    std::vector<FontSizeItem> items;
    for (int i = 0; i < 5; ++i) items.push_back({LoadUiString(kFontSizeNameIds[i]), kFontSizeChoices[i]});
    for (int points : TableFontSizes()) items.push_back({std::to_string(points), points});
    return items;
}

std::optional<int> ParseFontSizeInput(std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    for (int i = 0; i < 5; ++i)
        if (text == LoadUiString(kFontSizeNameIds[i])) return kFontSizeChoices[i];
    // Digits only, and no more of them than a size can have: "0600" is 600, "99999999999" is no size.
    if (text.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < kMinimumFontPoints || value > kMaximumFontPoints) return std::nullopt;
    return value;
}

}  // namespace zelvo
