#include <gtest/gtest.h>

#include <string>

#include "app/text_difference.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

class TextDifference : public ::testing::Test {
protected:
    testing_support::ScopedUiLcid english_{kLcidEnglish};
};

TEST_F(TextDifference, TwoEmptyAreasAreIdentical) {
    const TextDifferenceReport report = CheckTextDifference("", 936, "", 950);
    EXPECT_EQ(report.differences, 0);
    EXPECT_EQ(report.message, "Identical!");
    EXPECT_EQ(report.details, "");
}

TEST_F(TextDifference, OneMoreLineIsOneDifferenceWithAnEmptySourcePart) {
    const TextDifferenceReport report = CheckTextDifference("a\r\nb\r\nc", 936, "a\r\nb\r\nc\r\nd", 936);
    EXPECT_EQ(report.differences, 1);
    EXPECT_EQ(report.message, "1 line of difference found");
    EXPECT_EQ(report.details, "4:  -> d");
}

TEST_F(TextDifference, AMissingLineDiffersFromAnEmptyOne) {
    // "a\r\n" has a second, empty line; "a" has none.
    const TextDifferenceReport report = CheckTextDifference("a\r\n", 936, "a", 936);
    EXPECT_EQ(report.differences, 1);
    EXPECT_EQ(report.details, "2:  -> ");
}

TEST_F(TextDifference, SeveralDifferencesAreCountedAndListedOnePerLine) {
    const std::string gbkZhong = "\xD6\xD0";
    const std::string big5Zhong = "\xA4\xA4";
    const TextDifferenceReport report =
        CheckTextDifference("same\r\n" + gbkZhong + "\r\nx", 936, "same\r\n" + big5Zhong + "\r\ny", 950);
    EXPECT_EQ(report.differences, 2);
    EXPECT_EQ(report.message, "2 lines of differences found");
    EXPECT_EQ(report.details, "2: " + gbkZhong + " -> " + big5Zhong + "\r\n3: x -> y");
}

TEST_F(TextDifference, LinesAreCutAtCarriageReturnLineFeedOnly) {
    // A lone line feed is no line break of the edit control.
    EXPECT_EQ(CheckTextDifference("a\nb", 936, "a\r\nb", 936).differences, 2);
    EXPECT_EQ(CheckTextDifference("a\nb", 936, "a\nb", 936).differences, 0);
}

TEST_F(TextDifference, ADifferenceAfterTheFirst4095BytesOfALineDoesNotCount) {
    const std::string common(4095, 'x');
    // Lines of 4,096 bytes differing only in the last byte.
    EXPECT_EQ(CheckTextDifference(common + "a\r\nz", 936, common + "b\r\nz", 936).differences, 0);
    // Lines of exactly 4,095 bytes differing in the last byte.
    const std::string shorter(4094, 'x');
    const TextDifferenceReport report = CheckTextDifference(shorter + "a", 936, shorter + "b", 936);
    EXPECT_EQ(report.differences, 1);
    EXPECT_EQ(report.details, "1: " + shorter + "a -> " + shorter + "b");
    // The next line is still compared.
    EXPECT_EQ(CheckTextDifference(common + "a\r\ny", 936, common + "b\r\nz", 936).differences, 1);
}

TEST_F(TextDifference, ACharacterCutAtTheLimitIsLeftOutOfTheList) {
    // 4,094 single bytes then a double-byte character: byte 4,095 is its lead byte.
    const std::string start(4094, 'x');
    const TextDifferenceReport report =
        CheckTextDifference(start + "\xD6\xD0", 936, start + "\xB0\xA1", 936);
    EXPECT_EQ(report.differences, 1);
    EXPECT_EQ(report.details, "1: " + start + " -> " + start);
    // The same bytes on a single-byte code page are whole characters.
    const TextDifferenceReport western = CheckTextDifference(start + "\xD6\xD0", 1252, start + "\xB0\xA1", 1252);
    EXPECT_EQ(western.details, "1: " + start + "\xD6 -> " + start + "\xB0");
}

TEST_F(TextDifference, AskFirstOnlyWhenBothHoldTextAndTheAreasLookDifferent) {
    AreaSnapshot source;
    AreaSnapshot destination;
    source.languageIndex = 1;
    destination.languageIndex = 3;
    EXPECT_TRUE(ShouldAskBeforeDifferenceCheck("a", "b", source, destination));
    EXPECT_FALSE(ShouldAskBeforeDifferenceCheck("", "b", source, destination));
    EXPECT_FALSE(ShouldAskBeforeDifferenceCheck("a", "", source, destination));
    destination.languageIndex = 1;
    EXPECT_FALSE(ShouldAskBeforeDifferenceCheck("a", "b", source, destination));
    destination.fontSize = 12;
    EXPECT_TRUE(ShouldAskBeforeDifferenceCheck("a", "b", source, destination));
    EXPECT_NE(AdjustBeforeDifferenceCheckQuestion("Zelvo").find("Will Zelvo give"), std::string::npos);
}

}  // namespace
}  // namespace zelvo
