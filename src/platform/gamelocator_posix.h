#pragma once

// The game-folder lookup on Linux: the game's registry entry in a Wine prefix's `system.reg`,
// and the locator that searches prefixes for it and maps paths through the prefix that
// answered. Paths here are UTF-8, as Wine names files on Unix.

#include "gamelocator.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform::wine {

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

// GameLocator over Wine prefixes. gameFolder() re-reads the registry files each time and
// remembers the prefix that answered; localPath() maps through that prefix (searching first
// when gameFolder() has not answered yet) and gives empty text when the path cannot be mapped.
class WineGameLocator final : public GameLocator {
public:
    explicit WineGameLocator(std::vector<std::string> prefixes);

    std::string gameFolder() const override;
    std::string localPath(const std::string& windowsPath) const override;

private:
    std::vector<std::string> m_prefixes;
    mutable std::optional<GameFolderEntry> m_entry;
};

} // namespace velmora::platform::wine
