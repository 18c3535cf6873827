// The main window without the window: which parts are shown, where they go, which
// commands are enabled and checked, what the menus hold, what the status bar and the
// title say, and the decisions of an edit area transfer. The Win32 window asks this
// module and carries out the answers; nothing here touches the system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/edit_area.h"

namespace zelvo {

// ---------------------------------------------------------------------------
// View state: what is shown. Also the window part of a profile.
// ---------------------------------------------------------------------------

struct ViewState {
    bool sourceShown = true;
    bool destinationShown = true;  // at least one of the two areas is always shown
    bool menuBarShown = true;
    bool sourceToolbarShown = true;  // the wish; the toolbar shows only with its area
    bool destinationToolbarShown = true;
    bool statusBarShown = true;
    bool alwaysOnTop = false;
    int proportion = 50;  // percent of the shared height given to the Source area
    int minimumWidth = 0;
    int minimumHeight = 0;
};

bool AreaShown(const ViewState& view, EditArea area);
// The toolbar is on the screen: wished for and its area shown.
bool ToolbarVisible(const ViewState& view, EditArea area);

// Shows or hides an area. Hiding the only shown area shows the other one instead; the
// toolbar wishes are kept, so a toolbar reappears with its area.
void ToggleArea(ViewState& view, EditArea area);
// Flips the toolbar wish of an area (the command is enabled only while the area shows).
void ToggleToolbar(ViewState& view, EditArea area);
void ToggleMenuBar(ViewState& view);
void ToggleStatusBar(ViewState& view);
void ToggleAlwaysOnTop(ViewState& view);
// Repairs a state read from settings: shows the Source area when neither area is shown
// and brings the proportion into 0..100.
void NormalizeViewState(ViewState& view);

// ---------------------------------------------------------------------------
// Layout of the client area.
// ---------------------------------------------------------------------------

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const LayoutRect&) const = default;
};

inline constexpr int kStatusBarHeight = 18;
inline constexpr int kRightButtonCount = 4;  // Profile operations, New, Always on top, Exit
inline constexpr int kRightButtonStep = 27;

struct MainWindowLayout {
    bool statusBarShown = false;
    LayoutRect statusBar;  // bottom, full width, 18 high

    bool sourceShown = false;
    bool sourceToolbarShown = false;
    LayoutRect sourceEdit;
    // x of the four right-hand buttons of the Source toolbar (at y 0). The other buttons
    // and the selector of the Source toolbar stay where the template puts them.
    int rightButtonX[kRightButtonCount] = {};

    bool destinationShown = false;
    bool destinationToolbarShown = false;
    // Top of the Destination area. With its toolbar shown, the eleven buttons of the
    // Destination toolbar go to this y (at their template x) and the selector to y + 3.
    int destinationTop = 0;
    int destinationButtonsY = 0;
    int destinationSelectorY = 0;
    LayoutRect destinationEdit;
};

// The x of the right-hand buttons: right-aligned in windows wider than 638 pixels, from
// x 530 in narrower ones.
int RightButtonsLeft(int clientWidth);

// Places everything in a client area of this size. toolbarHeight is the height of one
// toolbar row. Negative sizes are taken as 0 and a proportion outside 0..100 is clamped,
// so no rectangle gets a negative size.
MainWindowLayout ComputeLayout(int clientWidth, int clientHeight, int toolbarHeight, const ViewState& view);

// ---------------------------------------------------------------------------
// Command enabling and checks.
// ---------------------------------------------------------------------------

// What the window knows of one edit area at the moment.
struct AreaSnapshot {
    bool hasFile = false;
    std::size_t textLength = 0;  // bytes
    bool modified = false;
    bool hasSelection = false;
    bool selectionIsAll = false;
    bool findDialogShown = false;
    int languageIndex = 1;  // row of the language table
    int fontSize = 10;      // points
};

struct WindowSnapshot {
    ViewState view;
    AreaSnapshot source;
    AreaSnapshot destination;
    EditArea contextArea = EditArea::kNone;  // area the context menu and Ctrl+A/F/O/P/S act on
    bool clipboardHasText = false;
    bool transferToSource = false;  // "Code Transfer"/"UI Display Source 2 Source" is 1
    int profileCount = 0;           // profiles in the list (Save Profile stops at 60)
    int uiLanguageIndex = 0;        // entry of the UI language list in use
};

struct CommandStatus {
    bool enabled = true;
    bool checked = false;
};

inline constexpr int kMaximumProfileCount = 60;

// Enabled and checked state of a command id of the menus, toolbars, accelerators or the
// context menu (context ids follow the context area and are disabled while it is unset).
// Ids the window does not know are enabled and unchecked.
CommandStatus CommandState(int id, const WindowSnapshot& snapshot);

// The Source or Destination command a context-menu id stands for with this context area
// (57643 Undo -> 32802 or 32820, ...). 0 when the context area is unset; ids that are not
// context commands come back unchanged.
int ResolveContextCommand(int id, EditArea contextArea);

// The font size commands: the area and the size in points (8, 10, 12, 16, 24).
struct FontSizeCommand {
    EditArea area;
    int points;
};
std::optional<FontSizeCommand> FontSizeCommandOf(int id);
inline constexpr int kFontSizeChoices[5] = {8, 10, 12, 16, 24};

// Commands of the fixed id ranges: recent files, profiles, area languages, UI languages.
enum class DynamicCommandKind { kNone, kRecentFile, kProfile, kLanguage, kUiLanguage };
struct DynamicCommand {
    DynamicCommandKind kind = DynamicCommandKind::kNone;
    EditArea area = EditArea::kNone;  // for recent files and languages
    int index = 0;                    // 0-based entry
};
DynamicCommand DecodeDynamicCommand(int id);

// Buttons of each toolbar, left to right, for the window's enabling pass. The Source list
// ends with the four right-hand buttons.
const std::vector<int>& SourceToolbarButtonIds();
const std::vector<int>& DestinationToolbarButtonIds();

// The File / Site Code Transfer button shows only in the two Chinese UI languages.
bool SiteTransferButtonShown(int uiLcid);

// Tooltip ids that follow the state: the show/hide buttons of an area, Always on top
// (filled with the product name by the caller) and the two transfer buttons.
int ShowHideAreaTipId(EditArea area, bool shown);
int AlwaysOnTopTipId(bool onTop);
int TransferButtonTipId(bool gbkToBig5, bool transferToSource);

// ---------------------------------------------------------------------------
// Menus. Texts come from the UI string table in the current UI language.
// ---------------------------------------------------------------------------

// The menu bar's popups in order.
enum class MainMenuPopup : int {
    kSourceFile = 0,
    kSourceEdit = 1,
    kDestinationFile = 2,
    kDestinationEdit = 3,
    kView = 4,
    kCodeTransfer = 5,
    kTools = 6,
    kHelp = 7,
};
inline constexpr int kMainMenuPopupCount = 8;

// One profile of the profile list as the menus show it: its index in the list (the
// command is 3840 + index) and its title.
struct ProfileMenuItem {
    int index = 0;
    std::string title;
};

// Everything the menus show that is not in the snapshot.
struct MenuSources {
    std::vector<std::string> sourceRecentFiles;  // newest first
    std::vector<std::string> destinationRecentFiles;
    int maximumRecentCount = 20;               // "File"/"Maximum MRU Count" as read
    std::vector<ProfileMenuItem> profiles;     // those marked to appear in the list
    std::vector<std::string> uiLanguageNames;  // the UI language list, in order
    std::string productName;                   // for "&About %1..."
};

// The label of popup `index` (0..7) on the menu bar: "&File (S)", "&Edit (S)", ...
std::string MainMenuPopupLabel(int index);
// The label of every popup, in order.
std::vector<std::string> MainMenuBarLabels();

// The items of popup `index` (0..7), rebuilt in full: texts, recent files, profiles and
// languages, checks and greying. An index out of range gives an empty list. The two Edit
// popups begin with the same item, so the window tells a popup by its position on the
// menu bar, not by its first item's text.
std::vector<MenuEntry> BuildMainMenuPopup(int index, const WindowSnapshot& snapshot,
                                          const MenuSources& sources);

// The context menu of the context area.
std::vector<MenuEntry> BuildContextMenu(const WindowSnapshot& snapshot);

// The pop-up of the profile operations button: Profile Manager, Save Profile (greyed at
// 60 profiles) and the profiles submenu (left out when no profile is marked).
std::vector<MenuEntry> BuildProfileMenu(const WindowSnapshot& snapshot, const MenuSources& sources);

// Recent-file entries of one File menu: at most min(list length, maximum count)
// entries, "&%d: %s" for 1 to 9 and "%d: %s" from 10 on. A maximum below 0 or above 60
// counts as 60; never more entries than the id range holds.
std::vector<MenuEntry> RecentFileEntries(EditArea area, const std::vector<std::string>& files,
                                         int maximumCount);

// The Source or Destination language submenu, the current row checked.
std::vector<MenuEntry> LanguageEntries(EditArea area, int selectedIndex);

// The UI language submenu, the current entry checked.
std::vector<MenuEntry> UiLanguageEntries(const std::vector<std::string>& names, int selectedIndex);

// ---------------------------------------------------------------------------
// Status bar and title.
// ---------------------------------------------------------------------------

enum StatusPane : int {
    kStatusPaneMessage = 0,
    kStatusPanePosition = 1,
    kStatusPaneLineCount = 2,
    kStatusPaneSize = 3,
    kStatusPaneArea = 4,
};
inline constexpr int kStatusPaneCount = 5;

// The position pane from EM_GETSEL (selStart, selEnd), EM_LINEFROMCHAR of both ends
// (0-based lines) and EM_LINEINDEX of those lines: "Ln #1,  Col #2" without a selection,
// "Ln #1,  Col #2, Sel #3" with one. The line is "%s" or "%s+%s" (start line and further
// lines), the column "%s" or "%s-%s" (start and end column when they differ); an end
// column above 1000 is shown as 1.
std::string PositionPaneText(int selStart, int selEnd, int lineOfStart, int lineOfEnd, int lineIndexOfStart,
                             int lineIndexOfEnd);
std::string LineCountPaneText(int lineCount);         // "Ln Cnt #1"
std::string FileSizePaneText(std::size_t textBytes);  // "File Size #1"
std::string AreaPaneText(EditArea area);              // "S" or "D"

// "Ready", the idle text of the message pane.
std::string ReadyText();

// The window title: "%s - %s" of the product title and the path, or "Untitled".
std::string WindowTitle(const std::string& path);

// ---------------------------------------------------------------------------
// Progress shown by the main window.
// ---------------------------------------------------------------------------

inline constexpr int kProgressRange = 1000;

// The status-bar bar position for `position` units out of `total`: position x 1000 /
// total, 0 when the position exceeds the total or the total is not positive.
int ProgressBarPosition(std::int64_t position, std::int64_t total);

// The percentage label of the progress dialog: "%d%%" of position x 100 / total, "0%"
// when the position exceeds the total or the total is not positive.
std::string ProgressPercentText(std::int64_t position, std::int64_t total);

// The main window's handling of the progress message when no progress dialog is open.
class StatusBarProgressModel {
  public:
    // wParam 0: a conversion begins with this many units.
    void Begin(std::int64_t total);
    // wParam 1: the bar position to show, or nothing when no total is known (no bar).
    std::optional<int> Position(std::int64_t position);
    // wParam 2: the bar goes away and the total is cleared.
    void End();
    std::int64_t total() const { return total_; }

  private:
    std::int64_t total_ = 0;
};

// ---------------------------------------------------------------------------
// Edit area and clipboard transfers.
// ---------------------------------------------------------------------------

enum class TransferDirection {
    kGbkToBig5,                   // 32833, 32771
    kBig5ToGbk,                   // 32834, 32772
    kGbkSimplifiedToTraditional,  // 32891
    kGbkTraditionalToSimplified,  // 32892
};

// The direction of an edit area transfer command; nothing for other ids.
std::optional<TransferDirection> TransferDirectionOfCommand(int id);
// TransferMode passed to the pipeline: 0, 0, 1, 2.
int TransferModeOf(TransferDirection direction);
// True when the source text is Big5 (TransferBig5Text), else GBK (TransferGbkText).
bool TransfersFromBig5(TransferDirection direction);
// Caption of the progress dialog: 40263, 40262, 40307, 40308.
int TransferCaptionId(TransferDirection direction);
// Message pane text while it runs: 40229, 40230, 40304, 40305.
int TransferStatusId(TransferDirection direction);
// Clipboard transfer captions (40261, 40260) and status texts (40229, 40230).
int ClipboardTransferCaptionId(bool gbkToBig5);
int ClipboardTransferStatusId(bool gbkToBig5);

inline constexpr std::size_t kNonNtDestinationLimit = 29000;
inline constexpr std::size_t kDirectTransferLimit = 100001;

enum class TransferPlan {
    kAskClipboardInstead,  // too long for the Destination area of Windows 95/98/Me
    kDirect,               // convert with the main window as progress window
    kProgressDialog,       // run in the progress dialog 251
};

// How an edit area transfer of sourceLength bytes goes: on a system that is not NT a
// result for the Destination area above 29000 bytes asks to go through the clipboard;
// otherwise below 100001 bytes directly, else in the progress dialog.
TransferPlan PlanEditAreaTransfer(bool isNt, bool toDestination, std::size_t sourceLength);
// Clipboard transfers have no size question: direct below 100001 bytes, else the dialog.
TransferPlan PlanClipboardTransfer(std::size_t textLength);

// The language selectors after a transfer; -1 leaves a selector as it is.
struct SelectorChoice {
    int source = -1;
    int destination = -1;
};
SelectorChoice SelectorsAfterTransfer(TransferDirection direction, bool toSource);

}  // namespace zelvo
