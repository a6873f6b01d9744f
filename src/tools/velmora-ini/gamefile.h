#pragma once

// The game's configuration file, found the way Velmora finds it: the registry's game folder
// (a Wine or Proton prefix on Linux) followed by "\System\UnrealTournament.ini".

#include <optional>
#include <string>

namespace velmora::tools {

// The file's path on this system, or nullopt when the registry names no game folder.
std::optional<std::string> findGameFile();

} // namespace velmora::tools
