// POSIX file system for the native build and its tests.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utime.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/file_system.h"

namespace zelvo {

namespace {
bool StatPath(const std::string& path, struct stat& st) { return !path.empty() && ::stat(path.c_str(), &st) == 0; }
}  // namespace

bool PathExists(const std::string& path) {
    struct stat st;
    return StatPath(path, st);
}

bool FileExists(const std::string& path) {
    struct stat st;
    return StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st;
    return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool ReadFileHead(const std::string& path, size_t maxBytes, std::string& out) {
    out.clear();
    if (!FileExists(path)) return false;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    // Room for the whole file at once: a string grown by doubling touches twice its size.
    struct stat st;
    if (::fstat(::fileno(file), &st) == 0 && st.st_size > 0)
        out.reserve(std::min(maxBytes, static_cast<size_t>(st.st_size)));
    char buffer[65536];
    while (out.size() < maxBytes) {
        size_t want = std::min(sizeof buffer, maxBytes - out.size());
        size_t got = std::fread(buffer, 1, want, file);
        out.append(buffer, got);
        if (got < want) break;
    }
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool ReadFileBytes(const std::string& path, std::string& out) { return ReadFileHead(path, SIZE_MAX, out); }

bool WriteFileBytes(const std::string& path, const std::string& data) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    ok = (std::fclose(file) == 0) && ok;
    return ok;
}

bool ReplaceFileBytes(const std::string& path, const std::string& data) {
    // Created exclusively: a name that is taken, whatever holds it, is passed over.
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temp = TemporarySiblingPath(path, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == data.size() && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        struct stat st;
        if (StatPath(path, st)) ::chmod(temp.c_str(), st.st_mode & 07777);
        ok = ::rename(temp.c_str(), path.c_str()) == 0;
    }
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool FileSizeOf(const std::string& path, uint64_t& size) {
    struct stat st;
    if (!StatPath(path, st) || S_ISDIR(st.st_mode)) return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool ListFolder(const std::string& path, std::vector<FolderEntry>& out) {
    out.clear();
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return false;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        FolderEntry item;
        item.name = name;
        struct stat st;
        if (StatPath(JoinPath(path, name), st)) {
            item.isFolder = S_ISDIR(st.st_mode);
            item.size = item.isFolder ? 0 : static_cast<uint64_t>(st.st_size);
        }
        out.push_back(item);
    }
    ::closedir(dir);
    return true;
}

bool CopyFileBytes(const std::string& from, const std::string& to, bool failIfExists) {
    if (failIfExists && PathExists(to)) return false;
    std::string data;
    if (!ReadFileBytes(from, data)) return false;
    if (!WriteFileBytes(to, data)) return false;
    struct stat st;
    if (StatPath(from, st)) {
        struct utimbuf times{st.st_atime, st.st_mtime};
        ::utime(to.c_str(), &times);
    }
    return true;
}

bool CreateFolder(const std::string& path) {
    if (FolderExists(path)) return true;
    return ::mkdir(path.c_str(), 0755) == 0 || FolderExists(path);
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }
bool RemoveEmptyFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }
bool RenameFile(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

bool GetFileTimes(const std::string& path, FileTimes& times) {
    struct stat st;
    if (!StatPath(path, st)) return false;
    times.created = st.st_ctime;
    times.modified = st.st_mtime;
    times.accessed = st.st_atime;
    return true;
}

bool SetFileModifiedTime(const std::string& path, int64_t modified) {
    struct utimbuf times{static_cast<time_t>(modified), static_cast<time_t>(modified)};
    return ::utime(path.c_str(), &times) == 0;
}

uint32_t GetFileAttributeBits(const std::string& path) {
    struct stat st;
    if (!StatPath(path, st)) return 0xFFFFFFFFu;
    uint32_t bits = 0;
    if (S_ISDIR(st.st_mode)) bits |= kAttributeFolder;
    if ((st.st_mode & S_IWUSR) == 0) bits |= kAttributeReadOnly;
    std::string name = FileNamePart(path);
    if (!name.empty() && name[0] == '.') bits |= kAttributeHidden;
    if (!S_ISDIR(st.st_mode)) bits |= kAttributeArchive;
    return bits;
}

bool SetFileAttributeBits(const std::string& path, uint32_t attributes) {
    struct stat st;
    if (!StatPath(path, st)) return false;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & kAttributeReadOnly) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
}

bool GetFreeDiskSpace(const std::string& path, uint64_t& freeBytes, uint32_t& clusterSize) {
    struct statvfs vfs;
    std::string probe = path;
    while (!probe.empty() && !PathExists(probe)) probe = ParentFolder(probe);
    if (probe.empty()) probe.push_back('.');  // not = ".": GCC 12 bug 105329 warns (-Wrestrict)
    if (::statvfs(probe.c_str(), &vfs) != 0) return false;
    freeBytes = static_cast<uint64_t>(vfs.f_bavail) * vfs.f_frsize;
    clusterSize = static_cast<uint32_t>(vfs.f_bsize);
    return true;
}

std::string FullPathOf(const std::string& path) {
    if (path.empty()) return path;
    std::string absolute = path;
    if (path[0] != '/') {
        char* current = ::getcwd(nullptr, 0);
        if (!current) return path;
        absolute = std::string(current) + "/" + path;
        std::free(current);
    }
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= absolute.size()) {
        size_t end = absolute.find('/', start);
        if (end == std::string::npos) end = absolute.size();
        const std::string name = absolute.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (!names.empty()) names.pop_back();
            continue;
        }
        names.push_back(name);
    }
    // The longest part that exists is resolved through its links; the rest, which does
    // not exist yet, is joined on as it is.
    for (size_t existing = names.size() + 1; existing-- > 0;) {
        std::string prefix;
        for (size_t i = 0; i < existing; ++i) prefix += "/" + names[i];
        if (prefix.empty()) prefix.push_back('/');  // not = "/": GCC 12 bug 105329 warns (-Wrestrict)
        char* resolved = ::realpath(prefix.c_str(), nullptr);
        if (!resolved) continue;
        std::string full = resolved;
        std::free(resolved);
        for (size_t i = existing; i < names.size(); ++i) full += (full.back() == '/' ? "" : "/") + names[i];
        return full;
    }
    return absolute;
}

std::string ProgramFilePath() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

std::string TempFolderPath() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = (tmp && *tmp) ? tmp : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace zelvo
