#include "transfer/find_replace.h"

#include <algorithm>
#include <utility>

#include "platform/registry_store.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

constexpr const char* kMatchWholeWordKey = "Match Whole Word";
constexpr const char* kMatchCaseKey = "Match Case";
constexpr const char* kEnableReplaceKey = "Enalbe Replace";
constexpr const char* kUpKey = "Up";
constexpr const char* kWhereKey = "Where";
constexpr const char* kVisibleKey = "Visible";
constexpr const char* kPosXKey = "Pos X";
constexpr const char* kPosYKey = "Pos Y";
constexpr const char* kFindStringKey = "Find String ";
constexpr const char* kReplaceStringKey = "Replace String ";

std::vector<std::string> ReadHistory(const char* section, const std::string& keyPrefix) {
    std::vector<std::string> history;
    for (int number = 0; number < kFindHistoryLoadCount; ++number) {
        std::string item = ReadRegString(section, keyPrefix + std::to_string(number), "");
        if (item.empty() || std::find(history.begin(), history.end(), item) != history.end()) continue;
        history.push_back(std::move(item));
    }
    return history;
}

void WriteHistory(const char* section, const std::string& keyPrefix, const std::vector<std::string>& history) {
    std::vector<std::string> kept;
    for (size_t i = 0; i < history.size() && i < static_cast<size_t>(kFindHistorySaveCount); ++i)
        if (!history[i].empty()) kept.push_back(history[i]);
    kept.resize(kFindHistorySaveCount);
    for (int number = 0; number < kFindHistorySaveCount; ++number)
        WriteRegString(section, keyPrefix + std::to_string(number), kept[number]);
}

// The selection as an ordered range inside the text.
ByteRange SelectionOf(const SearchInput& input) {
    size_t start = std::min(input.selStart, input.selEnd);
    size_t end = std::max(input.selStart, input.selEnd);
    end = std::min(end, input.text.size());
    return {std::min(start, end), end};
}

// The text and find text as matching sees them: lower-cased (single-byte letters only)
// unless the case must match, with the character starts of the text found once.
class Matcher {
public:
    Matcher(const SearchInput& input, const FindReplaceSettings& settings)
        : lowered_(settings.matchCase ? std::string() : ToLowerText(input.text, input.codePage)),
          findLowered_(settings.matchCase ? std::string() : ToLowerText(input.find, input.codePage)),
          text_(settings.matchCase ? input.text : std::string_view(lowered_)),
          find_(settings.matchCase ? input.find : std::string_view(findLowered_)),
          starts_(text_, input.codePage),
          wholeWord_(settings.matchWholeWord) {}
    Matcher(const Matcher&) = delete;  // the views point into the object's own strings
    Matcher& operator=(const Matcher&) = delete;

    // The first acceptable match at or after from that ends at or before limit.
    std::optional<size_t> First(size_t from, size_t limit) const {
        for (size_t pos = starts_.FindWhole(find_, from, limit); pos != std::string_view::npos;
             pos = starts_.FindWhole(find_, pos + 1, limit)) {
            if (Accepts(pos)) return pos;
        }
        return std::nullopt;
    }

    // The last acceptable match in [from, limit].
    std::optional<size_t> Last(size_t from, size_t limit) const {
        std::optional<size_t> last;
        for (auto pos = First(from, limit); pos; pos = First(*pos + 1, limit)) last = pos;
        return last;
    }

    size_t FindLength() const { return find_.size(); }

private:
    // A whole word has a word boundary directly before and after it. A separator byte that
    // is the trail byte of a double-byte character (Big5 and GBK trail bytes include '@',
    // '[', '\\', ']', '^', '_', '`', '{', '|', '}' and '~') is part of that character, so a
    // match right after it sits next to a Chinese character and is not a whole word.
    // After the match a character starts, and a separator byte there is a character of its
    // own, as no lead byte is below 0x80.
    bool Accepts(size_t pos) const {
        if (!wholeWord_) return true;
        const size_t end = pos + find_.size();
        const bool boundaryBefore =
            pos == 0 || (starts_.SingleByteBefore(pos) && IsWordSeparator(static_cast<unsigned char>(text_[pos - 1])));
        const bool boundaryAfter = end == text_.size() || IsWordSeparator(static_cast<unsigned char>(text_[end]));
        return boundaryBefore && boundaryAfter;
    }

    std::string lowered_;
    std::string findLowered_;
    std::string_view text_;
    std::string_view find_;
    CharStarts starts_;
    bool wholeWord_;
};

// The whole text or the selection, as Find Count, Replace and Replace All search it.
ByteRange ScopeRange(const SearchInput& input, const FindReplaceSettings& settings) {
    if (settings.whereScope == kWhereSelection) return SelectionOf(input);
    return {0, input.text.size()};
}

bool SelectionHoldsFind(const SearchInput& input, const FindReplaceSettings& settings) {
    const ByteRange selection = SelectionOf(input);
    const std::string_view selected = input.text.substr(selection.start, selection.end - selection.start);
    if (settings.matchCase) return selected == input.find;
    return CompareTextNoCase(selected, input.find, input.codePage) == 0;
}

std::optional<ByteRange> FindInRange(const Matcher& matcher, ByteRange range, bool up) {
    const auto pos = up ? matcher.Last(range.start, range.end) : matcher.First(range.start, range.end);
    if (!pos) return std::nullopt;
    return ByteRange{*pos, *pos + matcher.FindLength()};
}

// Word runs of a text, character by character: a separator is a single-byte character, so
// a trail byte that happens to be '\\' or '@' belongs to the Chinese character before it.
class WordScanner {
public:
    WordScanner(std::string_view text, int codePage) : text_(text), starts_(text, codePage) {}

    // Start of the character that ends at pos (pos > 0, a character start).
    size_t PreviousStart(size_t pos) const { return starts_.At(pos - 1) ? pos - 1 : pos - 2; }
    size_t NextStart(size_t pos) const { return starts_.At(pos + 1) ? pos + 1 : pos + 2; }
    bool IsWordChar(size_t start) const { return !IsWordSeparator(static_cast<unsigned char>(text_[start])); }
    bool IsBlankOrTab(size_t start) const { return text_[start] == ' ' || text_[start] == '\t'; }

    // The run of word characters that holds pos or ends or begins at it, within [low, high].
    ByteRange WordAt(size_t pos, size_t low, size_t high) const {
        size_t start = pos;
        while (start > low && IsWordChar(PreviousStart(start))) start = PreviousStart(start);
        size_t end = pos;
        while (end < high && IsWordChar(end)) end = NextStart(end);
        return {start, end};
    }

    // The last run of word characters in [low, high].
    ByteRange LastWord(size_t low, size_t high) const {
        size_t end = high;
        while (end > low && !IsWordChar(PreviousStart(end))) end = PreviousStart(end);
        return WordAt(end, low, end);
    }

private:
    std::string_view text_;
    CharStarts starts_;
};

}  // namespace

std::string SearchWordOnOpen(const SearchInput& input, const std::vector<std::string>& findHistory) {
    const ByteRange selection = SelectionOf(input);
    const std::string_view selected = input.text.substr(selection.start, selection.end - selection.start);
    if (!selected.empty() && selected.find('\n') == std::string_view::npos) return std::string(selected);
    const WordScanner scanner(input.text, input.codePage);
    ByteRange word;
    if (!selected.empty()) {
        word = scanner.LastWord(selection.start, selection.end);
    } else {
        const size_t caret = selection.start;
        word = scanner.WordAt(caret, 0, input.text.size());
        if (word.start == word.end) {
            size_t before = caret;
            while (before > 0 && scanner.IsBlankOrTab(scanner.PreviousStart(before))) before = scanner.PreviousStart(before);
            if (before < caret) word = scanner.WordAt(before, 0, before);
        }
        if (word.start == word.end) {
            size_t after = caret;
            while (after < input.text.size() && scanner.IsBlankOrTab(after)) after = scanner.NextStart(after);
            if (after > caret) word = scanner.WordAt(after, after, input.text.size());
        }
    }
    if (word.start < word.end) return std::string(input.text.substr(word.start, word.end - word.start));
    return findHistory.empty() ? std::string() : findHistory.front();
}

WindowPoint ClampToScreen(WindowPoint point, int width, int height, int screenWidth, int screenHeight) {
    point.x = std::max(0, std::min(point.x, screenWidth - width));
    point.y = std::max(0, std::min(point.y, screenHeight - height));
    return point;
}

WindowPoint FindWindowPlacement(const FindReplaceSettings& settings, int width, int height, const ScreenRect& editArea,
                                int screenWidth, int screenHeight) {
    WindowPoint point{settings.posX, settings.posY};
    if (settings.posX == -1 && settings.posY == -1) {
        point.x = editArea.left + (editArea.right - editArea.left - width) / 2;
        point.y = editArea.top + (editArea.bottom - editArea.top - height) / 2;
    }
    return ClampToScreen(point, width, height, screenWidth, screenHeight);
}

const char* FindReplaceSection(bool isSourceArea) {
    return isSourceArea ? kFindReplaceSourceSection : kFindReplaceDestinationSection;
}

FindReplaceSettings ReadFindReplaceSettings(bool isSourceArea) {
    const char* section = FindReplaceSection(isSourceArea);
    FindReplaceSettings settings;
    settings.matchWholeWord = ReadRegInt(section, kMatchWholeWordKey, 0) != 0;
    settings.matchCase = ReadRegInt(section, kMatchCaseKey, 0) != 0;
    settings.enableReplace = ReadRegInt(section, kEnableReplaceKey, 0) != 0;
    settings.searchUp = ReadRegInt(section, kUpKey, 0) != 0;
    settings.whereScope = ReadRegInt(section, kWhereKey, kWhereWholeFile) == kWhereSelection ? kWhereSelection
                                                                                               : kWhereWholeFile;
    settings.posX = ReadRegInt(section, kPosXKey, -1);
    settings.posY = ReadRegInt(section, kPosYKey, -1);
    settings.findHistory = ReadHistory(section, kFindStringKey);
    settings.replaceHistory = ReadHistory(section, kReplaceStringKey);
    return settings;
}

void WriteFindReplaceSettings(bool isSourceArea, const FindReplaceSettings& settings, bool visible) {
    const char* section = FindReplaceSection(isSourceArea);
    WriteRegInt(section, kMatchWholeWordKey, settings.matchWholeWord ? 1 : 0);
    WriteRegInt(section, kMatchCaseKey, settings.matchCase ? 1 : 0);
    WriteRegInt(section, kEnableReplaceKey, settings.enableReplace ? 1 : 0);
    WriteRegInt(section, kUpKey, settings.searchUp ? 1 : 0);
    WriteRegInt(section, kWhereKey, settings.whereScope);
    WriteRegInt(section, kVisibleKey, visible ? 1 : 0);
    WriteRegInt(section, kPosXKey, settings.posX);
    WriteRegInt(section, kPosYKey, settings.posY);
    WriteHistory(section, kFindStringKey, settings.findHistory);
    WriteHistory(section, kReplaceStringKey, settings.replaceHistory);
}

void MoveToHistoryTop(std::vector<std::string>& history, std::string_view text, int codePage) {
    if (text.empty()) return;
    std::erase_if(history, [&](const std::string& item) {
        return item.size() >= text.size() &&
               CompareTextNoCase(std::string_view(item).substr(0, text.size()), text, codePage) == 0;
    });
    history.insert(history.begin(), std::string(text));
}

bool CanSearch(bool areaAttached, const SearchInput& input, int whereScope) {
    if (!areaAttached || input.find.empty()) return false;
    if (whereScope == kWhereSelection) return input.selStart != input.selEnd;
    return !input.text.empty();
}

bool CanReplace(bool areaAttached, const SearchInput& input, int whereScope) {
    return CanSearch(areaAttached, input, whereScope) && input.find != input.replace;
}

FindReplaceButtons ButtonStatesFor(bool areaAttached, const SearchInput& input, const FindReplaceSettings& settings) {
    FindReplaceButtons buttons;
    buttons.replaceWith = settings.enableReplace;
    buttons.findNext = CanSearch(areaAttached, input, settings.whereScope);
    buttons.replace = settings.enableReplace && CanReplace(areaAttached, input, settings.whereScope);
    return buttons;
}

bool IsWordSeparator(unsigned char byte) {
    if (byte == ' ' || byte == '\r' || byte == '\n' || byte == '\t') return true;
    return (byte >= 0x21 && byte <= 0x2F) || (byte >= 0x3A && byte <= 0x40) || (byte >= 0x5B && byte <= 0x60) ||
           (byte >= 0x7B && byte <= 0x7E);
}

std::optional<ByteRange> FindNext(const SearchInput& input, const FindReplaceSettings& settings) {
    if (input.find.empty()) return std::nullopt;
    ByteRange range = SelectionOf(input);
    if (settings.whereScope != kWhereSelection) {
        const bool shrink = SelectionHoldsFind(input, settings);
        if (settings.searchUp) {
            range = {0, range.end};
            if (shrink && range.end > 0) --range.end;
        } else {
            range = {range.start, input.text.size()};
            if (shrink && range.start < range.end) ++range.start;
        }
    }
    return FindInRange(Matcher(input, settings), range, settings.searchUp);
}

size_t FindCount(const SearchInput& input, const FindReplaceSettings& settings) {
    if (input.find.empty()) return 0;
    const ByteRange range = ScopeRange(input, settings);
    const Matcher matcher(input, settings);
    size_t count = 0;
    for (auto pos = matcher.First(range.start, range.end); pos; pos = matcher.First(*pos + 1, range.end)) ++count;
    return count;
}

std::optional<ByteReplacement> ReplaceNext(const SearchInput& input, const FindReplaceSettings& settings) {
    if (input.find.empty() || input.find == input.replace) return std::nullopt;
    const auto match = FindInRange(Matcher(input, settings), ScopeRange(input, settings), settings.searchUp);
    if (!match) return std::nullopt;
    return ByteReplacement{match->start, match->end, std::string(input.replace)};
}

ReplaceAllResult ReplaceAll(const SearchInput& input, const FindReplaceSettings& settings) {
    ReplaceAllResult result;
    if (input.find.empty() || input.find == input.replace) return result;
    const ByteRange range = ScopeRange(input, settings);
    const Matcher matcher(input, settings);
    // The text after an inserted replacement is the text after the match, unchanged, so
    // resuming after the inserted text is resuming at the match's end; the whole-word test
    // looks at the text as it was.
    std::string replaced;
    size_t copied = range.start;
    for (auto pos = matcher.First(range.start, range.end); pos;
         pos = matcher.First(*pos + matcher.FindLength(), range.end)) {
        replaced.append(input.text.substr(copied, *pos - copied));
        replaced.append(input.replace);
        copied = *pos + matcher.FindLength();
        ++result.count;
    }
    if (result.count == 0) return result;
    replaced.append(input.text.substr(copied, range.end - copied));
    result.edit = ByteReplacement{range.start, range.end, std::move(replaced)};
    return result;
}

std::string NotFoundMessage(std::string_view find) {
    return FillPlaceholders(LoadUiString(IDS_DIALOG_FR_MSG_NOT_FOUND), {{"#1", find}});
}

std::string FindCountMessage(size_t count, std::string_view find, bool inSelection) {
    const int id = inSelection ? IDS_DIALOG_FR_MSG_FIND_COUNT_IN_SELECTION : IDS_DIALOG_FR_MSG_FIND_COUNT;
    return FillPlaceholders(LoadUiString(id), {{"#1", std::to_string(count)}, {"#2", find}});
}

std::string ReplaceCountMessage(size_t count, std::string_view find, std::string_view replace, bool inSelection) {
    const int id = inSelection ? IDS_DIALOG_FR_MSG_REPLACE_COUNT_IN_SELECTION : IDS_DIALOG_FR_MSG_REPLACE_COUNT;
    return FillPlaceholders(LoadUiString(id), {{"#1", std::to_string(count)}, {"#2", find}, {"#3", replace}});
}

}  // namespace zelvo
