// Character-by-character conversion between GBK and Big5 (and simplified/traditional
// inside GBK) over direct-indexed tables. The output always has the input's length.
#pragma once

#include <string>
#include <string_view>

namespace zelvo {

// 0 cross-encoding conversion with word adjustment, 1 simplified to traditional inside
// GBK (Big5: normalisation), 2 traditional to simplified inside GBK (Big5: the same
// normalisation), 3 cross-encoding without word adjustment.
enum TransferMode : int { kModeCross = 0, kModeSimplifiedToTraditional = 1, kModeTraditionalToSimplified = 2,
                          kModeCrossPlain = 3 };

// The source is read up to its first zero byte.
std::string TransferFromGbk(std::string_view source, int mode);
std::string TransferFromBig5(std::string_view source, int mode);
// The same, appending to out (the pipeline converts piece by piece into one buffer).
void AppendTransferFromGbk(std::string_view source, int mode, std::string& out);
void AppendTransferFromBig5(std::string_view source, int mode, std::string& out);

}  // namespace zelvo
