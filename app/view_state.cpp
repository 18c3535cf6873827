#include "app/view_state.h"

#include <algorithm>

namespace zelvo {

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

}  // namespace zelvo
