// The download dialog driven by its controls against the local server of
// tests/e2e/update_download.sh (ZELVO_TEST_UPDATE_SERVER, ZELVO_TEST_INSTALLER_SHA256):
// the installer, and the same file under "/slow/", sent 1 KB every 50 ms. Without the
// server only the tests that download nothing run. Nothing here reaches beyond 127.0.0.1.
#include <windows.h>
// gtest after windows.h, as in the other Windows tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "services/win/toolkit/win_text.h"
#include "services/win/update_dialog.h"
#include "tests/win/win_test_support.h"

namespace zelvo {
namespace {

const char* const kNotVerifiedText =
    "The downloaded file is not the one published for this version, so it was deleted and not started. "
    "Please try again later.";

class UpdateDialogWin : public ::testing::Test {
  protected:
    void SetUp() override {
        Dialog::SetResourceInstance(GetModuleHandleW(nullptr));
        SetUiLcid(kLcidEnglish);
        SetUiCodePage(0);
        const char* server = std::getenv("ZELVO_TEST_UPDATE_SERVER");
        const char* hash = std::getenv("ZELVO_TEST_INSTALLER_SHA256");
        if (server && *server) server_ = server;
        if (hash && *hash) hash_ = hash;
        folder_ = TempFolderPath() + "zelvo-dialog-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        ASSERT_TRUE(CreateFolder(folder_));
        auto scripted = std::make_unique<ScriptedMessageService>();
        messages_ = scripted.get();
        previous_ = SetMessageService(std::move(scripted));
    }
    void TearDown() override {
        dialog_.reset();
        SetMessageService(std::move(previous_));
        for (const std::string& name : FolderNames()) DeleteFileA(JoinPath(folder_, name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    bool HaveServer() const { return !server_.empty() && !hash_.empty(); }

    UpdateDownloadDialog& Open(const std::string& url, const std::string& sha256, bool withoutDigest = false) {
        DownloadRequest request;
        request.url = url;
        request.expectedSha256 = sha256;
        request.subjectName = "Zelvo";
        request.saveFolder = folder_;
        request.withoutDigest = withoutDigest;
        dialog_ = std::make_unique<UpdateDownloadDialog>(request);
        dialog_->SetProgramStarter([this](const std::string& path) {
            started_.push_back(path);
            return true;
        });
        EXPECT_TRUE(dialog_->CreateModeless(nullptr));
        ShowWindow(dialog_->hwnd(), SW_SHOWNOACTIVATE);
        return *dialog_;
    }

    void Click(int id) {
        SendMessageW(dialog_->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog_->hwnd(), id)));
    }

    // Pumps messages until the condition holds or the time is up.
    template <class Condition>
    static bool PumpUntil(Condition condition, DWORD milliseconds = 60000) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > milliseconds) return false;
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(5);
        }
        return true;
    }

    std::string Text(int id) const {
        return NarrowText(GetWindowTextWide(GetDlgItem(dialog_->hwnd(), id)), 1252);
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog_->hwnd(), id)) != FALSE; }
    bool Checked(int id) const {
        return SendMessageW(GetDlgItem(dialog_->hwnd(), id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    std::vector<std::string> FolderNames() const { return win_testing::NamesInFolder(folder_); }

    std::string InstallerAddress(bool slow = false) const {
        return server_ + (slow ? "/slow" : "") + "/zelvo/download/zelvo12.exe";
    }

    std::string server_;
    std::string hash_;
    std::string folder_;
    std::unique_ptr<UpdateDownloadDialog> dialog_;
    std::vector<std::string> started_;
    ScriptedMessageService* messages_ = nullptr;
    std::unique_ptr<MessageService> previous_;
};

TEST_F(UpdateDialogWin, OpensIdleWithTheAddressTheSavePathAndTheProductNamed) {
    UpdateDownloadDialog& dialog = Open("https://www.tolvane.com/zelvo/download/zelvo12.exe", "");
    EXPECT_EQ(NarrowText(GetWindowTextWide(dialog.hwnd()), 1252), "Download Zelvo");
    EXPECT_EQ(Text(IDC_UPDATE_URL_LABEL), "&URL of Zelvo:");
    EXPECT_EQ(Text(IDC_UPDATE_URL), "https://www.tolvane.com/zelvo/download/zelvo12.exe");
    EXPECT_EQ(Text(IDC_UPDATE_SAVE_PATH), folder_ + "\\zelvo12.exe");
    EXPECT_EQ(Text(IDC_UPDATE_INSTALL), "&Install Zelvo when download completed");
    EXPECT_TRUE(Checked(IDC_UPDATE_INSTALL));
    EXPECT_EQ(Text(IDC_UPDATE_START), "Download Now!");
    EXPECT_EQ(dialog.startTip(), "Download Now!");
    EXPECT_EQ(Text(IDC_UPDATE_PERCENT), "0%");
    EXPECT_EQ(Text(IDC_UPDATE_SPEED), "0.0 KB/Sec");
    EXPECT_TRUE(Enabled(IDC_UPDATE_SAVE_PATH));
    EXPECT_NE(SendMessageW(dialog.hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "the dialog has its own icon";

    // Browse: a name without an extension in its last six characters gets ".exe".
    std::string offered;
    dialog.SetSaveNameQuestion([&](const std::string& initial, std::string& chosen) {
        offered = initial;
        chosen = "C:\\setups\\zelvo-new";
        return true;
    });
    Click(IDC_UPDATE_BROWSE);
    EXPECT_EQ(offered, folder_ + "\\zelvo12.exe");
    EXPECT_EQ(Text(IDC_UPDATE_SAVE_PATH), "C:\\setups\\zelvo-new.exe");
    dialog.SetSaveNameQuestion([](const std::string&, std::string& chosen) {
        chosen = "C:\\setups\\other";
        return false;  // cancelled
    });
    Click(IDC_UPDATE_BROWSE);
    EXPECT_EQ(Text(IDC_UPDATE_SAVE_PATH), "C:\\setups\\zelvo-new.exe");

    // Exit while idle closes the dialog.
    Click(IDC_UPDATE_EXIT);
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST_F(UpdateDialogWin, AnUnreachableAddressEndsIdleAndSaysTheDownloadFailed) {
    UpdateDownloadDialog& dialog = Open("http://127.0.0.1:9/zelvo/download/zelvo12.exe", std::string(64, '0'));
    Click(IDC_UPDATE_START);
    ASSERT_TRUE(PumpUntil([&] { return !dialog.downloading(); }));
    EXPECT_EQ(dialog.lastStatus(), kDownloadFailed);
    const std::string failed =
        "Failed in downloading the file. Please check your Internet connection and try again later.";
    EXPECT_EQ(Text(IDC_UPDATE_STATUS), failed);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, failed);
    EXPECT_EQ(Text(IDC_UPDATE_START), "Download Now!");
    EXPECT_TRUE(FolderNames().empty());
}

TEST_F(UpdateDialogWin, DownloadShowsProgressThenStartsTheVerifiedInstallerAndCloses) {
    if (!HaveServer()) GTEST_SKIP() << "no local update server (tests/e2e/update_download.sh starts one)";
    UpdateDownloadDialog& dialog = Open(InstallerAddress(true), hash_);
    Click(IDC_UPDATE_START);
    EXPECT_TRUE(dialog.downloading());
    EXPECT_EQ(Text(IDC_UPDATE_START), "Stop Downloading");
    EXPECT_EQ(dialog.startTip(), "Stop Downloading");
    EXPECT_FALSE(Enabled(IDC_UPDATE_SAVE_PATH));
    EXPECT_FALSE(Enabled(IDC_UPDATE_BROWSE));
    EXPECT_FALSE(Enabled(IDC_UPDATE_INSTALL));

    // Part of the way: the status names both sizes, the percentage and speed move.
    ASSERT_TRUE(PumpUntil([&] { return Text(IDC_UPDATE_STATUS).rfind("Downloading... ", 0) == 0; }, 20000))
        << Text(IDC_UPDATE_STATUS);
    const std::string midway = Text(IDC_UPDATE_STATUS);
    EXPECT_EQ(midway.substr(midway.size() - 8), "/97.6 KB") << midway;  // 100,000 bytes
    const std::string percent = Text(IDC_UPDATE_PERCENT);
    EXPECT_LT(std::atoi(percent.c_str()), 100) << percent;
    EXPECT_EQ(Text(IDC_UPDATE_SPEED).substr(Text(IDC_UPDATE_SPEED).size() - 7), " KB/Sec");
    EXPECT_NE(NarrowText(GetWindowTextWide(dialog.hwnd()), 1252).find("% Download Zelvo"), std::string::npos)
        << "the caption carries the percentage";

    ASSERT_TRUE(PumpUntil([&] { return !dialog.downloading(); }));
    EXPECT_EQ(dialog.lastStatus(), kDownloadFinished);
    EXPECT_EQ(dialog.highestPercent(), 100);
    const std::string target = folder_ + "\\zelvo12.exe";
    EXPECT_EQ(dialog.targetPath(), target);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(target, bytes));
    EXPECT_EQ(bytes.size(), 100000u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[99999]), 99999 % 251);
    EXPECT_EQ(started_, std::vector<std::string>{target});
    EXPECT_TRUE(dialog.installerStarted());
    EXPECT_EQ(dialog.hwnd(), nullptr) << "the dialog closes once the installer runs";
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(UpdateDialogWin, AWrongDigestDeletesTheFileStartsNothingAndTellsTheUser) {
    if (!HaveServer()) GTEST_SKIP() << "no local update server (tests/e2e/update_download.sh starts one)";
    UpdateDownloadDialog& dialog = Open(InstallerAddress(), std::string(64, 'a'));
    Click(IDC_UPDATE_START);
    ASSERT_TRUE(PumpUntil([&] { return !dialog.downloading(); }));
    EXPECT_EQ(dialog.lastStatus(), kDownloadNotVerified);
    EXPECT_TRUE(FolderNames().empty()) << "neither the download nor its temporary file is left";
    EXPECT_TRUE(started_.empty());
    EXPECT_FALSE(dialog.installerStarted());
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, kNotVerifiedText);
    EXPECT_EQ(Text(IDC_UPDATE_STATUS), kNotVerifiedText);
    // Idle again, open for another try.
    ASSERT_NE(dialog.hwnd(), nullptr);
    EXPECT_EQ(Text(IDC_UPDATE_START), "Download Now!");
    EXPECT_TRUE(Enabled(IDC_UPDATE_SAVE_PATH));
    EXPECT_EQ(Text(IDC_UPDATE_PERCENT), "0%");
}

TEST_F(UpdateDialogWin, StopDuringASlowDownloadSaysCanceledAndLeavesNoFile) {
    if (!HaveServer()) GTEST_SKIP() << "no local update server (tests/e2e/update_download.sh starts one)";
    UpdateDownloadDialog& dialog = Open(InstallerAddress(true), hash_);
    Click(IDC_UPDATE_START);
    ASSERT_TRUE(PumpUntil([&] { return Text(IDC_UPDATE_STATUS).rfind("Downloading... ", 0) == 0; }, 20000));
    Click(IDC_UPDATE_START);
    EXPECT_EQ(Text(IDC_UPDATE_START), "Download Now!") << "the button looks idle at once";
    ASSERT_TRUE(PumpUntil([&] { return !dialog.downloading(); }));
    EXPECT_EQ(dialog.lastStatus(), kDownloadCanceled);
    EXPECT_EQ(Text(IDC_UPDATE_STATUS), "Download canceled");
    EXPECT_EQ(Text(IDC_UPDATE_PERCENT), "0%");
    EXPECT_LT(dialog.highestPercent(), 100);
    EXPECT_TRUE(FolderNames().empty()) << "no partial target";
    EXPECT_TRUE(started_.empty());
    EXPECT_TRUE(Enabled(IDC_UPDATE_START));
    EXPECT_NE(dialog.hwnd(), nullptr);
}

TEST_F(UpdateDialogWin, AFileWithoutADigestIsKeptButNeverStarted) {
    if (!HaveServer()) GTEST_SKIP() << "no local update server (tests/e2e/update_download.sh starts one)";
    UpdateDownloadDialog& dialog = Open(InstallerAddress(), "", true);
    EXPECT_FALSE(Checked(IDC_UPDATE_INSTALL));
    EXPECT_FALSE(Enabled(IDC_UPDATE_INSTALL));
    Click(IDC_UPDATE_START);
    ASSERT_TRUE(PumpUntil([&] { return !dialog.downloading(); }));
    EXPECT_EQ(dialog.lastStatus(), kDownloadFinished);
    EXPECT_EQ(Text(IDC_UPDATE_STATUS), "Download complete");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"zelvo12.exe"});
    EXPECT_TRUE(started_.empty());
    EXPECT_NE(dialog.hwnd(), nullptr) << "nothing started, so the dialog stays";
}

}  // namespace
}  // namespace zelvo
