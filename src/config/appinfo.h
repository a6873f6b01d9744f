#pragma once

#include "product.h"

#include <string>
#include <string_view>

namespace velmora::config {

inline constexpr std::string_view kAppTitle = VELMORA_TITLE;

// "Version " and the project's version, e.g. "Version 1.1.0"
std::string versionText();

} // namespace velmora::config
