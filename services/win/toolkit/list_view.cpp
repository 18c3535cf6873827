#include "services/win/toolkit/list_view.h"

#include <commctrl.h>

#include "services/win/toolkit/win_text.h"

namespace zelvo {

bool ListView::Attach(HWND dialog, int id) {
    return Attach(GetDlgItem(dialog, id));
}

bool ListView::Attach(HWND control) {
    wchar_t className[64] = {};
    if (!control || !GetClassNameW(control, className, 64) || lstrcmpiW(className, WC_LISTVIEWW) != 0) {
        control_ = nullptr;
        return false;
    }
    control_ = control;
    SendMessageW(control_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    return true;
}

int ListView::CodePage() const {
    return codePage_ ? codePage_ : UiCodePage();
}

int ListView::AddColumn(std::string_view title, int width) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(control_, LVM_GETHEADER, 0, 0));
    const int index = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    std::wstring text = WidenUiText(title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = width;
    column.pszText = text.data();
    column.iSubItem = index;
    return static_cast<int>(
        SendMessageW(control_, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

void ListView::Clear() {
    // Deleting rows tells no change of selection, so a selected row going is told here.
    const bool hadSelection = SelectedRow() >= 0;
    SendMessageW(control_, LVM_DELETEALLITEMS, 0, 0);
    if (hadSelection && onSelectionChanged) onSelectionChanged(-1);
}

int ListView::AddRow(const std::vector<std::string>& cells, std::intptr_t data) {
    std::wstring first = cells.empty() ? std::wstring() : WidenText(cells[0], CodePage());
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    item.pszText = first.data();
    item.lParam = static_cast<LPARAM>(data);
    const int row =
        static_cast<int>(SendMessageW(control_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return -1;
    for (size_t column = 1; column < cells.size(); ++column)
        SetCell(row, static_cast<int>(column), cells[column]);
    return row;
}

void ListView::SetRows(const std::vector<ListRow>& rows) {
    // Drawing is held while the rows go in: a shown list would draw after every row.
    SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    Clear();
    SendMessageW(control_, LVM_SETITEMCOUNT, rows.size(), 0);
    for (const ListRow& row : rows) AddRow(row.cells, row.data);
    SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
}

void ListView::SetCell(int row, int column, std::string_view text) {
    std::wstring wide = WidenText(text, CodePage());
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(control_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::Cell(int row, int column) const {
    // The control copies what fits and says how much; a full buffer may mean more is left.
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const size_t length = static_cast<size_t>(
            SendMessageW(control_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return NarrowText(buffer, CodePage());
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

int ListView::RowCount() const {
    return static_cast<int>(SendMessageW(control_, LVM_GETITEMCOUNT, 0, 0));
}

void ListView::SetRowData(int row, std::intptr_t value) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(value);
    SendMessageW(control_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::intptr_t ListView::RowData(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(control_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return static_cast<std::intptr_t>(item.lParam);
}

int ListView::SelectedRow() const {
    return static_cast<int>(SendMessageW(control_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::SelectRow(int row) {
    if (row >= RowCount()) return;
    LVITEMW item{};
    if (const int selected = SelectedRow(); selected >= 0 && selected != row) {
        // Item -1 stands for every row, so a list without single selection keeps one row too.
        item.stateMask = LVIS_SELECTED;
        SendMessageW(control_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    }
    if (row < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(control_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(control_, LVM_SETSELECTIONMARK, 0, row);
    SendMessageW(control_, LVM_ENSUREVISIBLE, row, FALSE);
}

bool ListView::HandleNotify(const NMHDR* header) {
    if (!header || !control_ || header->hwndFrom != control_) return false;
    switch (header->code) {
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
            if (!(change->uChanged & LVIF_STATE) ||
                !((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
                break;
            if (change->uNewState & LVIS_SELECTED) {
                if (onSelectionChanged) onSelectionChanged(change->iItem);
            } else if (SelectedRow() < 0) {
                if (onSelectionChanged) onSelectionChanged(-1);
            }
            break;
        }
        case NM_DBLCLK:
            if (onDoubleClick) onDoubleClick(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace zelvo
