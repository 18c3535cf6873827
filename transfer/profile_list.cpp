#include "transfer/profile_list.h"

#include <algorithm>

#include "platform/file_system.h"
#include "services/settings_file.h"

namespace zelvo {

namespace {

// The built-in profiles. The destination toolbar of the profiles without a Destination
// area is left at its default (shown), so it comes back with the area.
struct SystemProfileRow {
    int systemId;
    int titleId;
    int left, right, top, bottom;
    bool maximized;
    bool alwaysOnTop;
    bool showSourceArea, showDestinationArea;
    bool showMenuBar, showSourceBar, showDestinationBar, showStatusBar;
    int fontSize;  // 0: sizes not set
};

constexpr SystemProfileRow kSystemProfiles[] = {
    {1, IDS_DIALOG_PI_TITLE_STANDARD, 175, 876, 74, 620, false, false, true, false, true, true, true, true,
     0},
    {2, IDS_DIALOG_PI_TITLE_FULL, 0, 682, 0, 623, true, false, true, true, true, true, true, true, 0},
    {3, IDS_DIALOG_PI_TITLE_STICKY_NOTE, 689, 890, 203, 323, false, true, true, false, false, false, true,
     false, 0},
    {4, IDS_DIALOG_PI_TITLE_VERIFY_BY_LINES, 114, 913, 282, 429, false, false, true, true, true, true, false,
     true, 12},
    {5, IDS_DIALOG_PI_TITLE_OPEN_FROM_EXPLORER, 79, 744, 0, 443, false, false, true, false, true, true, true,
     true, 0},
};

const SystemProfileRow* SystemProfileRowOf(int systemId) {
    for (const SystemProfileRow& row : kSystemProfiles)
        if (row.systemId == systemId) return &row;
    return nullptr;
}

bool TitleTaken(const ProfileList& list, const std::string& title) {
    return std::any_of(list.begin(), list.end(), [&](const Profile& p) { return p.title == title; });
}

}  // namespace

std::string ProfileSectionName(int place) {
    return "Profile " + std::to_string(place);
}

std::string SystemProfileTitle(int systemId) {
    const SystemProfileRow* row = SystemProfileRowOf(systemId);
    return row ? LoadUiString(row->titleId) : std::string();
}

Profile SystemProfile(int systemId, const ProfileContext& context) {
    Profile record = DefaultProfile(context);
    const SystemProfileRow* row = SystemProfileRowOf(systemId);
    if (!row) return record;
    record.title = LoadUiString(row->titleId);
    record.description.clear();
    record.isSystem = true;
    record.systemId = row->systemId;
    record.setUiLanguage = false;
    record.setSourceLanguage = false;
    record.setDestinationLanguage = false;
    record.setPosition = true;
    record.left = row->left;
    record.right = row->right;
    record.top = row->top;
    record.bottom = row->bottom;
    record.centered = false;
    record.maximized = row->maximized;
    record.alwaysOnTop = row->alwaysOnTop;
    record.showSourceArea = row->showSourceArea;
    record.showDestinationArea = row->showDestinationArea;
    record.showMenuBar = row->showMenuBar;
    record.showSourceBar = row->showSourceBar;
    record.showDestinationBar = row->showDestinationBar;
    record.showStatusBar = row->showStatusBar;
    record.setProportion = true;
    record.proportion = kDefaultProportion;
    record.setBackground = false;
    record.setFontSize = row->fontSize != 0;
    record.setSourceFontSize = row->fontSize != 0;
    record.setDestinationFontSize = row->fontSize != 0;
    if (row->fontSize != 0) {
        record.sourceFontSize = row->fontSize;
        record.destinationFontSize = row->fontSize;
    }
    return record;
}

void LoadProfileList(ProfileList& list, const ProfileFiles& files, const ProfileContext& context) {
    list.clear();
    if (FileExists(files.profileFile)) {
        SettingsFile file;
        file.Load(files.profileFile);
        for (int place = 1; place <= kMaximumProfileCount; ++place) {
            Profile record;
            if (!ReadProfileSection(file, ProfileSectionName(place), true, context, record)) break;
            // System titles follow the UI language, whatever the file says.
            if (record.isSystem) record.title = SystemProfileTitle(record.systemId);
            list.push_back(std::move(record));
        }
    }
    for (const SystemProfileRow& row : kSystemProfiles) {
        const bool present = std::any_of(list.begin(), list.end(), [&](const Profile& p) {
            return p.isSystem && p.systemId == row.systemId;
        });
        if (!present) list.push_back(SystemProfile(row.systemId, context));
    }
}

bool SaveProfileList(ProfileList& list, const ProfileFiles& files) {
    SettingsFile file;
    for (size_t i = 0; i < list.size(); ++i)
        StoreProfileSection(file, ProfileSectionName(static_cast<int>(i) + 1), list[i]);
    return file.Save(files.profileFile);
}

std::string NewProfileTitle(const ProfileList& list) {
    const std::string base = LoadUiString(IDS_DIALOG_PI_NEW_RPOFILE);
    if (!TitleTaken(list, base)) return base;
    for (int number = 1;; ++number) {
        std::string title = base + std::to_string(number);
        if (!TitleTaken(list, title)) return title;
    }
}

}  // namespace zelvo
