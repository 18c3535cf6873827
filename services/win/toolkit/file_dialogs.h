// The system Open, Save As and colour dialogs, with the program's byte paths and UI-language
// filters.
#pragma once

#include <windows.h>

#include <string>

namespace zelvo {

// Asks for a file name. filter is written as the UI strings write it, pairs of name and
// pattern separated by bars and ended by two ("Text File(*.txt)|*.txt|All Files(*.*)|*.*||"),
// in the UI language's code page; initialFolder and path are system-code-page bytes.
// flags are the OFN_ flags beyond OFN_EXPLORER. False when the user cancelled.
bool AskFileNameWithDialog(HWND owner, bool save, const std::string& filter, const std::string& initialFolder,
                           DWORD flags, std::string& path);

// Asks for a colour with the system colour dialog, starting from color (0x00BBGGRR).
// False when the user cancelled.
bool AskColorWithDialog(HWND owner, int& color);

}  // namespace zelvo
