// The dialog framework and the main window's frame, in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/editor_app.h"
#include "app/ui_strings.h"
#include "app/win/dialog.h"
#include "app/win/instances.h"
#include "app/win/main_window.h"
#include "app/win/win_text.h"
#include "app/win/zelvo_app.h"
#include "platform/file_system.h"
#include "resources/resource.h"

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
TEST_F(FrameTest, MainWindowLoadsTheCommandLineFileAndSplitsTheClientArea) {
    std::string path = JoinPath(TempFolderPath(), "zelvo-frame-test.txt");
    std::string bytes =
        "\xD6\xD0\xCE\xC4 Zelvo\r\n\xB9\xFA\xBC\xD2\xA3\xAC\x81\x20 end";  // a stray lead byte too
    ASSERT_TRUE(WriteFileBytes(path, bytes));

    EditorApp app;
    app.StoreCommandLine("  \"[L]1[P]" + path + "\"  ");
    MainWindow window(app);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    EXPECT_EQ(window.sourceLanguageIndex(), 1);
    EXPECT_EQ(window.SourceText(), bytes);
    EXPECT_TRUE(app.commandLine.empty());
    EXPECT_TRUE(IsWindowUnicode(window.Item(IDC_SOURCE_EDIT)));
    wchar_t className[64] = {};
    GetClassNameW(window.hwnd(), className, 64);
    EXPECT_STREQ(className, L"Tolvane_Zelvo");

    SetWindowPos(window.hwnd(), nullptr, 0, 0, 600, 500, SWP_NOZORDER | SWP_NOMOVE);
    RECT client, source, destination;
    GetClientRect(window.hwnd(), &client);
    GetWindowRect(window.Item(IDC_SOURCE_EDIT), &source);
    GetWindowRect(window.Item(IDC_DESTINATION_EDIT), &destination);
    MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&source), 2);
    MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&destination), 2);
    EXPECT_EQ(source.top, 0);
    EXPECT_EQ(source.bottom, destination.top);
    EXPECT_EQ(destination.bottom, client.bottom);
    EXPECT_EQ(source.right - source.left, client.right);
    EXPECT_EQ(destination.right - destination.left, client.right);

    // A hidden window is not a running instance.
    EXPECT_EQ(CountInstances(false), 0);
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.hwnd(), nullptr);
    RemoveFile(path);
}

// Without a language index the detected character set chooses the Source language.
TEST_F(FrameTest, PlainPathToAGbkFileIsShownAsGbk) {
    std::string sample =
        JoinPath(JoinPath(JoinPath(ParentFolder(ParentFolder(ProgramFilePath())), "dist"), "samples"),
                 "gbk-sample.txt");
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(sample, bytes)) << sample;
    EditorApp app;
    app.StoreCommandLine(sample);
    MainWindow window(app);
    ASSERT_TRUE(window.CreateModeless(nullptr));
    EXPECT_EQ(window.sourceLanguageIndex(), 1);
    EXPECT_EQ(window.SourceText(), bytes);
}

TEST_F(FrameTest, CommandLinesThatNameNoFileLeaveTheAreaEmpty) {
    std::string folder = TempFolderPath();
    for (std::string argument : {std::string("C:\\no\\such\\file.txt"), folder, "\"" + folder + "x.txt"}) {
        SCOPED_TRACE(argument);
        EditorApp app;
        app.StoreCommandLine(argument);
        MainWindow window(app);
        ASSERT_TRUE(window.CreateModeless(nullptr));
        EXPECT_EQ(window.SourceText(), "");
        EXPECT_EQ(app.commandLine, argument);  // kept: nothing consumed it
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
