#include "services/ui_language.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/system_language.h"
#include "services/ui_strings.h"

namespace zelvo {

const char* const kEnglishUiLanguageName = "English";
// 简体中文 in GBK and 繁體中文 in Big5.
const char* const kSimplifiedChineseUiLanguageName = "Chinese,Simplified (\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4)";
const char* const kTraditionalChineseUiLanguageName = "Chinese,Traditional (\xC1\x63\xC5\xE9\xA4\xA4\xA4\xE5)";

namespace {

bool ListedLcid(const UiLanguageState& app, const std::string& lcid) {
    for (const std::string& listed : app.uiLanguageLcids)
        if (CompareTextNoCase(listed, lcid, 1252) == 0) return true;
    return false;
}

bool ListedName(const UiLanguageState& app, const std::string& name) {
    return std::find(app.uiLanguageNames.begin(), app.uiLanguageNames.end(), name) != app.uiLanguageNames.end();
}

std::string UniqueName(const UiLanguageState& app, const std::string& name) {
    if (!ListedName(app, name)) return name;
    for (int n = 1;; ++n) {
        std::string candidate = name + "(" + std::to_string(n) + ")";
        if (!ListedName(app, candidate)) return candidate;
    }
}

std::string LastFour(const std::string& text) { return text.size() <= 4 ? text : text.substr(text.size() - 4); }

void AddPack(UiLanguageState& app, const std::string& file) {
    SettingsFile pack;
    pack.Load(file);
    std::string name;
    std::string lcidText;
    pack.GetString("Info", "Shell_Language", "", name);
    pack.GetString("Info", "Shell_LCID", "", lcidText);
    std::string lcid = ToUpperText(LastFour(TrimBlanks(lcidText)), 1252);
    if (ParseHex(lcid) < 1) return;
    if (ListedLcid(app, lcid)) return;
    // A pack without a name would be an empty, unclickable menu item; its file name
    // tells the user which pack it is.
    if (name.empty()) {
        name = FileNamePart(file);
        name.resize(name.size() - 4);
    }
    app.uiLanguageNames.push_back(UniqueName(app, name));
    app.uiLanguageLcids.push_back(lcid);
    app.uiLanguagePackFiles.push_back(file);
}

// Sorts every entry but the first by name, moving the three lists together.
void SortAfterFirst(UiLanguageState& app) {
    size_t count = app.uiLanguageNames.size();
    if (count < 3) return;
    std::vector<size_t> order(count - 1);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return CompareText(app.uiLanguageNames[a], app.uiLanguageNames[b]) < 0;
    });
    auto reorder = [&](std::vector<std::string>& list) {
        std::vector<std::string> sorted{list[0]};
        for (size_t index : order) sorted.push_back(std::move(list[index]));
        list = std::move(sorted);
    };
    reorder(app.uiLanguageNames);
    reorder(app.uiLanguageLcids);
    reorder(app.uiLanguagePackFiles);
}

void SetLanguage(UiLanguageState& app, int lcid, const std::string& packFile) {
    app.uiLcid = lcid == 0 ? kLcidEnglish : lcid;
    app.uiCharset = CharsetOfLanguage(app.uiLcid);
    app.uiLanguagePackFile = packFile;
    UseLanguagePack(packFile);
    SetUiLcid(app.uiLcid);
}

}  // namespace

std::string LanguageFolderOf(const std::string& appFolder) { return JoinPath(appFolder, "Language"); }

void BuildUiLanguageList(UiLanguageState& app, const std::string& languageFolder) {
    app.uiLanguageNames = {kEnglishUiLanguageName, kSimplifiedChineseUiLanguageName,
                           kTraditionalChineseUiLanguageName};
    app.uiLanguageLcids = {"0409", "0804", "0404"};
    app.uiLanguagePackFiles = {"", "", ""};

    std::vector<FolderEntry> entries;
    if (FolderExists(languageFolder) && ListFolder(languageFolder, entries)) {
        // Which of two packs with one LCID wins must not depend on the file system's order.
        std::sort(entries.begin(), entries.end(),
                  [](const FolderEntry& a, const FolderEntry& b) { return CompareText(a.name, b.name) < 0; });
        for (const FolderEntry& entry : entries) {
            if (entry.isFolder || !EndsWithTextNoCase(entry.name, ".ini", 1252)) continue;
            std::string file = JoinPath(languageFolder, entry.name);
            if (FileExists(file)) AddPack(app, file);
        }
    }
    SortAfterFirst(app);
}

void ChooseStartUiLanguage(UiLanguageState& app, int userLanguageId) {
    int stored = ReadRegInt("Shell", "LCID", userLanguageId);
    if (stored == 0) stored = kLcidEnglish;
    std::string wanted = ToHex(static_cast<unsigned>(stored), 4);
    for (size_t i = 0; i < app.uiLanguageLcids.size(); ++i) {
        if (CompareTextNoCase(app.uiLanguageLcids[i], wanted, 1252) != 0) continue;
        SetLanguage(app, stored, app.uiLanguagePackFiles[i]);
        return;
    }
    SetLanguage(app, kLcidEnglish, "");
}

void ChooseUiLanguage(UiLanguageState& app, const std::string& appFolder, int userLanguageId) {
    BuildUiLanguageList(app, LanguageFolderOf(appFolder));
    ChooseStartUiLanguage(app, userLanguageId);
}

bool SwitchUiLanguage(UiLanguageState& app, const std::string& displayName, int userLanguageId) {
    auto found = std::find(app.uiLanguageNames.begin(), app.uiLanguageNames.end(), displayName);
    if (found == app.uiLanguageNames.end()) return false;
    size_t index = static_cast<size_t>(found - app.uiLanguageNames.begin());
    if (index >= app.uiLanguageLcids.size() || index >= app.uiLanguagePackFiles.size()) return false;
    int lcid = static_cast<int>(ParseHex(app.uiLanguageLcids[index]));
    if (lcid == app.uiLcid) return false;
    SetLanguage(app, lcid, app.uiLanguagePackFiles[index]);
    app.productName = LoadUiString(IDS_QXT_PRODUCT);
    app.companyName = LoadUiString(IDS_QXT_COMPANY);
    WriteRegInt("Shell", "LCID", app.uiLcid);
    app.userLanguageIsUiLanguage = UserLanguageIsUiLanguage(userLanguageId, app.uiLcid);
    return true;
}

void UseLanguagePack(const std::string& packFile) {
    if (packFile.empty()) {
        SetUiLanguagePackReader(nullptr);
        return;
    }
    // Read afresh for each text, as the one-shot settings reader does: a pack is small and
    // texts are loaded when a window opens, not in loops.
    SetUiLanguagePackReader([packFile](const std::string& section,
                                       const std::string& name) -> std::optional<std::string> {
        SettingsFile pack;
        pack.Load(packFile);
        std::string text;
        if (!pack.GetString(section, name, "", text)) return std::nullopt;
        return text;
    });
}

int NameCodePageOfUiLanguage(const std::string& lcidText) {
    const int charset = CharsetOfLanguage(static_cast<int>(ParseHex(lcidText)));
    if (charset == kCharsetGb2312) return 936;
    if (charset == kCharsetBig5) return 950;
    return 1252;
}

}  // namespace zelvo
