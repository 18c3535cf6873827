// The library's entry points: loading, the class object, unloading and registration.
#include <atomic>
#include <new>

#include "platform/registry_store.h"
#include "platform/system_info.h"
#include "platform/win/handles.h"
#include "services/shell_extension.h"
#include "services/system_language.h"
#include "services/ui_language.h"
#include "services/ui_strings.h"
#include "services/win/shell_registration.h"
#include "services/win/toolkit/dialog.h"
#include "services/win/toolkit/win_text.h"
#include "shellext/shell_ext.h"
// SELFREG_E_CLASS.
#include <olectl.h>

namespace zelvo {

namespace {

HINSTANCE module = nullptr;
std::atomic<long> objectCount{0};

// The class id in its binary form, parsed once from the text the registry carries.
CLSID ShellExtClassId() {
    static const CLSID id = [] {
        CLSID parsed{};
        std::wstring text = WidenText(kShellExtensionClassId, 1252);
        CLSIDFromString(text.c_str(), &parsed);
        return parsed;
    }();
    return id;
}

}  // namespace

HINSTANCE ShellExtModule() {
    return module;
}

std::string ShellExtPath() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

std::string ShellExtFolder() {
    std::string path = ShellExtPath();
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void ShellExtObjectCreated() {
    ++objectCount;
}
void ShellExtObjectDestroyed() {
    --objectCount;
}
long ShellExtObjectCount() {
    return objectCount;
}

ShellSelection& TheShellSelection() {
    static ShellSelection selection;
    return selection;
}

void RefreshShellUiLanguage() {
    UiLanguageState language;
    // An unset or zero "Shell"/"LCID" is English.
    ChooseUiLanguage(language, ShellExtFolder(), kLcidEnglish);
    SetUiCodePage(CodePageOfCharset(language.uiCharset));
}

}  // namespace zelvo

using namespace zelvo;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
        // The message box's template is one of this library's resources.
        Dialog::SetResourceInstance(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, ShellExtClassId())) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ShellExtClassFactory;
    if (!factory) return E_OUTOFMEMORY;
    // The factory starts at 0 references: one held here keeps it alive through a failed
    // QueryInterface, which then frees it.
    factory->AddRef();
    HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return ShellExtObjectCount() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    const std::string classKey = kShellClassKey;
    bool ok = WriteKeyString(HKEY_CLASSES_ROOT, classKey, nullptr, kShellExtensionName) &&
              WriteKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr, ShellExtPath()) &&
              WriteKeyString(HKEY_CLASSES_ROOT, kShellServerKey, "ThreadingModel", kShellThreadingModel) &&
              WriteKeyString(HKEY_CLASSES_ROOT, kShellHandlerKey, nullptr, kShellExtensionClassId);
    if (!ok) return SELFREG_E_CLASS;
    if (IsNtPlatform()) {
        if (!WriteKeyString(HKEY_LOCAL_MACHINE, kShellApprovedKey, kShellExtensionClassId,
                            kShellExtensionName))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    for (const char* key : {kShellServerKey, kShellClassKey, kShellHandlerKey})
        if (RegDeleteKeyA(HKEY_CLASSES_ROOT, key) != ERROR_SUCCESS) return SELFREG_E_CLASS;
    if (IsNtPlatform()) {
        UniqueKey approved;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellApprovedKey, 0, KEY_SET_VALUE, approved.Out()) ==
            ERROR_SUCCESS)
            RegDeleteValueA(approved.get(), kShellExtensionClassId);
    }
    return S_OK;
}
