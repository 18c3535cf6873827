#include "services/debug_log.h"

#include <cstdio>
#include <ctime>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/system_info.h"
#include "services/multibyte.h"

namespace zelvo {

namespace {

const char* const kStartLine = "***** Program Start *****";
const char* const kEndLine = "***** Program End *****";

// Cuts to at most maxBytes without leaving half of a double-byte character at the end.
std::string CutText(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    const int codePage = SystemCodePage();
    size_t cut = maxBytes;
    while (cut > 0 && !IsCharBoundary(text, cut, codePage)) --cut;
    return text.substr(0, cut);
}

bool SameNoCase(const std::string& a, const char* b) { return CompareTextNoCase(a, b, 1252) == 0; }

}  // namespace

std::string DebugProbePath(const std::string& path) {
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\') return path + "*.*";
    if (path.size() == 2 && path[1] == ':') return path + "\\*.*";
    if (path.size() > 3 && EndsWithSeparator(path)) return path.substr(0, path.size() - 1);
    return path;
}

bool DebugPathExists(const std::string& path) {
    if (path.empty()) return false;
    std::string probe = DebugProbePath(path);
    if (probe.size() > 3 && probe.compare(probe.size() - 3, 3, "*.*") == 0) {
        // A drive root is there when it holds anything, as FindFirstFileA sees it.
        std::vector<FolderEntry> entries;
        return ListFolder(probe.substr(0, probe.size() - 3), entries) && !entries.empty();
    }
    return PathExists(probe);
}

bool IsDebugMode(const std::string& appFolder) {
    if (appFolder.empty()) return false;
    return DebugPathExists(JoinPath(JoinPath(appFolder, "config"), "zelvo_debug_info"));
}

std::string DebugLogFile(const std::string& tempFolder) { return JoinPath(tempFolder, "debug.log"); }

std::string DebugTimeStamp() {
    std::tm local = LocalTimeNow();
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

void DebugLog::SetEnabled(bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    enabled_ = enabled;
}

void DebugLog::SetFile(const std::string& file) {
    std::lock_guard<std::mutex> lock(mutex_);
    file_ = file;
}

void DebugLog::SetClock(std::function<std::string()> clock) {
    std::lock_guard<std::mutex> lock(mutex_);
    clock_ = std::move(clock);
}

void DebugLog::SetSizeLimit(uint64_t bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    sizeLimit_ = bytes;
}

bool DebugLog::Enabled() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return enabled_;
}

std::string DebugLog::File() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return file_;
}

uint64_t DebugLog::SizeLimit() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sizeLimit_;
}

std::string DebugLog::FormatLine(const std::string& tag, const std::string& message) const {
    if (SameNoCase(message, "_DEBUG_BLANK")) return {};
    if (SameNoCase(message, "_PROGRAM_START")) return kStartLine;
    if (SameNoCase(message, "_PROGRAM_END")) return kEndLine;
    std::string shortTag = CutText(tag, kDebugTagLimit);
    std::string shortMessage = CutText(message, kDebugTagAndMessageLimit - shortTag.size());
    std::string stamp = clock_ ? clock_() : DebugTimeStamp();
    return CutText(stamp + "\t" + shortTag + "\t" + shortMessage, kDebugLineLimit);
}

bool DebugLog::Write(const std::string& tag, const std::string& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_ || file_.empty()) return false;
    std::string line = FormatLine(tag, message);

    uint64_t size = 0;
    if (FileSizeOf(file_, size) && size > sizeLimit_) RemoveFile(file_);
    // Binary append with an explicit CR LF gives the bytes a text-mode append gives on
    // Windows, on every system.
    std::FILE* file = std::fopen(file_.c_str(), "ab");
    if (!file) return false;
    line += "\r\n";
    bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return std::fclose(file) == 0 && written;
}

DebugLog& TheDebugLog() {
    static DebugLog log;
    return log;
}

bool WriteDebugLog(const std::string& tag, const std::string& message) { return TheDebugLog().Write(tag, message); }

}  // namespace zelvo
