// The limit on running instances. Instances know of each other only through window
// enumeration (class "Tolvane_Zelvo") and through the title of the limit warning, so
// the decision is kept apart from the enumeration and runs in tests without windows.
#pragma once

#include <functional>
#include <string>

namespace zelvo {

constexpr const char* kMainWindowClass = "Tolvane_Zelvo";

// 100 on Windows NT, 4 on Windows 95/98/Me: a fifth instance is refused there.
int InstanceLimit(bool isNt);

// True for a window class name that marks a main window: the first 20 characters
// compared case-insensitively with "Tolvane_Zelvo".
bool IsMainWindowClassName(const std::string& className);

enum class InstanceDecision {
    kContinue,     // below the limit
    kWarn,         // at or over the limit and nobody is showing the warning yet
    kEndSilently,  // another starting instance is already showing the warning
};

InstanceDecision DecideInstanceStart(int count, bool isNt, bool warningWindowExists);

struct InstanceWarning {
    std::string caption;  // line 1 of the warning text; also the title other instances look for
    std::string text;     // line 3 on NT, line 2 elsewhere
};

// Builds the warning from UI string 100026 in the current UI language.
InstanceWarning BuildInstanceWarning(int count, bool isNt, const std::string& productName);

struct InstanceLimitProbe {
    std::function<int()> countInstances;                         // visible main windows
    std::function<bool(const std::string& title)> windowTitled;  // a top-level window has this title
};

// The whole check of start-up: count, maybe warn through the message service, count
// again after the warning. True when start-up may continue.
bool PassInstanceLimit(bool isNt, const std::string& productName, const InstanceLimitProbe& probe);

}  // namespace zelvo
