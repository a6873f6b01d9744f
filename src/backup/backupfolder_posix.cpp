#include "backup.h"
#include "platform/systeminfo.h"

#include <cstdlib>

namespace velmora::backup {

std::string defaultBackupFolder()
{
    // A relative XDG_STATE_HOME is to be ignored, as the base directory rules say.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/velmora/backups";
    }
    const std::string home = platform::homeFolder();
    return home.empty() ? std::string() : home + "/.local/state/velmora/backups";
}

} // namespace velmora::backup
