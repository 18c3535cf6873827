// Lets the end-to-end scripts see and close main windows the way other instances do:
//   zelvo_window_tool wait N SECONDS   waits until at least N main windows are visible
//   zelvo_window_tool count            prints the number of visible main windows
//   zelvo_window_tool close            posts WM_CLOSE to every main window
//   zelvo_window_tool text ID          prints control ID of the first main window in UTF-8
// Prints the count; exits 0 on success, 1 when the wait ran out, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/win/instances.h"

namespace {

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || lstrcmpiA(name, "Tolvane_Zelvo") != 0) return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

int PrintControlText(int id) {
    HWND window = nullptr;
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&window));
    HWND control = window ? GetDlgItem(window, id) : nullptr;
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
    std::fprintf(stderr, "usage: zelvo_window_tool wait N SECONDS | count | close | text ID\n");
    return 2;
}
