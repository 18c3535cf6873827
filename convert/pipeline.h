// The conversion pipeline: cuts a text into pieces at line feeds, converts piece by piece
// so the user interface stays responsive and cancel is honoured between pieces, then runs
// the word adjustment pass of the direction over the joined result.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/code_tables.h"
#include "convert/progress.h"
#include "convert/word_adjustment.h"
#include "convert/word_adjustment_lib.h"

namespace zelvo {

// What a conversion needs from its owner (the main window holds the lib lists, their
// applied item totals and the transfer state).
struct ConversionContext {
    const WordAdjustmentLibList* g2bLibs = nullptr;  // applied to GBK->Big5 results
    const WordAdjustmentLibList* b2gLibs = nullptr;  // applied to Big5->GBK results
    int g2bAppliedTotal = 0;                         // CountAppliedItems of each list
    int b2gAppliedTotal = 0;
    // Bumped by the owner after it edits items of a list in place or reloads a list, so
    // that the word index kept for the list is built anew (see WordAdjustmentIndexCache).
    uint64_t libsGeneration = 0;
    mutable WordAdjustmentIndexCache g2bIndex;
    mutable WordAdjustmentIndexCache b2gIndex;
    TransferControl control;
    // Set when the last conversion stopped early because the transfer state was 3;
    // cleared when a conversion starts.
    bool cancelled = false;
};

// The pieces the pipeline converts one after another: about 160 bytes (or a thousandth
// of very long texts) each, cut where a line feed begins the next piece; a rest shorter
// than the tail size stays with the last piece.
std::vector<std::string_view> CutIntoPieces(std::string_view source);

// Converts GBK (or Big5) source text with the mode; mode 0 then adjusts words with the
// G2B (or B2G) list. The source ends at its first zero byte. result is replaced; it is
// empty for an empty source, with no progress messages. progress may be null. Returns
// false when the conversion was cancelled: result then holds the pieces converted so far,
// without word adjustment.
bool TransferGbkText(ConversionContext& context, ProgressSink* progress, std::string_view source,
                     std::string& result, int mode);
bool TransferBig5Text(ConversionContext& context, ProgressSink* progress, std::string_view source,
                      std::string& result, int mode);

// Converts a whole file's bytes, which may hold zero bytes where the pipeline would end the
// text: each stretch between zeros is converted on its own and the zeros are kept, so
// nothing after the first one is lost. False when cancelled (output then incomplete).
bool TransferTextKeepingZeros(ConversionContext& context, ProgressSink* progress, std::string_view input,
                              bool fromGbk, int mode, std::string& output);

// The word adjustment pass with the direction's list over text (Big5 after GBK->Big5,
// GBK after Big5->GBK); every fifth item reports position
// pieceCount * 20 + pieceCount * items / 10.
void ApplyWordAdjustment(const ConversionContext& context, bool isG2B, ProgressSink* progress,
                         long pieceCount, std::string& text);

}  // namespace zelvo
