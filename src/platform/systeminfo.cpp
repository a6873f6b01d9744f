#include "systeminfo.h"

#include "fileio.h"
#include "memory.h"

namespace velmora::platform {

std::uint64_t RealSystemInfo::totalPhysicalMemory() const
{
    return platform::totalPhysicalMemory();
}

std::string RealSystemInfo::currentDirectory() const
{
    return platform::currentDirectory();
}

} // namespace velmora::platform
