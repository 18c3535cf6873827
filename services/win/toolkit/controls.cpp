#include "services/win/toolkit/controls.h"

// The other system headers need the types of windows.h.
#include <commctrl.h>

#include <algorithm>

#include "services/win/toolkit/win_text.h"

namespace zelvo {

// ---- Control ----

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return hwnd_ ? SendMessageW(hwnd_, message, wParam, lParam) : 0;
}

void Control::Show(bool shown) {
    if (hwnd_ && IsShown() != shown) ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE);
}

bool Control::IsShown() const {
    return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::Enable(bool enabled) {
    if (hwnd_ && IsEnabled() != enabled) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool Control::IsEnabled() const {
    return hwnd_ && IsWindowEnabled(hwnd_) != FALSE;
}

void Control::SetFont(HFONT font, bool redraw) {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

HFONT Control::Font() const {
    return reinterpret_cast<HFONT>(Send(WM_GETFONT));
}

std::string Control::Text(int codePage) const {
    return hwnd_ ? GetWindowTextIn(hwnd_, codePage) : std::string();
}

void Control::SetText(std::string_view bytes, int codePage) {
    if (hwnd_) SetWindowTextIn(hwnd_, bytes, codePage);
}

void Control::SetIcon(HICON icon) {
    Send(STM_SETICON, reinterpret_cast<WPARAM>(icon));
}

UniqueFont FontLike(HWND window, BYTE charset, LONG height) {
    HFONT base = window ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) : nullptr;
    LOGFONTW face{};
    if (!base || !GetObjectW(base, sizeof face, &face)) {
        if (height == 0) return UniqueFont();
        face = LOGFONTW{};
    }
    face.lfCharSet = charset;
    if (height != 0) {
        face.lfHeight = height;
        face.lfWidth = 0;
        // The dialog's face has no Chinese characters; for the East Asian character sets the
        // system picks the face that has them.
        if (charset != ANSI_CHARSET) face.lfFaceName[0] = L'\0';
    }
    return UniqueFont(CreateFontIndirectW(&face));
}

void SetFontOfChildren(HWND window, HFONT font) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

UniqueFont UseUiFont(HWND dialog) {
    UniqueFont font = FontLike(dialog, CharsetOfCodePage(UiCodePage()));
    if (font) SetFontOfChildren(dialog, font.get());
    return font;
}

// ---- TextEdit ----

void TextEdit::OnNotify(int notifyCode) {
    if (notifyCode == EN_CHANGE && onChange) onChange();
    if (notifyCode == EN_SETFOCUS && onFocus) onFocus();
}

void TextEdit::LiftLengthLimit() {
    Send(EM_SETLIMITTEXT, 0, 0);
}

void TextEdit::SetReadOnly(bool readOnly) {
    Send(EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TextEdit::ReplaceAllUndoable(std::string_view bytes) {
    // WM_SETTEXT empties the control's undo buffer; replacing a selection of everything
    // keeps the text it replaces for Undo.
    Send(EM_SETSEL, 0, -1);
    ReplaceSelection(bytes);
    CaretToStart();
}

void TextEdit::ReplaceSelection(std::string_view bytes) {
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(WidenText(bytes, codePage_).c_str()));
}

std::wstring TextEdit::SelectedCharacters() const {
    if (!hwnd()) return {};
    Selection selection = CharacterSelection();
    std::wstring text = GetWindowTextWide(hwnd());
    const size_t end = std::min<size_t>(static_cast<size_t>(std::max(selection.end, 0L)), text.size());
    const size_t start = std::min<size_t>(static_cast<size_t>(std::max(selection.start, 0L)), end);
    return text.substr(start, end - start);
}

std::string TextEdit::SelectedBytes() const {
    return NarrowText(SelectedCharacters(), codePage_);
}

long TextEdit::Length() const {
    return hwnd() ? std::max(GetWindowTextLengthW(hwnd()), 0) : 0;
}

TextEdit::Selection TextEdit::CharacterSelection() const {
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<long>(start), static_cast<long>(end)};
}

std::vector<long> TextEdit::ByteOffsets(const std::vector<long>& characterPositions) const {
    std::vector<long> offsets(characterPositions.size(), 0);
    if (!hwnd() || characterPositions.empty()) return offsets;
    const auto [lowest, highest] = std::minmax_element(characterPositions.begin(), characterPositions.end());
    const long length = Length();
    const long from = std::clamp<long>(*lowest, 0, length);
    const long to = std::clamp<long>(*highest, 0, length);
    // Only the characters between the positions are converted, read in place from the
    // control's buffer: a caret in a long text costs its line, not the text.
    std::wstring copy;
    std::wstring_view span;
    HLOCAL buffer = reinterpret_cast<HLOCAL>(Send(EM_GETHANDLE));
    const wchar_t* characters = buffer ? static_cast<const wchar_t*>(LocalLock(buffer)) : nullptr;
    if (characters) {
        span = std::wstring_view(characters + from, static_cast<size_t>(to - from));
    } else {
        copy.assign(static_cast<size_t>(to) + 1, L'\0');
        const int got = GetWindowTextW(hwnd(), copy.data(), static_cast<int>(to) + 1);
        copy.resize(static_cast<size_t>(std::clamp<long>(got, from, to)));
        span = std::wstring_view(copy).substr(static_cast<size_t>(from));
    }
    for (size_t i = 0; i < characterPositions.size(); ++i) {
        const long position = std::clamp<long>(characterPositions[i], from, to);
        offsets[i] =
            static_cast<long>(NarrowText(span.substr(0, static_cast<size_t>(position - from)), codePage_).size());
    }
    if (characters) LocalUnlock(buffer);
    return offsets;
}

int TextEdit::LineOfCharacter(long position) const {
    return static_cast<int>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(position)));
}

long TextEdit::LineStart(int line) const {
    return static_cast<long>(Send(EM_LINEINDEX, static_cast<WPARAM>(line)));
}

int TextEdit::LineCount() const {
    return static_cast<int>(Send(EM_GETLINECOUNT));
}

bool TextEdit::WordWrap() const {
    return hwnd() && (GetWindowLongW(hwnd(), GWL_STYLE) & (WS_HSCROLL | ES_AUTOHSCROLL)) == 0;
}

bool TextEdit::SetWordWrap(bool wrap) {
    HWND old = hwnd();
    if (!old) return false;
    if (WordWrap() == wrap) return true;
    HWND parent = GetParent(old);
    DWORD style = static_cast<DWORD>(GetWindowLongW(old, GWL_STYLE));
    style = wrap ? style & ~static_cast<DWORD>(WS_HSCROLL | ES_AUTOHSCROLL) : style | WS_HSCROLL | ES_AUTOHSCROLL;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(old, GWL_EXSTYLE));
    RECT place{};
    GetWindowRect(old, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const int id = GetDlgCtrlID(old);
    HWND created = CreateWindowExW(exStyle, L"EDIT", L"", style, place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(old, GWLP_HINSTANCE)), nullptr);
    if (!created) return false;
    const std::wstring text = GetWindowTextWide(old);
    const Selection selection = CharacterSelection();
    const HFONT font = Font();
    const bool focused = GetFocus() == old;
    // In the old one's place in the z-order, which is also the tab order.
    SetWindowPos(created, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(old);
    Attach(created);
    LiftLengthLimit();
    SetFont(font, false);
    SetWindowTextW(created, text.c_str());
    Send(EM_SETSEL, static_cast<WPARAM>(selection.start), selection.end);
    ScrollCaret();
    if (focused) SetFocus(created);
    return true;
}

TextEdit::ByteSelection TextEdit::SelectionInBytes() const {
    const Selection selection = CharacterSelection();
    // Counted from position 0, the offsets are those of the whole text.
    const std::vector<long> offsets = ByteOffsets({0, selection.start, selection.end});
    return {static_cast<size_t>(offsets[1]), static_cast<size_t>(offsets[2])};
}

void TextEdit::SelectBytes(size_t start, size_t end) {
    const std::string bytes = Bytes();
    end = std::min(end, bytes.size());
    start = std::min(start, end);
    // The control counts UTF-16 units: those of the bytes before each offset.
    const size_t startCharacter = WidenText(std::string_view(bytes).substr(0, start), codePage_).size();
    const size_t endCharacter =
        startCharacter + WidenText(std::string_view(bytes).substr(start, end - start), codePage_).size();
    Send(EM_SETSEL, static_cast<WPARAM>(startCharacter), static_cast<LPARAM>(endCharacter));
}

void TextEdit::SelectAll() {
    Send(EM_SETSEL, 0, -1);
    ScrollCaret();
}

void TextEdit::CaretToStart() {
    Send(EM_SETSEL, 0, 0);
    ScrollCaret();
}

void TextEdit::ScrollCaret() {
    Send(EM_SCROLLCARET);
}

void TextEdit::Perform(UINT standardMessage) {
    switch (standardMessage) {
        case WM_UNDO:
        case EM_UNDO:
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
        case WM_CLEAR:
            Send(standardMessage);
            break;
        default:
            break;
    }
}

// ---- ComboBox ----

void ComboBox::OnNotify(int notifyCode) {
    if (notifyCode == CBN_SELCHANGE && onSelectionChange) onSelectionChange();
}

void ComboBox::Reset() {
    Send(CB_RESETCONTENT);
}

void ComboBox::Add(std::string_view bytes, int codePage) {
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidenText(bytes, codePage).c_str()));
}

int ComboBox::Count() const {
    return static_cast<int>(Send(CB_GETCOUNT));
}

int ComboBox::Selected() const {
    if (!hwnd()) return -1;
    const LRESULT index = Send(CB_GETCURSEL);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void ComboBox::Select(int index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

void ComboBox::SetDroppedWidth(int pixels) {
    Send(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(pixels));
}

void ComboBox::SelectEditText() {
    Send(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// ---- Button ----

void Button::OnNotify(int notifyCode) {
    if (notifyCode == BN_CLICKED && onClick) onClick();
}

bool Button::IsChecked() const {
    return Send(BM_GETCHECK) == BST_CHECKED;
}

void Button::SetChecked(bool checked) {
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Button::SetDefaultStyle(bool isDefault) {
    Send(BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// ---- ProgressBar ----

void SpinButton::SetRange(int low, int high) {
    Send(UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void ProgressBar::SetRange(int maximum) {
    Send(PBM_SETRANGE32, 0, maximum);
}

void ProgressBar::SetPosition(int position) {
    Send(PBM_SETPOS, static_cast<WPARAM>(position));
}

// ---- StatusBar ----

bool StatusBar::Create(HWND parent, int id) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    Attach(CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                           WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr));
    return hwnd() != nullptr;
}

void StatusBar::SetPanes(const std::vector<int>& rightEdges) {
    if (rightEdges.empty()) return;
    Send(SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBar::SetPaneText(int pane, std::string_view bytes, int codePage) {
    Send(SB_SETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(WidenText(bytes, codePage).c_str()));
}

std::wstring StatusBar::PaneText(int pane) const {
    const LRESULT length = LOWORD(Send(SB_GETTEXTLENGTHW, static_cast<WPARAM>(pane)));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    Send(SB_GETTEXTW, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool StatusBar::PaneRect(int pane, RECT& rect) const {
    return Send(SB_GETRECT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&rect)) != 0;
}

}  // namespace zelvo
