// Thin classes over the standard controls a dialog holds. Each wraps an HWND it does not
// own (the dialog does) and is the only code that sends that kind of control its
// messages. Text crosses in bytes of a code page, converted by win_text.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/handles.h"

namespace zelvo {

class Control {
  public:
    Control() = default;
    explicit Control(HWND window) : hwnd_(window) {}
    virtual ~Control() = default;
    Control(const Control&) = default;
    Control& operator=(const Control&) = default;

    void Attach(HWND window) { hwnd_ = window; }
    void Attach(HWND dialog, int id) { hwnd_ = GetDlgItem(dialog, id); }
    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // Shows without activating; nothing is sent when the control is already so.
    void Show(bool shown);
    bool IsShown() const;  // its own WS_VISIBLE, whatever its parent's state
    void Enable(bool enabled);
    bool IsEnabled() const;
    void SetFont(HFONT font, bool redraw = false);
    HFONT Font() const;
    std::string Text(int codePage) const;
    void SetText(std::string_view bytes, int codePage);
    // A static control's icon.
    void SetIcon(HICON icon);

    // A notification the control sent its dialog in WM_COMMAND (Dialog::BindControl hands
    // them over); each kind of control calls its named callbacks from here.
    virtual void OnNotify(int notifyCode) {}

  protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  private:
    HWND hwnd_ = nullptr;
};

// The window's font with another character set (and, when height is not 0, another
// height): what a dialog needs to show UI text of another code page or an edit area its
// language. For a character set other than ANSI the face name is left to the system,
// which picks one that has the characters. Null when the window has no font to copy and
// none can be made.
UniqueFont FontLike(HWND window, BYTE charset, LONG height = 0);
// Gives every child control of the window the font (without redrawing them).
void SetFontOfChildren(HWND window, HFONT font);
// The dialog's font in the UI language's character set, given to every control so labels
// of the UI language are drawn. The dialog keeps what is returned while it is open.
UniqueFont UseUiFont(HWND dialog);

// A multi-line edit control whose text is bytes in a code page. The control counts
// characters; positions handed out here are byte offsets in the code page.
class TextEdit : public Control {
  public:
    using Control::Control;

    // Called when the user changed the text (EN_CHANGE) and when the control got the focus.
    std::function<void()> onChange;
    std::function<void()> onFocus;
    void OnNotify(int notifyCode) override;

    void SetCodePage(int codePage) { codePage_ = codePage; }
    int codePage() const { return codePage_; }

    // The default limit is 32K characters; texts are often larger.
    void LiftLengthLimit();
    // Read-only text can still be selected, copied and scrolled, unlike a disabled control's.
    void SetReadOnly(bool readOnly);
    std::string Bytes() const { return Text(codePage_); }
    // Replaces the text; the control's undo buffer is emptied.
    void SetBytes(std::string_view bytes) { SetText(bytes, codePage_); }
    // Replaces the whole text so that Undo brings the previous one back; the caret goes
    // to the start.
    void ReplaceAllUndoable(std::string_view bytes);
    // Replaces the selection (undoable).
    void ReplaceSelection(std::string_view bytes);
    std::string SelectedBytes() const;
    std::wstring SelectedCharacters() const;
    long Length() const;  // in characters

    struct Selection {
        long start = 0;
        long end = 0;
    };
    // In characters, as the control keeps it.
    Selection CharacterSelection() const;
    // Byte offsets, in the code page, of character positions of the control counted from
    // the smallest of them: what columns and selections need, without converting the text
    // before it. Positions past the text count as its end.
    std::vector<long> ByteOffsets(const std::vector<long>& characterPositions) const;
    // The selection as byte offsets from the start of the text, and selecting bytes
    // [start, end) (offsets on character starts of the code page): what a search over the
    // bytes reads and sets, so that the selection is exactly the bytes it found.
    struct ByteSelection {
        size_t start = 0;
        size_t end = 0;
    };
    ByteSelection SelectionInBytes() const;
    void SelectBytes(size_t start, size_t end);

    // Lines: the line of a character position, the position where a line starts, how many.
    int LineOfCharacter(long position) const;
    long LineStart(int line) const;
    int LineCount() const;

    // Word wrap: the edit control cannot change it in place, so the control is made again
    // in the same place with the same id, font, text, selection and z-order (the undo buffer
    // does not survive). Subclasses of the old window are gone: the owner installs its own
    // again. True when the control now wraps as asked.
    bool SetWordWrap(bool wrap);
    bool WordWrap() const;

    void SelectAll();
    void CaretToStart();
    void ScrollCaret();
    // The standard editing messages the control answers itself: WM_UNDO (or EM_UNDO),
    // WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR. Other messages are not sent.
    void Perform(UINT standardMessage);

  private:
    int codePage_ = 0;
};

// A drop-down list of texts in a code page.
class ComboBox : public Control {
  public:
    using Control::Control;

    // Called when the user chose another item (CBN_SELCHANGE).
    std::function<void()> onSelectionChange;
    void OnNotify(int notifyCode) override;

    void Reset();
    void Add(std::string_view bytes, int codePage);
    int Count() const;
    int Selected() const;  // -1 when nothing is selected
    void Select(int index);
    // The width of the list when it drops down, so long names show whole.
    void SetDroppedWidth(int pixels);
    // Selects the whole text of the box's edit field (a drop-down with an edit field).
    void SelectEditText();
};

class Button : public Control {
  public:
    using Control::Control;

    // Called when the button is clicked (BN_CLICKED).
    std::function<void()> onClick;
    void OnNotify(int notifyCode) override;

    bool IsChecked() const;
    void SetChecked(bool checked);
    // Push button style: the default button of its dialog or an ordinary one.
    void SetDefaultStyle(bool isDefault);
};

// An up-down control beside its buddy edit box.
class SpinButton : public Control {
  public:
    using Control::Control;

    void SetRange(int low, int high);
};

class ProgressBar : public Control {
  public:
    using Control::Control;

    void SetRange(int maximum);
    void SetPosition(int position);
};

// A status bar with panes; texts in a code page.
class StatusBar : public Control {
  public:
    using Control::Control;

    // Creates the status bar as a child of parent that lays out nowhere by itself (the
    // owner moves it).
    bool Create(HWND parent, int id);
    // The right edge of each pane; -1 reaches the right side of the bar.
    void SetPanes(const std::vector<int>& rightEdges);
    void SetPaneText(int pane, std::string_view bytes, int codePage);
    std::wstring PaneText(int pane) const;
    bool PaneRect(int pane, RECT& rect) const;
};

}  // namespace zelvo
