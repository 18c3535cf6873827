// The two edit areas of the main window. The values are those the context area takes
// (1 Source, 3 Destination); 0 means no area has been chosen yet.
#pragma once

#include <string>
#include <vector>

namespace zelvo {

enum class EditArea : int { kNone = 0, kSource = 1, kDestination = 3 };

// One entry of a menu as the window builds it: a command, a separator or a submenu.
// The Win32 side turns a list of these into an HMENU each time a popup opens.
struct MenuEntry {
    int id = 0;            // command id; 0 for separators and submenus
    std::string text;      // in the UI language's code page; "\t" before the shortcut
    bool separator = false;
    bool checked = false;
    bool grayed = false;
    std::vector<MenuEntry> children;  // non-empty for a submenu
};

}  // namespace zelvo
