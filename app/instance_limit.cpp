#include "app/instance_limit.h"

#include <cctype>

#include "services/message_service.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {
constexpr size_t kClassNameCompared = 20;
constexpr int kLimitNt = 100;
constexpr int kLimit9x = 4;
}  // namespace

int InstanceLimit(bool isNt) {
    return isNt ? kLimitNt : kLimit9x;
}

bool IsMainWindowClassName(const std::string& className) {
    std::string wanted = kMainWindowClass;
    std::string a = className.substr(0, kClassNameCompared);
    std::string b = wanted.substr(0, kClassNameCompared);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

InstanceDecision DecideInstanceStart(int count, bool isNt, bool warningWindowExists) {
    if (count < InstanceLimit(isNt)) return InstanceDecision::kContinue;
    return warningWindowExists ? InstanceDecision::kEndSilently : InstanceDecision::kWarn;
}

InstanceWarning BuildInstanceWarning(int count, bool isNt, const std::string& productName) {
    std::string lines = LoadUiString(IDS_ERROR_PROMPT_LIMLIT_ACTIONS);
    InstanceWarning warning;
    warning.caption = ReplaceAll(UiStringLine(lines, 0), "#1", productName);
    std::string text = isNt ? UiStringLine(lines, 2) : UiStringLine(lines, 1);
    // "#1" first: it becomes a number, which cannot hold "#2".
    text = ReplaceAll(text, "#1", std::to_string(isNt ? count : InstanceLimit(false)));
    warning.text = ReplaceAll(text, "#2", productName);
    return warning;
}

bool PassInstanceLimit(bool isNt, const std::string& productName, const InstanceLimitProbe& probe) {
    int count = probe.countInstances();
    if (count < InstanceLimit(isNt)) return true;
    InstanceWarning warning = BuildInstanceWarning(count, isNt, productName);
    bool shown = probe.windowTitled && probe.windowTitled(warning.caption);
    if (DecideInstanceStart(count, isNt, shown) == InstanceDecision::kEndSilently) return false;

    MessageRequest request;
    request.caption = warning.caption;
    request.text = warning.text;
    request.style = kMbOk | kMbIconWarning;
    ShowMessage(request);
    // The user may have closed instances while the warning was up.
    return probe.countInstances() < InstanceLimit(isNt);
}

}  // namespace zelvo
