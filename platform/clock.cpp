#include "platform/clock.h"

namespace zelvo {

std::tm LocalTimeOf(std::time_t time) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    return local;
}

std::string FormatLocalTime(int64_t time, const char* format) {
    const std::tm local = LocalTimeOf(static_cast<std::time_t>(time));
    char text[64];
    const size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

bool TimeFromLocal(int year, int month, int day, int hour, int minute, int second, int64_t& time) {
    if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
        return false;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const std::time_t result = std::mktime(&local);
    if (result == static_cast<std::time_t>(-1)) return false;
    time = static_cast<int64_t>(result);
    return true;
}

std::tm LocalTimeNow() { return LocalTimeOf(std::time(nullptr)); }

}  // namespace zelvo
