// "Merge Word Adjustment Libs": the user lists lib files, names a target file with its
// title and description, and merges; the merge itself, its questions and its report are
// the portable merge's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "convert/lib_merge.h"
#include "convert/word_adjustment_lib.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/list_box.h"

namespace zelvo {

// Runs the dialog for libs of one encoding (big5Libs: G2B libs) and returns the files it
// wrote, so the caller can read again the libs of its lists that use them. Both lists
// serve the checks that refuse a target of the other encoding.
std::vector<std::string> RunMergeDialog(HWND owner, bool big5Libs, const WordAdjustmentLibList& g2b,
                                        const WordAdjustmentLibList& b2g, const LibFolders& folders);

// The paths of a list's libs, as the merge's checks compare them with the target.
std::vector<std::string> LibPathsOf(const WordAdjustmentLibList& list);

class LibMergeDialog : public Dialog {
  public:
    LibMergeDialog(bool big5Libs, LibMergeContext context);

    const std::vector<std::string>& Written() const { return written_; }

    // The file dialogs (save: the target) and the shell "open" of a file, replaceable so
    // that tests answer them without windows of their own.
    using FileQuestion = std::function<bool(bool save, const std::string& initialFolder, std::string& path)>;
    void SetFileQuestion(FileQuestion question) { fileQuestion_ = std::move(question); }
    using FileOpener = std::function<void(const std::string& path)>;
    void SetFileOpener(FileOpener opener) { fileOpener_ = std::move(opener); }

  protected:
    bool OnInitDialog() override;

  private:
    bool IsBig5() const;
    int WordsCodePage() const;
    std::vector<std::string> Sources() const;
    std::string PathIn(int id) const;
    void AddSource(const std::string& path);
    void OnAdd();
    void OnRemove();
    void OnBrowseSource();
    void OnBrowseTarget();
    void OnEncodingChange();
    void OnMerge();
    void Open(const std::string& path);
    void UpdateMerge();

    bool big5Libs_;
    LibMergeContext context_;
    std::vector<std::string> written_;
    FileQuestion fileQuestion_;
    FileOpener fileOpener_;
    ListBox sources_;
    int shownCodePage_ = 0;
    UniqueFont uiFont_;
    UniqueFont wordsFont_;
};

}  // namespace zelvo
