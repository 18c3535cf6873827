#include "app/main_window_model.h"

#include <algorithm>
#include <array>

#include "app/language_table.h"
#include "resources/ids_main_window.h"
#include "services/ui_strings.h"

namespace zelvo {

// ---------------------------------------------------------------------------
// View state
// ---------------------------------------------------------------------------

bool AreaShown(const ViewState& view, EditArea area) {
    if (area == EditArea::kSource) return view.sourceShown;
    if (area == EditArea::kDestination) return view.destinationShown;
    return false;
}

bool ToolbarVisible(const ViewState& view, EditArea area) {
    if (area == EditArea::kSource) return view.sourceShown && view.sourceToolbarShown;
    if (area == EditArea::kDestination) return view.destinationShown && view.destinationToolbarShown;
    return false;
}

void ToggleArea(ViewState& view, EditArea area) {
    if (area == EditArea::kSource) {
        view.sourceShown = !view.sourceShown;
        if (!view.sourceShown) view.destinationShown = true;
    } else if (area == EditArea::kDestination) {
        view.destinationShown = !view.destinationShown;
        if (!view.destinationShown) view.sourceShown = true;
    }
}

void ToggleToolbar(ViewState& view, EditArea area) {
    if (area == EditArea::kSource) view.sourceToolbarShown = !view.sourceToolbarShown;
    if (area == EditArea::kDestination) view.destinationToolbarShown = !view.destinationToolbarShown;
}

void ToggleMenuBar(ViewState& view) {
    view.menuBarShown = !view.menuBarShown;
}
void ToggleStatusBar(ViewState& view) {
    view.statusBarShown = !view.statusBarShown;
}
void ToggleAlwaysOnTop(ViewState& view) {
    view.alwaysOnTop = !view.alwaysOnTop;
}

void NormalizeViewState(ViewState& view) {
    if (!view.sourceShown && !view.destinationShown) view.sourceShown = true;
    view.proportion = std::clamp(view.proportion, 0, 100);
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

int RightButtonsLeft(int clientWidth) {
    return clientWidth > 638 ? clientWidth - 109 : 530;
}

MainWindowLayout ComputeLayout(int clientWidth, int clientHeight, int toolbarHeight, const ViewState& view) {
    const int width = std::max(0, clientWidth);
    const int height = std::max(0, clientHeight);
    const int rowHeight = std::max(0, toolbarHeight);
    const int proportion = std::clamp(view.proportion, 0, 100);

    MainWindowLayout layout;
    layout.sourceShown = view.sourceShown;
    layout.destinationShown = view.destinationShown;
    layout.sourceToolbarShown = ToolbarVisible(view, EditArea::kSource);
    layout.destinationToolbarShown = ToolbarVisible(view, EditArea::kDestination);
    const int sourceToolbar = layout.sourceToolbarShown ? rowHeight : 0;
    const int destinationToolbar = layout.destinationToolbarShown ? rowHeight : 0;

    int shared = height - sourceToolbar - destinationToolbar;
    if (view.statusBarShown) {
        layout.statusBarShown = true;
        layout.statusBar = {0, std::max(0, height - kStatusBarHeight), width,
                            std::min(height, kStatusBarHeight)};
        shared -= kStatusBarHeight;
    }
    shared = std::max(0, shared);

    int sourceHeight = 0;
    int destinationHeight = 0;
    if (view.sourceShown && view.destinationShown) {
        sourceHeight = shared * proportion / 100;
        destinationHeight = shared - sourceHeight;
    } else if (view.sourceShown) {
        sourceHeight = shared;
    } else if (view.destinationShown) {
        destinationHeight = shared;
    }

    const int editWidth = std::max(0, width - 2);
    const int rightLeft = RightButtonsLeft(width);
    for (int i = 0; i < kRightButtonCount; ++i) layout.rightButtonX[i] = rightLeft + kRightButtonStep * i;

    int sourceBottom = 0;
    if (view.sourceShown) {
        layout.sourceEdit = {1, sourceToolbar, editWidth, sourceHeight};
        sourceBottom = sourceToolbar + sourceHeight;
    }
    if (view.destinationShown) {
        const int top = view.sourceShown ? sourceBottom + 1 : 0;
        layout.destinationTop = top;
        layout.destinationButtonsY = top;
        layout.destinationSelectorY = top + 3;
        layout.destinationEdit = {1, top + destinationToolbar, editWidth, destinationHeight};
    }
    return layout;
}

// ---------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------
// Menus
// ---------------------------------------------------------------------------

namespace {

MenuEntry Separator() {
    MenuEntry entry;
    entry.separator = true;
    return entry;
}

MenuEntry Command(int id, const std::string& text, const WindowSnapshot& snapshot) {
    MenuEntry entry;
    entry.id = id;
    entry.text = text;
    const CommandStatus status = CommandState(id, snapshot);
    entry.grayed = !status.enabled;
    entry.checked = status.checked;
    return entry;
}

MenuEntry Command(int id, int textId, const WindowSnapshot& snapshot, const std::string& shortcut = {}) {
    return Command(id, LoadUiString(textId) + shortcut, snapshot);
}

MenuEntry Submenu(int textId, std::vector<MenuEntry> children) {
    MenuEntry entry;
    entry.text = LoadUiString(textId);
    entry.children = std::move(children);
    return entry;
}

// Names that come from files and settings are shown as written: a "&" in them is not
// a mnemonic.
std::string MenuLiteral(const std::string& text) {
    return ReplaceAll(text, "&", "&&");
}

std::vector<MenuEntry> FileMenu(EditArea area, const WindowSnapshot& snapshot, const MenuSources& sources) {
    const bool source = area == EditArea::kSource;
    std::vector<MenuEntry> items;
    if (source) {
        items.push_back(Command(IDM_NEW, IDS_MENU_FILE_NEW_N, snapshot));
        items.push_back(Separator());
    }
    items.push_back(Command(source ? IDM_SOURCE_OPEN : IDM_DESTINATION_OPEN, IDS_MENU_FILE_OPEN_O, snapshot));
    items.push_back(
        Command(source ? IDM_SOURCE_CLOSE : IDM_DESTINATION_CLOSE, IDS_MENU_FILE_CLOSE_C, snapshot));
    items.push_back(Command(source ? IDM_SOURCE_SAVE : IDM_DESTINATION_SAVE, IDS_MENU_FILE_SAVE_S, snapshot));
    items.push_back(
        Command(source ? IDM_SOURCE_SAVE_AS : IDM_DESTINATION_SAVE_AS, IDS_MENU_FILE_SAVE_QX_A, snapshot));
    items.push_back(Separator());
    items.push_back(Command(source ? IDM_SOURCE_PROPERTIES : IDM_DESTINATION_PROPERTIES,
                            IDS_MENU_FILE_PROPERTIES_P, snapshot));
    items.push_back(Separator());
    std::vector<MenuEntry> recent =
        RecentFileEntries(area, source ? sources.sourceRecentFiles : sources.destinationRecentFiles,
                          sources.maximumRecentCount);
    if (!recent.empty()) {
        items.insert(items.end(), recent.begin(), recent.end());
        items.push_back(Separator());
    }
    items.push_back(Command(IDM_EXIT, IDS_MENU_FILE_EXIT_X, snapshot));
    items.push_back(Command(IDM_EXIT_ALL, IDS_MENU_FILE_EXIT_ALL_L, snapshot));
    return items;
}

std::vector<MenuEntry> FontSizeEntries(EditArea area, const WindowSnapshot& snapshot) {
    static constexpr int kTextIds[5] = {IDS_MENU_VIEW_FS_1_S, IDS_MENU_VIEW_FS_2_M, IDS_MENU_VIEW_FS_3_N,
                                        IDS_MENU_VIEW_FS_4_L, IDS_MENU_VIEW_FS_5_A};
    std::vector<MenuEntry> items;
    for (std::size_t i = 0; i < kFontSizeCommands.size(); ++i) {
        const int id =
            area == EditArea::kSource ? kFontSizeCommands[i].sourceId : kFontSizeCommands[i].destinationId;
        items.push_back(Command(id, kTextIds[i], snapshot));
    }
    items.push_back(Separator());
    items.push_back(Command(area == EditArea::kSource ? IDM_SOURCE_FONT_CUSTOM : IDM_DESTINATION_FONT_CUSTOM,
                            IDS_MENU_VIEW_CUSTOM_C, snapshot));
    return items;
}

std::vector<MenuEntry> EditMenu(EditArea area, const WindowSnapshot& snapshot) {
    const bool source = area == EditArea::kSource;
    return {
        Command(source ? IDM_SOURCE_UNDO : IDM_DESTINATION_UNDO, IDS_MENU_EDIT_UNDO_U, snapshot),
        Separator(),
        Command(source ? IDM_SOURCE_CUT : IDM_DESTINATION_CUT, IDS_MENU_EDIT_CUT_T, snapshot),
        Command(source ? IDM_SOURCE_COPY : IDM_DESTINATION_COPY, IDS_MENU_EDIT_COPY_C, snapshot),
        Command(source ? IDM_SOURCE_COPY_ALL : IDM_DESTINATION_COPY_ALL, IDS_MENU_EDIT_COPY_ALL_O, snapshot),
        Command(source ? IDM_SOURCE_PASTE : IDM_DESTINATION_PASTE, IDS_MENU_EDIT_PASTE_P, snapshot),
        Command(source ? IDM_SOURCE_DELETE : IDM_DESTINATION_DELETE, IDS_MENU_EDIT_DELETE_D, snapshot),
        Separator(),
        Command(source ? IDM_SOURCE_SELECT_ALL : IDM_DESTINATION_SELECT_ALL, IDS_MENU_EDIT_SELECT_ALL_A,
                snapshot),
        Separator(),
        Command(source ? IDM_SOURCE_FIND_REPLACE : IDM_DESTINATION_FIND_REPLACE, IDS_MENU_EDIT_FIND_REPLACE_F,
                snapshot),
        Separator(),
        Submenu(IDS_MENU_VIEW_FONT_SIZE_F, FontSizeEntries(area, snapshot)),
    };
}

std::vector<MenuEntry> ProfileEntries(const MenuSources& sources) {
    std::vector<MenuEntry> items;
    for (const ProfileMenuItem& profile : sources.profiles) {
        if (static_cast<int>(items.size()) >= kMaximumProfileCount) break;
        const int id = IDM_PROFILE_FIRST + profile.index;
        if (profile.index < 0 || id > IDM_PROFILE_LAST) continue;
        MenuEntry entry;
        entry.id = id;
        entry.text = MenuLiteral(profile.title);
        items.push_back(std::move(entry));
    }
    return items;
}

std::vector<MenuEntry> ViewMenu(const WindowSnapshot& snapshot, const MenuSources& sources) {
    std::vector<MenuEntry> items = {
        Command(IDM_TOGGLE_SOURCE_AREA, IDS_MENU_VIEW_SOURCE_EDIT_AREA_E, snapshot),
        Command(IDM_TOGGLE_DESTINATION_AREA, IDS_MENU_VIEW_DESTINATION_EDIT_AREA_A, snapshot),
        Separator(),
        Command(IDM_TOGGLE_MENU_BAR, IDS_MENU_VIEW_MENU_BAR_M, snapshot),
        Command(IDM_TOGGLE_SOURCE_TOOLBAR, IDS_MENU_VIEW_SOURCE_TOOLBAR_S, snapshot),
        Command(IDM_TOGGLE_DESTINATION_TOOLBAR, IDS_MENU_VIEW_DESTINATION_TOOLBAR_D, snapshot),
        Command(IDM_TOGGLE_STATUS_BAR, IDS_MENU_VIEW_STATUS_BAR_U, snapshot),
        Separator(),
        Command(IDM_PROFILE_MANAGER, IDS_MENU_VIEW_PROFILE_MANAGER_P, snapshot),
        Command(IDM_SAVE_PROFILE, IDS_MENU_VIEW_SAVE_PROFILE_V, snapshot),
    };
    std::vector<MenuEntry> profiles = ProfileEntries(sources);
    if (!profiles.empty()) items.push_back(Submenu(IDS_MENU_VIEW_PROFILES_R, std::move(profiles)));
    items.push_back(Separator());
    items.push_back(Command(IDM_ADJUST_PROPORTION, IDS_MENU_VIEW_ADJUST_EA_PROPORTION_J, snapshot));
    items.push_back(Command(IDM_ALWAYS_ON_TOP, IDS_MENU_VIEW_ALWAYS_ON_TOP_T, snapshot));
    items.push_back(Command(IDM_WORD_WRAP, IDS_MENU_VIEW_WORD_WRAP_W, snapshot));
    items.push_back(Command(IDM_BACKGROUND, IDS_MENU_VIEW_BACKGROUND_B, snapshot));
    items.push_back(Separator());
    items.push_back(Submenu(IDS_MENU_VIEW_SOURCE_LANGUAGE_C,
                            LanguageEntries(EditArea::kSource, snapshot.source.languageIndex)));
    items.push_back(Submenu(IDS_MENU_VIEW_DESTINATION_LANGUAGE_N,
                            LanguageEntries(EditArea::kDestination, snapshot.destination.languageIndex)));
    std::vector<MenuEntry> uiLanguages = UiLanguageEntries(sources.uiLanguageNames, snapshot.uiLanguageIndex);
    if (!uiLanguages.empty()) items.push_back(Submenu(IDS_MENU_VIEW_UI_LANGUAGE_I, std::move(uiLanguages)));
    return items;
}

std::vector<MenuEntry> CodeTransferMenu(const WindowSnapshot& snapshot) {
    return {
        Command(IDM_CLIPBOARD_G2B, IDS_MENU_CT_CLIPBOARD_TRANSFER_G2B_B, snapshot),
        Command(IDM_CLIPBOARD_B2G, IDS_MENU_CT_CLIPBOARD_TRANSFER_B2G_G, snapshot),
        Separator(),
        Command(IDM_TRANSFER_G2B, IDS_MENU_CT_EAT_G2B_5, snapshot),
        Command(IDM_TRANSFER_B2G, IDS_MENU_CT_EAT_B2G_K, snapshot),
        Submenu(IDS_MENU_CT_EAT_GBK_S_VS_T_S,
                {Command(IDM_TRANSFER_GBK_S2T, IDS_MENU_CT_EAT_GBK_S2T_T, snapshot),
                 Command(IDM_TRANSFER_GBK_T2S, IDS_MENU_CT_EAT_GBK_T2S_S, snapshot), Separator(),
                 Command(IDM_WHATS_THIS, IDS_MENU_CT_EAT_GBK_WHATS_THIS_W, snapshot)}),
        Submenu(IDS_MENU_CT_EAT_OPTIONS_O,
                {Command(IDM_TRANSFER_TO_SOURCE, IDS_MENU_CT_EAT_OPTIONS_S2S, snapshot),
                 Command(IDM_TRANSFER_TO_DESTINATION, IDS_MENU_CT_EAT_OPTIONS_S2D, snapshot)}),
        Separator(),
        Command(IDM_SITE_TRANSFER, IDS_MENU_CT_FILE_SITE_TRANSFER_F, snapshot),
    };
}

std::vector<MenuEntry> ToolsMenu(const WindowSnapshot& snapshot) {
    return {
        Command(IDM_WORD_ADJUSTMENT, IDS_MENU_CT_ADVANCED_WORD_ADJUSTMENT_A, snapshot),
        Command(IDM_DIFFERENCE_CHECK, IDS_MENU_TOOLS_TEXT_DIFFERENCE_CHECK_D, snapshot),
        Separator(),
        Command(IDM_OPTIONS, IDS_MENU_OPTIONS_O, snapshot),
    };
}

std::vector<MenuEntry> HelpMenu(const WindowSnapshot& snapshot, const MenuSources& sources) {
    return {
        Command(IDM_HELP_CENTER, IDS_MENU_HELP_HELP_CENTER_H, snapshot),
        Separator(),
        Command(IDM_ABOUT, LoadUiString(IDS_MENU_ABOUT_A, sources.productName), snapshot),
    };
}

constexpr int kPopupLabelIds[kMainMenuPopupCount] = {
    IDS_MENU_FILE_SOURCE_F,
    IDS_MENU_EDIT_SOURCE_E,
    IDS_MENU_FILE_DESTINATION_L,
    IDS_MENU_EDIT_DESTINATION_D,
    IDS_MENU_VIEW_V,
    IDS_MENU_CT_CODE_TRANSFER_C,
    IDS_MENU_TOOLS_T,
    IDS_MENU_HELP_H,
};

}  // namespace

std::string MainMenuPopupLabel(int index) {
    if (index < 0 || index >= kMainMenuPopupCount) return {};
    return LoadUiString(kPopupLabelIds[index]);
}

std::vector<std::string> MainMenuBarLabels() {
    std::vector<std::string> labels;
    for (int i = 0; i < kMainMenuPopupCount; ++i) labels.push_back(MainMenuPopupLabel(i));
    return labels;
}

std::vector<MenuEntry> BuildMainMenuPopup(int index, const WindowSnapshot& snapshot,
                                          const MenuSources& sources) {
    switch (static_cast<MainMenuPopup>(index)) {
        case MainMenuPopup::kSourceFile:
            return FileMenu(EditArea::kSource, snapshot, sources);
        case MainMenuPopup::kSourceEdit:
            return EditMenu(EditArea::kSource, snapshot);
        case MainMenuPopup::kDestinationFile:
            return FileMenu(EditArea::kDestination, snapshot, sources);
        case MainMenuPopup::kDestinationEdit:
            return EditMenu(EditArea::kDestination, snapshot);
        case MainMenuPopup::kView:
            return ViewMenu(snapshot, sources);
        case MainMenuPopup::kCodeTransfer:
            return CodeTransferMenu(snapshot);
        case MainMenuPopup::kTools:
            return ToolsMenu(snapshot);
        case MainMenuPopup::kHelp:
            return HelpMenu(snapshot, sources);
    }
    return {};
}

std::vector<MenuEntry> BuildContextMenu(const WindowSnapshot& snapshot) {
    return {
        Command(IDM_CONTEXT_UNDO, IDS_MENU_EDIT_UNDO_U, snapshot, "\tCtrl+Z"),
        Separator(),
        Command(IDM_CONTEXT_CUT, IDS_MENU_EDIT_CUT_T, snapshot, "\tCtrl+X"),
        Command(IDM_CONTEXT_COPY, IDS_MENU_EDIT_COPY_C, snapshot, "\tCtrl+C"),
        Command(IDM_CONTEXT_PASTE, IDS_MENU_EDIT_PASTE_P, snapshot, "\tCtrl+V"),
        Command(IDM_CONTEXT_DELETE, IDS_MENU_EDIT_DELETE_D, snapshot, "\tDel"),
        Separator(),
        Command(IDM_CONTEXT_FIND_REPLACE, IDS_MENU_EDIT_FIND_REPLACE_F, snapshot, "\tCtrl+F"),
        Separator(),
        Command(IDM_CONTEXT_SELECT_ALL, IDS_MENU_EDIT_SELECT_ALL_A, snapshot, "\tCtrl+A"),
        Separator(),
        Command(IDM_CONTEXT_OPEN, IDS_MENU_FILE_OPEN_O, snapshot),
        Command(IDM_CONTEXT_SAVE, IDS_MENU_FILE_SAVE_S, snapshot),
        Command(IDM_CONTEXT_SAVE_AS, IDS_MENU_FILE_SAVE_QX_V, snapshot),
        Command(IDM_CONTEXT_CLOSE, IDS_MENU_FILE_CLOSE_L, snapshot),
        Separator(),
        Command(IDM_CONTEXT_PROPERTIES, IDS_MENU_FILE_PROPERTIES_P, snapshot),
        Separator(),
        Submenu(IDS_MENU_VIEW_E,
                {Command(IDM_TOGGLE_SOURCE_AREA, IDS_MENU_VIEW_SOURCE_EDIT_AREA_E, snapshot),
                 Command(IDM_TOGGLE_DESTINATION_AREA, IDS_MENU_VIEW_DESTINATION_EDIT_AREA_A, snapshot),
                 Separator(), Command(IDM_TOGGLE_SOURCE_TOOLBAR, IDS_MENU_VIEW_SOURCE_TOOLBAR_S, snapshot),
                 Command(IDM_TOGGLE_DESTINATION_TOOLBAR, IDS_MENU_VIEW_DESTINATION_TOOLBAR_D, snapshot),
                 Separator(), Command(IDM_ALWAYS_ON_TOP, IDS_MENU_VIEW_ALWAYS_ON_TOP_T, snapshot)}),
    };
}

std::vector<MenuEntry> BuildProfileMenu(const WindowSnapshot& snapshot, const MenuSources& sources) {
    std::vector<MenuEntry> items = {
        Command(IDM_PROFILE_MANAGER, IDS_MENU_VIEW_PROFILE_MANAGER_P, snapshot),
        Command(IDM_SAVE_PROFILE, IDS_MENU_VIEW_SAVE_PROFILE_V, snapshot),
    };
    std::vector<MenuEntry> profiles = ProfileEntries(sources);
    if (!profiles.empty()) items.push_back(Submenu(IDS_MENU_VIEW_PROFILES_R, std::move(profiles)));
    return items;
}

std::vector<MenuEntry> RecentFileEntries(EditArea area, const std::vector<std::string>& files,
                                         int maximumCount) {
    const int first = area == EditArea::kDestination ? IDM_DESTINATION_RECENT_FIRST : IDM_SOURCE_RECENT_FIRST;
    const int last = area == EditArea::kDestination ? IDM_DESTINATION_RECENT_LAST : IDM_SOURCE_RECENT_LAST;
    if (maximumCount < 0 || maximumCount > 60) maximumCount = 60;
    const std::size_t count = std::min(
        {files.size(), static_cast<std::size_t>(maximumCount), static_cast<std::size_t>(last - first + 1)});
    std::vector<MenuEntry> items;
    for (std::size_t i = 0; i < count; ++i) {
        const int number = static_cast<int>(i) + 1;
        MenuEntry entry;
        entry.id = first + static_cast<int>(i);
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict, bug 105329) on "literal" + string.
        entry.text = number <= 9 ? "&" : "";
        entry.text += std::to_string(number);
        entry.text += ": ";
        entry.text += MenuLiteral(files[i]);
        items.push_back(std::move(entry));
    }
    return items;
}

std::vector<MenuEntry> LanguageEntries(EditArea area, int selectedIndex) {
    const int first =
        area == EditArea::kDestination ? IDM_DESTINATION_LANGUAGE_FIRST : IDM_SOURCE_LANGUAGE_FIRST;
    std::vector<std::string> names = LanguageNames();
    std::vector<MenuEntry> items;
    for (std::size_t i = 0; i < names.size(); ++i) {
        MenuEntry entry;
        entry.id = first + static_cast<int>(i);
        entry.text = MenuLiteral(names[i]);
        entry.checked = static_cast<int>(i) == selectedIndex;
        items.push_back(std::move(entry));
    }
    return items;
}

std::vector<MenuEntry> UiLanguageEntries(const std::vector<std::string>& names, int selectedIndex) {
    std::vector<MenuEntry> items;
    const std::size_t count =
        std::min(names.size(), static_cast<std::size_t>(IDM_UI_LANGUAGE_LAST - IDM_UI_LANGUAGE_FIRST + 1));
    for (std::size_t i = 0; i < count; ++i) {
        MenuEntry entry;
        entry.id = IDM_UI_LANGUAGE_FIRST + static_cast<int>(i);
        entry.text = MenuLiteral(names[i]);
        entry.checked = static_cast<int>(i) == selectedIndex;
        items.push_back(std::move(entry));
    }
    return items;
}

// ---------------------------------------------------------------------------
// Status bar and title
// ---------------------------------------------------------------------------

std::string PositionPaneText(int selStart, int selEnd, int lineOfStart, int lineOfEnd, int lineIndexOfStart,
                             int lineIndexOfEnd) {
    std::string line = std::to_string(lineOfStart + 1);
    // '+' and '-' are appended on their own: GCC 12 warns falsely (-Wrestrict, bug 105329) on
    // "literal" + string.
    if (lineOfEnd > lineOfStart) line.append(1, '+').append(std::to_string(lineOfEnd - lineOfStart));

    const int startColumn = selStart - lineIndexOfStart + 1;
    const int endColumn = selEnd - lineIndexOfEnd + 1;
    std::string column = std::to_string(startColumn);
    if (endColumn != startColumn) column.append(1, '-').append(std::to_string(endColumn > 1000 ? 1 : endColumn));

    if (selEnd > selStart) {
        std::string text = LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_INDEX_SELECTED);
        text = ReplaceAll(text, "#1", line);
        text = ReplaceAll(text, "#2", column);
        return ReplaceAll(text, "#3", std::to_string(selEnd - selStart));
    }
    std::string text = LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_INDEX);
    text = ReplaceAll(text, "#1", line);
    return ReplaceAll(text, "#2", column);
}

std::string LineCountPaneText(int lineCount) {
    return ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_LC), "#1", std::to_string(lineCount));
}

std::string FileSizePaneText(std::size_t textBytes) {
    return ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_FS), "#1", std::to_string(textBytes));
}

std::string AreaPaneText(EditArea area) {
    return area == EditArea::kDestination ? "D" : "S";
}

std::string ReadyText() {
    return LoadUiString(IDS_DIALOG_ZELVO_STATUS_IDLEMESSAGE);
}

std::string WindowTitle(const std::string& path) {
    return LoadUiString(IDS_DIALOG_ZELVO_TITLE) + " - " +
           (path.empty() ? LoadUiString(IDS_QXT_UNTITLED) : path);
}

// ---------------------------------------------------------------------------
// Progress
// ---------------------------------------------------------------------------

int ProgressBarPosition(std::int64_t position, std::int64_t total) {
    if (total <= 0 || position > total || position < 0) return 0;
    return static_cast<int>(position * kProgressRange / total);
}

std::string ProgressPercentText(std::int64_t position, std::int64_t total) {
    if (total <= 0 || position > total || position < 0) return "0%";
    return std::to_string(position * 100 / total) + "%";
}

void StatusBarProgressModel::Begin(std::int64_t total) {
    total_ = total;
}

std::optional<int> StatusBarProgressModel::Position(std::int64_t position) {
    if (total_ <= 0) return std::nullopt;
    return ProgressBarPosition(position, total_);
}

void StatusBarProgressModel::End() {
    total_ = 0;
}

// ---------------------------------------------------------------------------
// Transfers
// ---------------------------------------------------------------------------

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
