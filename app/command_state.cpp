#include "app/command_state.h"

#include <array>

#include "app/language_table.h"
#include "services/ui_strings.h"
#include "resources/ids_main_window.h"

namespace zelvo {

namespace {

// The commands that exist once per area, as Source and Destination ids.
enum class AreaCommand {
    kOpen,
    kClose,
    kSave,
    kSaveAs,
    kProperties,
    kUndo,
    kCut,
    kCopy,
    kCopyAll,
    kPaste,
    kDelete,
    kSelectAll,
    kFindReplace,
};

struct AreaCommandIds {
    AreaCommand command;
    int sourceId;
    int destinationId;
    int contextId;  // 0 when the context menu has no such item
};

constexpr std::array<AreaCommandIds, 13> kAreaCommands = {{
    {AreaCommand::kOpen, IDM_SOURCE_OPEN, IDM_DESTINATION_OPEN, IDM_CONTEXT_OPEN},
    {AreaCommand::kClose, IDM_SOURCE_CLOSE, IDM_DESTINATION_CLOSE, IDM_CONTEXT_CLOSE},
    {AreaCommand::kSave, IDM_SOURCE_SAVE, IDM_DESTINATION_SAVE, IDM_CONTEXT_SAVE},
    {AreaCommand::kSaveAs, IDM_SOURCE_SAVE_AS, IDM_DESTINATION_SAVE_AS, IDM_CONTEXT_SAVE_AS},
    {AreaCommand::kProperties, IDM_SOURCE_PROPERTIES, IDM_DESTINATION_PROPERTIES, IDM_CONTEXT_PROPERTIES},
    {AreaCommand::kUndo, IDM_SOURCE_UNDO, IDM_DESTINATION_UNDO, IDM_CONTEXT_UNDO},
    {AreaCommand::kCut, IDM_SOURCE_CUT, IDM_DESTINATION_CUT, IDM_CONTEXT_CUT},
    {AreaCommand::kCopy, IDM_SOURCE_COPY, IDM_DESTINATION_COPY, IDM_CONTEXT_COPY},
    {AreaCommand::kCopyAll, IDM_SOURCE_COPY_ALL, IDM_DESTINATION_COPY_ALL, 0},
    {AreaCommand::kPaste, IDM_SOURCE_PASTE, IDM_DESTINATION_PASTE, IDM_CONTEXT_PASTE},
    {AreaCommand::kDelete, IDM_SOURCE_DELETE, IDM_DESTINATION_DELETE, IDM_CONTEXT_DELETE},
    {AreaCommand::kSelectAll, IDM_SOURCE_SELECT_ALL, IDM_DESTINATION_SELECT_ALL, IDM_CONTEXT_SELECT_ALL},
    {AreaCommand::kFindReplace, IDM_SOURCE_FIND_REPLACE, IDM_DESTINATION_FIND_REPLACE,
     IDM_CONTEXT_FIND_REPLACE},
}};

struct FontSizeIds {
    int sourceId;
    int destinationId;
    int points;
};

constexpr std::array<FontSizeIds, 5> kFontSizeCommands = {{
    {IDM_SOURCE_FONT_SMALL, IDM_DESTINATION_FONT_SMALL, 8},
    {IDM_SOURCE_FONT_SMALLER, IDM_DESTINATION_FONT_SMALLER, 10},
    {IDM_SOURCE_FONT_NORMAL, IDM_DESTINATION_FONT_NORMAL, 12},
    {IDM_SOURCE_FONT_LARGER, IDM_DESTINATION_FONT_LARGER, 16},
    {IDM_SOURCE_FONT_LARGE, IDM_DESTINATION_FONT_LARGE, 24},
}};

const AreaSnapshot& SnapshotOf(const WindowSnapshot& snapshot, EditArea area) {
    return area == EditArea::kDestination ? snapshot.destination : snapshot.source;
}

bool HasFileOrText(const AreaSnapshot& area) {
    return area.hasFile || area.textLength > 0;
}

bool AreaCommandEnabled(AreaCommand command, const AreaSnapshot& area, const WindowSnapshot& snapshot) {
    switch (command) {
        case AreaCommand::kOpen:
        case AreaCommand::kProperties:
            return true;
        case AreaCommand::kClose:
        case AreaCommand::kSaveAs:
            return HasFileOrText(area);
        case AreaCommand::kSave:
        case AreaCommand::kUndo:
            return area.modified;
        case AreaCommand::kCut:
        case AreaCommand::kCopy:
        case AreaCommand::kDelete:
            return area.hasSelection;
        case AreaCommand::kCopyAll:
            return area.textLength > 0;
        case AreaCommand::kPaste:
            return snapshot.clipboardHasText;
        case AreaCommand::kSelectAll:
            return !area.selectionIsAll;
        case AreaCommand::kFindReplace:
            return area.textLength > 0 && !area.findDialogShown;
    }
    return true;
}

bool InRange(int id, int first, int last) {
    return id >= first && id <= last;
}

}  // namespace

int ResolveContextCommand(int id, EditArea contextArea) {
    for (const AreaCommandIds& ids : kAreaCommands) {
        if (ids.contextId == 0 || ids.contextId != id) continue;
        if (contextArea == EditArea::kSource) return ids.sourceId;
        if (contextArea == EditArea::kDestination) return ids.destinationId;
        return 0;
    }
    return id;
}

std::optional<FontSizeCommand> FontSizeCommandOf(int id) {
    for (const FontSizeIds& ids : kFontSizeCommands) {
        if (ids.sourceId == id) return FontSizeCommand{EditArea::kSource, ids.points};
        if (ids.destinationId == id) return FontSizeCommand{EditArea::kDestination, ids.points};
    }
    return std::nullopt;
}

int FontSizeCommandId(EditArea area, std::size_t choice) {
    const FontSizeIds& ids = kFontSizeCommands.at(choice);
    return area == EditArea::kSource ? ids.sourceId : ids.destinationId;
}

DynamicCommand DecodeDynamicCommand(int id) {
    if (InRange(id, IDM_SOURCE_RECENT_FIRST, IDM_SOURCE_RECENT_LAST))
        return {DynamicCommandKind::kRecentFile, EditArea::kSource, id - IDM_SOURCE_RECENT_FIRST};
    if (InRange(id, IDM_DESTINATION_RECENT_FIRST, IDM_DESTINATION_RECENT_LAST))
        return {DynamicCommandKind::kRecentFile, EditArea::kDestination, id - IDM_DESTINATION_RECENT_FIRST};
    if (InRange(id, IDM_PROFILE_FIRST, IDM_PROFILE_LAST))
        return {DynamicCommandKind::kProfile, EditArea::kNone, id - IDM_PROFILE_FIRST};
    if (InRange(id, IDM_SOURCE_LANGUAGE_FIRST, IDM_SOURCE_LANGUAGE_LAST))
        return {DynamicCommandKind::kLanguage, EditArea::kSource, id - IDM_SOURCE_LANGUAGE_FIRST};
    if (InRange(id, IDM_DESTINATION_LANGUAGE_FIRST, IDM_DESTINATION_LANGUAGE_LAST))
        return {DynamicCommandKind::kLanguage, EditArea::kDestination, id - IDM_DESTINATION_LANGUAGE_FIRST};
    if (InRange(id, IDM_UI_LANGUAGE_FIRST, IDM_UI_LANGUAGE_LAST))
        return {DynamicCommandKind::kUiLanguage, EditArea::kNone, id - IDM_UI_LANGUAGE_FIRST};
    return {};
}

CommandStatus CommandState(int id, const WindowSnapshot& snapshot) {
    // Context-menu commands are those of the context area; without one they do nothing.
    const int resolved = ResolveContextCommand(id, snapshot.contextArea);
    if (resolved == 0) return {false, false};
    id = resolved;

    for (const AreaCommandIds& ids : kAreaCommands) {
        if (id == ids.sourceId) return {AreaCommandEnabled(ids.command, snapshot.source, snapshot), false};
        if (id == ids.destinationId)
            return {AreaCommandEnabled(ids.command, snapshot.destination, snapshot), false};
    }
    if (std::optional<FontSizeCommand> size = FontSizeCommandOf(id))
        return {true, SnapshotOf(snapshot, size->area).fontSize == size->points};

    const DynamicCommand dynamic = DecodeDynamicCommand(id);
    switch (dynamic.kind) {
        case DynamicCommandKind::kLanguage:
            return {true, SnapshotOf(snapshot, dynamic.area).languageIndex == dynamic.index};
        case DynamicCommandKind::kUiLanguage:
            return {true, snapshot.uiLanguageIndex == dynamic.index};
        case DynamicCommandKind::kRecentFile:
        case DynamicCommandKind::kProfile:
            return {true, false};
        case DynamicCommandKind::kNone:
            break;
    }

    const ViewState& view = snapshot.view;
    switch (id) {
        case IDM_TOGGLE_SOURCE_AREA:
        case IDM_TOGGLE_SOURCE_AREA_D:
            return {true, view.sourceShown};
        case IDM_TOGGLE_DESTINATION_AREA:
        case IDM_TOGGLE_DESTINATION_AREA_D:
            return {true, view.destinationShown};
        case IDM_TOGGLE_MENU_BAR:
            return {true, view.menuBarShown};
        case IDM_TOGGLE_SOURCE_TOOLBAR:
            return {view.sourceShown, ToolbarVisible(view, EditArea::kSource)};
        case IDM_TOGGLE_DESTINATION_TOOLBAR:
            return {view.destinationShown, ToolbarVisible(view, EditArea::kDestination)};
        case IDM_TOGGLE_STATUS_BAR:
            return {true, view.statusBarShown};
        case IDM_ALWAYS_ON_TOP:
            return {true, view.alwaysOnTop};
        case IDM_WORD_WRAP:
            return {true, snapshot.wordWrap};
        case IDM_SAVE_PROFILE:
            return {snapshot.profileCount < kMaximumProfileCount, false};
        case IDM_TRANSFER_G2B:
        case IDM_TRANSFER_B2G:
        case IDM_CONTEXT_TRANSFER_G2B:
        case IDM_CONTEXT_TRANSFER_B2G:
            return {snapshot.source.textLength > 0, false};
        case IDM_TRANSFER_TO_SOURCE:
            return {true, snapshot.transferToSource};
        case IDM_TRANSFER_TO_DESTINATION:
            return {true, !snapshot.transferToSource};
        default:
            return {true, false};
    }
}

const std::vector<int>& SourceToolbarButtonIds() {
    static const std::vector<int> ids = {
        IDM_SOURCE_OPEN,
        IDM_SOURCE_CLOSE,
        IDM_SOURCE_SAVE,
        IDM_SOURCE_PROPERTIES,
        IDM_SOURCE_CUT,
        IDM_SOURCE_COPY,
        IDM_SOURCE_COPY_ALL,
        IDM_SOURCE_PASTE,
        IDM_SOURCE_FIND_REPLACE,
        IDM_TOGGLE_SOURCE_AREA,
        IDM_TOGGLE_DESTINATION_AREA,
        IDM_TRANSFER_G2B,
        IDM_TRANSFER_B2G,
        IDM_SITE_TRANSFER,
        IDM_PROFILE_OPERATIONS,
        IDM_NEW,
        IDM_ALWAYS_ON_TOP,
        IDM_EXIT,
    };
    return ids;
}

const std::vector<int>& DestinationToolbarButtonIds() {
    static const std::vector<int> ids = {
        IDM_DESTINATION_OPEN,       IDM_DESTINATION_CLOSE,         IDM_DESTINATION_SAVE,
        IDM_DESTINATION_PROPERTIES, IDM_DESTINATION_CUT,           IDM_DESTINATION_COPY,
        IDM_DESTINATION_COPY_ALL,   IDM_DESTINATION_PASTE,         IDM_DESTINATION_FIND_REPLACE,
        IDM_TOGGLE_SOURCE_AREA_D,   IDM_TOGGLE_DESTINATION_AREA_D,
    };
    return ids;
}

bool SiteTransferButtonShown(int uiLcid) {
    return uiLcid == kLcidSimplifiedChinese || uiLcid == kLcidTraditionalChinese;
}

int ShowHideAreaTipId(EditArea area, bool shown) {
    if (area == EditArea::kDestination) return shown ? IDS_TIP_DEA_HIDE : IDS_TIP_DEA_SHOW;
    return shown ? IDS_TIP_SEA_HIDE : IDS_TIP_SEA_SHOW;
}

int AlwaysOnTopTipId(bool onTop) {
    return onTop ? IDS_TIP_ON_TOP_CANCEL : IDS_TIP_ON_TOP_SET;
}

int TransferButtonTipId(bool gbkToBig5, bool transferToSource) {
    if (gbkToBig5) return transferToSource ? IDS_TIP_G2B_S2S : IDS_TIP_G2B_S2D;
    return transferToSource ? IDS_TIP_B2G_S2S : IDS_TIP_B2G_S2D;
}

}  // namespace zelvo
