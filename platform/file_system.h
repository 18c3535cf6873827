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

// The code page whose lead bytes path names are written in: the system code page on
// Windows, where a trail byte of GBK or Big5 may be 0x5C ('\\'); none (0) for POSIX
// names, which are UTF-8 and never hide a separator, unless a test sets a code page.
int PathCodePage();
// True for the two bytes that separate names, '\\' and '/', where c starts a character.
bool IsPathSeparator(char c);
// True when the last character of path (not a trail byte) is a separator.
bool EndsWithSeparator(const std::string& path);
// Positions of the separators ('\\' or '/') of path, found character by character with
// the lead bytes of PathCodePage().
std::vector<size_t> PathSeparatorPositions(const std::string& path);
// Joins a folder and a name with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);
// Folder part of a path: everything before the last separator ('\\' or '/').
std::string ParentFolder(const std::string& path);
// Last component of a path.
std::string FileNamePart(const std::string& path);
// Creates every missing folder on the way to path, the last component not included (it
// may be a file name). Roots ("/", "C:\\") and doubled separators are passed over; a
// folder that cannot be made (such as the server of "\\\\server\\share") does not stop
// the ones after it. False when any of them could not be made.
bool CreateFoldersAlong(const std::string& path);

// The path without trailing separators; a root ("/", "C:\\") stays whole.
std::string TrimTrailingSeparators(std::string path);
// True when path names folder itself or something inside it, compared as paths, not as
// text: '/' and '\\' alike, doubled and trailing separators, "." and ".." do not count,
// and "site2" is not inside "site". Letters are compared without case for Windows paths
// (always on Windows; elsewhere when either has a drive letter or a backslash). Both
// should be full paths (FullPathOf) when they may be relative.
bool IsSameOrInsideFolder(const std::string& path, const std::string& folder);

// Candidate names of the write-through file a replacing write makes beside path:
// "~zelvo-<8 hex digits>.tmp" in path's folder, different for each attempt and each
// process. The name does not grow with the target's, so a long target name never makes
// it too long. The writer creates it exclusively and takes the next attempt when one
// exists, so no file already there is ever opened.
std::string TemporarySiblingPath(const std::string& path, unsigned attempt);
inline constexpr unsigned kTemporaryNameAttempts = 100;

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
// Writes through a temporary file of its own in the same folder (see
// TemporarySiblingPath), then replaces the target, so a failure part way leaves the old
// file as it was and no other file is touched.
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

// The absolute form of path, relative to the current folder, with "." and ".." worked
// out; on POSIX also with the symbolic links of its existing part resolved, so two names
// of one folder compare equal. A path that cannot be resolved comes back as it was.
std::string FullPathOf(const std::string& path);

// Full path of the running program file.
std::string ProgramFilePath();
// The user's temporary folder, ending with a separator.
std::string TempFolderPath();

}  // namespace zelvo
