// The program's side of the Explorer entry "Edit with Zelvo": the keys under
// HKEY_CLASSES_ROOT that make the shell load pellum.dll, written, tested and removed
// without loading the library. The library's own registration uses the same key helpers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zelvo {

// A string value of a key: the key is opened with full access and at most 512 bytes are
// read. Nothing when the key or value is missing or is no string.
std::optional<std::string> ReadKeyString(HKEY root, const std::string& key, const char* valueName);
// Creates the key when needed and stores a REG_SZ of at most 511 bytes plus its zero; a
// longer value is not written (false), rather than cut.
bool WriteKeyString(HKEY root, const std::string& key, const char* valueName, const std::string& value);
// Deletes a key with everything below it. False when the key could not be opened or deleted.
bool DeleteKeyTree(HKEY root, const std::string& key);

// The handler key names our class id, the server key names an existing "pellum.dll" and
// its threading model is "Apartment".
bool IsShellExtensionRegistered();

// Adds (the keys naming "pellum.dll" of appFolder) or removes (every handler naming our
// class id, whatever its key name, and the class key) the context-menu entry; then
// "Shell"/"Tried" := 1. Failures are silent.
void SetShellExtension(bool enable, const std::string& appFolder);

}  // namespace zelvo
