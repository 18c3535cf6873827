#include "platform/file_system.h"

namespace zelvo {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    std::string joined = folder;
    if (!IsSeparator(joined.back())) joined += kPathSeparator;
    size_t start = 0;
    while (start < name.size() && IsSeparator(name[start])) ++start;
    joined.append(name, start, std::string::npos);
    return joined;
}

// Paths are bytes in the system code page; in GBK and Big5 a trail byte can be 0x5C
// ('\\'), so the last separator is found by walking characters, not bytes.
static size_t LastSeparator(const std::string& path) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
#ifdef _WIN32
        if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) {
            ++i;
            continue;
        }
#endif
        if (IsSeparator(static_cast<char>(c))) last = i;
    }
    return last;
}

std::string ParentFolder(const std::string& path) {
    size_t last = LastSeparator(path);
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string FileNamePart(const std::string& path) {
    size_t last = LastSeparator(path);
    return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace zelvo
