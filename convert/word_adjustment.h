// The word adjustment pass: every item of every applied lib, in list order and in array
// order, replaces all of its occurrences in the text, exactly as a sequence of
// replace-alls would, but without searching the whole text once per item.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/word_adjustment_lib.h"

namespace zelvo {

// Called after each item of the applied libs with the number of items handled so far
// (items that cannot take part count as well, so the count ends at the applied total).
using WordAdjustmentItemCallback = std::function<void(long itemsDone)>;

// True when the word ends on a character boundary of its own code page, that is its last
// character is not a lone lead byte. Items whose words are not whole characters are left
// out: replacing them would cut a character of the text in half.
bool IsWholeCharacterWord(std::string_view word, int codePage);

// The engine works through the text in chunks of about chunkTarget bytes, each cut after
// a character that no word before adjustment contains. Results never depend on the size;
// tiny ones put chunk joins everywhere, which the tests use.
struct WordAdjustmentTuning {
    size_t chunkTarget = 16384;
    // Bytes of a chunk carry order labels up to this power of two apart (less for long
    // chunks: labels have 62 bits), and bytes that replacements bring share the gap they
    // land in; when a gap is used up the chunk is labelled afresh. Tiny spacings make that
    // happen all the time, which the tests use.
    int labelSpacingBits = 62;
};

// The applied items of a lib list in one code page, with the tables that find their words
// in a text. It holds copies of the words, so it stays valid when the list changes, but
// then no longer describes it. Building one for 20,000 items takes milliseconds: callers
// that convert many texts with one list keep it (see WordAdjustmentIndexCache).
class WordAdjustmentIndex {
  public:
    WordAdjustmentIndex(const WordAdjustmentLibList& libs, int codePage);
    ~WordAdjustmentIndex();
    WordAdjustmentIndex(const WordAdjustmentIndex&) = delete;
    WordAdjustmentIndex& operator=(const WordAdjustmentIndex&) = delete;

    int codePage() const;
    // Items of the applied libs, usable or not.
    long itemCount() const;

    struct Tables;
    const Tables& tables() const { return *tables_; }

  private:
    std::unique_ptr<Tables> tables_;
};

// Applies the libs whose apply flag is set to text, which is in codePage (950 for the
// GBK->Big5 list, 936 for Big5->GBK). For each item, occurrences are found left to right
// starting on character boundaries, without overlapping, and all replaced at once; the
// inserted text is not searched again by the same item but by every later one. Items
// with an empty word before adjustment, or with a word that is not whole characters, do
// nothing.
void AdjustWords(const WordAdjustmentLibList& libs, int codePage, std::string& text,
                 const WordAdjustmentItemCallback& onItem = {}, const WordAdjustmentTuning& tuning = {});
// The same with an index built beforehand.
void AdjustWords(const WordAdjustmentIndex& index, std::string& text,
                 const WordAdjustmentItemCallback& onItem = {}, const WordAdjustmentTuning& tuning = {});

// Keeps the index of the list it was last asked for. A list counts as unchanged while it
// holds the same libs with the same apply flags, item counts, item storage and first and
// last items, and the generation is the same: whoever edits items of a list in place, or
// reloads it, bumps the generation it passes.
class WordAdjustmentIndexCache {
  public:
    const WordAdjustmentIndex& Get(const WordAdjustmentLibList& libs, int codePage, uint64_t generation);

  private:
    std::vector<uint64_t> key_;
    std::shared_ptr<const WordAdjustmentIndex> index_;
};

}  // namespace zelvo
