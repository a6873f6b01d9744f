#pragma once

#include "product.h"

#include <string>
#include <string_view>

namespace velmora::config {

inline constexpr std::string_view kAppTitle = VELMORA_TITLE;

// "Version " and the project's version, e.g. "Version 1.1.0"
std::string versionText();

// The title and the major and minor version, e.g. "Velmora 1.1": the about box's banner.
std::string bannerText();

} // namespace velmora::config
