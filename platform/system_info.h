// Facts about the running system that the core asks for.
#pragma once

#include <string>

namespace zelvo {

// The code page in which the process reads multibyte text: GetACP() on Windows; 936 on
// other systems. A test may set another.
int SystemCodePage();
void SetSystemCodePageForTests(int codePage);  // 0 restores the system's own

// Windows NT family (GetVersionExA platform id 2); true on POSIX.
bool IsNtPlatform();
// GetUserDefaultLangID / GetSystemDefaultLangID; 1033 on POSIX unless set.
int UserDefaultLanguageId();
int SystemDefaultLanguageId();

}  // namespace zelvo
