#include "services/win/toolkit/list_box.h"

#include <vector>

#include "services/win/toolkit/win_text.h"

namespace zelvo {

void ListBox::OnNotify(int notifyCode) {
    if (notifyCode == LBN_SELCHANGE && onSelectionChange) onSelectionChange();
}

void ListBox::Reset() {
    Send(LB_RESETCONTENT);
}

int ListBox::Add(std::string_view bytes, int codePage) {
    return static_cast<int>(
        Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenText(bytes, codePage).c_str())));
}

void ListBox::Remove(int index) {
    Send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

int ListBox::Count() const {
    return static_cast<int>(Send(LB_GETCOUNT));
}

std::string ListBox::TextAt(int index, int codePage) const {
    LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return NarrowText(std::wstring_view(text.data(), static_cast<size_t>(length)), codePage);
}

int ListBox::Selected() const {
    LRESULT index = Send(LB_GETCURSEL);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ListBox::Select(int index) {
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

void ListBox::FitHorizontalExtent() {
    HDC dc = GetDC(hwnd());
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, Font());
    int widest = 0;
    for (int i = 0, count = Count(); i < count; ++i) {
        LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(i));
        if (length == LB_ERR) continue;
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
        Send(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text.data(), static_cast<int>(length), &size) && size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8));
}

}  // namespace zelvo
