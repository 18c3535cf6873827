// Detection runs on every file opened and every file of a site transfer: one full
// sample (9,998 bytes) through all five scorers.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "convert/charset_detector.h"

namespace {

std::string MixedSample() {
    // GB2312 text with ASCII markup between, as a web page would have it.
    std::string sample;
    while (sample.size() < zelvo::kDetectionSampleBytes)
        sample += "<p>\xB5\xC4\xD2\xBB\xCA\xC7\xB2\xBB\xC1\xCB</p>\r\n";
    return sample;
}

void BM_GuessTextCharset(benchmark::State& state) {
    const std::string sample = MixedSample();
    std::vector<int> goodCandidates;
    for (auto _ : state) benchmark::DoNotOptimize(zelvo::GuessTextCharset(sample, goodCandidates));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(sample.size()));
}
BENCHMARK(BM_GuessTextCharset);

}  // namespace
