#include "services/win/toolkit/text_drag_drop.h"

// The other system headers need the types of windows.h.
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "services/text_drag.h"
#include "services/win/toolkit/clipboard.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

constexpr UINT_PTR kDragDropSubclassId = 0x5A44;

FORMATETC TextFormat(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool IsTextFormat(const FORMATETC* format) {
    return format && (format->cfFormat == CF_TEXT || format->cfFormat == CF_UNICODETEXT) &&
           format->dwAspect == DVASPECT_CONTENT && (format->tymed & TYMED_HGLOBAL) != 0;
}

// IUnknown of an object of one interface: counted references, deleted at the last Release.
template <typename Interface>
class ComObject : public Interface {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;

  private:
    LONG references_ = 1;  // the creator's
};

// ---- The data a drag carries ----

class TextDataObject final : public ComObject<IDataObject> {
  public:
    TextDataObject(std::string_view bytes, std::wstring_view characters)
        : bytes_(bytes), characters_(characters) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!medium) return E_POINTER;
        if (!IsTextFormat(format)) return DV_E_FORMATETC;
        HGLOBAL block = format->cfFormat == CF_TEXT
                            ? MakeGlobalTextBlock(bytes_.data(), bytes_.size(), 1)
                            : MakeGlobalTextBlock(characters_.data(), characters_.size() * sizeof(wchar_t),
                                                  sizeof(wchar_t));
        if (!block) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;  // the receiver frees the block
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return DATA_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return IsTextFormat(format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (!formats) return E_POINTER;
        *formats = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        // Characters first: the richer form comes first for a receiver that takes the first it knows.
        const FORMATETC offered[] = {TextFormat(CF_UNICODETEXT), TextFormat(CF_TEXT)};
        return SHCreateStdEnumFmtEtc(2, offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  private:
    std::string bytes_;
    std::wstring characters_;
};

// ---- The source side of a drag: when it ends ----

class TextDropSource final : public ComObject<IDropSource> {
  public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override {
        if (escapePressed || (keys & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Reads a global block of text units up to the first zero or the block's end.
template <typename Unit>
bool ReadGlobalText(IDataObject* data, CLIPFORMAT format, std::basic_string<Unit>& text) {
    FORMATETC wanted = TextFormat(format);
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&wanted, &medium))) return false;
    bool read = false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        if (const auto* units = static_cast<const Unit*>(GlobalLock(medium.hGlobal))) {
            const size_t capacity = GlobalSize(medium.hGlobal) / sizeof(Unit);
            text.assign(units, std::find(units, units + capacity, Unit(0)));
            GlobalUnlock(medium.hGlobal);
            read = true;
        }
    }
    ReleaseStgMedium(&medium);
    return read;
}

bool Offers(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = TextFormat(format);
    return data && data->QueryGetData(&wanted) == S_OK;
}

DWORD EffectOf(DropAction action) {
    switch (action) {
        case DropAction::kCopy:
            return DROPEFFECT_COPY;
        case DropAction::kMove:
            return DROPEFFECT_MOVE;
        default:
            return DROPEFFECT_NONE;
    }
}

DWORD ChooseEffect(DWORD keys, DWORD allowed) {
    return EffectOf(ChooseDropAction((keys & MK_CONTROL) != 0, (allowed & DROPEFFECT_COPY) != 0,
                                     (allowed & DROPEFFECT_MOVE) != 0));
}

LRESULT SendTo(const TextEdit& edit, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return edit.hwnd() ? SendMessageW(edit.hwnd(), message, wParam, lParam) : 0;
}

// The client point of a caret position; false when the control has none for it (the end
// of the text, on some systems).
bool PointOfCharacter(const TextEdit& edit, long position, POINT& point) {
    const LRESULT answer = SendTo(edit, EM_POSFROMCHAR, static_cast<WPARAM>(position));
    if (answer == -1 || static_cast<DWORD>(answer) == 0xFFFFFFFF) return false;
    point = {static_cast<short>(LOWORD(answer)), static_cast<short>(HIWORD(answer))};
    return true;
}

long LineLength(const TextEdit& edit, long lineStart) {
    return static_cast<long>(SendTo(edit, EM_LINELENGTH, static_cast<WPARAM>(lineStart)));
}

// Height of a line and width of a character in the control's font.
SIZE MeasureInFont(const TextEdit& edit, wchar_t character) {
    SIZE size{0, 0};
    HDC dc = GetDC(edit.hwnd());
    if (!dc) return size;
    HGDIOBJ old =
        SelectObject(dc, edit.Font() ? static_cast<HGDIOBJ>(edit.Font()) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    GetTextExtentPoint32W(dc, &character, 1, &size);
    size.cy = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(edit.hwnd(), dc);
    return size;
}

// The character before a caret position on its line, or a line feed at a line's end.
wchar_t CharacterBefore(const TextEdit& edit, long position) {
    const int line = edit.LineOfCharacter(position - 1);
    const long start = edit.LineStart(line);
    const long length = LineLength(edit, start);
    const long column = position - 1 - start;
    if (column < 0 || column >= length) return L'\n';
    std::wstring text(static_cast<size_t>(std::max(length, 1L)) + 1, L'\0');
    // EM_GETLINE takes the buffer's size in its first unit.
    text[0] = static_cast<wchar_t>(std::min<long>(length + 1, 0xFFFF));
    const auto got = static_cast<long>(
        SendTo(edit, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data())));
    return column < got ? text[static_cast<size_t>(column)] : L' ';
}

}  // namespace

IDataObject* CreateTextDataObject(std::string_view bytes, std::wstring_view characters) {
    return new TextDataObject(bytes, characters);
}

bool OffersText(IDataObject* data) {
    return Offers(data, CF_UNICODETEXT) || Offers(data, CF_TEXT);
}

bool ReadDroppedText(IDataObject* data, int codePage, std::string& bytes) {
    bytes.clear();
    if (!data) return false;
    std::wstring characters;
    if (Offers(data, CF_UNICODETEXT) && ReadGlobalText(data, CF_UNICODETEXT, characters)) {
        bytes = NarrowText(characters, codePage);
        return true;
    }
    return Offers(data, CF_TEXT) && ReadGlobalText(data, CF_TEXT, bytes);
}

long CharacterAtPoint(const TextEdit& edit, POINT client) {
    if (!edit) return 0;
    const auto answer = static_cast<DWORD>(SendTo(
        edit, EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y))));
    const long length = edit.Length();
    if (answer == 0xFFFFFFFF) return length;
    const int lastLine = std::max(edit.LineCount() - 1, 0);
    const auto firstVisible = static_cast<long>(SendTo(edit, EM_GETFIRSTVISIBLELINE));
    const int line =
        static_cast<int>(std::min<long>(UnwrapSixteenBits(HIWORD(answer), firstVisible), lastLine));
    const long lineStart = edit.LineStart(line);
    const long lineEnd = lineStart + LineLength(edit, lineStart);
    return std::clamp(UnwrapSixteenBits(LOWORD(answer), lineStart), lineStart, std::min(lineEnd, length));
}

// ---- The drop target OLE calls for the control ----

class TextEditDragDrop::Target final : public ComObject<IDropTarget> {
  public:
    explicit Target(TextEditDragDrop* owner) : owner_(owner) {}

    // The owner is going: calls that still come do nothing.
    void Forget() { owner_ = nullptr; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = owner_ ? owner_->DragEnter(data, keys, point, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = owner_ ? owner_->DragOver(keys, point, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (owner_) owner_->DragLeave();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = owner_ ? owner_->Drop(data, keys, point, *effect) : DROPEFFECT_NONE;
        return S_OK;
    }

  private:
    TextEditDragDrop* owner_;
};

// ---- TextEditDragDrop ----

TextEditDragDrop::TextEditDragDrop(TextEdit& edit) : edit_(edit), target_(new Target(this)) {}

TextEditDragDrop::~TextEditDragDrop() {
    Detach();
    target_->Forget();
    target_->Release();
}

IDropTarget* TextEditDragDrop::dropTarget() const {
    return target_;
}

bool TextEditDragDrop::Attach() {
    HWND window = edit_.hwnd();
    if (attached_ && attached_ != window) Detach();
    if (!window) return false;
    if (!attached_) {
        SetWindowSubclass(window, SubclassProc, kDragDropSubclassId, reinterpret_cast<DWORD_PTR>(this));
        attached_ = window;
    }
    if (!registered_) registered_ = SUCCEEDED(RegisterDragDrop(window, target_));
    return registered_;
}

void TextEditDragDrop::Detach() {
    if (!attached_) return;
    if (registered_) RevokeDragDrop(attached_);
    registered_ = false;
    RemoveWindowSubclass(attached_, SubclassProc, kDragDropSubclassId);
    attached_ = nullptr;
    pressPending_ = false;
    acceptingDrag_ = false;
}

LRESULT CALLBACK TextEditDragDrop::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TextEditDragDrop*>(data);
    if (message == WM_DESTROY) {
        // The drop target goes with its window; the control may be made anew and attached again.
        self->Detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->OnMouse(message, wParam, lParam, result)) return result;
    return DefSubclassProc(window, message, wParam, lParam);
}

bool TextEditDragDrop::OnMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN:
            if (!(mode_ & kStartsDrags) || !IsOverSelectedText(point)) return false;
            // The press is held back from the control, which would drop the selection: the
            // drag begins once the mouse leaves the square round this point.
            SetFocus(attached_);
            SetCapture(attached_);
            pressPending_ = true;
            pressPoint_ = point;
            return true;
        case WM_MOUSEMOVE:
            if (!pressPending_) return false;
            if (LeftDragSquare(point.x - pressPoint_.x, point.y - pressPoint_.y)) {
                pressPending_ = false;
                ReleaseCapture();
                DragSelection();
            }
            return true;
        case WM_LBUTTONUP:
            if (!pressPending_) return false;
            // Released inside the square: a click, which puts the caret there. The release
            // still goes on to the control's other handlers (the status bar follows it).
            pressPending_ = false;
            ReleaseCapture();
            PlaceCaretAt(point);
            return false;
        case WM_CAPTURECHANGED:
            if (pressPending_ && reinterpret_cast<HWND>(lParam) != attached_) pressPending_ = false;
            return false;
        case WM_SETCURSOR: {
            if (LOWORD(lParam) != HTCLIENT || !(mode_ & kStartsDrags)) return false;
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(attached_, &cursor);
            if (!IsOverSelectedText(cursor)) return false;
            SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

bool TextEditDragDrop::IsOverSelectedText(POINT client) const {
    const TextEdit::Selection selection = edit_.CharacterSelection();
    if (selection.start == selection.end) return false;
    RECT area{};
    GetClientRect(edit_.hwnd(), &area);
    if (!PtInRect(&area, client)) return false;
    const long position = CharacterAtPoint(edit_, client);
    const int line = edit_.LineOfCharacter(position);
    const long lineStart = edit_.LineStart(line);
    const long lineEnd = lineStart + LineLength(edit_, lineStart);
    // The caret position nearest the point lies before or after the character under it.
    long character = position;
    POINT at{};
    const bool placed = PointOfCharacter(edit_, position, at);
    if (position > lineStart && (!placed || at.x > client.x)) character = position - 1;
    // Past the end of its line, or below the last line, the point is over no character.
    if (character >= lineEnd) return false;
    if (PointOfCharacter(edit_, character, at) && client.y >= at.y + MeasureInFont(edit_, L' ').cy)
        return false;
    return IsOverSelection(character, selection.start, selection.end);
}

void TextEditDragDrop::Select(long start, long end) {
    SendTo(edit_, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void TextEditDragDrop::PlaceCaretAt(POINT client) {
    const long position = CharacterAtPoint(edit_, client);
    Select(position, position);
    edit_.ScrollCaret();
    Changed();
}

void TextEditDragDrop::Changed() {
    if (onDropped) onDropped();
}

void TextEditDragDrop::DragSelection() {
    const TextEdit::Selection selection = edit_.CharacterSelection();
    if (selection.start == selection.end || !edit_) return;
    // The selected text as the control holds it (a wrapped line has no line break of its own).
    const std::wstring characters = edit_.SelectedCharacters();
    IDataObject* data = CreateTextDataObject(NarrowText(characters, edit_.codePage()), characters);
    IDropSource* source = new TextDropSource();
    dragging_ = true;
    droppedHere_ = false;
    dragSelection_ = {std::min(selection.start, selection.end), std::max(selection.start, selection.end)};
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    dragging_ = false;
    source->Release();
    data->Release();
    if (!edit_) return;
    if (result != DRAGDROP_S_DROP || effect == DROPEFFECT_NONE) {
        // Nothing was dropped: the caret goes where the mouse is, as a click would put it.
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(edit_.hwnd(), &cursor);
        PlaceCaretAt(cursor);
        return;
    }
    if (!(effect & DROPEFFECT_MOVE)) return;  // copied: this control keeps its text
    if (droppedHere_) {
        MoveSelectionTo(dropPosition_);
    } else {
        // Moved into another window: the text leaves this one (undoable).
        Select(dragSelection_.start, dragSelection_.end);
        edit_.ReplaceSelection("");
    }
    droppedHere_ = false;
    Changed();
}

void TextEditDragDrop::MoveSelectionTo(long dropAt) {
    const TextMove move = PlanTextMove(dragSelection_.start, dragSelection_.end, dropAt);
    if (!move.changes) {
        Select(dragSelection_.start, dragSelection_.end);
        return;
    }
    // One replacement of the span from the first to the last position involved, so one
    // Undo brings the text back; its parts swap at the split, counted in bytes.
    const std::vector<long> offsets = edit_.ByteOffsets({move.spanStart, move.split, move.spanEnd});
    Select(move.spanStart, move.spanEnd);
    const std::string span = edit_.SelectedBytes();
    edit_.ReplaceSelection(SwapAtSplit(span, static_cast<size_t>(offsets[1])));
    Select(move.movedStart, move.movedEnd);
    edit_.ScrollCaret();
}

// ---- Drops onto the control ----

DWORD TextEditDragDrop::DragEnter(IDataObject* data, DWORD keys, POINTL screen, DWORD allowed) {
    acceptingDrag_ = attached_ && (mode_ & kAcceptsDrops) && OffersText(data);
    if (!acceptingDrag_) return DROPEFFECT_NONE;
    SetFocus(attached_);
    return DragOver(keys, screen, allowed);
}

DWORD TextEditDragDrop::DragOver(DWORD keys, POINTL screen, DWORD allowed) {
    if (!acceptingDrag_) return DROPEFFECT_NONE;
    POINT client{screen.x, screen.y};
    ScreenToClient(attached_, &client);
    ScrollNearEdge(client);
    ShowDropCaret(CharacterAtPoint(edit_, client));
    return ChooseEffect(keys, allowed);
}

void TextEditDragDrop::DragLeave() {
    if (acceptingDrag_) RestoreCaret();
    acceptingDrag_ = false;
}

DWORD TextEditDragDrop::Drop(IDataObject* data, DWORD keys, POINTL screen, DWORD allowed) {
    const bool accepted = acceptingDrag_;
    acceptingDrag_ = false;
    if (!accepted || !attached_) return DROPEFFECT_NONE;
    POINT client{screen.x, screen.y};
    ScreenToClient(attached_, &client);
    const long position = CharacterAtPoint(edit_, client);
    const DWORD effect = ChooseEffect(keys, allowed);
    if (dragging_) {
        if (IsInsideSelection(position, dragSelection_.start, dragSelection_.end)) {
            RestoreCaret();
            return DROPEFFECT_NONE;
        }
        if (effect == DROPEFFECT_MOVE) {
            // The source side moves the text once the drag is over.
            droppedHere_ = true;
            dropPosition_ = position;
            return effect;
        }
    }
    std::string bytes;
    if (effect == DROPEFFECT_NONE || !ReadDroppedText(data, edit_.codePage(), bytes) || bytes.empty()) {
        RestoreCaret();
        return DROPEFFECT_NONE;
    }
    Select(position, position);
    edit_.ReplaceSelection(bytes);
    Select(position, edit_.CharacterSelection().end);
    Changed();
    return effect;
}

void TextEditDragDrop::ShowDropCaret(long position) {
    POINT at{};
    if (!PointOfCharacter(edit_, position, at)) {
        if (position <= 0) return;
        // The end of the text has no point of its own: after the last character, measured
        // in the control's font, or at the start of the line after a line break.
        POINT before{};
        if (!PointOfCharacter(edit_, position - 1, before)) return;
        const wchar_t last = CharacterBefore(edit_, position);
        const SIZE size = MeasureInFont(edit_, last);
        if (last == L'\n') {
            POINT lineStart{};
            if (!PointOfCharacter(edit_, edit_.LineStart(edit_.LineOfCharacter(position - 1)), lineStart))
                return;
            at = {lineStart.x, before.y + size.cy};
        } else {
            at = {before.x + size.cx, before.y};
        }
    }
    SetCaretPos(at.x, at.y);
}

void TextEditDragDrop::RestoreCaret() {
    // Setting the selection again puts the control's caret back where the selection is.
    const TextEdit::Selection selection = edit_.CharacterSelection();
    Select(selection.start, selection.end);
}

void TextEditDragDrop::ScrollNearEdge(POINT client) {
    RECT area{};
    GetClientRect(attached_, &area);
    const DWORD now = GetTickCount();
    if (now - lastScrollTick_ < DD_DEFSCROLLDELAY) return;
    const int vertical = EdgeScrollStep(client.y, area.top, area.bottom, DD_DEFSCROLLINSET);
    const LONG style = GetWindowLongW(attached_, GWL_STYLE);
    // A control that wraps its lines has nothing to scroll sideways.
    const int horizontal = (style & (WS_HSCROLL | ES_AUTOHSCROLL))
                               ? EdgeScrollStep(client.x, area.left, area.right, DD_DEFSCROLLINSET)
                               : 0;
    if (vertical) SendTo(edit_, WM_VSCROLL, vertical < 0 ? SB_LINEUP : SB_LINEDOWN);
    if (horizontal) SendTo(edit_, WM_HSCROLL, horizontal < 0 ? SB_LINELEFT : SB_LINERIGHT);
    if (vertical || horizontal) lastScrollTick_ = now;
}

}  // namespace zelvo
