// The Profile Manager, the Edit Profile dialog and the background dialog over a real main
// window: changes thrown away by Cancel leave profile.ini as it was, OK writes them, failed
// checks are listed and keep OK disabled, and a preview is undone when the dialog closes.
#include <gtest/gtest.h>
#include <windows.h>
// The other system headers need the types of windows.h.
#include <commctrl.h>

#include <string>

#include "app/win/main_window.h"
#include "app/win/profile_dialogs.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "services/win/toolkit/list_view.h"
#include "services/win/toolkit/win_text.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/timed_steps.h"
#include "transfer/profile_list.h"

namespace zelvo {
namespace {

class ProfileDialogsTest : public MainWindowTest {
  protected:
    ProfileFiles Files() const { return {app_.profileFile, app_.lastStateFile}; }

    // profile.ini with the five built-in profiles and one of the user's, "Mine".
    std::string WriteProfileFile(const ProfileWindowHost& host) {
        ProfileList list;
        LoadProfileList(list, Files(), host.context);
        Profile mine = DefaultProfile(host.context);
        mine.title = "Mine";
        mine.description = "my own";
        list.push_back(mine);
        EXPECT_TRUE(SaveProfileList(list, Files()));
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(app_.profileFile, bytes));
        return bytes;
    }

    std::string FileBytes(const std::string& path) const {
        std::string bytes;
        ReadFileBytes(path, bytes);
        return bytes;
    }
};

void Type(HWND dialog, int id, const char* text) {
    SetWindowTextW(GetDlgItem(dialog, id), WidenText(text, 1252).c_str());
}

void Press(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Command(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::string Text(HWND dialog, int id) {
    return GetWindowTextIn(GetDlgItem(dialog, id), 1252);
}

int RowCount(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageW(dialog, IDC_PM_LIST, LVM_GETITEMCOUNT, 0, 0));
}

void SelectRow(HWND dialog, int row) {
    ListView list;
    ASSERT_TRUE(list.Attach(dialog, IDC_PM_LIST));
    list.SelectRow(row);
}

std::vector<std::string> Titles(const ProfileList& list) {
    std::vector<std::string> titles;
    for (const Profile& p : list) titles.push_back(p.title);
    return titles;
}

// Presses OK in the Edit Profile dialog once it shows (it runs modally under Add).
std::vector<TimedSteps::Step> PressOkInEditProfile() {
    return {[](HWND window) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }};
}

TEST_F(ProfileDialogsTest, ManagerChangesThenCancelLeaveTheFileAsItWasAndOkWritesThem) {
    MainWindow& window = Open();
    const ProfileWindowHost host = window.ProfileHost();
    const std::string before = WriteProfileFile(host);
    ProfileList list;
    LoadProfileList(list, Files(), host.context);
    const std::vector<std::string> titles = Titles(list);
    ASSERT_EQ(titles.size(), 6u);
    {
        ProfileManagerDialog manager(list, Files(), host);
        ASSERT_TRUE(manager.CreateModeless(window.hwnd()));
        HWND box = manager.hwnd();
        ASSERT_EQ(RowCount(box), 6);
        // The first profile is selected: it cannot move up or be deleted (a built-in one).
        EXPECT_FALSE(Enabled(box, IDC_PM_MOVE_UP));
        EXPECT_TRUE(Enabled(box, IDC_PM_MOVE_DOWN));
        EXPECT_FALSE(Enabled(box, IDC_PM_DELETE));
        EXPECT_FALSE(Enabled(box, IDC_PM_SAVE));
        EXPECT_EQ(Text(box, IDC_PM_DETAILS).substr(0, 17), "Title: Standard\r\n");

        {
            TimedSteps steps(L"Edit Profile", PressOkInEditProfile());
            Press(box, IDC_PM_ADD);
            EXPECT_FALSE(steps.timedOut());
        }
        ASSERT_EQ(list.size(), 7u);
        EXPECT_EQ(list.back().title, "New Profile");
        EXPECT_FALSE(list.back().isSystem);
        EXPECT_EQ(RowCount(box), 7);
        EXPECT_TRUE(Enabled(box, IDC_PM_SAVE));
        EXPECT_FALSE(Enabled(box, IDC_PM_MOVE_DOWN));  // the new one, last, is selected

        Press(box, IDC_PM_MOVE_UP);
        EXPECT_EQ(list[5].title, "New Profile");
        EXPECT_EQ(list[6].title, "Mine");

        SelectRow(box, 6);
        EXPECT_TRUE(Enabled(box, IDC_PM_DELETE));
        Answer(kIdNo);
        Press(box, IDC_PM_DELETE);
        ASSERT_EQ(messages_->shown.size(), 1u);
        EXPECT_EQ(messages_->shown[0].text, "You are about to delete currently selected Profile, are you sure?");
        EXPECT_EQ(list.size(), 7u);
        Answer(kIdYes);
        Press(box, IDC_PM_DELETE);
        EXPECT_EQ(list.size(), 6u);
        EXPECT_EQ(RowCount(box), 6);

        Command(box, IDCANCEL);
    }
    EXPECT_EQ(FileBytes(app_.profileFile), before);
    EXPECT_EQ(Titles(list), titles);  // read again from the file

    {
        ProfileManagerDialog manager(list, Files(), host);
        ASSERT_TRUE(manager.CreateModeless(window.hwnd()));
        HWND box = manager.hwnd();
        {
            TimedSteps steps(L"Edit Profile", PressOkInEditProfile());
            Press(box, IDC_PM_ADD);
        }
        SelectRow(box, 1);
        Press(box, IDC_PM_MOVE_UP);
        Command(box, IDOK);
    }
    ProfileList stored;
    LoadProfileList(stored, Files(), host.context);
    EXPECT_EQ(Titles(stored), (std::vector<std::string>{"Full", "Standard", "Sticky Note", "Verify by Lines",
                                                        "Open from Explorer", "Mine", "New Profile"}));
}

TEST_F(ProfileDialogsTest, FailedChecksAreListedAndKeepOkDisabled) {
    MainWindow& window = Open();
    const ProfileWindowHost host = window.ProfileHost();
    WriteProfileFile(host);
    ProfileList list;
    LoadProfileList(list, Files(), host.context);
    Profile edited = DefaultProfile(host.context);
    edited.title = "Mine";  // taken
    EditProfileDialog dialog(edited, list, -1, host);
    ASSERT_TRUE(dialog.CreateModeless(window.hwnd()));
    HWND box = dialog.hwnd();
    EXPECT_EQ(Text(box, IDC_EP_CHECKS), "Title already exists!");
    EXPECT_FALSE(Enabled(box, IDOK));

    Type(box, IDC_EP_LEFT, "abc");
    const std::string width = std::to_string(GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Text(box, IDC_EP_CHECKS),
              "Title already exists!\r\nThe value for Left is not valid. A valid number is an integer between 0 and " +
                  width + ".");
    // Switching the position off takes its fields out of the checks and disables them.
    Press(box, IDC_EP_POSITION_SET);
    EXPECT_FALSE(Enabled(box, IDC_EP_LEFT));
    EXPECT_EQ(Text(box, IDC_EP_CHECKS), "Title already exists!");

    Type(box, IDC_EP_TITLE, "Another");
    EXPECT_EQ(Text(box, IDC_EP_CHECKS), "All settings are valid. Click \"OK\" to save the profile.");
    EXPECT_TRUE(Enabled(box, IDOK));

    // The proportion's share follows what is typed; hiding an area disables the proportion.
    Type(box, IDC_EP_PROPORTION, "30");
    EXPECT_EQ(Text(box, IDC_EP_DESTINATION_SHARE), "70");
    Press(box, IDC_EP_DESTINATION_AREA);
    EXPECT_FALSE(Enabled(box, IDC_EP_PROPORTION_SET));
    EXPECT_FALSE(Enabled(box, IDC_EP_PROPORTION));
    EXPECT_FALSE(Enabled(box, IDC_EP_DESTINATION_BAR));

    Command(box, IDOK);
    EXPECT_EQ(dialog.profile().title, "Another");
    EXPECT_FALSE(dialog.profile().setPosition);
    EXPECT_EQ(dialog.profile().proportion, 30);
    EXPECT_FALSE(dialog.profile().showDestinationArea);
}

TEST_F(ProfileDialogsTest, PreviewMovesTheWindowAndCancelPutsItBack) {
    MainWindow& window = Open();
    SetWindowPos(window.hwnd(), nullptr, 50, 60, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT before{};
    GetWindowRect(window.hwnd(), &before);
    const ProfileWindowHost host = window.ProfileHost();
    Profile look = DefaultProfile(host.context);
    look.title = "Look";
    look.left = 100;
    look.right = 500;
    look.top = 120;
    look.bottom = 320;
    look.centered = false;
    look.proportion = 20;
    EditProfileDialog dialog(look, window.profiles(), -1, host);
    ASSERT_TRUE(dialog.CreateModeless(window.hwnd()));
    Press(dialog.hwnd(), IDC_EP_PREVIEW);
    RECT shown{};
    GetWindowRect(window.hwnd(), &shown);
    EXPECT_EQ(shown.left, 100);
    EXPECT_EQ(shown.top, 120);
    EXPECT_EQ(shown.right, 500);
    EXPECT_EQ(shown.bottom, 320);
    EXPECT_EQ(window.view().proportion, 20);

    Command(dialog.hwnd(), IDCANCEL);
    RECT after{};
    GetWindowRect(window.hwnd(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(window.view().proportion, 50);
}

TEST_F(ProfileDialogsTest, ApplyCurrentProfileFillsTheFieldsFromTheWindow) {
    MainWindow& window = Open();
    SetWindowPos(window.hwnd(), nullptr, 70, 80, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    window.SetFontPoints(EditArea::kSource, 16);
    const ProfileWindowHost host = window.ProfileHost();
    Profile blank = DefaultProfile(host.context);
    blank.title = "From the window";
    blank.setPosition = false;
    EditProfileDialog dialog(blank, window.profiles(), -1, host);
    ASSERT_TRUE(dialog.CreateModeless(window.hwnd()));
    HWND box = dialog.hwnd();
    Press(box, IDC_EP_APPLY_CURRENT);
    EXPECT_EQ(Text(box, IDC_EP_TITLE), "From the window");
    EXPECT_EQ(IsDlgButtonChecked(box, IDC_EP_POSITION_SET), BST_CHECKED);
    EXPECT_EQ(Text(box, IDC_EP_LEFT), "70");
    EXPECT_EQ(Text(box, IDC_EP_BOTTOM), "380");
    EXPECT_EQ(IsDlgButtonChecked(box, IDC_EP_SOURCE_FONT_SET), BST_CHECKED);
    EXPECT_EQ(Text(box, IDC_EP_SOURCE_FONT), "16");
    Command(box, IDCANCEL);
}

TEST_F(ProfileDialogsTest, SaveProfileAppendsTheWindowsStateAndWritesTheList) {
    MainWindow& window = Open();
    ASSERT_FALSE(FileExists(app_.profileFile));
    {
        TimedSteps steps(L"Edit Profile", PressOkInEditProfile());
        window.RunCommand(IDM_SAVE_PROFILE);
        EXPECT_FALSE(steps.timedOut());
    }
    ASSERT_EQ(window.profiles().size(), 6u);
    EXPECT_EQ(window.profiles().back().title, "New Profile");
    const std::string file = FileBytes(app_.profileFile);
    EXPECT_NE(file.find("[Profile 6]\r\nTitle = New Profile\r\n"), std::string::npos);
}

TEST_F(ProfileDialogsTest, BackgroundCommandKeepsItsSettingsInTheLastState) {
    MainWindow& window = Open();
    {
        TimedSteps steps(L"Background", {[](HWND box) {
                             SetWindowTextW(GetDlgItem(box, IDC_BK_PATH), L"C:\\pictures\\paper.bmp");
                             PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                         }});
        window.RunCommand(IDM_BACKGROUND);
        EXPECT_FALSE(steps.timedOut());
    }
    EXPECT_EQ(window.background().backgroundImagePath, "C:\\pictures\\paper.bmp");
    window_.reset();  // the window goes as at exit
    EXPECT_NE(FileBytes(app_.lastStateFile).find("BK Image Path = C:\\pictures\\paper.bmp\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zelvo
