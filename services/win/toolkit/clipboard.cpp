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

HGLOBAL MakeGlobalTextBlock(const void* data, size_t size, size_t zeroSize) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + zeroSize);
    if (!block) return nullptr;
    char* target = static_cast<char*>(GlobalLock(block));
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    if (size) std::memcpy(target, data, size);
    std::memset(target + size, 0, zeroSize);
    GlobalUnlock(block);
    return block;
}

bool SetClipboardText(HWND owner, std::string_view text, std::optional<std::wstring_view> characters) {
    // The blocks are made before the clipboard is emptied, so a failed allocation leaves the
    // clipboard's text in place.
    HGLOBAL narrow = MakeGlobalTextBlock(text.data(), text.size(), 1);
    if (!narrow) return false;
    HGLOBAL wide = characters ? MakeGlobalTextBlock(characters->data(), characters->size() * sizeof(wchar_t),
                                                    sizeof(wchar_t))
                              : nullptr;
    if (!OpenClipboard(owner)) {
        GlobalFree(narrow);
        if (wide) GlobalFree(wide);
        return false;
    }
    EmptyClipboard();
    // The clipboard owns a block once it took it.
    const bool placed = SetClipboardData(CF_TEXT, narrow) != nullptr;
    if (!placed) GlobalFree(narrow);
    if (wide && !SetClipboardData(CF_UNICODETEXT, wide)) GlobalFree(wide);
    CloseClipboard();
    return placed;
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

}  // namespace zelvo
