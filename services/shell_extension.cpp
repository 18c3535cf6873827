#include "services/shell_extension.h"

#include <cctype>
#include <cstring>

namespace zelvo {

bool IsBinaryHead(std::string_view head) {
    return head.substr(0, kBinaryTestBytes).find('\0') != std::string_view::npos;
}

bool MenuFlagsTakeItem(unsigned flags) {
    return (flags & 0x0F) == 0 || (flags & 0x06) != 0;
}

std::string ShellLaunchParameters(int launchIndex, const std::string& path) {
    return "\"[n]" + std::to_string(launchIndex) + "[p]" + path + "\"";
}

const char* ShellCommandString(unsigned command, unsigned type) {
    if (type == 0) {
        if (command == 0) return "Operation1";
        if (command == 1) return "Operation2";
        return kShellExtensionName;
    }
    if (type == 1) {
        if (command == 0) return "Do something to the selected file(s)";
        if (command == 1) return "Do something else to the selected file(s)";
        return kShellExtensionName;
    }
    return nullptr;
}

bool NamesShellExtensionFile(const std::string& serverPath) {
    const size_t length = std::strlen(kShellExtensionFile);
    if (serverPath.size() < length) return false;
    const char* tail = serverPath.c_str() + serverPath.size() - length;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != kShellExtensionFile[i]) return false;
    return true;
}

}  // namespace zelvo
