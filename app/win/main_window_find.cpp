// The main window's side of the two Find/Replace windows: it creates them over its edit
// areas, opens the one of an area from the menus, the toolbars and Ctrl+F, keeps their
// buttons current on timer 1 and relabels them with itself.
#include "app/editor_app.h"
#include "app/win/main_window.h"
#include "resources/resource.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

// How often the open Find/Replace windows look at their area's selection and text.
constexpr UINT kFindRefreshMs = 200;

}  // namespace

void MainWindow::CreateFindWindows() {
    for (Area* a : {&source_, &destination_}) {
        auto& dialog = a->id == EditArea::kSource ? sourceFind_ : destinationFind_;
        dialog = std::make_unique<FindReplaceDialog>(a->id == EditArea::kSource);
        dialog->onBusy = [this](bool busy) {
            SetWaitCursor(busy);
            if (busy)
                SetStatusText(LoadUiString(IDS_DIALOG_ZELVO_STATUS_REPLACING_TEXT));
            else
                RestoreReady();
        };
        if (!dialog->Create(hwnd(), a->edit)) dialog.reset();
    }
    app_.sourceFindDialog = sourceFind_.get();
    app_.destinationFindDialog = destinationFind_.get();
    SetTimer(hwnd(), kFindRefreshTimer, kFindRefreshMs, nullptr);
}

void MainWindow::DestroyFindWindows() {
    KillTimer(hwnd(), kFindRefreshTimer);
    app_.sourceFindDialog = nullptr;
    app_.destinationFindDialog = nullptr;
    // Each writes its settings as its window goes. The objects stay until this one goes: a
    // message box of one of them may be what is returning when the main window closes.
    for (FindReplaceDialog* dialog : {sourceFind_.get(), destinationFind_.get()})
        if (dialog && dialog->hwnd()) dialog->End(IDCANCEL);
}

FindReplaceDialog* MainWindow::FindWindowOf(EditArea area) const {
    if (area == EditArea::kSource) return sourceFind_.get();
    if (area == EditArea::kDestination) return destinationFind_.get();
    return nullptr;
}

bool MainWindow::FindWindowShown(EditArea area) const {
    const FindReplaceDialog* dialog = FindWindowOf(area);
    return dialog && dialog->IsShown();
}

EditArea MainWindow::FocusedArea() const {
    const HWND focus = GetFocus();
    for (const Area* a : {&source_, &destination_})
        if (focus && focus == a->edit.hwnd()) return a->id;
    // Focus elsewhere in the window (a toolbar, a selector): the area last edited.
    return statusArea_;
}

void MainWindow::FindReplaceCommand(EditArea area, bool toggle) {
    FindReplaceDialog* dialog = FindWindowOf(area);
    if (!dialog) return;
    if (toggle && dialog->IsShown()) {
        dialog->Hide();
        return;
    }
    if (AreaOf(area).edit.Length() == 0) return;
    dialog->Open();
}

void MainWindow::RefreshFindWindows() {
    for (FindReplaceDialog* dialog : {sourceFind_.get(), destinationFind_.get()}) {
        if (!dialog || !dialog->IsShown()) continue;
        dialog->AreaCodePageChanged();
        dialog->UpdateButtons();
    }
}

void MainWindow::RelabelFindWindows() {
    for (FindReplaceDialog* dialog : {sourceFind_.get(), destinationFind_.get()})
        if (dialog) dialog->ApplyUiLanguage();
}

}  // namespace zelvo
