// What the main window says about itself: the status bar panes, the title, the enabling
// of the toolbar buttons, their tooltips, and the UI language of the whole window.
#include <windows.h>
// The other system headers need the types of windows.h.
#include <commctrl.h>

#include "app/editor_app.h"
#include "app/language_table.h"
#include "app/win/main_window.h"
#include "app/win/toolbar_buttons.h"
#include "resources/resource.h"
#include "services/system_language.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/clipboard.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// Widths of the panes right of the message pane, from the right edge leftwards.
constexpr int kAreaPaneWidth = 28;
constexpr int kSizePaneWidth = 190;
constexpr int kLineCountPaneWidth = 90;
constexpr int kPositionPaneWidth = 170;

// Tooltips that do not depend on the window's state.
struct FixedTip {
    int id;
    int tip;
};

constexpr FixedTip kFixedTips[] = {
    {IDM_SOURCE_OPEN, IDS_TIP_OPEN},
    {IDM_SOURCE_CLOSE, IDS_TIP_CLOSE},
    {IDM_SOURCE_SAVE, IDS_TIP_SAVE},
    {IDM_SOURCE_PROPERTIES, IDS_TIP_PROPERTIES},
    {IDM_SOURCE_CUT, IDS_TIP_CUT},
    {IDM_SOURCE_COPY, IDS_TIP_COPY},
    {IDM_SOURCE_COPY_ALL, IDS_TIP_COPY_ALL},
    {IDM_SOURCE_PASTE, IDS_TIP_PASTE},
    {IDM_SOURCE_FIND_REPLACE, IDS_TIP_FIND_REPLACE},
    {IDM_SITE_TRANSFER, IDS_TIP_FSCT},
    {IDM_PROFILE_OPERATIONS, IDS_TIP_PROFILE_OPERATIONS},
    {IDM_NEW, IDS_TIP_NEW},
    {IDM_EXIT, IDS_TIP_EXIT},
    {IDM_DESTINATION_OPEN, IDS_TIP_OPEN},
    {IDM_DESTINATION_CLOSE, IDS_TIP_CLOSE},
    {IDM_DESTINATION_SAVE, IDS_TIP_SAVE},
    {IDM_DESTINATION_PROPERTIES, IDS_TIP_PROPERTIES},
    {IDM_DESTINATION_CUT, IDS_TIP_CUT},
    {IDM_DESTINATION_COPY, IDS_TIP_COPY},
    {IDM_DESTINATION_COPY_ALL, IDS_TIP_COPY_ALL},
    {IDM_DESTINATION_PASTE, IDS_TIP_PASTE},
    {IDM_DESTINATION_FIND_REPLACE, IDS_TIP_FIND_REPLACE},
};

}  // namespace

void MainWindow::CreateStatusBar() {
    statusBar_ = CreateWindowExW(
        0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
        0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), ResourceInstance(),
        nullptr);
    statusProgress_.SetStatusBar(statusBar_);
    for (std::string& text : statusTexts_) text.clear();
    SetStatusParts();
}

void MainWindow::SetStatusParts() {
    if (!statusBar_) return;
    RECT client;
    GetClientRect(hwnd(), &client);
    int right = client.right;
    int edges[kStatusPaneCount];
    edges[4] = -1;
    edges[3] = right - kAreaPaneWidth;
    edges[2] = edges[3] - kSizePaneWidth;
    edges[1] = edges[2] - kLineCountPaneWidth;
    edges[0] = edges[1] - kPositionPaneWidth;
    for (int i = 3; i >= 0; --i)
        if (edges[i] < 0) edges[i] = 0;
    SendMessageW(statusBar_, SB_SETPARTS, kStatusPaneCount, reinterpret_cast<LPARAM>(edges));
}

void MainWindow::SetStatusPane(int pane, const std::string& text) {
    if (pane < 0 || pane >= kStatusPaneCount || statusTexts_[pane] == text) return;
    statusTexts_[pane] = text;
    if (statusBar_)
        SendMessageW(statusBar_, SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(WidenUiText(text).c_str()));
}

std::string MainWindow::StatusPaneText(int pane) const {
    return pane >= 0 && pane < kStatusPaneCount ? statusTexts_[pane] : std::string();
}

void MainWindow::SetStatusText(const std::string& text) {
    SetStatusPane(kStatusPaneMessage, text);
    // Busy texts are shown before long work that does not let the window paint.
    if (statusBar_) UpdateWindow(statusBar_);
}

void MainWindow::RestoreReady() {
    SetStatusPane(kStatusPaneMessage, ReadyText());
}

void MainWindow::ShowTimedStatusText(const std::string& text, int milliseconds) {
    SetStatusPane(kStatusPaneMessage, text);
    timedStatusText_ = text;
    if (hwnd())
        SetTimer(hwnd(), kStatusTextTimer, static_cast<UINT>(milliseconds > 0 ? milliseconds : 1), nullptr);
}

void MainWindow::SetStatusArea(EditArea area) {
    if (area == EditArea::kNone) return;
    statusArea_ = area;
    // The area in use is the one with the focus: when the focus is in the other area it
    // moves to this one, or the next refresh would describe the other area again.
    HWND focus = GetFocus();
    HWND edit = AreaOf(area).edit;
    if (AreaOfEdit(focus) != EditArea::kNone && focus != edit && AreaShown(view_, area)) SetFocus(edit);
    RefreshStatus();
    RefreshTitle();
}

void MainWindow::RefreshStatus() {
    if (!hwnd()) return;
    EditArea area = AreaOfEdit(GetFocus());
    if (area != EditArea::kNone)
        statusArea_ = area;
    else
        area = statusArea_;
    if (!AreaShown(view_, area)) area = view_.sourceShown ? EditArea::kSource : EditArea::kDestination;
    HWND edit = AreaOf(area).edit;
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    int lineOfStart = static_cast<int>(SendMessageW(edit, EM_LINEFROMCHAR, start, 0));
    int lineOfEnd = static_cast<int>(SendMessageW(edit, EM_LINEFROMCHAR, end, 0));
    int indexOfStart = static_cast<int>(SendMessageW(edit, EM_LINEINDEX, lineOfStart, 0));
    int indexOfEnd = static_cast<int>(SendMessageW(edit, EM_LINEINDEX, lineOfEnd, 0));
    // The control counts characters; columns and the selection are shown in bytes of the
    // area's code page, as the file size is. They are differences of positions, so offsets
    // from the smallest position serve.
    const std::vector<long> bytes = ByteOffsets(AreaOf(area), {static_cast<long>(start), static_cast<long>(end),
                                                               indexOfStart, indexOfEnd});
    SetStatusPane(kStatusPanePosition,
                  PositionPaneText(static_cast<int>(bytes[0]), static_cast<int>(bytes[1]), lineOfStart, lineOfEnd,
                                   static_cast<int>(bytes[2]), static_cast<int>(bytes[3])));
    int lines = static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
    SetStatusPane(kStatusPaneLineCount, LineCountPaneText(lines));
    Area& counted = AreaOf(area);
    if (counted.textBytes < 0) counted.textBytes = static_cast<long long>(GetAreaText(area).size());
    SetStatusPane(kStatusPaneSize, FileSizePaneText(static_cast<std::size_t>(counted.textBytes)));
    SetStatusPane(kStatusPaneArea, AreaPaneText(area));
}

void MainWindow::RefreshTitle() {
    if (!hwnd()) return;
    // The product title is in the UI language's code page and the path in the system's,
    // so the two halves are widened apart.
    const std::string& path = documents_.Path(statusArea_);
    std::wstring title =
        WidenUiText(LoadUiString(IDS_DIALOG_ZELVO_TITLE)) + L" - " +
        (path.empty() ? WidenUiText(LoadUiString(IDS_QXT_UNTITLED)) : WidenWithSystemCodePage(path));
    if (title == title_) return;
    title_ = title;
    SetWindowTextW(hwnd(), title.c_str());
}

WindowSnapshot MainWindow::Snapshot() const {
    WindowSnapshot snapshot;
    snapshot.view = view_;
    for (EditArea area : {EditArea::kSource, EditArea::kDestination}) {
        const Area& a = AreaOf(area);
        AreaSnapshot& s = area == EditArea::kSource ? snapshot.source : snapshot.destination;
        s.hasFile = !documents_.State(area).path.empty();
        int length = a.edit ? GetWindowTextLengthW(a.edit) : 0;
        s.textLength = static_cast<std::size_t>(length > 0 ? length : 0);
        s.modified = documents_.State(area).modified;
        DWORD start = 0, end = 0;
        if (a.edit)
            SendMessageW(a.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        s.hasSelection = start != end;
        s.selectionIsAll = start == 0 && end >= static_cast<DWORD>(s.textLength);
        s.findDialogShown = false;
        s.languageIndex = a.languageIndex;
        s.fontSize = a.fontPoints;
    }
    snapshot.contextArea = contextArea_;
    snapshot.clipboardHasText = ClipboardHasText();
    snapshot.transferToSource = transferToSource_;
    snapshot.profileCount = 0;
    snapshot.uiLanguageIndex = 0;
    for (size_t i = 0; i < app_.uiLanguageLcids.size(); ++i)
        if (static_cast<int>(ParseHex(app_.uiLanguageLcids[i])) == app_.uiLcid)
            snapshot.uiLanguageIndex = static_cast<int>(i);
    return snapshot;
}

void MainWindow::RefreshEnabling() {
    if (!hwnd()) return;
    WindowSnapshot snapshot = Snapshot();
    for (EditArea area : {EditArea::kSource, EditArea::kDestination}) {
        // Buttons of a hidden area are left as they are.
        if (!AreaShown(view_, area)) continue;
        const std::vector<int>& ids =
            area == EditArea::kSource ? SourceToolbarButtonIds() : DestinationToolbarButtonIds();
        for (int id : ids) {
            HWND button = Item(id);
            if (!button) continue;
            bool enabled = CommandState(id, snapshot).enabled;
            if ((IsWindowEnabled(button) != FALSE) != enabled) EnableWindow(button, enabled ? TRUE : FALSE);
        }
    }
}

void MainWindow::Refresh() {
    RefreshTitle();
    RefreshStatus();
    RefreshEnabling();
}

void MainWindow::SetUpToolbarButtons() {
    AddToolbarButtons(buttons_, hwnd(), ResourceInstance());
}

void MainWindow::RefreshToolTips() {
    if (!tips_.hwnd()) return;
    int codePage = UiCodePage();
    for (const FixedTip& tip : kFixedTips)
        if (HWND control = Item(tip.id)) tips_.SetTip(control, LoadUiString(tip.tip), codePage);
    auto setTip = [&](int id, const std::string& text) {
        if (HWND control = Item(id)) tips_.SetTip(control, text, codePage);
    };
    std::string sourceTip = LoadUiString(ShowHideAreaTipId(EditArea::kSource, view_.sourceShown));
    std::string destinationTip =
        LoadUiString(ShowHideAreaTipId(EditArea::kDestination, view_.destinationShown));
    setTip(IDM_TOGGLE_SOURCE_AREA, sourceTip);
    setTip(IDM_TOGGLE_SOURCE_AREA_D, sourceTip);
    setTip(IDM_TOGGLE_DESTINATION_AREA, destinationTip);
    setTip(IDM_TOGGLE_DESTINATION_AREA_D, destinationTip);
    setTip(IDM_ALWAYS_ON_TOP, LoadUiString(AlwaysOnTopTipId(view_.alwaysOnTop), app_.productName));
    setTip(IDM_TRANSFER_G2B, LoadUiString(TransferButtonTipId(true, transferToSource_)));
    setTip(IDM_TRANSFER_B2G, LoadUiString(TransferButtonTipId(false, transferToSource_)));
}

void MainWindow::ShowSiteTransferButton() {
    HWND button = Item(IDM_SITE_TRANSFER);
    if (!button) return;
    bool shown = SiteTransferButtonShown(app_.uiLcid) && ToolbarVisible(view_, EditArea::kSource);
    ShowWindow(button, shown ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::ApplyUiLanguage() {
    if (!hwnd()) return;
    SetUiCodePage(CodePageOfCharset(app_.uiCharset));
    FillLanguageSelectors();
    if (statusBar_ && selectorFont_.get())
        SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(selectorFont_.get()), TRUE);
    // The panes are written anew in the new language.
    // (A one-character text no pane shows; built by push_back, which GCC 12 does not
    // mistake for an overlapping copy as it does the assignment of a literal here.)
    for (std::string& text : statusTexts_) {
        text.clear();
        text.push_back('\x01');
    }
    RestoreReady();
    RelabelMenuBar();
    RefreshToolTips();
    ShowSiteTransferButton();
    title_.clear();
    Refresh();
}

}  // namespace zelvo
