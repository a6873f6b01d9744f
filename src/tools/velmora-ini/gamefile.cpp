#include "gamefile.h"

#include "config/gameconfig.h"
#include "platform/gamelocator.h"

namespace velmora::tools {

std::optional<std::string> findGameFile()
{
    const auto locator = platform::makeSystemGameLocator();
    const auto location = config::locateGameConfig(*locator);
    if (!location) {
        return std::nullopt;
    }
    return location->Utpath;
}

} // namespace velmora::tools
