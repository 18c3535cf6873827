// The program's one top-level window: dialog 102 with the Source edit area (286) above the
// Destination edit area (296), each under its toolbar row with a language selector, plus the
// menu bar 143 and the status bar. What is shown where, which command is enabled and what
// the menus and panes say comes from app/main_window_model.h; documents from
// app/documents.h; the transfer commands from app/code_transfer_commands.h. This class
// carries their answers out on the windows.
//
// The code is split by concern: main_window.cpp (initialisation, layout, showing and
// hiding, closing, timers), main_window_areas.cpp (edit areas: text, languages, fonts,
// edit commands, documents host), main_window_menus.cpp (menus, context menu, accelerators),
// main_window_status.cpp (status bar, title, enabling, tooltips, UI language),
// main_window_commands.cpp (the command table and the transfers host) and
// main_window_update.cpp (the daily update check and the downloads it and the language
// support offer start).
#pragma once

#include <windows.h>
// The other system headers need the types of windows.h.
#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/code_transfer_commands.h"
#include "app/documents.h"
#include "app/edit_area.h"
#include "app/main_window_model.h"
#include "app/view_settings.h"
#include "app/win/flat_button.h"
#include "app/win/progress_message.h"
#include "convert/pipeline.h"
#include "convert/win/lib_manager_dialog.h"
#include "convert/word_adjustment_lib.h"
#include "platform/win/handles.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/text_drag_drop.h"
#include "services/win/toolkit/tooltips.h"
#include "services/win/update_dialog.h"
#include "transfer/profile_list.h"
#include "transfer/win/find_replace_dialog.h"

namespace zelvo {

class EditorApp;
struct ProfileWindowHost;

// Timers of the main window.
enum MainWindowTimer : UINT_PTR {
    kLayoutTimer = 0,            // 50 ms after a size change
    kFindRefreshTimer = 1,       // Find/Replace refresh
    kCaretTimer = 2,             // caret to the start after a command-line open (10 ms)
    kStartTimer = 3,             // once, 100 ms after initialisation
    kStatusTextTimer = 4,        // end of a timed status text
    kSourceOfferTimer = 5,       // language support check of the Source area (500 ms)
    kDestinationOfferTimer = 6,  // the same for the Destination area
};

class MainWindow : public Dialog, public DocumentHost, public CodeTransferHost {
  public:
    explicit MainWindow(EditorApp& app);
    ~MainWindow() override;

    // ---- What tests and the start-up look at ----
    int launchIndex() const { return launchIndex_; }
    int sourceLanguageIndex() const { return source_.languageIndex; }
    int destinationLanguageIndex() const { return destination_.languageIndex; }
    int LanguageIndex(EditArea area) const { return AreaOf(area).languageIndex; }
    int FontPoints(EditArea area) const { return AreaOf(area).fontPoints; }
    const ViewState& view() const { return view_; }
    EditArea contextArea() const { return contextArea_; }
    EditArea statusArea() const { return statusArea_; }
    bool initialised() const { return initialised_; }
    DocumentController& documents() { return documents_; }
    ConversionContext& conversionContext() { return context_; }
    std::string StatusPaneText(int pane) const;
    HWND statusBar() const { return statusBar_.hwnd(); }
    const ToolTips& toolTips() const { return tips_; }
    // Drag and drop of text in an area; its drop target is the one registered for the area.
    TextEditDragDrop& DragDropOf(EditArea area) { return AreaOf(area).dragDrop; }
    // The snapshot the enabling rules and the menus are computed from, as of now.
    WindowSnapshot Snapshot() const;

    // Handles the stored command line once: parses it, and when it names an existing file
    // opens it in the Source area through the documents. False when it was ignored.
    bool OpenFromCommandLine();

    // The Find/Replace window of an area (null before initialisation and after closing).
    FindReplaceDialog* FindWindowOf(EditArea area) const;
    bool FindWindowShown(EditArea area) const;

    // Translates an accelerator key of table 207 for this window; true when the message
    // became a command. The modal loop calls it through a message filter hook.
    bool TranslateAccelerators(MSG& message);

    // ---- Seams for tests ----
    // The file-name questions of the documents: the common Open and Save dialogs unless
    // replaced. Returning false means the user cancelled.
    using FileNameQuestion =
        std::function<bool(EditArea area, bool save, const std::string& initialFolder, std::string& path)>;
    void SetFileNameQuestion(FileNameQuestion question) { fileNameQuestion_ = std::move(question); }
    // Shows a pop-up menu and returns the chosen command (0: none). TrackPopupMenu unless
    // replaced; tests answer without a menu loop.
    using MenuTracker = std::function<int(const std::vector<MenuEntry>& entries, POINT screenPoint)>;
    void SetMenuTracker(MenuTracker tracker) { menuTracker_ = std::move(tracker); }
    // Starts a new instance of the program (command New): shell "open" of the program file
    // unless replaced.
    using ProcessStarter = std::function<bool(const std::string& program, const std::string& folder)>;
    void SetProcessStarter(ProcessStarter starter) { processStarter_ = std::move(starter); }
    // Runs the download dialog over this window (a new version, a language support pack);
    // true when the downloaded installer was started. RunDownloadDialog unless replaced.
    using DownloadRunner = std::function<bool(const DownloadRequest& request)>;
    void SetDownloadRunner(DownloadRunner runner) { downloadRunner_ = std::move(runner); }
    // The thread of the daily update check, once the start timer has started it.
    HANDLE updateCheckThread() const { return updateCheckThread_; }
    // What the lib editor's merge, validation and import buttons run, and how it starts the
    // instance that edits a lib as text (set before Code Transfer > Advanced Word Adjustment).
    LibManagerHooks& libManagerHooks() { return libHooks_; }
    // The lists word adjustment applies now.
    const WordAdjustmentLibList& LibList(bool isG2B) const { return isG2B ? g2bLibs_ : b2gLibs_; }

    // ---- Actions the commands and the tests use ----
    void ToggleAreaShown(EditArea area);
    void ToggleToolbarShown(EditArea area);
    void ToggleMenuBarShown();
    void ToggleStatusBarShown();
    void ToggleAlwaysOnTop();
    // Word wrap of both areas, on when either does not wrap yet; stored for the next start.
    void ToggleWordWrap();
    bool AreaWraps(EditArea area) const { return AreaOf(area).edit.WordWrap(); }
    // Selects a language row for an area as if the user had chosen it (selector or menu).
    void SelectLanguage(EditArea area, int index);
    void SetFontPoints(EditArea area, int points);
    // The share of the areas' height the Source area gets (0..100); lays the window out.
    void SetProportion(int proportion);
    // Applies the window part of a profile as its switches say (the record is repaired as
    // it is applied: a record showing no area shows the Source area).
    void ApplyProfile(Profile& record);
    // The profile list the menus show, as loaded at start and changed by the Profile
    // Manager and Save Profile.
    const ProfileList& profiles() const { return profiles_; }
    // What the profile dialogs reach the window through: capture, apply, the screen, the
    // UI languages.
    ProfileWindowHost ProfileHost();
    // The background settings kept in the "Last" state (the window does not draw them).
    const Profile& background() const { return background_; }
    // Relabels the whole window in the current UI language.
    void ApplyUiLanguage();
    // Runs the command as the menus, toolbars and accelerators do.
    void RunCommand(int id) { SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Lays the window out now (the resize timer does it 50 ms after a size change).
    void LayOutNow();
    // Shows a text in pane 0 for the given time, then "Ready" again.
    void ShowTimedStatusText(const std::string& text, int milliseconds) override;

    // ---- DocumentHost ----
    std::string GetAreaText(EditArea area) override;
    void SetAreaText(EditArea area, const std::string& text) override;
    void ShowArea(EditArea area) override;
    bool AskOpenFileName(EditArea area, const std::string& initialFolder, std::string& path) override;
    bool AskSaveFileName(EditArea area, const std::string& initialFolder, std::string& path) override;
    void SetStatusText(const std::string& text) override;
    void RestoreReady() override;
    void SelectLanguageAsUser(EditArea area, int index) override;
    void SetStatusArea(EditArea area) override;
    void Refresh() override;
    bool IsCommandLinePending() override { return commandLinePending_; }
    void SetWaitCursor(bool on) override;
    void AcceptDroppedFiles(bool on) override;

    // ---- CodeTransferHost ----
    bool IsNt() const override;
    bool TransferToSource() const override { return transferToSource_; }
    bool StatusBarShown() const override { return view_.statusBarShown; }
    std::string SourceText() const override;
    std::string DestinationText() const override;
    void SetSourceText(const std::string& text) override;
    void SetDestinationText(const std::string& text) override;
    void ShowDestinationArea() override { ShowArea(EditArea::kDestination); }
    bool CloseDestinationDocument() override;
    void SelectSourceLanguage(int index) override { SelectLanguage(EditArea::kSource, index); }
    void SelectDestinationLanguage(int index) override { SelectLanguage(EditArea::kDestination, index); }
    void ShowStatusText(const std::string& text) override { SetStatusText(text); }
    void RestoreReadyStatus() override { RestoreReady(); }
    void BeginWaitCursor() override { SetWaitCursor(true); }
    void EndWaitCursor() override { SetWaitCursor(false); }
    bool GetClipboardText(std::string& text) override;
    bool SetClipboardText(const std::string& text) override;
    ConversionContext& TransferContext() override { return context_; }
    ProgressSink* MainWindowProgress() override { return &progressSink_; }
    bool RunInProgressDialog(const CodeTransferRequest& request, const std::string& caption,
                             std::string_view source, std::string& result) override;

  protected:
    bool OnInitDialog() override;
    void OnSize(UINT type, int width, int height) override;
    void OnTimer(UINT_PTR timerId) override;
    void OnClose() override { Closing(); }
    void OnDestroy() override;
    // Enter does nothing; Escape closes as the close box does.
    void OnOk() override {}
    void OnCancel() override { Closing(); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    // One edit area with its controls and settings.
    struct Area {
        EditArea id = EditArea::kSource;
        int editId = 0;
        int selectorId = 0;
        int languageIndex = 1;
        int fontPoints = 10;
        // Bytes of the text as the status bar last counted them; -1 after a change. Counting
        // means converting the whole text, which is not done again for every key.
        long long textBytes = -1;
        UniqueFont font;
        // Holds the code page of the area's language.
        TextEdit edit;
        ComboBox selector;
        // Text dragged out of the area and dropped into it.
        TextEditDragDrop dragDrop{edit};
    };
    // A control's place in the template, kept to move toolbar rows without losing x.
    struct TemplatePlace {
        HWND control = nullptr;
        RECT rect{};
    };

    Area& AreaOf(EditArea area) { return area == EditArea::kDestination ? destination_ : source_; }
    const Area& AreaOf(EditArea area) const {
        return area == EditArea::kDestination ? destination_ : source_;
    }
    EditArea AreaOfEdit(HWND edit) const;

    // main_window.cpp
    void BindCommands();
    void Closing();
    // The innermost question or dialog open over this window, if any.
    HWND OwnDialogOpen() const;
    // Runs a transfer command, then carries out a close that came while it ran.
    void RunTransferCommand(const std::function<void()>& command);
    void ApplyStoredViewSettings();
    void ApplyViewState();
    void ShowToolbarRow(EditArea area, bool shown);
    void MoveIfChanged(HWND control, const LayoutRect& rect);
    void WriteWindowPosition();
    void StartTimerFired();

    // main_window_update.cpp
    // Starts the daily update check on its thread. Its questions and the download dialog
    // come back to this window's thread (StartUpdateCheck's messages), where every window
    // of the program lives.
    void StartUpdateCheck();
    bool OnUpdateMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool RunUpdateDownload(const UpdateOffer& offer);
    // The installer runs: leave this program, and the others, so it can replace them.
    void OfferExitForInstall();
    bool RunDownload(const DownloadRequest& request);
    void LoadLibLists();
    // The applied item totals of both lists, after the lists were read again.
    void CountLibItems();
    void ShowCaretAtStart();

    // main_window_areas.cpp
    void SetUpAreas();
    // Makes the area's edit control wrap or not (a new control), with the window's own
    // handling of it installed again.
    void ApplyWordWrap(Area& area, bool wrap);
    void FillLanguageSelectors();
    // The area's language row, and the code page its text is held in.
    void SetAreaLanguage(Area& area, int index);
    void ApplyAreaFont(Area& area);
    void SetAreaTextInternal(Area& area, const std::string& text);
    // Replaces the whole text so that Undo brings the previous one back.
    void ReplaceAreaText(Area& area, const std::string& text);
    void OnSelectorChange(EditArea area);
    void OfferLanguagePack(EditArea area);
    void EditCommand(EditArea area, int command);
    void CopyAll(EditArea area);
    void SelectAll(EditArea area);
    void OnEditChange(EditArea area);
    void OnDropFiles(HDROP drop);
    // Text was dropped into the area or dragged out of it.
    void OnTextDropped(EditArea area);
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);

    // main_window_find.cpp
    void CreateFindWindows();
    void DestroyFindWindows();
    // Opens the area's Find/Replace window seeded from the area; with toggle, hides it
    // when it is open.
    void FindReplaceCommand(EditArea area, bool toggle);
    // The area whose edit control has the focus, else the one last focused.
    EditArea FocusedArea() const;
    void RefreshFindWindows();
    void RelabelFindWindows();

    // main_window_profiles.cpp
    ProfileFiles ProfileFilesOfApp() const;
    ProfileContext CurrentProfileContext() const;
    WindowState CurrentWindowState() const;
    void ApplyLastState();
    void SaveLastState();
    void LoadProfiles();
    void ApplyProfileOfMenu(int id);
    void OpenProfileManager();
    void SaveProfileOfWindow();
    // View > Background: the background settings of the "Last" state.
    void ConfigureBackground();

    // main_window_menus.cpp
    void LoadMenus();
    void RelabelMenuBar();
    void OnInitMenuPopup(HMENU popup);
    void ShowContextMenu(EditArea area, POINT screenPoint);
    void ShowProfileMenu();
    int TrackMenu(const std::vector<MenuEntry>& entries, POINT screenPoint);
    MenuSources CurrentMenuSources();
    void InstallAcceleratorHook();
    void RemoveAcceleratorHook();

    // main_window_status.cpp
    void CreateStatusBar();
    void SetStatusPane(int pane, const std::string& text);
    void SetStatusParts();
    void RefreshStatus();
    void RefreshTitle();
    void RefreshEnabling();
    void RefreshToolTips();
    void SetUpToolbarButtons();
    void ShowSiteTransferButton();

    // main_window_commands.cpp
    void NewInstance();
    void ExitAll();
    void ShowAbout();
    void WhatsThis();
    void SwitchUiLanguageTo(int index);
    void SetTransferTarget(bool toSource);
    // Tools > Options; what its Code Transfer page sets is followed at once.
    void ShowOptions();
    void RunSiteTransfer();
    void ContextCommand(int id);
    void AdjustProportion();
    // Tools > Text Difference Check: the areas' lines compared one by one.
    void CheckDifferences();
    void ChooseFontSize(EditArea area);
    // Code Transfer > Advanced Word Adjustment: the lib editor over both lists, then the
    // applied totals counted again.
    void OpenLibManager();

    EditorApp& app_;
    ViewState view_;
    DocumentController documents_;
    CodeTransferCommands transfers_;
    WordAdjustmentLibList g2bLibs_;
    WordAdjustmentLibList b2gLibs_;
    LibManagerHooks libHooks_;
    volatile int transferState_ = kTransferStopped;
    ConversionContext context_;
    WindowProgressSink progressSink_{nullptr};
    StatusBarProgress statusProgress_;

    Area source_;
    Area destination_;
    std::vector<TemplatePlace> destinationRow_;
    std::vector<TemplatePlace> sourceRightButtons_;
    int toolbarHeight_ = 0;
    SIZE clientSize_{-1, -1};

    StatusBar statusBar_;
    std::string statusTexts_[kStatusPaneCount];
    std::string readyText_;
    std::wstring title_;
    ToolTips tips_;
    FlatButtonSet buttons_;
    UniqueMenu menu_;  // menu 143, owned here while the bar is hidden and detached
    HACCEL accelerators_ = nullptr;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueFont selectorFont_;

    EditArea contextArea_ = EditArea::kNone;
    EditArea statusArea_ = EditArea::kSource;
    bool transferToSource_ = false;
    int changePathCode_ = 0;
    bool sourceWrap_ = true;
    bool destinationWrap_ = true;
    int launchIndex_ = 0;
    bool initialised_ = false;
    bool commandLinePending_ = false;
    bool closing_ = false;
    bool closeAfterTransfer_ = false;  // a close came while a transfer was running
    int programmaticText_ = 0;         // depth of text changes that must not mark the area modified
    // The Destination's bytes when a transfer closed its document, until the result replaces
    // them: Undo of the result brings these back rather than the emptied area.
    std::optional<std::string> destinationBeforeTransfer_;
    int waitCursor_ = 0;
    bool cannotShowEastAsian_ = false;
    std::set<int> offeredCharsets_;
    bool pendingOffer_[2] = {false, false};
    std::string timedStatusText_;
    DWORD startTime_ = 0;
    ProfileList profiles_;
    Profile background_;  // its background fields: the "Last" state's
    bool startMaximized_ = false;  // the "Last" state asks for it once the window is up

    std::unique_ptr<FindReplaceDialog> sourceFind_;
    std::unique_ptr<FindReplaceDialog> destinationFind_;

    FileNameQuestion fileNameQuestion_;
    MenuTracker menuTracker_;
    ProcessStarter processStarter_;
    DownloadRunner downloadRunner_;
    HANDLE updateCheckThread_ = nullptr;
};

}  // namespace zelvo
