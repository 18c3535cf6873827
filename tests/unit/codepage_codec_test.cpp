#include <gtest/gtest.h>

#include <random>
#include <string>

#include "services/codepage_codec.h"

namespace zelvo {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

void ExpectRoundTrip(const std::string& bytes, int codePage) {
    const std::string back = EncodeCodePage(DecodeCodePage(bytes, codePage), codePage);
    if (back != bytes) {
        std::string hex;
        for (unsigned char b : bytes) hex += "0123456789ABCDEF"[b >> 4], hex += "0123456789ABCDEF"[b & 15], hex += ' ';
        ADD_FAILURE() << "code page " << codePage << " loses bytes of: " << hex;
    }
}

TEST(CodepageCodec, AssignedCharactersDecodeToTheirUnicode) {
    EXPECT_EQ(DecodeCodePage("a\xD6\xD0\xCE\xC4", 936), u"a\u4E2D\u6587");
    EXPECT_EQ(DecodeCodePage("\xB9\xFA\x81\x40\xA1\xA1", 936), u"\u56FD\u4E02\u3000");
    EXPECT_EQ(DecodeCodePage("\x80", 936), u"\u20AC");
    EXPECT_EQ(DecodeCodePage("\xA4\xA4\xB0\xEA\xA1\x40", 950), u"\u4E2D\u570B\u3000");
    EXPECT_EQ(DecodeCodePage("\xF9\xD6\xC6\xA1", 950), u"\u7881\u30FE");  // extension characters
}

TEST(CodepageCodec, UserDefinedAreasDecodeToThePrivateUseArea) {
    EXPECT_EQ(DecodeCodePage("\xAA\xA1\xFE\xFE\xA1\x40\xA7\xA0", 936), u"\uE000\uE4C5\uE4C6\uE765");
    EXPECT_EQ(DecodeCodePage("\xFA\x40\x8E\x40\x81\x40\xC8\xFE", 950), u"\uE000\uE311\uEEB8\uF848");
}

TEST(CodepageCodec, BytesThatDoNotDecodeGetReservedPoints) {
    // Lone lead byte at the end, a lead before an invalid second byte, 0xFF.
    EXPECT_EQ(DecodeCodePage("a\xB0", 936), u"a\uF8B0");
    EXPECT_EQ(DecodeCodePage("\xB0 x", 950), u"\uF8B0 x");
    EXPECT_EQ(DecodeCodePage("\xFF\x80", 950), u"\uF8FF\uF880");
    // An unassigned code keeps its two bytes together: the character after it is intact.
    EXPECT_EQ(DecodeCodePage("\xA2\xAB\xD6\xD0", 936), u"\uF8A2\uF8AB\u4E2D");
    EXPECT_EQ(DecodeCodePage("\xA3\xC0\xA4\xA4", 950), u"\uF8A3\uF8C0\u4E2D");
    EXPECT_EQ(DecodeCodePage("\xA3\x7F", 950), u"\uF8A3\x7F");
}

TEST(CodepageCodec, DuplicatedBig5CodesStayApart) {
    // Both codes of the same box-drawing character, and the numeral ten beside the hanzi.
    const std::u16string boxes = DecodeCodePage("\xA2\xA4\xF9\xF9", 950);
    EXPECT_EQ(boxes[0], u'\u2550');
    EXPECT_NE(boxes.substr(1), u"\u2550");
    EXPECT_EQ(DecodeCodePage("\xA2\xCC\xA4\x51", 950), u"\u3038\u5341");
    EXPECT_EQ(EncodeCodePage(u"\u2550\u5341\u3038", 950), "\xA2\xA4\xA4\x51\xA2\xCC");
}

TEST(CodepageCodec, TextTheCodePageLacksEncodesAsQuestionMarks) {
    EXPECT_EQ(EncodeCodePage(u"\u4E2D\u6587", 936), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(EncodeCodePage(u"\u570B", 950), "\xB0\xEA");
    EXPECT_EQ(EncodeCodePage(u"\u56FD", 950), "?");     // simplified form: not in Big5
    EXPECT_EQ(EncodeCodePage(u"a\u0E01b", 936), "a?b");  // Thai
    EXPECT_EQ(EncodeCodePage(u"\U00020000", 936), "?");   // one character beyond the BMP
    EXPECT_EQ(EncodeCodePage(u"\xD800x", 950), "?x");     // a lone surrogate
    EXPECT_EQ(EncodeCodePage(u"\u20AC", 936), "\x80");
}

TEST(CodepageCodec, EveryOneAndTwoByteStringSurvivesTheRoundTrip) {
    for (int codePage : {936, 950}) {
        for (int b0 = 0; b0 < 256; ++b0) {
            ExpectRoundTrip(Bytes({b0}), codePage);
            for (int b1 = 0; b1 < 256; ++b1) {
                ExpectRoundTrip(Bytes({b0, b1}), codePage);
                ExpectRoundTrip(Bytes({b0, b1, 0xB0}), codePage);  // and a lead byte at the end
            }
        }
    }
}

TEST(CodepageCodec, RandomByteStringsSurviveTheRoundTrip) {
    std::mt19937 random(936950);
    std::uniform_int_distribution<int> length(0, 48);
    std::uniform_int_distribution<int> any(0, 255);
    std::uniform_int_distribution<int> high(0x7E, 0xFF);
    const int special[] = {0x00, 0x40, 0x7E, 0x7F, 0x80, 0x81, 0xA0, 0xA1, 0xA3, 0xC6, 0xC8, 0xF9, 0xFE, 0xFF};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(special)) - 1);
    for (int round = 0; round < 6000; ++round) {
        std::string bytes;
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            const int kind = round % 3;
            bytes.push_back(static_cast<char>(kind == 0 ? any(random) : kind == 1 ? high(random) : special[pick(random)]));
        }
        ExpectRoundTrip(bytes, 936);
        ExpectRoundTrip(bytes, 950);
        if (HasFailure()) return;
    }
}

TEST(CodepageCodec, OtherCodePagesPassBytesThrough) {
    EXPECT_TRUE(HasLosslessCodec(936));
    EXPECT_TRUE(HasLosslessCodec(950));
    EXPECT_FALSE(HasLosslessCodec(1252));
    ExpectRoundTrip("caf\xE9 \x80\xFF", 1252);
}

}  // namespace
}  // namespace zelvo
