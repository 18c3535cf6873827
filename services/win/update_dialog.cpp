#include "services/win/update_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdlib>

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/file_dialogs.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// Controls a running download locks, so the path and the install choice stay what the
// worker was given.
constexpr int kIdleOnlyControls[] = {IDC_UPDATE_SAVE_PATH, IDC_UPDATE_BROWSE, IDC_UPDATE_INSTALL};

// The statuses after which the worker ends.
bool IsFinalStatus(DownloadStatus status) {
    switch (status) {
        case kDownloadFinished:
        case kDownloadCanceled:
        case kDownloadMoveFailed:
        case kDownloadFailed:
        case kDownloadNotVerified:
            return true;
        default:
            return false;
    }
}

std::string PathText(HWND control) {
    return NarrowWithSystemCodePage(GetWindowTextWide(control));
}

}  // namespace

UpdateDownloadDialog::UpdateDownloadDialog(DownloadRequest request)
    : Dialog(IDD_UPDATE_DOWNLOAD), request_(std::move(request)) {
    if (request_.subjectName.empty()) request_.subjectName = LoadUiString(IDS_QXT_PRODUCT);
    BindControl(IDC_UPDATE_START, startButton_);
    BindControl(IDC_UPDATE_INSTALL, installBox_);
    BindControl(IDC_UPDATE_PROGRESS, bar_);
    startButton_.onClick = [this] { StartOrStop(); };
    BindCommand(IDC_UPDATE_EXIT, [this](int, int) { Exit(); });
    BindCommand(IDC_UPDATE_BROWSE, [this](int, int) { Browse(); });
}

UpdateDownloadDialog::~UpdateDownloadDialog() {
    job_.cancel = true;
    JoinWorker();
}

void UpdateDownloadDialog::JoinWorker() {
    if (!thread_) return;
    // The worker only posts to the window, so it never waits for this thread.
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

bool UpdateDownloadDialog::OnInitDialog() {
    uiFont_ = UseUiFont(hwnd());
    const HINSTANCE instance = ResourceInstance();
    bigIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_UPDATE_DOWNLOAD), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_UPDATE_DOWNLOAD), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    if (bigIcon_) SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    if (smallIcon_) SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    std::string folder = request_.saveFolder;
    if (folder.empty()) {
        const DownloadFolderChoice choice = ChooseDownloadFolder(FolderExists);
        folder = choice.folder;
        if (choice.createIt && !CreateFolder(folder)) folder = "C:";
    }
    defaultFolder_ = folder;
    SetWindowTextIn(Item(IDC_UPDATE_URL), request_.url, SystemCodePage());
    SetWindowTextIn(Item(IDC_UPDATE_SAVE_PATH), DefaultSavePath(folder, request_.url), SystemCodePage());
    installBox_.SetChecked(!request_.withoutDigest);

    tips_.Create(hwnd());
    if (uiFont_) tips_.SetFont(uiFont_.get());
    tips_.SetTip(Item(IDC_UPDATE_EXIT), LoadUiString(IDS_TIP_EXIT), UiCodePage());
    tips_.SetTip(Item(IDC_UPDATE_BROWSE), LoadUiString(IDS_TIP_LOCATE_PATH), UiCodePage());
    ApplyLook(false);
    ShowIdleCounters();
    // Enter starts the download; the address is there to be read, not selected.
    SetFocus(startButton_.hwnd());
    return false;
}

void UpdateDownloadDialog::RelabelControls() {
    caption_ = LoadUiString(IDS_DIALOG_LVUD_CAPTION, request_.subjectName);
    SetWindowTextIn(hwnd(), caption_, UiCodePage());
    SetWindowTextIn(Item(IDC_UPDATE_URL_LABEL), LoadUiString(IDS_DIALOG_LVUD_URL_U, request_.subjectName),
                    UiCodePage());
    SetWindowTextIn(Item(IDC_UPDATE_SAVE_LABEL), LoadUiString(IDS_DIALOG_LVUD_SAVE_TO_S), UiCodePage());
    SetWindowTextIn(Item(IDC_UPDATE_INSTALL),
                    LoadUiString(IDS_DIALOG_LVUD_INSTALL_AFTER_DOWNLOAD_I, request_.subjectName), UiCodePage());
    SetWindowTextIn(Item(IDC_UPDATE_EXIT), LoadUiString(IDS_TIP_EXIT), UiCodePage());
}

void UpdateDownloadDialog::OnDestroy() {
    // A window closed by the system while a download runs still stops the worker.
    job_.cancel = true;
    tips_.Destroy();
}

void UpdateDownloadDialog::ApplyLook(bool downloading) {
    // The button says what a click does, and its tip says the same.
    const int text = downloading ? IDS_DIALOG_LVUD_TIP_STOP_DOWNLOADING : IDS_DIALOG_LVUD_TIP_DOWNLOAD_NOW;
    startTip_ = LoadUiString(text);
    SetWindowTextIn(startButton_.hwnd(), startTip_, UiCodePage());
    tips_.SetTip(startButton_.hwnd(), startTip_, UiCodePage());
    for (int id : kIdleOnlyControls) EnableWindow(Item(id), downloading ? FALSE : TRUE);
    if (request_.withoutDigest) EnableWindow(Item(IDC_UPDATE_INSTALL), FALSE);
}

void UpdateDownloadDialog::ShowIdleCounters() {
    SetTextIfChanged(IDC_UPDATE_PERCENT, "0%");
    SetTextIfChanged(IDC_UPDATE_SPEED, DownloadSpeedText(0));
}

void UpdateDownloadDialog::SetTextIfChanged(int id, const std::string& text) {
    HWND control = id == 0 ? hwnd() : Item(id);
    if (!control) return;
    // Rewriting an unchanged text makes the control flicker at every block.
    if (GetWindowTextIn(control, UiCodePage()) == text) return;
    SetWindowTextIn(control, text, UiCodePage());
}

void UpdateDownloadDialog::StartOrStop() {
    if (stopping_) return;
    if (!downloading_) {
        Start();
        return;
    }
    job_.cancel = true;
    stopping_ = true;
    // The button shows the idle look at once; it answers again once the worker has ended.
    ApplyLook(false);
    EnableWindow(startButton_.hwnd(), FALSE);
}

void UpdateDownloadDialog::Start() {
    if (thread_) return;
    job_.informationMode = false;
    job_.address = request_.url;
    job_.savePath = TrimBlanks(PathText(Item(IDC_UPDATE_SAVE_PATH)));
    job_.defaultFolder = defaultFolder_;
    job_.expectedSha256 = request_.withoutDigest ? std::string() : request_.expectedSha256;
    job_.keepUnverified = request_.withoutDigest;
    job_.installAfterDownload = installBox_.IsChecked() && !request_.withoutDigest;
    job_.notifyWindow = hwnd();
    job_.startProgram = programStarter_;
    job_.cancel = false;
    job_.installerStarted = false;
    job_.targetPath.clear();
    // Where the file will go, for the "moving" text: the folder of the first free name.
    const std::string firstTarget =
        DownloadTargetPath(job_.savePath, job_.defaultFolder, [](const std::string&) { return false; });
    targetFolder_ = firstTarget.empty() ? defaultFolder_ : ParentFolder(firstTarget);
    received_ = 0;
    total_ = 0;
    highestPercent_ = 0;
    installerStarted_ = false;
    targetPath_.clear();

    downloading_ = true;
    ApplyLook(true);
    SetTextIfChanged(IDC_UPDATE_STATUS, DownloadStatusText(kDownloadRequesting, {}, {}));
    thread_ = StartDownloadThread(job_);
    if (!thread_) Finish(kDownloadFailed);
}

void UpdateDownloadDialog::Exit() {
    if (!downloading_) {
        End(installerStarted_ ? IDOK : IDCANCEL);
        return;
    }
    // The worker is told to stop; the dialog ends when it has.
    exitWhenStopped_ = true;
    if (!stopping_) StartOrStop();
}

void UpdateDownloadDialog::Browse() {
    const std::string current = TrimBlanks(PathText(Item(IDC_UPDATE_SAVE_PATH)));
    std::string chosen;
    bool answered;
    if (saveNameQuestion_) {
        answered = saveNameQuestion_(current, chosen);
    } else {
        chosen = current;
        answered = AskFileNameWithDialog(hwnd(), true, LoadUiString(IDS_DIALOG_LVUD_FILE_TYPE_PROGRAM_AND_ALL),
                                         ParentFolder(current),
                                         OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT, chosen);
    }
    if (!answered || chosen.empty()) return;
    SetWindowTextIn(Item(IDC_UPDATE_SAVE_PATH), WithProgramExtension(chosen), SystemCodePage());
}

bool UpdateDownloadDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == kDownloadStatusMessage) {
        OnStatus(static_cast<DownloadStatus>(wParam), lParam);
        result = TRUE;
        return true;
    }
    if (message == kDownloadProgressMessage) {
        OnProgress(static_cast<uint32_t>(wParam));
        result = TRUE;
        return true;
    }
    return false;
}

void UpdateDownloadDialog::OnStatus(DownloadStatus status, LPARAM lParam) {
    if (!downloading_) return;
    lastStatus_ = status;
    switch (status) {
        case kDownloadStarted: {
            startTick_ = GetTickCount();
            total_ = static_cast<uint32_t>(lParam);
            received_ = 0;
            barShift_ = total_ > 0x7FFFFFFFu ? 10 : 0;
            bar_.SetRange(static_cast<int>(total_ >> barShift_));
            bar_.SetPosition(0);
            ShowIdleCounters();
            return;
        }
        case kDownloadMoving:
            SetTextIfChanged(IDC_UPDATE_STATUS,
                             DownloadStatusText(status, AddressFileName(request_.url), targetFolder_));
            return;
        case kDownloadRequesting:
        case kDownloadInstalling:
            SetTextIfChanged(IDC_UPDATE_STATUS, DownloadStatusText(status, {}, {}));
            return;
        default:
            if (IsFinalStatus(status)) Finish(status);
            return;
    }
}

void UpdateDownloadDialog::OnProgress(uint32_t bytes) {
    if (!downloading_) return;
    received_ += bytes;
    const int64_t elapsed = static_cast<int64_t>(static_cast<DWORD>(GetTickCount() - startTick_));
    const DownloadProgressTexts texts = DownloadProgress(received_, total_, elapsed);
    bar_.SetPosition(static_cast<int>(received_ >> barShift_));
    SetTextIfChanged(IDC_UPDATE_PERCENT, texts.percent);
    SetTextIfChanged(IDC_UPDATE_SPEED, texts.speed);
    SetTextIfChanged(IDC_UPDATE_STATUS, texts.status);
    const int percent = std::atoi(texts.percent.c_str());
    if (percent > highestPercent_) highestPercent_ = percent;
    // The caption carries the percentage, so it shows on the taskbar too.
    SetTextIfChanged(0, texts.percent + " " + caption_);
}

void UpdateDownloadDialog::Finish(DownloadStatus status) {
    // The final status is the worker's last act: the thread ends at once, and what it left
    // in the job can be read.
    JoinWorker();
    lastStatus_ = status;
    downloading_ = false;
    stopping_ = false;
    installerStarted_ = job_.installerStarted;
    targetPath_ = job_.targetPath;
    SetTextIfChanged(0, caption_);
    ShowIdleCounters();
    bar_.SetPosition(0);
    SetTextIfChanged(IDC_UPDATE_STATUS, DownloadStatusText(status, {}, {}));
    ApplyLook(false);
    EnableWindow(startButton_.hwnd(), TRUE);
    if (installerStarted_ || exitWhenStopped_) {
        End(installerStarted_ ? IDOK : IDCANCEL);
        return;
    }
    // A file that is not the published one, or that could not be fetched, is worth more
    // than a status line: the user would otherwise wait for an installer that never comes.
    if (status == kDownloadNotVerified || status == kDownloadFailed)
        ShowMessage(DownloadStatusText(status, {}, {}), "", kMbOk | kMbIconError);
}

bool RunDownloadDialog(HWND owner, const DownloadRequest& request) {
    UpdateDownloadDialog dialog(request);
    dialog.RunModal(owner);
    return dialog.installerStarted();
}

}  // namespace zelvo
