// Questions of the main window in the program's real message box: each is owned by the
// main window even when another window is active, the main window takes no commands while
// one is open, and a close that arrives meanwhile does not leave the box behind.
#include <windows.h>

#include <functional>
#include <memory>

#include "app/language_table.h"
#include "services/win/message_box_dialog.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM data) {
    if (!IsWindowVisible(window) || !GetDlgItem(window, IDC_MESSAGE_BOX_TEXT)) return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

HWND OpenMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs a step from inside whatever modal loop is running: a thread timer fires every 50 ms
// until the step says it is done (timer procedures cannot be lambdas).
std::function<bool()> step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
    if (step && step()) {
        KillTimer(nullptr, timer);
        step = nullptr;
    }
}

// A key as the message loop meets it, passed through the thread's message filter as a
// dialog's modal loop does before anything else (accelerators are translated there).
bool KeyTakenByMessageFilter(HWND target, UINT key, bool control) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message{target, WM_KEYDOWN, key, 1, GetTickCount(), {}};
    bool taken = CallMsgFilterW(&message, MSGF_DIALOGBOX) != 0;
    keys[VK_CONTROL] = saved;
    SetKeyboardState(keys);
    return taken;
}

class MainWindowQuestionTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The real message box instead of the scripted answers.
        scriptedService_ = SetMessageService(std::make_unique<MessageBoxService>());
        // Another window of the program is the active one.
        other_ = CreateWindowExW(0, L"STATIC", L"Another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 200,
                                 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override {
        step = nullptr;
        if (other_) DestroyWindow(other_);
        SetMessageService(std::move(scriptedService_));
        MainWindowTest::TearDown();
    }

    std::unique_ptr<MessageService> scriptedService_;
    HWND other_ = nullptr;
};

TEST_F(MainWindowQuestionTest, QuestionIsOwnedByTheMainWindowWhichTakesNoCommandsMeanwhile) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, kGbkText);
    window.SetAreaText(EditArea::kDestination, "edited by hand");
    window.documents().SetModified(EditArea::kDestination, true);
    SetActiveWindow(other_);
    ASSERT_NE(GetActiveWindow(), window.hwnd());

    HWND box = nullptr;
    HWND owner = nullptr;
    bool enabledWhileAsked = true;
    bool controlBTaken = true;
    std::string destinationWhileAsked;
    step = [&] {
        box = OpenMessageBox();
        if (!box) return false;
        owner = GetWindow(box, GW_OWNER);
        enabledWhileAsked = IsWindowEnabled(window.hwnd()) != FALSE;
        // Ctrl+B typed into the Source area while the "save?" question waits.
        controlBTaken = KeyTakenByMessageFilter(window.Item(IDC_SOURCE_EDIT), 'B', true);
        destinationWhileAsked = window.DestinationText();
        // Cancel the question: the transfer that asked it does not go ahead.
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    };
    SetTimer(nullptr, 0, 50, RunStep);
    window.RunCommand(IDM_TRANSFER_G2B);  // asks to save the modified Destination first

    ASSERT_NE(box, nullptr) << "no question was shown";
    EXPECT_EQ(owner, window.hwnd());
    EXPECT_FALSE(enabledWhileAsked);
    EXPECT_FALSE(controlBTaken);
    EXPECT_EQ(destinationWhileAsked, "edited by hand");
    EXPECT_EQ(window.DestinationText(), "edited by hand");
    EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
    // With the question answered the accelerators work again.
    EXPECT_TRUE(KeyTakenByMessageFilter(window.Item(IDC_SOURCE_EDIT), 'A', true));
}

TEST_F(MainWindowQuestionTest, CloseWhileAQuestionIsOpenWaitsForTheAnswer) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, kGbkText);
    HWND main = window.hwnd();

    HWND box = nullptr;
    bool mainOpenAfterClose = false;
    bool boxOpenAfterClose = false;
    int ticks = 0;
    step = [&] {
        if (!box) {
            box = OpenMessageBox();
            if (box) PostMessageW(main, WM_CLOSE, 0, 0);  // as Exit All sends it
            return false;
        }
        // The close has been handled by now.
        if (++ticks < 3) return false;
        mainOpenAfterClose = IsWindow(main) && IsWindowVisible(main);
        boxOpenAfterClose = IsWindow(box) && IsWindowVisible(box);
        if (IsWindow(box)) PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    };
    SetTimer(nullptr, 0, 50, RunStep);
    window.RunCommand(IDM_SOURCE_PROPERTIES);

    ASSERT_NE(box, nullptr) << "Properties showed no box";
    EXPECT_TRUE(mainOpenAfterClose);
    EXPECT_TRUE(boxOpenAfterClose);
    ASSERT_TRUE(IsWindow(main));
    // Once the box is answered the close goes through.
    SendMessageW(main, WM_CLOSE, 0, 0);
    Pump(100);
    EXPECT_FALSE(IsWindow(main) && IsWindowVisible(main));
}

}  // namespace
}  // namespace zelvo
