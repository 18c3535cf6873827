// The clock as the core needs it.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace zelvo {

// The local calendar time of now (or of a given time), for time stamps and dates.
std::tm LocalTimeNow();
std::tm LocalTimeOf(std::time_t time);

// A time (seconds since 1970 UTC) as local time in a strftime format.
std::string FormatLocalTime(int64_t time, const char* format);
// The seconds since 1970 UTC of a local calendar time (daylight saving found by the
// system); false when the fields are out of range.
bool TimeFromLocal(int year, int month, int day, int hour, int minute, int second, int64_t& time);

}  // namespace zelvo
