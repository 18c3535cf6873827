// The word adjustment pass in its literal form, for tests, fuzzers and benchmarks to hold
// the engine against: one replace-all per item of every applied lib, in list order, with
// the multibyte search.
#pragma once

#include <string>

#include "convert/word_adjustment.h"
#include "convert/word_adjustment_lib.h"
#include "services/multibyte.h"

namespace zelvo::testing_support {

inline std::string ReplaceAllPerItem(const WordAdjustmentLibList& libs, int codePage, std::string text) {
    for (const auto& lib : libs) {
        if (!lib->apply) continue;
        for (size_t i = 0; i < lib->wordsBefore.size(); ++i) {
            const std::string& before = lib->wordsBefore[i];
            const std::string& after = lib->wordsAfter[i];
            // The engine leaves these items out (see IsWholeCharacterWord).
            if (before.empty() || !IsWholeCharacterWord(before, codePage) ||
                !IsWholeCharacterWord(after, codePage))
                continue;
            std::string out;
            size_t pos = 0;
            for (size_t found; (found = FindText(text, before, pos, codePage)) != std::string::npos;) {
                out.append(text, pos, found - pos);
                out += after;
                pos = found + before.size();
            }
            out.append(text, pos);
            text = std::move(out);
        }
    }
    return text;
}

}  // namespace zelvo::testing_support
