// Flat toolbar buttons: the images, how each state is drawn, the hover tracking, clicks,
// and the tooltips over the buttons.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "app/win/flat_button.h"
#include "services/win/toolkit/tooltips.h"
#include "app/win/toolbar_buttons.h"
#include "resources/resource.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {
namespace {

const int kAllToolImages[] = {IDB_TOOL_OPEN,
                              IDB_TOOL_CLOSE,
                              IDB_TOOL_SAVE,
                              IDB_TOOL_PROPERTIES,
                              IDB_TOOL_CUT,
                              IDB_TOOL_COPY,
                              IDB_TOOL_COPY_ALL,
                              IDB_TOOL_PASTE,
                              IDB_TOOL_FIND,
                              IDB_TOOL_SOURCE_AREA,
                              IDB_TOOL_DESTINATION_AREA,
                              IDB_TOOL_G2B,
                              IDB_TOOL_B2G,
                              IDB_TOOL_SITE_TRANSFER,
                              IDB_TOOL_PROFILES,
                              IDB_TOOL_NEW,
                              IDB_TOOL_ON_TOP,
                              IDB_TOOL_EXIT};

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

// A button face drawn into memory, read back pixel by pixel.
struct Rendered {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Rendered& other) const { return pixels == other.pixels; }
};

// Renders into a 32-bit DIB section through a DC whose bitmap starts filled with a colour
// that no state paints, so any pixel left unpainted shows up.
Rendered Render(const ToolImage& image, FlatButtonState state, int width = 24, int height = 24) {
    Rendered out;
    out.width = width;
    out.height = height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) pixels[i] = 0x123456;
    RECT rect{0, 0, width, height};
    DrawFlatButton(dc, rect, image, state);
    GdiFlush();
    for (int i = 0; i < width * height; ++i)
        out.pixels.push_back(RGB((pixels[i] >> 16) & 0xFF, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return out;
}

// The colours GDI puts in a 32-bit DIB for a system colour (exact on true-colour surfaces).
COLORREF Sys(int index) {
    return GetSysColor(index) & 0xFFFFFF;
}

TEST(ToolImages, EveryToolbarImageIsA16By16PictureOnTheTransparentKey) {
    std::set<std::vector<COLORREF>> distinct;
    for (int id : kAllToolImages) {
        SCOPED_TRACE(id);
        ToolImage image = ToolImage::FromResource(Instance(), id);
        ASSERT_FALSE(image.empty());
        EXPECT_EQ(image.width(), 16);
        EXPECT_EQ(image.height(), 16);
        int transparent = 0;
        std::set<COLORREF> colours;
        std::vector<COLORREF> all;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                COLORREF pixel = image.Pixel(x, y);
                all.push_back(pixel);
                if (pixel == kToolImageTransparent)
                    ++transparent;
                else
                    colours.insert(pixel);
            }
        // A picture: some background shows through, and it is drawn in more than one colour.
        EXPECT_GT(transparent, 0);
        EXPECT_GT(256 - transparent, 40);
        EXPECT_GE(colours.size(), 2u);
        distinct.insert(all);
    }
    // No two buttons were given the same picture.
    EXPECT_EQ(distinct.size(), std::size(kAllToolImages));
    EXPECT_TRUE(ToolImage::FromResource(Instance(), 399).empty());
}

TEST(FlatButtonDrawing, EachStateLooksDifferentAndTheKeyColourNeverShows) {
    ToolImage image = ToolImage::FromResource(Instance(), IDB_TOOL_SAVE);
    ASSERT_FALSE(image.empty());
    COLORREF face = Sys(COLOR_BTNFACE);

    Rendered normal = Render(image, FlatButtonState::kNormal);
    Rendered hot = Render(image, FlatButtonState::kHot);
    Rendered pressed = Render(image, FlatButtonState::kPressed);
    Rendered disabled = Render(image, FlatButtonState::kDisabled);

    for (const Rendered* r : {&normal, &hot, &pressed, &disabled}) {
        for (COLORREF pixel : r->pixels) {
            ASSERT_NE(pixel, kToolImageTransparent);
            ASSERT_NE(pixel, RGB(0x12, 0x34, 0x56));  // every pixel painted
        }
    }

    // Normal: face all round, the image centred pixel for pixel.
    EXPECT_EQ(normal.At(0, 0), face);
    EXPECT_EQ(normal.At(23, 23), face);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            COLORREF expected = image.Pixel(x, y) == kToolImageTransparent ? face : image.Pixel(x, y);
            ASSERT_EQ(normal.At(4 + x, 4 + y), expected) << x << "," << y;
        }

    // Hot: a raised edge, light at the top left and dark at the bottom right; image unmoved.
    EXPECT_EQ(hot.At(0, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(hot.At(23, 23), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(hot.At(4 + 8, 4 + 8), normal.At(4 + 8, 4 + 8));

    // Pressed: a sunken edge and the image one pixel down and right.
    EXPECT_EQ(pressed.At(0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pressed.At(23, 23), Sys(COLOR_BTNHIGHLIGHT));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (image.Pixel(x, y) != kToolImageTransparent) {
                ASSERT_EQ(pressed.At(5 + x, 5 + y), image.Pixel(x, y));
            }

    // Disabled: only the face, highlight and shadow colours, but still a picture.
    EXPECT_FALSE(disabled == normal);
    int shadowPixels = 0;
    int highlightPixels = 0;
    for (COLORREF pixel : disabled.pixels) {
        if (pixel == Sys(COLOR_3DHILIGHT)) ++highlightPixels;
        EXPECT_TRUE(pixel == face || pixel == Sys(COLOR_3DHILIGHT) || pixel == Sys(COLOR_3DSHADOW))
            << std::hex << pixel;
        if (pixel == Sys(COLOR_3DSHADOW)) ++shadowPixels;
    }
    EXPECT_GT(shadowPixels, 20);
    EXPECT_GT(highlightPixels, 5);  // embossed, not merely grey

    // States differ from each other.
    EXPECT_FALSE(normal == hot);
    EXPECT_FALSE(normal == pressed);
    EXPECT_FALSE(hot == pressed);
}

TEST(FlatButtonDrawing, ButtonsSmallerThanTheImageAndEmptyImagesAreDrawnSafely) {
    ToolImage image = ToolImage::FromResource(Instance(), IDB_TOOL_FIND);
    // Smaller than the image: the middle of the image, nothing written outside.
    Rendered small = Render(image, FlatButtonState::kNormal, 8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            COLORREF source = image.Pixel(4 + x, 4 + y);
            EXPECT_EQ(small.At(x, y), source == kToolImageTransparent ? Sys(COLOR_BTNFACE) : source);
        }
    // No image: a plain face.
    Rendered blank = Render(ToolImage(), FlatButtonState::kNormal, 10, 10);
    for (COLORREF pixel : blank.pixels) EXPECT_EQ(pixel, Sys(COLOR_BTNFACE));
    // Nothing to draw into: no crash.
    DrawFlatButton(nullptr, RECT{0, 0, 10, 10}, image, FlatButtonState::kHot);
}

TEST(FlatButtonDrawing, TheOwnerDrawRequestChoosesTheState) {
    DRAWITEMSTRUCT item{};
    item.itemState = 0;
    EXPECT_EQ(FlatButtonStateOf(item, false), FlatButtonState::kNormal);
    EXPECT_EQ(FlatButtonStateOf(item, true), FlatButtonState::kHot);
    item.itemState = ODS_SELECTED | ODS_FOCUS;
    EXPECT_EQ(FlatButtonStateOf(item, true), FlatButtonState::kPressed);
    item.itemState = ODS_SELECTED | ODS_DISABLED;
    EXPECT_EQ(FlatButtonStateOf(item, true), FlatButtonState::kDisabled);
}

// A top-level window holding owner-drawn buttons, handing WM_DRAWITEM to a FlatButtonSet
// and counting the clicks of each button.
class ButtonHost {
  public:
    ButtonHost() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = Instance();
        windowClass.lpszClassName = L"ZelvoFlatButtonTestHost";
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassW(&windowClass);  // a second registration fails harmlessly
        window = CreateWindowExW(0, L"ZelvoFlatButtonTestHost", L"Flat buttons", WS_OVERLAPPEDWINDOW, 50, 50,
                                 400, 120, nullptr, nullptr, Instance(), this);
    }
    ~ButtonHost() {
        if (IsWindow(window)) DestroyWindow(window);
    }
    HWND AddButton(int id, int x) {
        return CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, 4, 24, 24, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    }

    HWND window = nullptr;
    FlatButtonSet buttons;
    std::map<int, int> clicks;
    int drawRequests = 0;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(
                window, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<ButtonHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_DRAWITEM) {
            ++self->drawRequests;
            if (self->buttons.Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
        }
        if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++self->clicks[LOWORD(wParam)];
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TEST(FlatButtonSet, HoverFollowsTheMouseAndEachQuickClickCounts) {
    ButtonHost host;
    ASSERT_TRUE(host.window);
    HWND first = host.AddButton(101, 4);
    HWND second = host.AddButton(102, 32);
    HWND plain = host.AddButton(103, 60);
    ASSERT_TRUE(host.buttons.Add(first, ToolImage::FromResource(Instance(), IDB_TOOL_OPEN)));
    ASSERT_TRUE(host.buttons.Add(host.window, 102, Instance(), IDB_TOOL_SAVE));
    EXPECT_FALSE(host.buttons.Add(host.window, 104, Instance(), IDB_TOOL_SAVE));  // no such control
    EXPECT_FALSE(host.buttons.Add(plain, ToolImage()));                           // no image
    EXPECT_EQ(host.buttons.size(), 2u);
    EXPECT_TRUE(host.buttons.Contains(second));
    EXPECT_FALSE(host.buttons.Contains(plain));

    ShowWindow(host.window, SW_SHOWNOACTIVATE);
    UpdateWindow(host.window);
    Pump();
    EXPECT_GE(host.drawRequests, 3);

    SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.buttons.HotButton(), first);
    SendMessageW(second, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.buttons.HotButton(), second);
    SendMessageW(second, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(host.buttons.HotButton(), nullptr);
    SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EnableWindow(first, FALSE);  // a button that goes grey is no longer hot
    EXPECT_EQ(host.buttons.HotButton(), nullptr);
    EnableWindow(first, TRUE);

    // The set paints only its own buttons, with the hot edge on the hot one.
    SendMessageW(second, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 24, 24);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 24, 24};
    item.hwndItem = plain;
    EXPECT_FALSE(host.buttons.Draw(item));
    item.hwndItem = second;
    EXPECT_TRUE(host.buttons.Draw(item));
    EXPECT_EQ(GetPixel(dc, 0, 0), Sys(COLOR_BTNHIGHLIGHT));
    item.hwndItem = first;
    EXPECT_TRUE(host.buttons.Draw(item));
    EXPECT_EQ(GetPixel(dc, 0, 0), Sys(COLOR_BTNFACE));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    // Two quick clicks are two commands, not a click and a double-click.
    LPARAM inside = MAKELPARAM(10, 10);
    SendMessageW(first, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(first, WM_LBUTTONUP, 0, inside);
    SendMessageW(first, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessageW(first, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(host.clicks[101], 2);

    // A button that goes is forgotten; the set's end leaves the others working.
    DestroyWindow(second);
    EXPECT_EQ(host.buttons.size(), 1u);
    EXPECT_EQ(host.buttons.HotButton(), nullptr);
    host.buttons.Clear();
    EXPECT_EQ(host.buttons.size(), 0u);
    SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.buttons.HotButton(), nullptr);
}

TEST(FlatButtonSet, AButtonOutlivingItsSetKeepsWorking) {
    ButtonHost host;
    HWND button = host.AddButton(201, 4);
    {
        FlatButtonSet shortLived;
        ASSERT_TRUE(shortLived.Add(button, ToolImage::FromResource(Instance(), IDB_TOOL_CUT)));
    }
    // The subclass went with the set: mouse messages reach the plain button safely.
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.clicks[201], 1);
}

TEST(ToolTips, TipsAreAddedOnceUpdatedInPlaceAndShownInTheirCodePage) {
    ButtonHost host;
    HWND open = host.AddButton(301, 4);
    HWND save = host.AddButton(302, 32);
    ToolTips tips;
    EXPECT_FALSE(tips.SetTip(open, "Open", 1252));  // no tooltip control yet
    ASSERT_TRUE(tips.Create(host.window));
    HWND control = tips.hwnd();
    ASSERT_TRUE(tips.Create(host.window));
    EXPECT_EQ(tips.hwnd(), control);  // created once

    EXPECT_TRUE(tips.SetTip(open, "Open", 1252));
    EXPECT_TRUE(tips.SetTip(save, "Save", 1252));
    EXPECT_EQ(SendMessageW(control, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(tips.TipOf(open), L"Open");
    EXPECT_EQ(tips.TipOf(save), L"Save");

    // A new text replaces the old one; GBK bytes come out as the characters they encode.
    EXPECT_TRUE(tips.SetTip(open, "\xB4\xF2\xBF\xAA", 936));  // 打开
    EXPECT_EQ(SendMessageW(control, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(tips.TipOf(open), L"\x6253\x5F00");
    EXPECT_TRUE(tips.SetTip(save, "\xC0\x78\xA6\x73", 950));  // 儲存 in Big5
    EXPECT_EQ(tips.TipOf(save), L"\x5132\x5B58");

    // An empty text takes the tip away.
    EXPECT_TRUE(tips.SetTip(open, "", 1252));
    EXPECT_FALSE(tips.HasTip(open));
    EXPECT_EQ(SendMessageW(control, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(tips.TipOf(open), L"");

    // The tooltip goes with its owner; destroying the wrapper afterwards is harmless.
    DestroyWindow(host.window);
    EXPECT_FALSE(IsWindow(control));
    tips.Destroy();
    EXPECT_EQ(tips.hwnd(), nullptr);
}

TEST(ToolbarButtons, RowsListEveryButtonOnceWithItsImage) {
    std::set<int> commands;
    for (auto row : {SourceToolbarButtons(), DestinationToolbarButtons()})
        for (const ToolbarButton& button : row) {
            EXPECT_TRUE(commands.insert(button.commandId).second) << button.commandId;
            EXPECT_FALSE(ToolImage::FromResource(Instance(), button.bitmapId).empty()) << button.bitmapId;
        }
    EXPECT_EQ(SourceToolbarButtons().size(), 18u);
    EXPECT_EQ(DestinationToolbarButtons().size(), 11u);
    ASSERT_EQ(SourceToolbarRightButtons().size(), 4u);
    EXPECT_EQ(SourceToolbarRightButtons()[0].commandId, IDM_PROFILE_OPERATIONS);
    EXPECT_EQ(SourceToolbarRightButtons()[3].commandId, IDM_EXIT);
}

}  // namespace
}  // namespace zelvo
