#include "transfer/transfer_format.h"

#include <cstdio>

#include "services/ui_strings.h"

namespace zelvo {

std::string FormatShortDuration(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                  static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
    return buffer;
}

std::string FormatLongDuration(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    const long long hours = seconds / 3600;
    const int minutes = static_cast<int>(seconds % 3600 / 60);
    const int secs = static_cast<int>(seconds % 60);
    const std::string hourUnit = LoadUiString(IDS_QXT_UNIT_HOURS);
    const std::string minuteUnit = LoadUiString(IDS_QXT_UNIT_MINUTES);
    const std::string secondUnit = LoadUiString(IDS_QXT_UNIT_SECONDS);
    char buffer[256];
    if (hours > 0) {
        std::snprintf(buffer, sizeof buffer, "%lld %s %d %s %d %s", hours, hourUnit.c_str(), minutes,
                      minuteUnit.c_str(), secs, secondUnit.c_str());
    } else if (minutes > 0) {
        std::snprintf(buffer, sizeof buffer, "%d %s %d %s", minutes, minuteUnit.c_str(), secs, secondUnit.c_str());
    } else {
        std::snprintf(buffer, sizeof buffer, "%d %s", secs, secondUnit.c_str());
    }
    return buffer;
}

int64_t RemainingSeconds(int64_t totalUnits, int64_t doneUnits, int64_t elapsedSeconds) {
    if (totalUnits <= 0 || doneUnits <= 0) return -1;
    if (doneUnits >= totalUnits) return 0;
    return (totalUnits - doneUnits) * elapsedSeconds / doneUnits;
}

std::string FormatSizeText(uint64_t bytes) {
    char buffer[64];
    if (bytes < 1024) {
        std::snprintf(buffer, sizeof buffer, "%llu bytes", static_cast<unsigned long long>(bytes));
        return buffer;
    }
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    std::snprintf(buffer, sizeof buffer, "%.2f %s", value, kUnits[unit]);
    return buffer;
}

}  // namespace zelvo
