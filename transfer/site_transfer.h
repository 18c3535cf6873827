// File / Site Code Transfer: converts one text file, or every text file of a folder tree
// (a "site"), from GBK to Big5 or back, in place or into a new, empty folder. A site run is
// a scan pass that only counts and checks, then the transfer pass that does the work, so
// every stop before the second pass leaves the disk as it was.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/pipeline.h"
#include "convert/progress.h"

namespace zelvo {

struct SiteTransferOptions {
    bool targetIsFile = false;       // one file rather than a folder tree
    bool includeSubFolders = true;   // walk sub folders recursively
    bool resultInNew = true;         // write into destinationPath instead of in place
    bool copyNonText = true;         // in a new site, copy non-text files unchanged
    bool gbkToBig5 = true;           // direction; false: Big5 -> GBK
    bool changePathCode = false;     // the "Change Path Code" option: convert the names too
    std::string sourcePath;
    std::string destinationPath;     // ignored (the source is used) unless resultInNew
};

// What the dialog shows of a run; every call has a do-nothing default so a caller
// overrides only what it displays.
class SiteTransferDisplay {
public:
    virtual ~SiteTransferDisplay() = default;
    virtual void ShowStatus(const std::string& text) {}
    // Bars run from 0 to 1000; percents from 0 to 100.
    virtual void ShowFileProgress(int permille, int percent) {}
    virtual void ShowOverallProgress(int permille, int percent) {}
    // The one-second clock of elapsed and remaining time.
    virtual void StartClock() {}
    virtual void StopClock() {}
    // The dialog's running / stopped states.
    virtual void SetRunning(bool running) {}
    // The wait cursor, on while a single file is converted; calls pair up.
    virtual void SetWaitCursor(bool on) {}
};

// Work units of the overall progress: text by 8 KiB, copies by 512 KiB, so the bar
// follows conversion time rather than bytes; each created folder is one unit.
inline constexpr uint64_t kTextUnitBytes = 8192;
inline constexpr uint64_t kCopyUnitBytes = 524288;
// How much of a file is looked at for a zero byte.
inline constexpr uint64_t kNonTextProbeBytes = 32768;
// Files from this size on stop a walk: their sizes do not fit the job's counters.
inline constexpr uint64_t kLargestTransferSize = 0x100000000ULL;
// Unlike-file paths listed before the list ends with "...".
inline constexpr size_t kUnlikeListLimit = 11;

class SiteTransfer {
public:
    // context carries the lib lists and the transfer state shared with the main window.
    explicit SiteTransfer(ConversionContext& context);

    SiteTransferOptions options;
    SiteTransferDisplay* display = nullptr;  // may be null
    ProgressSink* progress = nullptr;        // overall units of the transfer pass; may be null

    // Job counters of the last run.
    uint32_t folderCount = 0;
    uint32_t textFileCount = 0;
    uint32_t nonTextFileCount = 0;
    uint64_t textBytes = 0;
    uint64_t nonTextBytes = 0;
    uint64_t textClusters = 0;
    uint64_t nonTextClusters = 0;
    int64_t clusterSize = -1;  // -1 when the destination drive's cluster size is unknown
    int64_t totalUnits = 0;
    int64_t doneUnits = 0;
    int64_t fileUnits = 0;
    int64_t fileUnitsDone = 0;
    int64_t fileSteps = 0;
    std::vector<std::string> problems;     // "Can't Transfer: <path>" and the like
    std::vector<std::string> unlikeFiles;  // at most 11 paths, then "..."
    bool unlikeListFull = false;
    std::string errorMessage;              // why the last walk stopped
    std::string summaryText;               // the summary shown at the end of a site run
    std::chrono::system_clock::time_point startTime;
    std::chrono::system_clock::time_point endTime;

    // The Transfer / Cancel button: starts a run with the options, or, while one runs,
    // asks whether to cancel it. Returns true when a run was started and completed.
    bool OnTransfer();
    // The two passes of a site transfer, the checks between them and the summary.
    bool RunSiteTransfer();
    // Walks one folder of the source site; false when it stopped (errorMessage says why).
    bool WalkSite(const std::string& folder, bool scanOnly);
    // Converts one text file; the destination may be the source itself. On failure
    // message holds the reason, and the destination is as it was before the call.
    bool TransferOneFile(const std::string& source, const std::string& destination, bool gbkToBig5, bool quiet,
                         std::string& message);
    // Progress of the file being converted: phase 0 announces the step count, 1 the step
    // reached, 2 the end.
    void OnConvertProgress(int phase, int64_t value);

    // Whole seconds from startTime to now.
    int64_t ElapsedSeconds() const;
    int TransferState() const;

private:
    void SetTransferState(int state);
    // False, after saying why, when the destination site is the source site, lies inside
    // it or holds it.
    bool SitesAreApart();
    bool AskUnlikeFiles();
    bool CheckDiskSpace();
    std::string TargetPathFor(const std::string& child);
    void ReportItemDone();
    void ShowOverall();
    void ResetCounters();

    ConversionContext& context_;
    int ownState_ = kTransferStopped;  // used when the context has no shared state
    bool singleFileRun_ = false;
};

// True when one of the first min(size, 32768) bytes of the file is 0x00; false for an
// empty file, a folder or a missing path.
bool IsNonTextFile(const std::string& path);

// Creates every missing folder along the path. 0 on success or when the folder exists,
// 1 when one could not be created.
int CreateFolderPath(const std::string& path);

// True for a path Windows can name: not empty, no control characters, none of < > " | ? *,
// and ":" only after a drive letter. Trail bytes of double-byte characters are skipped.
bool IsValidWindowsPath(const std::string& path);

// The path cut to at most maxLength bytes by putting "..." in place of left-out folders.
std::string ShortenPathText(const std::string& path, size_t maxLength);

}  // namespace zelvo
