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
    statusBar_.Create(hwnd(), IDC_STATUS_BAR);
    statusProgress_.SetStatusBar(statusBar_.hwnd());
    for (std::string& text : statusTexts_) text.clear();
    SetStatusParts();
}

void MainWindow::SetStatusParts() {
    if (!statusBar_) return;
    RECT client;
    GetClientRect(hwnd(), &client);
    int right = client.right;
    std::vector<int> edges(kStatusPaneCount);
    edges[4] = -1;
    edges[3] = right - kAreaPaneWidth;
    edges[2] = edges[3] - kSizePaneWidth;
    edges[1] = edges[2] - kLineCountPaneWidth;
    edges[0] = edges[1] - kPositionPaneWidth;
    for (int i = 3; i >= 0; --i)
        if (edges[i] < 0) edges[i] = 0;
    statusBar_.SetPanes(edges);
}

void MainWindow::SetStatusPane(int pane, const std::string& text) {
    if (pane < 0 || pane >= kStatusPaneCount || statusTexts_[pane] == text) return;
    statusTexts_[pane] = text;
    statusBar_.SetPaneText(pane, text, UiCodePage());
}

std::string MainWindow::StatusPaneText(int pane) const {
    return pane >= 0 && pane < kStatusPaneCount ? statusTexts_[pane] : std::string();
}

void MainWindow::SetStatusText(const std::string& text) {
    SetStatusPane(kStatusPaneMessage, text);
    // Busy texts are shown before long work that does not let the window paint.
    if (statusBar_) UpdateWindow(statusBar_.hwnd());
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
    HWND edit = AreaOf(area).edit.hwnd();
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
    const TextEdit& edit = AreaOf(area).edit;
    const TextEdit::Selection selection = edit.CharacterSelection();
    const int lineOfStart = edit.LineOfCharacter(selection.start);
    const int lineOfEnd = edit.LineOfCharacter(selection.end);
    // The control counts characters; columns and the selection are shown in bytes of the
    // area's code page, as the file size is. They are differences of positions, so offsets
    // from the smallest position serve.
    const std::vector<long> bytes =
        edit.ByteOffsets({selection.start, selection.end, edit.LineStart(lineOfStart), edit.LineStart(lineOfEnd)});
    SetStatusPane(kStatusPanePosition,
                  PositionPaneText(static_cast<int>(bytes[0]), static_cast<int>(bytes[1]), lineOfStart, lineOfEnd,
                                   static_cast<int>(bytes[2]), static_cast<int>(bytes[3])));
    SetStatusPane(kStatusPaneLineCount, LineCountPaneText(edit.LineCount()));
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
        s.textLength = static_cast<std::size_t>(a.edit.Length());
        s.modified = documents_.State(area).modified;
        const TextEdit::Selection selection = a.edit.CharacterSelection();
        s.hasSelection = selection.start != selection.end;
        s.selectionIsAll = selection.start == 0 && selection.end >= a.edit.Length();
        s.findDialogShown = FindWindowShown(area);
        s.languageIndex = a.languageIndex;
        s.fontSize = a.fontPoints;
    }
    snapshot.contextArea = contextArea_;
    snapshot.wordWrap = source_.edit.WordWrap() && destination_.edit.WordWrap();
    snapshot.clipboardHasText = ClipboardHasText();
    snapshot.transferToSource = transferToSource_;
    snapshot.profileCount = static_cast<int>(profiles_.size());
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
            Control button(Item(id));
            if (button) button.Enable(CommandState(id, snapshot).enabled);
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
    Control(Item(IDM_SITE_TRANSFER))
        .Show(SiteTransferButtonShown(app_.uiLcid) && ToolbarVisible(view_, EditArea::kSource));
}

void MainWindow::ApplyUiLanguage() {
    if (!hwnd()) return;
    SetUiCodePage(CodePageOfCharset(app_.uiCharset));
    FillLanguageSelectors();
    if (selectorFont_) statusBar_.SetFont(selectorFont_.get(), true);
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
    RelabelFindWindows();
    title_.clear();
    Refresh();
}

}  // namespace zelvo
