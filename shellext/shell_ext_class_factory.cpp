#include <new>

#include "shellext/shell_ext.h"

namespace zelvo {

ShellExtClassFactory::ShellExtClassFactory() {
    ShellExtObjectCreated();
}
ShellExtClassFactory::~ShellExtClassFactory() {
    ShellExtObjectDestroyed();
}

STDMETHODIMP ShellExtClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ShellExtClassFactory::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) ShellExtClassFactory::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ShellExtClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* menu = new (std::nothrow) ShellExtContextMenu;
    if (!menu) return E_OUTOFMEMORY;
    // Held across QueryInterface so that a refused interface frees the object.
    menu->AddRef();
    HRESULT result = menu->QueryInterface(iid, object);
    menu->Release();
    return result;
}

STDMETHODIMP ShellExtClassFactory::LockServer(BOOL) {
    return S_OK;
}

}  // namespace zelvo
