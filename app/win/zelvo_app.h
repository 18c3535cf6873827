// The Win32 start-up of zelvo.exe: the portable steps of EditorApp, the window class,
// and the main window's modal run.
#pragma once

#include <windows.h>

#include <string>

namespace zelvo {

// Registers "Tolvane_Zelvo" as a copy of the system dialog class, so that the main
// window's template can name it and other instances can find it. True when registered
// (also when it already was).
bool RegisterMainWindowClass(HINSTANCE instance);

// Runs the program to its end; returns the process exit code (0 after the main window
// closed, 1 when start-up ended early).
int RunZelvo(HINSTANCE instance, const std::string& commandTail);

}  // namespace zelvo
