#include "app/editor_app.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/message_service.h"
#include "test_support.h"

namespace zelvo {
namespace {

class EditorAppTest : public ::testing::Test {
  protected:
    void TearDown() override { SetRegistryRoot(kRegistryRootPath); }
    std::string Program() const { return JoinPath(JoinPath("base", "Zelvo"), "zelvo.exe"); }
    std::string InApp(const std::string& relative) const {
        std::string path = JoinPath("base", "Zelvo");
        size_t start = 0;
        while (true) {
            size_t slash = relative.find('/', start);
            path = JoinPath(path, relative.substr(start, slash - start));
            if (slash == std::string::npos) return path;
            start = slash + 1;
        }
    }

    testing_support::ScopedMessages messages_;
    testing_support::ScopedRegistry registry_;
};

TEST_F(EditorAppTest, FoldersAndFilesFollowTheProgramFile) {
    EditorApp app;
    ASSERT_TRUE(app.SetUpFolders(Program()));
    EXPECT_EQ(app.appFolder, JoinPath("base", "Zelvo"));
    EXPECT_EQ(app.configFolder, InApp("config"));
    EXPECT_EQ(app.profileFile, InApp("config/profile.ini"));
    EXPECT_EQ(app.lastStateFile, InApp("config/sprofile.ini"));
    EXPECT_EQ(app.gbkToBig5OptionsFile, InApp("config/wag2b.ini"));
    EXPECT_EQ(app.big5ToGbkOptionsFile, InApp("config/wab2g.ini"));
    EXPECT_EQ(app.ctwaFolder, InApp("ctwa"));
    EXPECT_EQ(app.baseLibBig5, InApp("ctwa/basebig.txt"));
    EXPECT_EQ(app.baseLibGbk, InApp("ctwa/basegb.txt"));
    EXPECT_EQ(app.phraseDifferenceLibBig5, InApp("ctwa/pdafbig.txt"));
    EXPECT_EQ(app.phraseDifferenceLibGbk, InApp("ctwa/pdafgb.txt"));
    EXPECT_EQ(app.finalFixLibBig5, InApp("ctwa/ffbig.txt"));
    EXPECT_EQ(app.finalFixLibGbk, InApp("ctwa/ffgb.txt"));
    EXPECT_FALSE(app.SetUpFolders("zelvo.exe"));
}

TEST_F(EditorAppTest, StartWritesTheProgramPathAndFillsTheFields) {
    EditorApp app;
    StartupHooks hooks;
    int instances = 2;
    hooks.countInstances = [&] { return instances; };
    hooks.windowTitled = [](const std::string&) { return false; };
    hooks.charsetOfLanguage = [](int id) { return id == 2052 ? 134 : 0; };
    ASSERT_TRUE(app.PrepareStart(Program(), "/tmp/", 2052, false, hooks));
    EXPECT_EQ(RegistryRoot(), kRegistryRootPath);
    EXPECT_EQ(ReadRegString("App", "Path", ""), Program());
    EXPECT_EQ(app.userCharset, 134);
    EXPECT_EQ(app.uiLcid, 1033);
    EXPECT_FALSE(app.userLanguageIsUiLanguage);
    EXPECT_FALSE(app.isNt);
    EXPECT_EQ(app.productName, "Zelvo");
    EXPECT_EQ(app.companyName, "Tolvane");
    EXPECT_EQ(app.tempFolder, "/tmp/");
    EXPECT_EQ(app.buildDate.text, "2004-4-24");
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(EditorAppTest, RefusedStartStopsBeforeTheProgramPathIsWritten) {
    EditorApp app;
    StartupHooks hooks;
    hooks.countInstances = [] { return 4; };
    hooks.windowTitled = [](const std::string&) { return false; };
    bool asked = false;
    hooks.askContextMenu = [&](EditorApp&) { asked = true; };
    EXPECT_FALSE(app.PrepareStart(Program(), "/tmp/", 1033, false, hooks));
    EXPECT_EQ(messages_->shown.size(), 1u);
    EXPECT_FALSE(asked);
    EXPECT_EQ(ReadRegString("App", "Path", "unset"), "unset");

    EditorApp nt;
    EXPECT_TRUE(nt.PrepareStart(Program(), "/tmp/", 1033, true, hooks));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(nt.userLanguageIsUiLanguage);
}

TEST_F(EditorAppTest, FolderFailureEndsWithoutMessageOrRegistryWrite) {
    EditorApp app;
    StartupHooks hooks;
    hooks.countInstances = [] { return 0; };
    EXPECT_FALSE(app.PrepareStart("", "/tmp/", 1033, true, hooks));
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_TRUE(registry_->strings.empty());
}

TEST_F(EditorAppTest, TemporaryFolderAndCommandLineAreKeptWithinBounds) {
    EditorApp app;
    ASSERT_TRUE(app.PrepareStart(Program(), std::string(400, 't'), 1033, true, StartupHooks{}));
    EXPECT_EQ(app.tempFolder.size(), 260u);
    app.StoreCommandLine("   \t\"C:\\a b.txt\"  ");
    EXPECT_EQ(app.commandLine, "\t\"C:\\a b.txt\"");  // only blanks are trimmed here
    app.StoreCommandLine("    ");
    EXPECT_EQ(app.commandLine, "");
}

}  // namespace
}  // namespace zelvo
