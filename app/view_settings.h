// The window part of a profile and the main window: capturing the window's state into a
// record and working out what applying a record changes (languages, areas, bars, position,
// always on top, proportion, font sizes). Pure arithmetic; the Win32 window carries the
// answer out.
#pragma once

#include "app/language_table.h"
#include "app/view_state.h"
#include "services/screen_rect.h"
#include "transfer/profile.h"

namespace zelvo {

struct ScreenSize {
    int width = 0;
    int height = 0;
};


// The main window as it is at the moment: what a capture reads and an apply compares with.
struct WindowState {
    ViewState view;  // areas, bars, always on top, proportion
    int uiLcid = kLcidEnglish;
    int sourceLanguage = kGbkLanguageIndex;  // rows the two selectors show
    int destinationLanguage = kBig5LanguageIndex;
    int sourceFontSize = kDefaultFontPoints;
    int destinationFontSize = kDefaultFontPoints;
    ScreenRect rect;
    bool maximized = false;
};

// A window size along one axis as it is shown: a size larger than the screen becomes two
// thirds of it, and no size is below the window's minimum size (0 unless the view state
// gives one) or below 0.
int LimitToScreen(int size, int screenSize, int minimumSize = 0);

// The rectangle of this size at (left, top), moved onto the screen: left and top not
// below 0, right and bottom not past the screen.
ScreenRect KeepOnScreen(int left, int top, int width, int height, ScreenSize screen);

// The rectangle's size centred on the screen.
ScreenRect CenterOnScreen(const ScreenRect& rect, ScreenSize screen);

// Fills the window part of the record from the window: languages, the rectangle limited
// to and kept on the screen, maximised, always on top, areas, bars, proportion and both
// font sizes, every group switched on. Title, description, system id, "Appear" and the
// background stay as they are.
void CaptureWindowState(const WindowState& window, ScreenSize screen, Profile& record);

// How a record is applied.
struct ProfileApplication {
    ScreenSize screen;
    // False while the "Last" record is applied at start: the UI language is then the one
    // start-up chose.
    bool windowInitialised = true;
    // The command line's launch index: the windows of "Open from Explorer" cascade by it.
    int launchIndex = 0;
    int sourceSelectorCount = kLanguageCount;  // rows in each language selector
    int destinationSelectorCount = kLanguageCount;
};

// A new row for an area's language.
struct LanguageChoice {
    bool changed = false;
    int index = 0;
    bool select = false;  // select it in the selector as the user would; else only store it
};

// Where the window goes. The window restores itself first when `restore`, moves to `rect`
// when it differs from its own, then maximises itself when `maximize`.
struct WindowPlacement {
    bool restore = false;
    ScreenRect rect;
    bool maximize = false;
    bool setAlwaysOnTop = false;  // set always on top to view.alwaysOnTop of the change
};

struct ViewSettingsChange {
    bool switchUiLanguage = false;
    int uiLanguage = 0;  // LCID to switch to
    LanguageChoice sourceLanguage;
    LanguageChoice destinationLanguage;
    ViewState view;  // the view state after the record: areas, bars, always on top, proportion
    bool placeWindow = false;
    WindowPlacement placement;
    int sourceFontSize = kDefaultFontPoints;  // sizes after the record
    int destinationFontSize = kDefaultFontPoints;
    bool layoutAgain = false;  // areas, bars, position or proportion changed
};

// Works out what the record changes in the window. Repairs the record as it goes: a
// record that shows neither area shows the Source area, and a language row outside the
// language table becomes 0.
ViewSettingsChange ApplyProfileToWindow(Profile& record, const WindowState& window,
                                        const ProfileApplication& how);

// The size an area ends up with when asked for `requested`: sizes outside 1..600 are
// ignored, so the current one stays.
int AcceptedFontSize(int requested, int current);

}  // namespace zelvo
