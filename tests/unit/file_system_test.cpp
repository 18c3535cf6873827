// The file system layer as the rest of the program relies on it: replacing a file goes
// through a temporary file of its own and never through a file the user already has.
#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedCodePage;
using testing_support::TempFolder;

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<FolderEntry> entries;
    EXPECT_TRUE(ListFolder(folder, entries));
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileSystem, ReplacingAFileLeavesTheUsersOtherFilesAlone) {
    const TempFolder folder("zelvo-fs");
    const std::string target = folder.Write("page.txt", "old text");
    // Files a user may well have beside the target, named as a write-through file might be.
    const std::string lookalike = folder.Write("page.txt.zelvo-tmp", "the user's own notes");
    ASSERT_TRUE(ReplaceFileBytes(target, "new text"));
    EXPECT_EQ(TempFolder::Read(target), "new text");
    EXPECT_EQ(TempFolder::Read(lookalike), "the user's own notes");
    EXPECT_EQ(NamesIn(folder.path()), (std::vector<std::string>{"page.txt", "page.txt.zelvo-tmp"}));

    // Names the write-through file would take first, held by a file and by a folder: they
    // are passed over, not opened.
    const std::string first = TemporarySiblingPath(target, 0);
    const std::string second = TemporarySiblingPath(target, 1);
    EXPECT_EQ(ParentFolder(first), folder.path());
    EXPECT_NE(first, second);
    ASSERT_TRUE(WriteFileBytes(first, "taken"));
    ASSERT_TRUE(CreateFolder(second));
    ASSERT_TRUE(ReplaceFileBytes(target, "newer text"));
    EXPECT_EQ(TempFolder::Read(target), "newer text");
    EXPECT_EQ(TempFolder::Read(first), "taken");
    EXPECT_TRUE(FolderExists(second));
    EXPECT_EQ(NamesIn(folder.path()).size(), 4u);
    RemoveFile(first);
    RemoveEmptyFolder(second);

    // A new file is made the same way, and nothing is left beside it.
    ASSERT_TRUE(ReplaceFileBytes(folder.PathOf("fresh.txt"), "made"));
    EXPECT_EQ(TempFolder::Read(folder.PathOf("fresh.txt")), "made");
    EXPECT_EQ(NamesIn(folder.path()).size(), 3u);
}

TEST(FileSystem, PathsAreComparedAsPathsNotAsText) {
    EXPECT_TRUE(IsSameOrInsideFolder("/web/site/out", "/web/site"));
    EXPECT_TRUE(IsSameOrInsideFolder("/web/site", "/web/site/"));
    EXPECT_TRUE(IsSameOrInsideFolder("/web/site/", "/web//site"));
    EXPECT_TRUE(IsSameOrInsideFolder("/web/site/./a/../out", "/web/site"));
    EXPECT_FALSE(IsSameOrInsideFolder("/web/site2", "/web/site"));
    EXPECT_FALSE(IsSameOrInsideFolder("/web/sit", "/web/site"));
    EXPECT_FALSE(IsSameOrInsideFolder("/web", "/web/site"));
    EXPECT_FALSE(IsSameOrInsideFolder("/web/site/../site2", "/web/site"));
    // Native names differ by case; Windows names do not, whichever separator they use.
    EXPECT_FALSE(IsSameOrInsideFolder("/web/Site/out", "/web/site"));
    EXPECT_TRUE(IsSameOrInsideFolder("c:/WEB/Site/out", "C:\\web\\site\\"));
    EXPECT_TRUE(IsSameOrInsideFolder("C:\\web\\site", "c:\\web\\site"));
    EXPECT_FALSE(IsSameOrInsideFolder("C:\\web\\site2\\out", "C:\\web\\site"));
    EXPECT_FALSE(IsSameOrInsideFolder("D:\\web\\site", "C:\\web\\site"));
    EXPECT_TRUE(IsSameOrInsideFolder("\\\\server\\share\\site\\out", "\\\\server\\share\\site"));
    EXPECT_FALSE(IsSameOrInsideFolder("\\\\server\\share2", "\\\\server\\share"));
    // A relative path and an absolute one never match by accident.
    EXPECT_FALSE(IsSameOrInsideFolder("web/site/out", "/web/site"));
    EXPECT_TRUE(IsSameOrInsideFolder("../a/b", "../a"));
    EXPECT_FALSE(IsSameOrInsideFolder("../b", "../a"));

    EXPECT_EQ(TrimTrailingSeparators("/web/site//"), "/web/site");
    EXPECT_EQ(TrimTrailingSeparators("/"), "/");
    EXPECT_EQ(TrimTrailingSeparators("C:\\"), "C:\\");
    EXPECT_EQ(TrimTrailingSeparators("C:\\web\\"), "C:\\web");
}

// Paths are split with the lead bytes of the code page in force: a Western letter hides no
// separator, a GBK character whose trail byte is 0x5C is one character, not a separator.
TEST(FileSystem, PathsSplitWithTheLeadBytesOfTheCodePageInForce) {
    const std::string cafe = "C:\\caf\xE9\\file.txt";  // "é" is 0xE9 in code page 1252
    {
        ScopedCodePage western(1252);
        ASSERT_EQ(PathCodePage(), 1252);
        EXPECT_EQ(ParentFolder(cafe), "C:\\caf\xE9");
        EXPECT_EQ(FileNamePart(cafe), "file.txt");
        EXPECT_EQ(PathSeparatorPositions(cafe), (std::vector<size_t>{2, 7}));
        EXPECT_TRUE(EndsWithSeparator("C:\\caf\xE9\\"));
    }
    // 0xC4 0x5C is the GBK character U+817C; 0xE9 0x5C is one character in GBK as well.
    const std::string gbkName = "C:\\dir\\\xC4\x5C.txt";
    {
        ScopedCodePage gbk(936);
        ASSERT_EQ(PathCodePage(), 936);
        EXPECT_EQ(ParentFolder(gbkName), "C:\\dir");
        EXPECT_EQ(FileNamePart(gbkName), "\xC4\x5C.txt");
        EXPECT_EQ(ParentFolder("C:\\dir\\\xC4\x5C"), "C:\\dir");
        EXPECT_FALSE(EndsWithSeparator("C:\\dir\\\xC4\x5C"));
        EXPECT_EQ(ParentFolder(cafe), "C:");
        EXPECT_EQ(JoinPath("C:\\dir\\\xC4\x5C", "a.txt"),
                  "C:\\dir\\\xC4\x5C" + std::string(1, kPathSeparator) + "a.txt");
    }
    {
        ScopedCodePage western(1252);
        EXPECT_EQ(FileNamePart(gbkName), ".txt");  // the same bytes, split where 1252 sees a backslash
    }
    // Shift-JIS: 表 is 0x95 0x5C, one character; 0xB1 is a single-byte kana and leads nothing.
    {
        ScopedCodePage japanese(932);
        ASSERT_EQ(PathCodePage(), 932);
        EXPECT_EQ(FileNamePart("C:\\dir\\\x95\x5C.txt"), "\x95\x5C.txt");
        EXPECT_EQ(ParentFolder("C:\\\xB1\\file.txt"), "C:\\\xB1");
    }
    // Korean (949): 0xC4 leads as in GBK, so the GBK name above stays whole.
    {
        ScopedCodePage korean(949);
        ASSERT_EQ(PathCodePage(), 949);
        EXPECT_EQ(FileNamePart(gbkName), "\xC4\x5C.txt");
    }
}

// Folders on the way to a path are made; the last name is left for the caller (a file).
TEST(FileSystem, FoldersAlongAPathAreMade) {
    TempFolder folder("folders-along");
    const std::string file = folder.PathOf("a/b//c/settings.ini");
    EXPECT_TRUE(CreateFoldersAlong(file));
    EXPECT_TRUE(FolderExists(folder.PathOf("a/b/c")));
    EXPECT_FALSE(PathExists(file));
    folder.Write("x", "a file where a folder should go");
    EXPECT_FALSE(CreateFoldersAlong(folder.PathOf("x/y/z.ini")));
}

TEST(FileSystem, FullPathsResolveTheCurrentFolderDotsAndLinks) {
    const TempFolder folder("zelvo-full");
    const std::string real = std::filesystem::canonical(folder.path()).string();
    ASSERT_TRUE(CreateFolder(folder.PathOf("site")));
    ASSERT_EQ(::symlink((real + "/site").c_str(), folder.PathOf("link").c_str()), 0);
    EXPECT_EQ(FullPathOf(folder.PathOf("link/new/out")), real + "/site/new/out");
    EXPECT_EQ(FullPathOf(folder.PathOf("site/./x/../y/")), real + "/site/y");
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(FullPathOf("site/out"), real + "/site/out");
    EXPECT_EQ(FullPathOf("./missing/../site"), real + "/site");
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace zelvo
