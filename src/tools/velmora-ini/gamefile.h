#pragma once

// The game's configuration file, found the way Velmora finds it: in the registry's game folder
// (a Wine or Proton prefix on Linux), System64's file or System's, else the native Linux game's.

#include <optional>
#include <string>

namespace velmora::tools {

// The file's path on this system, or nullopt when none is found.
std::optional<std::string> findGameFile();

} // namespace velmora::tools
