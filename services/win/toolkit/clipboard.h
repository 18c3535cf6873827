// The clipboard's CF_TEXT as bytes in the system code page (GBK or Big5 text travels as
// it is, whatever the system's own code page).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelvo {

// The CF_TEXT bytes, up to their terminating zero. False when the clipboard cannot be
// opened or holds no text; text is then empty.
bool GetClipboardText(HWND owner, std::string& text);

// Empties the clipboard and puts the bytes as CF_TEXT in one movable global block of
// length + 1 bytes (the zero after them); with characters, also those as CF_UNICODETEXT,
// so other programs get them whatever the system code page is (an edit area's text is
// bytes of its own code page). False when the clipboard cannot be opened or the CF_TEXT
// block cannot be placed; the clipboard then keeps what it had as far as possible.
bool SetClipboardText(HWND owner, std::string_view text,
                      std::optional<std::wstring_view> characters = std::nullopt);

// True when the clipboard offers text (for enabling the paste and transfer commands).
bool ClipboardHasText();

// A movable, shareable global block holding size bytes of data and a terminating zero
// zeroSize bytes wide: text as the clipboard and OLE data transfer hand it over. Null when
// the memory cannot be had.
HGLOBAL MakeGlobalTextBlock(const void* data, size_t size, size_t zeroSize);

}  // namespace zelvo
