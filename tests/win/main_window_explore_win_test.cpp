// The main window used the way its users use it: awkward files opened and saved again
// byte for byte, bad paths, read-only files, repeated transfers over an edited Destination
// and the UI language switched while both areas hold Chinese text.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "app/language_table.h"
#include "app/recent_files.h"
#include "resources/resource.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

// Every byte but zero, then lone lead bytes at line ends and at the very end: nothing a
// codec may drop or mend.
std::string AwkwardBytes() {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    bytes += "\r\n\xD6\xD0\xCE\xC4\x81\r\n\xB0\xEA\xAE\x61\xFE\n\xA1\x7F\x80\xFF\xD6";
    return bytes;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

TEST_F(MainWindowTest, OpenedFilesAreSavedBackByteForByte) {
    struct Case {
        const char* name;
        std::string bytes;
        int languageBefore;  // row the Source selector shows before the file is opened
    };
    const Case cases[] = {
        {"awkward-english.txt", AwkwardBytes(), 0},
        {"awkward-japanese.txt", AwkwardBytes(), 4},
        {"awkward-russian.txt", AwkwardBytes(), 11},
        {"awkward-big5.txt", AwkwardBytes(), kBig5LanguageIndex},
        {"lf-only.txt", "\xD6\xD0\xCE\xC4\nline two\nline three\n", 0},
        {"mixed-endings.txt", "one\r\ntwo\nthree\rfour\r\r\n\n", 0},
        {"lone-lead.txt", std::string("abc\x81"), kGbkLanguageIndex},
    };
    MainWindow& window = Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window.SelectLanguage(EditArea::kSource, c.languageBefore);
        const std::string path = WriteSample(c.name, c.bytes);
        fileNames_ = {path};
        window.RunCommand(IDM_SOURCE_OPEN);
        ASSERT_EQ(window.documents().Path(EditArea::kSource), path);
        EXPECT_EQ(window.SourceText(), c.bytes);
        const std::string copy = path + ".copy.txt";
        fileNames_ = {copy};
        Answer(kIdYes);  // create it
        window.RunCommand(IDM_SOURCE_SAVE_AS);
        EXPECT_EQ(FileBytes(copy), c.bytes);
        EXPECT_TRUE(messages_->answers.empty());
        // Another row of the selector shows the same bytes in another font.
        window.SelectLanguage(EditArea::kSource, 5);  // Korean
        EXPECT_EQ(window.SourceText(), c.bytes);
        EXPECT_FALSE(window.documents().IsModified(EditArea::kSource));
    }
}

TEST_F(MainWindowTest, EmptyFileOpensAndSavesEmpty) {
    MainWindow& window = Open();
    const std::string path = WriteSample("empty.txt", "");
    fileNames_ = {path};
    window.RunCommand(IDM_SOURCE_OPEN);
    EXPECT_EQ(window.documents().Path(EditArea::kSource), path);
    EXPECT_EQ(window.SourceText(), "");
    EXPECT_TRUE(messages_->shown.empty());
    window.SetSourceText("now some words");
    window.RunCommand(IDM_SOURCE_SAVE);
    EXPECT_EQ(FileBytes(path), "now some words");
}

TEST_F(MainWindowTest, BadPathsAreReportedAndLeaveTheAreaAlone) {
    MainWindow& window = Open();
    const std::string kept = WriteSample("kept.txt", kGbkText);
    fileNames_ = {kept};
    window.RunCommand(IDM_SOURCE_OPEN);
    ASSERT_EQ(window.documents().Path(EditArea::kSource), kept);

    const std::string missing = JoinPath(folder_, "no-such-file.txt");
    const std::string binary = WriteSample("picture.bin", std::string("GIF89a\0\0\x01\x02", 10));
    struct Case {
        std::string path;
        bool keepsDocument;  // the open fails before the area's document is closed
    };
    const Case cases[] = {{missing, true}, {folder_, true}, {binary, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        messages_->shown.clear();
        if (window.documents().Path(EditArea::kSource).empty()) {
            fileNames_ = {kept};
            window.RunCommand(IDM_SOURCE_OPEN);
        }
        fileNames_ = {c.path};
        window.RunCommand(IDM_SOURCE_OPEN);
        ASSERT_EQ(messages_->shown.size(), 1u);
        EXPECT_NE(messages_->shown[0].text.find(c.path), std::string::npos) << messages_->shown[0].text;
        EXPECT_NE(window.documents().Path(EditArea::kSource), c.path);
        if (c.keepsDocument) {
            EXPECT_EQ(window.documents().Path(EditArea::kSource), kept);
            EXPECT_EQ(window.SourceText(), kGbkText);
        }
        EXPECT_EQ(window.StatusPaneText(0), "Ready");
    }
}

TEST_F(MainWindowTest, SavingOntoAReadOnlyFileKeepsTextAndFile) {
    MainWindow& window = Open();
    const std::string path = WriteSample("locked.txt", kGbkText);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    fileNames_ = {path};
    window.RunCommand(IDM_SOURCE_OPEN);
    ASSERT_EQ(window.documents().Path(EditArea::kSource), path);
    SendMessageW(window.Item(IDC_SOURCE_EDIT), EM_SETSEL, 0, 0);
    SendMessageW(window.Item(IDC_SOURCE_EDIT), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"new "));
    const std::string edited = window.SourceText();
    ASSERT_TRUE(window.documents().IsModified(EditArea::kSource));
    window.RunCommand(IDM_SOURCE_SAVE);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, ReplaceAll(LoadUiString(IDS_ERROR_FILE_READONLY), "#1", path));
    EXPECT_TRUE(window.documents().IsModified(EditArea::kSource));
    EXPECT_EQ(window.SourceText(), edited);
    EXPECT_EQ(FileBytes(path), kGbkText);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MainWindowTest, RepeatedTransferAsksBeforeReplacingTheEditedDestination) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, kGbkText);
    window.RunCommand(IDM_TRANSFER_G2B);
    const std::string first = window.DestinationText();
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(messages_->shown.empty());

    // The same conversion again: the unsaved result is the user's to keep or drop.
    Answer(kIdCancel);
    window.RunCommand(IDM_TRANSFER_G2B);
    EXPECT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(window.DestinationText(), first);
    Answer(kIdNo);
    window.RunCommand(IDM_TRANSFER_G2B);
    EXPECT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(window.DestinationText(), first);

    // Undo in the Destination area after a transfer does not bring back a mix of texts.
    window.RunCommand(IDM_DESTINATION_UNDO);
    const std::string afterUndo = window.DestinationText();
    EXPECT_TRUE(afterUndo == first || afterUndo.empty()) << afterUndo;
}

TEST_F(MainWindowTest, UiLanguageSwitchKeepsTheBytesOfBothAreas) {
    const std::string big5 = "\xB0\xEA\xAE\x61 Big5\r\n\xA4\xA4\xA4\xE5\x81";
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    window.SelectLanguage(EditArea::kDestination, kBig5LanguageIndex);
    window.SetAreaText(EditArea::kSource, kGbkText);
    window.SetAreaText(EditArea::kDestination, big5);
    for (int entry : {1, 2, 0, 2, 1, 0}) {
        SCOPED_TRACE(entry);
        window.RunCommand(IDM_UI_LANGUAGE_FIRST + entry);
        EXPECT_EQ(window.SourceText(), kGbkText);
        EXPECT_EQ(window.DestinationText(), big5);
        EXPECT_FALSE(window.documents().IsModified(EditArea::kSource));
    }
}

TEST_F(MainWindowTest, LargeGbkFileOpensConvertsAndSavesWhole) {
    const std::string line =
        "\xD6\xD0\xB9\xFA\xB5\xC4\xCA\xC7\xD4\xDA\xB2\xBB\xC8\xED\xBC\xFE\xB7\xA2\xD5\xB9 line\r\n";
    std::string text;
    while (text.size() < 5 * 1024 * 1024) text += line;
    const std::string path = WriteSample("big.txt", text);
    MainWindow& window = Open();
    auto start = std::chrono::steady_clock::now();
    fileNames_ = {path};
    window.RunCommand(IDM_SOURCE_OPEN);
    auto opened = std::chrono::steady_clock::now();
    ASSERT_EQ(window.documents().Path(EditArea::kSource), path);
    EXPECT_EQ(window.SourceText().size(), text.size());
    const std::string copy = JoinPath(folder_, "big-copy.txt");
    fileNames_ = {copy};
    Answer(kIdYes);
    window.RunCommand(IDM_SOURCE_SAVE_AS);
    auto saved = std::chrono::steady_clock::now();
    EXPECT_EQ(FileBytes(copy), text);
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    std::printf("5 MB: open %lld ms, save %lld ms\n",
                static_cast<long long>(duration_cast<milliseconds>(opened - start).count()),
                static_cast<long long>(duration_cast<milliseconds>(saved - opened).count()));
}

TEST_F(MainWindowTest, ClosingDuringALongTransferStopsItAndCloses) {
    std::string source;
    while (source.size() < 400000) source += kGbkText + "\r\n";
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, source);
    HWND main = window.hwnd();
    int pumps = 0;
    auto pump = window.conversionContext().control.pumpMessages;
    window.conversionContext().control.pumpMessages = [&] {
        if (++pumps == 3) PostMessageW(main, WM_CLOSE, 0, 0);
        pump();
    };
    window.RunCommand(IDM_TRANSFER_G2B);
    Pump(300);
    // Nothing was converted, so nothing new waits to be saved: the window has closed.
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_LT(pumps, 100);
    EXPECT_FALSE(IsWindow(main));
}

}  // namespace
}  // namespace zelvo
