// Path text: joining, splitting, trimming and comparing paths as the file system names
// them. Paths are bytes in the system code page; in GBK and Big5 a trail byte can be 0x5C
// ('\\'), so separators are found by walking characters, not bytes.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace zelvo {

namespace {

// Length of the character at i: 2 for a lead byte with a byte after it, else 1.
size_t CharLength(const std::string& path, size_t i, int codePage) {
    return IsLeadByte(static_cast<unsigned char>(path[i]), codePage) && i + 1 < path.size() ? 2 : 1;
}

size_t LastSeparator(const std::string& path) {
    const std::vector<size_t> positions = PathSeparatorPositions(path);
    return positions.empty() ? std::string::npos : positions.back();
}

// "C:" at the start of a path.
bool HasDriveLetter(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The parts of a path for comparing: the kind of root ("" relative, "/" or "//" for one or
// two leading separators), then every name; empty names (doubled or trailing separators)
// and "." are dropped and ".." takes the name before it away.
std::vector<std::string> ComparableParts(const std::string& path) {
    std::vector<std::string> parts;
    size_t leading = 0;
    while (leading < path.size() && IsPathSeparator(path[leading])) ++leading;
    parts.push_back(std::string(std::min<size_t>(leading, 2), '/'));
    size_t start = leading;
    std::vector<size_t> ends = PathSeparatorPositions(path);
    ends.push_back(path.size());
    for (size_t end : ends) {
        if (end < start) continue;
        const std::string name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            // Above a root there is nothing; a relative path keeps its leading "..".
            if (parts.size() > 1 && parts.back() != "..")
                parts.pop_back();
            else if (parts.front().empty())
                parts.push_back(name);
            continue;
        }
        parts.push_back(name);
    }
    return parts;
}

// Names compared with ASCII letters folded; double-byte characters, whose trail bytes may
// look like letters, must match byte for byte.
bool SameName(const std::string& a, const std::string& b, bool ignoreCase) {
    if (!ignoreCase) return a == b;
    if (a.size() != b.size()) return false;
    const int codePage = PathCodePage();
    for (size_t i = 0; i < a.size();) {
        const size_t length = CharLength(a, i, codePage);
        if (length == 2) {
            if (a.compare(i, 2, b, i, 2) != 0) return false;
        } else {
            char x = a[i], y = b[i];
            if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
            if (x != y) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && LastSeparator(path) == path.size() - 1;
}

std::vector<size_t> PathSeparatorPositions(const std::string& path) {
    std::vector<size_t> positions;
    const int codePage = PathCodePage();
    for (size_t i = 0; i < path.size(); i += CharLength(path, i, codePage)) {
        if (IsPathSeparator(path[i])) positions.push_back(i);
    }
    return positions;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    std::string joined = folder;
    if (!EndsWithSeparator(joined)) joined += kPathSeparator;
    size_t start = 0;
    while (start < name.size() && IsPathSeparator(name[start])) ++start;
    joined.append(name, start, std::string::npos);
    return joined;
}

std::string ParentFolder(const std::string& path) {
    size_t last = LastSeparator(path);
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string FileNamePart(const std::string& path) {
    size_t last = LastSeparator(path);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string TrimTrailingSeparators(std::string path) {
    while (path.size() > 1 && EndsWithSeparator(path)) {
        // A root stays whole: "/" and "C:\" name folders, "" and "C:" do not.
        if (path.size() == 3 && HasDriveLetter(path)) break;
        path.pop_back();
    }
    return path;
}

bool CreateFoldersAlong(const std::string& path) {
    bool made = true;
    const std::vector<size_t> separators = PathSeparatorPositions(path);
    for (size_t k = 0; k < separators.size(); ++k) {
        const size_t position = separators[k];
        if (position == 0) continue;                               // "/..." or "\\server"
        if (position == 2 && path[1] == ':') continue;             // "C:\"
        if (k > 0 && separators[k - 1] == position - 1) continue;  // doubled separator
        const std::string prefix = path.substr(0, position);
        if (!FolderExists(prefix) && !CreateFolder(prefix)) made = false;
    }
    return made;
}

bool IsSameOrInsideFolder(const std::string& path, const std::string& folder) {
#ifdef _WIN32
    const bool ignoreCase = true;
#else
    // Windows-style paths (a drive letter or a backslash) name files of a file system that
    // ignores case; native ones do not.
    const auto windowsStyle = [](const std::string& p) {
        return HasDriveLetter(p) || p.find('\\') != std::string::npos;
    };
    const bool ignoreCase = windowsStyle(path) || windowsStyle(folder);
#endif
    const std::vector<std::string> inner = ComparableParts(path);
    const std::vector<std::string> outer = ComparableParts(folder);
    if (outer.size() > inner.size()) return false;
    for (size_t i = 0; i < outer.size(); ++i) {
        if (!SameName(inner[i], outer[i], ignoreCase)) return false;
    }
    return true;
}

namespace {
// Chosen once per process, so two programs writing into one folder try different names.
uint32_t ProcessNameSeed() {
    static const uint32_t seed = [] {
        std::random_device device;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        return device() ^ static_cast<uint32_t>(now) ^
               static_cast<uint32_t>(static_cast<uint64_t>(now) >> 32);
    }();
    return seed;
}
}  // namespace

std::string TemporarySiblingPath(const std::string& path, unsigned attempt) {
    // An odd multiplier walks through every 32-bit value before repeating one.
    const uint32_t value = ProcessNameSeed() + attempt * 0x9E3779B9u;
    char name[32];
    std::snprintf(name, sizeof name, "~zelvo-%08x.tmp", static_cast<unsigned>(value));
    // Everything up to the last separator stays, so "/x" keeps its root folder.
    const size_t last = LastSeparator(path);
    return (last == std::string::npos ? std::string() : path.substr(0, last + 1)) + name;
}

}  // namespace zelvo
