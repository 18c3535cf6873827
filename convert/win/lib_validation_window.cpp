#include "convert/win/lib_validation_window.h"

#include <ctime>
#include <utility>

#include "convert/lib_validation.h"
#include "resources/resource.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"
#include "services/win/system_language_win.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

constexpr int kBig5Charset = 136;
constexpr int kGb2312Charset = 134;

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

// The problems of one lib only, as a complete check of its list finds them.
std::vector<LibProblem> ProblemsOfLib(const WordAdjustmentLibList& list, int index) {
    std::vector<LibProblem> problems;
    for (LibProblem& problem : ScanLibList(list, true))
        if (problem.libIndex == index) problems.push_back(std::move(problem));
    return problems;
}

// The words of one list with several different adjustments, for the correction dialog.
void AddCorrectionWords(const WordAdjustmentLibList& list, bool isG2B, std::vector<CorrectionWord>& words) {
    for (RepeatingItemsGroup& group : FindRepeatingItemsGroups(list)) {
        CorrectionWord word;
        word.isG2B = isG2B;
        word.libIndex = group.libIndex;
        word.libTitle = list[static_cast<size_t>(group.libIndex)]->title;
        word.word = std::move(group.word);
        word.afters = std::move(group.afters);
        words.push_back(std::move(word));
    }
}

LibCorrection CorrectionOf(const std::vector<CorrectionWord>& words, bool isG2B) {
    LibCorrection correction;
    for (const CorrectionWord& word : words)
        if (word.isG2B == isG2B && !word.chosen.empty())
            correction.choices.push_back({word.libIndex, word.word, word.chosen});
    return correction;
}

// The question that starts the correction: what it will do, the report behind "Details".
bool AskToCorrect(const MessageRequest& report) {
    std::vector<std::string> lines = LoadUiStringLines(IDS_DIALOG_WA_VALIDATION_CHECK_PROCESS_INFO);
    MessageRequest question = report;
    question.text = lines.empty() ? std::string() : lines[0];
    question.text += "\r\n\r\n" + report.text;
    for (size_t i = 1; i < lines.size() && i < 4; ++i)
        question.text += "\r\n" + std::to_string(i) + ". " + lines[i];
    question.style = kMbYesNo | kMbIconQuestion;
    return ShowMessage(question).result == kIdYes;
}

}  // namespace

bool RunStartupLibCheck(HWND owner, const WordAdjustmentLibList& g2b, const WordAdjustmentLibList& b2g,
                        const LibFolders& folders, const std::string& productName,
                        const std::function<void()>& openLibManager) {
    (void)owner;  // the message service owns its box by the window that speaks now
    return RunStartupLibCheck(g2b, b2g, folders, Now(), SystemHasFontOfCharset, productName, openLibManager);
}

bool CheckLibsFromEditor(HWND owner, LibCheckScope scope, WordAdjustmentLibList& g2b,
                         WordAdjustmentLibList& b2g, const LibFolders& folders, CurrentLib current) {
    const bool gbFont = SystemHasFontOfCharset(kGb2312Charset);
    const bool big5Font = SystemHasFontOfCharset(kBig5Charset);
    std::vector<LibProblem> g2bProblems, b2gProblems;
    if (scope == LibCheckScope::kCurrentLib) {
        const WordAdjustmentLibList& list = current.isG2B ? g2b : b2g;
        if (current.index < 0 || static_cast<size_t>(current.index) >= list.size()) return false;
        (current.isG2B ? g2bProblems : b2gProblems) = ProblemsOfLib(list, current.index);
        ShowMessage(CompleteCheckMessage(g2b, g2bProblems, b2g, b2gProblems, gbFont, big5Font));
        return false;
    }
    const int64_t now = Now();
    CheckLibList(b2g, false, true, now, folders, b2gProblems);
    CheckLibList(g2b, true, true, now, folders, g2bProblems);
    MessageRequest report = CompleteCheckMessage(g2b, g2bProblems, b2g, b2gProblems, gbFont, big5Font);
    const bool clean = g2bProblems.empty() && b2gProblems.empty();
    if (scope == LibCheckScope::kAllLibs || clean) {
        ShowMessage(report);
        return false;
    }
    if (!AskToCorrect(report)) return false;

    // Items equal to themselves and repeated pairs go first, so the dialog only offers
    // words whose adjustments really differ.
    LibCorrection cleanUp;
    CorrectLibList(g2b, cleanUp);
    CorrectLibList(b2g, cleanUp);
    std::vector<CorrectionWord> words;
    AddCorrectionWords(g2b, true, words);
    AddCorrectionWords(b2g, false, words);
    if (!words.empty()) {
        RepeatingItemsDialog dialog(words);
        dialog.RunModal(owner);
        CorrectLibList(g2b, CorrectionOf(words, true));
        CorrectLibList(b2g, CorrectionOf(words, false));
    }
    SaveLibList(g2b, true, true, folders);
    SaveLibList(b2g, false, true, folders);
    return true;
}

// ---- Correcting repeating items ----

RepeatingItemsDialog::RepeatingItemsDialog(std::vector<CorrectionWord>& words)
    : Dialog(IDD_CORRECT_REPEATING), words_(words) {
    SetLabels({{IDC_WAC_LIB_LABEL, IDS_DIALOG_WAC_LIB_INFORMATION_L},
               {IDC_WAC_WORD_LABEL, IDS_DIALOG_WAC_WORD_BEFORE_ADJUSTMENT_B},
               {IDC_WAC_AFTERS_LABEL, IDS_DIALOG_WAC_LIST_OR_WORDS_AFTER_ADJUSTMENT_R},
               {IDC_WAC_FINAL_LABEL, IDS_DIALOG_WAC_FINAL_WORD_AFTER_ADJUSTMENT_F},
               {IDC_WAC_PREVIOUS, IDS_DIALOG_WAC_PREVIOUS_WORD},
               {IDC_WAC_NEXT, IDS_DIALOG_WAC_NEXT_WORD},
               {IDOK, IDS_DIALOG_OK}});
    BindCommand(IDC_WAC_PREVIOUS, [this](int, int) { ShowWord(current_ - 1); });
    BindCommand(IDC_WAC_NEXT, [this](int, int) { ShowWord(current_ + 1); });
    BindCommand(IDC_WAC_AFTERS, [this](int, int code) {
        if (code != LBN_SELCHANGE || words_.empty()) return;
        const int selected = afters_.Selected();
        CorrectionWord& word = words_[static_cast<size_t>(current_)];
        if (selected < 0 || static_cast<size_t>(selected) >= word.afters.size()) return;
        word.chosen = word.afters[static_cast<size_t>(selected)];
        filling_ = true;
        final_.SetBytes(word.chosen);
        filling_ = false;
        UpdateStatistics();
    });
    BindCommand(IDC_WAC_FINAL, [this](int, int code) {
        if (code != EN_CHANGE || filling_ || words_.empty()) return;
        CorrectionWord& word = words_[static_cast<size_t>(current_)];
        word.chosen = TrimBlanks(final_.Bytes());
        UpdateStatistics();
    });
}

int RepeatingItemsDialog::DecidedCount() const {
    int decided = 0;
    for (const CorrectionWord& word : words_)
        if (!word.chosen.empty()) ++decided;
    return decided;
}

bool RepeatingItemsDialog::OnInitDialog() {
    Control(hwnd()).SetText(LoadUiString(IDS_DIALOG_WAC_TITLE), UiCodePage());
    uiFont_ = UseUiFont(hwnd());
    afters_.Attach(hwnd(), IDC_WAC_AFTERS);
    final_.Attach(hwnd(), IDC_WAC_FINAL);
    // The words show in their lib's own encoding whatever the UI language is.
    big5Font_ = FontLike(Item(IDC_WAC_WORD), kBig5Charset);
    gbkFont_ = FontLike(Item(IDC_WAC_WORD), kGb2312Charset);
    ShowWord(0);
    // The choice starts in the list of words after adjustment.
    SetFocus(afters_.hwnd());
    return false;
}

void RepeatingItemsDialog::ShowWord(int index) {
    if (words_.empty()) {
        UpdateStatistics();
        return;
    }
    if (index < 0 || static_cast<size_t>(index) >= words_.size()) return;
    current_ = index;
    const CorrectionWord& word = words_[static_cast<size_t>(index)];
    const int codePage = LibCodePage(word.isG2B);
    HFONT font = (word.isG2B ? big5Font_ : gbkFont_).get();
    for (int id : {IDC_WAC_LIB, IDC_WAC_WORD, IDC_WAC_AFTERS, IDC_WAC_FINAL})
        if (font) Control(Item(id)).SetFont(font, true);
    filling_ = true;
    Control(Item(IDC_WAC_LIB)).SetText(word.libTitle, codePage);
    Control(Item(IDC_WAC_WORD)).SetText(word.word, codePage);
    afters_.Reset();
    int selected = -1;
    for (size_t i = 0; i < word.afters.size(); ++i) {
        afters_.Add(word.afters[i], codePage);
        if (word.afters[i] == word.chosen) selected = static_cast<int>(i);
    }
    if (selected >= 0) afters_.Select(selected);
    final_.SetCodePage(codePage);
    final_.SetBytes(word.chosen);
    filling_ = false;
    Control(Item(IDC_WAC_PREVIOUS)).Enable(index > 0);
    Control(Item(IDC_WAC_NEXT)).Enable(static_cast<size_t>(index) + 1 < words_.size());
    UpdateStatistics();
}

void RepeatingItemsDialog::UpdateStatistics() {
    const int total = static_cast<int>(words_.size());
    Control(Item(IDC_WAC_STATISTICS))
        .SetText(CorrectionStatisticsText(total == 0 ? 0 : current_ + 1, total, DecidedCount()),
                 UiCodePage());
}

void RepeatingItemsDialog::Leave() {
    if (DecidedCount() < static_cast<int>(words_.size())) {
        MessageRequest question;
        question.text = LoadUiString(IDS_DIALOG_WAC_PROMPT_EXIT_BEFORE_DONE);
        question.style = kMbYesNo | kMbIconQuestion | kMbDefButton2;
        if (ShowMessage(question).result != kIdYes) return;
    }
    End(IDOK);
}

}  // namespace zelvo
