#include "services/update_check.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_store.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedCodePage;
using testing_support::ScopedMessages;
using testing_support::ScopedRegistry;
using testing_support::ScopedUiLcid;

CalendarDate Date(int year, int month, int day) {
    return CalendarDate{year, month, day};
}

bool Parses(const std::string& text, CalendarDate expected) {
    CalendarDate got{-1, -1, -1};
    return ParseDate(text, got) && got == expected;
}

bool Refused(const std::string& text) {
    CalendarDate got{-1, -1, -1};
    return !ParseDate(text, got) && got == CalendarDate{-1, -1, -1};
}

TEST(ParseDate, ReadsShortYearsLeadingZerosDoubledDashesAndBlanks) {
    EXPECT_TRUE(Parses("04-6-1", Date(2004, 6, 1)));
    EXPECT_TRUE(Parses("2004-06-01", Date(2004, 6, 1)));
    EXPECT_TRUE(Parses("2004--6--1", Date(2004, 6, 1)));
    EXPECT_TRUE(Parses(" 2004 - 12 - 31 ", Date(2004, 12, 31)));
    EXPECT_TRUE(Parses("2000-2-29", Date(2000, 2, 29)));
    EXPECT_TRUE(Parses("2026-12-08", Date(2026, 12, 8)));
}

TEST(ParseDate, RefusesMissingPartsImpossibleDatesAndOddDigits) {
    EXPECT_TRUE(Refused("2004-6"));     // one dash
    EXPECT_TRUE(Refused("2004-13-1"));  // no such month
    EXPECT_TRUE(Refused("2004-2-30"));  // no such day
    EXPECT_TRUE(Refused("2100-2-29"));  // not a leap year
    EXPECT_TRUE(Refused("2004-0-1"));
    EXPECT_TRUE(Refused("2004-00-1"));
    EXPECT_TRUE(Refused("2004-6-0"));
    EXPECT_TRUE(Refused(""));
    EXPECT_TRUE(Refused("4-6-1"));     // first dash before index 2
    EXPECT_TRUE(Refused("204-6-1"));   // three-digit year
    EXPECT_TRUE(Refused("0004-6-1"));  // does not read back as written
    EXPECT_TRUE(Refused("2004-006-1"));
    EXPECT_TRUE(Refused("2004-6-1-"));  // ends with a dash
    EXPECT_TRUE(Refused("2004-6-1-5"));
    EXPECT_TRUE(Refused("2004-+6-1"));
    EXPECT_TRUE(Refused("2004-6-1x"));
    EXPECT_TRUE(Refused("2004-6-\t1"));  // only blanks are dropped
    EXPECT_TRUE(Refused("2004/6/1"));
}

TEST(CalendarDates, FormatAndCountDaysAcrossMonthsAndLeapYears) {
    EXPECT_EQ(FormatStoredDate(Date(2004, 6, 1)), "2004-6-1");
    EXPECT_EQ(FormatBuildDate(Date(2004, 6, 1)), "2004-06-01");
    EXPECT_EQ(FormatBuildDate(Date(2026, 12, 18)), "2026-12-18");
    EXPECT_EQ(DaysBetween(Date(2004, 2, 28), Date(2004, 3, 1)), 2);
    EXPECT_EQ(DaysBetween(Date(2003, 2, 28), Date(2003, 3, 1)), 1);
    EXPECT_EQ(DaysBetween(Date(2003, 12, 31), Date(2004, 1, 1)), 1);
    EXPECT_EQ(DaysBetween(Date(2024, 1, 1), Date(2023, 12, 31)), -1);
    EXPECT_EQ(DaysBetween(Date(1970, 1, 1), Date(2000, 1, 1)), 10957);
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 8;
    EXPECT_EQ(DateOfLocalTime(local), Date(2026, 12, 8));
}

TEST(UpdateInfoFile, ReadsKeysWithoutCaseLaterLinesWinningAndCommentsIgnored) {
    const UpdateInfo info = ReadUpdateInfo(
        "; Zelvo update information\r\n"
        "Version = 1.1\r\n"
        "\t VERSION=1.2  \r\n"
        "build ==  2004-6-1\r\n"
        ";Build = 2099-1-1\r\n"
        "Url = https://www.tolvane.com/zelvo/download/zelvo12.exe\r\n"
        "SHA256 = BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD\r\n"
        "Released = yesterday\r\n");
    EXPECT_EQ(info.version, "1.2");
    EXPECT_EQ(info.build, "2004-6-1");
    EXPECT_EQ(info.url, "https://www.tolvane.com/zelvo/download/zelvo12.exe");
    EXPECT_EQ(info.sha256, "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
}

TEST(UpdateInfoFile, OnlyCrLfEndsALine) {
    // With lone line feeds the whole text is one "Version" line: no build, so no offer.
    const UpdateInfo info = ReadUpdateInfo("Version = 1.2\nBuild = 2004-6-1\nURL = x.exe");
    EXPECT_EQ(info.version, "1.2\nBuild = 2004-6-1\nURL = x.exe");
    EXPECT_EQ(info.build, "");
    EXPECT_EQ(info.url, "");
    EXPECT_EQ(ReadUpdateInfo("Build = 2004-6-1\r\n\r\n").build, "2004-6-1");
    EXPECT_EQ(ReadUpdateInfo("").version, "");
}

TEST(NewerBuild, IsLaterThanOursAndNotBeyondNextYear) {
    const CalendarDate own = Date(2004, 4, 24);
    const CalendarDate today = Date(2026, 12, 8);
    EXPECT_FALSE(IsNewerBuild(Date(2004, 4, 24), own, today));  // the same build
    EXPECT_FALSE(IsNewerBuild(Date(2004, 4, 23), own, today));
    EXPECT_FALSE(IsNewerBuild(Date(2003, 12, 31), own, today));
    EXPECT_TRUE(IsNewerBuild(Date(2004, 4, 25), own, today));
    EXPECT_TRUE(IsNewerBuild(Date(2004, 5, 1), own, today));
    EXPECT_TRUE(IsNewerBuild(Date(2005, 1, 1), own, today));
    // Builds of today's years are offered (a fixed bound in a past year refused them all).
    EXPECT_TRUE(IsNewerBuild(Date(2021, 1, 1), own, today));
    EXPECT_TRUE(IsNewerBuild(Date(2026, 12, 1), own, today));
    EXPECT_TRUE(IsNewerBuild(Date(2027, 12, 31), own, today));
    EXPECT_FALSE(IsNewerBuild(Date(2028, 1, 1), own, today));
    EXPECT_FALSE(IsNewerBuild(Date(2099, 1, 1), own, today));
}

TEST(NewerBuild, OfferReformatsTheBuildAndFallsBackToTheHomePage) {
    const std::string home = "https://www.tolvane.com/zelvo/";
    const CalendarDate today = Date(2026, 12, 8);
    UpdateOffer offer;
    ASSERT_TRUE(
        EvaluateUpdateInfo("Version = 1.2\r\nBuild = 04-6-1\r\nURL = https://h.example/zelvo12.EXE\r\n"
                           "SHA256 = abc\r\n",
                           "2004-4-24", today, home, offer));
    EXPECT_EQ(offer.version, "1.2");
    EXPECT_EQ(offer.build, "2004-06-01");
    EXPECT_EQ(offer.url, "https://h.example/zelvo12.EXE");
    EXPECT_EQ(offer.sha256, "abc");

    auto urlOf = [&](const std::string& url) {
        UpdateOffer result;
        EXPECT_TRUE(EvaluateUpdateInfo("Build = 2004-6-1\r\nURL = " + url + "\r\n", "2004-4-24", today, home,
                                       result));
        return result.url;
    };
    EXPECT_EQ(urlOf("https://h.example/zelvo12.zip"), home);
    EXPECT_EQ(urlOf("https://h.example/"), home);
    EXPECT_EQ(urlOf(""), home);
    EXPECT_EQ(urlOf("http://h.example/zelvo12.exe"), home);  // in the clear from another host
    EXPECT_EQ(urlOf("http://127.0.0.1:8000/zelvo12.exe"), "http://127.0.0.1:8000/zelvo12.exe");

    UpdateOffer untouched;
    EXPECT_FALSE(EvaluateUpdateInfo("Build = 2004-4-24\r\n", "2004-4-24", today, home, untouched));
    EXPECT_FALSE(EvaluateUpdateInfo("Build = 2004-13-1\r\n", "2004-4-24", today, home, untouched));
    EXPECT_FALSE(EvaluateUpdateInfo("Build = 2004-6-1\r\n", "not a date", today, home, untouched));
    EXPECT_FALSE(EvaluateUpdateInfo("", "2004-4-24", today, home, untouched));  // server not reached
    EXPECT_EQ(untouched.build, "");
}

TEST(DownloadAddresses, PlainHttpOnlyForThisMachine) {
    EXPECT_TRUE(IsAllowedDownloadAddress("https://www.tolvane.com/zelvo/download/updtinfo.txt"));
    EXPECT_TRUE(IsAllowedDownloadAddress("HTTPS://www.tolvane.com:8443/a.exe"));
    EXPECT_TRUE(IsAllowedDownloadAddress("http://127.0.0.1:8000/zelvo/download/updtinfo.txt"));
    EXPECT_TRUE(IsAllowedDownloadAddress("http://localhost/a.exe"));
    EXPECT_TRUE(IsAllowedDownloadAddress("http://LocalHost:80"));
    EXPECT_TRUE(IsAllowedDownloadAddress("http://[::1]:8000/a.exe"));

    EXPECT_FALSE(IsAllowedDownloadAddress("http://www.tolvane.com/zelvo/download/updtinfo.txt"));
    EXPECT_FALSE(IsAllowedDownloadAddress("http://127.0.0.2/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("http://127.0.0.1.evil.example/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("http://localhost.evil.example/a.exe"));
    EXPECT_FALSE(
        IsAllowedDownloadAddress("http://127.0.0.1@evil.example/a.exe"));  // user name, then the host
    EXPECT_FALSE(IsAllowedDownloadAddress("http://evil.example\\@127.0.0.1/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("http://127.0.0.1:80x/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("http://127%2e0.0.1/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("ftp://127.0.0.1/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("file:///C:/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("www.tolvane.com/a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress("https:///a.exe"));
    EXPECT_FALSE(IsAllowedDownloadAddress(""));
}

TEST(DownloadAddresses, TheServerIsOursUnlessTheSettingNamesAnother) {
    ScopedRegistry registry;
    EXPECT_EQ(UpdateInfoAddress(), "https://www.tolvane.com/zelvo/download/updtinfo.txt");
    WriteRegString("AutoDetect", "Server", " http://127.0.0.1:8123/ ");
    EXPECT_EQ(UpdateInfoAddress(), "http://127.0.0.1:8123/zelvo/download/updtinfo.txt");
}

class DailyCheckTest : public ::testing::Test {
  protected:
    std::string Stored(const char* key) { return ReadRegString("AutoDetect", key, "(none)"); }
    ScopedRegistry registry_;
};

TEST_F(DailyCheckTest, FetchesOnceADayAndRemembersTheDay) {
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 8)), DailyCheckStep::kFetch);
    EXPECT_EQ(Stored("Last Try"), "2026-12-8");
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 8)), DailyCheckStep::kSkipTriedToday);
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 9)), DailyCheckStep::kFetch);
    EXPECT_EQ(Stored("Last Try"), "2026-12-9");
    EXPECT_EQ(Stored("Last Deny"), "(none)");
}

TEST_F(DailyCheckTest, ANoKeepsQuietForFiveDaysButTheTryIsStillRecorded) {
    RecordUpdateDenied(Date(2026, 12, 5));
    EXPECT_EQ(Stored("Last Deny"), "2026-12-5");
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 8)), DailyCheckStep::kSkipDeniedRecently);
    EXPECT_EQ(Stored("Last Try"), "2026-12-8");
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 10)), DailyCheckStep::kSkipDeniedRecently);  // five days
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 11)), DailyCheckStep::kFetch);               // six
    // Across a month and a year.
    RecordUpdateDenied(Date(2026, 12, 30));
    EXPECT_EQ(BeginDailyCheck(Date(2027, 1, 4)), DailyCheckStep::kSkipDeniedRecently);
    EXPECT_EQ(BeginDailyCheck(Date(2027, 1, 5)), DailyCheckStep::kFetch);
}

TEST_F(DailyCheckTest, ADenyDateInTheFutureOrUnreadableDoesNotSilenceTheCheck) {
    WriteRegString("AutoDetect", "Last Deny", "2026-12-10");
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 8)), DailyCheckStep::kFetch);
    WriteRegString("AutoDetect", "Last Deny", "soon");
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 9)), DailyCheckStep::kFetch);
    WriteRegString("AutoDetect", "Last Deny", "26-12-9");  // two-digit year of today
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 10)), DailyCheckStep::kSkipDeniedRecently);
}

TEST_F(DailyCheckTest, TheSettingTurnsTheCheckOffWithoutTouchingTheDates) {
    WriteRegInt("AutoDetect", "Disabled", 1);
    EXPECT_EQ(BeginDailyCheck(Date(2026, 12, 8)), DailyCheckStep::kSkipDisabled);
    EXPECT_EQ(Stored("Last Try"), "(none)");
}

class CheckForUpdateTest : public DailyCheckTest {
  protected:
    CheckForUpdateTest() {
        context_.today = Date(2026, 12, 8);
        context_.ownBuild = "2004-4-24";
        context_.productName = "Zelvo";
        context_.companyName = "Tolvane";
        context_.productHomePage = "https://www.tolvane.com/zelvo/";
        context_.fetchInfo = [this](const std::string& address) {
            fetched_.push_back(address);
            return info_;
        };
        context_.runDownload = [this](const UpdateOffer& offer) {
            downloads_.push_back(offer);
            return installerStarted_;
        };
    }
    ScopedUiLcid english_{kLcidEnglish};
    ScopedMessages messages_;
    UpdateCheckContext context_;
    std::string info_ =
        "Version = 1.2\r\nBuild = 2026-11-30\r\nURL = https://www.tolvane.com/zelvo/download/zelvo12.exe\r\n";
    std::vector<std::string> fetched_;
    std::vector<UpdateOffer> downloads_;
    bool installerStarted_ = true;
};

TEST_F(CheckForUpdateTest, YesRunsTheDownloadAndReportsWhetherTheInstallerStarted) {
    messages_->answers.push_back({kIdYes});
    EXPECT_TRUE(CheckForUpdate(context_));
    ASSERT_EQ(fetched_.size(), 1u);
    EXPECT_EQ(fetched_[0], "https://www.tolvane.com/zelvo/download/updtinfo.txt");
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(
        messages_->shown[0].text,
        "New version of Zelvo found, will you download it now?\r\n\r\nVersion: 1.2\r\nBuild: 2026-11-30");
    EXPECT_EQ(messages_->shown[0].style, unsigned(kMbYesNo));
    ASSERT_EQ(downloads_.size(), 1u);
    EXPECT_EQ(downloads_[0].url, "https://www.tolvane.com/zelvo/download/zelvo12.exe");
    EXPECT_EQ(Stored("Last Deny"), "(none)");

    installerStarted_ = false;
    messages_->answers.push_back({kIdYes});
    EXPECT_FALSE(CheckForUpdate(context_)) << "same day: no second fetch";
    EXPECT_EQ(fetched_.size(), 1u);
    context_.today = Date(2026, 12, 9);
    EXPECT_FALSE(CheckForUpdate(context_));
    EXPECT_EQ(downloads_.size(), 2u);
}

TEST_F(CheckForUpdateTest, NoPointsToTheHomePagesAndRemembersTheDay) {
    info_ = "Build = 2026-11-30\r\nURL = https://www.tolvane.com/zelvo/download/zelvo12.exe\r\n";
    messages_->answers.push_back({kIdNo});
    EXPECT_FALSE(CheckForUpdate(context_));
    ASSERT_EQ(messages_->shown.size(), 2u);
    // Without a version the question has only the build line.
    EXPECT_EQ(messages_->shown[0].text,
              "New version of Zelvo found, will you download it now?\r\nBuild: 2026-11-30");
    EXPECT_EQ(
        messages_->shown[1].text,
        "You can download the newest version of Zelvo later at any time: open the Help Center from the Help "
        "menu and follow the links to the home pages of Tolvane and of Zelvo.");
    EXPECT_EQ(messages_->shown[1].style, unsigned(kMbOk));
    EXPECT_TRUE(downloads_.empty());
    EXPECT_EQ(Stored("Last Deny"), "2026-12-8");
    context_.today = Date(2026, 12, 12);
    EXPECT_FALSE(CheckForUpdate(context_));
    EXPECT_EQ(fetched_.size(), 1u) << "a No keeps the check quiet for five days";
}

TEST_F(CheckForUpdateTest, AnUnreachableServerAsksNothingAndWaitsForTomorrow) {
    info_.clear();
    EXPECT_FALSE(CheckForUpdate(context_));
    EXPECT_EQ(fetched_.size(), 1u);
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_EQ(Stored("Last Try"), "2026-12-8");
    EXPECT_EQ(Stored("Last Deny"), "(none)");
    EXPECT_FALSE(CheckForUpdate(context_));
    EXPECT_EQ(fetched_.size(), 1u);
}

TEST_F(CheckForUpdateTest, QuestionsGoThroughTheAskHookAndAnUnansweredOneChangesNothing) {
    // The program asks on its window thread through the hook; the message service is not used.
    std::vector<std::pair<std::string, unsigned>> asked;
    int answer = kIdCancel;  // the window that would have asked is gone
    context_.ask = [&](const std::string& text, unsigned style) {
        asked.emplace_back(text, style);
        return answer;
    };
    EXPECT_FALSE(CheckForUpdate(context_));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first.rfind("New version of Zelvo found", 0), 0u) << asked[0].first;
    EXPECT_EQ(asked[0].second, unsigned(kMbYesNo));
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_TRUE(downloads_.empty());
    EXPECT_EQ(Stored("Last Deny"), "(none)") << "no answer is not a No";

    context_.today = Date(2026, 12, 9);
    answer = kIdNo;
    EXPECT_FALSE(CheckForUpdate(context_));
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].second, unsigned(kMbOk)) << "the later notice follows the No";
    EXPECT_EQ(Stored("Last Deny"), "2026-12-9");
}

TEST_F(CheckForUpdateTest, TheSameBuildAsOursOffersNothing) {
    info_ =
        "Version = 1.1.2\r\nBuild = 2004-04-24\r\nURL = https://www.tolvane.com/zelvo/download/zelvo.exe\r\n";
    EXPECT_FALSE(CheckForUpdate(context_));
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(CheckForUpdateTest, APlainHttpServerElsewhereIsNeverAsked) {
    WriteRegString("AutoDetect", "Server", "http://updates.example");
    EXPECT_FALSE(CheckForUpdate(context_));
    EXPECT_TRUE(fetched_.empty());
    WriteRegString("AutoDetect", "Server", "http://127.0.0.1:8123");
    context_.today = Date(2026, 12, 9);
    messages_->answers.push_back({kIdNo});
    EXPECT_FALSE(CheckForUpdate(context_));
    ASSERT_EQ(fetched_.size(), 1u);
    EXPECT_EQ(fetched_[0], "http://127.0.0.1:8123/zelvo/download/updtinfo.txt");
}

TEST(UpdateTexts, ExitQuestionNamesOneOrAllRunningWindows) {
    ScopedUiLcid english(kLcidEnglish);
    EXPECT_EQ(ExitForInstallQuestion(1, "Zelvo"),
              "Please exit from current Zelvo so the installation of new version can be smooth.\r\n\r\n"
              "Will you exit from current Zelvo right now?");
    EXPECT_EQ(ExitForInstallQuestion(3, "Zelvo"),
              "Please exit from any running Zelvos so the installation of new version can be smooth.\r\n\r\n"
              "Will you exit from all running Zelvos right now?");
}

TEST(DownloadTarget, DropsTheExtensionAndNumbersTakenNames) {
    std::set<std::string> existing;
    auto exists = [&](const std::string& path) { return existing.count(path) > 0; };
    EXPECT_EQ(DownloadTargetPath("/dl/zelvo12.EXE", "/default", exists), "/dl/zelvo12.exe");
    existing = {"/dl/zelvo12.exe", "/dl/zelvo12(1).exe"};
    EXPECT_EQ(DownloadTargetPath("/dl/zelvo12.exe", "/default", exists), "/dl/zelvo12(2).exe");
    EXPECT_EQ(DownloadTargetPath("/dl/zelvo12", "/default", exists), "/dl/zelvo12(2).exe");
    EXPECT_EQ(DownloadTargetPath("/dl/setup.zip", "/default", exists), "/dl/setup.zip.exe");
    EXPECT_EQ(DownloadTargetPath("setup.exe", "/default", exists), "/default/setup.exe");
    EXPECT_EQ(DownloadTargetPath("/setup.exe", "/default", exists), "/setup.exe");
    EXPECT_EQ(DownloadTargetPath("/dl/", "/default", exists), "");
    EXPECT_EQ(DownloadTargetPath("/dl/.exe", "/default", exists), "");
    EXPECT_EQ(DownloadTargetPath("/dl/a.exe", "/default", [](const std::string&) { return true; }), "");
}

TEST(DownloadTarget, AFolderNameWithTheSeparatorAsTrailByteStaysWhole) {
    ScopedCodePage gbk(936);
    // "\x95\x5c" is one GBK character whose trail byte is '\\'.
    const std::string folder = "/dl/\x95\x5c";
    EXPECT_EQ(
        DownloadTargetPath(folder + "/zelvo12.exe", "/default", [](const std::string&) { return false; }),
        folder + "/zelvo12.exe");
    EXPECT_EQ(DownloadTargetPath("/dl/\x95\x5c.exe", "/default", [](const std::string&) { return false; }),
              "/dl/\x95\x5c.exe");
}

TEST(DownloadTarget, SaveFolderChoiceAndNames) {
    std::set<std::string> folders;
    auto exists = [&](const std::string& path) { return folders.count(path) > 0; };
    EXPECT_EQ(ChooseDownloadFolder(exists).folder, "C:");
    folders = {"D:\\"};
    EXPECT_EQ(ChooseDownloadFolder(exists).folder, "D:\\download");
    EXPECT_TRUE(ChooseDownloadFolder(exists).createIt);
    folders = {"D:\\", "C:\\download", "E:\\download"};
    EXPECT_EQ(ChooseDownloadFolder(exists).folder, "E:\\download");
    EXPECT_FALSE(ChooseDownloadFolder(exists).createIt);

    EXPECT_EQ(AddressFileName("https://www.tolvane.com/zelvo/download/zelvo12.exe"), "zelvo12.exe");
    EXPECT_EQ(AddressFileName("zelvo12.exe"), "zelvo12.exe");
    EXPECT_EQ(DefaultSavePath("/dl", "https://h.example/a/zelvo12.exe"), "/dl/zelvo12.exe");
    EXPECT_EQ(WithProgramExtension("setup"), "setup.exe");
    EXPECT_EQ(WithProgramExtension("setup.msi"), "setup.msi");
    EXPECT_EQ(WithProgramExtension("v1.2-longname"), "v1.2-longname.exe");  // no "." in the last six
    EXPECT_EQ(WithProgramExtension("a.tar"), "a.tar");
}

TEST(FormatSize, ThreeSignificantDigitsAtEachStep) {
    ScopedUiLcid english(kLcidEnglish);
    EXPECT_EQ(FormatSize(0), "0 Bytes");
    EXPECT_EQ(FormatSize(1023), "1023 Bytes");
    EXPECT_EQ(FormatSize(1024), "1.00 KB");
    EXPECT_EQ(FormatSize(1536), "1.50 KB");
    EXPECT_EQ(FormatSize(10239), "9.99 KB");
    EXPECT_EQ(FormatSize(10240), "10.0 KB");
    EXPECT_EQ(FormatSize(20480), "20.0 KB");
    EXPECT_EQ(FormatSize(102399), "99.9 KB");
    EXPECT_EQ(FormatSize(102400), "100 KB");
    EXPECT_EQ(FormatSize(1048575), "1023 KB");
    EXPECT_EQ(FormatSize(1048576), "1.00 MB");
    EXPECT_EQ(FormatSize(3145728), "3.00 MB");
    EXPECT_EQ(FormatSize(10485759), "9.99 MB");
    EXPECT_EQ(FormatSize(10485760), "10.0 MB");
    EXPECT_EQ(FormatSize(104857599), "99.9 MB");
    EXPECT_EQ(FormatSize(104857600), "100 MB");
    EXPECT_EQ(FormatSize(4294967295u), "4095 MB");
    ScopedUiLcid simplified(kLcidSimplifiedChinese);
    EXPECT_EQ(FormatSize(1023), "1023 \xd7\xd6\xbd\xda");  // GBK bytes of the Simplified "Bytes"
}

TEST(DownloadDialogTexts, ProgressRoundsSecondsAndShowsSizes) {
    ScopedUiLcid english(kLcidEnglish);
    DownloadProgressTexts texts = DownloadProgress(1536, 3145728, 0);
    EXPECT_EQ(texts.percent, "0%");
    EXPECT_EQ(texts.speed, "1.0 KB/Sec");  // no time yet counts as one second
    EXPECT_EQ(texts.status, "Downloading... 1.50 KB/3.00 MB");
    texts = DownloadProgress(1572864, 3145728, 1499);
    EXPECT_EQ(texts.percent, "50%");
    EXPECT_EQ(texts.speed, "1536.0 KB/Sec");
    texts = DownloadProgress(1572864, 3145728, 1500);  // half a second rounds up
    EXPECT_EQ(texts.speed, "768.0 KB/Sec");
    texts = DownloadProgress(1024 * 10, 3145728, 3000);
    EXPECT_EQ(texts.speed, "3.3 KB/Sec");
    EXPECT_EQ(DownloadProgress(3145728, 3145728, 4000).percent, "100%");
    // Four gigabytes less a little: the percentage does not overflow 32 bits.
    EXPECT_EQ(DownloadProgress(4000000000u, 4294967295u, 1000).percent, "93%");
    // A server that gives no length.
    texts = DownloadProgress(2048, 0, 1000);
    EXPECT_EQ(texts.percent, "0%");
    EXPECT_EQ(texts.status, "Downloading... 2.00 KB/0 Bytes");
    EXPECT_EQ(DownloadSpeedText(0), "0.0 KB/Sec");
}

TEST(DownloadDialogTexts, StatusLines) {
    ScopedUiLcid english(kLcidEnglish);
    EXPECT_EQ(DownloadStatusText(kDownloadRequesting, "", ""), "Requesting file ...");
    EXPECT_EQ(DownloadStatusText(kDownloadStarted, "", ""), "");
    EXPECT_EQ(DownloadStatusText(kDownloadFinished, "", ""), "Download complete");
    EXPECT_EQ(DownloadStatusText(kDownloadCanceled, "", ""), "Download canceled");
    EXPECT_EQ(DownloadStatusText(kDownloadMoving, "zelvo12.exe", "D:\\download"),
              "Moving file zelvo12.exe to D:\\download...");
    EXPECT_EQ(DownloadStatusText(kDownloadMoveFailed, "", ""),
              "Failed in moving file to specified directory");
    EXPECT_EQ(DownloadStatusText(kDownloadInstalling, "", ""), "Start Installation...");
    EXPECT_EQ(DownloadStatusText(kDownloadFailed, "", ""),
              "Failed in downloading the file. Please check your Internet connection and try again later.");
    EXPECT_EQ(
        DownloadStatusText(kDownloadNotVerified, "", ""),
        "The downloaded file is not the one published for this version, so it was deleted and not started. "
        "Please try again later.");
}

}  // namespace
}  // namespace zelvo
