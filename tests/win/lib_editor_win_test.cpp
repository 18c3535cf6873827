// The lib editor's windows over a real main window and a lib folder of the test's own: an
// item added through the Edit Item dialog reaches the lib file in its sorted place and the
// main window's conversions; a lib deleted and then cancelled leaves every file as it was;
// the refusals; the search; the words in the lib's own encoding on code page 1252; editing a
// lib as text; and the watch on the lib files.
#include <gtest/gtest.h>
#include <windows.h>
// The other system headers need the types of windows.h.
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/win/main_window.h"
#include "convert/win/lib_edit_dialog.h"
#include "convert/win/lib_manager_dialog.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "resources/resource.h"
#include "services/win/toolkit/list_view.h"
#include "services/win/toolkit/win_text.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/timed_steps.h"

namespace zelvo {
namespace {

// Big5 words of the custom G2B lib, and GBK ones of the custom B2G lib.
const std::string kBig5Chinese = "\xA4\xA4\xA4\xE5";             // 中文
const std::string kBig5Mandarin = "\xBA\x7E\xBB\x79";            // 漢語
const std::string kBig5Computer = "\xB9\x71\xB8\xA3";            // 電腦
const std::string kBig5Calculator = "\xAD\x70\xBA\xE2\xBE\xF7";  // 計算機
const std::string kBig5Test = "\xB4\xFA\xB8\xD5";                // 測試
const std::string kBig5Quiz = "\xB4\xFA\xC5\xE7";                // 測驗
const std::string kGbkTest = "\xB2\xE2\xCA\xD4";                 // 测试 in GBK
const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";              // 中文 in GBK
const std::string kGbkMandarin = "\xBA\xBA\xD3\xEF";             // 汉语 in GBK

const std::string kMineText = ";[T]Mine\r\n;my lib\r\n" + kBig5Chinese + "," + kBig5Mandarin + "\r\n" +
                              kBig5Computer + "," + kBig5Calculator;

class LibEditorTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The libs of this test: the shipped system libs, one custom lib per direction.
        ctwa_ = JoinPath(folder_, "ctwa");
        config_ = JoinPath(folder_, "config");
        for (const std::string& sub : {std::string(), std::string("custbig"), std::string("custgb")})
            CreateFolder(sub.empty() ? ctwa_ : JoinPath(ctwa_, sub));
        CreateFolder(config_);
        const std::string shipped = JoinPath(distFolder_, "ctwa");
        for (const char* name :
             {"basebig.txt", "basegb.txt", "pdafbig.txt", "pdafgb.txt", "ffbig.txt", "ffgb.txt"})
            ASSERT_TRUE(CopyFileBytes(JoinPath(shipped, name), JoinPath(ctwa_, name), false));
        mine_ = JoinPath(JoinPath(ctwa_, "custbig"), "mine.txt");
        ASSERT_TRUE(WriteFileBytes(mine_, kMineText));
        ours_ = JoinPath(JoinPath(ctwa_, "custgb"), "ours.txt");
        ASSERT_TRUE(WriteFileBytes(ours_, ";[T]Ours\r\n" + kGbkChinese + "," + kGbkMandarin));
        g2bSettings_ =
            "[PDAF_G2B]\r\nApply = true\r\n\r\n[FinalFix_G2B]\r\nApply = true\r\n\r\n[CUSLIB_G2B1]\r\nPath "
            "= " +
            mine_ + "\r\nApply = true\r\n";
        ASSERT_TRUE(WriteFileBytes(JoinPath(config_, "wag2b.ini"), g2bSettings_));
        ASSERT_TRUE(WriteFileBytes(JoinPath(config_, "wab2g.ini"),
                                   "[CUSLIB_B2G1]\r\nPath = " + ours_ + "\r\nApply = true\r\n"));
        app_.ctwaFolder = ctwa_;
        app_.configFolder = config_;
        WriteRegInt(kLibEditorSection, kStartG2bKey, 1);
    }

    LibFolders Folders() const { return {ctwa_, config_}; }

    // Both lists as the lib editor holds them, every item loaded.
    void LoadBothLists(WordAdjustmentLibList& g2b, WordAdjustmentLibList& b2g) const {
        LoadLibList(g2b, true, true, Folders());
        LoadLibList(b2g, false, true, Folders());
    }

    std::string FileBytes(const std::string& path) const {
        std::string bytes;
        ReadFileBytes(path, bytes);
        return bytes;
    }

    std::string ConvertG2b(MainWindow& window, const std::string& gbk) {
        window.SetAreaText(EditArea::kSource, gbk);
        window.RunCommand(IDM_TRANSFER_G2B);
        return window.DestinationText();
    }

    std::string ctwa_, config_, mine_, ours_, g2bSettings_;
};

std::vector<std::string> Titles(const WordAdjustmentLibList& list) {
    std::vector<std::string> titles;
    for (const auto& lib : list) titles.push_back(lib->title);
    return titles;
}

void PostCommand(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void SendCommand(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void SelectListRow(HWND dialog, int listId, int row) {
    ListView list;
    ASSERT_TRUE(list.Attach(dialog, listId));
    list.SelectRow(row);
}

int ListRows(HWND dialog, int listId) {
    return static_cast<int>(SendDlgItemMessageW(dialog, listId, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ListCell(HWND dialog, int listId, int row, int column) {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendDlgItemMessageW(dialog, listId, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

std::wstring WideText(HWND dialog, int id) {
    return GetWindowTextWide(GetDlgItem(dialog, id));
}

// Rows of dialog 281 with one custom lib: base, phrase difference, separator, the custom
// lib, separator, final fix.
constexpr int kCustomLibRow = 3;

TEST_F(LibEditorTest, AnItemAddedThroughTheDialogsIsSavedInSortedPlaceAndConvertsInTheMainWindow) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kDestination, 0);
    // Before: the characters are converted one by one and no lib changes the word.
    ASSERT_EQ(ConvertG2b(window, kGbkTest), kBig5Test);
    const int appliedBefore = window.conversionContext().g2bAppliedTotal;

    int rowsAfterAdd = 0, selectedAfterAdd = -1;
    std::wstring statisticsAfterAdd, beforeShown;
    TimedSteps steps(
        {{L"Advanced Word Adjustment",
          [](HWND box) {
              SelectListRow(box, IDC_WA_LIST, kCustomLibRow);
              PostCommand(box, IDC_WA_EDIT);
          }},
         {L"Edit Word Adjustment Lib - Mine", [](HWND box) { PostCommand(box, IDC_WAI_ADD_ITEM); }},
         {L"Add a Word",
          [](HWND box) {
              // Typed as the user types them: characters, which the lib keeps as Big5.
              SetWindowTextW(GetDlgItem(box, IDC_ITEM_BEFORE), L" \x6E2C\x8A66 ");
              SetWindowTextW(GetDlgItem(box, IDC_ITEM_AFTER), L"\x6E2C\x9A57");
              PostCommand(box, IDOK);
          }},
         {L"Edit Word Adjustment Lib - Mine",
          [&](HWND box) {
              rowsAfterAdd = ListRows(box, IDC_WAI_LIST);
              selectedAfterAdd = static_cast<int>(SendDlgItemMessageW(
                  box, IDC_WAI_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
              statisticsAfterAdd = WideText(box, IDC_WAI_STATISTICS);
              beforeShown = WideText(box, IDC_WAI_BEFORE);
              PostCommand(box, IDOK);
          }},
         {L"Advanced Word Adjustment", [](HWND box) { PostCommand(box, IDOK); }}},
        [](HWND box) { PostCommand(box, IDCANCEL); });
    window.RunCommand(IDM_WORD_ADJUSTMENT);
    ASSERT_FALSE(steps.timedOut());
    ASSERT_EQ(steps.stepsRun(), 5u);
    EXPECT_TRUE(messages_->shown.empty());

    // The new item is the second of three, selected and shown below the list.
    EXPECT_EQ(rowsAfterAdd, 3);
    EXPECT_EQ(selectedAfterAdd, 1);
    EXPECT_EQ(statisticsAfterAdd, L"Current 3 / Total 3");
    EXPECT_EQ(beforeShown, L"\x6E2C\x8A66");
    EXPECT_EQ(FileBytes(mine_), ";[T]Mine\r\n;my lib\r\n" + kBig5Chinese + "," + kBig5Mandarin + "\r\n" +
                                    kBig5Test + "," + kBig5Quiz + "\r\n" + kBig5Computer + "," +
                                    kBig5Calculator);
    EXPECT_EQ(window.conversionContext().g2bAppliedTotal, appliedBefore + 1);
    Answer(kIdNo);  // the Destination text of the first conversion is not saved
    EXPECT_EQ(ConvertG2b(window, kGbkTest), kBig5Quiz);
}

TEST_F(LibEditorTest, DeletingACustomLibThenCancelLeavesFilesAndListsAsTheyWere) {
    MainWindow& window = Open();
    const std::vector<std::string> titles = Titles(window.LibList(true));
    ASSERT_EQ(titles.size(), 4u);
    ASSERT_EQ(titles[2], "Mine");
    int rowsAfterDelete = 0;
    std::wstring shownDescription;
    TimedSteps steps({{L"Advanced Word Adjustment",
                       [&](HWND box) {
                           SelectListRow(box, IDC_WA_LIST, kCustomLibRow);
                           shownDescription = WideText(box, IDC_WA_DESCRIPTION);
                           SendCommand(box, IDC_WA_DELETE);  // the scripted answer is Yes
                           rowsAfterDelete = ListRows(box, IDC_WA_LIST);
                           PostCommand(box, IDCANCEL);
                       }}},
                     [](HWND box) { PostCommand(box, IDCANCEL); });
    Answer(kIdYes);
    window.RunCommand(IDM_WORD_ADJUSTMENT);
    ASSERT_FALSE(steps.timedOut());
    EXPECT_EQ(shownDescription, L"my lib");
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "You are about to delete currently selected Mine, are you sure?");
    // Gone from the dialog's list (with both separator rows)...
    EXPECT_EQ(rowsAfterDelete, 3);
    // ...but not from the disk or the main window.
    EXPECT_EQ(FileBytes(mine_), kMineText);
    EXPECT_EQ(FileBytes(JoinPath(config_, "wag2b.ini")), g2bSettings_);
    EXPECT_EQ(Titles(window.LibList(true)), titles);
    EXPECT_EQ(ReadRegInt(kLibEditorSection, kStartG2bKey, -1), 1);
}

TEST_F(LibEditorTest, TheMainWindowsLibEditorMergesAndChecksThroughItsOwnWindows) {
    // The custom lib holds one pair twice: the complete check reports it. The start-up
    // check would find it too, and is off so that its warning does not come first.
    ASSERT_TRUE(WriteFileBytes(mine_, kMineText + "\r\n" + kBig5Computer + "," + kBig5Calculator));
    WriteRegInt("CTWA", "Check WD", 0);
    MainWindow& window = Open();
    bool mergeEnabled = false, checkEnabled = false, mergeDialogShown = false;
    TimedSteps steps({{L"Advanced Word Adjustment",
                       [&](HWND box) {
                           mergeEnabled = Enabled(box, IDC_WA_MERGE);
                           checkEnabled = Enabled(box, IDC_WA_CHECK_ALL);
                           PostCommand(box, IDC_WA_MERGE);
                       }},
                      {L"Merge Word Adjustment Libs",
                       [&](HWND box) {
                           mergeDialogShown = true;
                           PostCommand(box, IDCANCEL);
                       }},
                      {L"Advanced Word Adjustment",
                       [](HWND box) {
                           SendCommand(box, IDC_WA_CHECK_ALL);
                       }},
                      {L"Advanced Word Adjustment", [](HWND box) { PostCommand(box, IDCANCEL); }}},
                     [](HWND box) { PostCommand(box, IDCANCEL); });
    window.RunCommand(IDM_WORD_ADJUSTMENT);
    ASSERT_FALSE(steps.timedOut()) << steps.stepsRun() << " steps ran";
    EXPECT_TRUE(mergeEnabled);
    EXPECT_TRUE(checkEnabled);
    EXPECT_TRUE(mergeDialogShown);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_NE(messages_->shown[0].text.find("Mine"), std::string::npos) << messages_->shown[0].text;
    EXPECT_NE(messages_->shown[0].details.find(kBig5Computer), std::string::npos);
    EXPECT_EQ(messages_->shown[0].detailsCodePage, 950);
}

TEST_F(LibEditorTest, SystemLibsCannotBeDeletedAndAnExistingWordIsRefused) {
    MainWindow& window = Open();
    WordAdjustmentLibList g2b, b2g;
    LoadBothLists(g2b, b2g);
    LibManagerHooks hooks;
    LibManagerDialog manager(g2b, b2g, Folders(), hooks);
    ASSERT_TRUE(manager.CreateModeless(window.hwnd()));
    HWND box = manager.hwnd();
    ASSERT_EQ(ListRows(box, IDC_WA_LIST), 6);
    for (int row : {0, 1, 5}) {
        SelectListRow(box, IDC_WA_LIST, row);
        EXPECT_FALSE(Enabled(box, IDC_WA_DELETE)) << "row " << row;
        EXPECT_TRUE(Enabled(box, IDC_WA_EDIT)) << "row " << row;
        SendCommand(box, IDC_WA_DELETE);  // even when the command comes
    }
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_EQ(g2b.size(), 4u);
    // No hooks: merge and the checks are disabled.
    EXPECT_FALSE(Enabled(box, IDC_WA_MERGE));
    EXPECT_FALSE(Enabled(box, IDC_WA_CHECK_ALL));
    // The custom lib, alone among the custom libs, moves neither way.
    SelectListRow(box, IDC_WA_LIST, kCustomLibRow);
    EXPECT_TRUE(Enabled(box, IDC_WA_DELETE));
    EXPECT_FALSE(Enabled(box, IDC_WA_MOVE_UP));
    EXPECT_FALSE(Enabled(box, IDC_WA_MOVE_DOWN));
    SendCommand(box, IDC_WA_MOVE_UP);
    EXPECT_EQ(g2b[2]->title, "Mine");

    {
        // The base lib keeps its title, file and place in word adjustment.
        LibEditDialog base(g2b, 0, Folders(), LibTextEditing{});
        ASSERT_TRUE(base.CreateModeless(window.hwnd()));
        EXPECT_EQ(WideText(base.hwnd(), IDC_WAI_TITLE), L"Base Lib (GBK->Big5)");
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(base.hwnd(), IDC_WAI_TITLE), GWL_STYLE) & ES_READONLY);
        EXPECT_FALSE(Enabled(base.hwnd(), IDC_WAI_APPLY));
        EXPECT_FALSE(Enabled(base.hwnd(), IDC_WAI_PATH));
        EXPECT_EQ(SendDlgItemMessageW(base.hwnd(), IDC_WAI_SYSTEM_LIB, BM_GETCHECK, 0, 0), BST_CHECKED);
        SendCommand(base.hwnd(), IDOK);
        EXPECT_TRUE(g2b[0]->apply);
        EXPECT_EQ(g2b[0]->path, JoinPath(ctwa_, "basebig.txt"));
    }
    LibEditDialog edit(g2b, 2, Folders(), LibTextEditing{});
    ASSERT_TRUE(edit.CreateModeless(window.hwnd()));
    HWND editBox = edit.hwnd();
    {
        // 中文 is there already, with 漢語: another word after adjustment does not make it new.
        TimedSteps steps(L"Add a Word", {[](HWND item) {
                             SetWindowTextW(GetDlgItem(item, IDC_ITEM_BEFORE), L"\x4E2D\x6587");
                             SetWindowTextW(GetDlgItem(item, IDC_ITEM_AFTER), L"\x570B\x8A9E");
                             PostCommand(item, IDOK);
                         }});
        SendCommand(editBox, IDC_WAI_ADD_ITEM);
        ASSERT_FALSE(steps.timedOut());
    }
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].caption, "Addition failed");
    EXPECT_EQ(messages_->shown[0].text, "Word before adjustment already exists.");
    EXPECT_EQ(edit.lib().wordsBefore, (std::vector<std::string>{kBig5Chinese, kBig5Computer}));
    EXPECT_EQ(edit.lib().wordsAfter, (std::vector<std::string>{kBig5Mandarin, kBig5Calculator}));
    {
        TimedSteps steps(L"Add a Word", {[](HWND item) {
                             SetWindowTextW(GetDlgItem(item, IDC_ITEM_BEFORE), L"\x6E2C\x8A66");
                             SetWindowTextW(GetDlgItem(item, IDC_ITEM_AFTER), L"\x6E2C\x8A66");
                             PostCommand(item, IDOK);
                         }});
        SendCommand(editBox, IDC_WAI_ADD_ITEM);
    }
    ASSERT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(messages_->shown[1].text, "Word before adjustment can't be the same as word after adjustment.");
    EXPECT_EQ(ListRows(editBox, IDC_WAI_LIST), 2);
    SendCommand(editBox, IDCANCEL);
    SendCommand(box, IDCANCEL);
}

TEST_F(LibEditorTest, SearchingAllWordsForOneCharacterFindsItOnEitherSide) {
    // 中文 -> 漢語, 中華 -> 中國, 國語 -> 漢語, 電腦 -> 計算機: 國 is a word after adjustment
    // in one item and a word before adjustment in another.
    const std::string guo = "\xB0\xEA";  // 國
    ASSERT_TRUE(WriteFileBytes(mine_, ";[T]Mine\r\n" + kBig5Chinese + "," + kBig5Mandarin +
                                          "\r\n\xA4\xA4\xB5\xD8,\xA4\xA4" + guo + "\r\n" + kBig5Computer +
                                          "," + kBig5Calculator + "\r\n" + guo + "\xBB\x79," +
                                          kBig5Mandarin));
    MainWindow& window = Open();
    WordAdjustmentLibList g2b;
    LoadLibList(g2b, true, true, Folders());
    ASSERT_EQ(g2b[2]->wordsBefore.size(), 4u);
    WriteRegInt(kLibEditorSection, kSearchOptionKey, 0);
    LibEditDialog edit(g2b, 2, Folders(), LibTextEditing{});
    ASSERT_TRUE(edit.CreateModeless(window.hwnd()));
    HWND box = edit.hwnd();
    // The stored option (words before adjustment) is chosen when the dialog opens.
    EXPECT_EQ(SendDlgItemMessageW(box, IDC_WAI_SEARCH_IN, CB_GETCURSEL, 0, 0), 0);
    SendDlgItemMessageW(box, IDC_WAI_SEARCH_IN, CB_SETCURSEL, 2, 0);
    SetWindowTextW(GetDlgItem(box, IDC_WAI_SEARCH_WORD), L"\x570B");  // 國
    SendCommand(box, IDC_WAI_SEARCH_NOW);
    // In the lib's order (Big5 bytes): 中文, 中華, 國語, 電腦.
    std::vector<std::wstring> shown;
    for (int row = 0; row < ListRows(box, IDC_WAI_LIST); ++row)
        shown.push_back(ListCell(box, IDC_WAI_LIST, row, 0));
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"\x4E2D\x83EF", L"\x570B\x8A9E"}));
    EXPECT_EQ(WideText(box, IDC_WAI_STATISTICS), L"Current 2 / Total 4");
    // Only words after adjustment: 中華 -> 中國.
    SendDlgItemMessageW(box, IDC_WAI_SEARCH_IN, CB_SETCURSEL, 1, 0);
    SendCommand(box, IDC_WAI_SEARCH_NOW);
    ASSERT_EQ(ListRows(box, IDC_WAI_LIST), 1);
    EXPECT_EQ(ListCell(box, IDC_WAI_LIST, 0, 0), L"\x4E2D\x83EF");
    SendCommand(box, IDC_WAI_SHOW_ALL);
    EXPECT_EQ(ListRows(box, IDC_WAI_LIST), 4);
    EXPECT_EQ(WideText(box, IDC_WAI_STATISTICS), L"Current 4 / Total 4");
    SendCommand(box, IDCANCEL);
    EXPECT_EQ(ReadRegInt(kLibEditorSection, kSearchOptionKey, -1), 1);
}

TEST_F(LibEditorTest, WordsShowInTheLibsEncodingUnderTheEnglishUiOnCodePage1252) {
    ASSERT_EQ(GetACP(), 1252u);
    ASSERT_EQ(UiCodePage(), 1252);
    MainWindow& window = Open();
    WordAdjustmentLibList g2b, b2g;
    LoadBothLists(g2b, b2g);
    for (bool big5 : {true, false}) {
        LibEditDialog edit(big5 ? g2b : b2g, 2, Folders(), LibTextEditing{});
        ASSERT_TRUE(edit.CreateModeless(window.hwnd()));
        HWND box = edit.hwnd();
        EXPECT_EQ(ListCell(box, IDC_WAI_LIST, 0, 0), L"\x4E2D\x6587");
        EXPECT_EQ(ListCell(box, IDC_WAI_LIST, 0, 1), big5 ? L"\x6F22\x8A9E" : L"\x6C49\x8BED");
        SelectListRow(box, IDC_WAI_LIST, 0);
        EXPECT_EQ(WideText(box, IDC_WAI_BEFORE), L"\x4E2D\x6587");
        EXPECT_EQ(WideText(box, IDC_WAI_AFTER), big5 ? L"\x6F22\x8A9E" : L"\x6C49\x8BED");
        EXPECT_EQ(SendDlgItemMessageW(box, big5 ? IDC_WAI_BIG5_LIB : IDC_WAI_GBK_LIB, BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        // The word controls draw with a font of the lib's character set.
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(box, IDC_WAI_BEFORE, WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfCharSet, big5 ? CHINESEBIG5_CHARSET : GB2312_CHARSET);
        SendCommand(box, IDCANCEL);
    }
}

TEST_F(LibEditorTest, EditAsTextStartsAnInstanceOnTheLibsTextAndReadsTheChangedFileOnYes) {
    MainWindow& window = Open();
    WordAdjustmentLibList g2b;
    LoadLibList(g2b, true, true, Folders());
    std::string program, parameters;
    LibTextEditing textEditing{"C:\\zelvo\\zelvo.exe", folder_,
                               [&](const std::string& p, const std::string& q) {
                                   program = p;
                                   parameters = q;
                                   return true;
                               }};
    LibEditDialog edit(g2b, 2, Folders(), textEditing);
    ASSERT_TRUE(edit.CreateModeless(window.hwnd()));
    SendCommand(edit.hwnd(), IDC_WAI_EDIT_AS_TEXT);
    const std::string file = edit.textFile();
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(program, "C:\\zelvo\\zelvo.exe");
    EXPECT_EQ(parameters, "\"[l]3[p]" + file + "\"");
    EXPECT_EQ(FileBytes(file), kMineText);

    edit.CheckTextFile();  // unchanged: nothing asked
    EXPECT_TRUE(messages_->shown.empty());
    ASSERT_TRUE(WriteFileBytes(file, ";[T]Renamed\r\n" + kBig5Test + "," + kBig5Quiz));
    FileTimes times;
    ASSERT_TRUE(GetFileTimes(file, times));
    ASSERT_TRUE(SetFileModifiedTime(file, times.modified + 5));
    Answer(kIdYes);
    edit.CheckTextFile();
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(
        messages_->shown[0].text,
        "The text of this lib has been changed in the editor. Will you read the lib again from the changed "
        "text?");
    EXPECT_EQ(edit.lib().wordsBefore, std::vector<std::string>{kBig5Test});
    EXPECT_EQ(edit.lib().title, "Renamed");
    EXPECT_EQ(WideText(edit.hwnd(), IDC_WAI_TITLE), L"Renamed");
    EXPECT_EQ(ListRows(edit.hwnd(), IDC_WAI_LIST), 1);
    edit.CheckTextFile();  // the same change is not asked about twice
    EXPECT_EQ(messages_->shown.size(), 1u);

    SendCommand(edit.hwnd(), IDOK);
    EXPECT_EQ(g2b[2]->title, "Renamed");
    EXPECT_EQ(g2b[2]->wordsAfter, std::vector<std::string>{kBig5Quiz});
}

TEST_F(LibEditorTest, ALibFileChangedWhileTheDialogIsOpenIsReadAgainOnYes) {
    MainWindow& window = Open();
    WordAdjustmentLibList g2b, b2g;
    LoadBothLists(g2b, b2g);
    LibManagerHooks hooks;
    LibManagerDialog manager(g2b, b2g, Folders(), hooks);
    ASSERT_TRUE(manager.CreateModeless(window.hwnd()));
    manager.CheckLibFiles();
    EXPECT_TRUE(messages_->shown.empty());

    ASSERT_TRUE(WriteFileBytes(ours_, ";[T]Ours\r\n" + kGbkTest + "," + kGbkChinese));
    ASSERT_TRUE(SetFileModifiedTime(ours_, b2g[2]->fileTime + 5));
    Answer(kIdYes);
    manager.CheckLibFiles();
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text,
              "The file of lib \"Ours\" (" + ours_ +
                  ") has been changed outside the lib editor. Will you read the lib "
                  "again from the file?");
    EXPECT_EQ(b2g[2]->wordsBefore, std::vector<std::string>{kGbkTest});
    manager.CheckLibFiles();
    EXPECT_EQ(messages_->shown.size(), 1u);
    SendCommand(manager.hwnd(), IDCANCEL);
}

TEST_F(LibEditorTest, AFileTheMergeWroteOverALibOfTheListIsReadAgainOnYes) {
    MainWindow& window = Open();
    WordAdjustmentLibList g2b, b2g;
    LoadBothLists(g2b, b2g);
    bool mergeShownG2b = false;
    LibManagerHooks hooks;
    hooks.merge = [&](HWND, bool g2bShown) {
        mergeShownG2b = g2bShown;
        WriteFileBytes(mine_, ";[T]Merged\r\n" + kBig5Test + "," + kBig5Quiz);
        // Written under another case of the same path, and a file of no lib.
        std::string upper = mine_;
        for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        return std::vector<std::string>{upper, JoinPath(folder_, "elsewhere.txt")};
    };
    LibManagerDialog manager(g2b, b2g, Folders(), hooks);
    ASSERT_TRUE(manager.CreateModeless(window.hwnd()));
    EXPECT_TRUE(Enabled(manager.hwnd(), IDC_WA_MERGE));
    Answer(kIdYes);
    SendCommand(manager.hwnd(), IDC_WA_MERGE);
    EXPECT_TRUE(mergeShownG2b);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, "The file of lib \"Mine\" (" + mine_ +
                                            ") has been changed by the mergence. Will you update the lib's "
                                            "data from the changed file?\r\n\r\n"
                                            "If you click \"No\", the data in memory is kept and will "
                                            "overwrite the file when the libs are saved.");
    EXPECT_EQ(g2b[2]->title, "Merged");
    EXPECT_EQ(g2b[2]->wordsBefore, std::vector<std::string>{kBig5Test});
    // The watch on the lib files does not ask about the merge's change again.
    manager.CheckLibFiles();
    EXPECT_EQ(messages_->shown.size(), 1u);

    // No keeps the lib as it is in memory.
    hooks.merge = [&](HWND, bool) {
        WriteFileBytes(mine_, kMineText);
        return std::vector<std::string>{mine_};
    };
    Answer(kIdNo);
    SendCommand(manager.hwnd(), IDC_WA_MERGE);
    ASSERT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(g2b[2]->title, "Merged");
    SendCommand(manager.hwnd(), IDCANCEL);
}

TEST_F(LibEditorTest, StartG2bChoosesTheListShownFirstAndKeepsTheOneShownLast) {
    MainWindow& window = Open();
    WordAdjustmentLibList g2b, b2g;
    LoadBothLists(g2b, b2g);
    WriteRegInt(kLibEditorSection, kStartG2bKey, 0);
    LibManagerHooks hooks;
    {
        LibManagerDialog manager(g2b, b2g, Folders(), hooks);
        ASSERT_TRUE(manager.CreateModeless(window.hwnd()));
        EXPECT_EQ(SendDlgItemMessageW(manager.hwnd(), IDC_WA_GBK_LIBS, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(ListCell(manager.hwnd(), IDC_WA_LIST, kCustomLibRow, 0), L"Ours");
        SendCommand(manager.hwnd(), IDC_WA_BIG5_LIBS);
        EXPECT_EQ(ListCell(manager.hwnd(), IDC_WA_LIST, kCustomLibRow, 0), L"Mine");
        EXPECT_EQ(ListCell(manager.hwnd(), IDC_WA_LIST, 0, 0), L"Base Lib (GBK->Big5)");
        EXPECT_EQ(ListCell(manager.hwnd(), IDC_WA_LIST, kCustomLibRow, 1), L"Yes");
        SendCommand(manager.hwnd(), IDOK);
    }
    EXPECT_EQ(ReadRegInt(kLibEditorSection, kStartG2bKey, -1), 1);
}

TEST_F(LibEditorTest, AGbkFileImportedIntoTheBig5ListCanGoToTheGbkListInstead) {
    // The shipped phrase difference lib of the GBK list: plenty of GBK words to tell by.
    const std::string imported = JoinPath(folder_, "phrases.txt");
    ASSERT_TRUE(CopyFileBytes(JoinPath(ctwa_, "pdafgb.txt"), imported, false));
    MainWindow& window = Open();
    WordAdjustmentLibList g2b, b2g;
    LoadBothLists(g2b, b2g);
    LibManagerHooks hooks;
    std::string startFolder;
    hooks.askLibFile = [&](HWND, const std::string& initialFolder, std::string& path) {
        startFolder = initialFolder;
        path = imported;
        return true;
    };
    LibManagerDialog manager(g2b, b2g, Folders(), hooks);
    ASSERT_TRUE(manager.CreateModeless(window.hwnd()));
    ASSERT_TRUE(manager.g2bShown());
    messages_->answers.push_back(MessageAnswer{kIdOk, true, "1"});  // import a file
    messages_->answers.push_back(MessageAnswer{kIdOk, true, "2"});  // into the GBK list
    SendCommand(manager.hwnd(), IDC_WA_ADD);
    ASSERT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(messages_->shown[0].text.substr(0, 29), "How will you add the new lib?");
    EXPECT_EQ(messages_->shown[1].text.substr(0, 28 + imported.size()),
              "File \"" + imported + "\" looks like a GBK lib");
    EXPECT_EQ(startFolder, JoinPath(ctwa_, "custbig"));
    EXPECT_EQ(g2b.size(), 4u);
    ASSERT_EQ(b2g.size(), 5u);
    EXPECT_EQ(b2g[3]->path, imported);
    EXPECT_TRUE(b2g[3]->apply);
    EXPECT_EQ(b2g[4]->kind, 5);  // the final fix lib stays last
    EXPECT_FALSE(manager.g2bShown());
    EXPECT_EQ(SendDlgItemMessageW(manager.hwnd(), IDC_WA_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                  LVNI_SELECTED),
              manager.RowOfLib(3));
    // The same file again is refused.
    messages_->answers.push_back(MessageAnswer{kIdOk, true, "1"});
    SendCommand(manager.hwnd(), IDC_WA_ADD);
    ASSERT_EQ(messages_->shown.size(), 4u);
    EXPECT_EQ(messages_->shown[3].text, "This lib already exists in the lib list, no need to add it again.");
    EXPECT_EQ(b2g.size(), 5u);
    SendCommand(manager.hwnd(), IDCANCEL);
}

}  // namespace
}  // namespace zelvo
