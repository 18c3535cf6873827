#include "app/main_menus.h"

#include <array>

#include "app/language_table.h"
#include "services/ui_strings.h"
#include "resources/ids_main_window.h"

namespace zelvo {

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
    for (std::size_t i = 0; i < std::size(kTextIds); ++i)
        items.push_back(Command(FontSizeCommandId(area, i), kTextIds[i], snapshot));
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

}  // namespace zelvo
