// The flat bitmap buttons of the main window's toolbar rows.
//
// The buttons are BS_OWNERDRAW push buttons from the dialog template. The parent hands
// each WM_DRAWITEM to FlatButtonSet::Draw (or to DrawFlatButton directly), which paints
// the button face, the 16x16 image with magenta (255,0,255) as transparent, a raised edge
// while the mouse is over the button, a sunken edge with the image moved by one pixel
// while it is pressed, and an embossed grey image while it is disabled.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// The colour that the images use for "no pixel here".
inline constexpr COLORREF kToolImageTransparent = RGB(255, 0, 255);

// A copy of a bitmap's pixels, kept so that every state can be drawn from it without
// touching GDI objects of the caller.
class ToolImage {
  public:
    ToolImage() = default;
    // Copies the pixels of bitmap; the bitmap stays the caller's. Empty when it cannot be read.
    explicit ToolImage(HBITMAP bitmap);
    // Loads bitmap resource id of instance. Empty when there is none.
    static ToolImage FromResource(HINSTANCE instance, int id);

    bool empty() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixel at x, y as a COLORREF; kToolImageTransparent for the key colour.
    COLORREF Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

enum class FlatButtonState { kNormal, kHot, kPressed, kDisabled };

// The state an owner-draw request asks for: disabled wins, then pressed, then hot.
FlatButtonState FlatButtonStateOf(const DRAWITEMSTRUCT& item, bool hot);

// Paints a flat button into rect of dc. The drawing is composed off screen and copied in
// one step, so the buttons do not flicker while the mouse moves over the row.
void DrawFlatButton(HDC dc, const RECT& rect, const ToolImage& image, FlatButtonState state);
void DrawFlatButton(const DRAWITEMSTRUCT& item, const ToolImage& image, bool hot);
void DrawFlatButton(const DRAWITEMSTRUCT& item, HBITMAP bitmap, bool hot);

// The flat buttons of one window: the image of each and which one the mouse is over.
// Each button is subclassed to see the mouse enter and leave it; the subclass goes with
// the set (or with the button, whichever goes first).
class FlatButtonSet {
  public:
    FlatButtonSet() = default;
    ~FlatButtonSet();
    FlatButtonSet(const FlatButtonSet&) = delete;
    FlatButtonSet& operator=(const FlatButtonSet&) = delete;

    // Makes control id of dialog a flat button showing bitmap resource bitmapId of
    // instance. False when there is no such control or no such bitmap.
    bool Add(HWND dialog, int controlId, HINSTANCE instance, int bitmapId);
    bool Add(HWND button, ToolImage image);
    // Forgets every button and undoes the subclassing.
    void Clear();

    // Paints the button of a WM_DRAWITEM. False when the control is not one of the set.
    bool Draw(const DRAWITEMSTRUCT& item) const;
    // Repaints every button of the set, as after a change of the system colours.
    void RepaintAll() const;

    bool Contains(HWND button) const { return buttons_.count(button) != 0; }
    HWND HotButton() const { return hot_; }
    size_t size() const { return buttons_.size(); }

  private:
    static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR subclassId, DWORD_PTR data);
    void SetHot(HWND button);
    void Forget(HWND button);

    std::map<HWND, ToolImage> buttons_;
    HWND hot_ = nullptr;
};


}  // namespace zelvo
