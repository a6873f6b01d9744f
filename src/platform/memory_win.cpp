#include "memory.h"

#include <windows.h>

namespace velmora::platform {

std::uint64_t totalPhysicalMemory()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

} // namespace velmora::platform
