// The registry settings store: single values under one root key, addressed by a
// section (a subkey below the root, may itself hold '\\') and a key (value name).
// Reads fall back to the caller's default on any failure; writes report success.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace zelvo {

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual std::optional<uint32_t> ReadInt(const std::string& root, const std::string& section,
                                            const std::string& key) = 0;
    virtual bool WriteInt(const std::string& root, const std::string& section, const std::string& key,
                          uint32_t value) = 0;
    virtual std::optional<std::string> ReadString(const std::string& root, const std::string& section,
                                                  const std::string& key) = 0;
    virtual bool WriteString(const std::string& root, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

// Keeps values in memory; used by the native build and by tests. A value written as an
// integer is not readable as a string and the other way round, as in the registry.
class MemoryRegistryBackend : public RegistryBackend {
public:
    std::optional<uint32_t> ReadInt(const std::string& root, const std::string& section,
                                    const std::string& key) override;
    bool WriteInt(const std::string& root, const std::string& section, const std::string& key,
                  uint32_t value) override;
    std::optional<std::string> ReadString(const std::string& root, const std::string& section,
                                          const std::string& key) override;
    bool WriteString(const std::string& root, const std::string& section, const std::string& key,
                     const std::string& value) override;
    // Key and value names compare case-insensitively, as in the registry.
    static std::string ValueId(const std::string& root, const std::string& section, const std::string& key);
    std::map<std::string, uint32_t> ints;
    std::map<std::string, std::string> strings;
    bool failWrites = false;  // lets tests see the defaults-on-failure rules
};

// The root path below HKEY_LOCAL_MACHINE; blanks, tabs, CR, LF and '\\' are trimmed
// from both ends when it is set.
constexpr const char* kRegistryRootPath = "software\\Tolvane\\Zelvo\\1.1.2";
void SetRegistryRoot(const std::string& path);
const std::string& RegistryRoot();

// Installs the backend (the Win32 registry in zelvo.exe, memory elsewhere). Returns the
// previous one. The default is the platform's own.
std::unique_ptr<RegistryBackend> SetRegistryBackend(std::unique_ptr<RegistryBackend> backend);
RegistryBackend& CurrentRegistryBackend();
std::unique_ptr<RegistryBackend> CreatePlatformRegistryBackend();

int ReadRegInt(const std::string& section, const std::string& key, int defaultValue);
bool WriteRegInt(const std::string& section, const std::string& key, int value);
std::string ReadRegString(const std::string& section, const std::string& key, const std::string& defaultValue);
bool WriteRegString(const std::string& section, const std::string& key, const std::string& value);

}  // namespace zelvo
