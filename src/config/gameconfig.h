#pragma once

// Locating the game's configuration file from its registry entry, once per run.

#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform {
class GameLocator;
}

namespace velmora::config {

inline constexpr std::string_view kConfigSuffix = "\\System\\UnrealTournament.ini";
inline constexpr std::string_view kFolderNotFoundText =
    "Unable to get tournament folder data from registry";
inline constexpr std::string_view kFolderNotFoundTitle = "Error: Unreal Tournament folder data??";

struct GameConfigLocation {
    std::string GameFolder;  // the folder exactly as the registry holds it
    std::string windowsPath; // GameFolder + "\System\UnrealTournament.ini", as built
    std::string Utpath;      // that path on this system: the file every read and write opens
};

// The game's configuration file, or nullopt when the registry names no folder, or one that
// has no path on this system (the caller
// shows kFolderNotFoundText and ends the program). The folder is used as stored: no
// separator is added or removed, and nothing is checked for existence.
std::optional<GameConfigLocation> locateGameConfig(const platform::GameLocator& locator);

} // namespace velmora::config
