// The Options dialog's settings, read with their own rules and written back on OK: the
// choices of the recent-file count on the General page and the three switches of the Code
// Transfer page.
#pragma once

#include <string>
#include <vector>

namespace zelvo {

// The Code Transfer page.
struct CodeTransferOptions {
    bool transferToSource = false;  // "UI Display Source 2 Source": true only when exactly 1
    bool changePathCode = false;    // "Change Path Code": true only when exactly 1
    bool checkWd = true;            // "CTWA"/"Check WD": true when not 0 (default 1)
};

CodeTransferOptions ReadCodeTransferOptions();
void WriteCodeTransferOptions(const CodeTransferOptions& options);

// The General page's choices of the recent-file count: "0" to "60", 61 entries.
inline constexpr int kMaximumMruChoice = 60;
std::vector<std::string> MruCountChoices();
// The count a combo text stands for, read as atoi reads it ("" and words give 0).
int MruCountOfText(const std::string& text);

}  // namespace zelvo
