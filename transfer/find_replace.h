// What a Find/Replace window decides without a window: its remembered settings and
// histories, which buttons are enabled, and where Find Next, Find Count, Replace and
// Replace All find their matches. Every offset is a byte offset into the edit area's text
// in the area's own code page (the language of its selector), whatever the system's code
// page is: a match always begins and ends on a character start, so a match is never made
// of the second half of one double-byte character and the first half of the next. The
// window converts between these offsets and the control's character positions, and applies
// the computed edits through the control so that its Undo keeps working.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/screen_rect.h"

namespace zelvo {

// Registry sections of the two windows' settings.
inline constexpr const char* kFindReplaceSourceSection = "FR Source";
inline constexpr const char* kFindReplaceDestinationSection = "FR Destination";

// Loading reads the numbers 0..49 of each history; saving writes 0..19.
inline constexpr int kFindHistoryLoadCount = 50;
inline constexpr int kFindHistorySaveCount = 20;

// whereScope values: radio 317 "Current Selection" and radio 320 "Whole File".
inline constexpr int kWhereSelection = 0;
inline constexpr int kWhereWholeFile = 1;

struct FindReplaceSettings {
    bool matchWholeWord = false;
    bool matchCase = false;
    bool enableReplace = false;
    bool searchUp = false;
    int whereScope = kWhereWholeFile;
    int posX = -1;  // -1 and -1: centred on the edit area
    int posY = -1;
    std::vector<std::string> findHistory;  // newest first
    std::vector<std::string> replaceHistory;
};

const char* FindReplaceSection(bool isSourceArea);

// "Match Whole Word", "Match Case", "Enalbe Replace" (stored settings carry this spelling),
// "Up", "Where", "Pos X", "Pos Y" and the histories "Find String %d" / "Replace String %d"
// (non-empty values of the numbers 0..49 not already in the list, in number order).
FindReplaceSettings ReadFindReplaceSettings(bool isSourceArea);
// The same values and "Visible". Each history is saved as its first 20 items without the
// empty ones, padded with empty strings to 20, so that older values are overwritten.
void WriteFindReplaceSettings(bool isSourceArea, const FindReplaceSettings& settings, bool visible);

// Puts text at the top of a history, as a search does with the texts it uses: every other
// item that begins with text, ignoring the case of single-byte letters, goes. An empty text
// (a replacement by nothing) leaves the history as it is, as no empty item is ever kept.
void MoveToHistoryTop(std::vector<std::string>& history, std::string_view text, int codePage);

// What a search works on: the area's whole text and its selection, and the two boxes'
// texts, all in the area's code page.
struct SearchInput {
    std::string_view text;
    size_t selStart = 0;
    size_t selEnd = 0;
    std::string_view find;
    std::string_view replace;
    int codePage = 0;
};

// An edit area is attached, the find text is not empty, and there is something to search:
// the text (whole file) or the selection (current selection).
bool CanSearch(bool areaAttached, const SearchInput& input, int whereScope);
// CanSearch, and the find and replace texts differ byte for byte.
bool CanReplace(bool areaAttached, const SearchInput& input, int whereScope);

struct FindReplaceButtons {
    bool replaceWith = false;  // label 304 and box 324
    bool findNext = false;     // 305 and Find Count 306
    bool replace = false;      // 307 and Replace All 310
};
FindReplaceButtons ButtonStatesFor(bool areaAttached, const SearchInput& input, const FindReplaceSettings& settings);

// Blank, CR, LF, tab and every printable ASCII character that is neither a letter nor a digit.
bool IsWordSeparator(unsigned char byte);

struct ByteRange {
    size_t start = 0;
    size_t end = 0;
    bool operator==(const ByteRange&) const = default;
};

// The next match going down (the first in the range) or up (the last). With the whole file
// the range runs from the selection to the end (down) or from the start to the selection
// (up), less one byte at the selection's side when the selection already holds the find
// text, so that the same match is not found again.
std::optional<ByteRange> FindNext(const SearchInput& input, const FindReplaceSettings& settings);

// Every match in the whole text or the selection, overlapping ones included ("aa" is found
// three times in "aaaa").
size_t FindCount(const SearchInput& input, const FindReplaceSettings& settings);

// An edit for the control: select [start, end) and replace it by replacement; the inserted
// text is [start, start + replacement.size()) afterwards.
struct ByteReplacement {
    size_t start = 0;
    size_t end = 0;
    std::string replacement;
    bool operator==(const ByteReplacement&) const = default;
};

// Replace: the first match of the whole text or the selection going down, the last going
// up, replaced by the replace text. Nothing when there is no match or when the two texts
// are the same (the window tells the user so before asking).
std::optional<ByteReplacement> ReplaceNext(const SearchInput& input, const FindReplaceSettings& settings);

// Replace All over the whole text or the selection: matches are taken left to right, each
// search resuming after the text just inserted; the edit replaces the whole range at once.
struct ReplaceAllResult {
    size_t count = 0;
    std::optional<ByteReplacement> edit;  // none when nothing was replaced
};
ReplaceAllResult ReplaceAll(const SearchInput& input, const FindReplaceSettings& settings);

// The Find What text a window opens with: the selection when it lies on one line; the last
// word of a selection over several lines; with no selection the word touching the caret
// (when blanks or tabs lie between, the word before them, else the word after them); and
// when there is no word, the newest entry of the find history. A word is a run of
// characters that are not word separators; a double-byte character is never one, whatever
// its trail byte.
std::string SearchWordOnOpen(const SearchInput& input, const std::vector<std::string>& findHistory);

// Where the window goes on screen: the stored position, or centred on the edit area's
// rectangle when both coordinates are -1, then moved so that the whole window is on the
// screen (not left of or above 0, not past the right or bottom edge). The same clamping
// applies to the position saved on close.
struct WindowPoint {
    int x = 0;
    int y = 0;
    bool operator==(const WindowPoint&) const = default;
};
WindowPoint ClampToScreen(WindowPoint point, int width, int height, int screenWidth, int screenHeight);
WindowPoint FindWindowPlacement(const FindReplaceSettings& settings, int width, int height, const ScreenRect& editArea,
                                int screenWidth, int screenHeight);

// The messages, in the UI language; the texts are put in as typed.
std::string NotFoundMessage(std::string_view find);
std::string FindCountMessage(size_t count, std::string_view find, bool inSelection);
std::string ReplaceCountMessage(size_t count, std::string_view find, std::string_view replace, bool inSelection);

}  // namespace zelvo
