#include "services/ui_strings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace zelvo {
namespace {

// Restores English and drops any pack reader, so one test's language never leaks into another.
class UiStringsTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetUiLanguagePackReader(nullptr);
        SetUiLcid(kLcidEnglish);
    }
};

std::set<std::string> Placeholders(const std::string& text) {
    std::set<std::string> found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        char c = text[i + 1];
        if (text[i] == '%' && c >= '1' && c <= '3') found.insert(text.substr(i, 2));
        if (text[i] == '#' && ((c >= '1' && c <= '9') || (c >= 'A' && c <= 'C'))) found.insert(text.substr(i, 2));
    }
    return found;
}

int Mnemonics(const std::string& text) {
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (i + 1 < text.size() && text[i + 1] == '&') {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        ++count;
    }
    return count;
}

int LineCount(const std::string& text) {
    int lines = 1;
    for (size_t pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos + 2)) ++lines;
    return lines;
}

// A lone byte at or above 0x80 must open a double-byte pair: lead 0x81-0xFE, trail 0x40-0xFE
// without 0x7F. GBK and Big5 share that outer shape.
bool IsDoubleByteText(const std::string& text, unsigned char minTrail) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) continue;
        if (lead == 0x80 || lead == 0xFF || i + 1 >= text.size()) return false;
        auto trail = static_cast<unsigned char>(text[++i]);
        if (trail < minTrail || trail == 0x7F || trail == 0xFF) return false;
    }
    return true;
}

TEST_F(UiStringsTest, EveryRecordKeepsItsShapeInAllThreeColumns) {
    ASSERT_GT(UiStringCount(), 500);
    for (const UiStringRecord& record : UiStringTable()) {
        SCOPED_TRACE(record.name);
        EXPECT_EQ(record.reserved, 0);
        std::string english = record.english;
        std::string gbk = record.gbk;
        std::string big5 = record.big5;
        EXPECT_FALSE(english.empty());
        EXPECT_FALSE(gbk.empty());
        EXPECT_FALSE(big5.empty());
        if (std::string(record.section) == "Info") continue;
        for (const std::string* chinese : {&gbk, &big5}) {
            EXPECT_EQ(Placeholders(*chinese), Placeholders(english));
            EXPECT_EQ(Mnemonics(*chinese), Mnemonics(english));
            EXPECT_EQ(chinese->find('\t') != std::string::npos, english.find('\t') != std::string::npos);
            EXPECT_EQ(LineCount(*chinese), LineCount(english));
        }
    }
}

TEST_F(UiStringsTest, ChineseColumnsAreWellFormedDoubleByteText) {
    for (const UiStringRecord& record : UiStringTable()) {
        SCOPED_TRACE(record.name);
        for (const char* c = record.english; *c; ++c) EXPECT_LT(static_cast<unsigned char>(*c), 0x80);
        EXPECT_TRUE(IsDoubleByteText(record.gbk, 0x40));
        // Big5 trail bytes start at 0x40 as well, but 0x7F-0xA0 are unused.
        EXPECT_TRUE(IsDoubleByteText(record.big5, 0x40));
        for (const unsigned char* c = reinterpret_cast<const unsigned char*>(record.big5); *c; ++c) {
            if (*c >= 0x80) {
                ++c;
                EXPECT_FALSE(*c >= 0x80 && *c < 0xA1) << "Big5 trail byte in the gap: " << int(*c);
            }
        }
    }
}

TEST_F(UiStringsTest, IdsAndNamesAreUniqueAndSectionsFollowTheNames) {
    const std::map<std::string, std::string> sectionOfGroup = {
        {"QXT", "QXT"},   {"DIALOG", "Dialog"},   {"ERROR", "Error"}, {"MENU", "Menu"},
        {"MESSAGE", "Message"}, {"PROFILE", "Profile"}, {"TIP", "Tip"},     {"WDAD", "WDAD"},
    };
    std::set<int> ids;
    std::set<std::string> names;
    std::map<std::string, int> perSection;
    for (const UiStringRecord& record : UiStringTable()) {
        SCOPED_TRACE(record.name);
        EXPECT_NE(record.id, 0);
        EXPECT_TRUE(ids.insert(record.id).second);
        EXPECT_TRUE(names.insert(record.name).second);
        std::string name = record.name;
        if (name.rfind("IDS_", 0) == 0) {
            std::string group = name.substr(4, name.find('_', 4) - 4);
            ASSERT_TRUE(sectionOfGroup.count(group));
            EXPECT_EQ(record.section, sectionOfGroup.at(group));
        } else {
            EXPECT_STREQ(record.section, "Info");
        }
        ++perSection[record.section];
    }
    EXPECT_EQ(perSection["Info"], 3);
    EXPECT_EQ(perSection["QXT"], 15);
    EXPECT_EQ(perSection["Dialog"], 308);
    EXPECT_EQ(perSection["Profile"], 37);
    EXPECT_EQ(perSection["WDAD"], 20);
    EXPECT_EQ(perSection["Menu"], 71);
    EXPECT_EQ(perSection["Error"], 31);
    EXPECT_EQ(perSection["Message"], 6);
    EXPECT_EQ(perSection["Tip"], 39);
    EXPECT_EQ(static_cast<int>(ids.size()), UiStringCount());
}

TEST_F(UiStringsTest, InfoRecordsDescribeEachBuiltInLanguage) {
    EXPECT_EQ(LoadUiStringColumn(1, kUiColumnEnglish), "English");
    EXPECT_EQ(LoadUiStringColumn(2, kUiColumnEnglish), "0x0409");
    EXPECT_EQ(LoadUiStringColumn(2, kUiColumnGbk), "0x0804");
    EXPECT_EQ(LoadUiStringColumn(2, kUiColumnBig5), "0x0404");
    // 简体中文 in GBK and 繁體中文 in Big5, the bytes the UI language list shows.
    EXPECT_EQ(LoadUiStringColumn(1, kUiColumnGbk), "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4");
    EXPECT_EQ(LoadUiStringColumn(1, kUiColumnBig5), "\xC1\x63\xC5\xE9\xA4\xA4\xA4\xE5");
    EXPECT_FALSE(LoadUiStringColumn(3, kUiColumnEnglish).empty());
}

TEST_F(UiStringsTest, CurrentLanguageChoosesTheColumn) {
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK), "OK");
    SetUiLcid(kLcidSimplifiedChinese);
    EXPECT_EQ(UiLcid(), 2052);
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK), "\xC8\xB7\xB6\xA8");  // 确定 in GBK
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK), LoadUiStringColumn(IDS_DIALOG_OK, kUiColumnGbk));
    SetUiLcid(kLcidTraditionalChinese);
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK), "\xBD\x54\xA9\x77");  // 確定 in Big5
    SetUiLcid(0);
    EXPECT_EQ(UiLcid(), kLcidEnglish);
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK), "OK");
}

TEST_F(UiStringsTest, UnknownIdGivesNothing) {
    EXPECT_EQ(LoadUiString(0), "");
    EXPECT_EQ(LoadUiString(4), "");
    EXPECT_EQ(LoadUiString(999999, "a", "b", "c"), "");
    EXPECT_EQ(LoadUiStringColumn(40003, kUiColumnBig5), "");
    EXPECT_TRUE(LoadUiStringLines(40003).empty());
}

TEST_F(UiStringsTest, ArgumentsFollowThePercentOneRule) {
    // %1 only.
    EXPECT_EQ(LoadUiString(IDS_DIALOG_ABOUT_TITLE, "Zelvo"), "About Zelvo");
    // %1 and %2, each filled everywhere it occurs.
    EXPECT_EQ(LoadUiString(IDS_ERROR_VALUE_INPUT_VALUE_MUST_BE_BETWEEN_A_AND_B, "1", "600"),
              "Input value must be between 1 and 600.");
    EXPECT_EQ(LoadUiString(IDS_DIALOG_ZELVO_PROMPT_EXIT_FOR_NEW_VERSION_TO_INSTALL, "Zelvo"),
              "Please exit from current Zelvo so the installation of new version can be smooth.\r\n\r\n"
              "Will you exit from current Zelvo right now?");
    EXPECT_EQ(LoadUiString(IDS_DIALOG_ABOUT_COMPANY_PRODUCT_VERSION, "Tolvane", "Zelvo", "1.1.2"),
              "Tolvane Zelvo Version 1.1.2");
    // "#" placeholders belong to the caller.
    EXPECT_EQ(LoadUiString(IDS_ERROR_FILE_FILE_NOT_EXIST, "x"), "File \"#1\" not found.");
    // An argument is never scanned again for placeholders.
    EXPECT_EQ(LoadUiString(IDS_ERROR_VALUE_INPUT_VALUE_MUST_BE_BETWEEN_A_AND_B, "%2", "9"),
              "Input value must be between %2 and 9.");
    // The caption template fills %1 and %2 and leaves #1..#3 for the transfer.
    EXPECT_EQ(LoadUiString(IDS_DIALOG_FSCT_CAPTION_MAIN, "Zelvo", "Site Transfer"),
              "Zelvo Site Transfer #1 - #2 Remaining Time #3");
}

TEST_F(UiStringsTest, TextWithoutPercentOneIsReturnedUnchanged) {
    // No built-in text holds %2 without %1, so a pack supplies such texts.
    SetUiLcid(0x0411);
    SetUiLanguagePackReader([](const std::string&, const std::string& name) -> std::optional<std::string> {
        if (name == "IDS_DIALOG_OK") return "between %2 and %3";
        if (name == "IDS_DIALOG_CANCEL") return "%1 and %3";
        return std::nullopt;
    });
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK, "a", "b", "c"), "between %2 and %3");
    // %3 is filled only where %2 is present as well.
    EXPECT_EQ(LoadUiString(IDS_DIALOG_CANCEL, "a", "b", "c"), "a and %3");
}

TEST_F(UiStringsTest, PackLanguageFallsBackToEnglishAndEmptyInfo) {
    SetUiLcid(0x0411);
    // No reader: the pack file is missing.
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK), "OK");
    EXPECT_EQ(LoadUiString(1), "");
    std::string askedSection;
    SetUiLanguagePackReader([&](const std::string& section, const std::string& name) -> std::optional<std::string> {
        askedSection = section;
        if (name == "IDS_DIALOG_CANCEL") return std::string("Kyanseru");
        if (name == "Shell_Language") return std::string("Japanese");
        return std::nullopt;
    });
    EXPECT_EQ(LoadUiString(IDS_DIALOG_CANCEL), "Kyanseru");
    EXPECT_EQ(askedSection, "Dialog");
    EXPECT_EQ(LoadUiString(IDS_MENU_FILE_OPEN_O), "&Open...");
    EXPECT_EQ(askedSection, "Menu");
    EXPECT_EQ(LoadUiString(1), "Japanese");
    EXPECT_EQ(LoadUiString(3), "");
    EXPECT_EQ(LoadUiString(IDS_DIALOG_ABOUT_TITLE, "Zelvo"), "About Zelvo");
}

TEST_F(UiStringsTest, MultiLineEntriesSplitIntoTheirLines) {
    std::vector<std::string> languages = LoadUiStringLines(IDS_DIALOG_ZELVO_LANGUAGE_LIST);
    ASSERT_EQ(languages.size(), 46u);
    EXPECT_EQ(languages[0], "English");
    EXPECT_EQ(languages[1], "Simplified Chinese(GB2312)");
    EXPECT_EQ(languages[3], "Traditional Chinese(Big5)");
    EXPECT_EQ(languages[45], "Ukrainian");

    std::vector<std::string> limits = LoadUiStringLines(IDS_ERROR_PROMPT_LIMLIT_ACTIONS);
    ASSERT_EQ(limits.size(), 3u);
    EXPECT_EQ(limits[0], "Too many instances of #1...");

    std::vector<std::string> result = LoadUiStringLines(IDS_DIALOG_ZELVO_TEXT_DIFFERENCE_CHECK_RESULT);
    ASSERT_EQ(result.size(), 3u);
    EXPECT_EQ(result[0], "Identical!");
    EXPECT_EQ(result[2], "#1 lines of differences found");

    EXPECT_EQ(LoadUiStringLines(IDS_DIALOG_ZELVO_FONT_LAN_LIST).size(), 9u);
    EXPECT_EQ(LoadUiStringLines(IDS_DIALOG_WAI_WORD_OPERATION).size(), 13u);
    EXPECT_EQ(LoadUiStringLines(IDS_DIALOG_WAI_SEARCH_IN_LIST).size(), 3u);
    EXPECT_EQ(LoadUiStringLines(IDS_DIALOG_FSCT_PROMPT_FILE_NOT_LIKE_TYPE_ACTIONS).size(), 3u);

    // The same lines in every built-in language.
    SetUiLcid(kLcidSimplifiedChinese);
    EXPECT_EQ(LoadUiStringLines(IDS_DIALOG_ZELVO_LANGUAGE_LIST).size(), 46u);
    SetUiLcid(kLcidTraditionalChinese);
    EXPECT_EQ(LoadUiStringLines(IDS_DIALOG_ZELVO_LANGUAGE_LIST).size(), 46u);
    EXPECT_EQ(LoadUiStringLines(IDS_ERROR_PROMPT_LIMLIT_ACTIONS).size(), 3u);
}

TEST_F(UiStringsTest, QuotedTextsAreKeptExactly) {
    EXPECT_EQ(LoadUiString(IDS_DIALOG_ZELVO_FILE_TYPE), "Text File(*.txt)|*.txt|All Files(*.*)|*.*||");
    EXPECT_EQ(LoadUiString(IDS_DIALOG_QX_MESSAGE_BOX_SHOW_NEXT_TIME_S), "&Show this message next time");
    EXPECT_EQ(LoadUiString(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY),
              "Path \"#1\"  is not the name of an existing directory.");
    EXPECT_EQ(LoadUiString(IDS_MENU_FILE_NEW_N), "&New\tCtrl+N");
    EXPECT_EQ(LoadUiString(IDS_MENU_SHELL_EDIT_WITH_ZELVO), "Edit with Zelvo");
    EXPECT_EQ(LoadUiString(IDS_QXT_UNIT_HOURS), "hour(s)");
    std::string summary = LoadUiString(IDS_DIALOG_FSCT_PROMPT_SUMMARY);
    EXPECT_EQ(UiStringLine(summary, 2), "\t\tSummary for Code Transfer");
    EXPECT_EQ(UiStringLine(summary, 18), "Total Transfer Time: #C");
}

TEST_F(UiStringsTest, LineAndReplaceHelpers) {
    EXPECT_EQ(UiStringLine("a\r\nb\r\nc", 1), "b");
    EXPECT_EQ(UiStringLine("a\r\nb", 5), "");
    EXPECT_EQ(ReplaceAll("#1 of #1", "#1", "#10"), "#10 of #10");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace zelvo
