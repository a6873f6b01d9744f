#include "backup.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace velmora::backup {

std::string defaultBackupFolder()
{
    // A relative XDG_STATE_HOME is to be ignored, as the base directory rules say.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/velmora/backups";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] == '\0') {
        return {};
    }
    return std::string(home) + "/.local/state/velmora/backups";
}

} // namespace velmora::backup
