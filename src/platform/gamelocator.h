#pragma once

// Finding the game: the `Folder` value of its registry key, and the path on this system of
// a Windows path inside its installation. On Windows the real registry is read and paths
// are used as they are; on Linux a Wine or Proton prefix's `system.reg` is read and paths
// are mapped through the prefix's drive links.

#include <memory>
#include <string>

namespace velmora::platform {

// The registry key that holds the game's folder, under HKEY_LOCAL_MACHINE.
inline constexpr const char* kGameRegistryKey =
    "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
inline constexpr const char* kGameRegistryValue = "Folder";

class GameLocator {
public:
    virtual ~GameLocator() = default;

    // The game's folder exactly as the registry holds it (REG_SZ up to its first NUL; a one-
    // or two-byte REG_BINARY as a signed decimal number); empty text when the key or value is
    // missing, of another type, or the registry cannot be read.
    virtual std::string gameFolder() const = 0;

    // The path to open on this system for `windowsPath`, a path inside the game's
    // installation as the registry names it. Identity on Windows. Under Wine a Unix path keeps
    // its folders and gets '/' for each backslash; empty text when it cannot be mapped.
    virtual std::string localPath(const std::string& windowsPath) const = 0;
};

// The locator of this system: the real registry on Windows; on Linux the Wine prefix named
// by WINEPREFIX, or else ~/.wine and the game's Proton prefixes in the Steam libraries.
std::unique_ptr<GameLocator> makeSystemGameLocator();

} // namespace velmora::platform
