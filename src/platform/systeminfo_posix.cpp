#include "systeminfo.h"

namespace velmora::platform {

// Wine runs Windows programs only; this build is not one.
bool runningUnderWine()
{
    return false;
}

} // namespace velmora::platform
