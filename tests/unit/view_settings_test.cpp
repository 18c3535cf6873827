#include "app/view_settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "transfer/profile_list.h"

namespace zelvo {
namespace {

constexpr ScreenSize kScreen{1024, 768};

// A window of 600 x 400 at (100, 50) with both areas and every bar.
WindowState OrdinaryWindow() {
    WindowState window;
    window.rect = {100, 50, 700, 450};
    return window;
}

ProfileApplication OnScreen(int launchIndex = 0) {
    ProfileApplication how;
    how.screen = kScreen;
    how.launchIndex = launchIndex;
    return how;
}

// A record that sets only the position, as a user would write it.
Profile PositionRecord(int left, int top, int right, int bottom) {
    Profile record;
    record.setPosition = true;
    record.left = left;
    record.top = top;
    record.right = right;
    record.bottom = bottom;
    record.centered = false;
    record.setProportion = false;
    return record;
}

TEST(ViewSettingsCapture, ClampsTheWindowToTheScreen) {
    WindowState window = OrdinaryWindow();
    window.rect = {0, 0, 1200, 500};  // wider than the screen
    Profile record;
    CaptureWindowState(window, kScreen, record);
    EXPECT_EQ(record.left, 0);
    EXPECT_EQ(record.right, 682);
    EXPECT_EQ(record.top, 0);
    EXPECT_EQ(record.bottom, 500);

    // Off the left and the bottom edge: moved back on, the size kept.
    window.rect = {-30, 500, 770, 900};
    CaptureWindowState(window, kScreen, record);
    EXPECT_EQ(record.left, 0);
    EXPECT_EQ(record.right, 800);
    EXPECT_EQ(record.top, 368);
    EXPECT_EQ(record.bottom, 768);

    // Off the right and the top edge; taller than the screen.
    window.rect = {900, -40, 1100, 760};
    CaptureWindowState(window, kScreen, record);
    EXPECT_EQ(record.left, 824);
    EXPECT_EQ(record.right, 1024);
    EXPECT_EQ(record.top, 0);
    EXPECT_EQ(record.bottom, 512);
}

TEST(ViewSettingsCapture, FillsEveryWindowGroupAndLeavesTheRest) {
    WindowState window = OrdinaryWindow();
    window.uiLcid = 1028;
    window.sourceLanguage = 3;
    window.destinationLanguage = 1;
    window.sourceFontSize = 16;
    window.destinationFontSize = 24;
    window.maximized = true;
    window.view.destinationShown = false;
    window.view.statusBarShown = false;
    window.view.destinationToolbarShown = false;
    window.view.alwaysOnTop = true;
    window.view.proportion = 35;

    Profile record;
    record.title = "Mine";
    record.description = "kept";
    record.setBackground = false;
    record.appearInMenu = false;
    record.setPosition = false;
    record.centered = true;
    CaptureWindowState(window, kScreen, record);

    EXPECT_TRUE(record.setUiLanguage);
    EXPECT_EQ(record.uiLanguage, 1028);
    EXPECT_TRUE(record.setSourceLanguage);
    EXPECT_EQ(record.sourceLanguage, 3);
    EXPECT_TRUE(record.setDestinationLanguage);
    EXPECT_EQ(record.destinationLanguage, 1);
    EXPECT_TRUE(record.setPosition);
    EXPECT_EQ(record.left, 100);
    EXPECT_EQ(record.right, 700);
    EXPECT_EQ(record.top, 50);
    EXPECT_EQ(record.bottom, 450);
    EXPECT_FALSE(record.centered);
    EXPECT_TRUE(record.maximized);
    EXPECT_TRUE(record.alwaysOnTop);
    EXPECT_TRUE(record.showSourceArea);
    EXPECT_FALSE(record.showDestinationArea);
    EXPECT_TRUE(record.showMenuBar);
    EXPECT_TRUE(record.showSourceBar);
    EXPECT_FALSE(record.showDestinationBar);
    EXPECT_FALSE(record.showStatusBar);
    EXPECT_TRUE(record.setProportion);
    EXPECT_EQ(record.proportion, 35);
    EXPECT_TRUE(record.setFontSize);
    EXPECT_TRUE(record.setSourceFontSize);
    EXPECT_TRUE(record.setDestinationFontSize);
    EXPECT_EQ(record.sourceFontSize, 16);
    EXPECT_EQ(record.destinationFontSize, 24);
    EXPECT_EQ(record.title, "Mine");
    EXPECT_EQ(record.description, "kept");
    EXPECT_FALSE(record.setBackground);
    EXPECT_FALSE(record.appearInMenu);
}

TEST(ViewSettingsApply, RecordWiderThanTheScreenIsShownTwoThirdsWide) {
    Profile record = PositionRecord(0, 100, 1200, 500);
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    ASSERT_TRUE(change.placeWindow);
    EXPECT_EQ(change.placement.rect, (ScreenRect{0, 100, 682, 500}));
    EXPECT_TRUE(change.layoutAgain);

    // Taller than the screen as well, starting off it: 682 x 512 kept on the screen.
    record = PositionRecord(500, 300, 1700, 1100);
    change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_EQ(change.placement.rect, (ScreenRect{342, 256, 1024, 768}));
}

TEST(ViewSettingsApply, OpenFromExplorerCascadesByTheLaunchIndex) {
    ProfileContext context;
    Profile explorer = SystemProfile(kOpenFromExplorerProfileId, context);
    ASSERT_EQ(explorer.left, 79);
    ASSERT_EQ(explorer.top, 0);
    const int expected[][2] = {{79, 0}, {97, 18}, {115, 36}};
    for (int index = 0; index < 3; ++index) {
        Profile record = explorer;
        ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen(index));
        EXPECT_EQ(change.placement.rect.left, expected[index][0]) << index;
        EXPECT_EQ(change.placement.rect.top, expected[index][1]) << index;
        EXPECT_EQ(change.placement.rect.Width(), 665) << index;
        EXPECT_EQ(change.placement.rect.Height(), 443) << index;
    }

    // The twenty-first window wraps round: 79 + 360 less the room of 1024 - 665 = 359,
    // and 0 + 360 less the room of 768 - 443 = 325.
    Profile record = explorer;
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen(20));
    EXPECT_EQ(change.placement.rect.left, 80);
    EXPECT_EQ(change.placement.rect.top, 35);

    // The largest launch index the command line can give wraps the same way, at once.
    record = explorer;
    change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen(INT_MAX));
    EXPECT_EQ(change.placement.rect.left, 359);
    EXPECT_EQ(change.placement.rect.top, 271);

    // The same rectangle in a user profile does not cascade.
    record = explorer;
    record.isSystem = false;
    record.systemId = 0;
    change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen(2));
    EXPECT_EQ(change.placement.rect, (ScreenRect{79, 0, 744, 443}));
}

TEST(ViewSettingsApply, SizeIsNeverBelowTheWindowsMinimum) {
    Profile record = PositionRecord(300, 200, 250, 260);  // right before left: no width
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_EQ(change.placement.rect, (ScreenRect{300, 200, 300, 260}));

    WindowState window = OrdinaryWindow();
    window.view.minimumWidth = 120;
    window.view.minimumHeight = 90;
    change = ApplyProfileToWindow(record, window, OnScreen());
    EXPECT_EQ(change.placement.rect, (ScreenRect{300, 200, 420, 290}));
}

TEST(ViewSettingsApply, CascadeWithoutRoomStaysOnTheScreen) {
    Profile record = PositionRecord(0, 0, 1024, 300);
    record.isSystem = true;
    record.systemId = kOpenFromExplorerProfileId;
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen(3));
    EXPECT_EQ(change.placement.rect, (ScreenRect{0, 54, 1024, 354}));
}

TEST(ViewSettingsApply, AllMinusOneCentresTheWindowAsItIs) {
    Profile record = PositionRecord(-1, -1, -1, -1);
    record.maximized = true;
    record.alwaysOnTop = true;
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    ASSERT_TRUE(change.placeWindow);
    EXPECT_EQ(change.placement.rect, (ScreenRect{212, 184, 812, 584}));
    EXPECT_FALSE(change.placement.maximize);
    EXPECT_FALSE(change.placement.restore);
    EXPECT_FALSE(change.placement.setAlwaysOnTop);
    EXPECT_FALSE(change.view.alwaysOnTop);
}

TEST(ViewSettingsApply, CenteredRecordIsCentredAtItsOwnSize) {
    Profile record = PositionRecord(10, 10, 410, 310);
    record.centered = true;
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_EQ(change.placement.rect, (ScreenRect{312, 234, 712, 534}));
}

TEST(ViewSettingsApply, MaximisedAndRestoredWindows) {
    Profile record = PositionRecord(0, 0, 682, 623);
    record.maximized = true;
    record.alwaysOnTop = true;
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_TRUE(change.placement.maximize);
    EXPECT_FALSE(change.placement.restore);
    EXPECT_TRUE(change.placement.setAlwaysOnTop);
    EXPECT_TRUE(change.view.alwaysOnTop);

    WindowState maximised = OrdinaryWindow();
    maximised.maximized = true;
    record.maximized = false;
    change = ApplyProfileToWindow(record, maximised, OnScreen());
    EXPECT_FALSE(change.placement.maximize);
    EXPECT_TRUE(change.placement.restore);
}

TEST(ViewSettingsApply, BothAreasHiddenStartsWithTheSourceArea) {
    Profile record;
    record.setPosition = false;
    record.showSourceArea = false;
    record.showDestinationArea = false;
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_TRUE(record.showSourceArea);
    EXPECT_TRUE(change.view.sourceShown);
    EXPECT_FALSE(change.view.destinationShown);
    EXPECT_TRUE(change.layoutAgain);

    // From a window that shows only the Destination area.
    WindowState window = OrdinaryWindow();
    window.view.sourceShown = false;
    record.showSourceArea = false;
    record.showDestinationArea = false;
    change = ApplyProfileToWindow(record, window, OnScreen());
    EXPECT_TRUE(change.view.sourceShown);
    EXPECT_FALSE(change.view.destinationShown);

    // A record with only the Destination area, from a window with only the Source area.
    window = OrdinaryWindow();
    window.view.destinationShown = false;
    record.showSourceArea = false;
    record.showDestinationArea = true;
    change = ApplyProfileToWindow(record, window, OnScreen());
    EXPECT_FALSE(change.view.sourceShown);
    EXPECT_TRUE(change.view.destinationShown);
}

TEST(ViewSettingsApply, BarsFollowTheRecordAlways) {
    Profile record;
    record.setPosition = false;
    record.showMenuBar = false;
    record.showSourceBar = false;
    record.showDestinationBar = true;
    record.showStatusBar = false;
    WindowState window = OrdinaryWindow();
    window.view.destinationToolbarShown = false;
    ViewSettingsChange change = ApplyProfileToWindow(record, window, OnScreen());
    EXPECT_FALSE(change.view.menuBarShown);
    EXPECT_FALSE(change.view.sourceToolbarShown);
    EXPECT_TRUE(change.view.destinationToolbarShown);
    EXPECT_FALSE(change.view.statusBarShown);
}

TEST(ViewSettingsApply, LanguagesAreChosenOnlyWhenSetAndRepaired) {
    WindowState window = OrdinaryWindow();  // rows 1 and 3
    Profile record;
    record.setPosition = false;
    record.sourceLanguage = 5;  // not set: ignored
    ViewSettingsChange change = ApplyProfileToWindow(record, window, OnScreen());
    EXPECT_FALSE(change.sourceLanguage.changed);
    EXPECT_FALSE(change.destinationLanguage.changed);

    record.setSourceLanguage = true;
    record.sourceLanguage = 46;  // past the 46 rows
    record.setDestinationLanguage = true;
    record.destinationLanguage = 10;
    ProfileApplication how = OnScreen();
    how.destinationSelectorCount = 5;  // a selector that holds fewer rows
    change = ApplyProfileToWindow(record, window, how);
    EXPECT_TRUE(change.sourceLanguage.changed);
    EXPECT_EQ(change.sourceLanguage.index, 0);
    EXPECT_TRUE(change.sourceLanguage.select);
    EXPECT_EQ(record.sourceLanguage, 0);
    EXPECT_TRUE(change.destinationLanguage.changed);
    EXPECT_EQ(change.destinationLanguage.index, 10);
    EXPECT_FALSE(change.destinationLanguage.select);

    // The row the selector already shows changes nothing.
    record.setSourceLanguage = true;
    record.sourceLanguage = 1;
    change = ApplyProfileToWindow(record, window, OnScreen());
    EXPECT_FALSE(change.sourceLanguage.changed);
}

TEST(ViewSettingsApply, UiLanguageSwitchesOnlyOnceTheWindowIsUp) {
    Profile record;
    record.setPosition = false;
    record.setUiLanguage = true;
    record.uiLanguage = 2052;
    ProfileApplication atStart = OnScreen();
    atStart.windowInitialised = false;
    EXPECT_FALSE(ApplyProfileToWindow(record, OrdinaryWindow(), atStart).switchUiLanguage);
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_TRUE(change.switchUiLanguage);
    EXPECT_EQ(change.uiLanguage, 2052);
    record.uiLanguage = 1033;  // the language in use
    EXPECT_FALSE(ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen()).switchUiLanguage);
}

TEST(ViewSettingsApply, ProportionAndFontSizesOnlyWhenSetAndValid) {
    Profile record;
    record.setPosition = false;
    record.setProportion = true;
    record.proportion = 150;
    ViewSettingsChange change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_EQ(change.view.proportion, 50);
    EXPECT_FALSE(change.layoutAgain);

    record.proportion = 30;
    record.setFontSize = true;
    record.setSourceFontSize = true;
    record.sourceFontSize = 24;
    record.setDestinationFontSize = false;
    record.destinationFontSize = 48;
    change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_EQ(change.view.proportion, 30);
    EXPECT_TRUE(change.layoutAgain);
    EXPECT_EQ(change.sourceFontSize, 24);
    EXPECT_EQ(change.destinationFontSize, 10);

    record.setDestinationFontSize = true;
    record.destinationFontSize = 0;  // out of range: the area keeps its size
    record.setFontSize = false;      // the group switch off: nothing of it applies
    change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_EQ(change.sourceFontSize, 10);
    record.setFontSize = true;
    change = ApplyProfileToWindow(record, OrdinaryWindow(), OnScreen());
    EXPECT_EQ(change.sourceFontSize, 24);
    EXPECT_EQ(change.destinationFontSize, 10);
}

TEST(ViewSettingsApply, CapturedStateAppliedToTheSameWindowChangesNothing) {
    WindowState window = OrdinaryWindow();
    window.view.destinationShown = false;
    window.view.proportion = 70;
    window.view.alwaysOnTop = true;
    window.sourceFontSize = 16;
    Profile record;
    CaptureWindowState(window, kScreen, record);
    ViewSettingsChange change = ApplyProfileToWindow(record, window, OnScreen());
    EXPECT_FALSE(change.layoutAgain);
    EXPECT_FALSE(change.switchUiLanguage);
    EXPECT_FALSE(change.sourceLanguage.changed);
    EXPECT_FALSE(change.destinationLanguage.changed);
    EXPECT_EQ(change.placement.rect, window.rect);
    EXPECT_FALSE(change.placement.restore);
    EXPECT_FALSE(change.placement.maximize);
    EXPECT_EQ(change.sourceFontSize, 16);
}

}  // namespace
}  // namespace zelvo
