// The clock as the core needs it.
#pragma once

#include <ctime>

namespace zelvo {

// The local calendar time of now (or of a given time), for time stamps and dates.
std::tm LocalTimeNow();
std::tm LocalTimeOf(std::time_t time);

}  // namespace zelvo
