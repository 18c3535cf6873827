// Text through the W controls in code pages other than GBK and Big5: every byte string
// comes back as the same bytes, and ordinary characters still show as themselves.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

// All single bytes but zero, then every pair of high bytes: lone lead bytes, undefined
// bytes and unassigned pairs in any code page.
std::string EveryByteAndPair() {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    for (int lead = 0x80; lead < 256; ++lead) {
        for (int trail = 0x30; trail < 256; trail += 7) {
            bytes.push_back(static_cast<char>(lead));
            bytes.push_back(static_cast<char>(trail));
        }
        bytes += "\r\n";
    }
    bytes.push_back('\x81');  // a lead byte at the very end
    return bytes;
}

TEST(WinTextTest, EveryByteStringSurvivesTheControlsOfOtherCodePages) {
    const std::string bytes = EveryByteAndPair();
    for (int codePage : {932, 949, 874, 1250, 1251, 1252, 1253, 1255, 1256, 936, 950}) {
        SCOPED_TRACE(codePage);
        EXPECT_EQ(NarrowText(WidenText(bytes, codePage), codePage), bytes);
        EXPECT_EQ(NarrowText(WidenText("\x81", codePage), codePage), "\x81");

        // Through a real edit control, as the edit areas hold it. (Wine's edit control
        // faults on this mix of right-to-left text, so Hebrew and Arabic are left out.)
        if (codePage == 1255 || codePage == 1256) continue;
        HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(edit, nullptr);
        SendMessageW(edit, EM_LIMITTEXT, 0, 0);
        SetWindowTextIn(edit, bytes, codePage);
        EXPECT_EQ(GetWindowTextIn(edit, codePage), bytes);
        DestroyWindow(edit);
    }
}

TEST(WinTextTest, OrdinaryCharactersOfOtherCodePagesShowAsThemselves) {
    // "あい" in Shift-JIS, "한" in the Korean code page, "Привет" in 1251, "é" in 1252.
    EXPECT_EQ(WidenText("\x82\xA0\x82\xA2 ok", 932), L"\u3042\u3044 ok");
    EXPECT_EQ(WidenText("\xC7\xD1", 949), L"\uD55C");
    EXPECT_EQ(WidenText("\xCF\xF0\xE8\xE2\xE5\xF2", 1251), L"\u041F\u0440\u0438\u0432\u0435\u0442");
    EXPECT_EQ(WidenText("caf\xE9", 1252), L"caf\u00E9");
    // A Shift-JIS character after a lone lead byte is still that character.
    EXPECT_EQ(WidenText("\x82 \x82\xA0", 932), std::wstring(1, wchar_t(0xF882)) + L" \u3042");
    // Typed characters go back into the code page.
    EXPECT_EQ(NarrowText(L"\u3042x", 932), "\x82\xA0x");
    EXPECT_EQ(NarrowText(L"\u041F", 1251), "\xCF");
}

}  // namespace
}  // namespace zelvo
