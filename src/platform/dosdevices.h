#pragma once

// Windows paths inside a Wine prefix as Unix paths, through the prefix's `dosdevices` links.
// Paths are UTF-8, as Wine names files on Unix.

#include <string>
#include <string_view>

namespace velmora::platform::wine {

// The Unix path of `windowsPath` (UTF-8) in `prefix`: the drive letter through the link in
// `dosdevices`, then each component, matched without regard to case when the exact name does
// not exist; repeated separators count once. A path starting with '/' is already a Unix path.
// Empty when the path cannot be mapped (no drive link, a relative or network path).
std::string unixPathInPrefix(std::string_view prefix, std::string_view windowsPath);

} // namespace velmora::platform::wine
