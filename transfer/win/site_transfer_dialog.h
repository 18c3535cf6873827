// The File / Site Code Transfer dialog: the user picks a file or a site, the destination,
// the options and the direction, starts the transfer and watches the status line, the
// per-file and overall bars and the elapsed and remaining time. The dialog is the
// engine's display; while a transfer runs, the main window's caption shows the progress.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "convert/pipeline.h"
#include "platform/win/handles.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/tooltips.h"
#include "transfer/site_transfer.h"

namespace zelvo {

// Opens the File / Site Code Transfer dialog modally over owner (the main window, whose
// caption shows the progress of a run and is put back afterwards). context is the main
// window's conversion context: its lib lists convert the files and its transferState is
// the one shared with edit-area conversion. Returns what the dialog ended with (IDCANCEL
// when closed), or -1 when it could not open. appFolder is the program's folder (the
// program file's folder when empty); productName names the program in the caption (the
// string table's product name when empty).
int RunSiteTransferDialog(HWND owner, ConversionContext& context, const std::string& appFolder,
                          const std::string& productName);

// A browse the dialog asks for: the system Open dialog for a file, the folder browser for
// a site.
struct SiteTransferBrowseRequest {
    bool forFolder = false;
    bool forDestination = false;
    std::string startFolder;  // system code page; may be empty
    std::string title;        // the folder browser's title (UI code page)
    std::string filter;       // the Open dialog's filter, "|" between parts (UI code page)
};

class SiteTransferDialog : public Dialog, public SiteTransferDisplay {
  public:
    // appFolder is the program's folder; the cache folder falls back to its "temp".
    // productName names the program in the caption; the string table's when empty.
    SiteTransferDialog(ConversionContext& context, std::string appFolder, std::string productName = {});
    ~SiteTransferDialog() override;

    // Answers a browse; returns false when the user cancelled. The default shows the
    // system dialogs; tests put their own answer here.
    using BrowseHandler = std::function<bool(const SiteTransferBrowseRequest& request, std::string& chosen)>;
    void SetBrowseHandler(BrowseHandler handler) { browse_ = std::move(handler); }
    // Opens a file or folder in the shell: verb ("open" or "explore"), file, parameters.
    using ShellHandler =
        std::function<void(const std::string& verb, const std::string& file, const std::string& parameters)>;
    void SetShellHandler(ShellHandler handler) { shell_ = std::move(handler); }

    const SiteTransferOptions& options() const { return options_; }
    const SiteTransfer& transfer() const { return transfer_; }
    const std::string& cachePath() const { return cachePath_; }
    bool running() const { return running_; }
    // The tooltip text of the Transfer button, as shown now.
    const std::string& transferTip() const { return transferTip_; }

    // Reads the controls into the options, then relabels and enables the controls the
    // options govern. A call made while one is under way returns at once.
    void SyncControls();

    // SiteTransferDisplay: what the engine shows while it works.
    void ShowStatus(const std::string& text) override;
    void ShowFileProgress(int permille, int percent) override;
    void ShowOverallProgress(int permille, int percent) override;
    void StartClock() override;
    void StopClock() override;
    void SetRunning(bool running) override;
    void SetWaitCursor(bool on) override;
    // True while the wait cursor is up (a single file being converted).
    bool waiting() const { return waitDepth_ > 0; }

  protected:
    bool OnInitDialog() override;
    void OnTimer(UINT_PTR timerId) override;
    void OnClose() override;
    void OnCancel() override;
    // Enter runs the default button, which is Transfer; a bare IDOK must not end the dialog.
    void OnOk() override {}
    void OnDestroy() override;
    // Keeps the wait cursor over the dialog while the conversion lets messages through.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void LoadTexts();
    void ApplyUiFont();
    void CreateTooltips();
    void SetTip(HWND control, const std::string& text);
    void ShowSettings(const SiteTransferOptions& settings);
    void ApplyIdleState();
    void RefreshBars(bool now);
    void ClockTick();
    void RestoreOwnerCaption();
    void PumpMessages();

    void OnTransfer();
    void OnBrowse(bool forDestination);
    void OnView(bool forDestination);

    void ReadControls();
    bool Checked(int id) const;
    std::string PathText(int id) const;
    // Sets a control's text only when it differs, so nothing flickers on each change.
    void SetTextIfChanged(int id, const std::wstring& text);
    void SetUiTextIfChanged(int id, const std::string& text);

    ConversionContext& context_;
    volatile int ownState_ = kTransferStopped;  // when the opener shares no state
    bool usesOwnState_ = false;
    SiteTransfer transfer_;
    std::string appFolder_;
    std::string productName_;
    std::string cachePath_;
    SiteTransferOptions options_;
    bool running_ = false;
    bool syncing_ = false;
    bool inRun_ = false;  // inside OnTransfer, the cancel-and-unwind included
    bool clockRunning_ = false;
    int waitDepth_ = 0;
    bool pumpedOnce_ = false;
    struct BarState {
        int permille = -1;  // -1: not shown yet
        int percent = -1;
    };
    BarState file_, overall_, shownFile_, shownOverall_;
    bool barsShown_ = false;
    DWORD lastBarRefresh_ = 0;
    DWORD lastPump_ = 0;

    // Caption templates and texts kept from when the dialog opened.
    std::string fileCaptionTemplate_;
    std::string siteCaptionTemplate_;
    std::string runCaption_;
    std::wstring ownerCaption_;
    bool ownerCaptionSaved_ = false;

    ToolTips tooltips_;
    std::string transferTip_;
    UniqueFont uiFont_;
    BrowseHandler browse_;
    ShellHandler shell_;
};

}  // namespace zelvo
