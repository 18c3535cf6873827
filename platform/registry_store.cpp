#include "platform/registry_store.h"

#include <cctype>

namespace zelvo {

namespace {

std::string& Root() {
    static std::string root = kRegistryRootPath;
    return root;
}

std::unique_ptr<RegistryBackend>& Backend() {
    static std::unique_ptr<RegistryBackend> backend = CreatePlatformRegistryBackend();
    return backend;
}

}  // namespace

void SetRegistryRoot(const std::string& path) {
    auto trimmed = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\\'; };
    size_t begin = 0, end = path.size();
    while (begin < end && trimmed(path[begin])) ++begin;
    while (end > begin && trimmed(path[end - 1])) --end;
    Root() = path.substr(begin, end - begin);
}

const std::string& RegistryRoot() { return Root(); }

std::unique_ptr<RegistryBackend> SetRegistryBackend(std::unique_ptr<RegistryBackend> backend) {
    std::unique_ptr<RegistryBackend> previous = std::move(Backend());
    Backend() = backend ? std::move(backend) : CreatePlatformRegistryBackend();
    return previous;
}

RegistryBackend& CurrentRegistryBackend() { return *Backend(); }

int ReadRegInt(const std::string& section, const std::string& key, int defaultValue) {
    auto value = Backend()->ReadInt(Root(), section, key);
    return value ? static_cast<int>(*value) : defaultValue;
}

bool WriteRegInt(const std::string& section, const std::string& key, int value) {
    return Backend()->WriteInt(Root(), section, key, static_cast<uint32_t>(value));
}

std::string ReadRegString(const std::string& section, const std::string& key, const std::string& defaultValue) {
    auto value = Backend()->ReadString(Root(), section, key);
    return value ? *value : defaultValue;
}

bool WriteRegString(const std::string& section, const std::string& key, const std::string& value) {
    return Backend()->WriteString(Root(), section, key, value);
}

std::string MemoryRegistryBackend::ValueId(const std::string& root, const std::string& section,
                                           const std::string& key) {
    // Key and value names compare case-insensitively, as in the registry.
    std::string id = root + "\\" + section + '\n' + key;
    for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return id;
}

std::optional<uint32_t> MemoryRegistryBackend::ReadInt(const std::string& root, const std::string& section,
                                                       const std::string& key) {
    auto it = ints.find(ValueId(root, section, key));
    if (it == ints.end()) return std::nullopt;
    return it->second;
}

bool MemoryRegistryBackend::WriteInt(const std::string& root, const std::string& section, const std::string& key,
                                     uint32_t value) {
    if (failWrites) return false;
    std::string id = ValueId(root, section, key);
    strings.erase(id);
    ints[id] = value;
    return true;
}

std::optional<std::string> MemoryRegistryBackend::ReadString(const std::string& root, const std::string& section,
                                                             const std::string& key) {
    auto it = strings.find(ValueId(root, section, key));
    if (it == strings.end()) return std::nullopt;
    return it->second;
}

bool MemoryRegistryBackend::WriteString(const std::string& root, const std::string& section,
                                        const std::string& key, const std::string& value) {
    if (failWrites) return false;
    std::string id = ValueId(root, section, key);
    ints.erase(id);
    strings[id] = value;
    return true;
}

}  // namespace zelvo
