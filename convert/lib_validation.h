// Validation of the word adjustment libs: finds words listed more than once, items equal
// to themselves and pairs entered twice, reports them, and corrects them on request.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "convert/word_adjustment_lib.h"
#include "services/message_service.h"

namespace zelvo {

enum class LibProblemKind {
    kRepeatedWord,        // quick check: a word before adjustment listed more than once
    kEqualToItself,       // an item whose word before adjustment is its word after adjustment
    kIdenticalPairs,      // complete check: one pair listed more than once (after: the pair's word)
    kSeveralAdjustments,  // complete check: one word with different words after adjustment
};

struct LibProblem {
    int libIndex = 0;  // in its list
    std::string word;  // kCutProblemWord: the quick check stopped looking at this lib
    std::string after;
    LibProblemKind kind = LibProblemKind::kRepeatedWord;
    int count = 0;
};

// The entry of a lib whose quick check stopped after more than ten problems.
inline constexpr char kCutProblemWord[] = "...";
// The quick check stops recording once more than this many problems are known.
inline constexpr int kQuickCheckProblemLimit = 10;
// A passed quick check is trusted for this many days while no file it read has changed.
inline constexpr int kQuickCheckTrustDays = 100;

// Looks at the items of every lib of the list. The quick form reports repeated words only,
// at most ten (then one cut entry); the complete form reports every item equal to itself,
// every pair listed more than once, and every word with several different adjustments.
std::vector<LibProblem> ScanLibList(const WordAdjustmentLibList& list, bool complete);

// Check times as stored: local time "%Y-%m-%d %H:%M:%S". Parse gives seconds since 1970,
// false when the text is not such a time.
std::string FormatCheckTime(int64_t time);
bool ParseCheckTime(const std::string& text, int64_t& time);

// True when a passed quick check may stand: the stored check passed (lastCheckOk 1), is at
// most 100 days old (or one day in the future), and no file it read is newer than it.
// fileTimes holds the last-write times of the files that exist.
bool QuickCheckShortcutApplies(const std::string& lastCheckTime, int lastCheckOk, int64_t now,
                               const std::vector<int64_t>& fileTimes);

// The files a quick check depends on: the direction's settings file and the applied libs.
std::vector<std::string> QuickCheckFiles(const WordAdjustmentLibList& list, bool isG2B,
                                         const LibFolders& folders);

// The check as the program runs it: the quick form first tries the stored shortcut
// (registry section "CTWA", "Last Check Time %s" / "Last Check OK %s" with "Big5" for G2B
// and "GBK" for B2G); both forms store the time now and the result. True when no problem
// was found.
bool CheckLibList(const WordAdjustmentLibList& list, bool isG2B, bool complete, int64_t now,
                  const LibFolders& folders, std::vector<LibProblem>& problems);

struct LibCheckReport {
    std::string summary;  // the libs with problems, numbered from 1, in the message's code page
    std::string details;  // the libs' encoding: the words concerned
};

// The report of a failed quick check of one list; the summary is written in summaryCodePage
// (0: the UI language's).
LibCheckReport QuickCheckReport(const WordAdjustmentLibList& list, bool isG2B,
                                const std::vector<LibProblem>& problems, int summaryCodePage = 0);

// The details of a complete check of one list: each lib's problems under three headings.
std::string CompleteCheckReport(const WordAdjustmentLibList& list, bool isG2B,
                                const std::vector<LibProblem>& problems);

// Which encoding the start-up warning is shown in, by the Chinese fonts installed, and
// which list's details must be converted to it.
struct WarningCharset {
    int charset = 134;               // 134 GB2312 or 136 Big5
    bool convertG2BDetails = false;  // Big5 details to GBK
    bool convertB2GDetails = false;  // GBK details to Big5
};
WarningCharset ChooseWarningCharset(bool g2bFailed, bool b2gFailed, bool hasGb2312Font, bool hasBig5Font);

// The warning of the start-up check for the lists whose quick check found problems (an
// empty problem list: that list passed): the summaries in the UI language, the details in
// the encoding the fonts installed choose (the other list's details converted to it, its
// words keeping their traditional or simplified form), the "Show this message next time"
// box ticked, Yes and No.
MessageRequest LibRedundancyWarning(const WordAdjustmentLibList& g2b,
                                    const std::vector<LibProblem>& g2bProblems,
                                    const WordAdjustmentLibList& b2g,
                                    const std::vector<LibProblem>& b2gProblems, bool hasGb2312Font,
                                    bool hasBig5Font, const std::string& productName);

// The report of a complete check of both lists (a list without problems left out) as a
// message: in the UI language the libs with problems, numbered from 1 under their list's
// name, or that no problem was found; in the details each failed list's report, joined and
// converted as the start-up warning's details are.
MessageRequest CompleteCheckMessage(const WordAdjustmentLibList& g2b,
                                    const std::vector<LibProblem>& g2bProblems,
                                    const WordAdjustmentLibList& b2g,
                                    const std::vector<LibProblem>& b2gProblems, bool hasGb2312Font,
                                    bool hasBig5Font);

// The check the main window runs once after it has loaded both lists: nothing when "Check
// WD" (section "CTWA") is 0; otherwise the quick checks of the B2G and the G2B list and,
// when one failed, the warning. A cleared check box writes "Check WD" = 0; Yes calls
// openLibManager. hasFontOfCharset answers for charsets 134 and 136. True when the warning
// was shown.
bool RunStartupLibCheck(const WordAdjustmentLibList& g2b, const WordAdjustmentLibList& b2g,
                        const LibFolders& folders, int64_t now,
                        const std::function<bool(int)>& hasFontOfCharset, const std::string& productName,
                        const std::function<void()>& openLibManager);

// A word whose items in one lib have several different words after adjustment; the user
// chooses the one to keep.
struct RepeatingItemsGroup {
    int libIndex = 0;
    std::string word;
    std::vector<std::string> afters;  // different words after adjustment, in lib order
};

// Those words in the list, leaving out items equal to themselves and counting each pair once.
std::vector<RepeatingItemsGroup> FindRepeatingItemsGroups(const WordAdjustmentLibList& list);

struct LibCorrection {
    bool deleteEqualToItself = true;
    bool keepOneOfIdenticalPairs = true;
    // For a group: the word after adjustment kept (the user may type another one).
    struct Choice {
        int libIndex = 0;
        std::string word;
        std::string keep;
    };
    std::vector<Choice> choices;
};

// Applies the correction to the items in memory; returns the number of items removed. The
// caller saves the lists afterwards (SaveLibList with every file).
int CorrectLibList(WordAdjustmentLibList& list, const LibCorrection& correction);

// "#1/#2 (#3 correct, #4 uncorrected)" of the correction dialog.
std::string CorrectionStatisticsText(int current, int total, int corrected);

}  // namespace zelvo
