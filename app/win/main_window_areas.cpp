// The two edit areas of the main window: their text in the code page of their language,
// language selection and fonts, the edit commands, the clipboard, dropped files and the
// file-name questions the documents ask.
#include <windows.h>
// The other system headers need the types of windows.h.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "app/edit_font_height.h"
#include "app/editor_app.h"
#include "app/language_table.h"
#include "app/win/main_window.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/system_language.h"
#include "services/ui_strings.h"
#include "services/win/system_language_win.h"
#include "services/win/toolkit/clipboard.h"
#include "services/win/toolkit/file_dialogs.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

constexpr UINT_PTR kEditSubclassId = 286;
constexpr UINT kOfferRetryMs = 500;
constexpr int kSelectorListWidth = 220;

int AreaCodePage(int languageIndex) {
    int codePage = CodePageOfLanguageIndex(languageIndex);
    return codePage ? codePage : SystemCodePage();
}

// Puts text on the clipboard twice: as CF_TEXT the area's bytes, which the program's own
// paste and transfers read back unchanged, and as CF_UNICODETEXT the characters, so other
// programs get them whatever the system code page is.
bool PutAreaTextOnClipboard(HWND owner, const std::string& bytes, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool ok = true;
    HGLOBAL narrow = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    if (narrow) {
        char* target = static_cast<char*>(GlobalLock(narrow));
        memcpy(target, bytes.c_str(), bytes.size() + 1);
        GlobalUnlock(narrow);
        if (!SetClipboardData(CF_TEXT, narrow)) {
            GlobalFree(narrow);
            ok = false;
        }
    } else {
        ok = false;
    }
    HGLOBAL wide = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (wide) {
        wchar_t* target = static_cast<wchar_t*>(GlobalLock(wide));
        memcpy(target, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(wide);
        if (!SetClipboardData(CF_UNICODETEXT, wide)) GlobalFree(wide);
    }
    CloseClipboard();
    return ok;
}

std::wstring SelectedText(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    if (end > text.size()) end = static_cast<DWORD>(text.size());
    if (start > end) start = end;
    return text.substr(start, end - start);
}

}  // namespace

void MainWindow::SetUpAreas() {
    for (Area* area : {&source_, &destination_}) {
        area->edit = Item(area->editId);
        area->selector = Item(area->selectorId);
        // The edit controls' default limit is 32K characters: texts are often larger.
        SendMessageW(area->edit, EM_SETLIMITTEXT, 0, 0);
        SetWindowSubclass(area->edit, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
}

EditArea MainWindow::AreaOfEdit(HWND edit) const {
    if (edit && edit == destination_.edit) return EditArea::kDestination;
    if (edit && edit == source_.edit) return EditArea::kSource;
    return EditArea::kNone;
}

void MainWindow::FillLanguageSelectors() {
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    LOGFONTW face{};
    if (dialogFont && GetObjectW(dialogFont, sizeof face, &face)) {
        face.lfCharSet = static_cast<BYTE>(app_.uiCharset);
        selectorFont_.Reset(CreateFontIndirectW(&face));
    }
    std::vector<std::string> names = LanguageNames();
    for (Area* area : {&source_, &destination_}) {
        if (!area->selector) continue;
        if (selectorFont_.get())
            SendMessageW(area->selector, WM_SETFONT, reinterpret_cast<WPARAM>(selectorFont_.get()), FALSE);
        SendMessageW(area->selector, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : names)
            SendMessageW(area->selector, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(WidenUiText(name).c_str()));
        int index = IsValidLanguageIndex(area->languageIndex) ? area->languageIndex : 0;
        SendMessageW(area->selector, CB_SETCURSEL, index, 0);
        // The list shows the names whole even where the selector is narrower.
        SendMessageW(area->selector, CB_SETDROPPEDWIDTH, kSelectorListWidth, 0);
        InvalidateRect(area->selector, nullptr, TRUE);
    }
}

void MainWindow::ApplyAreaFont(Area& area) {
    if (!area.edit) return;
    LOGFONTW font{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    if (!current || !GetObjectW(current, sizeof font, &font)) font = LOGFONTW{};
    font.lfHeight = EditFontHeight(area.fontPoints);
    font.lfWidth = 0;
    font.lfCharSet = static_cast<BYTE>(LanguageRowAt(area.languageIndex).charset);
    // The dialog's face has no Chinese characters; for the East Asian character sets the
    // system picks the face that has them.
    if (font.lfCharSet != ANSI_CHARSET) font.lfFaceName[0] = L'\0';
    HFONT created = CreateFontIndirectW(&font);
    if (!created) return;
    SendMessageW(area.edit, WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
    area.font.Reset(created);  // the old font is no longer selected into the control
}

std::string MainWindow::GetAreaText(EditArea area) {
    const Area& a = AreaOf(area);
    return GetWindowTextIn(a.edit, AreaCodePage(a.languageIndex));
}

std::string MainWindow::SourceText() const {
    return GetWindowTextIn(source_.edit, AreaCodePage(source_.languageIndex));
}

std::string MainWindow::DestinationText() const {
    return GetWindowTextIn(destination_.edit, AreaCodePage(destination_.languageIndex));
}

void MainWindow::SetAreaTextInternal(Area& area, const std::string& text) {
    SetWindowTextIn(area.edit, text, AreaCodePage(area.languageIndex));
    area.textBytes = -1;
}

void MainWindow::SetAreaText(EditArea area, const std::string& text) {
    // The documents keep the modified flag themselves.
    if (area == EditArea::kDestination) destinationBeforeTransfer_.reset();
    ++programmaticText_;
    SetAreaTextInternal(AreaOf(area), text);
    --programmaticText_;
}

void MainWindow::ReplaceAreaText(Area& area, const std::string& text) {
    // WM_SETTEXT empties the control's undo buffer; replacing a selection of everything
    // keeps the text it replaces for Undo.
    SendMessageW(area.edit, EM_SETSEL, 0, -1);
    SendMessageW(area.edit, EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(WidenText(text, AreaCodePage(area.languageIndex)).c_str()));
    SendMessageW(area.edit, EM_SETSEL, 0, 0);
    SendMessageW(area.edit, EM_SCROLLCARET, 0, 0);
    area.textBytes = -1;
}

std::vector<long> MainWindow::ByteOffsets(const Area& area, const std::vector<long>& characterPositions) const {
    std::vector<long> offsets(characterPositions.size(), 0);
    if (!area.edit || characterPositions.empty()) return offsets;
    const auto [lowest, highest] = std::minmax_element(characterPositions.begin(), characterPositions.end());
    const long length = GetWindowTextLengthW(area.edit);
    const long from = std::clamp<long>(*lowest, 0, length);
    const long to = std::clamp<long>(*highest, 0, length);
    // Only the characters between the positions are converted, read in place from the
    // control's buffer: a caret in a long text costs its line, not the text.
    std::wstring copy;
    std::wstring_view span;
    HLOCAL buffer = reinterpret_cast<HLOCAL>(SendMessageW(area.edit, EM_GETHANDLE, 0, 0));
    const wchar_t* characters = buffer ? static_cast<const wchar_t*>(LocalLock(buffer)) : nullptr;
    if (characters) {
        span = std::wstring_view(characters + from, static_cast<size_t>(to - from));
    } else {
        copy.assign(static_cast<size_t>(to) + 1, L'\0');
        const int got = GetWindowTextW(area.edit, copy.data(), static_cast<int>(to) + 1);
        copy.resize(static_cast<size_t>(std::clamp<long>(got, from, to)));
        span = std::wstring_view(copy).substr(static_cast<size_t>(from));
    }
    const int codePage = AreaCodePage(area.languageIndex);
    for (size_t i = 0; i < characterPositions.size(); ++i) {
        const long position = std::clamp<long>(characterPositions[i], from, to);
        offsets[i] = static_cast<long>(NarrowText(span.substr(0, static_cast<size_t>(position - from)), codePage).size());
    }
    if (characters) LocalUnlock(buffer);
    return offsets;
}

// A transfer's result is new text in the area: the area counts as modified. (A multi-line
// edit control does not report a change made by WM_SETTEXT.)
void MainWindow::SetSourceText(const std::string& text) {
    ++programmaticText_;
    ReplaceAreaText(source_, text);
    --programmaticText_;
    documents_.SetModified(EditArea::kSource, true);
    Refresh();
}

bool MainWindow::CloseDestinationDocument() {
    std::string before = GetAreaText(EditArea::kDestination);
    if (!documents_.Close(EditArea::kDestination)) return false;
    destinationBeforeTransfer_ = std::move(before);
    return true;
}

void MainWindow::SetDestinationText(const std::string& text) {
    ++programmaticText_;
    if (destinationBeforeTransfer_) {
        // The closed document's text goes back in, read in the area's language of now, for
        // the result to replace it so that Undo restores it.
        SetAreaTextInternal(destination_, *destinationBeforeTransfer_);
        destinationBeforeTransfer_.reset();
    }
    ReplaceAreaText(destination_, text);
    --programmaticText_;
    documents_.SetModified(EditArea::kDestination, true);
    Refresh();
}

void MainWindow::ShowArea(EditArea area) {
    if (!AreaShown(view_, area)) ToggleAreaShown(area);
}

void MainWindow::OnEditChange(EditArea area) {
    AreaOf(area).textBytes = -1;
    if (programmaticText_ == 0) documents_.SetModified(area, true);
    RefreshEnabling();
    RefreshStatus();
}

void MainWindow::SelectLanguageAsUser(EditArea area, int index) {
    SelectLanguage(area, index);
}

void MainWindow::OnSelectorChange(EditArea area) {
    Area& a = AreaOf(area);
    int index = static_cast<int>(SendMessageW(a.selector, CB_GETCURSEL, 0, 0));
    if (index >= 0) SelectLanguage(area, index);
}

void MainWindow::SelectLanguage(EditArea area, int index) {
    Area& a = AreaOf(area);
    if (!IsValidLanguageIndex(index)) return;
    if (cannotShowEastAsian_ || index == a.languageIndex) {
        if (a.selector) SendMessageW(a.selector, CB_SETCURSEL, a.languageIndex, 0);
        return;
    }
    // The text stays the same bytes: read in the old code page, shown in the new one.
    std::string bytes = GetAreaText(area);
    SetWaitCursor(true);
    SetStatusText(LoadUiString(IDS_DIALOG_ZELVO_STATUS_ADJUSTING_TEXT_CODE));
    a.languageIndex = index;
    a.textBytes = -1;
    if (a.selector) SendMessageW(a.selector, CB_SETCURSEL, index, 0);
    ApplyAreaFont(a);
    if (!bytes.empty()) {
        ++programmaticText_;
        SetAreaTextInternal(a, bytes);
        --programmaticText_;
    }
    WriteRegInt("Options", area == EditArea::kSource ? "Source Language" : "Destination Language", index);
    RestoreReady();
    SetWaitCursor(false);
    Refresh();
    OfferLanguagePack(area);
}

void MainWindow::OfferLanguagePack(EditArea area) {
    int slot = area == EditArea::kSource ? 0 : 1;
    if (!initialised_) {
        // Asked once the window is up, so the question has a window to stand on.
        if (!pendingOffer_[slot] && hwnd()) {
            pendingOffer_[slot] = true;
            SetTimer(hwnd(), slot == 0 ? kSourceOfferTimer : kDestinationOfferTimer, kOfferRetryMs, nullptr);
        }
        return;
    }
    int index = AreaOf(area).languageIndex;
    int charset = LanguageRowAt(index).charset;
    std::string today = TodayPromptDate();
    LanguagePackOffer offer =
        DecideLanguagePackOffer(charset, offeredCharsets_, SystemHasFontOfCharset, today);
    if (!offer.ask) return;
    // The pack is named from the list of the packs' languages, not from the selector's rows.
    const std::vector<std::string> packNames = LoadUiStringLines(IDS_DIALOG_ZELVO_FONT_LAN_LIST);
    const int line = offer.pack.nameLine;
    std::string name = line >= 0 && line < static_cast<int>(packNames.size()) ? packNames[static_cast<size_t>(line)]
                                                                               : LanguageName(index);
    MessageRequest request;
    request.text = ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_PROMPT_INSTALL_LAN_PACK), "#1", name);
    request.style = kMbYesNo | kMbIconQuestion;
    request.showCheckBox = true;
    request.checked = true;
    MessageAnswer answer = ShowMessage(request);
    RecordLanguagePackAnswer(charset, answer.checked, today);
    // Yes and No only record the answer: the pack is not downloaded.
}

void MainWindow::SetFontPoints(EditArea area, int points) {
    Area& a = AreaOf(area);
    if (points < kMinimumFontPoints || points > kMaximumFontPoints || points == a.fontPoints) return;
    SetWaitCursor(true);
    a.fontPoints = points;
    ApplyAreaFont(a);
    SetWaitCursor(false);
}

void MainWindow::EditCommand(EditArea area, int command) {
    Area& a = AreaOf(area);
    int codePage = AreaCodePage(a.languageIndex);
    switch (command) {
        case WM_COPY:
        case WM_CUT: {
            std::wstring selected = SelectedText(a.edit);
            if (selected.empty()) return;
            if (!PutAreaTextOnClipboard(hwnd(), NarrowText(selected, codePage), selected)) {
                ShowTimedStatusText(LoadUiString(IDS_ERROR_MISC_CANT_OPEN_CLIPBOARD), 2000);
                return;
            }
            if (command == WM_CUT) SendMessageW(a.edit, WM_CLEAR, 0, 0);
            break;
        }
        case WM_PASTE: {
            // The clipboard's text is bytes, as the transfers put it there: shown in the
            // area's code page, so what Copy took from an area comes back unchanged.
            std::string bytes;
            if (!::zelvo::GetClipboardText(hwnd(), bytes)) return;
            std::string before = IsNt() ? std::string() : GetAreaText(area);
            DWORD start = 0, end = 0;
            SendMessageW(a.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            SendMessageW(a.edit, EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>(WidenText(bytes, codePage).c_str()));
            if (!IsNt()) {
                // An edit control of Windows 95/98/Me holds about 64 KB: say so when the
                // text did not fit.
                std::wstring wide = WidenText(before, codePage);
                std::string expected = NarrowText(wide.substr(0, start), codePage) + bytes +
                                       NarrowText(wide.substr(std::min<size_t>(end, wide.size())), codePage);
                if (GetAreaText(area) != expected) {
                    MessageRequest request;
                    std::string areaName =
                        LoadUiString(area == EditArea::kSource ? IDS_PROFILE_SOURCE_EDIT_AREA
                                                               : IDS_PROFILE_DESTINATION_EDIT_AREA);
                    request.text = LoadUiString(IDS_MESSAGE_PROMPT_X_EA_IS_FULL, areaName);
                    request.style = kMbOk | kMbIconWarning;
                    request.detailsEnabled = true;
                    request.details = "QX_HELP_UG_SYS_REQ";
                    ShowMessage(request);
                }
            }
            break;
        }
        default:
            SendMessageW(a.edit, static_cast<UINT>(command), 0, 0);
            break;
    }
    Refresh();
}

void MainWindow::CopyAll(EditArea area) {
    Area& a = AreaOf(area);
    std::string bytes = GetAreaText(area);
    if (bytes.empty()) return;
    if (!PutAreaTextOnClipboard(hwnd(), bytes, WidenText(bytes, AreaCodePage(a.languageIndex))))
        ShowTimedStatusText(LoadUiString(IDS_ERROR_MISC_CANT_OPEN_CLIPBOARD), 2000);
    RefreshEnabling();
}

void MainWindow::SelectAll(EditArea area) {
    Area& a = AreaOf(area);
    SendMessageW(a.edit, EM_SETSEL, 0, -1);
    SendMessageW(a.edit, EM_SCROLLCARET, 0, 0);
    SetFocus(a.edit);
    statusArea_ = area;
    Refresh();
}

bool MainWindow::GetClipboardText(std::string& text) {
    return ::zelvo::GetClipboardText(hwnd(), text);
}

bool MainWindow::SetClipboardText(const std::string& text) {
    return ::zelvo::SetClipboardText(hwnd(), text);
}

bool MainWindow::IsNt() const {
    return app_.isNt;
}

void MainWindow::OnDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(length);
        paths.push_back(NarrowWithSystemCodePage(name));
    }
    POINT point{};
    DragQueryPoint(drop, &point);
    DragFinish(drop);
    RECT sourceRect{}, destinationRect{};
    GetWindowRect(source_.edit, &sourceRect);
    GetWindowRect(destination_.edit, &destinationRect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&sourceRect), 2);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&destinationRect), 2);
    // A hidden area takes no room: the drop goes to the area that is shown.
    int sourceBottom = sourceRect.bottom;
    int destinationTop = destinationRect.top;
    if (!view_.destinationShown) sourceBottom = destinationTop = 1 << 30;
    if (!view_.sourceShown) sourceBottom = destinationTop = -(1 << 30);
    documents_.OpenDroppedFiles(paths, point.y, sourceBottom, destinationTop);
}

void MainWindow::AcceptDroppedFiles(bool on) {
    DragAcceptFiles(hwnd(), on ? TRUE : FALSE);
}

bool MainWindow::AskOpenFileName(EditArea area, const std::string& initialFolder, std::string& path) {
    if (fileNameQuestion_) return fileNameQuestion_(area, false, initialFolder, path);
    return AskFileNameWithDialog(hwnd(), false, FileDialogFilter(), initialFolder,
                                 OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, path);
}

bool MainWindow::AskSaveFileName(EditArea area, const std::string& initialFolder, std::string& path) {
    if (fileNameQuestion_) return fileNameQuestion_(area, true, initialFolder, path);
    // Overwriting is asked by the documents themselves.
    return AskFileNameWithDialog(hwnd(), true, FileDialogFilter(), initialFolder,
                                 OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, path);
}

void MainWindow::SetWaitCursor(bool on) {
    waitCursor_ += on ? 1 : -1;
    if (waitCursor_ < 0) waitCursor_ = 0;
    SetCursor(LoadCursorA(nullptr, waitCursor_ > 0 ? IDC_WAIT : IDC_ARROW));
}

LRESULT CALLBACK MainWindow::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data) {
    auto* self = reinterpret_cast<MainWindow*>(data);
    switch (message) {
        case WM_CONTEXTMENU: {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (point.x == -1 && point.y == -1) {
                // From the keyboard: at the caret.
                GetCaretPos(&point);
                ClientToScreen(window, &point);
            }
            self->ShowContextMenu(self->AreaOfEdit(window), point);
            return 0;
        }
        case WM_KEYUP:
        case WM_LBUTTONUP: {
            LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            self->statusArea_ = self->AreaOfEdit(window);
            self->RefreshStatus();
            self->RefreshEnabling();
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, EditProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace zelvo
