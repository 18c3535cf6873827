// The list of UI languages (the three built into the string table, then the language
// packs of the "Language" folder), the choice of the UI language at start, the switch to
// another one, and the language pack reader behind the UI string look-up.
#pragma once

#include <string>
#include <vector>

namespace zelvo {

// The UI language fields of the application object.
struct UiLanguageState {
    // The UI language list: three parallel lists.
    std::vector<std::string> uiLanguageNames;
    std::vector<std::string> uiLanguageLcids;  // four hex digits each
    std::vector<std::string> uiLanguagePackFiles;
    int uiLcid = 1033;
    int uiCharset = 0;
    std::string uiLanguagePackFile;  // empty for the three built-in languages
    bool userLanguageIsUiLanguage = false;
    std::string productName;
    std::string companyName;
};

// The built-in languages' names as the UI language menu shows them; the Chinese names
// carry their own GBK and Big5 bytes.
extern const char* const kEnglishUiLanguageName;
extern const char* const kSimplifiedChineseUiLanguageName;
extern const char* const kTraditionalChineseUiLanguageName;

// "%s\Language" of the program folder.
std::string LanguageFolderOf(const std::string& appFolder);

// Fills the app's three parallel lists: the built-in languages, then each "*.ini" pack of
// the folder with a positive LCID not listed yet (names made unique with "(1)", "(2)"...),
// sorted by name with English kept first. A missing folder lists the built-ins only.
void BuildUiLanguageList(UiLanguageState& app, const std::string& languageFolder);

// Chooses the start language from "Shell"/"LCID" (the user's language id when unset, 0
// meaning 1033) among the listed ones, English when none matches; sets uiLcid, uiCharset,
// uiLanguagePackFile and makes the string look-up follow it.
void ChooseStartUiLanguage(UiLanguageState& app, int userLanguageId);

// Both steps for the "Language" folder of the program folder appFolder: the start-up hook.
void ChooseUiLanguage(UiLanguageState& app, const std::string& appFolder, int userLanguageId);

// Switches to the listed language of this display name, reloads productName and
// companyName and stores "Shell"/"LCID". False when the name is not listed or is the
// current language.
bool SwitchUiLanguage(UiLanguageState& app, const std::string& displayName, int userLanguageId);

// Makes the UI string look-up read its texts from this pack file; an empty path
// removes the pack reader.
void UseLanguagePack(const std::string& packFile);

// The code page a UI language's own name is written in (its LCID as hex digits): the
// built-in Chinese names carry their GBK and Big5 bytes whatever the current UI language is.
int NameCodePageOfUiLanguage(const std::string& lcidText);

}  // namespace zelvo
