#include "app/view_state.h"

#include <gtest/gtest.h>

#include "app/main_window_layout.h"

namespace zelvo {
namespace {

TEST(ViewStateTest, HidingTheOnlyShownAreaShowsTheOther) {
    ViewState view;
    ToggleArea(view, EditArea::kSource);
    EXPECT_FALSE(view.sourceShown);
    EXPECT_TRUE(view.destinationShown);
    ToggleArea(view, EditArea::kDestination);  // the only one left
    EXPECT_TRUE(view.sourceShown);
    EXPECT_FALSE(view.destinationShown);
    ToggleArea(view, EditArea::kSource);  // again the only one
    EXPECT_FALSE(view.sourceShown);
    EXPECT_TRUE(view.destinationShown);
    ToggleArea(view, EditArea::kSource);
    EXPECT_TRUE(view.sourceShown);
    EXPECT_TRUE(view.destinationShown);
}

TEST(ViewStateTest, AToolbarFollowsItsArea) {
    ViewState view;
    ToggleArea(view, EditArea::kSource);
    EXPECT_TRUE(view.sourceToolbarShown);  // the wish is kept
    EXPECT_FALSE(ToolbarVisible(view, EditArea::kSource));
    EXPECT_TRUE(ToolbarVisible(view, EditArea::kDestination));
    ToggleArea(view, EditArea::kSource);
    EXPECT_TRUE(ToolbarVisible(view, EditArea::kSource));

    ToggleToolbar(view, EditArea::kDestination);
    EXPECT_FALSE(ToolbarVisible(view, EditArea::kDestination));
    // Hiding the Source area brings the Destination area back with its toolbar as wished.
    ToggleArea(view, EditArea::kDestination);
    ToggleArea(view, EditArea::kSource);
    EXPECT_TRUE(view.destinationShown);
    EXPECT_FALSE(ToolbarVisible(view, EditArea::kDestination));
    ToggleToolbar(view, EditArea::kDestination);
    EXPECT_TRUE(ToolbarVisible(view, EditArea::kDestination));
}

TEST(ViewStateTest, BarsAndOnTopFlip) {
    ViewState view;
    ToggleMenuBar(view);
    ToggleStatusBar(view);
    ToggleAlwaysOnTop(view);
    EXPECT_FALSE(view.menuBarShown);
    EXPECT_FALSE(view.statusBarShown);
    EXPECT_TRUE(view.alwaysOnTop);
    ToggleMenuBar(view);
    ToggleStatusBar(view);
    ToggleAlwaysOnTop(view);
    EXPECT_TRUE(view.menuBarShown);
    EXPECT_TRUE(view.statusBarShown);
    EXPECT_FALSE(view.alwaysOnTop);
}

TEST(ViewStateTest, StateFromSettingsIsRepaired) {
    ViewState view;
    view.sourceShown = false;
    view.destinationShown = false;
    view.proportion = 150;
    NormalizeViewState(view);
    EXPECT_TRUE(view.sourceShown);
    EXPECT_FALSE(view.destinationShown);
    EXPECT_EQ(view.proportion, 100);
    view.proportion = -3;
    NormalizeViewState(view);
    EXPECT_EQ(view.proportion, 0);
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

TEST(ViewStateTest, LayoutSplitsTheHeightBetweenTheAreas) {
    ViewState view;
    MainWindowLayout layout = ComputeLayout(800, 600, 26, view);
    EXPECT_TRUE(layout.statusBarShown);
    EXPECT_EQ(layout.statusBar, (LayoutRect{0, 582, 800, 18}));
    // 600 - 2 toolbars - status bar = 530, half each.
    EXPECT_EQ(layout.sourceEdit, (LayoutRect{1, 26, 798, 265}));
    EXPECT_EQ(layout.destinationTop, 26 + 265 + 1);
    EXPECT_EQ(layout.destinationButtonsY, 292);
    EXPECT_EQ(layout.destinationSelectorY, 295);
    EXPECT_EQ(layout.destinationEdit, (LayoutRect{1, 292 + 26, 798, 265}));
    EXPECT_EQ(layout.rightButtonX[0], 800 - 109);
    EXPECT_EQ(layout.rightButtonX[3], 800 - 109 + 81);

    view.proportion = 33;  // 530 * 33 / 100 = 174 with integer division
    layout = ComputeLayout(800, 600, 26, view);
    EXPECT_EQ(layout.sourceEdit.height, 174);
    EXPECT_EQ(layout.destinationEdit.height, 530 - 174);
}

TEST(ViewStateTest, ProportionZeroKeepsBothAreasWithAnEmptySource) {
    ViewState view;
    view.proportion = 0;
    MainWindowLayout layout = ComputeLayout(700, 500, 24, view);
    EXPECT_TRUE(layout.sourceShown);
    EXPECT_TRUE(layout.destinationShown);
    EXPECT_EQ(layout.sourceEdit.height, 0);
    EXPECT_EQ(layout.destinationEdit.height, 500 - 48 - 18);
    EXPECT_EQ(layout.destinationTop, 24 + 1);

    view.proportion = 100;
    layout = ComputeLayout(700, 500, 24, view);
    EXPECT_EQ(layout.sourceEdit.height, 500 - 48 - 18);
    EXPECT_EQ(layout.destinationEdit.height, 0);
}

TEST(ViewStateTest, AHiddenAreaGivesAllTheHeightToTheOther) {
    ViewState view;
    view.sourceShown = false;
    MainWindowLayout layout = ComputeLayout(800, 600, 26, view);
    EXPECT_FALSE(layout.sourceShown);
    EXPECT_FALSE(layout.sourceToolbarShown);  // wished, but its area is hidden
    EXPECT_EQ(layout.destinationTop, 0);
    EXPECT_EQ(layout.destinationButtonsY, 0);
    EXPECT_EQ(layout.destinationSelectorY, 3);
    // Only the Destination toolbar takes a row.
    EXPECT_EQ(layout.destinationEdit, (LayoutRect{1, 26, 798, 600 - 26 - 18}));

    view.sourceShown = true;
    view.destinationShown = false;
    layout = ComputeLayout(800, 600, 26, view);
    EXPECT_FALSE(layout.destinationShown);
    EXPECT_EQ(layout.sourceEdit, (LayoutRect{1, 26, 798, 600 - 26 - 18}));
}

TEST(ViewStateTest, ToolbarsAndStatusBarTakeTheirRowsOnlyWhenShown) {
    ViewState view;
    view.sourceToolbarShown = false;
    view.destinationToolbarShown = false;
    view.statusBarShown = false;
    MainWindowLayout layout = ComputeLayout(640, 400, 30, view);
    EXPECT_FALSE(layout.statusBarShown);
    EXPECT_EQ(layout.sourceEdit, (LayoutRect{1, 0, 638, 200}));
    EXPECT_EQ(layout.destinationTop, 201);
    EXPECT_EQ(layout.destinationEdit, (LayoutRect{1, 201, 638, 200}));

    view.destinationToolbarShown = true;
    layout = ComputeLayout(640, 400, 30, view);
    EXPECT_EQ(layout.sourceEdit.height, 185);
    EXPECT_EQ(layout.destinationButtonsY, 186);
    EXPECT_EQ(layout.destinationEdit, (LayoutRect{1, 216, 638, 185}));

    // A taller toolbar row leaves less to share.
    layout = ComputeLayout(640, 400, 40, view);
    EXPECT_EQ(layout.sourceEdit.height + layout.destinationEdit.height, 400 - 40);
}

TEST(ViewStateTest, RightHandButtonsStopMovingInNarrowWindows) {
    EXPECT_EQ(RightButtonsLeft(1024), 915);
    EXPECT_EQ(RightButtonsLeft(639), 530);
    EXPECT_EQ(RightButtonsLeft(638), 530);
    EXPECT_EQ(RightButtonsLeft(300), 530);
    MainWindowLayout layout = ComputeLayout(500, 300, 26, ViewState{});
    for (int i = 0; i < kRightButtonCount; ++i) EXPECT_EQ(layout.rightButtonX[i], 530 + 27 * i);
    layout = ComputeLayout(700, 300, 26, ViewState{});
    for (int i = 0; i < kRightButtonCount; ++i) EXPECT_EQ(layout.rightButtonX[i], 591 + 27 * i);
}

TEST(ViewStateTest, TinyOrBrokenSizesGiveNoNegativeRectangles) {
    ViewState view;
    view.proportion = 250;
    for (int height : {0, 10, 40, 70}) {
        MainWindowLayout layout = ComputeLayout(1, height, 26, view);
        EXPECT_GE(layout.sourceEdit.height, 0) << height;
        EXPECT_GE(layout.destinationEdit.height, 0) << height;
        EXPECT_GE(layout.sourceEdit.width, 0) << height;
        EXPECT_GE(layout.statusBar.y, 0) << height;
        EXPECT_GE(layout.statusBar.height, 0) << height;
    }
    MainWindowLayout layout = ComputeLayout(-5, -5, -26, view);
    EXPECT_EQ(layout.sourceEdit.height, 0);
    EXPECT_EQ(layout.destinationEdit.width, 0);
    // The clamped proportion gives everything to the Source area.
    layout = ComputeLayout(800, 600, 26, view);
    EXPECT_EQ(layout.destinationEdit.height, 0);
}

}  // namespace
}  // namespace zelvo
