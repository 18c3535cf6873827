// The main window and its profiles: the window as it was at exit comes back at the next
// start, a profile chosen from the menu changes what it sets, and files opened from the
// shell together cascade their windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/win/main_window.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "tests/win/main_window_fixture.h"
#include "transfer/profile.h"

namespace zelvo {
namespace {

using MainWindowProfilesTest = MainWindowTest;

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

int PlaceOfSystemProfile(const MainWindow& window, int systemId) {
    const ProfileList& list = window.profiles();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].isSystem && list[i].systemId == systemId) return static_cast<int>(i);
    return -1;
}

TEST_F(MainWindowProfilesTest, TheWindowComesBackAsItWasClosed) {
    MainWindow& first = Open();
    ASSERT_FALSE(FileExists(app_.lastStateFile));
    SetWindowPos(first.hwnd(), nullptr, 37, 41, 610, 455, SWP_NOZORDER | SWP_NOACTIVATE);
    first.SetFontPoints(EditArea::kSource, 16);
    first.ToggleAreaShown(EditArea::kDestination);
    first.SetProportion(30);
    const RECT before = WindowRect(first.hwnd());
    window_.reset();  // the window goes as at exit
    ASSERT_TRUE(FileExists(app_.lastStateFile));

    MainWindow& second = Open();
    const RECT after = WindowRect(second.hwnd());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(second.FontPoints(EditArea::kSource), 16);
    EXPECT_EQ(second.FontPoints(EditArea::kDestination), 10);
    EXPECT_TRUE(second.view().sourceShown);
    EXPECT_FALSE(second.view().destinationShown);
    EXPECT_FALSE(Visible(second.Item(IDC_DESTINATION_EDIT)));
    EXPECT_EQ(second.view().proportion, 30);
}

TEST_F(MainWindowProfilesTest, ALastStateWithNeitherAreaShowsTheSourceArea) {
    ASSERT_TRUE(WriteFileBytes(app_.lastStateFile,
                               "[Last]\r\nHave EA Source = false\r\nHave EA Destination = false\r\n"));
    MainWindow& window = Open();
    EXPECT_TRUE(window.view().sourceShown);
    EXPECT_FALSE(window.view().destinationShown);
}

TEST_F(MainWindowProfilesTest, StickyNoteFromTheProfileMenuLeavesOnlyTheSourceAreaOnTop) {
    MainWindow& window = Open();
    ASSERT_EQ(window.profiles().size(), 5u);  // no profile.ini: the five built-in ones
    const int place = PlaceOfSystemProfile(window, 3);
    ASSERT_GE(place, 0);
    EXPECT_EQ(window.profiles()[static_cast<size_t>(place)].title, "Sticky Note");
    window.RunCommand(IDM_PROFILE_FIRST + place);
    EXPECT_TRUE(window.view().sourceShown);
    EXPECT_FALSE(window.view().destinationShown);
    EXPECT_FALSE(window.view().menuBarShown);
    EXPECT_EQ(GetMenu(window.hwnd()), nullptr);
    EXPECT_TRUE(window.view().alwaysOnTop);
    // (Wine keeps the top-most flag to its X11 driver; the button's tip tells the state.)
    EXPECT_EQ(window.toolTips().TipOf(window.Item(IDM_ALWAYS_ON_TOP)), L"Click to cancel Zelvo as top window");
}

// Three files opened from the shell at once: launch indexes 0, 1 and 2 put the windows
// 18 pixels apart, from where "Open from Explorer" places the first.
TEST_F(MainWindowProfilesTest, FilesOpenedFromTheShellTogetherCascade) {
    const std::string file = WriteSample("cascade.txt", "text");
    POINT corners[3]{};
    for (int index = 0; index < 3; ++index) {
        MainWindow& window = Open("[n]" + std::to_string(index) + "[p]" + file);
        const RECT rect = WindowRect(window.hwnd());
        corners[index] = {rect.left, rect.top};
        window_.reset();
        // Each instance starts from the same "Last" state, as instances started together do.
        DeleteFileA(app_.lastStateFile.c_str());
    }
    EXPECT_EQ(corners[0].x, 79);
    EXPECT_EQ(corners[0].y, 0);
    EXPECT_EQ(corners[1].x, 97);
    EXPECT_EQ(corners[1].y, 18);
    EXPECT_EQ(corners[2].x, 115);
    EXPECT_EQ(corners[2].y, 36);
}

}  // namespace
}  // namespace zelvo
