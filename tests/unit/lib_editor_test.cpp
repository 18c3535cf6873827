#include "convert/lib_editor.h"

#include <gtest/gtest.h>

#include "lib_words.h"
#include "platform/file_system.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using namespace lib_words;

class LibEditorTest : public ::testing::Test {
  protected:
    testing_support::ScopedUiLcid english_{kLcidEnglish};
    testing_support::ScopedMessages messages_;
};

TEST_F(LibEditorTest, NewLibTitleIsNumberedUntilNoLibOfTheListHasIt) {
    auto list = MakeList(MakeLib("Mine", {}));
    EXPECT_EQ(UniqueNewLibTitle(list, true), "New Lib(Big5)");
    EXPECT_EQ(UniqueNewLibTitle(list, false), "New Lib(GBK)");
    list[2]->title = "New Lib(Big5)";
    EXPECT_EQ(UniqueNewLibTitle(list, true), "New Lib1(Big5)");
    list.insert(list.begin() + 2, MakeLib("New Lib1(Big5)", {}));
    EXPECT_EQ(UniqueNewLibTitle(list, true), "New Lib2(Big5)");
}

TEST_F(LibEditorTest, AddingAnItemRefusesBlankSelfAndExistingWordsAndKeepsTheSortOrder) {
    auto lib = MakeLib("Mine", {{kInfoCn, kInfoTw}, {kNetworkCn, kNetworkTw}});

    ItemEditOutcome blank = AddLibItem(*lib, " \t\r\n", kSoftwareTw);
    EXPECT_FALSE(blank.accepted);
    EXPECT_EQ(blank.caption, "Addition failed");
    EXPECT_EQ(blank.message, "Word before adjustment can't be blank.");

    ItemEditOutcome same = AddLibItem(*lib, " " + kSoftwareCn, kSoftwareCn + "\t");
    EXPECT_EQ(same.message, "Word before adjustment can't be the same as word after adjustment.");

    ItemEditOutcome exists = AddLibItem(*lib, kInfoCn, kMessageTw);  // another adjustment of a listed word
    EXPECT_FALSE(exists.accepted);
    EXPECT_EQ(exists.message, "Word before adjustment already exists.");
    EXPECT_EQ(ItemsOf(*lib), (Items{{kInfoCn, kInfoTw}, {kNetworkCn, kNetworkTw}}));

    ItemEditOutcome added = AddLibItem(*lib, "  " + kSoftwareCn + " ", " " + kSoftwareTw);
    ASSERT_TRUE(added.accepted);
    EXPECT_EQ(added.index, 1u);
    EXPECT_EQ(ItemsOf(*lib),
              (Items{{kInfoCn, kInfoTw}, {kSoftwareCn, kSoftwareTw}, {kNetworkCn, kNetworkTw}}));
}

TEST_F(LibEditorTest, EditingAnItemMayKeepItsOwnWordButNotTakeAnothersAndMovesToItsSortedPlace) {
    auto lib = MakeLib("Mine", {{kInfoCn, kInfoTw}, {kSoftwareCn, kSoftwareTw}, {kNetworkCn, kNetworkTw}});
    ItemEditOutcome own = EditLibItem(*lib, 0, kInfoCn, kMessageTw);
    ASSERT_TRUE(own.accepted);
    EXPECT_EQ(own.index, 0u);

    ItemEditOutcome taken = EditLibItem(*lib, 0, kNetworkCn, kMessageTw);
    EXPECT_FALSE(taken.accepted);
    EXPECT_EQ(taken.caption, "Modification failed");
    EXPECT_EQ(taken.message, "Word before adjustment already exists.");

    ItemEditOutcome moved = EditLibItem(*lib, 0, kDiskCn, kDiskTw);
    ASSERT_TRUE(moved.accepted);
    EXPECT_EQ(moved.index, 1u);
    EXPECT_EQ(ItemsOf(*lib),
              (Items{{kSoftwareCn, kSoftwareTw}, {kDiskCn, kDiskTw}, {kNetworkCn, kNetworkTw}}));

    EXPECT_TRUE(DeleteLibItem(*lib, 1));
    EXPECT_FALSE(DeleteLibItem(*lib, 2));
    EXPECT_EQ(ItemsOf(*lib), (Items{{kSoftwareCn, kSoftwareTw}, {kNetworkCn, kNetworkTw}}));
    EXPECT_EQ(ItemOperationText(kConfirmDeleteWord), "Are you sure to delete currently selected word?");
}

TEST_F(LibEditorTest, SearchLooksInTheChosenWordsOnCharacterBoundaries) {
    // 網 (BA F4) is in both words of the network item; 資 (B8 EA) starts 資訊 only.
    auto lib = MakeLib("Mine", {{kInfoCn, kInfoTw}, {kSoftwareCn, kSoftwareTw}, {kNetworkCn, kNetworkTw}});
    const std::string net = "\xBA\xF4", info = "\xB8\xEA";
    EXPECT_EQ(SearchLibItems(*lib, net, 2), (std::vector<size_t>{2}));
    EXPECT_EQ(SearchLibItems(*lib, info, 0), (std::vector<size_t>{}));
    EXPECT_EQ(SearchLibItems(*lib, " " + info + " ", 1), (std::vector<size_t>{0}));
    EXPECT_EQ(SearchLibItems(*lib, info, 7), (std::vector<size_t>{0}));
    EXPECT_EQ(SearchLibItems(*lib, "", 0).size(), 3u);
    // 0xAE 0x77 (庫) holds "w" as its trail byte: a search for "w" must not find it.
    auto other = MakeLib("Other", {{"\xAE\x77\xAE\x77", "\xAE\x77"}});
    EXPECT_TRUE(SearchLibItems(*other, "w", 2).empty());
    EXPECT_EQ(LibStatisticsText(1, 3), "Current 1 / Total 3");
}

TEST_F(LibEditorTest, OnlyCustomLibsMoveAndOnlyAmongThemselves) {
    auto list = MakeList(MakeLib("A", {}), MakeLib("B", {}));
    size_t at = 0;
    EXPECT_FALSE(MoveCustomLib(list, 2, true, at));   // would pass the phrase difference lib
    EXPECT_FALSE(MoveCustomLib(list, 3, false, at));  // would pass the final fix lib
    EXPECT_FALSE(MoveCustomLib(list, 0, false, at));
    EXPECT_FALSE(MoveCustomLib(list, 1, false, at));
    EXPECT_FALSE(MoveCustomLib(list, 4, true, at));
    ASSERT_TRUE(MoveCustomLib(list, 2, false, at));
    EXPECT_EQ(at, 3u);
    EXPECT_EQ(list[2]->title, "B");
    EXPECT_EQ(list[3]->title, "A");
    EXPECT_EQ(list[1]->title, "Phrase");
    EXPECT_EQ(list[4]->title, "Final");
}

TEST_F(LibEditorTest, OnlyCustomLibsAreDeleted) {
    auto list = MakeList(MakeLib("A", {}));
    EXPECT_FALSE(DeleteCustomLib(list, 0));
    EXPECT_FALSE(DeleteCustomLib(list, 1));
    EXPECT_FALSE(DeleteCustomLib(list, 3));
    EXPECT_EQ(list.size(), 4u);
    EXPECT_TRUE(DeleteCustomLib(list, 2));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2]->title, "Final");
    EXPECT_FALSE(DeleteCustomLib(list, 2));
}

TEST_F(LibEditorTest, ALibIsNeverSavedOverAnotherLibOfTheListNorWithABlankTitle) {
    testing_support::TempFolder folder{"zelvo-editor"};
    auto list = MakeList(MakeLib("A", {}), MakeLib("B", {}));
    list[2]->path = folder.PathOf("a.txt");
    list[3]->path = folder.PathOf("b.txt");
    list[4]->path = folder.PathOf("ffbig.txt");
    EXPECT_EQ(CheckLibSave(list, 2, "A", folder.PathOf("b.txt")),
              "Path \"" + folder.PathOf("b.txt") +
                  "\" is already used by another lib in the list. Please choose "
                  "another file for this lib.");
    EXPECT_NE(CheckLibSave(list, 2, "A", " " + folder.PathOf("ffbig.txt")), "");
    EXPECT_EQ(CheckLibSave(list, 2, "A", folder.PathOf("a.txt")), "");
    EXPECT_EQ(CheckLibSave(list, 2, "A", folder.PathOf("c.txt")), "");
    EXPECT_EQ(CheckLibSave(list, 2, " \t", folder.PathOf("c.txt")), "Lib title can't be blank.");
    EXPECT_EQ(CheckLibSave(list, 4, "", folder.PathOf("ffbig.txt")),
              "");  // system libs have no title of their own
}

TEST_F(LibEditorTest, AnExistingFileAtANewPathIsCopiedAsideFirstAndTheUserToldWhere) {
    testing_support::TempFolder folder{"zelvo-editor"};
    auto list = MakeList(MakeLib("A", {}));
    list[2]->path = folder.Write("a.txt", "mine");
    const std::string other = folder.Write("other.txt", "someone else's words");
    std::string message;
    ASSERT_TRUE(ApplyLibPath(list, 2, other, message));
    EXPECT_EQ(list[2]->path, other);
    EXPECT_EQ(testing_support::TempFolder::Read(other + ".bak"), "someone else's words");
    EXPECT_EQ(message,
              "File \"" + other + "\" already exists. A copy of it has been kept as \"" + other + ".bak\".");

    // The lib's own file is not copied; a path with no file needs no copy.
    ASSERT_TRUE(ApplyLibPath(list, 2, other, message));
    EXPECT_EQ(message, "");
    EXPECT_FALSE(PathExists(other + ".bak2"));
    ASSERT_TRUE(ApplyLibPath(list, 2, folder.PathOf("new.txt"), message));
    EXPECT_EQ(message, "");

    // The file of another lib of the list is neither taken nor copied.
    list[3]->path = folder.Write("ffbig.txt", "final");
    EXPECT_FALSE(ApplyLibPath(list, 2, list[3]->path, message));
    EXPECT_EQ(message,
              "Path \"" + list[3]->path +
                  "\" is already used by another lib in the list. Please choose another file for this lib.");
    EXPECT_EQ(list[2]->path, folder.PathOf("new.txt"));
    EXPECT_FALSE(PathExists(list[3]->path + ".bak"));
}

TEST_F(LibEditorTest, ImportTellsTheEncodingOfTheFilesWordsAndRefusesALibAlreadyListed) {
    testing_support::TempFolder folder{"zelvo-editor"};
    auto list = MakeList(MakeLib("A", {}));
    list[2]->path = folder.Write("a.txt", kInfoCn + "," + kInfoTw);
    const std::string big5 = folder.Write("big5.txt", testing_support::kBig5Text + "," + kInfoTw);
    const std::string gbk =
        folder.Write("gbk.txt", ";[T]Simplified\r\n" + testing_support::kGbkText + "," + kInfoCnGbk);
    const std::string latin =
        folder.Write("latin.txt", "plain words only,other plain words\r\nmore words,and more");

    EXPECT_EQ(CheckLibImport(list, list[2]->path, true), LibImportCheck::kAlreadyInList);
    EXPECT_EQ(CheckLibImport(list, folder.PathOf("missing.txt"), true), LibImportCheck::kUnreadable);
    EXPECT_EQ(CheckLibImport(list, big5, true), LibImportCheck::kLooksRight);
    EXPECT_EQ(CheckLibImport(list, gbk, true), LibImportCheck::kLooksOther);
    EXPECT_EQ(CheckLibImport(list, gbk, false), LibImportCheck::kLooksRight);
    EXPECT_EQ(CheckLibImport(list, latin, true), LibImportCheck::kLooksUnknown);

    EXPECT_EQ(ImportOtherEncodingQuestion(gbk, true),
              "File \"" + gbk +
                  "\" looks like a GBK lib, not a Big5 lib. What will you do?\r\n\r\n"
                  "Please select your choice by submitting a number as described below:\r\n\r\n"
                  "1: Add it to the Big5 lib list anyway\r\n2: Add it to the GBK lib list\r\n3: Cancel");
    EXPECT_EQ(ImportUnknownEncodingQuestion(latin, false),
              "File \"" + latin +
                  "\" looks like neither a GBK lib nor a Big5 lib. Will you add it as a GBK lib "
                  "anyway?");

    size_t index = 0;
    ASSERT_TRUE(AddImportedLib(list, gbk, false, index));
    EXPECT_EQ(index, 3u);
    EXPECT_EQ(list[3]->title, "Simplified");
    EXPECT_TRUE(list[3]->apply);
    EXPECT_FALSE(list[3]->isSystem);
    EXPECT_EQ(list.back()->title, "Final");
    EXPECT_FALSE(AddImportedLib(list, gbk, false, index));
}

TEST_F(LibEditorTest, ANewLibGetsAUniqueTitleAndAFreeFileAndNoMoreThanFortyCustomLibs) {
    testing_support::TempFolder folder{"zelvo-editor"};
    ASSERT_TRUE(CreateFolder(folder.PathOf("custbig")));
    folder.Write("custbig/newlib1.txt", "taken");
    auto list = MakeList();
    size_t index = 0;
    ASSERT_TRUE(AddNewLib(list, true, folder.path(), index));
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(list[2]->title, "New Lib(Big5)");
    EXPECT_EQ(list[2]->path, JoinPath(folder.PathOf("custbig"), "newlib2.txt"));
    ASSERT_TRUE(AddNewLib(list, true, folder.path(), index));
    EXPECT_EQ(list[3]->title, "New Lib1(Big5)");
    EXPECT_EQ(list[3]->path, JoinPath(folder.PathOf("custbig"), "newlib3.txt"));
    while (list.size() < 43) ASSERT_TRUE(AddNewLib(list, true, folder.path(), index));
    EXPECT_FALSE(AddNewLib(list, true, folder.path(), index));
    EXPECT_EQ(list.size(), 43u);
}

TEST_F(LibEditorTest, NumberedChoicesAcceptOnlyTheirNumbers) {
    EXPECT_EQ(
        AddLibChoiceText(),
        "How will you add the new lib?\r\n\r\nPlease select your choice by submitting a number as described "
        "below:\r\n\r\n1: Import an existing lib file from disk\r\n2: Create a completely new lib\r\n3: "
        "Cancel");
    EXPECT_EQ(ParseChoiceNumber(" 2\r\n", 3), 2);
    EXPECT_EQ(ParseChoiceNumber("3", 3), 3);
    EXPECT_EQ(ParseChoiceNumber("4", 3), 0);
    EXPECT_EQ(ParseChoiceNumber("0", 3), 0);
    EXPECT_EQ(ParseChoiceNumber("2a", 3), 0);
    EXPECT_EQ(ParseChoiceNumber("-1", 3), 0);
    EXPECT_EQ(ParseChoiceNumber("", 3), 0);
}

}  // namespace
}  // namespace zelvo
