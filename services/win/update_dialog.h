// The download dialog: shows where a new version (or a language support pack) comes from
// and where it goes, runs DownloadWorker in file mode on a thread of its own, and shows
// its status, progress, percentage and speed as the worker's messages arrive. The texts
// are the portable ones of services/update_check.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win/handles.h"
#include "services/update_check.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/tooltips.h"
#include "services/win/update_download.h"

namespace zelvo {

// What the dialog downloads.
struct DownloadRequest {
    std::string url;
    std::string expectedSha256;
    // What the caption, the address label and the install box name (%1): the product for
    // an update, the language support for a pack.
    std::string subjectName;
    // The folder the save path starts in; empty: ChooseDownloadFolder's choice (created
    // when it says so).
    std::string saveFolder;
    // Published without a digest (a language support pack): the file is kept for the user
    // to start, and the install box is cleared and locked.
    bool withoutDigest = false;
};

class UpdateDownloadDialog : public Dialog {
  public:
    explicit UpdateDownloadDialog(DownloadRequest request);
    // Waits for a worker still running (it was told to stop when the window went).
    ~UpdateDownloadDialog() override;

    // ---- Seams for tests ----
    // Starts the downloaded installer; the shell's "open" unless replaced. Runs on the
    // worker thread.
    void SetProgramStarter(std::function<bool(const std::string& path)> starter) {
        programStarter_ = std::move(starter);
    }
    // The Browse question: the system Save dialog unless replaced. False: cancelled.
    using SaveNameQuestion = std::function<bool(const std::string& initialPath, std::string& chosen)>;
    void SetSaveNameQuestion(SaveNameQuestion question) { saveNameQuestion_ = std::move(question); }

    // ---- What the opener and the tests look at ----
    bool downloading() const { return downloading_; }
    bool installerStarted() const { return installerStarted_; }
    // The last status the worker reported (0 before the first run).
    int lastStatus() const { return lastStatus_; }
    // The file a finished download was moved to.
    const std::string& targetPath() const { return targetPath_; }
    // The start button's tooltip as set now.
    const std::string& startTip() const { return startTip_; }
    // The largest percentage shown during the last run.
    int highestPercent() const { return highestPercent_; }

    // The start/stop button's work: starts a download when idle, asks the worker to stop
    // while one runs.
    void StartOrStop();

  protected:
    bool OnInitDialog() override;
    void RelabelControls() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnClose() override { Exit(); }
    void OnCancel() override { Exit(); }
    void OnOk() override {}
    void OnDestroy() override;

  private:
    void Start();
    void Exit();
    void Browse();
    void OnStatus(DownloadStatus status, LPARAM lParam);
    void OnProgress(uint32_t bytes);
    // The end of a run: the worker's thread is joined and its results read.
    void Finish(DownloadStatus status);
    // Downloading: the button stops, the path, browse and install box are locked.
    void ApplyLook(bool downloading);
    void ShowIdleCounters();
    void SetTextIfChanged(int id, const std::string& text);
    void JoinWorker();

    DownloadRequest request_;
    std::string caption_;
    std::string targetFolder_;
    std::string defaultFolder_;

    DownloadJob job_;
    HANDLE thread_ = nullptr;
    bool downloading_ = false;
    bool stopping_ = false;
    bool exitWhenStopped_ = false;
    bool installerStarted_ = false;
    int lastStatus_ = 0;
    std::string targetPath_;

    uint32_t received_ = 0;
    uint32_t total_ = 0;
    // Progress bar positions are ints: a file beyond 2 GB is counted in kilobytes.
    int barShift_ = 0;
    DWORD startTick_ = 0;
    int highestPercent_ = 0;

    Button startButton_;
    Button installBox_;
    ProgressBar bar_;
    ToolTips tips_;
    std::string startTip_;
    UniqueFont uiFont_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    std::function<bool(const std::string&)> programStarter_;
    SaveNameQuestion saveNameQuestion_;
};

// Runs the dialog modally over owner; true when the installer was started.
bool RunDownloadDialog(HWND owner, const DownloadRequest& request);

}  // namespace zelvo
