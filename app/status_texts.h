// What the main window's status bar and title say, and the progress it shows while a
// conversion runs without the progress dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/edit_area.h"

namespace zelvo {

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

}  // namespace zelvo
