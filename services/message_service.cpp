#include "services/message_service.h"

#include <cstdio>

namespace zelvo {

int DefaultResultOf(unsigned style) {
    unsigned buttons = style & 0x0F;
    unsigned defaultButton = (style >> 8) & 0x0F;  // 0, 1 or 2: first, second, third button
    switch (buttons) {
        case kMbOkCancel: return defaultButton == 1 ? kIdCancel : kIdOk;
        case kMbAbortRetryIgnore: return defaultButton == 1 ? kIdRetry : defaultButton == 2 ? kIdIgnore : kIdAbort;
        case kMbYesNoCancel: return defaultButton == 1 ? kIdNo : defaultButton == 2 ? kIdCancel : kIdYes;
        case kMbYesNo: return defaultButton == 1 ? kIdNo : kIdYes;
        case kMbRetryCancel: return defaultButton == 1 ? kIdCancel : kIdRetry;
        default: return kIdOk;
    }
}

namespace {

class ConsoleMessageService : public MessageService {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return MessageAnswer{DefaultResultOf(request.style), request.checked, {}};
    }
    MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) override {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return MessageAnswer{kIdCancel, request.checked, initialText};
    }
};

std::unique_ptr<MessageService>& Installed() {
    static std::unique_ptr<MessageService> service = std::make_unique<ConsoleMessageService>();
    return service;
}

}  // namespace

std::unique_ptr<MessageService> SetMessageService(std::unique_ptr<MessageService> service) {
    std::unique_ptr<MessageService> previous = std::move(Installed());
    Installed() = service ? std::move(service) : std::make_unique<ConsoleMessageService>();
    return previous;
}

MessageService& CurrentMessageService() { return *Installed(); }

int ShowMessage(const std::string& text, const std::string& caption, unsigned style) {
    MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.style = style;
    return CurrentMessageService().ShowMessage(request).result;
}

MessageAnswer ShowMessage(const MessageRequest& request) { return CurrentMessageService().ShowMessage(request); }

MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) {
    return CurrentMessageService().AskText(request, initialText);
}

MessageAnswer ScriptedMessageService::ShowMessage(const MessageRequest& request) {
    shown.push_back(request);
    if (answers.empty()) return MessageAnswer{DefaultResultOf(request.style), request.checked, {}};
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

MessageAnswer ScriptedMessageService::AskText(const MessageRequest& request, const std::string& initialText) {
    shown.push_back(request);
    if (answers.empty()) return MessageAnswer{kIdCancel, request.checked, initialText};
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace zelvo
