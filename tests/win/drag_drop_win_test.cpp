// Dragging text in and between the edit areas of the real window: the drop target each
// area registers, called as OLE calls it with data objects of the program and of "other
// programs" (made here), and whole drags through OLE's own DoDragDrop with the mouse
// pointer put where the text should land.
#include <gtest/gtest.h>
#include <windows.h>
// The other system headers need the types of windows.h.
#include <ole2.h>

#include <string>
#include <vector>

#include "app/language_table.h"
#include "app/win/main_window.h"
#include "resources/resource.h"
#include "services/win/toolkit/text_drag_drop.h"
#include "tests/win/main_window_fixture.h"

namespace zelvo {
namespace {

// 中文 in GBK and in Big5; 한 (U+D55C) is in neither code page.
const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";
const std::string kBig5Chinese = "\xA4\xA4\xA4\xE5";
const std::wstring kWideChinese = L"\x4E2D\x6587";
constexpr wchar_t kHangul = 0xD55C;

// A data object as another program offers it: only the formats given, each a global block.
class ForeignData final : public IDataObject {
  public:
    ForeignData(const std::string* bytes, const std::wstring* characters) {
        if (bytes) text_ = *bytes, hasText_ = true;
        if (characters) unicode_ = *characters, hasUnicode_ = true;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        const bool wide = format->cfFormat == CF_UNICODETEXT;
        const size_t size = wide ? (unicode_.size() + 1) * sizeof(wchar_t) : text_.size() + 1;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        char* target = static_cast<char*>(GlobalLock(block));
        if (wide)
            memcpy(target, unicode_.c_str(), size);
        else
            memcpy(target, text_.c_str(), size);
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        if (format->cfFormat == CF_TEXT && hasText_) return S_OK;
        if (format->cfFormat == CF_UNICODETEXT && hasUnicode_) return S_OK;
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

    ULONG references_ = 1;

  private:
    std::string text_;
    std::wstring unicode_;
    bool hasText_ = false;
    bool hasUnicode_ = false;
};

// The formats of a data object as a receiving program reads them.
bool ReadBytes(IDataObject* data, std::string& bytes) {
    FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return false;
    const char* text = static_cast<const char*>(GlobalLock(medium.hGlobal));
    bytes.assign(text, strnlen(text, GlobalSize(medium.hGlobal)));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return true;
}

bool ReadCharacters(IDataObject* data, std::wstring& characters) {
    FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return false;
    const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal));
    characters.assign(text, wcsnlen(text, GlobalSize(medium.hGlobal) / sizeof(wchar_t)));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return true;
}

// A window of "another program" that takes dropped text and keeps the data it was given.
class ForeignTarget final : public IDropTarget {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect &= DROPEFFECT_MOVE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect &= DROPEFFECT_MOVE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        dropped = true;
        hasBytes = ReadBytes(data, bytes);
        hasCharacters = ReadCharacters(data, characters);
        *effect &= DROPEFFECT_MOVE;
        return S_OK;
    }

    ULONG references_ = 1;
    bool dropped = false;
    bool hasBytes = false;
    bool hasCharacters = false;
    std::string bytes;
    std::wstring characters;
};

class DragDropTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        const HRESULT result = OleInitialize(nullptr);
        ASSERT_TRUE(SUCCEEDED(result));
        oleStarted_ = true;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        if (oleStarted_) OleUninitialize();
    }

    HWND Edit(EditArea area) const {
        return window_->Item(area == EditArea::kSource ? IDC_SOURCE_EDIT : IDC_DESTINATION_EDIT);
    }

    // A point of the screen that the control turns into the caret position `position`:
    // just right of the left edge of the character there, in the middle of its line.
    POINT ScreenPointOf(EditArea area, long position) const {
        HWND edit = Edit(area);
        LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(position), 0);
        int right = 1;
        if (at == -1 && position > 0) {
            // The end of the text has no point: well right of its last character.
            at = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(position - 1), 0);
            right = 40;
        }
        POINT point{static_cast<short>(LOWORD(at)) + right, static_cast<short>(HIWORD(at)) + 4};
        ClientToScreen(edit, &point);
        return point;
    }
    POINTL ScreenPointL(EditArea area, long position) const {
        POINT point = ScreenPointOf(area, position);
        return POINTL{point.x, point.y};
    }

    void Select(EditArea area, long start, long end) {
        SendMessageW(Edit(area), EM_SETSEL, static_cast<WPARAM>(start), end);
    }
    std::pair<DWORD, DWORD> Selection(EditArea area) const {
        DWORD start = 0, end = 0;
        SendMessageW(Edit(area), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    // Drops the data at the caret position as OLE does: enter, over, drop. Returns the
    // effect the drop reported.
    DWORD DropAt(EditArea area, IDataObject* data, long position, DWORD keys) {
        IDropTarget* target = window_->DragDropOf(area).dropTarget();
        const POINTL point = ScreenPointL(area, position);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragEnter(data, keys, point, &effect), S_OK);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragOver(keys, point, &effect), S_OK);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->Drop(data, keys, point, &effect), S_OK);
        return effect;
    }

    // Presses inside the selection at `from`, puts the mouse pointer over `to` and moves
    // out of the square round the press: OLE's drag runs and, no button being held, drops
    // at once where the pointer is.
    void DragWithMouse(EditArea area, long from, POINT to) {
        MovePointerTo(to);
        HWND edit = Edit(area);
        POINT press = ScreenPointOf(area, from);
        ScreenToClient(edit, &press);
        SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
        SendMessageW(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 20, press.y));
        Pump();
    }

    // Moves the mouse pointer as the user would: OLE's drag takes the position from the
    // input the system saw, which SetCursorPos alone does not update here.
    static void MovePointerTo(POINT to) {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((to.x * 65536 + width - 1) / width);
        input.mi.dy = static_cast<LONG>((to.y * 65536 + height - 1) / height);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
        SetCursorPos(to.x, to.y);
        // Messages carry the pointer position the system knows when they are posted: once
        // posted ones have carried this point for a while (a late event of the display can
        // still move it back), so will the messages of OLE's drag loop.
        constexpr UINT kProbe = WM_APP + 71;
        POINT seen{-1, -1};
        int steady = 0;
        for (int tries = 0; tries < 400 && steady < 15; ++tries) {
            PostThreadMessageW(GetCurrentThreadId(), kProbe, 0, 0);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == kProbe) {
                    seen = message.pt;
                    continue;
                }
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (seen.x == to.x && seen.y == to.y) {
                ++steady;
            } else {
                steady = 0;
                SetCursorPos(to.x, to.y);
            }
            Sleep(20);
        }
        ASSERT_EQ(seen.x, to.x);
        ASSERT_EQ(seen.y, to.y);
    }

    bool oleStarted_ = false;
};

TEST_F(DragDropTest, BothAreasRegisterTheirDropTargetAndKeepItThroughWordWrap) {
    MainWindow& window = Open();
    ForeignTarget other;
    for (EditArea area : {EditArea::kSource, EditArea::kDestination}) {
        // A second registration is refused while the area's own target holds the window.
        EXPECT_EQ(RegisterDragDrop(Edit(area), &other), DRAGDROP_E_ALREADYREGISTERED);
    }
    // Word wrap makes the controls anew; the new ones carry the target again.
    HWND before = Edit(EditArea::kSource);
    window.ToggleWordWrap();
    ASSERT_NE(Edit(EditArea::kSource), before);
    EXPECT_EQ(RegisterDragDrop(Edit(EditArea::kSource), &other), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RegisterDragDrop(Edit(EditArea::kDestination), &other), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(other.references_, 1u);
}

TEST_F(DragDropTest, CopyFromTheGbkSourceIntoTheBig5DestinationGivesTheSameCharacters) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    window.SelectLanguage(EditArea::kDestination, kBig5LanguageIndex);
    window.SetAreaText(EditArea::kSource, "x" + kGbkChinese + "y");
    window.SetAreaText(EditArea::kDestination, "ab");
    // What the Source offers when its 中文 is dragged.
    Select(EditArea::kSource, 1, 3);
    const std::wstring characters(kWideChinese);
    IDataObject* data = CreateTextDataObject(kGbkChinese, characters);

    EXPECT_EQ(DropAt(EditArea::kDestination, data, 1, MK_CONTROL), static_cast<DWORD>(DROPEFFECT_COPY));
    data->Release();
    EXPECT_EQ(window.DestinationText(), "a" + kBig5Chinese + "b");
    EXPECT_EQ(Selection(EditArea::kDestination), (std::pair<DWORD, DWORD>{1, 3}));  // the dropped text
    EXPECT_EQ(GetFocus(), Edit(EditArea::kDestination));
    EXPECT_EQ(window.SourceText(), "x" + kGbkChinese + "y");
    EXPECT_TRUE(window.documents().IsModified(EditArea::kDestination));
    // One Undo takes the dropped text out again.
    SendMessageW(Edit(EditArea::kDestination), EM_UNDO, 0, 0);
    EXPECT_EQ(window.DestinationText(), "ab");
}

TEST_F(DragDropTest, UnicodeTextFromAnotherProgramIsConvertedToEachAreasCodePage) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    window.SelectLanguage(EditArea::kDestination, kBig5LanguageIndex);
    window.SetAreaText(EditArea::kSource, "12");
    window.SetAreaText(EditArea::kDestination, "12");
    const std::wstring characters = kWideChinese + kHangul;
    ForeignData data(nullptr, &characters);

    // Without Ctrl the other program is told the text moved.
    EXPECT_EQ(DropAt(EditArea::kSource, &data, 1, 0), static_cast<DWORD>(DROPEFFECT_MOVE));
    // 한 has no GBK code: the codec's replacement stands for it.
    EXPECT_EQ(window.SourceText(), "1" + kGbkChinese + "?2");
    EXPECT_EQ(Selection(EditArea::kSource), (std::pair<DWORD, DWORD>{1, 4}));

    EXPECT_EQ(DropAt(EditArea::kDestination, &data, 2, MK_CONTROL), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(window.DestinationText(), "12" + kBig5Chinese + "?");
    EXPECT_EQ(data.references_, 1u);
}

TEST_F(DragDropTest, TextOfferedOnlyAsBytesIsInsertedAsThoseBytes) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    window.SetAreaText(EditArea::kSource, "[]");
    const std::string bytes = "ok " + kGbkChinese;
    ForeignData data(&bytes, nullptr);
    EXPECT_EQ(DropAt(EditArea::kSource, &data, 1, 0), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(window.SourceText(), "[ok " + kGbkChinese + "]");

    // Data without text is refused as it enters, and dropping it changes nothing.
    ForeignData nothing(nullptr, nullptr);
    EXPECT_EQ(DropAt(EditArea::kSource, &nothing, 0, 0), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(window.SourceText(), "[ok " + kGbkChinese + "]");
}

TEST_F(DragDropTest, ADropBeyondTheFirst65536CharactersLandsWhereItWasDropped) {
    MainWindow& window = Open();
    // 7,000 lines of "123456789": 77,000 characters, the last line starting at 76,989.
    std::string text;
    for (int i = 0; i < 7000; ++i) text += "123456789\r\n";
    text += "end";
    window.SetAreaText(EditArea::kSource, text);
    const long lastLine = static_cast<long>(text.size()) - 3;
    Select(EditArea::kSource, lastLine, lastLine);
    SendMessageW(Edit(EditArea::kSource), EM_SCROLLCARET, 0, 0);
    const std::wstring characters = L"Z";
    ForeignData data(nullptr, &characters);
    EXPECT_EQ(DropAt(EditArea::kSource, &data, lastLine + 1, 0), static_cast<DWORD>(DROPEFFECT_MOVE));
    const std::string after = window.SourceText();
    ASSERT_EQ(after.size(), text.size() + 1);
    EXPECT_EQ(after.substr(after.size() - 4), "eZnd");
    EXPECT_EQ(Selection(EditArea::kSource), (std::pair<DWORD, DWORD>(lastLine + 1, lastLine + 2)));
}

TEST_F(DragDropTest, AnAreaWithDropsSwitchedOffRefusesText) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, "keep");
    window.DragDropOf(EditArea::kSource).SetMode(TextEditDragDrop::kStartsDrags);
    const std::wstring characters = L"new";
    ForeignData data(nullptr, &characters);
    EXPECT_EQ(DropAt(EditArea::kSource, &data, 2, 0), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(window.SourceText(), "keep");
}

TEST_F(DragDropTest, APressReleasedInsideTheSquarePutsTheCaretThereAndKeepsTheText) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, "abcdefgh");
    Select(EditArea::kSource, 1, 6);
    HWND edit = Edit(EditArea::kSource);
    POINT press = ScreenPointOf(EditArea::kSource, 4);
    ScreenToClient(edit, &press);
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    // Held back from the control: the selection is still there while the press may turn into a drag.
    EXPECT_EQ(Selection(EditArea::kSource), (std::pair<DWORD, DWORD>{1, 6}));
    // Within the square, the release at the character's left edge.
    SendMessageW(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 5, press.y - 3));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(press.x - 1, press.y + 2));
    EXPECT_EQ(Selection(EditArea::kSource), (std::pair<DWORD, DWORD>{4, 4}));
    EXPECT_EQ(window.SourceText(), "abcdefgh");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, MovingWithinTheAreaIsOneUndoableReplacement) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    // "中文 one two": 中文 (characters 0..2) dragged to just before " two" (character 6).
    window.SetAreaText(EditArea::kSource, kGbkChinese + " one two");
    Select(EditArea::kSource, 0, 2);
    DragWithMouse(EditArea::kSource, 1, ScreenPointOf(EditArea::kSource, 6));
    EXPECT_FALSE(window.DragDropOf(EditArea::kSource).dragging());
    EXPECT_EQ(window.DestinationText(), "");
    EXPECT_EQ(window.SourceText(), " one" + kGbkChinese + " two");
    EXPECT_EQ(Selection(EditArea::kSource), (std::pair<DWORD, DWORD>{4, 6}));
    EXPECT_TRUE(window.documents().IsModified(EditArea::kSource));
    SendMessageW(Edit(EditArea::kSource), EM_UNDO, 0, 0);
    EXPECT_EQ(window.SourceText(), kGbkChinese + " one two");
}

TEST_F(DragDropTest, DroppingTheTextInsideItselfChangesNothing) {
    MainWindow& window = Open();
    window.SetAreaText(EditArea::kSource, "0123456789");
    Select(EditArea::kSource, 2, 7);
    DragWithMouse(EditArea::kSource, 3, ScreenPointOf(EditArea::kSource, 5));
    EXPECT_EQ(window.SourceText(), "0123456789");
    // Nothing was dropped: the caret went where the mouse pointer is.
    EXPECT_EQ(Selection(EditArea::kSource), (std::pair<DWORD, DWORD>{5, 5}));
}

TEST_F(DragDropTest, MovingIntoTheOtherAreaTakesTheTextOutOfTheSource) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kBig5LanguageIndex);
    window.SelectLanguage(EditArea::kDestination, kGbkLanguageIndex);
    window.SetAreaText(EditArea::kSource, "<" + kBig5Chinese + ">");
    window.SetAreaText(EditArea::kDestination, "()");
    Select(EditArea::kSource, 1, 3);
    DragWithMouse(EditArea::kSource, 1, ScreenPointOf(EditArea::kDestination, 1));
    EXPECT_EQ(window.DestinationText(), "(" + kGbkChinese + ")");
    EXPECT_EQ(window.SourceText(), "<>");
    SendMessageW(Edit(EditArea::kSource), EM_UNDO, 0, 0);
    EXPECT_EQ(window.SourceText(), "<" + kBig5Chinese + ">");
}

TEST_F(DragDropTest, ADragCarriesTheAreasBytesAndItsCharacters) {
    MainWindow& window = Open();
    window.SelectLanguage(EditArea::kSource, kGbkLanguageIndex);
    // The stray lead byte 0x81 goes out as it is in the bytes and as its reserved point.
    window.SetAreaText(EditArea::kSource, "a" + kGbkChinese + "b\x81\r\nc");
    Select(EditArea::kSource, 1, 7);

    // Another program's window, over the Destination area, that takes the text.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZelvoTestOtherProgram";
    RegisterClassW(&windowClass);  // once for the test program
    HWND other = CreateWindowExW(WS_EX_TOPMOST, L"ZelvoTestOtherProgram", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                 80, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    ForeignTarget target;
    ASSERT_EQ(RegisterDragDrop(other, &target), S_OK);
    DragWithMouse(EditArea::kSource, 2, POINT{30, 30});
    RevokeDragDrop(other);
    DestroyWindow(other);

    ASSERT_TRUE(target.dropped);
    ASSERT_TRUE(target.hasBytes);
    ASSERT_TRUE(target.hasCharacters);
    EXPECT_EQ(target.bytes, kGbkChinese + "b\x81\r\n");
    EXPECT_EQ(target.characters, kWideChinese + L"b\xF881\r\n");
    // Moved out: the Source keeps the rest.
    EXPECT_EQ(window.SourceText(), "ac");
    EXPECT_EQ(target.references_, 1u);
}

}  // namespace
}  // namespace zelvo
