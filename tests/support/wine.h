#pragma once

// Telling Wine from Windows, for the few results where Wine is known to differ from Windows.

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora::test {

// True when the test runs under Wine (its ntdll exports wine_get_version); false on Windows
// and on every other system.
inline bool runningUnderWine()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

} // namespace velmora::test
