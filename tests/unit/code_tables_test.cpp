#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "convert/code_tables.h"
#include "services/codepage_codec.h"

namespace zelvo {
namespace {

// "B0 EA" -> the two bytes; spaces are ignored.
std::string FromHex(std::string_view hex) {
    std::string out;
    int high = -1;
    for (char c : hex) {
        if (c == ' ') continue;
        int v = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : c - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

std::string ToHex(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, out.empty() ? "%02X" : " %02X", b);
        out += buffer;
    }
    return out;
}

std::string Pair(unsigned b0, unsigned b1) { return {static_cast<char>(b0), static_cast<char>(b1)}; }

enum Source { kGbk, kBig5 };

std::string Transfer(Source source, std::string_view text, int mode) {
    return source == kGbk ? TransferFromGbk(text, mode) : TransferFromBig5(text, mode);
}

struct Case {
    Source source;
    std::vector<int> modes;
    const char* input;  // hex
    const char* expected;
    const char* what;
};

const Case kCases[] = {
    // GBK to Big5
    {kGbk, {0, 3}, "A1A1", "A140", "ideographic space"},
    {kGbk, {0, 3}, "B0A1 B0A2", "B0DA AAFC", "first hanzi of GB2312, both in Big5"},
    {kGbk, {0, 3}, "B9FA", "B0EA", "simplified character to its traditional form"},
    {kGbk, {0, 3}, "D6D0", "A4A4", "same character in both sets"},
    {kGbk, {0, 3}, "8140", "A1BC", "no Big5 counterpart: white square"},
    {kGbk, {0, 3}, "8147", "A5E1", "traditional character in area 3"},
    {kGbk, {0, 3}, "815B", "AAEA", "variant form to the standard form's code"},
    {kGbk, {0}, "817F B07F FE7F", "A1BC A1BC A1BC", "0x7F column goes through the table"},
    {kGbk, {0, 3}, "BBFA CCE5 BAF3", "BEF7 C5E9 ABE1", "simplified characters Big5 also has go to the traditional"},
    {kGbk, {0, 3}, "D6BB C3E6", "A575 ADB1", "characters usually kept stay"},
    {kGbk, {0, 3}, "C0EF D159 B3D4 86CB D7C5", "B8CC B8CC A659 A659 B5DB", "Taiwan standard forms"},
    {kGbk, {0, 3}, "BAE3 89A6", "ABED C0F0", "standard Big5 codes, not the extension codes F9DA F9D9"},
    // Simplified to traditional and back inside GBK
    {kGbk, {1}, "B9FA", "87F8", "simplified to traditional GBK code"},
    {kGbk, {1}, "B0A8 B0AA", "B07D CC40", "traditional forms in area 4"},
    {kGbk, {1}, "87F8 D6D0", "87F8 D6D0", "traditional and shared characters stay"},
    {kGbk, {2}, "87F8 8147 814B", "B9FA B6AA B2A2", "traditional to simplified"},
    {kGbk, {2}, "B9FA D6D0", "B9FA D6D0", "simplified characters stay"},
    {kGbk, {1, 2}, "817F", "817F", "0x7F column is identity inside GBK"},
    // Big5 to GBK
    {kBig5, {0, 3}, "A140 A440", "A1A1 D2BB", "space and one"},
    {kBig5, {0, 3}, "B0EA A4BA A8C3", "B9FA C4DA B2A2", "traditional to simplified GBK codes"},
    {kBig5, {0, 3}, "B8CC B5DB ACB0 B0AE BBF2", "C0EF D7C5 CEAA B8C9 C3B4", "simplified though GBK has both"},
    {kBig5, {0, 3}, "A659", "B3D4", "a character kept as it is"},
    {kBig5, {0, 3}, "8140 A0FE FA40 FEFE", "A1F5 A1F5 A1F5 A1F5", "user-defined area: GBK white square"},
    // Normalisation inside Big5
    {kBig5, {1, 2}, "A2A4 A2A5 A2A6 A2A7", "F9F9 F9E9 F9EA F9EB", "box drawing"},
    {kBig5, {1, 2}, "A2CC A2CE", "A451 A4CA", "numerals ten and thirty to hanzi"},
    {kBig5, {1, 2}, "F9FA F9FB F9FC F9FD", "A27E A2A1 A2A2 A2A3", "rounded corners"},
    {kBig5, {1, 2}, "A3C0 A3E1 A3FE", "3F3F 3F3F 3F3F", "unassigned run becomes question marks"},
    {kBig5, {1, 2}, "A3BF A440 B0EA F9F9 A27E", "A3BF A440 B0EA F9F9 A27E", "everything else stays"},
    // Framing: which bytes pair up
    {kGbk, {0}, "F8A1 A1", "F8 A140", "user-defined lead 0xF8 resumes at the next byte"},
    {kGbk, {0, 1, 2}, "A140 A7A0", "A140 A7A0", "user-defined area 0xA1..0xA7 x 0x40..0xA0 is copied"},
    {kGbk, {0, 1, 2}, "B0FF B03F", "B0FF B03F", "second byte 0xFF or below 0x40 is not a pair"},
    {kGbk, {0, 1, 2}, "FF40 FFA1 FF", "FF40 FFA1 FF", "0xFF never leads"},
    {kGbk, {0, 1, 2, 3}, "61 B0", "61 B0", "lead byte at the end meets the terminator"},
    {kBig5, {0, 1, 2, 3}, "A17F", "A17F", "Big5 second byte 0x7F: both bytes copied"},
    {kBig5, {0}, "A180 A1A0A4 A4", "A180 A1 A1F5 A4", "a lead copied alone lets the next byte lead"},
    {kBig5, {0, 1, 2}, "FF40 FFA1", "FF40 FFA1", "0xFF never leads in Big5"},
};

TEST(CodeTables, CasesComeOutExactly) {
    for (const Case& c : kCases) {
        for (int mode : c.modes) {
            SCOPED_TRACE(std::string(c.what) + ", mode " + std::to_string(mode) + ", input " + c.input);
            EXPECT_EQ(ToHex(Transfer(c.source, FromHex(c.input), mode)), ToHex(FromHex(c.expected)));
        }
    }
}

TEST(CodeTables, UserDefinedLeadDoesNotSwallowTheNextCharacter) {
    // Had 0xAA 0xA1 been taken as a pair, 0xB0 0xA1 would convert to 0xB0 0xDA.
    const std::string result = TransferFromGbk("\xAA\xA1\xB0\xA1", 0);
    ASSERT_EQ(result.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(result[0]), 0xAA);
    EXPECT_EQ(result.substr(1, 2), TransferFromGbk("\xA1\xB0", 0));
    EXPECT_NE(result.substr(1, 2), "\xA1\xB0");  // a symbol, so the cell really was read
    EXPECT_EQ(static_cast<unsigned char>(result[3]), 0xA1);
}

TEST(CodeTables, SingleByteTextIsUnchangedInEveryModeAndDirection) {
    for (int mode = 0; mode <= 3; ++mode) {
        EXPECT_EQ(TransferFromGbk("abc", mode), "abc");
        EXPECT_EQ(TransferFromBig5("abc", mode), "abc");
        EXPECT_EQ(TransferFromGbk("", mode), "");
        EXPECT_EQ(TransferFromBig5("", mode), "");
    }
}

TEST(CodeTables, SourceEndsAtItsFirstZeroByte) {
    const std::string withZero("\xB9\xFA\0\xB9\xFA", 5);
    EXPECT_EQ(TransferFromGbk(withZero, 0), "\xB0\xEA");
    EXPECT_EQ(TransferFromBig5(std::string("\xB0\xEA\0x", 4), 0), "\xB9\xFA");
    // A lead byte just before the zero is copied, not paired with it.
    EXPECT_EQ(TransferFromGbk(std::string("\xB0\0\xA1", 3), 0), "\xB0");
}

TEST(CodeTables, AppendAddsToWhatIsThere) {
    std::string out = "xy";
    AppendTransferFromGbk("\xB9\xFA", 0, out);
    AppendTransferFromBig5("\xB0\xEA", 0, out);
    EXPECT_EQ(out, "xy\xB0\xEA\xB9\xFA");
}

TEST(CodeTables, ResultAlwaysHasTheSourceLength) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> byte(1, 255);  // no zero: the whole text counts
    std::uniform_int_distribution<int> high(0x7F, 0xFF);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        const int n = length(random);
        for (int i = 0; i < n; ++i) text.push_back(static_cast<char>(round % 2 ? byte(random) : high(random)));
        for (int mode = 0; mode <= 3; ++mode) {
            ASSERT_EQ(TransferFromGbk(text, mode).size(), text.size()) << ToHex(text);
            ASSERT_EQ(TransferFromBig5(text, mode).size(), text.size()) << ToHex(text);
        }
    }
    // A text of characters without Big5 counterparts keeps its length too.
    std::string noBig5;
    for (int i = 0; i < 1000; ++i) noBig5 += "\x81\x40";
    EXPECT_EQ(TransferFromGbk(noBig5, 0).size(), noBig5.size());
}

// --- Table-wide checks against the code pages' own mappings (through the codec) -------

bool IsRealCharacter(char16_t c) {
    return c >= 0x80 && !(c >= 0xE000 && c <= 0xF8FF);
}

// The character of a two-byte code, or 0 when it is not one assigned character.
char16_t CharacterOf(const std::string& code, int codePage) {
    std::u16string text = DecodeCodePage(code, codePage);
    return text.size() == 1 && IsRealCharacter(text[0]) ? text[0] : 0;
}

template <typename Visit>
void ForEachGbkTableCell(Visit visit) {
    auto region = [&](unsigned lead0, unsigned lead1, unsigned trail0, unsigned trail1) {
        for (unsigned b0 = lead0; b0 <= lead1; ++b0)
            for (unsigned b1 = trail0; b1 <= trail1; ++b1) visit(Pair(b0, b1));
    };
    region(0xA1, 0xA9, 0xA1, 0xFE);
    region(0xB0, 0xF7, 0xA1, 0xFE);
    region(0x81, 0xA0, 0x40, 0xFE);
    region(0xA8, 0xFE, 0x40, 0xA0);
}

bool IsBig5ExtensionCode(const std::string& code) {
    const unsigned value = static_cast<unsigned char>(code[0]) << 8 | static_cast<unsigned char>(code[1]);
    return value >= 0xF9D6 && value <= 0xF9FE;
}

// GBK to Big5 is the simplified-to-traditional table followed by re-encoding wherever
// Big5 proper carries the result: the two tables are generated apart, and the codec
// comes from the code pages' own mappings, so a cell where they part is a fault.
TEST(CodeTables, GbkToBig5IsTheTraditionalFormWhereverBig5CarriesIt) {
    int checked = 0, changedByModeOne = 0, whiteSquares = 0, cells = 0;
    ForEachGbkTableCell([&](const std::string& code) {
        ++cells;
        const std::string result = TransferFromGbk(code, 0);
        ASSERT_EQ(result.size(), 2u);
        if (result == "\xA1\xBC") ++whiteSquares;
        // Every output is a character of Big5.
        EXPECT_NE(CharacterOf(result, 950), 0) << ToHex(code) << " -> " << ToHex(result);
        const std::string traditional = TransferFromGbk(code, 1);
        const char16_t c = CharacterOf(traditional, 936);
        if (c == 0) return;
        const std::string big5 = EncodeCodePage(std::u16string(1, c), 950);
        if (big5.size() != 2 || IsBig5ExtensionCode(big5)) return;
        ++checked;
        if (traditional != code) ++changedByModeOne;
        EXPECT_EQ(ToHex(result), ToHex(big5)) << "GBK " << ToHex(code) << ", traditional form " << ToHex(traditional);
    });
    EXPECT_EQ(cells, 22165);
    EXPECT_GT(checked, 15000);          // the characters both sets share, after mode 1
    EXPECT_GT(changedByModeOne, 2000);  // simplified characters among them
    EXPECT_LT(whiteSquares, cells / 4);
}

// A hanzi whose character Big5 proper also has never goes to one of the seven
// extension hanzi F9D6..F9DC (such as F9D8 for the variant Taiwan does not write).
TEST(CodeTables, GbkToBig5AvoidsTheExtensionHanzi) {
    ForEachGbkTableCell([&](const std::string& code) {
        const std::string result = TransferFromGbk(code, 0);
        const unsigned value = static_cast<unsigned char>(result[0]) << 8 | static_cast<unsigned char>(result[1]);
        EXPECT_FALSE(value >= 0xF9D6 && value <= 0xF9DC) << "GBK " << ToHex(code) << " -> " << ToHex(result);
    });
}

TEST(CodeTables, GbkModesOneAndTwoGiveGbkCharacters) {
    for (int mode : {1, 2}) {
        int changed = 0;
        ForEachGbkTableCell([&](const std::string& code) {
            const std::string result = TransferFromGbk(code, mode);
            if (result == code) return;
            ++changed;
            EXPECT_NE(CharacterOf(code, 936), 0) << "unassigned code changed: " << ToHex(code);
            EXPECT_NE(CharacterOf(result, 936), 0) << ToHex(code) << " -> " << ToHex(result);
        });
        EXPECT_GT(changed, 2000) << "mode " << mode;
    }
}

TEST(CodeTables, Big5ToGbkCoversEveryBig5CharacterThatGbkHas) {
    int whiteSquares = 0;
    for (unsigned b0 = 0x81; b0 <= 0xFE; ++b0) {
        for (unsigned b1 = 0x40; b1 <= 0xFE; ++b1) {
            if (b1 > 0x7E && b1 < 0xA1) continue;
            const std::string code = Pair(b0, b1);
            const std::string result = TransferFromBig5(code, 0);
            ASSERT_EQ(result.size(), 2u);
            EXPECT_NE(CharacterOf(result, 936), 0) << ToHex(code) << " -> " << ToHex(result);
            if (result == "\xA1\xF5") ++whiteSquares;
            if (b0 <= 0xA0 || b0 >= 0xFA) {
                EXPECT_EQ(result, "\xA1\xF5") << "user-defined " << ToHex(code);
                continue;
            }
            const char16_t c = CharacterOf(code, 950);
            const std::string gbk = c != 0 ? EncodeCodePage(std::u16string(1, c), 936) : std::string();
            if (gbk.size() == 2 && gbk != "\xA1\xF5") {
                EXPECT_NE(result, "\xA1\xF5") << "Big5 " << ToHex(code) << " has a GBK counterpart";
            }
        }
    }
    EXPECT_GT(whiteSquares, 5809);  // rows 0x81..0xA0 and 0xFA..0xFE at least
    EXPECT_LT(whiteSquares, 6200);
}

TEST(CodeTables, Gb2312HanziMostlyComeBackFromBig5) {
    int total = 0, back = 0, backInsideGbk = 0;
    for (unsigned b0 = 0xB0; b0 <= 0xF7; ++b0) {
        for (unsigned b1 = 0xA1; b1 <= 0xFE; ++b1) {
            const std::string code = Pair(b0, b1);
            if (CharacterOf(code, 936) == 0) continue;
            ++total;
            if (TransferFromBig5(TransferFromGbk(code, 0), 0) == code) ++back;
            if (TransferFromGbk(TransferFromGbk(code, 1), 2) == code) ++backInsideGbk;
        }
    }
    std::printf("GB2312 hanzi %d: back from Big5 %d (%.1f%%), back from traditional GBK %d (%.1f%%)\n", total,
                back, 100.0 * back / total, backInsideGbk, 100.0 * backInsideGbk / total);
    EXPECT_EQ(total, 6763);
    // Several simplified characters share one traditional form, so not all come back.
    EXPECT_GT(back, total * 93 / 100);
    EXPECT_GT(backInsideGbk, total * 97 / 100);
}

}  // namespace
}  // namespace zelvo
