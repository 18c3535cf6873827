// The main window's code transfers driven by their commands: edit areas in both
// directions and both targets, the progress dialog for long texts and its cancel, and the
// clipboard.
#include <windows.h>

#include "app/language_table.h"
#include "convert/pipeline.h"
#include "resources/resource.h"
#include "services/win/toolkit/clipboard.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

std::string Direct(MainWindow& window, const std::string& source, bool fromBig5, int mode = 0) {
    std::string result;
    ConversionContext& context = window.conversionContext();
    volatile int state = kTransferRunning;
    ConversionContext copy;
    copy.g2bLibs = context.g2bLibs;
    copy.b2gLibs = context.b2gLibs;
    copy.g2bAppliedTotal = context.g2bAppliedTotal;
    copy.b2gAppliedTotal = context.b2gAppliedTotal;
    copy.control.transferState = &state;
    if (fromBig5)
        TransferBig5Text(copy, nullptr, source, result, mode);
    else
        TransferGbkText(copy, nullptr, source, result, mode);
    return result;
}

// GBK text of exactly n bytes, lines of common words.
std::string GbkTextOfLength(size_t n) {
    const std::string line =
        "\xD6\xD0\xB9\xFA\xB5\xC4\xCA\xC7\xD4\xDA\xB2\xBB\xC8\xED\xBC\xFE\xB7\xA2\xD5\xB9\r\n";
    std::string text;
    while (text.size() + line.size() <= n) text += line;
    text.append(n - text.size(), 'x');
    return text;
}

BOOL CALLBACK MatchOwnedDialog(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(data);
    if (GetWindow(window, GW_OWNER) != found->first || !IsWindowVisible(window)) return TRUE;
    found->second = window;
    return FALSE;
}

// The progress dialog the main window has open, if any.
HWND ProgressDialogOf(HWND owner) {
    std::pair<HWND, HWND> found{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchOwnedDialog, reinterpret_cast<LPARAM>(&found));
    return found.second && GetDlgItem(found.second, IDC_PROGRESS_BAR) ? found.second : nullptr;
}

TEST_F(MainWindowTest, GbkToBig5PutsTheConversionIntoTheDestination) {
    std::string sample;
    ASSERT_TRUE(ReadFileBytes(JoinPath(JoinPath(distFolder_, "samples"), "gbk-sample.txt"), sample));
    MainWindow& window = Open();
    ASSERT_GT(window.conversionContext().g2bAppliedTotal, 0);  // the shipped libs are loaded
    window.SelectLanguage(EditArea::kDestination, 0);
    window.SetAreaText(EditArea::kSource, sample);
    window.RunCommand(IDM_TRANSFER_G2B);
    std::string expected = Direct(window, sample, false);
    ASSERT_FALSE(expected.empty());
    EXPECT_NE(expected, sample);
    EXPECT_EQ(window.DestinationText(), expected);
    EXPECT_EQ(window.SourceText(), sample);
    EXPECT_EQ(window.sourceLanguageIndex(), kGbkLanguageIndex);
    EXPECT_EQ(window.destinationLanguageIndex(), kBig5LanguageIndex);
    EXPECT_TRUE(window.documents().IsModified(EditArea::kDestination));
    EXPECT_EQ(window.StatusPaneText(0), "Ready");
    EXPECT_TRUE(messages_->shown.empty());

    // And back: the Big5 text in the Source area converted to GBK.
    window.SelectLanguage(EditArea::kSource, kBig5LanguageIndex);
    window.SetAreaText(EditArea::kSource, expected);
    Answer(kIdNo);  // discard the modified Destination text
    window.RunCommand(IDM_TRANSFER_B2G);
    EXPECT_EQ(window.DestinationText(), Direct(window, expected, true));
    EXPECT_EQ(window.sourceLanguageIndex(), kBig5LanguageIndex);
    EXPECT_EQ(window.destinationLanguageIndex(), kGbkLanguageIndex);
}

TEST_F(MainWindowTest, TransferToSourceReplacesTheSourceText) {
    MainWindow& window = Open();
    window.RunCommand(IDM_TRANSFER_TO_SOURCE);
    EXPECT_EQ(ReadRegInt("Code Transfer", "UI Display Source 2 Source", -1), 1);
    EXPECT_EQ(window.toolTips().TipOf(window.Item(IDM_TRANSFER_G2B)),
              WidenUiText(LoadUiString(IDS_TIP_G2B_S2S)));
    window.SetAreaText(EditArea::kSource, kGbkText);
    window.SetAreaText(EditArea::kDestination, "untouched");
    window.RunCommand(IDM_TRANSFER_GBK_S2T);
    EXPECT_EQ(window.SourceText(), Direct(window, kGbkText, false, 1));
    EXPECT_EQ(window.DestinationText(), "untouched");

    window.RunCommand(IDM_TRANSFER_TO_DESTINATION);
    EXPECT_EQ(ReadRegInt("Code Transfer", "UI Display Source 2 Source", -1), 0);
    EXPECT_EQ(window.toolTips().TipOf(window.Item(IDM_TRANSFER_G2B)),
              WidenUiText(LoadUiString(IDS_TIP_G2B_S2D)));
}

TEST_F(MainWindowTest, RefusedDestinationCloseLeavesEverything) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, kGbkText);
    window.SetDestinationText("edited by hand");
    Answer(kIdCancel);
    window.RunCommand(IDM_TRANSFER_G2B);
    EXPECT_EQ(window.DestinationText(), "edited by hand");
    EXPECT_EQ(window.SourceText(), kGbkText);
    EXPECT_EQ(window.StatusPaneText(0), "Ready");
}

TEST_F(MainWindowTest, LongTextRunsInTheProgressDialogAndACancelChangesNothing) {
    const std::string source = GbkTextOfLength(100001);
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, source);

    // Run to the end: the result is the direct conversion.
    int dialogsSeen = 0;
    auto pump = window.conversionContext().control.pumpMessages;
    window.conversionContext().control.pumpMessages = [&] {
        if (ProgressDialogOf(window.hwnd())) ++dialogsSeen;
        pump();
    };
    window.RunCommand(IDM_TRANSFER_G2B);
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_FALSE(window.conversionContext().cancelled);
    EXPECT_GT(dialogsSeen, 0);
    EXPECT_EQ(window.DestinationText(), Direct(window, source, false));

    // Under the Source->Source option, a confirmed cancel leaves both areas as they were.
    window.RunCommand(IDM_TRANSFER_TO_SOURCE);
    std::string destination = window.DestinationText();
    int pumps = 0;
    window.conversionContext().control.pumpMessages = [&] {
        if (++pumps == 3) {
            HWND dialog = ProgressDialogOf(window.hwnd());
            if (dialog)
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PROGRESS_CANCEL)));
        }
        pump();
    };
    messages_->shown.clear();
    Answer(kIdYes);
    window.RunCommand(IDM_TRANSFER_G2B);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, LoadUiString(IDS_DIALOG_FSCT_PROMPT_RESUME));
    EXPECT_TRUE(window.conversionContext().cancelled);
    EXPECT_EQ(window.SourceText(), source);
    EXPECT_EQ(window.DestinationText(), destination);
    EXPECT_EQ(window.sourceLanguageIndex(), kGbkLanguageIndex);
    EXPECT_EQ(window.StatusPaneText(0), "Ready");

    // 100,000 bytes convert directly, without the dialog.
    window.conversionContext().control.pumpMessages = [&] {
        if (ProgressDialogOf(window.hwnd())) ++dialogsSeen;
        pump();
    };
    dialogsSeen = 0;
    std::string shorter = GbkTextOfLength(100000);
    window.SetAreaText(EditArea::kSource, shorter);
    window.RunCommand(IDM_TRANSFER_G2B);
    EXPECT_EQ(dialogsSeen, 0);
    EXPECT_EQ(window.SourceText(), Direct(window, shorter, false));
}

TEST_F(MainWindowTest, ClipboardTransferConvertsTheClipboardText) {
    MainWindow& window = Open();
    ASSERT_TRUE(SetClipboardText(window.hwnd(), kGbkText));
    window.RunCommand(IDM_CLIPBOARD_G2B);
    std::string converted;
    ASSERT_TRUE(GetClipboardText(window.hwnd(), converted));
    EXPECT_EQ(converted, Direct(window, kGbkText, false));
    EXPECT_EQ(window.StatusPaneText(0), "Clipboard transfer successful!");
    EXPECT_TRUE(messages_->shown.empty());

    window.RunCommand(IDM_CLIPBOARD_B2G);
    std::string back;
    ASSERT_TRUE(GetClipboardText(window.hwnd(), back));
    EXPECT_EQ(back, Direct(window, converted, true));

    // Copy and Paste between the areas keep the bytes, whatever the system code page is.
    window.SetAreaText(EditArea::kSource, kGbkText);
    window.RunCommand(IDM_SOURCE_COPY_ALL);
    window.SelectLanguage(EditArea::kDestination, kGbkLanguageIndex);
    window.RunCommand(IDM_DESTINATION_PASTE);
    EXPECT_EQ(window.DestinationText(), kGbkText);
    std::string onClipboard;
    ASSERT_TRUE(GetClipboardText(window.hwnd(), onClipboard));
    EXPECT_EQ(onClipboard, kGbkText);
}

TEST_F(MainWindowTest, UndoAfterATransferBringsThePreviousTextBack) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, kGbkText);
    window.SetAreaText(EditArea::kDestination, "previous text");
    window.RunCommand(IDM_TRANSFER_G2B);
    ASSERT_EQ(window.DestinationText(), Direct(window, kGbkText, false));
    window.RunCommand(IDM_DESTINATION_UNDO);
    EXPECT_EQ(window.DestinationText(), "previous text");

    // Into the Source area: Undo gives back the GBK text that was converted.
    window.RunCommand(IDM_TRANSFER_TO_SOURCE);
    window.RunCommand(IDM_TRANSFER_GBK_S2T);
    ASSERT_EQ(window.SourceText(), Direct(window, kGbkText, false, 1));
    window.RunCommand(IDM_SOURCE_UNDO);
    EXPECT_EQ(window.SourceText(), kGbkText);
    window.RunCommand(IDM_TRANSFER_TO_DESTINATION);
}

}  // namespace
}  // namespace zelvo
