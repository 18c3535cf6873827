// The Find/Replace windows over a real main window, driven by messages by control id:
// selections made by Find Next checked with EM_GETSEL and mapped back to bytes with the
// system's own conversion, Replace All undone by the edit control, settings and histories
// across closing the window and the main window, relabelling on a UI language switch, and
// the entry points (menu command, Ctrl+F, timer 1).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "app/language_table.h"
#include "platform/registry_store.h"
#include "resources/resource.h"
#include "tests/win/main_window_fixture.h"
#include "transfer/win/find_replace_dialog.h"

namespace zelvo {
namespace {

using FindReplaceDialogTest = MainWindowTest;

using Range = std::pair<long, long>;

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The selection of an edit control in characters, as the control reports it.
Range CharacterSelection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<long>(start), static_cast<long>(end)};
}

// Bytes of UTF-16 text in a code page, by the system's own conversion tables.
long BytesIn(std::wstring_view text, UINT codePage) {
    if (text.empty()) return 0;
    return WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                               nullptr);
}

// The selection of an edit control in bytes of a code page.
Range ByteSelection(HWND edit, UINT codePage) {
    const Range characters = CharacterSelection(edit);
    const std::wstring text = TextOf(edit);
    return {BytesIn(std::wstring_view(text).substr(0, static_cast<size_t>(characters.first)), codePage),
            BytesIn(std::wstring_view(text).substr(0, static_cast<size_t>(characters.second)), codePage)};
}

void SetBoxText(HWND dialog, int id, const wchar_t* text) {
    SetWindowTextW(GetDlgItem(dialog, id), text);
}

// A button pressed as the dialog sees it (its handler decides whether it may act).
void Press(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A check box or radio button clicked: its state changes and the dialog is told.
void Click(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

std::wstring ComboItem(HWND dialog, int id, int index) {
    HWND box = GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    return text;
}

// Opens the area's Find/Replace window through its menu command.
HWND OpenFindWindow(MainWindow& window, EditArea area) {
    window.RunCommand(area == EditArea::kSource ? IDM_SOURCE_FIND_REPLACE : IDM_DESTINATION_FIND_REPLACE);
    FindReplaceDialog* dialog = window.FindWindowOf(area);
    EXPECT_TRUE(dialog && dialog->IsShown());
    return dialog ? dialog->hwnd() : nullptr;
}

TEST_F(FindReplaceDialogTest, FindNextSelectsExactlyTheMatchedGbkBytesWhateverTheSystemCodePage) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    // 中文abc中文 in GBK.
    window.SetAreaText(EditArea::kSource, "\xD6\xD0\xCE\xC4" "abc" "\xD6\xD0\xCE\xC4");
    HWND edit = window.Item(IDC_SOURCE_EDIT);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    HWND dialog = OpenFindWindow(window, EditArea::kSource);
    ASSERT_TRUE(dialog);

    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"\u6587a");  // 文a
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(CharacterSelection(edit), Range(1, 3));
    EXPECT_EQ(ByteSelection(edit, 936), Range(2, 5));

    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"\u4E2D\u6587");  // 中文, the next one
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(ByteSelection(edit, 936), Range(7, 11));
    EXPECT_TRUE(messages_->shown.empty());

    // 形 is D0 CE in GBK: the second half of 中 and the first half of 文 byte for byte,
    // which is no character of this text.
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"\u5F62");
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(CharacterSelection(edit), Range(0, 0));
    ASSERT_EQ(messages_->shown.size(), 1u);
    // The English message quotes the text in the area's GBK and is shown in it.
    EXPECT_EQ(messages_->shown[0].text, "Can't find \"\xD0\xCE\".");
    EXPECT_TRUE(messages_->shown[0].textCodePage == 936 ||
                (messages_->shown[0].textCodePage == 0 && UiCodePage() == 936));
}

TEST_F(FindReplaceDialogTest, FindNextInAsciiTextMovesOnByOneByteAndSaysWhenNothingIsLeft) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, "aaa");
    HWND edit = window.Item(IDC_SOURCE_EDIT);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    HWND dialog = OpenFindWindow(window, EditArea::kSource);
    ASSERT_TRUE(dialog);
    // The word at the caret seeds the box.
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_FR_FIND_TEXT)), L"aaa");

    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"aa");
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(CharacterSelection(edit), Range(0, 2));
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(CharacterSelection(edit), Range(1, 3));
    EXPECT_TRUE(messages_->shown.empty());
    Press(dialog, IDC_FR_FIND_NEXT);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "Can't find \"aa\".");
    EXPECT_EQ(CharacterSelection(edit), Range(1, 3));

    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"aa");
    Press(dialog, IDC_FR_FIND_COUNT);
    ASSERT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(messages_->shown[1].text, "2 count(s) of \"aa\" found.");
}

TEST_F(FindReplaceDialogTest, FindNextInBig5TextNeverSelectsHalfACharacter) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kDestination, kBig5LanguageIndex);
    // 中中 in Big5 is A4 A4 A4 A4: byte-wise, 中 would also be found at byte 1.
    window.SetAreaText(EditArea::kDestination, "\xA4\xA4\xA4\xA4");
    HWND edit = window.Item(IDC_DESTINATION_EDIT);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    HWND dialog = OpenFindWindow(window, EditArea::kDestination);
    ASSERT_TRUE(dialog);
    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"\u4E2D");
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(ByteSelection(edit, 950), Range(0, 2));
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(ByteSelection(edit, 950), Range(2, 4));
    EXPECT_EQ(CharacterSelection(edit), Range(1, 2));

    // 文中 is A4 E5 A4 A4; 憭 is E5 A4, the halves of two characters.
    window.SetAreaText(EditArea::kDestination, "\xA4\xE5\xA4\xA4");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"\u61AD");
    Press(dialog, IDC_FR_FIND_NEXT);
    EXPECT_EQ(CharacterSelection(edit), Range(0, 0));
    EXPECT_EQ(messages_->shown.size(), 1u);
}

TEST_F(FindReplaceDialogTest, ReplaceAllIsUndoneByTheEditControlInOneStep) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, "aaa");
    HWND edit = window.Item(IDC_SOURCE_EDIT);
    HWND dialog = OpenFindWindow(window, EditArea::kSource);
    ASSERT_TRUE(dialog);
    Click(dialog, IDC_FR_ENABLE_REPLACE);
    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"a");
    SetBoxText(dialog, IDC_FR_REPLACE_TEXT, L"ab");
    Press(dialog, IDC_FR_REPLACE_ALL);
    EXPECT_EQ(window.GetAreaText(EditArea::kSource), "ababab");
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "3 count(s) of \"a\" replaced with \"ab\".");
    EXPECT_EQ(window.StatusPaneText(0), "Ready");
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(window.GetAreaText(EditArea::kSource), "aaa");

    // GBK: 中文中 with 中 replaced by 文, then Undo.
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    window.SetAreaText(EditArea::kSource, "\xD6\xD0\xCE\xC4\xD6\xD0");
    SetBoxText(dialog, IDC_FR_FIND_TEXT, L"\u4E2D");
    SetBoxText(dialog, IDC_FR_REPLACE_TEXT, L"\u6587");
    Press(dialog, IDC_FR_REPLACE_ALL);
    EXPECT_EQ(window.GetAreaText(EditArea::kSource), "\xCE\xC4\xCE\xC4\xCE\xC4");
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(window.GetAreaText(EditArea::kSource), "\xD6\xD0\xCE\xC4\xD6\xD0");

    // Replace takes the first match and selects what it put in.
    SetBoxText(dialog, IDC_FR_REPLACE_TEXT, L"\u6587\u6587");
    Press(dialog, IDC_FR_REPLACE);
    EXPECT_EQ(window.GetAreaText(EditArea::kSource), "\xCE\xC4\xCE\xC4\xCE\xC4\xD6\xD0");
    EXPECT_EQ(ByteSelection(edit, 936), Range(0, 4));

    // The same texts are refused with a message, and nothing changes.
    SetBoxText(dialog, IDC_FR_REPLACE_TEXT, L"\u4E2D");
    Press(dialog, IDC_FR_REPLACE_ALL);
    EXPECT_EQ(messages_->shown.back().text, "The find string and the replace string should be different.");
    EXPECT_EQ(window.GetAreaText(EditArea::kSource), "\xCE\xC4\xCE\xC4\xCE\xC4\xD6\xD0");
}

TEST_F(FindReplaceDialogTest, SettingsAndHistoriesSurviveClosingTheWindowAndTheMainWindow) {
    {
        MainWindow& window = Open();
        window.SetAreaText(EditArea::kSource, "alpha beta");
        HWND dialog = OpenFindWindow(window, EditArea::kSource);
        ASSERT_TRUE(dialog);
        for (const wchar_t* word : {L"alpha", L"beta", L"alp"}) {
            SetBoxText(dialog, IDC_FR_FIND_TEXT, word);
            Press(dialog, IDC_FR_FIND_COUNT);
        }
        // "alpha" began with "alp" and went; the newest is first.
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_FR_FIND_TEXT, CB_GETCOUNT, 0, 0), 2);
        Click(dialog, IDC_FR_WHOLE_WORD);
        Click(dialog, IDC_FR_MATCH_CASE);
        Click(dialog, IDC_FR_ENABLE_REPLACE);
        Click(dialog, IDC_FR_UP);
        Click(dialog, IDC_FR_SELECTION);
        SetWindowPos(dialog, nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Press(dialog, IDCANCEL);
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_EQ(ReadRegInt("FR Source", "Match Whole Word", 0), 1);
        EXPECT_EQ(ReadRegInt("FR Source", "Match Case", 0), 1);
        EXPECT_EQ(ReadRegInt("FR Source", "Enalbe Replace", 0), 1);
        EXPECT_EQ(ReadRegInt("FR Source", "Up", 0), 1);
        EXPECT_EQ(ReadRegInt("FR Source", "Where", 1), 0);
        EXPECT_EQ(ReadRegInt("FR Source", "Visible", -1), 0);
        EXPECT_EQ(ReadRegInt("FR Source", "Pos X", -1), 60);
        EXPECT_EQ(ReadRegInt("FR Source", "Pos Y", -1), 70);
        EXPECT_EQ(ReadRegString("FR Source", "Find String 0", "?"), "alp");
        EXPECT_EQ(ReadRegString("FR Source", "Find String 1", "?"), "beta");
        EXPECT_EQ(ReadRegString("FR Source", "Find String 2", "?"), "");
        EXPECT_EQ(ReadRegString("FR Source", "Find String 19", "?"), "");
        // The Destination window keeps its own.
        EXPECT_EQ(ReadRegString("FR Destination", "Find String 0", "?"), "?");
    }
    window_.reset();

    MainWindow& again = Open();
    again.SetAreaText(EditArea::kSource, "gamma");
    HWND dialog = OpenFindWindow(again, EditArea::kSource);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(Checked(dialog, IDC_FR_WHOLE_WORD));
    EXPECT_TRUE(Checked(dialog, IDC_FR_MATCH_CASE));
    EXPECT_TRUE(Checked(dialog, IDC_FR_ENABLE_REPLACE));
    EXPECT_TRUE(Checked(dialog, IDC_FR_UP));
    EXPECT_FALSE(Checked(dialog, IDC_FR_DOWN));
    EXPECT_TRUE(Checked(dialog, IDC_FR_SELECTION));
    ASSERT_EQ(SendDlgItemMessageW(dialog, IDC_FR_FIND_TEXT, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ComboItem(dialog, IDC_FR_FIND_TEXT, 0), L"alp");
    EXPECT_EQ(ComboItem(dialog, IDC_FR_FIND_TEXT, 1), L"beta");
    RECT rect{};
    GetWindowRect(dialog, &rect);
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 70);

    // Closing the main window with the Find window open writes it as visible.
    Click(dialog, IDC_FR_MATCH_CASE);
    window_.reset();
    EXPECT_EQ(ReadRegInt("FR Source", "Visible", -1), 1);
    EXPECT_EQ(ReadRegInt("FR Source", "Match Case", -1), 0);
}

TEST_F(FindReplaceDialogTest, BothWindowsAreRelabelledWhenTheUiLanguageChanges) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, "text");
    HWND source = OpenFindWindow(window, EditArea::kSource);
    ASSERT_TRUE(source);
    HWND destination = window.FindWindowOf(EditArea::kDestination)->hwnd();
    EXPECT_EQ(TextOf(source), L"Find/Replace - Source Text");
    EXPECT_EQ(TextOf(destination), L"Find/Replace - Destination Text");
    EXPECT_EQ(TextOf(GetDlgItem(source, IDC_FR_FIND_NEXT)), L"Find &Next");

    window.RunCommand(IDM_UI_LANGUAGE_FIRST + 1);  // Simplified Chinese
    EXPECT_EQ(TextOf(source), L"\u67E5\u627E/\u66FF\u6362 - \u6E90\u6587\u672C");  // 查找/替换 - 源文本
    EXPECT_EQ(TextOf(destination), L"\u67E5\u627E/\u66FF\u6362 - \u76EE\u6807\u6587\u672C");  // 目标文本
    EXPECT_EQ(TextOf(GetDlgItem(source, IDC_FR_FIND_NEXT)), L"\u67E5\u627E\u4E0B\u4E00\u4E2A(&N)");  // 查找下一个

    window.RunCommand(IDM_UI_LANGUAGE_FIRST + 2);  // Traditional Chinese
    EXPECT_EQ(TextOf(source), L"\u5C0B\u627E/\u53D6\u4EE3 - \u4F86\u6E90\u6587\u5B57");  // 尋找/取代 - 來源文字
    EXPECT_EQ(TextOf(GetDlgItem(source, IDCANCEL)), L"\u95DC\u9589(&L)");  // 關閉
}

TEST_F(FindReplaceDialogTest, CtrlFOpensTheFocusedAreasWindowAndTimerOneKeepsTheButtonsCurrent) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, "one two");
    window.SetAreaText(EditArea::kDestination, "three four");
    HWND destinationEdit = window.Item(IDC_DESTINATION_EDIT);
    SetFocus(destinationEdit);
    // An accelerator's command carries notification code 1.
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_CONTEXT_FIND_REPLACE, 1), 0);
    EXPECT_TRUE(window.FindWindowShown(EditArea::kDestination));
    EXPECT_FALSE(window.FindWindowShown(EditArea::kSource));
    HWND dialog = window.FindWindowOf(EditArea::kDestination)->hwnd();
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_FR_FIND_TEXT)), L"three");
    // While it is open the area's toolbar button is disabled; the command, run anyway,
    // hides the window.
    window.Refresh();
    EXPECT_FALSE(IsWindowEnabled(window.Item(IDM_DESTINATION_FIND_REPLACE)));
    window.RunCommand(IDM_DESTINATION_FIND_REPLACE);
    EXPECT_FALSE(window.FindWindowShown(EditArea::kDestination));

    // An empty area opens nothing.
    window.SetAreaText(EditArea::kSource, "");
    window.RunCommand(IDM_SOURCE_FIND_REPLACE);
    EXPECT_FALSE(window.FindWindowShown(EditArea::kSource));

    // Current Selection with nothing selected: every action is disabled until text is selected.
    dialog = OpenFindWindow(window, EditArea::kDestination);
    ASSERT_TRUE(dialog);
    Click(dialog, IDC_FR_ENABLE_REPLACE);
    Click(dialog, IDC_FR_SELECTION);
    SetBoxText(dialog, IDC_FR_REPLACE_TEXT, L"x");
    SendMessageW(destinationEdit, EM_SETSEL, 2, 2);
    Pump(400);
    for (int id : {IDC_FR_FIND_NEXT, IDC_FR_FIND_COUNT, IDC_FR_REPLACE, IDC_FR_REPLACE_ALL})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    SendMessageW(destinationEdit, EM_SETSEL, 0, 5);
    Pump(400);
    for (int id : {IDC_FR_FIND_NEXT, IDC_FR_FIND_COUNT, IDC_FR_REPLACE, IDC_FR_REPLACE_ALL})
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    // Replace is disabled when the two texts are the same.
    SetBoxText(dialog, IDC_FR_REPLACE_TEXT, L"three");
    Pump(400);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_FR_FIND_NEXT)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_FR_REPLACE)));

    Press(dialog, IDC_FR_FIND_COUNT);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "1 count(s) of \"three\" found in selected text.");
}

}  // namespace
}  // namespace zelvo
