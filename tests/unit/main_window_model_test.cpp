#include "app/main_window_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/language_table.h"
#include "resources/ids_main_window.h"
#include "services/ui_strings.h"

namespace zelvo {
namespace {

class MainWindowModelTest : public ::testing::Test {
  protected:
    void TearDown() override { SetUiLcid(kLcidEnglish); }
};

// ---------------------------------------------------------------------------
// Showing and hiding
// ---------------------------------------------------------------------------

TEST_F(MainWindowModelTest, HidingTheOnlyShownAreaShowsTheOther) {
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

TEST_F(MainWindowModelTest, AToolbarFollowsItsArea) {
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

TEST_F(MainWindowModelTest, BarsAndOnTopFlip) {
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

TEST_F(MainWindowModelTest, StateFromSettingsIsRepaired) {
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

TEST_F(MainWindowModelTest, LayoutSplitsTheHeightBetweenTheAreas) {
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

TEST_F(MainWindowModelTest, ProportionZeroKeepsBothAreasWithAnEmptySource) {
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

TEST_F(MainWindowModelTest, AHiddenAreaGivesAllTheHeightToTheOther) {
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

TEST_F(MainWindowModelTest, ToolbarsAndStatusBarTakeTheirRowsOnlyWhenShown) {
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

TEST_F(MainWindowModelTest, RightHandButtonsStopMovingInNarrowWindows) {
    EXPECT_EQ(RightButtonsLeft(1024), 915);
    EXPECT_EQ(RightButtonsLeft(639), 530);
    EXPECT_EQ(RightButtonsLeft(638), 530);
    EXPECT_EQ(RightButtonsLeft(300), 530);
    MainWindowLayout layout = ComputeLayout(500, 300, 26, ViewState{});
    for (int i = 0; i < kRightButtonCount; ++i) EXPECT_EQ(layout.rightButtonX[i], 530 + 27 * i);
    layout = ComputeLayout(700, 300, 26, ViewState{});
    for (int i = 0; i < kRightButtonCount; ++i) EXPECT_EQ(layout.rightButtonX[i], 591 + 27 * i);
}

TEST_F(MainWindowModelTest, TinyOrBrokenSizesGiveNoNegativeRectangles) {
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

// ---------------------------------------------------------------------------
// Enabling and checks
// ---------------------------------------------------------------------------

struct AreaIds {
    EditArea area;
    int open, close, save, saveAs, properties, undo, cut, copy, copyAll, paste, del, selectAll, find;
};
const AreaIds kSourceIds = {EditArea::kSource,     IDM_SOURCE_OPEN,        IDM_SOURCE_CLOSE,
                            IDM_SOURCE_SAVE,       IDM_SOURCE_SAVE_AS,     IDM_SOURCE_PROPERTIES,
                            IDM_SOURCE_UNDO,       IDM_SOURCE_CUT,         IDM_SOURCE_COPY,
                            IDM_SOURCE_COPY_ALL,   IDM_SOURCE_PASTE,       IDM_SOURCE_DELETE,
                            IDM_SOURCE_SELECT_ALL, IDM_SOURCE_FIND_REPLACE};
const AreaIds kDestinationIds = {
    EditArea::kDestination,     IDM_DESTINATION_OPEN,        IDM_DESTINATION_CLOSE, IDM_DESTINATION_SAVE,
    IDM_DESTINATION_SAVE_AS,    IDM_DESTINATION_PROPERTIES,  IDM_DESTINATION_UNDO,  IDM_DESTINATION_CUT,
    IDM_DESTINATION_COPY,       IDM_DESTINATION_COPY_ALL,    IDM_DESTINATION_PASTE, IDM_DESTINATION_DELETE,
    IDM_DESTINATION_SELECT_ALL, IDM_DESTINATION_FIND_REPLACE};
// The same commands through the context menu.
const AreaIds kContextIds = {EditArea::kNone,        IDM_CONTEXT_OPEN,
                             IDM_CONTEXT_CLOSE,      IDM_CONTEXT_SAVE,
                             IDM_CONTEXT_SAVE_AS,    IDM_CONTEXT_PROPERTIES,
                             IDM_CONTEXT_UNDO,       IDM_CONTEXT_CUT,
                             IDM_CONTEXT_COPY,       0,
                             IDM_CONTEXT_PASTE,      IDM_CONTEXT_DELETE,
                             IDM_CONTEXT_SELECT_ALL, IDM_CONTEXT_FIND_REPLACE};

bool Enabled(int id, const WindowSnapshot& snapshot) {
    return CommandState(id, snapshot).enabled;
}
bool Checked(int id, const WindowSnapshot& snapshot) {
    return CommandState(id, snapshot).checked;
}

AreaSnapshot& Area(WindowSnapshot& snapshot, EditArea area) {
    return area == EditArea::kDestination ? snapshot.destination : snapshot.source;
}

// Each rule checked on one area with the other area set the opposite way, so a rule that
// looks at the wrong area fails.
void CheckAreaRules(const AreaIds& ids, EditArea area, EditArea contextArea) {
    const EditArea other = area == EditArea::kSource ? EditArea::kDestination : EditArea::kSource;
    SCOPED_TRACE(area == EditArea::kSource ? "Source" : "Destination");
    WindowSnapshot snapshot;
    snapshot.contextArea = contextArea;
    snapshot.source.selectionIsAll = true;
    snapshot.destination.selectionIsAll = true;
    AreaSnapshot& mine = Area(snapshot, area);
    AreaSnapshot& theirs = Area(snapshot, other);
    theirs = {true, 50, true, true, false, false};

    EXPECT_TRUE(Enabled(ids.open, snapshot));
    EXPECT_TRUE(Enabled(ids.properties, snapshot));
    EXPECT_FALSE(Enabled(ids.close, snapshot));
    EXPECT_FALSE(Enabled(ids.saveAs, snapshot));
    EXPECT_FALSE(Enabled(ids.save, snapshot));
    EXPECT_FALSE(Enabled(ids.undo, snapshot));
    EXPECT_FALSE(Enabled(ids.cut, snapshot));
    EXPECT_FALSE(Enabled(ids.copy, snapshot));
    EXPECT_FALSE(Enabled(ids.del, snapshot));
    EXPECT_FALSE(Enabled(ids.paste, snapshot));
    EXPECT_FALSE(Enabled(ids.selectAll, snapshot));
    EXPECT_FALSE(Enabled(ids.find, snapshot));
    if (ids.copyAll) {
        EXPECT_FALSE(Enabled(ids.copyAll, snapshot));
    }

    mine.hasFile = true;  // an empty file still can be closed and saved under a new name
    EXPECT_TRUE(Enabled(ids.close, snapshot));
    EXPECT_TRUE(Enabled(ids.saveAs, snapshot));
    EXPECT_FALSE(Enabled(ids.find, snapshot));
    mine.hasFile = false;
    mine.textLength = 1;
    EXPECT_TRUE(Enabled(ids.close, snapshot));
    EXPECT_TRUE(Enabled(ids.saveAs, snapshot));
    EXPECT_TRUE(Enabled(ids.find, snapshot));
    if (ids.copyAll) {
        EXPECT_TRUE(Enabled(ids.copyAll, snapshot));
    }
    mine.findDialogShown = true;
    EXPECT_FALSE(Enabled(ids.find, snapshot));

    mine.modified = true;
    EXPECT_TRUE(Enabled(ids.save, snapshot));
    EXPECT_TRUE(Enabled(ids.undo, snapshot));

    mine.hasSelection = true;
    EXPECT_TRUE(Enabled(ids.cut, snapshot));
    EXPECT_TRUE(Enabled(ids.copy, snapshot));
    EXPECT_TRUE(Enabled(ids.del, snapshot));

    mine.selectionIsAll = false;
    EXPECT_TRUE(Enabled(ids.selectAll, snapshot));

    snapshot.clipboardHasText = true;
    EXPECT_TRUE(Enabled(ids.paste, snapshot));
}

TEST_F(MainWindowModelTest, AreaCommandsFollowTheirOwnArea) {
    CheckAreaRules(kSourceIds, EditArea::kSource, EditArea::kNone);
    CheckAreaRules(kDestinationIds, EditArea::kDestination, EditArea::kNone);
}

TEST_F(MainWindowModelTest, ContextCommandsFollowTheContextArea) {
    CheckAreaRules(kContextIds, EditArea::kSource, EditArea::kSource);
    CheckAreaRules(kContextIds, EditArea::kDestination, EditArea::kDestination);

    // Until a right click or a Properties button sets the context area they do nothing.
    WindowSnapshot snapshot;
    snapshot.source = {true, 10, true, true, false, false};
    snapshot.clipboardHasText = true;
    for (int id : {IDM_CONTEXT_OPEN, IDM_CONTEXT_PROPERTIES, IDM_CONTEXT_SAVE, IDM_CONTEXT_SELECT_ALL,
                   IDM_CONTEXT_FIND_REPLACE, IDM_CONTEXT_PASTE})
        EXPECT_FALSE(Enabled(id, snapshot)) << id;
}

TEST_F(MainWindowModelTest, ContextIdsResolveToTheAreaCommands) {
    EXPECT_EQ(ResolveContextCommand(IDM_CONTEXT_UNDO, EditArea::kSource), IDM_SOURCE_UNDO);
    EXPECT_EQ(ResolveContextCommand(IDM_CONTEXT_UNDO, EditArea::kDestination), IDM_DESTINATION_UNDO);
    EXPECT_EQ(ResolveContextCommand(IDM_CONTEXT_SELECT_ALL, EditArea::kDestination),
              IDM_DESTINATION_SELECT_ALL);
    EXPECT_EQ(ResolveContextCommand(IDM_CONTEXT_FIND_REPLACE, EditArea::kSource), IDM_SOURCE_FIND_REPLACE);
    EXPECT_EQ(ResolveContextCommand(IDM_CONTEXT_PROPERTIES, EditArea::kDestination),
              IDM_DESTINATION_PROPERTIES);
    EXPECT_EQ(ResolveContextCommand(IDM_CONTEXT_SAVE, EditArea::kNone), 0);
    EXPECT_EQ(ResolveContextCommand(IDM_TRANSFER_G2B, EditArea::kNone), IDM_TRANSFER_G2B);
    EXPECT_EQ(ResolveContextCommand(IDM_SOURCE_SAVE, EditArea::kDestination), IDM_SOURCE_SAVE);
}

TEST_F(MainWindowModelTest, CommandsWithoutConditionsAreAlwaysEnabled) {
    WindowSnapshot empty;
    empty.source.selectionIsAll = true;
    empty.profileCount = 60;
    for (int id : {IDM_NEW,
                   IDM_EXIT,
                   IDM_EXIT_ALL,
                   IDM_PROFILE_MANAGER,
                   IDM_ADJUST_PROPORTION,
                   IDM_ALWAYS_ON_TOP,
                   IDM_TOGGLE_SOURCE_AREA,
                   IDM_TOGGLE_DESTINATION_AREA,
                   IDM_TOGGLE_MENU_BAR,
                   IDM_TOGGLE_STATUS_BAR,
                   IDM_BACKGROUND,
                   IDM_CLIPBOARD_G2B,
                   IDM_CLIPBOARD_B2G,
                   IDM_TRANSFER_GBK_S2T,
                   IDM_TRANSFER_GBK_T2S,
                   IDM_WHATS_THIS,
                   IDM_TRANSFER_TO_SOURCE,
                   IDM_TRANSFER_TO_DESTINATION,
                   IDM_SITE_TRANSFER,
                   IDM_WORD_ADJUSTMENT,
                   IDM_DIFFERENCE_CHECK,
                   IDM_OPTIONS,
                   IDM_HELP_CENTER,
                   IDM_ABOUT,
                   IDM_PROFILE_OPERATIONS,
                   IDM_TOGGLE_SOURCE_AREA_D,
                   IDM_TOGGLE_DESTINATION_AREA_D,
                   IDM_SOURCE_FONT_CUSTOM,
                   IDM_DESTINATION_FONT_CUSTOM,
                   IDM_SOURCE_RECENT_FIRST,
                   IDM_DESTINATION_RECENT_LAST,
                   IDM_PROFILE_FIRST,
                   IDM_UI_LANGUAGE_FIRST,
                   IDM_SOURCE_LANGUAGE_FIRST,
                   IDM_DESTINATION_LANGUAGE_LAST,
                   IDM_SOURCE_FONT_SMALL,
                   IDM_DESTINATION_FONT_LARGE})
        EXPECT_TRUE(Enabled(id, empty)) << id;
}

TEST_F(MainWindowModelTest, TransfersNeedSourceText) {
    WindowSnapshot snapshot;
    snapshot.destination.textLength = 500;
    for (int id : {IDM_TRANSFER_G2B, IDM_TRANSFER_B2G, IDM_CONTEXT_TRANSFER_G2B, IDM_CONTEXT_TRANSFER_B2G})
        EXPECT_FALSE(Enabled(id, snapshot)) << id;
    snapshot.source.textLength = 1;
    for (int id : {IDM_TRANSFER_G2B, IDM_TRANSFER_B2G, IDM_CONTEXT_TRANSFER_G2B, IDM_CONTEXT_TRANSFER_B2G})
        EXPECT_TRUE(Enabled(id, snapshot)) << id;
}

TEST_F(MainWindowModelTest, ViewChecksFollowTheState) {
    WindowSnapshot snapshot;
    EXPECT_TRUE(Checked(IDM_TOGGLE_SOURCE_AREA, snapshot));
    EXPECT_TRUE(Checked(IDM_TOGGLE_DESTINATION_AREA, snapshot));
    EXPECT_TRUE(Checked(IDM_TOGGLE_SOURCE_TOOLBAR, snapshot));
    EXPECT_TRUE(Checked(IDM_TOGGLE_STATUS_BAR, snapshot));
    EXPECT_TRUE(Checked(IDM_TOGGLE_MENU_BAR, snapshot));
    EXPECT_FALSE(Checked(IDM_ALWAYS_ON_TOP, snapshot));

    snapshot.view.sourceShown = false;
    snapshot.view.statusBarShown = false;
    snapshot.view.alwaysOnTop = true;
    EXPECT_FALSE(Checked(IDM_TOGGLE_SOURCE_AREA, snapshot));
    EXPECT_FALSE(Enabled(IDM_TOGGLE_SOURCE_TOOLBAR, snapshot));
    EXPECT_FALSE(Checked(IDM_TOGGLE_SOURCE_TOOLBAR, snapshot));
    EXPECT_TRUE(Enabled(IDM_TOGGLE_DESTINATION_TOOLBAR, snapshot));
    EXPECT_FALSE(Checked(IDM_TOGGLE_STATUS_BAR, snapshot));
    EXPECT_TRUE(Checked(IDM_ALWAYS_ON_TOP, snapshot));

    snapshot.view.sourceShown = true;
    snapshot.view.destinationShown = false;
    EXPECT_FALSE(Enabled(IDM_TOGGLE_DESTINATION_TOOLBAR, snapshot));
    EXPECT_TRUE(Enabled(IDM_TOGGLE_SOURCE_TOOLBAR, snapshot));
    snapshot.view.sourceToolbarShown = false;
    EXPECT_FALSE(Checked(IDM_TOGGLE_SOURCE_TOOLBAR, snapshot));
}

TEST_F(MainWindowModelTest, SaveProfileStopsAtSixtyProfiles) {
    WindowSnapshot snapshot;
    snapshot.profileCount = 59;
    EXPECT_TRUE(Enabled(IDM_SAVE_PROFILE, snapshot));
    snapshot.profileCount = 60;
    EXPECT_FALSE(Enabled(IDM_SAVE_PROFILE, snapshot));
    snapshot.profileCount = 61;
    EXPECT_FALSE(Enabled(IDM_SAVE_PROFILE, snapshot));
}

TEST_F(MainWindowModelTest, ChoicesAreCheckedWhereTheyStand) {
    WindowSnapshot snapshot;
    snapshot.source.languageIndex = kBig5LanguageIndex;
    snapshot.destination.languageIndex = 7;
    snapshot.source.fontSize = 16;
    snapshot.destination.fontSize = 8;
    snapshot.uiLanguageIndex = 2;
    snapshot.transferToSource = true;

    EXPECT_TRUE(Checked(IDM_SOURCE_LANGUAGE_FIRST + 3, snapshot));
    EXPECT_FALSE(Checked(IDM_SOURCE_LANGUAGE_FIRST + 7, snapshot));
    EXPECT_TRUE(Checked(IDM_DESTINATION_LANGUAGE_FIRST + 7, snapshot));
    EXPECT_FALSE(Checked(IDM_DESTINATION_LANGUAGE_FIRST + 3, snapshot));
    EXPECT_TRUE(Checked(IDM_UI_LANGUAGE_FIRST + 2, snapshot));
    EXPECT_FALSE(Checked(IDM_UI_LANGUAGE_FIRST, snapshot));
    EXPECT_TRUE(Checked(IDM_SOURCE_FONT_LARGER, snapshot));
    EXPECT_FALSE(Checked(IDM_SOURCE_FONT_SMALL, snapshot));
    EXPECT_TRUE(Checked(IDM_DESTINATION_FONT_SMALL, snapshot));
    EXPECT_FALSE(Checked(IDM_DESTINATION_FONT_LARGER, snapshot));
    EXPECT_TRUE(Checked(IDM_TRANSFER_TO_SOURCE, snapshot));
    EXPECT_FALSE(Checked(IDM_TRANSFER_TO_DESTINATION, snapshot));
    snapshot.transferToSource = false;
    EXPECT_FALSE(Checked(IDM_TRANSFER_TO_SOURCE, snapshot));
    EXPECT_TRUE(Checked(IDM_TRANSFER_TO_DESTINATION, snapshot));
}

TEST_F(MainWindowModelTest, FontSizeCommandsCarryAreaAndPoints) {
    const int sourceIds[5] = {IDM_SOURCE_FONT_SMALL, IDM_SOURCE_FONT_SMALLER, IDM_SOURCE_FONT_NORMAL,
                              IDM_SOURCE_FONT_LARGER, IDM_SOURCE_FONT_LARGE};
    const int destinationIds[5] = {IDM_DESTINATION_FONT_SMALL, IDM_DESTINATION_FONT_SMALLER,
                                   IDM_DESTINATION_FONT_NORMAL, IDM_DESTINATION_FONT_LARGER,
                                   IDM_DESTINATION_FONT_LARGE};
    const int points[5] = {8, 10, 12, 16, 24};
    for (int i = 0; i < 5; ++i) {
        auto source = FontSizeCommandOf(sourceIds[i]);
        auto destination = FontSizeCommandOf(destinationIds[i]);
        ASSERT_TRUE(source && destination);
        EXPECT_EQ(source->area, EditArea::kSource);
        EXPECT_EQ(destination->area, EditArea::kDestination);
        EXPECT_EQ(source->points, points[i]);
        EXPECT_EQ(destination->points, points[i]);
    }
    EXPECT_FALSE(FontSizeCommandOf(IDM_SOURCE_FONT_CUSTOM));
}

TEST_F(MainWindowModelTest, DynamicRangesDecodeToTheirEntries) {
    struct Case {
        int id;
        DynamicCommandKind kind;
        EditArea area;
        int index;
    };
    for (const Case& c : {Case{3712, DynamicCommandKind::kRecentFile, EditArea::kSource, 0},
                          Case{3775, DynamicCommandKind::kRecentFile, EditArea::kSource, 63},
                          Case{3776, DynamicCommandKind::kRecentFile, EditArea::kDestination, 0},
                          Case{3840, DynamicCommandKind::kProfile, EditArea::kNone, 0},
                          Case{3903, DynamicCommandKind::kProfile, EditArea::kNone, 63},
                          Case{3904, DynamicCommandKind::kLanguage, EditArea::kSource, 0},
                          Case{3968 + 45, DynamicCommandKind::kLanguage, EditArea::kDestination, 45},
                          Case{4032, DynamicCommandKind::kUiLanguage, EditArea::kNone, 0},
                          Case{4095, DynamicCommandKind::kUiLanguage, EditArea::kNone, 63},
                          Case{3711, DynamicCommandKind::kNone, EditArea::kNone, 0},
                          Case{4096, DynamicCommandKind::kNone, EditArea::kNone, 0}}) {
        DynamicCommand decoded = DecodeDynamicCommand(c.id);
        EXPECT_EQ(decoded.kind, c.kind) << c.id;
        EXPECT_EQ(decoded.area, c.area) << c.id;
        EXPECT_EQ(decoded.index, c.index) << c.id;
    }
}

TEST_F(MainWindowModelTest, ToolbarsListTheirButtonsOnce) {
    const std::vector<int>& source = SourceToolbarButtonIds();
    const std::vector<int>& destination = DestinationToolbarButtonIds();
    EXPECT_EQ(source.size(), 18u);
    EXPECT_EQ(destination.size(), 11u);
    EXPECT_EQ(std::set<int>(source.begin(), source.end()).size(), source.size());
    EXPECT_EQ(std::set<int>(destination.begin(), destination.end()).size(), destination.size());
    EXPECT_EQ(source.front(), IDM_SOURCE_OPEN);
    EXPECT_EQ(source.back(), IDM_EXIT);
    EXPECT_EQ(destination.back(), IDM_TOGGLE_DESTINATION_AREA_D);
}

TEST_F(MainWindowModelTest, SiteTransferButtonOnlyInChineseUi) {
    EXPECT_TRUE(SiteTransferButtonShown(2052));
    EXPECT_TRUE(SiteTransferButtonShown(1028));
    EXPECT_FALSE(SiteTransferButtonShown(1033));
    EXPECT_FALSE(SiteTransferButtonShown(1041));
}

TEST_F(MainWindowModelTest, TooltipsSayWhatAClickWillDo) {
    EXPECT_EQ(LoadUiString(ShowHideAreaTipId(EditArea::kSource, true)), "Hide Source Edit Area");
    EXPECT_EQ(LoadUiString(ShowHideAreaTipId(EditArea::kSource, false)), "Show Source Edit Area");
    EXPECT_EQ(LoadUiString(ShowHideAreaTipId(EditArea::kDestination, true)), "Hide Destination Edit Area");
    EXPECT_EQ(LoadUiString(ShowHideAreaTipId(EditArea::kDestination, false)), "Show Destination Edit Area");
    EXPECT_EQ(LoadUiString(AlwaysOnTopTipId(false), "Zelvo"), "Click to set Zelvo as top window");
    EXPECT_EQ(LoadUiString(AlwaysOnTopTipId(true), "Zelvo"), "Click to cancel Zelvo as top window");
    EXPECT_EQ(TransferButtonTipId(true, true), IDS_TIP_G2B_S2S);
    EXPECT_EQ(TransferButtonTipId(true, false), IDS_TIP_G2B_S2D);
    EXPECT_EQ(TransferButtonTipId(false, true), IDS_TIP_B2G_S2S);
    EXPECT_EQ(TransferButtonTipId(false, false), IDS_TIP_B2G_S2D);
}

// ---------------------------------------------------------------------------
// Menus
// ---------------------------------------------------------------------------

const MenuEntry* FindEntry(const std::vector<MenuEntry>& items, int id) {
    for (const MenuEntry& item : items) {
        if (item.id == id && !item.separator && item.children.empty()) return &item;
        if (const MenuEntry* inner = FindEntry(item.children, id)) return inner;
    }
    return nullptr;
}

const MenuEntry* FindSubmenu(const std::vector<MenuEntry>& items, const std::string& text) {
    for (const MenuEntry& item : items)
        if (!item.children.empty() && item.text == text) return &item;
    return nullptr;
}

int CountSeparators(const std::vector<MenuEntry>& items) {
    int count = 0;
    for (const MenuEntry& item : items) count += item.separator ? 1 : 0;
    return count;
}

std::vector<std::string> Paths(int count) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i) paths.push_back("C:\\texts\\file" + std::to_string(i) + ".txt");
    return paths;
}

TEST_F(MainWindowModelTest, MenuBarLabelsInOrder) {
    EXPECT_EQ(MainMenuBarLabels(),
              (std::vector<std::string>{"&File (S)", "&Edit (S)", "Fi&le (D)", "Edit (&D)", "&View",
                                        "&Code Transfer", "&Tools", "&Help"}));
    EXPECT_EQ(MainMenuPopupLabel(8), "");
    EXPECT_TRUE(BuildMainMenuPopup(8, WindowSnapshot{}, MenuSources{}).empty());
    EXPECT_TRUE(BuildMainMenuPopup(-1, WindowSnapshot{}, MenuSources{}).empty());

    SetUiLcid(kLcidSimplifiedChinese);
    std::vector<std::string> chinese = MainMenuBarLabels();
    EXPECT_EQ(chinese[0], LoadUiStringColumn(IDS_MENU_FILE_SOURCE_F, kUiColumnGbk));
    EXPECT_NE(chinese[0], "&File (S)");
}

TEST_F(MainWindowModelTest, RecentEntriesFromTenOnHaveNoMnemonic) {
    std::vector<MenuEntry> entries = RecentFileEntries(EditArea::kSource, Paths(12), 20);
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries[0].text, "&1: C:\\texts\\file1.txt");
    EXPECT_EQ(entries[8].text, "&9: C:\\texts\\file9.txt");
    EXPECT_EQ(entries[9].text, "10: C:\\texts\\file10.txt");
    EXPECT_EQ(entries[11].text, "12: C:\\texts\\file12.txt");
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].id, IDM_SOURCE_RECENT_FIRST + (int)i);

    entries = RecentFileEntries(EditArea::kDestination, Paths(3), 20);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].id, IDM_DESTINATION_RECENT_FIRST + 2);
}

TEST_F(MainWindowModelTest, RecentEntriesAreBoundedByTheMaximumCount) {
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(12), 5).size(), 5u);
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(12), 0).size(), 0u);
    // Below 0 or above 60 counts as 60.
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(70), -1).size(), 60u);
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(70), 61).size(), 60u);
    EXPECT_EQ(RecentFileEntries(EditArea::kSource, Paths(70), 60).size(), 60u);
    EXPECT_EQ(RecentFileEntries(EditArea::kDestination, Paths(70), 100).back().id,
              IDM_DESTINATION_RECENT_FIRST + 59);
}

TEST_F(MainWindowModelTest, AmpersandsInNamesAreShownAsWritten) {
    std::vector<MenuEntry> entries = RecentFileEntries(EditArea::kSource, {"C:\\R&D\\a.txt"}, 20);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "&1: C:\\R&&D\\a.txt");

    MenuSources sources;
    sources.profiles = {{4, "Q&A"}};
    std::vector<MenuEntry> menu = BuildProfileMenu(WindowSnapshot{}, sources);
    const MenuEntry* profile = FindEntry(menu, IDM_PROFILE_FIRST + 4);
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->text, "Q&&A");
}

TEST_F(MainWindowModelTest, FileMenuPutsRecentFilesBetweenPropertiesAndExit) {
    MenuSources sources;
    sources.sourceRecentFiles = Paths(3);
    WindowSnapshot snapshot;
    std::vector<MenuEntry> items = BuildMainMenuPopup(0, snapshot, sources);
    std::vector<int> ids;
    for (const MenuEntry& item : items) ids.push_back(item.separator ? -1 : item.id);
    EXPECT_EQ(ids, (std::vector<int>{IDM_NEW, -1, IDM_SOURCE_OPEN, IDM_SOURCE_CLOSE, IDM_SOURCE_SAVE,
                                     IDM_SOURCE_SAVE_AS, -1, IDM_SOURCE_PROPERTIES, -1, 3712, 3713, 3714, -1,
                                     IDM_EXIT, IDM_EXIT_ALL}));
    EXPECT_EQ(items[0].text, "&New\tCtrl+N");
    EXPECT_EQ(items.back().text, "Exit A&ll");

    // Without entries there is no second separator; the Destination menu has no New.
    items = BuildMainMenuPopup(2, snapshot, sources);
    ids.clear();
    for (const MenuEntry& item : items) ids.push_back(item.separator ? -1 : item.id);
    EXPECT_EQ(ids, (std::vector<int>{IDM_DESTINATION_OPEN, IDM_DESTINATION_CLOSE, IDM_DESTINATION_SAVE,
                                     IDM_DESTINATION_SAVE_AS, -1, IDM_DESTINATION_PROPERTIES, -1, IDM_EXIT,
                                     IDM_EXIT_ALL}));
    sources.maximumRecentCount = 2;
    sources.destinationRecentFiles = Paths(4);
    EXPECT_EQ(CountSeparators(BuildMainMenuPopup(2, snapshot, sources)), 3);
    EXPECT_EQ(BuildMainMenuPopup(2, snapshot, sources).size(), 12u);
}

TEST_F(MainWindowModelTest, MenusGreyAndCheckByTheCommandRules) {
    WindowSnapshot snapshot;
    snapshot.source.modified = true;
    snapshot.destination.textLength = 0;
    snapshot.view.destinationShown = false;
    std::vector<MenuEntry> file = BuildMainMenuPopup(0, snapshot, MenuSources{});
    EXPECT_FALSE(FindEntry(file, IDM_SOURCE_SAVE)->grayed);
    EXPECT_TRUE(FindEntry(file, IDM_SOURCE_CLOSE)->grayed);
    std::vector<MenuEntry> edit = BuildMainMenuPopup(3, snapshot, MenuSources{});
    EXPECT_TRUE(FindEntry(edit, IDM_DESTINATION_UNDO)->grayed);
    EXPECT_TRUE(FindEntry(edit, IDM_DESTINATION_COPY_ALL)->grayed);
    EXPECT_TRUE(FindEntry(edit, IDM_DESTINATION_FONT_NORMAL) != nullptr);

    std::vector<MenuEntry> view = BuildMainMenuPopup(4, snapshot, MenuSources{});
    EXPECT_TRUE(FindEntry(view, IDM_TOGGLE_SOURCE_AREA)->checked);
    EXPECT_FALSE(FindEntry(view, IDM_TOGGLE_DESTINATION_AREA)->checked);
    EXPECT_TRUE(FindEntry(view, IDM_TOGGLE_DESTINATION_TOOLBAR)->grayed);
    EXPECT_FALSE(FindEntry(view, IDM_TOGGLE_SOURCE_TOOLBAR)->grayed);
    EXPECT_EQ(FindEntry(view, IDM_TOGGLE_SOURCE_AREA)->text, "Source &Edit Area\tCtrl+1");
}

TEST_F(MainWindowModelTest, LanguageMenusListTheTableWithTheCurrentRowChecked) {
    WindowSnapshot snapshot;
    snapshot.source.languageIndex = 3;
    snapshot.destination.languageIndex = 1;
    MenuSources sources;
    sources.uiLanguageNames = {"English", "Chinese S", "Chinese T", "Nihongo"};
    snapshot.uiLanguageIndex = 3;
    std::vector<MenuEntry> view = BuildMainMenuPopup(4, snapshot, sources);

    const MenuEntry* source = FindSubmenu(view, "Sour&ce Language");
    const MenuEntry* destination = FindSubmenu(view, "Desti&nation Language");
    const MenuEntry* ui = FindSubmenu(view, "U&I Language");
    ASSERT_TRUE(source && destination && ui);
    ASSERT_EQ(source->children.size(), 46u);
    ASSERT_EQ(destination->children.size(), 46u);
    std::vector<std::string> names = LanguageNames();
    for (int i = 0; i < 46; ++i) {
        EXPECT_EQ(source->children[i].id, IDM_SOURCE_LANGUAGE_FIRST + i);
        EXPECT_EQ(destination->children[i].id, IDM_DESTINATION_LANGUAGE_FIRST + i);
        EXPECT_EQ(source->children[i].text, names[i]);
        EXPECT_EQ(source->children[i].checked, i == 3);
        EXPECT_EQ(destination->children[i].checked, i == 1);
    }
    ASSERT_EQ(ui->children.size(), 4u);
    EXPECT_EQ(ui->children[3].id, IDM_UI_LANGUAGE_FIRST + 3);
    EXPECT_EQ(ui->children[3].text, "Nihongo");
    EXPECT_TRUE(ui->children[3].checked);
    EXPECT_FALSE(ui->children[0].checked);
}

TEST_F(MainWindowModelTest, ProfilePopupGreysSaveAtSixtyAndListsMarkedProfiles) {
    MenuSources sources;
    for (int i = 0; i < 70; ++i) sources.profiles.push_back({i, "Profile " + std::to_string(i)});
    WindowSnapshot snapshot;
    snapshot.profileCount = 70;
    std::vector<MenuEntry> menu = BuildProfileMenu(snapshot, sources);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].text, "&Profile Manager");
    EXPECT_EQ(menu[0].id, IDM_PROFILE_MANAGER);
    EXPECT_EQ(menu[1].id, IDM_SAVE_PROFILE);
    EXPECT_TRUE(menu[1].grayed);
    ASSERT_EQ(menu[2].children.size(), 60u);
    EXPECT_EQ(menu[2].children[59].id, IDM_PROFILE_FIRST + 59);
    EXPECT_EQ(menu[2].children[59].text, "Profile 59");

    snapshot.profileCount = 59;
    sources.profiles = {{0, "Last"}, {5, "Wide"}};
    menu = BuildProfileMenu(snapshot, sources);
    EXPECT_FALSE(menu[1].grayed);
    ASSERT_EQ(menu[2].children.size(), 2u);
    EXPECT_EQ(menu[2].children[1].id, IDM_PROFILE_FIRST + 5);

    sources.profiles.clear();
    EXPECT_EQ(BuildProfileMenu(snapshot, sources).size(), 2u);
    // An index past the id range is left out rather than given another command's id.
    sources.profiles = {{64, "Too far"}};
    EXPECT_EQ(BuildProfileMenu(snapshot, sources).size(), 2u);
}

TEST_F(MainWindowModelTest, CodeTransferToolsAndHelpMenus) {
    WindowSnapshot snapshot;
    snapshot.transferToSource = true;
    std::vector<MenuEntry> transfer = BuildMainMenuPopup(5, snapshot, MenuSources{});
    EXPECT_EQ(transfer[0].text, "Clipboard Transfer: GBK -> &Big5");
    EXPECT_TRUE(FindEntry(transfer, IDM_TRANSFER_G2B)->grayed);  // no Source text
    EXPECT_EQ(FindEntry(transfer, IDM_TRANSFER_B2G)->text, "Edit Area Transfer: Big5 -> GB&K\tCtrl+G");
    EXPECT_TRUE(FindEntry(transfer, IDM_TRANSFER_TO_SOURCE)->checked);
    EXPECT_FALSE(FindEntry(transfer, IDM_TRANSFER_TO_DESTINATION)->checked);
    EXPECT_NE(FindEntry(transfer, IDM_WHATS_THIS), nullptr);
    EXPECT_NE(FindEntry(transfer, IDM_SITE_TRANSFER), nullptr);

    std::vector<MenuEntry> tools = BuildMainMenuPopup(6, snapshot, MenuSources{});
    EXPECT_NE(FindEntry(tools, IDM_WORD_ADJUSTMENT), nullptr);
    EXPECT_NE(FindEntry(tools, IDM_DIFFERENCE_CHECK), nullptr);
    EXPECT_EQ(FindEntry(tools, IDM_OPTIONS)->text, "&Options...");

    MenuSources sources;
    sources.productName = "Zelvo";
    std::vector<MenuEntry> help = BuildMainMenuPopup(7, snapshot, sources);
    ASSERT_EQ(help.size(), 3u);
    EXPECT_EQ(help[0].text, "&Help Center\tF1");
    EXPECT_EQ(help[0].id, IDM_HELP_CENTER);
    EXPECT_TRUE(help[1].separator);
    EXPECT_EQ(help[2].text, "&About Zelvo...");
    EXPECT_EQ(help[2].id, IDM_ABOUT);
}

TEST_F(MainWindowModelTest, ContextMenuActsOnTheContextArea) {
    WindowSnapshot snapshot;
    snapshot.contextArea = EditArea::kDestination;
    snapshot.destination.modified = true;
    snapshot.destination.textLength = 20;
    snapshot.source.hasSelection = true;
    snapshot.view.sourceShown = false;
    std::vector<MenuEntry> menu = BuildContextMenu(snapshot);

    std::vector<int> ids;
    for (const MenuEntry& item : menu) ids.push_back(item.separator ? -1 : item.id);
    EXPECT_EQ(ids, (std::vector<int>{57643, -1, 57635, 57634, 57637, 32780, -1, 32773, -1, 57642, -1, 32774,
                                     32777, 32775, 32776, -1, 32781, -1, 0}));
    EXPECT_EQ(menu[0].text, "&Undo\tCtrl+Z");
    EXPECT_EQ(menu[5].text, "&Delete\tDel");
    EXPECT_EQ(menu[7].text, "&Find/Replace\tCtrl+F");
    EXPECT_EQ(menu[9].text, "Select &All\tCtrl+A");
    EXPECT_FALSE(menu[0].grayed);   // Destination modified
    EXPECT_TRUE(menu[2].grayed);    // the Source selection does not count
    EXPECT_FALSE(menu[12].grayed);  // Save
    EXPECT_FALSE(menu[14].grayed);  // Close: the area has text

    const MenuEntry& view = menu.back();
    EXPECT_EQ(view.text, "Vi&ew");
    ASSERT_EQ(view.children.size(), 7u);
    EXPECT_FALSE(FindEntry(view.children, IDM_TOGGLE_SOURCE_AREA)->checked);
    EXPECT_TRUE(FindEntry(view.children, IDM_TOGGLE_DESTINATION_AREA)->checked);
    EXPECT_TRUE(FindEntry(view.children, IDM_TOGGLE_SOURCE_TOOLBAR)->grayed);
    EXPECT_TRUE(FindEntry(view.children, IDM_TOGGLE_DESTINATION_TOOLBAR)->checked);
    EXPECT_NE(FindEntry(view.children, IDM_ALWAYS_ON_TOP), nullptr);

    snapshot.contextArea = EditArea::kSource;
    menu = BuildContextMenu(snapshot);
    EXPECT_TRUE(menu[0].grayed);
    EXPECT_FALSE(menu[2].grayed);
}

TEST_F(MainWindowModelTest, MenusFollowTheUiLanguage) {
    SetUiLcid(kLcidTraditionalChinese);
    MenuSources sources;
    sources.productName = "Zelvo";
    std::vector<MenuEntry> help = BuildMainMenuPopup(7, WindowSnapshot{}, sources);
    EXPECT_EQ(help[0].text, LoadUiStringColumn(IDS_MENU_HELP_HELP_CENTER_H, kUiColumnBig5));
    EXPECT_EQ(help[2].text, LoadUiStringColumn(IDS_MENU_ABOUT_A, kUiColumnBig5, "Zelvo"));
    EXPECT_NE(help[2].text, "&About Zelvo...");
    WindowSnapshot snapshot;
    snapshot.contextArea = EditArea::kSource;
    EXPECT_EQ(BuildContextMenu(snapshot)[0].text,
              LoadUiStringColumn(IDS_MENU_EDIT_UNDO_U, kUiColumnBig5) + "\tCtrl+Z");
}

// ---------------------------------------------------------------------------
// Status bar and title
// ---------------------------------------------------------------------------

TEST_F(MainWindowModelTest, PositionPaneWithoutSelection) {
    EXPECT_EQ(PositionPaneText(0, 0, 0, 0, 0, 0), "Ln 1,  Col 1");
    // Caret at byte 25 of the third line, which begins at byte 20.
    EXPECT_EQ(PositionPaneText(25, 25, 2, 2, 20, 20), "Ln 3,  Col 6");
    // A long line: the start column is shown as it is.
    EXPECT_EQ(PositionPaneText(1500, 1500, 0, 0, 0, 0), "Ln 1,  Col 1501");
}

TEST_F(MainWindowModelTest, PositionPaneWithSelection) {
    EXPECT_EQ(PositionPaneText(25, 30, 2, 2, 20, 20), "Ln 3,  Col 6-11, Sel 5");
    // Over three lines, both ends in column 6.
    EXPECT_EQ(PositionPaneText(25, 50, 2, 4, 20, 45), "Ln 3+2,  Col 6, Sel 25");
    EXPECT_EQ(PositionPaneText(25, 52, 2, 4, 20, 45), "Ln 3+2,  Col 6-8, Sel 27");
    // An end column above 1000 is shown as 1.
    EXPECT_EQ(PositionPaneText(0, 1200, 0, 0, 0, 0), "Ln 1,  Col 1-1, Sel 1200");
    EXPECT_EQ(PositionPaneText(0, 1000, 0, 0, 0, 0), "Ln 1,  Col 1-1, Sel 1000");  // column 1001
    EXPECT_EQ(PositionPaneText(0, 999, 0, 0, 0, 0), "Ln 1,  Col 1-1000, Sel 999");
}

TEST_F(MainWindowModelTest, OtherPanesAndTitle) {
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

TEST_F(MainWindowModelTest, ProgressBarPositions) {
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

TEST_F(MainWindowModelTest, ProgressPercentLabel) {
    EXPECT_EQ(ProgressPercentText(0, 400), "0%");
    EXPECT_EQ(ProgressPercentText(100, 400), "25%");
    EXPECT_EQ(ProgressPercentText(399, 400), "99%");
    EXPECT_EQ(ProgressPercentText(400, 400), "100%");
    EXPECT_EQ(ProgressPercentText(401, 400), "0%");
    EXPECT_EQ(ProgressPercentText(0, 0), "0%");  // no division by a zero total
    EXPECT_EQ(ProgressPercentText(50'000'000, 100'000'000), "50%");
}

TEST_F(MainWindowModelTest, StatusBarProgressShowsABarOnlyWithATotal) {
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

// ---------------------------------------------------------------------------
// Transfers
// ---------------------------------------------------------------------------

TEST_F(MainWindowModelTest, NonNtDestinationAsksForTheClipboardAbove29000Bytes) {
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 29000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 29001), TransferPlan::kAskClipboardInstead);
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 30000), TransferPlan::kAskClipboardInstead);
    EXPECT_EQ(PlanEditAreaTransfer(false, true, 100001), TransferPlan::kAskClipboardInstead);
    // The Source area takes the result in place without asking; NT has no such limit.
    EXPECT_EQ(PlanEditAreaTransfer(false, false, 30000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(true, true, 30000), TransferPlan::kDirect);
}

TEST_F(MainWindowModelTest, LongTextsGoThroughTheProgressDialog) {
    EXPECT_EQ(PlanEditAreaTransfer(true, true, 100000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(true, true, 100001), TransferPlan::kProgressDialog);
    EXPECT_EQ(PlanEditAreaTransfer(false, false, 100000), TransferPlan::kDirect);
    EXPECT_EQ(PlanEditAreaTransfer(false, false, 100001), TransferPlan::kProgressDialog);
    EXPECT_EQ(PlanEditAreaTransfer(true, false, 0), TransferPlan::kDirect);
    EXPECT_EQ(PlanClipboardTransfer(100000), TransferPlan::kDirect);
    EXPECT_EQ(PlanClipboardTransfer(100001), TransferPlan::kProgressDialog);
}

TEST_F(MainWindowModelTest, SelectorsAfterATransfer) {
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

TEST_F(MainWindowModelTest, TransferCommandsModesAndCaptions) {
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
