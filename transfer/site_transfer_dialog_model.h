// What the File / Site Code Transfer dialog decides without a window: its remembered
// settings, which labels and buttons the options call for, where a browse starts, and the
// texts of the one-second clock (percent, elapsed and remaining time, the main window's
// caption while a transfer runs).
#pragma once

#include <cstdint>
#include <string>

#include "transfer/site_transfer.h"

namespace zelvo {

// Registry section of the dialog's settings.
inline constexpr const char* kSiteTransferSection = "FSCT";

// The dialog's options as they were left: "File", "Result In New", "Include Sub Folders",
// "Copy Non-text File(s)", "GBK -> Big5", "Source Path" and "Destination Path". Only a
// stored "File" of exactly 1 means a file; any other value is a site.
SiteTransferOptions ReadSiteTransferSettings();
void WriteSiteTransferSettings(const SiteTransferOptions& options);

// The cache folder: the stored "Cache Path" when it names an existing folder, else
// appFolder followed by "temp", which is created when missing.
std::string ResolveSiteTransferCachePath(const std::string& appFolder);

// The "Change Path Code" switch of the options dialog ("Code Transfer" section).
bool ReadChangePathCodeSetting();

// Where a browse for the source (or the destination) starts: the folder part of the
// current path, or the folder remembered by the last confirmed browse when the path is
// empty.
std::string BrowseStartFolder(const std::string& currentPath, bool forDestination);
// Remembers the folder of a confirmed choice for the next browse.
void RememberBrowseFolder(const std::string& chosenPath, bool forDestination);

// Labels (UI string ids), visibility and enabling that the options call for.
struct SiteTransferControlRules {
    int sourceLabelId = 0;
    int destinationLabelId = 0;
    int resultInNewLabelId = 0;
    bool viewSourceEnabled = false;
    bool viewDestinationEnabled = false;
    bool includeSubFoldersVisible = false;
    bool copyNonTextVisible = false;
    bool destinationEnabled = false;  // its label, edit and browse button
};
// Looks at the file system: the view buttons follow the existence of the paths.
SiteTransferControlRules ControlRulesFor(const SiteTransferOptions& options);

// "75%".
std::string PercentText(int percent);
// "Elapsed time:    00:01:05": a label (UI string id), a colon, four blanks and the
// seconds in the short form.
std::string ClockStaticText(int labelId, int64_t seconds);

// The main window's caption while a transfer runs, before the direction is known:
// "<product> File Transfer #1 - #2 Remaining Time #3" (or "Site Transfer").
std::string CaptionTemplateFor(bool targetIsFile, const std::string& productName);
// The same with "#1" filled with "G->B" or "B->G", at the start of a run.
std::string RunCaptionTemplate(const std::string& captionTemplate, bool gbkToBig5);

// One tick of the clock. Nothing is shown before the first unit of work is done, as no
// estimate of the remaining time can be made then.
struct ClockReading {
    bool shown = false;
    int percent = 0;
    int64_t elapsedSeconds = 0;
    int64_t remainingSeconds = 0;
    std::string caption;        // the run's caption with "#2" and "#3" filled
    std::string elapsedText;    // for the elapsed time static
    std::string remainingText;  // for the remaining time static
};
ClockReading ReadClock(const std::string& runCaption, int64_t totalUnits, int64_t doneUnits,
                       int64_t elapsedSeconds);

// Parts of a text made from a template with one "#1": what came before the inserted text,
// the inserted text and what came after. False when text was not made from the template.
// The status line uses it to show an inserted path in the code page of paths and the rest
// in the code page of the UI language.
bool SplitFilledTemplate(const std::string& text, const std::string& templateText, std::string& before,
                         std::string& inserted, std::string& after);

}  // namespace zelvo
