// The context-menu object: Initialize keeps the text files of the selection, the menu gets
// one item while there is one, and the command starts the program on each of them.
#include "shellext/shell_ext.h"
// shellapi.h needs the types of windows.h, which shell_ext.h brings.
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/message_service.h"
#include "services/shell_extension.h"
#include "services/ui_strings.h"
#include "services/win/message_box_dialog.h"

namespace zelvo {

namespace {

// True when the dropped name is a text file: it exists, is no folder, and its head holds no
// zero byte. A binary file sets binarySeen.
bool TakesFile(const std::string& path, bool& binarySeen) {
    if (!PathExists(path) || FolderExists(path)) return false;
    std::string head;
    if (!ReadFileHead(path, kBinaryTestBytes, head)) return false;
    if (IsBinaryHead(head)) {
        binarySeen = true;
        return false;
    }
    return true;
}

void CollectFiles(HDROP drop, ShellSelection& selection) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // A name that does not fit the buffer whole is left out rather than cut to another path.
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0 || length >= kShellPathBuffer) continue;
        char name[kShellPathBuffer] = {};
        if (DragQueryFileA(drop, i, name, kShellPathBuffer) != length) continue;
        std::string path(name, length);
        if (TakesFile(path, selection.binarySeen)) selection.files.push_back(path);
    }
}

// The warning that binary files are left out, until the user clears its check box.
void WarnOfBinaryFiles(HWND owner) {
    if (ReadRegInt("Shell", "No Prompt Bin", 0) == 1) return;
    RefreshShellUiLanguage();
    MessageRequest request;
    request.text = LoadUiString(IDS_MENU_SHELL_TEXT_ONLY);
    request.style = kMbOk;
    request.showCheckBox = true;
    request.checked = true;
    MessageBoxDialog box(request);
    if (!box.Run(owner).checked) WriteRegInt("Shell", "No Prompt Bin", 1);
}

}  // namespace

ShellExtContextMenu::ShellExtContextMenu() {
    ShellExtObjectCreated();
}

ShellExtContextMenu::~ShellExtContextMenu() {
    if (data_) data_->Release();
    ShellExtObjectDestroyed();
}

STDMETHODIMP ShellExtContextMenu::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IContextMenu))
        *object = static_cast<IContextMenu*>(this);
    else if (IsEqualIID(iid, IID_IShellExtInit) || IsEqualIID(iid, IID_IUnknown))
        *object = static_cast<IShellExtInit*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ShellExtContextMenu::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) ShellExtContextMenu::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ShellExtContextMenu::Initialize(LPCITEMIDLIST, IDataObject* data, HKEY) {
    ShellSelection& selection = TheShellSelection();
    selection.binarySeen = false;
    if (data_) {
        data_->Release();
        data_ = nullptr;
    }
    if (!data) return E_FAIL;
    data_ = data;
    data_->AddRef();

    selection.files.clear();
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data_->GetData(&format, &medium))) return E_FAIL;
    if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
        CollectFiles(drop, selection);
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return S_OK;
}

STDMETHODIMP ShellExtContextMenu::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT, UINT flags) {
    if (TheShellSelection().files.empty()) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    if (!MenuFlagsTakeItem(flags)) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    RefreshShellUiLanguage();
    const std::string text = LoadUiString(IDS_MENU_SHELL_EDIT_WITH_ZELVO);
    InsertMenuA(menu, index, MF_BYPOSITION | MF_STRING, firstId, text.c_str());
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
}

STDMETHODIMP ShellExtContextMenu::GetCommandString(UINT_PTR command, UINT type, UINT*, LPSTR buffer,
                                                   UINT size) {
    const char* text = ShellCommandString(static_cast<unsigned>(command), type);
    if (text && buffer && size > 0) std::strncpy(buffer, text, size);
    return S_OK;
}

STDMETHODIMP ShellExtContextMenu::InvokeCommand(LPCMINVOKECOMMANDINFO info) {
    if (!info) return S_OK;
    const auto verb = reinterpret_cast<UINT_PTR>(info->lpVerb);
    if (HIWORD(verb) != 0 || LOWORD(verb) != 0) return S_OK;

    const ShellSelection& selection = TheShellSelection();
    if (selection.binarySeen) WarnOfBinaryFiles(info->hwnd);
    const size_t count = std::min(selection.files.size(), kMaximumShellLaunches);
    const std::string program = ReadRegString("App", "Path", "");
    if (!PathExists(program)) return S_OK;
    for (size_t i = 0; i < count; ++i) {
        const std::string parameters = ShellLaunchParameters(static_cast<int>(i), selection.files[i]);
        ShellExecuteA(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, SW_SHOW);
        Sleep(kShellLaunchPauseMs);
    }
    return S_OK;
}

}  // namespace zelvo
