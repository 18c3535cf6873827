#include "services/settings_file.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/system_info.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "test_support.h"

namespace zelvo {
namespace {

class SettingsFileTest : public ::testing::Test {
  protected:
    std::string Get(const SettingsFile& file, const std::string& section, const std::string& key) const {
        std::string value;
        file.GetString(section, key, "<missing>", value);
        return value;
    }

    testing_support::TempFolder folder_{"zelvo-settings"};
    testing_support::ScopedMessages messages_;
    testing_support::ScopedCodePage codePage_{kCodePageGbk};
};

TEST_F(SettingsFileTest, TypedValuesRoundTripInTheDocumentedLayout) {
    SettingsFile file;
    EXPECT_TRUE(file.SetString("FR Source", "Last Find", "abc"));
    EXPECT_TRUE(file.SetInt("FR Source", "Count", -42));
    EXPECT_TRUE(file.SetBool("Zelvo", "Have Menu Bar", true));
    EXPECT_TRUE(file.SetLong("Zelvo", "Size", 123456L));
    EXPECT_TRUE(file.SetBool("FR Source", "Match Case", false));
    std::string path = folder_.PathOf("profile.ini");
    ASSERT_TRUE(file.Save(path));
    EXPECT_EQ(folder_.Read(path),
              "[FR Source]\r\nLast Find = abc\r\nCount = -42\r\nMatch Case = false\r\n\r\n"
              "[Zelvo]\r\nHave Menu Bar = true\r\nSize = 123456\r\n");

    SettingsFile loaded;
    ASSERT_TRUE(loaded.Load(path));
    int count = 0;
    long size = 0;
    bool menuBar = false, matchCase = true;
    EXPECT_EQ(Get(loaded, "FR Source", "Last Find"), "abc");
    EXPECT_TRUE(loaded.GetInt("FR Source", "Count", 0, count));
    EXPECT_EQ(count, -42);
    EXPECT_TRUE(loaded.GetLong("Zelvo", "Size", 0, size));
    EXPECT_EQ(size, 123456L);
    EXPECT_TRUE(loaded.GetBool("Zelvo", "Have Menu Bar", false, menuBar));
    EXPECT_TRUE(menuBar);
    EXPECT_TRUE(loaded.GetBool("FR Source", "Match Case", true, matchCase));
    EXPECT_FALSE(matchCase);

    // Replacing a value edits its line in place.
    EXPECT_TRUE(loaded.SetString("FR Source", "Last Find", "xyz"));
    EXPECT_EQ(loaded.Lines()[1], "Last Find = xyz");
    EXPECT_EQ(loaded.Lines().size(), 8u);
}

TEST_F(SettingsFileTest, GettersFallBackAndConvertLikeTheCRuntime) {
    std::string path =
        folder_.Write("s.ini",
                      "[S]\r\nOne = 1\r\nUntrue = untrue\r\nCapital = True\r\nNumber =   -12abc\r\n"
                      "Text = abc\r\nEmpty = \r\n");
    SettingsFile file;
    file.Load(path);
    bool flag = true;
    EXPECT_TRUE(file.GetBool("S", "One", true, flag));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(file.GetBool("S", "Untrue", false, flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(file.GetBool("S", "Capital", true, flag));
    EXPECT_FALSE(flag);
    EXPECT_FALSE(file.GetBool("S", "Missing", true, flag));
    EXPECT_TRUE(flag);
    int number = 5;
    EXPECT_TRUE(file.GetInt("S", "Number", 0, number));
    EXPECT_EQ(number, -12);
    EXPECT_TRUE(file.GetInt("S", "Text", 7, number));
    EXPECT_EQ(number, 0);
    EXPECT_FALSE(file.GetInt("Nowhere", "Number", 7, number));
    EXPECT_EQ(number, 7);
    // An empty value is trimmed to "Empty =" on disk; it is still the key, with "".
    std::string value;
    EXPECT_TRUE(file.GetString("S", "Empty", "default", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(file.SetString("S", "Empty", "now set"));
    EXPECT_EQ(Get(file, "S", "Empty"), "now set");
    EXPECT_EQ(file.Lines().size(), 7u);  // replaced, not added
    // Getters create nothing.
    EXPECT_FALSE(file.GetString("New Section", "Key", "", value));
    EXPECT_EQ(file.Lines().size(), 7u);
    EXPECT_EQ(ReadSettingString(path, "S", "Text", "d"), "abc");
    EXPECT_EQ(ReadSettingString(folder_.PathOf("none.ini"), "S", "Text", "d"), "d");
}

TEST_F(SettingsFileTest, BlockValuesRoundTripWithEscapedAngleBrackets) {
    SettingsFile file;
    const std::string value = "first line\r\n  <a> and <<b>> <B End>\r\n\r\n<B Start>\r\nlast";
    file.SetString("Lib", "Description", value);
    file.SetString("Lib", "After", "plain");
    std::string path = folder_.PathOf("block.ini");
    ASSERT_TRUE(file.Save(path));
    EXPECT_EQ(
        folder_.Read(path),
        "[Lib]\r\nDescription = {{Block}}\r\n<B Start>\r\nfirst line\r\n  <<a>> and <<<<b>>>> <<B End>>\r\n"
        "\r\n<<B Start>>\r\nlast\r\n<B End>\r\nAfter = plain\r\n");
    SettingsFile loaded;
    loaded.Load(path);
    EXPECT_EQ(Get(loaded, "Lib", "Description"), value);
    EXPECT_EQ(Get(loaded, "Lib", "After"), "plain");

    // Trailing blanks and line breaks of a value are lost on save, as every line is trimmed.
    file.SetString("Lib", "Description", "a\r\nb  \r\n\r\n");
    ASSERT_TRUE(file.Save(path));
    loaded.Load(path);
    EXPECT_EQ(Get(loaded, "Lib", "Description"), "a\r\nb");
}

TEST_F(SettingsFileTest, ReadingBlocksToleratesDamagedFiles) {
    // A block cut off at the end of the file still yields its value; bracketed lines in
    // a block are value lines; a block header with no key is dropped.
    std::string path = folder_.Write("damaged.ini",
                                     " = {{Block}}\r\n[First]\r\nA = 1\r\nText = {{Block}}\r\n<B Start>\r\n"
                                     "[Not A Header]\r\ntail <<x>>");
    SettingsFile file;
    file.Load(path);
    EXPECT_EQ(Get(file, "First", "A"), "1");
    EXPECT_EQ(Get(file, "First", "Text"), "[Not A Header]\r\ntail <x>");
    int count = 0;
    EXPECT_EQ(file.FindSection("Not A Header", count), -1);
    ASSERT_FALSE(file.Lines().empty());
    EXPECT_EQ(file.Lines()[0], "[First]");
}

TEST_F(SettingsFileTest, ValueThatEndsLikeABlockHeaderDoesNotSwallowLaterLines) {
    SettingsFile file;
    file.SetString("S", "Odd", "x = {{Block}}");
    file.SetString("S", "Next", "kept");
    file.SetString("S", "Broken", "one\ntwo");  // a lone LF must not split the line on disk
    std::string path = folder_.PathOf("odd.ini");
    ASSERT_TRUE(file.Save(path));
    SettingsFile loaded;
    loaded.Load(path);
    EXPECT_EQ(Get(loaded, "S", "Odd"), "x = {{Block}}");
    EXPECT_EQ(Get(loaded, "S", "Next"), "kept");
    EXPECT_EQ(Get(loaded, "S", "Broken"), "one\r\ntwo");
    EXPECT_EQ(loaded.Lines().size(), 4u);
}

TEST_F(SettingsFileTest, SectionHeadersAreExactAndNeedNoEqualsSign) {
    std::string path = folder_.Write(
        "headers.ini", "[Main]\r\nKey = main\r\n[a=b]\r\nKey = shadowed\r\n[Profile]\r\nKey = profile\r\n");
    SettingsFile file;
    file.Load(path);
    int count = 0;
    EXPECT_EQ(file.FindSection("Main", count), 0);
    EXPECT_EQ(count, 3);                          // "[a=b]" is an ordinary line of the section
    EXPECT_EQ(Get(file, "Main", "Key"), "main");  // first of two equal keys wins
    EXPECT_EQ(Get(file, "main", "Key"), "<missing>");
    EXPECT_EQ(Get(file, "Profile", "key"), "<missing>");
    EXPECT_EQ(Get(file, "  Profile\t", "Key"), "profile");
    EXPECT_EQ(file.EnsureSection("x=y", count), -1);
    EXPECT_FALSE(file.SetString("x=y", "Key", "v"));
    // A CR LF in a name stands as four spaces, in the file and in look-ups.
    EXPECT_TRUE(file.SetString("Two\r\nLines", "K\r\ney", "v"));
    EXPECT_EQ(file.Lines()[file.Lines().size() - 2], "[Two    Lines]");
    EXPECT_EQ(file.Lines().back(), "K    ey = v");
    EXPECT_EQ(Get(file, "Two\r\nLines", "K\r\ney"), "v");
}

TEST_F(SettingsFileTest, NormalizeTidiesHandEditedFiles) {
    std::string path = folder_.Write(
        "hand.ini",
        "\n\n  [A]  \n\n  One = 1\t\n\n\nTwo = 2\r\n[B]\r\nThree = 3\r\n; note 1\r\n;note 2\r\n\r\n");
    SettingsFile file;
    file.Load(path);
    const std::vector<std::string> expected = {"[A]",       "One = 1", "Two = 2",  "",       "[B]",
                                               "Three = 3", "",        "; note 1", ";note 2"};
    EXPECT_EQ(file.Lines(), expected);
    EXPECT_EQ(Get(file, "A", "Two"), "2");
    // New keys of the last section go above the trailing comments.
    file.SetInt("B", "Four", 4);
    EXPECT_EQ(file.Lines()[6], "Four = 4");
    EXPECT_EQ(file.Lines()[8], "; note 1");
    // A key for a missing section: blank line, header, key line at the end.
    file.SetString("C", "Five", "5");
    size_t n = file.Lines().size();
    EXPECT_EQ(file.Lines()[n - 3], "");
    EXPECT_EQ(file.Lines()[n - 2], "[C]");
    EXPECT_EQ(file.Lines()[n - 1], "Five = 5");
}

TEST_F(SettingsFileTest, TrailBytesAreNotTakenForSyntax) {
    // GBK characters whose trail bytes are ']', '[' and '\'.
    const std::string bracketClose = "\x81\x5D", bracketOpen = "\x81\x5B", backslash = "\x81\x5C";
    std::string path =
        folder_.Write("gbk.ini", "[S]\r\nA = 1\r\n[X" + bracketClose + "\r\nB = 2\r\n[Name" + bracketClose +
                                     "]\r\nC = " + bracketOpen + backslash + "\r\n");
    SettingsFile file;
    file.Load(path);
    // "[X" + lead + ']' ends in a trail byte, so it is no header: B stays in section S.
    EXPECT_EQ(Get(file, "S", "B"), "2");
    EXPECT_EQ(Get(file, "Name" + bracketClose, "C"), bracketOpen + backslash);

    // In a single-byte code page the same bytes do make a header.
    SetSystemCodePageForTests(1252);
    file.Load(path);
    EXPECT_EQ(Get(file, "S", "B"), "<missing>");
    SetSystemCodePageForTests(kCodePageGbk);

    // Values and section names with such characters survive a save.
    ASSERT_TRUE(file.Save(path));
    file.Load(path);
    EXPECT_EQ(Get(file, "Name" + bracketClose, "C"), bracketOpen + backslash);
    EXPECT_EQ(Get(file, "S", "B"), "2");
}

TEST_F(SettingsFileTest, LongLinesAreKeptWhole) {
    const std::string longValue(5000, 'x');
    std::string path = folder_.Write("long.ini", "[S]\nLong = " + longValue + "\nAfter = 1\n");
    SettingsFile file;
    file.Load(path);
    EXPECT_EQ(Get(file, "S", "Long"), longValue);
    EXPECT_EQ(Get(file, "S", "After"), "1");
    EXPECT_EQ(file.Lines().size(), 3u);
}

TEST_F(SettingsFileTest, SaveCreatesMissingFoldersAndReportsFailures) {
    SettingsFile file;
    file.SetBool("PDAF_G2B", "Apply", true);
    std::string deep = JoinPath(JoinPath(folder_.PathOf("config"), "more"), "wag2b.ini");
    ASSERT_TRUE(file.Save(deep));
    EXPECT_EQ(folder_.Read(deep), "[PDAF_G2B]\r\nApply = true\r\n");
    EXPECT_TRUE(messages_->shown.empty());

    // A path below a plain file cannot be written: one message naming the path.
    std::string blocker = folder_.Write("blocker", "data");
    std::string impossible = JoinPath(blocker, "wag2b.ini");
    EXPECT_FALSE(file.Save(impossible));
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_NE(messages_->shown[0].text.find("\"" + impossible + "\""), std::string::npos);
    EXPECT_EQ(messages_->shown[0].style, static_cast<unsigned>(kMbOk));
    EXPECT_EQ(folder_.Read(blocker), "data");

    // A folder in the way of the file: the folder and its content stay.
    std::string folderInTheWay = folder_.PathOf("taken.ini");
    ASSERT_TRUE(CreateFolder(folderInTheWay));
    EXPECT_FALSE(file.Save(folderInTheWay));
    EXPECT_TRUE(FolderExists(folderInTheWay));
    EXPECT_EQ(messages_->shown.size(), 2u);
}

TEST_F(SettingsFileTest, PlainIniModeReadsForeignFiles) {
    std::string path = folder_.Write("win.ini", "[windows]\r\nload=\r\ndevice=HP,winspool,LPT1:\r\n");
    SettingsFile file;
    file.plainIniMode = true;
    file.Load(path);
    EXPECT_EQ(Get(file, "windows", "device"), "HP,winspool,LPT1:");
    EXPECT_EQ(Get(file, "windows", "load"), "");
}

TEST(SplitLinesTest, CutsOnlyAtCrLf) {
    std::vector<std::string> lines = {"stale"};
    EXPECT_EQ(SplitLines("", lines), 0);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(SplitLines("a\r\n\r\nb\nc\rd", lines), 3);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b\nc\rd"}));
    EXPECT_EQ(SplitLines("a\r\n", lines), 1);
    EXPECT_EQ(SplitLines("a\r\n\r\n", lines), 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", ""}));
}

}  // namespace
}  // namespace zelvo
