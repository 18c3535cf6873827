// The main window's menus: the menu bar's popups rebuilt each time they open, the context
// menu of an edit area, the profile button's pop-up, and the accelerators of table 207.
#include <string>
#include <vector>

#include "app/editor_app.h"
#include "app/recent_files.h"
#include "app/win/main_window.h"
#include "resources/resource.h"
#include "services/system_language.h"
#include "services/ui_language.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/menu_builder.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// The modal loop of the main window is the dialog manager's; it offers every message to
// the thread's message filter hooks first (MSGF_DIALOGBOX), which is where accelerators are
// translated before any other handling of a key.
HHOOK messageFilterHook = nullptr;
MainWindow* acceleratorWindow = nullptr;

LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && acceleratorWindow && lParam) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        if (acceleratorWindow->TranslateAccelerators(*message)) return 1;
        // The Find/Replace windows are modeless: their keys come through this loop too.
        if (Dialog::RouteToModeless(*message)) return 1;
    }
    return CallNextHookEx(messageFilterHook, code, wParam, lParam);
}

void SetItemText(HMENU menu, int id, const std::wstring& text) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &item);
}

}  // namespace

void MainWindow::LoadMenus() {
    menu_.Reset(GetMenu(hwnd()));
    accelerators_ = LoadAcceleratorsW(ResourceInstance(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
}

void MainWindow::InstallAcceleratorHook() {
    acceleratorWindow = this;
    if (!messageFilterHook)
        messageFilterHook = SetWindowsHookExW(WH_MSGFILTER, MessageFilterProc, nullptr, GetCurrentThreadId());
}

void MainWindow::RemoveAcceleratorHook() {
    if (acceleratorWindow != this) return;
    acceleratorWindow = nullptr;
    if (messageFilterHook) UnhookWindowsHookEx(messageFilterHook);
    messageFilterHook = nullptr;
}

bool MainWindow::TranslateAccelerators(MSG& message) {
    if (!accelerators_ || !hwnd()) return false;
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN && message.message != WM_CHAR &&
        message.message != WM_SYSCHAR)
        return false;
    // Keys of the window itself and its controls; not those of a dialog it has opened.
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
    if (!IsWindowEnabled(hwnd())) return false;
    return TranslateAcceleratorW(hwnd(), accelerators_, &message) != 0;
}

void MainWindow::RelabelMenuBar() {
    if (!menu_) return;
    std::vector<std::string> labels = MainMenuBarLabels();
    int count = GetMenuItemCount(menu_.get());
    for (int i = 0; i < count && i < static_cast<int>(labels.size()); ++i) {
        std::wstring text = WidenUiText(labels[static_cast<size_t>(i)]);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = text.data();
        SetMenuItemInfoW(menu_.get(), static_cast<UINT>(i), TRUE, &item);
    }
    if (GetMenu(hwnd()) == menu_.get()) DrawMenuBar(hwnd());
}

MenuSources MainWindow::CurrentMenuSources() {
    MenuSources sources;
    sources.maximumRecentCount = MaximumMruCount();
    sources.uiLanguageNames = app_.uiLanguageNames;
    sources.productName = app_.productName;
    for (size_t place = 0; place < profiles_.size(); ++place)
        if (profiles_[place].appearInMenu)
            sources.profiles.push_back({static_cast<int>(place), profiles_[place].title});
    return sources;
}

void MainWindow::OnInitMenuPopup(HMENU popup) {
    if (!menu_) return;
    int count = GetMenuItemCount(menu_.get());
    for (int index = 0; index < count && index < kMainMenuPopupCount; ++index) {
        if (GetSubMenu(menu_.get(), index) != popup) continue;
        MenuSources sources = CurrentMenuSources();
        if (index == static_cast<int>(MainMenuPopup::kSourceFile))
            sources.sourceRecentFiles = documents_.RecentFilesForMenu(EditArea::kSource);
        if (index == static_cast<int>(MainMenuPopup::kDestinationFile))
            sources.destinationRecentFiles = documents_.RecentFilesForMenu(EditArea::kDestination);
        FillPopup(popup, BuildMainMenuPopup(index, Snapshot(), sources), UiCodePage());
        // Paths are in the system's code page and each UI language's name in its own.
        for (size_t i = 0;
             i < sources.sourceRecentFiles.size() && i <= IDM_SOURCE_RECENT_LAST - IDM_SOURCE_RECENT_FIRST;
             ++i)
            SetItemText(popup, IDM_SOURCE_RECENT_FIRST + static_cast<int>(i),
                        WidenWithSystemCodePage(
                            RecentMenuLabel(static_cast<int>(i) + 1, sources.sourceRecentFiles[i])));
        for (size_t i = 0; i < sources.destinationRecentFiles.size() &&
                           i <= IDM_DESTINATION_RECENT_LAST - IDM_DESTINATION_RECENT_FIRST;
             ++i)
            SetItemText(popup, IDM_DESTINATION_RECENT_FIRST + static_cast<int>(i),
                        WidenWithSystemCodePage(
                            RecentMenuLabel(static_cast<int>(i) + 1, sources.destinationRecentFiles[i])));
        if (index == static_cast<int>(MainMenuPopup::kView)) {
            for (size_t i = 0; i < app_.uiLanguageNames.size() && i < app_.uiLanguageLcids.size() &&
                               i <= IDM_UI_LANGUAGE_LAST - IDM_UI_LANGUAGE_FIRST;
                 ++i)
                SetItemText(
                    popup, IDM_UI_LANGUAGE_FIRST + static_cast<int>(i),
                    WidenText(app_.uiLanguageNames[i], NameCodePageOfUiLanguage(app_.uiLanguageLcids[i])));
        }
        return;
    }
}

int MainWindow::TrackMenu(const std::vector<MenuEntry>& entries, POINT screenPoint) {
    if (menuTracker_) return menuTracker_(entries, screenPoint);
    MenuHandle menu = BuildPopupMenu(entries, UiCodePage());
    if (!menu) return 0;
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(hwnd());
    int chosen = static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                 screenPoint.x, screenPoint.y, 0, hwnd(), nullptr));
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    return chosen;
}

void MainWindow::ShowContextMenu(EditArea area, POINT screenPoint) {
    if (area == EditArea::kNone || !AreaShown(view_, area)) return;
    contextArea_ = area;
    int chosen = TrackMenu(BuildContextMenu(Snapshot()), screenPoint);
    if (chosen) RunCommand(chosen);
}

void MainWindow::ShowProfileMenu() {
    POINT point{};
    GetCursorPos(&point);
    int chosen = TrackMenu(BuildProfileMenu(Snapshot(), CurrentMenuSources()), point);
    if (chosen) RunCommand(chosen);
}

}  // namespace zelvo
