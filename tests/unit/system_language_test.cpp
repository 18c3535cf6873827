#include "services/system_language.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "test_support.h"

namespace zelvo {
namespace {

TEST(HexHelpers, ParseHexAcceptsPrefixCaseAndBlanksUpToEightDigits) {
    EXPECT_EQ(ParseHex("0x0804"), 2052u);
    EXPECT_EQ(ParseHex("0X0404"), 1028u);
    EXPECT_EQ(ParseHex(" 0c04\r\n"), 3076u);
    EXPECT_EQ(ParseHex("0411"), 1041u);
    EXPECT_EQ(ParseHex("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex("123456789"), 0u);  // nine digits
    EXPECT_EQ(ParseHex(""), 0u);
    EXPECT_EQ(ParseHex("0x"), 0u);
    EXPECT_EQ(ParseHex("04G9"), 0u);
    EXPECT_EQ(ParseHex("-1"), 0u);
}

TEST(HexHelpers, IsHexTextLooksAtDigitsOnly) {
    EXPECT_TRUE(IsHexText("0x0c04"));
    EXPECT_TRUE(IsHexText(" abc "));
    EXPECT_TRUE(IsHexText("123456789"));  // long, but every character is a digit
    EXPECT_FALSE(IsHexText(""));
    EXPECT_FALSE(IsHexText("0x"));
    EXPECT_FALSE(IsHexText("12 34"));
}

TEST(HexHelpers, ToHexZeroFillsAndKeepsTheRightmostDigits) {
    EXPECT_EQ(ToHex(1033, 4), "0409");
    EXPECT_EQ(ToHex(3076, 4), "0C04");
    EXPECT_EQ(ToHex(0x10411, 4), "0411");
    EXPECT_EQ(ToHex(0xABCDEF12u, 8), "ABCDEF12");
    EXPECT_EQ(ToHex(255, 20), "00000000000000FF");  // at most sixteen
    EXPECT_EQ(ToHex(255, 0), "");
}

TEST(LocaleTable, HoldsEightyFourRowsWithTheCharsetCounts) {
    ASSERT_EQ(LocaleTable().size(), 84u);
    std::map<int, int> perCharset;
    std::map<int, int> perLanguage;
    for (const LocaleRow& row : LocaleTable()) {
        ++perCharset[row.charset];
        ++perLanguage[row.languageId];
    }
    std::map<int, int> expected{{0, 40},  {178, 17}, {238, 8}, {204, 5}, {186, 3}, {134, 2}, {136, 2},
                                {128, 1}, {129, 1},  {161, 1}, {162, 1}, {163, 1}, {177, 1}, {222, 1}};
    EXPECT_EQ(perCharset, expected);
    EXPECT_EQ(perLanguage.size(), 84u) << "a language id is listed twice";
}

TEST(LocaleTable, TellingRowsCarryWindowsDefaults) {
    auto row = [](int id) {
        for (const LocaleRow& r : LocaleTable())
            if (r.languageId == id) return r;
        return LocaleRow{0, 0, 0, 0, 0, -1};
    };
    auto same = [](const LocaleRow& r, std::initializer_list<int> v) {
        auto it = v.begin();
        return r.ansiCodePage == it[0] && r.macCodePage == it[1] && r.oemCodePage == it[2] &&
               r.secondOemCodePage == it[3] && r.charset == it[4];
    };
    EXPECT_TRUE(same(row(1028), {950, 0, 950, 0, 136}));
    EXPECT_TRUE(same(row(2052), {936, 0, 936, 0, 134}));
    EXPECT_TRUE(same(row(3076), {950, 0, 950, 936, 136}));
    EXPECT_TRUE(same(row(4100), {936, 0, 936, 0, 134}));
    EXPECT_TRUE(same(row(1041), {932, 10001, 932, 437, 128}));
    EXPECT_TRUE(same(row(1042), {949, 0, 949, 1361, 129}));
    EXPECT_TRUE(same(row(1033), {1252, 10000, 437, 850, 0}));
    EXPECT_TRUE(same(row(1049), {1251, 10007, 866, 855, 204}));
    for (int k = 0; k < 16; ++k) EXPECT_TRUE(same(row(1025 + 1024 * k), {1256, 0, 864, 710, 178})) << k;
}

TEST(LocaleTable, CharsetOfLanguage) {
    EXPECT_EQ(CharsetOfLanguage(2052), 134);
    EXPECT_EQ(CharsetOfLanguage(1028), 136);
    EXPECT_EQ(CharsetOfLanguage(3076), 136);
    EXPECT_EQ(CharsetOfLanguage(1033), 0);
    EXPECT_EQ(CharsetOfLanguage(1041), 128);
    EXPECT_EQ(CharsetOfLanguage(1037), 177);
    EXPECT_EQ(CharsetOfLanguage(9999), 0);
    EXPECT_EQ(CharsetOfLanguage(0), 0);
}

TEST(SystemDescriptionText, NamesOsServicePackAndLanguage) {
    SystemFacts facts;
    facts.platformId = 2;
    facts.majorVersion = 5;
    facts.minorVersion = 1;
    facts.servicePack = "Service Pack 1";
    facts.userLanguage = 2052;
    EXPECT_EQ(DescribeSystem(facts).description, "Windows XP or Windows.NET Server Service Pack 1 (Simplified Chinese)");
    facts.platformId = 1;
    facts.minorVersion = 10;
    facts.servicePack.clear();
    facts.userLanguage = 0x411;
    EXPECT_EQ(DescribeSystem(facts).description, "Windows 98 (411(Other Language))");
    EXPECT_EQ(OsName(2, 4, 0), "Windows NT 4.0");
    EXPECT_EQ(OsName(2, 3, 51), "Windows NT 3.51");
    EXPECT_EQ(OsName(2, 6, 0), "Unknown OS(Windows NT 4 Series)");
    EXPECT_EQ(OsName(2, 6, 2), "Unknown OS(Windows NT Series)");
    EXPECT_EQ(OsName(1, 4, 90), "Windows Me");
    EXPECT_EQ(OsName(0, 3, 10), "Windows 3.1");
    EXPECT_EQ(OsName(3, 0, 0), "Unknown OS");
    EXPECT_EQ(LanguageNameOf(2057), "Bristish English");
    EXPECT_EQ(LanguageNameOf(5), " 5(Other Language)");
}

class WinIniTest : public ::testing::Test {
  protected:
    void Write(const std::string& text) { ASSERT_TRUE(WriteFileBytes(path_, text)); }
    testing_support::TempFolder folder_{"zelvo-winini"};
    std::string path_ = folder_.PathOf("win.ini");
};

TEST_F(WinIniTest, Windows98WithAnEnglishSystemDependsOnTheWinIniLanguage) {
    Write("[windows]\r\nload=\r\n[intl]\r\nsLanguage=enu\r\niCountry=1\r\n");
    EXPECT_TRUE(CannotShowEastAsian(1033, 1, path_));
    Write("[Intl]\r\nsLanguage=CHS\r\n");
    EXPECT_FALSE(CannotShowEastAsian(1033, 1, path_));
    Write("[INTL]\r\nsLanguage=kor\r\n");
    EXPECT_FALSE(CannotShowEastAsian(1033, 1, path_));
    Write("[intl]\r\nsLanguage=\r\n");
    EXPECT_FALSE(CannotShowEastAsian(1033, 1, path_));
    Write("[intl]\r\niCountry=1\r\n");
    EXPECT_FALSE(CannotShowEastAsian(1033, 1, path_));
    EXPECT_FALSE(CannotShowEastAsian(1033, 1, folder_.PathOf("missing.ini")));
}

TEST_F(WinIniTest, EastAsianSystemsAndNtNeverAsk) {
    Write("[intl]\r\nsLanguage=deu\r\n");
    EXPECT_FALSE(CannotShowEastAsian(1033, 2, path_));
    for (int id : {1028, 1041, 1042, 2052, 2066, 3076, 4100}) EXPECT_FALSE(CannotShowEastAsian(id, 1, path_)) << id;
    EXPECT_TRUE(CannotShowEastAsian(1031, 1, path_));
}

TEST(LanguagePackTable, MapsCharsetsToPacks) {
    LanguagePack pack;
    ASSERT_TRUE(LanguagePackFor(128, pack));
    EXPECT_EQ(pack.nameLine, 2);
    EXPECT_EQ(pack.file, "Ielpkja.exe");
    EXPECT_EQ(pack.downloadAddress, std::string(kMakerWebServer) + "/zelvo/download/Ielpkja.exe");
    for (int charset : {161, 162, 186, 204, 238}) {
        ASSERT_TRUE(LanguagePackFor(charset, pack)) << charset;
        EXPECT_EQ(pack.file, "lp_pe.exe");
        EXPECT_EQ(pack.nameLine, 4);
    }
    ASSERT_TRUE(LanguagePackFor(136, pack));
    EXPECT_EQ(pack.nameLine, 7);
    EXPECT_FALSE(LanguagePackFor(0, pack));
    EXPECT_TRUE(pack.file.empty());
}

TEST(LanguagePackTable, PacksComeFromTheUpdateServerTheSettingNames) {
    testing_support::ScopedRegistry registry;
    WriteRegString("AutoDetect", "Server", "http://127.0.0.1:8123/");
    LanguagePack pack;
    ASSERT_TRUE(LanguagePackFor(222, pack));
    EXPECT_EQ(pack.downloadAddress, "http://127.0.0.1:8123/zelvo/download/lp_thai.exe");
}

class LanguagePackOfferTest : public ::testing::Test {
  protected:
    testing_support::ScopedRegistry registry_;
};

TEST_F(LanguagePackOfferTest, AsksOncePerRunAndOnlyWithoutFonts) {
    std::set<int> handled;
    auto noFonts = [](int) { return false; };
    LanguagePackOffer offer = DecideLanguagePackOffer(177, handled, noFonts, "2024-5-6");
    EXPECT_TRUE(offer.ask);
    EXPECT_EQ(offer.pack.file, "lp_hebrw.exe");
    EXPECT_FALSE(DecideLanguagePackOffer(177, handled, noFonts, "2024-5-6").ask);

    EXPECT_FALSE(DecideLanguagePackOffer(128, handled, [](int) { return true; }, "2024-5-6").ask);
    EXPECT_FALSE(DecideLanguagePackOffer(0, handled, noFonts, "2024-5-6").ask);  // no pack
}

TEST_F(LanguagePackOfferTest, ClearedCheckBoxSilencesTheQuestionForThatDayOnly) {
    auto noFonts = [](int) { return false; };
    RecordLanguagePackAnswer(129, false, "2024-5-6");
    EXPECT_EQ(ReadRegString("Prompt Lan Pack", "129", "x"), "2024-5-6");
    std::set<int> run1;
    EXPECT_FALSE(DecideLanguagePackOffer(129, run1, noFonts, "2024-5-6").ask);
    std::set<int> run2;
    EXPECT_TRUE(DecideLanguagePackOffer(129, run2, noFonts, "2024-5-7").ask);
    RecordLanguagePackAnswer(129, true, "2024-5-7");
    EXPECT_EQ(ReadRegString("Prompt Lan Pack", "129", "x"), "");
    EXPECT_EQ(FormatPromptDate(2024, 5, 6), "2024-5-6");
}

}  // namespace
}  // namespace zelvo
