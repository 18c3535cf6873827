// The main window's resources: the toolbar rows of template 102, menu 143, accelerator
// table 207, icon 128, and the About dialog 100.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/editor_app.h"
#include "app/win/about_dialog.h"
#include "app/win/flat_button.h"
#include "app/win/toolbar_buttons.h"
#include "app/win/zelvo_app.h"
#include "resources/resource.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/menu_builder.h"
#include "services/win/toolkit/tooltips.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

// Dialog 102 on its own, with flat buttons and tooltips, as the main window sets them up.
class TemplateWindow : public Dialog {
  public:
    TemplateWindow() : Dialog(IDD_MAIN_WINDOW) {}
    FlatButtonSet buttons;
    ToolTips tips;
    int added = 0;

  protected:
    bool OnInitDialog() override {
        added = AddToolbarButtons(buttons, hwnd(), Instance());
        tips.Create(hwnd());
        for (auto row : {SourceToolbarButtons(), DestinationToolbarButtons()})
            for (const ToolbarButton& button : row)
                tips.SetTip(Item(button.commandId), "Button " + std::to_string(button.commandId), 1252);
        return true;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
        if (message == WM_DRAWITEM && buttons.Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) {
            result = TRUE;
            return true;
        }
        return false;
    }
};

// With ZELVO_TEST_SHOW_MS set, keeps the windows on screen that long, to take a screenshot.
void HoldForLooking() {
    const char* hold = std::getenv("ZELVO_TEST_SHOW_MS");
    if (!hold) return;
    DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(hold));
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

RECT ChildRect(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MainWindowResources : public ::testing::Test {
  protected:
    void SetUp() override {
        Dialog::SetResourceInstance(Instance());
        ASSERT_TRUE(RegisterMainWindowClass(Instance()));
    }
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // Checks one toolbar row: the selector first, then the buttons left to right, all on
    // one line, owner-drawn, wide and high enough for a 16x16 image with its edge.
    static void ExpectRow(HWND window, int selectorId, std::span<const ToolbarButton> buttons) {
        HWND selector = GetDlgItem(window, selectorId);
        ASSERT_TRUE(selector);
        wchar_t className[32] = {};
        GetClassNameW(selector, className, 32);
        EXPECT_STREQ(className, L"ComboBox");
        EXPECT_EQ(GetWindowLongW(selector, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
        RECT selectorRect = ChildRect(window, selector);

        int previousRight = selectorRect.right;
        int top = -1;
        for (const ToolbarButton& button : buttons) {
            SCOPED_TRACE(button.commandId);
            HWND control = GetDlgItem(window, button.commandId);
            ASSERT_TRUE(control);
            EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
            RECT rect = ChildRect(window, control);
            EXPECT_GE(rect.left, previousRight);
            EXPECT_GE(rect.right - rect.left, 20);
            EXPECT_LE(rect.right - rect.left, 27);  // the right-hand four stand 27 pixels apart
            EXPECT_GE(rect.bottom - rect.top, 20);
            if (top < 0) top = rect.top;
            EXPECT_EQ(rect.top, top);
            previousRight = rect.right;
        }
        // The selector sits three pixels into the row and does not hang below it.
        HWND first = GetDlgItem(window, buttons[0].commandId);
        RECT firstRect = ChildRect(window, first);
        EXPECT_GE(selectorRect.top, firstRect.top + 2);
        EXPECT_LE(selectorRect.top, firstRect.top + 4);
        EXPECT_LE(selectorRect.bottom - selectorRect.top + 3, firstRect.bottom - firstRect.top);
    }
};

TEST_F(MainWindowResources, ToolbarRowsHoldTheSelectorsAndButtonsInOrder) {
    TemplateWindow window;
    ASSERT_TRUE(window.CreateModeless(nullptr));
    HWND hwnd = window.hwnd();
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    EXPECT_STREQ(className, L"Tolvane_Zelvo");
    wchar_t caption[64] = {};
    GetWindowTextW(hwnd, caption, 64);
    EXPECT_STREQ(caption, L"Multi-Language Editor");
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(GetMenu(hwnd));

    ExpectRow(hwnd, IDC_SOURCE_LANGUAGE, SourceToolbarButtons().first(14));
    ExpectRow(hwnd, IDC_DESTINATION_LANGUAGE, DestinationToolbarButtons());
    // The four right-hand buttons come after the Site Transfer button, in their order.
    RECT site = ChildRect(hwnd, GetDlgItem(hwnd, IDM_SITE_TRANSFER));
    int previousRight = site.right;
    for (const ToolbarButton& button : SourceToolbarRightButtons()) {
        RECT rect = ChildRect(hwnd, GetDlgItem(hwnd, button.commandId));
        EXPECT_GT(rect.left, previousRight);
        EXPECT_EQ(rect.top, site.top);
        previousRight = rect.right;
    }
    // The Destination row lies between the two edit areas; the Source row above the first.
    RECT sourceEdit = ChildRect(hwnd, window.Item(IDC_SOURCE_EDIT));
    RECT destinationEdit = ChildRect(hwnd, window.Item(IDC_DESTINATION_EDIT));
    RECT sourceFind = ChildRect(hwnd, window.Item(IDM_SOURCE_FIND_REPLACE));
    RECT destinationOpen = ChildRect(hwnd, window.Item(IDM_DESTINATION_OPEN));
    EXPECT_LE(sourceFind.bottom, sourceEdit.top);
    EXPECT_GE(destinationOpen.top, sourceEdit.bottom);
    EXPECT_LE(destinationOpen.bottom, destinationEdit.top);

    // Every button got its image and a tooltip.
    EXPECT_EQ(window.added, 29);
    EXPECT_EQ(window.tips.TipOf(window.Item(IDM_EXIT)), L"Button 57665");

    // Shown, the owner-drawn buttons paint through the set: the Open button's middle shows
    // a folder colour, not the plain face.
    SetWindowPos(hwnd, nullptr, 0, 0, 800, 400, SWP_NOZORDER | SWP_NOMOVE);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    Pump();
    HoldForLooking();
    HWND openButton = window.Item(IDM_SOURCE_OPEN);
    RECT openRect{};
    GetClientRect(openButton, &openRect);
    ToolImage folder = ToolImage::FromResource(Instance(), IDB_TOOL_OPEN);
    HDC dc = GetDC(openButton);
    int matching = 0;
    int left = (openRect.right - 16) / 2;
    int top = (openRect.bottom - 16) / 2;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (folder.Pixel(x, y) != kToolImageTransparent &&
                (GetPixel(dc, left + x, top + y) & 0xFFFFFF) == folder.Pixel(x, y))
                ++matching;
    ReleaseDC(openButton, dc);
    EXPECT_GT(matching, 60);
}

TEST_F(MainWindowResources, MenuBarHasTheEightPopupsAndEveryCommand) {
    MenuHandle menu(LoadMenuW(Instance(), MAKEINTRESOURCEW(IDR_MAIN_MENU)));
    ASSERT_TRUE(menu);
    std::vector<MenuEntry> bar = ReadMenuEntries(menu.get(), 1252);
    std::vector<std::string> titles;
    for (const MenuEntry& popup : bar) {
        titles.push_back(popup.text);
        EXPECT_FALSE(popup.children.empty()) << popup.text;
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"&File (S)", "&Edit (S)", "Fi&le (D)", "Edit (&D)", "&View",
                                                "&Code Transfer", "&Tools", "&Help"}));

    const std::vector<MenuEntry>& help = bar[7].children;
    ASSERT_EQ(help.size(), 3u);
    EXPECT_EQ(help[0].id, IDM_HELP_CENTER);
    EXPECT_TRUE(help[1].separator);
    EXPECT_EQ(help[2].id, IDM_ABOUT);

    std::set<int> ids;
    auto collect = [&ids](const auto& self, const std::vector<MenuEntry>& entries) -> void {
        for (const MenuEntry& entry : entries) {
            if (!entry.children.empty())
                self(self, entry.children);
            else if (!entry.separator)
                ids.insert(entry.id);
        }
    };
    collect(collect, bar);
    const int commands[] = {
        IDM_NEW,
        IDM_SOURCE_OPEN,
        IDM_DESTINATION_OPEN,
        IDM_SOURCE_CLOSE,
        IDM_DESTINATION_CLOSE,
        IDM_SOURCE_SAVE,
        IDM_DESTINATION_SAVE,
        IDM_SOURCE_SAVE_AS,
        IDM_DESTINATION_SAVE_AS,
        IDM_SOURCE_PROPERTIES,
        IDM_DESTINATION_PROPERTIES,
        IDM_EXIT,
        IDM_EXIT_ALL,
        IDM_SOURCE_UNDO,
        IDM_DESTINATION_UNDO,
        IDM_SOURCE_CUT,
        IDM_DESTINATION_CUT,
        IDM_SOURCE_COPY,
        IDM_DESTINATION_COPY,
        IDM_SOURCE_COPY_ALL,
        IDM_DESTINATION_COPY_ALL,
        IDM_SOURCE_PASTE,
        IDM_DESTINATION_PASTE,
        IDM_SOURCE_DELETE,
        IDM_DESTINATION_DELETE,
        IDM_SOURCE_SELECT_ALL,
        IDM_DESTINATION_SELECT_ALL,
        IDM_SOURCE_FIND_REPLACE,
        IDM_DESTINATION_FIND_REPLACE,
        IDM_TOGGLE_SOURCE_AREA,
        IDM_TOGGLE_DESTINATION_AREA,
        IDM_TOGGLE_MENU_BAR,
        IDM_TOGGLE_SOURCE_TOOLBAR,
        IDM_TOGGLE_DESTINATION_TOOLBAR,
        IDM_TOGGLE_STATUS_BAR,
        IDM_PROFILE_MANAGER,
        IDM_SAVE_PROFILE,
        IDM_ADJUST_PROPORTION,
        IDM_ALWAYS_ON_TOP,
        IDM_SOURCE_FONT_SMALL,
        IDM_SOURCE_FONT_SMALLER,
        IDM_SOURCE_FONT_NORMAL,
        IDM_SOURCE_FONT_LARGER,
        IDM_SOURCE_FONT_LARGE,
        IDM_DESTINATION_FONT_SMALL,
        IDM_DESTINATION_FONT_SMALLER,
        IDM_DESTINATION_FONT_NORMAL,
        IDM_DESTINATION_FONT_LARGER,
        IDM_DESTINATION_FONT_LARGE,
        IDM_SOURCE_FONT_CUSTOM,
        IDM_DESTINATION_FONT_CUSTOM,
        IDM_BACKGROUND,
        IDM_CLIPBOARD_G2B,
        IDM_CLIPBOARD_B2G,
        IDM_TRANSFER_G2B,
        IDM_TRANSFER_B2G,
        IDM_TRANSFER_GBK_S2T,
        IDM_TRANSFER_GBK_T2S,
        IDM_WHATS_THIS,
        IDM_TRANSFER_TO_SOURCE,
        IDM_TRANSFER_TO_DESTINATION,
        IDM_SITE_TRANSFER,
        IDM_WORD_ADJUSTMENT,
        IDM_DIFFERENCE_CHECK,
        IDM_OPTIONS,
        IDM_HELP_CENTER,
        IDM_ABOUT,
    };
    for (int id : commands) EXPECT_TRUE(ids.count(id)) << "command " << id << " is in no menu";
}

TEST_F(MainWindowResources, AcceleratorsAreTheTwelveControlKeys) {
    HACCEL table = LoadAcceleratorsW(Instance(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_TRUE(table);
    ACCEL entries[32] = {};
    int count = CopyAcceleratorTableW(table, entries, 32);
    ASSERT_EQ(count, 12);
    std::set<std::pair<int, int>> keys;
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].fVirt & ~0x80, FVIRTKEY | FCONTROL) << i;  // 0x80 marks the last entry
        keys.insert({entries[i].key, entries[i].cmd});
    }
    std::set<std::pair<int, int>> expected = {
        {'1', 32785}, {'2', 32787}, {'A', 57642}, {'B', 32833}, {'D', 32895}, {'F', 32773},
        {'G', 32834}, {'N', 57600}, {'O', 32774}, {'P', 32781}, {'S', 32777}, {'T', 32790},
    };
    EXPECT_EQ(keys, expected);
}

TEST_F(MainWindowResources, ProgramIconHasBothSizes) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        HICON icon =
            static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        ASSERT_TRUE(info.hbmColor);
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The About dialog in English and in Simplified Chinese, modeless and modal.
class AboutDialogTest : public MainWindowResources {
  protected:
    void TearDown() override {
        SetUiLcid(kLcidEnglish);
        SetUiCodePage(0);
    }
};

std::wstring TextOf(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

TEST_F(AboutDialogTest, ShowsProductVersionBuildAndCopyrightInTheUiLanguage) {
    EditorApp app;
    app.productName = "Zelvo";
    app.companyName = "Tolvane";
    {
        AboutDialog about(app);
        ASSERT_TRUE(about.CreateModeless(nullptr));
        EXPECT_EQ(TextOf(about.hwnd()), L"About Zelvo");
        EXPECT_EQ(TextOf(about.Item(IDC_ABOUT_PRODUCT)), L"Tolvane Zelvo Version 1.1.2");
        EXPECT_EQ(TextOf(about.Item(IDC_ABOUT_BUILD)), WidenText("Build: " + app.buildDate.text, 1252));
        EXPECT_EQ(TextOf(about.Item(IDC_ABOUT_COPYRIGHT)), L"Copyright (C) Tolvane. All rights reserved.");
        EXPECT_TRUE(SendMessageW(about.Item(IDC_ABOUT_ICON), STM_GETICON, 0, 0));

        // OK closes it.
        HWND window = about.hwnd();
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(about.hwnd(), nullptr);
    }

    // In the Simplified Chinese UI the texts come from the GBK column; names not yet set by
    // start-up come from the string table.
    SetUiLcid(kLcidSimplifiedChinese);
    SetUiCodePage(936);
    EditorApp fresh;
    AboutTexts texts = MakeAboutTexts(fresh);
    EXPECT_EQ(texts.caption, "\xB9\xD8\xD3\xDA Zelvo");  // 关于 Zelvo
    EXPECT_NE(texts.product.find("Tolvane Zelvo"), std::string::npos);
    EXPECT_NE(texts.product.find("1.1.2"), std::string::npos);
    AboutDialog about(fresh);
    ASSERT_TRUE(about.CreateModeless(nullptr));
    EXPECT_EQ(TextOf(about.hwnd()), L"\x5173\x4E8E Zelvo");
    EXPECT_EQ(NarrowText(TextOf(about.Item(IDC_ABOUT_COPYRIGHT)), 936), texts.copyright);
    // The labels got a font of the GB2312 character set.
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(about.Item(IDC_ABOUT_PRODUCT), WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    ASSERT_TRUE(font && GetObjectW(font, sizeof logFont, &logFont));
    EXPECT_EQ(logFont.lfCharSet, GB2312_CHARSET);
    ShowWindow(about.hwnd(), SW_SHOWNOACTIVATE);
    HoldForLooking();
    // Destroyed with its object while still open.
}

VOID CALLBACK PressOkInAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND about = FindWindowW(L"#32770", L"About Zelvo");
    if (about) PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(AboutDialogTest, ModalRunEndsWithOk) {
    EditorApp app;
    AboutDialog about(app);
    SetTimer(nullptr, 0, 200, PressOkInAbout);
    EXPECT_EQ(about.RunModal(nullptr), IDOK);
    EXPECT_EQ(about.hwnd(), nullptr);
}

}  // namespace
}  // namespace zelvo
