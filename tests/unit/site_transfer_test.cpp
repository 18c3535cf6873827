#include "transfer/site_transfer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/transfer_options.h"
#include "convert/charset_detector.h"
#include "platform/file_system.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "test_support.h"
#include "transfer/transfer_format.h"

namespace zelvo {
namespace {

// A sentence in GBK, long enough for the code page detection to decide.
const std::string kGbkText = testing_support::SampleSentence("history", "gbk") + "\r\n";
const std::string kGbkGuo = "\xb9\xfa";   // 国
const std::string kBig5Guo = "\xb0\xea";  // 國

std::string ToBig5(const std::string& gbk) {
    ConversionContext context;
    std::string out;
    TransferGbkText(context, nullptr, gbk, out, 0);
    return out;
}

// "f03.txt": a prefix, the number with at least digits digits, and ".txt".
std::string NumberedName(const char* prefix, int number, int digits) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%0*d.txt", prefix, digits, number);
    return name;
}

std::string ToGbk(const std::string& big5) {
    ConversionContext context;
    std::string out;
    TransferBig5Text(context, nullptr, big5, out, 0);
    return out;
}

std::string Read(const std::string& path) {
    std::string data;
    ReadFileBytes(path, data);
    return data;
}

// Counts what the dialog would show and lets a test act at a chosen moment.
class RecordingDisplay : public SiteTransferDisplay {
public:
    void ShowStatus(const std::string& text) override {
        statuses.push_back(text);
        if (onStatus) onStatus(text);
    }
    void ShowOverallProgress(int permille, int percent) override {
        lastOverall = permille;
        EXPECT_GE(permille, 0);
        EXPECT_LE(permille, 1000);
    }
    void SetWaitCursor(bool on) override {
        waitDepth += on ? 1 : -1;
        if (on) ++waits;
    }
    void ShowFileProgress(int, int) override {
        if (waitDepth > 0) ++progressWhileWaiting;
    }
    std::vector<std::string> statuses;
    std::function<void(const std::string&)> onStatus;
    int lastOverall = -1;
    int waitDepth = 0;
    int waits = 0;
    int progressWhileWaiting = 0;
};

class SiteTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateFolder(source));
        context.control.transferState = &state;
        context.control.sleep = [this](int) { ++sleeps; };
        transfer = std::make_unique<SiteTransfer>(context);
        transfer->display = &display;
        transfer->options.sourcePath = source;
        transfer->options.destinationPath = destination;
    }
    void Write(const std::string& relative, const std::string& data) {
        std::filesystem::create_directories(std::filesystem::path(source + "/" + relative).parent_path());
        ASSERT_TRUE(WriteFileBytes(source + "/" + relative, data));
    }
    // A small site: text at the top, a page and a binary in a sub folder, text deeper.
    void WriteSite() {
        Write("a.txt", kGbkText);
        Write("sub/page.html", "<meta content=\"text/html; charset=gb2312\">" + kGbkText);
        Write("sub/logo.gif", std::string("GIF89a\0\0\x01\x02", 10));
        Write("sub/deep/c.txt", kGbkGuo);
    }
    const MessageRequest& LastMessage() const { return messages->shown.back(); }

    testing_support::TempFolder folder{"zelvo-site"};
    testing_support::ScopedMessages messages;
    std::string root = folder.path(), source = root + "/site", destination = root + "/new";
    volatile int state = kTransferStopped;
    int sleeps = 0;
    ConversionContext context;
    RecordingDisplay display;
    std::unique_ptr<SiteTransfer> transfer;
};

TEST_F(SiteTransferTest, NewSiteGetsConvertedTextCopiedBinariesAndItsFolders) {
    WriteSite();
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(state, kTransferStopped);

    EXPECT_EQ(Read(destination + "/a.txt"), ToBig5(kGbkText));
    EXPECT_EQ(Read(destination + "/sub/page.html"), "<meta content=\"text/html; charset=big5\">" + ToBig5(kGbkText));
    EXPECT_EQ(Read(destination + "/sub/logo.gif"), Read(source + "/sub/logo.gif"));
    EXPECT_EQ(Read(destination + "/sub/deep/c.txt"), kBig5Guo);
    EXPECT_EQ(Read(source + "/a.txt"), kGbkText);  // the source is only read

    EXPECT_EQ(transfer->folderCount, 2u);
    EXPECT_EQ(transfer->textFileCount, 3u);
    EXPECT_EQ(transfer->nonTextFileCount, 1u);
    EXPECT_EQ(transfer->textBytes, kGbkText.size() * 2 + 42 + 2);
    EXPECT_EQ(transfer->nonTextBytes, 10u);
    // Units: one per folder, one per started 8 KiB of text, one per started 512 KiB copy.
    EXPECT_EQ(transfer->totalUnits, 2 + 3 + 1);
    EXPECT_EQ(transfer->doneUnits, transfer->totalUnits);
    EXPECT_EQ(display.lastOverall, 1000);

    ASSERT_EQ(messages->shown.size(), 1u);
    const std::string& summary = LastMessage().text;
    EXPECT_EQ(summary, transfer->summaryText);
    EXPECT_NE(summary.find("Source Site: " + source + "\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Destination Site: " + destination + "\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Transfer Direction: GBK -> Big5"), std::string::npos);
    EXPECT_NE(summary.find("Number of Sub Folder(s) Created: 2\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Number of Transferred Text File(s): 3 (size " + FormatSizeText(transfer->textBytes) + ")"),
              std::string::npos);
    EXPECT_NE(summary.find("Number of Copied Non-text File(s): 1 (size 10 bytes)"), std::string::npos);
    EXPECT_NE(summary.find("Error(s):\r\nNone\r\n"), std::string::npos);
    EXPECT_NE(summary.find("Total Transfer Time: 0 Second(s)"), std::string::npos);
    EXPECT_EQ(summary.find('#'), std::string::npos) << summary;
}

TEST_F(SiteTransferTest, InPlaceOverwritesTextOnlyAndCreatesNothing) {
    WriteSite();
    const std::string binary = Read(source + "/sub/logo.gif");
    transfer->options.resultInNew = false;
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(transfer->options.destinationPath, source);
    EXPECT_FALSE(PathExists(destination));
    EXPECT_EQ(Read(source + "/a.txt"), ToBig5(kGbkText));
    EXPECT_EQ(Read(source + "/sub/deep/c.txt"), kBig5Guo);
    EXPECT_EQ(Read(source + "/sub/logo.gif"), binary);
    EXPECT_EQ(transfer->nonTextFileCount, 0u);
    // No temporary file is left behind.
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(source + "/sub", entries));
    EXPECT_EQ(entries.size(), 3u);
}

TEST_F(SiteTransferTest, InPlaceLeavesAUserFileNamedLikeATemporaryFileAlone) {
    Write("a.txt", kGbkText);
    // The user's own file, named as the write-through file of a.txt once was.
    Write("a.txt.zelvo-tmp", "notes");
    transfer->options.resultInNew = false;
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(Read(source + "/a.txt"), ToBig5(kGbkText));
    EXPECT_EQ(Read(source + "/a.txt.zelvo-tmp"), ToBig5("notes"));  // converted as the text file it is
    EXPECT_TRUE(transfer->problems.empty()) << transfer->problems.front();
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(source, entries));
    EXPECT_EQ(entries.size(), 2u);
}

TEST_F(SiteTransferTest, OptionsLeaveOutSubFoldersAndNonTextFiles) {
    WriteSite();
    Write("b.bin", std::string("\x01\x00\x02", 3));
    transfer->options.includeSubFolders = false;
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_TRUE(FileExists(destination + "/a.txt"));
    EXPECT_TRUE(FileExists(destination + "/b.bin"));
    EXPECT_FALSE(PathExists(destination + "/sub"));
    EXPECT_EQ(transfer->folderCount, 0u);
    EXPECT_EQ(transfer->textFileCount, 1u);

    std::filesystem::remove_all(destination);
    transfer->options.includeSubFolders = true;
    transfer->options.copyNonText = false;
    messages->shown.clear();
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_FALSE(PathExists(destination + "/b.bin"));
    EXPECT_FALSE(PathExists(destination + "/sub/logo.gif"));
    EXPECT_TRUE(FileExists(destination + "/sub/page.html"));
    EXPECT_EQ(transfer->nonTextFileCount, 0u);
    EXPECT_NE(LastMessage().text.find("Copy Non-text File from Source Site to Destination Site: No"), std::string::npos);
}

TEST_F(SiteTransferTest, DestinationsThatCannotTakeANewSiteAreRefusedBeforeAnyReading) {
    WriteSite();
    Write("other.txt", ToBig5(kGbkText));  // would raise the unlike question if it were read
    ASSERT_TRUE(CreateFolder(destination));
    ASSERT_TRUE(WriteFileBytes(destination + "/keep.txt", "mine"));
    EXPECT_FALSE(transfer->OnTransfer());
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(LastMessage().text, LoadUiString(IDS_DIALOG_FSCT_ERROR_NEW_SITE_MUST_BE_BLANK));
    EXPECT_TRUE(display.statuses.empty());
    std::vector<FolderEntry> entries;
    ListFolder(destination, entries);
    EXPECT_EQ(entries.size(), 1u);

    transfer->options.destinationPath = destination + "/keep.txt";
    EXPECT_FALSE(transfer->OnTransfer());
    EXPECT_EQ(LastMessage().text, "Path \"" + destination + "/keep.txt\"  is not the name of an existing directory.");

    transfer->options.destinationPath = root + "/bad|name";
    EXPECT_FALSE(transfer->OnTransfer());
    EXPECT_EQ(LastMessage().text, "Path \"" + root + "/bad|name\" is not a valid Windows file path.");

    transfer->options.sourcePath = root + "/missing";
    EXPECT_FALSE(transfer->OnTransfer());
    EXPECT_EQ(LastMessage().text, "Path \"" + root + "/missing\"  is not the name of an existing directory.");
    EXPECT_FALSE(PathExists(root + "/bad|name"));
}

TEST_F(SiteTransferTest, ADestinationInsideTheSourceOrAroundItIsRefusedBeforeAnythingIsRead) {
    WriteSite();
    Write("other.txt", ToBig5(kGbkText));  // would raise the unlike question if it were read
    const auto refused = [&](const std::string& to, const std::string& expected) {
        messages->shown.clear();
        transfer->options.destinationPath = to;
        EXPECT_FALSE(transfer->OnTransfer()) << to;
        ASSERT_EQ(messages->shown.size(), 1u) << to;
        EXPECT_EQ(LastMessage().text, expected);
        EXPECT_TRUE(display.statuses.empty()) << to;
    };
    const auto insideText = [&](const std::string& to) {
        return "The destination site \"" + to + "\" is the source site \"" + source +
               "\" or lies inside it, so the transfer would walk into its own output. Please choose a "
               "destination folder outside the source site.";
    };
    refused(source + "/out", insideText(source + "/out"));
    refused(source + "/sub/deeper/", insideText(source + "/sub/deeper/"));
    refused(source + "//sub/../out", insideText(source + "//sub/../out"));
    refused(source + "/", insideText(source + "/"));
    // A name of the source folder through a link is the same folder.
    ASSERT_EQ(::symlink(source.c_str(), (root + "/link").c_str()), 0);
    refused(root + "/link/out", insideText(root + "/link/out"));
    // A relative destination is taken from the current folder.
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(source);
    refused("out", insideText("out"));
    std::filesystem::current_path(previous);
    // The source inside the destination: said so, rather than that the folder is not blank.
    refused(root, "The source site \"" + source + "\" lies inside the destination site \"" + root +
                      "\". Please choose a new or empty destination folder outside the source site.");
    EXPECT_FALSE(PathExists(source + "/out"));
    EXPECT_FALSE(PathExists(source + "/sub/deeper"));

    // A sibling whose name only starts like the source's is outside it.
    RemoveFile(source + "/other.txt");
    messages->shown.clear();
    transfer->options.destinationPath = source + "2";
    EXPECT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(Read(source + "2/a.txt"), ToBig5(kGbkText));
}

TEST_F(SiteTransferTest, UnlikeFilesAreListedUpToElevenThenTheQuestionSaysTenPlus) {
    const std::string big5 = ToBig5(kGbkText);
    for (int i = 0; i < 13; ++i) Write(NumberedName("f", i, 2), big5);
    std::vector<int> candidates;
    ASSERT_EQ(GuessTextCharset(big5, candidates), kCharsetBig5);

    messages->answers.push_back(MessageAnswer{kIdNo});
    EXPECT_FALSE(transfer->OnTransfer());
    ASSERT_EQ(transfer->unlikeFiles.size(), 12u);
    EXPECT_EQ(transfer->unlikeFiles[10], source + "/f10.txt");
    EXPECT_EQ(transfer->unlikeFiles[11], "...");
    EXPECT_TRUE(transfer->unlikeListFull);
    const std::string question = LastMessage().text;
    EXPECT_EQ(question.rfind("Following 10+ files do not look like Simplified Chinese(GBK) files:\r\n\r\n\t" + source +
                                 "/f00.txt\r\n",
                             0),
              0u)
        << question;
    EXPECT_NE(question.find("\t...\r\n\r\nContinue anyway?"), std::string::npos);
    EXPECT_EQ(LastMessage().style & 0x0F, static_cast<unsigned>(kMbYesNo));
    EXPECT_FALSE(PathExists(destination));  // "No" stops before anything is written

    // Three of them: the count, and Yes goes on with the transfer.
    for (int i = 3; i < 13; ++i) RemoveFile(source + "/" + NumberedName("f", i, 2));
    messages->answers.push_back(MessageAnswer{kIdYes});
    EXPECT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(messages->shown[1].text,
              "Following 3 files do not look like Simplified Chinese(GBK) files:\r\n\r\n\t" + source + "/f00.txt\r\n\t" +
                  source + "/f01.txt\r\n\t" + source + "/f02.txt\r\n\r\nContinue anyway?");
    EXPECT_TRUE(FileExists(destination + "/f02.txt"));

    // One file: the single-file form.
    std::filesystem::remove_all(destination);
    RemoveFile(source + "/f01.txt");
    RemoveFile(source + "/f02.txt");
    messages->answers.push_back(MessageAnswer{kIdNo});
    EXPECT_FALSE(transfer->OnTransfer());
    EXPECT_EQ(LastMessage().text, "Following file does not look like a Simplified Chinese(GBK) file:\r\n\r\n\t" + source +
                                      "/f00.txt\r\n\r\nContinue anyway?");
}

TEST_F(SiteTransferTest, CancelDuringTheWalkKeepsWhatWasWrittenAndShowsNoSummary) {
    for (int i = 1; i <= 5; ++i) Write(NumberedName("t", i, 1), kGbkText);
    // The user presses Cancel while the third file is about to be converted, and
    // confirms: the dialog's button handler runs inside the walk's message processing.
    int transferring = 0;
    display.onStatus = [&](const std::string& text) {
        if (text.rfind("Transferring file", 0) == 0 && ++transferring == 3) {
            messages->answers.push_back(MessageAnswer{kIdYes});
            EXPECT_FALSE(transfer->OnTransfer());
            EXPECT_EQ(state, kTransferStopped);
        }
    };
    EXPECT_FALSE(transfer->OnTransfer());
    EXPECT_EQ(Read(destination + "/t1.txt"), ToBig5(kGbkText));
    EXPECT_EQ(Read(destination + "/t2.txt"), ToBig5(kGbkText));
    EXPECT_FALSE(PathExists(destination + "/t3.txt"));  // never written part-converted
    EXPECT_FALSE(PathExists(destination + "/t4.txt"));
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[0].text.rfind("Code transfer hasn't been completed", 0), 0u);
    EXPECT_EQ(LastMessage().text, "Transfer was canceled.");
    EXPECT_TRUE(transfer->summaryText.empty());
}

TEST_F(SiteTransferTest, AnsweringNoToTheCancelQuestionGoesOnAndPauseWaits) {
    for (int i = 1; i <= 3; ++i) Write(NumberedName("t", i, 1), kGbkText);
    int pumps = 0;
    context.control.pumpMessages = [&] {
        if (++pumps == 2) {
            messages->answers.push_back(MessageAnswer{kIdNo});
            transfer->OnTransfer();
            EXPECT_EQ(state, kTransferRunning);
            state = kTransferPaused;  // a question is open: the walk must wait
        }
    };
    context.control.sleep = [&](int milliseconds) {
        EXPECT_EQ(milliseconds, 200);
        if (++sleeps == 3) state = kTransferRunning;
    };
    EXPECT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(sleeps, 3);
    EXPECT_TRUE(FileExists(destination + "/t3.txt"));
    EXPECT_NE(LastMessage().text.find("Number of Transferred Text File(s): 3"), std::string::npos);
}

TEST_F(SiteTransferTest, FilesThatCannotBeWrittenAreListedAndLeftIntact) {
    WriteSite();
    Write("locked.txt", kGbkText);
    ASSERT_EQ(::chmod((source + "/locked.txt").c_str(), 0444), 0);
    ASSERT_TRUE(GetFileAttributeBits(source + "/locked.txt") & kAttributeReadOnly);
    // The disk fills up while stuck.txt is written, and has room again afterwards.
    Write("stuck.txt", kGbkText);
    std::unique_ptr<testing_support::ScopedWriteFailure> diskFull;
    display.onStatus = [&](const std::string& text) {
        diskFull.reset();
        if (text.find("stuck.txt") != std::string::npos)
            diskFull = std::make_unique<testing_support::ScopedWriteFailure>();
    };

    transfer->options.resultInNew = false;
    ASSERT_TRUE(transfer->OnTransfer());
    diskFull.reset();
    EXPECT_EQ(Read(source + "/locked.txt"), kGbkText);
    EXPECT_EQ(Read(source + "/stuck.txt"), kGbkText);
    EXPECT_EQ(Read(source + "/a.txt"), ToBig5(kGbkText));  // the others go on
    ASSERT_EQ(transfer->problems.size(), 2u);
    EXPECT_EQ(transfer->problems[0], "Can't Transfer: " + source + "/locked.txt");
    EXPECT_EQ(transfer->problems[1], "Can't Transfer: " + source + "/stuck.txt");
    EXPECT_NE(LastMessage().text.find("Error(s):\r\nFollowing file(s) failed to be copied/transferred to the "
                                      "destination position:\r\nCan't Transfer: " +
                                      source + "/locked.txt\r\nCan't Transfer: " + source +
                                      "/stuck.txt\r\n\r\nTotal Transfer Time"),
              std::string::npos);
    EXPECT_EQ(LastMessage().style & 0xF0, static_cast<unsigned>(kMbIconWarning));

    std::string message;
    EXPECT_FALSE(transfer->TransferOneFile(source + "/locked.txt", source + "/locked.txt", true, true, message));
    EXPECT_EQ(message, "File \"" + source + "/locked.txt\" is read-only and can't be overwritten.");
}

TEST_F(SiteTransferTest, EmptyFilesLateZerosAndHugeFiles) {
    Write("empty.txt", "");
    // A zero byte past the part that is probed: still text, and nothing after it is lost.
    Write("late-zero.txt", std::string(kNonTextProbeBytes, 'a') + std::string(1, '\0') + kGbkGuo);
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_TRUE(FileExists(destination + "/empty.txt"));
    EXPECT_EQ(Read(destination + "/empty.txt"), "");
    EXPECT_EQ(Read(destination + "/late-zero.txt"), std::string(kNonTextProbeBytes, 'a') + std::string(1, '\0') + kBig5Guo);
    EXPECT_EQ(transfer->textFileCount, 2u);
    EXPECT_EQ(transfer->totalUnits, 0 + 5);  // 32769 bytes start five 8 KiB units

    // A 4 GiB text (sparse) stops the scan pass: nothing is written and no summary follows.
    std::filesystem::remove_all(destination);
    const std::string huge = source + "/huge.txt";
    Write("huge.txt", std::string(kNonTextProbeBytes, 'a'));  // text as far as the probe looks
    if (::truncate(huge.c_str(), static_cast<off_t>(kLargestTransferSize)) != 0) GTEST_SKIP() << "no sparse files";
    messages->shown.clear();
    EXPECT_FALSE(transfer->OnTransfer());
    EXPECT_FALSE(PathExists(destination));
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(LastMessage().text, "Text file \"" + huge + "\" is too large to be transferred.");
}

TEST_F(SiteTransferTest, ChangePathCodeConvertsNamesBelowTheDestination) {
    Write(kGbkGuo + "/" + kGbkGuo + ".txt", kGbkGuo);
    transfer->options.changePathCode = true;
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(Read(destination + "/" + kBig5Guo + "/" + kBig5Guo + ".txt"), kBig5Guo);

    // In place the names stay.
    transfer->options.resultInNew = false;
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(Read(source + "/" + kGbkGuo + "/" + kGbkGuo + ".txt"), kBig5Guo);
    EXPECT_FALSE(PathExists(source + "/" + kBig5Guo));
}

TEST_F(SiteTransferTest, SingleFileRunsAskAboutUnlikeContentAndReportFailures) {
    Write("page.htm", "<meta content=\"text/html; charset=big5\">" + ToBig5(kGbkText));
    transfer->options.targetIsFile = true;
    transfer->options.sourcePath = source + "/page.htm";
    transfer->options.destinationPath = root + "/out.htm";
    // GBK -> Big5 of a Big5 page: the question; No leaves everything alone.
    messages->answers.push_back(MessageAnswer{kIdNo});
    EXPECT_FALSE(transfer->OnTransfer());
    EXPECT_EQ(LastMessage().text.rfind("Following file does not look like a Simplified Chinese(GBK) file:", 0), 0u);
    EXPECT_FALSE(PathExists(root + "/out.htm"));

    transfer->options.gbkToBig5 = false;
    ASSERT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(Read(root + "/out.htm"), "<meta content=\"text/html; charset=gb2312\">" + kGbkText);
    EXPECT_EQ(state, kTransferStopped);
    EXPECT_GT(transfer->totalUnits, 0);  // the file's own steps drive the overall bar

    transfer->options.sourcePath = source + "/none.txt";
    messages->shown.clear();
    EXPECT_FALSE(transfer->OnTransfer());
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(LastMessage().text, "\"" + source + "/none.txt\" is not the path for an existing text file.");
}

TEST_F(SiteTransferTest, ASingleFileAsksBeforeOverwritingAndSaysWhenItIsDone) {
    Write("one.txt", kGbkText);
    ASSERT_TRUE(WriteFileBytes(root + "/existing.txt", "keep me"));
    transfer->options.targetIsFile = true;
    transfer->options.sourcePath = source + "/one.txt";
    transfer->options.destinationPath = root + "/existing.txt";

    messages->answers.push_back(MessageAnswer{kIdNo});
    EXPECT_FALSE(transfer->OnTransfer());
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(LastMessage().text, "You are about to overwrite file \"" + root + "/existing.txt\", are you sure?");
    EXPECT_EQ(LastMessage().style & 0x0F, static_cast<unsigned>(kMbYesNo));
    EXPECT_EQ(LastMessage().style & 0xF00, static_cast<unsigned>(kMbDefButton2));  // Enter keeps the file
    EXPECT_EQ(Read(root + "/existing.txt"), "keep me");
    EXPECT_EQ(display.waits, 0);

    messages->shown.clear();
    messages->answers.push_back(MessageAnswer{kIdYes});
    EXPECT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(Read(root + "/existing.txt"), ToBig5(kGbkText));
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(LastMessage().text, "Code transfer of the file has been completed.\r\n\r\nSource File: " + source +
                                      "/one.txt\r\nDestination File: " + root +
                                      "/existing.txt\r\nTransfer Direction: GBK -> Big5");
    EXPECT_EQ(LastMessage().style & 0xF0, static_cast<unsigned>(kMbIconInformation));
    // The wait cursor showed while the file was converted, and is gone again.
    EXPECT_EQ(display.waits, 1);
    EXPECT_GT(display.progressWhileWaiting, 0);
    EXPECT_EQ(display.waitDepth, 0);

    // A new file, and the file converted in place, are written without a question.
    messages->shown.clear();
    transfer->options.destinationPath = root + "/new.txt";
    EXPECT_TRUE(transfer->OnTransfer());
    transfer->options.resultInNew = false;
    transfer->options.gbkToBig5 = false;
    transfer->options.sourcePath = root + "/new.txt";
    EXPECT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(Read(root + "/new.txt"), ToGbk(ToBig5(kGbkText)));
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_EQ(messages->shown[1].text.rfind("Code transfer of the file has been completed.", 0), 0u);
    EXPECT_NE(messages->shown[1].text.find("Transfer Direction: Big5 -> GBK"), std::string::npos);

    // Site runs keep the arrow: their own bars say what is going on.
    display.waits = 0;
    transfer->options.targetIsFile = false;
    transfer->options.resultInNew = true;
    transfer->options.gbkToBig5 = true;
    transfer->options.sourcePath = source;
    transfer->options.destinationPath = destination;
    EXPECT_TRUE(transfer->OnTransfer());
    EXPECT_EQ(display.waits, 0);
}

TEST(SiteTransferHelpers, NonTextMeansAZeroByteInTheFirst32KiB) {
    const testing_support::TempFolder temp("zelvo-probe");
    const std::string folder = temp.path();
    const std::string early = folder + "/early", late = folder + "/late", empty = folder + "/empty";
    std::string data(kNonTextProbeBytes + 10, 'x');
    data[kNonTextProbeBytes - 1] = '\0';
    WriteFileBytes(early, data);
    data[kNonTextProbeBytes - 1] = 'x';
    data[kNonTextProbeBytes] = '\0';
    WriteFileBytes(late, data);
    WriteFileBytes(empty, "");
    EXPECT_TRUE(IsNonTextFile(early));
    EXPECT_FALSE(IsNonTextFile(late));
    EXPECT_FALSE(IsNonTextFile(empty));
    EXPECT_FALSE(IsNonTextFile(folder));
    EXPECT_FALSE(IsNonTextFile(folder + "/missing"));

    EXPECT_EQ(CreateFolderPath(folder + "/a/b/c"), 0);
    EXPECT_TRUE(FolderExists(folder + "/a/b/c"));
    EXPECT_EQ(CreateFolderPath(folder + "/a/b/c"), 0);
    EXPECT_EQ(CreateFolderPath(early + "/sub"), 1);  // a file is in the way
}

TEST(SiteTransferHelpers, PathChecksAndShortening) {
    EXPECT_TRUE(IsValidWindowsPath("C:\\web\\site"));
    EXPECT_TRUE(IsValidWindowsPath("/tmp/site"));
    {
        testing_support::ScopedCodePage gbk(936);
        EXPECT_TRUE(IsValidWindowsPath("C:\\\xb9\x7c\\a"));  // a trail byte that looks like "|"
    }
    {
        testing_support::ScopedCodePage western(1252);
        EXPECT_FALSE(IsValidWindowsPath("C:\\\xb9\x7c\\a"));  // "\xb9" is a letter of its own there
    }
    EXPECT_FALSE(IsValidWindowsPath(""));
    EXPECT_FALSE(IsValidWindowsPath("C:\\a|b"));
    EXPECT_FALSE(IsValidWindowsPath("C:\\a\\b:c"));
    EXPECT_FALSE(IsValidWindowsPath("C:\\a*"));
    EXPECT_FALSE(IsValidWindowsPath("C:\\a\tb"));

    const std::string longPath = "/web/" + std::string(60, 'd') + "/" + std::string(20, 'e') + "/index.html";
    const std::string shortened = ShortenPathText(longPath, 80);
    EXPECT_LE(shortened.size(), 80u);
    EXPECT_EQ(shortened, "/.../" + std::string(20, 'e') + "/index.html");
    EXPECT_EQ(ShortenPathText("/short/path", 80), "/short/path");
}

TEST(TransferFormat, DurationsRemainingTimeAndSizes) {
    EXPECT_EQ(FormatShortDuration(3725), "01:02:05");
    EXPECT_EQ(FormatShortDuration(0), "00:00:00");
    EXPECT_EQ(FormatShortDuration(90061), "25:01:01");  // a long run does not wrap at a day
    EXPECT_EQ(FormatLongDuration(3725), "1 hour(s) 2 Minute(s) 5 Second(s)");
    EXPECT_EQ(FormatLongDuration(3600), "1 hour(s) 0 Minute(s) 0 Second(s)");
    EXPECT_EQ(FormatLongDuration(125), "2 Minute(s) 5 Second(s)");
    EXPECT_EQ(FormatLongDuration(5), "5 Second(s)");

    EXPECT_EQ(RemainingSeconds(100, 0, 10), -1);  // nothing done yet: no estimate
    EXPECT_EQ(RemainingSeconds(100, 25, 10), 30);
    EXPECT_EQ(RemainingSeconds(100, 50, 10), 10);  // shrinks as the work goes on
    EXPECT_EQ(RemainingSeconds(100, 100, 10), 0);

    EXPECT_EQ(FormatSizeText(0), "0 bytes");
    EXPECT_EQ(FormatSizeText(1023), "1023 bytes");
    EXPECT_EQ(FormatSizeText(1536), "1.50 KB");
    EXPECT_EQ(FormatSizeText(5ull << 30), "5.00 GB");
}

TEST(TransferOptions, ParsesTheCommandLine) {
    cli::TransferOptions options;
    std::string error;
    ASSERT_TRUE(cli::ParseTransferOptions({"--b2g", "src", "dst", "--no-subfolders", "--no-copy", "--change-path-code",
                                           "--yes", "--home", "/opt/z"},
                                          options, error))
        << error;
    EXPECT_FALSE(options.gbkToBig5);
    EXPECT_FALSE(options.includeSubFolders);
    EXPECT_FALSE(options.copyNonText);
    EXPECT_TRUE(options.changePathCode);
    EXPECT_TRUE(options.yes);
    EXPECT_EQ(options.home, "/opt/z");
    EXPECT_EQ(options.sourcePath, "src");
    EXPECT_EQ(options.destinationPath, "dst");

    ASSERT_TRUE(cli::ParseTransferOptions({"--g2b", "src"}, options, error));
    EXPECT_TRUE(options.gbkToBig5 && options.includeSubFolders && options.copyNonText && !options.yes);
    EXPECT_EQ(options.destinationPath, "");

    ASSERT_TRUE(cli::ParseTransferOptions({"--bogus", "-h"}, options, error));
    EXPECT_TRUE(options.help);
    ASSERT_TRUE(cli::ParseTransferOptions({"--g2b", "--", "--help"}, options, error));
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.sourcePath, "--help");

    EXPECT_FALSE(cli::ParseTransferOptions({"src"}, options, error));                    // no direction
    EXPECT_FALSE(cli::ParseTransferOptions({"--g2b", "--b2g", "src"}, options, error));  // both
    EXPECT_FALSE(cli::ParseTransferOptions({"--g2b"}, options, error));                  // no source
    EXPECT_FALSE(cli::ParseTransferOptions({"--g2b", "a", "b", "c"}, options, error));
    EXPECT_FALSE(cli::ParseTransferOptions({"--g2b", "a", "--fast"}, options, error));
    EXPECT_FALSE(cli::ParseTransferOptions({"--g2b", "a", "--home"}, options, error));
}

}  // namespace
}  // namespace zelvo
