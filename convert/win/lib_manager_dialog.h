// The Advanced Word Adjustment dialog (281) over both lib lists of the main window: which
// list is shown, the libs with separator rows between the system and the custom libs, and
// the buttons that add, delete, edit, move, merge and check them. RunLibManager is the
// whole road: every item loaded, the dialog, saving on OK, and the lists read again.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "convert/win/lib_edit_dialog.h"
#include "convert/win/lib_validation_window.h"
#include "convert/word_adjustment_lib.h"
#include "platform/win/handles.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/list_view.h"
#include "services/win/toolkit/tooltips.h"

namespace zelvo {

// Registry key (section "CTWA") of the list the dialog shows first: 1 the G2B list.
inline constexpr char kStartG2bKey[] = "Start G2B";

struct LibCheckRequest {
    HWND owner = nullptr;
    LibCheckScope scope = LibCheckScope::kAllLibs;
    // The lists as the dialog holds them (every item loaded); a correction changes them
    // and saves them.
    WordAdjustmentLibList* g2b = nullptr;
    WordAdjustmentLibList* b2g = nullptr;
    bool g2bShown = true;
    size_t libIndex = 0;  // kCurrentLib: the lib's index in the shown list
};

// What the dialog's merge and validation buttons run, provided by the caller. A button
// whose hook is not set is disabled.
struct LibManagerHooks {
    // The merge dialog for the shown direction (true: G2B). Returns the paths of the files
    // the merge wrote; a lib of the shown list whose file is among them is offered to be
    // read again.
    std::function<std::vector<std::string>(HWND owner, bool g2bShown)> merge;
    std::function<void(const LibCheckRequest&)> validate;
    // Asks for a lib file to import (the common Open dialog when not set): false when the
    // user cancelled. initialFolder is where the dialog starts.
    std::function<bool(HWND owner, const std::string& initialFolder, std::string& path)> askLibFile;
    LibTextEditing textEditing;
};

class LibManagerDialog : public Dialog {
  public:
    LibManagerDialog(WordAdjustmentLibList& g2b, WordAdjustmentLibList& b2g, const LibFolders& folders,
                     const LibManagerHooks& hooks);

    bool g2bShown() const { return g2bShown_; }
    // The list shown now and the row that shows lib `index` of it (-1 when none does).
    WordAdjustmentLibList& ShownList() const { return g2bShown_ ? g2b_ : b2g_; }
    int RowOfLib(size_t index) const;
    // Compares every lib's file with the time it was read or written, as the timer does,
    // and offers to read a changed one again.
    void CheckLibFiles();

    static constexpr UINT_PTR kSourceTimer = 1;
    static constexpr UINT kSourceTimerMs = 1000;

  protected:
    bool OnInitDialog() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR timerId) override;
    int HelpTopic() const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void ShowList(bool g2b);
    // Fills the list view, selecting lib `select` (npos: none).
    void FillList(size_t select);
    // The selected lib's index in the shown list, or npos (none, or a separator row).
    size_t SelectedLib() const;
    void Refresh();
    void Add();
    void AddFromFile();
    void Delete();
    void Edit();
    void EditLib(size_t index);
    void Move(bool up);
    void Merge();
    void Check(LibCheckScope scope);

    WordAdjustmentLibList& g2b_;
    WordAdjustmentLibList& b2g_;
    LibFolders folders_;
    const LibManagerHooks& hooks_;
    bool g2bShown_ = true;
    // Set while a question, a dialog of its own or a hook runs: the file watch waits.
    int busy_ = 0;
    bool filling_ = false;
    ListView list_;
    ToolTips tips_;
    UniqueFont uiFont_;
    UniqueFont big5Font_;
    UniqueFont gbkFont_;
};

// The lib editor's whole run over the main window's lists: both loaded with every item,
// dialog 281, on OK both saved with every file, and in every case both read again as word
// adjustment reads them (applied libs' items only). True when the user chose OK. The
// caller recomputes its applied item totals afterwards.
bool RunLibManager(HWND owner, WordAdjustmentLibList& g2b, WordAdjustmentLibList& b2g,
                   const LibFolders& folders, const LibManagerHooks& hooks);

}  // namespace zelvo
