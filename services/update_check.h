// The portable side of the daily update check and the installer download: build dates,
// the update information file, the "newer" rule, the once-a-day and "not now" memory, the
// addresses the download may use, the target names of a finished download, and every text
// the question and the download dialog show. Nothing here reads the clock or the network:
// today's date and the fetched text are passed in, so the rules run in tests as they run
// in the program.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "services/sha256.h"

namespace zelvo {

// ---------------------------------------------------------------------------------------
// Dates
// ---------------------------------------------------------------------------------------

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const CalendarDate&) const = default;
};

// Reads "year-month-day": blanks are ignored, "--" counts as "-", a two-digit year gets
// "20" in front, month and day may carry one leading zero, and the three must form a real
// calendar date. False (out untouched) for anything else.
bool ParseDate(std::string_view text, CalendarDate& out);
// "%d-%d-%d", the form "Last Try" and "Last Deny" are stored in.
std::string FormatStoredDate(const CalendarDate& date);
// "%d-%02d-%02d", the form the question shows a build date in.
std::string FormatBuildDate(const CalendarDate& date);
// Whole days from `from` to `to` (negative when `to` comes first).
int DaysBetween(const CalendarDate& from, const CalendarDate& to);
// The date of a local calendar time (std::tm from the platform clock).
CalendarDate DateOfLocalTime(const struct tm& local);

// ---------------------------------------------------------------------------------------
// Where the update information lives
// ---------------------------------------------------------------------------------------

// The path of the update information file on the update server.
inline constexpr const char* kUpdateInfoPath = "/zelvo/download/updtinfo.txt";
// Registry section of the update settings, and the keys of the daily memory.
inline constexpr const char* kUpdateSection = "AutoDetect";
inline constexpr const char* kLastTryKey = "Last Try";
inline constexpr const char* kLastDenyKey = "Last Deny";
// A string value in kUpdateSection that replaces the maker's server (scheme and host, such
// as "http://127.0.0.1:8000"), so tests can serve the files themselves. An empty or
// missing value means the maker's server.
inline constexpr const char* kUpdateServerKey = "Server";
// A value of 1 in kUpdateSection turns the daily check off.
inline constexpr const char* kUpdateDisabledKey = "Disabled";

// The server named by kUpdateServerKey, else the maker's (HTTPS), without a trailing '/'.
std::string UpdateServer();
// UpdateServer() followed by kUpdateInfoPath.
std::string UpdateInfoAddress();

// True for an address the program may download from: "https://" with any host, or
// "http://" only when the host is this machine (127.0.0.1, localhost or [::1]), since a
// file fetched in the clear could be changed on the way. The scheme is compared without
// regard to case; anything else (ftp:, file:, no scheme, no host) is refused.
bool IsAllowedDownloadAddress(std::string_view address);

// ---------------------------------------------------------------------------------------
// The update information file
// ---------------------------------------------------------------------------------------

// The items of the file as written: "Version", "Build", "URL" and "SHA256" lines, later
// lines overriding earlier ones; comments (";") and other lines ignored.
struct UpdateInfo {
    std::string version;
    std::string build;
    std::string url;
    std::string sha256;
};
// Reads the file's text: lines end at CR LF (a lone LF does not end one) and are trimmed
// of blanks, tabs, CR and LF; a key is recognised by its first letters without regard to
// case and its value is the rest with leading blanks and "=" removed.
UpdateInfo ReadUpdateInfo(std::string_view text);

// A build later than `own` is newer. A build dated after next year (counted from today)
// is taken for a mistake in the file and never offered.
bool IsNewerBuild(const CalendarDate& build, const CalendarDate& own, const CalendarDate& today);

// What the question offers and the download dialog fetches.
struct UpdateOffer {
    std::string version;
    std::string build;   // FormatBuildDate of the file's build
    std::string url;     // the file's URL, or the product's home page when it names no ".exe"
    std::string sha256;  // the installer's digest as the file gives it (may be empty)
};
// Decides whether the file's text offers a newer build than `ownBuild`. False when either
// build date does not parse or the build is not newer.
bool EvaluateUpdateInfo(std::string_view text, std::string_view ownBuild, const CalendarDate& today,
                        const std::string& productHomePage, UpdateOffer& offer);

// ---------------------------------------------------------------------------------------
// The daily check
// ---------------------------------------------------------------------------------------

enum class DailyCheckStep {
    kSkipDisabled,        // the check is turned off (kUpdateDisabledKey)
    kSkipTriedToday,      // "Last Try" is today already: nothing more today
    kSkipDeniedRecently,  // the user said No within the last five days
    kFetch,               // go on and fetch the information file
};
// Steps 1 to 3 of the daily check: looks at kUpdateDisabledKey, compares and records
// "Last Try", then looks at "Last Deny". "Last Try" is written whenever the check goes past the first step,
// so a server that cannot be reached is tried again the next day, not at every start.
DailyCheckStep BeginDailyCheck(const CalendarDate& today);
// kUpdateDisabledKey is 1: the first step's test, for a caller that would rather not start
// the check's thread at all.
bool UpdateCheckDisabled();
// The user said No today.
void RecordUpdateDenied(const CalendarDate& today);

// The question "New version of Zelvo found..." with the version and build lines.
std::string NewVersionQuestion(const std::string& productName, const UpdateOffer& offer);

// What the daily check needs from its caller: the date, the program's own build, the names
// the texts show, and the things that reach outside: fetchInfo returns the text at an
// address (empty when it cannot be fetched); runDownload shows the download dialog for the
// offer and returns whether the installer was started; ask shows a message (the message
// service's ShowMessage when empty), so a check on a worker thread can have its questions
// asked on the thread that owns the windows.
struct UpdateCheckContext {
    CalendarDate today;
    std::string ownBuild;
    std::string productName;
    std::string companyName;
    std::string productHomePage;
    std::function<std::string(const std::string& address)> fetchInfo;
    std::function<bool(const UpdateOffer& offer)> runDownload;
    std::function<int(const std::string& text, unsigned style)> ask;
};
// Fetches the information file from UpdateInfoAddress() (never from an address
// IsAllowedDownloadAddress refuses) and decides on it as EvaluateUpdateInfo does.
bool FetchUpdateInfo(const UpdateCheckContext& context, UpdateOffer& offer);
// The whole daily check: BeginDailyCheck, FetchUpdateInfo, the question through the message
// service, then the download on Yes, or the "later" notice and "Last Deny" on No. A question
// that was not answered (its window went away) ends the check as if never asked.
// Returns whether the installer was started.
bool CheckForUpdate(const UpdateCheckContext& context);

// After the installer started: the question to leave this program (count 1) or every
// running one (count above 1).
std::string ExitForInstallQuestion(int runningWindows, const std::string& productName);

// ---------------------------------------------------------------------------------------
// The download
// ---------------------------------------------------------------------------------------

// What the download worker tells the dialog.
enum DownloadStatus {
    kDownloadRequesting = 1,
    kDownloadStarted = 2,  // the total size is known
    kDownloadFinished = 4,
    kDownloadCanceled = 5,
    kDownloadMoving = 6,
    kDownloadMoveFailed = 7,
    kDownloadInstalling = 8,
    kDownloadFailed = 9,        // the address could not be opened or the transfer broke off
    kDownloadNotVerified = 10,  // the file's SHA-256 differs from the published one: deleted
};

// The file name part of an address or path: what follows its last '/' or '\\'.
std::string AddressFileName(std::string_view address);
// The save path the dialog starts with: folder and the address's file name.
std::string DefaultSavePath(const std::string& folder, std::string_view address);
// The folder the dialog saves into at first: the first existing one of "D:\download",
// "E:\download", "C:\download"; else "D:\download" when drive D: exists (createIt set);
// else "C:". folderExists is the file system's test.
struct DownloadFolderChoice {
    std::string folder;
    bool createIt = false;
};
DownloadFolderChoice ChooseDownloadFolder(const std::function<bool(const std::string&)>& folderExists);
// A name picked in the Browse dialog gets ".exe" when its last six characters hold no ".".
std::string WithProgramExtension(const std::string& name);
// Where a finished download goes: the save path's folder (defaultFolder when it names
// none) and its name without a trailing ".exe", as "folder\name.exe", or "name(1).exe",
// "name(2).exe"... while a file of that name exists. Empty when no free name is found.
std::string DownloadTargetPath(const std::string& savePath, const std::string& defaultFolder,
                               const std::function<bool(const std::string&)>& fileExists);

// Byte counts as the dialog shows them, with three significant digits: "1023 Bytes",
// "1.50 KB", "20.0 KB", "100 KB", "3.00 MB"...
std::string FormatSize(uint32_t bytes);

// The texts of the dialog while the file arrives.
struct DownloadProgressTexts {
    std::string percent;  // "%d%%"
    std::string speed;    // "#1 KB/Sec"
    std::string status;   // "Downloading... 1.50 KB/3.00 MB"
};
// received and total in bytes (total 0 when the server did not say); elapsed is the time
// since the transfer started, rounded to whole seconds, at least one.
DownloadProgressTexts DownloadProgress(uint32_t received, uint32_t total, int64_t elapsedMilliseconds);
// The speed text for a number of kilobytes per second ("0.0 KB/Sec" at the start).
std::string DownloadSpeedText(double kilobytesPerSecond);
// The status line for a status of the worker; fileName and targetFolder fill the "moving"
// text. Empty for kDownloadStarted, whose texts come from DownloadProgress.
std::string DownloadStatusText(DownloadStatus status, const std::string& fileName,
                               const std::string& targetFolder);

}  // namespace zelvo
