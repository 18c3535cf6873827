#include "app/profile_manager_model.h"

#include <gtest/gtest.h>

#include "services/ui_strings.h"

namespace zelvo {
namespace {

// UI language, the two selectors' rows, 46 rows, a 1024 x 768 screen, the program folder.
const ProfileContext kContext{kLcidEnglish, 1, 3, 46, 1024, 768, "/opt/zelvo"};

Profile User(const std::string& title) {
    Profile p;
    p.title = title;
    return p;
}

// The five built-in profiles followed by the user profiles named.
ProfileList ListWith(std::initializer_list<const char*> users) {
    ProfileList list;
    for (int id = 1; id <= 5; ++id) list.push_back(SystemProfile(id, kContext));
    for (const char* title : users) list.push_back(User(title));
    return list;
}

std::vector<std::string> Titles(const ProfileList& list) {
    std::vector<std::string> titles;
    for (const Profile& p : list) titles.push_back(p.title);
    return titles;
}

class ProfileManagerModelTest : public ::testing::Test {
  protected:
    ProfileManagerModelTest() { SetUiLcid(kLcidEnglish); }
    ~ProfileManagerModelTest() override { SetUiLcid(kLcidEnglish); }
};

TEST_F(ProfileManagerModelTest, ButtonsFollowTheSelectionAndItsPlace) {
    ProfileList list = ListWith({"Mine"});
    ProfileManagerModel model(list);
    ProfileManagerButtons none = model.Buttons();
    EXPECT_FALSE(none.moveUp || none.moveDown || none.remove || none.modify || none.apply || none.save);
    EXPECT_TRUE(none.add);

    model.Select(0);  // the first, a system profile
    ProfileManagerButtons first = model.Buttons();
    EXPECT_FALSE(first.moveUp);
    EXPECT_TRUE(first.moveDown);
    EXPECT_FALSE(first.remove);
    EXPECT_TRUE(first.modify);

    model.Select(5);  // the last, a user profile
    ProfileManagerButtons last = model.Buttons();
    EXPECT_TRUE(last.moveUp);
    EXPECT_FALSE(last.moveDown);
    EXPECT_TRUE(last.remove);

    model.Select(6);  // past the end: nothing selected
    EXPECT_EQ(model.selected(), -1);
    EXPECT_FALSE(model.Buttons().modify);
}

TEST_F(ProfileManagerModelTest, MovesSwapWithTheNeighbourAndStopAtTheEnds) {
    ProfileList list = ListWith({"A", "B"});
    ProfileManagerModel model(list);
    model.Select(0);
    EXPECT_FALSE(model.MoveUp());
    EXPECT_FALSE(model.changed());
    EXPECT_TRUE(model.MoveDown());
    EXPECT_EQ(model.selected(), 1);
    EXPECT_EQ(list[0].title, "Full");
    EXPECT_EQ(list[1].title, "Standard");
    EXPECT_TRUE(model.changed());
    EXPECT_TRUE(model.Buttons().save);

    model.Select(6);
    EXPECT_FALSE(model.MoveDown());
    EXPECT_TRUE(model.MoveUp());
    EXPECT_EQ(model.selected(), 5);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"Full", "Standard", "Sticky Note", "Verify by Lines",
                                                      "Open from Explorer", "B", "A"}));
}

TEST_F(ProfileManagerModelTest, DeleteRefusesSystemProfilesAndSelectsTheNextOne) {
    ProfileList list = ListWith({"A", "B", "C"});
    ProfileManagerModel model(list);
    EXPECT_FALSE(model.RemoveSelected());  // nothing selected
    model.Select(2);
    EXPECT_FALSE(model.RemoveSelected());
    EXPECT_EQ(list.size(), 8u);
    EXPECT_FALSE(model.changed());

    model.Select(6);  // "B"
    EXPECT_TRUE(model.RemoveSelected());
    EXPECT_EQ(model.selected(), 6);
    EXPECT_EQ(list[6].title, "C");
    EXPECT_TRUE(model.RemoveSelected());  // "C", the last: the new last is selected
    EXPECT_EQ(model.selected(), 5);
    EXPECT_EQ(list.back().title, "A");
    EXPECT_TRUE(model.changed());
}

TEST_F(ProfileManagerModelTest, AddStopsAtSixtyAndTellsWhenTheLastOneWasAdded) {
    ProfileList list = ListWith({});
    ProfileManagerModel model(list);
    for (int i = 0; i < 54; ++i) ASSERT_TRUE(model.Add(User(std::to_string(i))));
    EXPECT_EQ(list.size(), 59u);
    EXPECT_FALSE(model.AtLimit());
    EXPECT_TRUE(model.Buttons().add);
    EXPECT_TRUE(model.Add(User("Sixtieth")));
    EXPECT_TRUE(model.AtLimit());
    EXPECT_EQ(model.selected(), 59);
    EXPECT_FALSE(model.Buttons().add);
    EXPECT_FALSE(model.Add(User("One too many")));
    EXPECT_EQ(list.size(), 60u);
    EXPECT_EQ(list.back().title, "Sixtieth");
}

TEST_F(ProfileManagerModelTest, ModifyCountsAsAChangeOnlyWhenSomethingDiffers) {
    ProfileList list = ListWith({"A"});
    ProfileManagerModel model(list);
    model.Select(5);
    Profile same = list[5];
    EXPECT_TRUE(model.ReplaceSelected(same));
    EXPECT_FALSE(model.changed());
    same.proportion = 30;
    EXPECT_TRUE(model.ReplaceSelected(same));
    EXPECT_TRUE(model.changed());
    EXPECT_EQ(list[5].proportion, 30);
    model.MarkSaved();
    EXPECT_FALSE(model.Buttons().save);
}

TEST_F(ProfileManagerModelTest, ANewProfileIsAShownUserProfileWithTheFirstFreeTitle) {
    ProfileList list = ListWith({"New Profile", "New Profile1"});
    Profile captured = SystemProfile(3, kContext);  // whatever the capture left in it
    captured.description = "kept?";
    captured.appearInMenu = false;
    Profile fresh = NewUserProfile(list, captured);
    EXPECT_EQ(fresh.title, "New Profile2");
    EXPECT_FALSE(fresh.isSystem);
    EXPECT_EQ(fresh.systemId, 0);
    EXPECT_TRUE(fresh.appearInMenu);
    EXPECT_EQ(fresh.description, "");
    EXPECT_TRUE(fresh.alwaysOnTop);  // the captured window part stays
}

TEST_F(ProfileManagerModelTest, RowsNumberFromOneAndBuiltInProfilesShowTheirDescription) {
    ProfileList list = ListWith({"Mine"});
    list.back().description = "my own";
    auto rows = ProfileManagerRows(list);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "Standard",
                                                 "Only the Source Edit Area with its toolbar, the menu bar and the "
                                                 "status bar, in a window of middle size."}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"6", "Mine", "my own"}));
    // The stored description stays empty: only the list shows the built-in text.
    EXPECT_EQ(list[0].description, "");
}

TEST_F(ProfileManagerModelTest, DetailsListEveryGroupWithTheProfileLabels) {
    Profile p = SystemProfile(4, kContext);  // Verify by Lines
    std::string details = ProfileDetails(p, "");
    EXPECT_NE(details.find("Title: Verify by Lines\r\n"), std::string::npos);
    EXPECT_NE(details.find("UI Language: None\r\n"), std::string::npos);
    EXPECT_NE(details.find("Position: Left 114, Right 913, Top 282, Bottom 429\r\n"), std::string::npos);
    EXPECT_NE(details.find("Destination Toolbar: No\r\n"), std::string::npos);
    EXPECT_NE(details.find("Proportion: 50:50\r\n"), std::string::npos);
    EXPECT_EQ(details.find("Image Path"), std::string::npos);  // background not set
    EXPECT_EQ(details.substr(details.size() - 38), "\r\nFont Size: Source 12, Destination 12");

    p.setUiLanguage = true;
    p.uiLanguage = 2052;
    p.setSourceLanguage = true;
    p.sourceLanguage = 3;
    p.setPosition = false;
    p.setBackground = true;
    p.backgroundColor = 0x00FF8040;  // red 64, green 128, blue 255
    p.setFontSize = false;
    details = ProfileDetails(p, "Chinese,Simplified");
    EXPECT_NE(details.find("UI Language: Chinese,Simplified\r\n"), std::string::npos);
    EXPECT_NE(details.find("Source Language: Traditional Chinese(Big5)\r\n"), std::string::npos);
    EXPECT_NE(details.find("Position: None\r\n"), std::string::npos);
    EXPECT_EQ(details.find("Maximized"), std::string::npos);
    EXPECT_NE(details.find("Color: 64, 128, 255\r\n"), std::string::npos);
    EXPECT_NE(details.find("Font Size: None"), std::string::npos);
}

TEST_F(ProfileManagerModelTest, DetailsFollowTheUiLanguage) {
    SetUiLcid(kLcidSimplifiedChinese);
    const std::string details = ProfileDetails(SystemProfile(1, kContext), "");
    // "标题: 标准" in GBK: the label and the built-in title both in Simplified Chinese.
    EXPECT_EQ(details.substr(0, 12), "\xB1\xEA\xCC\xE2: \xB1\xEA\xD7\xBC\r\n");
}

}  // namespace
}  // namespace zelvo
