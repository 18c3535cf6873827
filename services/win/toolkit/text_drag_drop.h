// OLE drag and drop of text for a TextEdit: the selection is dragged with the mouse and
// dropped elsewhere in the same control, in another one or in another program; text
// dragged from other programs drops in. Text travels as the control's bytes (CF_TEXT) and
// as characters (CF_UNICODETEXT), so a control of another code page gets the same
// characters rather than the bytes read in the wrong code page.
#pragma once

#include <windows.h>
// The other system headers need the types of windows.h.
#include <ole2.h>

#include <functional>
#include <string>
#include <string_view>

#include "services/win/toolkit/controls.h"

namespace zelvo {

// A data object offering the text as CF_TEXT (the bytes) and CF_UNICODETEXT (the
// characters), each in a movable global block with its terminating zero. It comes with one
// reference, the caller's.
IDataObject* CreateTextDataObject(std::string_view bytes, std::wstring_view characters);
// True when the data offers text in either form.
bool OffersText(IDataObject* data);
// The text of the data as bytes of codePage: its characters converted when it offers them
// (by the lossless codec for 936 and 950; a character the code page lacks becomes the
// codec's replacement), else its CF_TEXT bytes as they are, as the clipboard's are pasted.
// False when it offers no text.
bool ReadDroppedText(IDataObject* data, int codePage, std::string& bytes);

// The caret position of the control nearest a point of its client area. EM_CHARFROMPOS
// answers in 16 bits; the position is made whole again from the lines on screen, so it
// holds in texts of any length.
long CharacterAtPoint(const TextEdit& edit, POINT client);

class TextEditDragDrop {
  public:
    enum Mode : int { kStartsDrags = 1, kAcceptsDrops = 2, kDragAndDrop = kStartsDrags | kAcceptsDrops };

    explicit TextEditDragDrop(TextEdit& edit);
    ~TextEditDragDrop();
    TextEditDragDrop(const TextEditDragDrop&) = delete;
    TextEditDragDrop& operator=(const TextEditDragDrop&) = delete;

    // Installs the mouse handling on the control's window and registers its drop target
    // (OLE must be initialised on this thread). Called again once the control was made
    // anew (word wrap). False when the drop target could not be registered.
    bool Attach();
    // Revokes the drop target and removes the mouse handling; destroying the window does
    // the same.
    void Detach();

    void SetMode(int mode) { mode_ = mode; }
    int mode() const { return mode_; }

    // Called after a drop or the end of a drag changed the control's text or selection.
    std::function<void()> onDropped;

    // The drop target registered for the control: what OLE calls while a drag passes over it.
    IDropTarget* dropTarget() const;
    // A drag started in this control is under way.
    bool dragging() const { return dragging_; }

    // Runs the drag of the current selection as a press inside it does once the mouse left
    // the square round the press point: returns once the text was dropped or the drag
    // cancelled. Nothing happens without a selection.
    void DragSelection();

  private:
    class Target;
    friend class Target;

    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    // True when the message was handled here and result is its answer.
    bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool IsOverSelectedText(POINT client) const;
    void PlaceCaretAt(POINT client);
    void ShowDropCaret(long position);
    void ScrollNearEdge(POINT client);
    void Select(long start, long end);
    void RestoreCaret();
    void Changed();

    DWORD DragEnter(IDataObject* data, DWORD keys, POINTL screen, DWORD allowed);
    DWORD DragOver(DWORD keys, POINTL screen, DWORD allowed);
    void DragLeave();
    DWORD Drop(IDataObject* data, DWORD keys, POINTL screen, DWORD allowed);
    void MoveSelectionTo(long dropAt);

    TextEdit& edit_;
    HWND attached_ = nullptr;
    bool registered_ = false;
    Target* target_ = nullptr;
    int mode_ = kDragAndDrop;

    bool pressPending_ = false;  // pressed inside the selection, the drag not begun yet
    POINT pressPoint_{};
    bool dragging_ = false;
    TextEdit::Selection dragSelection_;
    bool droppedHere_ = false;  // this control's own text was moved onto it
    long dropPosition_ = 0;
    bool acceptingDrag_ = false;
    DWORD lastScrollTick_ = 0;
};

}  // namespace zelvo
