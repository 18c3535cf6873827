// The buttons of the main window's two toolbar rows, in their left-to-right order, with
// the image each one shows.
#pragma once

#include <windows.h>

#include <span>

namespace zelvo {

class FlatButtonSet;

struct ToolbarButton {
    int commandId;  // also the button's control id in dialog 102
    int bitmapId;   // IDB_TOOL_*
};

// The Source row after its language selector, the four right-hand buttons last.
std::span<const ToolbarButton> SourceToolbarButtons();
// The four buttons at the right-hand end of the Source row.
std::span<const ToolbarButton> SourceToolbarRightButtons();
// The Destination row after its language selector.
std::span<const ToolbarButton> DestinationToolbarButtons();

// Makes every toolbar button of window a flat button with its image. Returns how many were
// set up; a template without some of the buttons just gets fewer.
int AddToolbarButtons(FlatButtonSet& buttons, HWND window, HINSTANCE instance);

}  // namespace zelvo
