#include "app/main_window_layout.h"

#include <algorithm>

namespace zelvo {

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

}  // namespace zelvo
