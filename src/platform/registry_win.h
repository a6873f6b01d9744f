#pragma once

// The Windows registry lookup behind the Windows GameLocator.

#include <string>
#include <windows.h>

namespace velmora::platform {

// The text of value `name` of the open key `key`: a REG_SZ up to its first NUL (all of it
// when it has none); a REG_BINARY of one or two bytes as the little-endian 16-bit signed
// number in decimal; empty text for any other type or length, a null key, a missing value or
// a failed read.
std::string QueryRegistryValue(HKEY key, const std::string& name);

// QueryRegistryValue of `path` under `root`, looked up in the 64-bit view of the registry
// first and, when that gives empty text, in the 32-bit view, where the game's 32-bit
// installer writes on 64-bit Windows (HKLM\Software\Wow6432Node).
std::string ReadRegistryString(HKEY root, const std::string& path, const std::string& name);

} // namespace velmora::platform
