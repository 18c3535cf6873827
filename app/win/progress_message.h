// The progress message between a conversion and the window that shows its progress:
// WM_USER + 1123, wParam 0 begin (lParam the total), 1 position (lParam the units done),
// 2 end. The pipeline reports through a ProgressSink; WindowProgressSink turns that into
// the message. The main window answers it with StatusBarProgress, which shows a bar in
// the status bar or passes the message on to the open progress dialog.
#pragma once

#include <windows.h>

#include "app/main_window_model.h"
#include "convert/progress.h"

namespace zelvo {

inline constexpr UINT kProgressMessage = WM_USER + 1123;
inline constexpr WPARAM kProgressBegin = 0;
inline constexpr WPARAM kProgressPosition = 1;
inline constexpr WPARAM kProgressEnd = 2;
// Progress bars run from 0 to this.
inline constexpr int kProgressBarRange = kProgressRange;

// Sends the progress message to a window (SendMessage: the window has shown the step
// when the call returns). A null window takes nothing.
class WindowProgressSink : public ProgressSink {
  public:
    explicit WindowProgressSink(HWND window) : window_(window) {}
    void Begin(long total) override;
    void Position(long done) override;
    void End() override;
    HWND window() const { return window_; }

  private:
    HWND window_;
};

// Where a progress dialog registers itself while it is open, so that the progress
// messages its owner receives are passed on to it.
class ProgressForwarder {
  public:
    virtual ~ProgressForwarder() = default;
    // target: the dialog's window; null ends the forwarding.
    virtual void SetProgressTarget(HWND target) = 0;
};

// Bar positions and percentages come from the window model: ProgressBarPosition and
// ProgressPercentText (position * 1000 / total, "%d%%" of position * 100 / total, 0 when
// the position lies beyond the total or the total is not positive).

// The main window's own answer to the progress message. While a dialog is registered the
// message goes to it unchanged. Otherwise: begin stores the total; a position with a
// total above 0 shows a progress bar inside the status bar (created on first use, range
// 0..1000); end removes the bar and clears the total.
class StatusBarProgress : public ProgressForwarder {
  public:
    StatusBarProgress() = default;
    ~StatusBarProgress() override;
    StatusBarProgress(const StatusBarProgress&) = delete;
    StatusBarProgress& operator=(const StatusBarProgress&) = delete;

    // The status bar the bar lives in; set once the status bar exists.
    void SetStatusBar(HWND statusBar) { statusBar_ = statusBar; }
    void SetProgressTarget(HWND target) override { target_ = target; }
    HWND ProgressTarget() const { return target_; }

    // Handles one progress message; the result the window procedure returns (always 1).
    // A dialog-based window returns TRUE from its procedure and puts this result in
    // DWLP_MSGRESULT.
    LRESULT HandleMessage(WPARAM wParam, LPARAM lParam);

    HWND bar() const { return bar_; }
    long total() const { return static_cast<long>(model_.total()); }

  private:
    void ShowBar(int position);
    void RemoveBar();

    HWND statusBar_ = nullptr;
    HWND target_ = nullptr;
    HWND bar_ = nullptr;
    StatusBarProgressModel model_;
};

// The transfer control of conversions on the user-interface thread: pumps the pending
// messages between pieces (peeks without removing; a WM_QUIT it meets is posted again and
// ends the pumping) and sleeps with Sleep while paused.
TransferControl MakeWin32TransferControl(volatile int* transferState);

// Processes the messages waiting in this thread's queue, as MakeWin32TransferControl's
// pump does; dialog keys go to their dialog.
void PumpPendingMessages();

}  // namespace zelvo
