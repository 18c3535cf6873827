// Tools > Options opened from the main window and answered as a user would: the pages show
// the stored settings read with their rules and the Explorer entry's state; OK writes them
// and the running window follows the Source->Source choice at once.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include "resources/resource.h"
#include "services/win/shell_registration.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/timed_steps.h"

namespace zelvo {
namespace {

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool Checked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

struct PagesSeen {
    int countSelected = -2;
    int countEntries = 0;
    std::wstring lastEntry;
    std::wstring shellText;
    bool shellChecked = true;
    bool toSource = true;
    bool toDestination = false;
    bool changePathCode = true;
    bool checkWd = false;
    std::wstring sheetTitle;
};

class OptionsDialogTest : public MainWindowTest {
  protected:
    void TearDown() override {
        SetShellExtension(false, distFolder_);
        MainWindowTest::TearDown();
    }

    // Opens Options, reads both pages, then lets change do its clicks on the Code Transfer page
    // and confirms with OK.
    PagesSeen OpenAndConfirm(MainWindow& window,
                             std::function<void(HWND general, HWND codeTransfer)> change) {
        PagesSeen seen;
        HWND general = nullptr;
        TimedSteps steps(L"Options",
                         {[&](HWND sheet) {
                              seen.sheetTitle = GetWindowTextWide(sheet);
                              general = CurrentPage(sheet);
                              HWND combo = GetDlgItem(general, IDC_OPTIONS_MRU_COUNT);
                              seen.countEntries = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
                              seen.countSelected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
                              wchar_t last[8] = {};
                              SendMessageW(combo, CB_GETLBTEXT, seen.countEntries - 1,
                                           reinterpret_cast<LPARAM>(last));
                              seen.lastEntry = last;
                              seen.shellText = GetWindowTextWide(GetDlgItem(general, IDC_OPTIONS_SHELL_OPEN));
                              seen.shellChecked = Checked(general, IDC_OPTIONS_SHELL_OPEN);
                              SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
                          },
                          [&](HWND sheet) {
                              HWND page = CurrentPage(sheet);
                              seen.toSource = Checked(page, IDC_OPTIONS_SOURCE_TO_SOURCE);
                              seen.toDestination = Checked(page, IDC_OPTIONS_SOURCE_TO_DESTINATION);
                              seen.changePathCode = Checked(page, IDC_OPTIONS_CHANGE_PATH_CODE);
                              seen.checkWd = Checked(page, IDC_OPTIONS_CHECK_WD);
                              if (change) change(general, page);
                          },
                          [&](HWND sheet) { PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); }},
                         [](HWND sheet) { PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
        window.RunCommand(IDM_OPTIONS);
        EXPECT_FALSE(steps.timedOut());
        EXPECT_EQ(steps.stepsRun(), 3u);
        return seen;
    }

    static void Click(HWND page, int id) { SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }
};

TEST_F(OptionsDialogTest, StoredTwosReadAsDestinationNoPathCodeAndValidationOn) {
    WriteRegInt("Code Transfer", "UI Display Source 2 Source", 2);
    WriteRegInt("Code Transfer", "Change Path Code", 2);
    WriteRegInt("CTWA", "Check WD", 2);
    WriteRegInt("File", "Maximum MRU Count", 7);
    SetShellExtension(false, distFolder_);
    MainWindow& window = Open();

    const PagesSeen seen = OpenAndConfirm(window, nullptr);
    EXPECT_EQ(seen.sheetTitle, L"Options");
    EXPECT_EQ(seen.countEntries, 61);
    EXPECT_EQ(seen.lastEntry, L"60");
    EXPECT_EQ(seen.countSelected, 7);
    EXPECT_EQ(seen.shellText, L"&Enable shell open by Zelvo");
    EXPECT_FALSE(seen.shellChecked);
    EXPECT_FALSE(seen.toSource);
    EXPECT_TRUE(seen.toDestination);
    EXPECT_FALSE(seen.changePathCode);
    EXPECT_TRUE(seen.checkWd);
    // OK writes the values back in their own form.
    EXPECT_EQ(ReadRegInt("Code Transfer", "UI Display Source 2 Source", -1), 0);
    EXPECT_EQ(ReadRegInt("Code Transfer", "Change Path Code", -1), 0);
    EXPECT_EQ(ReadRegInt("CTWA", "Check WD", -1), 1);
    EXPECT_EQ(ReadRegInt("File", "Maximum MRU Count", -1), 7);
    EXPECT_FALSE(IsShellExtensionRegistered());
}

TEST_F(OptionsDialogTest, OkRegistersTheEntryAndTheWindowFollowsSourceToSourceAtOnce) {
    SetShellExtension(false, distFolder_);
    MainWindow& window = Open();
    ASSERT_FALSE(window.TransferToSource());
    ASSERT_EQ(window.toolTips().TipOf(window.Item(IDM_TRANSFER_G2B)),
              WidenUiText(LoadUiString(IDS_TIP_G2B_S2D)));

    OpenAndConfirm(window, [](HWND general, HWND codeTransfer) {
        Click(general, IDC_OPTIONS_SHELL_OPEN);
        SendMessageW(GetDlgItem(general, IDC_OPTIONS_MRU_COUNT), CB_SETCURSEL, 0, 0);
        Click(codeTransfer, IDC_OPTIONS_SOURCE_TO_SOURCE);
        Click(codeTransfer, IDC_OPTIONS_CHANGE_PATH_CODE);
        Click(codeTransfer, IDC_OPTIONS_CHECK_WD);
    });
    EXPECT_TRUE(IsShellExtensionRegistered());
    EXPECT_EQ(ReadRegInt("Shell", "Tried", 0), 1);
    EXPECT_EQ(ReadRegInt("File", "Maximum MRU Count", -1), 0);
    EXPECT_EQ(ReadRegInt("Code Transfer", "UI Display Source 2 Source", -1), 1);
    EXPECT_EQ(ReadRegInt("Code Transfer", "Change Path Code", -1), 1);
    EXPECT_EQ(ReadRegInt("CTWA", "Check WD", -1), 0);
    EXPECT_TRUE(window.TransferToSource());
    EXPECT_EQ(window.toolTips().TipOf(window.Item(IDM_TRANSFER_G2B)),
              WidenUiText(LoadUiString(IDS_TIP_G2B_S2S)));

    // Opened again, the box shows the entry registered; clearing it removes the entry.
    const PagesSeen again =
        OpenAndConfirm(window, [](HWND general, HWND) { Click(general, IDC_OPTIONS_SHELL_OPEN); });
    EXPECT_TRUE(again.shellChecked);
    EXPECT_TRUE(again.toSource);
    EXPECT_EQ(again.countSelected, 0);
    EXPECT_FALSE(IsShellExtensionRegistered());
}

}  // namespace
}  // namespace zelvo
