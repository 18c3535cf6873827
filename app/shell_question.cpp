#include "app/shell_question.h"

#include "platform/registry_store.h"
#include "services/message_service.h"
#include "services/ui_strings.h"

namespace zelvo {

bool AskContextMenuQuestion(const std::string& productName, const std::function<bool()>& isRegistered,
                            const std::function<void()>& registerHandler) {
    if (isRegistered && isRegistered()) return false;
    if (ReadRegInt("Shell", "Tried", 0) == 1) return false;
    if (ReadRegInt("Shell", "Prompt Enable Shell", 1) == 0) return false;

    MessageRequest request;
    request.caption = productName;
    request.text = LoadUiString(IDS_DIALOG_ZELVO_PROMPT_ADD_RIGHT_KEY, productName);
    request.style = kMbYesNo;
    request.showCheckBox = true;
    request.checked = true;
    const MessageAnswer answer = ShowMessage(request);
    if (answer.result == kIdYes && registerHandler) registerHandler();
    if (!answer.checked) WriteRegInt("Shell", "Prompt Enable Shell", 0);
    return true;
}

}  // namespace zelvo
