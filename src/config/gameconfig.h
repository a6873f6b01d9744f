#pragma once

// Locating the game's configuration file, once per run: a file named on the command line,
// else the one in the registry's folder that the game reads, else the native Linux build's.

#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform {
class GameLocator;
}

namespace velmora::config {

inline constexpr std::string_view kConfigSuffix = "\\System\\UnrealTournament.ini";
inline constexpr std::string_view kConfigSuffix64 = "\\System64\\UnrealTournament.ini";
inline constexpr std::string_view kFolderNotFoundText =
    "Unable to get tournament folder data from registry";
inline constexpr std::string_view kFolderNotFoundTitle = "Error: Unreal Tournament folder data??";

struct GameConfigRequest {
    std::string iniFile;      // given with --ini: edited instead of looking the game up
    std::string nativeConfig; // the native Linux build's file; empty where there is none
};

struct GameConfigLocation {
    std::string GameFolder;  // the folder exactly as the registry holds it; empty without one
    std::string windowsPath; // GameFolder + "\System\UnrealTournament.ini" (or System64), as built
    std::string Utpath;      // that path on this system: the file every read and write opens
    std::string why;         // how the file was chosen, for the window to say
};

// The game's configuration file, or nullopt when none can be used (the caller shows
// kFolderNotFoundText and ends the program). A file given in `request` is used when its
// folder exists, whether or not the file does. Otherwise the registry's folder is used as
// stored (no separator added or removed): System64's file when it is the only one there or
// the one written last, else System's, which need not exist. Without a registry folder, the
// native build's file is used when it exists.
std::optional<GameConfigLocation> locateGameConfig(const platform::GameLocator& locator,
                                                   const GameConfigRequest& request = {});

// Why the file named with --ini cannot be edited ("it is a folder", "its folder does not
// exist", ...), or empty text when it can: its folder exists, whether or not the file does.
std::string iniFileProblem(const std::string& path);

// Where the native Linux build keeps its settings under `home`; empty on Windows or without
// a home folder.
std::string nativeGameConfig(const std::string& home);

} // namespace velmora::config
