// The list view in a dialog that forwards its notifications, as the profile and lib dialogs
// hold it: GBK and Big5 cells shown as their characters and given back as the same bytes,
// rows with their data, and the selection and double-click told with the right row.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "services/win/toolkit/list_view.h"
#include "services/win/toolkit/win_text.h"
#include "tests/win/memory_dialog_template.h"

namespace zelvo {
namespace {

constexpr WORD kListId = 1187;
constexpr WORD kOtherListId = 1188;

// What the user sees in a cell: the control's own UTF-16 text.
std::wstring ShownText(HWND list, int row, int column) {
    std::wstring buffer(4096, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    buffer.resize(
        static_cast<size_t>(SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item))));
    return buffer;
}

std::wstring ColumnTitle(HWND list, int column) {
    wchar_t buffer[256] = {};
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.pszText = buffer;
    header.cchTextMax = 256;
    SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    return buffer;
}

// True when the system code page has no character for some of text.
bool SystemCodePageLacks(const std::wstring& text) {
    BOOL usedDefault = FALSE;
    char buffer[4096];
    WideCharToMultiByte(GetACP(), WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()), buffer,
                        sizeof buffer, nullptr, &usedDefault);
    return usedDefault != FALSE;
}

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        win_testing::MemoryDialogTemplate layout(WS_POPUP | WS_CAPTION, 240, 120, L"List view test");
        const DWORD style = WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
        layout.Add(WC_LISTVIEWW, L"", kListId, style, 5, 5, 150, 100);
        layout.Add(WC_LISTVIEWW, L"", kOtherListId, style, 160, 5, 70, 100);
        dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout.get(), nullptr, ForwardingProc,
                                            reinterpret_cast<LPARAM>(&list));
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOWNA);
        ASSERT_TRUE(list.Attach(dialog, kListId));
        list.onSelectionChanged = [this](int row) { selections.push_back(row); };
        list.onDoubleClick = [this](int row) { doubleClicks.push_back(row); };
    }
    void TearDown() override {
        if (dialog) DestroyWindow(dialog);
        SetUiCodePage(0);
    }

    // The owning dialog's part: every WM_NOTIFY goes to the list first.
    static INT_PTR CALLBACK ForwardingProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            return TRUE;
        }
        auto* target = reinterpret_cast<ListView*>(GetWindowLongPtrW(window, DWLP_USER));
        if (message == WM_NOTIFY && target && target->HandleNotify(reinterpret_cast<const NMHDR*>(lParam))) {
            SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    }

    void FillRows(int count) {
        list.SetCodePage(1252);
        list.AddColumn("Title", 120);
        std::vector<ListRow> rows;
        for (int row = 0; row < count; ++row) rows.push_back({{"row " + std::to_string(row)}});
        list.SetRows(rows);
        ASSERT_EQ(list.RowCount(), count);
    }

    void PressKey(UINT key) {
        SendMessageW(list.hwnd(), WM_KEYDOWN, key, 1);
        SendMessageW(list.hwnd(), WM_KEYUP, key, 0xC0000001);
    }

    HWND dialog = nullptr;
    ListView list;
    std::vector<int> selections;
    std::vector<int> doubleClicks;
};

TEST_F(ListViewTest, GbkAndBig5CellsShowAsTheirCharactersAndComeBackByteExact) {
    SetUiCodePage(936);
    list.SetCodePage(936);
    // Column titles are UI strings: "名称" in GBK, the UI code page, whatever the cells use.
    ASSERT_EQ(list.AddColumn("\xc3\xfb\xb3\xc6", 120), 0);
    ASSERT_EQ(list.AddColumn("Big5", 120), 1);
    EXPECT_EQ(ColumnTitle(list.hwnd(), 0), L"\u540d\u79f0");

    // "这是", then "昞乗" whose trail bytes are both 0x5C, then a backslash of its own.
    const std::string gbkPlain = "\xd5\xe2\xca\xc7";
    const std::string gbkBackslashTrails = "\x95\x5c\x81\x5c\\";
    std::string gbkLong;
    for (int i = 0; i < 300; ++i) gbkLong += "\xd6\xd0";  // "中" 300 times: more than a first buffer holds
    ASSERT_EQ(list.AddRow({gbkPlain}), 0);
    ASSERT_EQ(list.AddRow({gbkBackslashTrails}), 1);
    ASSERT_EQ(list.AddRow({gbkLong}), 2);

    EXPECT_EQ(ShownText(list.hwnd(), 0, 0), L"\u8fd9\u662f");
    EXPECT_EQ(ShownText(list.hwnd(), 1, 0), L"\u661e\u4e57\\");
    EXPECT_EQ(ShownText(list.hwnd(), 2, 0), std::wstring(300, L'\u4e2d'));
    EXPECT_EQ(list.Cell(0, 0), gbkPlain);
    EXPECT_EQ(list.Cell(1, 0), gbkBackslashTrails);
    EXPECT_EQ(list.Cell(2, 0), gbkLong);

    // Big5 in the second column: "許功蓋", all three with trail byte 0x5C, and "繁體‧" (the
    // middle dot is in Big5 but not in GBK).
    list.SetCodePage(950);
    const std::string big5BackslashTrails = "\xb3\x5c\xa5\x5c\xbb\x5c";
    const std::string big5Dot = "\xc1\x63\xc5\xe9\xa1\x45";
    list.SetCell(0, 1, big5BackslashTrails);
    list.SetCell(1, 1, big5Dot);
    EXPECT_EQ(ShownText(list.hwnd(), 0, 1), L"\u8a31\u529f\u84cb");
    EXPECT_EQ(ShownText(list.hwnd(), 1, 1), L"\u7e41\u9ad4\u2027");
    EXPECT_EQ(list.Cell(0, 1), big5BackslashTrails);
    EXPECT_EQ(list.Cell(1, 1), big5Dot);
    // Setting a cell leaves its row's other cells alone.
    list.SetCodePage(936);
    EXPECT_EQ(list.Cell(0, 0), gbkPlain);

    // Under any system code page some of these characters are missing from it (1252 has
    // none, 936 lacks the Big5 middle dot, 950 lacks the simplified "这"), so text that went
    // through the system code page on its way would have come back changed.
    std::printf("system code page: %u\n", GetACP());
    EXPECT_TRUE(SystemCodePageLacks(L"\u8fd9\u662f") || SystemCodePageLacks(L"\u7e41\u9ad4\u2027"));
}

TEST_F(ListViewTest, RowsKeepTheirCellsAndDataAndClearEmptiesTheList) {
    list.SetCodePage(1252);
    EXPECT_EQ(list.AddColumn("ID", 30), 0);
    EXPECT_EQ(list.AddColumn("Title", 80), 1);
    EXPECT_EQ(list.AddColumn("Description", 80), 2);
    EXPECT_EQ(list.AddRow({"1", "Standard", ""}), 0);
    EXPECT_EQ(list.AddRow({"2", "Full"}), 1);
    EXPECT_EQ(list.AddRow({}), 2);
    list.SetRowData(0, 5);
    list.SetRowData(1, -1);
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.Cell(1, 1), "Full");
    EXPECT_EQ(list.Cell(1, 2), "");
    EXPECT_EQ(list.Cell(2, 0), "");
    EXPECT_EQ(list.RowData(0), 5);
    EXPECT_EQ(list.RowData(1), -1);
    EXPECT_EQ(list.RowData(2), 0);
    // Renaming a cell keeps the row's data.
    list.SetCell(0, 1, "Sticky Note");
    EXPECT_EQ(list.Cell(0, 1), "Sticky Note");
    EXPECT_EQ(list.RowData(0), 5);
    EXPECT_EQ(list.SelectedRow(), -1);

    const DWORD extended = static_cast<DWORD>(SendMessageW(list.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);

    list.Clear();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.AddRow({"again"}, 9), 0);
    EXPECT_EQ(list.RowData(0), 9);
}

TEST_F(ListViewTest, SetRowsReplacesEveryRowAndTheListIsShownAgain) {
    FillRows(3);
    list.SelectRow(1);
    selections.clear();
    std::vector<ListRow> rows;
    for (int i = 0; i < 500; ++i) rows.push_back({{"item " + std::to_string(i), "after"}, 1000 + i});
    list.SetRows(rows);
    EXPECT_EQ(list.RowCount(), 500);
    EXPECT_EQ(list.Cell(0, 0), "item 0");
    EXPECT_EQ(list.Cell(499, 0), "item 499");
    EXPECT_EQ(list.RowData(0), 1000);
    EXPECT_EQ(list.RowData(499), 1499);
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(selections, std::vector<int>({-1}));
    // Holding the drawing hides the window; it must be shown again.
    EXPECT_TRUE(IsWindowVisible(list.hwnd()));
    list.SetRows({});
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_TRUE(IsWindowVisible(list.hwnd()));
}

TEST_F(ListViewTest, SelectionIsToldWithTheRowWhetherTheProgramOrTheKeyboardMovesIt) {
    FillRows(100);
    list.SelectRow(80);
    EXPECT_EQ(list.SelectedRow(), 80);
    EXPECT_EQ(selections, std::vector<int>({80}));
    // Focused and scrolled into view.
    EXPECT_EQ(SendMessageW(list.hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 80);
    const int top = static_cast<int>(SendMessageW(list.hwnd(), LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageW(list.hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GT(perPage, 0);
    EXPECT_LE(top, 80);
    EXPECT_LT(80, top + perPage);

    // Another row: the old one is let go first, then the new one is told.
    selections.clear();
    list.SelectRow(3);
    EXPECT_EQ(list.SelectedRow(), 3);
    ASSERT_FALSE(selections.empty());
    EXPECT_EQ(selections.back(), 3);
    for (int row : selections) EXPECT_TRUE(row == 3 || row == -1) << row;

    // The keyboard moves it one row down.
    selections.clear();
    PressKey(VK_DOWN);
    EXPECT_EQ(list.SelectedRow(), 4);
    ASSERT_FALSE(selections.empty());
    EXPECT_EQ(selections.back(), 4);

    // Selecting the selected row again, or a row past the last, tells and changes nothing;
    // -1 clears and tells -1.
    selections.clear();
    list.SelectRow(4);
    list.SelectRow(100);
    EXPECT_TRUE(selections.empty());
    EXPECT_EQ(list.SelectedRow(), 4);
    list.SelectRow(-1);
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(selections, std::vector<int>({-1}));
}

TEST_F(ListViewTest, DoubleClickIsToldWithTheRowUnderThePointer) {
    FillRows(5);
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(list.hwnd(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rect)));
    const LPARAM point = MAKELPARAM(rect.left + 10, (rect.top + rect.bottom) / 2);
    SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, point);
    SendMessageW(list.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, point);
    EXPECT_EQ(doubleClicks, std::vector<int>({2}));
    EXPECT_EQ(list.SelectedRow(), 2);
    ASSERT_FALSE(selections.empty());
    EXPECT_EQ(selections.back(), 2);
}

TEST_F(ListViewTest, NotificationsOfAnotherControlAreLeftToTheDialog) {
    FillRows(3);
    ListView other;
    ASSERT_TRUE(other.Attach(dialog, kOtherListId));
    other.SetCodePage(1252);
    other.AddColumn("Other", 60);
    other.AddRow({"x"});
    other.AddRow({"y"});
    // The dialog forwards to the first list only, which must not take the other's selection.
    other.SelectRow(1);
    EXPECT_TRUE(selections.empty());
    NMHDR header{other.hwnd(), kOtherListId, LVN_ITEMCHANGED};
    EXPECT_FALSE(list.HandleNotify(&header));
    // Something that is not a list view is refused.
    ListView notAList;
    EXPECT_FALSE(notAList.Attach(dialog, 9999));
    EXPECT_FALSE(notAList.Attach(GetDesktopWindow()));
}

}  // namespace
}  // namespace zelvo
