#include "gamefile.h"

#include "config/gameconfig.h"
#include "platform/gamelocator.h"
#include "platform/systeminfo.h"

namespace velmora::tools {

std::optional<std::string> findGameFile()
{
    const auto locator = platform::makeSystemGameLocator();
    const auto location =
        config::locateGameConfig(*locator, {{}, config::nativeGameConfig(platform::homeFolder())});
    if (!location) {
        return std::nullopt;
    }
    return location->Utpath;
}

} // namespace velmora::tools
