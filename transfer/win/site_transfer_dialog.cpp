#include "transfer/win/site_transfer_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/file_dialogs.h"
#include "services/win/toolkit/win_text.h"
#include "transfer/site_transfer_dialog_model.h"

namespace zelvo {

namespace {

constexpr UINT_PTR kClockTimerId = 0;
constexpr UINT kClockIntervalMs = 1000;
constexpr int kBarRange = 1000;
constexpr DWORD kPumpIntervalMs = 10;
constexpr DWORD kBarRefreshMs = 40;

// Everything a run disables; the Transfer button alone stays, as it cancels the run.
constexpr int kIdleOnlyControls[] = {
    IDC_FSCT_TARGET_FILE,        IDC_FSCT_TARGET_SITE,
    IDC_FSCT_SOURCE_LABEL,       IDC_FSCT_SOURCE_PATH,
    IDC_FSCT_SOURCE_BROWSE,      IDC_FSCT_SOURCE_VIEW,
    IDC_FSCT_DESTINATION_LABEL,  IDC_FSCT_DESTINATION_PATH,
    IDC_FSCT_DESTINATION_BROWSE, IDC_FSCT_DESTINATION_VIEW,
    IDC_FSCT_RESULT_IN_NEW,      IDC_FSCT_INCLUDE_SUB_FOLDERS,
    IDC_FSCT_COPY_NON_TEXT,      IDC_FSCT_GBK_TO_BIG5,
    IDC_FSCT_BIG5_TO_GBK,        IDCANCEL,
};

// Shown only while a run is under way.
constexpr int kRunOnlyControls[] = {IDC_FSCT_STATUS, IDC_FSCT_FILE_BAR, IDC_FSCT_FILE_PERCENT};

int CALLBACK FolderBrowserStart(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

// The system Open dialog for a file, the folder browser for a site.
bool ShowSystemBrowse(HWND owner, const SiteTransferBrowseRequest& request, std::string& chosen) {
    const std::wstring start = WidenWithSystemCodePage(request.startFolder);
    if (request.forFolder) {
        const std::wstring title = WidenUiText(request.title);
        BROWSEINFOW info{};
        info.hwndOwner = owner;
        info.lpszTitle = title.c_str();
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = FolderBrowserStart;
        info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
        PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
        if (!list) return false;
        wchar_t path[MAX_PATH] = {};
        const bool got = SHGetPathFromIDListW(list, path) != FALSE;
        CoTaskMemFree(list);
        if (!got) return false;
        chosen = NarrowWithSystemCodePage(path);
        return true;
    }
    return AskFileNameWithDialog(owner, false, request.filter, request.startFolder,
                                 OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST, chosen);
}

void ShellOpen(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters) {
    const std::wstring wideVerb = WidenText(verb, 1252);
    const std::wstring wideFile = WidenWithSystemCodePage(file);
    const std::wstring wideParameters = WidenWithSystemCodePage(parameters);
    ShellExecuteW(owner, wideVerb.c_str(), wideFile.c_str(),
                  parameters.empty() ? nullptr : wideParameters.c_str(), nullptr, SW_SHOWNORMAL);
}

// The opener may share no transfer state; the dialog then keeps its own for its lifetime.
bool ProvideTransferState(ConversionContext& context, volatile int* own) {
    if (context.control.transferState) return false;
    context.control.transferState = own;
    return true;
}

}  // namespace

int RunSiteTransferDialog(HWND owner, ConversionContext& context, const std::string& appFolder,
                          const std::string& productName) {
    SiteTransferDialog dialog(context, appFolder.empty() ? ParentFolder(ProgramFilePath()) : appFolder,
                              productName);
    return static_cast<int>(dialog.RunModal(owner));
}

SiteTransferDialog::SiteTransferDialog(ConversionContext& context, std::string appFolder,
                                       std::string productName)
    : Dialog(IDD_SITE_TRANSFER),
      context_(context),
      usesOwnState_(ProvideTransferState(context, &ownState_)),
      transfer_(context),
      appFolder_(std::move(appFolder)),
      productName_(std::move(productName)) {
    SetLabels({
        {IDC_FSCT_TARGET_GROUP, IDS_DIALOG_FSCT_TRANSFER_OBJECT},
        {IDC_FSCT_TARGET_FILE, IDS_DIALOG_FSCT_TRANSFER_OBJECT_FILE_F},
        {IDC_FSCT_TARGET_SITE, IDS_DIALOG_FSCT_TRANSFER_OBJECT_SITE_S},
        {IDC_FSCT_DIRECTION_GROUP, IDS_DIALOG_FSCT_TRANSFER_DIRECTION},
        {IDC_FSCT_GBK_TO_BIG5, IDS_DIALOG_FSCT_G2B_B},
        {IDC_FSCT_BIG5_TO_GBK, IDS_DIALOG_FSCT_B2G_G},
        {IDC_FSCT_INCLUDE_SUB_FOLDERS, IDS_DIALOG_FSCT_INCLUDE_SUB_FOLDERS},
        {IDC_FSCT_COPY_NON_TEXT, IDS_DIALOG_FSCT_COPY_NON_TEXT_FILES_C},
        {IDC_FSCT_SOURCE_VIEW, IDS_TIP_VIEW},
        {IDC_FSCT_DESTINATION_VIEW, IDS_TIP_VIEW},
        {IDC_FSCT_TRANSFER, IDS_TIP_TRANSFER_NOW},
        {IDCANCEL, IDS_DIALOG_FR_CLOSE_L},
    });
    const auto sync = [this](int, int code) {
        if (code == BN_CLICKED) SyncControls();
    };
    for (int id :
         {IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_RESULT_IN_NEW, IDC_FSCT_INCLUDE_SUB_FOLDERS,
          IDC_FSCT_COPY_NON_TEXT, IDC_FSCT_GBK_TO_BIG5, IDC_FSCT_BIG5_TO_GBK})
        BindCommand(id, sync);
    const auto edited = [this](int, int code) {
        if (code == EN_CHANGE) SyncControls();
    };
    BindCommand(IDC_FSCT_SOURCE_PATH, edited);
    BindCommand(IDC_FSCT_DESTINATION_PATH, edited);
    BindCommand(IDC_FSCT_SOURCE_BROWSE, [this](int, int) { OnBrowse(false); });
    BindCommand(IDC_FSCT_DESTINATION_BROWSE, [this](int, int) { OnBrowse(true); });
    BindCommand(IDC_FSCT_SOURCE_VIEW, [this](int, int) { OnView(false); });
    BindCommand(IDC_FSCT_DESTINATION_VIEW, [this](int, int) { OnView(true); });
    BindCommand(IDC_FSCT_TRANSFER, [this](int, int) { OnTransfer(); });
}

SiteTransferDialog::~SiteTransferDialog() {
    // A modeless window is destroyed here, while this object can still save its settings.
    if (hwnd() && !IsModal()) End(IDCANCEL);
    if (usesOwnState_) context_.control.transferState = nullptr;
}

bool SiteTransferDialog::OnInitDialog() {
    LoadTexts();
    ApplyUiFont();
    for (int id : {IDC_FSCT_FILE_BAR, IDC_FSCT_OVERALL_BAR})
        ProgressBar(Item(id)).SetRange(kBarRange);
    cachePath_ = ResolveSiteTransferCachePath(appFolder_);
    ShowSettings(ReadSiteTransferSettings());
    CreateTooltips();
    *context_.control.transferState = kTransferStopped;
    running_ = true;  // so that the idle state is applied in full
    SetRunning(false);
    return true;
}

void SiteTransferDialog::LoadTexts() {
    SetWindowTextW(hwnd(), WidenUiText(LoadUiString(IDS_DIALOG_FSCT_CAPTION)).c_str());
    std::string product = productName_;
    if (product.empty()) product = LoadUiString(IDS_QXT_PRODUCT);
    fileCaptionTemplate_ = CaptionTemplateFor(true, product);
    siteCaptionTemplate_ = CaptionTemplateFor(false, product);
}

void SiteTransferDialog::ApplyUiFont() {
    uiFont_ = FontLike(hwnd(), CharsetOfCodePage(UiCodePage()));
    // Every label is in the UI language; the paths show well in the same font.
    if (uiFont_) SetFontOfChildren(hwnd(), uiFont_.get());
}

void SiteTransferDialog::CreateTooltips() {
    if (!tooltips_.Create(hwnd())) return;
    if (uiFont_) tooltips_.SetFont(uiFont_.get());
    const std::pair<int, int> tips[] = {
        {IDC_FSCT_TRANSFER, IDS_TIP_TRANSFER_NOW},   {IDCANCEL, IDS_TIP_CLOSE},
        {IDC_FSCT_SOURCE_BROWSE, IDS_TIP_PATH},      {IDC_FSCT_DESTINATION_BROWSE, IDS_TIP_PATH},
        {IDC_FSCT_SOURCE_VIEW, IDS_TIP_VIEW_SOURCE}, {IDC_FSCT_DESTINATION_VIEW, IDS_TIP_VIEW},
    };
    for (const auto& [controlId, stringId] : tips) tooltips_.SetTip(Item(controlId), LoadUiString(stringId), UiCodePage());
    transferTip_ = LoadUiString(IDS_TIP_TRANSFER_NOW);
}

void SiteTransferDialog::SetTip(HWND control, const std::string& text) {
    tooltips_.SetTip(control, text, UiCodePage());
}

void SiteTransferDialog::ShowSettings(const SiteTransferOptions& settings) {
    CheckRadioButton(hwnd(), IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE,
                     settings.targetIsFile ? IDC_FSCT_TARGET_FILE : IDC_FSCT_TARGET_SITE);
    CheckRadioButton(hwnd(), IDC_FSCT_GBK_TO_BIG5, IDC_FSCT_BIG5_TO_GBK,
                     settings.gbkToBig5 ? IDC_FSCT_GBK_TO_BIG5 : IDC_FSCT_BIG5_TO_GBK);
    CheckDlgButton(hwnd(), IDC_FSCT_RESULT_IN_NEW, settings.resultInNew ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_FSCT_INCLUDE_SUB_FOLDERS,
                   settings.includeSubFolders ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_FSCT_COPY_NON_TEXT, settings.copyNonText ? BST_CHECKED : BST_UNCHECKED);
    SetWindowTextW(Item(IDC_FSCT_SOURCE_PATH), WidenWithSystemCodePage(settings.sourcePath).c_str());
    SetWindowTextW(Item(IDC_FSCT_DESTINATION_PATH),
                   WidenWithSystemCodePage(settings.destinationPath).c_str());
}

bool SiteTransferDialog::Checked(int id) const {
    return IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
}

std::string SiteTransferDialog::PathText(int id) const {
    return GetWindowTextIn(Item(id), SystemCodePage());
}

void SiteTransferDialog::SetTextIfChanged(int id, const std::wstring& text) {
    HWND control = Item(id);
    if (control && GetWindowTextWide(control) != text) SetWindowTextW(control, text.c_str());
}

void SiteTransferDialog::SetUiTextIfChanged(int id, const std::string& text) {
    SetTextIfChanged(id, WidenUiText(text));
}

void SiteTransferDialog::ReadControls() {
    options_.targetIsFile = Checked(IDC_FSCT_TARGET_FILE);
    options_.resultInNew = Checked(IDC_FSCT_RESULT_IN_NEW);
    options_.includeSubFolders = Checked(IDC_FSCT_INCLUDE_SUB_FOLDERS);
    options_.copyNonText = Checked(IDC_FSCT_COPY_NON_TEXT);
    options_.gbkToBig5 = !Checked(IDC_FSCT_BIG5_TO_GBK);
    options_.sourcePath = PathText(IDC_FSCT_SOURCE_PATH);
    options_.destinationPath = PathText(IDC_FSCT_DESTINATION_PATH);
}

void SiteTransferDialog::SyncControls() {
    if (syncing_ || !hwnd()) return;
    syncing_ = true;
    ReadControls();
    const SiteTransferControlRules rules = ControlRulesFor(options_);
    SetUiTextIfChanged(IDC_FSCT_SOURCE_LABEL, LoadUiString(rules.sourceLabelId));
    SetUiTextIfChanged(IDC_FSCT_DESTINATION_LABEL, LoadUiString(rules.destinationLabelId));
    SetUiTextIfChanged(IDC_FSCT_RESULT_IN_NEW, LoadUiString(rules.resultInNewLabelId));
    Control(Item(IDC_FSCT_INCLUDE_SUB_FOLDERS)).Show(rules.includeSubFoldersVisible);
    Control(Item(IDC_FSCT_COPY_NON_TEXT)).Show(rules.copyNonTextVisible);
    // While a run is under way the running state owns enabling and the status line.
    if (!running_) {
        for (int id : {IDC_FSCT_DESTINATION_LABEL, IDC_FSCT_DESTINATION_PATH, IDC_FSCT_DESTINATION_BROWSE})
            Control(Item(id)).Enable(rules.destinationEnabled);
        Control(Item(IDC_FSCT_SOURCE_VIEW)).Enable(rules.viewSourceEnabled);
        Control(Item(IDC_FSCT_DESTINATION_VIEW)).Enable(rules.viewDestinationEnabled);
        for (int id : kRunOnlyControls) Control(Item(id)).Show(false);
    }
    syncing_ = false;
}

void SiteTransferDialog::SetRunning(bool running) {
    if (!hwnd() || running == running_) return;
    running_ = running;
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    if (running) {
        // The focus may sit on a control about to be disabled; the Transfer button stays.
        SetFocus(Item(IDC_FSCT_TRANSFER));
        for (int id : kIdleOnlyControls) Control(Item(id)).Enable(false);
        for (int id : kRunOnlyControls) Control(Item(id)).Show(true);
        if (systemMenu) EnableMenuItem(systemMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        transferTip_ = LoadUiString(IDS_TIP_CANCEL_TRANSFER);
        SetUiTextIfChanged(IDC_FSCT_TRANSFER, LoadUiString(IDS_DIALOG_CANCEL));
    } else {
        for (int id : kIdleOnlyControls) Control(Item(id)).Enable(true);
        if (systemMenu) EnableMenuItem(systemMenu, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
        transferTip_ = LoadUiString(IDS_TIP_TRANSFER_NOW);
        SetUiTextIfChanged(IDC_FSCT_TRANSFER, LoadUiString(IDS_TIP_TRANSFER_NOW));
        ApplyIdleState();
    }
    SetTip(Item(IDC_FSCT_TRANSFER), transferTip_);
}

void SiteTransferDialog::ApplyIdleState() {
    SetUiTextIfChanged(IDC_FSCT_ELAPSED, ClockStaticText(IDS_DIALOG_FSCT_ELAPSED_TIME, 0));
    SetUiTextIfChanged(IDC_FSCT_REMAINING, ClockStaticText(IDS_DIALOG_FSCT_REMAINING_TIME, 0));
    SetTextIfChanged(IDC_FSCT_STATUS, std::wstring());
    file_ = overall_ = BarState{0, 0};
    RefreshBars(true);
    SyncControls();
}

void SiteTransferDialog::ShowStatus(const std::string& text) {
    // The status line joins a UI text and a path; each part is shown in its own code page.
    for (int templateId : {IDS_DIALOG_FSCT_NOTE_TRANSFER_FILE, IDS_DIALOG_FSCT_NOTE_COPYING_FILE,
                           IDS_DIALOG_FSCT_NOTE_CREATING_DIRECTORY}) {
        std::string before, path, after;
        if (SplitFilledTemplate(text, LoadUiString(templateId), before, path, after)) {
            SetTextIfChanged(IDC_FSCT_STATUS,
                             WidenUiText(before) + WidenWithSystemCodePage(path) + WidenUiText(after));
            return;
        }
    }
    SetUiTextIfChanged(IDC_FSCT_STATUS, text);
}

void SiteTransferDialog::ShowFileProgress(int permille, int percent) {
    file_ = {permille, percent};
    // The start and the end of an item are always shown; steps between them at a pace.
    RefreshBars(permille == 0 || permille >= kBarRange);
}

void SiteTransferDialog::ShowOverallProgress(int permille, int percent) {
    overall_ = {permille, percent};
    RefreshBars(permille >= kBarRange);
}

void SiteTransferDialog::RefreshBars(bool now) {
    // The conversion reports every piece of a few hundred bytes. Each redrawn bar costs
    // more than converting the piece, so the bars follow at most every few dozen
    // milliseconds.
    const DWORD tick = GetTickCount();
    if (!now && barsShown_ && tick - lastBarRefresh_ < kBarRefreshMs) return;
    barsShown_ = true;
    lastBarRefresh_ = tick;
    const struct {
        BarState& state;
        BarState& shown;
        int barId;
        int percentId;
    } bars[] = {{file_, shownFile_, IDC_FSCT_FILE_BAR, IDC_FSCT_FILE_PERCENT},
                {overall_, shownOverall_, IDC_FSCT_OVERALL_BAR, IDC_FSCT_OVERALL_PERCENT}};
    for (const auto& bar : bars) {
        if (bar.state.permille != bar.shown.permille)
            ProgressBar(Item(bar.barId)).SetPosition(bar.state.permille);
        if (bar.state.percent != bar.shown.percent)
            SetUiTextIfChanged(bar.percentId, PercentText(bar.state.percent));
        bar.shown = bar.state;
    }
}

void SiteTransferDialog::SetWaitCursor(bool on) {
    waitDepth_ = on ? waitDepth_ + 1 : (waitDepth_ > 0 ? waitDepth_ - 1 : 0);
    SetCursor(LoadCursorA(nullptr, waitDepth_ > 0 ? IDC_WAIT : IDC_ARROW));
}

bool SiteTransferDialog::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message != WM_SETCURSOR || waitDepth_ == 0) return false;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, TRUE);
    result = TRUE;
    return true;
}

void SiteTransferDialog::StartClock() {
    if (!hwnd()) return;
    SetTimer(hwnd(), kClockTimerId, kClockIntervalMs, nullptr);
    clockRunning_ = true;
}

void SiteTransferDialog::StopClock() {
    if (hwnd()) KillTimer(hwnd(), kClockTimerId);
    clockRunning_ = false;
    RestoreOwnerCaption();
}

void SiteTransferDialog::OnTimer(UINT_PTR timerId) {
    if (timerId == kClockTimerId) ClockTick();
}

void SiteTransferDialog::ClockTick() {
    if (!clockRunning_) return;
    const ClockReading reading =
        ReadClock(runCaption_, transfer_.totalUnits, transfer_.doneUnits + transfer_.fileUnitsDone,
                  transfer_.ElapsedSeconds());
    RefreshBars(true);
    if (!reading.shown) return;
    if (HWND owner = GetWindow(hwnd(), GW_OWNER)) {
        const std::wstring caption = WidenUiText(reading.caption);
        if (GetWindowTextWide(owner) != caption) SetWindowTextW(owner, caption.c_str());
    }
    SetUiTextIfChanged(IDC_FSCT_ELAPSED, reading.elapsedText);
    SetUiTextIfChanged(IDC_FSCT_REMAINING, reading.remainingText);
}

void SiteTransferDialog::RestoreOwnerCaption() {
    if (!ownerCaptionSaved_ || !hwnd()) return;
    HWND owner = GetWindow(hwnd(), GW_OWNER);
    if (owner && GetWindowTextWide(owner) != ownerCaption_) SetWindowTextW(owner, ownerCaption_.c_str());
}

void SiteTransferDialog::PumpMessages() {
    // The conversion calls this after every piece of a few hundred bytes; looking at the
    // queue that often costs more than the conversion itself, and a few times in each
    // tick of the system clock is all the window needs to stay alive.
    const DWORD now = GetTickCount();
    if (pumpedOnce_ && now - lastPump_ < kPumpIntervalMs) return;
    pumpedOnce_ = true;
    lastPump_ = now;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program is ending: stop the run and leave the quit for the main loop.
            *context_.control.transferState = kTransferStopped;
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (hwnd() && IsDialogMessageW(hwnd(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void SiteTransferDialog::OnTransfer() {
    if (inRun_) {
        // The button cancels the run under way; once a cancel is confirmed the run is
        // only unwinding, and a second run must not start inside it.
        if (transfer_.TransferState() == kTransferRunning) transfer_.OnTransfer();
        return;
    }
    SyncControls();
    transfer_.options = options_;
    transfer_.options.changePathCode = ReadChangePathCodeSetting();
    transfer_.display = this;
    runCaption_ = RunCaptionTemplate(options_.targetIsFile ? fileCaptionTemplate_ : siteCaptionTemplate_,
                                     options_.gbkToBig5);
    if (HWND owner = GetWindow(hwnd(), GW_OWNER)) {
        ownerCaption_ = GetWindowTextWide(owner);
        ownerCaptionSaved_ = true;
    }

    // The walk and the conversion pump messages through here, which keeps the window
    // alive and lets the Transfer button offer to cancel.
    TransferControl saved = context_.control;
    context_.control.pumpMessages = [this] { PumpMessages(); };
    context_.control.sleep = [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); };
    pumpedOnce_ = false;
    inRun_ = true;
    transfer_.OnTransfer();
    inRun_ = false;
    context_.control.pumpMessages = saved.pumpMessages;
    context_.control.sleep = saved.sleep;

    StopClock();
    ownerCaptionSaved_ = false;
    if (*context_.control.transferState != kTransferStopped)
        *context_.control.transferState = kTransferStopped;
    SetRunning(false);
    SyncControls();
}

void SiteTransferDialog::OnBrowse(bool forDestination) {
    SyncControls();
    const int editId = forDestination ? IDC_FSCT_DESTINATION_PATH : IDC_FSCT_SOURCE_PATH;
    SiteTransferBrowseRequest request;
    request.forFolder = !options_.targetIsFile;
    request.forDestination = forDestination;
    request.startFolder =
        BrowseStartFolder(forDestination ? options_.destinationPath : options_.sourcePath, forDestination);
    request.title = LoadUiString(IDS_DIALOG_FSCT_BROWSE_FOR_SITE_FOLDER);
    request.filter = LoadUiString(IDS_DIALOG_ZELVO_TYPE_ALL_FILES);
    std::string chosen;
    const bool confirmed = browse_ ? browse_(request, chosen) : ShowSystemBrowse(hwnd(), request, chosen);
    if (!confirmed || chosen.empty()) return;
    SetWindowTextW(Item(editId), WidenWithSystemCodePage(chosen).c_str());
    RememberBrowseFolder(chosen, forDestination);
    SyncControls();
}

void SiteTransferDialog::OnView(bool forDestination) {
    SyncControls();
    if (forDestination && !options_.resultInNew) return;
    const std::string& path = forDestination ? options_.destinationPath : options_.sourcePath;
    const ShellHandler open = shell_ ? shell_
                                     : ShellHandler([this](const std::string& verb, const std::string& file,
                                                           const std::string& parameters) {
                                           ShellOpen(hwnd(), verb, file, parameters);
                                       });
    if (options_.targetIsFile) {
        // The file opens in a new editor window.
        if (FileExists(path)) open("open", ProgramFilePath(), "\"" + path + "\"");
    } else if (FolderExists(path)) {
        open("explore", path, "");
    }
}

void SiteTransferDialog::OnClose() {
    if (!inRun_) End(IDCANCEL);
}

void SiteTransferDialog::OnCancel() {
    // Escape and Close end the dialog only when no run is under way: the run's walk is
    // still on the stack and works on this object.
    if (!inRun_) End(IDCANCEL);
}

void SiteTransferDialog::OnDestroy() {
    KillTimer(hwnd(), kClockTimerId);
    clockRunning_ = false;
    RestoreOwnerCaption();
    ReadControls();
    WriteSiteTransferSettings(options_);
    tooltips_.Destroy();
}

}  // namespace zelvo
