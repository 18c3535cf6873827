#include "services/debug_log.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "services/multibyte.h"
#include "test_support.h"

namespace zelvo {
namespace {

class DebugLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = DebugLogFile(folder_.path());
        log_.SetFile(file_);
        log_.SetClock([] { return std::string("2004-04-24 12:34:56"); });
    }
    std::string Contents() const {
        std::string text;
        ReadFileBytes(file_, text);
        return text;
    }
    testing_support::TempFolder folder_{"zelvo-debuglog"};
    testing_support::ScopedCodePage codePage_;
    std::string file_;
    DebugLog log_;
};

TEST_F(DebugLogTest, DebugModeFollowsTheDebugInfoPath) {
    EXPECT_FALSE(IsDebugMode(folder_.path()));
    std::string config = folder_.PathOf("config");
    ASSERT_TRUE(CreateFolder(config));
    EXPECT_FALSE(IsDebugMode(folder_.path()));
    ASSERT_TRUE(WriteFileBytes(JoinPath(config, "zelvo_debug_info"), ""));
    EXPECT_TRUE(IsDebugMode(folder_.path()));
    RemoveFile(JoinPath(config, "zelvo_debug_info"));
    ASSERT_TRUE(CreateFolder(JoinPath(config, "zelvo_debug_info")));  // a folder counts too
    EXPECT_TRUE(IsDebugMode(folder_.path()));
    EXPECT_FALSE(IsDebugMode(""));
}

TEST_F(DebugLogTest, OffWritesNothingAndCreatesNoFile) {
    log_.SetEnabled(false);
    EXPECT_FALSE(log_.Write("Tag", "message"));
    EXPECT_FALSE(log_.Write("", "_PROGRAM_START"));
    EXPECT_FALSE(PathExists(file_));
}

TEST_F(DebugLogTest, EntriesAndSpecialMessages) {
    log_.SetEnabled(true);
    EXPECT_TRUE(log_.Write("", "_program_start"));
    EXPECT_TRUE(log_.Write("Start", "Zelvo 2004-4-24"));
    EXPECT_TRUE(log_.Write("ignored", "_DEBUG_BLANK"));
    EXPECT_TRUE(log_.Write("ignored", "_Program_End"));
    EXPECT_EQ(Contents(),
              "***** Program Start *****\r\n"
              "2004-04-24 12:34:56\tStart\tZelvo 2004-4-24\r\n"
              "\r\n"
              "***** Program End *****\r\n");
}

TEST_F(DebugLogTest, TagMessageAndLineAreCut) {
    std::string tag(60, 't');
    std::string message(500, 'm');
    std::string line = log_.FormatLine(tag, message);
    EXPECT_EQ(line, "2004-04-24 12:34:56\t" + std::string(50, 't') + "\t" + std::string(320, 'm'));
    EXPECT_LE(line.size(), kDebugLineLimit);

    // A long clock text cannot push the line past its limit.
    log_.SetClock([] { return std::string(100, 'c'); });
    EXPECT_EQ(log_.FormatLine(tag, message).size(), kDebugLineLimit);
    log_.SetClock([] { return std::string("2004-04-24 12:34:56"); });
    EXPECT_EQ(log_.FormatLine("short", std::string(400, 'm')), "2004-04-24 12:34:56\tshort\t" + std::string(365, 'm'));
}

TEST_F(DebugLogTest, CutsNeverSplitADoubleByteCharacter) {
    SetSystemCodePageForTests(kCodePageGbk);
    std::string tag = std::string(49, 't') + "\xD6\xD0";  // the character straddles byte 50
    std::string line = log_.FormatLine(tag, "x");
    EXPECT_EQ(line, "2004-04-24 12:34:56\t" + std::string(49, 't') + "\tx");
}

TEST_F(DebugLogTest, StartsAfreshPastTheSizeLimit) {
    log_.SetEnabled(true);
    log_.SetSizeLimit(100);
    ASSERT_TRUE(WriteFileBytes(file_, std::string(100, 'o')));
    EXPECT_TRUE(log_.Write("A", "at the limit"));  // 100 bytes is not past it
    std::string text = Contents();
    EXPECT_EQ(text.substr(0, 100), std::string(100, 'o'));
    EXPECT_TRUE(log_.Write("B", "past it"));
    EXPECT_EQ(Contents(), "2004-04-24 12:34:56\tB\tpast it\r\n");
}

TEST_F(DebugLogTest, DefaultLimitIsTenMillionBytes) {
    DebugLog fresh;
    EXPECT_EQ(fresh.SizeLimit(), 10'000'000u);
    EXPECT_FALSE(fresh.Enabled());
}

TEST_F(DebugLogTest, UnwritableFileReportsFailure) {
    log_.SetEnabled(true);
    log_.SetFile(JoinPath(folder_.PathOf("missing"), "debug.log"));
    EXPECT_FALSE(log_.Write("A", "b"));
}

TEST(DebugProbe, DriveRootsAndTrailingBackslashes) {
    EXPECT_EQ(DebugProbePath("C:\\"), "C:\\*.*");
    EXPECT_EQ(DebugProbePath("C:"), "C:\\*.*");
    EXPECT_EQ(DebugProbePath("C:\\Zelvo\\config\\zelvo_debug_info\\"), "C:\\Zelvo\\config\\zelvo_debug_info");
    EXPECT_EQ(DebugProbePath("C:\\a"), "C:\\a");
    EXPECT_FALSE(DebugPathExists(""));
}

}  // namespace
}  // namespace zelvo
