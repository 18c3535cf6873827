#include "app/code_transfer_commands.h"

#include "services/message_service.h"
#include "services/ui_strings.h"

namespace zelvo {
namespace {

constexpr const char* kSystemRequirementsHelp = "QX_HELP_UG_SYS_REQ";

// Clears a flag when the scope ends, however the flow leaves it.
class BusyScope {
  public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    bool& flag_;
};

CodeTransferRequest MakeRequest(CodeTransferDirection direction, bool clipboard) {
    CodeTransferRequest request;
    request.direction = direction;
    request.fromBig5 = TransfersFromBig5(direction);
    request.mode = TransferModeOf(direction);
    request.captionId = TransferCaptionId(direction);
    request.statusId = TransferStatusId(direction);
    const bool crossEncoding =
        direction == CodeTransferDirection::kGbkToBig5 || direction == CodeTransferDirection::kBig5ToGbk;
    if (clipboard && crossEncoding) {
        const bool gbkToBig5 = direction == CodeTransferDirection::kGbkToBig5;
        request.captionId = ClipboardTransferCaptionId(gbkToBig5);
        request.statusId = ClipboardTransferStatusId(gbkToBig5);
    }
    return request;
}

void ShowCantOpenClipboard(CodeTransferHost& host) {
    host.ShowTimedStatusText(LoadUiString(IDS_ERROR_MISC_CANT_OPEN_CLIPBOARD), kClipboardStatusMilliseconds);
}

}  // namespace

CodeTransferRequest EditAreaTransferRequest(CodeTransferDirection direction) {
    return MakeRequest(direction, false);
}

CodeTransferRequest ClipboardTransferRequest(CodeTransferDirection direction) {
    return MakeRequest(direction, true);
}

bool RunsInProgressDialog(std::size_t sourceLength) {
    return PlanClipboardTransfer(sourceLength) == TransferPlan::kProgressDialog;
}

bool RunCodeTransfer(CodeTransferHost& host, const CodeTransferRequest& request, std::string_view source,
                     std::string& result) {
    if (RunsInProgressDialog(source.size()))
        return host.RunInProgressDialog(request, LoadUiString(request.captionId), source, result);

    ConversionContext& context = host.TransferContext();
    // A cancelled transfer leaves the state at stopped; a direct conversion that found it
    // so would stop after its first piece and hand back a fragment of the text.
    if (context.control.transferState) *context.control.transferState = kTransferRunning;
    host.BeginWaitCursor();
    ProgressSink* progress = host.MainWindowProgress();
    const bool completed = request.fromBig5
                               ? TransferBig5Text(context, progress, source, result, request.mode)
                               : TransferGbkText(context, progress, source, result, request.mode);
    host.EndWaitCursor();
    return completed;
}

void CodeTransferCommands::EditAreaTransfer(CodeTransferDirection direction) {
    // The conversion pumps messages: a second command arriving meanwhile must not start a
    // conversion of its own over the same areas and state.
    if (busy_) return;
    BusyScope busy(busy_);
    EditAreaTransferNow(direction);
}

void CodeTransferCommands::ClipboardTransfer(CodeTransferDirection direction) {
    if (busy_) return;
    BusyScope busy(busy_);
    ClipboardTransferNow(direction);
}

bool CodeTransferCommands::AskClipboardInstead() {
    MessageRequest question;
    question.text = LoadUiString(IDS_MESSAGE_PROMPT_CLIP_BOARD_CT_INSTEAD_OF_EA_CT_IN_9X);
    question.style = kMbYesNo | kMbIconQuestion;
    question.detailsEnabled = true;
    question.details = kSystemRequirementsHelp;
    return ShowMessage(question).result == kIdYes;
}

void CodeTransferCommands::EditAreaTransferNow(CodeTransferDirection direction) {
    const CodeTransferRequest request = EditAreaTransferRequest(direction);
    const bool toSource = host_.TransferToSource();

    // The Destination edit control of Windows 95/98/Me holds far less than a long text.
    if (!toSource && !host_.IsNt()) {
        const std::string source = host_.SourceText();
        if (PlanEditAreaTransfer(false, true, source.size()) == TransferPlan::kAskClipboardInstead) {
            if (AskClipboardInstead()) {
                // Without the Source text on the clipboard the clipboard transfer would
                // convert whatever was there before.
                if (!host_.SetClipboardText(source)) {
                    ShowCantOpenClipboard(host_);
                    return;
                }
                ClipboardTransferNow(direction);
            }
            return;
        }
    }

    if (!toSource) host_.ShowDestinationArea();

    const std::string source = host_.SourceText();
    host_.ShowStatusText(LoadUiString(request.statusId));
    std::string result;
    if (!RunCodeTransfer(host_, request, source, result)) {
        host_.RestoreReadyStatus();
        host_.Refresh();
        return;
    }
    // The Destination document is closed (asking to save it) only once there is a result
    // to put in its place, so a cancelled conversion leaves both areas as they were.
    if (!toSource && !host_.CloseDestinationDocument()) {
        host_.RestoreReadyStatus();
        host_.Refresh();
        return;
    }

    const TransferSelectors selectors = SelectorsForTransfer(direction, toSource);
    if (selectors.source >= 0) host_.SelectSourceLanguage(selectors.source);
    if (selectors.destination >= 0) host_.SelectDestinationLanguage(selectors.destination);

    bool clipboardFailed = false;
    if (toSource) {
        host_.SetSourceText(result);
    } else {
        host_.SetDestinationText(result);
        // The control of Windows 95/98/Me may have taken only the beginning of the text.
        if (!host_.IsNt() && host_.DestinationText() != result && AskClipboardInstead())
            clipboardFailed = !host_.SetClipboardText(result);
    }

    host_.RestoreReadyStatus();
    host_.Refresh();
    if (clipboardFailed) ShowCantOpenClipboard(host_);
}

void CodeTransferCommands::ClipboardTransferNow(CodeTransferDirection direction) {
    const CodeTransferRequest request = ClipboardTransferRequest(direction);
    host_.ShowStatusText(LoadUiString(request.statusId));

    std::string text;
    if (!host_.GetClipboardText(text) || text.empty()) {
        host_.RestoreReadyStatus();
        return;
    }

    std::string result;
    // A cancelled transfer leaves the clipboard as it was rather than put a converted
    // beginning of the text in place of the whole.
    if (!RunCodeTransfer(host_, request, text, result)) {
        host_.RestoreReadyStatus();
        host_.Refresh();
        return;
    }

    if (!host_.SetClipboardText(result)) {
        ShowCantOpenClipboard(host_);
        host_.Refresh();
        return;
    }

    const std::string successful = LoadUiString(IDS_DIALOG_ZELVO_PROMPT_CLIPBOARD_TRANSFER_SUCCESSFUL);
    if (host_.StatusBarShown()) {
        host_.ShowTimedStatusText(successful, kClipboardStatusMilliseconds);
    } else {
        host_.RestoreReadyStatus();
        ShowMessage(successful, "", kMbOk | kMbIconInformation);
    }
    host_.Refresh();
}

}  // namespace zelvo
