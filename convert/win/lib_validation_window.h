// The lib checks as the user meets them: the warning of the start-up check, the complete
// checks started from the Advanced Word Adjustment dialog with their report, and the
// correction with its "Correcting repeating items" dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "convert/word_adjustment_lib.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/list_box.h"

namespace zelvo {

// The start-up check of both lists with the fonts of this system choosing the warning's
// encoding; Yes calls openLibManager (the Advanced Word Adjustment dialog). True when the
// warning was shown.
bool RunStartupLibCheck(HWND owner, const WordAdjustmentLibList& g2b, const WordAdjustmentLibList& b2g,
                        const LibFolders& folders, const std::string& productName,
                        const std::function<void()>& openLibManager);

// What a validation button of the Advanced Word Adjustment dialog asks for.
enum class LibCheckScope {
    kCurrentLib,  // 1261: the complete check of the selected lib, reported
    kAllLibs,     // 1264: the complete check of both lists, reported
    kCorrectAll,  // 1278: the complete check of both lists, then the correction on request
};

// The checks of the Advanced Word Adjustment dialog over its lists, which hold every item.
// current names the lib of kCurrentLib (its list and index). The correction deletes items
// equal to themselves, keeps one of repeated pairs, lets the user choose the adjustment of
// each word with several in the correction dialog, and saves both lists with every file.
// True when the lists were changed (and saved).
struct CurrentLib {
    bool isG2B = true;
    int index = 0;
};
bool CheckLibsFromEditor(HWND owner, LibCheckScope scope, WordAdjustmentLibList& g2b,
                         WordAdjustmentLibList& b2g, const LibFolders& folders, CurrentLib current = {});

// One word before adjustment of the correction dialog and the decision taken for it.
struct CorrectionWord {
    bool isG2B = true;  // its words are Big5 (G2B) or GBK
    int libIndex = 0;
    std::string libTitle;
    std::string word;
    std::vector<std::string> afters;  // its different words after adjustment
    std::string chosen;               // the word after adjustment kept; empty: not decided
};

// "Correcting repeating items": walks the words with Previous word / Next word, shows the
// words after adjustment of each, and takes the one chosen in the list or typed as the final
// word. Leaving before every word is decided asks first.
class RepeatingItemsDialog : public Dialog {
  public:
    explicit RepeatingItemsDialog(std::vector<CorrectionWord>& words);

    int Current() const { return current_; }
    int DecidedCount() const;

  protected:
    bool OnInitDialog() override;
    void OnOk() override { Leave(); }
    void OnCancel() override { Leave(); }
    void OnClose() override { Leave(); }

  private:
    void ShowWord(int index);
    void Leave();
    void UpdateStatistics();

    std::vector<CorrectionWord>& words_;
    int current_ = 0;
    bool filling_ = false;
    ListBox afters_;
    TextEdit final_;
    UniqueFont uiFont_;
    UniqueFont big5Font_;
    UniqueFont gbkFont_;
};

}  // namespace zelvo
