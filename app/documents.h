// Documents of the two edit areas: opening, saving, closing, properties, the questions
// asked before unsaved text is lost, and files dropped on the window. Each area holds at
// most one document, a text file kept as raw bytes (no code page or line-end conversion on
// load or save) or untitled text.
//
// The flows live in DocumentController, which talks to the window only through the
// DocumentHost interface below; the main window implements it, tests implement it with a
// fake. Messages and questions go through services/message_service.h, settings through
// platform/registry_store.h.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "app/edit_area.h"
#include "platform/file_system.h"

namespace zelvo {

// ---- Reading and writing text files ----

// Results of ReadTextFile.
enum ReadTextResult : int {
    kReadFailed = 0,   // the file cannot be opened or read
    kReadWhole = 1,    // the whole file was read
    kReadCut = 2,      // only the first kReadLimitWithoutNt bytes were read
    kReadBinary = -1,  // the file holds a zero byte: not text
};

// Bytes looked at for the zero byte that marks a binary file.
inline constexpr size_t kBinaryProbeBytes = 32768;
// Outside the NT family an edit control holds about this much; larger files are cut.
inline constexpr size_t kReadLimitWithoutNt = 60000;

// The path a document is read from: trimmed of blanks, and for a shortcut (".lnk" in any
// case) its target when that is not empty.
std::string ResolveTextFilePath(const std::string& path);

// Reads a text file for an edit area. The whole file is read when wholeFile or isNt is
// set or the file is smaller than 60001 bytes; otherwise only its first 60000 bytes
// (kReadCut). A zero byte in the first 32768 bytes, or anywhere in the bytes read, makes
// the file binary (kReadBinary): an edit area cannot hold a zero byte, and a text silently
// ended there would lose the rest of the file when saved. text is empty unless the result
// is kReadWhole or kReadCut.
int ReadTextFile(const std::string& path, bool wholeFile, bool isNt, std::string& text);

// Results of WriteTextFile.
enum WriteTextResult : int {
    kWriteDone = 1,
    kWriteInvalidPath = 0,  // not a valid Windows path (UI string 100004)
    kWriteIsFolder = -1,    // ends with a separator or names a folder (100003)
    kWriteReadOnly = -2,    // the file exists and is read-only (100005)
    kWriteFailed = -3,      // cannot write: folder, disk full... (100015)
};

// Writes text's bytes exactly to path, creating missing folders. The bytes go to a
// temporary file in the same folder that then replaces the old file, so a failed write
// leaves the old file as it was. On failure errorText is the UI-language error with "#1"
// := path; on success it is cleared.
int WriteTextFile(const std::string& path, const std::string& text, std::string& errorText);

// ---- Texts ----

// A chosen file name with ".txt" appended when its last component has no extension: no
// "." at all, only a leading "." or a trailing "." ("readme" and "readme." both give
// "readme.txt", "a.b" stays). The name is trimmed first; an empty name stays empty.
std::string DefaultExtension(const std::string& name);

// "512 Bytes (512 Bytes)", "1.50 KB (1,536 Bytes)", "1.00 MB (1,048,576 Bytes)": KB and MB
// values truncated to two decimals below 10 units, one below 100, none above.
std::string FormatTextSize(uint64_t bytes);

// 1 + the number of LF bytes; 0 for an empty text.
uint64_t CountTextLines(std::string_view text);
// "1,000,001 Lines", "1,010 Lines", "7 Lines" of CountTextLines(text).
std::string FormatLineCount(std::string_view text);
std::string FormatLineCountValue(uint64_t lines);

// Local time of a file time (seconds since 1970 UTC): "%m-%d-%Y %H:%M:%S" and "%m-%d-%Y".
std::string FormatFileTime(int64_t time);
std::string FormatFileDate(int64_t time);

// "Read-only, Hidden, Archive, System" from attribute bits 1, 2, 0x20, 4 in this order;
// "Normal" when none of them is set.
std::string FormatAttributes(uint32_t attributes);

// What the Properties message is made of.
struct DocumentFacts {
    std::string path;         // empty for untitled text
    bool fileExists = false;  // path names an existing file
    FileTimes times;          // when fileExists
    uint32_t attributes = 0;  // when fileExists
    int64_t emptiedTime = 0;  // shown as "Created" when there is no file
    uint64_t textBytes = 0;
    uint64_t lineCount = 0;
};

// The whole Properties text: one "label:padding\tvalue" line per item, a blank line after
// Location, Access and Attributes, nothing after the last line.
std::string FormatPropertiesText(const DocumentFacts& facts);
// "Properties - Source Edit Area" / "Properties - Destination Edit Areas" in the UI language.
std::string PropertiesCaption(EditArea area);

// Filter of the open and save dialogs (UI string 40045, "|"-separated pairs).
std::string FileDialogFilter();

// "Last Source File Folder" / "Last Destination File Folder" (section "File").
std::string LastFolderKey(EditArea area);

// ---- The window as documents see it ----

// Implemented by the main window. Areas are kSource or kDestination, never kNone.
class DocumentHost {
  public:
    virtual ~DocumentHost() = default;

    // The area's text as bytes in the code page it is shown in.
    virtual std::string GetAreaText(EditArea area) = 0;
    // Replaces the area's text. The edit control's change notification may call
    // DocumentController::SetModified(area, true) from inside; the controller sets the
    // flag it wants after this returns.
    virtual void SetAreaText(EditArea area, const std::string& text) = 0;
    // Shows the area if it is hidden.
    virtual void ShowArea(EditArea area) = 0;

    // The common Open / Save dialogs with FileDialogFilter() and the given initial folder
    // (may be empty). False when the user cancelled; otherwise path is the chosen file.
    virtual bool AskOpenFileName(EditArea area, const std::string& initialFolder, std::string& path) = 0;
    virtual bool AskSaveFileName(EditArea area, const std::string& initialFolder, std::string& path) = 0;

    // Status bar pane 0: a busy text ("Opening..."), or "Ready" back.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void RestoreReady() = 0;

    // Selects row index of the area's language selector as if the user had chosen it
    // (1 GBK, 3 Big5): stores it and applies the area's font.
    virtual void SelectLanguageAsUser(EditArea area, int index) = 0;
    // Makes the area the one the status bar and the title describe.
    virtual void SetStatusArea(EditArea area) = 0;
    // Title, status bar and enabling after a document changed.
    virtual void Refresh() = 0;
    // True while the command line is being handled: the code page guess is left to it.
    virtual bool IsCommandLinePending() = 0;
    virtual void SetWaitCursor(bool on) = 0;
    // Files dropped on the window are refused while one drop is being handled.
    virtual void AcceptDroppedFiles(bool on) { (void)on; }
};

// One area's document.
struct DocumentState {
    std::string path;  // empty: untitled
    bool modified = false;
    bool truncated = false;   // the file was cut at 60000 bytes on load
    int64_t emptiedTime = 0;  // last time the area was emptied (seconds since 1970 UTC)
};

// Results of AskToSave, numbered as the message box answers.
enum SaveAnswer : int { kSaveYes = 6, kSaveNo = 7, kSaveCancel = 2 };

// The document flows of both areas. isNt and productName come from TheApp().
class DocumentController {
  public:
    explicit DocumentController(DocumentHost& host);

    const DocumentState& State(EditArea area) const;
    const std::string& Path(EditArea area) const { return State(area).path; }
    bool IsModified(EditArea area) const { return State(area).modified; }
    bool IsTruncated(EditArea area) const { return State(area).truncated; }
    // The window calls this on EN_CHANGE of the area (true) and after undoing to a clean state.
    void SetModified(EditArea area, bool modified);

    // Initial folder of the area's file dialogs ("File"/"Last ... File Folder").
    std::string LastFolder(EditArea area) const;

    // Loads the file into the area, after asking to save the text it replaces. Nothing
    // happens when the path is the area's own file, even when it is modified. True when the
    // file's text is now in the area (also cut, as untitled text).
    bool OpenFile(const std::string& path, EditArea area);
    // Open dialog, then OpenFile. False when cancelled or not opened.
    bool OpenCommand(EditArea area);
    // kSaveYes (also when nothing needs saving), kSaveNo (the caller discards the text) or
    // kSaveCancel (the caller must not go on; also when saving failed).
    int AskToSave(EditArea area);
    // Asks to save, then empties the area. False when the user cancelled.
    bool Close(EditArea area);
    // Writes the text to the area's file, asking for a name when it has none or the file is
    // gone. True when written. The recent-file list is not touched.
    bool Save(EditArea area);
    // Asks for a new name, confirms overwrite or creation, writes. True when written.
    bool SaveAs(EditArea area);
    // The Properties message box of the area.
    void Properties(EditArea area);
    // Recent entry index (0-based; command first id + index): opens it when the file
    // exists, else says it is not found and removes the entry. True when opened.
    bool OpenRecent(EditArea area, int index);
    // Opens the first dropped path that is an existing file, into the Source area when
    // cursorY is above the midpoint between sourceBottom and destinationTop (client
    // coordinates of the two edit controls), else the Destination area. The rest are
    // ignored. True when a file was opened.
    bool OpenDroppedFiles(const std::vector<std::string>& paths, int cursorY, int sourceBottom,
                          int destinationTop);

    // The area a drop at cursorY goes to.
    static EditArea DropTargetArea(int cursorY, int sourceBottom, int destinationTop);
    // The facts the Properties message shows for the area now.
    DocumentFacts CollectFacts(EditArea area);
    // The recent files the area's File menu shows, as RecentFilesForMenu (recent_files.h)
    // gives them. The window builds the menu entries from this list: OpenRecent then opens
    // the entry the user saw, even when its file has gone since the menu was built.
    std::vector<std::string> RecentFilesForMenu(EditArea area);

  private:
    DocumentState& StateOf(EditArea area);
    // Save dialog with the default extension applied; false when cancelled.
    bool AskSaveName(EditArea area, const std::string& initialFolder, std::string& path);
    // WriteTextFile with the error shown; true when written.
    bool WriteAreaText(EditArea area, const std::string& path);
    void StoreFolderOf(EditArea area, const std::string& path);

    DocumentHost& host_;
    DocumentState source_;
    DocumentState destination_;
    bool handlingDrop_ = false;
    std::vector<std::string> sourceMenu_;  // recent files as last shown in each File menu
    std::vector<std::string> destinationMenu_;
};

}  // namespace zelvo
