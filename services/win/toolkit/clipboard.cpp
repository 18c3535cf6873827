#include "services/win/toolkit/clipboard.h"

#include <cstring>

namespace zelvo {

bool GetClipboardText(HWND owner, std::string& text) {
    text.clear();
    if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
    if (!OpenClipboard(owner)) return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            // A block without its terminating zero must not be read past its end.
            const size_t size = GlobalSize(data);
            text.assign(bytes, strnlen(bytes, size));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

bool SetClipboardText(HWND owner, std::string_view text) {
    // The block is made before the clipboard is emptied, so a failed allocation leaves the
    // clipboard's text in place.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block) return false;
    char* bytes = static_cast<char*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    if (!text.empty()) std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    GlobalUnlock(block);

    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    // The clipboard owns the block once it took it.
    if (!placed) GlobalFree(block);
    CloseClipboard();
    return placed;
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

}  // namespace zelvo
