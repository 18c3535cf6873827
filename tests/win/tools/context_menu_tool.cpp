// Shows the context menu pellum.dll builds, as Explorer would: the object is created through
// its COM registration, handed the files of the command line as CF_HDROP and asked to fill a
// popup menu, which opens at the centre of a window of this program for a few seconds.
//   zelvo_context_menu_tool SECONDS FILE...
// Prints the menu's item count; exits 1 when the object cannot be created.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win/drop_data_object.h"

namespace {

const CLSID kClassId = {0x777A8F13, 0xDB24, 0x4D86, {0x89, 0x95, 0xC2, 0x0B, 0x9C, 0xE9, 0xC3, 0xAB}};

void CALLBACK CloseMenu(HWND window, UINT, UINT_PTR, DWORD) {
    SendMessageW(window, WM_CANCELMODE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zelvo_context_menu_tool SECONDS FILE...\n");
        return 2;
    }
    const UINT seconds = static_cast<UINT>(std::atoi(argv[1]));
    std::vector<std::string> files(argv + 2, argv + argc);
    if (FAILED(CoInitialize(nullptr))) return 1;
    IShellExtInit* init = nullptr;
    if (FAILED(CoCreateInstance(kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                reinterpret_cast<void**>(&init)))) {
        std::fprintf(stderr, "the context-menu object could not be created\n");
        return 1;
    }
    zelvo::DropDataObject data(files);
    init->Initialize(nullptr, &data, nullptr);
    IContextMenu* menu = nullptr;
    init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"&Open");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, 2, L"P&roperties");
    menu->QueryContextMenu(popup, 1, 100, 200, CMF_NORMAL);
    std::printf("%d\n", GetMenuItemCount(popup));
    std::fflush(stdout);

    HWND window = CreateWindowExW(0, L"STATIC", L"Explorer context menu", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  100, 100, 500, 360, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    SetTimer(window, 1, seconds * 1000, CloseMenu);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 250, 250, 0, window, nullptr);
    DestroyMenu(popup);
    DestroyWindow(window);
    menu->Release();
    init->Release();
    CoUninitialize();
    return 0;
}
