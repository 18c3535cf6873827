#include "app/win/progress_dialog.h"

#include <commctrl.h>

#include <functional>
#include <utility>

#include "resources/resource.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelayMs = 100;

// Puts the context's transfer control back as it was when the run ends. The pump it
// installs counts its calls, so the dialog's progress sink knows when the pipeline has
// stopped pumping.
class ControlScope {
  public:
    ControlScope(ConversionContext& context, volatile int* fallbackState, std::function<void()>& pump,
                 long& pumpCount)
        : context_(context) {
        saved_ = context.control;
        if (!context.control.transferState) context.control.transferState = fallbackState;
        // Without a pump the Cancel button could not be pressed until the conversion ended.
        pump = context.control.pumpMessages ? context.control.pumpMessages : PumpPendingMessages;
        context.control.pumpMessages = [&pump, &pumpCount] {
            ++pumpCount;
            pump();
        };
    }
    ~ControlScope() { context_.control = std::move(saved_); }
    ControlScope(const ControlScope&) = delete;
    ControlScope& operator=(const ControlScope&) = delete;

  private:
    ConversionContext& context_;
    TransferControl saved_;
};

// The progress of the conversion, sent to the owner as the main window's own is. The word
// adjustment pass after the last piece reports its progress but does not pump messages:
// while the pipeline has not pumped since the last report, the sink pumps, so Cancel and
// Escape reach the dialog during that pass too.
class PumpingProgressSink : public WindowProgressSink {
  public:
    PumpingProgressSink(HWND window, const std::function<void()>& pump, const long& pumpCount)
        : WindowProgressSink(window), pump_(pump), pumpCount_(pumpCount) {}
    void Position(long done) override {
        WindowProgressSink::Position(done);
        if (pumpCount_ == pumpCountAtLastPosition_ && pump_) pump_();
        pumpCountAtLastPosition_ = pumpCount_;
    }

  private:
    const std::function<void()>& pump_;
    const long& pumpCount_;
    long pumpCountAtLastPosition_ = -1;
};

}  // namespace

ProgressDialog::ProgressDialog(ProgressDialogArgs args) : Dialog(IDD_PROGRESS), args_(std::move(args)) {
    SetLabels({{IDC_PROGRESS_CANCEL, IDS_DIALOG_CANCEL}});
}

bool ProgressDialog::Run() {
    if (!args_.context || !args_.result) return false;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    ControlScope scope(*args_.context, &fallbackState_, pump_, pumpCount_);
    started_ = finished_ = completed_ = cancelled_ = false;
    const INT_PTR outcome = RunModal(args_.owner);
    if (args_.forwarder) args_.forwarder->SetProgressTarget(nullptr);
    if (outcome == -1 && !started_) {
        // No dialog: the conversion still has to happen, with the owner showing progress.
        SetTransferState(kTransferRunning);
        started_ = true;
        WindowProgressSink sink(args_.owner);
        completed_ = args_.fromBig5
                         ? TransferBig5Text(*args_.context, &sink, args_.source, *args_.result, args_.mode)
                         : TransferGbkText(*args_.context, &sink, args_.source, *args_.result, args_.mode);
    }
    return completed_ && !cancelled_;
}

bool ProgressDialog::OnInitDialog() {
    SetTransferState(kTransferRunning);
    UseUiLanguageFont();
    SetWindowTextW(hwnd(), WidenUiText(LoadUiString(IDS_DIALOG_OPTIONS_CT_TITLE)).c_str());
    SetWindowTextW(Item(IDC_PROGRESS_OPERATION), WidenUiText(args_.operation).c_str());
    SetWindowTextW(Item(IDC_PROGRESS_PERCENT), L"0%");
    ProgressBar bar(Item(IDC_PROGRESS_BAR));
    bar.SetRange(kProgressBarRange);
    bar.SetPosition(0);
    EnableSystemClose(false);
    if (args_.forwarder) args_.forwarder->SetProgressTarget(hwnd());
    SetTimer(hwnd(), kStartTimer, kStartDelayMs, nullptr);
    return true;
}

void ProgressDialog::OnTimer(UINT_PTR timerId) {
    if (timerId != kStartTimer) return;
    KillTimer(hwnd(), kStartTimer);
    if (started_) return;
    started_ = true;
    // Keys go where the user looks: to this dialog's Cancel, not to the window it covers,
    // and the dialog is drawn whole before the work starts.
    SetForegroundWindow(hwnd());
    SetFocus(Item(IDC_PROGRESS_CANCEL));
    UpdateWindow(hwnd());
    RunConversion();
}

void ProgressDialog::RunConversion() {
    // The owner passes the progress message on to this dialog; without an owner the
    // dialog takes it itself.
    PumpingProgressSink sink(args_.owner ? args_.owner : hwnd(), pump_, pumpCount_);
    completed_ = args_.fromBig5
                     ? TransferBig5Text(*args_.context, &sink, args_.source, *args_.result, args_.mode)
                     : TransferGbkText(*args_.context, &sink, args_.source, *args_.result, args_.mode);
    finished_ = true;
    // An empty text ends without any progress message; the dialog must close all the same.
    // A cancel confirmed during the word adjustment pass, which runs to its end, stands.
    End(completed_ && !cancelled_ ? IDOK : IDCANCEL);
}

void ProgressDialog::OnDestroy() {
    KillTimer(hwnd(), kStartTimer);
    if (args_.forwarder) args_.forwarder->SetProgressTarget(nullptr);
}

bool ProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message != kProgressMessage) return false;
    HandleProgress(wParam, lParam);
    SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, 1);
    result = TRUE;
    return true;
}

void ProgressDialog::HandleProgress(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
        case kProgressBegin:
            total_ = static_cast<long>(lParam);
            ProgressBar(Item(IDC_PROGRESS_BAR)).SetRange(kProgressBarRange);
            break;
        case kProgressPosition: {
            const long position = static_cast<long>(lParam);
            barPosition_ = ProgressBarPosition(position, total_);
            ProgressBar(Item(IDC_PROGRESS_BAR)).SetPosition(barPosition_);
            const std::wstring percent = WidenUiText(ProgressPercentText(position, total_));
            wchar_t shown[16] = {};
            GetWindowTextW(Item(IDC_PROGRESS_PERCENT), shown, 16);
            if (percent != shown) SetWindowTextW(Item(IDC_PROGRESS_PERCENT), percent.c_str());
            break;
        }
        case kProgressEnd:
            End(cancelled_ ? IDCANCEL : IDOK);
            break;
        default:
            break;
    }
}

void ProgressDialog::CancelClicked() {
    // A click that waited behind the last piece or the word adjustment has nothing left
    // to cancel.
    if (finished_ || TransferStateValue() != kTransferRunning) {
        End(IDCANCEL);
        return;
    }
    SetTransferState(kTransferPaused);
    MessageRequest question;
    question.text = LoadUiString(IDS_DIALOG_FSCT_PROMPT_RESUME);
    question.style = kMbYesNo | kMbIconQuestion;
    if (ShowMessage(question).result != kIdYes) {
        SetTransferState(kTransferRunning);
        return;
    }
    SetTransferState(kTransferStopped);
    EnableSystemClose(true);
    cancelled_ = true;
    args_.context->cancelled = true;
    End(IDCANCEL);
}

void ProgressDialog::UseUiLanguageFont() {
    font_ = FontLike(hwnd(), CharsetOfCodePage(UiCodePage()));
    if (!font_) return;
    for (int id : {IDC_PROGRESS_OPERATION, IDC_PROGRESS_PERCENT, IDC_PROGRESS_CANCEL})
        Control(Item(id)).SetFont(font_.get());
}

void ProgressDialog::EnableSystemClose(bool enable) {
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    if (systemMenu) EnableMenuItem(systemMenu, SC_CLOSE, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

int ProgressDialog::TransferStateValue() const {
    const volatile int* state = args_.context->control.transferState;
    return state ? *state : fallbackState_;
}

void ProgressDialog::SetTransferState(int state) {
    volatile int* shared = args_.context->control.transferState;
    if (shared)
        *shared = state;
    else
        fallbackState_ = state;
}

}  // namespace zelvo
