// The rules of the word adjustment lib editor that need no window: lib titles, item add /
// edit / delete with their refusals, search, statistics, moving and deleting libs, where a
// lib may be saved, and adding a lib from a file.
#pragma once

#include <string>
#include <vector>

#include "convert/word_adjustment_lib.h"

namespace zelvo {

// "New Lib(Big5)" for the G2B list ("GBK" for B2G), or "New Lib1(Big5)", "New Lib2(Big5)"
// ... when a lib of the list already has the title.
std::string UniqueNewLibTitle(const WordAdjustmentLibList& list, bool isG2B);

// Line n of the item operation texts ("Add a Word" ... "Word before adjustment can't be the
// same as word after adjustment.").
enum ItemOperationLine {
    kAddAWord = 0,
    kEditWord = 1,
    kDeleteAWord = 2,
    kAdditionFailed = 7,
    kModificationFailed = 8,
    kWordAlreadyExists = 9,
    kConfirmDeleteWord = 10,
    kWordBlank = 11,
    kWordSameAsAfter = 12,
};
std::string ItemOperationText(int line);

struct ItemEditOutcome {
    bool accepted = false;
    size_t index = 0;     // accepted: where the item now is
    std::string caption;  // refused: "Addition failed" or "Modification failed"
    std::string message;  // refused: why
};

// Adds an item at its sorted place; both words are trimmed first. Refused when the word
// before adjustment is blank, equals the word after adjustment, or another item has it.
ItemEditOutcome AddLibItem(WordAdjustmentLib& lib, const std::string& before, const std::string& after);
// Replaces item index (which then moves to its sorted place) under the same rules.
ItemEditOutcome EditLibItem(WordAdjustmentLib& lib, size_t index, const std::string& before,
                            const std::string& after);
// Removes item index; false when there is none.
bool DeleteLibItem(WordAdjustmentLib& lib, size_t index);

// Which words a search looks in ("Search Option"; anything else counts as all words).
enum class LibSearchIn { kWordsBefore = 0, kWordsAfter = 1, kAllWords = 2 };
// Indexes of the items whose chosen words contain the (trimmed) search word, in the lib's
// code page; every item for an empty search word.
std::vector<size_t> SearchLibItems(const WordAdjustmentLib& lib, const std::string& word, int searchIn);
// "Current #1 / Total #2".
std::string LibStatisticsText(size_t shown, size_t total);

// Custom libs sit between the phrase difference lib (index 1) and the final fix lib (last).
bool IsCustomLibIndex(const WordAdjustmentLibList& list, size_t index);
// Moves custom lib index one place up or down among the custom libs; false (nothing moved)
// at either end of them or for a system lib. newIndex gets the lib's place.
bool MoveCustomLib(WordAdjustmentLibList& list, size_t index, bool up, size_t& newIndex);
// Removes custom lib index from the list; the system libs are never removed.
bool DeleteCustomLib(WordAdjustmentLibList& list, size_t index);

// Where a lib may be saved. Empty when it may; otherwise the refusal: a blank title of a
// custom lib, or the file of another lib of the list.
std::string CheckLibSave(const WordAdjustmentLibList& list, size_t index, const std::string& title,
                         const std::string& path);
// Takes a new path for lib index after CheckLibSave: an existing file there that is not
// the lib's own is copied aside first, and message tells the user where (empty when no
// copy was needed). False when another lib of the list has that file (message says so) or
// the copy failed; the path then stays as it was.
bool ApplyLibPath(WordAdjustmentLibList& list, size_t index, const std::string& path, std::string& message);

// A question answered with a number: the prompt line, the question and its numbered
// choices. ParseChoiceNumber gives the choice (1..count) or 0 for anything else.
std::string NumberedChoiceText(const std::string& question, const std::vector<std::string>& choices);
int ParseChoiceNumber(const std::string& answer, int count);

// The choice offered by the add button: 1 import a file, 2 a new lib, 3 stop.
std::string AddLibChoiceText();

// What the import of a lib file found.
enum class LibImportCheck {
    kLooksRight,    // its words look like the list's encoding (or there are too few to tell)
    kLooksOther,    // they look like the other list's encoding
    kLooksUnknown,  // like neither
    kAlreadyInList,
    kUnreadable,
};
LibImportCheck CheckLibImport(const WordAdjustmentLibList& list, const std::string& path, bool isG2B);

// The question for a file of the other encoding (1 add it here anyway, 2 add it to the
// other list, 3 stop) or of neither (Yes / No).
std::string ImportOtherEncodingQuestion(const std::string& path, bool isG2B);
std::string ImportUnknownEncodingQuestion(const std::string& path, bool isG2B);

// Adds the file as a custom lib of the list, applied, after the other custom libs. False
// (and the list unchanged) when it is already in the list, there are 40 custom libs, or it
// cannot be read.
bool AddImportedLib(WordAdjustmentLibList& list, const std::string& path, bool isG2B, size_t& index);
// Adds a new empty custom lib, applied, with a unique "New Lib" title and a free file name
// in the direction's custom folder.
bool AddNewLib(WordAdjustmentLibList& list, bool isG2B, const std::string& ctwaFolder, size_t& index);

}  // namespace zelvo
