#include "app/win/flat_button.h"

#include <commctrl.h>


namespace zelvo {

namespace {

constexpr UINT_PTR kFlatButtonSubclassId = 0x5A46;  // "ZF"

// Pixels darker than this are the lines of an image; the disabled look keeps only them.
constexpr int kInkLuminance = 192;

int Luminance(COLORREF colour) {
    return (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
}

// Pixels of a 32-bit top-down DIB are B, G, R, unused.
uint32_t ToDibPixel(COLORREF colour) {
    return (static_cast<uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

COLORREF FromDibPixel(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A memory DC with a 32-bit DIB section selected, released on scope exit.
class OffscreenSurface {
  public:
    OffscreenSurface(HDC reference, int width, int height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(reference);
        BITMAPINFO info = TopDownInfo(width, height);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~OffscreenSurface() {
        if (dc_ && old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    bool ok() const { return dc_ && bitmap_ && bits_ && old_; }
    HDC dc() const { return dc_; }
    void Set(int x, int y, COLORREF colour) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            bits_[static_cast<size_t>(y) * width_ + x] = ToDibPixel(colour);
    }

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

}  // namespace

ToolImage::ToolImage(HBITMAP bitmap) {
    BITMAP header{};
    if (!bitmap || !GetObjectW(bitmap, sizeof header, &header) || header.bmWidth <= 0 || header.bmHeight <= 0)
        return;
    int width = header.bmWidth;
    int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    std::vector<uint32_t> raw(static_cast<size_t>(width) * height);
    BITMAPINFO info = TopDownInfo(width, height);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, height, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != height) return;
    width_ = width;
    height_ = height;
    pixels_.reserve(raw.size());
    for (uint32_t pixel : raw) pixels_.push_back(FromDibPixel(pixel));
}

ToolImage ToolImage::FromResource(HINSTANCE instance, int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return ToolImage();
    ToolImage image(bitmap);
    DeleteObject(bitmap);
    return image;
}

FlatButtonState FlatButtonStateOf(const DRAWITEMSTRUCT& item, bool hot) {
    if (item.itemState & ODS_DISABLED) return FlatButtonState::kDisabled;
    if (item.itemState & ODS_SELECTED) return FlatButtonState::kPressed;
    return hot ? FlatButtonState::kHot : FlatButtonState::kNormal;
}

void DrawFlatButton(HDC dc, const RECT& rect, const ToolImage& image, FlatButtonState state) {
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (!dc || width <= 0 || height <= 0) return;
    OffscreenSurface surface(dc, width, height);
    if (!surface.ok()) return;

    RECT local{0, 0, width, height};
    FillRect(surface.dc(), &local, GetSysColorBrush(COLOR_BTNFACE));
    GdiFlush();  // the fill must be in the bits before they are written directly

    if (!image.empty()) {
        int left = (width - image.width()) / 2;
        int top = (height - image.height()) / 2;
        if (state == FlatButtonState::kPressed) {
            ++left;
            ++top;
        }
        if (state == FlatButtonState::kDisabled) {
            // Embossed: the image's lines in the shadow colour over the same lines one pixel
            // down and right in the highlight colour; fills and the background drop out.
            COLORREF highlight = GetSysColor(COLOR_3DHILIGHT);
            COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
            for (int pass = 0; pass < 2; ++pass) {
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x) {
                        COLORREF pixel = image.Pixel(x, y);
                        if (pixel == kToolImageTransparent || Luminance(pixel) >= kInkLuminance) continue;
                        if (pass == 0)
                            surface.Set(left + x + 1, top + y + 1, highlight);
                        else
                            surface.Set(left + x, top + y, shadow);
                    }
                }
            }
        } else {
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    COLORREF pixel = image.Pixel(x, y);
                    if (pixel != kToolImageTransparent) surface.Set(left + x, top + y, pixel);
                }
            }
        }
    }

    if (state == FlatButtonState::kHot)
        DrawEdge(surface.dc(), &local, BDR_RAISEDINNER, BF_RECT);
    else if (state == FlatButtonState::kPressed)
        DrawEdge(surface.dc(), &local, BDR_SUNKENOUTER, BF_RECT);

    BitBlt(dc, rect.left, rect.top, width, height, surface.dc(), 0, 0, SRCCOPY);
}

void DrawFlatButton(const DRAWITEMSTRUCT& item, const ToolImage& image, bool hot) {
    DrawFlatButton(item.hDC, item.rcItem, image, FlatButtonStateOf(item, hot));
}

void DrawFlatButton(const DRAWITEMSTRUCT& item, HBITMAP bitmap, bool hot) {
    DrawFlatButton(item, ToolImage(bitmap), hot);
}

// --- FlatButtonSet ---------------------------------------------------------------------

FlatButtonSet::~FlatButtonSet() {
    Clear();
}

bool FlatButtonSet::Add(HWND dialog, int controlId, HINSTANCE instance, int bitmapId) {
    HWND button = dialog ? GetDlgItem(dialog, controlId) : nullptr;
    if (!button) return false;
    return Add(button, ToolImage::FromResource(instance, bitmapId));
}

bool FlatButtonSet::Add(HWND button, ToolImage image) {
    if (!button || !IsWindow(button) || image.empty()) return false;
    if (!SetWindowSubclass(button, ButtonProc, kFlatButtonSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    buttons_[button] = std::move(image);
    InvalidateRect(button, nullptr, FALSE);
    return true;
}

void FlatButtonSet::Clear() {
    for (auto& [button, image] : buttons_)
        if (IsWindow(button)) RemoveWindowSubclass(button, ButtonProc, kFlatButtonSubclassId);
    buttons_.clear();
    hot_ = nullptr;
}

bool FlatButtonSet::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_BUTTON) return false;
    auto it = buttons_.find(item.hwndItem);
    if (it == buttons_.end()) return false;
    DrawFlatButton(item, it->second, hot_ == item.hwndItem);
    return true;
}

void FlatButtonSet::RepaintAll() const {
    for (const auto& [button, image] : buttons_) InvalidateRect(button, nullptr, FALSE);
}

void FlatButtonSet::SetHot(HWND button) {
    if (hot_ == button) return;
    HWND old = hot_;
    hot_ = button;
    if (old && IsWindow(old)) InvalidateRect(old, nullptr, FALSE);
    if (button) InvalidateRect(button, nullptr, FALSE);
}

void FlatButtonSet::Forget(HWND button) {
    buttons_.erase(button);
    if (hot_ == button) hot_ = nullptr;
}

LRESULT CALLBACK FlatButtonSet::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclassId, DWORD_PTR data) {
    auto* set = reinterpret_cast<FlatButtonSet*>(data);
    switch (message) {
        case WM_MOUSEMOVE:
            if (set->hot_ != window && IsWindowEnabled(window)) {
                set->SetHot(window);
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                TrackMouseEvent(&track);
            }
            break;
        case WM_MOUSELEAVE:
            if (set->hot_ == window) set->SetHot(nullptr);
            break;
        case WM_ENABLE:
            if (!wParam && set->hot_ == window) set->SetHot(nullptr);
            break;
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button turns the second of two quick clicks into a double-click
            // notification instead of a click; on a toolbar each click is a command.
            return DefSubclassProc(window, WM_LBUTTONDOWN, wParam, lParam);
        case WM_NCDESTROY: {
            set->Forget(window);
            RemoveWindowSubclass(window, ButtonProc, subclassId);
            break;
        }
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace zelvo
