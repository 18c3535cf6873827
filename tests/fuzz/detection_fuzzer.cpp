// Code page detection on arbitrary text: the guess and the candidates are among the known
// answers, and the scorers stay in their range.
#include <cstdlib>
#include <string>
#include <vector>

#include "convert/charset_detector.h"
#include "fuzz_support.h"

using namespace zelvo;

namespace {

bool IsKnownAnswer(int charset) {
    return charset == kCharsetGb2312 || charset == kCharsetBig5 || charset == kCharsetAnsi ||
           charset == kCharsetHz || charset == kCharsetEucTw || charset == kCharsetUndecided;
}

bool IsKnownCandidate(int charset) {
    return charset == kCharsetGb2312 || charset == kCharsetBig5 || charset == kCharsetAnsi ||
           charset == kCharsetHzCandidate || charset == kCharsetEucTw;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader input(data, size);
    const int leniency = static_cast<int>(input.Byte() % 8);
    const std::string_view text = input.Rest();
    // One detector for every input: making one builds its tables.
    static const CharsetDetector detector;
    std::vector<int> candidates;
    const int guess = detector.GuessTextCharset(text, candidates);
    if (!IsKnownAnswer(guess)) std::abort();
    for (int candidate : candidates)
        if (!IsKnownCandidate(candidate)) std::abort();
    detector.LooksLikeBig5(text, leniency);
    detector.LooksLikeGbk(text, leniency);
    const CharsetScores scores = CharsetDetector::ScoreAll(text.substr(0, kDetectionSampleBytes));
    for (int score : scores)
        if (score < 0 || score > 110) std::abort();
    if (text.size() >= 2) {
        FrequencyWeight(FrequencyTable::kGb2312, static_cast<unsigned char>(text[0]),
                        static_cast<unsigned char>(text[1]));
        FrequencyWeight(FrequencyTable::kBig5, static_cast<unsigned char>(text[0]),
                        static_cast<unsigned char>(text[1]));
    }
    const std::string path = fuzz::WriteScratch("guess.txt", text);
    if (!IsKnownAnswer(detector.GuessFileCharset(path))) std::abort();
    return 0;
}
