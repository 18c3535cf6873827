// Running instances are found through their main windows: visible top-level windows of
// the class "Tolvane_Zelvo".
#pragma once

#include <windows.h>

namespace zelvo {

// Counts the visible main windows, ownWindow included. With closeOthers, posts WM_CLOSE
// to each counted window other than ownWindow.
int CountInstances(bool closeOthers, HWND ownWindow = nullptr);

}  // namespace zelvo
