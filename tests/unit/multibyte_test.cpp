#include <gtest/gtest.h>

#include "services/multibyte.h"

namespace zelvo {
namespace {

// GBK: 0xB0 0x41 is one character whose trail byte is 'A'; 0x5C can be a trail byte too.
const std::string kTrailA = "\xB0" "A";

TEST(Multibyte, FindNeverStartsOnATrailByteInDoubleByteCodePages) {
    std::string text = kTrailA + "A";
    EXPECT_EQ(FindText(text, "A", 0, kCodePageGbk), 2u);
    EXPECT_EQ(FindText(text, "A", 0, 1252), 1u);  // single-byte code page: byte-wise
    EXPECT_EQ(FindText("\x81\x5C\x5C", "\\", 0, kCodePageBig5), 2u);
    EXPECT_EQ(FindText(text, "B", 0, kCodePageGbk), std::string::npos);
    EXPECT_EQ(FindText(text, "", 1, kCodePageGbk), 1u);
    // A lone lead byte at the end is a character of its own.
    EXPECT_EQ(FindText("ab\xB0", "\xB0", 0, kCodePageGbk), 2u);
}

TEST(Multibyte, FindFromAMidCharacterPositionResumesAtTheNextCharacter) {
    std::string text = "\xB0\xA1\xB0\xA1";
    EXPECT_EQ(FindText(text, "\xB0\xA1", 1, kCodePageGbk), 2u);
    EXPECT_EQ(FindText(text, "\xA1\xB0", 0, kCodePageGbk), std::string::npos);
}

TEST(Multibyte, BackwardFindTakesTheLastCharacterAlignedMatch) {
    std::string text = "A" + kTrailA + "A";
    EXPECT_EQ(FindTextBackward(text, "A", std::string::npos, kCodePageGbk), 3u);
    EXPECT_EQ(FindTextBackward(text, "A", 2, kCodePageGbk), 0u);
}

TEST(Multibyte, CaseChangesLeaveDoubleByteCharactersIntact) {
    EXPECT_EQ(ToLowerText("[N]" + kTrailA + "B", kCodePageGbk), "[n]" + kTrailA + "b");
    EXPECT_EQ(ToUpperText("x\xB0" "a", kCodePageGbk), "X\xB0" "a");
    EXPECT_EQ(ToLowerText("\xB0" "A", 1252), "\xB0" "a");
    EXPECT_EQ(CompareTextNoCase("ABC", "abc", kCodePageGbk), 0);
    EXPECT_NE(CompareTextNoCase(kTrailA, "\xB0" "a", kCodePageGbk), 0);
}

TEST(Multibyte, CompareIsUnsignedByteOrderWithShorterFirst) {
    EXPECT_LT(CompareText("A", "\xB0"), 0);
    EXPECT_LT(CompareText("AB", "ABC"), 0);
    EXPECT_GT(CompareText("\xB1", "\xB0\xFF"), 0);
    EXPECT_EQ(CompareText("", ""), 0);
}

TEST(Multibyte, TrimBlanksRemovesOnlyBlanksTabsAndLineBreaks) {
    EXPECT_EQ(TrimBlanks(" \t\r\n x y \r\n\t "), "x y");
    EXPECT_EQ(TrimBlanks("\r\n"), "");
    EXPECT_EQ(TrimBlanks("\x0Bz\x0B"), "\x0Bz\x0B");
}

TEST(Multibyte, AffixesCompareWithoutCaseAndOnlyWholeCharacters) {
    EXPECT_TRUE(StartsWithTextNoCase("VERSION = 1.2", "Version", 936));
    EXPECT_TRUE(EndsWithTextNoCase("setup.EXE", ".exe", 936));
    EXPECT_TRUE(EndsWithTextNoCase(".ini", ".INI", 1252));
    EXPECT_FALSE(EndsWithTextNoCase("ini", ".ini", 1252));
    EXPECT_FALSE(StartsWithTextNoCase("Ver", "Version", 1252));
    // "\x81\x41" is one GBK character whose trail byte is 'A': it does not end with "a", and
    // a prefix does not take half of it.
    EXPECT_FALSE(EndsWithTextNoCase("x\x81\x41", "a", 936));
    EXPECT_TRUE(EndsWithTextNoCase("x\x81\x41", "a", 1252));
    EXPECT_FALSE(StartsWithTextNoCase("\x81\x41z", "\x81", 936));
    EXPECT_TRUE(StartsWithTextNoCase("\x81\x41z", "\x81", 1252));
}

TEST(Multibyte, CharacterBoundaries) {
    std::string text = "a\xB0\xA1" "b";
    EXPECT_TRUE(IsCharBoundary(text, 1, kCodePageGbk));
    EXPECT_FALSE(IsCharBoundary(text, 2, kCodePageGbk));
    EXPECT_TRUE(IsCharBoundary(text, 3, kCodePageGbk));
    EXPECT_TRUE(IsCharBoundary(text, 2, 1252));
}

TEST(Multibyte, CharStartsMarkEveryCharacterAndTheEnd) {
    // GBK 的 B5 C4, 可 BF C9; 目 C4 BF is the second half of one and the first half of the other.
    const std::string text = "a\xB5\xC4\xBF\xC9";
    const CharStarts starts(text, kCodePageGbk);
    EXPECT_TRUE(starts.At(0));
    EXPECT_TRUE(starts.At(1));
    EXPECT_FALSE(starts.At(2));
    EXPECT_TRUE(starts.At(3));
    EXPECT_FALSE(starts.At(4));
    EXPECT_TRUE(starts.At(5));
    EXPECT_FALSE(starts.At(6));
    EXPECT_TRUE(starts.SingleByteBefore(1));
    EXPECT_FALSE(starts.SingleByteBefore(3));
    EXPECT_FALSE(starts.SingleByteBefore(0));
    EXPECT_EQ(starts.FindWhole("\xC4\xBF", 0, text.size()), std::string::npos);
    EXPECT_EQ(starts.FindWhole("\xBF\xC9", 0, text.size()), 3u);
    EXPECT_EQ(starts.FindWhole("\xBF\xC9", 0, 4), std::string::npos);  // would pass the limit
    EXPECT_EQ(starts.FindWhole("", 0, text.size()), std::string::npos);
    const CharStarts western(text, 1252);
    EXPECT_TRUE(western.At(2));
    EXPECT_EQ(western.FindWhole("\xC4\xBF", 0, text.size()), 2u);
}

}  // namespace
}  // namespace zelvo
