#include "backup.h"

#include <cstdlib>

namespace velmora::backup {

std::string defaultBackupFolder()
{
    const char* local = std::getenv("LOCALAPPDATA");
    if (local == nullptr || local[0] == '\0') {
        return {};
    }
    return std::string(local) + "\\Velmora\\backups";
}

} // namespace velmora::backup
