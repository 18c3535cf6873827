// The registry settings store on HKEY_LOCAL_MACHINE.
#include <windows.h>

#include "platform/registry_store.h"
#include "platform/win/handles.h"

namespace zelvo {

namespace {

std::string KeyPath(const std::string& root, const std::string& section) {
    if (section.empty()) return root;
    return root + "\\" + section;
}

bool OpenKey(const std::string& root, const std::string& section, bool create, UniqueKey& key) {
    std::string path = KeyPath(root, section);
    if (create) {
        return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, key.Out(), nullptr) == ERROR_SUCCESS;
    }
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, key.Out()) == ERROR_SUCCESS;
}

class Win32RegistryBackend : public RegistryBackend {
public:
    std::optional<uint32_t> ReadInt(const std::string& root, const std::string& section,
                                    const std::string& key) override {
        UniqueKey handle;
        if (!OpenKey(root, section, false, handle)) return std::nullopt;
        DWORD type = 0, value = 0, size = sizeof value;
        if (RegQueryValueExA(handle.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value)
            return std::nullopt;
        return value;
    }

    bool WriteInt(const std::string& root, const std::string& section, const std::string& key,
                  uint32_t value) override {
        UniqueKey handle;
        if (!OpenKey(root, section, true, handle)) return false;
        DWORD data = value;
        return RegSetValueExA(handle.get(), key.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof data) == ERROR_SUCCESS;
    }

    std::optional<std::string> ReadString(const std::string& root, const std::string& section,
                                          const std::string& key) override {
        UniqueKey handle;
        if (!OpenKey(root, section, false, handle)) return std::nullopt;
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(handle.get(), key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::string value(size + 1, '\0');
        DWORD got = size;
        if (RegQueryValueExA(handle.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                             &got) != ERROR_SUCCESS)
            return std::nullopt;
        value.resize(got);
        while (!value.empty() && value.back() == '\0') value.pop_back();
        return value;
    }

    bool WriteString(const std::string& root, const std::string& section, const std::string& key,
                     const std::string& value) override {
        UniqueKey handle;
        if (!OpenKey(root, section, true, handle)) return false;
        return RegSetValueExA(handle.get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }
};

}  // namespace

std::unique_ptr<RegistryBackend> CreatePlatformRegistryBackend() { return std::make_unique<Win32RegistryBackend>(); }

}  // namespace zelvo
