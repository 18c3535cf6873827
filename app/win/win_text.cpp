#include "app/win/win_text.h"

#include <vector>

#include "convert/codepage_codec.h"
#include "platform/system_info.h"

namespace zelvo {

namespace {
int uiCodePage = 0;
}

std::wstring WidenText(std::string_view bytes, int codePage) {
    if (bytes.empty()) return {};
    if (HasLosslessCodec(codePage)) {
        std::u16string wide = DecodeCodePage(bytes, codePage);
        return std::wstring(wide.begin(), wide.end());
    }
    int n = MultiByteToWideChar(static_cast<UINT>(codePage), 0, bytes.data(), static_cast<int>(bytes.size()),
                                nullptr, 0);
    if (n <= 0) {
        // A code page the system does not have: show the bytes as Latin-1 rather than nothing.
        return std::wstring(bytes.begin(), bytes.end());
    }
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(static_cast<UINT>(codePage), 0, bytes.data(), static_cast<int>(bytes.size()),
                        wide.data(), n);
    return wide;
}

std::string NarrowText(std::wstring_view text, int codePage) {
    if (text.empty()) return {};
    if (HasLosslessCodec(codePage)) {
        std::u16string wide(text.begin(), text.end());
        return EncodeCodePage(wide, codePage);
    }
    int n = WideCharToMultiByte(static_cast<UINT>(codePage), 0, text.data(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        std::string narrow;
        for (wchar_t c : text) narrow += c < 0x100 ? static_cast<char>(c) : '?';
        return narrow;
    }
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(static_cast<UINT>(codePage), 0, text.data(), static_cast<int>(text.size()),
                        narrow.data(), n, nullptr, nullptr);
    return narrow;
}

int UiCodePage() {
    return uiCodePage ? uiCodePage : SystemCodePage();
}
void SetUiCodePage(int codePage) {
    uiCodePage = codePage;
}

std::wstring WidenUiText(std::string_view bytes) {
    return WidenText(bytes, UiCodePage());
}
std::wstring WidenWithSystemCodePage(std::string_view bytes) {
    return WidenText(bytes, SystemCodePage());
}
std::string NarrowWithSystemCodePage(std::wstring_view text) {
    return NarrowText(text, SystemCodePage());
}

std::string GetWindowTextIn(HWND window, int codePage) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(window, buffer.data(), length + 1);
    return NarrowText(std::wstring_view(buffer.data(), static_cast<size_t>(got > 0 ? got : 0)), codePage);
}

void SetWindowTextIn(HWND window, std::string_view bytes, int codePage) {
    SetWindowTextW(window, WidenText(bytes, codePage).c_str());
}

BYTE CharsetOfCodePage(int codePage) {
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info,
                             TCI_SRCCODEPAGE))
        return static_cast<BYTE>(info.ciCharset);
    return DEFAULT_CHARSET;
}

}  // namespace zelvo
