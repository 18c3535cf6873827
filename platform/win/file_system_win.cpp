// Win32 file system through the "A" functions: paths are system-code-page bytes.
#include <windows.h>

#include "platform/file_system.h"
#include "platform/system_info.h"

namespace zelvo {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    bool Close() {
        bool ok = valid() ? CloseHandle(handle_) != 0 : false;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

// FILETIME counts 100 ns steps since 1601; the core counts seconds since 1970.
constexpr int64_t kEpochDifference = 11644473600LL;

int64_t ToUnixSeconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<int64_t>(value.QuadPart / 10000000ULL) - kEpochDifference;
}

FILETIME FromUnixSeconds(int64_t seconds) {
    ULARGE_INTEGER value;
    value.QuadPart = static_cast<ULONGLONG>(seconds + kEpochDifference) * 10000000ULL;
    FILETIME time;
    time.dwLowDateTime = value.LowPart;
    time.dwHighDateTime = value.HighPart;
    return time;
}

bool WriteAll(HANDLE file, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, data.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileExists(const std::string& path) {
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadFileHead(const std::string& path, size_t maxBytes, std::string& out) {
    out.clear();
    if (!FileExists(path)) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    // Room for the whole file at once: a string grown by doubling touches twice its size.
    LARGE_INTEGER size;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
        out.reserve(std::min<unsigned long long>(maxBytes, static_cast<unsigned long long>(size.QuadPart)));
    char buffer[65536];
    while (out.size() < maxBytes) {
        DWORD want = static_cast<DWORD>(std::min<size_t>(sizeof buffer, maxBytes - out.size()));
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, want, &got, nullptr)) return false;
        out.append(buffer, got);
        if (got == 0) break;
    }
    return true;
}

bool ReadFileBytes(const std::string& path, std::string& out) { return ReadFileHead(path, SIZE_MAX, out); }

bool WriteFileBytes(const std::string& path, const std::string& data) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    bool ok = WriteAll(file.get(), data);
    return file.Close() && ok;
}

namespace {

// Creates a write-through file beside path that did not exist before; a name that is
// taken, by a file or a folder, is passed over.
HANDLE CreateTemporarySibling(const std::string& path, std::string& temp) {
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temp = TemporarySiblingPath(path, attempt);
        HANDLE file =
            CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        const bool taken =
            error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
            (error == ERROR_ACCESS_DENIED && GetFileAttributesA(temp.c_str()) != INVALID_FILE_ATTRIBUTES);
        if (!taken) break;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool ReplaceFileBytes(const std::string& path, const std::string& data) {
    std::string temp;
    {
        FileHandle file(CreateTemporarySibling(path, temp));
        if (!file.valid()) return false;
        bool ok = WriteAll(file.get(), data) && FlushFileBuffers(file.get());
        if (!file.Close() || !ok) {
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), attributes);
    return true;
}

bool FileSizeOf(const std::string& path, uint64_t& size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool ListFolder(const std::string& path, std::vector<FolderEntry>& out) {
    out.clear();
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(path, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return FolderExists(path);
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        FolderEntry entry;
        entry.name = name;
        entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.size = entry.isFolder ? 0 : ((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        out.push_back(entry);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

bool CopyFileBytes(const std::string& from, const std::string& to, bool failIfExists) {
    return CopyFileA(from.c_str(), to.c_str(), failIfExists) != 0;
}

bool CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) || FolderExists(path); }
bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }
bool RemoveEmptyFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }
bool RenameFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool GetFileTimes(const std::string& path, FileTimes& times) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    times.created = ToUnixSeconds(data.ftCreationTime);
    times.modified = ToUnixSeconds(data.ftLastWriteTime);
    times.accessed = ToUnixSeconds(data.ftLastAccessTime);
    return true;
}

bool SetFileModifiedTime(const std::string& path, int64_t modified) {
    FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    FILETIME time = FromUnixSeconds(modified);
    return SetFileTime(file.get(), nullptr, &time, &time) != 0;
}

uint32_t GetFileAttributeBits(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool SetFileAttributeBits(const std::string& path, uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool GetFreeDiskSpace(const std::string& path, uint64_t& freeBytes, uint32_t& clusterSize) {
    // The root of the path's drive ("C:\") or of its UNC share.
    std::string root = path;
    if (root.size() >= 2 && root[1] == ':') root = root.substr(0, 2) + "\\";
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        clusterSize = sectorsPerCluster * bytesPerSector;
    else
        clusterSize = 4096;
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &totalFree)) return false;
    freeBytes = available.QuadPart;
    return true;
}

int PathCodePage() {
    return SystemCodePage();
}

std::string FullPathOf(const std::string& path) {
    if (path.empty()) return path;
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    const DWORD got = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (got == 0 || got >= needed) return path;
    full.resize(got);
    return full;
}

std::string ProgramFilePath() {
    char buffer[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, n);
}

std::string TempFolderPath() {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(MAX_PATH + 1, buffer);
    return std::string(buffer, n);
}

}  // namespace zelvo
