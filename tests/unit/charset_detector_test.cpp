#include "convert/charset_detector.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "test_support.h"

namespace zelvo {
namespace {

using Codes = std::vector<int>;

using testing_support::kBig5Text;
using testing_support::kGbkText;

// GBK characters outside GB2312 only: every lead byte in 0x81..0xA0.
std::string GbkExtensionText() {
    std::string text;
    for (int lead = 0x81; lead <= 0xA0; ++lead) {
        for (int trail = 0x50; trail < 0x58; ++trail) {
            text += static_cast<char>(lead);
            text += static_cast<char>(trail);
        }
    }
    return text;
}

// "~{...~}" around the 7-bit form of common GB2312 characters (de, one, is, not, person).
std::string HzLine() {
    return "note ~{5DR;JG2;HK~} end\r\n";
}

class TempFiles {
  public:
    TempFiles() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zelvo_detect_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    ~TempFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::string path = (folder_ / name).string();
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  private:
    std::filesystem::path folder_;
};

TEST(CharsetDetectorTables, TellingCellsAndRankedCounts) {
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0xB5, 0xC4), 599);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0xD2, 0xBB), 598);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0xCA, 0xC7), 597);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0xB2, 0xBB), 596);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0xC1, 0xCB), 595);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0xC8, 0xCB), 594);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kBig5, 0xAA, 0xBA), 600);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kBig5, 0xAC, 0x4F), 599);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kBig5, 0xA4, 0xA3), 598);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kBig5, 0xA7, 0xDA), 597);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kBig5, 0xA4, 0x40), 596);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kBig5, 0xA6, 0xB3), 595);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kEucTw, 0xCE, 0xFB), 600);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kEucTw, 0xD1, 0xD2), 599);
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0x41, 0x41), 0);  // not addressable
    EXPECT_EQ(FrequencyWeight(FrequencyTable::kBig5, 0xA4, 0x7F), 0);

    // Ranked cells with a weight above 0 (each table's lowest rank holds 0 or 1).
    auto countRanked = [](FrequencyTable table, int& highest) {
        int count = 0;
        highest = 0;
        for (int b0 = 0xA1; b0 <= 0xFE; ++b0) {
            for (int b1 = 0x40; b1 <= 0xFE; ++b1) {
                const int weight = FrequencyWeight(table, b0, b1);
                EXPECT_GE(weight, 0);
                if (weight > 0) ++count;
                highest = std::max(highest, weight);
            }
        }
        return count;
    };
    int highest = 0;
    EXPECT_EQ(countRanked(FrequencyTable::kGb2312, highest), 599);
    EXPECT_EQ(highest, 599);
    EXPECT_EQ(countRanked(FrequencyTable::kBig5, highest), 600);
    EXPECT_EQ(highest, 600);
    EXPECT_EQ(countRanked(FrequencyTable::kEucTw, highest), 597);
    EXPECT_EQ(highest, 600);
}

TEST(CharsetDetector, AsciiIsSingleByteAndBlankTextIsUndecided) {
    Codes list = {99};
    EXPECT_EQ(GuessTextCharset("Plain ASCII text, nothing else.\r\n", list), kCharsetAnsi);
    EXPECT_EQ(list, Codes({kCharsetAnsi}));
    EXPECT_EQ(CharsetDetector::ScoreSingleByte("Plain ASCII"), 60);
    const CharsetScores scores = CharsetDetector::ScoreAll("Plain ASCII");
    for (int slot = 0; slot < kSlotSingleByte; ++slot) EXPECT_LE(scores[slot], 50) << slot;

    for (const std::string text : {"", " ", " \t\r\n \r\n", "x", "\r\n x \r\n"}) {
        list = {99};
        EXPECT_EQ(GuessTextCharset(text, list), kCharsetUndecided) << "[" << text << "]";
        EXPECT_TRUE(list.empty());
    }
}

TEST(CharsetDetector, CommonWordsInGbkAndBig5) {
    Codes list;
    EXPECT_EQ(GuessTextCharset(kGbkText, list), kCharsetGb2312);
    EXPECT_EQ(list, Codes({kCharsetGb2312}));
    EXPECT_EQ(GuessTextCharset(kBig5Text, list), kCharsetBig5);
    EXPECT_EQ(list, Codes({kCharsetBig5}));

    // Half and half: both encodings are good candidates, listed GB2312 first.
    GuessTextCharset(kGbkText + "\r\n" + kBig5Text, list);
    EXPECT_EQ(list, Codes({kCharsetGb2312, kCharsetBig5}));

    EXPECT_TRUE(LooksLikeGbk(kGbkText, 0));
    EXPECT_FALSE(LooksLikeBig5(kGbkText, 2));
    EXPECT_TRUE(LooksLikeBig5(kBig5Text, 0));
    EXPECT_FALSE(LooksLikeGbk(kBig5Text, 2));
}

TEST(CharsetDetector, Big5WeightsCountInEveryColumn) {
    // "I" (0xA7DA) has its second byte above 0xBF; its weight must still be found, or a
    // text of it would score like unranked pairs.
    const std::string text = "\xA7\xDA\xA7\xDA\xA7\xDA";
    EXPECT_EQ(CharsetDetector::ScoreBig5(text), static_cast<int>(50.0 * 3 * 597 / 1501 + 50.0 * 4 / 4));
    Codes list;
    EXPECT_EQ(GuessTextCharset(text, list), kCharsetBig5);
}

TEST(CharsetDetector, GbkExtensionTextScoresLowAndLeniencyDecides) {
    const std::string text = GbkExtensionText();
    EXPECT_LT(CharsetDetector::ScoreGb2312(text), 5);
    Codes list;
    EXPECT_EQ(GuessTextCharset(text, list), kCharsetUndecided);
    EXPECT_TRUE(list.empty());

    EXPECT_TRUE(LooksLikeBig5(text, 2));
    EXPECT_FALSE(LooksLikeBig5(text, 1));
    EXPECT_FALSE(LooksLikeBig5(text, 0));
    EXPECT_TRUE(LooksLikeGbk(text, 2));
    EXPECT_FALSE(LooksLikeGbk(text, 0));

    // Leniency 1 lets a good candidate through that lost to another one.
    const std::string mixed = kGbkText + kBig5Text;
    GuessTextCharset(mixed, list);
    ASSERT_EQ(list.size(), 2u);
    const bool big5Won = GuessTextCharset(mixed, list) == kCharsetBig5;
    EXPECT_TRUE(big5Won ? LooksLikeGbk(mixed, 1) : LooksLikeBig5(mixed, 1));
    EXPECT_FALSE(big5Won ? LooksLikeGbk(mixed, 0) : LooksLikeBig5(mixed, 0));
}

TEST(CharsetDetector, HzText) {
    std::string text;
    for (int i = 0; i < 5; ++i) text += HzLine();
    Codes list;
    EXPECT_EQ(GuessTextCharset(text, list), kCharsetHz);
    EXPECT_EQ(list, Codes({kCharsetAnsi, kCharsetHzCandidate}));

    // One escape: base 39, then the weight share of the one unit ("de", 599 of 501).
    EXPECT_EQ(CharsetDetector::ScoreHz("~{5D~}"), 39 + static_cast<int>(50.0 * 599 / 501));
    EXPECT_EQ(CharsetDetector::ScoreHz("~{5D~}~{5D~}"), static_cast<int>(41 + 50.0 * 1198 / 1001));
    // A line break ends the escaped run; what follows is plain text.
    EXPECT_EQ(CharsetDetector::ScoreHz("~{\n5D"), 39);
    // High-bit units inside the escape weigh as well; "~~" is a literal tilde.
    EXPECT_EQ(CharsetDetector::ScoreHz("~~{5D"), 0);
    EXPECT_EQ(CharsetDetector::ScoreHz("~{\xB5\xC4"), 39 + static_cast<int>(50.0 * 599 / 501));
}

TEST(CharsetDetector, DecisionTakesTheFirstStrictlyHighestScore) {
    Codes list;
    EXPECT_EQ(CharsetDetector::Decide({70, 0, 70, 0, 0, 0, 0}, list), kCharsetGb2312);
    EXPECT_EQ(list, Codes({kCharsetGb2312, kCharsetBig5}));
    EXPECT_EQ(CharsetDetector::Decide({60, 0, 0, 0, 0, 0, 60}, list), kCharsetGb2312);
    EXPECT_EQ(CharsetDetector::Decide({0, 0, 80, 80, 0, 0, 0}, list), kCharsetBig5);
    EXPECT_EQ(list, Codes({kCharsetBig5, kCharsetEucTw}));
    EXPECT_EQ(CharsetDetector::Decide({0, 0, 0, 81, 0, 0, 60}, list), kCharsetEucTw);
    EXPECT_EQ(CharsetDetector::Decide({55, 56, 0, 0, 0, 0, 0}, list), kCharsetHz);
    EXPECT_EQ(list, Codes({kCharsetGb2312, kCharsetHzCandidate}));
    // Decided above 50, but listed only above 54.
    EXPECT_EQ(CharsetDetector::Decide({0, 0, 0, 0, 0, 0, 52}, list), kCharsetAnsi);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(CharsetDetector::Decide({50, 50, 50, 50, 0, 0, 50}, list), kCharsetUndecided);

    // The same tie reached through real scores: two characters whose GB weights add up
    // to the same as their Big5 weights, and pairs valid in both.
    const std::string tie = "\xB1\xBE\xAB\xD8";
    ASSERT_EQ(FrequencyWeight(FrequencyTable::kGb2312, 0xB1, 0xBE) +
                  FrequencyWeight(FrequencyTable::kGb2312, 0xAB, 0xD8),
              FrequencyWeight(FrequencyTable::kBig5, 0xB1, 0xBE) +
                  FrequencyWeight(FrequencyTable::kBig5, 0xAB, 0xD8));
    ASSERT_EQ(CharsetDetector::ScoreGb2312(tie), CharsetDetector::ScoreBig5(tie));
    ASSERT_GT(CharsetDetector::ScoreGb2312(tie), 54);
    EXPECT_EQ(GuessTextCharset(tie, list), kCharsetGb2312);
    EXPECT_EQ(list, Codes({kCharsetGb2312, kCharsetBig5}));
}

TEST(CharsetDetector, SampleIsTheFirst9998BytesOfTheTrimmedTextUpToAZero) {
    Codes list;
    // One GB2312 pair in a sea of ASCII decides while it lies inside the sample...
    EXPECT_EQ(GuessTextCharset(std::string(9996, 'a') + "\xB5\xC4", list), kCharsetGb2312);
    // ...and not when its second byte falls past the cut.
    EXPECT_EQ(GuessTextCharset(std::string(9997, 'a') + "\xB5\xC4", list), kCharsetAnsi);
    EXPECT_EQ(GuessTextCharset(std::string(9998, 'a') + std::string(3000, '\xFF'), list), kCharsetAnsi);
    // Trimming comes first: leading line breaks do not use up the sample.
    EXPECT_EQ(GuessTextCharset(std::string(500, '\n') + std::string(9996, 'a') + "\xB5\xC4", list),
              kCharsetGb2312);

    EXPECT_EQ(GuessTextCharset(kGbkText + std::string(1, '\0') + kBig5Text + kBig5Text, list),
              kCharsetGb2312);
    EXPECT_EQ(GuessTextCharset(std::string("a\0", 2) + kGbkText, list), kCharsetUndecided);
    EXPECT_TRUE(list.empty());
}

TEST(CharsetDetector, Files) {
    TempFiles files;
    EXPECT_EQ(GuessFileCharset(files.Write("gbk.txt", kGbkText)), kCharsetGb2312);
    EXPECT_EQ(GuessFileCharset(files.Write("big5.txt", kBig5Text)), kCharsetBig5);
    EXPECT_EQ(GuessFileCharset(files.Write("zero.txt", std::string(4, '\0') + kGbkText)), kCharsetUndecided);
    EXPECT_EQ(GuessFileCharset(files.Write("empty.txt", "")), kCharsetUndecided);
    // Only the first 10,000 bytes are read.
    EXPECT_EQ(GuessFileCharset(files.Write("late.txt", std::string(10000, 'a') + kGbkText)), kCharsetAnsi);

    Codes list = {99};
    bool readable = true;
    CharsetDetector detector;
    EXPECT_EQ(detector.GuessFileCharset(files.PathOf("missing.txt"), list, readable), kCharsetUndecided);
    EXPECT_FALSE(readable);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(GuessFileCharset(files.PathOf("")), kCharsetUndecided);  // the folder itself
    EXPECT_EQ(detector.GuessFileCharset(files.PathOf("zero.txt"), list, readable), kCharsetUndecided);
    EXPECT_TRUE(readable);
}

struct RunResult {
    int exitCode = -1;
    std::string output;
};

RunResult RunZelvoc(const std::string& arguments) {
    RunResult result;
    const std::string command = std::string(ZELVO_DIST_DIR) + "/zelvoc " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
    const int status = ::pclose(pipe);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

TEST(ZelvocDetect, PrintsOneLinePerFileAndReportsUnreadableOnes) {
    TempFiles files;
    const std::string gbk = files.Write("gbk.txt", kGbkText);
    const std::string big5 = files.Write("big5.txt", kBig5Text);
    const std::string mixed = files.Write("mixed.txt", kGbkText + kBig5Text);
    const std::string missing = files.PathOf("missing.txt");

    RunResult run = RunZelvoc("detect '" + gbk + "' '" + big5 + "'");
    EXPECT_EQ(run.exitCode, 0);
    // The number first, for scripts, then its name; the path last.
    EXPECT_EQ(run.output, "134 GBK (code page 936)\t" + gbk + "\n136 Big5 (code page 950)\t" + big5 + "\n");

    run = RunZelvoc("detect --list '" + mixed + "' '" + missing + "' '" + gbk + "'");
    EXPECT_EQ(run.exitCode, 1);
    const int best = GuessFileCharset(mixed);
    const std::string bestText =
        best == kCharsetGb2312 ? "134 GBK (code page 936)" : "136 Big5 (code page 950)";
    EXPECT_EQ(run.output, bestText + "\t134 GBK,136 Big5\t" + mixed + "\n-1 unreadable\t-\t" + missing +
                              "\n134 GBK (code page 936)\t134 GBK\t" + gbk + "\n");
    const std::string empty = files.Write("empty.txt", "");
    const std::string ascii =
        files.Write("ascii.txt", "plain ASCII text, long enough to be judged as such.\r\n");
    run = RunZelvoc("detect '" + empty + "' '" + ascii + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "-1 undecided\t" + empty + "\n0 single-byte\t" + ascii + "\n");

    EXPECT_EQ(RunZelvoc("detect").exitCode, 2);
    EXPECT_EQ(RunZelvoc("detect --bogus '" + gbk + "'").exitCode, 2);
    EXPECT_EQ(RunZelvoc("detect --list").exitCode, 2);
}

}  // namespace
}  // namespace zelvo
