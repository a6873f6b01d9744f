#pragma once

// The game's configuration file, found the way the window program finds it without --ini
// (config::locateGameConfig): in the registry's game folder (a Wine or Proton prefix on Linux),
// System64's file or System's, else the native Linux game's own file.

#include <optional>
#include <string>

namespace velmora::tools {

// The file's path on this system, or nullopt when neither names a file to use.
std::optional<std::string> findGameFile();

} // namespace velmora::tools
