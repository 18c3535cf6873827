// The Edit Word Adjustment Lib dialog (282, or 354 under the Traditional Chinese UI) over one
// lib of a list, and the Edit Item dialog (138) for one pair of words. The words are bytes in
// the lib's own encoding (Big5 for G2B libs, GBK for B2G libs) whatever the UI language and
// the system code page are; the rules come from convert/lib_editor.h.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "convert/lib_editor.h"
#include "convert/word_adjustment_lib.h"
#include "platform/win/handles.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/list_view.h"

namespace zelvo {

// Registry section of the lib editor's settings ("Start G2B", "Search Option").
inline constexpr char kLibEditorSection[] = "CTWA";
inline constexpr char kSearchOptionKey[] = "Search Option";

// How the lib editor starts a second instance of the program on a file: the program's path
// and the parameters ShellExecuteA gets. True when it started.
using InstanceStarter = std::function<bool(const std::string& program, const std::string& parameters)>;
// ShellExecuteA with the verb "open".
bool StartInstanceWithShell(const std::string& program, const std::string& parameters);

// What editing a lib as text needs: where the temporary file goes and which program opens it.
struct LibTextEditing {
    std::string programFile;
    std::string tempFolder;
    InstanceStarter start = StartInstanceWithShell;
};

// The parameters of the instance that edits a lib's text: "\"[l]%d[p]%s\"" with the Source
// language index of the lib's encoding (3 Big5, 1 GBK) and the file.
std::string EditAsTextParameters(bool isG2B, const std::string& path);

// Dialog 138: "Add a Word" or "Edit Word". The words are typed in codePage; after OK,
// before() and after() hold them as typed (the caller trims and checks them).
class LibItemDialog : public Dialog {
  public:
    LibItemDialog(bool adding, int codePage, std::string before, std::string after);

    const std::string& before() const { return before_; }
    const std::string& after() const { return after_; }

  protected:
    bool OnInitDialog() override;
    void OnOk() override;

  private:
    bool adding_;
    int codePage_;
    std::string before_;
    std::string after_;
    TextEdit beforeEdit_;
    TextEdit afterEdit_;
    UniqueFont uiFont_;
    UniqueFont wordFont_;
};

// Dialog 282 / 354 over lib `index` of `list`. It works on a copy of the lib; OK checks the
// title and the path (never the file of another lib of the list; an existing file is copied
// aside first and the user told where) and then puts the copy into the list. Cancel leaves
// the list as it was.
class LibEditDialog : public Dialog {
  public:
    LibEditDialog(WordAdjustmentLibList& list, size_t index, const LibFolders& folders,
                  const LibTextEditing& textEditing);
    ~LibEditDialog() override;

    // The template for the current UI language: 354 under Traditional Chinese, else 282.
    static int TemplateForUiLanguage();

    // The lib as edited so far, and the items the list shows now (indexes into its arrays).
    const WordAdjustmentLib& lib() const { return lib_; }
    const std::vector<size_t>& shownItems() const { return shown_; }
    // The temporary file of "edit as text" (empty until it was written).
    const std::string& textFile() const { return textFile_; }
    // Looks at the temporary file once, as the timer does.
    void CheckTextFile();

    // Timer id and period of the watch on the temporary file.
    static constexpr UINT_PTR kTextFileTimer = 1;
    static constexpr UINT kTextFileTimerMs = 1000;

  protected:
    bool OnInitDialog() override;
    void RelabelControls() override;
    void OnOk() override;
    void OnTimer(UINT_PTR timerId) override;
    void OnDestroy() override;
    int HelpTopic() const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    int CodePage() const { return LibCodePage(lib_.isG2B); }
    void ShowLib();
    // Shows the items found by the current search (all when showAll), selecting item
    // `select` when it is among them.
    void ShowItems(bool showAll, size_t select);
    void ShowSelectedItem();
    void Search();
    void ShowAll();
    void AddItem();
    void EditItem();
    void DeleteItem();
    // A refused item is reported; an accepted one is selected in the list.
    void ShowOutcome(const ItemEditOutcome& outcome);
    void EditAsText();
    void Browse();
    void UpdateCaption();
    // The item the selected row shows, or npos.
    size_t SelectedItem() const;

    WordAdjustmentLibList& list_;
    size_t index_;
    LibFolders folders_;
    LibTextEditing textEditing_;
    WordAdjustmentLib lib_;
    std::vector<size_t> shown_;
    bool filtered_ = false;
    ListView items_;
    TextEdit titleEdit_;
    TextEdit descriptionEdit_;
    TextEdit searchEdit_;
    ComboBox searchIn_;
    UniqueFont uiFont_;
    UniqueFont wordFont_;
    std::string textFile_;
    FILETIME textFileTime_{};
    bool asking_ = false;
};

}  // namespace zelvo
