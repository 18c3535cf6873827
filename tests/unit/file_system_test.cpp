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
