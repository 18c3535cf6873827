// The clipboard's CF_TEXT as bytes in the system code page (GBK or Big5 text travels as
// it is, whatever the system's own code page).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zelvo {

// The CF_TEXT bytes, up to their terminating zero. False when the clipboard cannot be
// opened or holds no text; text is then empty.
bool GetClipboardText(HWND owner, std::string& text);

// Empties the clipboard and puts the bytes as CF_TEXT in one movable global block of
// length + 1 bytes (the zero after them). False when the clipboard cannot be opened or
// the block cannot be allocated; the clipboard then keeps what it had as far as possible.
bool SetClipboardText(HWND owner, std::string_view text);

// True when the clipboard offers text (for enabling the paste and transfer commands).
bool ClipboardHasText();

}  // namespace zelvo
