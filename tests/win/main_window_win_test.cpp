// The dialog framework and the main window's frame, in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/editor_app.h"
#include "app/win/instances.h"
#include "app/win/main_window.h"
#include "app/win/zelvo_app.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/win_text.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Dialog::SetResourceInstance(GetModuleHandleW(nullptr));
        ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleW(nullptr)));
    }
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
};

class CommandDialog : public Dialog {
  public:
    CommandDialog() : Dialog(IDD_MAIN_WINDOW) {
        SetLabels({{IDC_DESTINATION_EDIT, IDS_QXT_PRODUCT}});
        BindCommand(4000, &CommandDialog::OnSingle);
        BindCommandRange(3712, 3775, [this](int id, int code) { rangeIds.push_back(id); });
    }
    void OnSingle() { ++singleCalls; }
    bool OnInitDialog() override {
        initialised = true;
        return true;
    }
    void OnOk() override { ++okCalls; }
    int singleCalls = 0;
    int okCalls = 0;
    bool initialised = false;
    std::vector<int> rangeIds;
};

TEST_F(FrameTest, CommandsAreDispatchedByIdAndRangeAndControlsRelabelled) {
    CommandDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(GetWindowTextIn(dialog.Item(IDC_DESTINATION_EDIT), 1252), "Zelvo");

    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(4000, 0), 0);
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(3712, 0), 0);
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(3775, 0), 0);
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(3776, 0), 0);  // outside every binding
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    EXPECT_EQ(dialog.singleCalls, 1);
    EXPECT_EQ(dialog.rangeIds, (std::vector<int>{3712, 3775}));
    EXPECT_EQ(dialog.okCalls, 1);

    HWND window = dialog.hwnd();
    SendMessageW(window, WM_CLOSE, 0, 0);  // modeless: the window goes, the object stays
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

// Controls bound before the window exists get the notifications their own windows send:
// typing into an edit control, a choice in a combo box, a click on a button.
class ControlDialog : public Dialog {
  public:
    ControlDialog() : Dialog(IDD_MAIN_WINDOW) {
        edit.onChange = [this] { ++changes; };
        edit.onFocus = [this] { ++focuses; };
        selector.onSelectionChange = [this] { chosen = selector.Selected(); };
        button.onClick = [this] { ++clicks; };
        BindControl(IDC_SOURCE_EDIT, edit);
        BindControl(IDC_SOURCE_LANGUAGE, selector);
        BindControl(IDM_EXIT, button);
    }
    TextEdit edit;
    ComboBox selector;
    Button button;
    int changes = 0;
    int focuses = 0;
    int chosen = -1;
    int clicks = 0;
};

TEST_F(FrameTest, BoundControlsCallTheirNamedCallbacks) {
    ControlDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ASSERT_EQ(dialog.edit.hwnd(), dialog.Item(IDC_SOURCE_EDIT));
    SetFocus(dialog.edit.hwnd());
    EXPECT_GE(dialog.focuses, 1);
    SendMessageW(dialog.edit.hwnd(), WM_CHAR, L'x', 0);
    EXPECT_EQ(dialog.changes, 1);
    EXPECT_EQ(dialog.edit.Text(1252), "x");

    dialog.selector.Add("one", 1252);
    dialog.selector.Add("two", 1252);
    // A choice from the keyboard, as the user makes it, sends CBN_SELCHANGE.
    SetFocus(dialog.selector.hwnd());
    SendMessageW(dialog.selector.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(dialog.selector.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(dialog.chosen, 1);

    SendMessageW(dialog.button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.clicks, 1);

    // The controls go with the window; nothing is sent to a handle that is gone.
    SendMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.edit.hwnd(), nullptr);
    EXPECT_EQ(dialog.selector.Selected(), -1);
}

TEST_F(FrameTest, ModelessWindowIsDestroyedWithItsObject) {
    HWND window = nullptr;
    {
        CommandDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        window = dialog.hwnd();
    }
    EXPECT_FALSE(IsWindow(window));
}

// A GBK file named on the command line with language index 1 comes into the Source area
// through the lossless codec: reading the area back gives the file's bytes.
TEST_F(MainWindowTest, CommandLineFileOpensInTheSourceAreaUnderItsLanguage) {
    std::string bytes = kGbkText;
    std::string path = WriteSample("zelvo-frame-test.txt", bytes);

    MainWindow& window = Open("  \"[L]1[P]" + path + "\"  ");
    EXPECT_EQ(window.sourceLanguageIndex(), 1);
    EXPECT_EQ(window.SourceText(), bytes);
    EXPECT_TRUE(app_.commandLine.empty());
    EXPECT_FALSE(window.documents().IsModified(EditArea::kSource));
    // The command line's path is lower-cased, as the shell extension's paths are.
    std::string opened = window.documents().Path(EditArea::kSource);
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, opened.c_str(), -1, path.c_str(), -1),
              CSTR_EQUAL)
        << opened;
    EXPECT_TRUE(IsWindowUnicode(window.Item(IDC_SOURCE_EDIT)));
    wchar_t className[64] = {};
    GetClassNameW(window.hwnd(), className, 64);
    EXPECT_STREQ(className, L"Tolvane_Zelvo");
    EXPECT_EQ(CountInstances(false), 1);

    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_EQ(CountInstances(false), 0);
}

// Without a language index the detected character set chooses the Source language.
TEST_F(MainWindowTest, PlainPathToAGbkFileIsShownAsGbk) {
    std::string sample = JoinPath(JoinPath(distFolder_, "samples"), "gbk-sample.txt");
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(sample, bytes)) << sample;
    MainWindow& window = Open(sample);
    EXPECT_EQ(window.sourceLanguageIndex(), 1);
    EXPECT_EQ(window.SourceText(), bytes);
}

TEST_F(MainWindowTest, CommandLinesThatNameNoFileLeaveTheAreaEmpty) {
    std::string folder = TempFolderPath();
    for (std::string argument : {std::string("C:\\no\\such\\file.txt"), folder, "\"" + folder + "x.txt"}) {
        SCOPED_TRACE(argument);
        MainWindow& window = Open(argument);
        EXPECT_EQ(window.SourceText(), "");
        EXPECT_EQ(app_.commandLine, argument);  // kept: nothing consumed it
        EXPECT_TRUE(window.documents().Path(EditArea::kSource).empty());
    }
}

TEST(WinText, GbkAndBig5RoundTripLosslesslyAndOtherPagesUseTheSystem) {
    std::string gbk = "\xD6\xD0\xCE\xC4\x80\xFF\x81";
    EXPECT_EQ(WidenText("\xD6\xD0\xCE\xC4", 936), L"\x4E2D\x6587");
    EXPECT_EQ(NarrowText(WidenText(gbk, 936), 936), gbk);
    std::string big5 = "\xA4\xA4\xA4\xE5\xFF\xA4";
    EXPECT_EQ(WidenText("\xA4\xA4\xA4\xE5", 950), L"\x4E2D\x6587");
    EXPECT_EQ(NarrowText(WidenText(big5, 950), 950), big5);
    EXPECT_EQ(WidenText("caf\xE9", 1252), L"caf\x00E9");
    EXPECT_EQ(NarrowText(L"caf\x00E9", 1252), "caf\xE9");
    EXPECT_EQ(WidenText("", 936), L"");
}

}  // namespace
}  // namespace zelvo
