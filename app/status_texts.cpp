#include "app/status_texts.h"

#include "services/ui_strings.h"
#include "resources/ids_main_window.h"

namespace zelvo {

std::string PositionPaneText(int selStart, int selEnd, int lineOfStart, int lineOfEnd, int lineIndexOfStart,
                             int lineIndexOfEnd) {
    std::string line = std::to_string(lineOfStart + 1);
    // '+' and '-' are appended on their own: GCC 12 warns falsely (-Wrestrict, bug 105329) on
    // "literal" + string.
    if (lineOfEnd > lineOfStart) line.append(1, '+').append(std::to_string(lineOfEnd - lineOfStart));

    const int startColumn = selStart - lineIndexOfStart + 1;
    const int endColumn = selEnd - lineIndexOfEnd + 1;
    std::string column = std::to_string(startColumn);
    if (endColumn != startColumn) column.append(1, '-').append(std::to_string(endColumn > 1000 ? 1 : endColumn));

    if (selEnd > selStart) {
        std::string text = LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_INDEX_SELECTED);
        text = ReplaceAll(text, "#1", line);
        text = ReplaceAll(text, "#2", column);
        return ReplaceAll(text, "#3", std::to_string(selEnd - selStart));
    }
    std::string text = LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_INDEX);
    text = ReplaceAll(text, "#1", line);
    return ReplaceAll(text, "#2", column);
}

std::string LineCountPaneText(int lineCount) {
    return ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_LC), "#1", std::to_string(lineCount));
}

std::string FileSizePaneText(std::size_t textBytes) {
    return ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_PROPERTIES_FS), "#1", std::to_string(textBytes));
}

std::string AreaPaneText(EditArea area) {
    return area == EditArea::kDestination ? "D" : "S";
}

std::string ReadyText() {
    return LoadUiString(IDS_DIALOG_ZELVO_STATUS_IDLEMESSAGE);
}

std::string WindowTitle(const std::string& path) {
    return LoadUiString(IDS_DIALOG_ZELVO_TITLE) + " - " +
           (path.empty() ? LoadUiString(IDS_QXT_UNTITLED) : path);
}

// ---------------------------------------------------------------------------
// Progress
// ---------------------------------------------------------------------------

int ProgressBarPosition(std::int64_t position, std::int64_t total) {
    if (total <= 0 || position > total || position < 0) return 0;
    return static_cast<int>(position * kProgressRange / total);
}

std::string ProgressPercentText(std::int64_t position, std::int64_t total) {
    if (total <= 0 || position > total || position < 0) return "0%";
    return std::to_string(position * 100 / total) + "%";
}

void StatusBarProgressModel::Begin(std::int64_t total) {
    total_ = total;
}

std::optional<int> StatusBarProgressModel::Position(std::int64_t position) {
    if (total_ <= 0) return std::nullopt;
    return ProgressBarPosition(position, total_);
}

void StatusBarProgressModel::End() {
    total_ = 0;
}

}  // namespace zelvo
