// Multibyte-aware text operations on byte strings in a double-byte code page (936 GBK,
// 950 Big5: lead bytes 0x81..0xFE) or a single-byte one. Every search, comparison and
// case change of the program goes through here; nothing else walks characters itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace zelvo {

// Length in bytes of the character starting at text[pos]: 2 for a lead byte followed
// by any byte, else 1.
size_t CharLengthAt(std::string_view text, size_t pos, int codePage);

// True when pos is the start of a character (not the trail byte of one), scanning
// from the start of the text.
bool IsCharBoundary(std::string_view text, size_t pos, int codePage);

// First occurrence of needle at or after from that starts on a character boundary, as
// _mbsstr finds it; npos when none. An empty needle is found at from.
size_t FindText(std::string_view text, std::string_view needle, size_t from, int codePage);
// Last occurrence that starts at or before from (npos: from the end).
size_t FindTextBackward(std::string_view text, std::string_view needle, size_t from, int codePage);

// Byte-wise unsigned comparison (_mbscmp): <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
// Case-insensitive for ASCII letters only; double-byte characters compare byte-wise (_mbsicmp).
int CompareTextNoCase(std::string_view a, std::string_view b, int codePage);

// True when text begins / ends with the affix, compared as CompareTextNoCase compares; the
// part compared must be whole characters (no half of a double-byte one).
bool StartsWithTextNoCase(std::string_view text, std::string_view prefix, int codePage);
bool EndsWithTextNoCase(std::string_view text, std::string_view suffix, int codePage);

// Lower / upper case for single-byte ASCII letters; double-byte characters stay intact.
std::string ToLowerText(std::string_view text, int codePage);
std::string ToUpperText(std::string_view text, int codePage);

// Every occurrence of from, found left to right on character boundaries and not
// overlapping, replaced by to. An empty from leaves the text as it is.
std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to, int codePage);

// The character starts of one text, found in one walk, so that many searches and boundary
// tests in the same text cost no further walks (a search per match from the text's start
// would make counting the matches of a long text quadratic). Holds a view of the text: the
// text must outlive it. Case changes of single-byte letters keep the starts as they are.
class CharStarts {
public:
    CharStarts(std::string_view text, int codePage);

    // True when a character starts at pos; the end of the text counts as a start.
    bool At(size_t pos) const;
    // True when the character just before pos is a single byte (pos being a start).
    bool SingleByteBefore(size_t pos) const { return pos > 0 && At(pos - 1); }
    // First occurrence of needle at or after from that begins and ends on a character start
    // and ends at or before limit, so it never holds half of a double-byte character; npos
    // when none. An empty needle is never found.
    size_t FindWhole(std::string_view needle, size_t from, size_t limit) const;

private:
    std::string_view text_;
    std::vector<bool> starts_;  // empty for a single-byte code page: every byte starts one
};

// Removes blanks, tabs, CR and LF at both ends.
std::string TrimBlanks(std::string_view text);

}  // namespace zelvo
