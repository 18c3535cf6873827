// A MessageService on the system message box, so that warnings are visible while the
// program's own message box dialog does not exist yet.
#pragma once

#include "services/message_service.h"

namespace zelvo {

class SystemMessageBoxService : public MessageService {
  public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    // The system box cannot edit text: the question is shown and answered with Cancel.
    MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) override;
};

}  // namespace zelvo
