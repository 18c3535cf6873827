// UI strings, looked up by number in the current UI language. "%1".."%3" are filled
// here; "#1".."#9" and "#A".."#C" by the caller with ReplaceAll.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "services/strings/ui_string_ids.h"

namespace zelvo {

// One record of the compiled table. The Chinese columns are GBK and Big5 bytes.
struct UiStringRecord {
    int id;
    int reserved;
    const char* name;
    const char* section;
    const char* english;
    const char* gbk;
    const char* big5;
};

// Columns of the built-in table.
inline constexpr int kUiColumnEnglish = 1;
inline constexpr int kUiColumnGbk = 2;
inline constexpr int kUiColumnBig5 = 3;

// The built-in UI languages' LCIDs; any other LCID is served by a language pack.
inline constexpr int kLcidEnglish = 1033;
inline constexpr int kLcidSimplifiedChinese = 2052;
inline constexpr int kLcidTraditionalChinese = 1028;

// The records of the table, in table order, without the closing id-0 record.
std::span<const UiStringRecord> UiStringTable();

// Number of records of the table (the three "Info" records included).
int UiStringCount();

// The current UI language. Starts as English.
void SetUiLcid(int lcid);
int UiLcid();

// Reads one text of the current language pack: key = entry name, in the entry's section.
// Returns nothing when the pack file or the key is missing. Installed by whoever opens the
// pack file; without one a pack language shows the English texts.
using UiLanguagePackReader = std::function<std::optional<std::string>(const std::string& section,
                                                                      const std::string& name)>;
void SetUiLanguagePackReader(UiLanguagePackReader reader);

// The text of entry id in the current UI language, with %1..%3 replaced by the
// arguments given. An unknown id gives an empty text.
std::string LoadUiString(int id, const std::string& arg1 = {}, const std::string& arg2 = {},
                         const std::string& arg3 = {});

// The same from a given column of the built-in table (kUiColumnEnglish, kUiColumnGbk or
// kUiColumnBig5), whatever the current UI language is.
std::string LoadUiStringColumn(int id, int column, const std::string& arg1 = {}, const std::string& arg2 = {},
                               const std::string& arg3 = {});

// The text of entry id in the current UI language, split at CR LF into its lines; no
// lines for an unknown id.
std::vector<std::string> LoadUiStringLines(int id);

// Line n (0-based) of a text of several lines separated by CR LF; empty past the end.
std::string UiStringLine(const std::string& text, int n);

// Plain substring replacement, for the caller-filled "#1".."#C" placeholders.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

// Several placeholders filled in one pass over the template: a placeholder inside an
// inserted text (a find text holding "#3") stays as the user typed it.
std::string FillPlaceholders(std::string_view text,
                             std::initializer_list<std::pair<std::string_view, std::string_view>> values);
// The same with a list built at run time.
std::string FillPlaceholders(std::string_view text,
                             std::span<const std::pair<std::string, std::string>> values);

}  // namespace zelvo
