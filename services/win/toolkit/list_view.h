// A report-style list view that a dialog template holds: rows of cells in bytes of one code
// page, a whole row selected at a time, one integer kept with each row, and the selection
// and double-click told through named callbacks. The owning dialog forwards its WM_NOTIFY.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// A row to put into a list: its cells from the first column on, and its integer.
struct ListRow {
    std::vector<std::string> cells;
    std::intptr_t data = 0;
};

class ListView {
  public:
    // The row now selected, or -1 when the list is left with none. Moving the selection from
    // one row to another tells -1 and then the new row, as the control deselects first.
    std::function<void(int row)> onSelectionChanged;
    // The row double-clicked, or -1 for a double-click below the last row.
    std::function<void(int row)> onDoubleClick;

    // Takes the control; full-row selection is switched on. False when there is no list view.
    bool Attach(HWND dialog, int id);
    bool Attach(HWND control);
    HWND hwnd() const { return control_; }

    // The code page of the cells (the UI code page until one is set; 0 sets that again).
    // Column titles are UI strings and always use the UI code page.
    void SetCodePage(int codePage) { codePage_ = codePage; }
    int CodePage() const;

    // Appends a column; returns its index, or -1.
    int AddColumn(std::string_view title, int width);

    // Empties the list; a selection it had is told gone (-1).
    void Clear();
    // Appends a row with the cells from the first column on; returns its index, or -1. A shown
    // list draws again after every row (some 18 ms a row under Wine), so fill it with SetRows.
    int AddRow(const std::vector<std::string>& cells, std::intptr_t data = 0);
    // Replaces every row, drawing the list once at the end. The selection is left empty, and
    // told gone as by Clear.
    void SetRows(const std::vector<ListRow>& rows);
    void SetCell(int row, int column, std::string_view text);
    std::string Cell(int row, int column) const;
    int RowCount() const;

    // The integer kept with a row (0 until set).
    void SetRowData(int row, std::intptr_t value);
    std::intptr_t RowData(int row) const;

    // -1 when no row is selected.
    int SelectedRow() const;
    // Selects and focuses the row and scrolls it into view; -1 clears the selection, and a row
    // past the last changes nothing.
    void SelectRow(int row);

    // The owning dialog passes every WM_NOTIFY here; true when it came from this list, and
    // the dialog then answers 0 (what every list notification takes as "go on").
    bool HandleNotify(const NMHDR* header);

  private:
    HWND control_ = nullptr;
    int codePage_ = 0;
};

}  // namespace zelvo
