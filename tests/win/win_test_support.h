// Small helpers the Windows tests share.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace zelvo::win_testing {

// The names of the entries of a folder, as the file system lists them.
inline std::vector<std::string> NamesInFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    ListFolder(folder, entries);
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) names.push_back(entry.name);
    return names;
}

// Creates a .lnk at linkPath pointing at target with IShellLinkA, as Explorer would.
inline bool CreateShortcut(const std::string& linkPath, const std::string& target) {
    HRESULT init = CoInitialize(nullptr);
    bool ok = false;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->SetPath(target.c_str())) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring wide(linkPath.begin(), linkPath.end());
            ok = SUCCEEDED(file->Save(wide.c_str(), TRUE));
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return ok;
}

}  // namespace zelvo::win_testing
