#include "app/transfer_plan.h"

#include <gtest/gtest.h>

#include "app/language_table.h"
#include "services/ui_strings.h"
#include "resources/ids_main_window.h"

namespace zelvo {
namespace {

class TransferPlanTest : public ::testing::Test {
  protected:
    void TearDown() override { SetUiLcid(kLcidEnglish); }
};

TEST_F(TransferPlanTest, NonNtDestinationAsksForTheClipboardAbove29000Bytes) {
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 29000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 29001), TransferPlan::kAskClipboardInstead);
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 30000), TransferPlan::kAskClipboardInstead);
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 100001), TransferPlan::kAskClipboardInstead);
    // The Source area takes the result in place without asking; NT has no such limit.
    EXPECT_EQ(PlanEditAreaTransfer(false, false, 30000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(true, true, 30000), TransferPlan::kDirect);
}

TEST_F(TransferPlanTest, LongTextsGoThroughTheProgressDialog) {
    EXPECT_EQ(PlanEditAreaTransfer(true, true, 100000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(true, true, 100001), TransferPlan::kProgressDialog);
    EXPECT_EQ(PlanEditAreaTransfer(false, false, 100000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(false, false, 100001), TransferPlan::kProgressDialog);
    EXPECT_EQ(PlanEditAreaTransfer(true, false, 0), TransferPlan::kDirect);
    EXPECT_EQ(PlanClipboardTransfer(100000), TransferPlan::kDirect);
    EXPECT_EQ(PlanClipboardTransfer(100001), TransferPlan::kProgressDialog);
}

TEST_F(TransferPlanTest, SelectorsAfterATransfer) {
    struct Case {
        TransferDirection direction;
        bool toSource;
        int source, destination;
    };
    for (const Case& c :
         {Case{TransferDirection::kGbkToBig5, true, 3, -1}, Case{TransferDirection::kBig5ToGbk, true, 1, -1},
          Case{TransferDirection::kGbkSimplifiedToTraditional, true, 1, -1},
          Case{TransferDirection::kGbkTraditionalToSimplified, true, 1, -1},
          Case{TransferDirection::kGbkToBig5, false, 1, 3}, Case{TransferDirection::kBig5ToGbk, false, 3, 1},
          Case{TransferDirection::kGbkSimplifiedToTraditional, false, 1, 1},
          Case{TransferDirection::kGbkTraditionalToSimplified, false, 1, 1}}) {
        SelectorChoice choice = SelectorsAfterTransfer(c.direction, c.toSource);
        EXPECT_EQ(choice.source, c.source) << static_cast<int>(c.direction) << c.toSource;
        EXPECT_EQ(choice.destination, c.destination) << static_cast<int>(c.direction) << c.toSource;
    }
}

TEST_F(TransferPlanTest, TransferCommandsModesAndCaptions) {
    EXPECT_EQ(TransferDirectionOfCommand(IDM_TRANSFER_G2B), TransferDirection::kGbkToBig5);
    EXPECT_EQ(TransferDirectionOfCommand(IDM_CONTEXT_TRANSFER_G2B), TransferDirection::kGbkToBig5);
    EXPECT_EQ(TransferDirectionOfCommand(IDM_TRANSFER_B2G), TransferDirection::kBig5ToGbk);
    EXPECT_EQ(TransferDirectionOfCommand(IDM_CONTEXT_TRANSFER_B2G), TransferDirection::kBig5ToGbk);
    EXPECT_EQ(TransferDirectionOfCommand(IDM_TRANSFER_GBK_S2T),
              TransferDirection::kGbkSimplifiedToTraditional);
    EXPECT_EQ(TransferDirectionOfCommand(IDM_TRANSFER_GBK_T2S),
              TransferDirection::kGbkTraditionalToSimplified);
    EXPECT_FALSE(TransferDirectionOfCommand(IDM_CLIPBOARD_G2B).has_value());

    EXPECT_EQ(TransferModeOf(TransferDirection::kGbkToBig5), 0);
    EXPECT_EQ(TransferModeOf(TransferDirection::kBig5ToGbk), 0);
    EXPECT_EQ(TransferModeOf(TransferDirection::kGbkSimplifiedToTraditional), 1);
    EXPECT_EQ(TransferModeOf(TransferDirection::kGbkTraditionalToSimplified), 2);
    EXPECT_TRUE(TransfersFromBig5(TransferDirection::kBig5ToGbk));
    EXPECT_FALSE(TransfersFromBig5(TransferDirection::kGbkTraditionalToSimplified));

    EXPECT_EQ(LoadUiString(TransferCaptionId(TransferDirection::kGbkToBig5)),
              "Edit Area Transfer (GBK->Big5)");
    EXPECT_EQ(LoadUiString(TransferCaptionId(TransferDirection::kBig5ToGbk)),
              "Edit Area Transfer (Big5->GBK)");
    EXPECT_EQ(TransferCaptionId(TransferDirection::kGbkSimplifiedToTraditional), IDS_DIALOG_CTP_EACT_GBK_S2T);
    EXPECT_EQ(TransferCaptionId(TransferDirection::kGbkTraditionalToSimplified), IDS_DIALOG_CTP_EACT_GBK_T2S);
    EXPECT_EQ(LoadUiString(TransferStatusId(TransferDirection::kBig5ToGbk)), "Transferring (Big5->GBK)...");
    EXPECT_EQ(TransferStatusId(TransferDirection::kGbkSimplifiedToTraditional),
              IDS_DIALOG_ZELVO_STATUS_CT_GBK_S2T);
    EXPECT_EQ(LoadUiString(ClipboardTransferCaptionId(true)), "Clipboard Transfer: GBK -> Big5");
    EXPECT_EQ(LoadUiString(ClipboardTransferCaptionId(false)), "Clipboard Transfer: Big5 -> GBK");
    EXPECT_EQ(LoadUiString(ClipboardTransferStatusId(true)), "Transferring (GBK->Big5)...");
}

}  // namespace
}  // namespace zelvo
