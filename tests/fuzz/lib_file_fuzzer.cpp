// The lib file reader and the word adjustment pass: the input is a lib file (system or
// custom, either direction) and a text. The items read must be in ascending order, and the
// pass over the text must give exactly what one replace-all per item gives.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "convert/word_adjustment.h"
#include "convert/word_adjustment_lib.h"
#include "fuzz_support.h"
#include "services/multibyte.h"
#include "tests/support/replace_all_reference.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader input(data, size);
    const unsigned choice = input.Byte();
    const bool isG2B = choice & 1;
    const bool isSystem = choice & 2;
    const int codePage = choice & 4 ? 1252 : isG2B ? 950 : 936;
    const std::string_view libText = input.Part();
    const std::string text(input.Rest());

    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->path = fuzz::WriteScratch("lib.txt", libText);
    lib->isSystem = isSystem;
    lib->kind = isSystem ? (isG2B ? 2 : 1) : 0;
    lib->isG2B = isG2B;
    lib->apply = true;
    if (!ReadLibFile(*lib, isG2B, true)) std::abort();
    if (lib->wordsBefore.size() != lib->wordsAfter.size()) std::abort();
    for (size_t i = 0; i + 1 < lib->wordsBefore.size(); ++i)
        if (CompareText(lib->wordsBefore[i], lib->wordsBefore[i + 1]) > 0) std::abort();
    LibFileText(*lib);

    // The lib twice, the second time in reverse, so that later items see what earlier
    // ones made.
    WordAdjustmentLibList libs;
    auto reversed = std::make_unique<WordAdjustmentLib>(*lib);
    std::reverse(reversed->wordsBefore.begin(), reversed->wordsBefore.end());
    std::reverse(reversed->wordsAfter.begin(), reversed->wordsAfter.end());
    libs.push_back(std::move(lib));
    libs.push_back(std::move(reversed));

    const std::string expected = testing_support::ReplaceAllPerItem(libs, codePage, text);
    std::string got = text;
    AdjustWords(libs, codePage, got);
    if (got != expected) std::abort();
    // Tiny chunks put chunk joins everywhere; labels a few apart make the engine label
    // its chunks afresh often.
    WordAdjustmentTuning tiny;
    tiny.chunkTarget = 1 + choice % 7;
    // Labelling afresh costs a pass over the chunk, so dense labels only for short results.
    if (expected.size() <= 2048) tiny.labelSpacingBits = 1 + (choice >> 3) % 3;
    got = text;
    AdjustWords(libs, codePage, got, {}, tiny);
    if (got != expected) std::abort();
    return 0;
}
