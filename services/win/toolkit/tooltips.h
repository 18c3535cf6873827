// Tooltips over the controls of a window: one tooltip control, texts in bytes of a code
// page (the UI language's), shown through the W control.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

namespace zelvo {

// One tooltip control over the controls of a window. Texts are bytes in a code page (the
// UI language's), shown through the W control.
class ToolTips {
  public:
    ToolTips() = default;
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // Creates the tooltip control for owner. Calling it again keeps the existing one.
    bool Create(HWND owner);
    void Destroy();
    HWND hwnd() const { return tips_; }

    // Gives control the tip text, adding the control on first use and replacing its text
    // afterwards. An empty text removes the tip. False without a tooltip control or control.
    bool SetTip(HWND control, std::string_view text, int codePage);
    // The font the tips are drawn in (for texts of a code page the default font lacks).
    void SetFont(HFONT font);
    // The text the tooltip control holds for control (read back from the control).
    std::wstring TipOf(HWND control) const;
    bool HasTip(HWND control) const { return texts_.count(control) != 0; }

  private:
    HWND owner_ = nullptr;
    HWND tips_ = nullptr;
    // The tooltip control copies the text; this keeps what was given so that an unchanged
    // text is not sent again.
    std::map<HWND, std::wstring> texts_;
};

}  // namespace zelvo
