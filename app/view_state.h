// What the main window shows: the two areas, their toolbars, the menu bar, the status
// bar and always-on-top. The same state is the window part of a profile.
#pragma once

#include "app/edit_area.h"

namespace zelvo {

struct ViewState {
    bool sourceShown = true;
    bool destinationShown = true;  // at least one of the two areas is always shown
    bool menuBarShown = true;
    bool sourceToolbarShown = true;  // the wish; the toolbar shows only with its area
    bool destinationToolbarShown = true;
    bool statusBarShown = true;
    bool alwaysOnTop = false;
    int proportion = 50;  // percent of the shared height given to the Source area
    int minimumWidth = 0;
    int minimumHeight = 0;
};

bool AreaShown(const ViewState& view, EditArea area);
// The toolbar is on the screen: wished for and its area shown.
bool ToolbarVisible(const ViewState& view, EditArea area);

// Shows or hides an area. Hiding the only shown area shows the other one instead; the
// toolbar wishes are kept, so a toolbar reappears with its area.
void ToggleArea(ViewState& view, EditArea area);
// Flips the toolbar wish of an area (the command is enabled only while the area shows).
void ToggleToolbar(ViewState& view, EditArea area);
void ToggleMenuBar(ViewState& view);
void ToggleStatusBar(ViewState& view);
void ToggleAlwaysOnTop(ViewState& view);
// Repairs a state read from settings: shows the Source area when neither area is shown
// and brings the proportion into 0..100.
void NormalizeViewState(ViewState& view);

}  // namespace zelvo
