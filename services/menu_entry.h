// One entry of a menu as a window describes it in portable code: a command, a separator or
// a submenu. The window toolkit turns a list of these into an HMENU each time a popup opens.
#pragma once

#include <string>
#include <vector>

namespace zelvo {

struct MenuEntry {
    int id = 0;            // command id; 0 for separators and submenus
    std::string text;      // in the UI language's code page; "\t" before the shortcut
    bool separator = false;
    bool checked = false;
    bool grayed = false;
    std::vector<MenuEntry> children;  // non-empty for a submenu
};

}  // namespace zelvo
