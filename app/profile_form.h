// The Edit Profile dialog without a window: its fields as the user left them (numbers as
// typed), which controls the switches enable, the checks run after every change, and the
// record the fields stand for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/view_settings.h"
#include "transfer/profile_list.h"

namespace zelvo {

struct ProfileForm {
    std::string title;
    std::string description;
    bool isSystem = false;
    bool appearInMenu = true;

    // Choices are rows of their list; -1 when nothing is chosen.
    bool setUiLanguage = false;
    int uiLanguage = -1;  // row of the UI language list
    bool setSourceLanguage = false;
    int sourceLanguage = -1;  // row of the language table
    bool setDestinationLanguage = false;
    int destinationLanguage = -1;

    bool setPosition = false;
    std::string left, right, top, bottom;
    bool centered = false;
    bool maximized = false;
    bool alwaysOnTop = false;

    bool showSourceArea = true;
    bool showDestinationArea = true;
    bool showMenuBar = true;
    bool showSourceBar = true;
    bool showDestinationBar = true;
    bool showStatusBar = true;

    bool setProportion = false;
    std::string proportion;

    bool setBackground = false;

    bool setFontSize = false;
    bool setSourceFontSize = false;
    bool setDestinationFontSize = false;
    std::string sourceFontSize;  // a number or one of the five size names
    std::string destinationFontSize;
};

// Which controls are enabled: each follows its switch.
struct ProfileFormEnabling {
    bool title = true;  // a built-in profile's title follows the UI language
    bool uiLanguage = false;
    bool sourceLanguage = false;
    bool destinationLanguage = false;
    bool position = false;  // left, right, top, bottom, centre, maximised, always on top
    bool sourceToolbar = false;
    bool destinationToolbar = false;
    bool proportionSwitch = false;  // only with both areas shown
    bool proportion = false;        // the value, its spin button and the Destination's share
    bool sourceFontSwitch = false;
    bool destinationFontSwitch = false;
    bool sourceFontSize = false;
    bool destinationFontSize = false;
    bool backgroundConfiguration = false;
};

ProfileFormEnabling EnablingOf(const ProfileForm& form);

// A whole number as typed: optional blanks round an optional minus sign and digits.
std::optional<int> ParseWholeNumber(std::string_view text);

// The Destination's share shown beside the proportion: 100 less the typed value clamped to
// 0..100; empty while the text is no number.
std::string DestinationShareText(const std::string& proportion);

// The fields of a record. uiLanguageLcids are the LCIDs of the UI language list, in its order.
ProfileForm FormOfProfile(const Profile& profile, const std::vector<int>& uiLanguageLcids);

// The record the fields stand for, on top of `base` (which keeps what the form does not
// show: the background fields, the system id). Numbers that are not valid keep base's.
Profile ProfileOfForm(const ProfileForm& form, Profile base, const std::vector<int>& uiLanguageLcids);

// Every check that fails, one message each, in the order of the fields. `editedPlace` is
// the profile's place in the list (-1 for a profile not in it yet); its own title is no
// clash.
std::vector<std::string> ProfileFormFailures(const ProfileForm& form, const ProfileList& list, int editedPlace,
                                             ScreenSize screen);

// What the read-only box shows: each failure on its line, or, when none failed, the
// line that says the profile can be saved.
std::string ProfileCheckText(const std::vector<std::string>& failures);

}  // namespace zelvo
