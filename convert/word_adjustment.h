// The word adjustment pass: every item of every applied lib, in list order and in array
// order, replaces all of its occurrences in the text, exactly as a sequence of
// replace-alls would, but without searching the whole text once per item.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "convert/word_adjustment_lib.h"

namespace zelvo {

// Called after each item of the applied libs with the number of items handled so far
// (items that cannot take part count as well, so the count ends at the applied total).
using WordAdjustmentItemCallback = std::function<void(long itemsDone)>;

// True when the word ends on a character boundary of its own code page, that is its last
// character is not a lone lead byte. Items whose words are not whole characters are left
// out: replacing them would cut a character of the text in half.
bool IsWholeCharacterWord(std::string_view word, int codePage);

// The engine works through the text in chunks of about chunkTarget bytes, cut after a
// byte that no word can contain, and holds a chunk as small pieces so that a replacement
// rewrites one piece; a piece that grows past pieceSplitAbove is cut again. Results never
// depend on these sizes; tiny ones put chunk and piece joins everywhere, which the tests
// use.
struct WordAdjustmentTuning {
    size_t chunkTarget = 16384;
    size_t pieceTarget = 16;
    size_t pieceSplitAbove = 1024;
};

// Applies the libs whose apply flag is set to text, which is in codePage (950 for the
// GBK->Big5 list, 936 for Big5->GBK). For each item, occurrences are found left to right
// starting on character boundaries, without overlapping, and all replaced at once; the
// inserted text is not searched again by the same item but by every later one. Items
// with an empty word before adjustment, or with a word that is not whole characters, do
// nothing.
void AdjustWords(const WordAdjustmentLibList& libs, int codePage, std::string& text,
                 const WordAdjustmentItemCallback& onItem = {}, const WordAdjustmentTuning& tuning = {});

}  // namespace zelvo
