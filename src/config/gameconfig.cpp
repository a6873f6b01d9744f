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
    return location;
}

} // namespace velmora::config
