// The modeless Find/Replace window of one edit area: dialog 255 over the matching of
// transfer/find_replace.h. It reads the area's bytes and selection through the area's
// TextEdit, asks the portable core where the matches are, and carries the answer out on
// the control (selections set in bytes, replacements through the control's own
// replacement so that its Undo keeps working). Settings and histories are read when the
// window is created and written when it is hidden and when it goes.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win/handles.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"
#include "transfer/find_replace.h"

namespace zelvo {

class FindReplaceDialog : public Dialog {
  public:
    explicit FindReplaceDialog(bool isSourceArea);
    ~FindReplaceDialog() override;

    // Creates the window, hidden and owned by owner (so it stays above it and goes with
    // it), for the area's edit control; the stored settings and histories are read.
    bool Create(HWND owner, TextEdit& area);

    // Called with true before Replace All works and with false after: the owner shows a
    // busy text and the wait cursor meanwhile.
    std::function<void(bool busy)> onBusy;

    // Shows the window (placed the first time), brought to the front and seeded from the
    // area: the search word in Find What, all of it selected and focused.
    void Open();
    // Hides the window and writes the settings.
    void Hide();
    bool IsShown() const;

    // Enables the buttons for the area's text and selection as they are now (the owner's
    // refresh timer calls it; a change of selection changes them).
    void UpdateButtons();
    // The title and every label in the UI language, after a switch of it.
    void ApplyUiLanguage() { RelabelControls(); }
    // The area's text is now read in another code page: the boxes show the histories in it.
    void AreaCodePageChanged();

    bool isSourceArea() const { return isSourceArea_; }
    const FindReplaceSettings& settings() const { return settings_; }

  protected:
    bool OnInitDialog() override;
    void RelabelControls() override;
    void OnOk() override { FindNextCommand(); }
    void OnCancel() override { Hide(); }
    void OnClose() override { Hide(); }
    void OnDestroy() override { SaveSettings(); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    // The area's text, selection and the two boxes' texts, held while one command runs.
    struct Search {
        std::string text;
        std::string find;
        std::string replace;
        TextEdit::ByteSelection selection;
        int codePage = 0;
        SearchInput Input() const;
    };
    Search TakeSearch() const;
    // What every command does first: the options and texts taken, the rules checked (a
    // replacement by the same text is refused with a message), the texts put at the top of
    // their histories. Nothing when the command must not run.
    std::optional<Search> BeginCommand(bool replacing);
    std::string BoxText(const ComboBox& box) const;
    void SetBoxText(ComboBox& box, std::string_view bytes);
    // The options as the check boxes and radio buttons show them.
    void ReadOptions();
    void ShowOptions();
    // Puts a text at the top of its history and shows the history again.
    void UseText(ComboBox& box, std::vector<std::string>& history, const std::string& text);
    void FillHistory(ComboBox& box, const std::vector<std::string>& history);
    void ApplyBoxFonts();
    void Place();
    void SaveSettings();
    // A message of this window, owned by it; the texts typed in the area's code page are
    // put into the UI language's.
    void Say(const std::string& text, unsigned style);
    // Text of the area quoted in a message, in the code page the message is written in.
    int MessageCodePage() const;
    std::string AsUiText(std::string_view bytes) const;
    void FocusArea();

    void FindNextCommand();
    void FindCountCommand();
    void ReplaceCommand();
    void ReplaceAllCommand();

    bool isSourceArea_;
    FindReplaceSettings settings_;
    TextEdit* area_ = nullptr;
    int boxCodePage_ = 0;  // the code page the boxes show their texts in
    bool shown_ = false;
    bool placed_ = false;
    ComboBox find_;
    ComboBox replace_;
    Button wholeWord_;
    Button matchCase_;
    Button enableReplace_;
    Button up_;
    Button down_;
    Button selectionScope_;
    Button wholeFileScope_;
    UniqueFont uiFont_;
    UniqueFont boxFont_;
};

}  // namespace zelvo
