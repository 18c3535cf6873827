// Menus built from entry lists: texts, ids, checks, greying, separators and submenus,
// refilling a popup in place, and reading a menu back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "services/win/toolkit/menu_builder.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

MenuEntry Item(int id, std::string text, bool checked = false, bool grayed = false) {
    MenuEntry entry;
    entry.id = id;
    entry.text = std::move(text);
    entry.checked = checked;
    entry.grayed = grayed;
    return entry;
}

MenuEntry Separator() {
    MenuEntry entry;
    entry.separator = true;
    return entry;
}

MenuEntry Submenu(std::string text, std::vector<MenuEntry> children) {
    MenuEntry entry;
    entry.text = std::move(text);
    entry.children = std::move(children);
    return entry;
}

std::wstring MenuText(HMENU menu, int position) {
    wchar_t buffer[256] = {};
    GetMenuStringW(menu, position, buffer, 256, MF_BYPOSITION);
    return buffer;
}

void ExpectSameEntries(const std::vector<MenuEntry>& actual, const std::vector<MenuEntry>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].separator, expected[i].separator);
        EXPECT_EQ(actual[i].id, expected[i].id);
        EXPECT_EQ(actual[i].text, expected[i].text);
        EXPECT_EQ(actual[i].checked, expected[i].checked);
        EXPECT_EQ(actual[i].grayed, expected[i].grayed);
        ExpectSameEntries(actual[i].children, expected[i].children);
    }
}

// A GBK popup like the View menu of the Chinese UI: a checked item, a greyed item, a
// separator, and a submenu with a checked language.
std::vector<MenuEntry> GbkViewMenu() {
    return {
        Item(32785, "\xD4\xB4\xB1\xE0\xBC\xAD\xC7\xF8(&E)\tCtrl+1", true),  // 源编辑区(&E)
        Item(32783, "\xD4\xB4\xB9\xA4\xBE\xDF\xC0\xB8(&S)", false, true),   // 源工具栏(&S)
        Separator(),
        Submenu("\xD4\xB4\xD3\xEF\xD1\xD4(&C)",  // 源语言(&C)
                {Item(3904, "English"), Item(3905, "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4", true)}),
        Item(32790, "Always On &Top"),
    };
}

TEST(MenuBuilder, BuiltPopupHoldsTheTextsIdsStatesAndSubmenus) {
    std::vector<MenuEntry> entries = GbkViewMenu();
    MenuHandle menu = BuildPopupMenu(entries, 936);
    ASSERT_TRUE(menu);
    HMENU popup = menu.get();
    ASSERT_EQ(GetMenuItemCount(popup), 5);

    EXPECT_EQ(MenuText(popup, 0), L"\x6E90\x7F16\x8F91\x533A(&E)\tCtrl+1");
    EXPECT_EQ(GetMenuItemID(popup, 0), 32785u);
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);

    EXPECT_EQ(GetMenuItemID(popup, 1), 32783u);
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);

    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_SEPARATOR);

    HMENU languages = GetSubMenu(popup, 3);
    ASSERT_TRUE(languages);
    EXPECT_EQ(MenuText(popup, 3), L"\x6E90\x8BED\x8A00(&C)");
    ASSERT_EQ(GetMenuItemCount(languages), 2);
    EXPECT_EQ(GetMenuItemID(languages, 1), 3905u);
    EXPECT_EQ(MenuText(languages, 1), L"\x7B80\x4F53\x4E2D\x6587");
    EXPECT_TRUE(GetMenuState(languages, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(languages, 0, MF_BYPOSITION) & MF_CHECKED);

    // Reading it back gives the description again, GBK bytes included.
    ExpectSameEntries(ReadMenuEntries(popup, 936), entries);
}

TEST(MenuBuilder, FillPopupReplacesEverythingAndFreesTheOldSubmenus) {
    MenuHandle menu = BuildPopupMenu(GbkViewMenu(), 936);
    ASSERT_TRUE(menu);
    HMENU oldSubmenu = GetSubMenu(menu.get(), 3);
    ASSERT_TRUE(IsMenu(oldSubmenu));

    std::vector<MenuEntry> english = {Item(32793, "&Open..."), Separator(), Item(57665, "E&xit\tAlt+F4")};
    ASSERT_TRUE(FillPopup(menu.get(), english, 1252));
    EXPECT_EQ(GetMenuItemCount(menu.get()), 3);
    EXPECT_FALSE(IsMenu(oldSubmenu));
    ExpectSameEntries(ReadMenuEntries(menu.get(), 1252), english);

    // Filling again with the same entries does not pile them up; an empty list empties it.
    ASSERT_TRUE(FillPopup(menu.get(), english, 1252));
    EXPECT_EQ(GetMenuItemCount(menu.get()), 3);
    ASSERT_TRUE(FillPopup(menu.get(), {}, 1252));
    EXPECT_EQ(GetMenuItemCount(menu.get()), 0);

    EXPECT_FALSE(FillPopup(nullptr, english, 1252));
}

TEST(MenuBuilder, MenuBarHoldsPopupsAndTheHandleOwnsTheMenu) {
    std::vector<MenuEntry> bar = {
        Submenu("&File (S)", {Item(32793, "&Open...")}),
        Submenu("&Help", {Item(57670, "&Help Center\tF1"), Separator(), Item(32840, "&About Zelvo...")}),
    };
    HMENU raw = nullptr;
    HMENU help = nullptr;
    {
        MenuHandle menu = BuildMenuBar(bar, 1252);
        ASSERT_TRUE(menu);
        raw = menu.get();
        EXPECT_EQ(GetMenuItemCount(raw), 2);
        help = GetSubMenu(raw, 1);
        ASSERT_TRUE(help);
        EXPECT_EQ(GetMenuItemID(help, 2), 32840u);
        ExpectSameEntries(ReadMenuEntries(raw, 1252), bar);

        // Moving the handle moves the ownership.
        MenuHandle moved = std::move(menu);
        EXPECT_FALSE(menu);
        EXPECT_EQ(moved.get(), raw);
    }
    EXPECT_FALSE(IsMenu(raw));
    EXPECT_FALSE(IsMenu(help));

    MenuHandle kept = BuildPopupMenu({Item(1, "x")}, 1252);
    HMENU released = kept.Release();
    kept.Reset();
    EXPECT_TRUE(IsMenu(released));
    DestroyMenu(released);
}

TEST(MenuBuilder, RunawayNestingIsRefusedWithoutLeavingAHalfMenu) {
    MenuEntry deep = Item(7, "leaf");
    for (int level = 0; level < 40; ++level) deep = Submenu("level", {deep});
    MenuHandle menu = BuildPopupMenu({deep}, 1252);
    EXPECT_FALSE(menu);

    // A depth a real menu uses is fine.
    MenuEntry nested = Item(8, "leaf");
    for (int level = 0; level < 3; ++level) nested = Submenu("level", {nested});
    MenuHandle fine = BuildPopupMenu({nested}, 1252);
    ASSERT_TRUE(fine);
    std::vector<MenuEntry> read = ReadMenuEntries(fine.get(), 1252);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].children[0].children[0].children[0].id, 8);
}

}  // namespace
}  // namespace zelvo
