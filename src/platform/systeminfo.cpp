#include "systeminfo.h"

#include "fileio.h"
#include "memory.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora::platform {

std::uint64_t RealSystemInfo::totalPhysicalMemory() const
{
    return platform::totalPhysicalMemory();
}

std::string RealSystemInfo::currentDirectory() const
{
    return platform::currentDirectory();
}

bool runningUnderWine()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

} // namespace velmora::platform
