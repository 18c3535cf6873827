// The File / Site Code Transfer dialog, opened for real and driven by messages to its
// controls: a site and a file transferred through it, its labels, its running and idle
// states, cancel through the Transfer button, the clock, its settings, browse and view.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "convert/pipeline.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/win_text.h"
#include "transfer/win/site_transfer_dialog.h"

namespace zelvo {
namespace {

// A sentence in GBK, long enough for the code page detection to decide.
const std::string kGbkText =
    "\xce\xd2\xc3\xc7\xb5\xc4\xb9\xfa\xbc\xd2\xca\xc7\xd2\xbb\xb8\xf6\xc0\xfa\xca\xb7\xd3\xc6\xbe\xc3\xb5\xc4"
    "\xce\xc4\xc3\xf7\xb9\xc5\xb9\xfa\xa3\xac\xc8\xcb\xc3\xf1\xc7\xda\xc0\xcd\xd3\xc2\xb8\xd2\xa3\xac\xbe\xad"
    "\xbc\xc3\xb7\xa2\xd5\xb9\xba\xdc\xbf\xec\xa1\xa3\xd5\xe2\xc0\xef\xd3\xd0\xba\xdc\xb6\xe0\xc3\xc0\xc0\xf6"
    "\xb5\xc4\xb7\xe7\xbe\xb0\xba\xcd\xb4\xab\xcd\xb3\xb5\xc4\xce\xc4\xbb\xaf\xa1\xa3\r\n";
const std::string kBinary("GIF89a\0\0\x01\x02\x00\xff", 12);

std::string Read(const std::string& path) {
    std::string data;
    ReadFileBytes(path, data);
    return data;
}

std::string ToBig5(const std::string& gbk) {
    ConversionContext context;
    std::string out;
    TransferGbkText(context, nullptr, gbk, out, 0);
    return out;
}

std::string ToGbk(const std::string& big5) {
    ConversionContext context;
    std::string out;
    TransferBig5Text(context, nullptr, big5, out, 0);
    return out;
}

void RemoveTree(const std::string& path) {
    std::vector<FolderEntry> entries;
    if (ListFolder(path, entries)) {
        for (const FolderEntry& entry : entries) {
            const std::string child = JoinPath(path, entry.name);
            if (entry.isFolder)
                RemoveTree(child);
            else
                RemoveFile(child);
        }
    }
    RemoveEmptyFolder(path);
}

int CountFiles(const std::string& path) {
    std::vector<FolderEntry> entries;
    if (!ListFolder(path, entries)) return 0;
    int count = 0;
    for (const FolderEntry& entry : entries)
        count += entry.isFolder ? CountFiles(JoinPath(path, entry.name)) : 1;
    return count;
}

HWND ItemOf(const SiteTransferDialog& dialog, int id) {
    return GetDlgItem(dialog.hwnd(), id);
}

// What a click on the control does: the state changes and the dialog hears BN_CLICKED.
void Click(SiteTransferDialog& dialog, int id) {
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ItemOf(dialog, id)));
}

void SetCheck(SiteTransferDialog& dialog, int id, bool on) {
    SendMessageW(ItemOf(dialog, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Click(dialog, id);
}

void ChooseRadio(SiteTransferDialog& dialog, int first, int last, int chosen) {
    CheckRadioButton(dialog.hwnd(), first, last, chosen);
    Click(dialog, chosen);
}

// Typing into an edit: the text changes and EN_CHANGE follows.
void SetPath(SiteTransferDialog& dialog, int id, const std::string& path) {
    SetWindowTextW(ItemOf(dialog, id), WidenWithSystemCodePage(path).c_str());
}

std::string TextOf(const SiteTransferDialog& dialog, int id) {
    return GetWindowTextIn(ItemOf(dialog, id), UiCodePage());
}

bool IsShown(const SiteTransferDialog& dialog, int id) {
    return (GetWindowLongW(ItemOf(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsEnabled(const SiteTransferDialog& dialog, int id) {
    return IsWindowEnabled(ItemOf(dialog, id)) != FALSE;
}

bool CloseIsGreyed(const SiteTransferDialog& dialog) {
    const UINT state = GetMenuState(GetSystemMenu(dialog.hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    return (state & MF_GRAYED) != 0;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

// Watches the messages one control gets and calls back after each; the test acts there,
// in the middle of a run, as a user watching the status line would.
class ControlWatch {
  public:
    using Handler = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;
    ControlWatch(HWND control, Handler onMessage) : control_(control), onMessage_(std::move(onMessage)) {
        SetPropW(control_, kProperty, this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWatch::Procedure)));
    }
    ~ControlWatch() {
        SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(control_, kProperty);
    }
    ControlWatch(const ControlWatch&) = delete;
    ControlWatch& operator=(const ControlWatch&) = delete;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<ControlWatch*>(GetPropW(window, kProperty));
        LRESULT result = CallWindowProcW(self->previous_, window, message, wParam, lParam);
        self->onMessage_(message, wParam, lParam);
        return result;
    }
    static constexpr const wchar_t* kProperty = L"ZelvoTestWatch";
    HWND control_;
    Handler onMessage_;
    WNDPROC previous_ = nullptr;
};

// Calls back with each text set on the control.
class TextWatch : public ControlWatch {
  public:
    TextWatch(HWND control, std::function<void(const std::wstring&)> onText)
        : ControlWatch(control, [onText](UINT message, WPARAM, LPARAM lParam) {
              if (message == WM_SETTEXT && lParam) onText(reinterpret_cast<const wchar_t*>(lParam));
          }) {}
};

class SiteTransferDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Dialog::SetResourceInstance(GetModuleHandleW(nullptr));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        previousRegistry_ = SetRegistryBackend(std::make_unique<MemoryRegistryBackend>());
        auto scripted = std::make_unique<ScriptedMessageService>();
        messages = scripted.get();
        previousMessages_ = SetMessageService(std::move(scripted));

        static int serial = 0;
        root = TempFolderPath() + "zelvo-site-dialog-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++serial);
        ASSERT_TRUE(CreateFolder(root));
        source = root + "\\site";
        destination = root + "\\new";
        appFolder = root + "\\app";
        ASSERT_TRUE(CreateFolder(source));
        ASSERT_TRUE(CreateFolder(appFolder));
        context.control.transferState = &state;
    }
    void TearDown() override {
        dialog.reset();
        if (owner) DestroyWindow(owner);
        SetMessageService(std::move(previousMessages_));
        SetRegistryBackend(std::move(previousRegistry_));
        SetUiLcid(kLcidEnglish);
        SetUiCodePage(0);
        RemoveTree(root);
    }

    void Write(const std::string& relative, const std::string& data) {
        const std::string path = source + "\\" + relative;
        CreateFolderPath(ParentFolder(path));
        ASSERT_TRUE(WriteFileBytes(path, data)) << path;
    }

    // Text at the top, a page and a binary in a sub folder, text two levels down.
    void WriteSite() {
        Write("a.txt", kGbkText);
        Write("sub\\page.htm", "<meta content=\"text/html; charset=gb2312\">\r\n" + kGbkText);
        Write("sub\\logo.gif", kBinary);
        Write("sub\\deep\\c.txt", kGbkText + kGbkText);
    }

    void Open(bool withOwner = false) {
        if (withOwner) {
            owner = CreateWindowExW(0, L"STATIC", L"Owner caption", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            ASSERT_NE(owner, nullptr);
        }
        dialog = std::make_unique<SiteTransferDialog>(context, appFolder);
        ASSERT_TRUE(dialog->CreateModeless(owner));
        ShowWindow(dialog->hwnd(), SW_SHOWNA);
    }

    // Site, new destination, GBK -> Big5, everything included.
    void ChooseSiteIntoNew() {
        ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_SITE);
        ChooseRadio(*dialog, IDC_FSCT_GBK_TO_BIG5, IDC_FSCT_BIG5_TO_GBK, IDC_FSCT_GBK_TO_BIG5);
        SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
        SetCheck(*dialog, IDC_FSCT_INCLUDE_SUB_FOLDERS, true);
        SetCheck(*dialog, IDC_FSCT_COPY_NON_TEXT, true);
        SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source);
        SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, destination);
    }

    void PressTransfer() { Click(*dialog, IDC_FSCT_TRANSFER); }

    // The run must end with the dialog idle again.
    void ExpectIdle() {
        EXPECT_FALSE(dialog->running());
        EXPECT_EQ(state, kTransferStopped);
        EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_SOURCE_PATH));
        EXPECT_TRUE(IsEnabled(*dialog, IDCANCEL));
        EXPECT_FALSE(CloseIsGreyed(*dialog));
        EXPECT_FALSE(IsShown(*dialog, IDC_FSCT_STATUS));
        EXPECT_FALSE(IsShown(*dialog, IDC_FSCT_FILE_BAR));
        EXPECT_EQ(TextOf(*dialog, IDC_FSCT_STATUS), "");
        EXPECT_EQ(TextOf(*dialog, IDC_FSCT_OVERALL_PERCENT), "0%");
        EXPECT_EQ(TextOf(*dialog, IDC_FSCT_ELAPSED), "Elapsed time:    00:00:00");
        EXPECT_EQ(TextOf(*dialog, IDC_FSCT_REMAINING), "Remaining time:    00:00:00");
        EXPECT_EQ(dialog->transferTip(), "Transfer Now");
        EXPECT_EQ(TextOf(*dialog, IDC_FSCT_TRANSFER), "Transfer Now");
    }

    std::string root, source, destination, appFolder;
    volatile int state = kTransferStopped;
    ConversionContext context;
    ScriptedMessageService* messages = nullptr;
    std::unique_ptr<SiteTransferDialog> dialog;
    HWND owner = nullptr;

  private:
    std::unique_ptr<RegistryBackend> previousRegistry_;
    std::unique_ptr<MessageService> previousMessages_;
};

TEST_F(SiteTransferDialogTest, SiteIntoNewFolderConvertsTextCopiesBinariesAndReportsTheSummary) {
    WriteSite();
    Open();
    ChooseSiteIntoNew();
    PressTransfer();

    EXPECT_EQ(Read(destination + "\\a.txt"), ToBig5(kGbkText));
    EXPECT_EQ(Read(destination + "\\sub\\page.htm"),
              "<meta content=\"text/html; charset=big5\">\r\n" + ToBig5(kGbkText));
    EXPECT_EQ(Read(destination + "\\sub\\logo.gif"), kBinary);
    EXPECT_EQ(Read(destination + "\\sub\\deep\\c.txt"), ToBig5(kGbkText + kGbkText));
    EXPECT_EQ(Read(source + "\\a.txt"), kGbkText);
    EXPECT_EQ(CountFiles(destination), 4);

    ASSERT_EQ(messages->shown.size(), 1u);
    const std::string& summary = messages->shown[0].text;
    EXPECT_NE(summary.find("Source Site: " + source + "\r\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Destination Site: " + destination + "\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Number of Sub Folder(s) Created: 2\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Number of Transferred Text File(s): 3 "), std::string::npos);
    EXPECT_NE(summary.find("Number of Copied Non-text File(s): 1 "), std::string::npos);
    EXPECT_EQ(dialog->transfer().textFileCount, 3u);
    EXPECT_EQ(dialog->transfer().totalUnits, dialog->transfer().doneUnits);
    ExpectIdle();
}

TEST_F(SiteTransferDialogTest, SiteOptionsOffLeaveSubFoldersAndBinariesOut) {
    WriteSite();
    Open();
    ChooseSiteIntoNew();
    SetCheck(*dialog, IDC_FSCT_INCLUDE_SUB_FOLDERS, false);
    PressTransfer();
    EXPECT_EQ(Read(destination + "\\a.txt"), ToBig5(kGbkText));
    EXPECT_FALSE(PathExists(destination + "\\sub"));

    RemoveTree(destination);
    SetCheck(*dialog, IDC_FSCT_INCLUDE_SUB_FOLDERS, true);
    SetCheck(*dialog, IDC_FSCT_COPY_NON_TEXT, false);
    PressTransfer();
    EXPECT_EQ(Read(destination + "\\sub\\deep\\c.txt"), ToBig5(kGbkText + kGbkText));
    EXPECT_FALSE(PathExists(destination + "\\sub\\logo.gif"));
}

TEST_F(SiteTransferDialogTest, InPlaceSiteRewritesTextAndLeavesBinariesAlone) {
    WriteSite();
    Open();
    ChooseSiteIntoNew();
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, false);
    PressTransfer();
    EXPECT_EQ(Read(source + "\\a.txt"), ToBig5(kGbkText));
    EXPECT_EQ(Read(source + "\\sub\\deep\\c.txt"), ToBig5(kGbkText + kGbkText));
    EXPECT_EQ(Read(source + "\\sub\\logo.gif"), kBinary);
    EXPECT_FALSE(PathExists(destination));
}

TEST_F(SiteTransferDialogTest, FileInPlaceBig5ToGbkAndAnUnlikeFileRefused) {
    const std::string big5 = ToBig5(kGbkText);
    Write("big5.txt", big5);
    Write("gbk.txt", kGbkText);
    Open();
    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_FILE);
    ChooseRadio(*dialog, IDC_FSCT_GBK_TO_BIG5, IDC_FSCT_BIG5_TO_GBK, IDC_FSCT_BIG5_TO_GBK);
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, false);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source + "\\big5.txt");
    PressTransfer();
    EXPECT_EQ(Read(source + "\\big5.txt"), ToGbk(big5));
    // In place: no question, and the end is told.
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text.rfind("Code transfer of the file has been completed.", 0), 0u);
    ExpectIdle();

    // A GBK file given to Big5 -> GBK: the question comes, and No leaves it untouched.
    messages->shown.clear();
    messages->answers.push_back(MessageAnswer{kIdNo});
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source + "\\gbk.txt");
    PressTransfer();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text.rfind(
                  "Following file does not look like a Traditional Chinese(Big5) file:", 0),
              0u)
        << messages->shown[0].text;
    EXPECT_NE(messages->shown[0].text.find("\t" + source + "\\gbk.txt"), std::string::npos);
    EXPECT_EQ(Read(source + "\\gbk.txt"), kGbkText);
    ExpectIdle();
}

TEST_F(SiteTransferDialogTest, FileIntoNewFileLeavesTheSource) {
    Write("one.txt", kGbkText);
    Open();
    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_FILE);
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source + "\\one.txt");
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, root + "\\one-big5.txt");
    PressTransfer();
    EXPECT_EQ(Read(root + "\\one-big5.txt"), ToBig5(kGbkText));
    EXPECT_EQ(Read(source + "\\one.txt"), kGbkText);
}

TEST_F(SiteTransferDialogTest, UnlikeFilesOfASiteAreAskedAboutAndNoWritesNothing) {
    Write("a.txt", ToBig5(kGbkText));
    Write("sub\\b.txt", ToBig5(kGbkText));
    Open();
    ChooseSiteIntoNew();
    messages->answers.push_back(MessageAnswer{kIdNo});
    PressTransfer();
    ASSERT_EQ(messages->shown.size(), 1u);
    const std::string& question = messages->shown[0].text;
    EXPECT_EQ(question.rfind("Following 2 files do not look like Simplified Chinese(GBK) files:", 0), 0u)
        << question;
    EXPECT_NE(
        question.find("\t" + source + "\\a.txt\r\n\t" + source + "\\sub\\b.txt\r\n\r\nContinue anyway?"),
        std::string::npos)
        << question;
    EXPECT_FALSE(PathExists(destination));
    ExpectIdle();
}

TEST_F(SiteTransferDialogTest, RefusedDestinationsStopBeforeAnythingIsWritten) {
    WriteSite();
    Open();
    ChooseSiteIntoNew();
    ASSERT_TRUE(CreateFolder(destination));
    ASSERT_TRUE(WriteFileBytes(destination + "\\keep.txt", "mine"));
    PressTransfer();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, LoadUiString(IDS_DIALOG_FSCT_ERROR_NEW_SITE_MUST_BE_BLANK));
    EXPECT_EQ(CountFiles(destination), 1);

    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, root + "\\missing");
    PressTransfer();
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_NE(
        messages->shown[1].text.find("\"" + root + "\\missing\"  is not the name of an existing directory"),
        std::string::npos)
        << messages->shown[1].text;
    ExpectIdle();
}

TEST_F(SiteTransferDialogTest, ADestinationInsideTheSiteOrAroundItIsRefusedBeforeAnythingIsWritten) {
    WriteSite();
    Open();
    ChooseSiteIntoNew();
    // Written another way than the source: other case, other separators, a trailing one.
    std::string upper = source;
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    std::string slashes = source;
    for (char& c : slashes) c = c == '\\' ? '/' : c;
    for (const std::string& inside : {source + "\\out", upper + "\\OUT\\", slashes + "/sub/new", source}) {
        messages->shown.clear();
        SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, inside);
        PressTransfer();
        ASSERT_EQ(messages->shown.size(), 1u) << inside;
        EXPECT_EQ(messages->shown[0].text, "The destination site \"" + inside + "\" is the source site \"" + source +
                                               "\" or lies inside it, so the transfer would walk into its own "
                                               "output. Please choose a destination folder outside the source site.");
        ExpectIdle();
    }
    EXPECT_FALSE(PathExists(source + "\\out"));
    EXPECT_FALSE(PathExists(source + "\\sub\\new"));
    EXPECT_EQ(CountFiles(source), 4);

    messages->shown.clear();
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, root);
    PressTransfer();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "The source site \"" + source + "\" lies inside the destination site \"" +
                                           root + "\". Please choose a new or empty destination folder outside the "
                                           "source site.");

    // A sibling whose name starts like the source's is a fine destination.
    messages->shown.clear();
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, source + "2");
    PressTransfer();
    EXPECT_EQ(Read(source + "2\\a.txt"), ToBig5(kGbkText));
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text.rfind("Congratulations", 0), 0u);
    ExpectIdle();
}

TEST_F(SiteTransferDialogTest, ASingleFileAsksBeforeOverwritingWaitsAndSaysWhenItIsDone) {
    std::string text;
    while (text.size() < 30000) text += kGbkText;
    Write("one.txt", text);
    const std::string target = root + "\\existing.txt";
    ASSERT_TRUE(WriteFileBytes(target, "keep me"));
    Open();
    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_FILE);
    ChooseRadio(*dialog, IDC_FSCT_GBK_TO_BIG5, IDC_FSCT_BIG5_TO_GBK, IDC_FSCT_GBK_TO_BIG5);
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source + "\\one.txt");
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, target);

    messages->answers.push_back(MessageAnswer{kIdNo});
    PressTransfer();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "You are about to overwrite file \"" + target + "\", are you sure?");
    EXPECT_EQ(Read(target), "keep me");
    ExpectIdle();

    // Yes: the file is converted under the wait cursor, and the end is told.
    int barMovesWhileWaiting = 0, barMoves = 0;
    const HCURSOR waitCursor = LoadCursorA(nullptr, IDC_WAIT);
    ControlWatch bar(ItemOf(*dialog, IDC_FSCT_FILE_BAR), [&](UINT message, WPARAM, LPARAM) {
        if (message != PBM_SETPOS) return;
        ++barMoves;
        if (dialog->waiting() && GetCursor() == waitCursor) ++barMovesWhileWaiting;
    });
    messages->shown.clear();
    messages->answers.push_back(MessageAnswer{kIdYes});
    PressTransfer();
    EXPECT_EQ(Read(target), ToBig5(text));
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[1].text, "Code transfer of the file has been completed.\r\n\r\nSource File: " + source +
                                           "\\one.txt\r\nDestination File: " + target +
                                           "\r\nTransfer Direction: GBK -> Big5");
    EXPECT_GT(barMovesWhileWaiting, 0) << barMoves << " moves of the bar";
    EXPECT_FALSE(dialog->waiting());
    EXPECT_NE(GetCursor(), waitCursor);
    ExpectIdle();
}

// A run long enough to be watched: many files, each a few pieces long.
class SiteTransferDialogRunTest : public SiteTransferDialogTest {
  protected:
    void WriteManyFiles() {
        std::string text;
        while (text.size() < 20000) text += kGbkText;
        for (char name = 'a'; name <= 'h'; ++name) Write(std::string(1, name) + ".txt", text);
        text_ = text;
    }
    int WrittenCount() {
        int written = 0;
        for (char name = 'a'; name <= 'h'; ++name)
            written += Read(destination + "\\" + name + ".txt") == ToBig5(text_) ? 1 : 0;
        return written;
    }
    std::string text_;
};

TEST_F(SiteTransferDialogRunTest, RunningStateDisablesTheFormAndTheClockFillsTheOwnersCaption) {
    WriteManyFiles();
    Open(true);
    ChooseSiteIntoNew();
    int seen = 0;
    bool sourceEnabled = true, transferEnabled = false, statusShown = false, closeGreyed = false;
    std::string tip, buttonText;
    std::wstring ownerCaption;
    int barMoves = 0;
    {
        ControlWatch bar(ItemOf(*dialog, IDC_FSCT_FILE_BAR), [&](UINT message, WPARAM, LPARAM) {
            if (message == PBM_SETPOS) ++barMoves;
        });
        TextWatch watch(ItemOf(*dialog, IDC_FSCT_STATUS), [&](const std::wstring& text) {
            if (text.rfind(L"Transferring file", 0) != 0) return;
            if (++seen == 1) {
                sourceEnabled = IsEnabled(*dialog, IDC_FSCT_SOURCE_PATH);
                transferEnabled = IsEnabled(*dialog, IDC_FSCT_TRANSFER);
                statusShown = IsShown(*dialog, IDC_FSCT_STATUS) && IsShown(*dialog, IDC_FSCT_FILE_BAR);
                closeGreyed = CloseIsGreyed(*dialog);
                tip = dialog->transferTip();
                buttonText = TextOf(*dialog, IDC_FSCT_TRANSFER);
            } else if (seen == 3) {
                // One tick of the clock, with two files done.
                SendMessageW(dialog->hwnd(), WM_TIMER, 0, 0);
                ownerCaption = WindowText(owner);
            }
        });
        PressTransfer();
    }
    EXPECT_EQ(seen, 8);
    // Each file is converted in about 130 pieces, each reported; the bar follows at a
    // pace instead of being redrawn for every one of them.
    EXPECT_GE(barMoves, 16);
    EXPECT_LT(barMoves, 200);
    EXPECT_FALSE(sourceEnabled);
    EXPECT_TRUE(transferEnabled);
    EXPECT_TRUE(statusShown);
    EXPECT_TRUE(closeGreyed);
    EXPECT_EQ(tip, "Cancel Code Transfer");
    EXPECT_EQ(buttonText, "Cancel");
    // Two of eight equal files done: 25%.
    EXPECT_EQ(ownerCaption.rfind(L"Zelvo Site Transfer G->B - 25% Remaining Time ", 0), 0u) << ownerCaption;
    EXPECT_EQ(WindowText(owner), L"Owner caption");
    EXPECT_EQ(WrittenCount(), 8);
    ExpectIdle();
}

TEST_F(SiteTransferDialogRunTest, TransferButtonCancelsAfterYesAndGoesOnAfterNo) {
    WriteManyFiles();
    Open();
    ChooseSiteIntoNew();
    int seen = 0;
    auto clickAtSecondFile = [&](const std::wstring& text) {
        if (text.rfind(L"Transferring file", 0) != 0 || ++seen != 2) return;
        PostMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FSCT_TRANSFER, BN_CLICKED),
                     reinterpret_cast<LPARAM>(ItemOf(*dialog, IDC_FSCT_TRANSFER)));
        // The queue is looked at a few times in each tick of the clock; after this pause
        // the click is taken at the next piece of the second file.
        Sleep(30);
    };
    {
        TextWatch watch(ItemOf(*dialog, IDC_FSCT_STATUS), clickAtSecondFile);
        messages->answers.push_back(MessageAnswer{kIdNo});
        PressTransfer();
    }
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[0].text, LoadUiString(IDS_DIALOG_FSCT_PROMPT_RESUME));
    EXPECT_EQ(messages->shown[1].text.rfind("Congratulations", 0), 0u);
    EXPECT_EQ(WrittenCount(), 8);
    ExpectIdle();

    RemoveTree(destination);
    messages->shown.clear();
    seen = 0;
    {
        TextWatch watch(ItemOf(*dialog, IDC_FSCT_STATUS), clickAtSecondFile);
        messages->answers.push_back(MessageAnswer{kIdYes});
        PressTransfer();
    }
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[0].text, LoadUiString(IDS_DIALOG_FSCT_PROMPT_RESUME));
    EXPECT_EQ(messages->shown[1].text, "Transfer was canceled.");
    // The first file was done; the second stopped part way and never reached the disk.
    EXPECT_EQ(Read(destination + "\\a.txt"), ToBig5(text_));
    EXPECT_EQ(WrittenCount(), 1);
    EXPECT_FALSE(PathExists(destination + "\\b.txt"));
    ExpectIdle();
}

TEST_F(SiteTransferDialogRunTest, CloseIsRefusedWhileARunIsUnderWay) {
    WriteManyFiles();
    Open();
    ChooseSiteIntoNew();
    bool aliveAfterClose = false;
    {
        TextWatch watch(ItemOf(*dialog, IDC_FSCT_STATUS), [&](const std::wstring& text) {
            if (text.rfind(L"Transferring file", 0) != 0 || aliveAfterClose) return;
            SendMessageW(dialog->hwnd(), WM_CLOSE, 0, 0);
            SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            aliveAfterClose = IsWindow(dialog->hwnd()) != FALSE;
        });
        PressTransfer();
    }
    EXPECT_TRUE(aliveAfterClose);
    EXPECT_EQ(WrittenCount(), 8);
    // Idle again, Close works.
    SendMessageW(dialog->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->hwnd(), nullptr);
}

TEST_F(SiteTransferDialogTest, LabelsAndEnablingFollowTargetAndResultInNew) {
    Write("one.txt", kGbkText);
    Open();
    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_FILE);
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source + "\\one.txt");
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, root + "\\none.txt");
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_SOURCE_LABEL), "S&ource File:");
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_DESTINATION_LABEL), "&Destination File:");
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_RESULT_IN_NEW), "&Result in a new file");
    EXPECT_FALSE(IsShown(*dialog, IDC_FSCT_INCLUDE_SUB_FOLDERS));
    EXPECT_FALSE(IsShown(*dialog, IDC_FSCT_COPY_NON_TEXT));
    EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_DESTINATION_PATH));
    EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_SOURCE_VIEW));
    EXPECT_FALSE(IsEnabled(*dialog, IDC_FSCT_DESTINATION_VIEW));  // no such file yet
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, source + "\\one.txt");
    EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_DESTINATION_VIEW));

    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, false);
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_SOURCE_LABEL), "S&ource/Destination File:");
    for (int id : {IDC_FSCT_DESTINATION_LABEL, IDC_FSCT_DESTINATION_PATH, IDC_FSCT_DESTINATION_BROWSE,
                   IDC_FSCT_DESTINATION_VIEW})
        EXPECT_FALSE(IsEnabled(*dialog, id)) << id;

    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_SITE);
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_SOURCE_LABEL), "S&ource/Destination Site:");
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_DESTINATION_LABEL), "&Destination Site:");
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_RESULT_IN_NEW), "&Result in a new site");
    EXPECT_TRUE(IsShown(*dialog, IDC_FSCT_INCLUDE_SUB_FOLDERS));
    EXPECT_FALSE(IsShown(*dialog, IDC_FSCT_COPY_NON_TEXT));
    EXPECT_FALSE(IsEnabled(*dialog, IDC_FSCT_SOURCE_VIEW));  // a file is no site
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source);
    EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_SOURCE_VIEW));

    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
    EXPECT_EQ(TextOf(*dialog, IDC_FSCT_SOURCE_LABEL), "S&ource Site:");
    EXPECT_TRUE(IsShown(*dialog, IDC_FSCT_COPY_NON_TEXT));
    EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_DESTINATION_BROWSE));
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, root);
    EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_DESTINATION_VIEW));
    EXPECT_EQ(WindowText(dialog->hwnd()), L"File / Site Code Transfer");
}

TEST_F(SiteTransferDialogTest, SettingsAreReadOnOpenAndWrittenWhenTheDialogCloses) {
    WriteRegInt("FSCT", "File", 2);
    WriteRegInt("FSCT", "Result In New", 0);
    WriteRegInt("FSCT", "Include Sub Folders", 0);
    WriteRegInt("FSCT", "GBK -> Big5", 0);
    WriteRegString("FSCT", "Source Path", source);
    WriteRegString("FSCT", "Destination Path", "C:\\elsewhere");
    WriteRegString("FSCT", "Cache Path", root + "\\no such cache");
    Open();
    EXPECT_TRUE(IsDlgButtonChecked(dialog->hwnd(), IDC_FSCT_TARGET_SITE));  // 2 is no file
    EXPECT_FALSE(IsDlgButtonChecked(dialog->hwnd(), IDC_FSCT_TARGET_FILE));
    EXPECT_FALSE(IsDlgButtonChecked(dialog->hwnd(), IDC_FSCT_RESULT_IN_NEW));
    EXPECT_FALSE(IsDlgButtonChecked(dialog->hwnd(), IDC_FSCT_INCLUDE_SUB_FOLDERS));
    EXPECT_TRUE(IsDlgButtonChecked(dialog->hwnd(), IDC_FSCT_COPY_NON_TEXT));  // default
    EXPECT_TRUE(IsDlgButtonChecked(dialog->hwnd(), IDC_FSCT_BIG5_TO_GBK));
    EXPECT_EQ(GetWindowTextIn(ItemOf(*dialog, IDC_FSCT_SOURCE_PATH), SystemCodePage()), source);
    EXPECT_EQ(GetWindowTextIn(ItemOf(*dialog, IDC_FSCT_DESTINATION_PATH), SystemCodePage()), "C:\\elsewhere");
    EXPECT_EQ(dialog->cachePath(), appFolder + "\\temp");
    EXPECT_TRUE(FolderExists(appFolder + "\\temp"));
    EXPECT_EQ(state, kTransferStopped);

    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_FILE);
    ChooseRadio(*dialog, IDC_FSCT_GBK_TO_BIG5, IDC_FSCT_BIG5_TO_GBK, IDC_FSCT_GBK_TO_BIG5);
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
    SetCheck(*dialog, IDC_FSCT_COPY_NON_TEXT, false);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source + "\\x.txt");
    SendMessageW(dialog->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->hwnd(), nullptr);
    EXPECT_EQ(ReadRegInt("FSCT", "File", -1), 1);
    EXPECT_EQ(ReadRegInt("FSCT", "Result In New", -1), 1);
    EXPECT_EQ(ReadRegInt("FSCT", "Include Sub Folders", -1), 0);
    EXPECT_EQ(ReadRegInt("FSCT", "Copy Non-text File(s)", -1), 0);
    EXPECT_EQ(ReadRegInt("FSCT", "GBK -> Big5", -1), 1);
    EXPECT_EQ(ReadRegString("FSCT", "Source Path", ""), source + "\\x.txt");
    EXPECT_EQ(ReadRegString("FSCT", "Destination Path", ""), "C:\\elsewhere");
    // The cache path is only read.
    EXPECT_EQ(ReadRegString("FSCT", "Cache Path", ""), root + "\\no such cache");

    // File = 1 opens on a file; an existing cache folder is kept.
    WriteRegString("FSCT", "Cache Path", source);
    Open();
    EXPECT_TRUE(IsDlgButtonChecked(dialog->hwnd(), IDC_FSCT_TARGET_FILE));
    EXPECT_EQ(dialog->cachePath(), source);
}

TEST_F(SiteTransferDialogTest, SettingsReachTheRealRegistryAsDwordsAndStrings) {
    std::unique_ptr<RegistryBackend> memory = SetRegistryBackend(CreatePlatformRegistryBackend());
    const std::string testRoot =
        "software\\Tolvane\\ZelvoTest\\site-dialog-" + std::to_string(GetTickCount());
    SetRegistryRoot(testRoot);
    Open();
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source);
    dialog.reset();
    SetRegistryRoot(kRegistryRootPath);
    SetRegistryBackend(std::move(memory));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (testRoot + "\\FSCT").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, value = 99, size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(key, "File", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 0u);  // the default: a site
    char text[MAX_PATH] = {};
    size = sizeof text;
    EXPECT_EQ(RegQueryValueExA(key, "Source Path", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(text), source);
    RegCloseKey(key);
}

TEST_F(SiteTransferDialogTest, BrowseStartsInTheRightFolderAndRemembersTheChoice) {
    Write("pick.txt", kGbkText);
    Open();
    std::vector<SiteTransferBrowseRequest> requests;
    std::string answer;
    dialog->SetBrowseHandler([&](const SiteTransferBrowseRequest& request, std::string& chosen) {
        requests.push_back(request);
        chosen = answer;
        return !answer.empty();
    });
    WriteRegString("FSCT", "Last Source File Folder", root);
    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_FILE);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, "");
    answer = source + "\\pick.txt";
    Click(*dialog, IDC_FSCT_SOURCE_BROWSE);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].forFolder);
    EXPECT_EQ(requests[0].startFolder, root);  // the path was empty
    EXPECT_EQ(requests[0].filter, "All Files(*.*)|*.*||");
    EXPECT_EQ(dialog->options().sourcePath, source + "\\pick.txt");
    EXPECT_EQ(ReadRegString("FSCT", "Last Source File Folder", ""), source);
    EXPECT_TRUE(IsEnabled(*dialog, IDC_FSCT_SOURCE_VIEW));

    // A site: the folder browser, starting in the folder part of the current path; a
    // cancelled browse changes nothing.
    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_SITE);
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, root + "\\out\\site");
    answer.clear();
    Click(*dialog, IDC_FSCT_DESTINATION_BROWSE);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[1].forFolder);
    EXPECT_TRUE(requests[1].forDestination);
    EXPECT_EQ(requests[1].startFolder, root + "\\out");
    EXPECT_EQ(requests[1].title, "Browse for folder of the site");
    EXPECT_EQ(dialog->options().destinationPath, root + "\\out\\site");
    EXPECT_EQ(ReadRegString("FSCT", "Last Destination File Folder", "unset"), "unset");
}

TEST_F(SiteTransferDialogTest, ViewOpensAFileInANewEditorAndExploresASite) {
    Write("view.txt", kGbkText);
    Open();
    std::vector<std::vector<std::string>> calls;
    dialog->SetShellHandler(
        [&](const std::string& verb, const std::string& file, const std::string& parameters) {
            calls.push_back({verb, file, parameters});
        });
    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_FILE);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source + "\\view.txt");
    Click(*dialog, IDC_FSCT_SOURCE_VIEW);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0],
              (std::vector<std::string>{"open", ProgramFilePath(), "\"" + source + "\\view.txt\""}));

    ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_SITE);
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, source);
    Click(*dialog, IDC_FSCT_SOURCE_VIEW);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1], (std::vector<std::string>{"explore", source, ""}));

    // A missing folder or a destination that is not in use opens nothing.
    SetPath(*dialog, IDC_FSCT_SOURCE_PATH, root + "\\gone");
    Click(*dialog, IDC_FSCT_SOURCE_VIEW);
    SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, false);
    SetPath(*dialog, IDC_FSCT_DESTINATION_PATH, source);
    Click(*dialog, IDC_FSCT_DESTINATION_VIEW);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(SiteTransferDialogTest, ChineseUiShowsItsLabelsInItsCodePageAndCharset) {
    const struct {
        int lcid;
        int codePage;
        int charset;
    } languages[] = {{kLcidSimplifiedChinese, 936, GB2312_CHARSET},
                     {kLcidTraditionalChinese, 950, CHINESEBIG5_CHARSET}};
    for (const auto& language : languages) {
        SCOPED_TRACE(language.lcid);
        SetUiLcid(language.lcid);
        SetUiCodePage(language.codePage);
        Open();
        ChooseRadio(*dialog, IDC_FSCT_TARGET_FILE, IDC_FSCT_TARGET_SITE, IDC_FSCT_TARGET_SITE);
        SetCheck(*dialog, IDC_FSCT_RESULT_IN_NEW, true);
        const std::wstring label = WindowText(ItemOf(*dialog, IDC_FSCT_SOURCE_LABEL));
        EXPECT_EQ(label, WidenText(LoadUiString(IDS_DIALOG_FSCT_SOURCE_SITE_O), language.codePage));
        EXPECT_EQ(label.substr(label.size() - 5), L"(&O):");
        EXPECT_GE(label[0], 0x4E00);  // a Han character, not bytes shown one by one
        EXPECT_EQ(WindowText(dialog->hwnd()),
                  WidenText(LoadUiString(IDS_DIALOG_FSCT_CAPTION), language.codePage));
        HFONT font =
            reinterpret_cast<HFONT>(SendMessageW(ItemOf(*dialog, IDC_FSCT_SOURCE_LABEL), WM_GETFONT, 0, 0));
        LOGFONTW logFont{};
        ASSERT_TRUE(GetObjectW(font, sizeof logFont, &logFont));
        EXPECT_EQ(logFont.lfCharSet, language.charset);
        dialog.reset();
    }
}

}  // namespace
}  // namespace zelvo
