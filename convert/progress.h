// Seams between long operations and whatever shows their progress. The core never
// talks to windows; the Win32 side turns these calls into the progress message
// (WM_USER + 1123: wParam 0 begin with the total, 1 position, 2 end).
#pragma once

#include <functional>

namespace zelvo {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Begin(long total) = 0;
    virtual void Position(long done) = 0;
    virtual void End() = 0;
};

// The shared conversion state of edit-area conversion and File / Site Code Transfer.
enum TransferStateValue : int { kTransferRunning = 1, kTransferPaused = 2, kTransferStopped = 3 };

struct TransferControl {
    // Running / paused / stopped; owned by the main window, read after every step.
    volatile int* transferState = nullptr;
    // Lets the user interface process its pending messages between steps.
    std::function<void()> pumpMessages;
    // Sleeps while paused; the Win32 side passes Sleep, tests pass a counter.
    std::function<void(int milliseconds)> sleep;
};

}  // namespace zelvo
