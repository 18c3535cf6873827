#include "convert/charset_detector.h"

#include <algorithm>

#include "platform/file_system.h"
#include "services/multibyte.h"

namespace zelvo {
namespace {

struct RankedCell {
    unsigned char firstByte;
    unsigned char secondByte;
    int weight;
};

#include "convert/tables/frequency_tables.inc"

constexpr int kRows = 94;
constexpr int kGbColumns = 94;
constexpr int kBig5Columns = 158;

// Big5 second bytes come in two runs: 0x40..0x7E in columns 0..62 and 0xA1..0xFE in
// columns 64..157. -1 for a byte outside both.
constexpr int Big5Column(unsigned char secondByte) {
    if (secondByte >= 0x40 && secondByte <= 0x7E) return secondByte - 0x40;
    if (secondByte >= 0xA1 && secondByte <= 0xFE) return secondByte - 0x61;
    return -1;
}

template <int Columns>
using Table = std::array<std::array<int, Columns>, kRows>;

template <int Columns, size_t N, typename ColumnOf>
constexpr Table<Columns> BuildTable(const RankedCell (&cells)[N], ColumnOf columnOf) {
    Table<Columns> table{};
    for (const RankedCell& cell : cells) {
        table[cell.firstByte - 0xA1][columnOf(cell.secondByte)] = cell.weight;
    }
    return table;
}

constexpr int SquareColumn(unsigned char secondByte) {
    return secondByte - 0xA1;
}

// Built at compile time: a detection indexes them directly and allocates nothing.
constexpr Table<kGbColumns> kGbTable = BuildTable<kGbColumns>(kGbRankedCells, SquareColumn);
constexpr Table<kBig5Columns> kBig5Table = BuildTable<kBig5Columns>(kBig5RankedCells, Big5Column);
constexpr Table<kGbColumns> kEucTwTable = BuildTable<kGbColumns>(kEucTwRankedCells, SquareColumn);

constexpr bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// Only weights a table can really hold count; anything else in a cell is ignored.
constexpr int UsableWeight(int cell) {
    return cell >= -1 && cell <= 600 ? cell : 0;
}

// The common frame of the double-byte scorers: half the score is how much of the
// sample's frequency mass the table recognises, half the share of high bytes that
// start a valid pair. Each scorer says which pairs are valid and what they weigh.
template <typename PairWeight>
int ScoreDoubleByte(std::string_view sample, PairWeight pairWeight) {
    int high = 1;
    int pairs = 1;
    int totalWeight = 1;
    int weight = 0;
    const size_t n = sample.size();
    size_t i = 0;
    while (i + 1 < n) {
        const auto b0 = static_cast<unsigned char>(sample[i]);
        if (b0 <= 0x7E) {
            ++i;
            continue;
        }
        const auto b1 = static_cast<unsigned char>(sample[i + 1]);
        ++high;
        int cell = 0;
        if (pairWeight(b0, b1, cell)) {
            ++pairs;
            totalWeight += 500;
            weight += UsableWeight(cell);
        }
        i += 2;
    }
    return static_cast<int>(50.0 * weight / totalWeight + 50.0 * pairs / high);
}

int HzBase(int escapes) {
    if (escapes >= 5) return 50;
    if (escapes >= 2) return 41;
    if (escapes == 1) return 39;
    return 0;
}

// Scored slots with the code each reports as the best candidate and as a good one
// (0 for the reserved slots, which never score).
constexpr std::array<int, kCharsetScoreSlots> kBestCodes = {
    kCharsetGb2312,    kCharsetHz,        kCharsetBig5, kCharsetEucTw,
    kCharsetUndecided, kCharsetUndecided, kCharsetAnsi};

constexpr int kGoodScore = 54;
constexpr int kDecidedScore = 50;

}  // namespace

int CharsetDetector::ScoreGb2312(std::string_view sample) {
    return ScoreDoubleByte(sample, [](unsigned char b0, unsigned char b1, int& cell) {
        if (!InRange(b0, 0xA1, 0xF7) || !InRange(b1, 0xA1, 0xFE)) return false;
        cell = kGbTable[b0 - 0xA1][b1 - 0xA1];
        return true;
    });
}

int CharsetDetector::ScoreBig5(std::string_view sample) {
    return ScoreDoubleByte(sample, [](unsigned char b0, unsigned char b1, int& cell) {
        const int column = Big5Column(b1);
        if (!InRange(b0, 0xA1, 0xF9) || column < 0) return false;
        // Every column is looked up, second bytes 0xC0..0xFE included: a third of the
        // most frequent Big5 characters ("I" at 0xA7DA among them) sit there.
        cell = kBig5Table[b0 - 0xA1][column];
        return true;
    });
}

int CharsetDetector::ScoreEucTw(std::string_view sample) {
    return ScoreDoubleByte(sample, [](unsigned char b0, unsigned char b1, int& cell) {
        if (!InRange(b0, 0xA1, 0xFE) || !InRange(b1, 0xA1, 0xFE)) return false;
        cell = kEucTwTable[b0 - 0xA1][b1 - 0xA1];
        return true;
    });
}

int CharsetDetector::ScoreHz(std::string_view sample) {
    int escapes = 0;
    int totalWeight = 1;
    int weight = 0;
    const size_t n = sample.size();
    auto at = [&](size_t index) { return static_cast<unsigned char>(sample[index]); };
    size_t i = 0;
    while (i + 1 < n) {
        if (at(i) == '~' && at(i + 1) == '{') {
            ++escapes;
            i += 2;
            // GB2312 in 7-bit form (or, leniently, with the high bits still set) up to
            // the end of the line or the closing escape.
            while (i + 1 < n) {
                const unsigned char b0 = at(i);
                const unsigned char b1 = at(i + 1);
                if (b0 == '\r' || b0 == '\n') break;
                if (b0 == '~' && b1 == '}') {
                    i += 2;
                    break;
                }
                if (InRange(b0, 0x21, 0x77) && InRange(b1, 0x21, 0x77)) {
                    totalWeight += 500;
                    weight += UsableWeight(kGbTable[b0 - 0x21][b1 - 0x21]);
                } else if (InRange(b0, 0xA1, 0xF7) && InRange(b1, 0xA1, 0xF7)) {
                    totalWeight += 500;
                    weight += UsableWeight(kGbTable[b0 - 0xA1][b1 - 0xA1]);
                }
                i += 2;
            }
        } else if (at(i) == '~' && (at(i + 1) == '}' || at(i + 1) == '~')) {
            i += 2;
        } else {
            ++i;
        }
    }
    return static_cast<int>(HzBase(escapes) + 50.0 * weight / totalWeight);
}

int CharsetDetector::ScoreSingleByte(std::string_view sample) {
    if (sample.empty()) return 0;
    int total = 0;
    for (char c : sample) total += static_cast<unsigned char>(c) <= 0x7E ? 1 : -9;
    total = std::max(total, 0);
    return static_cast<int>(10 + 50.0 * total / static_cast<double>(sample.size()));
}

CharsetScores CharsetDetector::ScoreAll(std::string_view sample) {
    CharsetScores scores{};
    scores[kSlotGb2312] = ScoreGb2312(sample);
    scores[kSlotHz] = ScoreHz(sample);
    scores[kSlotBig5] = ScoreBig5(sample);
    scores[kSlotEucTw] = ScoreEucTw(sample);
    scores[kSlotSingleByte] = ScoreSingleByte(sample);
    return scores;
}

int CharsetDetector::Decide(const CharsetScores& scores, std::vector<int>& goodCandidates) {
    goodCandidates.clear();
    struct Listed {
        CharsetScoreSlot slot;
        int code;
    };
    static constexpr Listed kListOrder[] = {{kSlotGb2312, kCharsetGb2312},
                                            {kSlotBig5, kCharsetBig5},
                                            {kSlotSingleByte, kCharsetAnsi},
                                            {kSlotHz, kCharsetHzCandidate},
                                            {kSlotEucTw, kCharsetEucTw}};
    for (const Listed& entry : kListOrder) {
        if (scores[entry.slot] > kGoodScore) goodCandidates.push_back(entry.code);
    }
    int best = 0;
    for (int slot = 1; slot < kCharsetScoreSlots; ++slot) {
        if (scores[slot] > scores[best]) best = slot;  // strictly higher: the earlier slot wins ties
    }
    if (scores[best] <= kDecidedScore) return kCharsetUndecided;
    return kBestCodes[best];
}

int CharsetDetector::GuessTextCharset(std::string_view text, std::vector<int>& goodCandidates) const {
    goodCandidates.clear();
    const std::string trimmed = TrimBlanks(text);
    std::string_view sample(trimmed);
    sample = sample.substr(0, std::min(sample.size(), kDetectionSampleBytes));
    sample = sample.substr(0, std::min(sample.size(), sample.find('\0')));
    // A sample cut to under two bytes by a zero byte says nothing either (and would
    // leave the single-byte share without a denominator).
    if (sample.size() < 2) return kCharsetUndecided;
    return Decide(ScoreAll(sample), goodCandidates);
}

int CharsetDetector::GuessFileCharset(const std::string& path) const {
    std::vector<int> goodCandidates;
    bool readable = false;
    return GuessFileCharset(path, goodCandidates, readable);
}

int CharsetDetector::GuessFileCharset(const std::string& path, std::vector<int>& goodCandidates,
                                      bool& readable) const {
    goodCandidates.clear();
    readable = false;
    if (!FileExists(path)) return kCharsetUndecided;
    std::string head;
    if (!ReadFileHead(path, kDetectionFileBytes, head)) return kCharsetUndecided;
    readable = true;
    head.resize(std::min(head.size(), head.find('\0')));
    return GuessTextCharset(head, goodCandidates);
}

bool CharsetDetector::LooksLike(std::string_view text, int leniency, int wanted) const {
    std::vector<int> goodCandidates;
    const int result =
        GuessTextCharset(text.substr(0, std::min(text.size(), kDetectionFileBytes)), goodCandidates);
    if (result == wanted) return true;
    if (leniency == 0) return false;
    if (result == kCharsetUndecided && leniency == 2) return true;
    return std::find(goodCandidates.begin(), goodCandidates.end(), wanted) != goodCandidates.end();
}

bool CharsetDetector::LooksLikeBig5(std::string_view text, int leniency) const {
    return LooksLike(text, leniency, kCharsetBig5);
}

bool CharsetDetector::LooksLikeGbk(std::string_view text, int leniency) const {
    return LooksLike(text, leniency, kCharsetGb2312);
}

int GuessTextCharset(std::string_view text, std::vector<int>& goodCandidates) {
    return CharsetDetector().GuessTextCharset(text, goodCandidates);
}

int GuessFileCharset(const std::string& path) {
    return CharsetDetector().GuessFileCharset(path);
}

bool LooksLikeBig5(std::string_view text, int leniency) {
    return CharsetDetector().LooksLikeBig5(text, leniency);
}

bool LooksLikeGbk(std::string_view text, int leniency) {
    return CharsetDetector().LooksLikeGbk(text, leniency);
}

int FrequencyWeight(FrequencyTable table, unsigned char firstByte, unsigned char secondByte) {
    switch (table) {
        case FrequencyTable::kGb2312:
        case FrequencyTable::kEucTw: {
            if (!InRange(firstByte, 0xA1, 0xFE) || !InRange(secondByte, 0xA1, 0xFE)) return 0;
            const auto& cells = table == FrequencyTable::kGb2312 ? kGbTable : kEucTwTable;
            return cells[firstByte - 0xA1][secondByte - 0xA1];
        }
        case FrequencyTable::kBig5: {
            const int column = Big5Column(secondByte);
            if (!InRange(firstByte, 0xA1, 0xFE) || column < 0) return 0;
            return kBig5Table[firstByte - 0xA1][column];
        }
    }
    return 0;
}

}  // namespace zelvo
