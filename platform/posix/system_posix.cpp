#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/system_info.h"

namespace zelvo {

namespace {
int testCodePage = 0;
}

int SystemCodePage() { return testCodePage ? testCodePage : 936; }
void SetSystemCodePageForTests(int codePage) { testCodePage = codePage; }
// Native names are UTF-8: no byte of a character of several bytes is below 0x80.
int PathCodePage() { return testCodePage; }
bool IsNtPlatform() { return true; }
int UserDefaultLanguageId() { return 1033; }
int SystemDefaultLanguageId() { return 1033; }

// Native builds have no registry; values live in memory for the life of the process.
std::unique_ptr<RegistryBackend> CreatePlatformRegistryBackend() { return std::make_unique<MemoryRegistryBackend>(); }

}  // namespace zelvo
