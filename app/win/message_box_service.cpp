#include "app/win/message_box_service.h"

#include <windows.h>

#include "app/ui_strings.h"
#include "app/win/win_text.h"

namespace zelvo {

namespace {

std::wstring Caption(const MessageRequest& request) {
    return WidenUiText(request.caption.empty() ? LoadUiString(IDS_QXT_PRODUCT) : request.caption);
}

std::wstring Body(const MessageRequest& request) {
    std::string text = request.text;
    // The system box has no details pane: the details follow the text.
    if (request.detailsEnabled && !request.details.empty()) text += "\r\n\r\n" + request.details;
    return WidenUiText(text);
}

}  // namespace

MessageAnswer SystemMessageBoxService::ShowMessage(const MessageRequest& request) {
    UINT style = request.style | MB_SETFOREGROUND;
    int result = MessageBoxW(GetActiveWindow(), Body(request).c_str(), Caption(request).c_str(), style);
    MessageAnswer answer;
    answer.result = result > 0 ? result : DefaultResultOf(request.style);
    answer.checked = request.checked;
    return answer;
}

MessageAnswer SystemMessageBoxService::AskText(const MessageRequest& request,
                                               const std::string& initialText) {
    MessageBoxW(GetActiveWindow(), Body(request).c_str(), Caption(request).c_str(), MB_OK | MB_SETFOREGROUND);
    return MessageAnswer{kIdCancel, request.checked, initialText};
}

}  // namespace zelvo
