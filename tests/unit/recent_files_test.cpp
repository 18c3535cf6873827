#include "app/recent_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_store.h"
#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedCodePage;
using testing_support::ScopedRegistry;
using testing_support::TempFolder;

class RecentFilesTest : public ::testing::Test {
  protected:
    // An existing file in the temporary folder.
    std::string File(const std::string& name) { return folder_.Write(name, "text"); }
    static void Store(EditArea area, int number, const std::string& value) {
        WriteRegString(RecentFilesSection(area), std::to_string(number), value);
    }
    static std::string Stored(EditArea area, int number) {
        return ReadRegString(RecentFilesSection(area), std::to_string(number), "<unset>");
    }

    ScopedRegistry registry_;
    TempFolder folder_{"zelvo-recent"};
};

TEST_F(RecentFilesTest, EachAreaHasItsOwnSection) {
    EXPECT_EQ(RecentFilesSection(EditArea::kSource), "File\\MRU Source");
    EXPECT_EQ(RecentFilesSection(EditArea::kDestination), "File\\MRU Destination");
    const std::string a = File("a.txt");
    AddRecentFile(a, EditArea::kDestination);
    EXPECT_TRUE(ReadRecentFiles(EditArea::kSource).empty());
    EXPECT_EQ(ReadRecentFiles(EditArea::kDestination), std::vector<std::string>{a});
}

TEST_F(RecentFilesTest, ReadTrimsAndLeavesOutEmptyMissingAndRepeatedEntries) {
    const std::string a = File("a.txt");
    const std::string b = File("b.txt");
    const std::string c = File("c.txt");
    Store(EditArea::kSource, 1, "  " + a + "\t\r\n");
    Store(EditArea::kSource, 2, "");
    Store(EditArea::kSource, 3, folder_.PathOf("gone.txt"));
    Store(EditArea::kSource, 4, b);
    Store(EditArea::kSource, 5, a);
    Store(EditArea::kSource, 6, folder_.path());  // a folder is not a file
    Store(EditArea::kSource, 60, c);
    Store(EditArea::kSource, 61, File("past-the-end.txt"));
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), (std::vector<std::string>{a, b, c}));
}

TEST_F(RecentFilesTest, RepeatsCompareWithoutCaseOfSingleByteLetters) {
    const std::string lower = File("abc.txt");
    const std::string upper = File("ABC.TXT");  // a second file here, the same name on Windows
    Store(EditArea::kSource, 1, lower);
    Store(EditArea::kSource, 2, upper);
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), std::vector<std::string>{lower});
    EXPECT_TRUE(SameRecentPath("C:\\Dir\\A.txt", "c:\\dir\\a.TXT"));
    EXPECT_FALSE(SameRecentPath("C:\\Dir\\A.txt", "C:\\Dir\\A.txt2"));
}

TEST_F(RecentFilesTest, DoubleByteCharactersAreNotCaseFolded) {
    // Big5 0xA4 0x41 and 0xA4 0x61 are two different characters whose trail bytes are the
    // letters A and a; only the ASCII letters around them fold.
    ScopedCodePage big5(950);
    const std::string first = File("X\xa4\x41.txt");
    const std::string second = File("X\xa4\x61.txt");
    const std::string firstOtherCase = File("x\xa4\x41.TXT");
    EXPECT_FALSE(SameRecentPath(first, second));
    EXPECT_TRUE(SameRecentPath(first, firstOtherCase));
    Store(EditArea::kSource, 1, first);
    Store(EditArea::kSource, 2, second);
    Store(EditArea::kSource, 3, firstOtherCase);
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), (std::vector<std::string>{first, second}));

    // The same in GBK, where 0x81..0xFE lead bytes may be followed by 0x40..0xFE.
    ScopedCodePage gbk(936);
    EXPECT_FALSE(SameRecentPath("\xb0\x42.txt", "\xb0\x62.txt"));
    EXPECT_TRUE(SameRecentPath("\xb0\x42.TXT", "\xb0\x42.txt"));
}

TEST_F(RecentFilesTest, WriteDropsLaterRepeatsAndEndsWithAnEmptyValue) {
    Store(EditArea::kSource, 4, "old entry");
    WriteRecentFiles(EditArea::kSource, {"C:\\a.txt", "C:\\b.txt", "c:\\A.TXT", "C:\\c.txt"});
    EXPECT_EQ(Stored(EditArea::kSource, 1), "C:\\a.txt");
    EXPECT_EQ(Stored(EditArea::kSource, 2), "C:\\b.txt");
    EXPECT_EQ(Stored(EditArea::kSource, 3), "C:\\c.txt");
    EXPECT_EQ(Stored(EditArea::kSource, 4), "");
    EXPECT_EQ(Stored(EditArea::kSource, 5), "<unset>");
}

TEST_F(RecentFilesTest, WriteKeepsAtMostSixtyEntries) {
    std::vector<std::string> list;
    for (int i = 0; i < 65; ++i) list.push_back("C:\\file" + std::to_string(i) + ".txt");
    WriteRecentFiles(EditArea::kDestination, list);
    EXPECT_EQ(Stored(EditArea::kDestination, 1), "C:\\file0.txt");
    EXPECT_EQ(Stored(EditArea::kDestination, 60), "C:\\file59.txt");
    EXPECT_EQ(Stored(EditArea::kDestination, 61), "<unset>");
}

TEST_F(RecentFilesTest, AddPutsAnExistingFileAtTheHeadOnce) {
    const std::string a = File("a.txt");
    const std::string b = File("b.txt");
    const std::string c = File("c.txt");
    AddRecentFile(folder_.PathOf("missing.txt"), EditArea::kSource);
    EXPECT_TRUE(ReadRecentFiles(EditArea::kSource).empty());
    EXPECT_EQ(Stored(EditArea::kSource, 1), "<unset>");

    AddRecentFile(a, EditArea::kSource);
    AddRecentFile(b, EditArea::kSource);
    AddRecentFile(c, EditArea::kSource);
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), (std::vector<std::string>{c, b, a}));

    // An entry further down moves to the head and leaves its old place.
    AddRecentFile(a, EditArea::kSource);
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), (std::vector<std::string>{a, c, b}));
    EXPECT_EQ(Stored(EditArea::kSource, 4), "");

    // The head in another case is the same entry: nothing is written.
    Store(EditArea::kSource, 1, a);
    const std::string upperA = File("A.TXT");
    AddRecentFile(upperA, EditArea::kSource);
    EXPECT_EQ(Stored(EditArea::kSource, 1), a);
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource).size(), 3u);
}

TEST_F(RecentFilesTest, RemoveDropsOneEntryAndRewritesTheList) {
    const std::string a = File("a.txt");
    const std::string b = File("b.txt");
    const std::string c = File("c.txt");
    WriteRecentFiles(EditArea::kSource, {a, b, c});
    EXPECT_FALSE(RemoveRecentFile(EditArea::kSource, 3));
    EXPECT_FALSE(RemoveRecentFile(EditArea::kSource, -1));
    EXPECT_TRUE(RemoveRecentFile(EditArea::kSource, 1));
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), (std::vector<std::string>{a, c}));
    EXPECT_EQ(Stored(EditArea::kSource, 3), "");

    RemoveRecentPath(EditArea::kSource, "  ");
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource).size(), 2u);
    RemoveRecentPath(EditArea::kSource, a);
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), std::vector<std::string>{c});
}

TEST_F(RecentFilesTest, MenuCountComesFromTheSettingWithinBounds) {
    EXPECT_EQ(MaximumMruCount(), 20);
    const std::pair<int, int> cases[] = {{0, 0}, {5, 5}, {60, 60}, {61, 60}, {-1, 60}, {1000, 60}};
    for (const auto& [stored, expected] : cases) {
        WriteRegInt("File", "Maximum MRU Count", stored);
        EXPECT_EQ(MaximumMruCount(), expected) << stored;
    }

    std::vector<std::string> files;
    // std::string("f") + ...: GCC 12 warns falsely (-Wrestrict, bug 105329) on "literal" + string.
    for (int i = 0; i < 4; ++i) files.push_back(File(std::string("f").append(std::to_string(i)).append(".txt")));
    WriteRecentFiles(EditArea::kSource, files);
    WriteRegInt("File", "Maximum MRU Count", 2);
    EXPECT_EQ(RecentFilesForMenu(EditArea::kSource), (std::vector<std::string>{files[0], files[1]}));
    WriteRegInt("File", "Maximum MRU Count", 10);
    EXPECT_EQ(RecentFilesForMenu(EditArea::kSource), files);
}

TEST_F(RecentFilesTest, MenuLabelsHaveAMnemonicUpToNine) {
    EXPECT_EQ(RecentMenuLabel(1, "C:\\a.txt"), "&1: C:\\a.txt");
    EXPECT_EQ(RecentMenuLabel(9, "C:\\b.txt"), "&9: C:\\b.txt");
    EXPECT_EQ(RecentMenuLabel(10, "C:\\c.txt"), "10: C:\\c.txt");
    EXPECT_EQ(RecentMenuLabel(60, "\xb0\xa1.txt"), "60: \xb0\xa1.txt");
}

}  // namespace
}  // namespace zelvo
