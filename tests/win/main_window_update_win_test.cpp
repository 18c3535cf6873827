// The daily update check as the main window starts it, 100 ms after it opens, on a thread
// of its own; its questions come back to the window's thread. The server is 127.0.0.1:
// a port nobody listens on, or the local server of tests/e2e/update_download.sh
// (ZELVO_TEST_UPDATE_SERVER, ZELVO_TEST_INSTALLER_SHA256).
#include "tests/win/main_window_fixture.h"

#include <cstdio>
#include <cstdlib>

namespace zelvo {
namespace {

// Records which thread each message was asked on.
class ThreadRecordingMessages : public ScriptedMessageService {
  public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        threads.push_back(GetCurrentThreadId());
        return ScriptedMessageService::ShowMessage(request);
    }
    std::vector<DWORD> threads;
};

// Today as "Last Try" stores it, read from the system clock here.
std::string TodayFromSystem() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%d-%d-%d", now.wYear, now.wMonth, now.wDay);
    return text;
}

class MainWindowUpdateTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        auto recording = std::make_unique<ThreadRecordingMessages>();
        messages_ = recording.get();
        recording_ = recording.get();
        SetMessageService(std::move(recording));
        WriteRegInt(kUpdateSection, kUpdateDisabledKey, 0);
    }

    // Opens the window and waits until its update check has ended, answering what it asks.
    MainWindow& OpenAndCheck() {
        MainWindow& window = Open();
        EXPECT_TRUE(WaitFor([&] { return window.updateCheckThread() != nullptr; }, 5000))
            << "the start timer started no check";
        EXPECT_TRUE(WaitFor(
            [&] { return WaitForSingleObject(window.updateCheckThread(), 0) == WAIT_OBJECT_0; }, 60000));
        Pump(200);  // what the thread posted on its way out
        return window;
    }

    template <class Condition>
    bool WaitFor(Condition condition, DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > milliseconds) return false;
            Pump();
            Sleep(10);
        }
        return true;
    }

    ThreadRecordingMessages* recording_ = nullptr;
};

TEST_F(MainWindowUpdateTest, AnUnreachableServerAsksNothingAndTheNextTryIsTomorrow) {
    WriteRegString(kUpdateSection, kUpdateServerKey, "http://127.0.0.1:9");
    OpenAndCheck();
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_TRUE(downloads_.empty());
    EXPECT_EQ(ReadRegString(kUpdateSection, kLastTryKey, "none"), TodayFromSystem());
    EXPECT_EQ(ReadRegString(kUpdateSection, kLastDenyKey, "none"), "none");
}

TEST_F(MainWindowUpdateTest, TheSettingKeepsTheCheckOff) {
    WriteRegString(kUpdateSection, kUpdateServerKey, "http://127.0.0.1:9");
    WriteRegInt(kUpdateSection, kUpdateDisabledKey, 1);
    MainWindow& window = Open();
    Pump(600);  // well past the start timer
    EXPECT_EQ(window.updateCheckThread(), nullptr) << "no thread is started";
    EXPECT_EQ(ReadRegString(kUpdateSection, kLastTryKey, "none"), "none");
}

TEST_F(MainWindowUpdateTest, YesHidesTheWindowForTheDownloadThenAsksToExitForTheInstaller) {
    const char* server = std::getenv("ZELVO_TEST_UPDATE_SERVER");
    const char* hash = std::getenv("ZELVO_TEST_INSTALLER_SHA256");
    if (!server || !*server || !hash || !*hash)
        GTEST_SKIP() << "no local update server (tests/e2e/update_download.sh starts one)";
    WriteRegString(kUpdateSection, kUpdateServerKey, server);
    Answer(kIdYes);  // download it now
    Answer(kIdYes);  // exit for the installation
    MainWindow& window = Open();
    HWND mainWindow = window.hwnd();
    bool shownDuringDownload = true;
    window.SetDownloadRunner([&](const DownloadRequest& request) {
        downloads_.push_back(request);
        shownDuringDownload = IsWindowVisible(mainWindow) != FALSE;
        return true;  // the installer started
    });
    ASSERT_TRUE(WaitFor([&] { return messages_->shown.size() >= 2; }, 60000));
    Pump(200);

    EXPECT_EQ(messages_->shown[0].text.rfind("New version of Zelvo found, will you download it now?", 0), 0u)
        << messages_->shown[0].text;
    ASSERT_EQ(downloads_.size(), 1u);
    EXPECT_EQ(downloads_[0].url, std::string(server) + "/zelvo/download/zelvo12.exe");
    EXPECT_EQ(downloads_[0].expectedSha256, hash);
    EXPECT_EQ(downloads_[0].subjectName, "Zelvo");
    EXPECT_FALSE(shownDuringDownload) << "the main window hides while the download dialog runs";
    EXPECT_EQ(messages_->shown[1].text,
              "Please exit from current Zelvo so the installation of new version can be smooth.\r\n\r\nWill "
              "you exit from current Zelvo right now?");
    // Every question was asked on the window's thread, not the check's.
    for (DWORD thread : recording_->threads) EXPECT_EQ(thread, GetCurrentThreadId());
    EXPECT_EQ(window.hwnd(), nullptr) << "Yes closes the window";
}

TEST_F(MainWindowUpdateTest, ADownloadThatStartedNothingShowsTheWindowAgain) {
    const char* server = std::getenv("ZELVO_TEST_UPDATE_SERVER");
    if (!server || !*server) GTEST_SKIP() << "no local update server (tests/e2e/update_download.sh starts one)";
    WriteRegString(kUpdateSection, kUpdateServerKey, server);
    Answer(kIdYes);
    MainWindow& window = Open();
    window.SetDownloadRunner([&](const DownloadRequest& request) {
        downloads_.push_back(request);
        return false;  // canceled, or not verified
    });
    ASSERT_TRUE(WaitFor([&] { return !downloads_.empty(); }, 60000));
    ASSERT_TRUE(WaitFor([&] { return WaitForSingleObject(window.updateCheckThread(), 0) == WAIT_OBJECT_0; },
                        10000));
    Pump(200);
    EXPECT_EQ(messages_->shown.size(), 1u) << "no exit question";
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
}

}  // namespace
}  // namespace zelvo
