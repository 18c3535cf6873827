// The argument by which the shell extension and the program itself start an instance on
// a file: a path, a quoted path, or the tagged forms "[n]N[l]L[p]path".
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zelvo {

struct CommandLineRequest {
    int launchIndex = 0;     // atoi of N (negative taken as 0); cascades the n-th instance's window
    int languageIndex = -1;  // Source language selector index; -1 when L is absent or not a usable number
    std::string path;        // lower-cased; the caller checks that it names an existing file
};

// Parses the argument as the program's command line. codePage is the system code page,
// so that lower-casing and tag search leave double-byte characters intact. Returns
// nothing when the argument does not fit the syntax and is to be ignored.
std::optional<CommandLineRequest> ParseCommandLine(const std::string& argument, int codePage);

// The Source language selector index for a file opened from the command line: the index
// given as L when there is one, else 1 for a file guessed to be GBK (charset 134) and 3
// for Big5 (136); -1 leaves the selector as it is. guessCharset runs only when needed.
int ChooseSourceLanguageIndex(int givenIndex, const std::function<int()>& guessCharset);

// The launch index as atoi reads it: leading blanks, a sign, then digits; 0 when there
// are none. Values beyond the int range are clamped rather than overflowing.
int AtoiText(const std::string& text);

// True when the text is exactly the "%d" form of its own atoi value (12 and -3 are, 012,
// +3, " 3", 3a and the empty text are not).
bool IsDecimalText(const std::string& text);

}  // namespace zelvo
