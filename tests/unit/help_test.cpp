#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "services/help.h"

namespace zelvo {
namespace {

TEST(HelpAddressTest, TopicsNameTheirPagesAndEveryOtherNumberTheIndex) {
    EXPECT_EQ(HelpPageOfTopic(2), "userguide\\0_contents.htm");
    EXPECT_EQ(HelpPageOfTopic(25), "userguide\\35_codetransfer.htm");
    EXPECT_EQ(HelpPageOfTopic(201), "userguide\\2_sysreq.htm");
    EXPECT_EQ(HelpPageOfTopic(9), "index.html");
    EXPECT_EQ(HelpPageOfTopic(202), "index.html");
    EXPECT_EQ(HelpPageOfTopic(-1), "index.html");
}

TEST(HelpAddressTest, FoldersFollowTheUiLanguageAndOthersUseEnglish) {
    EXPECT_EQ(HelpLocalPath("C:\\Zelvo", 2052, 8), "C:\\Zelvo\\doc\\gb2312\\rel_note.htm");
    EXPECT_EQ(HelpLocalPath("C:\\Zelvo", 1028, 21), "C:\\Zelvo\\doc\\big5\\userguide\\31_uilLan.htm");
    EXPECT_EQ(HelpLocalPath("C:\\Zelvo", 1041, 0), "C:\\Zelvo\\doc\\english\\index.html");  // Japanese pack
    EXPECT_EQ(HelpWebAddress(1028, 24), "https://www.tolvane.com/zelvo/help/big5/userguide/34_fromexpl.htm");
    EXPECT_EQ(HelpWebAddress(1033, 9), "https://www.tolvane.com/zelvo/help/english/index.html");
}

TEST(HelpAddressTest, HomePagesByUiLanguage) {
    EXPECT_EQ(ProductHomePage(2052), "https://www.tolvane.com/zelvo/index_chs.html");
    EXPECT_EQ(ProductHomePage(1028), "https://www.tolvane.com/zelvo/index_cht.html");
    EXPECT_EQ(ProductHomePage(1033), "https://www.tolvane.com/zelvo");
    EXPECT_EQ(MakerHomePage(2052), "https://www.tolvane.com/index_chs.html");
    EXPECT_EQ(MakerHomePage(1028), "https://www.tolvane.com/");
}

TEST(HelpAddressTest, RegisteredCommandLosesItsPlaceholderAndWhatFollows) {
    EXPECT_EQ(CommandLineForAddress("\"C:\\Browser\\b.exe\" \"%1\" -nohome", "https://x/y"),
              "\"C:\\Browser\\b.exe\" https://x/y");
    EXPECT_EQ(CommandLineForAddress("C:\\b.exe -url %1", "https://x/y"), "C:\\b.exe -url https://x/y");
    EXPECT_EQ(CommandLineForAddress("C:\\b.exe", "https://x/y"), "C:\\b.exe https://x/y");
    EXPECT_FALSE(CommandLineForAddress("", "https://x/y"));
    EXPECT_FALSE(CommandLineForAddress("\"%1\"", "https://x/y"));
}

TEST(HelpAddressTest, HelpGoesThroughTheInstalledOpener) {
    std::vector<int> opened;
    OpenHelpTopic(kHelpTopicStart);  // nothing installed: nothing happens
    SetHelpTopicOpener([&opened](int topic) { opened.push_back(topic); });
    OpenHelpTopic(kHelpTopicStart);
    OpenHelpTopic(kHelpTopicSystemRequirements);
    SetHelpTopicOpener(nullptr);
    OpenHelpTopic(kHelpTopicCodeTransfer);
    EXPECT_EQ(opened, (std::vector<int>{0, 201}));
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The shipped pages: every topic resolves to a page in each folder, every local link and picture
// of every page resolves, and each page declares the charset its folder's bytes are in.
TEST(HelpPagesTest, EveryTopicAndLinkOfTheThreeFoldersResolves) {
    const std::filesystem::path doc = std::filesystem::path(ZELVO_SOURCE_DIR) / "package" / "doc";
    const std::vector<std::pair<std::string, std::string>> folders = {
        {"english", "charset=iso-8859-1"}, {"gb2312", "charset=gbk"}, {"big5", "charset=big5"}};
    const std::regex link("(?:href|src)=\"([^\"#:]+)");
    for (const auto& [folder, charset] : folders) {
        const std::filesystem::path root = doc / folder;
        ASSERT_TRUE(std::filesystem::is_directory(root)) << root;
        for (int topic = -1; topic <= 202; ++topic) {
            std::string page = HelpPageOfTopic(topic);
            std::replace(page.begin(), page.end(), '\\', '/');
            EXPECT_TRUE(std::filesystem::is_regular_file(root / page)) << folder << " topic " << topic;
        }
        int pages = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".png") continue;
            ++pages;
            const std::string html = ReadAll(entry.path());
            EXPECT_NE(html.find(charset), std::string::npos) << entry.path();
            for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
                const std::filesystem::path target = entry.path().parent_path() / (*it)[1].str();
                EXPECT_TRUE(std::filesystem::is_regular_file(target)) << entry.path() << " -> " << (*it)[1];
            }
        }
        EXPECT_GE(pages, 15) << folder;
    }
}

// The Chinese pages are in their folders' encodings: a GBK byte pair of 简体 in gb2312, the Big5
// bytes of 說明 in big5 (both written out here, not produced by a codec).
TEST(HelpPagesTest, ChinesePagesHoldTheBytesOfTheirEncoding) {
    const std::filesystem::path doc = std::filesystem::path(ZELVO_SOURCE_DIR) / "package" / "doc";
    const std::string gbkIntro = ReadAll(doc / "gb2312" / "index.html");
    EXPECT_NE(gbkIntro.find("\xB0\xEF\xD6\xFA"), std::string::npos);  // 帮助
    const std::string big5Index = ReadAll(doc / "big5" / "index.html");
    EXPECT_NE(big5Index.find("\xBB\xA1\xA9\xFA"), std::string::npos);  // 說明
    EXPECT_NE(big5Index.find("\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zelvo
