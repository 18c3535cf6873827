// The program's own message box: the Win32 MessageBox's buttons, icons and results, with
// texts in the UI language, a details pane, a "show next time" check box, help keys, a
// height that follows the message, and a variant with an editable box for questions.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win/handles.h"
#include "services/message_box_layout.h"
#include "services/message_service.h"
#include "services/win/toolkit/dialog.h"

namespace zelvo {

class MessageBoxDialog : public Dialog {
  public:
    // The plain box.
    explicit MessageBoxDialog(const MessageRequest& request);
    // The input variant: the editable box starts with initialText.
    MessageBoxDialog(const MessageRequest& request, const std::string& initialText);

    // Shows the box modally over owner and returns the result, the check box's final state
    // and, for the input variant, the edited text. A box that cannot open answers with the
    // default button.
    MessageAnswer Run(HWND owner);

    // Window heights in screen pixels, measured when the box opens.
    int collapsedHeight() const { return collapsedHeight_; }
    int fullHeight() const { return fullHeight_; }
    bool expanded() const { return details_.expanded(); }

  protected:
    bool OnInitDialog() override;
    // Enter on a control that is no button still means the default button.
    void OnOk() override { OnSlot(buttons_.defaultSlot); }
    void OnCancel() override { EscapeOrClose(); }
    void OnClose() override { EscapeOrClose(); }

  private:
    MessageBoxDialog(const MessageRequest& request, std::optional<std::string> input);
    void SetUpButtons();
    void SetUpIcon();
    void SetUpTexts();
    void SetUpFonts();
    int TextCodePage() const;
    int DetailsCodePage() const;
    void FitHeightToMessage();
    void OnSlot(int slot);
    void OnDetails();
    void EscapeOrClose();
    void Finish(int result);
    // Height of the pane's state, keeping left, top and width, then centred again.
    void ApplyPaneHeight();
    void Centre();

    MessageRequest request_;
    std::optional<std::string> input_;
    MessageBoxButtons buttons_;
    DetailsPane details_;
    MessageAnswer answer_;
    std::string shownText_;
    // The dialog's font in the UI language's character set, for every control.
    UniqueFont font_;
    UniqueFont textFont_;
    UniqueFont detailsFont_;
    int collapsedHeight_ = 0;
    int fullHeight_ = 0;
};

// The MessageService of zelvo.exe: every message and question in this dialog, owned by the
// window it speaks for (Dialog::SpeakingWindow), the active window when none is open.
class MessageBoxService : public MessageService {
  public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) override;
};

}  // namespace zelvo
