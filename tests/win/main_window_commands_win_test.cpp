// Commands of the main window that talk to the user or to other instances: What's This,
// Exit All, New, and the offer of a language pack for an area's language.
#include <windows.h>

#include "app/language_table.h"
#include "app/win/instances.h"
#include "services/system_language.h"
#include "services/win/system_language_win.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

TEST_F(MainWindowTest, WhatsThisExplainsSimplifiedAndTraditionalWithinGbk) {
    MainWindow& window = Open();
    window.RunCommand(IDM_WHATS_THIS);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, LoadUiString(IDS_DIALOG_ZELVO_PROMPT_GBK_S_VS_T_EXPLANATION));
    EXPECT_FALSE(messages_->shown[0].text.empty());
}

TEST_F(MainWindowTest, NewStartsTheProgramFromItsFolder) {
    MainWindow& window = Open();
    std::string started, folder;
    window.SetProcessStarter([&](const std::string& program, const std::string& workingFolder) {
        started = program;
        folder = workingFolder;
        return true;
    });
    window.RunCommand(IDM_NEW);
    EXPECT_EQ(started, app_.programFile);
    EXPECT_EQ(folder, app_.appFolder);
}

TEST_F(MainWindowTest, ExitAllAsksThenClosesEveryMainWindow) {
    MainWindow& window = Open();
    MainWindow other(app_);
    ASSERT_TRUE(other.CreateModeless(nullptr));
    ShowWindow(other.hwnd(), SW_SHOWNOACTIVATE);
    ASSERT_EQ(CountInstances(false), 2);

    // Cancel leaves both open.
    Answer(kIdCancel);
    window.RunCommand(IDM_EXIT_ALL);
    Pump(100);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].text, LoadUiString(IDS_MESSAGE_PROMPT_EXIT_ALL, "Zelvo"));
    EXPECT_NE(window.hwnd(), nullptr);
    EXPECT_NE(other.hwnd(), nullptr);

    Answer(kIdOk);
    window.RunCommand(IDM_EXIT_ALL);
    Pump(100);
    EXPECT_EQ(window.hwnd(), nullptr);
    EXPECT_EQ(other.hwnd(), nullptr);
    EXPECT_EQ(CountInstances(false), 0);
}

TEST_F(MainWindowTest, ExitAllAloneClosesWithoutAsking) {
    MainWindow& window = Open();
    window.RunCommand(IDM_EXIT_ALL);
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_EQ(window.hwnd(), nullptr);
}

// A row whose character set has no font on this system and a language pack to offer, or
// -1 when the system can show them all.
int RowWithoutFont() {
    for (int index = 0; index < LanguageCount(); ++index) {
        int charset = LanguageRowAt(index).charset;
        LanguagePack pack;
        if (!SystemHasFontOfCharset(charset) && LanguagePackFor(charset, pack)) return index;
    }
    return -1;
}

// The language support pack each character set is offered with, as the English UI names it.
std::string PackLanguageOf(int charset) {
    switch (charset) {
        case 178: return "Arabic";
        case 177: return "Hebrew";
        case 128: return "Japanese";
        case 129: return "Korean";
        case 161: case 162: case 186: case 204: case 238: return "Pan-European";
        case 134: return "Simplified Chinese";
        case 222: return "Thai";
        case 136: return "Traditional Chinese";
        case 163: return "Vietnamese";
        default: return "";
    }
}

TEST_F(MainWindowTest, LanguageWithoutAFontOffersItsPackOncePerRun) {
    int index = RowWithoutFont();
    if (index < 0) GTEST_SKIP() << "every character set of the table has a font here";
    int charset = LanguageRowAt(index).charset;
    MainWindow& window = Open();
    // The user clears "Show this message next time" and says No.
    messages_->answers.push_back(MessageAnswer{kIdNo, false, {}});
    window.SelectLanguage(EditArea::kDestination, index);
    ASSERT_EQ(messages_->shown.size(), 1u);
    const std::string name = PackLanguageOf(charset);
    ASSERT_FALSE(name.empty()) << "no pack name written down for character set " << charset;
    EXPECT_EQ(messages_->shown[0].text, "Your system has no font for " + name +
                                            " text, so it can't be displayed correctly.\r\n\r\nWill you "
                                            "download and install the " +
                                            name + " language support for Windows now?");
    EXPECT_TRUE(messages_->shown[0].showCheckBox);
    EXPECT_EQ(ReadRegString("Prompt Lan Pack", std::to_string(charset), "none"), TodayPromptDate());

    // The same character set again in this run: no second question.
    window.SelectLanguage(EditArea::kDestination, 0);
    window.SelectLanguage(EditArea::kSource, index);
    EXPECT_EQ(messages_->shown.size(), 1u);
}

// The installer of each character set's pack in the maker's download folder.
std::string PackFileOf(int charset) {
    switch (charset) {
        case 178: return "lp_arab.exe";
        case 177: return "lp_hebrw.exe";
        case 128: return "Ielpkja.exe";
        case 129: return "lp_kor.exe";
        case 161: case 162: case 186: case 204: case 238: return "lp_pe.exe";
        case 134: return "ielpkzhc.exe";
        case 222: return "lp_thai.exe";
        case 136: return "ielpkzht.exe";
        case 163: return "lp_vi.exe";
        default: return "";
    }
}

TEST_F(MainWindowTest, YesToTheLanguagePackDownloadsItFromTheUpdateServer) {
    int index = RowWithoutFont();
    if (index < 0) GTEST_SKIP() << "every character set of the table has a font here";
    int charset = LanguageRowAt(index).charset;
    WriteRegString("AutoDetect", "Server", "http://127.0.0.1:8123");
    MainWindow& window = Open();
    messages_->answers.push_back(MessageAnswer{kIdYes, true, {}});
    window.SelectLanguage(EditArea::kDestination, index);
    ASSERT_EQ(downloads_.size(), 1u);
    EXPECT_EQ(downloads_[0].url, "http://127.0.0.1:8123/zelvo/download/" + PackFileOf(charset));
    EXPECT_EQ(downloads_[0].subjectName, PackLanguageOf(charset) + " Language Support");
    EXPECT_TRUE(downloads_[0].withoutDigest) << "no digest is published for a pack: never started";
    // A No downloads nothing.
    window.SelectLanguage(EditArea::kDestination, 0);
    EXPECT_EQ(downloads_.size(), 1u);
}

TEST_F(MainWindowTest, LanguageChosenBeforeTheWindowIsUpIsCheckedAfterwards) {
    int index = RowWithoutFont();
    if (index < 0) GTEST_SKIP() << "every character set of the table has a font here";
    // The command line selects the language while the window initialises.
    std::string path = WriteSample("thai.txt", "plain text");
    MainWindow& window = Open("[l]" + std::to_string(index) + "[p]" + path);
    EXPECT_EQ(window.sourceLanguageIndex(), index);
    EXPECT_TRUE(messages_->shown.empty());
    Pump(800);  // the retry timer
    EXPECT_EQ(messages_->shown.size(), 1u);
}

}  // namespace
}  // namespace zelvo
