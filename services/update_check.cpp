#include "services/update_check.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/system_language.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(const CalendarDate& date) {
    int64_t year = date.year - (date.month <= 2 ? 1 : 0);
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t monthFromMarch = date.month + (date.month > 2 ? -3 : 9);
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// A date part: decimal digits only, written as "%d" writes the number (no sign, no
// leading zero), so "+5", " 5" and "007" are refused.
bool ReadDatePart(const std::string& text, int& value) {
    if (text.empty() || text.size() > 4) return false;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (std::to_string(number) != text) return false;
    value = number;
    return true;
}

// The value after a key: the rest of the line without leading blanks and "=".
std::string ValueAfter(std::string_view line, size_t keyLength) {
    std::string_view rest = line.substr(keyLength);
    size_t start = rest.find_first_not_of(" =");
    return start == std::string_view::npos ? std::string() : std::string(rest.substr(start));
}

std::string Format(const char* format, int a, int b, int c) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Dates

bool ParseDate(std::string_view input, CalendarDate& out) {
    std::string text;
    for (char c : input)
        if (c != ' ') text += c;
    text = ReplaceAll(text, "--", "-");

    const size_t firstDash = text.find('-');
    if (text.empty() || firstDash == std::string::npos || firstDash < 2) return false;
    const size_t secondDash = text.find('-', firstDash + 1);
    if (secondDash == std::string::npos || text.back() == '-') return false;

    std::string yearText = text.substr(0, firstDash);
    std::string monthText = text.substr(firstDash + 1, secondDash - firstDash - 1);
    std::string dayText = text.substr(secondDash + 1);
    if (yearText.size() == 2) yearText.insert(0, "20");
    if (yearText.size() != 4) return false;
    if (monthText.empty() || monthText.size() > 2 || dayText.empty() || dayText.size() > 2) return false;
    if (monthText.size() == 2 && monthText[0] == '0') monthText.erase(0, 1);
    if (dayText.size() == 2 && dayText[0] == '0') dayText.erase(0, 1);

    CalendarDate date;
    if (!ReadDatePart(yearText, date.year) || !ReadDatePart(monthText, date.month) ||
        !ReadDatePart(dayText, date.day))
        return false;
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month))
        return false;
    out = date;
    return true;
}

std::string FormatStoredDate(const CalendarDate& date) {
    return FormatPromptDate(date.year, date.month, date.day);
}

std::string FormatBuildDate(const CalendarDate& date) {
    return Format("%d-%02d-%02d", date.year, date.month, date.day);
}

int DaysBetween(const CalendarDate& from, const CalendarDate& to) {
    return static_cast<int>(DaysFromCivil(to) - DaysFromCivil(from));
}

CalendarDate DateOfLocalTime(const struct tm& local) {
    return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// ---------------------------------------------------------------------------------------
// Addresses

std::string UpdateServer() {
    std::string server = TrimBlanks(ReadRegString(kUpdateSection, kUpdateServerKey, ""));
    if (server.empty()) server = kMakerWebServer;
    while (!server.empty() && server.back() == '/') server.pop_back();
    return server;
}

std::string UpdateInfoAddress() {
    return UpdateServer() + kUpdateInfoPath;
}

bool IsAllowedDownloadAddress(std::string_view address) {
    bool secure;
    if (StartsWithTextNoCase(address, "https://", 0)) {
        secure = true;
        address.remove_prefix(8);
    } else if (StartsWithTextNoCase(address, "http://", 0)) {
        secure = false;
        address.remove_prefix(7);
    } else {
        return false;
    }
    std::string_view authority = address.substr(0, address.find_first_of("/?#"));
    // Parsers disagree about backslashes, blanks and escapes in the host part; an address
    // holding them is not trusted either way.
    for (char c : authority) {
        if (c == '\\' || c == '%' || static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
    }
    if (size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
    std::string_view host = authority;
    std::string_view port;
    if (!host.empty() && host.front() == '[') {
        size_t close = host.find(']');
        if (close == std::string_view::npos) return false;
        port = host.substr(close + 1);
        host = host.substr(0, close + 1);
    } else if (size_t colon = host.find(':'); colon != std::string_view::npos) {
        port = host.substr(colon);
        host = host.substr(0, colon);
    }
    if (host.empty()) return false;
    if (!port.empty()) {
        if (port.size() < 2 || port.front() != ':') return false;
        for (char c : port.substr(1))
            if (c < '0' || c > '9') return false;
    }
    if (secure) return true;
    return host == "127.0.0.1" || host == "[::1]" || CompareTextNoCase(host, "localhost", 0) == 0;
}

// ---------------------------------------------------------------------------------------
// The information file

UpdateInfo ReadUpdateInfo(std::string_view text) {
    UpdateInfo info;
    std::vector<std::string> lines;
    SplitLines(std::string(text), lines);
    for (const std::string& rawLine : lines) {
        const std::string line = TrimBlanks(rawLine);
        if (line.empty() || line[0] == ';') continue;
        if (StartsWithTextNoCase(line, "Version", 0))
            info.version = ValueAfter(line, 7);
        else if (StartsWithTextNoCase(line, "Build", 0))
            info.build = ValueAfter(line, 5);
        else if (StartsWithTextNoCase(line, "URL", 0))
            info.url = ValueAfter(line, 3);
        else if (StartsWithTextNoCase(line, "SHA256", 0))
            info.sha256 = ValueAfter(line, 6);
    }
    return info;
}

bool IsNewerBuild(const CalendarDate& build, const CalendarDate& own, const CalendarDate& today) {
    return build.year <= today.year + 1 && build > own;
}

bool EvaluateUpdateInfo(std::string_view text, std::string_view ownBuild, const CalendarDate& today,
                        const std::string& productHomePage, UpdateOffer& offer) {
    const UpdateInfo info = ReadUpdateInfo(text);
    CalendarDate build, own;
    if (!ParseDate(info.build, build) || !ParseDate(ownBuild, own)) return false;
    if (!IsNewerBuild(build, own, today)) return false;
    offer.version = info.version;
    offer.build = FormatBuildDate(build);
    // An address that names no program, or that would fetch it in the clear, is replaced by
    // the home page, where the user can find the download.
    const bool usable = EndsWithTextNoCase(info.url, ".exe", 0) && IsAllowedDownloadAddress(info.url);
    offer.url = usable ? info.url : productHomePage;
    offer.sha256 = info.sha256;
    return true;
}

// ---------------------------------------------------------------------------------------
// The daily check

bool UpdateCheckDisabled() {
    return ReadRegInt(kUpdateSection, kUpdateDisabledKey, 0) == 1;
}

DailyCheckStep BeginDailyCheck(const CalendarDate& today) {
    if (UpdateCheckDisabled()) return DailyCheckStep::kSkipDisabled;
    const std::string todayText = FormatStoredDate(today);
    if (ReadRegString(kUpdateSection, kLastTryKey, "") == todayText) return DailyCheckStep::kSkipTriedToday;
    WriteRegString(kUpdateSection, kLastTryKey, todayText);
    CalendarDate denied;
    if (ParseDate(ReadRegString(kUpdateSection, kLastDenyKey, ""), denied)) {
        const int days = DaysBetween(denied, today);
        if (days >= 0 && days <= 5) return DailyCheckStep::kSkipDeniedRecently;
    }
    return DailyCheckStep::kFetch;
}

void RecordUpdateDenied(const CalendarDate& today) {
    WriteRegString(kUpdateSection, kLastDenyKey, FormatStoredDate(today));
}

std::string NewVersionQuestion(const std::string& productName, const UpdateOffer& offer) {
    std::string text = LoadUiString(IDS_DIALOG_LVUD_PROMPT_NEW_BUILD_FOUND, productName);
    if (!offer.version.empty()) text += "\r\n\r\n" + LoadUiString(IDS_DIALOG_LVUD_VERSION, offer.version);
    text += "\r\n" + LoadUiString(IDS_DIALOG_LVUD_BUILD, offer.build);
    return text;
}

bool FetchUpdateInfo(const UpdateCheckContext& context, UpdateOffer& offer) {
    const std::string address = UpdateInfoAddress();
    if (!IsAllowedDownloadAddress(address) || !context.fetchInfo) return false;
    return EvaluateUpdateInfo(context.fetchInfo(address), context.ownBuild, context.today,
                              context.productHomePage, offer);
}

bool CheckForUpdate(const UpdateCheckContext& context) {
    if (BeginDailyCheck(context.today) != DailyCheckStep::kFetch) return false;
    UpdateOffer offer;
    if (!FetchUpdateInfo(context, offer)) return false;
    const auto ask = [&context](const std::string& text, unsigned style) {
        return context.ask ? context.ask(text, style) : ShowMessage(text, "", style);
    };
    const int answer = ask(NewVersionQuestion(context.productName, offer), kMbYesNo);
    if (answer == kIdYes) return context.runDownload && context.runDownload(offer);
    if (answer != kIdNo) return false;
    ask(LoadUiString(IDS_DIALOG_LVUD_ALTERNATE_CHOICE, context.productName, context.companyName),
        kMbOk);
    RecordUpdateDenied(context.today);
    return false;
}

std::string ExitForInstallQuestion(int runningWindows, const std::string& productName) {
    return LoadUiString(runningWindows > 1 ? IDS_DIALOG_ZELVO_PROMPT_EXIT_ALL_FOR_NEW_VERSION_TO_INSTALL
                                           : IDS_DIALOG_ZELVO_PROMPT_EXIT_FOR_NEW_VERSION_TO_INSTALL,
                        productName);
}

// ---------------------------------------------------------------------------------------
// The download

std::string AddressFileName(std::string_view address) {
    const size_t last = address.find_last_of("/\\");
    return std::string(last == std::string_view::npos ? address : address.substr(last + 1));
}

std::string DefaultSavePath(const std::string& folder, std::string_view address) {
    return JoinPath(folder, AddressFileName(address));
}

DownloadFolderChoice ChooseDownloadFolder(const std::function<bool(const std::string&)>& folderExists) {
    for (const char* folder : {"D:\\download", "E:\\download", "C:\\download"})
        if (folderExists(folder)) return {folder, false};
    if (folderExists("D:\\")) return {"D:\\download", true};
    return {"C:", false};
}

std::string WithProgramExtension(const std::string& name) {
    const std::string tail = name.size() > 6 ? name.substr(name.size() - 6) : name;
    return tail.find('.') == std::string::npos ? name + ".exe" : name;
}

std::string DownloadTargetPath(const std::string& savePath, const std::string& defaultFolder,
                               const std::function<bool(const std::string&)>& fileExists) {
    const std::vector<size_t> separators = PathSeparatorPositions(savePath);
    std::string folder = defaultFolder;
    std::string name = savePath;
    if (!separators.empty()) {
        folder = savePath.substr(0, separators.back());
        name = savePath.substr(separators.back() + 1);
        // "C:\setup.exe" keeps the root of its drive.
        if (folder.empty() || folder.back() == ':') folder += kPathSeparator;
    }
    if (EndsWithTextNoCase(name, ".exe", PathCodePage())) name.erase(name.size() - 4);
    if (name.empty()) return {};
    std::string target = JoinPath(folder, name + ".exe");
    // Far more numbered copies than anyone keeps; the bound only stops a file system that
    // claims every name exists.
    for (int n = 1; fileExists(target); ++n) {
        if (n > 9999) return {};
        target = JoinPath(folder, name + "(" + std::to_string(n) + ").exe");
    }
    return target;
}

std::string FormatSize(uint32_t bytes) {
    const uint64_t b = bytes;
    // scaled is at least 100 in every range that uses it, so the point has digits before it.
    auto withPoint = [](uint64_t scaled, int decimals, const char* unit) {
        const std::string digits = std::to_string(scaled);
        const size_t whole = digits.size() - static_cast<size_t>(decimals);
        return digits.substr(0, whole) + "." + digits.substr(whole) + " " + unit;
    };
    if (b < 1024) return std::to_string(b) + " " + LoadUiString(IDS_DIALOG_LVUD_FILE_SIZE_BYTES);
    if (b < 10240) return withPoint((b * 100) >> 10, 2, "KB");
    if (b < 102400) return withPoint((b * 10) >> 10, 1, "KB");
    if (b < 1048576) return std::to_string(b >> 10) + " KB";
    if (b < 10485760) return withPoint((b * 100) >> 20, 2, "MB");
    if (b < 104857600) return withPoint((b * 10) >> 20, 1, "MB");
    return std::to_string(b >> 20) + " MB";
}

std::string DownloadSpeedText(double kilobytesPerSecond) {
    char number[64];
    std::snprintf(number, sizeof number, "%0.1f", kilobytesPerSecond);
    return ReplaceAll(LoadUiString(IDS_DIALOG_LVUD_KB_SEC), "#1", number);
}

DownloadProgressTexts DownloadProgress(uint32_t received, uint32_t total, int64_t elapsedMilliseconds) {
    int64_t seconds = elapsedMilliseconds < 0 ? 0 : (elapsedMilliseconds + 500) / 1000;
    if (seconds == 0) seconds = 1;
    // A server that does not give the length leaves the percentage at 0 rather than
    // dividing by it.
    const uint64_t percent = total == 0 ? 0 : uint64_t(received) * 100 / total;
    DownloadProgressTexts texts;
    texts.percent = std::to_string(percent) + "%";
    texts.speed = DownloadSpeedText(double(received >> 10) / double(seconds));
    texts.status =
        LoadUiString(IDS_DIALOG_LVUD_DOWNLOADING) + " " + FormatSize(received) + "/" + FormatSize(total);
    return texts;
}

std::string DownloadStatusText(DownloadStatus status, const std::string& fileName,
                               const std::string& targetFolder) {
    switch (status) {
        case kDownloadRequesting:
            return LoadUiString(IDS_DIALOG_LVUD_REQUEST_FILE);
        case kDownloadStarted:
            return {};
        case kDownloadFinished:
            return LoadUiString(IDS_DIALOG_LVUD_DOWNLOAD_COMPLETE);
        case kDownloadCanceled:
            return LoadUiString(IDS_DIALOG_LVUD_DOWNLOAD_CANCELED);
        case kDownloadMoving:
            return LoadUiString(IDS_DIALOG_LVUD_MOVE_FILE, fileName, targetFolder);
        case kDownloadMoveFailed:
            return LoadUiString(IDS_DIALOG_LVUD_MOVE_FILE_FAILED);
        case kDownloadInstalling:
            return LoadUiString(IDS_DIALOG_LVUD_START_INSTALLATION);
        case kDownloadFailed:
            return LoadUiString(IDS_DIALOG_LVUD_PROMPT_DOWNLOAD_FAILED);
        case kDownloadNotVerified:
            return LoadUiString(IDS_DIALOG_LVUD_DOWNLOAD_NOT_VERIFIED);
    }
    return {};
}

}  // namespace zelvo
