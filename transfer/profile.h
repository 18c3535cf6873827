// A profile: a named set of window settings (UI language, the language of each edit area,
// window position, areas and bars, proportion, background, font sizes). Each group has its
// own "Set" switch, so applying a profile changes only the groups it sets. The same record
// holds the window state at exit ("Last" in sprofile.ini).
#pragma once

#include <string>

#include "services/ui_strings.h"

namespace zelvo {

class SettingsFile;

// Valid font sizes of an edit area, in points.
inline constexpr int kMinimumFontPoints = 1;
inline constexpr int kMaximumFontPoints = 600;
inline constexpr int kDefaultFontPoints = 10;

inline constexpr int kDefaultProportion = 50;
// Light grey (red, green and blue 192) as a Windows colour number.
inline constexpr int kDefaultBackgroundColor = 12632256;
// The built-in profiles carry the system ids 1 to 5.
inline constexpr int kFirstSystemProfileId = 1;
inline constexpr int kLastSystemProfileId = 5;
// The system profile whose windows cascade by the launch index.
inline constexpr int kOpenFromExplorerProfileId = 5;

// The one section of sprofile.ini.
inline constexpr const char* kLastProfileSection = "Last";

struct Profile {
    std::string title;
    std::string description;
    bool isSystem = false;
    int systemId = 0;  // 1..5 for a system profile, else 0
    bool appearInMenu = true;

    bool setUiLanguage = false;
    int uiLanguage = kLcidEnglish;  // LCID
    bool setSourceLanguage = false;
    int sourceLanguage = 0;  // row of the language table
    bool setDestinationLanguage = false;
    int destinationLanguage = 0;

    bool setPosition = true;
    int left = 0;  // screen pixels
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool centered = true;
    bool maximized = false;
    bool alwaysOnTop = false;

    bool showSourceArea = true;
    bool showDestinationArea = true;
    bool showMenuBar = true;
    bool showSourceBar = true;
    bool showDestinationBar = true;
    bool showStatusBar = true;

    bool setProportion = true;
    int proportion = kDefaultProportion;  // percent of the shared height given to the Source area

    bool setBackground = true;
    bool backgroundImageOn = true;
    std::string backgroundImagePath;
    int backgroundDisplay = 1;
    int backgroundColor = kDefaultBackgroundColor;

    bool setFontSize = false;
    bool setSourceFontSize = false;
    bool setDestinationFontSize = false;
    int sourceFontSize = kDefaultFontPoints;
    int destinationFontSize = kDefaultFontPoints;

    bool operator==(const Profile&) const = default;
};

// What the defaults and read checks of a record depend on: the program's state when the
// record is read.
struct ProfileContext {
    int uiLanguage = kLcidEnglish;  // LCID of the UI language in use
    int sourceLanguage = 0;         // rows the two language selectors show
    int destinationLanguage = 0;
    int languageCount = 0;  // rows of the language table
    int screenWidth = 0;
    int screenHeight = 0;
    std::string appFolder;  // the default background image lies below it
};

// The two profile files of the config folder.
struct ProfileFiles {
    std::string profileFile;    // "profile.ini": the profile list
    std::string lastStateFile;  // "sprofile.ini": the window state at exit
};

// "profile.ini" and "sprofile.ini" in the config folder.
ProfileFiles ProfileFilesIn(const std::string& configFolder);

// A record with every field at its default: the current languages, the middle half of
// the screen, the background image below the program folder.
Profile DefaultProfile(const ProfileContext& context);

// Reads the record from a section of a loaded file. With requireTitle the section and its
// "Title" key must be there, else the result is false and the record is left alone;
// without it missing keys simply give the defaults. Values out of range are repaired:
// a language row outside the table becomes the current row (0 when that is invalid too),
// a proportion outside 0..100 becomes 50, a font size outside 1..600 becomes 10, a
// display mode other than 1 becomes 1, and a system id outside 1..5 makes the record a
// user profile.
bool ReadProfileSection(const SettingsFile& file, const std::string& section, bool requireTitle,
                        const ProfileContext& context, Profile& record);

// Writes the record into a section. Languages and the position group are written only
// when their switch is on, "System" and "SID" only for a system profile with id 1..5.
// The display mode is set to 1 first.
void StoreProfileSection(SettingsFile& file, const std::string& section, Profile& record);

// Copies the background fields (switch, picture, display mode, colour) from one record
// to another.
void CopyBackground(const Profile& from, Profile& to);

// Loads the list file (fromLastFile: sprofile.ini) and reads the section. From the list
// file the section and its "Title" must exist; from the "Last" file missing parts give
// the defaults.
bool ReadProfile(Profile& record, const std::string& section, bool fromLastFile, const ProfileFiles& files,
                 const ProfileContext& context);

// Loads the file, writes the record into the section and saves the file. The result of
// the save; a file that cannot be written has been reported to the user.
bool WriteProfile(Profile& record, const std::string& section, bool fromLastFile, const ProfileFiles& files);

// Replaces sprofile.ini by one holding only the "Last" record. Built in memory and saved
// at once, so a failed write leaves the previous file whole.
bool SaveLastProfile(Profile& record, const ProfileFiles& files);

}  // namespace zelvo
