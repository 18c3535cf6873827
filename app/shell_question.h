// The question at start-up whether to add "Edit with Zelvo" to Explorer's context menu.
#pragma once

#include <functional>
#include <string>

namespace zelvo {

// Asked while the handler is not registered, "Shell"/"Tried" is not 1 and
// "Shell"/"Prompt Enable Shell" (default 1) is not 0: Yes calls registerHandler; a cleared
// "show next time" box stores "Prompt Enable Shell" := 0. True when the question was asked.
bool AskContextMenuQuestion(const std::string& productName, const std::function<bool()>& isRegistered,
                            const std::function<void()>& registerHandler);

}  // namespace zelvo
