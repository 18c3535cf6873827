// pellum.dll: the class factory, the context-menu object and what the library keeps for
// the process (its module, the count of live objects, the last selection).
#pragma once

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <string>
#include <vector>

namespace zelvo {

// The library's module, set when it is loaded.
HINSTANCE ShellExtModule();
// Full path of the library and its folder (the program folder, which also holds zelvo.exe).
std::string ShellExtPath();
std::string ShellExtFolder();

// Live class factories and context-menu objects; the library may unload at 0.
void ShellExtObjectCreated();
void ShellExtObjectDestroyed();
long ShellExtObjectCount();

// The selection of the last Initialize, process-wide as the shell expects of it.
struct ShellSelection {
    std::vector<std::string> files;  // text files, in the order given
    bool binarySeen = false;         // a selected file was left out as binary
};
ShellSelection& TheShellSelection();

// Makes the UI string look-up follow "Shell"/"LCID" and the language packs of the program
// folder, as the program last chose.
void RefreshShellUiLanguage();

class ShellExtClassFactory : public IClassFactory {
  public:
    ShellExtClassFactory();
    virtual ~ShellExtClassFactory();

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

  private:
    LONG references_ = 0;
};

class ShellExtContextMenu : public IContextMenu, public IShellExtInit {
  public:
    ShellExtContextMenu();
    virtual ~ShellExtContextMenu();

    // IUnknown, for both interfaces.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IContextMenu.
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override;
    STDMETHODIMP InvokeCommand(LPCMINVOKECOMMANDINFO info) override;
    STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, LPSTR buffer,
                                  UINT size) override;

    // IShellExtInit.
    STDMETHODIMP Initialize(LPCITEMIDLIST folder, IDataObject* data, HKEY key) override;

  private:
    LONG references_ = 0;
    IDataObject* data_ = nullptr;
};

}  // namespace zelvo
