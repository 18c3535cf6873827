// The Code Transfer dialog run for real over an owner window that answers the progress
// message the way the main window does, the status-bar progress bar, the message pump
// and the clipboard's CF_TEXT.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/win/progress_dialog.h"
#include "app/win/progress_message.h"
#include "convert/code_tables.h"
#include "convert/pipeline.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/clipboard.h"
#include "services/win/toolkit/dialog.h"

namespace zelvo {
namespace {

constexpr wchar_t kOwnerClass[] = L"ZelvoProgressTestOwner";

// Every progress message the owner received, and the one StatusBarProgress it answers with.
struct OwnerState {
    StatusBarProgress progress;
    std::vector<std::pair<WPARAM, LPARAM>> received;
    std::vector<LRESULT> results;
};
OwnerState* ownerState = nullptr;

// A key the user presses once the progress passes a position: Escape posted to a window.
struct KeyAtPosition {
    long after = -1;  // units; -1: no key
    HWND target = nullptr;
    bool posted = false;
};
KeyAtPosition escapeAt;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProgressMessage && wParam == kProgressPosition && escapeAt.after >= 0 && !escapeAt.posted &&
        lParam > escapeAt.after && escapeAt.target) {
        escapeAt.posted = true;
        PostMessageW(escapeAt.target, WM_KEYDOWN, VK_ESCAPE, 1);
    }
    if (message == kProgressMessage && ownerState) {
        ownerState->received.push_back({wParam, lParam});
        LRESULT result = ownerState->progress.HandleMessage(wParam, lParam);
        ownerState->results.push_back(result);
        return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message service that lets the test look at the dialog while the question is open.
class ObservingMessageService : public MessageService {
  public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        shown.push_back(request);
        if (onQuestion) onQuestion();
        int result = answers.empty() ? kIdNo : answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        return MessageAnswer{result, request.checked, {}};
    }
    MessageAnswer AskText(const MessageRequest& request, const std::string& initialText) override {
        shown.push_back(request);
        return MessageAnswer{kIdCancel, request.checked, initialText};
    }
    std::vector<int> answers;
    std::vector<MessageRequest> shown;
    std::function<void()> onQuestion;
};

// GBK text of exactly n bytes in lines of simplified characters, digits and ASCII.
std::string GbkTextOfLength(size_t n) {
    const std::string line = "\xD6\xD0\xCE\xC4 \xBC\xF2\xCC\xE5 \xB9\xFA\xD3\xEF 0123456789 text\r\n";
    std::string text;
    while (text.size() + line.size() <= n) text += line;
    text.append(n - text.size(), 'x');
    return text;
}

BOOL CALLBACK MatchProgressDialog(HWND window, LPARAM lParam) {
    if (GetDlgItem(window, IDC_PROGRESS_BAR) && GetDlgItem(window, IDC_PROGRESS_PERCENT)) {
        *reinterpret_cast<HWND*>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindProgressDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchProgressDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Window procedures and timer procedures of the tests (they need the system's calling
// convention, which lambdas do not have).
HWND earlyCancelTarget = nullptr;
void CALLBACK ClickCancelOnce(HWND, UINT, UINT_PTR, DWORD) {
    if (earlyCancelTarget) return;
    HWND window = FindProgressDialog();
    if (!window) return;
    earlyCancelTarget = window;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_PROGRESS_CANCEL)));
}

bool dialogTimedOut = false;
void CALLBACK EndStuckDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND window = FindProgressDialog()) {
        dialogTimedOut = true;
        EndDialog(window, IDCANCEL);
    }
}

std::vector<std::pair<WPARAM, LPARAM>> forwarded;
LRESULT CALLBACK RecordingTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProgressMessage) {
        forwarded.push_back({wParam, lParam});
        return 7;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Keys and closes that reached a window of the owner.
int keysSeenByOwnerEdit = 0;
WNDPROC ownerEditProc = nullptr;
LRESULT CALLBACK CountingEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_CHAR) ++keysSeenByOwnerEdit;
    return CallWindowProcW(ownerEditProc, window, message, wParam, lParam);
}

int dispatched = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP + 5) ++dispatched;
    return DefWindowProcW(window, message, wParam, lParam);
}

class ProgressDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Dialog::SetResourceInstance(GetModuleHandleW(nullptr));
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kOwnerClass;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassW(&windowClass);  // a second registration fails harmlessly
        state_ = std::make_unique<OwnerState>();
        ownerState = state_.get();
        owner_ = CreateWindowExW(0, kOwnerClass, L"Progress owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                 640, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
        statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, owner_,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(statusBar_, nullptr);
        ownerState->progress.SetStatusBar(statusBar_);

        auto service = std::make_unique<ObservingMessageService>();
        messages_ = service.get();
        previousService_ = SetMessageService(std::move(service));

        context_.control = MakeWin32TransferControl(&transferState_);
    }
    void TearDown() override {
        escapeAt = KeyAtPosition{};
        SetMessageService(std::move(previousService_));
        if (owner_) DestroyWindow(owner_);
        ownerState = nullptr;
    }

    ProgressDialogArgs Args(const std::string& source, std::string& result) {
        ProgressDialogArgs args;
        args.owner = owner_;
        args.forwarder = &ownerState->progress;
        args.context = &context_;
        args.mode = kModeCross;
        args.operation = LoadUiString(IDS_DIALOG_CTP_EACT_G2B);
        args.source = source;
        args.result = &result;
        return args;
    }

    static std::string Direct(const std::string& source) {
        ConversionContext context;
        std::string result;
        TransferGbkText(context, nullptr, source, result, kModeCross);
        return result;
    }

    std::unique_ptr<OwnerState> state_;
    HWND owner_ = nullptr;
    HWND statusBar_ = nullptr;
    ObservingMessageService* messages_ = nullptr;
    std::unique_ptr<MessageService> previousService_;
    volatile int transferState_ = kTransferStopped;
    ConversionContext context_;
};

TEST_F(ProgressDialogTest, RunsALongConversionToTheEndThroughTheOwner) {
    const std::string source = GbkTextOfLength(100001);
    std::string result;
    ProgressDialog dialog(Args(source, result));
    std::wstring title, operation, button;
    messages_->onQuestion = nullptr;
    // Look at the open dialog from the pump, once the conversion is under way.
    auto pump = context_.control.pumpMessages;
    int pumps = 0;
    context_.control.pumpMessages = [&] {
        if (++pumps == 2) {
            HWND window = FindProgressDialog();
            wchar_t text[128] = {};
            GetWindowTextW(window, text, 128);
            title = text;
            GetDlgItemTextW(window, IDC_PROGRESS_OPERATION, text, 128);
            operation = text;
            GetDlgItemTextW(window, IDC_PROGRESS_CANCEL, text, 128);
            button = text;
            EXPECT_EQ(ownerState->progress.ProgressTarget(), window);
            EXPECT_EQ(transferState_, kTransferRunning);
        }
        pump();
    };

    EXPECT_TRUE(dialog.Run());
    EXPECT_FALSE(dialog.cancelled());
    EXPECT_FALSE(context_.cancelled);
    EXPECT_EQ(result, Direct(source));
    EXPECT_GT(pumps, 100);
    EXPECT_EQ(title, L"Code Transfer");
    EXPECT_EQ(operation, L"Edit Area Transfer (GBK->Big5)");
    EXPECT_EQ(button, L"Cancel");
    // The owner passed every message on: its own bar never appeared, the dialog's went full.
    EXPECT_EQ(dialog.barPosition(), kProgressBarRange);
    EXPECT_GT(dialog.total(), 0);
    EXPECT_EQ(ownerState->progress.bar(), nullptr);
    ASSERT_FALSE(ownerState->received.empty());
    EXPECT_EQ(ownerState->received.front().first, kProgressBegin);
    EXPECT_EQ(ownerState->received.back().first, kProgressEnd);
    for (LRESULT returned : ownerState->results) EXPECT_EQ(returned, 1);
    // Closed, it no longer takes the owner's messages.
    EXPECT_EQ(ownerState->progress.ProgressTarget(), nullptr);
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(ProgressDialogTest, CancelConfirmedStopsTheConversionAfterThePieceItCameIn) {
    const std::string source = GbkTextOfLength(150000);
    std::string result;
    ProgressDialog dialog(Args(source, result));
    messages_->answers = {kIdYes};
    int stateDuringQuestion = 0;
    bool closeGreyedDuringQuestion = false;
    HWND dialogWindow = nullptr;
    messages_->onQuestion = [&] {
        stateDuringQuestion = transferState_;
        UINT state = GetMenuState(GetSystemMenu(dialogWindow, FALSE), SC_CLOSE, MF_BYCOMMAND);
        closeGreyedDuringQuestion = (state & (MF_GRAYED | MF_DISABLED)) != 0;
    };
    auto pump = context_.control.pumpMessages;
    int pumps = 0;
    context_.control.pumpMessages = [&] {
        if (++pumps == 3) {
            dialogWindow = FindProgressDialog();
            HWND button = GetDlgItem(dialogWindow, IDC_PROGRESS_CANCEL);
            PostMessageW(dialogWindow, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        pump();
    };

    EXPECT_FALSE(dialog.Run());
    EXPECT_EQ(pumps, 3);
    EXPECT_TRUE(dialog.cancelled());
    EXPECT_TRUE(context_.cancelled);
    EXPECT_EQ(transferState_, kTransferStopped);
    EXPECT_EQ(stateDuringQuestion, kTransferPaused);
    EXPECT_TRUE(closeGreyedDuringQuestion);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, LoadUiString(IDS_DIALOG_FSCT_PROMPT_RESUME));
    EXPECT_EQ(messages_->shown[0].style & 0xF, static_cast<unsigned>(kMbYesNo));
    // Three pieces converted, no word adjustment.
    const std::vector<std::string_view> pieces = CutIntoPieces(source);
    ASSERT_GT(pieces.size(), 3u);
    std::string firstThree(pieces[0].data(), pieces[0].size() + pieces[1].size() + pieces[2].size());
    EXPECT_EQ(result, Direct(firstThree));
    EXPECT_EQ(ownerState->progress.ProgressTarget(), nullptr);
}

TEST_F(ProgressDialogTest, CancelAnsweredNoLetsTheConversionFinish) {
    const std::string source = GbkTextOfLength(120000);
    std::string result;
    ProgressDialog dialog(Args(source, result));
    messages_->answers = {kIdNo};
    auto pump = context_.control.pumpMessages;
    int pumps = 0;
    context_.control.pumpMessages = [&] {
        if (++pumps == 5) {
            HWND window = FindProgressDialog();
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_PROGRESS_CANCEL)));
        }
        pump();
    };

    EXPECT_TRUE(dialog.Run());
    EXPECT_EQ(messages_->shown.size(), 1u);
    EXPECT_FALSE(dialog.cancelled());
    EXPECT_FALSE(context_.cancelled);
    EXPECT_EQ(transferState_, kTransferRunning);
    EXPECT_EQ(result, Direct(source));
}

TEST_F(ProgressDialogTest, CancelBeforeTheConversionStartsLeavesTheResultEmpty) {
    const std::string source = GbkTextOfLength(100001);
    std::string result = "untouched";
    ProgressDialog dialog(Args(source, result));
    messages_->answers = {kIdYes};
    // A thread timer fires inside the dialog's own loop, before its 100 ms start timer.
    earlyCancelTarget = nullptr;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, ClickCancelOnce);
    const bool completed = dialog.Run();
    KillTimer(nullptr, timer);
    EXPECT_NE(earlyCancelTarget, nullptr);
    EXPECT_FALSE(completed);
    EXPECT_TRUE(dialog.cancelled());
    EXPECT_TRUE(context_.cancelled);
    EXPECT_EQ(result, "untouched");
    EXPECT_TRUE(ownerState->received.empty());
}

TEST_F(ProgressDialogTest, TextThatEndsAtOnceStillClosesTheDialog) {
    // The pipeline stops at the first zero byte: this text converts to nothing and sends
    // no progress message at all.
    std::string source(100001, 'a');
    source[0] = '\0';
    std::string result = "before";
    ProgressDialog dialog(Args(source, result));
    // Should the dialog stay open, end it after five seconds and fail.
    dialogTimedOut = false;
    UINT_PTR guard = SetTimer(nullptr, 0, 5000, EndStuckDialog);
    EXPECT_TRUE(dialog.Run());
    KillTimer(nullptr, guard);
    EXPECT_FALSE(dialogTimedOut);
    EXPECT_EQ(result, "");
}

TEST_F(ProgressDialogTest, StatusBarProgressShowsItsBarAndRemovesIt) {
    StatusBarProgress& progress = ownerState->progress;
    // A position before any total shows nothing.
    EXPECT_EQ(SendMessageW(owner_, kProgressMessage, kProgressPosition, 10), 1);
    EXPECT_EQ(progress.bar(), nullptr);

    EXPECT_EQ(SendMessageW(owner_, kProgressMessage, kProgressBegin, 400), 1);
    EXPECT_EQ(progress.total(), 400);
    EXPECT_EQ(progress.bar(), nullptr);
    EXPECT_EQ(SendMessageW(owner_, kProgressMessage, kProgressPosition, 100), 1);
    HWND bar = progress.bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetParent(bar), statusBar_);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), kProgressBarRange);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 250);
    // Created once.
    SendMessageW(owner_, kProgressMessage, kProgressPosition, 300);
    EXPECT_EQ(progress.bar(), bar);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 750);
    // Beyond the total: an empty bar.
    SendMessageW(owner_, kProgressMessage, kProgressPosition, 401);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);

    EXPECT_EQ(SendMessageW(owner_, kProgressMessage, kProgressEnd, 0), 1);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(progress.bar(), nullptr);
    EXPECT_EQ(progress.total(), 0);

    // While a target is registered everything goes to it unchanged.
    forwarded.clear();
    HWND target =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingTargetProc));
    progress.SetProgressTarget(target);
    EXPECT_EQ(SendMessageW(owner_, kProgressMessage, kProgressBegin, 50), 1);
    EXPECT_EQ(SendMessageW(owner_, kProgressMessage, kProgressPosition, 20), 1);
    EXPECT_EQ(progress.bar(), nullptr);
    EXPECT_EQ(progress.total(), 0);
    ASSERT_EQ(forwarded.size(), 2u);
    EXPECT_EQ(forwarded[1], (std::pair<WPARAM, LPARAM>{kProgressPosition, 20}));
    // A target that has gone is not written to.
    DestroyWindow(target);
    SendMessageW(owner_, kProgressMessage, kProgressBegin, 50);
    EXPECT_EQ(progress.total(), 50);
    progress.SetProgressTarget(nullptr);
}

TEST(MessagePump, DispatchesWaitingMessagesAndLeavesTheQuitForTheOwningLoop) {
    dispatched = 0;
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
    PostMessageW(window, WM_APP + 5, 0, 0);
    PostMessageW(window, WM_APP + 5, 0, 0);
    TransferControl control = MakeWin32TransferControl(nullptr);
    control.pumpMessages();
    EXPECT_EQ(dispatched, 2);

    PostQuitMessage(42);
    control.pumpMessages();
    control.pumpMessages();
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 42u);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    DestroyWindow(window);
}

TEST(Clipboard, GbkBytesRoundTripThroughCfText) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    // GBK "中文 简体 國語" with a line end and every lead byte range the tables use.
    const std::string gbk = "\xD6\xD0\xCE\xC4 \xBC\xF2\xCC\xE5 \x87\xF8\xD5\x5A\r\n\x81\x40\xFE\xFE";
    ASSERT_TRUE(SetClipboardText(owner, gbk));
    EXPECT_TRUE(ClipboardHasText());
    std::string back;
    ASSERT_TRUE(GetClipboardText(owner, back));
    EXPECT_EQ(back, gbk);

    // The raw CF_TEXT block: the bytes and one zero, nothing else.
    ASSERT_TRUE(OpenClipboard(owner));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string(bytes), gbk);
    EXPECT_GE(GlobalSize(data), gbk.size() + 1);
    GlobalUnlock(data);
    CloseClipboard();

    // An empty clipboard has no text.
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    CloseClipboard();
    back = "stale";
    EXPECT_FALSE(GetClipboardText(owner, back));
    EXPECT_EQ(back, "");
    EXPECT_FALSE(ClipboardHasText());
    DestroyWindow(owner);
}

TEST(Clipboard, BusyClipboardIsReportedAndKeepsItsText) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(SetClipboardText(owner, "kept"));
    // Another thread holds the clipboard open.
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened, release] {
        HWND window =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        bool held = OpenClipboard(window);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        if (held) CloseClipboard();
        DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);
    EXPECT_FALSE(SetClipboardText(owner, "new text"));
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);

    std::string back;
    ASSERT_TRUE(GetClipboardText(owner, back));
    EXPECT_EQ(back, "kept");
    DestroyWindow(owner);
}

// A list of many items that never match, so the word adjustment pass walks the whole text
// and reports its progress item by item.
WordAdjustmentLibList ManyItemLibs(int count) {
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->apply = true;
    lib->isG2B = true;
    char word[16];
    for (int i = 0; i < count; ++i) {
        std::snprintf(word, sizeof word, "zq%05d", i);
        lib->wordsBefore.push_back(word);
        lib->wordsAfter.push_back(std::string(word) + "!");
    }
    WordAdjustmentLibList libs;
    libs.push_back(std::move(lib));
    return libs;
}

TEST_F(ProgressDialogTest, EscapeDuringTheWordAdjustmentAsksAndCancels) {
    const std::string source = GbkTextOfLength(2000000);
    WordAdjustmentLibList libs = ManyItemLibs(2000);
    context_.g2bLibs = &libs;
    context_.g2bAppliedTotal = 2000;
    const long pieceUnits = static_cast<long>(CutIntoPieces(source).size()) * 20;
    std::string result;
    ProgressDialog dialog(Args(source, result));
    messages_->answers = {kIdYes};
    long positionWhenAsked = -1;
    messages_->onQuestion = [&] {
        if (!ownerState->received.empty()) positionWhenAsked = static_cast<long>(ownerState->received.back().second);
    };
    // Escape on the Cancel button once the pieces are done and the word adjustment runs.
    context_.control.pumpMessages = [&, pump = context_.control.pumpMessages] {
        if (!escapeAt.target) {
            escapeAt.target = GetDlgItem(FindProgressDialog(), IDC_PROGRESS_CANCEL);
            escapeAt.after = pieceUnits;
        }
        pump();
    };

    EXPECT_FALSE(dialog.Run());
    EXPECT_TRUE(escapeAt.posted);
    ASSERT_EQ(messages_->shown.size(), 1u) << "the Escape was not handled while the words were adjusted";
    EXPECT_EQ(messages_->shown[0].text, LoadUiString(IDS_DIALOG_FSCT_PROMPT_RESUME));
    EXPECT_GT(positionWhenAsked, pieceUnits);
    EXPECT_TRUE(dialog.cancelled());
    EXPECT_EQ(ownerState->progress.ProgressTarget(), nullptr);
    // Nothing of the key is left for the owner's loop.
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    context_.g2bLibs = nullptr;
}

TEST_F(ProgressDialogTest, EscapeTypedIntoTheOwnerGoesToTheDialogNotToTheOwner) {
    // The keyboard focus stayed in an edit control of the owner (a busy machine shows the
    // dialog late): the key still means the dialog's Cancel.
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 10, 300, 100, owner_,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    ownerEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingEditProc)));
    keysSeenByOwnerEdit = 0;
    const std::string source = GbkTextOfLength(150000);
    std::string result;
    ProgressDialog dialog(Args(source, result));
    messages_->answers = {kIdNo};
    escapeAt.target = edit;
    escapeAt.after = 60;

    EXPECT_TRUE(dialog.Run());
    EXPECT_TRUE(escapeAt.posted);
    ASSERT_EQ(messages_->shown.size(), 1u) << "the Escape did not reach the dialog";
    EXPECT_EQ(keysSeenByOwnerEdit, 0);
    EXPECT_EQ(result, Direct(source));
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
}

}  // namespace
}  // namespace zelvo
