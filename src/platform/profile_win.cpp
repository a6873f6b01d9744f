// The system's profile functions on Windows: reads are GetPrivateProfileStringA's, writes the
// portable engine's.

#include "fileio.h"
#include "profile.h"
#include "win32util.h"

#include <algorithm>
#include <limits>
#include <vector>
#include <windows.h>

namespace velmora::platform {
namespace {

// The profile functions look for a name without a folder in the Windows directory; the
// program means its current directory, as the portable engine does.
std::string resolved(const std::string& path)
{
    return fullPathName(path, currentDirectory());
}

} // namespace

std::string getProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize)
{
    if (bufferSize == 0) {
        return {};
    }
    const auto size =
        static_cast<DWORD>(std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max()));
    std::vector<char> buffer(size, '\0');
    const DWORD length = GetPrivateProfileStringA(
        std::string(section).c_str(), std::string(key).c_str(), std::string(defaultValue).c_str(),
        buffer.data(), size, resolved(path).c_str());
    return std::string(buffer.data(), std::min(length, size - 1));
}

// Writes take the portable engine on Windows too: WritePrivateProfileStringA edits the file in
// place, so a full disk leaves it cut short (under Wine even reported as success), and Wine
// rewrites every line. The portable engine leaves the bytes Windows leaves and replaces the
// file atomically.
WriteOutcome writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value)
{
    return portable::writeProfileString(resolved(path), section, key, value);
}

} // namespace velmora::platform
