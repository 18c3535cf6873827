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

std::tm LocalTimeNow() { return LocalTimeOf(std::time(nullptr)); }

}  // namespace zelvo
