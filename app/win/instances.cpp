#include "app/win/instances.h"

#include <string>

#include "app/instance_limit.h"

namespace zelvo {

namespace {

struct Enumeration {
    bool closeOthers;
    HWND ownWindow;
    int count;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM data) {
    auto* enumeration = reinterpret_cast<Enumeration*>(data);
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE)) return TRUE;
    char name[64] = {};
    int length = GetClassNameA(window, name, sizeof name);
    if (length <= 0 || !IsMainWindowClassName(std::string(name, static_cast<size_t>(length)))) return TRUE;
    ++enumeration->count;
    if (enumeration->closeOthers && window != enumeration->ownWindow) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

int CountInstances(bool closeOthers, HWND ownWindow) {
    Enumeration enumeration{closeOthers, ownWindow, 0};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&enumeration));
    return enumeration.count;
}

}  // namespace zelvo
