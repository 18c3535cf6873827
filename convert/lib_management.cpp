#include "convert/lib_management.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/ui_strings.h"

namespace zelvo {

std::string ErrorListEntry(const std::string& errorList, int n) {
    const std::string tag = "[Error" + std::to_string(n) + "]";
    size_t start = errorList.find(tag);
    if (start == std::string::npos) return {};
    start += tag.size();
    size_t end = errorList.find("[Error", start);
    return errorList.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool KeepCopyOfFile(const std::string& path, std::string& copyPath) {
    copyPath.clear();
    if (!FileExists(path)) return true;
    // A free name, never an earlier copy: each overwrite keeps its own.
    for (int attempt = 1; attempt <= 999; ++attempt) {
        std::string candidate = path + ".bak" + (attempt == 1 ? std::string() : std::to_string(attempt));
        if (PathExists(candidate)) continue;
        if (!CopyFileBytes(path, candidate, true)) return false;
        copyPath = candidate;
        return true;
    }
    return false;
}

std::string LibEncodingName(bool isBig5) {
    return LoadUiString(isBig5 ? IDS_WDAD_BIG5 : IDS_WDAD_GBK);
}

std::string ReadLibFolder(const std::string& section, const std::string& keyFormat, bool isBig5,
                          const std::string& ctwaFolder) {
    const std::string key = ReplaceAll(keyFormat, "%s", isBig5 ? "Big5" : "GBK");
    return ReadRegString(section, key, JoinPath(ctwaFolder, isBig5 ? "custbig" : "custgb"));
}

void StoreLibFolder(const std::string& section, const std::string& keyFormat, bool isBig5,
                    const std::string& folder) {
    WriteRegString(section, ReplaceAll(keyFormat, "%s", isBig5 ? "Big5" : "GBK"), folder);
}

std::string ReportHeading(int id, int line, int codePage) {
    if (UiLcid() == kLcidEnglish) return UiStringLine(LoadUiStringColumn(id, kUiColumnEnglish), line);
    const int column = codePage == kCodePageBig5 ? kUiColumnBig5 : kUiColumnGbk;
    return UiStringLine(LoadUiStringColumn(id, column), line);
}

std::string WordCountLine(const std::string& word, int count) {
    return "\t" + word + " (" + std::to_string(count) + ")\r\n";
}

WordAdjustments AdjustmentsOfWord(const std::vector<std::string>& before,
                                  const std::vector<std::string>& after, size_t start) {
    WordAdjustments word;
    const size_t items = std::min(before.size(), after.size());
    word.end = start;
    while (word.end < items && before[word.end] == before[start]) ++word.end;
    for (size_t i = start; i < word.end; ++i) {
        if (after[i] == before[i]) {
            ++word.selfItems;
            continue;
        }
        size_t known = 0;
        while (known < word.afters.size() && word.afters[known] != after[i]) ++known;
        if (known == word.afters.size()) {
            word.afters.push_back(after[i]);
            word.counts.push_back(1);
        } else {
            ++word.counts[known];
        }
    }
    return word;
}

}  // namespace zelvo
