// The daily update check and the downloads of the main window.
//
// The check runs on a thread of its own, since fetching the information file may take as
// long as the server lets it. Everything it shows comes back to the window's thread
// instead: the question and the notice as kUpdateAskMessage, the download dialog as
// kUpdateDownloadMessage (both sent, so the check thread waits for the answer), and the
// exit question after an installer started as kUpdateCheckedMessage (posted). The windows
// of the program, the message box among them, keep one thread, as the toolkit's list of
// speaking windows and every dialog's owner expect; a message box made on the check thread
// would be owned across threads and could outlive its owner.
#include <windows.h>

#include "app/editor_app.h"
#include "app/win/instances.h"
#include "app/win/main_window.h"
#include "platform/clock.h"
#include "services/help.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/update_check.h"
#include "services/win/help_center.h"
#include "services/win/update_download.h"

namespace zelvo {

namespace {

constexpr UINT kUpdateAskMessage = WM_APP + 0x201;       // lParam: UpdateQuestion*
constexpr UINT kUpdateDownloadMessage = WM_APP + 0x202;  // lParam: UpdateDownload*
constexpr UINT kUpdateCheckedMessage = WM_APP + 0x203;   // the installer was started

struct UpdateQuestion {
    std::string text;
    unsigned style = 0;
    // Stays kIdCancel when the window is gone before it could ask.
    int answer = kIdCancel;
};

struct UpdateDownload {
    const UpdateOffer* offer = nullptr;
    bool installerStarted = false;
};

}  // namespace

void MainWindow::StartUpdateCheck() {
    // Turned off, no thread is started: nothing runs on after the window is gone.
    if (updateCheckThread_ || UpdateCheckDisabled()) return;
    UpdateCheckContext context;
    context.today = DateOfLocalTime(LocalTimeNow());
    context.ownBuild = app_.buildDate.text;
    context.productName = app_.productName;
    context.companyName = app_.companyName;
    context.productHomePage = ProductHomePage(app_.uiLcid);
    // Only the window handle crosses to the thread: once the window is gone, SendMessage
    // returns at once and the check ends without an answer.
    HWND window = hwnd();
    context.ask = [window](const std::string& text, unsigned style) {
        UpdateQuestion question{text, style};
        SendMessageW(window, kUpdateAskMessage, 0, reinterpret_cast<LPARAM>(&question));
        return question.answer;
    };
    context.runDownload = [window](const UpdateOffer& offer) {
        UpdateDownload download{&offer};
        SendMessageW(window, kUpdateDownloadMessage, 0, reinterpret_cast<LPARAM>(&download));
        return download.installerStarted;
    };
    updateCheckThread_ = StartUpdateCheckThread(std::move(context), [window](bool installerStarted) {
        if (installerStarted) PostMessageW(window, kUpdateCheckedMessage, 0, 0);
    });
}

bool MainWindow::OnUpdateMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case kUpdateAskMessage: {
            auto* question = reinterpret_cast<UpdateQuestion*>(lParam);
            question->answer = ShowMessage(question->text, "", question->style);
            return true;
        }
        case kUpdateDownloadMessage: {
            auto* download = reinterpret_cast<UpdateDownload*>(lParam);
            download->installerStarted = RunUpdateDownload(*download->offer);
            return true;
        }
        case kUpdateCheckedMessage:
            OfferExitForInstall();
            return true;
        default:
            return false;
    }
}

bool MainWindow::RunDownload(const DownloadRequest& request) {
    if (downloadRunner_) return downloadRunner_(request);
    return RunDownloadDialog(hwnd(), request);
}

bool MainWindow::RunUpdateDownload(const UpdateOffer& offer) {
    // An offer without an installer's address points at the home page, where the user
    // finds the download; a web page is not something to save and start.
    if (!EndsWithTextNoCase(offer.url, ".exe", 0)) {
        OpenUrl(offer.url);
        return false;
    }
    DownloadRequest request;
    request.url = offer.url;
    request.expectedSha256 = offer.sha256;
    request.subjectName = app_.productName;
    // The download dialog stands for the program while it runs.
    ShowWindow(hwnd(), SW_HIDE);
    const bool started = RunDownload(request);
    if (!started) ShowWindow(hwnd(), SW_SHOW);
    return started;
}

void MainWindow::OfferExitForInstall() {
    // This window stayed hidden after the download, and counts among the running ones.
    const bool hidden = !IsWindowVisible(hwnd());
    const int running = CountInstances(false, hwnd()) + (hidden ? 1 : 0);
    if (ShowMessage(ExitForInstallQuestion(running, app_.productName), "", kMbYesNo) != kIdYes) {
        // A program that stays must be reachable.
        if (hidden) ShowWindow(hwnd(), SW_SHOW);
        return;
    }
    if (running > 1) CountInstances(true, hwnd());
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace zelvo
