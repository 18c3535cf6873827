#include "services/win/shell_registration.h"

#include <vector>

#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/win/handles.h"
#include "services/shell_extension.h"

namespace zelvo {

namespace {
constexpr DWORD kValueBytes = 512;
}  // namespace

std::optional<std::string> ReadKeyString(HKEY root, const std::string& key, const char* valueName) {
    UniqueKey handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, handle.Out()) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[kValueBytes + 1] = {};
    DWORD size = kValueBytes;
    DWORD type = 0;
    if (RegQueryValueExA(handle.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    return std::string(buffer);
}

bool WriteKeyString(HKEY root, const std::string& key, const char* valueName, const std::string& value) {
    if (value.size() >= kValueBytes) return false;
    UniqueKey handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                        handle.Out(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(handle.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteKeyTree(HKEY root, const std::string& key) {
    UniqueKey handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, handle.Out()) != ERROR_SUCCESS) return false;
    // Always the first subkey: deleting one moves the next to index 0. A subkey that cannot
    // be deleted ends the walk instead of being met again for ever.
    for (;;) {
        char name[MAX_PATH + 1] = {};
        LONG status = RegEnumKeyA(handle.get(), 0, name, sizeof name);
        if (status != ERROR_SUCCESS) break;  // no more items (259), a deleted key (1010), or a failure
        if (!DeleteKeyTree(handle.get(), name)) break;
    }
    handle.Reset();
    return RegDeleteKeyA(root, key.c_str()) == ERROR_SUCCESS;
}

bool IsShellExtensionRegistered() {
    std::optional<std::string> handler = ReadKeyString(HKEY_CLASSES_ROOT, kShellHandlerKey, nullptr);
    if (!handler || *handler != kShellExtensionClassId) return false;
    std::optional<std::string> server = ReadKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr);
    if (!server || !PathExists(*server) || !NamesShellExtensionFile(*server)) return false;
    std::optional<std::string> model = ReadKeyString(HKEY_CLASSES_ROOT, kShellServerKey, "ThreadingModel");
    return model && lstrcmpiA(model->c_str(), kShellThreadingModel) == 0;
}

void SetShellExtension(bool enable, const std::string& appFolder) {
    if (enable) {
        // Each write is tried whatever became of the one before.
        WriteKeyString(HKEY_CLASSES_ROOT, kShellHandlerKey, nullptr, kShellExtensionClassId);
        WriteKeyString(HKEY_CLASSES_ROOT, kShellClassKey, nullptr, kShellExtensionName);
        WriteKeyString(HKEY_CLASSES_ROOT, kShellServerKey, nullptr, appFolder + "\\" + kShellExtensionFile);
        WriteKeyString(HKEY_CLASSES_ROOT, kShellServerKey, "ThreadingModel", kShellThreadingModel);
    } else {
        UniqueKey parent;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kShellHandlerParentKey, 0, KEY_ALL_ACCESS, parent.Out()) ==
            ERROR_SUCCESS) {
            // The names are collected first: deleting during the walk would shift the indexes
            // and skip the subkey after a deleted one.
            std::vector<std::string> ours;
            for (DWORD index = 0;; ++index) {
                char name[MAX_PATH + 1] = {};
                if (RegEnumKeyA(parent.get(), index, name, sizeof name) != ERROR_SUCCESS) break;
                std::string key = std::string(kShellHandlerParentKey) + "\\" + name;
                std::optional<std::string> classId = ReadKeyString(HKEY_CLASSES_ROOT, key, nullptr);
                if (classId && *classId == kShellExtensionClassId) ours.push_back(key);
            }
            parent.Reset();
            for (const std::string& key : ours) DeleteKeyTree(HKEY_CLASSES_ROOT, key);
        }
        DeleteKeyTree(HKEY_CLASSES_ROOT, kShellClassKey);
    }
    WriteRegInt("Shell", "Tried", 1);
}

}  // namespace zelvo
