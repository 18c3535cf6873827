// The "Code Transfer" dialog (251): runs one long edit-area or clipboard conversion with a
// progress bar, a percentage and a Cancel button that asks before it stops the transfer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/win/progress_message.h"
#include "convert/pipeline.h"
#include "platform/win/handles.h"
#include "services/win/toolkit/dialog.h"

namespace zelvo {

struct ProgressDialogArgs {
    // The main window: owner of the dialog and progress window of the conversion. It
    // passes the progress message on to the dialog once the dialog has registered.
    HWND owner = nullptr;
    // Where the dialog registers itself while it is open (the owner's StatusBarProgress).
    ProgressForwarder* forwarder = nullptr;
    // The owner's conversion context; its transferState is the one the dialog drives, its
    // cancelled flag is set when the user confirms the cancel.
    ConversionContext* context = nullptr;
    bool fromBig5 = false;  // TransferBig5Text rather than TransferGbkText
    int mode = 0;           // TransferMode
    std::string operation;  // text of the operation label, in the UI language's code page
    std::string_view source;
    std::string* result = nullptr;
};

class ProgressDialog : public Dialog {
  public:
    explicit ProgressDialog(ProgressDialogArgs args);

    // Opens the dialog modally and runs the conversion in it. True when the conversion
    // ran to its end; false when the user cancelled it (the result then holds the pieces
    // converted so far and must not be used). When the dialog cannot be opened the
    // conversion runs without it.
    bool Run();

    bool cancelled() const { return cancelled_; }
    // The last bar position and total the dialog showed (for tests and the owner).
    int barPosition() const { return barPosition_; }
    long total() const { return total_; }

  protected:
    bool OnInitDialog() override;
    void OnTimer(UINT_PTR timerId) override;
    void OnClose() override { CancelClicked(); }
    void OnOk() override { CancelClicked(); }
    void OnCancel() override { CancelClicked(); }
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void RunConversion();
    void HandleProgress(WPARAM wParam, LPARAM lParam);
    void CancelClicked();
    void EnableSystemClose(bool enable);
    int TransferStateValue() const;
    void SetTransferState(int state);
    void UseUiLanguageFont();

    ProgressDialogArgs args_;
    // The template's font in the UI language's character set; outlives the window.
    UniqueFont font_;
    volatile int fallbackState_ = kTransferRunning;  // when the context has no state of its own
    std::function<void()> pump_;  // the pump of the run, the context's own or PumpPendingMessages
    long pumpCount_ = 0;          // calls of it by the pipeline
    bool started_ = false;
    bool finished_ = false;  // the conversion has returned
    bool completed_ = false;
    bool cancelled_ = false;
    long total_ = 0;
    int barPosition_ = 0;
};

}  // namespace zelvo
