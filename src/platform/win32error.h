#pragma once

// The system's words for a Win32 error code, for the reason of a failed write.

#include <string>
#include <windows.h>

namespace velmora::platform {

// FormatMessageA's text for `code` without its trailing line break and full stop, or
// "error N" when the system has no text for it.
std::string errorText(DWORD code);

// errorText(GetLastError()).
std::string lastErrorText();

} // namespace velmora::platform
