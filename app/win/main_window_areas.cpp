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

}  // namespace

void MainWindow::SetUpAreas() {
    for (Area* area : {&source_, &destination_}) {
        area->edit.Attach(hwnd(), area->editId);
        area->selector.Attach(hwnd(), area->selectorId);
        area->edit.SetCodePage(AreaCodePage(area->languageIndex));
        area->edit.LiftLengthLimit();
        SetWindowSubclass(area->edit.hwnd(), EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
        const EditArea id = area->id;
        area->dragDrop.onDropped = [this, id] { OnTextDropped(id); };
        area->dragDrop.Attach();
    }
}

void MainWindow::ApplyWordWrap(Area& area, bool wrap) {
    if (!area.edit || area.edit.WordWrap() == wrap) return;
    ++programmaticText_;
    if (area.edit.SetWordWrap(wrap)) {
        SetWindowSubclass(area.edit.hwnd(), EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
        // The old control took its drop target with it.
        area.dragDrop.Attach();
    }
    --programmaticText_;
    area.textBytes = -1;
}

void MainWindow::ToggleWordWrap() {
    const bool wrap = !(sourceWrap_ && destinationWrap_);
    sourceWrap_ = destinationWrap_ = wrap;
    WriteRegInt("Zelvo", "Source Wrap", wrap ? 1 : 0);
    WriteRegInt("Zelvo", "Destination Wrap", wrap ? 1 : 0);
    SetWaitCursor(true);
    ApplyWordWrap(source_, wrap);
    ApplyWordWrap(destination_, wrap);
    SetWaitCursor(false);
    Refresh();
}

EditArea MainWindow::AreaOfEdit(HWND edit) const {
    if (edit && edit == destination_.edit.hwnd()) return EditArea::kDestination;
    if (edit && edit == source_.edit.hwnd()) return EditArea::kSource;
    return EditArea::kNone;
}

void MainWindow::FillLanguageSelectors() {
    if (UniqueFont font = FontLike(hwnd(), static_cast<BYTE>(app_.uiCharset))) selectorFont_ = std::move(font);
    const std::vector<std::string> names = LanguageNames();
    const int codePage = UiCodePage();
    for (Area* area : {&source_, &destination_}) {
        ComboBox& selector = area->selector;
        if (!selector) continue;
        if (selectorFont_) selector.SetFont(selectorFont_.get());
        selector.Reset();
        for (const std::string& name : names) selector.Add(name, codePage);
        selector.Select(IsValidLanguageIndex(area->languageIndex) ? area->languageIndex : 0);
        // The list shows the names whole even where the selector is narrower.
        selector.SetDroppedWidth(kSelectorListWidth);
        InvalidateRect(selector.hwnd(), nullptr, TRUE);
    }
}

void MainWindow::SetAreaLanguage(Area& area, int index) {
    area.languageIndex = index;
    area.edit.SetCodePage(AreaCodePage(index));
}

void MainWindow::ApplyAreaFont(Area& area) {
    if (!area.edit) return;
    UniqueFont created = FontLike(hwnd(), static_cast<BYTE>(LanguageRowAt(area.languageIndex).charset),
                                  EditFontHeight(area.fontPoints));
    if (!created) return;
    area.edit.SetFont(created.get(), true);
    area.font = std::move(created);  // the old font is no longer selected into the control
}

std::string MainWindow::GetAreaText(EditArea area) {
    return AreaOf(area).edit.Bytes();
}

std::string MainWindow::SourceText() const {
    return source_.edit.Bytes();
}

std::string MainWindow::DestinationText() const {
    return destination_.edit.Bytes();
}

void MainWindow::SetAreaTextInternal(Area& area, const std::string& text) {
    area.edit.SetBytes(text);
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
    area.edit.ReplaceAllUndoable(text);
    area.textBytes = -1;
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
    const int index = AreaOf(area).selector.Selected();
    if (index >= 0) SelectLanguage(area, index);
}

void MainWindow::SelectLanguage(EditArea area, int index) {
    Area& a = AreaOf(area);
    if (!IsValidLanguageIndex(index)) return;
    if (cannotShowEastAsian_ || index == a.languageIndex) {
        a.selector.Select(a.languageIndex);
        return;
    }
    // The text stays the same bytes: read in the old code page, shown in the new one.
    std::string bytes = GetAreaText(area);
    SetWaitCursor(true);
    SetStatusText(LoadUiString(IDS_DIALOG_ZELVO_STATUS_ADJUSTING_TEXT_CODE));
    SetAreaLanguage(a, index);
    a.textBytes = -1;
    a.selector.Select(index);
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
    if (answer.result != kIdYes) return;
    // The pack comes through the same download dialog as a new version. The maker
    // publishes no digest for it, so it is saved for the user to start, never started here.
    DownloadRequest download;
    download.url = offer.pack.downloadAddress;
    download.withoutDigest = true;
    download.subjectName = ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_LAN_PACK_FOR_A), "#1", name);
    RunDownload(download);
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
    const int codePage = a.edit.codePage();
    switch (command) {
        case WM_COPY:
        case WM_CUT: {
            // The area's bytes as CF_TEXT, which the program's own paste and transfers read
            // back unchanged, and the characters for other programs.
            const std::wstring selected = a.edit.SelectedCharacters();
            if (selected.empty()) return;
            if (!::zelvo::SetClipboardText(hwnd(), NarrowText(selected, codePage), selected)) {
                ShowTimedStatusText(LoadUiString(IDS_ERROR_MISC_CANT_OPEN_CLIPBOARD), 2000);
                return;
            }
            if (command == WM_CUT) a.edit.Perform(WM_CLEAR);
            break;
        }
        case WM_PASTE: {
            // The clipboard's text is bytes, as the transfers put it there: shown in the
            // area's code page, so what Copy took from an area comes back unchanged.
            std::string bytes;
            if (!::zelvo::GetClipboardText(hwnd(), bytes)) return;
            std::string before = IsNt() ? std::string() : GetAreaText(area);
            const TextEdit::Selection selection = a.edit.CharacterSelection();
            const size_t start = static_cast<size_t>(selection.start), end = static_cast<size_t>(selection.end);
            a.edit.ReplaceSelection(bytes);
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
            a.edit.Perform(static_cast<UINT>(command));
            break;
    }
    Refresh();
}

void MainWindow::CopyAll(EditArea area) {
    Area& a = AreaOf(area);
    std::string bytes = GetAreaText(area);
    if (bytes.empty()) return;
    if (!::zelvo::SetClipboardText(hwnd(), bytes, WidenText(bytes, a.edit.codePage())))
        ShowTimedStatusText(LoadUiString(IDS_ERROR_MISC_CANT_OPEN_CLIPBOARD), 2000);
    RefreshEnabling();
}

void MainWindow::SelectAll(EditArea area) {
    Area& a = AreaOf(area);
    a.edit.SelectAll();
    SetFocus(a.edit.hwnd());
    statusArea_ = area;
    Refresh();
    RefreshFindWindows();
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
    GetWindowRect(source_.edit.hwnd(), &sourceRect);
    GetWindowRect(destination_.edit.hwnd(), &destinationRect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&sourceRect), 2);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&destinationRect), 2);
    // A hidden area takes no room: the drop goes to the area that is shown.
    int sourceBottom = sourceRect.bottom;
    int destinationTop = destinationRect.top;
    if (!view_.destinationShown) sourceBottom = destinationTop = 1 << 30;
    if (!view_.sourceShown) sourceBottom = destinationTop = -(1 << 30);
    documents_.OpenDroppedFiles(paths, point.y, sourceBottom, destinationTop);
}

void MainWindow::OnTextDropped(EditArea area) {
    // The text changed through the control (EN_CHANGE marked the document modified); the
    // area is the one the status bar follows now.
    statusArea_ = area;
    Refresh();
    RefreshFindWindows();
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
