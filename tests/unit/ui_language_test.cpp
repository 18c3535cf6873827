#include "services/ui_language.h"

#include <gtest/gtest.h>

#include "app/editor_app.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/ui_strings.h"
#include "test_support.h"

namespace zelvo {
namespace {

class UiLanguageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app_.appFolder = appFolder_.path();
        languageFolder_ = LanguageFolderOf(appFolder_.path());
    }
    void TearDown() override {
        UseLanguagePack("");
        SetUiLcid(kLcidEnglish);
    }
    std::string WritePack(const std::string& file, const std::string& name, const std::string& lcid,
                          const std::string& more = "") {
        CreateFolder(languageFolder_);
        std::string path = JoinPath(languageFolder_, file);
        std::string text = "[Info]\r\nShell_Language = " + name + "\r\nShell_LCID = " + lcid +
                           "\r\nShell_Translator = Someone\r\n" + more;
        EXPECT_TRUE(WriteFileBytes(path, text));
        return path;
    }
    void StoreLcid(int lcid) { WriteRegInt("Shell", "LCID", lcid); }

    EditorApp app_;
    testing_support::TempFolder appFolder_{"zelvo-uilang"};
    testing_support::ScopedRegistry registry_;
    testing_support::ScopedCodePage codePage_{kCodePageGbk};
    std::string languageFolder_;
};

TEST_F(UiLanguageTest, BuiltInLanguagesWithoutALanguageFolder) {
    ChooseUiLanguage(app_, 1033);
    ASSERT_EQ(app_.uiLanguageNames.size(), 3u);
    EXPECT_EQ(app_.uiLanguageNames[0], "English");
    EXPECT_EQ(app_.uiLanguageNames[1], "Chinese,Simplified (\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4)");
    EXPECT_EQ(app_.uiLanguageNames[2], "Chinese,Traditional (\xC1\x63\xC5\xE9\xA4\xA4\xA4\xE5)");
    EXPECT_EQ(app_.uiLanguageLcids, (std::vector<std::string>{"0409", "0804", "0404"}));
    EXPECT_EQ(app_.uiLanguagePackFiles, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(app_.uiLcid, 1033);
    EXPECT_EQ(app_.uiCharset, 0);
}

TEST_F(UiLanguageTest, StartLanguageFromTheStoredLcid) {
    StoreLcid(2052);
    ChooseUiLanguage(app_, 1033);
    EXPECT_EQ(app_.uiLcid, 2052);
    EXPECT_EQ(app_.uiCharset, 134);
    EXPECT_EQ(LoadUiString(IDS_QXT_YES), LoadUiStringColumn(IDS_QXT_YES, kUiColumnGbk));
    EXPECT_NE(LoadUiString(IDS_QXT_YES), "Yes");

    StoreLcid(1028);
    ChooseUiLanguage(app_, 1033);
    EXPECT_EQ(app_.uiCharset, 136);
    EXPECT_EQ(LoadUiString(IDS_QXT_YES), LoadUiStringColumn(IDS_QXT_YES, kUiColumnBig5));

    StoreLcid(1033);
    ChooseUiLanguage(app_, 2052);
    EXPECT_EQ(app_.uiLcid, 1033);
    EXPECT_EQ(LoadUiString(IDS_QXT_YES), "Yes");

    StoreLcid(1041);  // no Japanese pack installed
    ChooseUiLanguage(app_, 2052);
    EXPECT_EQ(app_.uiLcid, 1033);
    EXPECT_TRUE(app_.uiLanguagePackFile.empty());

    StoreLcid(0);
    ChooseUiLanguage(app_, 2052);
    EXPECT_EQ(app_.uiLcid, 1033);
}

TEST_F(UiLanguageTest, WithoutAStoredLcidTheUsersLanguageDecides) {
    ChooseUiLanguage(app_, 1028);
    EXPECT_EQ(app_.uiLcid, 1028);
    ChooseUiLanguage(app_, 0);
    EXPECT_EQ(app_.uiLcid, 1033);
}

TEST_F(UiLanguageTest, PackTextsWithEnglishFallback) {
    std::string pack = WritePack("ja.ini", "Japanese", "0x0411",
                                 "\r\n[QXT]\r\nIDS_QXT_YES = Hai\r\nIDS_QXT_PRODUCT = Zelvo JP\r\n"
                                 "\r\n[Dialog]\r\nIDS_DIALOG_OK = Daijoubu\r\n");
    StoreLcid(0x411);
    ChooseUiLanguage(app_, 1033);
    EXPECT_EQ(app_.uiLcid, 0x411);
    EXPECT_EQ(app_.uiCharset, 128);
    EXPECT_EQ(app_.uiLanguagePackFile, pack);
    EXPECT_EQ(LoadUiString(IDS_QXT_YES), "Hai");
    EXPECT_EQ(LoadUiString(IDS_DIALOG_OK), "Daijoubu");
    EXPECT_EQ(LoadUiString(IDS_QXT_NO), "No");  // missing key
    EXPECT_EQ(LoadUiString(IDS_DIALOG_CANCEL), "Cancel");
    EXPECT_EQ(LoadUiString(1), "Japanese");  // Info keys come from the pack
    EXPECT_EQ(LoadUiString(3), "Someone");

    // A key that is in the wrong section is not found.
    EXPECT_EQ(LoadUiString(IDS_QXT_COMPANY), LoadUiStringColumn(IDS_QXT_COMPANY, kUiColumnEnglish));
}

TEST_F(UiLanguageTest, InfoKeysDefaultToEmptyAndAVanishedPackToEnglish) {
    std::string pack = WritePack("x.ini", "Xish", "0x0418");
    // Rewrite without the translator line.
    ASSERT_TRUE(WriteFileBytes(pack, "[Info]\r\nShell_Language = Xish\r\nShell_LCID = 0418\r\n"));
    StoreLcid(0x418);
    ChooseUiLanguage(app_, 1033);
    ASSERT_EQ(app_.uiLcid, 0x418);
    EXPECT_EQ(LoadUiString(3), "");
    EXPECT_EQ(LoadUiString(IDS_QXT_YES), "Yes");
    RemoveFile(pack);
    EXPECT_EQ(LoadUiString(IDS_QXT_NO), "No");
    EXPECT_EQ(LoadUiString(1), "");
}

TEST_F(UiLanguageTest, ListSkipsBadAndDuplicateLcidsAndNumbersDuplicateNames) {
    WritePack("a.ini", "Japanese", "0x0411");
    WritePack("b.ini", "Japanese", "0x0412");      // same name: numbered
    WritePack("c.ini", "Japanese", "0x0413");      // numbered again
    WritePack("d.ini", "Other", "0x0411");         // LCID already listed
    WritePack("e.ini", "Zero", "0x0000");          // not positive
    WritePack("f.ini", "Junk", "zz");              // not hexadecimal
    WritePack("g.ini", "Dup of English", "0409");  // built-in LCID
    WritePack("h.ini", "HK", "0c04");              // lower case, accepted and upper-cased
    WritePack("i.INI", "Upper", "0x0415");         // extension in any case
    WritePack("j.txt", "Text", "0x0416");          // not a pack
    WritePack("k.ini", "Long", "0x00010419");      // the last four digits count
    CreateFolder(JoinPath(languageFolder_, "folder.ini"));
    BuildUiLanguageList(app_, languageFolder_);

    std::vector<std::string> names = app_.uiLanguageNames;
    std::vector<std::string> expectedNames{"English",
                                           "Chinese,Simplified (\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4)",
                                           "Chinese,Traditional (\xC1\x63\xC5\xE9\xA4\xA4\xA4\xE5)",
                                           "HK",
                                           "Japanese",
                                           "Japanese(1)",
                                           "Japanese(2)",
                                           "Long",
                                           "Upper"};
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(app_.uiLanguageLcids,
              (std::vector<std::string>{"0409", "0804", "0404", "0C04", "0411", "0412", "0413", "0419", "0415"}));
    ASSERT_EQ(app_.uiLanguagePackFiles.size(), names.size());
    EXPECT_EQ(FileNamePart(app_.uiLanguagePackFiles[3]), "h.ini");
    EXPECT_EQ(FileNamePart(app_.uiLanguagePackFiles[5]), "b.ini");
    EXPECT_EQ(FileNamePart(app_.uiLanguagePackFiles[8]), "i.INI");
}

TEST_F(UiLanguageTest, SortingKeepsEnglishFirst) {
    WritePack("a.ini", "Afrikaans", "0436");
    WritePack("b.ini", "Chinese,Hong Kong", "0C04");
    BuildUiLanguageList(app_, languageFolder_);
    ASSERT_EQ(app_.uiLanguageNames.size(), 5u);
    EXPECT_EQ(app_.uiLanguageNames[0], "English");
    EXPECT_EQ(app_.uiLanguageNames[1], "Afrikaans");
    EXPECT_EQ(app_.uiLanguageNames[2], "Chinese,Hong Kong");
    EXPECT_EQ(app_.uiLanguageLcids[1], "0436");
    EXPECT_EQ(app_.uiLanguageLcids[2], "0C04");
}

TEST_F(UiLanguageTest, SwitchStoresTheLcidAndReloadsNames) {
    WritePack("ja.ini", "Japanese", "0x0411", "\r\n[QXT]\r\nIDS_QXT_PRODUCT = Zelvo-J\r\nIDS_QXT_COMPANY = T-J\r\n");
    ChooseUiLanguage(app_, 1041);
    EXPECT_EQ(app_.uiLcid, 1041);  // no stored value: the user's language, which a pack serves
    StoreLcid(1033);
    ChooseUiLanguage(app_, 1041);
    ASSERT_EQ(app_.uiLcid, 1033);
    app_.productName = LoadUiString(IDS_QXT_PRODUCT);

    EXPECT_FALSE(SwitchUiLanguage(app_, "Klingon", 1041));
    EXPECT_FALSE(SwitchUiLanguage(app_, "English", 1041));  // already current
    EXPECT_EQ(registry_->ints.size(), 1u);

    ASSERT_TRUE(SwitchUiLanguage(app_, "Japanese", 1041));
    EXPECT_EQ(app_.uiLcid, 1041);
    EXPECT_EQ(app_.uiCharset, 128);
    EXPECT_EQ(app_.productName, "Zelvo-J");
    EXPECT_EQ(app_.companyName, "T-J");
    EXPECT_TRUE(app_.userLanguageIsUiLanguage);
    EXPECT_EQ(ReadRegInt("Shell", "LCID", 0), 1041);
    EXPECT_EQ(UiLcid(), 1041);

    ASSERT_TRUE(SwitchUiLanguage(app_, app_.uiLanguageNames[1], 1041));
    EXPECT_EQ(app_.uiLcid, 2052);
    EXPECT_EQ(app_.uiCharset, 134);
    EXPECT_TRUE(app_.uiLanguagePackFile.empty());
    EXPECT_FALSE(app_.userLanguageIsUiLanguage);
    EXPECT_EQ(ReadRegInt("Shell", "LCID", 0), 2052);
    EXPECT_EQ(app_.productName, LoadUiStringColumn(IDS_QXT_PRODUCT, kUiColumnGbk));
}

TEST_F(UiLanguageTest, StoredLcidReachesAPackWithAFourDigitTail) {
    WritePack("hk.ini", "HK", "0c04", "\r\n[QXT]\r\nIDS_QXT_YES = Hai-HK\r\n");
    StoreLcid(0x0C04);
    ChooseUiLanguage(app_, 1033);
    EXPECT_EQ(app_.uiLcid, 3076);
    EXPECT_EQ(app_.uiCharset, 136);
    EXPECT_EQ(LoadUiString(IDS_QXT_YES), "Hai-HK");
}

// The shipped Japanese pack: every entry present with the English text's placeholders,
// mnemonics and lines, read alike whether the system code page is Chinese or Western.
TEST_F(UiLanguageTest, ShippedJapanesePackCoversEveryEntry) {
    std::string shipped = LanguageFolderOf(ZELVO_SOURCE_DIR "/package");
    BuildUiLanguageList(app_, shipped);
    ASSERT_EQ(app_.uiLanguageNames.size(), 4u);
    EXPECT_EQ(app_.uiLanguageNames[3], "Japanese");  // after both Chinese entries
    EXPECT_EQ(app_.uiLanguageLcids[3], "0411");
    std::string pack = app_.uiLanguagePackFiles[3];

    SettingsFile underGbk;
    underGbk.Load(pack);
    SetSystemCodePageForTests(1252);
    SettingsFile underWestern;
    underWestern.Load(pack);
    SetSystemCodePageForTests(kCodePageGbk);

    auto count = [](const std::string& text, const std::string& what) {
        int n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
        return n;
    };
    int translated = 0;
    for (const UiStringRecord& record : UiStringTable()) {
        std::string section = record.section;
        if (section == "Info") continue;
        std::string text;
        ASSERT_TRUE(underGbk.GetString(section, record.name, "", text)) << record.name;
        std::string western;
        underWestern.GetString(section, record.name, "", western);
        EXPECT_EQ(text, western) << record.name;
        std::string english = record.english;
        for (const char* placeholder : {"%1", "%2", "%3", "#1", "#2", "#3"})
            EXPECT_EQ(count(text, placeholder) > 0, count(english, placeholder) > 0) << record.name << placeholder;
        EXPECT_EQ(count(text, "\r\n"), count(english, "\r\n")) << record.name;
        EXPECT_EQ(count(text, "&") - 2 * count(text, "&&"), count(english, "&") - 2 * count(english, "&&"))
            << record.name;
        if (text != english) ++translated;
    }
    EXPECT_GT(translated, 100);

    StoreLcid(1041);
    ChooseStartUiLanguage(app_, 1033);
    EXPECT_EQ(app_.uiCharset, 128);
    EXPECT_EQ(LoadUiString(IDS_QXT_YES), "\x82\xCD\x82\xA2");  // はい in Shift-JIS
    EXPECT_EQ(LoadUiString(IDS_MENU_ABOUT_A, "Zelvo").substr(0, 6), "Zelvo ");
}

}  // namespace
}  // namespace zelvo
