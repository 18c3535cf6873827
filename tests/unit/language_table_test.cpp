#include "app/language_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "services/ui_strings.h"
#include "services/system_language.h"

namespace zelvo {
namespace {

class LanguageTableTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetUiLanguagePackReader(nullptr);
        SetUiLcid(kLcidEnglish);
    }
};

TEST_F(LanguageTableTest, RowsCarryTheirLcidAndCharset) {
    ASSERT_EQ(LanguageCount(), 46);
    ASSERT_EQ(LanguageTable().size(), 46u);
    struct Expected {
        int index, lcid, charset;
    };
    for (const Expected& row : {Expected{0, 0x436, 0}, Expected{1, 0x804, 134}, Expected{2, 0xc04, 134},
                                Expected{3, 0x404, 136}, Expected{4, 0x411, 128}, Expected{5, 0x412, 129},
                                Expected{12, 0x401, 178}, Expected{14, 0x40d, 177}, Expected{18, 0x41e, 222},
                                Expected{19, 0x42a, 163}, Expected{21, 0x425, 186}, Expected{28, 0x425, 186},
                                Expected{31, 0x408, 161}, Expected{39, 0x81a, 238}, Expected{40, 0xc1a, 204},
                                Expected{44, 0x41f, 162}, Expected{45, 0x422, 204}}) {
        EXPECT_EQ(LanguageRowAt(row.index).lcid, row.lcid) << row.index;
        EXPECT_EQ(LanguageRowAt(row.index).charset, row.charset) << row.index;
    }
    EXPECT_EQ(LanguageRowAt(kGbkLanguageIndex).charset, 134);
    EXPECT_EQ(LanguageRowAt(kBig5LanguageIndex).charset, 136);
}

TEST_F(LanguageTableTest, IndexesOutsideTheTableAreRejected) {
    EXPECT_TRUE(IsValidLanguageIndex(0));
    EXPECT_TRUE(IsValidLanguageIndex(45));
    EXPECT_FALSE(IsValidLanguageIndex(-1));
    EXPECT_FALSE(IsValidLanguageIndex(46));
    // An index read from damaged settings never reaches past the table.
    EXPECT_EQ(LanguageRowAt(46).lcid, 0x804);
    EXPECT_EQ(LanguageRowAt(-7).charset, 134);
    EXPECT_EQ(CodePageOfLanguageIndex(46), 0);
    EXPECT_EQ(CodePageOfLanguageIndex(-1), 0);
    EXPECT_EQ(LanguageName(46), "");
}

TEST_F(LanguageTableTest, CharsetsMapToTheirCodePages) {
    EXPECT_EQ(CodePageOfCharset(134), 936);
    EXPECT_EQ(CodePageOfCharset(136), 950);
    EXPECT_EQ(CodePageOfCharset(128), 932);
    EXPECT_EQ(CodePageOfCharset(129), 949);
    EXPECT_EQ(CodePageOfCharset(0), 1252);
    EXPECT_EQ(CodePageOfCharset(238), 1250);
    EXPECT_EQ(CodePageOfCharset(204), 1251);
    EXPECT_EQ(CodePageOfCharset(161), 1253);
    EXPECT_EQ(CodePageOfCharset(162), 1254);
    EXPECT_EQ(CodePageOfCharset(177), 1255);
    EXPECT_EQ(CodePageOfCharset(178), 1256);
    EXPECT_EQ(CodePageOfCharset(186), 1257);
    EXPECT_EQ(CodePageOfCharset(163), 1258);
    EXPECT_EQ(CodePageOfCharset(222), 874);
    EXPECT_EQ(CodePageOfCharset(2), 0);  // symbol: the system code page
    EXPECT_EQ(CodePageOfCharset(255), 0);
}

TEST_F(LanguageTableTest, EveryRowReadsItsBytesInAKnownCodePage) {
    EXPECT_EQ(CodePageOfLanguageIndex(1), 936);
    EXPECT_EQ(CodePageOfLanguageIndex(2), 936);
    EXPECT_EQ(CodePageOfLanguageIndex(3), 950);
    EXPECT_EQ(CodePageOfLanguageIndex(0), 1252);
    EXPECT_EQ(CodePageOfLanguageIndex(4), 932);
    EXPECT_EQ(CodePageOfLanguageIndex(11), 1251);
    EXPECT_EQ(CodePageOfLanguageIndex(18), 874);
    EXPECT_EQ(CodePageOfLanguageIndex(44), 1254);
    for (int index = 0; index < LanguageCount(); ++index) {
        EXPECT_NE(CodePageOfLanguageIndex(index), 0) << index;
        EXPECT_EQ(CodePageOfLanguageIndex(index), CodePageOfCharset(LanguageRowAt(index).charset)) << index;
    }
}

TEST_F(LanguageTableTest, NamesFollowTheUiLanguage) {
    std::vector<std::string> english = LanguageNames();
    ASSERT_EQ(english.size(), 46u);
    EXPECT_EQ(english[0], "English");
    EXPECT_EQ(english[1], "Simplified Chinese(GB2312)");
    EXPECT_EQ(english[3], "Traditional Chinese(Big5)");
    EXPECT_EQ(english[40], "Serbian (Cyrillic)");
    EXPECT_EQ(english[45], "Ukrainian");
    EXPECT_EQ(LanguageName(21), "Baltic");
    EXPECT_EQ(std::set<std::string>(english.begin(), english.end()).size(), 46u);

    SetUiLcid(kLcidSimplifiedChinese);
    std::vector<std::string> simplified = LanguageNames();
    ASSERT_EQ(simplified.size(), 46u);
    EXPECT_NE(simplified[1], english[1]);
    EXPECT_EQ(simplified[1], UiStringLine(LoadUiString(IDS_DIALOG_ZELVO_LANGUAGE_LIST), 1));
}

TEST_F(LanguageTableTest, AShortTranslationIsFilledUpWithEnglishNames) {
    SetUiLanguagePackReader([](const std::string&, const std::string& name) -> std::optional<std::string> {
        if (name == "IDS_DIALOG_ZELVO_LANGUAGE_LIST") return std::string("Eigo\r\nKantaiji");
        return std::nullopt;
    });
    SetUiLcid(1041);
    std::vector<std::string> names = LanguageNames();
    ASSERT_EQ(names.size(), 46u);
    EXPECT_EQ(names[0], "Eigo");
    EXPECT_EQ(names[1], "Kantaiji");
    EXPECT_EQ(names[2], "Simplified Chinese(HZ)");
    EXPECT_EQ(names[45], "Ukrainian");
}

TEST_F(LanguageTableTest, ALongTranslationIsCutToTheTable) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += (i ? "\r\n" : "") + std::string("L") + std::to_string(i);
    SetUiLanguagePackReader(
        [text](const std::string&, const std::string& name) -> std::optional<std::string> {
            if (name == "IDS_DIALOG_ZELVO_LANGUAGE_LIST") return text;
            return std::nullopt;
        });
    SetUiLcid(1041);
    std::vector<std::string> names = LanguageNames();
    ASSERT_EQ(names.size(), 46u);
    EXPECT_EQ(names[45], "L45");
}

}  // namespace
}  // namespace zelvo
