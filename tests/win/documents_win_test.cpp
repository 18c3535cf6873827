// Documents against the real Windows file system: shortcuts, attributes, locked files.
#include <windows.h>
// The COM and shell headers below need windows.h first.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/documents.h"
#include "app/editor_app.h"
#include "app/recent_files.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/message_service.h"
#include "win_test_support.h"

namespace zelvo {
namespace {

using win_testing::CreateShortcut;

// The window as far as these tests need it; every file dialog answers with saveName.
class SimpleHost : public DocumentHost {
  public:
    std::string GetAreaText(EditArea area) override { return texts[area]; }
    void SetAreaText(EditArea area, const std::string& text) override {
        texts[area] = text;
        if (controller) controller->SetModified(area, true);
    }
    void ShowArea(EditArea) override {}
    bool AskOpenFileName(EditArea, const std::string&, std::string& path) override {
        path = saveName;
        return !path.empty();
    }
    bool AskSaveFileName(EditArea, const std::string&, std::string& path) override {
        path = saveName;
        return !path.empty();
    }
    void SetStatusText(const std::string&) override {}
    void RestoreReady() override {}
    void SelectLanguageAsUser(EditArea, int) override {}
    void SetStatusArea(EditArea) override {}
    void Refresh() override {}
    bool IsCommandLinePending() override { return false; }
    void SetWaitCursor(bool) override {}

    DocumentController* controller = nullptr;
    std::map<EditArea, std::string> texts;
    std::string saveName;
};

class DocumentsWinTest : public ::testing::Test {
  protected:
    DocumentsWinTest() {
        folder_ = TempFolderPath() + "zelvo-documents-" + std::to_string(GetCurrentProcessId());
        CreateFolder(folder_);
        auto scripted = std::make_unique<ScriptedMessageService>();
        messages_ = scripted.get();
        previousMessages_ = SetMessageService(std::move(scripted));
        previousRegistry_ = SetRegistryBackend(std::make_unique<MemoryRegistryBackend>());
        host_.controller = &controller_;
    }
    ~DocumentsWinTest() override {
        SetMessageService(std::move(previousMessages_));
        SetRegistryBackend(std::move(previousRegistry_));
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(JoinPath(folder_, "*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string path = JoinPath(folder_, data.cFileName);
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = JoinPath(folder_, name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    static std::string Read(const std::string& path) {
        std::string bytes;
        ReadFileBytes(path, bytes);
        return bytes;
    }

    std::string folder_;
    ScriptedMessageService* messages_ = nullptr;
    std::unique_ptr<MessageService> previousMessages_;
    std::unique_ptr<RegistryBackend> previousRegistry_;
    SimpleHost host_;
    DocumentController controller_{host_};
};

TEST_F(DocumentsWinTest, AShortcutOpensItsTargetAndSavingWritesTheTarget) {
    const std::string target = Write("target.txt", "through the link");
    const std::string link = JoinPath(folder_, "target.txt.LNK");
    ASSERT_TRUE(CreateShortcut(link, target));
    const std::string linkBytes = Read(link);

    std::string text;
    EXPECT_EQ(ReadTextFile(link, false, true, text), kReadWhole);
    EXPECT_EQ(text, "through the link");

    ASSERT_TRUE(controller_.OpenFile(" " + link + " ", EditArea::kSource));
    EXPECT_EQ(host_.texts[EditArea::kSource], "through the link");
    EXPECT_EQ(lstrcmpiA(controller_.Path(EditArea::kSource).c_str(), target.c_str()), 0);
    host_.SetAreaText(EditArea::kSource, "edited");
    ASSERT_TRUE(controller_.Save(EditArea::kSource));
    EXPECT_EQ(Read(target), "edited");
    EXPECT_EQ(Read(link), linkBytes);  // the shortcut is still a shortcut
    const auto recent = ReadRecentFiles(EditArea::kSource);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(lstrcmpiA(recent[0].c_str(), target.c_str()), 0);
}

TEST_F(DocumentsWinTest, WritingKeepsAttributesAndRefusesReadOnlyFiles) {
    const std::string hidden = Write("hidden.txt", "old");
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    std::string error;
    EXPECT_EQ(WriteTextFile(hidden, "new bytes\r\n", error), kWriteDone);
    EXPECT_EQ(Read(hidden), "new bytes\r\n");
    EXPECT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    const std::string locked = Write("readonly.txt", "keep");
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(WriteTextFile(locked, "lost?", error), kWriteReadOnly);
    EXPECT_NE(error.find(locked), std::string::npos);
    EXPECT_EQ(Read(locked), "keep");

    EXPECT_EQ(WriteTextFile(JoinPath(folder_, "a|b.txt"), "x", error), kWriteInvalidPath);
    EXPECT_EQ(WriteTextFile(folder_ + "\\", "x", error), kWriteIsFolder);
    EXPECT_EQ(WriteTextFile("C:\\x:y.txt", "x", error), kWriteInvalidPath);
}

TEST_F(DocumentsWinTest, AFileHeldOpenByAnotherProgramStaysAsItWas) {
    const std::string busy = Write("busy.txt", "in use");
    HANDLE handle =
        CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    std::string error;
    EXPECT_EQ(WriteTextFile(busy, "replacement", error), kWriteFailed);
    EXPECT_FALSE(error.empty());
    CloseHandle(handle);
    EXPECT_EQ(Read(busy), "in use");
    // The failed write's own temporary file is gone again.
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(folder_, entries));
    for (const FolderEntry& entry : entries)
        EXPECT_EQ(entry.name.find(".tmp"), std::string::npos) << entry.name;
}

TEST_F(DocumentsWinTest, PropertiesShowTheFilesAttributes) {
    const std::string path = Write("props.txt", "a\r\nb");
    ASSERT_TRUE(controller_.OpenFile(path, EditArea::kDestination));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const DocumentFacts facts = controller_.CollectFacts(EditArea::kDestination);
    EXPECT_TRUE(facts.fileExists);
    EXPECT_GT(facts.times.modified, 0);
    controller_.Properties(EditArea::kDestination);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_NE(messages_->shown[0].text.find("Read-only, Hidden"), std::string::npos)
        << messages_->shown[0].text;
    EXPECT_NE(messages_->shown[0].text.find("2 Lines"), std::string::npos);
}

}  // namespace
}  // namespace zelvo
