// Shortcut resolution against the shell link object that Wine provides.
#include <windows.h>
// The COM and shell headers below need windows.h first.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "convert/word_adjustment_lib.h"
#include "platform/file_system.h"
#include "platform/shortcut.h"

#include "win_test_support.h"

namespace zelvo {
namespace {

using win_testing::CreateShortcut;

TEST(ShortcutWinTest, ResolvesTheTargetOfALinkAndNothingElse) {
    std::string folder = TempFolderPath() + "zelvo-shortcut-test";
    ASSERT_TRUE(CreateFolder(folder));
    std::string target = JoinPath(folder, "mylib.txt");
    ASSERT_TRUE(WriteFileBytes(target, ";[T]Lib\r\nAB,CD"));
    std::string linkPath = JoinPath(folder, "mylib.txt.lnk");
    ASSERT_TRUE(CreateShortcut(linkPath, target));

    std::string resolved = ResolveShortcut(linkPath);
    EXPECT_EQ(lstrcmpiA(resolved.c_str(), target.c_str()), 0) << resolved;
    EXPECT_EQ(ResolveShortcut(target), "");  // a plain text file is no shortcut
    EXPECT_EQ(ResolveShortcut(JoinPath(folder, "missing.lnk")), "");
    EXPECT_EQ(ResolveShortcut(""), "");

    RemoveFile(linkPath);
    RemoveFile(target);
    RemoveEmptyFolder(folder);
}

TEST(ShortcutWinTest, LibReachedThroughALinkIsReadAndWrittenAtItsTarget) {
    std::string folder = TempFolderPath() + "zelvo-shortcut-lib";
    ASSERT_TRUE(CreateFolder(folder));
    std::string target = JoinPath(folder, "words.txt");
    ASSERT_TRUE(WriteFileBytes(target, ";[T]Words\r\nAB,CD"));
    std::string linkPath = JoinPath(folder, "words.LNK");
    ASSERT_TRUE(CreateShortcut(linkPath, target));

    WordAdjustmentLib lib;
    lib.path = "  " + linkPath + " ";
    lib.apply = true;
    ASSERT_TRUE(ReadLibFile(lib, true, false));
    EXPECT_EQ(lib.title, "Words");
    ASSERT_EQ(lib.wordsBefore.size(), 1u);
    lib.wordsAfter[0] = "EF";
    ASSERT_TRUE(WriteLibFile(lib, true, false));
    std::string text;
    ASSERT_TRUE(ReadFileBytes(target, text));
    EXPECT_EQ(text, ";[T]Words\r\nAB,EF");
    EXPECT_EQ(lstrcmpiA(ResolveShortcut(linkPath).c_str(), target.c_str()), 0);  // the link is still a link

    RemoveFile(linkPath);
    RemoveFile(target);
    RemoveEmptyFolder(folder);
}

}  // namespace
}  // namespace zelvo
