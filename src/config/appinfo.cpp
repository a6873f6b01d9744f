#include "appinfo.h"

namespace velmora::config {

std::string versionText()
{
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

} // namespace velmora::config
