// The decisions of an edit area or clipboard transfer: direction and mode of a command,
// its captions and status texts, direct or in the progress dialog, and the language
// selectors afterwards.
#pragma once

#include <cstddef>
#include <optional>

namespace zelvo {

enum class TransferDirection {
    kGbkToBig5,                   // 32833, 32771
    kBig5ToGbk,                   // 32834, 32772
    kGbkSimplifiedToTraditional,  // 32891
    kGbkTraditionalToSimplified,  // 32892
};

// The direction of an edit area transfer command; nothing for other ids.
std::optional<TransferDirection> TransferDirectionOfCommand(int id);
// TransferMode passed to the pipeline: 0, 0, 1, 2.
int TransferModeOf(TransferDirection direction);
// True when the source text is Big5 (TransferBig5Text), else GBK (TransferGbkText).
bool TransfersFromBig5(TransferDirection direction);
// Caption of the progress dialog: 40263, 40262, 40307, 40308.
int TransferCaptionId(TransferDirection direction);
// Message pane text while it runs: 40229, 40230, 40304, 40305.
int TransferStatusId(TransferDirection direction);
// Clipboard transfer captions (40261, 40260) and status texts (40229, 40230).
int ClipboardTransferCaptionId(bool gbkToBig5);
int ClipboardTransferStatusId(bool gbkToBig5);

inline constexpr std::size_t kNonNtDestinationLimit = 29000;
inline constexpr std::size_t kDirectTransferLimit = 100001;

enum class TransferPlan {
    kAskClipboardInstead,  // too long for the Destination area of Windows 95/98/Me
    kDirect,               // convert with the main window as progress window
    kProgressDialog,       // run in the progress dialog 251
};

// How an edit area transfer of sourceLength bytes goes: on a system that is not NT a
// result for the Destination area above 29000 bytes asks to go through the clipboard;
// otherwise below 100001 bytes directly, else in the progress dialog.
TransferPlan PlanEditAreaTransfer(bool isNt, bool toDestination, std::size_t sourceLength);
// Clipboard transfers have no size question: direct below 100001 bytes, else the dialog.
TransferPlan PlanClipboardTransfer(std::size_t textLength);

// The language selectors after a transfer; -1 leaves a selector as it is.
struct SelectorChoice {
    int source = -1;
    int destination = -1;
};
SelectorChoice SelectorsAfterTransfer(TransferDirection direction, bool toSource);

}  // namespace zelvo
