#include "app/win/progress_message.h"

#include <commctrl.h>

#include <optional>

#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"

namespace zelvo {
namespace {

// Space between the progress bar and the edges of the status bar pane it sits in.
constexpr int kBarInset = 2;

bool IsDialogWindow(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0;
}

}  // namespace

void WindowProgressSink::Begin(long total) {
    if (window_) SendMessageW(window_, kProgressMessage, kProgressBegin, static_cast<LPARAM>(total));
}

void WindowProgressSink::Position(long done) {
    if (window_) SendMessageW(window_, kProgressMessage, kProgressPosition, static_cast<LPARAM>(done));
}

void WindowProgressSink::End() {
    if (window_) SendMessageW(window_, kProgressMessage, kProgressEnd, 0);
}

StatusBarProgress::~StatusBarProgress() {
    RemoveBar();
}

LRESULT StatusBarProgress::HandleMessage(WPARAM wParam, LPARAM lParam) {
    if (target_ && IsWindow(target_)) {
        SendMessageW(target_, kProgressMessage, wParam, lParam);
        return 1;
    }
    switch (wParam) {
        case kProgressBegin:
            model_.Begin(static_cast<long>(lParam));
            break;
        case kProgressPosition:
            if (std::optional<int> position = model_.Position(static_cast<long>(lParam))) ShowBar(*position);
            break;
        case kProgressEnd:
            RemoveBar();
            model_.End();
            break;
        default:
            break;
    }
    return 1;
}

void StatusBarProgress::ShowBar(int position) {
    if (bar_ && !IsWindow(bar_)) bar_ = nullptr;
    if (!bar_) {
        if (!statusBar_ || !IsWindow(statusBar_)) return;
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        // The right half of the message pane: the busy text stays readable beside it.
        RECT pane{};
        if (!StatusBar(statusBar_).PaneRect(0, pane)) GetClientRect(statusBar_, &pane);
        const int width = pane.right - pane.left;
        const int left = pane.left + width / 2;
        bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, left + kBarInset,
                               pane.top + kBarInset, pane.right - left - 2 * kBarInset,
                               pane.bottom - pane.top - 2 * kBarInset, statusBar_, nullptr,
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(statusBar_, GWLP_HINSTANCE)),
                               nullptr);
        if (!bar_) return;
        ProgressBar(bar_).SetRange(kProgressBarRange);
    }
    ProgressBar(bar_).SetPosition(position);
}

void StatusBarProgress::RemoveBar() {
    if (bar_ && IsWindow(bar_)) DestroyWindow(bar_);
    bar_ = nullptr;
}

void PumpPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The quit belongs to the loop that owns the thread: leave it for that loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && root) {
            // A key typed where the focus stayed in a window the open dialog disabled (its
            // owner) is meant for the dialog: Escape is its Cancel. It never reaches the
            // disabled window, which would act on it once the dialog has gone.
            HWND open = Dialog::SpeakingWindow();
            if (open && root != open && !IsWindowEnabled(root) && IsWindowEnabled(open)) {
                HWND focus = GetFocus();
                message.hwnd = focus && IsChild(open, focus) ? focus : open;
                IsDialogMessageW(open, &message);
                continue;
            }
        }
        if (root && IsDialogWindow(root) && IsDialogMessageW(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TransferControl MakeWin32TransferControl(volatile int* transferState) {
    TransferControl control;
    control.transferState = transferState;
    control.pumpMessages = PumpPendingMessages;
    control.sleep = [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); };
    return control;
}

}  // namespace zelvo
