// What the program and its Explorer extension (pellum.dll) agree on: the class id, the
// registry keys that make the shell load the extension, and the extension's portable rules
// (which files it passes on, which menus get its item, the command line it starts with).
#pragma once

#include <string>
#include <string_view>

namespace zelvo {

inline constexpr const char* kShellExtensionClassId = "{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}";
inline constexpr const char* kShellHandlerParentKey = "*\\shellex\\ContextMenuHandlers";
inline constexpr const char* kShellHandlerKey = "*\\shellex\\ContextMenuHandlers\\Edit with Zelvo";
inline constexpr const char* kShellClassKey = "CLSID\\{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}";
inline constexpr const char* kShellServerKey =
    "CLSID\\{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}\\InProcServer32";
inline constexpr const char* kShellApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
inline constexpr const char* kShellExtensionName = "Edit with Zelvo";
inline constexpr const char* kShellExtensionFile = "pellum.dll";
inline constexpr const char* kShellThreadingModel = "Apartment";

// Bytes of a file looked at to tell text from binary.
inline constexpr size_t kBinaryTestBytes = 32768;
// Files started at most per command; further ones are not opened.
inline constexpr size_t kMaximumShellLaunches = 4;
// Pause after each start, so the windows come up in launch order and cascade.
inline constexpr unsigned kShellLaunchPauseMs = 400;
// The name buffer of a dropped file: a longer path is skipped, never cut.
inline constexpr size_t kShellPathBuffer = 260;

// A file is binary when a zero byte occurs in its first kBinaryTestBytes; an empty file is text.
bool IsBinaryHead(std::string_view head);

// The context-menu flags that get the item: CMF_NORMAL, CMF_VERBSONLY and CMF_EXPLORE do;
// CMF_DEFAULTONLY, CMF_NOVERBS and the like (low bits without 0x06) do not.
bool MenuFlagsTakeItem(unsigned flags);

// The argument of one start of the program: "\"[n]%d[p]%s\"", the launch index and the
// path inside one pair of double quotes, so a path with blanks stays one token.
std::string ShellLaunchParameters(int launchIndex, const std::string& path);

// GetCommandString's texts: the verb (type 0) or the help text (type 1) of a command; null
// for any other type.
const char* ShellCommandString(unsigned command, unsigned type);

// The server path names the extension: its last bytes are "pellum.dll" in any case.
bool NamesShellExtensionFile(const std::string& serverPath);

}  // namespace zelvo
