// The system facts of the language services, asked of Windows.
#pragma once

namespace zelvo {

// CannotShowEastAsian with the system default language, the platform and the Windows
// folder's win.ini of this system.
bool CannotShowEastAsianHere();

// The system has at least one font family of the Windows character set.
bool SystemHasFontOfCharset(int charset);

}  // namespace zelvo
