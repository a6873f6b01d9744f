#pragma once

// The game-folder lookup on Linux: which Wine prefixes may hold the game, its registry entry
// in a prefix's `system.reg`, and the Unix path of a Windows path inside a prefix. Every
// input (environment value, home folder, prefix root) is an argument, so tests need no real
// environment. Paths here are UTF-8, as Wine names files on Unix.

#include "gamelocator.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform::wine {

inline constexpr std::string_view kSteamAppId = "13240";

// The library folders named in the text of Steam's `libraryfolders.vdf` (every "path" entry,
// and the bare numbered entries of the older layout), in the file's order.
std::vector<std::string> steamLibrariesFromVdf(std::string_view vdfText);

// Prefixes to search, in order: only `winePrefix` when it is given and not empty; otherwise
// `home`/.wine, then the game's Proton prefix in each existing Steam library (the usual Steam
// folders under `home`, then the libraries their `libraryfolders.vdf` lists), each once.
std::vector<std::string> candidatePrefixes(std::optional<std::string_view> winePrefix,
                                           std::string_view home);

// The game's registry entry as read from one prefix.
struct GameFolderEntry {
    std::string prefix;
    std::string folder;     // code page 1252 bytes: what the game's ANSI calls see
    std::string folderUtf8; // the same text before conversion, to find the folder on disk
};

// The `Folder` value from the text of a `system.reg`: the game's key under
// Software\Wow6432Node first (where its 32-bit installer writes in a 64-bit prefix, and what
// the game sees there), then under Software. Empty when neither gives text.
GameFolderEntry gameFolderFromSystemReg(std::string_view systemReg);

// The first prefix in `prefixes` whose `system.reg` names the game's folder; nullopt when none.
std::optional<GameFolderEntry> findGameFolder(const std::vector<std::string>& prefixes);

// The Unix path of `windowsPath` (UTF-8) in `prefix`: the drive letter through the link in
// `dosdevices`, then each component, matched without regard to case when the exact name does
// not exist; repeated separators count once. A path starting with '/' is already a Unix path.
// Empty when the path cannot be mapped (no drive link, a relative or network path).
std::string unixPathInPrefix(std::string_view prefix, std::string_view windowsPath);

// GameLocator over Wine prefixes. gameFolder() re-reads the registry files each time and
// remembers the prefix that answered; localPath() maps through that prefix (searching first
// when gameFolder() has not answered yet) and gives empty text when the path cannot be mapped.
class WineGameLocator final : public GameLocator {
public:
    explicit WineGameLocator(std::vector<std::string> prefixes);

    std::string gameFolder() const override;
    std::string localPath(const std::string& windowsPath) const override;

    // The prefix whose registry answered last; empty when none did.
    std::string answeringPrefix() const;

private:
    std::vector<std::string> m_prefixes;
    mutable std::optional<GameFolderEntry> m_entry;
};

} // namespace velmora::platform::wine
