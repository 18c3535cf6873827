// The Win32 side of the update check and download: the worker that fetches the update
// information file or the installer through WinInet, the check's own thread, and the
// shell start of a downloaded installer. The rules (addresses, names, dates, texts) are
// the portable ones of services/update_check.h.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "services/update_check.h"

namespace zelvo {

// Messages the worker posts to the download dialog in file mode.
// wParam: a DownloadStatus; lParam: the total size for kDownloadStarted, else 0.
constexpr UINT kDownloadStatusMessage = WM_USER + 1201;
// wParam: the byte count of one block written.
constexpr UINT kDownloadProgressMessage = WM_USER + 1202;

// One run of DownloadWorker: what it fetches, the flags it shares with the dialog, and what
// it leaves behind. The user-interface thread sets cancel; the worker sets everything
// below it and done last.
struct DownloadJob {
    bool informationMode = false;
    std::string address;

    // File mode: where the file goes, the digest it must have, what happens after.
    std::string savePath;       // as the dialog's edit shows it
    std::string defaultFolder;  // for a save path that names no folder
    std::string expectedSha256;
    // A file published without a digest (a language support pack) is kept when this is
    // set, but never started: only a file whose digest matches is run.
    bool keepUnverified = false;
    bool installAfterDownload = true;
    HWND notifyWindow = nullptr;  // receives the status and progress messages
    // Starts the installer; the shell's "open" (ShellExecuteA) when empty.
    std::function<bool(const std::string& path)> startProgram;

    std::atomic<bool> cancel{false};

    std::atomic<bool> done{false};
    DownloadStatus outcome = kDownloadFinished;  // the last status: finished, canceled, failed...
    std::string receivedText;                    // information mode
    std::string targetPath;                      // file mode, after the move
    bool installerStarted = false;
};

// The worker thread body: opens the job's address (refusing one IsAllowedDownloadAddress
// refuses, before and after redirects), reads it in blocks of 512 bytes, and in file mode
// writes a temporary file beside the save path, checks its SHA-256 against the expected
// one, moves it to DownloadTargetPath and starts it when asked. A canceled, broken or
// unverified download leaves no file behind. Sets done when it ends.
DWORD WINAPI DownloadWorker(LPVOID job);

// Runs DownloadWorker in information mode on a thread of its own and waits for it. The text
// read, at most 64 KB; empty when the address cannot be read.
std::string FetchUrlText(const std::string& address);

// Starts DownloadWorker for a file-mode job on a new thread; the thread's handle (to close),
// or nullptr when it cannot start.
HANDLE StartDownloadThread(DownloadJob& job);

// Opens a file with the shell's "open" verb, as a double click would.
bool OpenWithShell(const std::string& path);

// Runs CheckForUpdate on a thread of its own; context.fetchInfo defaults to FetchUrlText.
// afterCheck, when given, is called on that thread with the check's result (whether the
// installer was started). Returns the thread's handle (to wait for or close), or nullptr.
HANDLE StartUpdateCheckThread(UpdateCheckContext context,
                              std::function<void(bool installerStarted)> afterCheck);

}  // namespace zelvo
