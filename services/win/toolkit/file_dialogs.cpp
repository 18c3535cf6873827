#include "services/win/toolkit/file_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "services/win/toolkit/win_text.h"

namespace zelvo {

bool AskFileNameWithDialog(HWND owner, bool save, const std::string& filter, const std::string& initialFolder,
                           DWORD flags, std::string& path) {
    // The common dialogs want the pairs separated by zero characters.
    std::wstring pairs = WidenUiText(filter);
    for (wchar_t& c : pairs)
        if (c == L'|') c = L'\0';
    pairs.push_back(L'\0');
    const std::wstring folder = WidenWithSystemCodePage(initialFolder);
    std::vector<wchar_t> name(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = pairs.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | flags;
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
    path = NarrowWithSystemCodePage(name.data());
    return true;
}

bool AskColorWithDialog(HWND owner, int& color) {
    // The dialog's sixteen custom colours live as long as the program, as users expect.
    static COLORREF customColors[16] = {};
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = static_cast<COLORREF>(color);
    dialog.lpCustColors = customColors;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog)) return false;
    color = static_cast<int>(dialog.rgbResult);
    return true;
}

}  // namespace zelvo
