// The main window's documents driven by its commands: opening through the file question,
// saving as, the modified flag and the save questions on closing, recent entries and
// dropped files.
#include <shlobj.h>
#include <windows.h>

#include "app/language_table.h"
#include "app/recent_files.h"
#include "convert/pipeline.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

// "國家" in Big5.
const std::string kBig5Text = "\xB0\xEA\xAE\x61 Big5\r\n";

TEST_F(MainWindowTest, OpenCommandReadsTheFileAndSaveAsWritesTheSameBytes) {
    std::string gbkPath = WriteSample("open-me.txt", kGbkText + "\r\n\xB5\xC4\xCA\xC7\xD4\xDA\xB2\xBB");
    std::string expected;
    ASSERT_TRUE(ReadFileBytes(gbkPath, expected));
    MainWindow& window = Open();
    fileNames_ = {gbkPath};
    window.RunCommand(IDM_SOURCE_OPEN);
    EXPECT_EQ(openQuestions_, 1);
    EXPECT_EQ(window.SourceText(), expected);
    EXPECT_EQ(window.documents().Path(EditArea::kSource), gbkPath);
    EXPECT_FALSE(window.documents().IsModified(EditArea::kSource));
    EXPECT_EQ(window.sourceLanguageIndex(), kGbkLanguageIndex);
    wchar_t title[512] = {};
    GetWindowTextW(window.hwnd(), title, 512);
    EXPECT_EQ(std::wstring(title), L"Zelvo - " + WidenWithSystemCodePage(gbkPath));
    std::vector<std::string> recent = ReadRecentFiles(EditArea::kSource);
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(recent.front(), gbkPath);

    // A Big5 text in the Destination area saved under a new name keeps its bytes.
    window.SelectLanguage(EditArea::kDestination, kBig5LanguageIndex);
    window.SetDestinationText(kBig5Text);
    EXPECT_TRUE(window.documents().IsModified(EditArea::kDestination));
    std::string big5Path = JoinPath(folder_, "saved-big5");
    fileNames_ = {big5Path};
    Answer(kIdYes);  // "File ... does not exist, will you create it?"
    window.RunCommand(IDM_DESTINATION_SAVE_AS);
    std::string written;
    ASSERT_TRUE(ReadFileBytes(big5Path + ".txt", written));
    EXPECT_EQ(written, kBig5Text);
    EXPECT_FALSE(window.documents().IsModified(EditArea::kDestination));
    EXPECT_EQ(window.documents().Path(EditArea::kDestination), big5Path + ".txt");
}

TEST_F(MainWindowTest, ClosingAsksToSaveEachModifiedAreaAndCancelStaysOpen) {
    MainWindow& window = Open();
    SendMessageW(window.Item(IDC_SOURCE_EDIT), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(L"unsaved words"));
    ASSERT_TRUE(window.documents().IsModified(EditArea::kSource));
    Answer(kIdCancel);
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, LoadUiString(IDS_DIALOG_ZELVO_PROMPT_SAVE_SOURCE));
    EXPECT_EQ(messages_->shown[0].style & 0xF, static_cast<unsigned>(kMbYesNoCancel));

    // Escape is the same close; Yes saves through the file question first.
    std::string path = JoinPath(folder_, "kept");
    fileNames_ = {path};
    Answer(kIdYes);
    SendMessageW(window.hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(window.hwnd(), nullptr);
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(path + ".txt", saved));
    EXPECT_EQ(saved, "unsaved words");
}

TEST_F(MainWindowTest, RefusingToSaveTheDestinationAlsoKeepsTheWindow) {
    MainWindow& window = Open();
    window.SetDestinationText("result of a transfer");
    Answer(kIdCancel);
    window.RunCommand(IDM_EXIT);
    EXPECT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, LoadUiString(IDS_DIALOG_ZELVO_PROMPT_SAVE_DESTINATION));
    Answer(kIdNo);
    window.RunCommand(IDM_EXIT);
    EXPECT_EQ(window.hwnd(), nullptr);
}

TEST_F(MainWindowTest, RecentEntryOfADeletedFileIsRemovedWhenChosen) {
    std::string first = WriteSample("first.txt", "first");
    std::string second = WriteSample("second.txt", "second");
    MainWindow& window = Open();
    window.documents().OpenFile(first, EditArea::kSource);
    window.documents().OpenFile(second, EditArea::kSource);

    HMENU file = GetSubMenu(GetMenu(window.hwnd()), 0);
    SendMessageW(window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    wchar_t label[512] = {};
    ASSERT_GT(GetMenuStringW(file, IDM_SOURCE_RECENT_FIRST + 1, label, 512, MF_BYCOMMAND), 0);
    EXPECT_EQ(std::wstring(label), L"&2: " + WidenWithSystemCodePage(first));

    ASSERT_TRUE(RemoveFile(first));
    window.RunCommand(IDM_SOURCE_RECENT_FIRST + 1);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, ReplaceAll(LoadUiString(IDS_ERROR_FILE_FILE_NOT_EXIST), "#1", first));
    EXPECT_EQ(ReadRecentFiles(EditArea::kSource), std::vector<std::string>{second});
    EXPECT_EQ(window.SourceText(), "second");
}

// A drop of files as Explorer makes it: the first existing file goes to the area under the
// cursor.
HDROP MakeDrop(const std::vector<std::wstring>& files, POINT point) {
    size_t chars = 1;
    for (const std::wstring& file : files) chars += file.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const std::wstring& file : files) {
        memcpy(names, file.c_str(), (file.size() + 1) * sizeof(wchar_t));
        names += file.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(MainWindowTest, DroppedFileOpensInTheAreaUnderTheCursor) {
    std::string path = WriteSample("dropped.txt", "dropped text");
    MainWindow& window = Open();
    RECT destination = ClientRect(window.Item(IDC_DESTINATION_EDIT));
    POINT below{20, destination.top + 10};
    HDROP drop = MakeDrop({L"C:\\no\\such\\file.txt", WidenWithSystemCodePage(path)}, below);
    SendMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(window.DestinationText(), "dropped text");
    EXPECT_EQ(window.SourceText(), "");

    RECT source = ClientRect(window.Item(IDC_SOURCE_EDIT));
    drop = MakeDrop({WidenWithSystemCodePage(path)}, POINT{20, source.top + 5});
    SendMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(window.SourceText(), "dropped text");
}

}  // namespace
}  // namespace zelvo
