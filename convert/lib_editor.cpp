#include "convert/lib_editor.h"

#include <algorithm>
#include <cstdlib>

#include "convert/charset_detector.h"
#include "convert/lib_management.h"
#include "platform/file_system.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

// Fewer bytes of words than this cannot be told apart; such a file is taken as it is.
constexpr size_t kShortestGuessedText = 7;
constexpr size_t kGuessedBytes = 10000;

bool HasTitle(const WordAdjustmentLibList& list, const std::string& title) {
    return std::any_of(list.begin(), list.end(), [&](const auto& lib) { return lib && lib->title == title; });
}

bool IsInList(const WordAdjustmentLibList& list, const std::string& path) {
    return std::any_of(list.begin(), list.end(),
                       [&](const auto& lib) { return lib && SameLibPath(lib->path, path); });
}

size_t CustomLibCount(const WordAdjustmentLibList& list) {
    return list.size() >= 3 ? list.size() - 3 : 0;
}

std::string EditorError(int n) {
    return ErrorListEntry(LoadUiString(IDS_DIALOG_WA_ERROR_LIST), n);
}

// The refusal of an item, or empty. skip is the item being edited (npos when adding).
std::string ItemRefusal(const WordAdjustmentLib& lib, const std::string& before, const std::string& after,
                        size_t skip) {
    if (before.empty()) return ItemOperationText(kWordBlank);
    if (before == after) return ItemOperationText(kWordSameAsAfter);
    auto range =
        std::equal_range(lib.wordsBefore.begin(), lib.wordsBefore.end(), before,
                         [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    for (auto it = range.first; it != range.second; ++it)
        if (static_cast<size_t>(it - lib.wordsBefore.begin()) != skip)
            return ItemOperationText(kWordAlreadyExists);
    return {};
}

size_t InsertCustomLib(WordAdjustmentLibList& list, std::unique_ptr<WordAdjustmentLib> lib) {
    // New libs go after the other custom libs: the final fix lib stays last.
    const size_t index = list.size() - 1;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), std::move(lib));
    return index;
}

}  // namespace

std::string UniqueNewLibTitle(const WordAdjustmentLibList& list, bool isG2B) {
    const std::string name = LoadUiString(IDS_WDAD_NEW_LIB);
    const std::string encoding = LibEncodingName(isG2B);
    std::string title = name + "(" + encoding + ")";
    for (int n = 1; HasTitle(list, title); ++n) title = name + std::to_string(n) + "(" + encoding + ")";
    return title;
}

std::string ItemOperationText(int line) {
    return UiStringLine(LoadUiString(IDS_DIALOG_WAI_WORD_OPERATION), line);
}

ItemEditOutcome AddLibItem(WordAdjustmentLib& lib, const std::string& before, const std::string& after) {
    ItemEditOutcome outcome;
    const std::string wordBefore = TrimBlanks(before), wordAfter = TrimBlanks(after);
    outcome.message = ItemRefusal(lib, wordBefore, wordAfter, std::string::npos);
    if (!outcome.message.empty()) {
        outcome.caption = ItemOperationText(kAdditionFailed);
        return outcome;
    }
    outcome.index = InsertLibItem(lib, wordBefore, wordAfter);
    outcome.accepted = true;
    return outcome;
}

ItemEditOutcome EditLibItem(WordAdjustmentLib& lib, size_t index, const std::string& before,
                            const std::string& after) {
    ItemEditOutcome outcome;
    if (index >= lib.wordsBefore.size() || index >= lib.wordsAfter.size()) {
        outcome.caption = ItemOperationText(kModificationFailed);
        return outcome;
    }
    const std::string wordBefore = TrimBlanks(before), wordAfter = TrimBlanks(after);
    outcome.message = ItemRefusal(lib, wordBefore, wordAfter, index);
    if (!outcome.message.empty()) {
        outcome.caption = ItemOperationText(kModificationFailed);
        return outcome;
    }
    DeleteLibItem(lib, index);
    outcome.index = InsertLibItem(lib, wordBefore, wordAfter);
    outcome.accepted = true;
    return outcome;
}

bool DeleteLibItem(WordAdjustmentLib& lib, size_t index) {
    if (index >= lib.wordsBefore.size() || index >= lib.wordsAfter.size()) return false;
    lib.wordsBefore.erase(lib.wordsBefore.begin() + static_cast<std::ptrdiff_t>(index));
    lib.wordsAfter.erase(lib.wordsAfter.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

std::vector<size_t> SearchLibItems(const WordAdjustmentLib& lib, const std::string& word, int searchIn) {
    const std::string needle = TrimBlanks(word);
    const int codePage = LibCodePage(lib.isG2B);
    const bool inBefore = searchIn != static_cast<int>(LibSearchIn::kWordsAfter);
    const bool inAfter = searchIn != static_cast<int>(LibSearchIn::kWordsBefore);
    std::vector<size_t> found;
    const size_t items = std::min(lib.wordsBefore.size(), lib.wordsAfter.size());
    for (size_t i = 0; i < items; ++i) {
        if ((inBefore && FindText(lib.wordsBefore[i], needle, 0, codePage) != std::string::npos) ||
            (inAfter && FindText(lib.wordsAfter[i], needle, 0, codePage) != std::string::npos))
            found.push_back(i);
    }
    return found;
}

std::string LibStatisticsText(size_t shown, size_t total) {
    return FillPlaceholders(LoadUiString(IDS_DIALOG_WAI_STATISTICS),
                            {{"#1", std::to_string(shown)}, {"#2", std::to_string(total)}});
}

bool IsCustomLibIndex(const WordAdjustmentLibList& list, size_t index) {
    return list.size() >= 3 && index >= 2 && index + 1 < list.size();
}

bool MoveCustomLib(WordAdjustmentLibList& list, size_t index, bool up, size_t& newIndex) {
    newIndex = index;
    if (!IsCustomLibIndex(list, index)) return false;
    const size_t other = up ? index - 1 : index + 1;
    if (!IsCustomLibIndex(list, other)) return false;
    std::swap(list[index], list[other]);
    newIndex = other;
    return true;
}

bool DeleteCustomLib(WordAdjustmentLibList& list, size_t index) {
    if (!IsCustomLibIndex(list, index)) return false;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

std::string CheckLibSave(const WordAdjustmentLibList& list, size_t index, const std::string& title,
                         const std::string& path) {
    const bool custom = index < list.size() && list[index] && !list[index]->isSystem;
    if (custom && TrimBlanks(title).empty()) return EditorError(3);
    for (size_t i = 0; i < list.size(); ++i)
        if (i != index && list[i] && SameLibPath(list[i]->path, path))
            return ReplaceAll(EditorError(1), "#1", TrimBlanks(path));
    return {};
}

bool ApplyLibPath(WordAdjustmentLibList& list, size_t index, const std::string& path, std::string& message) {
    message.clear();
    if (index >= list.size() || !list[index]) return false;
    WordAdjustmentLib& lib = *list[index];
    const std::string newPath = TrimBlanks(path);
    // Never the file of another lib: saving the list would write both libs into it.
    for (size_t i = 0; i < list.size(); ++i) {
        if (i != index && list[i] && SameLibPath(list[i]->path, newPath)) {
            message = ReplaceAll(EditorError(1), "#1", newPath);
            return false;
        }
    }
    if (!SameLibPath(lib.path, newPath)) {
        std::string copyPath;
        if (!KeepCopyOfFile(newPath, copyPath)) {
            ShowFileWriteFailure(newPath + ".bak");
            return false;
        }
        if (!copyPath.empty())
            message = FillPlaceholders(EditorError(2), {{"#1", newPath}, {"#2", copyPath}});
    }
    lib.path = newPath;
    return true;
}

std::string NumberedChoiceText(const std::string& question, const std::vector<std::string>& choices) {
    std::string text = question + "\r\n\r\n" + LoadUiString(IDS_DIALOG_QXPA_PROMPT_CHOICE) + "\r\n";
    for (size_t i = 0; i < choices.size(); ++i) text += "\r\n" + std::to_string(i + 1) + ": " + choices[i];
    return text;
}

int ParseChoiceNumber(const std::string& answer, int count) {
    const std::string text = TrimBlanks(answer);
    if (text.empty() || text.size() > 3 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int number = std::atoi(text.c_str());
    return number >= 1 && number <= count ? number : 0;
}

std::string AddLibChoiceText() {
    std::vector<std::string> lines = LoadUiStringLines(IDS_DIALOG_WA_PROMPT_ADD_NEW);
    if (lines.empty()) return {};
    const std::string question = lines.front();
    lines.erase(lines.begin());
    return NumberedChoiceText(question, lines);
}

LibImportCheck CheckLibImport(const WordAdjustmentLibList& list, const std::string& path, bool isG2B) {
    if (IsInList(list, path)) return LibImportCheck::kAlreadyInList;
    WordAdjustmentLib probe;
    probe.isG2B = isG2B;
    probe.path = path;
    if (!ReadLibFile(probe, isG2B, true)) return LibImportCheck::kUnreadable;
    std::string words;
    for (size_t i = 0; i < probe.wordsBefore.size() && words.size() < kGuessedBytes; ++i)
        words += probe.wordsBefore[i] + probe.wordsAfter[i];
    if (words.size() < kShortestGuessedText) return LibImportCheck::kLooksRight;
    if (words.size() > kGuessedBytes) words.resize(kGuessedBytes);
    std::vector<int> candidates;
    const int guess = GuessTextCharset(words, candidates);
    const int wanted = isG2B ? kCharsetBig5 : kCharsetGb2312;
    const int other = isG2B ? kCharsetGb2312 : kCharsetBig5;
    if (guess == wanted) return LibImportCheck::kLooksRight;
    if (guess == other) return LibImportCheck::kLooksOther;
    return LibImportCheck::kLooksUnknown;
}

std::string ImportOtherEncodingQuestion(const std::string& path, bool isG2B) {
    std::vector<std::string> lines = LoadUiStringLines(IDS_DIALOG_WA_PROMPT_ADD_NEW_ON_COUNTER_CODE_ACTION);
    for (std::string& line : lines)
        line = FillPlaceholders(
            line, {{"#1", path}, {"#2", LibEncodingName(!isG2B)}, {"#3", LibEncodingName(isG2B)}});
    if (lines.empty()) return {};
    const std::string question = lines.front();
    lines.erase(lines.begin());
    return NumberedChoiceText(question, lines);
}

std::string ImportUnknownEncodingQuestion(const std::string& path, bool isG2B) {
    return FillPlaceholders(LoadUiString(IDS_DIALOG_WA_PROMPT_ADD_NEW_ON_UNKNOWN_CODE_ACTION),
                            {{"#1", path}, {"#2", LibEncodingName(isG2B)}});
}

bool AddImportedLib(WordAdjustmentLibList& list, const std::string& path, bool isG2B, size_t& index) {
    if (list.size() < 3 || IsInList(list, path) ||
        CustomLibCount(list) >= static_cast<size_t>(kMaxCustomLibs))
        return false;
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->isG2B = isG2B;
    lib->apply = true;
    lib->path = TrimBlanks(path);
    if (!ReadLibFile(*lib, isG2B, true)) return false;
    if (TrimBlanks(lib->title).empty()) lib->title = FileNamePart(lib->path);
    index = InsertCustomLib(list, std::move(lib));
    return true;
}

bool AddNewLib(WordAdjustmentLibList& list, bool isG2B, const std::string& ctwaFolder, size_t& index) {
    if (list.size() < 3 || CustomLibCount(list) >= static_cast<size_t>(kMaxCustomLibs)) return false;
    const std::string folder = JoinPath(ctwaFolder, isG2B ? "custbig" : "custgb");
    std::string path;
    for (int n = 1; n < 10000 && path.empty(); ++n) {
        std::string candidate = JoinPath(folder, "newlib" + std::to_string(n) + ".txt");
        if (!PathExists(candidate) && !IsInList(list, candidate)) path = candidate;
    }
    if (path.empty()) return false;
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->isG2B = isG2B;
    lib->apply = true;
    lib->title = UniqueNewLibTitle(list, isG2B);
    lib->path = path;
    index = InsertCustomLib(list, std::move(lib));
    return true;
}

}  // namespace zelvo
