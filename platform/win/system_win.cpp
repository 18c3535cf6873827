#include <windows.h>

#include "platform/system_info.h"

namespace zelvo {

namespace {
int testCodePage = 0;
}

int SystemCodePage() { return testCodePage ? testCodePage : static_cast<int>(GetACP()); }
void SetSystemCodePageForTests(int codePage) { testCodePage = codePage; }

bool IsNtPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return true;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

int UserDefaultLanguageId() { return GetUserDefaultLangID(); }
int SystemDefaultLanguageId() { return GetSystemDefaultLangID(); }

}  // namespace zelvo
