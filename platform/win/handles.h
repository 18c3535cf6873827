// Owning wrappers of Win32 handles: each closes its handle with the one function that
// frees that kind of handle, once, when it goes out of scope or is given another handle.
// Fonts, bitmaps and other GDI objects, registry keys, menus, icons, accelerator tables.
#pragma once

#include <windows.h>

#include <utility>

namespace zelvo {

template <class Handle, auto Close>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Frees the handle held (if any) and holds the new one.
    void Reset(Handle handle = nullptr) {
        if (handle_ && handle_ != handle) Close(handle_);
        handle_ = handle;
    }
    // Gives the handle up without freeing it (a menu attached to a window, say).
    Handle Release() { return std::exchange(handle_, nullptr); }
    // For functions that return a handle through a pointer; frees what was held first.
    Handle* Out() {
        Reset();
        return &handle_;
    }

  private:
    Handle handle_ = nullptr;
};

namespace handle_close {
template <class Gdi>
void GdiObject(Gdi object) {
    DeleteObject(object);
}
inline void Key(HKEY key) { RegCloseKey(key); }
inline void Menu(HMENU menu) { DestroyMenu(menu); }
inline void Icon(HICON icon) { DestroyIcon(icon); }
inline void Accelerators(HACCEL table) { DestroyAcceleratorTable(table); }
}  // namespace handle_close

template <class Gdi>
using UniqueGdiObject = UniqueHandle<Gdi, handle_close::GdiObject<Gdi>>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueKey = UniqueHandle<HKEY, handle_close::Key>;
using UniqueMenu = UniqueHandle<HMENU, handle_close::Menu>;
using UniqueIcon = UniqueHandle<HICON, handle_close::Icon>;
using UniqueAccelerators = UniqueHandle<HACCEL, handle_close::Accelerators>;

}  // namespace zelvo
