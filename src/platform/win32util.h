#pragma once

// Small Win32 helpers of the file and profile layers: the system's words for an error code,
// and the check that keeps a write off folders and read-only files.

#include <string>
#include <windows.h>

namespace velmora::platform {

// FormatMessageA's text for `code` without its trailing line break and full stop, or
// "error N" when the system has no text for it.
std::string errorText(DWORD code);

// errorText(GetLastError()).
std::string lastErrorText();

// True when `path` is a folder or a file with the read-only attribute, which a write must not
// replace (Wine run as root would).
bool isFolderOrReadOnly(const std::string& path);

} // namespace velmora::platform
