#include <gtest/gtest.h>

#include <string>

#include "platform/registry_store.h"
#include "services/ui_strings.h"
#include "test_support.h"
#include "transfer/find_replace.h"

namespace zelvo {
namespace {

using testing_support::ScopedRegistry;

// Byte sequences written from the code pages' published mappings:
// GBK: 的 B5 C4, 可 BF C9, 目 C4 BF (the second half of 的 and the first half of 可),
//      中 D6 D0, 癆 B0 41 (trail byte 'A').
// Big5: 中 A4 A4, 國 B0 EA, 什 A4 B0 (the second half of 中 and the first half of 國),
//       乙 A4 41 (trail byte 'A'), 功 A5 5C (trail byte '\').
const std::string kGbkDeKe = "\xB5\xC4\xBF\xC9";
const std::string kGbkMu = "\xC4\xBF";
const std::string kGbkZhong = "\xD6\xD0";
const std::string kGbkLaoTrailA = "\xB0\x41";
const std::string kBig5ZhongGuo = "\xA4\xA4\xB0\xEA";
const std::string kBig5Shen = "\xA4\xB0";
const std::string kBig5YiTrailA = "\xA4\x41";
const std::string kBig5GongTrailBackslash = "\xA5\x5C";

SearchInput Input(const std::string& text, const std::string& find, int codePage, size_t selStart = 0,
                  size_t selEnd = 0, const std::string& replace = "") {
    SearchInput input;
    input.text = text;
    input.find = find;
    input.replace = replace;
    input.codePage = codePage;
    input.selStart = selStart;
    input.selEnd = selEnd;
    return input;
}

FindReplaceSettings Options(bool matchCase = true, bool wholeWord = false, bool up = false,
                            int where = kWhereWholeFile) {
    FindReplaceSettings settings;
    settings.matchCase = matchCase;
    settings.matchWholeWord = wholeWord;
    settings.searchUp = up;
    settings.whereScope = where;
    return settings;
}

std::optional<ByteRange> Range(size_t start, size_t end) { return ByteRange{start, end}; }

TEST(FindReplaceMatching, GbkMatchAcrossTwoCharactersIsRefused) {
    const std::string text = kGbkDeKe;
    EXPECT_EQ(FindNext(Input(text, kGbkMu, 936), Options()), std::nullopt);
    EXPECT_EQ(FindNext(Input(text, kGbkMu, 936, 4, 4), Options(true, false, true)), std::nullopt);
    EXPECT_EQ(FindCount(Input(text, kGbkMu, 936), Options()), 0u);
    EXPECT_EQ(ReplaceAll(Input(text, kGbkMu, 936, 0, 0, "X"), Options()).count, 0u);
    EXPECT_EQ(ReplaceNext(Input(text, kGbkMu, 936, 0, 0, "X"), Options()), std::nullopt);
    // The real character after the pair is still found.
    const std::string withMu = text + kGbkMu;
    EXPECT_EQ(FindNext(Input(withMu, kGbkMu, 936), Options()), Range(4, 6));
    EXPECT_EQ(FindCount(Input(withMu, kGbkMu, 936), Options()), 1u);
}

TEST(FindReplaceMatching, Big5MatchAcrossTwoCharactersIsRefused) {
    EXPECT_EQ(FindNext(Input(kBig5ZhongGuo, kBig5Shen, 950), Options()), std::nullopt);
    EXPECT_EQ(FindCount(Input(kBig5ZhongGuo, kBig5Shen, 950), Options()), 0u);
    // A find text ending in a lone lead byte would take half of the next character.
    EXPECT_EQ(FindNext(Input("a" + kBig5ZhongGuo, "a\xA4", 950), Options()), std::nullopt);
    EXPECT_EQ(FindNext(Input("a" + kBig5ZhongGuo, "a\xA4", 1252), Options()), Range(0, 2));
    // Trail bytes that are ASCII: 'A' of 乙 and '\' of 功 are no characters of their own.
    const std::string text = kBig5YiTrailA + "b" + kBig5GongTrailBackslash;
    EXPECT_EQ(FindNext(Input(text, "Ab", 950), Options()), std::nullopt);
    EXPECT_EQ(FindNext(Input(text, "\\", 950), Options()), std::nullopt);
    EXPECT_EQ(FindCount(Input(text, "\\", 950), Options()), 0u);
    EXPECT_EQ(ReplaceAll(Input(text, "\\", 950, 0, 0, "/"), Options()).count, 0u);
}

TEST(FindReplaceMatching, WesternCodePageFindsTheSameBytesAsTwoCharacters) {
    // On code page 1252 the four bytes are four letters, so the middle two are a match.
    EXPECT_EQ(FindNext(Input(kGbkDeKe, kGbkMu, 1252), Options()), Range(1, 3));
    EXPECT_EQ(FindNext(Input(kBig5YiTrailA + "b", "Ab", 1252), Options()), Range(1, 3));
    EXPECT_EQ(FindCount(Input(kBig5ZhongGuo, kBig5Shen, 1252), Options()), 1u);
}

TEST(FindReplaceMatching, MatchCaseOffLeavesDoubleByteCharactersAlone) {
    // Lower-casing the trail byte 'A' of 癆 / 乙 would make "a" match inside the character.
    EXPECT_EQ(FindNext(Input(kGbkLaoTrailA, "a", 936), Options(false)), std::nullopt);
    EXPECT_EQ(FindNext(Input(kBig5YiTrailA + "B", "ab", 950), Options(false)), std::nullopt);
    EXPECT_EQ(FindCount(Input(kBig5YiTrailA + "a", "A", 950), Options(false)), 1u);
    // Big5 A4 61 (兀) is another character than 乙 A4 41, ignoring case or not.
    EXPECT_EQ(FindNext(Input(kBig5YiTrailA, "\xA4" "a", 950), Options(false)), std::nullopt);
    EXPECT_EQ(FindNext(Input("\xA4" "a", kBig5YiTrailA, 950), Options(false)), std::nullopt);
    // Single-byte letters still match whatever their case.
    EXPECT_EQ(FindNext(Input(kGbkZhong + "ABC", "b", 936), Options(false)), Range(3, 4));
    EXPECT_EQ(FindNext(Input(kGbkZhong + "ABC", "b", 936), Options(true)), std::nullopt);
    // On a Western code page the same byte is a letter and does change.
    EXPECT_EQ(FindNext(Input(kGbkLaoTrailA, "a", 1252), Options(false)), Range(1, 2));
}

TEST(FindReplaceMatching, FindNextDownFromTheStartMovesOnToTheNextOverlappingMatch) {
    const std::string text = "aaa";
    EXPECT_EQ(FindNext(Input(text, "aa", 936, 0, 0), Options()), Range(0, 2));
    // The selection now holds the find text: it shrinks by one byte before the search.
    EXPECT_EQ(FindNext(Input(text, "aa", 936, 0, 2), Options()), Range(1, 3));
    EXPECT_EQ(FindNext(Input(text, "aa", 936, 1, 3), Options()), std::nullopt);
    // A selection that does not hold the find text is searched from its start.
    EXPECT_EQ(FindNext(Input(text, "aa", 936, 0, 1), Options()), Range(0, 2));
}

TEST(FindReplaceMatching, FindNextUpFromTheEndTakesTheLastMatchThenTheOneBefore) {
    const std::string text = "aaa";
    EXPECT_EQ(FindNext(Input(text, "aa", 936, 3, 3), Options(true, false, true)), Range(1, 3));
    EXPECT_EQ(FindNext(Input(text, "aa", 936, 1, 3), Options(true, false, true)), Range(0, 2));
    EXPECT_EQ(FindNext(Input(text, "aa", 936, 0, 2), Options(true, false, true)), std::nullopt);
}

TEST(FindReplaceMatching, OneByteShrinkSkipsTheSelectedDoubleByteMatch) {
    const std::string text = kGbkZhong + kGbkZhong;
    // Down: the start moves onto the trail byte, so the next match is the second character.
    EXPECT_EQ(FindNext(Input(text, kGbkZhong, 936, 0, 2), Options()), Range(2, 4));
    // Up: the end moves back one byte, so the match ending at 4 is out of the range.
    EXPECT_EQ(FindNext(Input(text, kGbkZhong, 936, 2, 4), Options(true, false, true)), Range(0, 2));
    // Ignoring case, a selection differing only in case counts as holding the find text.
    EXPECT_EQ(FindNext(Input("ABab", "ab", 1252, 0, 2), Options(false)), Range(2, 4));
    EXPECT_EQ(FindNext(Input("abab", "aB", 1252, 0, 2), Options(false)), Range(2, 4));
}

TEST(FindReplaceMatching, CurrentSelectionSearchesOnlyInsideIt) {
    const std::string text = "ab ab ab";
    const auto where = kWhereSelection;
    EXPECT_EQ(FindNext(Input(text, "ab", 1252, 2, 6), Options(true, false, false, where)), Range(3, 5));
    EXPECT_EQ(FindNext(Input(text, "ab", 1252, 2, 4), Options(true, false, false, where)), std::nullopt);
    EXPECT_EQ(FindCount(Input(text, "ab", 1252, 1, 8), Options(true, false, false, where)), 2u);
}

TEST(FindReplaceMatching, FindCountTakesOverlappingMatches) {
    EXPECT_EQ(FindCount(Input("aaaaa", "aaa", 936), Options()), 3u);
    EXPECT_EQ(FindCount(Input("aaaa", "aa", 936), Options()), 3u);
    EXPECT_EQ(FindCount(Input(kGbkZhong + kGbkZhong + kGbkZhong, kGbkZhong + kGbkZhong, 936), Options()), 2u);
}

TEST(FindReplaceMatching, WholeWordNeedsSeparatorsOrTheTextEnds) {
    const auto whole = Options(true, true);
    EXPECT_EQ(FindNext(Input("abc ab", "ab", 1252), whole), Range(4, 6));
    EXPECT_EQ(FindNext(Input("ab.", "ab", 1252), whole), Range(0, 2));
    EXPECT_EQ(FindNext(Input("xab", "ab", 1252), whole), std::nullopt);
    EXPECT_EQ(FindCount(Input("ab,ab-ab", "ab", 1252), whole), 3u);
    // A match that fails the test does not hide a later one overlapping it.
    EXPECT_EQ(FindNext(Input("ba.a.a", "a.a", 1252), whole), Range(3, 6));
    EXPECT_EQ(FindCount(Input("ba.a.a", "a.a", 1252), whole), 1u);
    // A Chinese character right after or before the word.
    EXPECT_EQ(FindNext(Input("ab" + kGbkZhong, "ab", 936), whole), std::nullopt);
    EXPECT_EQ(FindNext(Input(kGbkZhong + "ab", "ab", 936), whole), std::nullopt);
    // 功 ends with the byte '\', a separator on its own: here it is half of a character.
    EXPECT_EQ(FindNext(Input(kBig5GongTrailBackslash + "ab", "ab", 950), whole), std::nullopt);
    EXPECT_EQ(FindNext(Input(kBig5GongTrailBackslash + "ab", "ab", 1252), whole), Range(2, 4));
    EXPECT_EQ(FindNext(Input(kBig5GongTrailBackslash + "\\ab", "ab", 950), whole), Range(3, 5));
}

TEST(FindReplaceMatching, ReplaceAllResumesAfterTheInsertedText) {
    const auto result = ReplaceAll(Input("aaa", "a", 936, 0, 0, "ab"), Options());
    EXPECT_EQ(result.count, 3u);
    ASSERT_TRUE(result.edit);
    EXPECT_EQ(*result.edit, (ByteReplacement{0, 3, "ababab"}));
    // Non-overlapping, unlike Find Count.
    EXPECT_EQ(ReplaceAll(Input("aaaa", "aa", 936, 0, 0, "b"), Options()).edit->replacement, "bb");
}

TEST(FindReplaceMatching, ReplaceAllKeepsTheUnmatchedBytesAndTheSelectionBounds) {
    // Ignoring case: the matches are found in lower case, the other bytes stay as they were.
    const std::string text = "A" + kBig5YiTrailA + "Xa";
    const auto result = ReplaceAll(Input(text, "a", 950, 0, 0, "-"), Options(false));
    EXPECT_EQ(result.count, 2u);
    EXPECT_EQ(*result.edit, (ByteReplacement{0, 5, "-" + kBig5YiTrailA + "X-"}));
    // In the selection only.
    const auto inSelection = ReplaceAll(Input("a a a", "a", 1252, 1, 4, "bb"), Options(true, false, false, 0));
    EXPECT_EQ(inSelection.count, 1u);
    EXPECT_EQ(*inSelection.edit, (ByteReplacement{1, 4, " bb "}));
    // Whole words are judged in the text round the selection.
    EXPECT_EQ(ReplaceAll(Input("xa a", "a", 1252, 1, 4, "b"), Options(true, true, false, 0)).count, 1u);
    EXPECT_EQ(ReplaceAll(Input("aaa", "b", 1252, 0, 0, "c"), Options()).edit, std::nullopt);
}

TEST(FindReplaceMatching, ReplaceTakesTheFirstMatchGoingDownAndTheLastGoingUp) {
    const std::string text = "ab ab ab";
    // The whole file is searched from its start, wherever the selection is.
    EXPECT_EQ(ReplaceNext(Input(text, "ab", 1252, 5, 8, "X"), Options()), (ByteReplacement{0, 2, "X"}));
    EXPECT_EQ(ReplaceNext(Input(text, "ab", 1252, 0, 2, "X"), Options(true, false, true)), (ByteReplacement{6, 8, "X"}));
    EXPECT_EQ(ReplaceNext(Input(text, "ab", 1252, 2, 6, "X"), Options(true, false, false, 0)), (ByteReplacement{3, 5, "X"}));
    EXPECT_EQ(ReplaceNext(Input(text, "ab", 1252, 0, 0, "ab"), Options()), std::nullopt);
}

TEST(FindReplaceButtons, SearchNeedsFindTextAndSomethingToSearch) {
    const std::string text = "abc";
    EXPECT_TRUE(CanSearch(true, Input(text, "a", 936), kWhereWholeFile));
    EXPECT_FALSE(CanSearch(false, Input(text, "a", 936), kWhereWholeFile));
    EXPECT_FALSE(CanSearch(true, Input(text, "", 936), kWhereWholeFile));
    EXPECT_FALSE(CanSearch(true, Input("", "a", 936), kWhereWholeFile));
    EXPECT_FALSE(CanSearch(true, Input(text, "a", 936, 1, 1), kWhereSelection));
    EXPECT_TRUE(CanSearch(true, Input(text, "a", 936, 1, 2), kWhereSelection));
    EXPECT_FALSE(CanReplace(true, Input(text, "a", 936, 0, 0, "a"), kWhereWholeFile));
    EXPECT_TRUE(CanReplace(true, Input(text, "a", 936, 0, 0, "A"), kWhereWholeFile));

    FindReplaceSettings settings = Options(true, false, false, kWhereSelection);
    auto none = ButtonStatesFor(true, Input(text, "a", 936, 1, 1, "b"), settings);
    EXPECT_FALSE(none.findNext);
    EXPECT_FALSE(none.replace);
    EXPECT_FALSE(none.replaceWith);
    settings.enableReplace = true;
    auto all = ButtonStatesFor(true, Input(text, "a", 936, 0, 2, "b"), settings);
    EXPECT_TRUE(all.findNext);
    EXPECT_TRUE(all.replace);
    EXPECT_TRUE(all.replaceWith);
}

TEST(FindReplaceHistory, NewTextGoesOnTopAndItemsBeginningWithItGo) {
    std::vector<std::string> history = {"abc", "x", "AB", "zab"};
    MoveToHistoryTop(history, "ab", 1252);
    EXPECT_EQ(history, (std::vector<std::string>{"ab", "x", "zab"}));
    MoveToHistoryTop(history, "x", 1252);
    EXPECT_EQ(history, (std::vector<std::string>{"x", "ab", "zab"}));
    // A double-byte character whose trail byte is 'A' is not the letter 'a' in another case.
    std::vector<std::string> big5 = {kBig5YiTrailA, "\xA4" "a"};
    MoveToHistoryTop(big5, "\xA4" "a", 950);
    EXPECT_EQ(big5, (std::vector<std::string>{"\xA4" "a", kBig5YiTrailA}));
    // Replacing by nothing keeps the history.
    MoveToHistoryTop(history, "", 1252);
    EXPECT_EQ(history, (std::vector<std::string>{"x", "ab", "zab"}));
}

TEST(FindReplaceSettingsStore, DefaultsWhenNothingIsStored) {
    ScopedRegistry registry;
    const FindReplaceSettings settings = ReadFindReplaceSettings(true);
    EXPECT_FALSE(settings.matchWholeWord);
    EXPECT_FALSE(settings.matchCase);
    EXPECT_FALSE(settings.enableReplace);
    EXPECT_FALSE(settings.searchUp);
    EXPECT_EQ(settings.whereScope, 1);
    EXPECT_EQ(settings.posX, -1);
    EXPECT_EQ(settings.posY, -1);
    EXPECT_TRUE(settings.findHistory.empty());
}

TEST(FindReplaceSettingsStore, EnalbeReplaceSpellingRoundTrips) {
    ScopedRegistry registry;
    WriteRegInt("FR Source", "Enalbe Replace", 1);
    EXPECT_TRUE(ReadFindReplaceSettings(true).enableReplace);
    EXPECT_FALSE(ReadFindReplaceSettings(false).enableReplace);

    FindReplaceSettings settings;
    settings.enableReplace = true;
    settings.matchCase = true;
    settings.searchUp = true;
    settings.whereScope = 0;
    settings.posX = 40;
    WriteFindReplaceSettings(false, settings, true);
    EXPECT_EQ(ReadRegInt("FR Destination", "Enalbe Replace", -5), 1);
    EXPECT_EQ(ReadRegInt("FR Destination", "Enable Replace", -5), -5);
    EXPECT_EQ(ReadRegInt("FR Destination", "Match Case", -5), 1);
    EXPECT_EQ(ReadRegInt("FR Destination", "Up", -5), 1);
    EXPECT_EQ(ReadRegInt("FR Destination", "Where", -5), 0);
    EXPECT_EQ(ReadRegInt("FR Destination", "Visible", -5), 1);
    EXPECT_EQ(ReadRegInt("FR Destination", "Pos X", -5), 40);
    EXPECT_EQ(ReadRegInt("FR Destination", "Pos Y", -5), -1);
    const FindReplaceSettings back = ReadFindReplaceSettings(false);
    EXPECT_TRUE(back.enableReplace);
    EXPECT_TRUE(back.matchCase);
    EXPECT_TRUE(back.searchUp);
    EXPECT_EQ(back.whereScope, 0);
}

TEST(FindReplaceSettingsStore, HistoriesLoadFiftyNumbersInOrderWithoutRepeats) {
    ScopedRegistry registry;
    WriteRegString("FR Source", "Find String 0", "one");
    WriteRegString("FR Source", "Find String 1", "");
    WriteRegString("FR Source", "Find String 2", "two");
    WriteRegString("FR Source", "Find String 3", "one");
    WriteRegString("FR Source", "Find String 49", "last");
    WriteRegString("FR Source", "Find String 50", "beyond");
    WriteRegString("FR Source", "Replace String 7", "r");
    const FindReplaceSettings settings = ReadFindReplaceSettings(true);
    EXPECT_EQ(settings.findHistory, (std::vector<std::string>{"one", "two", "last"}));
    EXPECT_EQ(settings.replaceHistory, (std::vector<std::string>{"r"}));
}

TEST(FindReplaceSettingsStore, HistoriesSaveTheFirstTwentyPaddedWithEmptyValues) {
    ScopedRegistry registry;
    WriteRegString("FR Source", "Find String 19", "old");
    WriteRegString("FR Source", "Find String 20", "older");
    FindReplaceSettings settings;
    for (int i = 0; i < 25; ++i) {
        std::string item = "f";
        item += std::to_string(i);
        settings.findHistory.push_back(item);
    }
    WriteFindReplaceSettings(true, settings, false);
    EXPECT_EQ(ReadRegString("FR Source", "Find String 0", "?"), "f0");
    EXPECT_EQ(ReadRegString("FR Source", "Find String 19", "?"), "f19");
    EXPECT_EQ(ReadRegString("FR Source", "Find String 20", "?"), "older");  // not written

    settings.findHistory = {"a", "", "b"};
    WriteFindReplaceSettings(true, settings, false);
    EXPECT_EQ(ReadRegString("FR Source", "Find String 0", "?"), "a");
    EXPECT_EQ(ReadRegString("FR Source", "Find String 1", "?"), "b");
    EXPECT_EQ(ReadRegString("FR Source", "Find String 2", "?"), "");
    EXPECT_EQ(ReadRegString("FR Source", "Find String 19", "?"), "");
    EXPECT_EQ(ReadRegString("FR Source", "Replace String 0", "?"), "");
}

TEST(FindReplaceOpening, SearchWordComesFromTheSelectionOrTheCaret) {
    const std::vector<std::string> history = {"newest", "older"};
    // A selection on one line is taken as it is, blanks and separators included.
    EXPECT_EQ(SearchWordOnOpen(Input("say a, b", "", 1252, 4, 8), history), "a, b");
    // Over several lines: the last word of the selection.
    EXPECT_EQ(SearchWordOnOpen(Input("one\r\ntwo three.\r\nfour", "", 1252, 0, 16), history), "three");
    // The word holding the caret, or ending or beginning at it.
    EXPECT_EQ(SearchWordOnOpen(Input("alpha beta", "", 1252, 8, 8), history), "beta");
    EXPECT_EQ(SearchWordOnOpen(Input("alpha beta", "", 1252, 5, 5), history), "alpha");
    EXPECT_EQ(SearchWordOnOpen(Input("alpha beta", "", 1252, 0, 0), history), "alpha");
    // Blanks and tabs between the caret and a word are skipped, the word before first.
    EXPECT_EQ(SearchWordOnOpen(Input("alpha \t  beta", "", 1252, 7, 7), history), "alpha");
    EXPECT_EQ(SearchWordOnOpen(Input("(  \tbeta", "", 1252, 2, 2), history), "beta");
    // No word: the newest history entry, or nothing.
    EXPECT_EQ(SearchWordOnOpen(Input("a, .b", "", 1252, 3, 3), history), "newest");
    EXPECT_EQ(SearchWordOnOpen(Input("", "", 1252, 0, 0), {}), "");
}

TEST(FindReplaceOpening, SearchWordKeepsDoubleByteCharactersWhole) {
    // Big5 功 A5 5C ends with the byte '\': it is one character of the word, not a separator.
    const std::string word = "x" + kBig5GongTrailBackslash + kBig5ZhongGuo;
    EXPECT_EQ(SearchWordOnOpen(Input("a " + word, "", 950, 2, 2), {}), word);
    EXPECT_EQ(SearchWordOnOpen(Input("a " + word, "", 950, 2 + word.size(), 2 + word.size()), {}), word);
    EXPECT_EQ(SearchWordOnOpen(Input("a\r\n" + word + ".", "", 950, 0, 4 + word.size()), {}), word);
    // On a Western code page the same '\' byte splits the run.
    EXPECT_EQ(SearchWordOnOpen(Input("a " + word, "", 1252, 2, 2), {}), "x\xA5");
}

TEST(FindReplaceOpening, PlacementIsCentredOnTheAreaWhenUnsetAndKeptOnTheScreen) {
    FindReplaceSettings settings;
    const ScreenRect area{100, 200, 500, 400};
    EXPECT_EQ(FindWindowPlacement(settings, 200, 100, area, 1024, 768), (WindowPoint{200, 250}));
    settings.posX = 900;
    settings.posY = -30;
    EXPECT_EQ(FindWindowPlacement(settings, 200, 100, area, 1024, 768), (WindowPoint{824, 0}));
    settings.posX = -1;
    settings.posY = 700;
    EXPECT_EQ(FindWindowPlacement(settings, 200, 100, area, 1024, 768), (WindowPoint{0, 668}));
    EXPECT_EQ(ClampToScreen({10, 20}, 200, 100, 1024, 768), (WindowPoint{10, 20}));
}

class FindReplaceMessages : public ::testing::Test {
protected:
    testing_support::ScopedUiLcid english_{kLcidEnglish};
};

TEST_F(FindReplaceMessages, TextsGoInAsTyped) {
    EXPECT_EQ(NotFoundMessage("x#1"), "Can't find \"x#1\".");
    EXPECT_EQ(FindCountMessage(3, "aa", false), "3 count(s) of \"aa\" found.");
    EXPECT_EQ(FindCountMessage(2, "aa", true), "2 count(s) of \"aa\" found in selected text.");
    // A find text holding "#3" is not filled with the replace text.
    EXPECT_EQ(ReplaceCountMessage(1, "#3", "b", false), "1 count(s) of \"#3\" replaced with \"b\".");
    EXPECT_EQ(ReplaceCountMessage(4, "a", "#2", true), "4 count(s) of \"a\" replaced by \"#2\" in selected text.");
}

}  // namespace
}  // namespace zelvo
