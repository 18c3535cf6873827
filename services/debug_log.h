// The debug log: a plain-text trace appended to only in debug mode, which is on when
// "config\zelvo_debug_info" (a file or a folder) exists in the program folder. Entries
// carry a time stamp and a tag; the file starts afresh once it has grown past its limit.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace zelvo {

inline constexpr uint64_t kDebugLogSizeLimit = 10'000'000;
inline constexpr size_t kDebugTagLimit = 50;
inline constexpr size_t kDebugTagAndMessageLimit = 370;
inline constexpr size_t kDebugLineLimit = 399;

// The path whose existence tells: the root "X:\" and the drive "X:" are probed by their
// contents ("X:\*.*"), any other path loses a trailing backslash.
std::string DebugProbePath(const std::string& path);
bool DebugPathExists(const std::string& path);

// "%s\config\zelvo_debug_info" of the program folder exists.
bool IsDebugMode(const std::string& appFolder);
// "%s\debug.log" of the temporary folder.
std::string DebugLogFile(const std::string& tempFolder);

// The local time as "%Y-%m-%d %H:%M:%S".
std::string DebugTimeStamp();

class DebugLog {
  public:
    DebugLog() = default;
    DebugLog(bool enabled, std::string file) : enabled_(enabled), file_(std::move(file)) {}

    void SetEnabled(bool enabled);
    void SetFile(const std::string& file);
    // Tests put a fixed clock and a small limit here.
    void SetClock(std::function<std::string()> clock);
    void SetSizeLimit(uint64_t bytes);
    bool Enabled() const;
    std::string File() const;
    uint64_t SizeLimit() const;

    // Appends one entry; true when a line was written. The special messages
    // "_DEBUG_BLANK", "_PROGRAM_START" and "_PROGRAM_END" (any case) write fixed lines
    // without tag or time.
    bool Write(const std::string& tag, const std::string& message);

    // The line an entry becomes, without the line end.
    std::string FormatLine(const std::string& tag, const std::string& message) const;

  private:
    mutable std::mutex mutex_;  // the update check writes from its worker thread
    bool enabled_ = false;
    std::string file_;
    std::function<std::string()> clock_;
    uint64_t sizeLimit_ = kDebugLogSizeLimit;
};

// The program's one log.
DebugLog& TheDebugLog();
bool WriteDebugLog(const std::string& tag, const std::string& message);

}  // namespace zelvo
