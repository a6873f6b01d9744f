// On Linux the system's profile functions are the portable engine.

#include "profile.h"

namespace velmora::platform {

std::string getProfileString(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize)
{
    return portable::getProfileString(path, section, key, defaultValue, bufferSize);
}

WriteOutcome writeProfileString(const std::string& path, std::string_view section,
                                std::string_view key, std::string_view value)
{
    return portable::writeProfileString(path, section, key, value);
}

} // namespace velmora::platform
