#include "convert/lib_merge.h"

#include <gtest/gtest.h>

#include "convert/lib_management.h"
#include "lib_words.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using namespace lib_words;

class LibMergeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        context_.ctwaFolder = folder_.PathOf("ctwa");
        ASSERT_TRUE(CreateFolder(context_.ctwaFolder));
    }
    LibMergeRequest Request(std::vector<std::string> sources, const std::string& target) const {
        LibMergeRequest request;
        request.sources = std::move(sources);
        request.target = target;
        request.title = "Merged";
        request.description = "first\r\nsecond";
        request.isBig5 = true;
        return request;
    }

    testing_support::TempFolder folder_{"zelvo-merge"};
    testing_support::ScopedMessages messages_;
    testing_support::ScopedUiLcid english_{kLcidEnglish};
    LibMergeContext context_;
};

TEST_F(LibMergeTest, OneLibIntoANewFileIsCopiedSortedWithoutSelfItemsOrRepeatedPairs) {
    const std::string source = folder_.Write(
        "mine.txt", ";[T]Mine\r\n;about\r\n" + kNetworkCn + "," + kNetworkTw + "\r\n" + kSoftwareCn + "," +
                        kSoftwareTw + "\r\n" + kSoftwareCn + "," + kSoftwareCn + "\r\n" + kInfoCn + "," +
                        kInfoTw + "\r\n" + kNetworkCn + "," + kNetworkTw);
    const std::string target = folder_.PathOf("merged.txt");
    ASSERT_TRUE(RunLibMerge(Request({source}, target), context_));

    EXPECT_EQ(testing_support::TempFolder::Read(target),
              ";[T]Merged\r\n;first\r\n;second\r\n" + kInfoCn + "," + kInfoTw + "\r\n" + kSoftwareCn + "," +
                  kSoftwareTw + "\r\n" + kNetworkCn + "," + kNetworkTw);
    EXPECT_FALSE(PathExists(target + ".bak"));  // nothing was there to keep

    ASSERT_FALSE(messages_->shown.empty());
    const MessageRequest& report = messages_->shown.back();
    EXPECT_EQ(report.caption, "Merge Report");
    EXPECT_NE(report.text.find("Valid items read: 5\r\nItems in target lib: 3"), std::string::npos)
        << report.text;
    EXPECT_NE(report.text.find("Word before adjustment is same as word after adjustment (1 groups)\r\n"
                               "[Result] Deleted."),
              std::string::npos);
    EXPECT_NE(report.text.find("appear multiple times"), std::string::npos);
    EXPECT_EQ(report.text.find("2 or more words after adjustment"), std::string::npos);
    EXPECT_EQ(report.detailsCodePage, 950);
    EXPECT_EQ(report.details,
              "Items whose word before adjustment is the same as the word after adjustment:\r\n\t" +
                  kSoftwareCn + " (1)\r\n\r\nIdentical word pairs that appear more than once:\r\n\t{" +
                  kNetworkCn + "," + kNetworkTw + "} (2)\r\n");
}

TEST_F(LibMergeTest, TheSamePairInTwoSourcesGivesOneItemAndOneIdenticalPairsGroup) {
    const std::string first =
        folder_.Write("a.txt", kSoftwareCn + "," + kSoftwareTw + "\r\n" + kInfoCn + "," + kInfoTw);
    const std::string second = folder_.Write("b.txt", kSoftwareCn + "," + kSoftwareTw);
    LibMergeResult result;
    ASSERT_TRUE(MergeLibFiles(Request({first, second}, folder_.PathOf("t.txt")), result));
    EXPECT_EQ(result.itemsRead, 3);
    EXPECT_EQ(result.wordsBefore, (std::vector<std::string>{kInfoCn, kSoftwareCn}));
    EXPECT_EQ(result.wordsAfter, (std::vector<std::string>{kInfoTw, kSoftwareTw}));
    EXPECT_EQ(result.repetitions.identicalPairs, 1);
    EXPECT_EQ(result.repetitions.equalToItself, 0);
    EXPECT_EQ(result.repetitions.severalAdjustments, 0);
}

TEST_F(LibMergeTest, OneWordMappedTwoWaysKeepsBothItemsInSourceOrderAndReportsOneGroup) {
    const std::string first = folder_.Write("a.txt", kInfoCn + "," + kInfoTw);
    const std::string second =
        folder_.Write("b.txt", kInfoCn + "," + kMessageTw + "\r\n" + kInfoCn + "," + kInfoTw);
    LibMergeResult result;
    ASSERT_TRUE(MergeLibFiles(Request({first, second}, folder_.PathOf("t.txt")), result));
    EXPECT_EQ(result.wordsBefore, (std::vector<std::string>{kInfoCn, kInfoCn}));
    EXPECT_EQ(result.wordsAfter, (std::vector<std::string>{kInfoTw, kMessageTw}));
    EXPECT_EQ(result.repetitions.severalAdjustments, 1);
    EXPECT_EQ(result.repetitions.identicalPairs, 1);
    EXPECT_NE(result.repetitions.details.find("Words before adjustment with 2 or more different words after "
                                              "adjustment:\r\n\t" +
                                              kInfoCn + " (2)\r\n"),
              std::string::npos);
}

TEST_F(LibMergeTest, PreChecksRefuseTheSourceItselfTheBaseLibsAndALibOfTheOtherEncoding) {
    const std::string source = folder_.Write("a.txt", kInfoCn + "," + kInfoTw);
    EXPECT_EQ(CheckLibMerge(Request({source}, source), context_), "No need to merge a lib to itself.");
    EXPECT_EQ(CheckLibMerge(Request({source}, JoinPath(context_.ctwaFolder, "basebig.txt")), context_),
              "You can't merge into base lib!");
    EXPECT_EQ(CheckLibMerge(Request({source}, JoinPath(context_.ctwaFolder, "basegb.txt")), context_),
              "You can't merge into base lib!");
    context_.gbkLibPaths = {folder_.PathOf("gbk.txt")};
    EXPECT_EQ(CheckLibMerge(Request({source}, folder_.PathOf("gbk.txt")), context_),
              "You can't merge Big5 lib(s) into a GBK lib!");
    context_.big5LibPaths = {folder_.PathOf("big5.txt")};
    EXPECT_EQ(CheckLibMerge(Request({source}, folder_.PathOf("big5.txt")), context_), "");

    // Refused before anything is read or written.
    const std::string base = folder_.Write("ctwa/basebig.txt", ";base lib (big5)");
    EXPECT_FALSE(RunLibMerge(Request({source}, base), context_));
    EXPECT_EQ(testing_support::TempFolder::Read(base), ";base lib (big5)");
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "You can't merge into base lib!");
}

TEST_F(LibMergeTest, ASourceInTheOtherEncodingIsNamedAndNoEndsTheMergeWithoutWriting) {
    const std::string big5 = folder_.Write("big5.txt", testing_support::kBig5Text + "," + kInfoTw);
    const std::string gbk = folder_.Write("gbk.txt", testing_support::kGbkText + "," + kInfoCnGbk);
    const std::string target = folder_.PathOf("t.txt");
    LibMergeResult result;
    ASSERT_TRUE(MergeLibFiles(Request({big5, gbk}, target), result));
    EXPECT_EQ(result.unlikeSources, (std::vector<std::string>{gbk}));
    EXPECT_EQ(MergeUnlikeQuestion(Request({big5, gbk}, target), result),
              "Following file(s) does/do not seem like Big5 file(s):\r\n\r\n" + gbk +
                  "\r\n\r\nWill you continue anyway?");

    messages_->answers.push_back({kIdNo});
    EXPECT_FALSE(RunLibMerge(Request({big5, gbk}, target), context_));
    EXPECT_FALSE(PathExists(target));
}

TEST_F(LibMergeTest, AnExistingTargetIsCopiedAsideBeforeItIsOverwrittenAndTheUserToldWhere) {
    const std::string old = ";[T]Old Title\r\n;old words\r\n" + kDiskCn + "," + kDiskTw;
    const std::string target = folder_.Write("target.txt", old);
    folder_.Write("target.txt.bak", "an earlier copy");
    const std::string source = folder_.Write("a.txt", kInfoCn + "," + kInfoTw);

    messages_->answers.push_back({kIdYes});  // keep the target's own title and description
    ASSERT_TRUE(RunLibMerge(Request({source}, target), context_));

    EXPECT_EQ(testing_support::TempFolder::Read(target + ".bak2"), old);
    EXPECT_EQ(testing_support::TempFolder::Read(target + ".bak"), "an earlier copy");
    EXPECT_EQ(testing_support::TempFolder::Read(target),
              ";[T]Old Title\r\n;old words\r\n" + kInfoCn + "," + kInfoTw);
    ASSERT_EQ(messages_->shown.size(), 3u);
    EXPECT_EQ(messages_->shown[0].text,
              "Will you use the original title and description of current target lib?");
    EXPECT_EQ(
        messages_->shown[1].text,
        "File \"" + target + "\" already exists. A copy of it has been kept as \"" + target + ".bak2\".");
    EXPECT_EQ(messages_->shown[2].caption, "Merge Report");
}

TEST_F(LibMergeTest, TheDialogsTitleIsWrittenWhenTheUserDoesNotKeepTheOldOne) {
    const std::string target = folder_.Write("target.txt", ";[T]Old Title\r\n" + kDiskCn + "," + kDiskTw);
    const std::string source = folder_.Write("a.txt", kInfoCn + "," + kInfoTw);
    messages_->answers.push_back({kIdNo});
    ASSERT_TRUE(RunLibMerge(Request({source}, target), context_));
    EXPECT_EQ(testing_support::TempFolder::Read(target),
              ";[T]Merged\r\n;first\r\n;second\r\n" + kInfoCn + "," + kInfoTw);
}

TEST_F(LibMergeTest, AnUnreadableSourceStopsTheMerge) {
    LibMergeResult result;
    EXPECT_FALSE(MergeLibFiles(Request({folder_.PathOf("missing.txt")}, folder_.PathOf("t.txt")), result));
    EXPECT_EQ(result.unreadable, folder_.PathOf("missing.txt"));
}

TEST_F(LibMergeTest, FileDialogFoldersStartInTheCustomFolderAndRememberTheChoicePerEncoding) {
    testing_support::ScopedRegistry registry;
    EXPECT_EQ(ReadLibFolder(kMergeFolderSection, kTargetLibFolderKey, true, "/zelvo/ctwa"),
              "/zelvo/ctwa/custbig");
    EXPECT_EQ(ReadLibFolder(kMergeFolderSection, kNewLibFolderKey, false, "/zelvo/ctwa"),
              "/zelvo/ctwa/custgb");
    StoreLibFolder(kMergeFolderSection, kTargetLibFolderKey, true, "/home/me/libs");
    EXPECT_EQ(ReadRegString("Merge WA", "Last Target WA Folder Big5", ""), "/home/me/libs");
    EXPECT_EQ(ReadLibFolder(kMergeFolderSection, kTargetLibFolderKey, false, "/zelvo/ctwa"),
              "/zelvo/ctwa/custgb");
    EXPECT_EQ(ReadLibFolder(kEditorFolderSection, kTargetLibFolderKey, true, "/zelvo/ctwa"),
              "/zelvo/ctwa/custbig");
    StoreLibFolder(kEditorFolderSection, kNewLibFolderKey, false, "/home/me/gb");
    EXPECT_EQ(ReadRegString("WA Item", "Last New WA Folder GBK", ""), "/home/me/gb");
}

}  // namespace
}  // namespace zelvo
