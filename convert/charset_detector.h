// Code page detection: decides without asking whether a text or a file is GBK, Big5,
// HZ, EUC-TW or single-byte, by scoring a sample against compiled-in character
// frequency tables and the share of valid double-byte pairs.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// Results are Windows character-set numbers where one exists.
constexpr int kCharsetAnsi = 0;
constexpr int kCharsetHz = 2;
constexpr int kCharsetGb2312 = 134;
constexpr int kCharsetBig5 = 136;
constexpr int kCharsetHzCandidate = 258;  // HZ as it appears in the list of good candidates
constexpr int kCharsetEucTw = 259;
constexpr int kCharsetUndecided = -1;

// Longest part of a text that is scored, and how much of a file is read for it.
constexpr size_t kDetectionSampleBytes = 9998;
constexpr size_t kDetectionFileBytes = 10000;

// The scores in decision order: GB2312, HZ, Big5, EUC-TW, two reserved slots, single-byte.
enum CharsetScoreSlot {
    kSlotGb2312,
    kSlotHz,
    kSlotBig5,
    kSlotEucTw,
    kSlotReserved1,
    kSlotReserved2,
    kSlotSingleByte,
    kCharsetScoreSlots
};
using CharsetScores = std::array<int, kCharsetScoreSlots>;

enum class FrequencyTable { kGb2312, kBig5, kEucTw };

class CharsetDetector {
  public:
    // Best candidate's code, or -1; goodCandidates gets every candidate scoring above 54
    // in the order 134, 136, 0, 258, 259.
    int GuessTextCharset(std::string_view text, std::vector<int>& goodCandidates) const;
    // -1 when the file is missing or unreadable; otherwise the guess for its first
    // 10,000 bytes up to the first zero byte.
    int GuessFileCharset(const std::string& path) const;
    // The same, keeping the list of good candidates and telling whether the file could
    // be read at all (an unreadable file and an undecided one both give -1).
    int GuessFileCharset(const std::string& path, std::vector<int>& goodCandidates, bool& readable) const;
    // Leniency 0: only a decided Big5 / GBK passes. 1: a good Big5 / GBK candidate
    // passes too. 2: an undecided text passes as well.
    bool LooksLikeBig5(std::string_view text, int leniency) const;
    bool LooksLikeGbk(std::string_view text, int leniency) const;

    // The scorers, each over a sample already cut (0..100; HZ up to 110).
    static int ScoreGb2312(std::string_view sample);
    static int ScoreHz(std::string_view sample);
    static int ScoreBig5(std::string_view sample);
    static int ScoreEucTw(std::string_view sample);
    static int ScoreSingleByte(std::string_view sample);
    static CharsetScores ScoreAll(std::string_view sample);
    // Applies the decision rule to a set of scores.
    static int Decide(const CharsetScores& scores, std::vector<int>& goodCandidates);

  private:
    bool LooksLike(std::string_view text, int leniency, int wanted) const;
};

// Convenience forms over a detector made for the one call.
int GuessTextCharset(std::string_view text, std::vector<int>& goodCandidates);
int GuessFileCharset(const std::string& path);
bool LooksLikeBig5(std::string_view text, int leniency);
bool LooksLikeGbk(std::string_view text, int leniency);

// Weight of the frequency table cell of a double-byte code (0 when not ranked or not
// addressable in that table).
int FrequencyWeight(FrequencyTable table, unsigned char firstByte, unsigned char secondByte);

}  // namespace zelvo
