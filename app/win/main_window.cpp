// The main window's initialisation, layout, showing and hiding, closing and timers.
#include "app/win/main_window.h"

#include <windows.h>
// The other system headers need the types of windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include "app/command_line.h"
#include "app/editor_app.h"
#include "app/language_table.h"
#include "convert/charset_detector.h"
#include "convert/win/lib_validation_window.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/debug_log.h"
#include "services/help.h"
#include "services/ui_strings.h"
#include "services/win/system_language_win.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

constexpr UINT kLayoutDelayMs = 50;
constexpr UINT kCaretDelayMs = 10;
constexpr UINT kStartDelayMs = 100;
// A toolbar row when the template has no Find/Replace button to measure.
constexpr int kFallbackToolbarHeight = 24;

RECT ClientRectOf(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

MainWindow::MainWindow(EditorApp& app)
    : Dialog(IDD_MAIN_WINDOW), app_(app), documents_(*this), transfers_(*this) {
    source_.id = EditArea::kSource;
    source_.editId = IDC_SOURCE_EDIT;
    source_.selectorId = IDC_SOURCE_LANGUAGE;
    source_.languageIndex = kGbkLanguageIndex;
    destination_.id = EditArea::kDestination;
    destination_.editId = IDC_DESTINATION_EDIT;
    destination_.selectorId = IDC_DESTINATION_LANGUAGE;
    destination_.languageIndex = kBig5LanguageIndex;
    context_.g2bLibs = &g2bLibs_;
    context_.b2gLibs = &b2gLibs_;
    context_.control = MakeWin32TransferControl(&transferState_);
    // Questions asked while no dialog of the window is open are the main window's.
    SetSpeaksForProgram();
    BindCommands();
}

MainWindow::~MainWindow() {
    // A modeless window goes here, while this object can still save its state.
    if (hwnd() && !IsModal()) End(IDCANCEL);
    RemoveAcceleratorHook();
}

bool MainWindow::OnInitDialog() {
    WriteDebugLog("Main Window", "Initialising the main window");
    transferToSource_ = ReadRegInt("Code Transfer", "UI Display Source 2 Source", 0) == 1;
    changePathCode_ = ReadRegInt("Code Transfer", "Change Path Code", 0);
    DragAcceptFiles(hwnd(), TRUE);
    SetUpAreas();

    HINSTANCE instance = ResourceInstance();
    bigIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.Reset(
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    if (bigIcon_) SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    if (smallIcon_) SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    CreateStatusBar();
    progressSink_ = WindowProgressSink(hwnd());
    tips_.Create(hwnd());
    LoadMenus();

    HWND findButton = Item(IDM_SOURCE_FIND_REPLACE);
    if (findButton) {
        RECT rect = ClientRectOf(findButton, hwnd());
        toolbarHeight_ = rect.bottom - rect.top;
    }
    if (toolbarHeight_ <= 0) toolbarHeight_ = kFallbackToolbarHeight;
    // The Destination row moves with its area; its controls keep their template x.
    const int destinationRowIds[] = {IDC_DESTINATION_LANGUAGE};
    for (int id : destinationRowIds)
        if (HWND control = Item(id)) destinationRow_.push_back({control, ClientRectOf(control, hwnd())});
    for (int id : DestinationToolbarButtonIds())
        if (HWND control = Item(id)) destinationRow_.push_back({control, ClientRectOf(control, hwnd())});
    const int rightIds[kRightButtonCount] = {IDM_PROFILE_OPERATIONS, IDM_NEW, IDM_ALWAYS_ON_TOP, IDM_EXIT};
    for (int id : rightIds) sourceRightButtons_.push_back({Item(id), {}});
    SetUpToolbarButtons();

    ApplyStoredViewSettings();
    LoadProfiles();
    ApplyLastState();
    cannotShowEastAsian_ = CannotShowEastAsianHere();
    ApplyUiLanguage();
    buttons_.RepaintAll();
    startTime_ = GetTickCount();
    sourceWrap_ = ReadRegInt("Zelvo", "Source Wrap", 1) != 0;
    destinationWrap_ = ReadRegInt("Zelvo", "Destination Wrap", 1) != 0;
    ApplyWordWrap(source_, sourceWrap_);
    ApplyWordWrap(destination_, destinationWrap_);
    LoadLibLists();
    CreateFindWindows();

    if (!app_.commandLine.empty() && OpenFromCommandLine())
        SetTimer(hwnd(), kCaretTimer, kCaretDelayMs, nullptr);
    SetTimer(hwnd(), kStartTimer, kStartDelayMs, nullptr);
    ApplyViewState();
    LayOutNow();
    initialised_ = true;
    Refresh();
    InstallAcceleratorHook();
    if (startMaximized_) ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
    // Focus set here rather than by the dialog manager, which would select all the text.
    SetFocus(view_.sourceShown ? source_.edit.hwnd() : destination_.edit.hwnd());
    return false;
}

void MainWindow::ApplyStoredViewSettings() {
    // What the window writes itself as it goes; the "Last" state read next takes precedence
    // for everything it sets.
    int sourceIndex = ReadRegInt("Options", "Source Language", source_.languageIndex);
    int destinationIndex = ReadRegInt("Options", "Destination Language", destination_.languageIndex);
    SetAreaLanguage(source_, IsValidLanguageIndex(sourceIndex) ? sourceIndex : 0);
    SetAreaLanguage(destination_, IsValidLanguageIndex(destinationIndex) ? destinationIndex : 0);
    ApplyAreaFont(source_);
    ApplyAreaFont(destination_);
    view_.alwaysOnTop = ReadRegInt("Zelvo", "On Top", 0) == 1;
    if (view_.alwaysOnTop)
        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    NormalizeViewState(view_);
}

void MainWindow::LoadLibLists() {
    LibFolders folders{app_.ctwaFolder, app_.configFolder};
    if (!folders.ctwaFolder.empty()) {
        LoadLibList(g2bLibs_, true, false, folders);
        LoadLibList(b2gLibs_, false, false, folders);
    }
    CountLibItems();
}

void MainWindow::CountLibItems() {
    context_.g2bAppliedTotal = CountAppliedItems(g2bLibs_);
    context_.b2gAppliedTotal = CountAppliedItems(b2gLibs_);
    ++context_.libsGeneration;
}

bool MainWindow::OpenFromCommandLine() {
    std::string argument = app_.commandLine;
    auto request = ParseCommandLine(argument, SystemCodePage());
    if (!request || !FileExists(request->path)) return false;
    // Files opened from the shell together cascade: the "Open from Explorer" profile moves
    // each window by its launch index.
    launchIndex_ = request->launchIndex;
    for (const Profile& profile : profiles_) {
        if (!profile.isSystem || profile.systemId != kOpenFromExplorerProfileId) continue;
        Profile cascade = profile;
        ApplyProfile(cascade);
        break;
    }
    launchIndex_ = 0;
    const std::string& path = request->path;
    int index = ChooseSourceLanguageIndex(request->languageIndex, [&path] { return GuessFileCharset(path); });
    if (index >= 0 && index < LanguageCount()) SelectLanguage(EditArea::kSource, index);
    // The language is chosen above, so the documents do not guess it again.
    commandLinePending_ = true;
    bool opened = documents_.OpenFile(path, EditArea::kSource);
    commandLinePending_ = false;
    app_.commandLine.clear();
    return opened;
}

void MainWindow::ShowCaretAtStart() {
    (view_.sourceShown ? source_.edit : destination_.edit).CaretToStart();
}

void MainWindow::OnTimer(UINT_PTR timerId) {
    switch (timerId) {
        case kLayoutTimer: {
            KillTimer(hwnd(), kLayoutTimer);
            RECT client;
            GetClientRect(hwnd(), &client);
            if (client.right != clientSize_.cx || client.bottom != clientSize_.cy) LayOutNow();
            break;
        }
        case kFindRefreshTimer:
            RefreshFindWindows();
            break;
        case kCaretTimer:
            KillTimer(hwnd(), kCaretTimer);
            ShowCaretAtStart();
            break;
        case kStartTimer:
            KillTimer(hwnd(), kStartTimer);
            StartTimerFired();
            break;
        case kStatusTextTimer:
            KillTimer(hwnd(), kStatusTextTimer);
            if (statusTexts_[kStatusPaneMessage] == timedStatusText_) RestoreReady();
            timedStatusText_.clear();
            break;
        case kSourceOfferTimer:
        case kDestinationOfferTimer: {
            KillTimer(hwnd(), timerId);
            EditArea area = timerId == kSourceOfferTimer ? EditArea::kSource : EditArea::kDestination;
            pendingOffer_[timerId == kSourceOfferTimer ? 0 : 1] = false;
            OfferLanguagePack(area);
            break;
        }
        default:
            break;
    }
}

void MainWindow::StartTimerFired() {
    // Both lists are loaded and the window shows: the warning about repeating items, when
    // the check is on, asks over the open window. Yes opens the lib editor's command.
    RunStartupLibCheck(hwnd(), g2bLibs_, b2gLibs_, LibFolders{app_.ctwaFolder, app_.configFolder},
                       app_.productName,
                       [this] { SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDM_WORD_ADJUSTMENT, 0), 0); });
    // The release notes of a new version are shown once.
    std::string key = std::string("Release Note ") + kProductVersion;
    std::string marker = app_.buildDate.text;
    if (ReadRegString("App", key, "") != marker) {
        OpenHelpTopic(kHelpTopicReleaseNotes);
        WriteRegString("App", key, marker);
    }
    StartUpdateCheck();
}

void MainWindow::OnSize(UINT type, int width, int height) {
    if (type == SIZE_MINIMIZED) return;
    if (width != clientSize_.cx || height != clientSize_.cy)
        SetTimer(hwnd(), kLayoutTimer, kLayoutDelayMs, nullptr);
}

void MainWindow::MoveIfChanged(HWND control, const LayoutRect& rect) {
    if (!control) return;
    RECT now = ClientRectOf(control, hwnd());
    if (now.left == rect.x && now.top == rect.y && now.right - now.left == rect.width &&
        now.bottom - now.top == rect.height)
        return;
    SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::LayOutNow() {
    if (!hwnd()) return;
    KillTimer(hwnd(), kLayoutTimer);
    RECT client;
    GetClientRect(hwnd(), &client);
    clientSize_ = {client.right, client.bottom};
    MainWindowLayout layout = ComputeLayout(client.right, client.bottom, toolbarHeight_, view_);

    if (statusBar_ && layout.statusBarShown) {
        MoveIfChanged(statusBar_.hwnd(), layout.statusBar);
        SetStatusParts();
    }
    if (layout.sourceShown) {
        MoveIfChanged(source_.edit.hwnd(), layout.sourceEdit);
        if (layout.sourceToolbarShown) {
            for (size_t i = 0; i < sourceRightButtons_.size(); ++i) {
                HWND button = sourceRightButtons_[i].control;
                if (!button) continue;
                RECT now = ClientRectOf(button, hwnd());
                MoveIfChanged(button,
                              {layout.rightButtonX[i], 0, now.right - now.left, now.bottom - now.top});
            }
        }
    }
    if (layout.destinationShown) {
        if (layout.destinationToolbarShown) {
            for (const TemplatePlace& place : destinationRow_) {
                bool selector = place.control == destination_.selector.hwnd();
                int y = selector ? layout.destinationSelectorY : layout.destinationButtonsY;
                MoveIfChanged(place.control, {place.rect.left, y, place.rect.right - place.rect.left,
                                              place.rect.bottom - place.rect.top});
            }
        }
        MoveIfChanged(destination_.edit.hwnd(), layout.destinationEdit);
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::ShowToolbarRow(EditArea area, bool shown) {
    const std::vector<int>& ids =
        area == EditArea::kSource ? SourceToolbarButtonIds() : DestinationToolbarButtonIds();
    AreaOf(area).selector.Show(shown);
    for (int id : ids)
        Control(Item(id)).Show(shown && (id != IDM_SITE_TRANSFER || SiteTransferButtonShown(app_.uiLcid)));
}

void MainWindow::ApplyViewState() {
    source_.edit.Show(view_.sourceShown);
    destination_.edit.Show(view_.destinationShown);
    ShowToolbarRow(EditArea::kSource, ToolbarVisible(view_, EditArea::kSource));
    ShowToolbarRow(EditArea::kDestination, ToolbarVisible(view_, EditArea::kDestination));
    statusBar_.Show(view_.statusBarShown);
    HMENU attached = GetMenu(hwnd());
    if (view_.menuBarShown && !attached && menu_) SetMenu(hwnd(), menu_.get());
    if (!view_.menuBarShown && attached) SetMenu(hwnd(), nullptr);
}

void MainWindow::ToggleAreaShown(EditArea area) {
    ToggleArea(view_, area);
    // The area that just went away cannot be the one the status bar describes.
    if (!AreaShown(view_, statusArea_))
        statusArea_ = view_.sourceShown ? EditArea::kSource : EditArea::kDestination;
    ApplyViewState();
    RefreshToolTips();
    LayOutNow();
    Refresh();
}

void MainWindow::ToggleToolbarShown(EditArea area) {
    if (!AreaShown(view_, area)) return;
    ToggleToolbar(view_, area);
    ApplyViewState();
    LayOutNow();
    Refresh();
}

void MainWindow::ToggleMenuBarShown() {
    ToggleMenuBar(view_);
    ApplyViewState();
    LayOutNow();
}

void MainWindow::ToggleStatusBarShown() {
    ToggleStatusBar(view_);
    ApplyViewState();
    LayOutNow();
    RefreshStatus();
}

void MainWindow::ToggleAlwaysOnTop() {
    zelvo::ToggleAlwaysOnTop(view_);
    SetWindowPos(hwnd(), view_.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RefreshToolTips();
    WriteRegInt("Zelvo", "On Top", view_.alwaysOnTop ? 1 : 0);
    RefreshEnabling();
}

void MainWindow::WriteWindowPosition() {
    RECT rect;
    if (!GetWindowRect(hwnd(), &rect)) return;
    WriteRegInt("Zelvo", "Pos Left", rect.left);
    WriteRegInt("Zelvo", "Pos Right", rect.right);
    WriteRegInt("Zelvo", "Pos Top", rect.top);
    WriteRegInt("Zelvo", "Pos Bottom", rect.bottom);
}

void MainWindow::Closing() {
    if (closing_ || !hwnd()) return;
    if (transfers_.Busy()) {
        // A conversion is pumping messages inside a command: stop it, and close once the
        // command has unwound. (Posting the close again from here would hand it straight
        // back to the conversion's message pump, which would never get to its next piece.)
        transferState_ = kTransferStopped;
        closeAfterTransfer_ = true;
        return;
    }
    if (HWND open = OwnDialogOpen()) {
        // A close that comes while a question or dialog of this window waits for its answer
        // (Exit All, the task bar) is refused: the dialog comes to the front instead of
        // being left on screen without its window. Closing it unanswered could take a
        // choice the user has not made.
        SetForegroundWindow(open);
        FlashWindow(open, TRUE);
        return;
    }
    closing_ = true;
    bool stay = documents_.AskToSave(EditArea::kSource) == kSaveCancel ||
                documents_.AskToSave(EditArea::kDestination) == kSaveCancel;
    closing_ = false;
    if (stay) return;
    End(IDOK);
}

HWND MainWindow::OwnDialogOpen() const {
    for (HWND open = Dialog::SpeakingWindow(); open && open != hwnd(); open = GetWindow(open, GW_OWNER))
        if (GetWindow(open, GW_OWNER) == hwnd()) return Dialog::SpeakingWindow();
    return nullptr;
}

void MainWindow::RunTransferCommand(const std::function<void()>& command) {
    command();
    if (!closeAfterTransfer_ || transfers_.Busy()) return;
    closeAfterTransfer_ = false;
    if (hwnd()) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void MainWindow::OnDestroy() {
    // The window as it is now comes back at the next start.
    if (initialised_) SaveLastState();
    DestroyFindWindows();
    RemoveAcceleratorHook();
    DragAcceptFiles(hwnd(), FALSE);
    for (UINT_PTR timer : {kLayoutTimer, kFindRefreshTimer, kCaretTimer, kStartTimer, kStatusTextTimer,
                           kSourceOfferTimer, kDestinationOfferTimer})
        KillTimer(hwnd(), timer);
    statusProgress_.SetStatusBar(nullptr);
    tips_.Destroy();
    // The check thread is not waited for: it may be waiting for the server, and it reaches
    // this window only by its handle, which now answers nothing.
    if (updateCheckThread_) CloseHandle(updateCheckThread_);
    updateCheckThread_ = nullptr;
    buttons_.Clear();
    // The menu bar is destroyed with the window; a detached one is the window's to free.
    if (GetMenu(hwnd()) == menu_.get())
        menu_.Release();
    else
        menu_.Reset();
    bigIcon_.Reset();
    smallIcon_.Reset();
    initialised_ = false;
}

bool MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (OnUpdateMessage(message, wParam, lParam)) {
        result = TRUE;
        return true;
    }
    switch (message) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!item || !buttons_.Draw(*item)) return false;
            result = TRUE;
            return true;
        }
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam)) return false;  // the system menu
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            result = 0;
            return true;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            result = 0;
            return true;
        case WM_SYSCOMMAND: {
            UINT command = static_cast<UINT>(wParam & 0xFFF0);
            if (command == SC_MINIMIZE || command == SC_MAXIMIZE) WriteWindowPosition();
            return false;  // the dialog manager carries the command out
        }
        case kProgressMessage: {
            LRESULT answer = statusProgress_.HandleMessage(wParam, lParam);
            SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, answer);
            result = TRUE;
            return true;
        }
        case WM_CTLCOLORSTATIC:
            return false;
        default:
            return false;
    }
}

}  // namespace zelvo
