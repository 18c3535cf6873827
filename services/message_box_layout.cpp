#include "services/message_box_layout.h"

#include <algorithm>

#include "services/multibyte.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

constexpr MessageBoxSlot kHidden{};

MessageBoxSlot Shown(int textId, int result) {
    return MessageBoxSlot{true, textId, result};
}

// Bits 8-11 as 0, 1 or 2 (MB_DEFBUTTON1..3); larger values count as none.
unsigned DefaultButtonBits(unsigned style) {
    return (style >> 8) & 0x0F;
}

// The first limit bytes of text without splitting a double-byte character, and "...".
std::string CutText(const std::string& text, size_t limit, int codePage) {
    size_t end = limit;
    if (end < text.size() && !IsCharBoundary(text, end, codePage)) --end;
    return text.substr(0, end) + "...";
}

// Text and the length of the other box decide the cut, as the edit controls of Windows
// 95/98/Me share one limited heap between them.
std::string FitOne(const std::string& text, size_t otherLength, bool isNt, int codePage, bool& liftLimit) {
    liftLimit = text.size() > kMessageBoxLimitTextAbove;
    if (!liftLimit || isNt) return text;
    if (otherLength > 20000) return CutText(text, 25000, codePage);
    if (text.size() > 40000) return CutText(text, 40000, codePage);
    return text;
}

}  // namespace

MessageBoxButtons ButtonsForStyle(unsigned style) {
    unsigned defaultBits = DefaultButtonBits(style);
    MessageBoxButtons buttons;
    switch (style & 0x0F) {
        case kMbOkCancel:
            buttons.slots = {kHidden, Shown(IDS_DIALOG_OK, kIdOk), Shown(IDS_DIALOG_CANCEL, kIdCancel)};
            buttons.defaultSlot = defaultBits == 1 ? 3 : 2;
            buttons.escapeResult = kIdCancel;
            break;
        case kMbAbortRetryIgnore:
            buttons.slots = {Shown(IDS_DIALOG_ABORT_A, kIdAbort), Shown(IDS_DIALOG_RETRY_R, kIdRetry),
                             Shown(IDS_DIALOG_IGNORE_I, kIdIgnore)};
            buttons.defaultSlot = defaultBits == 1 ? 2 : defaultBits == 2 ? 3 : 1;
            buttons.escapeResult = 0;
            buttons.closeItemEnabled = false;
            break;
        case kMbYesNoCancel:
            buttons.slots = {Shown(IDS_DIALOG_YES_Y, kIdYes), Shown(IDS_DIALOG_NO_N, kIdNo),
                             Shown(IDS_DIALOG_CANCEL, kIdCancel)};
            buttons.defaultSlot = defaultBits == 1 ? 2 : defaultBits == 2 ? 3 : 1;
            buttons.escapeResult = kIdCancel;
            break;
        case kMbYesNo:
            buttons.slots = {kHidden, Shown(IDS_DIALOG_YES_Y, kIdYes), Shown(IDS_DIALOG_NO_N, kIdNo)};
            buttons.defaultSlot = defaultBits == 1 ? 3 : 2;
            buttons.escapeResult = 0;
            buttons.closeItemEnabled = false;
            break;
        case kMbRetryCancel:
            buttons.slots = {kHidden, Shown(IDS_DIALOG_RETRY_R, kIdRetry),
                             Shown(IDS_DIALOG_CANCEL, kIdCancel)};
            buttons.defaultSlot = defaultBits == 1 ? 3 : 2;
            buttons.escapeResult = kIdCancel;
            break;
        default:  // MB_OK, and sets no caller uses
            buttons.slots = {kHidden, kHidden, Shown(IDS_DIALOG_OK, kIdOk)};
            buttons.defaultSlot = 3;
            buttons.escapeResult = kIdOk;
            break;
    }
    return buttons;
}

MessageBoxIcon IconForStyle(unsigned style) {
    switch (style & 0xF0) {
        case 0x00:
            return MessageBoxIcon::kNone;
        case 0x10:
            return MessageBoxIcon::kHand;
        case 0x20:
            return MessageBoxIcon::kQuestion;
        case 0x40:
            return MessageBoxIcon::kInformation;
        default:
            return MessageBoxIcon::kExclamation;
    }
}

int EstimatedMessageLines(std::string_view text) {
    int lines = 0;
    size_t start = 0;
    for (;;) {
        size_t lineEnd = text.find("\r\n", start);
        if (lineEnd == std::string_view::npos) break;
        lines += static_cast<int>((lineEnd - start) / 80) + 1;
        start = lineEnd + 2;
    }
    // The last piece has no line break of its own: a short one adds nothing beyond the
    // final line counted below.
    if (start < text.size()) lines += static_cast<int>((text.size() - start) / 80);
    return lines + 1;
}

int MessageBoxHeightDelta(int lines) {
    // In hundredths of a line and ten-thousandths of a pixel, so the truncation toward zero
    // is exact: (lines - 11.67) x 13.05.
    long long scaled = (static_cast<long long>(lines) * 100 - 1167) * 1305;
    long long delta = scaled / 10000;
    return static_cast<int>(std::clamp<long long>(delta, kMessageBoxMinDelta, kMessageBoxMaxDelta));
}

PixelRect GrowAboutMiddle(PixelRect window, int delta) {
    int up = delta / 2;
    window.top -= up;
    window.bottom += delta - up;
    return window;
}

PixelRect CentreIn(const PixelRect& area, int width, int height) {
    PixelRect placed;
    placed.left = area.left + (area.right - area.left - width) / 2;
    placed.top = area.top + (area.bottom - area.top - height) / 2;
    placed.right = placed.left + width;
    placed.bottom = placed.top + height;
    return placed;
}

MessageBoxTexts FitMessageBoxTexts(std::string text, std::string details, bool isNt, int codePage,
                                   int detailsCodePage) {
    MessageBoxTexts fitted;
    fitted.text = FitOne(text, details.size(), isNt, codePage, fitted.liftTextLimit);
    fitted.details = FitOne(details, text.size(), isNt, detailsCodePage ? detailsCodePage : codePage,
                            fitted.liftDetailsLimit);
    return fitted;
}

std::string WithCrLfLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::optional<int> HelpTopicOfDetails(std::string_view details) {
    if (details == "QX_HELP_UG_CODE_TRANSFER") return kHelpTopicCodeTransfer;
    if (details == "QX_HELP_UG_SYS_REQ") return kHelpTopicSystemRequirements;
    return std::nullopt;
}

DetailsPane::DetailsPane(std::string_view details, bool helpKeys) {
    if (helpKeys) helpTopic_ = HelpTopicOfDetails(details);
}

int DetailsPane::ButtonTextId() const {
    if (helpTopic_) return IDS_DIALOG_QX_MESSAGE_BOX_DETAILS_D;
    return expanded_ ? IDS_DIALOG_QX_MESSAGE_BOX_HIDE_DETAILS_D : IDS_DIALOG_QX_MESSAGE_BOX_SHOW_DETAILS_D;
}

std::optional<int> DetailsPane::Click() {
    if (helpTopic_) return helpTopic_;
    expanded_ = !expanded_;
    return std::nullopt;
}

std::optional<int> ParsePositiveNumber(std::string_view answer, int maximum) {
    std::string trimmed = TrimBlanks(answer);
    if (trimmed.empty()) return std::nullopt;
    long long value = 0;
    for (char c : trimmed) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > maximum) return std::nullopt;  // also keeps long digit runs from overflowing
    }
    if (value < 1) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<int> AskPositiveNumber(const MessageRequest& question, const std::string& initialText,
                                     int maximum) {
    std::string answerText = initialText;
    for (;;) {
        MessageAnswer answer = AskText(question, answerText);
        if (answer.result != kIdOk && answer.result != kIdYes) return std::nullopt;
        if (std::optional<int> number = ParsePositiveNumber(answer.text, maximum)) return number;
        MessageRequest error;
        error.text = LoadUiString(IDS_DIALOG_QXPA_HAVENT_ANSWER_A_VALID_NUMBER_QX_REQUESTED);
        error.caption = question.caption;
        error.style = kMbOk | kMbIconWarning;
        ShowMessage(error);
        answerText = answer.text;
    }
}

}  // namespace zelvo
