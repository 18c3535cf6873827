// Shell shortcuts (.lnk files): a lib or a file may be reached through one.
#pragma once

#include <string>

namespace zelvo {

// The target path stored in the shortcut file; empty when the file is not a shortcut,
// cannot be read, or the system has no shortcuts.
std::string ResolveShortcut(const std::string& path);

}  // namespace zelvo
