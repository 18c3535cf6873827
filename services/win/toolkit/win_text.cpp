#include "services/win/toolkit/win_text.h"

#include <vector>

#include "platform/system_info.h"
#include "services/codepage_codec.h"

namespace zelvo {

namespace {
int uiCodePage = 0;
}

namespace {

// Bytes that the system's code page cannot carry through a W control unchanged (an
// undefined byte, a lone lead byte, a pair two codes share) are shown as the reserved
// point U+F800 + byte, the same points the GBK and Big5 codec uses, and turned back into
// that byte on the way out.
constexpr wchar_t kReservedBase = 0xF800;
constexpr wchar_t kReservedFirst = kReservedBase + 0x80;
constexpr wchar_t kReservedLast = kReservedBase + 0xFF;

bool SystemWiden(UINT codePage, DWORD flags, std::string_view bytes, std::wstring& wide) {
    wide.clear();
    int n = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return false;
    wide.resize(static_cast<size_t>(n));
    MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return true;
}

bool SystemNarrow(UINT codePage, std::wstring_view text, std::string& narrow) {
    narrow.clear();
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    if (n <= 0) return false;
    narrow.resize(static_cast<size_t>(n));
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n, nullptr,
                        nullptr);
    return true;
}

// One character at a time: a character is kept when it comes back as the same bytes,
// anything else becomes reserved points, one per byte.
std::wstring WidenKeepingEveryByte(std::string_view bytes, UINT codePage) {
    std::wstring wide;
    wide.reserve(bytes.size());
    std::wstring piece;
    std::string back;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            wide.push_back(static_cast<wchar_t>(b));
            ++i;
            continue;
        }
        const size_t length = IsDBCSLeadByteEx(codePage, b) && i + 1 < bytes.size() ? 2 : 1;
        const std::string_view character = bytes.substr(i, length);
        if (SystemWiden(codePage, MB_ERR_INVALID_CHARS, character, piece) &&
            SystemNarrow(codePage, piece, back) && back == character &&
            (piece.size() != 1 || piece[0] < kReservedFirst || piece[0] > kReservedLast)) {
            wide += piece;
            i += length;
            continue;
        }
        // The first byte alone; a trail byte gets its own chance as the next character.
        wide.push_back(static_cast<wchar_t>(kReservedBase + b));
        ++i;
    }
    return wide;
}

}  // namespace

std::wstring WidenText(std::string_view bytes, int codePage) {
    if (bytes.empty()) return {};
    if (HasLosslessCodec(codePage)) {
        std::u16string wide = DecodeCodePage(bytes, codePage);
        return std::wstring(wide.begin(), wide.end());
    }
    const auto systemCodePage = static_cast<UINT>(codePage);
    std::wstring wide;
    if (!SystemWiden(systemCodePage, 0, bytes, wide)) {
        // A code page the system does not have: show the bytes as Latin-1 rather than nothing.
        return std::wstring(bytes.begin(), bytes.end());
    }
    // Most text comes back whole; only text that does not is taken apart.
    std::string back;
    bool reservedSeen = false;
    for (wchar_t c : wide) reservedSeen = reservedSeen || (c >= kReservedFirst && c <= kReservedLast);
    if (!reservedSeen && SystemNarrow(systemCodePage, wide, back) && back == bytes) return wide;
    return WidenKeepingEveryByte(bytes, systemCodePage);
}

std::string NarrowText(std::wstring_view text, int codePage) {
    if (text.empty()) return {};
    if (HasLosslessCodec(codePage)) {
        std::u16string wide(text.begin(), text.end());
        return EncodeCodePage(wide, codePage);
    }
    const auto systemCodePage = static_cast<UINT>(codePage);
    std::string narrow;
    std::string piece;
    size_t start = 0;
    // Runs of ordinary characters go through the system; reserved points are their bytes.
    auto flush = [&](size_t end) {
        if (end == start) return;
        const std::wstring_view run = text.substr(start, end - start);
        if (SystemNarrow(systemCodePage, run, piece)) {
            narrow += piece;
        } else {
            for (wchar_t c : run) narrow += c < 0x100 ? static_cast<char>(c) : '?';
        }
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c < kReservedFirst || c > kReservedLast) continue;
        flush(i);
        narrow.push_back(static_cast<char>(c - kReservedBase));
        start = i + 1;
    }
    flush(text.size());
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

std::wstring GetWindowTextWide(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::string GetWindowTextIn(HWND window, int codePage) {
    return NarrowText(GetWindowTextWide(window), codePage);
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
