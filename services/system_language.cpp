#include "services/system_language.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/update_check.h"

namespace zelvo {

namespace {

// Windows' locale defaults: language id, ANSI, Macintosh, OEM and second OEM code page,
// character set. Only the character set is read by the program; the code pages document
// where each row comes from.
constexpr LocaleRow kLocales[] = {
    // Character set 0 (ANSI).
    {1079, 0, 0, 1, 0, 0},  // Georgian: no ANSI code page of its own
    {1067, 0, 0, 1, 0, 0},  // Armenian
    {1081, 0, 0, 1, 0, 0},  // Hindi
    {1076, 1252, 10000, 850, 437, 0},
    {1078, 1252, 10000, 850, 437, 0},
    {1069, 1252, 10000, 850, 437, 0},
    {1027, 1252, 10000, 850, 437, 0},
    {1030, 1252, 10000, 850, 865, 0},
    {1043, 1252, 10000, 850, 437, 0},
    {2067, 1252, 10000, 850, 437, 0},
    {1033, 1252, 10000, 437, 850, 0},
    {2057, 1252, 10000, 850, 437, 0},
    {4105, 1252, 10000, 850, 437, 0},
    {5129, 1252, 10000, 850, 437, 0},
    {3081, 1252, 10000, 850, 437, 0},
    {6153, 1252, 10000, 850, 437, 0},
    {7177, 1252, 10000, 437, 850, 0},
    {1035, 1252, 10000, 850, 437, 0},
    {1036, 1252, 10000, 850, 437, 0},
    {2060, 1252, 10000, 850, 437, 0},
    {4108, 1252, 10000, 850, 437, 0},
    {3084, 1252, 10000, 850, 863, 0},
    {5132, 1252, 10000, 850, 437, 0},
    {1031, 1252, 10000, 850, 437, 0},
    {2055, 1252, 10000, 850, 437, 0},
    {3079, 1252, 10000, 850, 437, 0},
    {4103, 1252, 10000, 850, 437, 0},
    {5127, 1252, 10000, 850, 437, 0},
    {1039, 1252, 10079, 850, 861, 0},
    {1057, 1252, 10000, 850, 437, 0},
    {1040, 1252, 10000, 850, 437, 0},
    {2064, 1252, 10000, 850, 437, 0},
    {1044, 1252, 10000, 850, 865, 0},
    {2068, 1252, 10000, 850, 865, 0},
    {2070, 1252, 10000, 850, 860, 0},
    {1046, 1252, 10000, 850, 437, 0},
    {2058, 1252, 10000, 850, 437, 0},
    {1034, 1252, 10000, 850, 437, 0},
    {3082, 1252, 10000, 850, 437, 0},
    {1053, 1252, 10000, 850, 437, 0},
    // Character set 178 (Arabic): the sixteen Arabic ids 1025 + 1024 k, then Farsi.
    {1025, 1256, 0, 864, 710, 178},
    {2049, 1256, 0, 864, 710, 178},
    {3073, 1256, 0, 864, 710, 178},
    {4097, 1256, 0, 864, 710, 178},
    {5121, 1256, 0, 864, 710, 178},
    {6145, 1256, 0, 864, 710, 178},
    {7169, 1256, 0, 864, 710, 178},
    {8193, 1256, 0, 864, 710, 178},
    {9217, 1256, 0, 864, 710, 178},
    {10241, 1256, 0, 864, 710, 178},
    {11265, 1256, 0, 864, 710, 178},
    {12289, 1256, 0, 864, 710, 178},
    {13313, 1256, 0, 864, 710, 178},
    {14337, 1256, 0, 864, 710, 178},
    {15361, 1256, 0, 864, 710, 178},
    {16385, 1256, 0, 864, 710, 178},
    {1065, 1256, 10004, 720, 0, 178},
    // Character set 238 (Central European).
    {1050, 1250, 10082, 852, 0, 238},
    {1029, 1250, 10029, 852, 0, 238},
    {1038, 1250, 10029, 852, 0, 238},
    {1045, 1250, 10029, 852, 0, 238},
    {1048, 1250, 10029, 852, 0, 238},
    {2074, 1250, 10082, 852, 0, 238},
    {1051, 1250, 10029, 852, 0, 238},
    {1060, 1250, 10029, 852, 0, 238},
    // Character set 204 (Cyrillic).
    {3098, 1251, 10007, 855, 0, 204},
    {1059, 1251, 10007, 866, 0, 204},
    {1026, 1251, 10007, 866, 0, 204},
    {1049, 1251, 10007, 866, 855, 204},
    {1058, 1251, 10017, 866, 0, 204},
    // Character set 186 (Baltic).
    {1061, 1257, 10029, 775, 0, 186},
    {1062, 1257, 10029, 775, 0, 186},
    {1063, 1257, 10029, 775, 0, 186},
    // Chinese.
    {2052, 936, 0, 936, 0, 134},
    {4100, 936, 0, 936, 0, 134},
    {1028, 950, 0, 950, 0, 136},
    {3076, 950, 0, 950, 936, 136},
    // One row each.
    {1041, 932, 10001, 932, 437, 128},
    {1042, 949, 0, 949, 1361, 129},
    {1032, 1253, 10006, 737, 0, 161},
    {1055, 1254, 10081, 857, 0, 162},
    {1066, 1258, 10000, 1258, 0, 163},
    {1037, 1255, 10005, 862, 0, 177},
    {1054, 874, 10021, 874, 0, 222},
};
static_assert(sizeof(kLocales) / sizeof(kLocales[0]) == 84, "the locale table has 84 rows");

struct PackRow {
    int charset;
    int nameLine;
    const char* file;
};

constexpr PackRow kPacks[] = {
    {178, 0, "lp_arab.exe"},  {177, 1, "lp_hebrw.exe"}, {128, 2, "Ielpkja.exe"},
    {129, 3, "lp_kor.exe"},   {161, 4, "lp_pe.exe"},    {162, 4, "lp_pe.exe"},
    {186, 4, "lp_pe.exe"},    {204, 4, "lp_pe.exe"},    {238, 4, "lp_pe.exe"},
    {134, 5, "ielpkzhc.exe"}, {222, 6, "lp_thai.exe"},  {136, 7, "ielpkzht.exe"},
    {163, 8, "lp_vi.exe"},
};

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Trimmed, upper-cased, without a leading "0X": the digits ParseHex and IsHexText look at.
std::string HexDigitsOf(const std::string& text) {
    std::string digits = TrimBlanks(text);
    for (char& c : digits)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (digits.size() >= 2 && digits.compare(0, 2, "0X") == 0) digits.erase(0, 2);
    return digits;
}

bool AllHexDigits(const std::string& digits) {
    if (digits.empty()) return false;
    for (char c : digits)
        if (!IsHexDigit(c)) return false;
    return true;
}

std::string PromptKey(int charset) { return std::to_string(charset); }

}  // namespace

std::span<const LocaleRow> LocaleTable() { return kLocales; }

int CodePageOfCharset(int charset) {
    switch (charset) {
        case 134:
            return 936;
        case 136:
            return 950;
        case 128:
            return 932;
        case 129:
            return 949;
        case 0:
            return 1252;
        case 238:
            return 1250;
        case 204:
            return 1251;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 163:
            return 1258;
        case 222:
            return 874;
        default:
            return 0;
    }
}

int CharsetOfLanguage(int languageId) {
    int charset = 0;
    for (const LocaleRow& row : kLocales)
        if (row.languageId == languageId) charset = row.charset;
    return charset;
}

bool UserLanguageIsUiLanguage(int userLanguageId, int uiLcid) { return userLanguageId == uiLcid; }

std::string ToHex(unsigned value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%16X", value);
    std::string text = buffer;
    for (char& c : text)
        if (c == ' ') c = '0';
    size_t keep = width < 0 ? 0 : std::min<size_t>(static_cast<size_t>(width), 16);
    return text.substr(text.size() - keep);
}

unsigned ParseHex(const std::string& text) {
    std::string digits = HexDigitsOf(text);
    if (!AllHexDigits(digits) || digits.size() > 8) return 0;
    unsigned value = 0;
    unsigned weight = 1;
    for (size_t i = digits.size(); i-- > 0;) {
        char c = digits[i];
        unsigned digit = c <= '9' ? static_cast<unsigned>(c - '0') : static_cast<unsigned>(c - 'A' + 10);
        value += digit * weight;
        weight <<= 4;
    }
    return value;
}

bool IsHexText(const std::string& text) { return AllHexDigits(HexDigitsOf(text)); }

std::string OsName(int platformId, int majorVersion, int minorVersion) {
    switch (platformId) {
        case 0: return "Windows 3.1";
        case 1:
            switch (minorVersion) {
                case 0: return "Windows 95";
                case 10: return "Windows 98";
                case 90: return "Windows Me";
                default: return "Unknown OS(Windows 95 Series)";
            }
        case 2:
            if (minorVersion == 51) return "Windows NT 3.51";
            if (minorVersion == 0) {
                if (majorVersion == 4) return "Windows NT 4.0";
                if (majorVersion == 5) return "Windows 2000";
                return "Unknown OS(Windows NT 4 Series)";
            }
            if (minorVersion == 1)
                return majorVersion == 5 ? "Windows XP or Windows.NET Server" : "Unknown OS(Windows XP Series)";
            return "Unknown OS(Windows NT Series)";
        default: return "Unknown OS";
    }
}

std::string LanguageNameOf(int languageId) {
    switch (languageId) {
        case 1028: return "Traditional Chinese";
        case 1033: return "US English";
        case 2052: return "Simplified Chinese";
        case 2057: return "Bristish English";
        case 3076: return "HK Chinese";
        default: {
            char buffer[48];
            std::snprintf(buffer, sizeof buffer, "%2x(Other Language)", static_cast<unsigned>(languageId));
            return buffer;
        }
    }
}

SystemDescription DescribeSystem(const SystemFacts& facts) {
    SystemDescription description;
    description.userLanguage = facts.userLanguage;
    description.buildNumber = facts.buildNumber;
    description.platformId = facts.platformId;
    description.majorVersion = facts.majorVersion;
    description.minorVersion = facts.minorVersion;
    description.servicePack = facts.servicePack.substr(0, 128);
    description.productType = facts.productType;
    std::string os = OsName(facts.platformId, facts.majorVersion, facts.minorVersion);
    std::string language = LanguageNameOf(facts.userLanguage);
    description.description = description.servicePack.empty()
                                   ? os + " (" + language + ")"
                                   : os + " " + description.servicePack + " (" + language + ")";
    return description;
}

bool CannotShowEastAsian(int systemLanguageId, int platformId, const std::string& winIniPath) {
    switch (systemLanguageId) {
        case 1028:
        case 1041:
        case 1042:
        case 2052:
        case 2066:
        case 3076:
        case 4100: return false;
        default: break;
    }
    if (platformId != 1) return false;
    SettingsFile winIni;
    winIni.plainIniMode = true;
    winIni.Load(winIniPath);
    std::string value;
    bool found = false;
    for (const char* section : {"intl", "Intl", "INTL"}) {
        if (winIni.GetString(section, "sLanguage", "", value)) {
            found = true;
            break;
        }
    }
    if (!found || value.empty()) return false;
    for (const char* eastAsian : {"chs", "cht", "zhh", "zhi", "zhm", "jpn", "kor"})
        if (CompareTextNoCase(value, eastAsian, 1252) == 0) return false;
    return true;
}

bool LanguagePackFor(int charset, LanguagePack& pack) {
    for (const PackRow& row : kPacks) {
        if (row.charset != charset) continue;
        pack.nameLine = row.nameLine;
        pack.file = row.file;
        pack.downloadAddress = UpdateServer() + kMakerDownloadFolder + row.file;
        return true;
    }
    pack = LanguagePack{};
    return false;
}

std::string FormatPromptDate(int year, int month, int day) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d", year, month, day);
    return buffer;
}

std::string TodayPromptDate() {
    std::tm local = LocalTimeNow();
    return FormatPromptDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

LanguagePackOffer DecideLanguagePackOffer(int charset, std::set<int>& handled,
                                          const std::function<bool(int charset)>& systemHasFontOf,
                                          const std::string& today) {
    LanguagePackOffer offer;
    offer.charset = charset;
    if (!handled.insert(charset).second) return offer;
    if (systemHasFontOf && systemHasFontOf(charset)) return offer;
    if (!LanguagePackFor(charset, offer.pack)) return offer;
    if (ReadRegString("Prompt Lan Pack", PromptKey(charset), "") == today) return offer;
    offer.ask = true;
    return offer;
}

#ifndef _WIN32
// Without Windows there is no version record to read; the facts' defaults stand for an
// NT system in the platform's user language.
SystemDescription GetSystemDescription() {
    SystemFacts facts;
    facts.userLanguage = UserDefaultLanguageId();
    return DescribeSystem(facts);
}
#endif

void RecordLanguagePackAnswer(int charset, bool showNextTime, const std::string& today) {
    WriteRegString("Prompt Lan Pack", PromptKey(charset), showNextTime ? std::string() : today);
}

}  // namespace zelvo
