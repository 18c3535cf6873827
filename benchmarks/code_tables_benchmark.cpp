// Throughput of the character converters on 10 MB of generated GBK and Big5 text:
// mostly hanzi, some ASCII words, a line break every few dozen characters.
//   build/native/benchmarks/code_tables_benchmark
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "convert/code_tables.h"

namespace {

constexpr size_t kTextBytes = 10 * 1024 * 1024;

// Text as people write it: runs of hanzi ending in a full-width punctuation mark, now
// and then an ASCII word or number, a line break every few dozen characters. With
// shuffled set, the same mix with every character drawn on its own (the worst case for
// the processor's branch prediction).
std::string MakeText(bool big5, bool shuffled) {
    std::mt19937 random(big5 ? 950 : 936);
    std::uniform_int_distribution<int> percent(0, 99);
    // Common hanzi rows of each set: GB2312 level 1 (0xB0..0xD7), Big5 frequent (0xA4..0xC5).
    std::uniform_int_distribution<int> lead(big5 ? 0xA4 : 0xB0, big5 ? 0xC5 : 0xD7);
    std::uniform_int_distribution<int> trailHigh(0xA1, 0xFE);
    std::uniform_int_distribution<int> trailLow(0x40, 0x7E);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> runLength(4, 24);
    const char* comma = big5 ? "\xA1\x41" : "\xA3\xAC";
    auto hanzi = [&](std::string& text) {
        text.push_back(static_cast<char>(lead(random)));
        const bool low = big5 && percent(random) < 40;
        text.push_back(static_cast<char>(low ? trailLow(random) : trailHigh(random)));
    };
    std::string text;
    text.reserve(kTextBytes + 64);
    size_t lineStart = 0;
    while (text.size() < kTextBytes) {
        if (shuffled) {
            const int p = percent(random);
            if (p < 85) {
                hanzi(text);
            } else if (p < 97) {
                text.push_back(static_cast<char>(letter(random)));
            } else {
                text.push_back(' ');
            }
        } else {
            for (int i = runLength(random); i > 0; --i) hanzi(text);
            text += comma;
            if (percent(random) < 15) {
                text.push_back(' ');
                for (int i = runLength(random) / 3 + 1; i > 0; --i) text.push_back(static_cast<char>(letter(random)));
                text.push_back(' ');
            }
        }
        if (text.size() - lineStart > 70) {
            text += "\r\n";
            lineStart = text.size();
        }
    }
    return text;
}

void Convert(benchmark::State& state, bool big5, int mode, bool shuffled = false) {
    const std::string text = MakeText(big5, shuffled);
    std::string out;
    for (auto _ : state) {
        out.clear();
        if (big5) {
            zelvo::AppendTransferFromBig5(text, mode, out);
        } else {
            zelvo::AppendTransferFromGbk(text, mode, out);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_TransferFromGbk(benchmark::State& state) { Convert(state, false, static_cast<int>(state.range(0))); }
void BM_TransferFromBig5(benchmark::State& state) { Convert(state, true, static_cast<int>(state.range(0))); }
void BM_TransferFromGbkShuffled(benchmark::State& state) { Convert(state, false, 0, true); }
void BM_TransferFromBig5Shuffled(benchmark::State& state) { Convert(state, true, 0, true); }

// The pipeline's way: pieces of a few hundred bytes appended into one buffer.
void BM_TransferFromGbkInPieces(benchmark::State& state) {
    const std::string text = MakeText(false, false);
    std::string out;
    out.reserve(text.size());
    for (auto _ : state) {
        out.clear();
        std::string_view rest(text);
        while (!rest.empty()) {
            size_t cut = rest.find('\n', 256);
            cut = cut == std::string_view::npos ? rest.size() : cut + 1;
            zelvo::AppendTransferFromGbk(rest.substr(0, cut), 0, out);
            rest.remove_prefix(cut);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

}  // namespace

BENCHMARK(BM_TransferFromGbk)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferFromBig5)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferFromGbkShuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferFromBig5Shuffled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferFromGbkInPieces)->Unit(benchmark::kMillisecond);
