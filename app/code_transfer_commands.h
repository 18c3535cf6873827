// The edit-area and clipboard transfer commands of the main window, as flows over the
// window's pieces. The window implements CodeTransferHost; the flows decide what happens
// in which order (the Windows 95/98/Me clipboard question, closing the Destination
// document, direct conversion or the progress dialog, the language selectors, the
// clipboard and the status texts), so they run in tests without windows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/main_window_model.h"
#include "convert/pipeline.h"
#include "convert/progress.h"

namespace zelvo {

// The four directions of the transfer commands (the window model's TransferDirection:
// TransferDirectionOfCommand maps the command ids).
using CodeTransferDirection = TransferDirection;

// One conversion as the transfer commands run it: which entry point, which mode, and the
// UI strings of its progress dialog caption and its busy status text.
struct CodeTransferRequest {
    CodeTransferDirection direction = CodeTransferDirection::kGbkToBig5;
    bool fromBig5 = false;  // TransferBig5Text rather than TransferGbkText
    int mode = 0;           // TransferMode
    int captionId = 0;      // operation label of the progress dialog
    int statusId = 0;       // status bar pane 0 while the conversion runs
};

// The request of an edit-area transfer (captions "Edit Area Transfer (...)").
CodeTransferRequest EditAreaTransferRequest(CodeTransferDirection direction);
// The request of a clipboard transfer (captions "Clipboard Transfer: ..."). The two GBK
// simplified/traditional directions have no clipboard command of their own; when the
// edit-area transfer hands them to the clipboard they keep their edit-area captions.
CodeTransferRequest ClipboardTransferRequest(CodeTransferDirection direction);

// Texts of this many bytes or more run in the progress dialog; shorter ones are
// converted directly with the main window as progress window.
inline constexpr std::size_t kProgressDialogMinimumBytes = kDirectTransferLimit;
// On Windows 95/98/Me a Source text longer than this is offered to the clipboard
// transfer rather than put into the Destination edit area.
inline constexpr std::size_t kNonNtDestinationMaximumBytes = kNonNtDestinationLimit;
// How long the clipboard transfer's outcome stays in status bar pane 0.
inline constexpr int kClipboardStatusMilliseconds = 2000;

// True when a text of this length runs in the progress dialog.
bool RunsInProgressDialog(std::size_t sourceLength);

// The selector rows after an edit-area transfer (SelectorsAfterTransfer): the area that
// receives the result gets the encoding of the result; under the Source->Destination
// option the Source selector gets the encoding of the source text. -1: left as it is.
using TransferSelectors = SelectorChoice;
inline TransferSelectors SelectorsForTransfer(CodeTransferDirection direction, bool resultToSource) {
    return SelectorsAfterTransfer(direction, resultToSource);
}

// What the main window lends the transfer flows. Text is bytes as the areas hold them.
class CodeTransferHost {
  public:
    virtual ~CodeTransferHost() = default;

    // System and options.
    virtual bool IsNt() const = 0;
    // "Code Transfer"/"UI Display Source 2 Source": the result replaces the Source text.
    virtual bool TransferToSource() const = 0;
    virtual bool StatusBarShown() const = 0;

    // The edit areas.
    virtual std::string SourceText() const = 0;
    virtual std::string DestinationText() const = 0;
    virtual void SetSourceText(const std::string& text) = 0;
    virtual void SetDestinationText(const std::string& text) = 0;
    // Shows the Destination edit area when it is hidden.
    virtual void ShowDestinationArea() = 0;
    // Closes the Destination document, asking to save it when modified; false when the
    // user refused (Cancel), in which case nothing has changed.
    virtual bool CloseDestinationDocument() = 0;
    // Selects a row of a language selector as if the user had chosen it (the area's font
    // follows).
    virtual void SelectSourceLanguage(int index) = 0;
    virtual void SelectDestinationLanguage(int index) = 0;

    // Status bar pane 0: a text that stays, a text that gives way to "Ready" after the
    // time, and "Ready" itself. Refresh brings the other panes and the buttons up to date.
    virtual void ShowStatusText(const std::string& text) = 0;
    virtual void ShowTimedStatusText(const std::string& text, int milliseconds) = 0;
    virtual void RestoreReadyStatus() = 0;
    virtual void Refresh() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The clipboard's CF_TEXT bytes. Get: false when the clipboard has no text or cannot
    // be opened. Set: empties the clipboard and puts the text; false when the clipboard
    // cannot be opened.
    virtual bool GetClipboardText(std::string& text) = 0;
    virtual bool SetClipboardText(const std::string& text) = 0;

    // The conversion: the main window's context (lib lists, transferState, pump) and the
    // main window as progress window of a direct conversion.
    virtual ConversionContext& TransferContext() = 0;
    virtual ProgressSink* MainWindowProgress() = 0;
    // Runs the conversion in the modal progress dialog with the operation label caption;
    // true when it ran to its end, false when the user cancelled it.
    virtual bool RunInProgressDialog(const CodeTransferRequest& request, const std::string& caption,
                                     std::string_view source, std::string& result) = 0;
};

// Converts source into result as the transfer commands do: directly under a wait cursor
// below kProgressDialogMinimumBytes (transferState set to running first), else in the
// progress dialog. Returns false when the conversion was cancelled; result is then not
// to be used.
bool RunCodeTransfer(CodeTransferHost& host, const CodeTransferRequest& request, std::string_view source,
                     std::string& result);

// The transfer commands. One object per main window; a transfer started while another
// one is pumping messages is ignored.
class CodeTransferCommands {
  public:
    explicit CodeTransferCommands(CodeTransferHost& host) : host_(host) {}

    // Edit Area Transfer (32833, 32834, 32891, 32892, 32771, 32772).
    void EditAreaTransfer(CodeTransferDirection direction);
    // Clipboard Transfer (32851, 32852).
    void ClipboardTransfer(CodeTransferDirection direction);

    bool Busy() const { return busy_; }

  private:
    void EditAreaTransferNow(CodeTransferDirection direction);
    void ClipboardTransferNow(CodeTransferDirection direction);
    // Offers the clipboard instead of a Destination area too small for the text (Windows
    // 95/98/Me); true when the user said Yes.
    bool AskClipboardInstead();

    CodeTransferHost& host_;
    bool busy_ = false;
};

}  // namespace zelvo
