#include "services/ui_strings.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <utility>

namespace zelvo {

namespace {

const UiStringRecord kTable[] = {
#include "services/strings/ui_string_table.inc"
};

constexpr size_t kRecordCount = sizeof(kTable) / sizeof(kTable[0]) - 1;
static_assert(kRecordCount == static_cast<size_t>(kUiStringRecordCount),
              "the table and its id header come from different generator runs");

// The update check loads texts on its worker thread while the UI thread may switch language.
std::atomic<int> currentLcid{kLcidEnglish};

std::mutex packReaderMutex;
UiLanguagePackReader packReader;

const UiStringRecord* FindRecord(int id) {
    // The closing record has id 0, so the walk stops there for an unknown id.
    for (const UiStringRecord* record = kTable; record->id != 0; ++record) {
        if (record->id == id) return record;
    }
    return nullptr;
}

const char* ColumnText(const UiStringRecord& record, int column) {
    switch (column) {
        case kUiColumnGbk: return record.gbk;
        case kUiColumnBig5: return record.big5;
        default: return record.english;
    }
}

// "%1" is filled only when the text holds it, "%2" only when the text holds "%1" and "%2",
// "%3" only when it holds all three. The text is scanned once, so an argument that itself
// holds "%2" (a path, a typed search word) is never filled again.
std::string FillArguments(const std::string& text, const std::string& arg1, const std::string& arg2,
                          const std::string& arg3) {
    bool fill1 = text.find("%1") != std::string::npos;
    bool fill2 = fill1 && text.find("%2") != std::string::npos;
    bool fill3 = fill2 && text.find("%3") != std::string::npos;
    if (!fill1) return text;
    std::string out;
    out.reserve(text.size() + arg1.size() + arg2.size() + arg3.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            char digit = text[i + 1];
            if (digit == '1' || (digit == '2' && fill2) || (digit == '3' && fill3)) {
                out += digit == '1' ? arg1 : digit == '2' ? arg2 : arg3;
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string PackText(const UiStringRecord& record) {
    std::optional<std::string> text;
    {
        std::lock_guard<std::mutex> lock(packReaderMutex);
        if (packReader) text = packReader(record.section, record.name);
    }
    if (text) return *text;
    // A pack without the key shows English; its "Info" keys describe the pack itself, so
    // the built-in English values would be wrong there.
    return std::strcmp(record.section, "Info") == 0 ? std::string() : std::string(record.english);
}

int ColumnOfLcid(int lcid) {
    if (lcid == kLcidEnglish) return kUiColumnEnglish;
    if (lcid == kLcidSimplifiedChinese) return kUiColumnGbk;
    if (lcid == kLcidTraditionalChinese) return kUiColumnBig5;
    return 0;
}

}  // namespace

std::span<const UiStringRecord> UiStringTable() { return {kTable, kRecordCount}; }

int UiStringCount() { return static_cast<int>(kRecordCount); }

void SetUiLcid(int lcid) { currentLcid.store(lcid == 0 ? kLcidEnglish : lcid); }

int UiLcid() { return currentLcid.load(); }

void SetUiLanguagePackReader(UiLanguagePackReader reader) {
    std::lock_guard<std::mutex> lock(packReaderMutex);
    packReader = std::move(reader);
}

namespace {

template <typename Values>
std::string FillPlaceholdersFrom(std::string_view text, const Values& values) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        bool filled = false;
        for (const auto& [placeholder, value] : values) {
            if (!placeholder.empty() && text.compare(i, placeholder.size(), placeholder) == 0) {
                out.append(value);
                i += placeholder.size();
                filled = true;
                break;
            }
        }
        if (!filled) out.push_back(text[i++]);
    }
    return out;
}

}  // namespace

std::string FillPlaceholders(std::string_view text,
                             std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    return FillPlaceholdersFrom(text, values);
}

std::string FillPlaceholders(std::string_view text,
                             std::span<const std::pair<std::string, std::string>> values) {
    return FillPlaceholdersFrom(text, values);
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string LoadUiStringColumn(int id, int column, const std::string& arg1, const std::string& arg2,
                               const std::string& arg3) {
    const UiStringRecord* record = FindRecord(id);
    if (!record) return {};
    return FillArguments(ColumnText(*record, column), arg1, arg2, arg3);
}

std::string LoadUiString(int id, const std::string& arg1, const std::string& arg2, const std::string& arg3) {
    int column = ColumnOfLcid(UiLcid());
    if (column != 0) return LoadUiStringColumn(id, column, arg1, arg2, arg3);
    const UiStringRecord* record = FindRecord(id);
    if (!record) return {};
    return FillArguments(PackText(*record), arg1, arg2, arg3);
}

std::vector<std::string> LoadUiStringLines(int id) {
    std::string text = LoadUiString(id);
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    while (true) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

std::string UiStringLine(const std::string& text, int n) {
    size_t start = 0;
    for (int line = 0; line < n; ++line) {
        size_t next = text.find("\r\n", start);
        if (next == std::string::npos) return {};
        start = next + 2;
    }
    size_t end = text.find("\r\n", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace zelvo
