// Which commands of the main window are enabled and checked, from a snapshot of the
// window; the fixed id ranges and the toolbar buttons and tips that follow the state.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "app/edit_area.h"
#include "app/view_state.h"
#include "transfer/profile_list.h"  // kMaximumProfileCount

namespace zelvo {

// What the window knows of one edit area at the moment.
struct AreaSnapshot {
    bool hasFile = false;
    std::size_t textLength = 0;  // bytes
    bool modified = false;
    bool hasSelection = false;
    bool selectionIsAll = false;
    bool findDialogShown = false;
    int languageIndex = 1;  // row of the language table
    int fontSize = 10;      // points
};

struct WindowSnapshot {
    ViewState view;
    AreaSnapshot source;
    AreaSnapshot destination;
    EditArea contextArea = EditArea::kNone;  // area the context menu and Ctrl+A/F/O/P/S act on
    bool clipboardHasText = false;
    bool transferToSource = false;  // "Code Transfer"/"UI Display Source 2 Source" is 1
    int profileCount = 0;           // profiles in the list (Save Profile stops at 60)
    int uiLanguageIndex = 0;        // entry of the UI language list in use
    bool wordWrap = false;          // both edit areas wrap their lines
};

struct CommandStatus {
    bool enabled = true;
    bool checked = false;
};

// Enabled and checked state of a command id of the menus, toolbars, accelerators or the
// context menu (context ids follow the context area and are disabled while it is unset).
// Ids the window does not know are enabled and unchecked.
CommandStatus CommandState(int id, const WindowSnapshot& snapshot);

// The Source or Destination command a context-menu id stands for with this context area
// (57643 Undo -> 32802 or 32820, ...). 0 when the context area is unset; ids that are not
// context commands come back unchanged.
int ResolveContextCommand(int id, EditArea contextArea);

// The font size commands: the area and the size in points (8, 10, 12, 16, 24).
struct FontSizeCommand {
    EditArea area;
    int points;
};
std::optional<FontSizeCommand> FontSizeCommandOf(int id);
// The command id of font size choice `choice` (0..4, smallest first) of an area.
int FontSizeCommandId(EditArea area, std::size_t choice);
inline constexpr int kFontSizeChoices[5] = {8, 10, 12, 16, 24};

// Commands of the fixed id ranges: recent files, profiles, area languages, UI languages.
enum class DynamicCommandKind { kNone, kRecentFile, kProfile, kLanguage, kUiLanguage };
struct DynamicCommand {
    DynamicCommandKind kind = DynamicCommandKind::kNone;
    EditArea area = EditArea::kNone;  // for recent files and languages
    int index = 0;                    // 0-based entry
};
DynamicCommand DecodeDynamicCommand(int id);

// Buttons of each toolbar, left to right, for the window's enabling pass. The Source list
// ends with the four right-hand buttons.
const std::vector<int>& SourceToolbarButtonIds();
const std::vector<int>& DestinationToolbarButtonIds();

// The File / Site Code Transfer button shows only in the two Chinese UI languages.
bool SiteTransferButtonShown(int uiLcid);

// Tooltip ids that follow the state: the show/hide buttons of an area, Always on top
// (filled with the product name by the caller) and the two transfer buttons.
int ShowHideAreaTipId(EditArea area, bool shown);
int AlwaysOnTopTipId(bool onTop);
int TransferButtonTipId(bool gbkToBig5, bool transferToSource);

}  // namespace zelvo
