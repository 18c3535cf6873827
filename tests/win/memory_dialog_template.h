// A dialog template built in memory, for tests of controls and pages that need a dialog
// around them without a resource of their own.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace zelvo::win_testing {

class MemoryDialogTemplate {
  public:
    // Size in dialog units; with DS_SETFONT (or DS_SHELLFONT) the font is MS Shell Dlg, 8 points.
    MemoryDialogTemplate(DWORD style, short width, short height, std::wstring_view caption) {
        Put(LOWORD(style));
        Put(HIWORD(style));
        Put(0);  // extended style
        Put(0);
        countAt_ = words_.size();
        Put(0);  // item count, filled as items are added
        Put(0);  // x
        Put(0);  // y
        Put(static_cast<WORD>(width));
        Put(static_cast<WORD>(height));
        Put(0);  // no menu
        Put(0);  // the dialog class
        PutText(caption);
        if (style & DS_SETFONT) {
            Put(8);
            PutText(L"MS Shell Dlg");
        }
    }

    // A control of a window class named in full ("SysListView32", "EDIT", "BUTTON", "STATIC").
    void Add(std::wstring_view className, std::wstring_view text, WORD id, DWORD style, short x, short y,
             short width, short height) {
        if (words_.size() % 2) Put(0);  // items start on a DWORD boundary
        Put(LOWORD(style | WS_CHILD | WS_VISIBLE));
        Put(HIWORD(style | WS_CHILD | WS_VISIBLE));
        Put(0);
        Put(0);
        Put(static_cast<WORD>(x));
        Put(static_cast<WORD>(y));
        Put(static_cast<WORD>(width));
        Put(static_cast<WORD>(height));
        Put(id);
        PutText(className);
        PutText(text);
        Put(0);  // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void Put(WORD word) { words_.push_back(word); }
    void PutText(std::wstring_view text) {
        for (wchar_t c : text) Put(static_cast<WORD>(c));
        Put(0);
    }

    std::vector<WORD> words_;
    size_t countAt_ = 0;
};

}  // namespace zelvo::win_testing
