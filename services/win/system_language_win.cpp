#include "services/win/system_language_win.h"

#include <windows.h>

#include <string>

#include "platform/system_info.h"
#include "platform/win/handles.h"
#include "services/system_language.h"

namespace zelvo {

namespace {

int CALLBACK CountFontFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one family is enough
}

std::string ReadProductType() {
    // Read-only: the program's own registry store opens its keys for writing, which this
    // system key does not allow an ordinary user.
    UniqueKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_READ,
                      key.Out()) != ERROR_SUCCESS)
        return {};
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    std::string value;
    if (RegQueryValueExA(key.get(), "ProductType", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
        value = buffer;
    return value;
}

}  // namespace

SystemDescription GetSystemDescription() {
    SystemFacts facts;
    facts.userLanguage = GetUserDefaultLangID();
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL haveVersion = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (haveVersion) {
        facts.buildNumber = static_cast<int>(version.dwBuildNumber);
        facts.platformId = static_cast<int>(version.dwPlatformId);
        facts.majorVersion = static_cast<int>(version.dwMajorVersion);
        facts.minorVersion = static_cast<int>(version.dwMinorVersion);
        facts.servicePack.assign(version.szCSDVersion, strnlen(version.szCSDVersion, 128));
    }
    facts.productType = ReadProductType();
    return DescribeSystem(facts);
}

bool CannotShowEastAsianHere() {
    char windowsFolder[MAX_PATH + 1] = {};
    UINT length = GetWindowsDirectoryA(windowsFolder, MAX_PATH);
    std::string winIni = length > 0 && length <= MAX_PATH ? std::string(windowsFolder, length) : std::string();
    if (!winIni.empty() && winIni.back() != '\\') winIni += '\\';
    winIni += "win.ini";
    return CannotShowEastAsian(SystemDefaultLanguageId(), IsNtPlatform() ? 2 : 1, winIni);
}

bool SystemHasFontOfCharset(int charset) {
    HDC screen = GetDC(nullptr);
    if (!screen) return true;  // cannot tell: do not nag the user
    LOGFONTA font{};
    font.lfCharSet = static_cast<BYTE>(charset);
    bool found = false;
    EnumFontFamiliesExA(screen, &font, CountFontFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace zelvo
