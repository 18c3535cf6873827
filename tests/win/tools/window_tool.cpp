// Lets the end-to-end scripts see and close main windows the way other instances do:
//   zelvo_window_tool wait N SECONDS   waits until at least N main windows are visible
//   zelvo_window_tool count            prints the number of visible main windows
//   zelvo_window_tool close            posts WM_CLOSE to every main window
//   zelvo_window_tool text ID          prints control ID of the first main window in UTF-8
//   zelvo_window_tool title            prints the first main window's title in UTF-8
//   zelvo_window_tool command ID       posts WM_COMMAND ID to the first main window
//   zelvo_window_tool click ID         posts a click of button ID to the window the first main
//                                      window has open over it (a message box); exits 1 when none
//   zelvo_window_tool centre ID        prints "X Y", the centre of control ID of that window (0:
//                                      the window itself) in screen coordinates, as GetWindowRect
//                                      reports it; exits 1 when no window is open over the main one
//   zelvo_window_tool maincentre ID    prints "X Y", the centre of control ID of the first main
//                                      window (an edit area) in screen coordinates
//   zelvo_window_tool mainpoint ID X Y prints the point X% across and Y% down control ID of the
//                                      first main window in screen coordinates
//   zelvo_window_tool mainshown ID     prints 1 when control ID of the first main window is
//                                      visible, else 0
//   zelvo_window_tool open             prints the control ids of that window, so a script can tell
//                                      a progress dialog (1142) from a message box (5115)
//   zelvo_window_tool opentext ID      prints control ID of that window in UTF-8
//   zelvo_window_tool page N           shows page N (0-based) of the property sheet open over
//                                      the main window
//   zelvo_window_tool settext ID FILE  sets control ID of the first main window to FILE's UTF-8
//   zelvo_window_tool key ID VK N      posts key VK (decimal) N times to control ID of the window
//                                      open over the first main window (moves a list's selection)
//   zelvo_window_tool idletext ID      prints control ID of the first main window that has no
//                                      dialog open over it (another instance), in UTF-8
//   zelvo_window_tool closeidle        posts WM_CLOSE to every main window with no dialog open
// Prints the count; exits 0 on success, 1 when the wait ran out, 2 on a usage error.

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/win/instances.h"

namespace {

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || lstrcmpiA(name, "Tolvane_Zelvo") != 0) return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

HWND FirstMainWindow() {
    HWND window = nullptr;
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&window));
    return window;
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<OwnedSearch*>(data);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->owner) return TRUE;
    search->found = window;
    return FALSE;
}

// Main windows that take input: a main window with a modal dialog open over it is disabled.
BOOL CALLBACK FindIdleMainWindow(HWND window, LPARAM data) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || lstrcmpiA(name, "Tolvane_Zelvo") != 0) return TRUE;
    auto* found = reinterpret_cast<std::vector<HWND>*>(data);
    found->push_back(window);
    return TRUE;
}

std::vector<HWND> IdleMainWindows() {
    std::vector<HWND> found;
    EnumWindows(FindIdleMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

int CloseIdleMainWindows() {
    std::vector<HWND> windows = IdleMainWindows();
    for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
    std::printf("%d\n", static_cast<int>(windows.size()));
    return 0;
}

int PostCommand(int id) {
    HWND window = FirstMainWindow();
    if (!window) return 1;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return 0;
}

// A message box (by its text control 5115), or the download dialog (by its start button
// 6401), which stands alone while the main window hides for an update's download.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM data) {
    if (!IsWindowVisible(window) || (!GetDlgItem(window, 5115) && !GetDlgItem(window, 6401))) return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

// The innermost window open over the first main window: a dialog it owns, a question that
// dialog owns, and so on. While no main window is shown, a question of the program's start
// (the message box, by its text control) or the download dialog, and what it has open over
// it. Null when none is open.
HWND InnermostOpenWindow() {
    HWND start = FirstMainWindow();
    HWND innermost = nullptr;
    if (!start) {
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&start));
        innermost = start;
    }
    OwnedSearch search{start, nullptr};
    while (search.owner) {
        search.found = nullptr;
        EnumWindows(FindOwnedWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) break;
        innermost = search.found;
        search.owner = search.found;
    }
    return innermost;
}

int ClickOwnedButton(int id) {
    HWND open = InnermostOpenWindow();
    if (!open) return 1;
    PostMessageW(open, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(open, id)));
    return 0;
}

int PrintCentre(int id) {
    HWND open = InnermostOpenWindow();
    HWND control = open && id ? GetDlgItem(open, id) : open;
    if (!control) return 1;
    RECT rect{};
    GetWindowRect(control, &rect);
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}

// The centre of a control of the first main window, such as an edit area.
int PrintMainPoint(int id, int xPercent, int yPercent) {
    HWND window = FirstMainWindow();
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control) return 1;
    RECT rect{};
    GetWindowRect(control, &rect);
    std::printf("%ld %ld\n", rect.left + (rect.right - rect.left) * xPercent / 100,
                rect.top + (rect.bottom - rect.top) * yPercent / 100);
    return 0;
}

BOOL CALLBACK PrintChildId(HWND child, LPARAM) {
    std::printf("%d\n", GetDlgCtrlID(child));
    return TRUE;
}

int PrintOpenWindowIds() {
    HWND open = InnermostOpenWindow();
    if (!open) return 1;
    EnumChildWindows(open, PrintChildId, 0);
    return 0;
}

int ShowSheetPage(int index) {
    HWND open = InnermostOpenWindow();
    if (!open) return 1;
    PostMessageW(open, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return 0;
}

int SetControlText(int id, const char* path) {
    HWND window = FirstMainWindow();
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    FILE* file = control ? std::fopen(path, "rb") : nullptr;
    if (!file) return 1;
    std::string utf8;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) utf8.append(buffer, got);
    std::fclose(file);
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
}

int PostKeys(int id, int key, int count) {
    HWND open = InnermostOpenWindow();
    HWND control = open ? GetDlgItem(open, id) : nullptr;
    if (!control) return 1;
    for (int i = 0; i < count; ++i) {
        PostMessageW(control, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        PostMessageW(control, WM_KEYUP, static_cast<WPARAM>(key), static_cast<LPARAM>(0xC0000001u));
    }
    return 0;
}

enum class TextOf { kMainWindow, kOpenWindow, kIdleMainWindow };

int PrintControlText(int id, TextOf of = TextOf::kMainWindow) {
    HWND window = nullptr;
    if (of == TextOf::kMainWindow) window = FirstMainWindow();
    if (of == TextOf::kOpenWindow) window = InnermostOpenWindow();
    if (of == TextOf::kIdleMainWindow) {
        std::vector<HWND> idle = IdleMainWindows();
        window = idle.empty() ? nullptr : idle.front();
    }
    HWND control = window ? (id ? GetDlgItem(window, id) : window) : nullptr;
    if (!control) return 1;
    // WM_GETTEXT, not GetWindowText: the control belongs to another process.
    LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(got), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(got), utf8.data(), n, nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "text") == 0) return PrintControlText(std::atoi(argv[2]));
    if (argc >= 2 && std::strcmp(argv[1], "title") == 0) return PrintControlText(0);
    if (argc >= 3 && std::strcmp(argv[1], "command") == 0) return PostCommand(std::atoi(argv[2]));
    if (argc >= 3 && std::strcmp(argv[1], "click") == 0) return ClickOwnedButton(std::atoi(argv[2]));
    if (argc >= 3 && std::strcmp(argv[1], "opentext") == 0)
        return PrintControlText(std::atoi(argv[2]), TextOf::kOpenWindow);
    if (argc >= 3 && std::strcmp(argv[1], "idletext") == 0)
        return PrintControlText(std::atoi(argv[2]), TextOf::kIdleMainWindow);
    if (argc >= 5 && std::strcmp(argv[1], "key") == 0)
        return PostKeys(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if (argc >= 2 && std::strcmp(argv[1], "closeidle") == 0) return CloseIdleMainWindows();
    if (argc >= 3 && std::strcmp(argv[1], "centre") == 0) return PrintCentre(std::atoi(argv[2]));
    if (argc >= 3 && std::strcmp(argv[1], "maincentre") == 0) return PrintMainPoint(std::atoi(argv[2]), 50, 50);
    if (argc >= 3 && std::strcmp(argv[1], "mainshown") == 0) {
        HWND window = FirstMainWindow();
        HWND control = window ? GetDlgItem(window, std::atoi(argv[2])) : nullptr;
        std::printf("%d\n", control && IsWindowVisible(control) ? 1 : 0);
        return 0;
    }
    if (argc >= 5 && std::strcmp(argv[1], "mainpoint") == 0)
        return PrintMainPoint(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if (argc >= 2 && std::strcmp(argv[1], "open") == 0) return PrintOpenWindowIds();
    if (argc >= 3 && std::strcmp(argv[1], "page") == 0) return ShowSheetPage(std::atoi(argv[2]));
    if (argc >= 4 && std::strcmp(argv[1], "settext") == 0) return SetControlText(std::atoi(argv[2]), argv[3]);
    if (argc >= 2 && std::strcmp(argv[1], "count") == 0) {
        std::printf("%d\n", zelvo::CountInstances(false));
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "close") == 0) {
        std::printf("%d\n", zelvo::CountInstances(true));
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "wait") == 0) {
        int wanted = std::atoi(argv[2]);
        DWORD deadline = static_cast<DWORD>(std::atoi(argv[3])) * 1000;
        DWORD start = GetTickCount();
        int count = 0;
        while ((count = zelvo::CountInstances(false)) < wanted && GetTickCount() - start < deadline)
            Sleep(100);
        std::printf("%d\n", count);
        return count >= wanted ? 0 : 1;
    }
    std::fprintf(stderr, "usage: zelvo_window_tool wait N SECONDS | count | close | text ID | title | command ID | click ID |"
                 " centre ID | open | opentext ID | page N | settext ID FILE | key ID VK N | idletext ID | closeidle\n");
    return 2;
}
