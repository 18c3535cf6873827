// Where the parts of the main window go in its client area, from the view state.
#pragma once

#include "app/view_state.h"

namespace zelvo {

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const LayoutRect&) const = default;
};

inline constexpr int kStatusBarHeight = 18;
inline constexpr int kRightButtonCount = 4;  // Profile operations, New, Always on top, Exit
inline constexpr int kRightButtonStep = 27;

struct MainWindowLayout {
    bool statusBarShown = false;
    LayoutRect statusBar;  // bottom, full width, 18 high

    bool sourceShown = false;
    bool sourceToolbarShown = false;
    LayoutRect sourceEdit;
    // x of the four right-hand buttons of the Source toolbar (at y 0). The other buttons
    // and the selector of the Source toolbar stay where the template puts them.
    int rightButtonX[kRightButtonCount] = {};

    bool destinationShown = false;
    bool destinationToolbarShown = false;
    // Top of the Destination area. With its toolbar shown, the eleven buttons of the
    // Destination toolbar go to this y (at their template x) and the selector to y + 3.
    int destinationTop = 0;
    int destinationButtonsY = 0;
    int destinationSelectorY = 0;
    LayoutRect destinationEdit;
};

// The x of the right-hand buttons: right-aligned in windows wider than 638 pixels, from
// x 530 in narrower ones.
int RightButtonsLeft(int clientWidth);

// Places everything in a client area of this size. toolbarHeight is the height of one
// toolbar row. Negative sizes are taken as 0 and a proportion outside 0..100 is clamped,
// so no rectangle gets a negative size.
MainWindowLayout ComputeLayout(int clientWidth, int clientHeight, int toolbarHeight, const ViewState& view);

}  // namespace zelvo
