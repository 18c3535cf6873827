// The Text Difference Check: the Source area's lines against the Destination area's, one
// by one, and the report the main window shows. It sits with the main window's model
// because the question asked before it looks at the areas' display languages and font
// sizes, which the model holds; the comparison itself needs no conversion.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_state.h"

namespace zelvo {

// At most this many bytes of a line take part in the comparison.
inline constexpr size_t kDifferenceLineBytes = 4095;

// The lines of an area's text as an edit control without word wrap reports them: cut at
// CR LF, so an empty text is one empty line and a text ending with CR LF ends with an empty
// line. Cutting at the hard line breaks keeps the check independent of the window's width
// and of word wrap.
std::vector<std::string_view> EditControlLines(std::string_view text);

// True when the user is asked first whether to give the Destination area the Source area's
// display language and font size: both texts hold something and the areas differ in one
// of the two.
bool ShouldAskBeforeDifferenceCheck(std::string_view sourceText, std::string_view destinationText,
                                    const AreaSnapshot& source, const AreaSnapshot& destination);
// That question, with the product name put in.
std::string AdjustBeforeDifferenceCheckQuestion(const std::string& productName);

struct TextDifferenceReport {
    int differences = 0;
    std::string message;  // "Identical!" or the count, in the UI language
    // One "%d: %s -> %s" line per difference, joined by CR LF: line number from 1, the
    // Source line and the Destination line as each area holds them. Shown in the code page
    // of the Destination area's display language.
    std::string details;
};
// sourceCodePage and destinationCodePage are the areas' code pages: a line cut at 4,095
// bytes in the middle of a double-byte character loses the half character in the details,
// so the list shows no broken character (the comparison still takes all 4,095 bytes).
TextDifferenceReport CheckTextDifference(std::string_view sourceText, int sourceCodePage,
                                         std::string_view destinationText, int destinationCodePage);

}  // namespace zelvo
