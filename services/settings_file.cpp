#include "services/settings_file.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

const std::string kBlockTag = " = {{Block}}";
const std::string kBlockStart = "<B Start>";
const std::string kBlockEnd = "<B End>";
const std::string kLineEnd = "\r\n";

// A line break inside a section or key name would break the file's line structure, so
// CR LF becomes four spaces (as stored files already have it) and a stray CR or LF one.
std::string FlattenName(const std::string& name, int codePage) {
    std::string flat = ReplaceText(name, "\r\n", "    ", codePage);
    for (char& c : flat)
        if (c == '\r' || c == '\n') c = ' ';
    return flat;
}

bool IsSectionHeader(const std::string& line, int codePage) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    if (!IsCharBoundary(line, line.size() - 1, codePage)) return false;  // "]" as a trail byte
    return FindText(line, "=", 0, codePage) == std::string::npos;
}

// Built by appending: "[" + name trips a false -Wrestrict warning of GCC 12.
std::string HeaderOf(const std::string& name) {
    std::string header(1, '[');
    header += name;
    header += ']';
    return header;
}

bool IsComment(const std::string& line) {
    return !line.empty() && line.front() == ';';
}
bool IsBlank(const std::string& line) {
    return TrimBlanks(line).empty();
}

bool EndsWithBlockTag(const std::string& line, int codePage) {
    return line.size() >= kBlockTag.size() &&
           line.compare(line.size() - kBlockTag.size(), kBlockTag.size(), kBlockTag) == 0 &&
           IsCharBoundary(line, line.size() - kBlockTag.size(), codePage);
}

std::string EscapeBlockText(const std::string& text, int codePage) {
    return ReplaceText(ReplaceText(text, "<", "<<", codePage), ">", ">>", codePage);
}

std::string UnescapeBlockText(const std::string& text, int codePage) {
    return ReplaceText(ReplaceText(text, "<<", "<", codePage), ">>", ">", codePage);
}

// atoi / atol: leading white space, an optional sign, digits; anything else gives 0.
long ParseLong(const std::string& value) {
    return std::strtol(value.c_str(), nullptr, 10);
}

}  // namespace

void ShowFileWriteFailure(const std::string& path) {
    MessageRequest request;
    request.text = LoadUiString(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, path);
    request.style = kMbOk;
    ShowMessage(request);
}

int SplitLines(const std::string& text, std::vector<std::string>& out) {
    out.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t cut = text.find(kLineEnd, start);
        if (cut == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, cut - start));
        start = cut + kLineEnd.size();
    }
    return static_cast<int>(out.size());
}

bool SettingsFile::Load(const std::string& path) {
    lines_.clear();
    const int codePage = SystemCodePage();
    std::string data;
    if (FileExists(path)) ReadFileBytes(path, data);

    bool inBlock = false;
    bool firstBlockLine = false;
    size_t keyPartLength = 0;  // key and " = " at the start of the accumulator
    std::string accumulator;
    auto finishBlock = [&] {
        lines_.push_back(accumulator.substr(0, keyPartLength) +
                         UnescapeBlockText(accumulator.substr(keyPartLength), codePage));
        accumulator.clear();
        inBlock = false;
    };

    // Physical lines end at LF, with the CR of a CR LF dropped, as a text-mode read gives
    // them. A line is kept whole however long it is: a settings file must not lose data.
    size_t pos = 0;
    while (pos < data.size()) {
        size_t feed = data.find('\n', pos);
        size_t end = feed == std::string::npos ? data.size() : feed;
        std::string line = data.substr(pos, end - pos);
        if (feed != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
        pos = feed == std::string::npos ? data.size() : feed + 1;

        if (!inBlock) {
            if (EndsWithBlockTag(line, codePage)) {
                if (line.size() == kBlockTag.size()) continue;  // a block without a key
                keyPartLength = line.size() - kBlockTag.size() + 3;
                accumulator = line.substr(0, keyPartLength);
                inBlock = true;
                firstBlockLine = true;
            } else {
                lines_.push_back(std::move(line));
            }
            continue;
        }
        if (line == kBlockStart) continue;
        if (line == kBlockEnd) {
            finishBlock();
            continue;
        }
        if (firstBlockLine)
            firstBlockLine = false;
        else
            accumulator += kLineEnd;
        accumulator += line;
    }
    if (inBlock) finishBlock();
    Normalize();
    return true;
}

void SettingsFile::Normalize() {
    const int codePage = SystemCodePage();
    std::vector<std::string> result;
    result.reserve(lines_.size() + 8);
    for (const std::string& entry : lines_) {
        std::string trimmed = TrimBlanks(entry);
        if (trimmed.empty()) continue;
        if (IsSectionHeader(trimmed, codePage) && !result.empty()) result.emplace_back();
        result.push_back(std::move(trimmed));
    }
    // A group of comments at the end is set off by one blank line, so new keys of the
    // last section go above it rather than among the comments.
    if (result.size() >= 2) {
        size_t last = result.size() - 1;
        size_t i = last;
        while (i > 0 && IsComment(result[i])) --i;
        if (i > 0 && i < last && !IsBlank(result[i + 1]))
            result.insert(result.begin() + i + 1, std::string());
    }
    lines_ = std::move(result);
}

bool SettingsFile::PrepareFile(const std::string& path) {
    // A folder that cannot be made shows as a problem when the file itself is checked.
    CreateFoldersAlong(path);
    bool writable = false;
    if (FolderExists(path)) {
        writable = false;
    } else if (FileExists(path)) {
        // Opened for update without truncation: the old content stays until the new one
        // is complete.
        if (FILE* file = std::fopen(path.c_str(), "r+b")) {
            std::fclose(file);
            writable = true;
        }
    } else {
        std::string folder = ParentFolder(path);
        writable = folder.empty() || FolderExists(folder);
    }
    if (!writable) ShowFileWriteFailure(path);
    return writable;
}

std::string SettingsFile::BuildText() const {
    const int codePage = SystemCodePage();
    const std::string separator = Separator();
    std::string text;
    for (const std::string& entry : lines_) {
        std::string line = TrimBlanks(entry);
        // A value with a line break, or one that would itself read as a block header, is
        // written as a block so that the lines after it keep their meaning.
        bool needsBlock = line.find('\n') != std::string::npos || EndsWithBlockTag(line, codePage);
        size_t separatorAt = needsBlock ? FindText(line, separator, 0, codePage) : std::string::npos;
        if (!needsBlock || separatorAt == std::string::npos) {
            if (needsBlock && line.find('\n') != std::string::npos) continue;  // a value without a key
            text += line + kLineEnd;
            continue;
        }
        text += line.substr(0, separatorAt) + kBlockTag + kLineEnd;
        text += kBlockStart + kLineEnd;
        std::vector<std::string> pieces;
        SplitLines(EscapeBlockText(line.substr(separatorAt + separator.size()), codePage), pieces);
        for (const std::string& piece : pieces) text += piece + kLineEnd;
        text += kBlockEnd + kLineEnd;
    }
    return text;
}

bool SettingsFile::Save(const std::string& path) {
    Normalize();
    if (!PrepareFile(path)) return false;
    // Written through a temporary file, so a failure part way leaves the old file whole.
    if (!ReplaceFileBytes(path, BuildText())) {
        ShowFileWriteFailure(path);
        return false;
    }
    return true;
}

int SettingsFile::FindSection(const std::string& name, int& count) const {
    const int codePage = SystemCodePage();
    count = 0;
    const std::string header = HeaderOf(TrimBlanks(FlattenName(name, codePage)));
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i] != header) continue;
        for (size_t j = i + 1; j < lines_.size(); ++j) {
            std::string trimmed = TrimBlanks(lines_[j]);
            if (trimmed.empty() || IsSectionHeader(trimmed, codePage)) break;
            ++count;
        }
        return static_cast<int>(i);
    }
    return -1;
}

int SettingsFile::EnsureSection(const std::string& name, int& count) {
    const int codePage = SystemCodePage();
    count = 0;
    const std::string flat = TrimBlanks(FlattenName(name, codePage));
    if (FindText(flat, "=", 0, codePage) != std::string::npos) return -1;
    int index = FindSection(flat, count);
    if (index >= 0) return index;
    if (!lines_.empty() && !IsBlank(lines_.back())) lines_.emplace_back();
    lines_.push_back(HeaderOf(flat));
    return static_cast<int>(lines_.size() - 1);
}

int SettingsFile::FindKey(int start, const std::string& key, std::string& value) const {
    const int codePage = SystemCodePage();
    value.clear();
    const std::string prefix = FlattenName(key, codePage) + Separator();
    // Lines are trimmed when loaded and saved, so "Key = " with an empty value is
    // stored as "Key ="; it still holds the key.
    const std::string bare = prefix.substr(0, prefix.find_last_not_of(' ') + 1);
    for (size_t i = start < 0 ? 0 : static_cast<size_t>(start); i < lines_.size(); ++i) {
        const std::string& entry = lines_[i];
        if (IsSectionHeader(TrimBlanks(entry), codePage)) break;
        if (entry.compare(0, prefix.size(), prefix) == 0 && IsCharBoundary(entry, prefix.size(), codePage)) {
            value = entry.substr(prefix.size());
            return static_cast<int>(i);
        }
        if (entry == bare) return static_cast<int>(i);
    }
    return -1;
}

bool SettingsFile::GetString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, std::string& out) const {
    int count = 0;
    int header = FindSection(section, count);
    std::string value;
    if (header >= 0 && FindKey(header + 1, key, value) > 0) {
        out = value;
        return true;
    }
    out = defaultValue;
    return false;
}

bool SettingsFile::GetInt(const std::string& section, const std::string& key, int defaultValue,
                          int& out) const {
    std::string value;
    if (!GetString(section, key, {}, value)) {
        out = defaultValue;
        return false;
    }
    long number = ParseLong(value);
    out = number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
    return true;
}

bool SettingsFile::GetLong(const std::string& section, const std::string& key, long defaultValue,
                           long& out) const {
    std::string value;
    if (!GetString(section, key, {}, value)) {
        out = defaultValue;
        return false;
    }
    out = ParseLong(value);
    return true;
}

bool SettingsFile::GetBool(const std::string& section, const std::string& key, bool defaultValue,
                           bool& out) const {
    std::string value;
    if (!GetString(section, key, {}, value)) {
        out = defaultValue;
        return false;
    }
    out = FindText(value, "true", 0, SystemCodePage()) != std::string::npos;
    return true;
}

bool SettingsFile::SetLine(const std::string& section, const std::string& key, const std::string& line) {
    int count = 0;
    int header = EnsureSection(section, count);
    if (header < 0) return false;
    std::string value;
    int found = FindKey(header + 1, key, value);
    if (found > 0)
        lines_[found] = line;
    else
        lines_.insert(lines_.begin() + header + count + 1, line);
    return true;
}

bool SettingsFile::SetString(const std::string& section, const std::string& key, const std::string& value) {
    return SetLine(section, key, FlattenName(key, SystemCodePage()) + " = " + value);
}

bool SettingsFile::SetInt(const std::string& section, const std::string& key, int value) {
    return SetString(section, key, std::to_string(value));
}

bool SettingsFile::SetLong(const std::string& section, const std::string& key, long value) {
    return SetString(section, key, std::to_string(value));
}

bool SettingsFile::SetBool(const std::string& section, const std::string& key, bool value) {
    return SetString(section, key, value ? "true" : "false");
}

std::string ReadSettingString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue) {
    SettingsFile file;
    file.Load(path);
    std::string value;
    file.GetString(section, key, defaultValue, value);
    return value;
}

}  // namespace zelvo
