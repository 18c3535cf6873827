#include "app/recent_files.h"

#include <cstdio>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "services/multibyte.h"

namespace zelvo {

namespace {

constexpr const char* kFileSection = "File";
constexpr const char* kMruCountKey = "Maximum MRU Count";

bool ContainsPath(const std::vector<std::string>& list, const std::string& path) {
    for (const std::string& entry : list)
        if (SameRecentPath(entry, path)) return true;
    return false;
}

}  // namespace

std::string RecentFilesSection(EditArea area) {
    return area == EditArea::kDestination ? "File\\MRU Destination" : "File\\MRU Source";
}

bool SameRecentPath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareTextNoCase(a, b, SystemCodePage()) == 0;
}

std::vector<std::string> ReadRecentFiles(EditArea area) {
    const std::string section = RecentFilesSection(area);
    std::vector<std::string> list;
    for (int number = 1; number <= kMaximumRecentFiles; ++number) {
        const std::string path = TrimBlanks(ReadRegString(section, std::to_string(number), ""));
        if (path.empty() || !FileExists(path) || ContainsPath(list, path)) continue;
        list.push_back(path);
    }
    return list;
}

void WriteRecentFiles(EditArea area, const std::vector<std::string>& list) {
    std::vector<std::string> kept;
    for (const std::string& path : list) {
        if (static_cast<int>(kept.size()) == kMaximumRecentFiles) break;
        if (!ContainsPath(kept, path)) kept.push_back(path);
    }
    const std::string section = RecentFilesSection(area);
    for (size_t i = 0; i < kept.size(); ++i) WriteRegString(section, std::to_string(i + 1), kept[i]);
    // The empty value ends the list for readers; past the last value there is nothing to end.
    if (static_cast<int>(kept.size()) < kMaximumRecentFiles)
        WriteRegString(section, std::to_string(kept.size() + 1), "");
}

void AddRecentFile(const std::string& path, EditArea area) {
    if (!FileExists(path)) return;
    std::vector<std::string> list = ReadRecentFiles(area);
    if (!list.empty() && SameRecentPath(list.front(), path)) return;
    list.insert(list.begin(), path);
    WriteRecentFiles(area, list);
}

void RemoveRecentPath(EditArea area, const std::string& path) {
    std::vector<std::string> list = ReadRecentFiles(area);
    std::erase_if(list, [&](const std::string& entry) { return SameRecentPath(entry, path); });
    WriteRecentFiles(area, list);
}

bool RemoveRecentFile(EditArea area, int index) {
    std::vector<std::string> list = ReadRecentFiles(area);
    if (index < 0 || index >= static_cast<int>(list.size())) return false;
    list.erase(list.begin() + index);
    WriteRecentFiles(area, list);
    return true;
}

int MaximumMruCount() {
    const int count = ReadRegInt(kFileSection, kMruCountKey, kDefaultMruCount);
    return (count < 0 || count > kMaximumRecentFiles) ? kMaximumRecentFiles : count;
}

void WriteMaximumMruCount(int count) { WriteRegInt(kFileSection, kMruCountKey, count); }

std::vector<std::string> RecentFilesForMenu(EditArea area) {
    std::vector<std::string> list = ReadRecentFiles(area);
    const size_t shown = static_cast<size_t>(MaximumMruCount());
    if (list.size() > shown) list.resize(shown);
    return list;
}

std::string RecentMenuLabel(int number, const std::string& path) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, number >= 1 && number <= 9 ? "&%d: " : "%d: ", number);
    return prefix + path;
}

}  // namespace zelvo
