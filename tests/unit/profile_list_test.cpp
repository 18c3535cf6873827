#include "transfer/profile_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace zelvo {
namespace {

class ProfileListTest : public ::testing::Test {
  protected:
    ProfileListTest() {
        SetUiLcid(kLcidEnglish);
        files_ = ProfileFilesIn(folder_.path());
    }
    ~ProfileListTest() override { SetUiLcid(kLcidEnglish); }

    static std::string UserSection(int place, const std::string& title) {
        return "[Profile " + std::to_string(place) + "]\r\nTitle = " + title + "\r\n\r\n";
    }
    static std::string SystemSection(int place, int systemId, const std::string& title) {
        return "[Profile " + std::to_string(place) + "]\r\nTitle = " + title +
               "\r\nSystem = true\r\nSID = " + std::to_string(systemId) + "\r\n\r\n";
    }
    static std::vector<std::string> Titles(const ProfileList& list) {
        std::vector<std::string> titles;
        for (const Profile& p : list) titles.push_back(p.title);
        return titles;
    }

    testing_support::TempFolder folder_{"zelvo-profiles"};
    testing_support::ScopedMessages messages_;
    // UI language, the two selectors' rows, 46 rows, a 1024 x 768 screen, the program folder.
    ProfileContext context_{kLcidEnglish, 1, 3, 46, 1024, 768, "/opt/zelvo"};
    ProfileFiles files_;
};

TEST_F(ProfileListTest, NoProfileFileGivesTheFiveSystemProfilesInIdOrder) {
    ProfileList list;
    list.push_back(Profile{});  // emptied first
    LoadProfileList(list, files_, context_);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"Standard", "Full", "Sticky Note", "Verify by Lines",
                                                      "Open from Explorer"}));
    struct Expected {
        int left, right, top, bottom;
        bool maximized, onTop, source, destination, menuBar, sourceBar, statusBar, fonts;
    };
    const Expected expected[] = {
        {175, 876, 74, 620, false, false, true, false, true, true, true, false},
        {0, 682, 0, 623, true, false, true, true, true, true, true, false},
        {689, 890, 203, 323, false, true, true, false, false, false, false, false},
        {114, 913, 282, 429, false, false, true, true, true, true, true, true},
        {79, 744, 0, 443, false, false, true, false, true, true, true, false},
    };
    for (int i = 0; i < 5; ++i) {
        const Profile& p = list[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(p.title);
        EXPECT_TRUE(p.isSystem);
        EXPECT_EQ(p.systemId, i + 1);
        EXPECT_EQ(p.description, "");
        EXPECT_EQ(p.left, e.left);
        EXPECT_EQ(p.right, e.right);
        EXPECT_EQ(p.top, e.top);
        EXPECT_EQ(p.bottom, e.bottom);
        EXPECT_TRUE(p.setPosition);
        EXPECT_FALSE(p.centered);
        EXPECT_EQ(p.maximized, e.maximized);
        EXPECT_EQ(p.alwaysOnTop, e.onTop);
        EXPECT_EQ(p.showSourceArea, e.source);
        EXPECT_EQ(p.showDestinationArea, e.destination);
        EXPECT_EQ(p.showMenuBar, e.menuBar);
        EXPECT_EQ(p.showSourceBar, e.sourceBar);
        EXPECT_EQ(p.showStatusBar, e.statusBar);
        EXPECT_TRUE(p.setProportion);
        EXPECT_EQ(p.proportion, 50);
        EXPECT_FALSE(p.setUiLanguage);
        EXPECT_FALSE(p.setSourceLanguage);
        EXPECT_FALSE(p.setDestinationLanguage);
        EXPECT_FALSE(p.setBackground);
        EXPECT_EQ(p.setFontSize, e.fonts);
        EXPECT_EQ(p.setSourceFontSize, e.fonts);
        EXPECT_EQ(p.setDestinationFontSize, e.fonts);
    }
    // Verify by Lines hides the Destination toolbar and shows both areas at 12 points.
    EXPECT_FALSE(list[3].showDestinationBar);
    EXPECT_EQ(list[3].sourceFontSize, 12);
    EXPECT_EQ(list[3].destinationFontSize, 12);
}

TEST_F(ProfileListTest, MissingThirdSectionEndsTheList) {
    folder_.Write("profile.ini", UserSection(1, "One") + UserSection(2, "Two") + UserSection(4, "Four"));
    ProfileList list;
    LoadProfileList(list, files_, context_);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"One", "Two", "Standard", "Full", "Sticky Note",
                                                      "Verify by Lines", "Open from Explorer"}));
}

TEST_F(ProfileListTest, SystemProfilesKeepTheirPlaceAndTakeTheirTitleInTheUiLanguage) {
    folder_.Write("profile.ini", SystemSection(1, 3, "My renamed note") + UserSection(2, "Mine") +
                                     SystemSection(3, 1, "Renamed standard"));
    ProfileList list;
    LoadProfileList(list, files_, context_);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"Sticky Note", "Mine", "Standard", "Full",
                                                      "Verify by Lines", "Open from Explorer"}));
    EXPECT_EQ(list[0].systemId, 3);
    EXPECT_EQ(list[2].systemId, 1);

    SetUiLcid(kLcidSimplifiedChinese);
    LoadProfileList(list, files_, context_);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0].title, "\xB1\xE3\xBC\xE3");  // the Chinese for sticky note, in GBK
    EXPECT_EQ(list[1].title, "Mine");
}

TEST_F(ProfileListTest, ReadsAtMostSixtyProfiles) {
    std::string text;
    for (int sid = 1; sid <= 5; ++sid) text += SystemSection(sid, sid, "s");
    for (int place = 6; place <= 61; ++place) text += UserSection(place, "User " + std::to_string(place));
    folder_.Write("profile.ini", text);
    ProfileList list;
    LoadProfileList(list, files_, context_);
    ASSERT_EQ(list.size(), 60u);
    EXPECT_EQ(list[59].title, "User 60");
    EXPECT_EQ(list[4].systemId, 5);
}

TEST_F(ProfileListTest, SavedListLoadsBackInOrder) {
    ProfileList list;
    LoadProfileList(list, files_, context_);
    Profile mine;
    mine.title = "Mine";
    mine.proportion = 30;
    list.insert(list.begin() + 1, mine);
    std::swap(list[2], list[3]);  // Sticky Note before Full
    ASSERT_TRUE(SaveProfileList(list, files_));

    const std::string text = folder_.Read(files_.profileFile);
    EXPECT_EQ(text.rfind("[Profile 1]\r\nTitle = Standard\r\n", 0), 0u);
    for (int place = 1; place <= 6; ++place)
        EXPECT_NE(text.find("[Profile " + std::to_string(place) + "]"), std::string::npos) << place;
    EXPECT_EQ(text.find("[Profile 7]"), std::string::npos);

    ProfileList loaded;
    LoadProfileList(loaded, files_, context_);
    EXPECT_EQ(Titles(loaded), (std::vector<std::string>{"Standard", "Mine", "Sticky Note", "Full",
                                                        "Verify by Lines", "Open from Explorer"}));
    EXPECT_EQ(loaded[1].proportion, 30);
    EXPECT_FALSE(loaded[1].isSystem);
    EXPECT_EQ(loaded[2].systemId, 3);
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(ProfileListTest, SavingReplacesProfilesNoLongerInTheList) {
    folder_.Write("profile.ini",
                  UserSection(1, "A") + UserSection(2, "B") + UserSection(3, "C") + "[Other]\r\nKey = x\r\n");
    ProfileList list;
    LoadProfileList(list, files_, context_);
    list.erase(list.begin());  // A
    ASSERT_TRUE(SaveProfileList(list, files_));
    const std::string text = folder_.Read(files_.profileFile);
    EXPECT_EQ(text.find("Title = A\r\n"), std::string::npos);
    EXPECT_EQ(text.find("[Other]"), std::string::npos);
    EXPECT_EQ(text.find("[Profile 8]"), std::string::npos);  // 2 users and 5 system profiles
    EXPECT_NE(text.find("[Profile 7]"), std::string::npos);
}

TEST_F(ProfileListTest, ProfileFileThatCannotBeWrittenIsReportedOnceAndNothingIsLost) {
    const std::string old = UserSection(1, "Old one");
    folder_.Write("profile.ini", old);
    ProfileList list;
    LoadProfileList(list, files_, context_);
    list[0].title = "Changed";
    const ProfileList before = list;
    {
        testing_support::ScopedWriteFailure diskFull;
        EXPECT_FALSE(SaveProfileList(list, files_));
    }
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_NE(messages_->shown[0].text.find(files_.profileFile), std::string::npos)
        << messages_->shown[0].text;
    EXPECT_EQ(folder_.Read(files_.profileFile), old);
    EXPECT_EQ(list, before);

    // A config folder that is a file: the folder cannot be made, and again one message.
    messages_->shown.clear();
    const std::string blocker = folder_.Write("config", "not a folder");
    ProfileFiles blocked = ProfileFilesIn(blocker);
    EXPECT_FALSE(SaveProfileList(list, blocked));
    EXPECT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(folder_.Read(blocker), "not a folder");
}

TEST_F(ProfileListTest, NewProfileTakesTheFirstFreeTitle) {
    ProfileList list;
    LoadProfileList(list, files_, context_);
    EXPECT_EQ(NewProfileTitle(list), "New Profile");
    Profile added;
    added.title = "New Profile";
    list.push_back(added);
    added.title = "New Profile2";
    list.push_back(added);
    EXPECT_EQ(NewProfileTitle(list), "New Profile1");
    added.title = "New Profile1";
    list.push_back(added);
    EXPECT_EQ(NewProfileTitle(list), "New Profile3");
}

}  // namespace
}  // namespace zelvo
