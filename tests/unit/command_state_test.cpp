#include "app/command_state.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/language_table.h"
#include "services/ui_strings.h"
#include "resources/ids_main_window.h"

namespace zelvo {
namespace {

class CommandStateTest : public ::testing::Test {
  protected:
    void TearDown() override { SetUiLcid(kLcidEnglish); }
};

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

TEST_F(CommandStateTest, AreaCommandsFollowTheirOwnArea) {
    CheckAreaRules(kSourceIds, EditArea::kSource, EditArea::kNone);
    CheckAreaRules(kDestinationIds, EditArea::kDestination, EditArea::kNone);
}

TEST_F(CommandStateTest, ContextCommandsFollowTheContextArea) {
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

TEST_F(CommandStateTest, ContextIdsResolveToTheAreaCommands) {
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

TEST_F(CommandStateTest, CommandsWithoutConditionsAreAlwaysEnabled) {
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

TEST_F(CommandStateTest, TransfersNeedSourceText) {
    WindowSnapshot snapshot;
    snapshot.destination.textLength = 500;
    for (int id : {IDM_TRANSFER_G2B, IDM_TRANSFER_B2G, IDM_CONTEXT_TRANSFER_G2B, IDM_CONTEXT_TRANSFER_B2G})
        EXPECT_FALSE(Enabled(id, snapshot)) << id;
    snapshot.source.textLength = 1;
    for (int id : {IDM_TRANSFER_G2B, IDM_TRANSFER_B2G, IDM_CONTEXT_TRANSFER_G2B, IDM_CONTEXT_TRANSFER_B2G})
        EXPECT_TRUE(Enabled(id, snapshot)) << id;
}

TEST_F(CommandStateTest, ViewChecksFollowTheState) {
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

TEST_F(CommandStateTest, SaveProfileStopsAtSixtyProfiles) {
    WindowSnapshot snapshot;
    snapshot.profileCount = 59;
    EXPECT_TRUE(Enabled(IDM_SAVE_PROFILE, snapshot));
    snapshot.profileCount = 60;
    EXPECT_FALSE(Enabled(IDM_SAVE_PROFILE, snapshot));
    snapshot.profileCount = 61;
    EXPECT_FALSE(Enabled(IDM_SAVE_PROFILE, snapshot));
}

TEST_F(CommandStateTest, ChoicesAreCheckedWhereTheyStand) {
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

TEST_F(CommandStateTest, FontSizeCommandsCarryAreaAndPoints) {
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

TEST_F(CommandStateTest, DynamicRangesDecodeToTheirEntries) {
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

TEST_F(CommandStateTest, ToolbarsListTheirButtonsOnce) {
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

TEST_F(CommandStateTest, SiteTransferButtonOnlyInChineseUi) {
    EXPECT_TRUE(SiteTransferButtonShown(2052));
    EXPECT_TRUE(SiteTransferButtonShown(1028));
    EXPECT_FALSE(SiteTransferButtonShown(1033));
    EXPECT_FALSE(SiteTransferButtonShown(1041));
}

TEST_F(CommandStateTest, TooltipsSayWhatAClickWillDo) {
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

}  // namespace
}  // namespace zelvo
