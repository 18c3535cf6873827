// Small services about the machine the program runs on: the Windows version and user
// language in words, the Windows character set of a language id, the hexadecimal helpers
// used for language ids, the Windows 9x East Asian test and the language support pack
// offer. Everything here takes its system facts as arguments, so the core and the tests
// run it anywhere; services/win/ asks Windows for them.
#pragma once

#include <functional>
#include <set>
#include <span>
#include <string>

namespace zelvo {

// Windows character sets the program names.
inline constexpr int kCharsetAnsi = 0;
inline constexpr int kCharsetShiftJis = 128;
inline constexpr int kCharsetHangul = 129;
inline constexpr int kCharsetGb2312 = 134;
inline constexpr int kCharsetBig5 = 136;
inline constexpr int kCharsetGreek = 161;
inline constexpr int kCharsetTurkish = 162;
inline constexpr int kCharsetVietnamese = 163;
inline constexpr int kCharsetHebrew = 177;
inline constexpr int kCharsetArabic = 178;
inline constexpr int kCharsetBaltic = 186;
inline constexpr int kCharsetRussian = 204;
inline constexpr int kCharsetThai = 222;
inline constexpr int kCharsetEastEurope = 238;

// One locale: a language id and Windows' default code pages and character set for it.
struct LocaleRow {
    int languageId;
    int ansiCodePage;
    int macCodePage;
    int oemCodePage;
    int secondOemCodePage;
    int charset;
};

// The 84 locales the program knows, in table order.
std::span<const LocaleRow> LocaleTable();

// Windows character set of a language id; 0 when the id is not in the table.
int CharsetOfLanguage(int languageId);

// The Windows code page of a character set: 134 -> 936, 136 -> 950, 128 -> 932,
// 129 -> 949, 0 -> 1252, 238 -> 1250, 204 -> 1251, 161 -> 1253, 162 -> 1254, 177 -> 1255,
// 178 -> 1256, 186 -> 1257, 163 -> 1258, 222 -> 874. Any other character set gives 0,
// the system's ANSI code page.
int CodePageOfCharset(int charset);

// The user's default language is the UI language.
bool UserLanguageIsUiLanguage(int userLanguageId, int uiLcid);

// Upper-case hexadecimal, zero-filled, the rightmost min(width, 16) digits ("0409" for
// 1033 with width 4).
std::string ToHex(unsigned value, int width);
// Hexadecimal text, trimmed, with an optional "0X"; at most eight digits. An empty,
// non-hexadecimal or too long text gives 0.
unsigned ParseHex(const std::string& text);
// The text (trimmed, upper-cased, without "0X") consists of hex digits only; false when
// empty.
bool IsHexText(const std::string& text);
// IsDecimalText, the decimal counterpart, lives with the command-line parsing that
// first needed it (app/command_line.h).

// What GetVersionExA and friends tell about the system.
struct SystemFacts {
    int userLanguage = 1033;
    int buildNumber = 0;
    int platformId = 2;  // 0 Win32s, 1 Windows 9x, 2 Windows NT
    int majorVersion = 5;
    int minorVersion = 1;
    std::string servicePack;  // szCSDVersion, up to 128 bytes
    std::string productType;  // "ProductType" of the ProductOptions key; "" when unreadable
};

struct SystemDescription {
    int userLanguage = 0;
    int buildNumber = 0;
    int platformId = 0;
    int majorVersion = 0;
    int minorVersion = 0;
    std::string servicePack;
    std::string productType;
    std::string description;  // "%s %s (%s)" of OS name, service pack and language name
};

std::string OsName(int platformId, int majorVersion, int minorVersion);
std::string LanguageNameOf(int languageId);
SystemDescription DescribeSystem(const SystemFacts& facts);
// The running system's description (Windows: GetVersionExA, the registry; elsewhere the
// defaults of SystemFacts with the platform's user language).
SystemDescription GetSystemDescription();

// Old Windows 9x systems without East Asian support cannot draw the Chinese texts.
// winIniPath names "win.ini" of the Windows folder; it is read in plain-INI mode.
bool CannotShowEastAsian(int systemLanguageId, int platformId, const std::string& winIniPath);

// The language support pack that makes a character set readable on the system.
struct LanguagePack {
    int nameLine = -1;          // line of the main window's language-name list
    std::string file;           // installer file name in the maker's download folder
    // The download folder on the update server (the maker's, unless "AutoDetect"/"Server"
    // names another), then the file name.
    std::string downloadAddress;
};

// The maker's web server and its download folder.
inline constexpr const char* kMakerWebServer = "https://www.tolvane.com";
inline constexpr const char* kMakerDownloadFolder = "/zelvo/download/";

// False when no pack exists for the character set.
bool LanguagePackFor(int charset, LanguagePack& pack);

// "%d-%d-%d", as the language-pack and update settings store dates.
std::string FormatPromptDate(int year, int month, int day);
// Today's date in that form, from the local clock.
std::string TodayPromptDate();

// What to do when an edit area's language changes to one whose character set may not
// be shown by the system.
struct LanguagePackOffer {
    bool ask = false;  // ask the user whether to download the pack
    int charset = 0;
    LanguagePack pack;
};

// Decides the offer for a character set: once per run per character set (handled keeps
// them), not when the system has a font of the set, not when there is no pack, not when
// the user silenced the question today ("Prompt Lan Pack"/"%d" of the set).
LanguagePackOffer DecideLanguagePackOffer(int charset, std::set<int>& handled,
                                          const std::function<bool(int charset)>& systemHasFontOf,
                                          const std::string& today);
// Records the answer's check box: ticked clears the stored date, cleared silences the
// question for the rest of today.
void RecordLanguagePackAnswer(int charset, bool showNextTime, const std::string& today);

}  // namespace zelvo
