// The file system as the core needs it. Paths are byte strings in the system code
// page, as the Win32 "A" functions take them; on POSIX they are passed through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelvo {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Joins a folder and a name with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);
// Folder part of a path: everything before the last separator ('\\' or '/').
std::string ParentFolder(const std::string& path);
// Last component of a path.
std::string FileNamePart(const std::string& path);

struct FolderEntry {
    std::string name;  // the entry's own name, not the full path
    bool isFolder = false;
    uint64_t size = 0;
};

struct FileTimes {
    int64_t created = 0;  // seconds since 1970-01-01 UTC
    int64_t modified = 0;
    int64_t accessed = 0;
};

// File attribute bits, as Windows numbers them.
enum FileAttribute : uint32_t {
    kAttributeReadOnly = 0x01,
    kAttributeHidden = 0x02,
    kAttributeSystem = 0x04,
    kAttributeFolder = 0x10,
    kAttributeArchive = 0x20,
    kAttributeNormal = 0x80,
};

bool PathExists(const std::string& path);
bool FileExists(const std::string& path);  // exists and is not a folder
bool FolderExists(const std::string& path);
bool ReadFileBytes(const std::string& path, std::string& out);
// Reads at most maxBytes from the start of the file.
bool ReadFileHead(const std::string& path, size_t maxBytes, std::string& out);
bool WriteFileBytes(const std::string& path, const std::string& data);  // creates or truncates
// Writes through a temporary file in the same folder, then replaces the target, so a
// failure part way leaves the old file as it was.
bool ReplaceFileBytes(const std::string& path, const std::string& data);
bool FileSizeOf(const std::string& path, uint64_t& size);
bool ListFolder(const std::string& path, std::vector<FolderEntry>& out);  // no "." or ".."
bool CopyFileBytes(const std::string& from, const std::string& to, bool failIfExists);
bool CreateFolder(const std::string& path);  // one level; true if it exists afterwards
bool RemoveFile(const std::string& path);
bool RemoveEmptyFolder(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);  // replaces the target
bool GetFileTimes(const std::string& path, FileTimes& times);
bool SetFileModifiedTime(const std::string& path, int64_t modified);
uint32_t GetFileAttributeBits(const std::string& path);  // 0xFFFFFFFF when missing
bool SetFileAttributeBits(const std::string& path, uint32_t attributes);
bool GetFreeDiskSpace(const std::string& path, uint64_t& freeBytes, uint32_t& clusterSize);

// Full path of the running program file.
std::string ProgramFilePath();
// The user's temporary folder, ending with a separator.
std::string TempFolderPath();

}  // namespace zelvo
