#include "app/profile_form.h"

#include <algorithm>
#include <charconv>

#include "app/font_size_input.h"
#include "app/language_table.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

int RowOfLcid(const std::vector<int>& lcids, int lcid) {
    auto found = std::find(lcids.begin(), lcids.end(), lcid);
    return found == lcids.end() ? -1 : static_cast<int>(found - lcids.begin());
}

std::string NumberNotValid(int fieldNameId, int low, int high) {
    std::string text = LoadUiString(IDS_DIALOG_PI_ERROR_NUMBER_NOT_VALID);
    text = ReplaceAll(text, "#1", LoadUiString(fieldNameId));
    text = ReplaceAll(text, "#2", std::to_string(low));
    text = ReplaceAll(text, "#3", std::to_string(high));
    return text;
}

// One axis of the position: the start from 0 to the screen's size (less the window's
// minimum size, which is 0), the end from the start to the screen's size. An end whose
// start is no number is checked against 0.
void CheckAxis(const std::string& startText, const std::string& endText, int startNameId, int endNameId,
               int screenSize, std::vector<std::string>& failures) {
    const std::optional<int> start = ParseWholeNumber(startText);
    if (!start || *start < 0 || *start > screenSize) failures.push_back(NumberNotValid(startNameId, 0, screenSize));
    const int low = start && *start >= 0 && *start <= screenSize ? *start : 0;
    const std::optional<int> end = ParseWholeNumber(endText);
    if (!end || *end < low || *end > screenSize) failures.push_back(NumberNotValid(endNameId, low, screenSize));
}

std::string LanguageMissing(int areaNameId) {
    std::string text = LoadUiString(IDS_DIALOG_PI_ERROR_MUST_SELECT_A_LANGUAGE_FOR_EA);
    text = ReplaceAll(text, "#1", LoadUiString(areaNameId));
    return text;
}

}  // namespace

ProfileFormEnabling EnablingOf(const ProfileForm& form) {
    ProfileFormEnabling on;
    on.title = !form.isSystem;
    on.uiLanguage = form.setUiLanguage;
    on.sourceLanguage = form.setSourceLanguage;
    on.destinationLanguage = form.setDestinationLanguage;
    on.position = form.setPosition;
    on.sourceToolbar = form.showSourceArea;
    on.destinationToolbar = form.showDestinationArea;
    on.proportionSwitch = form.showSourceArea && form.showDestinationArea;
    on.proportion = on.proportionSwitch && form.setProportion;
    on.sourceFontSwitch = form.setFontSize;
    on.destinationFontSwitch = form.setFontSize;
    on.sourceFontSize = form.setFontSize && form.setSourceFontSize;
    on.destinationFontSize = form.setFontSize && form.setDestinationFontSize;
    on.backgroundConfiguration = form.setBackground;
    return on;
}

std::optional<int> ParseWholeNumber(std::string_view typed) {
    const std::string text = TrimBlanks(typed);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::string DestinationShareText(const std::string& proportion) {
    const std::optional<int> value = ParseWholeNumber(proportion);
    if (!value) return {};
    return std::to_string(100 - std::clamp(*value, 0, 100));
}

ProfileForm FormOfProfile(const Profile& p, const std::vector<int>& uiLanguageLcids) {
    ProfileForm form;
    form.title = p.title;
    form.description = p.description;
    form.isSystem = p.isSystem;
    form.appearInMenu = p.appearInMenu;
    form.setUiLanguage = p.setUiLanguage;
    form.uiLanguage = RowOfLcid(uiLanguageLcids, p.uiLanguage);
    form.setSourceLanguage = p.setSourceLanguage;
    form.sourceLanguage = IsValidLanguageIndex(p.sourceLanguage) ? p.sourceLanguage : -1;
    form.setDestinationLanguage = p.setDestinationLanguage;
    form.destinationLanguage = IsValidLanguageIndex(p.destinationLanguage) ? p.destinationLanguage : -1;
    form.setPosition = p.setPosition;
    form.left = std::to_string(p.left);
    form.right = std::to_string(p.right);
    form.top = std::to_string(p.top);
    form.bottom = std::to_string(p.bottom);
    form.centered = p.centered;
    form.maximized = p.maximized;
    form.alwaysOnTop = p.alwaysOnTop;
    form.showSourceArea = p.showSourceArea;
    form.showDestinationArea = p.showDestinationArea;
    form.showMenuBar = p.showMenuBar;
    form.showSourceBar = p.showSourceBar;
    form.showDestinationBar = p.showDestinationBar;
    form.showStatusBar = p.showStatusBar;
    form.setProportion = p.setProportion;
    form.proportion = std::to_string(p.proportion);
    form.setBackground = p.setBackground;
    form.setFontSize = p.setFontSize;
    form.setSourceFontSize = p.setSourceFontSize;
    form.setDestinationFontSize = p.setDestinationFontSize;
    form.sourceFontSize = std::to_string(p.sourceFontSize);
    form.destinationFontSize = std::to_string(p.destinationFontSize);
    return form;
}

Profile ProfileOfForm(const ProfileForm& form, Profile p, const std::vector<int>& uiLanguageLcids) {
    const auto take = [](const std::string& text, int& field) {
        if (std::optional<int> value = ParseWholeNumber(text)) field = *value;
    };
    if (!form.isSystem) p.title = form.title;
    p.description = form.description;
    p.appearInMenu = form.appearInMenu;
    p.setUiLanguage = form.setUiLanguage;
    if (form.uiLanguage >= 0 && form.uiLanguage < static_cast<int>(uiLanguageLcids.size()))
        p.uiLanguage = uiLanguageLcids[static_cast<size_t>(form.uiLanguage)];
    p.setSourceLanguage = form.setSourceLanguage;
    if (IsValidLanguageIndex(form.sourceLanguage)) p.sourceLanguage = form.sourceLanguage;
    p.setDestinationLanguage = form.setDestinationLanguage;
    if (IsValidLanguageIndex(form.destinationLanguage)) p.destinationLanguage = form.destinationLanguage;
    p.setPosition = form.setPosition;
    take(form.left, p.left);
    take(form.right, p.right);
    take(form.top, p.top);
    take(form.bottom, p.bottom);
    p.centered = form.centered;
    p.maximized = form.maximized;
    p.alwaysOnTop = form.alwaysOnTop;
    p.showSourceArea = form.showSourceArea;
    p.showDestinationArea = form.showDestinationArea;
    p.showMenuBar = form.showMenuBar;
    p.showSourceBar = form.showSourceBar;
    p.showDestinationBar = form.showDestinationBar;
    p.showStatusBar = form.showStatusBar;
    p.setProportion = form.setProportion;
    if (std::optional<int> value = ParseWholeNumber(form.proportion); value && *value >= 0 && *value <= 100)
        p.proportion = *value;
    p.setBackground = form.setBackground;
    p.setFontSize = form.setFontSize;
    p.setSourceFontSize = form.setSourceFontSize;
    p.setDestinationFontSize = form.setDestinationFontSize;
    if (std::optional<int> size = ParseFontSizeInput(form.sourceFontSize)) p.sourceFontSize = *size;
    if (std::optional<int> size = ParseFontSizeInput(form.destinationFontSize)) p.destinationFontSize = *size;
    return p;
}

std::vector<std::string> ProfileFormFailures(const ProfileForm& form, const ProfileList& list, int editedPlace,
                                             ScreenSize screen) {
    std::vector<std::string> failures;
    if (!form.isSystem) {
        if (form.title.empty()) {
            failures.push_back(LoadUiString(IDS_DIALOG_PI_ERROR_TITLE_CANT_BE_BLANK));
        } else {
            for (size_t place = 0; place < list.size(); ++place) {
                if (static_cast<int>(place) == editedPlace || list[place].title != form.title) continue;
                failures.push_back(LoadUiString(IDS_DIALOG_PI_ERROR_TITLE_ALREADY_EXISTS));
                break;
            }
        }
    }
    if (form.setUiLanguage && form.uiLanguage < 0)
        failures.push_back(LoadUiString(IDS_DIALOG_PI_ERROR_MUST_SELECT_A_UI_LANGUAGE));
    if (form.setSourceLanguage && form.sourceLanguage < 0)
        failures.push_back(LanguageMissing(IDS_PROFILE_SOURCE_EDIT_AREA));
    if (form.setDestinationLanguage && form.destinationLanguage < 0)
        failures.push_back(LanguageMissing(IDS_PROFILE_DESTINATION_EDIT_AREA));
    if (form.setPosition) {
        CheckAxis(form.left, form.right, IDS_PROFILE_LEFT, IDS_PROFILE_RIGHT, screen.width, failures);
        CheckAxis(form.top, form.bottom, IDS_PROFILE_TOP, IDS_PROFILE_BOTTOM, screen.height, failures);
    }
    if (EnablingOf(form).proportion) {
        const std::optional<int> value = ParseWholeNumber(form.proportion);
        if (!value || *value < 0 || *value > 100) failures.push_back(NumberNotValid(IDS_PROFILE_PROPORTION, 0, 100));
    }
    if (form.setFontSize && ((form.setSourceFontSize && !ParseFontSizeInput(form.sourceFontSize)) ||
                             (form.setDestinationFontSize && !ParseFontSizeInput(form.destinationFontSize))))
        failures.push_back(LoadUiString(IDS_DIALOG_PI_ERROR_FONT_NOT_PROPERLY_SET));
    return failures;
}

std::string ProfileCheckText(const std::vector<std::string>& failures) {
    if (failures.empty()) return LoadUiString(IDS_DIALOG_PI_PROMPT_READY_FOR_SAVE);
    std::string text;
    for (const std::string& failure : failures) text += failure + "\r\n";
    text.resize(text.size() - 2);
    return text;
}

}  // namespace zelvo
