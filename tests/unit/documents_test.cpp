#include "app/documents.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_app.h"
#include "app/recent_files.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/message_service.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

using testing_support::ScopedCodePage;
using testing_support::ScopedMessages;
using testing_support::ScopedRegistry;
using testing_support::ScopedWriteFailure;
using testing_support::TempFolder;

using testing_support::kBig5Text;
using testing_support::kGbkText;

// Every double-byte pair whose trail byte is a path or control character of ASCII, plus
// CR LF, a lone CR, a lone LF and high single bytes: none of it may change on the way.
std::string AwkwardBytes() {
    std::string bytes;
    for (int lead = 0x81; lead <= 0xFE; lead += 0x0D)
        for (int trail : {0x40, 0x5C, 0x7C, 0x7E, 0x80, 0xA1, 0xFE}) {
            bytes.push_back(static_cast<char>(lead));
            bytes.push_back(static_cast<char>(trail));
        }
    bytes += "\r\nline\rcr\nlf\xff\x80 tail";
    return bytes;
}

// Everything the window would do, recorded; the edit control's change notification is
// played back into the controller as the real one is.
class FakeHost : public DocumentHost {
  public:
    std::string GetAreaText(EditArea area) override { return texts[area]; }
    void SetAreaText(EditArea area, const std::string& text) override {
        texts[area] = text;
        ++setTextCalls;
        if (controller) controller->SetModified(area, true);
        // A copy: the handler may replace itself while it runs.
        if (std::function<void()> handler = onSetText) handler();
    }
    void ShowArea(EditArea area) override { shownAreas.push_back(area); }
    bool AskOpenFileName(EditArea area, const std::string& initialFolder, std::string& path) override {
        return Answer(area, initialFolder, path);
    }
    bool AskSaveFileName(EditArea area, const std::string& initialFolder, std::string& path) override {
        ++saveDialogs;
        return Answer(area, initialFolder, path);
    }
    void SetStatusText(const std::string& text) override { status.push_back(text); }
    void RestoreReady() override { status.push_back("Ready"); }
    void SelectLanguageAsUser(EditArea area, int index) override { languages.push_back({area, index}); }
    void SetStatusArea(EditArea area) override { statusArea = area; }
    void Refresh() override { ++refreshes; }
    bool IsCommandLinePending() override { return commandLinePending; }
    void SetWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }
    void AcceptDroppedFiles(bool on) override { dropSwitches.push_back(on); }

    DocumentController* controller = nullptr;
    std::map<EditArea, std::string> texts;
    std::deque<std::optional<std::string>> fileNames;  // nothing: the dialog is cancelled
    std::vector<std::string> dialogFolders;
    std::vector<EditArea> shownAreas;
    std::vector<std::string> status;
    std::vector<std::pair<EditArea, int>> languages;
    std::vector<bool> dropSwitches;
    std::function<void()> onSetText;
    EditArea statusArea = EditArea::kNone;
    bool commandLinePending = false;
    int setTextCalls = 0;
    int saveDialogs = 0;
    int refreshes = 0;
    int waitDepth = 0;

  private:
    bool Answer(EditArea, const std::string& initialFolder, std::string& path) {
        dialogFolders.push_back(initialFolder);
        EXPECT_FALSE(fileNames.empty()) << "a file dialog nobody expected";
        if (fileNames.empty()) return false;
        std::optional<std::string> name = fileNames.front();
        fileNames.pop_front();
        if (!name) return false;
        path = *name;
        return true;
    }
};

// Answers for the scripted message box.
MessageAnswer Answer(int result) {
    MessageAnswer answer;
    answer.result = result;
    return answer;
}

class DocumentsTest : public ::testing::Test {
  protected:
    DocumentsTest() {
        host_.controller = &controller_;
        savedNt_ = TheApp().isNt;
        savedProduct_ = TheApp().productName;
        TheApp().isNt = true;
        TheApp().productName = "Zelvo";
    }
    ~DocumentsTest() override {
        TheApp().isNt = savedNt_;
        TheApp().productName = savedProduct_;
    }
    void TearDown() override { EXPECT_EQ(host_.waitDepth, 0) << "wait cursor left on"; }

    std::string Write(const std::string& name, const std::string& bytes) {
        return folder_.Write(name, bytes);
    }
    static std::string Read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
        return bytes;
    }
    // Types into an area as the user would: the text changes and the area is modified.
    void Type(EditArea area, const std::string& text) { host_.SetAreaText(area, text); }
    // Texts of the messages shown so far, then forgotten.
    std::vector<std::string> TakeMessages() {
        std::vector<std::string> texts;
        for (const MessageRequest& request : messages_->shown) texts.push_back(request.text);
        messages_->shown.clear();
        return texts;
    }

    ScopedRegistry registry_;
    ScopedMessages messages_;
    TempFolder folder_{"zelvo-documents"};
    FakeHost host_;
    DocumentController controller_{host_};
    bool savedNt_ = true;
    std::string savedProduct_;
};

constexpr EditArea kSource = EditArea::kSource;
constexpr EditArea kDestination = EditArea::kDestination;

// ---- Reading text files ----

TEST_F(DocumentsTest, ReadGivesTheBytesExactly) {
    const std::string bytes = AwkwardBytes() + kGbkText;
    const std::string path = Write("plain.txt", bytes);
    std::string text;
    EXPECT_EQ(ReadTextFile(path, false, false, text), kReadWhole);
    EXPECT_EQ(text, bytes);
    EXPECT_EQ(ReadTextFile("  " + path + " \r\n", false, true, text), kReadWhole);  // path trimmed
    EXPECT_EQ(text, bytes);
    EXPECT_EQ(ReadTextFile(Write("empty.txt", ""), false, false, text), kReadWhole);
    EXPECT_EQ(text, "");
}

TEST_F(DocumentsTest, ReadCutsLargeFilesOnlyOutsideNt) {
    std::string large(60001, 'x');
    for (size_t i = 0; i < large.size(); i += 97) large[i] = '\n';
    large.back() = 'Z';
    const std::string path = Write("large.txt", large);
    const std::string limit = Write("limit.txt", large.substr(0, 60000));
    std::string text;

    EXPECT_EQ(ReadTextFile(path, false, false, text), kReadCut);
    EXPECT_EQ(text, large.substr(0, 60000));
    EXPECT_EQ(ReadTextFile(path, false, true, text), kReadWhole);
    EXPECT_EQ(text, large);
    EXPECT_EQ(ReadTextFile(path, true, false, text), kReadWhole);
    EXPECT_EQ(text, large);
    EXPECT_EQ(ReadTextFile(limit, false, false, text), kReadWhole);
    EXPECT_EQ(text.size(), 60000u);
}

TEST_F(DocumentsTest, ReadRefusesBinaryFilesAndReportsUnreadableOnes) {
    std::string text = "left over";
    std::string early = kGbkText + std::string(1, '\0') + "rest";
    EXPECT_EQ(ReadTextFile(Write("early.bin", early), false, true, text), kReadBinary);
    EXPECT_EQ(text, "");
    // A zero byte past the first 32768 bytes would end the text there and lose the rest of
    // the file on the next save: such a file is not text either.
    std::string late(40000, 'a');
    late[39000] = '\0';
    EXPECT_EQ(ReadTextFile(Write("late.bin", late), false, true, text), kReadBinary);
    // Outside NT the zero byte past the 60000 read is never seen.
    std::string beyond(70000, 'b');
    beyond[65000] = '\0';
    EXPECT_EQ(ReadTextFile(Write("beyond.txt", beyond), false, false, text), kReadCut);
    EXPECT_EQ(text, std::string(60000, 'b'));

    EXPECT_EQ(ReadTextFile(folder_.PathOf("missing.txt"), false, true, text), kReadFailed);
    EXPECT_EQ(ReadTextFile(folder_.path(), false, true, text), kReadFailed);
    EXPECT_EQ(text, "");
}

TEST_F(DocumentsTest, ShortcutPathsFallBackToThemselvesWithoutShortcutSupport) {
    // Where the system has no shortcuts, a ".lnk" path is read as the file it names.
    const std::string path = Write("note.LNK", "plain text");
    EXPECT_EQ(ResolveTextFilePath(" " + path + "\t"), path);
    std::string text;
    EXPECT_EQ(ReadTextFile(path, false, true, text), kReadWhole);
    EXPECT_EQ(text, "plain text");
}

// ---- Writing text files ----

TEST_F(DocumentsTest, WriteReplacesTheFileWithTheBytesExactly) {
    const std::string path = Write("out.txt", std::string(5000, 'o'));
    std::string error = "stale";
    EXPECT_EQ(WriteTextFile(path, AwkwardBytes(), error), kWriteDone);
    EXPECT_EQ(error, "");
    EXPECT_EQ(Read(path), AwkwardBytes());  // nothing of the longer old file is left
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(folder_.path(), entries));
    EXPECT_EQ(entries.size(), 1u);  // no temporary file beside it

    const std::string nested = JoinPath(JoinPath(folder_.PathOf("new"), "deeper"), "file.txt");
    EXPECT_EQ(WriteTextFile(nested, "made", error), kWriteDone);
    EXPECT_EQ(Read(nested), "made");
}

TEST_F(DocumentsTest, WriteFailuresNameThePathAndKeepTheOldFile) {
    std::string error;
    const std::string invalid = folder_.PathOf("what?.txt");
    EXPECT_EQ(WriteTextFile(invalid, "x", error), kWriteInvalidPath);
    EXPECT_EQ(error, ReplaceAll(LoadUiString(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH), "#1", invalid));
    EXPECT_FALSE(PathExists(invalid));
    EXPECT_EQ(WriteTextFile("", "x", error), kWriteInvalidPath);

    EXPECT_EQ(WriteTextFile(folder_.path(), "x", error), kWriteIsFolder);
    EXPECT_EQ(error,
              ReplaceAll(LoadUiString(IDS_ERROR_FILE_PATH_IS_A_DIRECTORY_NOT_A_FILE), "#1", folder_.path()));
    EXPECT_EQ(WriteTextFile(folder_.PathOf("sub") + "\\", "x", error), kWriteIsFolder);

    const std::string locked = Write("locked.txt", "keep me");
    ASSERT_TRUE(SetFileAttributeBits(locked, kAttributeReadOnly));
    EXPECT_EQ(WriteTextFile(locked, "new", error), kWriteReadOnly);
    EXPECT_EQ(error, ReplaceAll(LoadUiString(IDS_ERROR_FILE_READONLY), "#1", locked));
    EXPECT_EQ(Read(locked), "keep me");

    const std::string busy = Write("busy.txt", "old text");
    {
        const ScopedWriteFailure diskFull;
        EXPECT_EQ(WriteTextFile(busy, "new text", error), kWriteFailed);
    }
    EXPECT_EQ(error,
              ReplaceAll(LoadUiString(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL), "#1", busy));
    EXPECT_EQ(Read(busy), "old text");
    // The failed write's own temporary file is gone again.
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(folder_.path(), entries));
    for (const FolderEntry& entry : entries)
        EXPECT_EQ(entry.name.find(".tmp"), std::string::npos) << entry.name;

    const std::string underFile = JoinPath(JoinPath(busy, "sub"), "x.txt");  // its folder would be a file
    EXPECT_EQ(WriteTextFile(underFile, "x", error), kWriteFailed);
}

// ---- Texts ----

TEST_F(DocumentsTest, DefaultExtensionGoesOnNamesWithoutOne) {
    EXPECT_EQ(DefaultExtension("readme"), "readme.txt");
    EXPECT_EQ(DefaultExtension("readme."), "readme.txt");
    EXPECT_EQ(DefaultExtension("a.b"), "a.b");
    EXPECT_EQ(DefaultExtension(".profile"), ".profile.txt");
    EXPECT_EQ(DefaultExtension("  C:\\dir.d\\readme \r\n"), "C:\\dir.d\\readme.txt");
    EXPECT_EQ(DefaultExtension("/home/x.y/readme"), "/home/x.y/readme.txt");
    EXPECT_EQ(DefaultExtension("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(DefaultExtension(""), "");
    // 0xA5 0x5C is one Big5 character whose trail byte is a backslash, not a separator.
    ScopedCodePage big5(950);
    EXPECT_EQ(DefaultExtension("C:\\a.b\\\xa5\x5c"), "C:\\a.b\\\xa5\x5c.txt");
}

TEST_F(DocumentsTest, TextSizesAreTruncatedAndGrouped) {
    EXPECT_EQ(FormatTextSize(0), "0 Bytes (0 Bytes)");
    EXPECT_EQ(FormatTextSize(1023), "1023 Bytes (1023 Bytes)");
    EXPECT_EQ(FormatTextSize(1024), "1.00 KB (1,024 Bytes)");
    EXPECT_EQ(FormatTextSize(1536), "1.50 KB (1,536 Bytes)");
    EXPECT_EQ(FormatTextSize(2047), "1.99 KB (2,047 Bytes)");  // not rounded up to 2.00
    EXPECT_EQ(FormatTextSize(10239), "9.99 KB (10,239 Bytes)");
    EXPECT_EQ(FormatTextSize(10240), "10.0 KB (10,240 Bytes)");
    EXPECT_EQ(FormatTextSize(102399), "99.9 KB (102,399 Bytes)");
    EXPECT_EQ(FormatTextSize(102400), "100 KB (102,400 Bytes)");
    EXPECT_EQ(FormatTextSize(1048575), "1023 KB (1,048,575 Bytes)");
    EXPECT_EQ(FormatTextSize(1048576), "1.00 MB (1,048,576 Bytes)");
    EXPECT_EQ(FormatTextSize(10485759), "9.99 MB (10,485,759 Bytes)");
    EXPECT_EQ(FormatTextSize(10485760), "10.0 MB (10,485,760 Bytes)");
    EXPECT_EQ(FormatTextSize(104857600), "100 MB (104,857,600 Bytes)");
    EXPECT_EQ(FormatTextSize(1500000000), "1430 MB (1,500,000,000 Bytes)");
}

TEST_F(DocumentsTest, LineCountsCountLineFeeds) {
    EXPECT_EQ(CountTextLines(""), 0u);
    EXPECT_EQ(CountTextLines("a"), 1u);
    EXPECT_EQ(CountTextLines("a\r\n"), 2u);
    EXPECT_EQ(CountTextLines("\r\r"), 1u);  // CR alone does not end a line
    EXPECT_EQ(FormatLineCount(""), "0 Lines");
    EXPECT_EQ(FormatLineCount(std::string(1009, '\n')), "1,010 Lines");
    EXPECT_EQ(FormatLineCount(std::string(1000000, '\n')), "1,000,001 Lines");
    EXPECT_EQ(FormatLineCountValue(999), "999 Lines");
    EXPECT_EQ(FormatLineCountValue(1000), "1,000 Lines");
    EXPECT_EQ(FormatLineCountValue(1002003), "1,002,003 Lines");
    EXPECT_EQ(FormatLineCountValue(7000005), "7,000,005 Lines");
}

TEST_F(DocumentsTest, AttributesAreListedInTheirOrderOrNormal) {
    EXPECT_EQ(FormatAttributes(0), "Normal");
    EXPECT_EQ(FormatAttributes(kAttributeNormal | kAttributeFolder), "Normal");
    EXPECT_EQ(FormatAttributes(0x27), "Read-only, Hidden, Archive, System");
    EXPECT_EQ(FormatAttributes(kAttributeSystem | kAttributeArchive), "Archive, System");
    EXPECT_EQ(FormatAttributes(kAttributeHidden), "Hidden");
}

// Local time is UTC while this lives.
class UtcZone {
  public:
    UtcZone() {
        if (const char* zone = getenv("TZ")) saved_ = zone;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    ~UtcZone() {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

  private:
    std::optional<std::string> saved_;
};

int64_t UtcTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return static_cast<int64_t>(timegm(&tm));
}

TEST_F(DocumentsTest, FileTimesShowMonthFirst) {
    UtcZone utc;
    EXPECT_EQ(FormatFileTime(UtcTime(2004, 4, 24, 13, 5, 9)), "04-24-2004 13:05:09");
    EXPECT_EQ(FormatFileDate(UtcTime(2004, 4, 24, 13, 5, 9)), "04-24-2004");
    EXPECT_EQ(FormatFileTime(UtcTime(1999, 12, 31, 23, 59, 59)), "12-31-1999 23:59:59");
}

// The lines of a Properties text as label, value pairs; "" for the blank lines.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

TEST_F(DocumentsTest, PropertiesOfAFileAndOfUntitledText) {
    UtcZone utc;
    DocumentFacts facts;
    facts.path = "C:\\text\\a.txt";
    facts.fileExists = true;
    facts.times.created = UtcTime(2003, 1, 2, 3, 4, 5);
    facts.times.modified = UtcTime(2004, 5, 6, 7, 8, 9);
    facts.times.accessed = UtcTime(2004, 7, 8, 22, 0, 0);
    facts.attributes = kAttributeReadOnly | kAttributeArchive;
    facts.textBytes = 1536;
    facts.lineCount = 1010;
    const std::string text = FormatPropertiesText(facts);
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");

    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 10u) << text;
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Location", "C:\\text\\a.txt"},
        {"", ""},
        {"Created", "01-02-2003 03:04:05"},
        {"Modified", "05-06-2004 07:08:09"},
        {"Access", "07-08-2004"},
        {"", ""},
        {"Attributes", "Read-only, Archive"},
        {"", ""},
        {"Character Count", "1.50 KB (1,536 Bytes)"},
        {"Line Count", "1,010 Lines"},
    };
    size_t tab = std::string::npos;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (expected[i].first.empty()) {
            EXPECT_EQ(lines[i], "") << i;
            continue;
        }
        const size_t colon = lines[i].find(':');
        ASSERT_NE(colon, std::string::npos) << lines[i];
        EXPECT_EQ(lines[i].substr(0, colon), expected[i].first);
        const size_t lineTab = lines[i].find('\t');
        ASSERT_NE(lineTab, std::string::npos) << lines[i];
        EXPECT_EQ(lines[i].substr(colon + 1, lineTab - colon - 1).find_first_not_of(' '), std::string::npos);
        EXPECT_EQ(lines[i].substr(lineTab + 1), expected[i].second);
        if (tab == std::string::npos) tab = lineTab;
        EXPECT_EQ(lineTab, tab) << "labels padded to one width: " << lines[i];
    }

    DocumentFacts untitled;
    untitled.emptiedTime = UtcTime(2004, 4, 24, 10, 0, 0);
    untitled.fileExists = false;
    untitled.times.modified = UtcTime(2001, 1, 1, 0, 0, 0);  // ignored without a file
    untitled.attributes = kAttributeHidden;
    const std::vector<std::string> bare = SplitLines(FormatPropertiesText(untitled));
    ASSERT_EQ(bare.size(), 10u);
    EXPECT_EQ(bare[0].substr(bare[0].find('\t')), "\t");
    EXPECT_EQ(bare[2].substr(bare[2].find('\t') + 1), "04-24-2004 10:00:00");
    EXPECT_EQ(bare[3].substr(bare[3].find('\t')), "\t");
    EXPECT_EQ(bare[4].substr(bare[4].find('\t')), "\t");
    EXPECT_EQ(bare[6].substr(bare[6].find('\t')), "\t");
    EXPECT_EQ(bare[8].substr(bare[8].find('\t') + 1), "0 Bytes (0 Bytes)");
    EXPECT_EQ(bare[9].substr(bare[9].find('\t') + 1), "0 Lines");

    EXPECT_EQ(PropertiesCaption(kSource), "Properties - Source Edit Area");
    EXPECT_EQ(PropertiesCaption(kDestination), "Properties - Destination Edit Areas");
}

// ---- Opening ----

TEST_F(DocumentsTest, OpeningAFileFillsTheAreaAndGuessesItsCodePage) {
    const std::string gbk = Write("gbk.txt", kGbkText);
    ASSERT_TRUE(controller_.OpenFile(gbk, kSource));
    EXPECT_EQ(host_.texts[kSource], kGbkText);
    EXPECT_EQ(controller_.Path(kSource), gbk);
    EXPECT_FALSE(controller_.IsModified(kSource));  // the text's own change notification does not count
    EXPECT_FALSE(controller_.IsTruncated(kSource));
    EXPECT_EQ(host_.languages, (std::vector<std::pair<EditArea, int>>{{kSource, 1}}));
    EXPECT_EQ(host_.shownAreas, std::vector<EditArea>{kSource});
    EXPECT_EQ(host_.statusArea, kSource);
    ASSERT_GE(host_.status.size(), 2u);
    EXPECT_EQ(host_.status[host_.status.size() - 2], "Opening...");
    EXPECT_EQ(host_.status.back(), "Ready");
    EXPECT_EQ(ReadRegString("File", "Last Source File Folder", ""), folder_.path());
    EXPECT_EQ(ReadRegString("File", "Last Destination File Folder", "unset"), "unset");
    EXPECT_EQ(ReadRecentFiles(kSource), std::vector<std::string>{gbk});
    EXPECT_TRUE(TakeMessages().empty());

    const std::string big5 = Write("big5.txt", kBig5Text);
    ASSERT_TRUE(controller_.OpenFile(big5, kDestination));
    EXPECT_EQ(host_.languages.back(), std::make_pair(kDestination, 3));
    EXPECT_EQ(ReadRegString("File", "Last Destination File Folder", ""), folder_.path());
    EXPECT_EQ(ReadRecentFiles(kDestination), std::vector<std::string>{big5});
    EXPECT_EQ(host_.texts[kSource], kGbkText);  // the other area is left alone

    // While the command line is handled, it chooses the language itself.
    host_.commandLinePending = true;
    host_.languages.clear();
    ASSERT_TRUE(controller_.OpenFile(Write("gbk2.txt", kGbkText), kSource));
    EXPECT_TRUE(host_.languages.empty());
    // A text the guess cannot place leaves the selector alone.
    host_.commandLinePending = false;
    ASSERT_TRUE(controller_.OpenFile(Write("ascii.txt", "plain English words"), kSource));
    EXPECT_TRUE(host_.languages.empty());
}

TEST_F(DocumentsTest, OpeningTheSameFileAgainDoesNothingEvenWhenModified) {
    const std::string path = Write("same.txt", "original");
    ASSERT_TRUE(controller_.OpenFile(path, kSource));
    Type(kSource, "edited");
    ASSERT_TRUE(controller_.IsModified(kSource));
    const int setTexts = host_.setTextCalls;
    EXPECT_FALSE(controller_.OpenFile(path, kSource));
    EXPECT_TRUE(TakeMessages().empty());  // no save question either
    EXPECT_EQ(host_.texts[kSource], "edited");
    EXPECT_TRUE(controller_.IsModified(kSource));
    EXPECT_EQ(host_.setTextCalls, setTexts);

    // The same file in the other area is another document.
    EXPECT_TRUE(controller_.OpenFile(path, kDestination));
    EXPECT_EQ(host_.texts[kDestination], "original");
}

TEST_F(DocumentsTest, OpeningOverModifiedTextAsksFirst) {
    const std::string first = Write("first.txt", "first");
    const std::string second = Write("second.txt", "second");
    ASSERT_TRUE(controller_.OpenFile(first, kSource));
    Type(kSource, "first, edited");

    messages_->answers.push_back(Answer(kIdCancel));
    EXPECT_FALSE(controller_.OpenFile(second, kSource));
    std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_PROMPT_SAVE_SOURCE_TO_FILE), "#1", first));
    EXPECT_EQ(controller_.Path(kSource), first);
    EXPECT_EQ(host_.texts[kSource], "first, edited");
    EXPECT_TRUE(controller_.IsModified(kSource));

    messages_->answers.push_back(Answer(kIdNo));
    EXPECT_TRUE(controller_.OpenFile(second, kSource));
    EXPECT_EQ(TakeMessages().size(), 1u);
    EXPECT_EQ(host_.texts[kSource], "second");
    EXPECT_EQ(Read(first), "first");  // No discards the edit
    EXPECT_EQ(ReadRecentFiles(kSource), (std::vector<std::string>{second, first}));

    Type(kSource, "second, edited");
    messages_->answers.push_back(Answer(kIdYes));
    EXPECT_TRUE(controller_.OpenFile(first, kSource));
    EXPECT_EQ(Read(second), "second, edited");  // Yes saves it
    EXPECT_EQ(host_.texts[kSource], "first");
}

TEST_F(DocumentsTest, OpeningFailuresSayWhyAndRestoreReady) {
    Type(kSource, "kept");
    controller_.SetModified(kSource, false);
    const std::string missing = folder_.PathOf("missing.txt");
    EXPECT_FALSE(controller_.OpenFile(missing, kSource));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{
                                  ReplaceAll(LoadUiString(IDS_ERROR_FILE_FILE_NOT_EXIST), "#1", missing)});
    EXPECT_EQ(host_.texts[kSource], "kept");

    const std::string binary = Write("image.bin", std::string("GIF89a\0\0", 8));
    EXPECT_FALSE(controller_.OpenFile(binary, kSource));
    std::string expected = ReplaceAll(LoadUiString(IDS_DIALOG_ZELVO_PROMPT_BINARY_FILE), "#1", binary);
    expected = ReplaceAll(expected, "#2", "Zelvo");
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{expected});
    EXPECT_EQ(host_.status.back(), "Ready");
    EXPECT_EQ(controller_.Path(kSource), "");
    EXPECT_TRUE(ReadRecentFiles(kSource).empty());
}

TEST_F(DocumentsTest, LargeFilesOpenCutAndUntitledOutsideNt) {
    const std::string large = Write("large.txt", std::string(60001, 'L'));
    TheApp().isNt = false;
    ASSERT_TRUE(controller_.OpenFile(large, kSource));
    const std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(large), std::string::npos);
    EXPECT_NE(shown[0].find("only 60,000 bytes"), std::string::npos);
    EXPECT_EQ(shown[0].find("#"), std::string::npos);
    EXPECT_EQ(host_.texts[kSource], std::string(60000, 'L'));
    EXPECT_EQ(controller_.Path(kSource), "");  // a save can never put the cut text over the file
    EXPECT_TRUE(controller_.IsTruncated(kSource));
    EXPECT_FALSE(controller_.IsModified(kSource));

    TheApp().isNt = true;
    ASSERT_TRUE(controller_.OpenFile(large, kDestination));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(host_.texts[kDestination].size(), 60001u);
    EXPECT_EQ(controller_.Path(kDestination), large);
    EXPECT_FALSE(controller_.IsTruncated(kDestination));

    // Closing forgets the cut.
    ASSERT_TRUE(controller_.Close(kSource));
    EXPECT_FALSE(controller_.IsTruncated(kSource));
}

TEST_F(DocumentsTest, TheOpenCommandStartsInTheLastFolder) {
    WriteRegString("File", "Last Destination File Folder", folder_.path());
    const std::string path = Write("chosen.txt", "chosen");
    host_.fileNames = {std::nullopt, path};
    EXPECT_FALSE(controller_.OpenCommand(kDestination));
    EXPECT_TRUE(controller_.OpenCommand(kDestination));
    EXPECT_EQ(host_.dialogFolders, (std::vector<std::string>{folder_.path(), folder_.path()}));
    EXPECT_EQ(host_.texts[kDestination], "chosen");
}

// ---- Asking to save, closing ----

TEST_F(DocumentsTest, AskToSaveAnswersWithoutAQuestionWhenNothingIsLost) {
    EXPECT_EQ(controller_.AskToSave(kSource), kSaveYes);
    Type(kSource, "");
    ASSERT_TRUE(controller_.IsModified(kSource));
    EXPECT_EQ(controller_.AskToSave(kSource), kSaveYes);  // untitled and empty
    EXPECT_FALSE(controller_.IsModified(kSource));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DocumentsTest, AskToSaveUntitledTextCancelledDialogCancels) {
    Type(kDestination, "draft");
    messages_->answers.push_back(Answer(kIdYes));
    host_.fileNames = {std::nullopt};
    EXPECT_EQ(controller_.AskToSave(kDestination), kSaveCancel);
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{LoadUiString(IDS_DIALOG_ZELVO_PROMPT_SAVE_DESTINATION)});
    EXPECT_TRUE(controller_.IsModified(kDestination));

    // Yes with a name: written with the default extension, folder remembered.
    messages_->answers.push_back(Answer(kIdYes));
    host_.fileNames = {folder_.PathOf("draft")};
    EXPECT_EQ(controller_.AskToSave(kDestination), kSaveYes);
    EXPECT_EQ(Read(folder_.PathOf("draft.txt")), "draft");
    EXPECT_FALSE(controller_.IsModified(kDestination));
    EXPECT_EQ(ReadRegString("File", "Last Destination File Folder", ""), folder_.path());

    Type(kDestination, "again");
    messages_->answers.push_back(Answer(kIdNo));
    EXPECT_EQ(controller_.AskToSave(kDestination), kSaveNo);
    EXPECT_FALSE(controller_.IsModified(kDestination));
    Type(kDestination, "again");
    messages_->answers.push_back(Answer(kIdCancel));
    EXPECT_EQ(controller_.AskToSave(kDestination), kSaveCancel);
    EXPECT_TRUE(controller_.IsModified(kDestination));
    EXPECT_EQ(messages_->shown.back().style & 0xF, kMbYesNoCancel);
}

TEST_F(DocumentsTest, AFailedSaveWhileAskingCancelsAndKeepsTheFile) {
    const std::string path = Write("keep.txt", "on disk");
    ASSERT_TRUE(controller_.OpenFile(path, kSource));
    Type(kSource, "in the area");
    const std::string other = Write("other.txt", "other");

    messages_->answers.push_back(Answer(kIdYes));
    {
        const ScopedWriteFailure diskFull;
        EXPECT_FALSE(controller_.OpenFile(other, kSource));
    }
    const std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1],
              ReplaceAll(LoadUiString(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL), "#1", path));
    EXPECT_EQ(Read(path), "on disk");
    EXPECT_EQ(host_.texts[kSource], "in the area");
    EXPECT_EQ(controller_.Path(kSource), path);
    EXPECT_TRUE(controller_.IsModified(kSource));

    messages_->answers.push_back(Answer(kIdYes));
    {
        const ScopedWriteFailure diskFull;
        EXPECT_FALSE(controller_.Close(kSource));
    }
    EXPECT_EQ(host_.texts[kSource], "in the area");
}

TEST_F(DocumentsTest, CloseEmptiesTheAreaAndRemembersItsFolder) {
    const std::string path = Write("closing.txt", "text");
    ASSERT_TRUE(controller_.OpenFile(path, kDestination));
    WriteRegString("File", "Last Destination File Folder", "elsewhere");
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    ASSERT_TRUE(controller_.Close(kDestination));
    EXPECT_EQ(host_.texts[kDestination], "");
    EXPECT_EQ(controller_.Path(kDestination), "");
    EXPECT_FALSE(controller_.IsModified(kDestination));
    EXPECT_GE(controller_.State(kDestination).emptiedTime, before);
    EXPECT_EQ(ReadRegString("File", "Last Destination File Folder", ""), folder_.path());

    Type(kDestination, "new text");
    messages_->answers.push_back(Answer(kIdCancel));
    EXPECT_FALSE(controller_.Close(kDestination));
    EXPECT_EQ(host_.texts[kDestination], "new text");
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{LoadUiString(IDS_DIALOG_ZELVO_PROMPT_SAVE_DESTINATION)});
}

// ---- Saving ----

TEST_F(DocumentsTest, SavingOntoAReadOnlyFileReportsItAndStaysModified) {
    const std::string path = Write("readonly.txt", "original");
    ASSERT_TRUE(controller_.OpenFile(path, kSource));
    ASSERT_TRUE(SetFileAttributeBits(path, kAttributeReadOnly));
    Type(kSource, "changed");
    EXPECT_FALSE(controller_.Save(kSource));
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{ReplaceAll(LoadUiString(IDS_ERROR_FILE_READONLY), "#1", path)});
    EXPECT_TRUE(controller_.IsModified(kSource));
    EXPECT_EQ(Read(path), "original");
    EXPECT_EQ(host_.saveDialogs, 0);
}

TEST_F(DocumentsTest, SaveAsksForANameOnlyWithoutAFile) {
    Type(kSource, "untitled text");
    host_.fileNames = {std::nullopt};
    EXPECT_FALSE(controller_.Save(kSource));
    EXPECT_TRUE(controller_.IsModified(kSource));

    host_.fileNames = {folder_.PathOf("readme.")};
    ASSERT_TRUE(controller_.Save(kSource));
    const std::string saved = folder_.PathOf("readme.txt");
    EXPECT_EQ(Read(saved), "untitled text");
    EXPECT_EQ(controller_.Path(kSource), saved);
    EXPECT_FALSE(controller_.IsModified(kSource));
    EXPECT_TRUE(ReadRecentFiles(kSource).empty());  // saving leaves the recent list alone

    Type(kSource, "second version");
    ASSERT_TRUE(controller_.Save(kSource));  // the file exists: no dialog
    EXPECT_EQ(Read(saved), "second version");
    EXPECT_TRUE(host_.fileNames.empty());

    ASSERT_TRUE(RemoveFile(saved));
    host_.fileNames = {folder_.PathOf("again")};
    ASSERT_TRUE(controller_.Save(kSource));  // the file went away: asked again
    EXPECT_EQ(Read(folder_.PathOf("again.txt")), "second version");
}

TEST_F(DocumentsTest, SaveAsConfirmsAndAddsTheFileToTheRecentList) {
    const std::string original = Write("orig.txt", "orig");
    ASSERT_TRUE(controller_.OpenFile(original, kDestination));
    Type(kDestination, "new content");
    const std::string existing = Write("exists.txt", "do not lose me");

    // Starts where the area's file is when no folder was stored yet.
    WriteRegString("File", "Last Destination File Folder", "");
    messages_->answers.push_back(Answer(kIdNo));
    host_.fileNames = {existing};
    EXPECT_FALSE(controller_.SaveAs(kDestination));
    EXPECT_EQ(host_.dialogFolders.back(), folder_.path());
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{ReplaceAll(
                                  LoadUiString(IDS_DIALOG_ZELVO_MSG_PROMPT_OVERWRITE_FILE), "#1", existing)});
    EXPECT_EQ(Read(existing), "do not lose me");
    EXPECT_EQ(controller_.Path(kDestination), original);

    const std::string fresh = folder_.PathOf("sub/fresh");
    messages_->answers.push_back(Answer(kIdYes));
    host_.fileNames = {fresh};
    ASSERT_TRUE(controller_.SaveAs(kDestination));
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{ReplaceAll(
                  LoadUiString(IDS_DIALOG_ZELVO_MSG_FILE_NOT_EXIST_PROMPT_CREATE), "#1", fresh + ".txt")});
    EXPECT_EQ(Read(fresh + ".txt"), "new content");
    EXPECT_EQ(controller_.Path(kDestination), fresh + ".txt");
    EXPECT_FALSE(controller_.IsModified(kDestination));
    EXPECT_EQ(ReadRecentFiles(kDestination), (std::vector<std::string>{fresh + ".txt", original}));
    EXPECT_EQ(ReadRegString("File", "Last Destination File Folder", ""), folder_.PathOf("sub"));
    EXPECT_EQ(ReadRegString("File", "Last Source File Folder", "unset"), "unset");

    // A failed write keeps the old document.
    Type(kDestination, "newer");
    const std::string blocked = Write("blocked.txt", "blocked");
    messages_->answers.push_back(Answer(kIdYes));
    host_.fileNames = {blocked};
    {
        const ScopedWriteFailure diskFull;
        EXPECT_FALSE(controller_.SaveAs(kDestination));
    }
    EXPECT_EQ(Read(blocked), "blocked");
    EXPECT_EQ(controller_.Path(kDestination), fresh + ".txt");
    EXPECT_TRUE(controller_.IsModified(kDestination));
}

TEST_F(DocumentsTest, DoubleByteTextSurvivesOpenAndSaveByteForByte) {
    for (const std::string& bytes : {kGbkText + "\r\n" + AwkwardBytes(), kBig5Text + "\n" + AwkwardBytes()}) {
        const std::string path = Write("round.txt", bytes);
        ASSERT_TRUE(controller_.OpenFile(path, kSource));
        EXPECT_EQ(host_.texts[kSource], bytes);
        messages_->answers.push_back(Answer(kIdYes));
        host_.fileNames = {folder_.PathOf("copy.txt")};
        ASSERT_TRUE(controller_.SaveAs(kSource));
        EXPECT_EQ(Read(folder_.PathOf("copy.txt")), bytes);
        Type(kSource, host_.texts[kSource]);  // touched but unchanged
        ASSERT_TRUE(controller_.Save(kSource));
        EXPECT_EQ(Read(folder_.PathOf("copy.txt")), bytes);
        ASSERT_TRUE(controller_.Close(kSource));
    }
}

// ---- Properties ----

TEST_F(DocumentsTest, PropertiesShowTheAreasDocument) {
    const std::string path = Write("props.txt", "one\ntwo\nthree");
    ASSERT_TRUE(controller_.OpenFile(path, kSource));
    controller_.Properties(kSource);
    ASSERT_EQ(messages_->shown.size(), 1u);
    const MessageRequest& request = messages_->shown[0];
    EXPECT_EQ(request.caption, "Properties - Source Edit Area");
    DocumentFacts facts = controller_.CollectFacts(kSource);
    EXPECT_TRUE(facts.fileExists);
    EXPECT_EQ(facts.textBytes, 13u);
    EXPECT_EQ(facts.lineCount, 3u);
    EXPECT_EQ(request.text, FormatPropertiesText(facts));
    EXPECT_NE(request.text.find(path), std::string::npos);
    EXPECT_NE(request.text.find("13 Bytes (13 Bytes)"), std::string::npos);

    const DocumentFacts empty = controller_.CollectFacts(kDestination);
    EXPECT_FALSE(empty.fileExists);
    EXPECT_EQ(empty.emptiedTime, controller_.State(kDestination).emptiedTime);
    EXPECT_EQ(empty.lineCount, 0u);
}

// ---- Recent files and dropped files ----

TEST_F(DocumentsTest, ARecentEntryWhoseFileWasDeletedIsRemovedWhenChosen) {
    const std::string a = Write("a.txt", "A");
    const std::string b = Write("b.txt", "B");
    const std::string c = Write("c.txt", "C");
    WriteRecentFiles(kSource, {a, b, c});
    ASSERT_EQ(controller_.RecentFilesForMenu(kSource), (std::vector<std::string>{a, b, c}));
    ASSERT_TRUE(RemoveFile(b));

    EXPECT_FALSE(controller_.OpenRecent(kSource, 1));  // b as the menu showed it, not c
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{ReplaceAll(LoadUiString(IDS_ERROR_FILE_FILE_NOT_EXIST), "#1", b)});
    EXPECT_EQ(host_.texts[kSource], "");
    EXPECT_EQ(ReadRegString("File\\MRU Source", "2", ""), c);
    EXPECT_EQ(ReadRegString("File\\MRU Source", "3", "unset"), "");

    ASSERT_EQ(controller_.RecentFilesForMenu(kSource), (std::vector<std::string>{a, c}));
    EXPECT_TRUE(controller_.OpenRecent(kSource, 1));
    EXPECT_EQ(host_.texts[kSource], "C");
    EXPECT_EQ(ReadRecentFiles(kSource), (std::vector<std::string>{c, a}));
    EXPECT_FALSE(controller_.OpenRecent(kSource, 5));
    EXPECT_FALSE(controller_.OpenRecent(kDestination, 0));
}

TEST_F(DocumentsTest, DroppedFilesGoToTheAreaUnderTheCursor) {
    EXPECT_EQ(DocumentController::DropTargetArea(99, 100, 102), kSource);
    EXPECT_EQ(DocumentController::DropTargetArea(100, 100, 102), kSource);
    EXPECT_EQ(DocumentController::DropTargetArea(101, 100, 102),
              kDestination);                                                // the midpoint is not above it
    EXPECT_EQ(DocumentController::DropTargetArea(101, 100, 103), kSource);  // 101 is above 101.5
    EXPECT_EQ(DocumentController::DropTargetArea(500, 100, 102), kDestination);

    const std::string first = Write("first.txt", "first");
    const std::string second = Write("second.txt", "second");
    const std::vector<std::string> dropped = {folder_.PathOf("gone.txt"), folder_.path(), first, second};
    EXPECT_TRUE(controller_.OpenDroppedFiles(dropped, 10, 200, 204));
    EXPECT_EQ(host_.texts[kSource], "first");
    EXPECT_EQ(host_.texts.count(kDestination) ? host_.texts[kDestination] : "", "");
    EXPECT_EQ(host_.dropSwitches, (std::vector<bool>{false, true}));

    EXPECT_TRUE(controller_.OpenDroppedFiles({second}, 300, 200, 204));
    EXPECT_EQ(host_.texts[kDestination], "second");
    EXPECT_FALSE(controller_.OpenDroppedFiles({folder_.path()}, 10, 200, 204));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DocumentsTest, ADropArrivingWhileOneIsHandledIsRefused) {
    const std::string outer = Write("outer.txt", "outer");
    const std::string inner = Write("inner.txt", "inner");
    bool innerResult = true;
    host_.onSetText = [&] {
        host_.onSetText = nullptr;
        innerResult = controller_.OpenDroppedFiles({inner}, 500, 200, 204);
    };
    EXPECT_TRUE(controller_.OpenDroppedFiles({outer}, 500, 200, 204));
    EXPECT_FALSE(innerResult);
    EXPECT_EQ(host_.texts[kDestination], "outer");
    // After the drop, dropping works again.
    EXPECT_TRUE(controller_.OpenDroppedFiles({inner}, 500, 200, 204));
    EXPECT_EQ(host_.texts[kDestination], "inner");
}

}  // namespace
}  // namespace zelvo
