// The Font Size and Proportion dialogs over a real main window: sizes typed or chosen for
// either area, refused sizes, the live preview of the proportion and its undoing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/win/main_window.h"
#include "app/win/view_dialogs.h"
#include "resources/resource.h"
#include "services/win/toolkit/win_text.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

using ViewDialogsTest = MainWindowTest;

void Type(HWND dialog, int id, const char* text) {
    SetWindowTextW(GetDlgItem(dialog, id), WidenText(text, 1252).c_str());
}

void Press(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

int Height(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    return rect.bottom - rect.top;
}

TEST_F(ViewDialogsTest, FontSizesAreTypedOrNamedForEitherAreaAndOutOfRangeIsRefused) {
    FontSizeDialog dialog(EditArea::kDestination, 10, 12);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    HWND window = dialog.hwnd();
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_FONT_SIZE_DESTINATION), BST_CHECKED);
    EXPECT_EQ(GetWindowTextIn(GetDlgItem(window, IDC_FONT_SIZE_VALUE), 1252), "12");
    // The five names, then the 20 sizes of the table.
    EXPECT_EQ(SendDlgItemMessageW(window, IDC_FONT_SIZE_VALUE, CB_GETCOUNT, 0, 0), 25);

    // A name stands for its size; switching to the Source area keeps it for the Destination.
    Type(window, IDC_FONT_SIZE_VALUE, "Large");
    Press(window, IDC_FONT_SIZE_SOURCE);
    EXPECT_EQ(dialog.destinationPoints(), 24);
    EXPECT_EQ(GetWindowTextIn(GetDlgItem(window, IDC_FONT_SIZE_VALUE), 1252), "10");

    // 601 is refused with the range in the message, and the dialog stays open.
    Type(window, IDC_FONT_SIZE_VALUE, "601");
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "Input value must be between 1 and 600.");
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(dialog.sourcePoints(), 10);

    // A size that is no number keeps the area ticked when the other one is chosen.
    Type(window, IDC_FONT_SIZE_VALUE, "big");
    Press(window, IDC_FONT_SIZE_DESTINATION);
    EXPECT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(dialog.tickedArea(), EditArea::kSource);
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_FONT_SIZE_SOURCE), BST_CHECKED);

    Type(window, IDC_FONT_SIZE_VALUE, " 13 ");
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(dialog.sourcePoints(), 13);
    EXPECT_EQ(dialog.destinationPoints(), 24);
}

HWND customSizeOwner = nullptr;

// Types 20 for the Source area and "Small" for the Destination area into the Font Size
// dialog open over customSizeOwner, then presses OK.
void CALLBACK AnswerCustomSize(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = Dialog::SpeakingWindow();
    if (!dialog || dialog == customSizeOwner) return;
    KillTimer(nullptr, id);
    Type(dialog, IDC_FONT_SIZE_VALUE, "20");
    Press(dialog, IDC_FONT_SIZE_DESTINATION);
    Type(dialog, IDC_FONT_SIZE_VALUE, "Small");
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(ViewDialogsTest, CustomSizeCommandAppliesBothAreasSizes) {
    MainWindow& window = Open();
    // The dialog runs modally: its answers are typed from a timer once it is open.
    customSizeOwner = window.hwnd();
    SetTimer(nullptr, 0, 50, AnswerCustomSize);
    window.RunCommand(IDM_SOURCE_FONT_CUSTOM);
    EXPECT_EQ(window.FontPoints(EditArea::kSource), 20);
    EXPECT_EQ(window.FontPoints(EditArea::kDestination), 8);
    LOGFONTW face{};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window.Item(IDC_SOURCE_EDIT), WM_GETFONT, 0, 0));
    ASSERT_TRUE(GetObjectW(font, sizeof face, &face));
    EXPECT_EQ(face.lfHeight, -27);  // the table's height for 20 points
}

TEST_F(ViewDialogsTest, ProportionPreviewsAtOnceAndCancelRestoresTheSplit) {
    MainWindow& window = Open();
    SetWindowPos(window.hwnd(), nullptr, 0, 0, 640, 520, SWP_NOMOVE | SWP_NOZORDER);
    window.LayOutNow();
    HWND source = window.Item(IDC_SOURCE_EDIT);
    HWND destination = window.Item(IDC_DESTINATION_EDIT);
    ASSERT_EQ(window.view().proportion, 50);
    const int sourceBefore = Height(source);
    const int destinationBefore = Height(destination);

    ProportionDialog dialog(window.view().proportion, [&](int value) { window.SetProportion(value); });
    ASSERT_TRUE(dialog.CreateModeless(window.hwnd()));
    HWND box = dialog.hwnd();
    EXPECT_EQ(SendDlgItemMessageW(box, IDC_PROPORTION_SOURCE, CB_GETCOUNT, 0, 0), 101);
    EXPECT_EQ(GetWindowTextIn(GetDlgItem(box, IDC_PROPORTION_DESTINATION), 1252), "50");
    EXPECT_EQ(GetWindowTextIn(GetDlgItem(box, IDC_PROPORTION_RESET), 1252), "&Reset(50:50)");

    // Choosing 20 from the keyboard lays the window out at once: the Source area shrinks.
    HWND list = GetDlgItem(box, IDC_PROPORTION_SOURCE);
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
    for (int i = 0; i < 20; ++i) SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(window.view().proportion, 20);
    EXPECT_EQ(GetWindowTextIn(GetDlgItem(box, IDC_PROPORTION_DESTINATION), 1252), "80");
    EXPECT_LT(Height(source), sourceBefore);
    EXPECT_GT(Height(destination), destinationBefore);

    Press(box, IDC_PROPORTION_RESET);
    EXPECT_EQ(window.view().proportion, 50);
    SendMessageW(list, WM_KEYDOWN, VK_UP, 0);  // 49
    Pump();
    EXPECT_EQ(window.view().proportion, 49);

    // Cancel puts the split back as it was when the dialog opened.
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(window.view().proportion, 50);
    EXPECT_EQ(Height(source), sourceBefore);
    EXPECT_EQ(Height(destination), destinationBefore);
}

}  // namespace
}  // namespace zelvo
