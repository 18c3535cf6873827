#include "convert/word_adjustment_lib.h"

#include <algorithm>
#include <numeric>

#include "platform/file_system.h"
#include "platform/shortcut.h"
#include "platform/system_info.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

const char kLineEnd[] = "\r\n";
const char kTitleTag[] = "[T]";

const char* DirectionKey(bool isG2B) {
    return isG2B ? "G2B" : "B2G";
}

// Windows paths compare without regard to case; POSIX ones exactly.
bool PathsIgnoreCase() {
    return kPathSeparator == '\\';
}

std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && EndsWithSeparator(folder)) folder.pop_back();
    return folder;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           CompareTextNoCase(std::string_view(text).substr(text.size() - tail.size()), tail, 0) == 0;
}

// The file a lib path stands for: trimmed, and a shortcut replaced by its target, so
// that reading and writing reach the same file (writing to the .lnk itself would
// destroy the shortcut).
std::string ResolveLibPath(const std::string& path) {
    std::string trimmed = TrimBlanks(path);
    if (EndsWithNoCase(trimmed, ".lnk")) {
        std::string target = ResolveShortcut(trimmed);
        if (!target.empty()) return target;
    }
    return trimmed;
}

// The title line holds "[T]" at byte 1, 2 or 3, right after the semicolon or after one
// or two blanks.
bool ParseTitleLine(const std::string& line, int codePage, std::string& title) {
    if (line.empty() || line[0] != ';') return false;
    size_t at = FindText(line, kTitleTag, 1, codePage);
    if (at == std::string::npos || at > 3) return false;
    title = TrimBlanks(std::string_view(line).substr(at + 3));
    return true;
}

}  // namespace

int LibCodePage(bool isG2B) {
    return isG2B ? kCodePageBig5 : kCodePageGbk;
}

bool SameLibPath(const std::string& a, const std::string& b) {
    const std::string left = TrimBlanks(a), right = TrimBlanks(b);
    if (PathsIgnoreCase()) return CompareTextNoCase(left, right, SystemCodePage()) == 0;
    return left == right;
}

bool ParseLibItemLine(const std::string& line, int codePage, std::string& before, std::string& after) {
    if (!line.empty() && line[0] == ';') return false;
    size_t comma = FindText(line, ",", 0, codePage);
    if (comma == std::string::npos || comma < 2 || comma + 1 == line.size()) return false;
    before = TrimBlanks(std::string_view(line).substr(0, comma));
    if (before.empty()) return false;
    after = TrimBlanks(std::string_view(line).substr(comma + 1));
    return true;
}

void SortLibItems(std::vector<std::string>& before, std::vector<std::string>& after) {
    // Ascending byte order with equal words in their first order: the same result as
    // inserting each item after the last element not greater than it, without the
    // quadratic cost on large libs.
    std::vector<size_t> order(before.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return CompareText(before[a], before[b]) < 0; });
    std::vector<std::string> sortedBefore, sortedAfter;
    sortedBefore.reserve(order.size());
    sortedAfter.reserve(order.size());
    for (size_t index : order) {
        sortedBefore.push_back(std::move(before[index]));
        sortedAfter.push_back(std::move(after[index]));
    }
    before = std::move(sortedBefore);
    after = std::move(sortedAfter);
}

size_t InsertLibItem(WordAdjustmentLib& lib, std::string before, std::string after) {
    auto at = std::upper_bound(
        lib.wordsBefore.begin(), lib.wordsBefore.end(), before,
        [](const std::string& word, const std::string& element) { return CompareText(word, element) < 0; });
    const size_t index = static_cast<size_t>(at - lib.wordsBefore.begin());
    lib.wordsBefore.insert(at, std::move(before));
    lib.wordsAfter.insert(lib.wordsAfter.begin() + static_cast<std::ptrdiff_t>(index), std::move(after));
    return index;
}

namespace {

void StoreLibSettings(SettingsFile& settings, const WordAdjustmentLib& lib, const std::string& section,
                      const LibFolders& folders) {
    if (!lib.isSystem) settings.SetString(section, "Path", StoredLibPath(lib.path, folders.ctwaFolder));
    settings.SetBool(section, "Apply", lib.apply);
}

std::unique_ptr<WordAdjustmentLib> MakeSystemLib(int kind, bool isG2B, int titleId, int descriptionId,
                                                 const std::string& path) {
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->kind = kind;
    lib->isSystem = true;
    lib->isG2B = isG2B;
    lib->apply = true;
    lib->title = LoadUiString(titleId);
    lib->description = LoadUiString(descriptionId);
    lib->path = path;
    return lib;
}

}  // namespace

std::string LibKindName(int kind) {
    switch (kind) {
        case 1:
            return "base lib (gbk)";
        case 2:
            return "base lib (big5)";
        case 3:
            return "phrase difference adjustment foundation lib (gbk)";
        case 4:
            return "phrase difference adjustment foundation lib (big5)";
        case 5:
            return "final fix lib (gbk)";
        case 6:
            return "final fix lib (big5)";
        default:
            return {};
    }
}

int CountAppliedItems(const WordAdjustmentLibList& list) {
    int total = 0;
    for (const auto& lib : list)
        if (lib && lib->apply) total += static_cast<int>(lib->wordsBefore.size());
    return total;
}

std::string LibSettingsPath(const LibFolders& folders, bool isG2B) {
    return JoinPath(folders.configFolder, isG2B ? "wag2b.ini" : "wab2g.ini");
}

std::string StoredLibPath(const std::string& path, const std::string& ctwaFolder) {
    const std::string folder = WithoutTrailingSeparators(ctwaFolder);
    if (folder.empty() || path.size() < folder.size()) return path;
    const int codePage = SystemCodePage();
    std::string_view head = std::string_view(path).substr(0, folder.size());
    bool same = PathsIgnoreCase() ? CompareTextNoCase(head, folder, codePage) == 0 : head == folder;
    // Only the whole folder counts: "ctwa2" is not inside "ctwa".
    if (!same || !IsCharBoundary(path, folder.size(), codePage)) return path;
    if (path.size() > folder.size() && !IsPathSeparator(path[folder.size()])) return path;
    return kCtwaFolderToken + path.substr(folder.size());
}

std::string ExpandLibPath(const std::string& storedPath, const std::string& ctwaFolder) {
    return ReplaceText(storedPath, kCtwaFolderToken, WithoutTrailingSeparators(ctwaFolder), SystemCodePage());
}

bool ReadLibFile(WordAdjustmentLib& lib, bool isG2B, bool loadAllItems) {
    lib.wordsBefore.clear();
    lib.wordsAfter.clear();
    const std::string path = ResolveLibPath(lib.path);
    if (!FileExists(path)) {
        lib.itemsLoaded = true;  // nothing on disk that a later write could lose
        return false;
    }
    std::string text;
    if (!ReadFileBytes(path, text)) {
        lib.itemsLoaded = false;
        return false;
    }
    // The text ends at the first zero byte. What follows it was not read, so such a file
    // is never written back.
    size_t zero = text.find('\0');
    bool wholeText = zero == std::string::npos;
    if (!wholeText) text.resize(zero);

    const int codePage = LibCodePage(isG2B);
    std::vector<std::string> lines;
    SplitLines(text, lines);

    size_t next = 0;
    if (!lib.isSystem) {
        lib.title.clear();
        if (!lines.empty() && ParseTitleLine(lines[0], codePage, lib.title)) next = 1;
        std::string description;
        for (; next < lines.size() && !lines[next].empty() && lines[next][0] == ';'; ++next) {
            description += lines[next].substr(1);
            description += kLineEnd;
        }
        lib.description = TrimBlanks(description);
    }

    const bool readItems = lib.apply || loadAllItems;
    if (readItems) {
        std::vector<std::string> before, after;
        std::string wordBefore, wordAfter;
        for (size_t i = next; i < lines.size(); ++i) {
            if (!ParseLibItemLine(lines[i], codePage, wordBefore, wordAfter)) continue;
            before.push_back(std::move(wordBefore));
            after.push_back(std::move(wordAfter));
        }
        SortLibItems(before, after);
        lib.wordsBefore = std::move(before);
        lib.wordsAfter = std::move(after);
    }
    lib.itemsLoaded = readItems && wholeText;

    FileTimes times;
    if (GetFileTimes(path, times)) lib.fileTime = times.modified;
    return true;
}

bool LoadLib(WordAdjustmentLib& lib, const SettingsFile* settings, const std::string& settingsSection,
             bool isG2B, bool loadAllItems, const LibFolders& folders) {
    if (!lib.isSystem && settings && !settingsSection.empty()) {
        std::string storedPath;
        settings->GetString(settingsSection, "Path", "", storedPath);
        lib.path = ExpandLibPath(storedPath, folders.ctwaFolder);
        settings->GetBool(settingsSection, "Apply", false, lib.apply);
    }
    return ReadLibFile(lib, isG2B, loadAllItems);
}

void LoadLibList(WordAdjustmentLibList& list, bool isG2B, bool loadAllItems, const LibFolders& folders) {
    list.clear();
    const std::string direction = DirectionKey(isG2B);
    auto systemPath = [&](const char* name) { return JoinPath(folders.ctwaFolder, name); };

    // A missing system lib file leaves the lib in the list with no items.
    auto base =
        MakeSystemLib(isG2B ? 2 : 1, isG2B, isG2B ? IDS_WDAD_BASE_LIB_G2B_TITLE : IDS_WDAD_BASE_LIB_B2G_TITLE,
                      isG2B ? IDS_WDAD_BASE_LIB_G2B_DESCRIPTION : IDS_WDAD_BASE_LIB_B2G_DESCRIPTION,
                      systemPath(isG2B ? "basebig.txt" : "basegb.txt"));
    LoadLib(*base, nullptr, {}, isG2B, loadAllItems, folders);
    list.push_back(std::move(base));

    auto phrase =
        MakeSystemLib(isG2B ? 4 : 3, isG2B, isG2B ? IDS_WDAD_PDAF_LIB_G2B_TITLE : IDS_WDAD_PDAF_LIB_B2G_TITLE,
                      isG2B ? IDS_WDAD_PDAF_LIB_G2B_DESCRIPTION : IDS_WDAD_PDAF_LIB_B2G_DESCRIPTION,
                      systemPath(isG2B ? "pdafbig.txt" : "pdafgb.txt"));
    bool finalFixApply = true;

    const std::string settingsPath = LibSettingsPath(folders, isG2B);
    std::string probe;
    if (FileExists(settingsPath) && ReadFileHead(settingsPath, 1, probe)) {
        SettingsFile settings;
        settings.Load(settingsPath);
        int count = 0;
        const std::string phraseSection = "PDAF_" + direction;
        if (settings.FindSection(phraseSection, count) >= 0)
            settings.GetBool(phraseSection, "Apply", true, phrase->apply);
        LoadLib(*phrase, nullptr, {}, isG2B, loadAllItems, folders);
        list.push_back(std::move(phrase));

        const std::string finalFixSection = "FinalFix_" + direction;
        if (settings.FindSection(finalFixSection, count) >= 0)
            settings.GetBool(finalFixSection, "Apply", true, finalFixApply);

        // Numbered from 1 without gaps; the first missing number ends the list.
        for (int number = 1; number <= kMaxCustomLibs; ++number) {
            const std::string section = "CUSLIB_" + direction + std::to_string(number);
            if (settings.FindSection(section, count) < 0) break;
            auto custom = std::make_unique<WordAdjustmentLib>();
            custom->isG2B = isG2B;
            if (LoadLib(*custom, &settings, section, isG2B, loadAllItems, folders))
                list.push_back(std::move(custom));
        }
    } else {
        LoadLib(*phrase, nullptr, {}, isG2B, loadAllItems, folders);
        list.push_back(std::move(phrase));

        // Without settings every text file of the direction's custom folder is offered,
        // none applied. Entries are taken in name order so the choice of the first 40 does
        // not depend on the file system.
        const std::string customFolder = JoinPath(folders.ctwaFolder, isG2B ? "custbig" : "custgb");
        std::vector<FolderEntry> entries;
        ListFolder(customFolder, entries);
        entries.erase(
            std::remove_if(entries.begin(), entries.end(),
                           [](const FolderEntry& entry) { return !EndsWithNoCase(entry.name, ".txt"); }),
            entries.end());
        std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
            return CompareTextNoCase(a.name, b.name, SystemCodePage()) < 0;
        });
        if (entries.size() > static_cast<size_t>(kMaxCustomLibs)) entries.resize(kMaxCustomLibs);
        for (const FolderEntry& entry : entries) {
            std::string path = JoinPath(customFolder, entry.name);
            if (entry.isFolder || !FileExists(path)) continue;
            auto custom = std::make_unique<WordAdjustmentLib>();
            custom->isG2B = isG2B;
            custom->apply = false;
            custom->path = path;
            if (ReadLibFile(*custom, isG2B, loadAllItems)) list.push_back(std::move(custom));
        }
    }

    auto finalFix = MakeSystemLib(
        isG2B ? 6 : 5, isG2B, isG2B ? IDS_WDAD_FINAL_FIX_LIB_G2B_TITLE : IDS_WDAD_FINAL_FIX_LIB_B2G_TITLE,
        isG2B ? IDS_WDAD_FINAL_FIX_LIB_G2B_DESCRIPTION : IDS_WDAD_FINAL_FIX_LIB_B2G_DESCRIPTION,
        systemPath(isG2B ? "ffbig.txt" : "ffgb.txt"));
    finalFix->apply = finalFixApply;
    LoadLib(*finalFix, nullptr, {}, isG2B, loadAllItems, folders);
    list.push_back(std::move(finalFix));
}

std::string LibFileText(const WordAdjustmentLib& lib) {
    std::string text;
    if (lib.isSystem) {
        text += ';';
        text += LibKindName(lib.kind);
        text += kLineEnd;
    } else {
        // A line break in the title would push its rest into the description.
        std::string title = lib.title;
        std::replace(title.begin(), title.end(), '\r', ' ');
        std::replace(title.begin(), title.end(), '\n', ' ');
        text += ";[T]";
        text += title;
        text += kLineEnd;
        std::vector<std::string> lines;
        SplitLines(lib.description, lines);
        for (const std::string& line : lines) {
            text += ';';
            text += line;
            text += kLineEnd;
        }
    }
    size_t items = std::min(lib.wordsBefore.size(), lib.wordsAfter.size());
    for (size_t i = 0; i < items; ++i) {
        text += lib.wordsBefore[i];
        text += ',';
        text += lib.wordsAfter[i];
        text += kLineEnd;
    }
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

bool WriteLibFile(WordAdjustmentLib& lib, bool isG2B, bool writeAllFiles) {
    if (!lib.apply && !writeAllFiles) return true;
    if (!lib.itemsLoaded) return true;  // its items are not in memory: the file stays as it is
    const std::string path = ResolveLibPath(lib.path);
    // Through a temporary file: a failure part way leaves the old lib whole.
    if (!ReplaceFileBytes(path, LibFileText(lib))) {
        ShowFileWriteFailure(path);
        return false;
    }
    FileTimes times;
    if (GetFileTimes(path, times)) lib.fileTime = times.modified;
    return true;
}

bool SaveLib(WordAdjustmentLib& lib, const std::string& settingsSection, bool isG2B, bool writeAllFiles,
             const LibFolders& folders) {
    bool settingsSaved = true;
    if (!settingsSection.empty()) {
        const std::string settingsPath = LibSettingsPath(folders, isG2B);
        SettingsFile settings;
        settings.Load(settingsPath);
        StoreLibSettings(settings, lib, settingsSection, folders);
        settingsSaved = settings.Save(settingsPath);
    }
    bool written = WriteLibFile(lib, isG2B, writeAllFiles);
    return settingsSaved && written;
}

bool SaveLibList(WordAdjustmentLibList& list, bool isG2B, bool writeAllFiles, const LibFolders& folders) {
    // Base, phrase difference lib and final fix lib are always there; anything shorter
    // is not a lib list and would store the wrong sections.
    if (list.size() < 3) return false;
    const std::string direction = DirectionKey(isG2B);

    // The settings are built anew in one file and saved once, so a settings file that
    // cannot be written is reported once, not once per lib.
    SettingsFile settings;
    StoreLibSettings(settings, *list[1], "PDAF_" + direction, folders);
    StoreLibSettings(settings, *list.back(), "FinalFix_" + direction, folders);
    for (size_t i = 2; i + 1 < list.size(); ++i)
        StoreLibSettings(settings, *list[i], "CUSLIB_" + direction + std::to_string(i - 1), folders);
    bool ok = settings.Save(LibSettingsPath(folders, isG2B));

    // Every lib is written even when an earlier one failed.
    ok = WriteLibFile(*list[0], isG2B, writeAllFiles) && ok;
    ok = WriteLibFile(*list[1], isG2B, writeAllFiles) && ok;
    ok = WriteLibFile(*list.back(), isG2B, writeAllFiles) && ok;
    for (size_t i = 2; i + 1 < list.size(); ++i) ok = WriteLibFile(*list[i], isG2B, writeAllFiles) && ok;
    return ok;
}

}  // namespace zelvo
