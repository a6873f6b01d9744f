#include "appinfo.h"

#include "version.h"

namespace velmora::config {

std::string versionText()
{
    return "Version " + std::string(kVersion);
}

} // namespace velmora::config
