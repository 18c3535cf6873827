#include "services/win/toolkit/menu_builder.h"

#include <string>

#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {

// Deeper nesting than this is a mistake in the description, not a menu anyone can use;
// stopping keeps a cyclic or runaway description from exhausting the stack.
constexpr int kMaxMenuDepth = 16;

bool AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries, int codePage, int depth);

bool AppendEntry(HMENU menu, const MenuEntry& entry, int codePage, int depth) {
    if (entry.separator) return AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE;

    UINT flags = MF_STRING;
    if (entry.checked) flags |= MF_CHECKED;
    if (entry.grayed) flags |= MF_GRAYED;
    std::wstring text = WidenText(entry.text, codePage);

    if (!entry.children.empty()) {
        if (depth >= kMaxMenuDepth) return false;
        MenuHandle submenu(CreatePopupMenu());
        if (!submenu) return false;
        if (!AppendEntries(submenu.get(), entry.children, codePage, depth + 1)) return false;
        if (!AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()), text.c_str()))
            return false;
        submenu.Release();  // the parent menu owns it now
        return true;
    }
    return AppendMenuW(menu, flags, static_cast<UINT_PTR>(entry.id), text.c_str()) != FALSE;
}

bool AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries, int codePage, int depth) {
    if (!menu) return false;
    for (const MenuEntry& entry : entries)
        if (!AppendEntry(menu, entry, codePage, depth)) return false;
    return true;
}

std::vector<MenuEntry> ReadEntries(HMENU menu, int codePage, int depth) {
    std::vector<MenuEntry> entries;
    int count = menu ? GetMenuItemCount(menu) : -1;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = nullptr;
        if (!GetMenuItemInfoW(menu, position, TRUE, &info)) continue;
        MenuEntry entry;
        if (info.fType & MFT_SEPARATOR) {
            entry.separator = true;
            entries.push_back(std::move(entry));
            continue;
        }
        std::wstring text;
        if (info.cch > 0) {
            std::wstring buffer(info.cch + 1, L'\0');
            info.cch += 1;
            info.dwTypeData = buffer.data();
            if (GetMenuItemInfoW(menu, position, TRUE, &info)) text.assign(buffer.c_str());
        }
        entry.text = NarrowText(text, codePage);
        entry.checked = (info.fState & MFS_CHECKED) != 0;
        entry.grayed = (info.fState & MFS_GRAYED) != 0;
        if (info.hSubMenu) {
            if (depth < kMaxMenuDepth) entry.children = ReadEntries(info.hSubMenu, codePage, depth + 1);
        } else {
            entry.id = static_cast<int>(info.wID);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace

bool AppendMenuEntries(HMENU menu, const std::vector<MenuEntry>& entries, int codePage) {
    return AppendEntries(menu, entries, codePage, 0);
}

bool FillPopup(HMENU popup, const std::vector<MenuEntry>& entries, int codePage) {
    if (!popup || !IsMenu(popup)) return false;
    // DeleteMenu destroys the submenu of an item; RemoveMenu would leak it.
    for (int count = GetMenuItemCount(popup); count > 0; --count)
        if (!DeleteMenu(popup, 0, MF_BYPOSITION)) return false;
    return AppendEntries(popup, entries, codePage, 0);
}

MenuHandle BuildPopupMenu(const std::vector<MenuEntry>& entries, int codePage) {
    MenuHandle menu(CreatePopupMenu());
    if (!menu || !AppendEntries(menu.get(), entries, codePage, 0)) return MenuHandle();
    return menu;
}

MenuHandle BuildMenuBar(const std::vector<MenuEntry>& entries, int codePage) {
    MenuHandle menu(CreateMenu());
    if (!menu || !AppendEntries(menu.get(), entries, codePage, 0)) return MenuHandle();
    return menu;
}

std::vector<MenuEntry> ReadMenuEntries(HMENU menu, int codePage) {
    return ReadEntries(menu, codePage, 0);
}

}  // namespace zelvo
