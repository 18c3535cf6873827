#include "app/transfer_plan.h"

#include "app/language_table.h"
#include "services/ui_strings.h"
#include "resources/ids_main_window.h"

namespace zelvo {

std::optional<TransferDirection> TransferDirectionOfCommand(int id) {
    switch (id) {
        case IDM_TRANSFER_G2B:
        case IDM_CONTEXT_TRANSFER_G2B:
            return TransferDirection::kGbkToBig5;
        case IDM_TRANSFER_B2G:
        case IDM_CONTEXT_TRANSFER_B2G:
            return TransferDirection::kBig5ToGbk;
        case IDM_TRANSFER_GBK_S2T:
            return TransferDirection::kGbkSimplifiedToTraditional;
        case IDM_TRANSFER_GBK_T2S:
            return TransferDirection::kGbkTraditionalToSimplified;
        default:
            return std::nullopt;
    }
}

int TransferModeOf(TransferDirection direction) {
    switch (direction) {
        case TransferDirection::kGbkSimplifiedToTraditional:
            return 1;
        case TransferDirection::kGbkTraditionalToSimplified:
            return 2;
        default:
            return 0;
    }
}

bool TransfersFromBig5(TransferDirection direction) {
    return direction == TransferDirection::kBig5ToGbk;
}

int TransferCaptionId(TransferDirection direction) {
    switch (direction) {
        case TransferDirection::kGbkToBig5:
            return IDS_DIALOG_CTP_EACT_G2B;
        case TransferDirection::kBig5ToGbk:
            return IDS_DIALOG_CTP_EACT_B2G;
        case TransferDirection::kGbkSimplifiedToTraditional:
            return IDS_DIALOG_CTP_EACT_GBK_S2T;
        case TransferDirection::kGbkTraditionalToSimplified:
            return IDS_DIALOG_CTP_EACT_GBK_T2S;
    }
    return IDS_DIALOG_CTP_EACT_G2B;
}

int TransferStatusId(TransferDirection direction) {
    switch (direction) {
        case TransferDirection::kGbkToBig5:
            return IDS_DIALOG_ZELVO_STATUS_CT_GBK_TO_BIG5;
        case TransferDirection::kBig5ToGbk:
            return IDS_DIALOG_ZELVO_STATUS_CT_BIG5_TO_GBK;
        case TransferDirection::kGbkSimplifiedToTraditional:
            return IDS_DIALOG_ZELVO_STATUS_CT_GBK_S2T;
        case TransferDirection::kGbkTraditionalToSimplified:
            return IDS_DIALOG_ZELVO_STATUS_CT_GBK_T2S;
    }
    return IDS_DIALOG_ZELVO_STATUS_CT_GBK_TO_BIG5;
}

int ClipboardTransferCaptionId(bool gbkToBig5) {
    return gbkToBig5 ? IDS_DIALOG_CTP_CLIPBOARD_TRANSFER_G2B : IDS_DIALOG_CTP_CLIPBOARD_TRANSFER_B2G;
}

int ClipboardTransferStatusId(bool gbkToBig5) {
    return gbkToBig5 ? IDS_DIALOG_ZELVO_STATUS_CT_GBK_TO_BIG5 : IDS_DIALOG_ZELVO_STATUS_CT_BIG5_TO_GBK;
}

TransferPlan PlanEditAreaTransfer(bool isNt, bool toDestination, std::size_t sourceLength) {
    if (!isNt && toDestination && sourceLength > kNonNtDestinationLimit)
        return TransferPlan::kAskClipboardInstead;
    return PlanClipboardTransfer(sourceLength);
}

TransferPlan PlanClipboardTransfer(std::size_t textLength) {
    return textLength < kDirectTransferLimit ? TransferPlan::kDirect : TransferPlan::kProgressDialog;
}

SelectorChoice SelectorsAfterTransfer(TransferDirection direction, bool toSource) {
    const bool toBig5 = direction == TransferDirection::kGbkToBig5;
    SelectorChoice choice;
    if (toSource) {
        choice.source = toBig5 ? kBig5LanguageIndex : kGbkLanguageIndex;
    } else {
        choice.source = direction == TransferDirection::kBig5ToGbk ? kBig5LanguageIndex : kGbkLanguageIndex;
        choice.destination = toBig5 ? kBig5LanguageIndex : kGbkLanguageIndex;
    }
    return choice;
}

}  // namespace zelvo
