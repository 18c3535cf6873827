#include "app/profile_manager_model.h"

#include <utility>

#include "app/language_table.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

constexpr int kSystemDescriptionIds[] = {
    IDS_DIALOG_PI_DESCRIPTION_STANDARD, IDS_DIALOG_PI_DESCRIPTION_FULL, IDS_DIALOG_PI_DESCRIPTION_STICKY_NOTE,
    IDS_DIALOG_PI_DESCRIPTION_VERIFY_BY_LINES, IDS_DIALOG_PI_DESCRIPTION_OPEN_FROM_EXPLORER};

std::string YesNo(bool value) {
    return LoadUiString(value ? IDS_QXT_YES : IDS_QXT_NO);
}

std::string Line(int labelId, const std::string& value) {
    return LoadUiString(labelId) + ": " + value + "\r\n";
}

std::string LanguageOrNone(bool set, int index) {
    if (!set) return LoadUiString(IDS_QXT_NONE);
    return IsValidLanguageIndex(index) ? LanguageName(index) : std::to_string(index);
}

// Red, green and blue of a Windows colour number (0x00BBGGRR).
std::string ColorText(int color) {
    return std::to_string(color & 0xFF) + ", " + std::to_string((color >> 8) & 0xFF) + ", " +
           std::to_string((color >> 16) & 0xFF);
}

}  // namespace

void ProfileManagerModel::Select(int place) {
    selected_ = place >= 0 && place < static_cast<int>(list_.size()) ? place : -1;
}

const Profile* ProfileManagerModel::SelectedProfile() const {
    return selected_ >= 0 ? &list_[static_cast<size_t>(selected_)] : nullptr;
}

ProfileManagerButtons ProfileManagerModel::Buttons() const {
    ProfileManagerButtons buttons;
    const int count = static_cast<int>(list_.size());
    const Profile* chosen = SelectedProfile();
    buttons.moveUp = chosen && selected_ > 0;
    buttons.moveDown = chosen && selected_ < count - 1;
    buttons.add = CanAdd();
    buttons.remove = chosen && !chosen->isSystem;
    buttons.modify = chosen != nullptr;
    buttons.apply = chosen != nullptr;
    buttons.save = changed_;
    return buttons;
}

bool ProfileManagerModel::CanAdd() const {
    return static_cast<int>(list_.size()) < kMaximumProfileCount;
}

bool ProfileManagerModel::AtLimit() const {
    return static_cast<int>(list_.size()) == kMaximumProfileCount;
}

bool ProfileManagerModel::Add(Profile profile) {
    if (!CanAdd()) return false;
    list_.push_back(std::move(profile));
    selected_ = static_cast<int>(list_.size()) - 1;
    changed_ = true;
    return true;
}

bool ProfileManagerModel::RemoveSelected() {
    const Profile* chosen = SelectedProfile();
    if (!chosen || chosen->isSystem) return false;
    list_.erase(list_.begin() + selected_);
    if (selected_ >= static_cast<int>(list_.size())) selected_ = static_cast<int>(list_.size()) - 1;
    changed_ = true;
    return true;
}

bool ProfileManagerModel::ReplaceSelected(Profile edited) {
    if (!SelectedProfile()) return false;
    Profile& place = list_[static_cast<size_t>(selected_)];
    if (place == edited) return true;
    place = std::move(edited);
    changed_ = true;
    return true;
}

bool ProfileManagerModel::MoveUp() {
    if (!Buttons().moveUp) return false;
    std::swap(list_[static_cast<size_t>(selected_)], list_[static_cast<size_t>(selected_ - 1)]);
    --selected_;
    changed_ = true;
    return true;
}

bool ProfileManagerModel::MoveDown() {
    if (!Buttons().moveDown) return false;
    std::swap(list_[static_cast<size_t>(selected_)], list_[static_cast<size_t>(selected_ + 1)]);
    ++selected_;
    changed_ = true;
    return true;
}

Profile NewUserProfile(const ProfileList& list, Profile captured) {
    captured.title = NewProfileTitle(list);
    captured.description.clear();
    captured.isSystem = false;
    captured.systemId = 0;
    captured.appearInMenu = true;
    return captured;
}

std::string ShownDescription(const Profile& profile) {
    if (!profile.description.empty() || !profile.isSystem) return profile.description;
    if (profile.systemId < kFirstSystemProfileId || profile.systemId > kLastSystemProfileId) return {};
    return LoadUiString(kSystemDescriptionIds[profile.systemId - kFirstSystemProfileId]);
}

std::vector<std::vector<std::string>> ProfileManagerRows(const ProfileList& list) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        rows.push_back({std::to_string(i + 1), list[i].title, ShownDescription(list[i])});
    return rows;
}

std::string ProfileDetails(const Profile& p, const std::string& uiLanguageName) {
    const std::string none = LoadUiString(IDS_QXT_NONE);
    std::string text;
    text += Line(IDS_PROFILE_TITLE, p.title);
    text += Line(IDS_PROFILE_DESCRIPTION, ShownDescription(p));
    text += Line(IDS_PROFILE_LAN_UI, !p.setUiLanguage           ? none
                                     : uiLanguageName.empty() ? std::to_string(p.uiLanguage)
                                                              : uiLanguageName);
    text += Line(IDS_PROFILE_LAN_SOURCE, LanguageOrNone(p.setSourceLanguage, p.sourceLanguage));
    text += Line(IDS_PROFILE_LAN_DESTINATION, LanguageOrNone(p.setDestinationLanguage, p.destinationLanguage));
    if (p.setPosition) {
        text += Line(IDS_PROFILE_POSITION, LoadUiString(IDS_PROFILE_LEFT) + " " + std::to_string(p.left) + ", " +
                                               LoadUiString(IDS_PROFILE_RIGHT) + " " + std::to_string(p.right) +
                                               ", " + LoadUiString(IDS_PROFILE_TOP) + " " +
                                               std::to_string(p.top) + ", " + LoadUiString(IDS_PROFILE_BOTTOM) +
                                               " " + std::to_string(p.bottom));
        text += Line(IDS_PROFILE_CENTER, YesNo(p.centered));
        text += Line(IDS_PROFILE_MAXIMIZED, YesNo(p.maximized));
        text += Line(IDS_PROFILE_ALWAYS_ON_TOP, YesNo(p.alwaysOnTop));
    } else {
        text += Line(IDS_PROFILE_POSITION, none);
    }
    text += Line(IDS_PROFILE_SOURCE_EDIT_AREA, YesNo(p.showSourceArea));
    text += Line(IDS_PROFILE_DESTINATION_EDIT_AREA, YesNo(p.showDestinationArea));
    text += Line(IDS_PROFILE_MENU_BAR, YesNo(p.showMenuBar));
    text += Line(IDS_PROFILE_SOURCE_TOOLBAR, YesNo(p.showSourceBar));
    text += Line(IDS_PROFILE_DESTINATION_TOOLBAR, YesNo(p.showDestinationBar));
    text += Line(IDS_PROFILE_STATUS_BAR, YesNo(p.showStatusBar));
    text += Line(IDS_PROFILE_PROPORTION, p.setProportion ? std::to_string(p.proportion) + ":" +
                                                               std::to_string(100 - p.proportion)
                                                         : none);
    if (p.setBackground) {
        text += Line(IDS_PROFILE_BK_ENABLE_BACKGROUND_IMAGE, YesNo(p.backgroundImageOn));
        text += Line(IDS_PROFILE_BK_IMAGE_PATH, p.backgroundImagePath);
        text += Line(IDS_PROFILE_BK_COLOR, ColorText(p.backgroundColor));
    }
    std::string sizes;
    if (p.setFontSize && p.setSourceFontSize)
        sizes = LoadUiString(IDS_DIALOG_ZELVO_SOURCE) + " " + std::to_string(p.sourceFontSize);
    if (p.setFontSize && p.setDestinationFontSize)
        sizes += (sizes.empty() ? "" : ", ") + LoadUiString(IDS_DIALOG_ZELVO_DESTINATION) + " " +
                 std::to_string(p.destinationFontSize);
    text += Line(IDS_PROFILE_FONT_SIZE, sizes.empty() ? none : sizes);
    text.resize(text.size() - 2);  // no line break after the last line
    return text;
}

}  // namespace zelvo
