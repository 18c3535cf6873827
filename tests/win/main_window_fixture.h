// What the main window tests share: a main window over the built program folder, a
// registry root of its own, scripted messages and a temporary folder.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// The other system headers need the types of windows.h.
#include <shlwapi.h>

#include <memory>
#include <string>

#include "app/editor_app.h"
#include "app/win/main_window.h"
#include "app/win/zelvo_app.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/ui_language.h"
#include "services/ui_strings.h"
#include "services/update_check.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Dialog::SetResourceInstance(GetModuleHandleW(nullptr));
        ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleW(nullptr)));
        static int run = 0;
        // Process ids come back in every Wine session, so the tick count makes the key new.
        std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
                             "-" + std::to_string(++run);
        registryKey_ = "software\\Tolvane\\ZelvoTest\\window\\" + unique;
        SetRegistryRoot(registryKey_);
        // The window starts the daily update check 100 ms after it opens: no test reaches
        // the maker's server. The update tests turn it on against 127.0.0.1.
        WriteRegInt(kUpdateSection, kUpdateDisabledKey, 1);
        auto scripted = std::make_unique<ScriptedMessageService>();
        messages_ = scripted.get();
        previous_ = SetMessageService(std::move(scripted));
        folder_ = JoinPath(TempFolderPath(), "zelvo-window-" + unique);
        CreateFolder(folder_);
        // The program folder the build lays out: libs, samples, language packs.
        distFolder_ = JoinPath(ParentFolder(ParentFolder(ProgramFilePath())), "dist");
        ASSERT_TRUE(app_.SetUpFolders(JoinPath(distFolder_, "zelvo.exe")));
        app_.programFile = JoinPath(distFolder_, "zelvo.exe");
        // Each test's window keeps its profiles and its "Last" state apart from the others'.
        app_.profileFile = JoinPath(folder_, "profile.ini");
        app_.lastStateFile = JoinPath(folder_, "sprofile.ini");
        app_.productName = "Zelvo";
        BuildUiLanguageList(app_, JoinPath(folder_, "no-language-packs"));
        SetUiLcid(kLcidEnglish);
        SetUiCodePage(0);
    }

    void TearDown() override {
        window_.reset();
        SetMessageService(std::move(previous_));
        SetRegistryRoot(kRegistryRootPath);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, registryKey_.c_str());
        SetUiLcid(kLcidEnglish);
        SetUiCodePage(0);
    }

    // Opens the main window modeless and shown, the way the modal run shows it.
    MainWindow& Open(const std::string& commandLine = "") {
        app_.commandLine = commandLine;
        window_ = std::make_unique<MainWindow>(app_);
        EXPECT_TRUE(window_->CreateModeless(nullptr));
        ShowWindow(window_->hwnd(), SW_SHOWNOACTIVATE);
        // The documents' file dialogs answer from the queue below instead of blocking.
        window_->SetFileNameQuestion([this](EditArea, bool save, const std::string&, std::string& path) {
            (save ? saveQuestions_ : openQuestions_)++;
            if (fileNames_.empty()) return false;
            path = fileNames_.front();
            fileNames_.erase(fileNames_.begin());
            return true;
        });
        // A download (a language pack said Yes to) is recorded instead of opening its dialog.
        window_->SetDownloadRunner([this](const DownloadRequest& request) {
            downloads_.push_back(request);
            return false;
        });
        return *window_;
    }

    std::string WriteSample(const std::string& name, const std::string& bytes) {
        std::string path = JoinPath(folder_, name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    static void Pump(DWORD milliseconds = 0) {
        DWORD start = GetTickCount();
        do {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (milliseconds) Sleep(5);
        } while (GetTickCount() - start < milliseconds);
    }

    // A control's rectangle in the main window's client coordinates.
    RECT ClientRect(HWND control) const {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window_->hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    static bool Visible(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

    void Answer(int result) { messages_->answers.push_back(MessageAnswer{result, true, {}}); }

    EditorApp app_;
    std::unique_ptr<MainWindow> window_;
    ScriptedMessageService* messages_ = nullptr;
    std::unique_ptr<MessageService> previous_;
    std::string registryKey_;
    std::string folder_;
    std::string distFolder_;
    std::vector<std::string> fileNames_;
    std::vector<DownloadRequest> downloads_;
    int openQuestions_ = 0;
    int saveQuestions_ = 0;
};

// "中文 Zelvo" and a second line in GBK, with a stray lead byte the codec must keep.
inline const std::string kGbkText = "\xD6\xD0\xCE\xC4 Zelvo\r\n\xB9\xFA\xBC\xD2\xA3\xAC\x81\x20 end";

}  // namespace zelvo
