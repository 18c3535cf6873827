#include "convert/word_adjustment_lib.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using Items = std::vector<std::pair<std::string, std::string>>;

Items ItemsOf(const WordAdjustmentLib& lib) {
    Items items;
    for (size_t i = 0; i < lib.wordsBefore.size(); ++i)
        items.emplace_back(lib.wordsBefore[i], lib.wordsAfter[i]);
    return items;
}

class WordAdjustmentLibTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folders_.ctwaFolder = folder_.PathOf("ctwa");
        folders_.configFolder = folder_.PathOf("config");
        ASSERT_TRUE(CreateFolder(folders_.ctwaFolder));
        ASSERT_TRUE(CreateFolder(folders_.configFolder));
        ASSERT_TRUE(CreateFolder(Ctwa("custbig")));
        ASSERT_TRUE(CreateFolder(Ctwa("custgb")));
    }
    std::string Ctwa(const std::string& name) const { return JoinPath(folders_.ctwaFolder, name); }
    std::string Write(const std::string& path, const std::string& text) const {
        EXPECT_TRUE(WriteFileBytes(path, text));
        return path;
    }
    WordAdjustmentLib CustomLib(const std::string& path, bool apply = true) const {
        WordAdjustmentLib lib;
        lib.path = path;
        lib.apply = apply;
        return lib;
    }

    testing_support::TempFolder folder_{"zelvo-libs"};
    testing_support::ScopedMessages messages_;
    testing_support::ScopedCodePage codePage_{kCodePageGbk};
    LibFolders folders_;
};

TEST_F(WordAdjustmentLibTest, CustomLibHeaderAndItemLinesFollowTheByteRules) {
    std::string path =
        Write(Ctwa("custgb/mine.txt"),
              ";[T]  My Words  \r\n;first line\r\n; second\r\n;\r\n"
              "AB,x\r\nA,y\r\n,z\r\nABC,\r\nCD, \r\nEF,g,h\r\n;GH,comment\r\nno comma\r\n  ,q\r\n"
              "  IJ  ,  k l  \r\n");
    WordAdjustmentLib lib = CustomLib(path);
    ASSERT_TRUE(ReadLibFile(lib, false, false));
    EXPECT_EQ(lib.title, "My Words");
    EXPECT_EQ(lib.description, "first line\r\n second");
    const Items expected = {{"AB", "x"}, {"CD", ""}, {"EF", "g,h"}, {"IJ", "k l"}};
    EXPECT_EQ(ItemsOf(lib), expected);
    EXPECT_TRUE(lib.itemsLoaded);
    EXPECT_NE(lib.fileTime, 0);
}

TEST_F(WordAdjustmentLibTest, TitleTagMustStandAtByteOneToThree) {
    struct Case {
        std::string firstLine;
        std::string title;
        std::string description;
    };
    const std::vector<Case> cases = {
        {";[T]A", "A", ""},
        {"; [T]B", "B", ""},
        {";  [T]  C  ", "C", ""},
        {";   [T]D", "", "[T]D"},       // too far right: a description line
        {";\xA1[T]E", "", "\xA1[T]E"},  // '[' is the trail byte of a GBK character
        {"[T]F,x", "", ""},
    };
    for (const Case& c : cases) {
        std::string path = Write(Ctwa("custgb/title.txt"), c.firstLine + "\r\nAB,1");
        WordAdjustmentLib lib = CustomLib(path);
        lib.title = "stale";
        ASSERT_TRUE(ReadLibFile(lib, false, false)) << c.firstLine;
        EXPECT_EQ(lib.title, c.title) << c.firstLine;
        EXPECT_EQ(lib.description, c.description) << c.firstLine;
    }
}

TEST_F(WordAdjustmentLibTest, ItemsAreSortedWithEqualWordsInFileOrder) {
    std::string path = Write(Ctwa("custbig/order.txt"), "BB,1\r\nAA,2\r\nBB,3\r\n\xB0\xA1,4\r\nZZ,5\r\nAB,6");
    WordAdjustmentLib lib = CustomLib(path);
    ASSERT_TRUE(ReadLibFile(lib, true, false));
    // Byte-wise and unsigned: a double-byte word sorts after every ASCII one.
    const Items expected = {{"AA", "2"}, {"AB", "6"}, {"BB", "1"},
                            {"BB", "3"}, {"ZZ", "5"}, {"\xB0\xA1", "4"}};
    EXPECT_EQ(ItemsOf(lib), expected);
}

TEST_F(WordAdjustmentLibTest, LineFeedOnlyFileIsOneLine) {
    std::string path = Write(Ctwa("custbig/unix.txt"), "AA,1\nBB,2\nCC,3\n");
    WordAdjustmentLib lib = CustomLib(path);
    ASSERT_TRUE(ReadLibFile(lib, true, false));
    EXPECT_LE(lib.wordsBefore.size(), 1u);
}

TEST_F(WordAdjustmentLibTest, TextEndsAtZeroByteAndSuchFileIsNeverWrittenBack) {
    const std::string content = std::string("AA,1\r\nBB,2", 10) + std::string(1, '\0') + "\r\nCC,3";
    std::string path = Write(Ctwa("custgb/binary.txt"), content);
    WordAdjustmentLib lib = CustomLib(path);
    ASSERT_TRUE(ReadLibFile(lib, false, true));
    EXPECT_EQ(ItemsOf(lib), (Items{{"AA", "1"}, {"BB", "2"}}));
    EXPECT_TRUE(WriteLibFile(lib, false, true));
    EXPECT_EQ(folder_.Read(path), content);
}

TEST_F(WordAdjustmentLibTest, UnappliedLibWithoutItemsInMemoryKeepsItsFile) {
    const std::string content = ";[T]Kept\r\nAA,1\r\nBB,2";
    std::string path = Write(Ctwa("custgb/kept.txt"), content);
    WordAdjustmentLib lib = CustomLib(path, false);
    ASSERT_TRUE(ReadLibFile(lib, false, false));
    EXPECT_EQ(lib.title, "Kept");
    EXPECT_TRUE(lib.wordsBefore.empty());
    // Switched on later in the main window, then saved: the file must not lose its items.
    lib.apply = true;
    EXPECT_TRUE(WriteLibFile(lib, false, true));
    EXPECT_EQ(folder_.Read(path), content);
}

TEST_F(WordAdjustmentLibTest, WrittenFilesReadBackAndEndWithoutLineBreak) {
    WordAdjustmentLib custom = CustomLib(Ctwa("custgb/out.txt"));
    custom.title = "Title";
    custom.description = "one\r\n\r\ntwo";
    custom.wordsBefore = {"AA", "BB"};
    custom.wordsAfter = {"1", ""};
    ASSERT_TRUE(WriteLibFile(custom, false, false));
    EXPECT_EQ(folder_.Read(custom.path), ";[T]Title\r\n;one\r\n;\r\n;two\r\nAA,1\r\nBB,");
    WordAdjustmentLib again = CustomLib(custom.path);
    ASSERT_TRUE(ReadLibFile(again, false, false));
    EXPECT_EQ(again.title, custom.title);
    EXPECT_EQ(again.description, custom.description);
    // "BB," ends in its comma and is dropped on reading, as the format says.
    EXPECT_EQ(ItemsOf(again), (Items{{"AA", "1"}}));

    WordAdjustmentLib system;
    system.isSystem = true;
    system.kind = 2;
    system.apply = true;
    system.path = Ctwa("basebig.txt");
    ASSERT_TRUE(WriteLibFile(system, true, false));
    EXPECT_EQ(folder_.Read(system.path), ";base lib (big5)");
    system.wordsBefore = {"AB"};
    system.wordsAfter = {"CD"};
    ASSERT_TRUE(WriteLibFile(system, true, false));
    EXPECT_EQ(folder_.Read(system.path), ";base lib (big5)\r\nAB,CD");
    system.title = "From the string table";
    ASSERT_TRUE(ReadLibFile(system, true, false));
    EXPECT_EQ(system.title, "From the string table");
    EXPECT_EQ(ItemsOf(system), (Items{{"AB", "CD"}}));

    // A lib that is neither applied nor asked for is not written.
    WordAdjustmentLib idle = CustomLib(Ctwa("custgb/idle.txt"), false);
    EXPECT_TRUE(WriteLibFile(idle, false, false));
    EXPECT_FALSE(FileExists(idle.path));
}

TEST_F(WordAdjustmentLibTest, KindNamesAndAppliedItemCount) {
    EXPECT_EQ(LibKindName(1), "base lib (gbk)");
    EXPECT_EQ(LibKindName(4), "phrase difference adjustment foundation lib (big5)");
    EXPECT_EQ(LibKindName(6), "final fix lib (big5)");
    EXPECT_EQ(LibKindName(0), "");
    EXPECT_EQ(LibKindName(7), "");
    WordAdjustmentLibList list;
    for (int i = 0; i < 3; ++i) {
        auto lib = std::make_unique<WordAdjustmentLib>();
        lib->apply = i != 1;
        lib->wordsBefore.assign(i + 2, "AA");
        lib->wordsAfter.assign(i + 2, "B");
        list.push_back(std::move(lib));
    }
    EXPECT_EQ(CountAppliedItems(list), 2 + 4);
}

TEST_F(WordAdjustmentLibTest, StoredPathsUseTheTokenForTheWholeCtwaFolder) {
    const std::string inside = Ctwa("custbig/a.txt");
    const std::string stored = StoredLibPath(inside, folders_.ctwaFolder + kPathSeparator);
    EXPECT_EQ(stored, std::string("%%CTWA_FOLDER%%") + kPathSeparator + "custbig" + kPathSeparator + "a.txt");
    EXPECT_EQ(std::string(kCtwaFolderToken).size(), 15u);
    EXPECT_EQ(ExpandLibPath(stored, folders_.ctwaFolder), inside);
    const std::string sibling = folders_.ctwaFolder + "2" + kPathSeparator + "a.txt";
    EXPECT_EQ(StoredLibPath(sibling, folders_.ctwaFolder), sibling);
    EXPECT_EQ(StoredLibPath("/elsewhere/a.txt", folders_.ctwaFolder), "/elsewhere/a.txt");
}

TEST_F(WordAdjustmentLibTest, ListWithoutSettingsHasSystemLibsAndAtMostFortyScannedLibs) {
    Write(Ctwa("basegb.txt"), ";base lib (gbk)\r\nAA,1");
    Write(Ctwa("ffgb.txt"), ";final fix lib (gbk)\r\nFF,2\r\nFG,3");
    for (int i = 0; i < 45; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "custgb/lib%02d.txt", i);
        Write(Ctwa(name), ";[T]Lib " + std::to_string(i) + "\r\nXY,1");
    }
    Write(Ctwa("custgb/notes.doc"), "not a lib");
    WordAdjustmentLibList list;
    LoadLibList(list, false, false, folders_);
    ASSERT_EQ(list.size(), 2u + 40u + 1u);
    EXPECT_EQ(list[0]->kind, 1);
    EXPECT_EQ(list[0]->title, LoadUiString(IDS_WDAD_BASE_LIB_B2G_TITLE));
    EXPECT_EQ(ItemsOf(*list[0]), (Items{{"AA", "1"}}));
    EXPECT_EQ(list[1]->kind, 3);
    EXPECT_TRUE(list[1]->apply);
    EXPECT_TRUE(list[1]->wordsBefore.empty());  // missing file: no items, still listed
    EXPECT_EQ(list.back()->kind, 5);
    EXPECT_EQ(list.back()->title, LoadUiString(IDS_WDAD_FINAL_FIX_LIB_B2G_TITLE));
    EXPECT_EQ(list.back()->wordsBefore.size(), 2u);
    for (size_t i = 2; i + 1 < list.size(); ++i) {
        EXPECT_FALSE(list[i]->isSystem);
        EXPECT_FALSE(list[i]->apply);
        EXPECT_FALSE(list[i]->isG2B);
        EXPECT_TRUE(list[i]->wordsBefore.empty());
    }
    EXPECT_EQ(list[2]->title, "Lib 0");
    EXPECT_EQ(CountAppliedItems(list), 3);

    // The editor's load reads the items of every lib.
    LoadLibList(list, false, true, folders_);
    EXPECT_EQ(list[2]->wordsBefore.size(), 1u);
    EXPECT_EQ(CountAppliedItems(list), 3);
}

TEST_F(WordAdjustmentLibTest, CustomSectionsStopAtTheFirstGapAndAreRenumberedOnSave) {
    Write(Ctwa("custbig/one.txt"), ";[T]One\r\nAA,1");
    Write(Ctwa("custbig/two.txt"), ";[T]Two\r\nBB,2");
    Write(Ctwa("custbig/four.txt"), ";[T]Four\r\nDD,4");
    const std::string settingsPath = LibSettingsPath(folders_, true);
    EXPECT_EQ(FileNamePart(settingsPath), "wag2b.ini");
    const std::string sep(1, kPathSeparator);
    Write(settingsPath,
          "[PDAF_G2B]\r\nApply = false\r\n\r\n[FinalFix_G2B]\r\nApply = false\r\n\r\n"
          "[CUSLIB_G2B1]\r\nPath = %%CTWA_FOLDER%%" +
              sep + "custbig" + sep +
              "one.txt\r\nApply = true\r\n\r\n"
              "[CUSLIB_G2B2]\r\nPath = %%CTWA_FOLDER%%" +
              sep + "custbig" + sep +
              "missing.txt\r\nApply = true\r\n\r\n"
              "[CUSLIB_G2B3]\r\nPath = %%CTWA_FOLDER%%" +
              sep + "custbig" + sep +
              "two.txt\r\n\r\n"
              "[CUSLIB_G2B5]\r\nPath = %%CTWA_FOLDER%%" +
              sep + "custbig" + sep + "four.txt\r\nApply = true\r\n");
    WordAdjustmentLibList list;
    LoadLibList(list, true, false, folders_);
    // 1 and 3 load (2's file is missing), loading stops at the missing 4.
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0]->kind, 2);
    EXPECT_FALSE(list[1]->apply);
    EXPECT_EQ(list[2]->title, "One");
    EXPECT_TRUE(list[2]->apply);
    EXPECT_EQ(list[3]->title, "Two");
    EXPECT_FALSE(list[3]->apply);  // no "Apply": not applied
    EXPECT_EQ(list[4]->kind, 6);
    EXPECT_FALSE(list[4]->apply);

    ASSERT_TRUE(SaveLibList(list, true, false, folders_));
    SettingsFile saved;
    saved.Load(settingsPath);
    int count = 0;
    EXPECT_GE(saved.FindSection("CUSLIB_G2B1", count), 0);
    EXPECT_GE(saved.FindSection("CUSLIB_G2B2", count), 0);
    EXPECT_LT(saved.FindSection("CUSLIB_G2B3", count), 0);
    EXPECT_LT(saved.FindSection("CUSLIB_G2B5", count), 0);
    WordAdjustmentLibList reloaded;
    LoadLibList(reloaded, true, true, folders_);
    ASSERT_EQ(reloaded.size(), 5u);
    EXPECT_EQ(reloaded[3]->title, "Two");
    EXPECT_EQ(ItemsOf(*reloaded[3]), (Items{{"BB", "2"}}));  // not applied, so not rewritten
    EXPECT_EQ(folder_.Read(Ctwa("custbig/one.txt")), ";[T]One\r\nAA,1");
}

TEST_F(WordAdjustmentLibTest, SettingsFileTextForOneAppliedCustomLib) {
    Write(Ctwa("custbig/mine.txt"), ";[T]Mine\r\nAB,CD");
    WordAdjustmentLibList list;
    LoadLibList(list, true, true, folders_);  // as the lib editor loads it
    ASSERT_EQ(list.size(), 4u);
    list[2]->apply = true;
    ASSERT_TRUE(SaveLibList(list, true, false, folders_));
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(folder_.Read(LibSettingsPath(folders_, true)),
              "[PDAF_G2B]\r\nApply = true\r\n\r\n[FinalFix_G2B]\r\nApply = true\r\n\r\n[CUSLIB_G2B1]\r\n"
              "Path = %%CTWA_FOLDER%%" +
                  sep + "custbig" + sep + "mine.txt\r\nApply = true\r\n");
    EXPECT_EQ(folder_.Read(Ctwa("basebig.txt")), ";base lib (big5)");
    EXPECT_EQ(folder_.Read(Ctwa("ffbig.txt")), ";final fix lib (big5)");
    EXPECT_EQ(folder_.Read(Ctwa("custbig/mine.txt")), ";[T]Mine\r\nAB,CD");
    EXPECT_FALSE(FileExists(Ctwa("basegb.txt")));
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(WordAdjustmentLibTest, FailedLibWriteIsReportedAndTheOthersAreStillWritten) {
    const std::string blocker = Write(folder_.PathOf("blocker"), "plain file");
    WordAdjustmentLibList list;
    LoadLibList(list, false, false, folders_);
    ASSERT_EQ(list.size(), 3u);
    auto broken = std::make_unique<WordAdjustmentLib>();
    broken->isG2B = false;
    broken->apply = true;
    broken->title = "Broken";
    broken->path = JoinPath(blocker, "lib.txt");  // below a plain file: cannot be written
    broken->wordsBefore = {"AA"};
    broken->wordsAfter = {"B"};
    list.insert(list.begin() + 2, std::move(broken));
    auto good = std::make_unique<WordAdjustmentLib>();
    good->isG2B = false;
    good->apply = true;
    good->title = "Good";
    good->path = Ctwa("custgb/good.txt");
    good->wordsBefore = {"CC"};
    good->wordsAfter = {"D"};
    list.insert(list.begin() + 3, std::move(good));
    list.back()->wordsBefore = {"FF"};
    list.back()->wordsAfter = {"G"};

    EXPECT_FALSE(SaveLibList(list, false, false, folders_));
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text,
              LoadUiString(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, JoinPath(blocker, "lib.txt")));
    EXPECT_EQ(folder_.Read(Ctwa("custgb/good.txt")), ";[T]Good\r\nCC,D");
    EXPECT_EQ(folder_.Read(Ctwa("ffgb.txt")), ";final fix lib (gbk)\r\nFF,G");
    EXPECT_EQ(folder_.Read(blocker), "plain file");
    WordAdjustmentLibList reloaded;
    LoadLibList(reloaded, false, false, folders_);
    ASSERT_EQ(reloaded.size(), 4u);  // the unwritable lib is missing, the good one is there
    EXPECT_EQ(reloaded[2]->title, "Good");
}

TEST_F(WordAdjustmentLibTest, SaveLibStoresItsOwnSectionOnly) {
    WordAdjustmentLib lib = CustomLib(Ctwa("custgb/single.txt"));
    lib.title = "Single";
    lib.wordsBefore = {"AA"};
    lib.wordsAfter = {"1"};
    ASSERT_TRUE(SaveLib(lib, "CUSLIB_B2G1", false, false, folders_));
    ASSERT_TRUE(SaveLib(lib, "CUSLIB_B2G1", false, false, folders_));  // replaced, not doubled
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(
        folder_.Read(LibSettingsPath(folders_, false)),
        "[CUSLIB_B2G1]\r\nPath = %%CTWA_FOLDER%%" + sep + "custgb" + sep + "single.txt\r\nApply = true\r\n");
    EXPECT_EQ(folder_.Read(lib.path), ";[T]Single\r\nAA,1");
}

}  // namespace
}  // namespace zelvo
