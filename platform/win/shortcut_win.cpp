#include <windows.h>
// The COM and shell headers below need windows.h first.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/shortcut.h"

namespace zelvo {

namespace {

// COM for the calling thread, undone only when this call was the one that started it.
class ComScope {
  public:
    ComScope() : result_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

  private:
    HRESULT result_;
};

template <typename Interface>
class ComPointer {
  public:
    ~ComPointer() {
        if (pointer_) pointer_->Release();
    }
    Interface** Receive() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace

std::string ResolveShortcut(const std::string& path) {
    if (path.empty()) return {};
    ComScope com;
    if (!com.Usable()) return {};
    ComPointer<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Receive()))) ||
        !link)
        return {};
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive()))) || !file)
        return {};

    // IPersistFile takes a wide path; the program's paths are in the ANSI code page.
    int wideLength = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (wideLength <= 0) return {};
    std::wstring widePath(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath.data(), wideLength);
    if (FAILED(file->Load(widePath.c_str(), STGM_READ))) return {};

    // The stored target only: resolving would search the disk and may show a dialog.
    char target[MAX_PATH] = {};
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return {};
    return target;
}

}  // namespace zelvo
