#include "app/language_table.h"

#include <array>

#include "services/system_language.h"
#include "services/ui_strings.h"

namespace zelvo {
namespace {

constexpr std::array<LanguageRow, kLanguageCount> kRows = {{
    {0x436, 0},    // English
    {0x804, 134},  // Simplified Chinese (GB2312)
    {0xc04, 134},  // Simplified Chinese (HZ)
    {0x404, 136},  // Traditional Chinese (Big5)
    {0x411, 128},  // Japanese
    {0x412, 129},  // Korean
    {0x40c, 0},    // French
    {0x407, 0},    // German
    {0x410, 0},    // Italian
    {0x816, 0},    // Portuguese
    {0xc0a, 0},    // Spanish
    {0x419, 204},  // Russian
    {0x401, 178},  // Arabic
    {0x429, 178},  // Farsi
    {0x40d, 177},  // Hebrew
    {0x421, 0},    // Indonesian
    {0x439, 0},    // Indic
    {0x434, 0},    // Malay
    {0x41e, 222},  // Thai
    {0x42a, 163},  // Vietnamese
    {0x42b, 0},    // Armenian
    {0x425, 186},  // Baltic
    {0x42d, 0},    // Basque
    {0x403, 0},    // Catalan
    {0x41a, 238},  // Croatian
    {0x405, 238},  // Czech
    {0x406, 0},    // Danish
    {0x413, 0},    // Dutch
    {0x425, 186},  // Estonian
    {0x40b, 0},    // Finnish
    {0x437, 0},    // Georgian
    {0x408, 161},  // Greek
    {0x40e, 238},  // Hungarian
    {0x40f, 0},    // Icelandic
    {0x426, 186},  // Latvian
    {0x427, 186},  // Lithuanian
    {0x414, 0},    // Norwegian
    {0x415, 238},  // Polish
    {0x418, 238},  // Romanian
    {0x81a, 238},  // Serbian (Latin)
    {0xc1a, 204},  // Serbian (Cyrillic)
    {0x41b, 238},  // Slovak
    {0x424, 238},  // Slovenian
    {0x41d, 0},    // Swedish
    {0x41f, 162},  // Turkish
    {0x422, 204},  // Ukrainian
}};

}  // namespace

std::span<const LanguageRow> LanguageTable() {
    return kRows;
}

int LanguageCount() {
    return static_cast<int>(kRows.size());
}

bool IsValidLanguageIndex(int index) {
    return index >= 0 && index < LanguageCount();
}

LanguageRow LanguageRowAt(int index) {
    return IsValidLanguageIndex(index) ? kRows[static_cast<std::size_t>(index)] : kRows[kGbkLanguageIndex];
}

std::vector<std::string> LanguageNames() {
    std::vector<std::string> names = LoadUiStringLines(IDS_DIALOG_ZELVO_LANGUAGE_LIST);
    if (names.size() > kRows.size()) names.resize(kRows.size());
    // A language pack that leaves lines out still gets a name on every row.
    for (std::size_t row = names.size(); row < kRows.size(); ++row) {
        names.push_back(UiStringLine(LoadUiStringColumn(IDS_DIALOG_ZELVO_LANGUAGE_LIST, kUiColumnEnglish),
                                     static_cast<int>(row)));
    }
    return names;
}

std::string LanguageName(int index) {
    if (!IsValidLanguageIndex(index)) return {};
    return LanguageNames()[static_cast<std::size_t>(index)];
}

int CodePageOfLanguageIndex(int index) {
    if (!IsValidLanguageIndex(index)) return 0;
    if (index == 1 || index == 2) return 936;
    if (index == kBig5LanguageIndex) return 950;
    return CodePageOfCharset(kRows[static_cast<std::size_t>(index)].charset);
}

}  // namespace zelvo
