// The help centre on Windows: which page or address it starts and how, recorded through its
// launcher; the ".htm" fallback with the registered command of this Windows; F1 in a dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "services/help.h"
#include "services/ui_strings.h"
#include "services/win/help_center.h"
#include "services/win/toolkit/dialog.h"

namespace zelvo {
namespace {

class HelpCenterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("zelvo-help-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        lcid_ = UiLcid();
        SetHelpLauncher([this](const HelpLaunch& launch) {
            launches_.push_back(launch);
            return accept_;
        });
    }
    void TearDown() override {
        SetHelpLauncher(nullptr);
        SetRegisteredHtmCommandReader(nullptr);
        SetUiLcid(lcid_);
        std::filesystem::remove_all(folder_);
    }
    void AddPage(const std::string& relative) {
        std::filesystem::path page = folder_ / relative;
        std::filesystem::create_directories(page.parent_path());
        std::ofstream(page) << "<html></html>";
    }
    std::string Folder() const { return folder_.string(); }

    std::filesystem::path folder_;
    std::vector<HelpLaunch> launches_;
    bool accept_ = true;
    int lcid_ = 1033;
};

TEST_F(HelpCenterTest, LocalPageOfTheUiLanguageOpensMaximisedInTheBrowser) {
    AddPage("doc/big5/userguide/35_codetransfer.htm");
    SetUiLcid(1028);
    OpenHelp(Folder(), 25);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0].kind, HelpLaunch::Kind::kShellExecute);
    EXPECT_EQ(launches_[0].file, "iexplore.exe");
    EXPECT_EQ(launches_[0].parameters, Folder() + "\\doc\\big5\\userguide\\35_codetransfer.htm");
    EXPECT_EQ(launches_[0].show, SW_SHOWMAXIMIZED);
}

TEST_F(HelpCenterTest, WithoutTheLocalPageTheWebCopyOpensAndJapaneseUsesEnglish) {
    AddPage("doc/english/index.html");
    SetUiLcid(1041);
    OpenHelp(Folder(), 9);  // no page of its own: the index
    SetUiLcid(2052);
    OpenHelp(Folder(), 8);  // no gb2312 folder here
    ASSERT_EQ(launches_.size(), 2u);
    EXPECT_EQ(launches_[0].parameters, Folder() + "\\doc\\english\\index.html");
    EXPECT_EQ(launches_[1].file, "https://www.tolvane.com/zelvo/help/gb2312/rel_note.htm");
    EXPECT_EQ(launches_[1].show, SW_SHOW);
}

TEST_F(HelpCenterTest, WhenNothingStartsTheRegisteredHtmProgramGetsTheAddress) {
    accept_ = false;
    SetRegisteredHtmCommandReader([] { return std::string("\"C:\\B\\browser.exe\" \"%1\" -new"); });
    EXPECT_FALSE(OpenUrl("https://example.test/a"));
    ASSERT_EQ(launches_.size(), 2u);
    EXPECT_EQ(launches_[1].kind, HelpLaunch::Kind::kWinExec);
    EXPECT_EQ(launches_[1].parameters, "\"C:\\B\\browser.exe\" https://example.test/a");

    launches_.clear();
    SetRegisteredHtmCommandReader([] { return std::string(); });
    EXPECT_FALSE(OpenUrl("https://example.test/a"));
    EXPECT_EQ(launches_.size(), 1u);  // nothing registered: no second try
}

// The registered command comes from HKEY_CLASSES_ROOT: a class the test registers for ".htm"
// (the previous registration is put back) is what the fallback starts.
TEST_F(HelpCenterTest, FallbackReadsTheHtmCommandFromTheRegistry) {
    HKEY classes = HKEY_CLASSES_ROOT;
    char previous[260] = {};
    LONG previousSize = sizeof previous;
    const bool hadHtm = RegQueryValueA(classes, ".htm", previous, &previousSize) == ERROR_SUCCESS;
    const std::string command = "\"C:\\Viewer\\view.exe\" \"%1\" -nohome";
    ASSERT_EQ(RegSetValueA(classes, ".htm", REG_SZ, "ZelvoTestPage", 0), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueA(classes, "ZelvoTestPage\\shell\\open\\command", REG_SZ, command.c_str(), 0),
              ERROR_SUCCESS);

    accept_ = false;
    OpenUrl("https://example.test/b");

    for (const char* key : {"ZelvoTestPage\\shell\\open\\command", "ZelvoTestPage\\shell\\open",
                            "ZelvoTestPage\\shell", "ZelvoTestPage"})
        RegDeleteKeyA(classes, key);
    if (hadHtm)
        RegSetValueA(classes, ".htm", REG_SZ, previous, 0);
    else
        RegDeleteKeyA(classes, ".htm");

    ASSERT_EQ(launches_.size(), 2u);
    EXPECT_EQ(launches_[1].kind, HelpLaunch::Kind::kWinExec);
    EXPECT_EQ(launches_[1].parameters, "\"C:\\Viewer\\view.exe\" https://example.test/b");
}

class TopicDialog : public Dialog {
  public:
    TopicDialog() : Dialog(IDD_MESSAGE_BOX) {}
    int HelpTopic() const override { return kHelpTopicCodeTransfer; }
};

TEST_F(HelpCenterTest, F1InADialogOpensItsTopic) {
    std::vector<int> topics;
    SetHelpTopicOpener([&topics](int topic) { topics.push_back(topic); });
    TopicDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    HELPINFO info{};
    info.cbSize = sizeof info;
    SendMessageW(dialog.hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    dialog.End(IDCANCEL);
    SetHelpTopicOpener(nullptr);
    EXPECT_EQ(topics, std::vector<int>{kHelpTopicCodeTransfer});
}

}  // namespace
}  // namespace zelvo
