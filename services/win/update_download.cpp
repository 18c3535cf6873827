#include "services/win/update_download.h"

#include <shellapi.h>
#include <wininet.h>

#include <memory>

#include "platform/file_system.h"
#include "platform/win/handles.h"
#include "services/sha256.h"

namespace zelvo {

namespace {

using UniqueInternet = UniqueHandle<HINTERNET, InternetCloseHandle>;

constexpr DWORD kBlockSize = 512;
// The information file is a few lines; a server that sends more is not sending it.
constexpr size_t kMaxInformationBytes = 64 * 1024;
// A server that stops answering ends the check instead of holding its thread for ever.
constexpr DWORD kTimeoutMs = 30000;

void Post(const DownloadJob& job, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    if (job.notifyWindow) PostMessageA(job.notifyWindow, message, wParam, lParam);
}

void PostStatus(const DownloadJob& job, DownloadStatus status, LPARAM lParam = 0) {
    if (!job.informationMode) Post(job, kDownloadStatusMessage, status, lParam);
}

// The local file a download is written to before it is checked and moved: created new
// beside the target, so nothing already there is opened, and deleted unless it is moved.
class TemporaryDownload {
  public:
    ~TemporaryDownload() {
        Close();
        if (!path_.empty() && !keep_) DeleteFileA(path_.c_str());
    }
    bool Create(const std::string& besidePath) {
        for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
            std::string path = TemporarySiblingPath(besidePath, attempt);
            file_ = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
            if (file_ != INVALID_HANDLE_VALUE) {
                path_ = path;
                return true;
            }
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        }
        return false;
    }
    bool Write(const char* bytes, DWORD size) {
        DWORD written = 0;
        return WriteFile(file_, bytes, size, &written, nullptr) && written == size;
    }
    bool Close() {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        const bool closed = CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        return closed;
    }
    const std::string& path() const { return path_; }
    // The file stays where it is (moved, or left for the user after a failed move).
    void Keep() { keep_ = true; }

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string path_;
    bool keep_ = false;
};

std::string FinalAddressOf(HINTERNET remote) {
    std::string address(INTERNET_MAX_URL_LENGTH + 1, '\0');
    DWORD size = static_cast<DWORD>(address.size());
    if (!InternetQueryOptionA(remote, INTERNET_OPTION_URL, address.data(), &size)) return {};
    address.resize(std::min<size_t>(size, address.size()));
    address.resize(address.find('\0') == std::string::npos ? address.size() : address.find('\0'));
    return address;
}

// Opens the address; nothing when it cannot be opened, when it was redirected to an address
// the program does not download from, or when the server answers other than 200 OK.
UniqueInternet OpenAddress(HINTERNET session, const std::string& address) {
    if (!IsAllowedDownloadAddress(address)) return {};
    const DWORD flags = INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH;
    UniqueInternet remote(InternetOpenUrlA(session, address.c_str(), nullptr, 0, flags, 0));
    if (!remote) return {};
    const std::string finalAddress = FinalAddressOf(remote.get());
    if (!finalAddress.empty() && !IsAllowedDownloadAddress(finalAddress)) return {};
    DWORD statusCode = 0;
    DWORD size = sizeof statusCode;
    if (!HttpQueryInfoA(remote.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &statusCode, &size,
                        nullptr) ||
        statusCode != 200)
        return {};
    return remote;
}

DWORD ContentLength(HINTERNET remote) {
    DWORD length = 0;
    DWORD size = sizeof length;
    if (!HttpQueryInfoA(remote, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr))
        return 0;
    return length;
}

DownloadStatus RunJob(DownloadJob& job) {
    PostStatus(job, kDownloadRequesting);
    UniqueInternet session(InternetOpenA("Zelvo", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return kDownloadFailed;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT}) {
        DWORD timeout = kTimeoutMs;
        InternetSetOptionA(session.get(), option, &timeout, sizeof timeout);
    }
    UniqueInternet remote = OpenAddress(session.get(), job.address);
    if (!remote) return kDownloadFailed;
    const DWORD total = ContentLength(remote.get());

    TemporaryDownload local;
    std::string firstTarget;
    if (!job.informationMode) {
        firstTarget =
            DownloadTargetPath(job.savePath, job.defaultFolder, [](const std::string&) { return false; });
        if (firstTarget.empty()) return kDownloadFailed;
        CreateFoldersAlong(firstTarget);
        if (!local.Create(firstTarget)) return kDownloadFailed;
        PostStatus(job, kDownloadStarted, static_cast<LPARAM>(total));
    }

    Sha256 hash;
    uint64_t received = 0;
    char block[kBlockSize];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(remote.get(), block, kBlockSize, &read)) return kDownloadFailed;
        if (read == 0) break;
        if (job.cancel) return kDownloadCanceled;
        received += read;
        if (job.informationMode) {
            if (received > kMaxInformationBytes) return kDownloadFailed;
            job.receivedText.append(block, read);
            continue;
        }
        if (!local.Write(block, read)) return kDownloadFailed;
        hash.Update(std::string_view(block, read));
        Post(job, kDownloadProgressMessage, read);
    }
    if (job.informationMode) return kDownloadFinished;

    // A transfer that ended early is not the file, whatever its digest would say.
    if (!local.Close() || (total > 0 && received != total)) return kDownloadFailed;
    const bool verified = Sha256Matches(hash.Finish(), job.expectedSha256);
    if (!verified && !(job.keepUnverified && job.expectedSha256.empty())) return kDownloadNotVerified;

    job.targetPath = DownloadTargetPath(job.savePath, job.defaultFolder, FileExists);
    PostStatus(job, kDownloadMoving);
    if (job.targetPath.empty() || !MoveFileA(local.path().c_str(), job.targetPath.c_str())) {
        local.Keep();
        return kDownloadMoveFailed;
    }
    local.Keep();
    if (job.installAfterDownload && verified) {
        PostStatus(job, kDownloadInstalling);
        job.installerStarted =
            job.startProgram ? job.startProgram(job.targetPath) : OpenWithShell(job.targetPath);
    }
    return kDownloadFinished;
}

struct UpdateCheckRun {
    UpdateCheckContext context;
    std::function<void(bool)> afterCheck;
};

DWORD WINAPI UpdateCheckThread(LPVOID parameter) {
    std::unique_ptr<UpdateCheckRun> run(static_cast<UpdateCheckRun*>(parameter));
    if (!run->context.fetchInfo) run->context.fetchInfo = FetchUrlText;
    const bool started = CheckForUpdate(run->context);
    if (run->afterCheck) run->afterCheck(started);
    return 0;
}

}  // namespace

DWORD WINAPI DownloadWorker(LPVOID parameter) {
    DownloadJob& job = *static_cast<DownloadJob*>(parameter);
    const DownloadStatus outcome = RunJob(job);
    job.outcome = outcome;
    if (outcome != kDownloadFinished) job.receivedText.clear();
    PostStatus(job, outcome);
    job.done = true;
    return 0;
}

std::string FetchUrlText(const std::string& address) {
    DownloadJob job;
    job.informationMode = true;
    job.address = address;
    HANDLE thread = CreateThread(nullptr, 0, DownloadWorker, &job, 0, nullptr);
    if (!thread) return {};
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return job.outcome == kDownloadFinished ? job.receivedText : std::string();
}

HANDLE StartDownloadThread(DownloadJob& job) {
    job.informationMode = false;
    job.done = false;
    return CreateThread(nullptr, 0, DownloadWorker, &job, 0, nullptr);
}

bool OpenWithShell(const std::string& path) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

HANDLE StartUpdateCheckThread(UpdateCheckContext context,
                              std::function<void(bool installerStarted)> afterCheck) {
    auto run = std::make_unique<UpdateCheckRun>(UpdateCheckRun{std::move(context), std::move(afterCheck)});
    HANDLE thread = CreateThread(nullptr, 0, UpdateCheckThread, run.get(), 0, nullptr);
    if (thread) run.release();
    return thread;
}

}  // namespace zelvo
