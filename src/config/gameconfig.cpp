#include "gameconfig.h"

#include "platform/gamelocator.h"

namespace velmora::config {

std::optional<GameConfigLocation> locateGameConfig(const platform::GameLocator& locator)
{
    GameConfigLocation location;
    location.GameFolder = locator.gameFolder();
    if (location.GameFolder.empty())
        return std::nullopt;
    location.windowsPath = location.GameFolder + std::string(kConfigSuffix);
    location.Utpath = locator.localPath(location.windowsPath);
    // A folder the prefix cannot map (no drive link, a network path) is as good as none:
    // opening the text as given would create a stray file in the current folder.
    if (location.Utpath.empty())
        return std::nullopt;
    return location;
}

} // namespace velmora::config
