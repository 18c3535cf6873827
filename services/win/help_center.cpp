#include "services/win/help_center.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/file_system.h"
#include "services/help.h"
#include "services/ui_strings.h"

namespace zelvo {
namespace {

HelpLauncher& Launcher() {
    static HelpLauncher launcher;
    return launcher;
}

RegisteredHtmCommand& HtmCommandReader() {
    static RegisteredHtmCommand reader;
    return reader;
}

bool AppendToHelpLog(const char* logPath, const HelpLaunch& launch) {
    FILE* log = std::fopen(logPath, "ab");
    if (!log) return false;
    const char* kind = launch.kind == HelpLaunch::Kind::kShellExecute ? "open" : "exec";
    std::fprintf(log, "%s|%s|%s|%d\n", kind, launch.file.c_str(), launch.parameters.c_str(), launch.show);
    std::fclose(log);
    return true;
}

bool Launch(const HelpLaunch& launch) {
    if (Launcher()) return Launcher()(launch);
    if (const char* logPath = std::getenv("ZELVO_HELP_LOG"); logPath && *logPath)
        return AppendToHelpLog(logPath, launch);
    if (launch.kind == HelpLaunch::Kind::kWinExec)
        return WinExec(launch.parameters.c_str(), static_cast<UINT>(launch.show)) > 32;
    HINSTANCE result = ShellExecuteA(nullptr, "open", launch.file.c_str(),
                                     launch.parameters.empty() ? nullptr : launch.parameters.c_str(), nullptr,
                                     launch.show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

// The default value of a key of HKEY_CLASSES_ROOT, read with KEY_QUERY_VALUE into 260 bytes.
bool ReadClassesRootDefault(const std::string& subKey, std::string& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    char buffer[260] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    value.assign(buffer);
    return true;
}

std::string RegisteredCommandOfHtm() {
    if (HtmCommandReader()) return HtmCommandReader()();
    std::string className;
    std::string command;
    if (!ReadClassesRootDefault(".htm", className) || className.empty()) return {};
    if (!ReadClassesRootDefault(className + "\\shell\\open\\command", command)) return {};
    return command;
}

}  // namespace

void SetHelpLauncher(HelpLauncher launcher) {
    Launcher() = std::move(launcher);
}

void SetRegisteredHtmCommandReader(RegisteredHtmCommand reader) {
    HtmCommandReader() = std::move(reader);
}

bool OpenUrl(const std::string& address) {
    if (Launch({HelpLaunch::Kind::kShellExecute, address, {}, SW_SHOW})) return true;
    std::optional<std::string> command = CommandLineForAddress(RegisteredCommandOfHtm(), address);
    if (!command) return false;
    return Launch({HelpLaunch::Kind::kWinExec, {}, *command, SW_SHOW});
}

void OpenHelp(const std::string& appFolder, int topic) {
    const int lcid = UiLcid();
    const std::string local = HelpLocalPath(appFolder, lcid, topic);
    if (FileExists(local)) {
        if (Launch({HelpLaunch::Kind::kShellExecute, "iexplore.exe", local, SW_SHOWMAXIMIZED})) return;
        // Systems without Internet Explorer: the page opens in the default browser.
        if (Launch({HelpLaunch::Kind::kShellExecute, local, {}, SW_SHOWMAXIMIZED})) return;
    }
    OpenUrl(HelpWebAddress(lcid, topic));
}

}  // namespace zelvo
