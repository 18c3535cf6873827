// What the main window's menus hold: the menu bar's popups, the context menu, the
// profile button's pop-up and the recent-file and language entries.
#pragma once

#include <string>
#include <vector>

#include "app/command_state.h"
#include "app/edit_area.h"

namespace zelvo {

// The menu bar's popups in order.
enum class MainMenuPopup : int {
    kSourceFile = 0,
    kSourceEdit = 1,
    kDestinationFile = 2,
    kDestinationEdit = 3,
    kView = 4,
    kCodeTransfer = 5,
    kTools = 6,
    kHelp = 7,
};
inline constexpr int kMainMenuPopupCount = 8;

// One profile of the profile list as the menus show it: its index in the list (the
// command is 3840 + index) and its title.
struct ProfileMenuItem {
    int index = 0;
    std::string title;
};

// Everything the menus show that is not in the snapshot.
struct MenuSources {
    std::vector<std::string> sourceRecentFiles;  // newest first
    std::vector<std::string> destinationRecentFiles;
    int maximumRecentCount = 20;               // "File"/"Maximum MRU Count" as read
    std::vector<ProfileMenuItem> profiles;     // those marked to appear in the list
    std::vector<std::string> uiLanguageNames;  // the UI language list, in order
    std::string productName;                   // for "&About %1..."
};

// The label of popup `index` (0..7) on the menu bar: "&File (S)", "&Edit (S)", ...
std::string MainMenuPopupLabel(int index);
// The label of every popup, in order.
std::vector<std::string> MainMenuBarLabels();

// The items of popup `index` (0..7), rebuilt in full: texts, recent files, profiles and
// languages, checks and greying. An index out of range gives an empty list. The two Edit
// popups begin with the same item, so the window tells a popup by its position on the
// menu bar, not by its first item's text.
std::vector<MenuEntry> BuildMainMenuPopup(int index, const WindowSnapshot& snapshot,
                                          const MenuSources& sources);

// The context menu of the context area.
std::vector<MenuEntry> BuildContextMenu(const WindowSnapshot& snapshot);

// The pop-up of the profile operations button: Profile Manager, Save Profile (greyed at
// 60 profiles) and the profiles submenu (left out when no profile is marked).
std::vector<MenuEntry> BuildProfileMenu(const WindowSnapshot& snapshot, const MenuSources& sources);

// Recent-file entries of one File menu: at most min(list length, maximum count)
// entries, "&%d: %s" for 1 to 9 and "%d: %s" from 10 on. A maximum below 0 or above 60
// counts as 60; never more entries than the id range holds.
std::vector<MenuEntry> RecentFileEntries(EditArea area, const std::vector<std::string>& files,
                                         int maximumCount);

// The Source or Destination language submenu, the current row checked.
std::vector<MenuEntry> LanguageEntries(EditArea area, int selectedIndex);

// The UI language submenu, the current entry checked.
std::vector<MenuEntry> UiLanguageEntries(const std::vector<std::string>& names, int selectedIndex);

}  // namespace zelvo
