#include "services/win/toolkit/tooltips.h"

// The other system headers need the types of windows.h.
#include <commctrl.h>

#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

TOOLINFOW ToolInfoFor(HWND owner, HWND control) {
    TOOLINFOW info{};
    // The size of the structure that version 5 of the common controls knows, which every
    // version since accepts; the longer one is refused without a version 6 manifest.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    return info;
}

}  // namespace

ToolTips::~ToolTips() {
    Destroy();
}

bool ToolTips::Create(HWND owner) {
    if (tips_ && IsWindow(tips_)) return true;
    if (!owner) return false;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!tips_) return false;
    owner_ = owner;
    texts_.clear();
    // Texts of several lines break at their line ends rather than running off the screen.
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
    return true;
}

void ToolTips::Destroy() {
    // The tooltip goes with its owner; a handle left over from that is not destroyed twice.
    if (tips_ && IsWindow(tips_) && GetWindow(tips_, GW_OWNER) == owner_) DestroyWindow(tips_);
    tips_ = nullptr;
    owner_ = nullptr;
    texts_.clear();
}

bool ToolTips::SetTip(HWND control, std::string_view text, int codePage) {
    if (!tips_ || !IsWindow(tips_) || !control || !IsWindow(control)) return false;
    std::wstring wide = WidenText(text, codePage);
    TOOLINFOW info = ToolInfoFor(owner_, control);
    auto it = texts_.find(control);
    if (wide.empty()) {
        if (it != texts_.end()) {
            SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
            texts_.erase(it);
        }
        return true;
    }
    info.lpszText = wide.data();
    if (it == texts_.end()) {
        if (!SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) return false;
        texts_[control] = wide;
        return true;
    }
    if (it->second == wide) return true;
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    it->second = wide;
    return true;
}

void ToolTips::SetFont(HFONT font) {
    if (tips_) SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::wstring ToolTips::TipOf(HWND control) const {
    if (!tips_ || !IsWindow(tips_) || texts_.count(control) == 0) return {};
    wchar_t buffer[1024] = {};
    TOOLINFOW info = ToolInfoFor(owner_, control);
    info.lpszText = buffer;
    SendMessageW(tips_, TTM_GETTEXTW, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(&info));
    buffer[sizeof buffer / sizeof buffer[0] - 1] = 0;
    return buffer;
}

}  // namespace zelvo
