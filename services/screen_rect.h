// A rectangle in screen pixels, as windows are placed: the main window's saved place and
// the edit area a Find/Replace window is centred on.
#pragma once

namespace zelvo {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

}  // namespace zelvo
