// The help centre on Windows: shows a help page in the web browser, or its web copy when the
// program folder has no local page, and opens web addresses with a fallback through the
// program registered for ".htm".
#pragma once

#include <functional>
#include <string>

namespace zelvo {

// The local page of the topic in the UI language's folder when it exists, else the web copy.
void OpenHelp(const std::string& appFolder, int topic);

// Opens an address in the browser; true when a program was started.
bool OpenUrl(const std::string& address);

// What the help centre starts. Tests install a recorder here; with none installed and the
// environment variable ZELVO_HELP_LOG naming a file, each start is appended to that file as
// one line instead (scripted runs of the whole program use it), else Windows starts it.
struct HelpLaunch {
    enum class Kind { kShellExecute, kWinExec } kind = Kind::kShellExecute;
    std::string file;        // the program or document handed to ShellExecute
    std::string parameters;  // ShellExecute's parameters, or WinExec's whole command line
    int show = 0;            // the show command
};
using HelpLauncher = std::function<bool(const HelpLaunch& launch)>;
void SetHelpLauncher(HelpLauncher launcher);

// The default value of HKEY_CLASSES_ROOT ".htm"'s class "\shell\open\command"; empty when
// either read fails. Tests replace it to give a registered command of their own.
using RegisteredHtmCommand = std::function<std::string()>;
void SetRegisteredHtmCommandReader(RegisteredHtmCommand reader);

}  // namespace zelvo
