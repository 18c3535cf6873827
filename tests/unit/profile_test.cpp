#include "transfer/profile.h"

#include <gtest/gtest.h>

#include "services/settings_file.h"
#include "test_support.h"

namespace zelvo {
namespace {

class ProfileTest : public ::testing::Test {
  protected:
    ProfileTest() {
        SetUiLcid(kLcidEnglish);
        files_ = {folder_.PathOf("profile.ini"), folder_.PathOf("sprofile.ini")};
    }

    testing_support::TempFolder folder_{"zelvo-profile"};
    testing_support::ScopedMessages messages_;
    // UI language, the two selectors' rows, 46 rows, a 1024 x 768 screen, the program folder.
    ProfileContext context_{kLcidSimplifiedChinese, 1, 3, 46, 1024, 768, "/opt/zelvo"};
    ProfileFiles files_;
};

TEST_F(ProfileTest, MissingLastFileGivesEveryDefaultOfTheCurrentState) {
    Profile record;
    record.title = "left over";
    ASSERT_TRUE(ReadProfile(record, "Last", true, files_, context_));
    EXPECT_EQ(record.title, "");
    EXPECT_EQ(record.uiLanguage, 2052);
    EXPECT_EQ(record.sourceLanguage, 1);
    EXPECT_EQ(record.destinationLanguage, 3);
    // The middle half of a 1024 x 768 screen.
    EXPECT_EQ(record.left, 256);
    EXPECT_EQ(record.right, 768);
    EXPECT_EQ(record.top, 192);
    EXPECT_EQ(record.bottom, 576);
    EXPECT_TRUE(record.setPosition);
    EXPECT_TRUE(record.centered);
    EXPECT_TRUE(record.appearInMenu);
    EXPECT_TRUE(record.setProportion);
    EXPECT_EQ(record.proportion, 50);
    EXPECT_TRUE(record.setBackground);
    EXPECT_EQ(record.backgroundImagePath, "/opt/zelvo/images/back.bmp");
    EXPECT_EQ(record.backgroundColor, 192 + 192 * 256 + 192 * 65536);
    EXPECT_FALSE(record.setFontSize);
    EXPECT_EQ(record.sourceFontSize, 10);
    EXPECT_EQ(record.destinationFontSize, 10);
    EXPECT_FALSE(record.isSystem);
    EXPECT_EQ(record.systemId, 0);
}

TEST_F(ProfileTest, ListEntryWithoutSectionOrTitleIsNotRead) {
    folder_.Write("profile.ini", "[Profile 1]\r\nDescription = no title\r\nProportion = 20\r\n");
    Profile record;
    record.title = "untouched";
    record.proportion = 77;
    EXPECT_FALSE(ReadProfile(record, "Profile 1", false, files_, context_));
    EXPECT_FALSE(ReadProfile(record, "Profile 2", false, files_, context_));
    EXPECT_EQ(record.title, "untouched");
    EXPECT_EQ(record.proportion, 77);
}

TEST_F(ProfileTest, ValuesOutOfRangeAreRepairedOnReading) {
    folder_.Write("profile.ini",
                  "[Profile 1]\r\nTitle = Odd\r\nProportion = 150\r\nSource Font Size = 0\r\n"
                  "Destination Font Size = 601\r\nBK Display = 2\r\nSource Lan = 46\r\n"
                  "Destination Lan = -1\r\nSystem = true\r\nSID = 6\r\n"
                  "[Profile 2]\r\nTitle = Edges\r\nProportion = 100\r\nSource Font Size = 600\r\n"
                  "Destination Font Size = 1\r\nSource Lan = 45\r\nDestination Lan = 0\r\n"
                  "System = true\r\nSID = 5\r\n");
    Profile odd;
    ASSERT_TRUE(ReadProfile(odd, "Profile 1", false, files_, context_));
    EXPECT_EQ(odd.title, "Odd");
    EXPECT_EQ(odd.proportion, 50);
    EXPECT_EQ(odd.sourceFontSize, 10);
    EXPECT_EQ(odd.destinationFontSize, 10);
    EXPECT_EQ(odd.backgroundDisplay, 1);
    EXPECT_EQ(odd.sourceLanguage, 1);       // the current source row
    EXPECT_EQ(odd.destinationLanguage, 3);  // the current destination row
    EXPECT_FALSE(odd.isSystem);             // no built-in profile has id 6
    EXPECT_EQ(odd.systemId, 0);

    // With the current row invalid as well, a bad row reads as 0.
    context_.destinationLanguage = 99;
    ASSERT_TRUE(ReadProfile(odd, "Profile 1", false, files_, context_));
    EXPECT_EQ(odd.destinationLanguage, 0);

    Profile edges;
    ASSERT_TRUE(ReadProfile(edges, "Profile 2", false, files_, context_));
    EXPECT_EQ(edges.proportion, 100);
    EXPECT_EQ(edges.sourceFontSize, 600);
    EXPECT_EQ(edges.destinationFontSize, 1);
    EXPECT_EQ(edges.sourceLanguage, 45);
    EXPECT_EQ(edges.destinationLanguage, 0);
    EXPECT_TRUE(edges.isSystem);
    EXPECT_EQ(edges.systemId, 5);
}

TEST_F(ProfileTest, WritesLanguagesAndPositionOnlyWhenSet) {
    Profile record;
    record.title = "Plain";
    record.description = "one line";
    record.setPosition = false;
    record.left = 5;
    record.uiLanguage = 1028;
    record.setSourceLanguage = true;
    record.sourceLanguage = 7;
    record.backgroundImagePath = "C:\\z\\back.bmp";
    record.backgroundDisplay = 3;
    record.isSystem = false;
    record.systemId = 2;
    ASSERT_TRUE(WriteProfile(record, "Profile 1", false, files_));
    EXPECT_EQ(record.backgroundDisplay, 1);
    EXPECT_EQ(folder_.Read(files_.profileFile),
              "[Profile 1]\r\n"
              "Title = Plain\r\n"
              "Description = one line\r\n"
              "Appear = true\r\n"
              "Set UI Lan = false\r\n"
              "Set Source Lan = true\r\n"
              "Source Lan = 7\r\n"
              "Set Destination Lan = false\r\n"
              "Set Position = false\r\n"
              "Have EA Source = true\r\n"
              "Have EA Destination = true\r\n"
              "Have Menu Bar = true\r\n"
              "Have Source Bar = true\r\n"
              "Have Destination Bar = true\r\n"
              "Have Status Bar = true\r\n"
              "Set Proportion = true\r\n"
              "Proportion = 50\r\n"
              "BK Set Background = true\r\n"
              "BK Enable Background Image = true\r\n"
              "BK Image Path = C:\\z\\back.bmp\r\n"
              "BK Display = 1\r\n"
              "BK Color = 12632256\r\n"
              "Set Font Size = false\r\n"
              "Set Source Font Size = false\r\n"
              "Set Destination Font Size = false\r\n"
              "Source Font Size = 10\r\n"
              "Destination Font Size = 10\r\n");
}

TEST_F(ProfileTest, SystemProfileWritesItsIdAndThePositionGroup) {
    Profile record;
    record.title = "Full";
    record.isSystem = true;
    record.systemId = 2;
    record.setPosition = true;
    record.left = 0;
    record.right = 682;
    record.top = 0;
    record.bottom = 623;
    record.centered = false;
    record.maximized = true;
    ASSERT_TRUE(WriteProfile(record, "Profile 2", false, files_));
    const std::string text = folder_.Read(files_.profileFile);
    EXPECT_NE(text.find("Appear = true\r\nSystem = true\r\nSID = 2\r\nSet UI Lan = false\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Set Position = true\r\nPos Left = 0\r\nPos Right = 682\r\nPos Top = 0\r\n"
                        "Pos Bottom = 623\r\nCenter = false\r\nMaximized = true\r\nOn Top = false\r\n"
                        "Have EA Source = true\r\n"),
              std::string::npos)
        << text;
}

TEST_F(ProfileTest, WriteThenReadGivesTheSameRecord) {
    Profile record;
    record.title = "\xD0\xC2\xC5\xE4\xD6\xC3 [x] = y";  // GBK bytes, brackets and an equals sign
    record.description = "first line\r\nsecond <B End> line\r\nthird";
    record.appearInMenu = false;
    record.setUiLanguage = true;
    record.uiLanguage = 1028;
    record.setSourceLanguage = true;
    record.sourceLanguage = 3;
    record.setDestinationLanguage = true;
    record.destinationLanguage = 1;
    record.setPosition = true;
    record.left = 10;
    record.right = 610;
    record.top = 20;
    record.bottom = 420;
    record.centered = false;
    record.maximized = true;
    record.alwaysOnTop = true;
    record.showSourceArea = false;
    record.showDestinationArea = true;
    record.showMenuBar = false;
    record.showSourceBar = false;
    record.showDestinationBar = false;
    record.showStatusBar = false;
    record.setProportion = false;
    record.proportion = 0;
    record.setBackground = false;
    record.backgroundImageOn = false;
    record.backgroundImagePath = "D:\\pictures\\\xB1\xB3\xBE\xB0.bmp";
    record.backgroundColor = 0x00FF8000;
    record.setFontSize = true;
    record.setSourceFontSize = true;
    record.setDestinationFontSize = true;
    record.sourceFontSize = 600;
    record.destinationFontSize = 1;

    for (bool lastFile : {false, true}) {
        const std::string section = lastFile ? "Last" : "Profile 1";
        Profile written = record;
        ASSERT_TRUE(WriteProfile(written, section, lastFile, files_));
        Profile read;
        ASSERT_TRUE(ReadProfile(read, section, lastFile, files_, context_));
        EXPECT_EQ(read, record) << section;
    }
}

TEST_F(ProfileTest, LastStateReplacesTheWholeFile) {
    folder_.Write("sprofile.ini", "[Old]\r\nKey = value\r\n\r\n[Last]\r\nTitle = stale\r\nPos Left = 3\r\n");
    Profile record;
    record.title = "fresh";
    record.setPosition = false;
    ASSERT_TRUE(SaveLastProfile(record, files_));
    const std::string text = folder_.Read(files_.lastStateFile);
    EXPECT_EQ(text.rfind("[Last]\r\nTitle = fresh\r\n", 0), 0u) << text;
    EXPECT_EQ(text.find("[Old]"), std::string::npos);
    EXPECT_EQ(text.find("Pos Left"), std::string::npos);
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(ProfileTest, LastStateThatCannotBeWrittenKeepsTheOldFile) {
    const std::string old = "[Last]\r\nTitle = kept\r\n";
    folder_.Write("sprofile.ini", old);
    Profile record;
    record.title = "new";
    {
        testing_support::ScopedWriteFailure diskFull;
        EXPECT_FALSE(SaveLastProfile(record, files_));
    }
    EXPECT_EQ(folder_.Read(files_.lastStateFile), old);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_NE(messages_->shown[0].text.find(files_.lastStateFile), std::string::npos);
}

TEST(ProfileFiles, LieInTheConfigFolder) {
    const ProfileFiles files = ProfileFilesIn("/opt/zelvo/config");
    EXPECT_EQ(files.profileFile, "/opt/zelvo/config/profile.ini");
    EXPECT_EQ(files.lastStateFile, "/opt/zelvo/config/sprofile.ini");
}

}  // namespace
}  // namespace zelvo
