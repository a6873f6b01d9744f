#include "systeminfo.h"

#include <cstdlib>
#include <windows.h>

namespace velmora::platform {

bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string homeFolder()
{
    const char* profile = std::getenv("USERPROFILE");
    return profile != nullptr ? profile : std::string();
}

} // namespace velmora::platform
