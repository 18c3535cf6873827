// Text crosses the Win32 boundary here and nowhere else: the program holds bytes in a
// code page and the windows are Unicode (W).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zelvo {

// Bytes in codePage to UTF-16 for a W function. GBK and Big5 go through the project's
// lossless codec, so NarrowText(WidenText(bytes)) gives back the same bytes.
std::wstring WidenText(std::string_view bytes, int codePage);
// UTF-16 from a W function back to bytes in codePage.
std::string NarrowText(std::wstring_view text, int codePage);

// The code page in which the UI strings of the current UI language are written. Until the
// UI language is chosen it is the system code page.
int UiCodePage();
void SetUiCodePage(int codePage);  // 0: the system code page again

// Short forms for UI text and system-code-page text (paths, registry values).
std::wstring WidenUiText(std::string_view bytes);
std::wstring WidenWithSystemCodePage(std::string_view bytes);
std::string NarrowWithSystemCodePage(std::wstring_view text);

// The Windows character set whose fonts draw text of a code page (DEFAULT_CHARSET when the
// system does not know the code page).
BYTE CharsetOfCodePage(int codePage);

// The text of a window or control as the W function gives it, and in a code page; setting it.
std::wstring GetWindowTextWide(HWND window);
std::string GetWindowTextIn(HWND window, int codePage);
void SetWindowTextIn(HWND window, std::string_view bytes, int codePage);

}  // namespace zelvo
