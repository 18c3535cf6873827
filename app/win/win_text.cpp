// Text crosses the Win32 boundary here: the UI holds bytes in a code page and calls W functions.
#include "app/win/win_text.h"

namespace zelvo {

std::wstring WidenWithSystemCodePage(const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

}  // namespace zelvo
