// The window toolkit's control classes on real controls: an edit area's text, selection
// and positions in bytes of its code page, undo of a whole replacement, the clipboard
// writer's two formats, combo box and status bar texts, fonts of a character set, and the
// handle owners.
#include <gtest/gtest.h>
#include <windows.h>
// The other system headers need the types of windows.h.
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win/handles.h"
#include "services/win/toolkit/clipboard.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

// 中文 in GBK (D6 D0 CE C4), then "ab", then 表 (B1 ED) and a line break.
const std::string kGbkLine = "\xD6\xD0\xCE\xC4"
                             "ab\xB1\xED\r\n";
// 許功蓋 in Big5: each character's second byte is 0x5C, a backslash to byte-wise code.
const std::string kBig5Backslashes = "\xB3\x5C\xA5\x5C\xBB\x5C";

class PopupWindow {
  public:
    PopupWindow(const wchar_t* className, DWORD style) {
        window_ = CreateWindowExW(0, className, L"", WS_POPUP | style, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~PopupWindow() {
        if (window_) DestroyWindow(window_);
    }
    PopupWindow(const PopupWindow&) = delete;
    PopupWindow& operator=(const PopupWindow&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

TEST(TextEditTest, HoldsBytesOfItsCodePageAndCountsPositionsInBytes) {
    PopupWindow window(L"EDIT", ES_MULTILINE);
    ASSERT_NE(window.get(), nullptr);
    TextEdit edit(window.get());
    edit.SetCodePage(936);
    edit.LiftLengthLimit();
    const std::string text = kGbkLine + "x";
    edit.SetBytes(text);
    EXPECT_EQ(edit.Bytes(), text);
    EXPECT_EQ(edit.Length(), 8);  // 中 文 a b 表 CR LF x, as the control counts them
    EXPECT_EQ(edit.LineCount(), 2);
    EXPECT_EQ(edit.LineOfCharacter(7), 1);
    EXPECT_EQ(edit.LineStart(1), 7);

    // Characters 1..5 are 文ab表: bytes 2..9 of the text.
    SendMessageW(window.get(), EM_SETSEL, 1, 5);
    const TextEdit::Selection selection = edit.CharacterSelection();
    EXPECT_EQ(selection.start, 1);
    EXPECT_EQ(selection.end, 5);
    EXPECT_EQ(edit.SelectedBytes(), "\xCE\xC4"
                                    "ab\xB1\xED");
    EXPECT_EQ(edit.ByteOffsets({1, 5, 0, 8, 99}), (std::vector<long>{2, 8, 0, 11, 11}));

    // The same bytes read in Big5 are other characters, still the same bytes.
    edit.SetCodePage(950);
    edit.SetBytes(kBig5Backslashes);
    EXPECT_EQ(edit.Length(), 3);
    EXPECT_EQ(edit.Bytes(), kBig5Backslashes);
    EXPECT_EQ(edit.ByteOffsets({1, 3}), (std::vector<long>{0, 4}));
}

TEST(TextEditTest, ReplacingEverythingCanBeUndoneAndReplacingTheSelectionKeepsTheRest) {
    PopupWindow window(L"EDIT", ES_MULTILINE);
    ASSERT_NE(window.get(), nullptr);
    TextEdit edit(window.get());
    edit.SetCodePage(950);
    edit.SetBytes(kBig5Backslashes);
    edit.ReplaceAllUndoable("\xA4\xA4\xA4\xE5");  // 中文
    EXPECT_EQ(edit.Bytes(), "\xA4\xA4\xA4\xE5");
    EXPECT_EQ(edit.CharacterSelection().start, 0);
    EXPECT_EQ(edit.CharacterSelection().end, 0);
    edit.Perform(EM_UNDO);
    EXPECT_EQ(edit.Bytes(), kBig5Backslashes);
    edit.Perform(WM_UNDO);  // undo of the undo
    EXPECT_EQ(edit.Bytes(), "\xA4\xA4\xA4\xE5");
    edit.Perform(WM_UNDO);

    SendMessageW(window.get(), EM_SETSEL, 1, 2);
    edit.ReplaceSelection("ab");
    EXPECT_EQ(edit.Bytes(), "\xB3\x5C"
                            "ab\xBB\x5C");
    edit.SelectAll();
    EXPECT_EQ(edit.SelectedBytes(), edit.Bytes());
    // Anything but the standard editing messages is not sent.
    edit.Perform(WM_CLOSE);
    EXPECT_TRUE(IsWindow(window.get()));
}

TEST(ClipboardTest, AreaTextGoesOnTheClipboardAsItsBytesAndAsCharacters) {
    // The clipboard takes data only from a window that owns it.
    PopupWindow owner(L"STATIC", 0);
    ASSERT_NE(owner.get(), nullptr);
    const std::wstring characters = WidenText(kBig5Backslashes, 950);
    ASSERT_EQ(characters, L"\u8A31\u529F\u84CB");
    ASSERT_TRUE(SetClipboardText(owner.get(), kBig5Backslashes, characters));
    std::string bytes;
    ASSERT_TRUE(GetClipboardText(owner.get(), bytes));
    EXPECT_EQ(bytes, kBig5Backslashes);
    ASSERT_TRUE(OpenClipboard(owner.get()));
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(wide))), characters);
    GlobalUnlock(wide);
    CloseClipboard();

    // Bytes alone: the characters of the last text are gone, not left beside the new bytes.
    ASSERT_TRUE(SetClipboardText(owner.get(), "plain"));
    ASSERT_TRUE(GetClipboardText(owner.get(), bytes));
    EXPECT_EQ(bytes, "plain");
    ASSERT_TRUE(OpenClipboard(owner.get()));
    HANDLE synthesized = GetClipboardData(CF_UNICODETEXT);
    std::wstring fromBytes = synthesized ? static_cast<const wchar_t*>(GlobalLock(synthesized)) : L"";
    if (synthesized) GlobalUnlock(synthesized);
    CloseClipboard();
    EXPECT_EQ(fromBytes, L"plain");
}

TEST(ComboBoxTest, ItemsInACodePageAndTheSelection) {
    PopupWindow window(L"COMBOBOX", CBS_DROPDOWNLIST);
    ASSERT_NE(window.get(), nullptr);
    ComboBox combo(window.get());
    combo.Add("\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4", 936);  // 简体中文
    combo.Add(kBig5Backslashes, 950);
    EXPECT_EQ(combo.Count(), 2);
    EXPECT_EQ(combo.Selected(), -1);
    combo.Select(1);
    EXPECT_EQ(combo.Selected(), 1);
    EXPECT_EQ(combo.Text(950), kBig5Backslashes);
    combo.Reset();
    EXPECT_EQ(combo.Count(), 0);
    EXPECT_EQ(combo.Selected(), -1);
}

TEST(StatusBarTest, PanesHoldTextsOfTheirCodePage) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    PopupWindow parent(L"STATIC", 0);
    ASSERT_NE(parent.get(), nullptr);
    StatusBar bar;
    ASSERT_TRUE(bar.Create(parent.get(), 7));
    EXPECT_EQ(GetDlgCtrlID(bar.hwnd()), 7);
    bar.SetPanes({100, 200, -1});
    bar.SetPaneText(1, "\xBE\xCD\xD0\xF7", 936);  // 就绪
    EXPECT_EQ(bar.PaneText(1), L"\u5C31\u7EEA");
    RECT first{}, second{};
    ASSERT_TRUE(bar.PaneRect(0, first));
    ASSERT_TRUE(bar.PaneRect(1, second));
    EXPECT_LE(first.right, second.left + 2);
}

TEST(ControlTest, ShowEnableAndFontsOfACharacterSet) {
    PopupWindow window(L"BUTTON", BS_AUTOCHECKBOX);
    ASSERT_NE(window.get(), nullptr);
    Button box(window.get());
    box.Show(false);
    EXPECT_FALSE(box.IsShown());
    box.Show(true);
    EXPECT_TRUE(box.IsShown());
    box.Enable(false);
    EXPECT_FALSE(box.IsEnabled());
    box.Enable(true);
    box.SetChecked(true);
    EXPECT_TRUE(box.IsChecked());

    // A window without a font of its own gets one of the asked character set and height.
    UniqueFont font = FontLike(window.get(), CHINESEBIG5_CHARSET, -16);
    ASSERT_TRUE(font);
    LOGFONTW face{};
    ASSERT_TRUE(GetObjectW(font.get(), sizeof face, &face));
    EXPECT_EQ(face.lfCharSet, CHINESEBIG5_CHARSET);
    EXPECT_EQ(face.lfHeight, -16);
    box.SetFont(font.get());
    EXPECT_EQ(box.Font(), font.get());
    // A copy of that font in another character set keeps its height.
    UniqueFont gbk = FontLike(window.get(), GB2312_CHARSET);
    ASSERT_TRUE(gbk);
    ASSERT_TRUE(GetObjectW(gbk.get(), sizeof face, &face));
    EXPECT_EQ(face.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(face.lfHeight, -16);
}

int closedCount = 0;
void CountClose(HWND) {
    ++closedCount;
}

TEST(HandlesTest, AHandleIsClosedOnceUnlessReleased) {
    using Counted = UniqueHandle<HWND, CountClose>;
    const HWND a = reinterpret_cast<HWND>(1), b = reinterpret_cast<HWND>(2);
    closedCount = 0;
    {
        Counted first(a);
        first.Reset(a);  // the same handle again is not closed
        EXPECT_EQ(closedCount, 0);
        first.Reset(b);
        EXPECT_EQ(closedCount, 1);
        Counted second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), b);
        Counted third(a);
        EXPECT_EQ(third.Release(), a);
    }
    EXPECT_EQ(closedCount, 2);  // b once; a released

    // A real GDI object is deleted.
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    { UniqueGdiObject<HBRUSH> owned(brush); }
    EXPECT_EQ(GetObjectType(brush), 0u);
}

}  // namespace
}  // namespace zelvo
