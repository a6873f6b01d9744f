#include "gamefile.h"

#include "config/gameconfig.h"
#include "platform/gamelocator.h"

#include <cstdlib>

namespace velmora::tools {

std::optional<std::string> findGameFile()
{
    const auto locator = platform::makeSystemGameLocator();
    const char* home = std::getenv("HOME");
    const auto location = config::locateGameConfig(
        *locator, {{}, config::nativeGameConfig(home != nullptr ? home : "")});
    if (!location) {
        return std::nullopt;
    }
    return location->Utpath;
}

} // namespace velmora::tools
