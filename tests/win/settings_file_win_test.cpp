// The settings file on Windows paths: folders are made at each backslash.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "services/settings_file.h"

namespace zelvo {
namespace {

TEST(SettingsFileWinTest, SaveMakesEveryFolderOfABackslashPath) {
    std::string root = TempFolderPath() + "zelvo-settings-win";
    std::string path = root + "\\config\\deeper\\wag2b.ini";
    SettingsFile file;
    file.SetBool("PDAF_G2B", "Apply", false);
    file.SetString("Notes", "Text", "one\r\ntwo <x>");
    ASSERT_TRUE(file.Save(path));
    std::string text;
    ASSERT_TRUE(ReadFileBytes(path, text));
    EXPECT_EQ(
        text,
        "[PDAF_G2B]\r\nApply = false\r\n\r\n[Notes]\r\nText = {{Block}}\r\n<B Start>\r\none\r\ntwo <<x>>\r\n"
        "<B End>\r\n");
    EXPECT_EQ(ReadSettingString(path, "Notes", "Text", ""), "one\r\ntwo <x>");

    RemoveFile(path);
    RemoveEmptyFolder(root + "\\config\\deeper");
    RemoveEmptyFolder(root + "\\config");
    RemoveEmptyFolder(root);
}

}  // namespace
}  // namespace zelvo
