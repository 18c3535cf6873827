// Every message, question and error goes through one service. zelvo.exe installs the
// program's own message box; tests install a scripted answerer; zelvoc prints to stderr.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace zelvo {

// Result codes and style bits, numbered as the Win32 MessageBox numbers them.
enum MessageResult { kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6, kIdNo = 7 };
enum MessageStyle : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbAbortRetryIgnore = 0x2,
    kMbYesNoCancel = 0x3,
    kMbYesNo = 0x4,
    kMbRetryCancel = 0x5,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
    kMbDefButton2 = 0x100,
    kMbDefButton3 = 0x200,
};

struct MessageRequest {
    std::string text;
    std::string caption;  // empty: the product name in the UI language
    unsigned style = 0;
    bool detailsEnabled = false;
    std::string details;  // details text, or a help key such as "QX_HELP_UG_SYS_REQ"
    bool showCheckBox = false;
    bool checked = true;
    // The code page the details are written in when it is not the UI language's (0): a
    // list of an edit area's lines, say, in the area's own code page.
    int detailsCodePage = 0;
    // The same for the message text: a message whose own words are plain ASCII (the English
    // UI) may quote words of a Chinese code page and be shown in it.
    int textCodePage = 0;
};

struct MessageAnswer {
    int result = kIdOk;
    bool checked = true;  // final state of the check box
    std::string text = {};  // AskText only: the edited text
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
    virtual MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) = 0;
};

// Installs the service; returns the previous one. Without one, messages go to stderr and
// every question is answered with its default button (the safe choice for scripts).
std::unique_ptr<MessageService> SetMessageService(std::unique_ptr<MessageService> service);
MessageService& CurrentMessageService();

// Short forms for the common calls.
int ShowMessage(const std::string& text, const std::string& caption = "", unsigned style = 0);
MessageAnswer ShowMessage(const MessageRequest& request);
MessageAnswer AskText(const MessageRequest& request, const std::string& initialText);

// Default button of a style, as the message box resolves it: the result it returns on Enter.
int DefaultResultOf(unsigned style);

// For tests: answers from a queue and records every request it was shown.
class ScriptedMessageService : public MessageService {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) override;
    std::deque<MessageAnswer> answers;  // an empty queue answers with the default button
    std::vector<MessageRequest> shown;
};

}  // namespace zelvo
