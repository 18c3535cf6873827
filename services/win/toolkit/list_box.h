// A list box of texts in a code page.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "services/win/toolkit/controls.h"

namespace zelvo {

class ListBox : public Control {
  public:
    using Control::Control;

    // Called when the user chose another entry (LBN_SELCHANGE).
    std::function<void()> onSelectionChange;
    void OnNotify(int notifyCode) override;

    void Reset();
    // Appends an entry; returns its index.
    int Add(std::string_view bytes, int codePage);
    void Remove(int index);
    int Count() const;
    std::string TextAt(int index, int codePage) const;
    int Selected() const;  // -1 when nothing is selected
    void Select(int index);
    // Lets the list scroll sideways far enough for its widest entry.
    void FitHorizontalExtent();
};

}  // namespace zelvo
