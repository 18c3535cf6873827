// The Windows file system layer: a replacing write goes through a temporary file of its
// own, created new, and passes over names that a file or a folder already holds; paths
// compare as Windows names them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace zelvo {
namespace {

std::string Read(const std::string& path) {
    std::string data;
    ReadFileBytes(path, data);
    return data;
}

class FileSystemWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = TempFolderPath() + "zelvo-fs-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateFolder(folder_));
    }
    void TearDown() override {
        std::vector<FolderEntry> entries;
        ListFolder(folder_, entries);
        for (const FolderEntry& entry : entries) {
            const std::string path = JoinPath(folder_, entry.name);
            if (entry.isFolder)
                RemoveEmptyFolder(path);
            else
                RemoveFile(path);
        }
        RemoveEmptyFolder(folder_);
    }
    int EntryCount() {
        std::vector<FolderEntry> entries;
        ListFolder(folder_, entries);
        return static_cast<int>(entries.size());
    }
    std::string folder_;
};

TEST_F(FileSystemWinTest, ReplacingAFilePassesOverNamesThatAreTaken) {
    const std::string target = JoinPath(folder_, "page.txt");
    ASSERT_TRUE(WriteFileBytes(target, "old"));
    const std::string lookalike = target + ".zelvo-tmp";
    ASSERT_TRUE(WriteFileBytes(lookalike, "the user's notes"));
    const std::string first = TemporarySiblingPath(target, 0);
    const std::string second = TemporarySiblingPath(target, 1);
    EXPECT_EQ(lstrcmpiA(ParentFolder(first).c_str(), folder_.c_str()), 0);
    ASSERT_TRUE(WriteFileBytes(first, "taken"));
    ASSERT_TRUE(CreateFolder(second));

    ASSERT_TRUE(ReplaceFileBytes(target, "new"));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Read(lookalike), "the user's notes");
    EXPECT_EQ(Read(first), "taken");
    EXPECT_NE(GetFileAttributesA(second.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(EntryCount(), 4);  // nothing left of the write
}

TEST_F(FileSystemWinTest, PathsCompareWithoutCaseAndThroughTheCurrentFolder) {
    const std::string site = JoinPath(folder_, "Site");
    ASSERT_TRUE(CreateFolder(site));
    std::string lower = site;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    EXPECT_TRUE(IsSameOrInsideFolder(FullPathOf(lower + "/OUT/"), FullPathOf(site)));
    EXPECT_FALSE(IsSameOrInsideFolder(FullPathOf(site + "2"), FullPathOf(site)));
    ASSERT_TRUE(SetCurrentDirectoryA(site.c_str()));
    EXPECT_TRUE(IsSameOrInsideFolder(FullPathOf("out"), FullPathOf(site)));
    EXPECT_TRUE(IsSameOrInsideFolder(FullPathOf("..\\Site\\x\\..\\y"), FullPathOf(site)));
    SetCurrentDirectoryA(folder_.c_str());
    SetCurrentDirectoryA("C:\\");
}

}  // namespace
}  // namespace zelvo
