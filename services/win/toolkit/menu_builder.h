// Menus from lists of MenuEntry: the window describes a popup in portable code (texts in
// the UI language's code page, checks, greying, separators, submenus) and this turns the
// description into an HMENU with W texts, or rewrites a popup that is about to open.
#pragma once

#include <windows.h>

#include <vector>

#include "services/menu_entry.h"

namespace zelvo {

// Owns an HMENU and destroys it (with its submenus) unless it was released.
class MenuHandle {
  public:
    MenuHandle() = default;
    explicit MenuHandle(HMENU menu) : menu_(menu) {}
    ~MenuHandle() { Reset(); }
    MenuHandle(MenuHandle&& other) noexcept : menu_(other.Release()) {}
    MenuHandle& operator=(MenuHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;

    HMENU get() const { return menu_; }
    explicit operator bool() const { return menu_ != nullptr; }
    // Hands the menu over, as to SetMenu or a parent menu, which then destroy it.
    HMENU Release() {
        HMENU menu = menu_;
        menu_ = nullptr;
        return menu;
    }
    void Reset(HMENU menu = nullptr) {
        if (menu_ && menu_ != menu) DestroyMenu(menu_);
        menu_ = menu;
    }

  private:
    HMENU menu_ = nullptr;
};

// Appends the entries to menu. Texts are bytes in codePage. False when an item could not be
// added (the items before it stay).
bool AppendMenuEntries(HMENU menu, const std::vector<MenuEntry>& entries, int codePage);

// Empties popup, destroying its submenus, and fills it with the entries: what the window
// does on WM_INITMENUPOPUP. The popup itself stays where it is (menu bar or parent).
bool FillPopup(HMENU popup, const std::vector<MenuEntry>& entries, int codePage);

// A new popup menu (for TrackPopupMenu or a submenu) holding the entries; empty on failure.
MenuHandle BuildPopupMenu(const std::vector<MenuEntry>& entries, int codePage);
// A new menu bar whose entries are the popups; empty on failure.
MenuHandle BuildMenuBar(const std::vector<MenuEntry>& entries, int codePage);

// Reads a menu back as entries (texts narrowed to codePage; submenus read in full). The
// window recognises a popup by its first item's text this way.
std::vector<MenuEntry> ReadMenuEntries(HMENU menu, int codePage);

}  // namespace zelvo
