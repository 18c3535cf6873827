// Throughput of the whole GBK->Big5 conversion with word adjustment on 1 MB and 10 MB of
// simplified text and on a thousand 2 KB texts in a row (as a site transfer converts
// many small files with one context), of the engine alone with its index built
// beforehand, of building that index, and of the literal one-replace-all-per-item form on
// a smaller text.
//   build/native/benchmarks/word_adjustment_benchmark
// The libs are the shipped G2B system libs when the program folder has them, otherwise
// about 20,000 items made from the phrase sample benchmarks/data/st_phrases.txt (see
// tools/README.md): the word before adjustment is what the code tables make of the
// simplified phrase, the word after its traditional form.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "convert/code_tables.h"
#include "convert/pipeline.h"
#include "convert/word_adjustment.h"
#include "convert/word_adjustment_lib.h"
#include "services/multibyte.h"
#include "tests/support/replace_all_reference.h"

namespace zelvo {
namespace {

struct Phrase {
    std::string gbk;
    std::string big5;
};

std::vector<Phrase> ReadPhrases() {
    std::ifstream in(ZELVO_SOURCE_DIR "/benchmarks/data/st_phrases.txt", std::ios::binary);
    std::vector<Phrase> phrases;
    std::string line;
    while (std::getline(in, line)) {
        size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
        phrases.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return phrases;
}

std::unique_ptr<WordAdjustmentLib> SyntheticLib(const std::vector<Phrase>& phrases, size_t from, size_t to) {
    std::vector<std::pair<std::string, std::string>> items;
    for (size_t i = from; i < to && i < phrases.size(); ++i)
        items.emplace_back(TransferFromGbk(phrases[i].gbk, kModeCross), phrases[i].big5);
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->apply = true;
    for (auto& [before, after] : items) {
        lib->wordsBefore.push_back(std::move(before));
        lib->wordsAfter.push_back(std::move(after));
    }
    return lib;
}

WordAdjustmentLibList MakeLibs(const std::vector<Phrase>& phrases) {
    WordAdjustmentLibList libs;
    const char* shipped[] = {"basebig.txt", "pdafbig.txt", "ffbig.txt"};
    for (int k = 0; k < 3; ++k) {
        auto lib = std::make_unique<WordAdjustmentLib>();
        lib->path = std::string(ZELVO_DIST_DIR "/ctwa/") + shipped[k];
        lib->isSystem = true;
        lib->kind = 2 + 2 * k;
        lib->apply = true;
        if (ReadLibFile(*lib, true, false) && !lib->wordsBefore.empty()) libs.push_back(std::move(lib));
    }
    if (!libs.empty()) return libs;
    libs.push_back(SyntheticLib(phrases, 0, 14000));
    libs.push_back(SyntheticLib(phrases, 14000, 18000));
    libs.push_back(SyntheticLib(phrases, 18000, 20000));
    return libs;
}

// Sentences of phrases (a fifth of them outside the libs) and single characters taken
// from phrases, ended by full-width punctuation, a line break every few sentences.
std::string MakeText(const std::vector<Phrase>& phrases, size_t bytes) {
    std::mt19937 random(936);
    std::uniform_int_distribution<size_t> pick(0, phrases.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string text;
    text.reserve(bytes + 64);
    while (text.size() < bytes) {
        for (int sentence = 1 + percent(random) % 4; sentence > 0; --sentence) {
            for (int token = 4 + percent(random) % 10; token > 0; --token) {
                const std::string& phrase = phrases[pick(random)].gbk;
                if (percent(random) < 40)
                    text += phrase;
                else
                    text.append(phrase, 0, 2);
            }
            text += percent(random) < 70 ? "\xA3\xAC" : "\xA1\xA3";  // ， 。
        }
        text += "\r\n";
    }
    return text;
}

struct Fixture {
    Fixture() : phrases(ReadPhrases()), libs(MakeLibs(phrases)) {
        context.g2bLibs = &libs;
        context.b2gLibs = &noLibs;
        context.g2bAppliedTotal = CountAppliedItems(libs);
    }
    std::vector<Phrase> phrases;
    WordAdjustmentLibList libs;
    WordAdjustmentLibList noLibs;
    ConversionContext context;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void ConvertWithLibs(benchmark::State& state, int mode) {
    Fixture& fixture = Shared();
    if (fixture.phrases.empty()) {
        state.SkipWithError("benchmarks/data/st_phrases.txt is missing");
        return;
    }
    const std::string text = MakeText(fixture.phrases, static_cast<size_t>(state.range(0)) << 20);
    std::string result;
    for (auto _ : state) {
        TransferGbkText(fixture.context, nullptr, text, result, mode);
        benchmark::DoNotOptimize(result.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["items"] = fixture.context.g2bAppliedTotal;
}

void BM_TransferGbkTextWithWordAdjustment(benchmark::State& state) {
    ConvertWithLibs(state, kModeCross);
}
BENCHMARK(BM_TransferGbkTextWithWordAdjustment)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_TransferGbkTextWithoutWordAdjustment(benchmark::State& state) {
    ConvertWithLibs(state, kModeCrossPlain);
}
BENCHMARK(BM_TransferGbkTextWithoutWordAdjustment)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Many small texts through one context: the per-call cost of the pass matters here.
void BM_TransferGbkSmallTextsWithWordAdjustment(benchmark::State& state) {
    Fixture& fixture = Shared();
    if (fixture.phrases.empty()) {
        state.SkipWithError("benchmarks/data/st_phrases.txt is missing");
        return;
    }
    const std::string text = MakeText(fixture.phrases, static_cast<size_t>(state.range(0)) << 10);
    const int count = 1000;
    std::string result;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            TransferGbkText(fixture.context, nullptr, text, result, kModeCross);
            benchmark::DoNotOptimize(result.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * count * text.size()));
}
BENCHMARK(BM_TransferGbkSmallTextsWithWordAdjustment)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_WordAdjustmentIndexBuild(benchmark::State& state) {
    Fixture& fixture = Shared();
    for (auto _ : state) {
        WordAdjustmentIndex index(fixture.libs, kCodePageBig5);
        benchmark::DoNotOptimize(&index);
    }
    state.counters["items"] = fixture.context.g2bAppliedTotal;
}
BENCHMARK(BM_WordAdjustmentIndexBuild)->Unit(benchmark::kMillisecond);

// The pass alone over converted text, with the index built once.
void BM_WordAdjustmentEngineWithIndex(benchmark::State& state) {
    Fixture& fixture = Shared();
    if (fixture.phrases.empty()) {
        state.SkipWithError("benchmarks/data/st_phrases.txt is missing");
        return;
    }
    const WordAdjustmentIndex index(fixture.libs, kCodePageBig5);
    const std::string converted =
        TransferFromGbk(MakeText(fixture.phrases, static_cast<size_t>(state.range(0)) << 20), kModeCross);
    std::string text;
    for (auto _ : state) {
        text = converted;
        AdjustWords(index, text);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * converted.size()));
}
BENCHMARK(BM_WordAdjustmentEngineWithIndex)->Arg(10)->Unit(benchmark::kMillisecond);

// One replace-all per item with the multibyte search, as the pass is defined.
void NaiveAdjust(const WordAdjustmentLibList& libs, std::string& text) {
    text = testing_support::ReplaceAllPerItem(libs, kCodePageBig5, std::move(text));
}

// The word adjustment pass alone on a text small enough for the literal form, both ways.
void AdjustSmallText(benchmark::State& state, bool naive) {
    Fixture& fixture = Shared();
    if (fixture.phrases.empty()) {
        state.SkipWithError("benchmarks/data/st_phrases.txt is missing");
        return;
    }
    const std::string converted =
        TransferFromGbk(MakeText(fixture.phrases, static_cast<size_t>(state.range(0)) << 10), kModeCross);
    std::string check = converted, expected = converted;
    AdjustWords(fixture.libs, kCodePageBig5, check);
    NaiveAdjust(fixture.libs, expected);
    if (check != expected) {
        state.SkipWithError("the engine and the literal form disagree");
        return;
    }
    for (auto _ : state) {
        std::string text = converted;
        if (naive)
            NaiveAdjust(fixture.libs, text);
        else
            AdjustWords(fixture.libs, kCodePageBig5, text);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * converted.size()));
}

void BM_WordAdjustmentEngine(benchmark::State& state) {
    AdjustSmallText(state, false);
}
BENCHMARK(BM_WordAdjustmentEngine)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_WordAdjustmentLiteralReplaceAlls(benchmark::State& state) {
    AdjustSmallText(state, true);
}
BENCHMARK(BM_WordAdjustmentLiteralReplaceAlls)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(1);

// 2,000 items that each lengthen their word, over a text made only of those words: every
// word of the text is replaced, no character of the text stands outside the words, and
// each replacement moves the rest of the text. The time per megabyte must not grow with
// the size.
WordAdjustmentLibList LengtheningLib(std::vector<std::string>& words) {
    std::mt19937 random(950);
    // First characters with lead bytes A4..B4, second ones B5..C5: no two neighbouring
    // words make a third one across their join, so every word of the text is replaced.
    std::uniform_int_distribution<int> lead(0, 0x10), trail(0x40, 0x7E);
    std::vector<std::pair<std::string, std::string>> items;
    while (items.size() < 2000) {
        std::string word;
        for (int c = 0; c < 2; ++c) {
            word += static_cast<char>(0xA4 + 0x11 * c + lead(random));
            word += static_cast<char>(trail(random));
        }
        if (std::find(words.begin(), words.end(), word) != words.end()) continue;
        words.push_back(word);
        items.emplace_back(word, word + "\xA1\x43");  // the word and a full-width comma
    }
    std::sort(items.begin(), items.end());
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->apply = true;
    for (auto& [before, after] : items) {
        lib->wordsBefore.push_back(before);
        lib->wordsAfter.push_back(after);
    }
    WordAdjustmentLibList libs;
    libs.push_back(std::move(lib));
    return libs;
}

void BM_WordAdjustmentLengtheningEveryWord(benchmark::State& state) {
    std::vector<std::string> words;
    const WordAdjustmentLibList libs = LengtheningLib(words);
    const WordAdjustmentIndex index(libs, kCodePageBig5);
    std::mt19937 random(1);
    std::uniform_int_distribution<size_t> pick(0, words.size() - 1);
    std::string source;
    while (source.size() < static_cast<size_t>(state.range(0))) source += words[pick(random)];
    std::string text;
    for (auto _ : state) {
        text = source;
        AdjustWords(index, text);
        benchmark::DoNotOptimize(text.data());
    }
    if (text.size() != source.size() * 3 / 2) state.SkipWithError("not every word was lengthened");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WordAdjustmentLengtheningEveryWord)
    ->Arg(256 << 10)
    ->Arg(512 << 10)
    ->Arg(1 << 20)
    ->Arg(2 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace zelvo
