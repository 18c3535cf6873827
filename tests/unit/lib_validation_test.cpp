#include "convert/lib_validation.h"

#include <gtest/gtest.h>

#include "lib_words.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using namespace lib_words;

const std::vector<std::string> kTwelveWords = {kSoftwareCn, kInfoCn,   kNetworkCn, kPrinterCn,
                                               kDiskCn,     kServerCn, kMenuCn,    kDefaultCn,
                                               kBlogCn,     kLaserCn,  kChipCn,    kMemoryCn};

// Every word listed twice, sorted as a loaded lib holds them.
std::unique_ptr<WordAdjustmentLib> LibRepeating(const std::string& title, std::vector<std::string> words) {
    std::sort(words.begin(), words.end());
    Items items;
    for (const std::string& word : words) {
        items.emplace_back(word, kSoftwareTw);
        items.emplace_back(word, kInfoTw);
    }
    return MakeLib(title, items);
}

class LibValidationTest : public ::testing::Test {
  protected:
    testing_support::ScopedRegistry registry_;
    testing_support::ScopedUiLcid english_{kLcidEnglish};
};

TEST_F(LibValidationTest, OneWordWithThreeAdjustmentsIsOneProblemWithCountThree) {
    auto list = MakeList(MakeLib(
        "Mine",
        {{kInfoCn, kInfoTw}, {kInfoCn, kMessageTw}, {kInfoCn, kNetworkTw}, {kNetworkCn, kNetworkTw}}));
    std::vector<LibProblem> problems = ScanLibList(list, false);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].libIndex, 2);
    EXPECT_EQ(problems[0].word, kInfoCn);
    EXPECT_EQ(problems[0].kind, LibProblemKind::kRepeatedWord);
    EXPECT_EQ(problems[0].count, 3);

    LibCheckReport report = QuickCheckReport(list, true, problems);
    EXPECT_EQ(report.details,
              "\xC1\x63\xC5\xE9\xAE\x77:\r\n\r\n\xAE\x77 1 (1):\r\n\t" + kInfoCn + " (3)\r\n");
    EXPECT_EQ(report.summary, "Big5 Lib (used in GBK->Big5):\r\n\r\n\t1: Mine (1)\r\n");
}

TEST_F(LibValidationTest, TwelveRepeatedWordsListTenThenACutAndTheSummarySaysTenPlus) {
    auto list = MakeList(LibRepeating("Mine", kTwelveWords));
    std::vector<LibProblem> problems = ScanLibList(list, false);
    ASSERT_EQ(problems.size(), 12u);  // eleven words, then the cut
    EXPECT_EQ(problems.back().word, kCutProblemWord);

    LibCheckReport report = QuickCheckReport(list, false, problems);
    EXPECT_EQ(report.summary, "GBK lib (used in Big5 -> GBK):\r\n\r\n\t1: Mine (10+)\r\n");
    const std::string& details = report.details;
    EXPECT_EQ(details.rfind("\xBC\xF2\xCC\xE5\xBF\xE2:\r\n\r\n\xBF\xE2 1 (10+):\r\n", 0), 0u) << details;
    size_t wordLines = 0;
    for (size_t at = details.find("\t"); at != std::string::npos; at = details.find("\t", at + 1))
        ++wordLines;
    EXPECT_EQ(wordLines, 11u);
    EXPECT_EQ(details.substr(details.size() - 6), "\t...\r\n");
    EXPECT_NE(details.find(" (2)\r\n\t...\r\n"), std::string::npos);
}

TEST_F(LibValidationTest, TwoLibsWithProblemsAreNumberedOneAndTwoInListOrder) {
    auto list = MakeList(MakeLib("Clean", {{kDiskCn, kDiskTw}}), LibRepeating("First", {kInfoCn}),
                         MakeLib("Clean too", {}), LibRepeating("Second", {kMenuCn, kBlogCn}));
    std::vector<LibProblem> problems = ScanLibList(list, false);
    ASSERT_EQ(problems.size(), 3u);
    LibCheckReport report = QuickCheckReport(list, true, problems);
    EXPECT_EQ(report.summary, "Big5 Lib (used in GBK->Big5):\r\n\r\n\t1: First (1)\r\n\t2: Second (2)\r\n");
    EXPECT_EQ(report.details, "\xC1\x63\xC5\xE9\xAE\x77:\r\n\r\n\xAE\x77 1 (1):\r\n\t" + kInfoCn +
                                  " (2)\r\n\xAE\x77 2 (2):\r\n\t" + kBlogCn + " (2)\r\n\t" + kMenuCn +
                                  " (2)\r\n");
}

TEST_F(LibValidationTest, ACustomLibsTitleReadsAsTheSameCharactersInEveryUiLanguage) {
    const std::string big5Title = "\xA7\xDA\xAA\xBA\xB5\xFC\xAE\x77";  // 我的詞庫
    const std::string gbkTitle = "\xCE\xD2\xB5\xC4\xD4\x7E\x8E\xEC";   // the same in GBK
    auto list = MakeList(LibRepeating(big5Title, {kInfoCn}));
    std::vector<LibProblem> problems = ScanLibList(list, false);
    ASSERT_EQ(problems.size(), 1u);
    {
        testing_support::ScopedUiLcid simplified{kLcidSimplifiedChinese};
        EXPECT_NE(QuickCheckReport(list, true, problems).summary.find("\t1: " + gbkTitle + " (1)\r\n"),
                  std::string::npos);
    }
    {
        testing_support::ScopedUiLcid traditional{kLcidTraditionalChinese};
        EXPECT_NE(QuickCheckReport(list, true, problems).summary.find("\t1: " + big5Title + " (1)\r\n"),
                  std::string::npos);
    }
    // The English UI's own words are ASCII: its warning is written in the details' code page,
    // so the title keeps its characters there too.
    const auto none = WordAdjustmentLibList{};
    MessageRequest warning = LibRedundancyWarning(list, problems, none, {}, true, true, "Zelvo");
    EXPECT_EQ(warning.textCodePage, 950);
    EXPECT_NE(warning.text.find("\t1: " + big5Title + " (1)\r\n"), std::string::npos) << warning.text;
    EXPECT_EQ(warning.text.rfind("Zelvo found repeating items", 0), 0u);
    {
        testing_support::ScopedUiLcid simplified{kLcidSimplifiedChinese};
        EXPECT_EQ(LibRedundancyWarning(list, problems, none, {}, true, true, "Zelvo").textCodePage, 0);
    }

    // A system lib's title is a UI text; in the details of a Big5 list it is written in Big5.
    auto system = MakeList();
    system[0]->title = "\xD6\xD0\xCE\xC4";  // 中文, as a Simplified Chinese UI text holds it in GBK
    system[0]->wordsBefore = {kInfoCn, kInfoCn};
    system[0]->wordsAfter = {kInfoTw, kInfoTw};
    testing_support::ScopedUiLcid simplified{kLcidSimplifiedChinese};
    const std::string report = CompleteCheckReport(system, true, ScanLibList(system, true));
    EXPECT_NE(report.find("\xA4\xA4\xA4\xE5:\r\n"), std::string::npos) << testing::PrintToString(report);
}

TEST_F(LibValidationTest, ShortcutNeedsAPassedCheckWithinOneHundredDaysAndNoNewerFile) {
    int64_t checked = 0;
    ASSERT_TRUE(ParseCheckTime("2026-03-01 12:00:00", checked));
    const int64_t day = 86400;
    EXPECT_TRUE(QuickCheckShortcutApplies("2026-03-01 12:00:00", 1, checked + 100 * day, {checked - 5}));
    EXPECT_TRUE(QuickCheckShortcutApplies("2026-03-01 12:00:00", 1, checked + 101 * day - 1, {checked}));
    EXPECT_FALSE(QuickCheckShortcutApplies("2026-03-01 12:00:00", 1, checked + 101 * day, {}));
    EXPECT_TRUE(QuickCheckShortcutApplies("2026-03-01 12:00:00", 1, checked - day - day / 2, {}));
    EXPECT_FALSE(QuickCheckShortcutApplies("2026-03-01 12:00:00", 1, checked - 2 * day, {}));
    EXPECT_FALSE(QuickCheckShortcutApplies("2026-03-01 12:00:00", 0, checked + day, {}));
    EXPECT_FALSE(
        QuickCheckShortcutApplies("2026-03-01 12:00:00", 1, checked + day, {checked - 5, checked + 1}));
    EXPECT_FALSE(QuickCheckShortcutApplies("", 1, checked, {}));
    EXPECT_FALSE(QuickCheckShortcutApplies("2026-3-1", 1, checked, {}));
    EXPECT_FALSE(QuickCheckShortcutApplies("2026-13-01 12:00:00", 1, checked, {}));
    EXPECT_FALSE(QuickCheckShortcutApplies("2026-03-01 noon", 1, checked, {}));
    EXPECT_EQ(FormatCheckTime(checked + day + 61), "2026-03-02 12:01:01");
}

TEST_F(LibValidationTest, APassedQuickCheckIsTrustedUntilAnAppliedLibOrTheSettingsFileIsTouched) {
    testing_support::TempFolder folder{"zelvo-check"};
    LibFolders folders{folder.path(), folder.path()};
    int64_t now = 0;
    ASSERT_TRUE(ParseCheckTime("2026-03-01 12:00:00", now));
    auto clean = MakeLib("Mine", {{kInfoCn, kInfoTw}});
    clean->path = folder.Write("mine.txt", kInfoCn + "," + kInfoTw);
    const std::string settings = folder.Write("wag2b.ini", "[CUSLIB_G2B1]\r\n");
    ASSERT_TRUE(SetFileModifiedTime(clean->path, now - 3600));
    ASSERT_TRUE(SetFileModifiedTime(settings, now - 3600));
    auto list = MakeList(std::move(clean));

    std::vector<LibProblem> problems;
    ASSERT_TRUE(CheckLibList(list, true, false, now, folders, problems));
    EXPECT_EQ(ReadRegString("CTWA", "Last Check Time Big5", ""), "2026-03-01 12:00:00");
    EXPECT_EQ(ReadRegInt("CTWA", "Last Check OK Big5", 0), 1);

    // Items repeated in memory only: while the files are older than the check, nobody looks.
    list[2]->wordsBefore.push_back(kInfoCn);
    list[2]->wordsAfter.push_back(kMessageTw);
    EXPECT_TRUE(CheckLibList(list, true, false, now + 50 * 86400, folders, problems));
    EXPECT_EQ(ReadRegString("CTWA", "Last Check Time Big5", ""), "2026-03-01 12:00:00");

    ASSERT_TRUE(SetFileModifiedTime(list[2]->path, now + 60));
    EXPECT_FALSE(CheckLibList(list, true, false, now + 50 * 86400, folders, problems));
    EXPECT_EQ(problems.size(), 1u);
    EXPECT_EQ(ReadRegInt("CTWA", "Last Check OK Big5", 1), 0);
    EXPECT_EQ(ReadRegString("CTWA", "Last Check Time GBK", "none"), "none");

    // Passed again (the repeat removed), then the settings file is touched.
    list[2]->wordsBefore.pop_back();
    list[2]->wordsAfter.pop_back();
    ASSERT_TRUE(CheckLibList(list, true, false, now + 51 * 86400, folders, problems));
    list[2]->wordsBefore.push_back(kInfoCn);
    list[2]->wordsAfter.push_back(kMessageTw);
    EXPECT_TRUE(CheckLibList(list, true, false, now + 52 * 86400, folders, problems));
    ASSERT_TRUE(SetFileModifiedTime(settings, now + 52 * 86400));
    EXPECT_FALSE(CheckLibList(list, true, false, now + 52 * 86400, folders, problems));
}

TEST_F(LibValidationTest, ALibFileThatIsGoneDoesNotCountAsChanged) {
    testing_support::TempFolder folder{"zelvo-check"};
    LibFolders folders{folder.path(), folder.path()};
    int64_t now = 0;
    ASSERT_TRUE(ParseCheckTime("2026-03-01 12:00:00", now));
    auto lib = MakeLib("Gone", {{kInfoCn, kInfoTw}, {kInfoCn, kMessageTw}});
    lib->path = folder.PathOf("gone.txt");
    auto list = MakeList(std::move(lib));
    WriteRegString("CTWA", "Last Check Time Big5", "2026-03-01 11:00:00");
    WriteRegInt("CTWA", "Last Check OK Big5", 1);
    std::vector<LibProblem> problems;
    EXPECT_TRUE(CheckLibList(list, true, false, now, folders, problems));
    EXPECT_TRUE(problems.empty());
}

TEST_F(LibValidationTest, CompleteCheckSeparatesSelfItemsRepeatedPairsAndSeveralAdjustments) {
    auto list = MakeList(MakeLib("Mine", {{kSoftwareCn, kSoftwareCn},
                                          {kSoftwareCn, kSoftwareTw},
                                          {kInfoCn, kInfoTw},
                                          {kInfoCn, kMessageTw},
                                          {kInfoCn, kInfoTw},
                                          {kNetworkCn, kNetworkCn},
                                          {kNetworkCn, kNetworkCn}}));
    std::vector<LibProblem> problems;
    testing_support::TempFolder folder{"zelvo-check"};
    EXPECT_FALSE(CheckLibList(list, true, true, 0, LibFolders{folder.path(), folder.path()}, problems));
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].kind, LibProblemKind::kEqualToItself);
    EXPECT_EQ(problems[0].word, kSoftwareCn);
    EXPECT_EQ(problems[0].count, 1);
    EXPECT_EQ(problems[1].kind, LibProblemKind::kIdenticalPairs);
    EXPECT_EQ(problems[1].word, kInfoCn);
    EXPECT_EQ(problems[1].after, kInfoTw);
    EXPECT_EQ(problems[1].count, 2);
    EXPECT_EQ(problems[2].kind, LibProblemKind::kSeveralAdjustments);
    EXPECT_EQ(problems[2].count, 2);
    EXPECT_EQ(problems[3].kind, LibProblemKind::kEqualToItself);
    EXPECT_EQ(problems[3].word, kNetworkCn);
    EXPECT_EQ(problems[3].count, 2);

    EXPECT_EQ(CompleteCheckReport(list, true, problems),
              "Validation check of the word adjustment libs\r\n\r\nMine:\r\n"
              "Items whose word before adjustment is the same as the word after adjustment:\r\n\t" +
                  kSoftwareCn + " (1)\r\n\t" + kNetworkCn +
                  " (2)\r\nIdentical word pairs that appear more than once:\r\n\t{" + kInfoCn + "," +
                  kInfoTw +
                  "} (2)\r\nWords before adjustment with 2 or more different words after adjustment:\r\n\t" +
                  kInfoCn + " (2)\r\n\r\n");
}

TEST_F(LibValidationTest, ReportHeadingsFollowTheLibsEncodingUnderAChineseUi) {
    testing_support::ScopedUiLcid chinese{kLcidSimplifiedChinese};
    auto list = MakeList(MakeLib("Mine", {}));
    // 詞語調整庫有效性檢查 in Big5 for a G2B list, whatever the UI's own code page.
    EXPECT_EQ(CompleteCheckReport(list, true, {}).substr(0, 20),
              "\xB5\xFC\xBB\x79\xBD\xD5\xBE\xE3\xAE\x77\xA6\xB3\xAE\xC4\xA9\xCA\xC0\xCB\xAC\x64");
}

TEST_F(LibValidationTest, WarningCharsetFollowsTheFailedListsAndTheInstalledFonts) {
    auto check = [](bool g2b, bool b2g, bool gbFont, bool big5Font, int charset, bool convertG2B,
                    bool convertB2G) {
        WarningCharset choice = ChooseWarningCharset(g2b, b2g, gbFont, big5Font);
        EXPECT_EQ(choice.charset, charset) << g2b << b2g << gbFont << big5Font;
        EXPECT_EQ(choice.convertG2BDetails, convertG2B) << g2b << b2g << gbFont << big5Font;
        EXPECT_EQ(choice.convertB2GDetails, convertB2G) << g2b << b2g << gbFont << big5Font;
    };
    check(true, false, true, true, 136, false, false);
    check(true, false, true, false, 134, true, false);
    check(false, true, true, true, 134, false, false);
    check(false, true, false, true, 136, false, true);
    check(true, true, true, true, 134, true, false);
    check(true, true, false, false, 134, true, false);
    check(true, true, false, true, 136, false, true);
}

TEST_F(LibValidationTest, CorrectionLeavesUniqueWordsWithoutSelfItemsAndKeepsTheChosenAdjustment) {
    auto list = MakeList(MakeLib("Mine", {{kSoftwareCn, kSoftwareCn},
                                          {kSoftwareCn, kSoftwareTw},
                                          {kInfoCn, kInfoTw},
                                          {kInfoCn, kMessageTw},
                                          {kInfoCn, kInfoTw},
                                          {kNetworkCn, kNetworkTw},
                                          {kNetworkCn, kNetworkTw}}));
    std::vector<RepeatingItemsGroup> groups = FindRepeatingItemsGroups(list);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].libIndex, 2);
    EXPECT_EQ(groups[0].word, kInfoCn);
    EXPECT_EQ(groups[0].afters, (std::vector<std::string>{kInfoTw, kMessageTw}));

    LibCorrection correction;
    correction.choices.push_back({2, kInfoCn, kMessageTw});
    EXPECT_EQ(CorrectLibList(list, correction), 4);
    EXPECT_EQ(ItemsOf(*list[2]),
              (Items{{kSoftwareCn, kSoftwareTw}, {kInfoCn, kMessageTw}, {kNetworkCn, kNetworkTw}}));
    EXPECT_TRUE(ScanLibList(list, true).empty());
}

TEST_F(LibValidationTest, CorrectionWithoutChoicesKeepsTheGroupsWithDifferentAdjustments) {
    auto list = MakeList(
        MakeLib("Mine", {{kInfoCn, kInfoTw}, {kInfoCn, kInfoCn}, {kInfoCn, kMessageTw}, {kInfoCn, kInfoTw}}));
    LibCorrection correction;
    EXPECT_EQ(CorrectLibList(list, correction), 2);
    EXPECT_EQ(ItemsOf(*list[2]), (Items{{kInfoCn, kInfoTw}, {kInfoCn, kMessageTw}}));
    EXPECT_EQ(CorrectionStatisticsText(1, 3, 1), "1/3 (1 correct, 2 uncorrected)");
}

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

using namespace lib_words;

// The start-up check: "Check WD", the quick checks, and the warning's texts, encoding and
// check box as the message service is asked them.
class StartupLibCheckTest : public ::testing::Test {
  protected:
    bool Run(const WordAdjustmentLibList& g2b, const WordAdjustmentLibList& b2g, bool gb2312Font = true,
             bool big5Font = true) {
        return RunStartupLibCheck(
            g2b, b2g, LibFolders{}, kNow,
            [=](int charset) { return charset == 134   ? gb2312Font
                                      : charset == 136 ? big5Font
                                                       : false; },
            "Zelvo", [this] { ++libManagerOpened_; });
    }

    static constexpr int64_t kNow = 1700000000;
    testing_support::ScopedRegistry registry_;
    testing_support::ScopedUiLcid english_{kLcidEnglish};
    testing_support::ScopedMessages messages_;
    int libManagerOpened_ = 0;
};

TEST_F(StartupLibCheckTest, RepeatedBig5WordWarnsInBig5WithTheBoxTickedAndYesOpensTheLibManager) {
    auto g2b = MakeList(MakeLib("Mine", {{kInfoCn, kInfoTw}, {kInfoCn, kMessageTw}}));
    auto b2g = MakeList();
    messages_->answers.push_back({kIdYes, true, {}});
    EXPECT_TRUE(Run(g2b, b2g));
    ASSERT_EQ(messages_->shown.size(), 1u);
    const MessageRequest& warning = messages_->shown[0];
    EXPECT_EQ(warning.text.rfind("Zelvo found repeating items in the following word adjustment libs:\r\n\r\n"
                                 "Big5 Lib (used in GBK->Big5):\r\n\r\n\t1: Mine (1)\r\n",
                                 0),
              0u)
        << warning.text;
    // 繁體庫: / 庫 1 (1): / 信息 (2), all Big5.
    EXPECT_EQ(warning.details,
              "\xC1\x63\xC5\xE9\xAE\x77:\r\n\r\n\xAE\x77 1 (1):\r\n\t\xAB\x48\xAE\xA7 (2)\r\n");
    EXPECT_EQ(warning.detailsCodePage, 950);
    EXPECT_TRUE(warning.detailsEnabled);
    EXPECT_TRUE(warning.showCheckBox);
    EXPECT_TRUE(warning.checked);
    EXPECT_EQ(warning.style & 0xF, static_cast<unsigned>(kMbYesNo));
    EXPECT_EQ(libManagerOpened_, 1);
    EXPECT_EQ(ReadRegInt("CTWA", "Check WD", -1), -1);  // the box stayed ticked: nothing written
}

TEST_F(StartupLibCheckTest, ClearingTheBoxWritesCheckWdZeroAndTheNextStartChecksNothing) {
    auto g2b = MakeList(MakeLib("Mine", {{kInfoCn, kInfoTw}, {kInfoCn, kMessageTw}}));
    auto b2g = MakeList();
    messages_->answers.push_back({kIdNo, false, {}});
    EXPECT_TRUE(Run(g2b, b2g));
    EXPECT_EQ(ReadRegInt("CTWA", "Check WD", -1), 0);
    EXPECT_EQ(libManagerOpened_, 0);

    EXPECT_FALSE(Run(g2b, b2g));
    EXPECT_EQ(messages_->shown.size(), 1u);
    // Switched off, the check does not even run: no check time is stored for this start.
    WriteRegString("CTWA", "Last Check Time Big5", "");
    EXPECT_FALSE(Run(g2b, b2g));
    EXPECT_EQ(ReadRegString("CTWA", "Last Check Time Big5", "unset"), "");
}

TEST_F(StartupLibCheckTest, CleanListsShowNothing) {
    auto g2b = MakeList(MakeLib("Mine", {{kInfoCn, kInfoTw}, {kNetworkCn, kNetworkTw}}));
    auto b2g = MakeList();
    EXPECT_FALSE(Run(g2b, b2g));
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_EQ(ReadRegInt("CTWA", "Last Check OK Big5", -1), 1);
    EXPECT_EQ(ReadRegInt("CTWA", "Last Check OK GBK", -1), 1);
}

TEST_F(StartupLibCheckTest, BigFiveDetailsBecomeGbkKeepingTraditionalCharactersWhenOnlyAGbFontIsInstalled) {
    auto g2b = MakeList(MakeLib("Mine", {{kSoftwareCn, kSoftwareTw}, {kSoftwareCn, kInfoTw}}));
    auto b2g = MakeList();
    EXPECT_TRUE(Run(g2b, b2g, true, false));
    ASSERT_EQ(messages_->shown.size(), 1u);
    // 繁體庫: / 庫 1 (1): / 軟件 (2) in GBK, as Python's gbk codec writes them.
    EXPECT_EQ(messages_->shown[0].details,
              "\xB7\xB1\xF3\x77\x8E\xEC:\r\n\r\n\x8E\xEC 1 (1):\r\n\t\xDC\x9B\xBC\xFE (2)\r\n");
    EXPECT_EQ(messages_->shown[0].detailsCodePage, 936);
}

TEST_F(StartupLibCheckTest, BothListsFailingJoinGbkPartFirstAndConvertTheBig5Details) {
    auto g2b = MakeList(MakeLib("Tw", {{kInfoCn, kInfoTw}, {kInfoCn, kMessageTw}}));
    auto b2g = MakeList(MakeLib("Cn", {{kInfoTwGbk, kInfoCnGbk}, {kInfoTwGbk, kNetworkCnGbk}}, false, false));
    EXPECT_TRUE(Run(g2b, b2g));
    ASSERT_EQ(messages_->shown.size(), 1u);
    const MessageRequest& warning = messages_->shown[0];
    EXPECT_NE(warning.text.find("GBK lib (used in Big5 -> GBK):\r\n\r\n\t1: Cn (1)\r\n\r\n\r\n"
                                "Big5 Lib (used in GBK->Big5):\r\n\r\n\t1: Tw (1)\r\n"),
              std::string::npos)
        << warning.text;
    // 简体库: / 库 1 (1): / 资讯 (2), then 繁體庫: / 庫 1 (1): / 信息 (2) in GBK.
    EXPECT_EQ(warning.details,
              "\xBC\xF2\xCC\xE5\xBF\xE2:\r\n\r\n\xBF\xE2 1 (1):\r\n\t\xD7\xCA\xD1\xB6 (2)\r\n\r\n\r\n"
              "\xB7\xB1\xF3\x77\x8E\xEC:\r\n\r\n\x8E\xEC 1 (1):\r\n\t\xD0\xC5\xCF\xA2 (2)\r\n");
    EXPECT_EQ(warning.detailsCodePage, 936);
}

TEST_F(StartupLibCheckTest, CompleteCheckMessageNumbersTheLibsAndKeepsTheReportInTheLibsEncoding) {
    auto g2b =
        MakeList(MakeLib("Mine", {{kInfoCn, kInfoTw}, {kInfoCn, kInfoTw}, {kSoftwareCn, kSoftwareCn}}));
    auto b2g = MakeList();
    MessageRequest clean = CompleteCheckMessage(g2b, {}, b2g, {}, true, true);
    EXPECT_EQ(clean.text, "No problem was found in the libs.");
    EXPECT_FALSE(clean.detailsEnabled);

    MessageRequest report = CompleteCheckMessage(g2b, ScanLibList(g2b, true), b2g, {}, true, true);
    EXPECT_EQ(report.caption, "Validation check of the word adjustment libs");
    EXPECT_EQ(report.text,
              "Validation check of the word adjustment libs\r\n\r\nBig5 Lib (used in GBK->Big5):\r\n\t1: "
              "Mine (2)\r\n");
    EXPECT_EQ(report.details,
              "Validation check of the word adjustment libs\r\n\r\nMine:\r\n"
              "Items whose word before adjustment is the same as the word after adjustment:\r\n\t" +
                  kSoftwareCn + " (1)\r\nIdentical word pairs that appear more than once:\r\n\t{" + kInfoCn +
                  "," + kInfoTw + "} (2)\r\n\r\n");
    EXPECT_EQ(report.detailsCodePage, 950);
}

}  // namespace
}  // namespace zelvo
