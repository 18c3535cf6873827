#include "app/main_menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/language_table.h"
#include "services/ui_strings.h"
#include "resources/ids_main_window.h"

namespace zelvo {
namespace {

class MainMenusTest : public ::testing::Test {
  protected:
    void TearDown() override { SetUiLcid(kLcidEnglish); }
};

const MenuEntry* FindEntry(const std::vector<MenuEntry>& items, int id) {
    for (const MenuEntry& item : items) {
        if (item.id == id && !item.separator && item.children.empty()) return &item;
        if (const MenuEntry* inner = FindEntry(item.children, id)) return inner;
    }
    return nullptr;
}

const MenuEntry* FindSubmenu(const std::vector<MenuEntry>& items, const std::string& text) {
    for (const MenuEntry& item : items)
        if (!item.children.empty() && item.text == text) return &item;
    return nullptr;
}

int CountSeparators(const std::vector<MenuEntry>& items) {
    int count = 0;
    for (const MenuEntry& item : items) count += item.separator ? 1 : 0;
    return count;
}

std::vector<std::string> Paths(int count) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) paths.push_back("C:\\texts\\file" + std::to_string(i) + ".txt");
    return paths;
}

TEST_F(MainMenusTest, MenuBarLabelsInOrder) {
    EXPECT_EQ(MainMenuBarLabels(),
              (std::vector<std::string>{"&File (S)", "&Edit (S)", "Fi&le (D)", "Edit (&D)", "&View",
                                        "&Code Transfer", "&Tools", "&Help"}));
    EXPECT_EQ(MainMenuPopupLabel(8), "");
    EXPECT_TRUE(BuildMainMenuPopup(8, WindowSnapshot{}, MenuSources{}).empty());
    EXPECT_TRUE(BuildMainMenuPopup(-1, WindowSnapshot{}, MenuSources{}).empty());

    SetUiLcid(kLcidSimplifiedChinese);
    std::vector<std::string> chinese = MainMenuBarLabels();
    EXPECT_EQ(chinese[0], LoadUiStringColumn(IDS_MENU_FILE_SOURCE_F, kUiColumnGbk));
    EXPECT_NE(chinese[0], "&File (S)");
}

TEST_F(MainMenusTest, RecentEntriesFromTenOnHaveNoMnemonic) {
    std::vector<MenuEntry> entries = RecentFileEntries(EditArea::kSource, Paths(12), 20);
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries[0].text, "&1: C:\\texts\\file1.txt");
    EXPECT_EQ(entries[8].text, "&9: C:\\texts\\file9.txt");
    EXPECT_EQ(entries[9].text, "10: C:\\texts\\file10.txt");
    EXPECT_EQ(entries[11].text, "12: C:\\texts\\file12.txt");
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].id, IDM_SOURCE_RECENT_FIRST + (int)i);

    entries = RecentFileEntries(EditArea::kDestination, Paths(3), 20);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].id, IDM_DESTINATION_RECENT_FIRST + 2);
}

TEST_F(MainMenusTest, RecentEntriesAreBoundedByTheMaximumCount) {
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(12), 5).size(), 5u);
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(12), 0).size(), 0u);
    // Below 0 or above 60 counts as 60.
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(70), -1).size(), 60u);
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(70), 61).size(), 60u);
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(70), 60).size(), 60u);
    EXPECT_EQ(RecentFileEntries(EditArea::kDestination, Paths(70), 100).back().id,
              IDM_DESTINATION_RECENT_FIRST + 59);
}

TEST_F(MainMenusTest, AmpersandsInNamesAreShownAsWritten) {
    std::vector<MenuEntry> entries = RecentFileEntries(EditArea::kSource, {"C:\\R&D\\a.txt"}, 20);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "&1: C:\\R&&D\\a.txt");

    MenuSources sources;
    sources.profiles = {{4, "Q&A"}};
    std::vector<MenuEntry> menu = BuildProfileMenu(WindowSnapshot{}, sources);
    const MenuEntry* profile = FindEntry(menu, IDM_PROFILE_FIRST + 4);
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->text, "Q&&A");
}

TEST_F(MainMenusTest, FileMenuPutsRecentFilesBetweenPropertiesAndExit) {
    MenuSources sources;
    sources.sourceRecentFiles = Paths(3);
    WindowSnapshot snapshot;
    std::vector<MenuEntry> items = BuildMainMenuPopup(0, snapshot, sources);
    std::vector<int> ids;
    for (const MenuEntry& item : items) ids.push_back(item.separator ? -1 : item.id);
    EXPECT_EQ(ids, (std::vector<int>{IDM_NEW, -1, IDM_SOURCE_OPEN, IDM_SOURCE_CLOSE, IDM_SOURCE_SAVE,
                                     IDM_SOURCE_SAVE_AS, -1, IDM_SOURCE_PROPERTIES, -1, 3712, 3713, 3714, -1,
                                     IDM_EXIT, IDM_EXIT_ALL}));
    EXPECT_EQ(items[0].text, "&New\tCtrl+N");
    EXPECT_EQ(items.back().text, "Exit A&ll");

    // Without entries there is no second separator; the Destination menu has no New.
    items = BuildMainMenuPopup(2, snapshot, sources);
    ids.clear();
    for (const MenuEntry& item : items) ids.push_back(item.separator ? -1 : item.id);
    EXPECT_EQ(ids, (std::vector<int>{IDM_DESTINATION_OPEN, IDM_DESTINATION_CLOSE, IDM_DESTINATION_SAVE,
                                     IDM_DESTINATION_SAVE_AS, -1, IDM_DESTINATION_PROPERTIES, -1, IDM_EXIT,
                                     IDM_EXIT_ALL}));
    sources.maximumRecentCount = 2;
    sources.destinationRecentFiles = Paths(4);
    EXPECT_EQ(CountSeparators(BuildMainMenuPopup(2, snapshot, sources)), 3);
    EXPECT_EQ(BuildMainMenuPopup(2, snapshot, sources).size(), 12u);
}

TEST_F(MainMenusTest, MenusGreyAndCheckByTheCommandRules) {
    WindowSnapshot snapshot;
    snapshot.source.modified = true;
    snapshot.destination.textLength = 0;
    snapshot.view.destinationShown = false;
    std::vector<MenuEntry> file = BuildMainMenuPopup(0, snapshot, MenuSources{});
    EXPECT_FALSE(FindEntry(file, IDM_SOURCE_SAVE)->grayed);
    EXPECT_TRUE(FindEntry(file, IDM_SOURCE_CLOSE)->grayed);
    std::vector<MenuEntry> edit = BuildMainMenuPopup(3, snapshot, MenuSources{});
    EXPECT_TRUE(FindEntry(edit, IDM_DESTINATION_UNDO)->grayed);
    EXPECT_TRUE(FindEntry(edit, IDM_DESTINATION_COPY_ALL)->grayed);
    EXPECT_TRUE(FindEntry(edit, IDM_DESTINATION_FONT_NORMAL) != nullptr);

    std::vector<MenuEntry> view = BuildMainMenuPopup(4, snapshot, MenuSources{});
    EXPECT_TRUE(FindEntry(view, IDM_TOGGLE_SOURCE_AREA)->checked);
    EXPECT_FALSE(FindEntry(view, IDM_TOGGLE_DESTINATION_AREA)->checked);
    EXPECT_TRUE(FindEntry(view, IDM_TOGGLE_DESTINATION_TOOLBAR)->grayed);
    EXPECT_FALSE(FindEntry(view, IDM_TOGGLE_SOURCE_TOOLBAR)->grayed);
    EXPECT_EQ(FindEntry(view, IDM_TOGGLE_SOURCE_AREA)->text, "Source &Edit Area\tCtrl+1");
}

TEST_F(MainMenusTest, LanguageMenusListTheTableWithTheCurrentRowChecked) {
    WindowSnapshot snapshot;
    snapshot.source.languageIndex = 3;
    snapshot.destination.languageIndex = 1;
    MenuSources sources;
    sources.uiLanguageNames = {"English", "Chinese S", "Chinese T", "Nihongo"};
    snapshot.uiLanguageIndex = 3;
    std::vector<MenuEntry> view = BuildMainMenuPopup(4, snapshot, sources);

    const MenuEntry* source = FindSubmenu(view, "Sour&ce Language");
    const MenuEntry* destination = FindSubmenu(view, "Desti&nation Language");
    const MenuEntry* ui = FindSubmenu(view, "U&I Language");
    ASSERT_TRUE(source && destination && ui);
    ASSERT_EQ(source->children.size(), 46u);
    ASSERT_EQ(destination->children.size(), 46u);
    std::vector<std::string> names = LanguageNames();
    for (int i = 0; i < 46; ++i) {
        EXPECT_EQ(source->children[i].id, IDM_SOURCE_LANGUAGE_FIRST + i);
        EXPECT_EQ(destination->children[i].id, IDM_DESTINATION_LANGUAGE_FIRST + i);
        EXPECT_EQ(source->children[i].text, names[i]);
        EXPECT_EQ(source->children[i].checked, i == 3);
        EXPECT_EQ(destination->children[i].checked, i == 1);
    }
    ASSERT_EQ(ui->children.size(), 4u);
    EXPECT_EQ(ui->children[3].id, IDM_UI_LANGUAGE_FIRST + 3);
    EXPECT_EQ(ui->children[3].text, "Nihongo");
    EXPECT_TRUE(ui->children[3].checked);
    EXPECT_FALSE(ui->children[0].checked);
}

TEST_F(MainMenusTest, ProfilePopupGreysSaveAtSixtyAndListsMarkedProfiles) {
    MenuSources sources;
    for (int i = 0; i < 70; ++i) sources.profiles.push_back({i, "Profile " + std::to_string(i)});
    WindowSnapshot snapshot;
    snapshot.profileCount = 70;
    std::vector<MenuEntry> menu = BuildProfileMenu(snapshot, sources);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].text, "&Profile Manager");
    EXPECT_EQ(menu[0].id, IDM_PROFILE_MANAGER);
    EXPECT_EQ(menu[1].id, IDM_SAVE_PROFILE);
    EXPECT_TRUE(menu[1].grayed);
    ASSERT_EQ(menu[2].children.size(), 60u);
    EXPECT_EQ(menu[2].children[59].id, IDM_PROFILE_FIRST + 59);
    EXPECT_EQ(menu[2].children[59].text, "Profile 59");

    snapshot.profileCount = 59;
    sources.profiles = {{0, "Last"}, {5, "Wide"}};
    menu = BuildProfileMenu(snapshot, sources);
    EXPECT_FALSE(menu[1].grayed);
    ASSERT_EQ(menu[2].children.size(), 2u);
    EXPECT_EQ(menu[2].children[1].id, IDM_PROFILE_FIRST + 5);

    sources.profiles.clear();
    EXPECT_EQ(BuildProfileMenu(snapshot, sources).size(), 2u);
    // An index past the id range is left out rather than given another command's id.
    sources.profiles = {{64, "Too far"}};
    EXPECT_EQ(BuildProfileMenu(snapshot, sources).size(), 2u);
}

TEST_F(MainMenusTest, CodeTransferToolsAndHelpMenus) {
    WindowSnapshot snapshot;
    snapshot.transferToSource = true;
    std::vector<MenuEntry> transfer = BuildMainMenuPopup(5, snapshot, MenuSources{});
    EXPECT_EQ(transfer[0].text, "Clipboard Transfer: GBK -> &Big5");
    EXPECT_TRUE(FindEntry(transfer, IDM_TRANSFER_G2B)->grayed);  // no Source text
    EXPECT_EQ(FindEntry(transfer, IDM_TRANSFER_B2G)->text, "Edit Area Transfer: Big5 -> GB&K\tCtrl+G");
    EXPECT_TRUE(FindEntry(transfer, IDM_TRANSFER_TO_SOURCE)->checked);
    EXPECT_FALSE(FindEntry(transfer, IDM_TRANSFER_TO_DESTINATION)->checked);
    EXPECT_NE(FindEntry(transfer, IDM_WHATS_THIS), nullptr);
    EXPECT_NE(FindEntry(transfer, IDM_SITE_TRANSFER), nullptr);

    std::vector<MenuEntry> tools = BuildMainMenuPopup(6, snapshot, MenuSources{});
    EXPECT_NE(FindEntry(tools, IDM_WORD_ADJUSTMENT), nullptr);
    EXPECT_NE(FindEntry(tools, IDM_DIFFERENCE_CHECK), nullptr);
    EXPECT_EQ(FindEntry(tools, IDM_OPTIONS)->text, "&Options...");

    MenuSources sources;
    sources.productName = "Zelvo";
    std::vector<MenuEntry> help = BuildMainMenuPopup(7, snapshot, sources);
    ASSERT_EQ(help.size(), 3u);
    EXPECT_EQ(help[0].text, "&Help Center\tF1");
    EXPECT_EQ(help[0].id, IDM_HELP_CENTER);
    EXPECT_TRUE(help[1].separator);
    EXPECT_EQ(help[2].text, "&About Zelvo...");
    EXPECT_EQ(help[2].id, IDM_ABOUT);
}

TEST_F(MainMenusTest, ContextMenuActsOnTheContextArea) {
    WindowSnapshot snapshot;
    snapshot.contextArea = EditArea::kDestination;
    snapshot.destination.modified = true;
    snapshot.destination.textLength = 20;
    snapshot.source.hasSelection = true;
    snapshot.view.sourceShown = false;
    std::vector<MenuEntry> menu = BuildContextMenu(snapshot);

    std::vector<int> ids;
    for (const MenuEntry& item : menu) ids.push_back(item.separator ? -1 : item.id);
    EXPECT_EQ(ids, (std::vector<int>{57643, -1, 57635, 57634, 57637, 32780, -1, 32773, -1, 57642, -1, 32774,
                                     32777, 32775, 32776, -1, 32781, -1, 0}));
    EXPECT_EQ(menu[0].text, "&Undo\tCtrl+Z");
    EXPECT_EQ(menu[5].text, "&Delete\tDel");
    EXPECT_EQ(menu[7].text, "&Find/Replace\tCtrl+F");
    EXPECT_EQ(menu[9].text, "Select &All\tCtrl+A");
    EXPECT_FALSE(menu[0].grayed);   // Destination modified
    EXPECT_TRUE(menu[2].grayed);    // the Source selection does not count
    EXPECT_FALSE(menu[12].grayed);  // Save
    EXPECT_FALSE(menu[14].grayed);  // Close: the area has text

    const MenuEntry& view = menu.back();
    EXPECT_EQ(view.text, "Vi&ew");
    ASSERT_EQ(view.children.size(), 7u);
    EXPECT_FALSE(FindEntry(view.children, IDM_TOGGLE_SOURCE_AREA)->checked);
    EXPECT_TRUE(FindEntry(view.children, IDM_TOGGLE_DESTINATION_AREA)->checked);
    EXPECT_TRUE(FindEntry(view.children, IDM_TOGGLE_SOURCE_TOOLBAR)->grayed);
    EXPECT_TRUE(FindEntry(view.children, IDM_TOGGLE_DESTINATION_TOOLBAR)->checked);
    EXPECT_NE(FindEntry(view.children, IDM_ALWAYS_ON_TOP), nullptr);

    snapshot.contextArea = EditArea::kSource;
    menu = BuildContextMenu(snapshot);
    EXPECT_TRUE(menu[0].grayed);
    EXPECT_FALSE(menu[2].grayed);
}

TEST_F(MainMenusTest, MenusFollowTheUiLanguage) {
    SetUiLcid(kLcidTraditionalChinese);
    MenuSources sources;
    sources.productName = "Zelvo";
    std::vector<MenuEntry> help = BuildMainMenuPopup(7, WindowSnapshot{}, sources);
    EXPECT_EQ(help[0].text, LoadUiStringColumn(IDS_MENU_HELP_HELP_CENTER_H, kUiColumnBig5));
    EXPECT_EQ(help[2].text, LoadUiStringColumn(IDS_MENU_ABOUT_A, kUiColumnBig5, "Zelvo"));
    EXPECT_NE(help[2].text, "&About Zelvo...");
    WindowSnapshot snapshot;
    snapshot.contextArea = EditArea::kSource;
    EXPECT_EQ(BuildContextMenu(snapshot)[0].text,
              LoadUiStringColumn(IDS_MENU_EDIT_UNDO_U, kUiColumnBig5) + "\tCtrl+Z");
}

}  // namespace
}  // namespace zelvo
