// The help centre's addresses: which page a help topic names, the local folder and the web
// copy of each UI language, the home pages, and the command line that opens an address
// through the program registered for ".htm". Opening them is the Win32 side's work
// (services/win/help_center.h).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo {

// Help topics the program asks for.
inline constexpr int kHelpTopicStart = 0;
inline constexpr int kHelpTopicReleaseNotes = 8;
inline constexpr int kHelpTopicCodeTransfer = 25;
inline constexpr int kHelpTopicLayout = 27;
inline constexpr int kHelpTopicSystemRequirements = 201;

// The folder of the help pages below the program folder's "doc" for a UI language:
// "gb2312" for 2052, "big5" for 1028, "english" for every other language.
std::string HelpFolderName(int uiLcid);

// The page of a topic below the help folder, with backslashes ("userguide\0_contents.htm");
// a topic without a page of its own gives "index.html".
std::string HelpPageOfTopic(int topic);

// "<appFolder>\doc\<folder>\<page>".
std::string HelpLocalPath(std::string_view appFolder, int uiLcid, int topic);

// The web copy of the same page: "<host>/zelvo/help/<folder>/<page with slashes>".
std::string HelpWebAddress(int uiLcid, int topic);

std::string ProductHomePage(int uiLcid);
std::string MakerHomePage(int uiLcid);

// The command line that opens address with the program registered for ".htm": the
// registered line cut where its "%1" placeholder (quoted or not) begins, then one blank and
// the address. Nothing when the registered line is empty.
std::optional<std::string> CommandLineForAddress(std::string_view registeredCommand, std::string_view address);

// The help centre as the rest of the program reaches it (help-key buttons of the message box,
// F1 in a dialog). The program installs the opener at start; until then nothing opens.
using HelpTopicOpener = std::function<void(int topic)>;
void SetHelpTopicOpener(HelpTopicOpener opener);
void OpenHelpTopic(int topic);

}  // namespace zelvo
