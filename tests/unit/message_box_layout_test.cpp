#include "services/message_box_layout.h"

#include <gtest/gtest.h>

#include "services/ui_strings.h"

namespace zelvo {
namespace {

// One row of the button table: the three slots (text id, result; 0 0 for hidden), the
// default slot without and with MB_DEFBUTTON2 and MB_DEFBUTTON3, and the Escape result.
struct ButtonSetCase {
    unsigned set;
    std::array<std::pair<int, int>, 3> slots;
    std::array<int, 3> defaultSlots;
    int escapeResult;
};

const ButtonSetCase kButtonSets[] = {
    {kMbOk, {{{0, 0}, {0, 0}, {IDS_DIALOG_OK, kIdOk}}}, {3, 3, 3}, kIdOk},
    {kMbOkCancel, {{{0, 0}, {IDS_DIALOG_OK, kIdOk}, {IDS_DIALOG_CANCEL, kIdCancel}}}, {2, 3, 2}, kIdCancel},
    {kMbAbortRetryIgnore,
     {{{IDS_DIALOG_ABORT_A, kIdAbort}, {IDS_DIALOG_RETRY_R, kIdRetry}, {IDS_DIALOG_IGNORE_I, kIdIgnore}}},
     {1, 2, 3},
     0},
    {kMbYesNoCancel,
     {{{IDS_DIALOG_YES_Y, kIdYes}, {IDS_DIALOG_NO_N, kIdNo}, {IDS_DIALOG_CANCEL, kIdCancel}}},
     {1, 2, 3},
     kIdCancel},
    {kMbYesNo, {{{0, 0}, {IDS_DIALOG_YES_Y, kIdYes}, {IDS_DIALOG_NO_N, kIdNo}}}, {2, 3, 2}, 0},
    {kMbRetryCancel,
     {{{0, 0}, {IDS_DIALOG_RETRY_R, kIdRetry}, {IDS_DIALOG_CANCEL, kIdCancel}}},
     {2, 3, 2},
     kIdCancel},
};

TEST(MessageBoxButtonsTest, EverySetHasItsSlotsDefaultsAndEscapeRule) {
    const unsigned defaultBits[] = {0, kMbDefButton2, kMbDefButton3};
    for (const ButtonSetCase& row : kButtonSets) {
        SCOPED_TRACE(row.set);
        for (int d = 0; d < 3; ++d) {
            // The icon bits must not disturb the buttons.
            MessageBoxButtons buttons = ButtonsForStyle(row.set | defaultBits[d] | kMbIconQuestion);
            for (int slot = 1; slot <= 3; ++slot) {
                const auto& [textId, result] = row.slots[static_cast<size_t>(slot - 1)];
                EXPECT_EQ(buttons.Slot(slot).visible, textId != 0) << "slot " << slot;
                EXPECT_EQ(buttons.Slot(slot).textId, textId) << "slot " << slot;
                EXPECT_EQ(buttons.Slot(slot).result, result) << "slot " << slot;
            }
            EXPECT_TRUE(buttons.Slot(3).visible);
            EXPECT_EQ(buttons.defaultSlot, row.defaultSlots[static_cast<size_t>(d)]) << "default bits " << d;
            EXPECT_TRUE(buttons.Slot(buttons.defaultSlot).visible);
            EXPECT_EQ(buttons.escapeResult, row.escapeResult);
            // The close item goes exactly where Escape is ignored.
            EXPECT_EQ(buttons.closeItemEnabled, row.escapeResult != 0);
        }
    }
}

// Enter in the dialog and the answer of scripted and console services must agree.
TEST(MessageBoxButtonsTest, DefaultResultAgreesWithTheServiceDefaultForEveryStyle) {
    for (unsigned set = 0; set <= 5; ++set)
        for (unsigned defaultBits = 0; defaultBits <= 0x300; defaultBits += 0x100) {
            unsigned style = set | defaultBits;
            EXPECT_EQ(ButtonsForStyle(style).DefaultResult(), DefaultResultOf(style)) << std::hex << style;
        }
    EXPECT_EQ(ButtonsForStyle(kMbYesNo).DefaultResult(), kIdYes);
    EXPECT_EQ(ButtonsForStyle(kMbYesNo | kMbDefButton2).DefaultResult(), kIdNo);
}

TEST(MessageBoxButtonsTest, SetsAboveFiveAreLaidOutAsSetZero) {
    for (unsigned set : {6u, 9u, 15u}) {
        MessageBoxButtons buttons = ButtonsForStyle(set | kMbDefButton2);
        EXPECT_FALSE(buttons.Slot(1).visible);
        EXPECT_FALSE(buttons.Slot(2).visible);
        EXPECT_EQ(buttons.Slot(3).textId, IDS_DIALOG_OK);
        EXPECT_EQ(buttons.defaultSlot, 3);
    }
}

TEST(MessageBoxIconTest, IconBitsPickTheSystemIcon) {
    EXPECT_EQ(IconForStyle(kMbYesNo), MessageBoxIcon::kNone);
    EXPECT_EQ(IconForStyle(kMbIconError | kMbDefButton2), MessageBoxIcon::kHand);
    EXPECT_EQ(IconForStyle(kMbIconQuestion), MessageBoxIcon::kQuestion);
    EXPECT_EQ(IconForStyle(kMbIconInformation | kMbOkCancel), MessageBoxIcon::kInformation);
    EXPECT_EQ(IconForStyle(kMbIconWarning), MessageBoxIcon::kExclamation);
    EXPECT_EQ(IconForStyle(0x50), MessageBoxIcon::kExclamation);
    EXPECT_EQ(IconForStyle(0xF0), MessageBoxIcon::kExclamation);
}

TEST(MessageBoxHeightTest, LinesAreCountedPerLineBreakAndEightyBytes) {
    EXPECT_EQ(EstimatedMessageLines(""), 1);
    EXPECT_EQ(EstimatedMessageLines("Short message."), 1);
    EXPECT_EQ(EstimatedMessageLines(std::string(79, 'x')), 1);
    EXPECT_EQ(EstimatedMessageLines(std::string(80, 'x')), 2);
    EXPECT_EQ(EstimatedMessageLines(std::string(200, 'x')), 3);
    std::string forty;
    for (int i = 0; i < 40; ++i) forty += "line\r\n";
    EXPECT_EQ(EstimatedMessageLines(forty), 41);
    // A piece followed by CR LF counts one more than its eighties; blank lines count.
    EXPECT_EQ(EstimatedMessageLines(std::string(200, 'x') + "\r\n\r\nend"), 3 + 1 + 0 + 1);
    // A lone LF is not a line break of the count.
    EXPECT_EQ(EstimatedMessageLines("a\nb\nc"), 1);
}

TEST(MessageBoxHeightTest, DeltaIsTruncatedTowardZeroAndClamped) {
    EXPECT_EQ(MessageBoxHeightDelta(1), -48);   // -139.2 before the clamp
    EXPECT_EQ(MessageBoxHeightDelta(8), -47);   // -47.89 truncates toward zero
    EXPECT_EQ(MessageBoxHeightDelta(9), -34);   // -34.84
    EXPECT_EQ(MessageBoxHeightDelta(11), -8);   // -8.74
    EXPECT_EQ(MessageBoxHeightDelta(12), 4);    // 4.30
    EXPECT_EQ(MessageBoxHeightDelta(20), 108);  // 108.70
    EXPECT_EQ(MessageBoxHeightDelta(31), 252);  // 252.25
    EXPECT_EQ(MessageBoxHeightDelta(32), 264);  // 265.30 clamps
    EXPECT_EQ(MessageBoxHeightDelta(41), 264);
    EXPECT_EQ(MessageBoxHeightDelta(1000000), 264);
}

TEST(MessageBoxHeightTest, WindowGrowsAboutItsMiddleByTheWholeDelta) {
    PixelRect window{100, 200, 500, 540};
    EXPECT_EQ(GrowAboutMiddle(window, 100), (PixelRect{100, 150, 500, 590}));
    // An odd delta: the bottom takes the extra pixel, so the window grows by all of it.
    PixelRect odd = GrowAboutMiddle(window, 109);
    EXPECT_EQ(odd.bottom - odd.top, 340 + 109);
    EXPECT_EQ(odd.top, 200 - 54);
    PixelRect shrunk = GrowAboutMiddle(window, -47);
    EXPECT_EQ(shrunk.bottom - shrunk.top, 340 - 47);
    EXPECT_EQ(shrunk.top, 200 + 23);

    EXPECT_EQ(CentreIn(PixelRect{0, 0, 1024, 768}, 400, 300), (PixelRect{312, 234, 712, 534}));
    EXPECT_EQ(CentreIn(PixelRect{-100, 50, 100, 150}, 50, 20), (PixelRect{-25, 90, 25, 110}));
}

TEST(MessageBoxLongTextTest, LimitIsLiftedAboveTwentyFiveThousandBytes) {
    MessageBoxTexts shortTexts = FitMessageBoxTexts(std::string(25000, 'a'), "d", true, 1252);
    EXPECT_FALSE(shortTexts.liftTextLimit);
    EXPECT_FALSE(shortTexts.liftDetailsLimit);
    MessageBoxTexts longTexts =
        FitMessageBoxTexts(std::string(25001, 'a'), std::string(50000, 'd'), true, 1252);
    EXPECT_TRUE(longTexts.liftTextLimit);
    EXPECT_TRUE(longTexts.liftDetailsLimit);
    // NT based systems keep everything.
    EXPECT_EQ(longTexts.text.size(), 25001u);
    EXPECT_EQ(longTexts.details.size(), 50000u);
}

TEST(MessageBoxLongTextTest, OlderSystemsCutByTheOtherBoxsLength) {
    // Long details: the message is cut to 25,000 bytes.
    MessageBoxTexts both = FitMessageBoxTexts(std::string(30000, 'a'), std::string(20001, 'd'), false, 1252);
    EXPECT_EQ(both.text, std::string(25000, 'a') + "...");
    EXPECT_EQ(both.details, std::string(20001, 'd'));  // not over 25,000: untouched
    // Short details: only a message over 40,000 bytes is cut, to 40,000.
    EXPECT_EQ(FitMessageBoxTexts(std::string(30000, 'a'), std::string(20000, 'd'), false, 1252).text.size(),
              30000u);
    EXPECT_EQ(FitMessageBoxTexts(std::string(40000, 'a'), "", false, 1252).text.size(), 40000u);
    EXPECT_EQ(FitMessageBoxTexts(std::string(40001, 'a'), "", false, 1252).text,
              std::string(40000, 'a') + "...");
    // The roles exchanged: the details are cut by the message's length.
    MessageBoxTexts details =
        FitMessageBoxTexts(std::string(20001, 'a'), std::string(26000, 'd'), false, 1252);
    EXPECT_EQ(details.details, std::string(25000, 'd') + "...");
    EXPECT_EQ(details.text.size(), 20001u);
}

TEST(MessageBoxLongTextTest, CutNeverSplitsADoubleByteCharacter) {
    // One ASCII byte first, then GBK characters: byte 40,000 is a trail byte.
    std::string gbk = "a";
    while (gbk.size() < 41000) gbk += "\xD6\xD0";
    MessageBoxTexts fitted = FitMessageBoxTexts(gbk, "", false, 936);
    EXPECT_EQ(fitted.text, gbk.substr(0, 39999) + "...");
    // In a single-byte code page the same bytes are cut where the count says.
    EXPECT_EQ(FitMessageBoxTexts(gbk, "", false, 1252).text, gbk.substr(0, 40000) + "...");
}

TEST(MessageBoxLongTextTest, LoneLineFeedsBecomeCrLf) {
    EXPECT_EQ(WithCrLfLineBreaks("a\nb\r\nc\n\n"), "a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(WithCrLfLineBreaks("\nx\r"), "\r\nx\r");
}

TEST(MessageBoxDetailsTest, PaneTogglesAndRelabels) {
    DetailsPane pane("The file could not be written.");
    EXPECT_FALSE(pane.helpTopic());
    EXPECT_FALSE(pane.expanded());
    EXPECT_EQ(pane.ButtonTextId(), IDS_DIALOG_QX_MESSAGE_BOX_SHOW_DETAILS_D);
    EXPECT_FALSE(pane.Click());
    EXPECT_TRUE(pane.expanded());
    EXPECT_EQ(pane.ButtonTextId(), IDS_DIALOG_QX_MESSAGE_BOX_HIDE_DETAILS_D);
    EXPECT_FALSE(pane.Click());
    EXPECT_FALSE(pane.expanded());
    EXPECT_EQ(pane.ButtonTextId(), IDS_DIALOG_QX_MESSAGE_BOX_SHOW_DETAILS_D);
}

TEST(MessageBoxDetailsTest, HelpKeysOpenTheirTopicAndNeverExpand) {
    DetailsPane requirements("QX_HELP_UG_SYS_REQ");
    EXPECT_EQ(requirements.ButtonTextId(), IDS_DIALOG_QX_MESSAGE_BOX_DETAILS_D);
    EXPECT_EQ(requirements.Click(), kHelpTopicSystemRequirements);
    EXPECT_EQ(requirements.Click(), kHelpTopicSystemRequirements);
    EXPECT_FALSE(requirements.expanded());
    EXPECT_EQ(requirements.ButtonTextId(), IDS_DIALOG_QX_MESSAGE_BOX_DETAILS_D);
    EXPECT_EQ(DetailsPane("QX_HELP_UG_CODE_TRANSFER").Click(), kHelpTopicCodeTransfer);
    // Only the exact key: other texts are details.
    EXPECT_FALSE(HelpTopicOfDetails("QX_HELP_UG_SYS_REQ "));
    EXPECT_FALSE(HelpTopicOfDetails("qx_help_ug_sys_req"));
    EXPECT_FALSE(HelpTopicOfDetails(""));
    // The copy without help keys shows the key as text.
    DetailsPane plain("QX_HELP_UG_SYS_REQ", false);
    EXPECT_FALSE(plain.Click());
    EXPECT_TRUE(plain.expanded());
}

TEST(PositiveNumberTest, AcceptsOnlyPositiveIntegersUpToTheMaximum) {
    EXPECT_EQ(ParsePositiveNumber("1", 10), 1);
    EXPECT_EQ(ParsePositiveNumber(" 10\r\n", 10), 10);
    EXPECT_EQ(ParsePositiveNumber("007", 10), 7);
    EXPECT_FALSE(ParsePositiveNumber("11", 10));
    EXPECT_FALSE(ParsePositiveNumber("0", 10));
    EXPECT_FALSE(ParsePositiveNumber("", 10));
    EXPECT_FALSE(ParsePositiveNumber("  ", 10));
    EXPECT_FALSE(ParsePositiveNumber("-3", 10));
    EXPECT_FALSE(ParsePositiveNumber("+3", 10));
    EXPECT_FALSE(ParsePositiveNumber("3.0", 10));
    EXPECT_FALSE(ParsePositiveNumber("3 4", 10));
    EXPECT_FALSE(ParsePositiveNumber("99999999999999999999999", 2147483647));
    EXPECT_EQ(ParsePositiveNumber("2147483647", 2147483647), 2147483647);
}

class AskPositiveNumberTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto scripted = std::make_unique<ScriptedMessageService>();
        messages_ = scripted.get();
        previous_ = SetMessageService(std::move(scripted));
    }
    void TearDown() override {
        SetMessageService(std::move(previous_));
        SetUiLcid(kLcidEnglish);
    }
    ScriptedMessageService* messages_ = nullptr;
    std::unique_ptr<MessageService> previous_;
};

TEST_F(AskPositiveNumberTest, AsksAgainAfterTheErrorUntilTheAnswerIsValid) {
    messages_->answers = {MessageAnswer{kIdOk, true, "abc"}, MessageAnswer{kIdOk, true, {}},
                          MessageAnswer{kIdOk, true, "500"}, MessageAnswer{kIdOk, true, {}},
                          MessageAnswer{kIdOk, true, " 42 "}};
    MessageRequest question;
    question.text = "How many?";
    question.caption = "Lines";
    question.style = kMbOkCancel;
    EXPECT_EQ(AskPositiveNumber(question, "10", 100), 42);
    ASSERT_EQ(messages_->shown.size(), 5u);
    EXPECT_EQ(messages_->shown[0].text, "How many?");
    EXPECT_EQ(messages_->shown[1].text,
              LoadUiString(IDS_DIALOG_QXPA_HAVENT_ANSWER_A_VALID_NUMBER_QX_REQUESTED));
    EXPECT_EQ(messages_->shown[1].caption, "Lines");
    EXPECT_EQ(messages_->shown[2].text, "How many?");
    EXPECT_EQ(messages_->shown[3].text, messages_->shown[1].text);
    EXPECT_EQ(messages_->shown[4].text, "How many?");
    EXPECT_TRUE(messages_->answers.empty());
}

TEST_F(AskPositiveNumberTest, CancelEndsTheQuestion) {
    messages_->answers = {MessageAnswer{kIdOk, true, "0"}, MessageAnswer{kIdOk, true, {}},
                          MessageAnswer{kIdCancel, true, "5"}};
    MessageRequest question;
    question.text = "How many?";
    question.style = kMbOkCancel;
    EXPECT_FALSE(AskPositiveNumber(question, "", 9));
    EXPECT_EQ(messages_->shown.size(), 3u);
}

// The error message is in the UI language of the moment.
TEST_F(AskPositiveNumberTest, ErrorMessageFollowsTheUiLanguage) {
    SetUiLcid(kLcidSimplifiedChinese);
    messages_->answers = {MessageAnswer{kIdOk, true, "x"}, MessageAnswer{kIdOk, true, {}},
                          MessageAnswer{kIdOk, true, "1"}};
    EXPECT_EQ(AskPositiveNumber(MessageRequest{}, "", 1), 1);
    ASSERT_EQ(messages_->shown.size(), 3u);
    EXPECT_EQ(messages_->shown[1].text,
              LoadUiStringColumn(IDS_DIALOG_QXPA_HAVENT_ANSWER_A_VALID_NUMBER_QX_REQUESTED, kUiColumnGbk));
}

}  // namespace
}  // namespace zelvo
