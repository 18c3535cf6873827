#include "app/documents.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "app/editor_app.h"
#include "app/recent_files.h"
#include "convert/charset_detector.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/shortcut.h"
#include "platform/system_info.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"
#include "transfer/site_transfer.h"

namespace zelvo {

namespace {

constexpr const char* kFileSection = "File";
constexpr uint64_t kKilobyte = 1024;
constexpr uint64_t kMegabyte = 1024 * 1024;
// Rows of the language selectors that open files are switched to.
constexpr int kLanguageIndexGbk = 1;
constexpr int kLanguageIndexBig5 = 3;

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    return CompareTextNoCase(std::string_view(text).substr(text.size() - tail.size()), tail, kCodePageGbk) ==
           0;
}

// Digits of value with "," between groups of three: "1,048,576".
std::string GroupThousands(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return grouped;
}

// value / unit, truncated to two decimals below 10 units, one below 100, none above.
std::string UnitValue(uint64_t value, uint64_t unit) {
    char text[64];
    if (value < 10 * unit) {
        const uint64_t hundredths = value * 100 / unit;
        std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(hundredths / 100),
                      static_cast<unsigned long long>(hundredths % 100));
    } else if (value < 100 * unit) {
        const uint64_t tenths = value * 10 / unit;
        std::snprintf(text, sizeof text, "%llu.%llu", static_cast<unsigned long long>(tenths / 10),
                      static_cast<unsigned long long>(tenths % 10));
    } else {
        std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value / unit));
    }
    return text;
}

std::string Fill(int id, const std::string& first, const std::string& second = {},
                 const std::string& third = {}) {
    std::string text = LoadUiString(id);
    text = ReplaceAll(text, "#1", first);
    if (!second.empty()) text = ReplaceAll(text, "#2", second);
    if (!third.empty()) text = ReplaceAll(text, "#3", third);
    return text;
}

void ShowError(const std::string& text) {
    ShowMessage(text, "", kMbOk | kMbIconError);
}

bool AreaIsSource(EditArea area) {
    return area != EditArea::kDestination;
}

// Wait cursor for the length of one operation.
class WaitCursor {
  public:
    explicit WaitCursor(DocumentHost& host) : host_(host) { host_.SetWaitCursor(true); }
    ~WaitCursor() { host_.SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    DocumentHost& host_;
};

}  // namespace

// ---- Reading and writing ----

std::string ResolveTextFilePath(const std::string& path) {
    std::string trimmed = TrimBlanks(path);
    if (EndsWithNoCase(trimmed, ".lnk")) {
        std::string target = ResolveShortcut(trimmed);
        if (!target.empty()) return target;
    }
    return trimmed;
}

int ReadTextFile(const std::string& path, bool wholeFile, bool isNt, std::string& text) {
    text.clear();
    const std::string file = ResolveTextFilePath(path);
    uint64_t size = 0;
    if (!FileSizeOf(file, size)) return kReadFailed;
    const bool cut = !wholeFile && !isNt && size > kReadLimitWithoutNt;
    std::string bytes;
    const bool read = cut ? ReadFileHead(file, kReadLimitWithoutNt, bytes) : ReadFileBytes(file, bytes);
    if (!read) return kReadFailed;
    if (bytes.find('\0') != std::string::npos) return kReadBinary;
    text = std::move(bytes);
    return cut ? kReadCut : kReadWhole;
}

int WriteTextFile(const std::string& path, const std::string& text, std::string& errorText) {
    errorText.clear();
    if (!IsValidWindowsPath(path)) {
        errorText = Fill(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH, path);
        return kWriteInvalidPath;
    }
    if (EndsWithSeparator(path) || FolderExists(path)) {
        errorText = Fill(IDS_ERROR_FILE_PATH_IS_A_DIRECTORY_NOT_A_FILE, path);
        return kWriteIsFolder;
    }
    const uint32_t attributes = GetFileAttributeBits(path);
    if (attributes != 0xFFFFFFFFu && (attributes & kAttributeReadOnly)) {
        errorText = Fill(IDS_ERROR_FILE_READONLY, path);
        return kWriteReadOnly;
    }
    const std::string folder = ParentFolder(path);
    const bool folderReady = folder.empty() || FolderExists(folder) || CreateFolderPath(folder) == 0;
    if (!folderReady || !ReplaceFileBytes(path, text)) {
        errorText = Fill(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, path);
        return kWriteFailed;
    }
    return kWriteDone;
}

// ---- Texts ----

std::string DefaultExtension(const std::string& name) {
    std::string path = TrimBlanks(name);
    const std::string last = FileNamePart(path);
    if (last.empty()) return path;
    const size_t dot = last.rfind('.');
    if (dot == std::string::npos || dot == 0) return path + ".txt";
    if (dot == last.size() - 1) return path + "txt";
    return path;
}

std::string FormatTextSize(uint64_t bytes) {
    const std::string unit = LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_BYTES);
    if (bytes < kKilobyte) {
        const std::string small = std::to_string(bytes) + " " + unit;
        return small + " (" + small + ")";
    }
    const std::string exact = GroupThousands(bytes) + " " + unit;
    if (bytes < kMegabyte) return UnitValue(bytes, kKilobyte) + " KB (" + exact + ")";
    return UnitValue(bytes, kMegabyte) + " MB (" + exact + ")";
}

uint64_t CountTextLines(std::string_view text) {
    if (text.empty()) return 0;
    uint64_t lines = 1;
    for (char c : text)
        if (c == '\n') ++lines;
    return lines;
}

std::string FormatLineCountValue(uint64_t lines) {
    return GroupThousands(lines) + " " + LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_LINES);
}

std::string FormatLineCount(std::string_view text) {
    return FormatLineCountValue(CountTextLines(text));
}

std::string FormatFileTime(int64_t time) {
    return FormatLocalTime(time, "%m-%d-%Y %H:%M:%S");
}

std::string FormatFileDate(int64_t time) {
    return FormatLocalTime(time, "%m-%d-%Y");
}

std::string FormatAttributes(uint32_t attributes) {
    static constexpr struct {
        uint32_t bit;
        int id;
    } kNames[] = {
        {kAttributeReadOnly, IDS_DIALOG_ZELVO_PROPERTIES_READ_ONLY},
        {kAttributeHidden, IDS_DIALOG_ZELVO_PROPERTIES_HIDDEN},
        {kAttributeArchive, IDS_DIALOG_ZELVO_PROPERTIES_ARCHIVE},
        {kAttributeSystem, IDS_DIALOG_ZELVO_PROPERTIES_SYSTEM},
    };
    std::string text;
    for (const auto& name : kNames) {
        if (!(attributes & name.bit)) continue;
        if (!text.empty()) text += ", ";
        text += LoadUiString(name.id);
    }
    return text.empty() ? LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_NORMAL) : text;
}

std::string FormatPropertiesText(const DocumentFacts& facts) {
    struct Line {
        int label;
        std::string value;
        bool blankAfter;
    };
    const bool file = facts.fileExists;
    const Line lines[] = {
        {IDS_DIALOG_ZELVO_PROPERTIES_FILE_PATH, facts.path, true},
        {IDS_DIALOG_ZELVO_PROPERTIES_CREATE_TIME,
         FormatFileTime(file ? facts.times.created : facts.emptiedTime), false},
        {IDS_DIALOG_ZELVO_PROPERTIES_MODIFIED_TIME, file ? FormatFileTime(facts.times.modified) : "", false},
        {IDS_DIALOG_ZELVO_PROPERTIES_ACCESS_TIME, file ? FormatFileDate(facts.times.accessed) : "", true},
        {IDS_DIALOG_ZELVO_PROPERTIES_ATTRIBUTES, file ? FormatAttributes(facts.attributes) : "", true},
        {IDS_DIALOG_ZELVO_PROPERTIES_CHARACTER_COUNT, FormatTextSize(facts.textBytes), false},
        {IDS_DIALOG_ZELVO_PROPERTIES_LINE_COUNT, FormatLineCountValue(facts.lineCount), false},
    };
    // Labels are padded to the longest one so the tab after them lands on one stop.
    std::vector<std::string> labels;
    size_t longest = 0;
    for (const Line& line : lines) {
        labels.push_back(LoadUiString(line.label));
        longest = std::max(longest, labels.back().size());
    }
    std::string text;
    const size_t count = std::size(lines);
    for (size_t i = 0; i < count; ++i) {
        text += labels[i] + ":" + std::string(longest - labels[i].size(), ' ') + "\t" + lines[i].value;
        if (i + 1 < count) text += lines[i].blankAfter ? "\r\n\r\n" : "\r\n";
    }
    return text;
}

std::string PropertiesCaption(EditArea area) {
    const int areaName =
        AreaIsSource(area) ? IDS_PROFILE_SOURCE_EDIT_AREA : IDS_PROFILE_DESTINATION_EDIT_AREA;
    return LoadUiString(IDS_TIP_PROPERTIES) + " - " + LoadUiString(areaName);
}

std::string FileDialogFilter() {
    return LoadUiString(IDS_DIALOG_ZELVO_FILE_TYPE);
}

std::string LastFolderKey(EditArea area) {
    return AreaIsSource(area) ? "Last Source File Folder" : "Last Destination File Folder";
}

// ---- The controller ----

DocumentController::DocumentController(DocumentHost& host) : host_(host) {
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    source_.emptiedTime = now;
    destination_.emptiedTime = now;
}

const DocumentState& DocumentController::State(EditArea area) const {
    return AreaIsSource(area) ? source_ : destination_;
}

DocumentState& DocumentController::StateOf(EditArea area) {
    return AreaIsSource(area) ? source_ : destination_;
}

void DocumentController::SetModified(EditArea area, bool modified) {
    StateOf(area).modified = modified;
}

std::string DocumentController::LastFolder(EditArea area) const {
    return ReadRegString(kFileSection, LastFolderKey(area), "");
}

void DocumentController::StoreFolderOf(EditArea area, const std::string& path) {
    const std::string folder = ParentFolder(path);
    if (!folder.empty()) WriteRegString(kFileSection, LastFolderKey(area), folder);
}

bool DocumentController::OpenFile(const std::string& path, EditArea area) {
    WaitCursor wait(host_);
    const std::string given = TrimBlanks(path);
    if (!FileExists(given)) {
        ShowError(Fill(IDS_ERROR_FILE_FILE_NOT_EXIST, given));
        return false;
    }
    // A shortcut stands for its target: that is the file the area holds and saves to, so
    // saving never writes text over the shortcut itself.
    const std::string file = ResolveTextFilePath(given);
    if (file == StateOf(area).path) return false;
    if (AskToSave(area) == kSaveCancel) return false;
    if (!Close(area)) return false;

    host_.SetStatusText(LoadUiString(IDS_DIALOG_ZELVO_STATUS_OPENING_FILE));
    std::string text;
    const int result = ReadTextFile(file, false, TheApp().isNt, text);
    DocumentState& state = StateOf(area);
    switch (result) {
        case kReadFailed:
            ShowError(Fill(IDS_DIALOG_ZELVO_MSG_CAN_NOT_READ_FILE, file));
            host_.RestoreReady();
            return false;
        case kReadBinary:
            ShowError(Fill(IDS_DIALOG_ZELVO_PROMPT_BINARY_FILE, file, TheApp().productName));
            host_.RestoreReady();
            return false;
        case kReadCut:
            ShowMessage(
                Fill(IDS_DIALOG_ZELVO_MSG_FILE_TOO_LARGE_READ_HEAD, file, "60,000", TheApp().productName), "",
                kMbOk | kMbIconWarning);
            state.path.clear();
            state.truncated = true;
            break;
        default:
            state.path = file;
            break;
    }

    if (!host_.IsCommandLinePending()) {
        const int charset = GuessFileCharset(file);
        if (charset == kCharsetGb2312) host_.SelectLanguageAsUser(area, kLanguageIndexGbk);
        if (charset == kCharsetBig5) host_.SelectLanguageAsUser(area, kLanguageIndexBig5);
    }
    host_.ShowArea(area);
    host_.SetAreaText(area, text);
    state.modified = false;
    StoreFolderOf(area, file);
    AddRecentFile(file, area);
    host_.SetStatusArea(area);
    host_.RestoreReady();
    host_.Refresh();
    return true;
}

bool DocumentController::OpenCommand(EditArea area) {
    std::string path;
    if (!host_.AskOpenFileName(area, LastFolder(area), path)) return false;
    return OpenFile(path, area);
}

bool DocumentController::AskSaveName(EditArea area, const std::string& initialFolder, std::string& path) {
    std::string chosen;
    if (!host_.AskSaveFileName(area, initialFolder, chosen)) return false;
    path = DefaultExtension(chosen);
    return !path.empty();
}

bool DocumentController::WriteAreaText(EditArea area, const std::string& path) {
    std::string error;
    if (WriteTextFile(path, host_.GetAreaText(area), error) == kWriteDone) return true;
    ShowError(error);
    return false;
}

int DocumentController::AskToSave(EditArea area) {
    DocumentState& state = StateOf(area);
    if (!state.modified) return kSaveYes;
    if (state.path.empty() && host_.GetAreaText(area).empty()) {
        state.modified = false;
        return kSaveYes;
    }
    const bool source = AreaIsSource(area);
    const std::string question = state.path.empty()
                                     ? LoadUiString(source ? IDS_DIALOG_ZELVO_PROMPT_SAVE_SOURCE
                                                           : IDS_DIALOG_ZELVO_PROMPT_SAVE_DESTINATION)
                                     : Fill(source ? IDS_DIALOG_ZELVO_PROMPT_SAVE_SOURCE_TO_FILE
                                                   : IDS_DIALOG_ZELVO_PROMPT_SAVE_DESTINATION_TO_FILE,
                                            state.path);
    const int answer = ShowMessage(question, "", kMbYesNoCancel | kMbIconQuestion);
    if (answer == kIdNo) {
        state.modified = false;
        return kSaveNo;
    }
    if (answer != kIdYes) return kSaveCancel;

    std::string path = state.path;
    if (path.empty() && !AskSaveName(area, LastFolder(area), path)) return kSaveCancel;
    if (!WriteAreaText(area, path)) return kSaveCancel;
    StoreFolderOf(area, path);
    state.modified = false;
    return kSaveYes;
}

bool DocumentController::Close(EditArea area) {
    if (AskToSave(area) == kSaveCancel) return false;
    DocumentState& state = StateOf(area);
    if (!state.path.empty()) StoreFolderOf(area, state.path);
    state.path.clear();
    host_.SetAreaText(area, "");
    state.modified = false;
    state.truncated = false;
    state.emptiedTime = static_cast<int64_t>(std::time(nullptr));
    host_.Refresh();
    return true;
}

bool DocumentController::Save(EditArea area) {
    DocumentState& state = StateOf(area);
    std::string path = TrimBlanks(state.path);
    if ((path.empty() || !FileExists(path)) && !AskSaveName(area, LastFolder(area), path)) return false;
    if (!WriteAreaText(area, path)) return false;
    StoreFolderOf(area, path);
    state.path = path;
    state.modified = false;
    state.truncated = false;
    host_.Refresh();
    return true;
}

bool DocumentController::SaveAs(EditArea area) {
    DocumentState& state = StateOf(area);
    std::string initialFolder = LastFolder(area);
    if (initialFolder.empty() && !state.path.empty()) initialFolder = ParentFolder(state.path);
    std::string path;
    if (!AskSaveName(area, initialFolder, path)) return false;
    const int question = PathExists(path) ? IDS_DIALOG_ZELVO_MSG_PROMPT_OVERWRITE_FILE
                                          : IDS_DIALOG_ZELVO_MSG_FILE_NOT_EXIST_PROMPT_CREATE;
    if (ShowMessage(Fill(question, path), "", kMbYesNo | kMbIconQuestion) != kIdYes) return false;
    if (!WriteAreaText(area, path)) return false;
    StoreFolderOf(area, path);
    AddRecentFile(path, area);
    state.path = path;
    state.modified = false;
    state.truncated = false;
    host_.Refresh();
    return true;
}

DocumentFacts DocumentController::CollectFacts(EditArea area) {
    const DocumentState& state = StateOf(area);
    DocumentFacts facts;
    facts.path = state.path;
    facts.emptiedTime = state.emptiedTime;
    facts.fileExists = !state.path.empty() && FileExists(state.path);
    if (facts.fileExists) {
        GetFileTimes(state.path, facts.times);
        facts.attributes = GetFileAttributeBits(state.path);
    }
    const std::string text = host_.GetAreaText(area);
    facts.textBytes = text.size();
    facts.lineCount = CountTextLines(text);
    return facts;
}

void DocumentController::Properties(EditArea area) {
    ShowMessage(FormatPropertiesText(CollectFacts(area)), PropertiesCaption(area),
                kMbOk | kMbIconInformation);
}

std::vector<std::string> DocumentController::RecentFilesForMenu(EditArea area) {
    std::vector<std::string> list = zelvo::RecentFilesForMenu(area);
    (AreaIsSource(area) ? sourceMenu_ : destinationMenu_) = list;
    return list;
}

bool DocumentController::OpenRecent(EditArea area, int index) {
    std::vector<std::string>& shown = AreaIsSource(area) ? sourceMenu_ : destinationMenu_;
    // The entry the user saw in the menu, even if its file went away since the menu was built
    // (a fresh read would already have dropped it, and index would name the next file).
    const std::vector<std::string> list = shown.empty() ? ReadRecentFiles(area) : shown;
    if (index < 0 || index >= static_cast<int>(list.size())) return false;
    const std::string path = list[index];
    shown.clear();  // one command per menu: the next one shows a fresh list
    if (FileExists(path)) return OpenFile(path, area);
    ShowError(Fill(IDS_ERROR_FILE_FILE_NOT_EXIST, path));
    RemoveRecentPath(area, path);
    return false;
}

EditArea DocumentController::DropTargetArea(int cursorY, int sourceBottom, int destinationTop) {
    // Above the midpoint: compared doubled so the half pixel is not lost.
    const int64_t doubledY = 2 * static_cast<int64_t>(cursorY);
    return doubledY < static_cast<int64_t>(sourceBottom) + destinationTop ? EditArea::kSource
                                                                          : EditArea::kDestination;
}

bool DocumentController::OpenDroppedFiles(const std::vector<std::string>& paths, int cursorY,
                                          int sourceBottom, int destinationTop) {
    if (handlingDrop_) return false;
    handlingDrop_ = true;
    host_.AcceptDroppedFiles(false);
    bool opened = false;
    for (const std::string& path : paths) {
        if (!FileExists(path)) continue;
        opened = OpenFile(path, DropTargetArea(cursorY, sourceBottom, destinationTop));
        break;
    }
    host_.AcceptDroppedFiles(true);
    handlingDrop_ = false;
    return opened;
}

}  // namespace zelvo
