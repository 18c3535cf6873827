// The main window driven by messages: layout, showing and hiding, status bar, title,
// language selectors and fonts, UI language, accelerators and the context area.
#include <windows.h>
// The other system headers need the types of windows.h.
#include <commctrl.h>

#include "app/edit_font_height.h"
#include "app/language_table.h"
#include "app/main_window_model.h"
#include "app/win/instances.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle) GetObjectW(handle, sizeof font, &font);
    return font;
}

std::wstring ComboItem(HWND combo, int index) {
    int length = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0));
    if (length < 0) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ResizeClient(HWND window, int width, int height) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, GetWindowLongW(window, GWL_STYLE), GetMenu(window) != nullptr,
                       GetWindowLongW(window, GWL_EXSTYLE));
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOMOVE);
}

// Sends a key with Ctrl held to the window's accelerator translation, as the modal loop's
// message filter does.
bool CtrlKey(MainWindow& window, HWND target, WPARAM key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG message{target, WM_KEYDOWN, key, 0, GetTickCount(), {}};
    bool translated = window.TranslateAccelerators(message);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return translated;
}

TEST_F(MainWindowTest, LayoutSplitsTheClientAreaByTheViewState) {
    MainWindow& window = Open();
    HWND source = window.Item(IDC_SOURCE_EDIT);
    HWND destination = window.Item(IDC_DESTINATION_EDIT);
    ResizeClient(window.hwnd(), 800, 500);
    window.LayOutNow();
    RECT client;
    GetClientRect(window.hwnd(), &client);
    RECT find = ClientRect(window.Item(IDM_SOURCE_FIND_REPLACE));
    int row = find.bottom - find.top;
    ASSERT_GT(row, 0);

    RECT s = ClientRect(source), d = ClientRect(destination), status = ClientRect(window.statusBar());
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.bottom - status.top, kStatusBarHeight);
    EXPECT_EQ(s.left, 1);
    EXPECT_EQ(s.right - s.left, client.right - 2);
    EXPECT_EQ(s.top, row);
    int shared = client.bottom - 2 * row - kStatusBarHeight;
    EXPECT_EQ(s.bottom - s.top, shared * 50 / 100);
    // The Destination area starts one pixel below the Source area and takes the rest.
    EXPECT_EQ(d.top, s.bottom + 1 + row);
    EXPECT_GE(d.bottom, status.top);
    EXPECT_LE(d.bottom, status.top + 1);
    // The Destination row sits between the areas, its buttons at their template x.
    RECT open = ClientRect(window.Item(IDM_DESTINATION_OPEN));
    EXPECT_EQ(open.top, d.top - row);
    EXPECT_EQ(open.left, ClientRect(window.Item(IDM_SOURCE_OPEN)).left);
    // The four right-hand buttons follow the width.
    EXPECT_EQ(ClientRect(window.Item(IDM_PROFILE_OPERATIONS)).left, client.right - 109);
    EXPECT_EQ(ClientRect(window.Item(IDM_EXIT)).left, client.right - 109 + 3 * 27);

    // Without the Destination area the Source area takes the whole height.
    window.RunCommand(IDM_TOGGLE_DESTINATION_AREA);
    EXPECT_FALSE(Visible(destination));
    EXPECT_FALSE(Visible(window.Item(IDM_DESTINATION_OPEN)));
    s = ClientRect(source);
    EXPECT_EQ(s.bottom, client.bottom - kStatusBarHeight);

    // Hiding the only area shown shows the other one instead.
    window.RunCommand(IDM_TOGGLE_SOURCE_AREA);
    EXPECT_FALSE(Visible(source));
    EXPECT_TRUE(Visible(destination));
    EXPECT_FALSE(Visible(window.Item(IDC_SOURCE_LANGUAGE)));
    EXPECT_TRUE(Visible(window.Item(IDC_DESTINATION_LANGUAGE)));
    d = ClientRect(destination);
    EXPECT_EQ(d.top, row);
    EXPECT_EQ(ClientRect(window.Item(IDM_DESTINATION_OPEN)).top, 0);

    // The Source toolbar stays hidden with its area, and comes back with it.
    window.RunCommand(IDM_TOGGLE_SOURCE_AREA);
    EXPECT_TRUE(Visible(source));
    EXPECT_TRUE(Visible(window.Item(IDC_SOURCE_LANGUAGE)));
    EXPECT_TRUE(Visible(window.Item(IDM_SOURCE_OPEN)));

    // A narrow window keeps the right-hand buttons from x 530.
    ResizeClient(window.hwnd(), 600, 400);
    window.LayOutNow();
    EXPECT_EQ(ClientRect(window.Item(IDM_PROFILE_OPERATIONS)).left, 530);
}

TEST_F(MainWindowTest, SizeChangesAreLaidOutByTheTimer) {
    MainWindow& window = Open();
    HWND source = window.Item(IDC_SOURCE_EDIT);
    ResizeClient(window.hwnd(), 700, 420);
    window.LayOutNow();
    RECT before = ClientRect(source);
    ResizeClient(window.hwnd(), 900, 520);
    RECT now = ClientRect(source);
    EXPECT_EQ(now.right, before.right);  // nothing moves until the timer fires
    Pump(300);
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(ClientRect(source).right, client.right - 1);
}

TEST_F(MainWindowTest, BarsAndAlwaysOnTopFollowTheirCommands) {
    MainWindow& window = Open();
    ASSERT_NE(GetMenu(window.hwnd()), nullptr);
    window.RunCommand(IDM_TOGGLE_MENU_BAR);
    EXPECT_EQ(GetMenu(window.hwnd()), nullptr);
    window.RunCommand(IDM_TOGGLE_MENU_BAR);
    EXPECT_NE(GetMenu(window.hwnd()), nullptr);

    window.RunCommand(IDM_TOGGLE_STATUS_BAR);
    EXPECT_FALSE(Visible(window.statusBar()));
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_GE(ClientRect(window.Item(IDC_DESTINATION_EDIT)).bottom, client.bottom);
    window.RunCommand(IDM_TOGGLE_STATUS_BAR);
    EXPECT_TRUE(Visible(window.statusBar()));

    // The Source toolbar hides its row and gives the room to the area.
    window.RunCommand(IDM_TOGGLE_SOURCE_TOOLBAR);
    EXPECT_FALSE(Visible(window.Item(IDC_SOURCE_LANGUAGE)));
    EXPECT_FALSE(Visible(window.Item(IDM_EXIT)));
    EXPECT_EQ(ClientRect(window.Item(IDC_SOURCE_EDIT)).top, 0);

    std::wstring setTip = window.toolTips().TipOf(window.Item(IDM_ALWAYS_ON_TOP));
    EXPECT_EQ(setTip, L"Click to set Zelvo as top window");
    // (Wine keeps the top-most flag of a window to its X11 driver, so the style bit is not
    // looked at here.)
    window.RunCommand(IDM_ALWAYS_ON_TOP);
    EXPECT_TRUE(window.view().alwaysOnTop);
    EXPECT_EQ(ReadRegInt("Zelvo", "On Top", -1), 1);
    EXPECT_EQ(window.toolTips().TipOf(window.Item(IDM_ALWAYS_ON_TOP)),
              L"Click to cancel Zelvo as top window");
    window.RunCommand(IDM_ALWAYS_ON_TOP);
    EXPECT_FALSE(window.view().alwaysOnTop);
    EXPECT_EQ(ReadRegInt("Zelvo", "On Top", -1), 0);

    // Minimising writes the rectangle the window had.
    RECT rect;
    GetWindowRect(window.hwnd(), &rect);
    SendMessageW(window.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(ReadRegInt("Zelvo", "Pos Left", -1), rect.left);
    EXPECT_EQ(ReadRegInt("Zelvo", "Pos Bottom", -1), rect.bottom);
}

TEST_F(MainWindowTest, StatusBarAndTitleDescribeTheAreaInUse) {
    MainWindow& window = Open();
    HWND source = window.Item(IDC_SOURCE_EDIT);
    EXPECT_EQ(window.StatusPaneText(0), "Ready");
    EXPECT_EQ(window.StatusPaneText(4), "S");
    wchar_t title[256] = {};
    GetWindowTextW(window.hwnd(), title, 256);
    EXPECT_STREQ(title, L"Zelvo - Untitled");

    window.SetAreaText(EditArea::kSource, "first line\r\nsecond line\r\nthird");
    SendMessageW(source, EM_SETSEL, 14, 14);  // line 2, column 3
    window.SetStatusArea(EditArea::kSource);
    EXPECT_EQ(window.StatusPaneText(1), "Ln 2,  Col 3");
    EXPECT_EQ(window.StatusPaneText(2), "Ln Cnt 3");
    EXPECT_EQ(window.StatusPaneText(3), FileSizePaneText(30));
    SendMessageW(source, EM_SETSEL, 2, 16);  // from line 1 into line 2
    window.Refresh();
    EXPECT_EQ(window.StatusPaneText(1), "Ln 1+1,  Col 3-5, Sel 14");

    window.SetStatusArea(EditArea::kDestination);
    EXPECT_EQ(window.StatusPaneText(4), "D");
    EXPECT_EQ(window.StatusPaneText(2), "Ln Cnt 1");

    window.ShowTimedStatusText("Saved.", 100);
    EXPECT_EQ(window.StatusPaneText(0), "Saved.");
    Pump(400);
    EXPECT_EQ(window.StatusPaneText(0), "Ready");
    // The pane reads back what the status bar control shows.
    wchar_t pane[64] = {};
    SendMessageW(window.statusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(pane));
    EXPECT_STREQ(pane, L"Ready");
}

TEST_F(MainWindowTest, ButtonsAreEnabledByTheAreasState) {
    MainWindow& window = Open();
    auto enabled = [&](int id) { return IsWindowEnabled(window.Item(id)) != FALSE; };
    EXPECT_FALSE(enabled(IDM_SOURCE_CLOSE));
    EXPECT_FALSE(enabled(IDM_SOURCE_SAVE));
    EXPECT_FALSE(enabled(IDM_SOURCE_COPY_ALL));
    EXPECT_FALSE(enabled(IDM_SOURCE_CUT));
    EXPECT_TRUE(enabled(IDM_SOURCE_OPEN));

    // Typing marks the area modified: Save, Close and Copy All come alive.
    HWND source = window.Item(IDC_SOURCE_EDIT);
    SendMessageW(source, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_TRUE(window.documents().IsModified(EditArea::kSource));
    window.SetStatusArea(EditArea::kSource);
    EXPECT_EQ(window.StatusPaneText(3), FileSizePaneText(5));
    SendMessageW(source, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" more"));
    EXPECT_EQ(window.StatusPaneText(3), FileSizePaneText(10));  // counted again after the change
    EXPECT_TRUE(enabled(IDM_SOURCE_SAVE));
    EXPECT_TRUE(enabled(IDM_SOURCE_CLOSE));
    EXPECT_TRUE(enabled(IDM_SOURCE_COPY_ALL));
    EXPECT_TRUE(enabled(IDM_TRANSFER_G2B));
    EXPECT_FALSE(enabled(IDM_DESTINATION_SAVE));
    SendMessageW(source, EM_SETSEL, 0, 2);
    window.Refresh();
    EXPECT_TRUE(enabled(IDM_SOURCE_CUT));
    EXPECT_TRUE(enabled(IDM_SOURCE_COPY));
}

TEST_F(MainWindowTest, LanguageChangeKeepsTheBytesAndSetsTheFont) {
    MainWindow& window = Open();
    HWND source = window.Item(IDC_SOURCE_EDIT);
    HWND selector = window.Item(IDC_SOURCE_LANGUAGE);
    ASSERT_EQ(SendMessageW(selector, CB_GETCOUNT, 0, 0), LanguageCount());
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    window.SetAreaText(EditArea::kSource, kGbkText);
    EXPECT_EQ(FontOf(source).lfCharSet, GB2312_CHARSET);
    wchar_t shown[8] = {};
    GetWindowTextW(source, shown, 3);
    EXPECT_STREQ(shown, L"\x4E2D\x6587");  // 中文

    // Chosen in the selector as a user does: the same bytes, read as Big5.
    SendMessageW(selector, CB_SETCURSEL, kBig5LanguageIndex, 0);
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SOURCE_LANGUAGE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(selector));
    EXPECT_EQ(window.sourceLanguageIndex(), kBig5LanguageIndex);
    EXPECT_EQ(window.SourceText(), kGbkText);
    EXPECT_EQ(FontOf(source).lfCharSet, CHINESEBIG5_CHARSET);
    EXPECT_EQ(ReadRegInt("Options", "Source Language", -1), kBig5LanguageIndex);
    EXPECT_FALSE(window.documents().IsModified(EditArea::kSource));

    // And back through the menu: the text is again what it was.
    window.RunCommand(IDM_SOURCE_LANGUAGE_FIRST + kGbkLanguageIndex);
    EXPECT_EQ(SendMessageW(selector, CB_GETCURSEL, 0, 0), kGbkLanguageIndex);
    GetWindowTextW(source, shown, 3);
    EXPECT_STREQ(shown, L"\x4E2D\x6587");
    EXPECT_EQ(window.SourceText(), kGbkText);

    // Font sizes keep the character set.
    window.RunCommand(IDM_SOURCE_FONT_LARGE);
    EXPECT_EQ(window.FontPoints(EditArea::kSource), 24);
    EXPECT_EQ(FontOf(source).lfHeight, EditFontHeight(24));
    EXPECT_EQ(FontOf(source).lfCharSet, GB2312_CHARSET);
    window.RunCommand(IDM_DESTINATION_FONT_SMALL);
    EXPECT_EQ(FontOf(window.Item(IDC_DESTINATION_EDIT)).lfHeight, EditFontHeight(8));
}

TEST_F(MainWindowTest, StoredLanguagesAreAppliedAtStart) {
    WriteRegInt("Options", "Source Language", kBig5LanguageIndex);
    WriteRegInt("Options", "Destination Language", 999);  // not a row: the first one
    MainWindow& window = Open();
    EXPECT_EQ(window.sourceLanguageIndex(), kBig5LanguageIndex);
    EXPECT_EQ(window.destinationLanguageIndex(), 0);
    EXPECT_EQ(SendMessageW(window.Item(IDC_SOURCE_LANGUAGE), CB_GETCURSEL, 0, 0), kBig5LanguageIndex);
    EXPECT_EQ(FontOf(window.Item(IDC_SOURCE_EDIT)).lfCharSet, CHINESEBIG5_CHARSET);
}

TEST_F(MainWindowTest, UiLanguageSwitchRelabelsTheWindow) {
    MainWindow& window = Open();
    HWND site = window.Item(IDM_SITE_TRANSFER);
    ASSERT_NE(site, nullptr);
    EXPECT_FALSE(Visible(site));  // English: no File / Site Code Transfer button
    EXPECT_EQ(ComboItem(window.Item(IDC_SOURCE_LANGUAGE), 3), L"Traditional Chinese(Big5)");

    window.RunCommand(IDM_UI_LANGUAGE_FIRST + 1);  // Simplified Chinese
    EXPECT_EQ(app_.uiLcid, kLcidSimplifiedChinese);
    EXPECT_EQ(ReadRegInt("Shell", "LCID", 0), kLcidSimplifiedChinese);
    EXPECT_TRUE(Visible(site));
    std::vector<std::string> names = LoadUiStringLines(IDS_DIALOG_ZELVO_LANGUAGE_LIST);
    ASSERT_GT(names.size(), 3u);
    EXPECT_EQ(ComboItem(window.Item(IDC_SOURCE_LANGUAGE), 3), WidenText(names[3], 936));
    EXPECT_EQ(SendMessageW(window.Item(IDC_SOURCE_LANGUAGE), CB_GETCURSEL, 0, 0),
              window.sourceLanguageIndex());
    std::string ready = LoadUiStringColumn(IDS_DIALOG_ZELVO_STATUS_IDLEMESSAGE, kUiColumnGbk);
    EXPECT_EQ(window.StatusPaneText(0), ready);
    wchar_t pane[64] = {};
    SendMessageW(window.statusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(pane));
    EXPECT_EQ(std::wstring(pane), WidenText(ready, 936));
    EXPECT_EQ(window.toolTips().TipOf(window.Item(IDM_EXIT)),
              WidenText(LoadUiStringColumn(IDS_TIP_EXIT, kUiColumnGbk), 936));
    wchar_t label[64] = {};
    GetMenuStringW(GetMenu(window.hwnd()), 0, label, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(label), WidenText(MainMenuPopupLabel(0), 936));

    window.RunCommand(IDM_UI_LANGUAGE_FIRST + 2);  // Traditional Chinese
    EXPECT_EQ(app_.uiLcid, kLcidTraditionalChinese);
    EXPECT_TRUE(Visible(site));
    EXPECT_EQ(window.toolTips().TipOf(window.Item(IDM_EXIT)),
              WidenText(LoadUiStringColumn(IDS_TIP_EXIT, kUiColumnBig5), 950));

    window.RunCommand(IDM_UI_LANGUAGE_FIRST + 0);  // English again
    EXPECT_EQ(app_.uiLcid, kLcidEnglish);
    EXPECT_FALSE(Visible(site));
    EXPECT_EQ(window.StatusPaneText(0), "Ready");
}

TEST_F(MainWindowTest, ContextCommandsWaitForTheContextArea) {
    MainWindow& window = Open();
    HWND source = window.Item(IDC_SOURCE_EDIT);
    HWND destination = window.Item(IDC_DESTINATION_EDIT);
    window.SetAreaText(EditArea::kSource, "source text");
    window.SetAreaText(EditArea::kDestination, "destination text");
    SendMessageW(source, EM_SETSEL, 0, 0);
    SendMessageW(destination, EM_SETSEL, 0, 0);
    auto selection = [](HWND edit) {
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };

    // Ctrl+A is translated, but with no context area it does nothing.
    EXPECT_TRUE(CtrlKey(window, destination, 'A'));
    EXPECT_EQ(window.contextArea(), EditArea::kNone);
    EXPECT_EQ(selection(destination).second, 0u);

    // A right click on the Destination area shows its context menu and makes it the context.
    std::vector<MenuEntry> shown;
    window.SetMenuTracker([&](const std::vector<MenuEntry>& entries, POINT) {
        shown = entries;
        return 0;
    });
    SendMessageW(destination, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(destination), MAKELPARAM(10, 10));
    EXPECT_EQ(window.contextArea(), EditArea::kDestination);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().id, IDM_CONTEXT_UNDO);

    EXPECT_TRUE(CtrlKey(window, source, 'A'));
    EXPECT_EQ(selection(destination), std::make_pair(DWORD{0}, DWORD{16}));
    EXPECT_EQ(selection(source).second, 0u);

    // A command chosen in the context menu acts on the area clicked.
    window.SetMenuTracker([](const std::vector<MenuEntry>&, POINT) { return IDM_CONTEXT_SELECT_ALL; });
    SendMessageW(source, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(source), MAKELPARAM(10, 10));
    EXPECT_EQ(window.contextArea(), EditArea::kSource);
    EXPECT_EQ(selection(source), std::make_pair(DWORD{0}, DWORD{11}));

    // Ctrl+2 is no context command: it hides the Destination area wherever the key is.
    EXPECT_TRUE(CtrlKey(window, source, '2'));
    EXPECT_FALSE(window.view().destinationShown);
    // Keys of other windows are not the main window's.
    HWND other = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(CtrlKey(window, other, '2'));
    DestroyWindow(other);
    EXPECT_FALSE(window.view().destinationShown);
}

TEST_F(MainWindowTest, MenusAreRebuiltWhenTheyOpen) {
    MainWindow& window = Open();
    HMENU bar = GetMenu(window.hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), kMainMenuPopupCount);
    HMENU view = GetSubMenu(bar, static_cast<int>(MainMenuPopup::kView));
    window.RunCommand(IDM_TOGGLE_DESTINATION_AREA);
    SendMessageW(window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), MAKELPARAM(4, FALSE));
    UINT sourceState = GetMenuState(view, IDM_TOGGLE_SOURCE_AREA, MF_BYCOMMAND);
    UINT destinationState = GetMenuState(view, IDM_TOGGLE_DESTINATION_AREA, MF_BYCOMMAND);
    ASSERT_NE(sourceState, 0xFFFFFFFFu);
    EXPECT_TRUE(sourceState & MF_CHECKED);
    EXPECT_FALSE(destinationState & MF_CHECKED);
    // The UI language names carry their own code pages.
    wchar_t name[64] = {};
    ASSERT_GT(GetMenuStringW(view, IDM_UI_LANGUAGE_FIRST + 1, name, 64, MF_BYCOMMAND), 0);
    EXPECT_NE(std::wstring(name).find(L"\x7B80\x4F53\x4E2D\x6587"), std::wstring::npos);  // 简体中文
    ASSERT_GT(GetMenuStringW(view, IDM_UI_LANGUAGE_FIRST + 2, name, 64, MF_BYCOMMAND), 0);
    EXPECT_NE(std::wstring(name).find(L"\x7E41\x9AD4\x4E2D\x6587"), std::wstring::npos);  // 繁體中文
}

// The modal run: the accelerators reach the window through the dialog loop's message
// filter, Enter does nothing, and the close box ends the run.
UINT_PTR modalStep = 0;
MainWindow* modalWindow = nullptr;
std::vector<std::string> modalLog;
void CALLBACK DriveModalWindow(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = modalWindow ? modalWindow->hwnd() : nullptr;
    if (!window) return;
    BYTE keys[256] = {};
    switch (modalStep++) {
        case 0:
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            SetKeyboardState(keys);
            PostMessageW(modalWindow->Item(IDC_SOURCE_EDIT), WM_KEYDOWN, '2', 0);
            break;
        case 1:
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0;
            SetKeyboardState(keys);
            modalLog.push_back(modalWindow->view().destinationShown ? "destination shown"
                                                                    : "destination hidden");
            PostMessageW(window, WM_COMMAND, IDOK, 0);
            break;
        case 2:
            modalLog.push_back(IsWindow(window) ? "open after Enter" : "closed by Enter");
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

TEST_F(MainWindowTest, ModalRunTranslatesAcceleratorsAndClosesOnTheCloseBox) {
    MainWindow window(app_);
    modalWindow = &window;
    modalStep = 0;
    modalLog.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 150, DriveModalWindow);
    INT_PTR result = window.RunModal(nullptr);
    KillTimer(nullptr, timer);
    modalWindow = nullptr;
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(modalLog, (std::vector<std::string>{"destination hidden", "open after Enter"}));
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(MainWindowTest, PositionPaneCountsBytesOfTheAreaCodePage) {
    MainWindow& window = Open();
    HWND source = window.Item(IDC_SOURCE_EDIT);
    ASSERT_EQ(window.sourceLanguageIndex(), kGbkLanguageIndex);
    // "中文 Zelvo" / "国家，你好 text" in GBK: 27 bytes, 20 characters.
    window.SetAreaText(EditArea::kSource,
                       "\xD6\xD0\xCE\xC4 Zelvo\r\n\xB9\xFA\xBC\xD2\xA3\xAC\xC4\xE3\xBA\xC3 text");
    window.RunCommand(IDM_SOURCE_SELECT_ALL);
    EXPECT_EQ(window.StatusPaneText(1), "Ln 1+1,  Col 1-16, Sel 27");
    EXPECT_EQ(window.StatusPaneText(3), "File Size 27");

    // The caret after "国家" on the second line: four bytes into it.
    SendMessageW(source, EM_SETSEL, 12, 12);
    window.Refresh();
    EXPECT_EQ(window.StatusPaneText(1), "Ln 2,  Col 5");
    // "文 Z" selected on the first line.
    SendMessageW(source, EM_SETSEL, 1, 4);
    window.Refresh();
    EXPECT_EQ(window.StatusPaneText(1), "Ln 1,  Col 3-7, Sel 4");
}

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

// Word wrap makes new edit controls: the bytes, the selection, the modified flag and the
// window's handling of typing all survive, and long lines really wrap or scroll.
TEST_F(MainWindowTest, WordWrapKeepsTheTextAndIsStoredForTheNextStart) {
    MainWindow& window = Open();
    SetWindowPos(window.hwnd(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    window.LayOutNow();
    ASSERT_TRUE(window.AreaWraps(EditArea::kSource));
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += kGbkText.substr(0, 4) + " ";  // 中文 again and again
    window.SetAreaText(EditArea::kSource, longLine);
    HWND before = window.Item(IDC_SOURCE_EDIT);
    const RECT placeBefore = ClientRect(before);
    EXPECT_GT(SendMessageW(before, EM_GETLINECOUNT, 0, 0), 1);
    SendMessageW(before, EM_SETSEL, 2, 7);

    window.RunCommand(IDM_WORD_WRAP);
    HWND after = window.Item(IDC_SOURCE_EDIT);
    EXPECT_FALSE(window.AreaWraps(EditArea::kSource));
    EXPECT_FALSE(window.AreaWraps(EditArea::kDestination));
    EXPECT_EQ(SendMessageW(after, EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_NE(GetWindowLongW(after, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_EQ(window.SourceText(), longLine);
    DWORD start = 0, end = 0;
    SendMessageW(after, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 7u);
    const RECT placeAfter = ClientRect(after);
    EXPECT_EQ(placeAfter.left, placeBefore.left);
    EXPECT_EQ(placeAfter.bottom, placeBefore.bottom);
    EXPECT_EQ(ReadRegInt("Zelvo", "Source Wrap", -1), 0);
    EXPECT_EQ(ReadRegInt("Zelvo", "Destination Wrap", -1), 0);
    EXPECT_TRUE(CommandState(IDM_WORD_WRAP, window.Snapshot()).enabled);
    EXPECT_FALSE(CommandState(IDM_WORD_WRAP, window.Snapshot()).checked);
    // Making the control again did not make the text modified; typing into it does.
    EXPECT_FALSE(window.documents().IsModified(EditArea::kSource));
    SendMessageW(after, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_TRUE(window.documents().IsModified(EditArea::kSource));

    window.RunCommand(IDM_WORD_WRAP);
    EXPECT_TRUE(window.AreaWraps(EditArea::kSource));
    EXPECT_TRUE(CommandState(IDM_WORD_WRAP, window.Snapshot()).checked);
    EXPECT_GT(SendMessageW(window.Item(IDC_SOURCE_EDIT), EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(ReadRegInt("Zelvo", "Source Wrap", -1), 1);

    // A window started with wrapping off has unwrapped areas from the start.
    WriteRegInt("Zelvo", "Destination Wrap", 0);
    window_.reset();
    MainWindow& again = Open();
    EXPECT_TRUE(again.AreaWraps(EditArea::kSource));
    EXPECT_FALSE(again.AreaWraps(EditArea::kDestination));
}

}  // namespace
}  // namespace zelvo
