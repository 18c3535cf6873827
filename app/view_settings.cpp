#include "app/view_settings.h"

#include <algorithm>
#include <cstdint>

namespace zelvo {

namespace {

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The window of the n-th instance opened at once steps 18 pixels right and down from the
// record's corner, wrapping round to stay on the screen. `room` is the screen size less
// the window size; without room the position is left to the on-screen check.
int64_t CascadeOffset(int64_t start, int launchIndex, int room) {
    int64_t position = start + int64_t{18} * launchIndex;
    // Subtracting the room while the position is past it: the same as the remainder, but
    // in one step whatever the launch index.
    if (room > 0 && position > room) position = (position - 1) % room + 1;
    return position;
}

// The languages step: a row outside the table becomes 0, also in the record; a row the
// selector holds is selected, any other is only stored.
LanguageChoice ChooseLanguage(bool set, int& recordRow, int currentRow, int selectorCount) {
    LanguageChoice choice;
    if (!set || recordRow == currentRow) return choice;
    if (!IsValidLanguageIndex(recordRow)) recordRow = 0;
    choice.changed = true;
    choice.index = recordRow;
    choice.select = recordRow < selectorCount;
    return choice;
}

// One axis of a rectangle moved onto the screen: the start not below 0, the end not
// past the screen's size.
void KeepAxisOnScreen(int start, int size, int screenSize, int& low, int& high) {
    int64_t from = start, to = int64_t{start} + size;
    if (from < 0) {
        from = 0;
        to = size;
    }
    if (to > screenSize) {
        to = screenSize;
        from = int64_t{screenSize} - size;
    }
    low = ClampToInt(from);
    high = ClampToInt(to);
}

bool SameBars(const ViewState& a, const ViewState& b) {
    return a.sourceShown == b.sourceShown && a.destinationShown == b.destinationShown &&
           a.menuBarShown == b.menuBarShown && a.sourceToolbarShown == b.sourceToolbarShown &&
           a.destinationToolbarShown == b.destinationToolbarShown && a.statusBarShown == b.statusBarShown;
}

}  // namespace

int LimitToScreen(int size, int screenSize, int minimumSize) {
    if (size > screenSize) size = 2 * screenSize / 3;
    return std::max({size, minimumSize, 0});
}

ScreenRect KeepOnScreen(int left, int top, int width, int height, ScreenSize screen) {
    ScreenRect rect;
    KeepAxisOnScreen(left, width, screen.width, rect.left, rect.right);
    KeepAxisOnScreen(top, height, screen.height, rect.top, rect.bottom);
    return rect;
}

ScreenRect CenterOnScreen(const ScreenRect& rect, ScreenSize screen) {
    const int width = rect.Width();
    const int height = rect.Height();
    ScreenRect centred;
    centred.left = (screen.width - width) / 2;
    centred.top = (screen.height - height) / 2;
    centred.right = centred.left + width;
    centred.bottom = centred.top + height;
    return centred;
}

void CaptureWindowState(const WindowState& window, ScreenSize screen, Profile& record) {
    record.setUiLanguage = true;
    record.uiLanguage = window.uiLcid;
    record.setSourceLanguage = true;
    record.sourceLanguage = window.sourceLanguage;
    record.setDestinationLanguage = true;
    record.destinationLanguage = window.destinationLanguage;

    record.setPosition = true;
    const int width = LimitToScreen(ClampToInt(int64_t{window.rect.right} - window.rect.left), screen.width,
                                    window.view.minimumWidth);
    const int height = LimitToScreen(ClampToInt(int64_t{window.rect.bottom} - window.rect.top), screen.height,
                                     window.view.minimumHeight);
    const ScreenRect shown = KeepOnScreen(window.rect.left, window.rect.top, width, height, screen);
    record.left = shown.left;
    record.right = shown.right;
    record.top = shown.top;
    record.bottom = shown.bottom;
    record.centered = false;
    record.maximized = window.maximized;
    record.alwaysOnTop = window.view.alwaysOnTop;

    record.showSourceArea = window.view.sourceShown;
    record.showDestinationArea = window.view.destinationShown;
    record.showMenuBar = window.view.menuBarShown;
    record.showSourceBar = window.view.sourceToolbarShown;
    record.showDestinationBar = window.view.destinationToolbarShown;
    record.showStatusBar = window.view.statusBarShown;

    record.setProportion = true;
    record.proportion = window.view.proportion;
    record.setFontSize = true;
    record.setSourceFontSize = true;
    record.setDestinationFontSize = true;
    record.sourceFontSize = window.sourceFontSize;
    record.destinationFontSize = window.destinationFontSize;
}

ViewSettingsChange ApplyProfileToWindow(Profile& record, const WindowState& window,
                                        const ProfileApplication& how) {
    ViewSettingsChange change;
    change.view = window.view;
    change.sourceFontSize = window.sourceFontSize;
    change.destinationFontSize = window.destinationFontSize;

    // UI language: the start-up application leaves it to the language start-up chose.
    if (how.windowInitialised && record.setUiLanguage && record.uiLanguage != window.uiLcid) {
        change.switchUiLanguage = true;
        change.uiLanguage = record.uiLanguage;
    }

    change.sourceLanguage = ChooseLanguage(record.setSourceLanguage, record.sourceLanguage,
                                           window.sourceLanguage, how.sourceSelectorCount);
    change.destinationLanguage = ChooseLanguage(record.setDestinationLanguage, record.destinationLanguage,
                                                window.destinationLanguage, how.destinationSelectorCount);

    // Areas, toggled as the commands toggle them, so one always stays shown.
    if (!record.showSourceArea && !record.showDestinationArea) record.showSourceArea = true;
    if (record.showSourceArea != change.view.sourceShown) ToggleArea(change.view, EditArea::kSource);
    if (record.showDestinationArea != change.view.destinationShown)
        ToggleArea(change.view, EditArea::kDestination);

    change.view.menuBarShown = record.showMenuBar;
    change.view.sourceToolbarShown = record.showSourceBar;
    change.view.destinationToolbarShown = record.showDestinationBar;
    change.view.statusBarShown = record.showStatusBar;
    bool windowChanged = !SameBars(change.view, window.view);

    if (record.setPosition) {
        change.placeWindow = true;
        WindowPlacement& placement = change.placement;
        if (record.left == -1 && record.right == -1 && record.top == -1 && record.bottom == -1) {
            // Only centred: the window keeps its size and state.
            placement.rect = CenterOnScreen(window.rect, how.screen);
            placement.maximize = window.maximized;
        } else {
            const int width = LimitToScreen(ClampToInt(int64_t{record.right} - record.left), how.screen.width,
                                            window.view.minimumWidth);
            const int height = LimitToScreen(ClampToInt(int64_t{record.bottom} - record.top),
                                             how.screen.height, window.view.minimumHeight);
            int64_t left = record.left;
            int64_t top = record.top;
            if (record.isSystem && record.systemId == kOpenFromExplorerProfileId) {
                left = CascadeOffset(left, how.launchIndex, how.screen.width - width);
                top = CascadeOffset(top, how.launchIndex, how.screen.height - height);
            }
            placement.rect = KeepOnScreen(ClampToInt(left), ClampToInt(top), width, height, how.screen);
            if (record.centered) placement.rect = CenterOnScreen(placement.rect, how.screen);
            placement.maximize = record.maximized;
            placement.restore = !record.maximized && window.maximized;
            placement.setAlwaysOnTop = true;
            change.view.alwaysOnTop = record.alwaysOnTop;
        }
        if (placement.rect != window.rect || placement.maximize != window.maximized ||
            change.view.alwaysOnTop != window.view.alwaysOnTop)
            windowChanged = true;
    }

    if (record.setProportion && record.proportion >= 0 && record.proportion <= 100 &&
        record.proportion != window.view.proportion) {
        change.view.proportion = record.proportion;
        windowChanged = true;
    }

    if (record.setFontSize) {
        if (record.setSourceFontSize)
            change.sourceFontSize = AcceptedFontSize(record.sourceFontSize, window.sourceFontSize);
        if (record.setDestinationFontSize)
            change.destinationFontSize =
                AcceptedFontSize(record.destinationFontSize, window.destinationFontSize);
    }

    change.layoutAgain = windowChanged;
    return change;
}

int AcceptedFontSize(int requested, int current) {
    if (requested < kMinimumFontPoints || requested > kMaximumFontPoints) return current;
    return requested;
}

}  // namespace zelvo
