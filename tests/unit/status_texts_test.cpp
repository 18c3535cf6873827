#include "app/status_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "app/language_table.h"
#include "services/ui_strings.h"

namespace zelvo {
namespace {

class StatusTextsTest : public ::testing::Test {
  protected:
    void TearDown() override { SetUiLcid(kLcidEnglish); }
};

TEST_F(StatusTextsTest, PositionPaneWithoutSelection) {
    EXPECT_EQ(PositionPaneText(0, 0, 0, 0, 0, 0), "Ln 1,  Col 1");
    // Caret at byte 25 of the third line, which begins at byte 20.
    EXPECT_EQ(PositionPaneText(25, 25, 2, 2, 20, 20), "Ln 3,  Col 6");
    // A long line: the start column is shown as it is.
    EXPECT_EQ(PositionPaneText(1500, 1500, 0, 0, 0, 0), "Ln 1,  Col 1501");
}

TEST_F(StatusTextsTest, PositionPaneWithSelection) {
    EXPECT_EQ(PositionPaneText(25, 30, 2, 2, 20, 20), "Ln 3,  Col 6-11, Sel 5");
    // Over three lines, both ends in column 6.
    EXPECT_EQ(PositionPaneText(25, 50, 2, 4, 20, 45), "Ln 3+2,  Col 6, Sel 25");
    EXPECT_EQ(PositionPaneText(25, 52, 2, 4, 20, 45), "Ln 3+2,  Col 6-8, Sel 27");
    // An end column above 1000 is shown as 1.
    EXPECT_EQ(PositionPaneText(0, 1200, 0, 0, 0, 0), "Ln 1,  Col 1-1, Sel 1200");
    EXPECT_EQ(PositionPaneText(0, 1000, 0, 0, 0, 0), "Ln 1,  Col 1-1, Sel 1000");  // column 1001
    EXPECT_EQ(PositionPaneText(0, 999, 0, 0, 0, 0), "Ln 1,  Col 1-1000, Sel 999");
}

TEST_F(StatusTextsTest, OtherPanesAndTitle) {
    EXPECT_EQ(LineCountPaneText(7), "Ln Cnt 7");
    EXPECT_EQ(FileSizePaneText(123456), "File Size 123456");
    EXPECT_EQ(AreaPaneText(EditArea::kSource), "S");
    EXPECT_EQ(AreaPaneText(EditArea::kDestination), "D");
    EXPECT_EQ(ReadyText(), "Ready");
    EXPECT_EQ(WindowTitle("C:\\texts\\a.txt"), "Zelvo - C:\\texts\\a.txt");
    EXPECT_EQ(WindowTitle(""), "Zelvo - Untitled");

    SetUiLcid(kLcidSimplifiedChinese);
    EXPECT_EQ(WindowTitle(""), LoadUiString(IDS_DIALOG_ZELVO_TITLE) + " - " + LoadUiString(IDS_QXT_UNTITLED));
    EXPECT_NE(WindowTitle(""), "Zelvo - Untitled");
    EXPECT_NE(LineCountPaneText(7).find('7'), std::string::npos);
    EXPECT_EQ(LineCountPaneText(7).find("#1"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Progress
// ---------------------------------------------------------------------------

TEST_F(StatusTextsTest, ProgressBarPositions) {
    EXPECT_EQ(ProgressBarPosition(0, 200), 0);
    EXPECT_EQ(ProgressBarPosition(50, 200), 250);
    EXPECT_EQ(ProgressBarPosition(200, 200), 1000);
    EXPECT_EQ(ProgressBarPosition(201, 200), 0);  // beyond the total
    EXPECT_EQ(ProgressBarPosition(1, 3), 333);
    EXPECT_EQ(ProgressBarPosition(5, 0), 0);
    EXPECT_EQ(ProgressBarPosition(0, 0), 0);
    EXPECT_EQ(ProgressBarPosition(5, -10), 0);
    // Totals of long texts with many applied items would overflow 32 bits when multiplied.
    EXPECT_EQ(ProgressBarPosition(3'000'000'000LL, 6'000'000'000LL), 500);
    EXPECT_EQ(ProgressBarPosition(3'000'000, 4'000'000), 750);
}

TEST_F(StatusTextsTest, ProgressPercentLabel) {
    EXPECT_EQ(ProgressPercentText(0, 400), "0%");
    EXPECT_EQ(ProgressPercentText(100, 400), "25%");
    EXPECT_EQ(ProgressPercentText(399, 400), "99%");
    EXPECT_EQ(ProgressPercentText(400, 400), "100%");
    EXPECT_EQ(ProgressPercentText(401, 400), "0%");
    EXPECT_EQ(ProgressPercentText(0, 0), "0%");  // no division by a zero total
    EXPECT_EQ(ProgressPercentText(50'000'000, 100'000'000), "50%");
}

TEST_F(StatusTextsTest, StatusBarProgressShowsABarOnlyWithATotal) {
    StatusBarProgressModel progress;
    EXPECT_FALSE(progress.Position(10).has_value());
    progress.Begin(0);
    EXPECT_FALSE(progress.Position(10).has_value());
    progress.Begin(400);
    EXPECT_EQ(progress.total(), 400);
    EXPECT_EQ(progress.Position(100), 250);
    EXPECT_EQ(progress.Position(500), 0);
    progress.End();
    EXPECT_EQ(progress.total(), 0);
    EXPECT_FALSE(progress.Position(100).has_value());
}

}  // namespace
}  // namespace zelvo
