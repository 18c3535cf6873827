// The languages the two edit areas can be shown in: the rows of the language selectors
// (combo boxes 321 and 322) and of the "Source Language" / "Destination Language" menus.
// Each row carries its LCID and the Windows character set of the area's font; the
// display names are the lines of UI string 40044 in the current UI language.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace zelvo {

struct LanguageRow {
    int lcid;
    int charset;  // Windows character set of the font (134 GB2312, 136 Big5, 0 ANSI...)
};

// Number of rows; every index selected by program is bounded by it.
inline constexpr int kLanguageCount = 46;

// The row of GBK text and the row of Big5 text: the rows the transfers and the command
// line select.
inline constexpr int kGbkLanguageIndex = 1;
inline constexpr int kBig5LanguageIndex = 3;

// The rows in selector order.
std::span<const LanguageRow> LanguageTable();
int LanguageCount();

// True for 0 <= index < LanguageCount().
bool IsValidLanguageIndex(int index);

// The row at index; an index out of range gives the GBK row.
LanguageRow LanguageRowAt(int index);

// The display names, one per row, in the current UI language. A translation with fewer
// lines than rows is filled up with the English names, extra lines are dropped, so the
// result always has LanguageCount() entries.
std::vector<std::string> LanguageNames();

// The display name of one row in the current UI language; empty out of range.
std::string LanguageName(int index);


// The code page an area's bytes are read in when this row is selected: 936 for the two
// Simplified Chinese rows (1 and 2), 950 for Traditional Chinese (3), else the code page
// of the row's character set. 0 (the system code page) for an index out of range.
int CodePageOfLanguageIndex(int index);

}  // namespace zelvo
