#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

constexpr int kGbk = 936;

struct Case {
    const char* argument;
    bool accepted;
    int launch;
    int language;
    const char* path;
};

// The forms the shell extension and the program itself write, and what each means.
TEST(CommandLine, AcceptedFormsAndTheirMeaning) {
    const Case cases[] = {
        {"C:\\a.txt", true, 0, -1, "c:\\a.txt"},
        {"\"C:\\My Files\\a.txt\"", true, 0, -1, "c:\\my files\\a.txt"},
        {"  \t\"C:\\a.txt\"\r\n", true, 0, -1, "c:\\a.txt"},
        {"[n]2[p]C:\\a.txt", true, 2, -1, "c:\\a.txt"},
        {"\"[n]0[p]C:\\a.txt\"", true, 0, -1, "c:\\a.txt"},
        {"[l]3[p]C:\\b.txt", true, 0, 3, "c:\\b.txt"},
        {"\"[l]1[p]C:\\b.txt\"", true, 0, 1, "c:\\b.txt"},
        {"[n]5[l]3[p]C:\\b.txt", true, 5, 3, "c:\\b.txt"},
        {"[N]7[L]1[P]C:\\B.TXT", true, 7, 1, "c:\\b.txt"},
        {"[n]12[p]", true, 12, -1, ""},
        // "[l]" after "[p]" belongs to the path.
        {"[n]1[p]C:\\[l]2.txt", true, 1, -1, "c:\\[l]2.txt"},
        {"[n][l]2[p]C:\\x.txt", true, 0, 2, "c:\\x.txt"},
        {"[n]x[p]C:\\x.txt", true, 0, -1, "c:\\x.txt"},
        {"[n]-4[p]C:\\x.txt", true, 0, -1, "c:\\x.txt"},
        // The length test counts the quotes.
        {"  \"a.t\"  ", true, 0, -1, "a.t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        auto request = ParseCommandLine(c.argument, kGbk);
        ASSERT_EQ(request.has_value(), c.accepted);
        EXPECT_EQ(request->launchIndex, c.launch);
        EXPECT_EQ(request->languageIndex, c.language);
        EXPECT_EQ(request->path, c.path);
    }
}

TEST(CommandLine, MalformedArgumentsAreIgnored) {
    const char* rejected[] = {
        "",
        "    ",
        "a.tx",             // four characters or fewer
        "\"C:\\a.txt",      // quote at the start only
        "C:\\a.txt\"",      // quote at the end only
        "[n][p]C:\\a.txt",  // "[p]" at position 3
        "[n]1C:\\a.txt",    // no "[p]"
        "[l]3C:\\b.txt",    // no "[p]"
    };
    for (const char* argument : rejected) {
        SCOPED_TRACE(argument);
        EXPECT_FALSE(ParseCommandLine(argument, kGbk).has_value());
    }
}

TEST(CommandLine, LanguageIndexMustBeAPlainNonNegativeNumber) {
    const std::pair<const char*, int> cases[] = {
        {"[l]x[p]C:\\b.txt", -1},           {"[l][p]C:\\b.txt", -1},   {"[l]-1[p]C:\\b.txt", -1},
        {"[l]03[p]C:\\b.txt", -1},          {"[l]+3[p]C:\\b.txt", -1}, {"[l] 3[p]C:\\b.txt", -1},
        {"[l]3a[p]C:\\b.txt", -1},          {"[l]0[p]C:\\b.txt", 0},   {"[l]45[p]C:\\b.txt", 45},
        {"[l]99999999999[p]C:\\b.txt", -1},
    };
    for (const auto& [argument, language] : cases) {
        SCOPED_TRACE(argument);
        auto request = ParseCommandLine(argument, kGbk);
        ASSERT_TRUE(request.has_value());
        EXPECT_EQ(request->languageIndex, language);
    }
}

// In GBK a trail byte can be an upper-case ASCII letter or '[': lower-casing and the tag
// search must step over whole characters.
TEST(CommandLine, DoubleBytePathsStayIntact) {
    // 0xC4 0x41 and 0xB0 0x50 are two GBK characters whose trail bytes are 'A' and 'P'.
    std::string gbkName = "\xC4\x41\xB0\x50";
    auto request = ParseCommandLine("\"C:\\" + gbkName + ".TXT\"", kGbk);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->path, "c:\\" + gbkName + ".txt");

    // A character whose trail byte is '[' followed by "p]" is not the path tag.
    std::string tricky = "\x81[p]";
    request = ParseCommandLine("[l]1" + tricky + "[p]C:\\x.txt", kGbk);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->path, "c:\\x.txt");
    EXPECT_EQ(request->languageIndex, -1);  // L is "\x81[p]", not a number

    request = ParseCommandLine("[n]1[p]D:\\" + gbkName + "\\" + gbkName + ".TXT", kGbk);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->path, "d:\\" + gbkName + "\\" + gbkName + ".txt");
}

TEST(CommandLine, AtoiReadsLikeTheCLibraryWithoutOverflow) {
    EXPECT_EQ(AtoiText("12"), 12);
    EXPECT_EQ(AtoiText("  -7x"), -7);
    EXPECT_EQ(AtoiText("x7"), 0);
    EXPECT_EQ(AtoiText(""), 0);
    EXPECT_EQ(AtoiText("99999999999999999999"), 2147483647);
    EXPECT_EQ(AtoiText("-99999999999999999999"), -2147483647 - 1);
    EXPECT_TRUE(IsDecimalText("-3"));
    EXPECT_FALSE(IsDecimalText("2147483648"));
}

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

TEST(CommandLine, GivenLanguageWinsElseTheGuessedCharsetDecides) {
    int guesses = 0;
    auto guess = [&guesses](int charset) {
        return [&guesses, charset] {
            ++guesses;
            return charset;
        };
    };
    EXPECT_EQ(ChooseSourceLanguageIndex(3, guess(134)), 3);
    EXPECT_EQ(ChooseSourceLanguageIndex(0, guess(136)), 0);
    EXPECT_EQ(guesses, 0);  // a given index needs no detection
    EXPECT_EQ(ChooseSourceLanguageIndex(-1, guess(134)), 1);
    EXPECT_EQ(ChooseSourceLanguageIndex(-1, guess(136)), 3);
    EXPECT_EQ(ChooseSourceLanguageIndex(-1, guess(0)), -1);
    EXPECT_EQ(ChooseSourceLanguageIndex(-1, guess(-1)), -1);
    EXPECT_EQ(ChooseSourceLanguageIndex(-1, guess(258)), -1);
    EXPECT_EQ(guesses, 5);
}

}  // namespace
}  // namespace zelvo
