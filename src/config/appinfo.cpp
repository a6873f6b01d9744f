#include "appinfo.h"

#include "version.h"

namespace velmora::config {

std::string versionText()
{
    return "Version " + std::string(kVersion);
}

std::string bannerText()
{
    return std::string(kAppTitle) + " " + std::string(kVersion.substr(0, kVersion.rfind('.')));
}

} // namespace velmora::config
