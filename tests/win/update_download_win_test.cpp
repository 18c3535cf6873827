// The update worker against a real HTTP server on this machine: tests/e2e/update_download.sh
// serves a folder with python3 -m http.server on 127.0.0.1 and names it in
// ZELVO_TEST_UPDATE_SERVER; the installer's SHA-256, worked out by sha256sum, comes in
// ZELVO_TEST_INSTALLER_SHA256. Without them these tests are skipped. Nothing here reaches
// beyond 127.0.0.1.
#include <windows.h>
// gtest after windows.h, as in the other Windows tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/message_service.h"
#include "services/update_check.h"
#include "services/win/update_download.h"
#include "tests/win/win_test_support.h"

namespace zelvo {
namespace {

// The installer the script serves: 100,000 bytes, byte i being i % 251, so it ends in the
// middle of a 512-byte block.
std::string ExpectedInstaller() {
    std::string bytes(100000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Posted>* postedMessages = nullptr;

LRESULT CALLBACK RecordingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == kDownloadStatusMessage || message == kDownloadProgressMessage) && postedMessages) {
        postedMessages->push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class UpdateDownloadWin : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* server = std::getenv("ZELVO_TEST_UPDATE_SERVER");
        const char* hash = std::getenv("ZELVO_TEST_INSTALLER_SHA256");
        if (!server || !*server || !hash || !*hash)
            GTEST_SKIP() << "no local update server (tests/e2e/update_download.sh starts one)";
        server_ = server;
        hash_ = hash;
        folder_ = TempFolderPath() + "zelvo-update-" + std::to_string(GetCurrentProcessId());
        CreateFolder(folder_);

        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZelvoUpdateTestSink";
        RegisterClassA(&windowClass);
        sink_ = CreateWindowExA(0, "ZelvoUpdateTestSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(sink_, nullptr);
        postedMessages = &posted_;
    }
    void TearDown() override {
        postedMessages = nullptr;
        if (sink_) DestroyWindow(sink_);
        if (!folder_.empty()) {
            for (const std::string& name : FolderNames()) DeleteFileA(JoinPath(folder_, name).c_str());
            RemoveDirectoryA(folder_.c_str());
        }
    }

    std::string InstallerAddress() const { return server_ + "/zelvo/download/zelvo12.exe"; }

    // Runs the job on its thread, pumping the sink's messages until the worker is done.
    void Run(DownloadJob& job) {
        job.notifyWindow = sink_;
        if (job.savePath.empty()) job.savePath = JoinPath(folder_, "zelvo12.exe");
        job.defaultFolder = folder_;
        if (!job.startProgram) {
            job.startProgram = [this](const std::string& path) {
                started_.push_back(path);
                return true;
            };
        }
        HANDLE thread = StartDownloadThread(job);
        ASSERT_NE(thread, nullptr);
        ASSERT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
        CloseHandle(thread);
        EXPECT_TRUE(job.done);
        MSG msg;
        while (PeekMessageA(&msg, sink_, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

    std::vector<std::string> FolderNames() const { return win_testing::NamesInFolder(folder_); }

    std::vector<int> Statuses() const {
        std::vector<int> statuses;
        for (const Posted& p : posted_)
            if (p.message == kDownloadStatusMessage) statuses.push_back(static_cast<int>(p.wParam));
        return statuses;
    }

    uint64_t ProgressBytes() const {
        uint64_t sum = 0;
        for (const Posted& p : posted_)
            if (p.message == kDownloadProgressMessage) sum += p.wParam;
        return sum;
    }

    std::string server_;
    std::string hash_;
    std::string folder_;
    HWND sink_ = nullptr;
    std::vector<Posted> posted_;
    std::vector<std::string> started_;
};

TEST_F(UpdateDownloadWin, TheInformationFileOffersTheServedInstaller) {
    const std::string text = FetchUrlText(server_ + kUpdateInfoPath);
    ASSERT_FALSE(text.empty());
    UpdateOffer offer;
    ASSERT_TRUE(EvaluateUpdateInfo(text, "2004-4-24", CalendarDate{2026, 12, 8},
                                   "https://www.tolvane.com/zelvo/", offer));
    EXPECT_EQ(offer.version, "1.2");
    EXPECT_EQ(offer.build, "2026-11-30");
    EXPECT_EQ(offer.url, InstallerAddress());
    EXPECT_EQ(offer.sha256, hash_);
    // A name the server does not have, and a port nobody listens on, give nothing.
    EXPECT_EQ(FetchUrlText(server_ + "/zelvo/download/missing.txt"), "");
    EXPECT_EQ(FetchUrlText("http://127.0.0.1:9/zelvo/download/updtinfo.txt"), "");
}

TEST_F(UpdateDownloadWin, TheRightDigestIsMovedToTheTargetAndStarted) {
    DownloadJob job;
    job.address = InstallerAddress();
    job.expectedSha256 = hash_;
    Run(job);
    EXPECT_EQ(job.outcome, kDownloadFinished);
    const std::string target = JoinPath(folder_, "zelvo12.exe");
    EXPECT_EQ(job.targetPath, target);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(target, bytes));
    EXPECT_TRUE(bytes == ExpectedInstaller()) << "the downloaded file differs from the served one";
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"zelvo12.exe"}) << "no temporary file is left";
    EXPECT_TRUE(job.installerStarted);
    EXPECT_EQ(started_, std::vector<std::string>{target});
    EXPECT_EQ(Statuses(), (std::vector<int>{kDownloadRequesting, kDownloadStarted, kDownloadMoving,
                                            kDownloadInstalling, kDownloadFinished}));
    ASSERT_GE(posted_.size(), 2u);
    EXPECT_EQ(posted_[1].lParam, 100000) << "the total size comes with the start";
    EXPECT_EQ(ProgressBytes(), 100000u);

    // A second download of the same file takes the next free name, and without the
    // install flag nothing is started.
    posted_.clear();
    DownloadJob again;
    again.address = InstallerAddress();
    again.expectedSha256 = hash_;
    again.installAfterDownload = false;
    Run(again);
    EXPECT_EQ(again.outcome, kDownloadFinished);
    EXPECT_EQ(again.targetPath, JoinPath(folder_, "zelvo12(1).exe"));
    EXPECT_TRUE(FileExists(again.targetPath));
    EXPECT_FALSE(again.installerStarted);
    EXPECT_EQ(started_.size(), 1u);
}

TEST_F(UpdateDownloadWin, AWrongOrMissingDigestDeletesTheFileAndStartsNothing) {
    for (const std::string& digest : {std::string(64, '0'), std::string()}) {
        SCOPED_TRACE(digest);
        posted_.clear();
        DownloadJob job;
        job.address = InstallerAddress();
        job.expectedSha256 = digest;
        Run(job);
        EXPECT_EQ(job.outcome, kDownloadNotVerified);
        EXPECT_TRUE(FolderNames().empty());
        EXPECT_FALSE(job.installerStarted);
        EXPECT_TRUE(started_.empty());
        ASSERT_FALSE(Statuses().empty());
        EXPECT_EQ(Statuses().back(), kDownloadNotVerified);
    }
}

TEST_F(UpdateDownloadWin, CancelAndUnreachableAddressesLeaveNoFile) {
    DownloadJob canceled;
    canceled.address = InstallerAddress();
    canceled.expectedSha256 = hash_;
    canceled.cancel = true;  // set before the first block arrives
    Run(canceled);
    EXPECT_EQ(canceled.outcome, kDownloadCanceled);
    EXPECT_EQ(Statuses().back(), kDownloadCanceled);
    EXPECT_EQ(ProgressBytes(), 0u);

    for (const std::string& address :
         {server_ + "/zelvo/download/missing.exe", std::string("http://127.0.0.1:9/zelvo12.exe"),
          std::string("http://updates.invalid/zelvo12.exe")}) {
        SCOPED_TRACE(address);
        DownloadJob job;
        job.address = address;
        job.expectedSha256 = hash_;
        Run(job);
        EXPECT_EQ(job.outcome, kDownloadFailed);
    }
    EXPECT_TRUE(FolderNames().empty());
    EXPECT_TRUE(started_.empty());
}

TEST_F(UpdateDownloadWin, TheCheckThreadAsksAndANoIsRemembered) {
    auto previousRegistry = SetRegistryBackend(std::make_unique<MemoryRegistryBackend>());
    auto scripted = std::make_unique<ScriptedMessageService>();
    ScriptedMessageService* messages = scripted.get();
    auto previousMessages = SetMessageService(std::move(scripted));
    WriteRegString(kUpdateSection, kUpdateServerKey, server_);
    messages->answers.push_back({kIdNo});

    UpdateCheckContext context;
    context.today = CalendarDate{2026, 12, 8};
    context.ownBuild = "2004-4-24";
    context.productName = "Zelvo";
    context.companyName = "Tolvane";
    context.productHomePage = "https://www.tolvane.com/zelvo/";
    bool downloadAsked = false;
    context.runDownload = [&](const UpdateOffer&) { return downloadAsked = true; };
    bool result = true;
    HANDLE thread = StartUpdateCheckThread(context, [&](bool started) { result = started; });
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
    CloseHandle(thread);

    EXPECT_FALSE(result);
    EXPECT_FALSE(downloadAsked);
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[0].text.rfind("New version of Zelvo found", 0), 0u) << messages->shown[0].text;
    EXPECT_EQ(ReadRegString(kUpdateSection, kLastTryKey, ""), "2026-12-8");
    EXPECT_EQ(ReadRegString(kUpdateSection, kLastDenyKey, ""), "2026-12-8");

    SetMessageService(std::move(previousMessages));
    SetRegistryBackend(std::move(previousRegistry));
}

}  // namespace
}  // namespace zelvo
