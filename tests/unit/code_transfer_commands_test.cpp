// The edit-area and clipboard transfer flows over a recording host: where the result
// goes, what the user is asked, what stays untouched when something is refused or
// cancelled, and which texts the status bar shows.
#include "app/code_transfer_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "convert/code_tables.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedMessages;

// GBK "中文 简体", GBK with traditional characters "國語 體", Big5 "中文".
const std::string kGbkLine = "\xD6\xD0\xCE\xC4 \xBC\xF2\xCC\xE5 text\r\n";
const std::string kGbkTraditionalLine = "\x87\xF8\xD5\x5A \xF3\x77 text\r\n";
const std::string kBig5Line = "\xA4\xA4\xA4\xE5 Big5 text\r\n";

// A text of exactly n bytes made of whole lines of line, padded with ASCII.
std::string TextOfLength(const std::string& line, size_t n) {
    std::string text;
    while (text.size() + line.size() <= n) text += line;
    text.append(n - text.size(), 'x');
    return text;
}

std::string Converted(const std::string& source, bool fromBig5, int mode) {
    ConversionContext context;
    std::string result;
    if (fromBig5)
        TransferBig5Text(context, nullptr, source, result, mode);
    else
        TransferGbkText(context, nullptr, source, result, mode);
    return result;
}

class RecordingSink : public ProgressSink {
  public:
    void Begin(long total) override { ++begins; }
    void Position(long done) override { ++positions; }
    void End() override { ++ends; }
    int begins = 0, positions = 0, ends = 0;
};

class FakeHost : public CodeTransferHost {
  public:
    FakeHost() {
        context.control.transferState = &state;
        context.control.pumpMessages = [this] {
            ++pumps;
            if (onPump) onPump();
        };
        context.control.sleep = [](int) {};
    }

    bool IsNt() const override { return nt; }
    bool TransferToSource() const override { return toSource; }
    bool StatusBarShown() const override { return statusBarShown; }

    std::string SourceText() const override { return source; }
    std::string DestinationText() const override { return destination; }
    void SetSourceText(const std::string& text) override {
        ++sourceWrites;
        source = text;
    }
    void SetDestinationText(const std::string& text) override {
        ++destinationWrites;
        destination = text.substr(0, destinationCapacity);
    }
    void ShowDestinationArea() override { destinationShown = true; }
    bool CloseDestinationDocument() override {
        ++closes;
        if (refuseClose) return false;
        destination.clear();
        return true;
    }
    void SelectSourceLanguage(int index) override { sourceSelector = index; }
    void SelectDestinationLanguage(int index) override { destinationSelector = index; }

    void ShowStatusText(const std::string& text) override { status.push_back(text); }
    void ShowTimedStatusText(const std::string& text, int milliseconds) override {
        status.push_back("timed " + std::to_string(milliseconds) + ": " + text);
    }
    void RestoreReadyStatus() override { status.push_back("Ready"); }
    void Refresh() override { ++refreshes; }
    void BeginWaitCursor() override { ++waitCursor; }
    void EndWaitCursor() override { --waitCursor; }

    bool GetClipboardText(std::string& text) override {
        if (!clipboardHasText) return false;
        text = clipboard;
        return true;
    }
    bool SetClipboardText(const std::string& text) override {
        if (!clipboardWritable) return false;
        ++clipboardWrites;
        clipboardHasText = true;
        clipboard = text;
        return true;
    }

    ConversionContext& TransferContext() override { return context; }
    ProgressSink* MainWindowProgress() override { return &sink; }
    bool RunInProgressDialog(const CodeTransferRequest& request, const std::string& caption,
                             std::string_view text, std::string& result) override {
        ++dialogRuns;
        dialogCaption = caption;
        state = kTransferRunning;
        if (dialogCancels) {
            // What a cancel confirmed after the first piece leaves behind.
            result = "partial";
            context.cancelled = true;
            state = kTransferStopped;
            return false;
        }
        return request.fromBig5 ? TransferBig5Text(context, nullptr, text, result, request.mode)
                                : TransferGbkText(context, nullptr, text, result, request.mode);
    }

    bool nt = true;
    bool toSource = false;
    bool statusBarShown = true;
    std::string source;
    std::string destination = "old destination";
    size_t destinationCapacity = std::string::npos;
    bool destinationShown = false;
    bool refuseClose = false;
    int sourceSelector = 0;
    int destinationSelector = 0;
    int closes = 0, sourceWrites = 0, destinationWrites = 0, refreshes = 0, waitCursor = 0, pumps = 0;
    std::vector<std::string> status;
    bool clipboardHasText = false;
    bool clipboardWritable = true;
    std::string clipboard;
    int clipboardWrites = 0;
    volatile int state = kTransferRunning;
    ConversionContext context;
    RecordingSink sink;
    std::function<void()> onPump;
    int dialogRuns = 0;
    bool dialogCancels = false;
    std::string dialogCaption;
};

std::string Timed(int stringId) {
    return "timed 2000: " + LoadUiString(stringId);
}

class CodeTransferCommandsTest : public ::testing::Test {
  protected:
    ScopedMessages messages;
    FakeHost host;
    CodeTransferCommands commands{host};
};

TEST_F(CodeTransferCommandsTest, EachDirectionPutsItsResultAndSetsTheSelectors) {
    struct Case {
        CodeTransferDirection direction;
        bool fromBig5;
        int mode;
        int caption;
        int statusText;
        int resultIndex;  // selector of the area that receives the result
        int sourceIndexWhenToDestination;
    };
    const Case cases[] = {
        {CodeTransferDirection::kGbkToBig5, false, kModeCross, IDS_DIALOG_CTP_EACT_G2B,
         IDS_DIALOG_ZELVO_STATUS_CT_GBK_TO_BIG5, 3, 1},
        {CodeTransferDirection::kBig5ToGbk, true, kModeCross, IDS_DIALOG_CTP_EACT_B2G,
         IDS_DIALOG_ZELVO_STATUS_CT_BIG5_TO_GBK, 1, 3},
        {CodeTransferDirection::kGbkSimplifiedToTraditional, false, kModeSimplifiedToTraditional,
         IDS_DIALOG_CTP_EACT_GBK_S2T, IDS_DIALOG_ZELVO_STATUS_CT_GBK_S2T, 1, 1},
        {CodeTransferDirection::kGbkTraditionalToSimplified, false, kModeTraditionalToSimplified,
         IDS_DIALOG_CTP_EACT_GBK_T2S, IDS_DIALOG_ZELVO_STATUS_CT_GBK_T2S, 1, 1},
    };
    for (const Case& c : cases) {
        for (bool toSource : {false, true}) {
            SCOPED_TRACE(static_cast<int>(c.direction) * 10 + toSource);
            FakeHost fresh;
            CodeTransferCommands freshCommands(fresh);
            fresh.toSource = toSource;
            const std::string& line = c.fromBig5                               ? kBig5Line
                                      : c.mode == kModeTraditionalToSimplified ? kGbkTraditionalLine
                                                                               : kGbkLine;
            fresh.source = TextOfLength(line, 2000);
            const std::string original = fresh.source;
            const std::string expected = Converted(original, c.fromBig5, c.mode);
            ASSERT_TRUE(expected != original);

            const CodeTransferRequest request = EditAreaTransferRequest(c.direction);
            EXPECT_EQ(request.fromBig5, c.fromBig5);
            EXPECT_EQ(request.mode, c.mode);
            EXPECT_EQ(request.captionId, c.caption);

            freshCommands.EditAreaTransfer(c.direction);

            if (toSource) {
                EXPECT_EQ(fresh.source, expected);
                EXPECT_EQ(fresh.destination, "old destination");
                EXPECT_EQ(fresh.closes, 0);
                EXPECT_FALSE(fresh.destinationShown);
                EXPECT_EQ(fresh.sourceSelector, c.resultIndex);
                EXPECT_EQ(fresh.destinationSelector, 0);
            } else {
                EXPECT_EQ(fresh.destination, expected);
                EXPECT_EQ(fresh.source, original);
                EXPECT_EQ(fresh.closes, 1);
                EXPECT_TRUE(fresh.destinationShown);
                EXPECT_EQ(fresh.sourceSelector, c.sourceIndexWhenToDestination);
                EXPECT_EQ(fresh.destinationSelector, c.resultIndex);
            }
            ASSERT_EQ(fresh.status.size(), 2u);
            EXPECT_EQ(fresh.status[0], LoadUiString(c.statusText));
            EXPECT_EQ(fresh.status[1], "Ready");
            EXPECT_GE(fresh.refreshes, 1);
            // Direct conversion: under a wait cursor, with the main window's progress.
            EXPECT_EQ(fresh.waitCursor, 0);
            EXPECT_EQ(fresh.dialogRuns, 0);
            EXPECT_EQ(fresh.sink.begins, 1);
            EXPECT_EQ(fresh.sink.ends, 1);
        }
    }
}

TEST_F(CodeTransferCommandsTest, RefusedCloseOfTheDestinationLeavesEverything) {
    host.source = TextOfLength(kGbkLine, 600);
    host.refuseClose = true;
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.destination, "old destination");
    EXPECT_EQ(host.sourceWrites + host.destinationWrites, 0);
    EXPECT_EQ(host.sourceSelector, 0);
    EXPECT_EQ(host.destinationSelector, 0);
    EXPECT_EQ(host.status.back(), "Ready");
}

TEST_F(CodeTransferCommandsTest, CancelLeavesBothAreasAndTheSelectors) {
    // In the progress dialog.
    host.source = TextOfLength(kGbkLine, kProgressDialogMinimumBytes);
    const std::string original = host.source;
    host.dialogCancels = true;
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.dialogRuns, 1);
    EXPECT_EQ(host.source, original);
    EXPECT_EQ(host.destination, "old destination");
    EXPECT_EQ(host.closes, 0);  // the Destination document is kept, not closed
    EXPECT_EQ(host.sourceWrites + host.destinationWrites, 0);
    EXPECT_EQ(host.sourceSelector, 0);
    EXPECT_EQ(host.destinationSelector, 0);
    EXPECT_EQ(host.status.back(), "Ready");

    // A direct conversion stopped from inside the pump, into the Source area.
    FakeHost direct;
    CodeTransferCommands directCommands(direct);
    direct.toSource = true;
    direct.source = TextOfLength(kGbkLine, 5000);
    const std::string directOriginal = direct.source;
    direct.onPump = [&direct] {
        if (direct.pumps == 3) direct.state = kTransferStopped;
    };
    directCommands.EditAreaTransfer(CodeTransferDirection::kBig5ToGbk);
    EXPECT_EQ(direct.pumps, 3);
    EXPECT_TRUE(direct.context.cancelled);
    EXPECT_EQ(direct.source, directOriginal);
    EXPECT_EQ(direct.destination, "old destination");
    EXPECT_EQ(direct.sourceWrites + direct.destinationWrites, 0);
    EXPECT_EQ(direct.sourceSelector, 0);
    EXPECT_EQ(direct.status.back(), "Ready");
}

TEST_F(CodeTransferCommandsTest, LongTextsRunInTheProgressDialogWithTheDirectionsCaption) {
    host.source = TextOfLength(kGbkLine, kProgressDialogMinimumBytes - 1);
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.dialogRuns, 0);
    EXPECT_EQ(host.sink.begins, 1);
    EXPECT_EQ(host.destination, Converted(host.source, false, kModeCross));

    host.source = TextOfLength(kGbkLine, kProgressDialogMinimumBytes);
    commands.EditAreaTransfer(CodeTransferDirection::kGbkTraditionalToSimplified);
    EXPECT_EQ(host.dialogRuns, 1);
    EXPECT_EQ(host.dialogCaption, "Edit Area Transfer (GBK Traditional->Simplified)");
    EXPECT_EQ(host.sink.begins, 1);  // the dialog, not the main window, showed this one
    EXPECT_EQ(host.destination, Converted(host.source, false, kModeTraditionalToSimplified));

    EXPECT_FALSE(RunsInProgressDialog(100000));
    EXPECT_TRUE(RunsInProgressDialog(100001));
}

TEST_F(CodeTransferCommandsTest, StoppedStateLeftByAnEarlierCancelDoesNotCutTheNextConversion) {
    host.source = TextOfLength(kGbkLine, 4000);
    host.state = kTransferStopped;
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.destination, Converted(host.source, false, kModeCross));
    EXPECT_FALSE(host.context.cancelled);
}

TEST_F(CodeTransferCommandsTest, ATransferStartedWhileOneIsPumpingIsIgnored) {
    host.source = TextOfLength(kGbkLine, 3000);
    bool busyWhilePumping = false;
    host.onPump = [this, &busyWhilePumping] {
        busyWhilePumping = commands.Busy();
        if (host.pumps == 1) {
            commands.EditAreaTransfer(CodeTransferDirection::kBig5ToGbk);
            commands.ClipboardTransfer(CodeTransferDirection::kGbkToBig5);
        }
    };
    host.clipboardHasText = true;
    host.clipboard = kGbkLine;
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_TRUE(busyWhilePumping);
    EXPECT_FALSE(commands.Busy());
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.clipboard, kGbkLine);
    EXPECT_EQ(host.destination, Converted(host.source, false, kModeCross));
}

TEST_F(CodeTransferCommandsTest, NonNtLongTextToDestinationOffersTheClipboard) {
    host.nt = false;
    host.source = TextOfLength(kGbkLine, kNonNtDestinationMaximumBytes + 1);
    const std::string original = host.source;

    // No: nothing happens at all.
    messages->answers.push_back({kIdNo});
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    ASSERT_EQ(messages->shown.size(), 1u);
    const MessageRequest& question = messages->shown[0];
    EXPECT_EQ(question.text, LoadUiString(IDS_MESSAGE_PROMPT_CLIP_BOARD_CT_INSTEAD_OF_EA_CT_IN_9X));
    EXPECT_EQ(question.style & 0xF, static_cast<unsigned>(kMbYesNo));
    EXPECT_TRUE(question.detailsEnabled);
    EXPECT_EQ(question.details, "QX_HELP_UG_SYS_REQ");
    EXPECT_EQ(host.closes, 0);
    EXPECT_EQ(host.clipboardWrites, 0);
    EXPECT_EQ(host.destination, "old destination");

    // Yes: the Source text goes through the clipboard transfer; the areas stay.
    messages->answers.push_back({kIdYes});
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.clipboardWrites, 2);
    EXPECT_EQ(host.clipboard, Converted(original, false, kModeCross));
    EXPECT_EQ(host.closes, 0);
    EXPECT_EQ(host.destination, "old destination");
    EXPECT_EQ(host.source, original);
    EXPECT_EQ(host.status.front(), LoadUiString(IDS_DIALOG_ZELVO_STATUS_CT_GBK_TO_BIG5));
    EXPECT_EQ(host.status.back(), Timed(IDS_DIALOG_ZELVO_PROMPT_CLIPBOARD_TRANSFER_SUCCESSFUL));

    // The Source text cannot be put on the clipboard: the old clipboard text is not
    // converted in its place.
    host.clipboard = "earlier clipboard text";
    host.clipboardWritable = false;
    messages->answers.push_back({kIdYes});
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.clipboard, "earlier clipboard text");
    EXPECT_EQ(host.status.back(), Timed(IDS_ERROR_MISC_CANT_OPEN_CLIPBOARD));
    EXPECT_EQ(messages->shown.size(), 3u);
}

TEST_F(CodeTransferCommandsTest, NonNtQuestionOnlyForLongTextsIntoTheDestination) {
    host.nt = false;
    host.source = TextOfLength(kGbkLine, kNonNtDestinationMaximumBytes);
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(host.destination, Converted(host.source, false, kModeCross));

    FakeHost toSource;
    CodeTransferCommands toSourceCommands(toSource);
    toSource.nt = false;
    toSource.toSource = true;
    toSource.source = TextOfLength(kGbkLine, 30000);
    const std::string expected = Converted(toSource.source, false, kModeCross);
    toSourceCommands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(toSource.source, expected);

    FakeHost nt;
    CodeTransferCommands ntCommands(nt);
    nt.source = TextOfLength(kGbkLine, 30000);
    ntCommands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(nt.destination, Converted(nt.source, false, kModeCross));
}

TEST_F(CodeTransferCommandsTest, NonNtDestinationThatTookOnlyPartOfTheResultOffersTheClipboard) {
    host.nt = false;
    host.destinationCapacity = 100;
    host.source = TextOfLength(kGbkLine, 1000);
    const std::string expected = Converted(host.source, false, kModeCross);

    messages->answers.push_back({kIdNo});
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, LoadUiString(IDS_MESSAGE_PROMPT_CLIP_BOARD_CT_INSTEAD_OF_EA_CT_IN_9X));
    EXPECT_EQ(host.clipboardWrites, 0);

    messages->answers.push_back({kIdYes});
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.clipboard, expected);
    EXPECT_EQ(host.destination, expected.substr(0, 100));

    // A Destination that took it all asks nothing.
    host.destinationCapacity = std::string::npos;
    commands.EditAreaTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(messages->shown.size(), 2u);
}

TEST_F(CodeTransferCommandsTest, ClipboardWithoutTextDoesNothing) {
    commands.ClipboardTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.status,
              (std::vector<std::string>{LoadUiString(IDS_DIALOG_ZELVO_STATUS_CT_GBK_TO_BIG5), "Ready"}));
    EXPECT_EQ(host.clipboardWrites, 0);
    EXPECT_EQ(host.sink.begins, 0);

    host.clipboardHasText = true;
    host.clipboard.clear();
    commands.ClipboardTransfer(CodeTransferDirection::kBig5ToGbk);
    EXPECT_EQ(host.status.back(), "Ready");
    EXPECT_EQ(host.clipboardWrites, 0);
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(CodeTransferCommandsTest, ClipboardTransferReplacesTheTextAndSaysSo) {
    host.clipboardHasText = true;
    host.clipboard = TextOfLength(kBig5Line, 3000);
    const std::string expected = Converted(host.clipboard, true, kModeCross);
    commands.ClipboardTransfer(CodeTransferDirection::kBig5ToGbk);
    EXPECT_EQ(host.clipboard, expected);
    EXPECT_EQ(host.status.front(), LoadUiString(IDS_DIALOG_ZELVO_STATUS_CT_BIG5_TO_GBK));
    EXPECT_EQ(host.status.back(), "timed 2000: Clipboard transfer successful!");
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_EQ(host.waitCursor, 0);
    EXPECT_EQ(host.sourceWrites + host.destinationWrites, 0);

    // Without a status bar the outcome comes in a message box.
    host.statusBarShown = false;
    host.clipboard = TextOfLength(kGbkLine, 700);
    const std::string expectedBig5 = Converted(host.clipboard, false, kModeCross);
    commands.ClipboardTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.clipboard, expectedBig5);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "Clipboard transfer successful!");
    EXPECT_EQ(host.status.back(), "Ready");
}

TEST_F(CodeTransferCommandsTest, ClipboardThatCannotBeWrittenIsReportedNotCalledASuccess) {
    host.clipboardHasText = true;
    host.clipboard = TextOfLength(kGbkLine, 500);
    host.clipboardWritable = false;
    host.statusBarShown = false;
    commands.ClipboardTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.status.back(), "timed 2000: Can't open clipboard...");
    EXPECT_TRUE(messages->shown.empty());
    for (const std::string& text : host.status) EXPECT_EQ(text.find("successful"), std::string::npos) << text;
}

TEST_F(CodeTransferCommandsTest, LongClipboardTextRunsInTheDialogAndACancelKeepsTheClipboard) {
    host.clipboardHasText = true;
    host.clipboard = TextOfLength(kGbkLine, kProgressDialogMinimumBytes + 10);
    const std::string original = host.clipboard;
    host.dialogCancels = true;
    commands.ClipboardTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.dialogRuns, 1);
    EXPECT_EQ(host.dialogCaption, "Clipboard Transfer: GBK -> Big5");
    EXPECT_EQ(host.clipboard, original);
    EXPECT_EQ(host.clipboardWrites, 0);
    EXPECT_EQ(host.status.back(), "Ready");

    host.dialogCancels = false;
    commands.ClipboardTransfer(CodeTransferDirection::kGbkToBig5);
    EXPECT_EQ(host.dialogRuns, 2);
    EXPECT_EQ(host.clipboard, Converted(original, false, kModeCross));
    EXPECT_EQ(ClipboardTransferRequest(CodeTransferDirection::kBig5ToGbk).captionId,
              IDS_DIALOG_CTP_CLIPBOARD_TRANSFER_B2G);
}

TEST(CodeTransferSelectors, FollowTheResultsEncoding) {
    const TransferSelectors g2bSource = SelectorsForTransfer(CodeTransferDirection::kGbkToBig5, true);
    EXPECT_EQ(g2bSource.source, 3);
    EXPECT_EQ(g2bSource.destination, -1);
    const TransferSelectors b2gSource = SelectorsForTransfer(CodeTransferDirection::kBig5ToGbk, true);
    EXPECT_EQ(b2gSource.source, 1);
    const TransferSelectors b2gDestination = SelectorsForTransfer(CodeTransferDirection::kBig5ToGbk, false);
    EXPECT_EQ(b2gDestination.source, 3);
    EXPECT_EQ(b2gDestination.destination, 1);
    const TransferSelectors s2tDestination =
        SelectorsForTransfer(CodeTransferDirection::kGbkSimplifiedToTraditional, false);
    EXPECT_EQ(s2tDestination.source, 1);
    EXPECT_EQ(s2tDestination.destination, 1);
}

}  // namespace
}  // namespace zelvo
