#include "transfer/profile.h"

#include "platform/file_system.h"
#include "services/settings_file.h"

namespace zelvo {

namespace {

bool IsLanguageRow(int index, int count) {
    return index >= 0 && index < count;
}

// A row read from a file, repaired: the current row when the read one is outside the
// table, 0 when the current one is invalid as well.
int CheckedLanguageRow(int index, int current, int count) {
    if (IsLanguageRow(index, count)) return index;
    return IsLanguageRow(current, count) ? current : 0;
}

bool IsSystemProfileId(int systemId) {
    return systemId >= kFirstSystemProfileId && systemId <= kLastSystemProfileId;
}

// Typed reads of one section; a missing key leaves the default in place.
class SectionReader {
  public:
    SectionReader(const SettingsFile& file, const std::string& section) : file_(file), section_(section) {}
    void Read(const char* key, std::string& value) const { file_.GetString(section_, key, value, value); }
    void Read(const char* key, int& value) const { file_.GetInt(section_, key, value, value); }
    void Read(const char* key, bool& value) const { file_.GetBool(section_, key, value, value); }

  private:
    const SettingsFile& file_;
    const std::string& section_;
};

class SectionWriter {
  public:
    SectionWriter(SettingsFile& file, const std::string& section) : file_(file), section_(section) {}
    void Write(const char* key, const std::string& value) { file_.SetString(section_, key, value); }
    void Write(const char* key, int value) { file_.SetInt(section_, key, value); }
    void Write(const char* key, bool value) { file_.SetBool(section_, key, value); }

  private:
    SettingsFile& file_;
    const std::string& section_;
};

const std::string& FileOf(const ProfileFiles& files, bool fromLastFile) {
    return fromLastFile ? files.lastStateFile : files.profileFile;
}

}  // namespace

ProfileFiles ProfileFilesIn(const std::string& configFolder) {
    return {JoinPath(configFolder, "profile.ini"), JoinPath(configFolder, "sprofile.ini")};
}

Profile DefaultProfile(const ProfileContext& context) {
    Profile record;
    record.uiLanguage = context.uiLanguage;
    record.sourceLanguage = context.sourceLanguage;
    record.destinationLanguage = context.destinationLanguage;
    record.left = context.screenWidth / 4;
    record.right = context.screenWidth * 3 / 4;
    record.top = context.screenHeight / 4;
    record.bottom = context.screenHeight * 3 / 4;
    record.backgroundImagePath = JoinPath(JoinPath(context.appFolder, "images"), "back.bmp");
    return record;
}

bool ReadProfileSection(const SettingsFile& file, const std::string& section, bool requireTitle,
                        const ProfileContext& context, Profile& record) {
    Profile read = DefaultProfile(context);
    // A list entry without its section or title marks the end of the list.
    const bool hasTitle = file.GetString(section, "Title", read.title, read.title);
    if (requireTitle && !hasTitle) return false;
    const SectionReader in(file, section);
    in.Read("Description", read.description);
    in.Read("System", read.isSystem);
    in.Read("SID", read.systemId);
    in.Read("Appear", read.appearInMenu);
    in.Read("Set UI Lan", read.setUiLanguage);
    in.Read("UI Lan", read.uiLanguage);
    in.Read("Set Source Lan", read.setSourceLanguage);
    in.Read("Source Lan", read.sourceLanguage);
    in.Read("Set Destination Lan", read.setDestinationLanguage);
    in.Read("Destination Lan", read.destinationLanguage);
    in.Read("Set Position", read.setPosition);
    in.Read("Pos Left", read.left);
    in.Read("Pos Right", read.right);
    in.Read("Pos Top", read.top);
    in.Read("Pos Bottom", read.bottom);
    in.Read("Center", read.centered);
    in.Read("Maximized", read.maximized);
    in.Read("On Top", read.alwaysOnTop);
    in.Read("Have EA Source", read.showSourceArea);
    in.Read("Have EA Destination", read.showDestinationArea);
    in.Read("Have Menu Bar", read.showMenuBar);
    in.Read("Have Source Bar", read.showSourceBar);
    in.Read("Have Destination Bar", read.showDestinationBar);
    in.Read("Have Status Bar", read.showStatusBar);
    in.Read("Set Proportion", read.setProportion);
    in.Read("Proportion", read.proportion);
    in.Read("BK Set Background", read.setBackground);
    in.Read("BK Enable Background Image", read.backgroundImageOn);
    in.Read("BK Image Path", read.backgroundImagePath);
    in.Read("BK Display", read.backgroundDisplay);
    in.Read("BK Color", read.backgroundColor);
    in.Read("Set Font Size", read.setFontSize);
    in.Read("Set Source Font Size", read.setSourceFontSize);
    in.Read("Set Destination Font Size", read.setDestinationFontSize);
    in.Read("Source Font Size", read.sourceFontSize);
    in.Read("Destination Font Size", read.destinationFontSize);

    // The writer stores "System" and "SID" only for the ids 1..5, so anything else is a
    // user profile, as it would be after the next save.
    if (!read.isSystem || !IsSystemProfileId(read.systemId)) {
        read.isSystem = false;
        read.systemId = 0;
    }
    read.sourceLanguage =
        CheckedLanguageRow(read.sourceLanguage, context.sourceLanguage, context.languageCount);
    read.destinationLanguage =
        CheckedLanguageRow(read.destinationLanguage, context.destinationLanguage, context.languageCount);
    if (read.proportion < 0 || read.proportion > 100) read.proportion = kDefaultProportion;
    if (read.backgroundDisplay != 1) read.backgroundDisplay = 1;
    if (read.sourceFontSize < kMinimumFontPoints || read.sourceFontSize > kMaximumFontPoints)
        read.sourceFontSize = kDefaultFontPoints;
    if (read.destinationFontSize < kMinimumFontPoints || read.destinationFontSize > kMaximumFontPoints)
        read.destinationFontSize = kDefaultFontPoints;
    record = std::move(read);
    return true;
}

void StoreProfileSection(SettingsFile& file, const std::string& section, Profile& record) {
    record.backgroundDisplay = 1;
    SectionWriter out(file, section);
    out.Write("Title", record.title);
    out.Write("Description", record.description);
    out.Write("Appear", record.appearInMenu);
    if (record.isSystem && IsSystemProfileId(record.systemId)) {
        out.Write("System", true);
        out.Write("SID", record.systemId);
    }
    out.Write("Set UI Lan", record.setUiLanguage);
    if (record.setUiLanguage) out.Write("UI Lan", record.uiLanguage);
    out.Write("Set Source Lan", record.setSourceLanguage);
    if (record.setSourceLanguage) out.Write("Source Lan", record.sourceLanguage);
    out.Write("Set Destination Lan", record.setDestinationLanguage);
    if (record.setDestinationLanguage) out.Write("Destination Lan", record.destinationLanguage);
    out.Write("Set Position", record.setPosition);
    if (record.setPosition) {
        out.Write("Pos Left", record.left);
        out.Write("Pos Right", record.right);
        out.Write("Pos Top", record.top);
        out.Write("Pos Bottom", record.bottom);
        out.Write("Center", record.centered);
        out.Write("Maximized", record.maximized);
        out.Write("On Top", record.alwaysOnTop);
    }
    out.Write("Have EA Source", record.showSourceArea);
    out.Write("Have EA Destination", record.showDestinationArea);
    out.Write("Have Menu Bar", record.showMenuBar);
    out.Write("Have Source Bar", record.showSourceBar);
    out.Write("Have Destination Bar", record.showDestinationBar);
    out.Write("Have Status Bar", record.showStatusBar);
    out.Write("Set Proportion", record.setProportion);
    out.Write("Proportion", record.proportion);
    out.Write("BK Set Background", record.setBackground);
    out.Write("BK Enable Background Image", record.backgroundImageOn);
    out.Write("BK Image Path", record.backgroundImagePath);
    out.Write("BK Display", record.backgroundDisplay);
    out.Write("BK Color", record.backgroundColor);
    out.Write("Set Font Size", record.setFontSize);
    out.Write("Set Source Font Size", record.setSourceFontSize);
    out.Write("Set Destination Font Size", record.setDestinationFontSize);
    out.Write("Source Font Size", record.sourceFontSize);
    out.Write("Destination Font Size", record.destinationFontSize);
}

bool ReadProfile(Profile& record, const std::string& section, bool fromLastFile, const ProfileFiles& files,
                 const ProfileContext& context) {
    SettingsFile file;
    file.Load(FileOf(files, fromLastFile));
    return ReadProfileSection(file, section, !fromLastFile, context, record);
}

bool WriteProfile(Profile& record, const std::string& section, bool fromLastFile, const ProfileFiles& files) {
    const std::string& path = FileOf(files, fromLastFile);
    SettingsFile file;
    file.Load(path);
    StoreProfileSection(file, section, record);
    return file.Save(path);
}

bool SaveLastProfile(Profile& record, const ProfileFiles& files) {
    SettingsFile file;
    StoreProfileSection(file, kLastProfileSection, record);
    return file.Save(files.lastStateFile);
}

void CopyBackground(const Profile& from, Profile& to) {
    to.setBackground = from.setBackground;
    to.backgroundImageOn = from.backgroundImageOn;
    to.backgroundImagePath = from.backgroundImagePath;
    to.backgroundDisplay = from.backgroundDisplay;
    to.backgroundColor = from.backgroundColor;
}

}  // namespace zelvo
