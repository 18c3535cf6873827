#include "platform/shortcut.h"

namespace zelvo {

// POSIX systems have no shell shortcuts; callers then use the path as it is.
std::string ResolveShortcut(const std::string&) {
    return {};
}

}  // namespace zelvo
