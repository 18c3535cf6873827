#include "transfer/site_transfer_dialog_model.h"

#include <cstdio>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/ui_strings.h"
#include "transfer/transfer_format.h"

namespace zelvo {

namespace {

constexpr const char* kFileKey = "File";
constexpr const char* kResultInNewKey = "Result In New";
constexpr const char* kIncludeSubFoldersKey = "Include Sub Folders";
constexpr const char* kCopyNonTextKey = "Copy Non-text File(s)";
constexpr const char* kGbkToBig5Key = "GBK -> Big5";
constexpr const char* kSourcePathKey = "Source Path";
constexpr const char* kDestinationPathKey = "Destination Path";
constexpr const char* kCachePathKey = "Cache Path";
constexpr const char* kLastSourceFolderKey = "Last Source File Folder";
constexpr const char* kLastDestinationFolderKey = "Last Destination File Folder";

const char* LastFolderKey(bool forDestination) {
    return forDestination ? kLastDestinationFolderKey : kLastSourceFolderKey;
}

bool ReadFlag(const char* key, bool defaultValue) {
    return ReadRegInt(kSiteTransferSection, key, defaultValue ? 1 : 0) != 0;
}

}  // namespace

SiteTransferOptions ReadSiteTransferSettings() {
    SiteTransferOptions options;
    options.targetIsFile = ReadRegInt(kSiteTransferSection, kFileKey, 0) == 1;
    options.resultInNew = ReadFlag(kResultInNewKey, true);
    options.includeSubFolders = ReadFlag(kIncludeSubFoldersKey, true);
    options.copyNonText = ReadFlag(kCopyNonTextKey, true);
    options.gbkToBig5 = ReadFlag(kGbkToBig5Key, true);
    options.sourcePath = ReadRegString(kSiteTransferSection, kSourcePathKey, "");
    options.destinationPath = ReadRegString(kSiteTransferSection, kDestinationPathKey, "");
    return options;
}

void WriteSiteTransferSettings(const SiteTransferOptions& options) {
    WriteRegInt(kSiteTransferSection, kFileKey, options.targetIsFile ? 1 : 0);
    WriteRegInt(kSiteTransferSection, kResultInNewKey, options.resultInNew ? 1 : 0);
    WriteRegInt(kSiteTransferSection, kIncludeSubFoldersKey, options.includeSubFolders ? 1 : 0);
    WriteRegInt(kSiteTransferSection, kCopyNonTextKey, options.copyNonText ? 1 : 0);
    WriteRegInt(kSiteTransferSection, kGbkToBig5Key, options.gbkToBig5 ? 1 : 0);
    WriteRegString(kSiteTransferSection, kSourcePathKey, options.sourcePath);
    WriteRegString(kSiteTransferSection, kDestinationPathKey, options.destinationPath);
}

std::string ResolveSiteTransferCachePath(const std::string& appFolder) {
    const std::string stored = ReadRegString(kSiteTransferSection, kCachePathKey, "");
    if (!stored.empty() && FolderExists(stored)) return stored;
    const std::string fallback = JoinPath(appFolder, "temp");
    if (!FolderExists(fallback)) CreateFolderPath(fallback);
    return fallback;
}

bool ReadChangePathCodeSetting() {
    return ReadRegInt("Code Transfer", "Change Path Code", 0) == 1;
}

std::string BrowseStartFolder(const std::string& currentPath, bool forDestination) {
    const std::string folder = currentPath.empty() ? std::string() : ParentFolder(currentPath);
    if (!folder.empty()) return folder;
    return ReadRegString(kSiteTransferSection, LastFolderKey(forDestination), "");
}

void RememberBrowseFolder(const std::string& chosenPath, bool forDestination) {
    std::string folder = ParentFolder(chosenPath);
    if (folder.empty()) return;
    // "C:" alone would mean the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == ':') folder += kPathSeparator;
    WriteRegString(kSiteTransferSection, LastFolderKey(forDestination), folder);
}

SiteTransferControlRules ControlRulesFor(const SiteTransferOptions& options) {
    SiteTransferControlRules rules;
    const bool inNew = options.resultInNew;
    if (options.targetIsFile) {
        rules.sourceLabelId =
            inNew ? IDS_DIALOG_FSCT_SOURCE_FILE_O : IDS_DIALOG_FSCT_SOURCE_DESTINATION_FILE_O;
        rules.destinationLabelId = IDS_DIALOG_FSCT_DESTINATION_FILE_D;
        rules.resultInNewLabelId = IDS_DIALOG_FSCT_RESULT_IN_NEW_FILE_R;
        rules.viewSourceEnabled = FileExists(options.sourcePath);
        rules.viewDestinationEnabled = inNew && FileExists(options.destinationPath);
    } else {
        rules.sourceLabelId =
            inNew ? IDS_DIALOG_FSCT_SOURCE_SITE_O : IDS_DIALOG_FSCT_SOURCE_DESTINATION_SITE_O;
        rules.destinationLabelId = IDS_DIALOG_FSCT_DESTINATION_SITE_D;
        rules.resultInNewLabelId = IDS_DIALOG_FSCT_RESULT_IN_NEW_SITE_R;
        rules.viewSourceEnabled = FolderExists(options.sourcePath);
        rules.viewDestinationEnabled = inNew && FolderExists(options.destinationPath);
    }
    rules.includeSubFoldersVisible = !options.targetIsFile;
    rules.copyNonTextVisible = !options.targetIsFile && inNew;
    rules.destinationEnabled = inNew;
    return rules;
}

std::string PercentText(int percent) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d%%", percent);
    return buffer;
}

std::string ClockStaticText(int labelId, int64_t seconds) {
    return LoadUiString(labelId) + ":    " + FormatShortDuration(seconds);
}

std::string CaptionTemplateFor(bool targetIsFile, const std::string& productName) {
    const std::string kind =
        LoadUiString(targetIsFile ? IDS_TIP_FILE_TRANSFER : IDS_DIALOG_OPTIONS_CT_SITE_TRANSFER);
    return LoadUiString(IDS_DIALOG_FSCT_CAPTION_MAIN, productName, kind);
}

std::string RunCaptionTemplate(const std::string& captionTemplate, bool gbkToBig5) {
    return ReplaceAll(captionTemplate, "#1", gbkToBig5 ? "G->B" : "B->G");
}

ClockReading ReadClock(const std::string& runCaption, int64_t totalUnits, int64_t doneUnits,
                       int64_t elapsedSeconds) {
    ClockReading reading;
    if (totalUnits <= 0 || doneUnits <= 0) return reading;
    reading.shown = true;
    reading.percent = static_cast<int>(doneUnits * 100 / totalUnits);
    reading.elapsedSeconds = elapsedSeconds;
    reading.remainingSeconds = RemainingSeconds(totalUnits, doneUnits, elapsedSeconds);
    const std::string caption = ReplaceAll(runCaption, "#2", PercentText(reading.percent));
    reading.caption = ReplaceAll(caption, "#3", FormatLongDuration(reading.remainingSeconds));
    reading.elapsedText = ClockStaticText(IDS_DIALOG_FSCT_ELAPSED_TIME, reading.elapsedSeconds);
    reading.remainingText = ClockStaticText(IDS_DIALOG_FSCT_REMAINING_TIME, reading.remainingSeconds);
    return reading;
}

bool SplitFilledTemplate(const std::string& text, const std::string& templateText, std::string& before,
                         std::string& inserted, std::string& after) {
    const size_t mark = templateText.find("#1");
    if (mark == std::string::npos) return false;
    const std::string head = templateText.substr(0, mark);
    const std::string tail = templateText.substr(mark + 2);
    if (text.size() < head.size() + tail.size()) return false;
    if (text.compare(0, head.size(), head) != 0) return false;
    if (text.compare(text.size() - tail.size(), tail.size(), tail) != 0) return false;
    before = head;
    after = tail;
    inserted = text.substr(head.size(), text.size() - head.size() - tail.size());
    return true;
}

}  // namespace zelvo
