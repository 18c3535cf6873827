#include "transfer/site_transfer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <thread>
#include <utility>

#include "convert/charset_detector.h"
#include "platform/file_system.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"
#include "transfer/html_charset.h"
#include "transfer/transfer_format.h"

namespace zelvo {

namespace {

constexpr int kPauseSleepMilliseconds = 200;

uint64_t CeilDiv(uint64_t value, uint64_t unit) { return unit == 0 ? 0 : (value + unit - 1) / unit; }

std::string Fill(int id, const std::string& one) { return ReplaceAll(LoadUiString(id), "#1", one); }

// Fills each placeholder once, at its own place in the template, so an inserted path that
// happens to contain "#2" is left as it is.
std::string FillPlaceholders(const std::string& text,
                             std::initializer_list<std::pair<const char*, std::string>> fills) {
    std::string filled;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '#' && i + 1 < text.size()) {
            for (const auto& [key, value] : fills) {
                if (text.compare(i, 2, key) == 0) {
                    filled += value;
                    i += 2;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) filled += text[i++];
    }
    return filled;
}

std::string ExpectedCodePageName(bool gbkToBig5) {
    return LoadUiString(gbkToBig5 ? IDS_QXT_SIMPLIFIED_CHINESE_GBK : IDS_QXT_TRADTIONAL_CHINESE_BIG5);
}

std::string DirectionText(bool gbkToBig5) { return gbkToBig5 ? "GBK -> Big5" : "Big5 -> GBK"; }

int ExpectedCharset(bool gbkToBig5) { return gbkToBig5 ? kCharsetGb2312 : kCharsetBig5; }

std::string TrimLineEnds(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

bool AskYesNo(const std::string& text, const std::string& caption = {}, unsigned defaultButton = 0) {
    MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.style = kMbYesNo | kMbIconQuestion | defaultButton;
    return ShowMessage(request).result == kIdYes;
}

void ShowError(const std::string& text, const std::string& caption = {}) {
    if (!text.empty()) ShowMessage(text, caption, kMbOk | kMbIconError);
}

// The "does not look like" question, single-file or many-files form.
std::string UnlikeFilesQuestion(const std::vector<std::string>& files, bool gbkToBig5) {
    const std::string text = LoadUiString(IDS_DIALOG_FSCT_PROMPT_FILE_NOT_LIKE_TYPE_ACTIONS);
    const std::string expected = ExpectedCodePageName(gbkToBig5);
    if (files.size() == 1) {
        std::string question = UiStringLine(text, 0) + "\r\n\r\n#2\r\n\r\n" + UiStringLine(text, 2);
        question = ReplaceAll(question, "#1", expected);
        return ReplaceAll(question, "#2", "\t" + files.front());
    }
    std::string list;
    for (const std::string& file : files) list += "\t" + file + "\r\n";
    list = TrimLineEnds(list);
    const std::string count = files.size() < kUnlikeListLimit ? std::to_string(files.size()) : "10+";
    std::string question = UiStringLine(text, 1) + "\r\n\r\n#3\r\n\r\n" + UiStringLine(text, 2);
    question = ReplaceAll(question, "#1", count);
    question = ReplaceAll(question, "#2", expected);
    return ReplaceAll(question, "#3", list);
}

// Relays the pipeline's progress for the file being converted.
class FileProgressRelay : public ProgressSink {
public:
    explicit FileProgressRelay(SiteTransfer& owner) : owner_(owner) {}
    void Begin(long total) override { owner_.OnConvertProgress(0, total); }
    void Position(long done) override { owner_.OnConvertProgress(1, done); }
    void End() override { owner_.OnConvertProgress(2, 0); }

private:
    SiteTransfer& owner_;
};

}  // namespace

bool IsNonTextFile(const std::string& path) {
    std::string head;
    if (!FileExists(path) || !ReadFileHead(path, kNonTextProbeBytes, head)) return false;
    return head.find('\0') != std::string::npos;
}

int CreateFolderPath(const std::string& path) {
    if (path.empty() || !CreateFoldersAlong(path)) return 1;
    return CreateFolder(path) ? 0 : 1;
}

bool IsValidWindowsPath(const std::string& path) {
    if (path.empty()) return false;
    const int codePage = PathCodePage();
    for (size_t i = 0; i < path.size(); i += CharLengthAt(path, i, codePage)) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20) return false;
        switch (c) {
            case '<': case '>': case '"': case '|': case '?': case '*': return false;
            case ':':
                if (i != 1 || !((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
                    return false;
                break;
            default: break;
        }
    }
    return true;
}

std::string ShortenPathText(const std::string& path, size_t maxLength) {
    if (path.size() <= maxLength) return path;
    const std::vector<size_t> separators = PathSeparatorPositions(path);
    if (separators.empty()) return path;
    // Keep the root ("C:\" or "/") and as many trailing components as fit.
    const size_t rootEnd = separators.front() + 1;
    const std::string root = path.substr(0, rootEnd);
    const std::string dots = "...";
    for (size_t position : separators) {
        if (position < rootEnd) continue;
        if (root.size() + dots.size() + (path.size() - position) <= maxLength)
            return root + dots + path.substr(position);
    }
    // Even the file name alone is too long: show it anyway, it says the most.
    return root + dots + path.substr(separators.back());
}

SiteTransfer::SiteTransfer(ConversionContext& context) : context_(context) {
    if (!context_.control.transferState) context_.control.transferState = &ownState_;
}

int SiteTransfer::TransferState() const { return *context_.control.transferState; }

void SiteTransfer::SetTransferState(int state) {
    *context_.control.transferState = state;
    if (display) display->SetRunning(state == kTransferRunning || state == kTransferPaused);
}

int64_t SiteTransfer::ElapsedSeconds() const {
    const double seconds = std::chrono::duration<double>(std::chrono::system_clock::now() - startTime).count();
    // A 172800th of a second keeps a whole second that the floating-point sum lands
    // just below from being cut to the second before.
    return static_cast<int64_t>(seconds + 1.0 / 172800.0);
}

bool SiteTransfer::OnTransfer() {
    if (TransferState() == kTransferRunning) {
        SetTransferState(kTransferPaused);
        const bool cancel = AskYesNo(LoadUiString(IDS_DIALOG_FSCT_PROMPT_RESUME));
        SetTransferState(cancel ? kTransferStopped : kTransferRunning);
        return false;
    }
    if (!options.resultInNew) options.destinationPath = options.sourcePath;

    if (options.targetIsFile) {
        const int charset = GuessFileCharset(options.sourcePath);
        if (charset != kCharsetAnsi && charset != kCharsetUndecided && charset != ExpectedCharset(options.gbkToBig5)) {
            if (!AskYesNo(UnlikeFilesQuestion({options.sourcePath}, options.gbkToBig5))) return false;
        }
        // Another file of the user's is only replaced when the user says so; in place the
        // source is the file the user asked to convert. A missing source is reported by the
        // transfer itself, without a question first.
        if (options.resultInNew && FileExists(options.sourcePath) && FileExists(options.destinationPath) &&
            !AskYesNo(Fill(IDS_DIALOG_ZELVO_MSG_PROMPT_OVERWRITE_FILE, options.destinationPath), {}, kMbDefButton2))
            return false;
        singleFileRun_ = true;
        ResetCounters();
        SetTransferState(kTransferRunning);
        startTime = std::chrono::system_clock::now();
        if (display) display->ShowStatus(Fill(IDS_DIALOG_FSCT_NOTE_TRANSFER_FILE, ShortenPathText(options.sourcePath, 80)));
        std::string message;
        const bool ok = TransferOneFile(options.sourcePath, options.destinationPath, options.gbkToBig5, false, message);
        endTime = std::chrono::system_clock::now();
        SetTransferState(kTransferStopped);
        if (display) display->StopClock();
        singleFileRun_ = false;
        if (!ok) {
            ShowError(message);
            return false;
        }
        ShowMessage(FillPlaceholders(LoadUiString(IDS_DIALOG_FSCT_PROMPT_FILE_TRANSFER_DONE),
                                     {{"#1", options.sourcePath},
                                      {"#2", options.destinationPath},
                                      {"#3", DirectionText(options.gbkToBig5)}}),
                    {}, kMbOk | kMbIconInformation);
        return true;
    }

    if (!FolderExists(options.sourcePath)) {
        ShowError(Fill(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, options.sourcePath));
        return false;
    }
    if (options.resultInNew && !SitesAreApart()) return false;
    if (options.resultInNew) {
        if (!PathExists(options.destinationPath)) {
            if (!IsValidWindowsPath(options.destinationPath)) {
                ShowError(Fill(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH, options.destinationPath));
                return false;
            }
        } else {
            if (!FolderExists(options.destinationPath)) {
                ShowError(Fill(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, options.destinationPath));
                return false;
            }
            std::vector<FolderEntry> entries;
            if (!ListFolder(TrimTrailingSeparators(options.destinationPath), entries) || !entries.empty()) {
                ShowError(LoadUiString(IDS_DIALOG_FSCT_ERROR_NEW_SITE_MUST_BE_BLANK));
                return false;
            }
        }
    }
    SetTransferState(kTransferRunning);
    const bool ok = RunSiteTransfer();
    SetTransferState(kTransferStopped);
    return ok;
}

bool SiteTransfer::SitesAreApart() {
    // A destination inside the source would be met by the walk while it is being filled,
    // and each pass would copy the copies once more; a source inside the destination would
    // be written over by its own output. Full paths, so that a relative path, "..", a
    // trailing separator or a link cannot hide the overlap.
    const std::string source = FullPathOf(TrimTrailingSeparators(options.sourcePath));
    const std::string destination = FullPathOf(TrimTrailingSeparators(options.destinationPath));
    int refusal = 0;
    if (IsSameOrInsideFolder(destination, source))
        refusal = IDS_DIALOG_FSCT_ERROR_DESTINATION_INSIDE_SOURCE;
    else if (IsSameOrInsideFolder(source, destination))
        refusal = IDS_DIALOG_FSCT_ERROR_SOURCE_INSIDE_DESTINATION;
    if (refusal == 0) return true;
    ShowError(FillPlaceholders(LoadUiString(refusal),
                               {{"#1", options.destinationPath}, {"#2", options.sourcePath}}));
    return false;
}

void SiteTransfer::ResetCounters() {
    folderCount = textFileCount = nonTextFileCount = 0;
    textBytes = nonTextBytes = textClusters = nonTextClusters = 0;
    totalUnits = doneUnits = fileUnits = fileUnitsDone = fileSteps = 0;
    problems.clear();
    unlikeFiles.clear();
    unlikeListFull = false;
    errorMessage.clear();
    summaryText.clear();
}

bool SiteTransfer::AskUnlikeFiles() {
    if (unlikeFiles.empty()) return true;
    return AskYesNo(UnlikeFilesQuestion(unlikeFiles, options.gbkToBig5));
}

bool SiteTransfer::CheckDiskSpace() {
    if (!options.resultInNew || clusterSize <= 0) return true;
    uint64_t freeBytes = 0;
    uint32_t ignoredClusterSize = 0;
    if (!GetFreeDiskSpace(options.destinationPath, freeBytes, ignoredClusterSize)) return true;
    const uint64_t requiredKb =
        static_cast<uint64_t>(clusterSize / 512) * (textClusters + nonTextClusters) / 2;
    const uint64_t freeKb = freeBytes / 1024;
    if (freeKb >= requiredKb) return true;
    const std::string& destination = options.destinationPath;
    const std::string drive =
        destination.size() >= 2 && destination[1] == ':' ? destination.substr(0, 2) : ParentFolder(destination);
    std::string text = LoadUiString(IDS_DIALOG_FSCT_ERROR_INSUFFICIENT_DISK_SPACE);
    text = ReplaceAll(text, "#1", destination);
    text = ReplaceAll(text, "#2", FormatSizeText(requiredKb * 1024));
    text = ReplaceAll(text, "#3", drive.empty() ? destination : drive);
    text = ReplaceAll(text, "#4", FormatSizeText(freeKb * 1024));
    ShowError(text, LoadUiString(IDS_DIALOG_FSCT_ERROR_CAPTION_INSUFFICIENT_DISK_SPACE));
    return false;
}

bool SiteTransfer::RunSiteTransfer() {
    singleFileRun_ = false;
    if (display) {
        display->ShowStatus(LoadUiString(IDS_DIALOG_FSCT_NOTE_ANALYZING_WEBSITE_STRUCTURE));
        display->ShowFileProgress(0, 0);
        display->ShowOverallProgress(0, 0);
    }
    ResetCounters();
    options.sourcePath = TrimTrailingSeparators(options.sourcePath);
    options.destinationPath = TrimTrailingSeparators(options.destinationPath);
    if (!options.resultInNew) options.destinationPath = options.sourcePath;

    startTime = std::chrono::system_clock::now();
    uint64_t freeBytes = 0;
    uint32_t cluster = 0;
    clusterSize = GetFreeDiskSpace(options.destinationPath, freeBytes, cluster) && cluster > 0 ? cluster : -1;

    if (!WalkSite(options.sourcePath, true)) {
        ShowError(errorMessage);
        return false;
    }
    if (!AskUnlikeFiles()) return false;
    if (!CheckDiskSpace()) return false;
    if (options.resultInNew && !FolderExists(options.destinationPath) &&
        CreateFolderPath(options.destinationPath) != 0) {
        // Without its root folder the site could only fail file by file.
        ShowError(LoadUiString(IDS_DIALOG_FSCT_PROMPT_CANT_CREATE) + ": " + options.destinationPath);
        return false;
    }

    totalUnits = doneUnits;
    doneUnits = 0;
    folderCount = textFileCount = nonTextFileCount = 0;
    textBytes = nonTextBytes = textClusters = nonTextClusters = 0;
    if (display) display->StartClock();
    if (progress) progress->Begin(static_cast<long>(std::min<int64_t>(totalUnits, 0x7FFFFFFF)));

    const bool walked = WalkSite(options.sourcePath, false);
    if (display) display->StopClock();
    if (progress) progress->End();
    if (!walked) {
        ShowError(errorMessage);
        return false;
    }

    endTime = std::chrono::system_clock::now();
    const std::string yes = LoadUiString(IDS_QXT_YES);
    const std::string no = LoadUiString(IDS_QXT_NO);
    std::string errors;
    if (problems.empty()) {
        errors = LoadUiString(IDS_QXT_NONE);
    } else {
        errors = LoadUiString(IDS_DIALOG_FSCT_PROMPT_PROBLEM_LIST_TITLE) + "\r\n";
        for (const std::string& problem : problems) errors += problem + "\r\n";
        errors = TrimLineEnds(errors);
    }
    summaryText = FillPlaceholders(LoadUiString(IDS_DIALOG_FSCT_PROMPT_SUMMARY),
                                   {
                                       {"#1", options.sourcePath},
                                       {"#2", options.destinationPath},
                                       {"#3", DirectionText(options.gbkToBig5)},
                                       {"#4", options.includeSubFolders ? yes : no},
                                       {"#5", options.copyNonText ? yes : no},
                                       {"#6", std::to_string(folderCount)},
                                       {"#7", std::to_string(textFileCount)},
                                       {"#8", FormatSizeText(textBytes)},
                                       {"#9", std::to_string(nonTextFileCount)},
                                       {"#A", FormatSizeText(nonTextBytes)},
                                       {"#B", errors},
                                       {"#C", FormatLongDuration(ElapsedSeconds())},
                                   });
    MessageRequest request;
    request.text = summaryText;
    request.style = kMbOk | (problems.empty() ? kMbIconInformation : kMbIconWarning);
    ShowMessage(request);
    return true;
}

std::string SiteTransfer::TargetPathFor(const std::string& child) {
    std::string relative = child.substr(options.sourcePath.size());
    // In place the names stay: renaming there would part converted text files from the
    // non-text files beside them, which are left where they are.
    if (options.changePathCode && options.resultInNew) {
        std::string converted;
        const bool completed = options.gbkToBig5 ? TransferGbkText(context_, nullptr, relative, converted, kModeCross)
                                                 : TransferBig5Text(context_, nullptr, relative, converted, kModeCross);
        if (completed && !converted.empty()) relative = converted;
    }
    // Joined with one separator: a site at the root of a drive ("C:\\") keeps its
    // separator, so the relative part starts without one.
    return JoinPath(options.destinationPath, relative);
}

void SiteTransfer::ShowOverall() {
    if (totalUnits <= 0) return;
    const int64_t done = doneUnits + fileUnitsDone;
    if (display) display->ShowOverallProgress(static_cast<int>(done * 1000 / totalUnits), static_cast<int>(done * 100 / totalUnits));
    if (progress) progress->Position(static_cast<long>(std::min<int64_t>(done, 0x7FFFFFFF)));
}

void SiteTransfer::ReportItemDone() {
    if (display) display->ShowFileProgress(1000, 100);
    ShowOverall();
}

bool SiteTransfer::WalkSite(const std::string& folder, bool scanOnly) {
    std::vector<FolderEntry> entries;
    if (!FolderExists(folder) || !ListFolder(folder, entries)) {
        errorMessage = Fill(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, folder);
        return false;
    }
    // Both passes must meet the entries in the same order; the file system's own order
    // is not promised to be stable between two listings.
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });

    const int expected = ExpectedCharset(options.gbkToBig5);
    for (const FolderEntry& entry : entries) {
        if (context_.control.pumpMessages) context_.control.pumpMessages();
        while (TransferState() == kTransferPaused) {
            if (context_.control.sleep)
                context_.control.sleep(kPauseSleepMilliseconds);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(kPauseSleepMilliseconds));
        }
        if (TransferState() == kTransferStopped) {
            errorMessage = LoadUiString(IDS_DIALOG_FSCT_PROMPT_CANCELED_BY_USER);
            return false;
        }

        const std::string child = JoinPath(folder, entry.name);
        const std::string target = TargetPathFor(child);
        const std::string shown = "..." + target.substr(std::min(target.size(), options.destinationPath.size()));

        if (entry.isFolder) {
            if (!options.includeSubFolders) continue;
            ++folderCount;
            if (options.resultInNew) {
                if (!scanOnly) {
                    if (display) {
                        display->ShowStatus(Fill(IDS_DIALOG_FSCT_NOTE_CREATING_DIRECTORY, shown));
                        display->ShowFileProgress(0, 0);
                    }
                    if (CreateFolderPath(target) != 0)
                        problems.push_back(LoadUiString(IDS_DIALOG_FSCT_PROMPT_CANT_CREATE) + ": " + target);
                }
                doneUnits += 1;
                if (!scanOnly) ReportItemDone();
            }
            if (!WalkSite(child, scanOnly)) return false;
            continue;
        }

        const uint64_t size = entry.size;
        if (!IsNonTextFile(child)) {
            if (size >= kLargestTransferSize) {
                errorMessage = Fill(IDS_DIALOG_FSCT_ERROR_TEXT_TOO_LARGE, child);
                return false;
            }
            textBytes += size;
            textClusters += clusterSize > 0 ? CeilDiv(size, static_cast<uint64_t>(clusterSize)) : 0;
            ++textFileCount;
            if (scanOnly) {
                doneUnits += static_cast<int64_t>(CeilDiv(size, kTextUnitBytes));
                if (!unlikeListFull) {
                    const int charset = GuessFileCharset(child);
                    if (charset != kCharsetAnsi && charset != kCharsetUndecided && charset != expected) {
                        if (unlikeFiles.size() < kUnlikeListLimit) {
                            unlikeFiles.push_back(child);
                        } else {
                            unlikeFiles.push_back("...");
                            unlikeListFull = true;
                        }
                    }
                }
                continue;
            }
            if (display) {
                display->ShowStatus(Fill(IDS_DIALOG_FSCT_NOTE_TRANSFER_FILE, shown));
                display->ShowFileProgress(0, 0);
            }
            fileUnits = static_cast<int64_t>(CeilDiv(size, kTextUnitBytes));
            fileUnitsDone = 0;
            std::string message;
            const bool transferred = TransferOneFile(child, target, options.gbkToBig5, true, message);
            if (TransferState() == kTransferStopped) {
                // Cancelled inside the conversion: the file was not written.
                errorMessage = LoadUiString(IDS_DIALOG_FSCT_PROMPT_CANCELED_BY_USER);
                return false;
            }
            if (!transferred) problems.push_back(LoadUiString(IDS_DIALOG_FSCT_PROMPT_CANT_TRANSFER) + ": " + target);
            doneUnits += fileUnits;
            fileUnits = fileUnitsDone = 0;
            ReportItemDone();
            continue;
        }

        if (!options.resultInNew || !options.copyNonText) continue;
        if (size >= kLargestTransferSize) {
            errorMessage = Fill(IDS_DIALOG_FSCT_ERROR_NON_TEXT_TOO_LARGE, child);
            return false;
        }
        ++nonTextFileCount;
        nonTextBytes += size;
        nonTextClusters += clusterSize > 0 ? CeilDiv(size, static_cast<uint64_t>(clusterSize)) : 0;
        if (!scanOnly) {
            if (display) {
                display->ShowStatus(Fill(IDS_DIALOG_FSCT_NOTE_COPYING_FILE, shown));
                display->ShowFileProgress(0, 0);
            }
            if (!CopyFileBytes(child, target, false))
                problems.push_back(LoadUiString(IDS_DIALOG_FSCT_PROMPT_CANT_COPY) + ": " + target);
        }
        doneUnits += static_cast<int64_t>(CeilDiv(size, kCopyUnitBytes));
        if (!scanOnly) ReportItemDone();
    }
    return true;
}

bool SiteTransfer::TransferOneFile(const std::string& source, const std::string& destination, bool gbkToBig5,
                                   bool quiet, std::string& message) {
    message.clear();
    if (!FileExists(source)) {
        message = Fill(IDS_ERROR_FILE_NOT_EXISTING_TEXT_FILE, source);
        return false;
    }
    if (!IsValidWindowsPath(destination)) {
        message = Fill(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH, destination);
        return false;
    }
    std::string input;
    if (!ReadFileBytes(source, input)) {
        message = LoadUiString(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE0_CHECK_FL);
        return false;
    }
    // A read-only file is the user's statement that it must not change; it is reported,
    // never made writable behind the user's back. The attribute bit is what Windows
    // honours, and it is also what tells when running with rights that ignore modes.
    const uint32_t attributes = GetFileAttributeBits(destination);
    if (attributes != 0xFFFFFFFFu && (attributes & kAttributeReadOnly)) {
        message = Fill(IDS_ERROR_FILE_READONLY, destination);
        return false;
    }
    // In a site walk the state already says running; setting it there could undo a
    // cancel made since the walk last looked.
    if (!quiet) SetTransferState(kTransferRunning);
    // A single file shows the wait cursor while it is converted and written; a site run
    // has its bars and status line instead.
    struct WaitCursor {
        SiteTransferDisplay* display;
        explicit WaitCursor(SiteTransferDisplay* shown) : display(shown) {
            if (display) display->SetWaitCursor(true);
        }
        ~WaitCursor() {
            if (display) display->SetWaitCursor(false);
        }
    } wait(quiet ? nullptr : display);

    FileProgressRelay relay(*this);
    std::string output;
    if (!TransferTextKeepingZeros(context_, &relay, input, gbkToBig5, kModeCross, output)) {
        // A part-converted text must never reach the disk.
        message = LoadUiString(IDS_DIALOG_FSCT_PROMPT_CANCELED_BY_USER);
        return false;
    }
    if (IsHtmlPageName(FileNamePart(source)))
        RewriteHtmlCharset(output, gbkToBig5, gbkToBig5 ? kCodePageBig5 : kCodePageGbk);

    // Through a temporary file and a rename: a full disk or a locked file leaves the
    // original, which in place is the only copy of the text, as it was.
    if (!ReplaceFileBytes(destination, output)) {
        message = Fill(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, destination);
        return false;
    }
    return true;
}

void SiteTransfer::OnConvertProgress(int phase, int64_t value) {
    if (phase == 0) {
        if (singleFileRun_) {
            totalUnits = fileUnits = value;
            doneUnits = 0;
            if (display) display->StartClock();
        }
        if (display) display->ShowFileProgress(0, 0);
        fileSteps = value;
        return;
    }
    if (phase != 1) return;
    if (fileSteps > 0 && value <= fileSteps) {
        fileUnitsDone = fileUnits * value / fileSteps;
        if (display) display->ShowFileProgress(static_cast<int>(value * 1000 / fileSteps), static_cast<int>(value * 100 / fileSteps));
        ShowOverall();
    } else if (display) {
        display->ShowFileProgress(1000, 100);
    }
}

}  // namespace zelvo
