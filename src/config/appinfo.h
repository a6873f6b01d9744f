#pragma once

#include "product.h"

#include <string>
#include <string_view>

namespace velmora::config {

inline constexpr std::string_view kAppTitle = VELMORA_TITLE;
inline constexpr int kVersionMajor = VELMORA_VERSION_MAJOR;
inline constexpr int kVersionMinor = VELMORA_VERSION_MINOR;
inline constexpr int kVersionRevision = VELMORA_VERSION_PATCH;

// "Version 1.0.0"
std::string versionText();

} // namespace velmora::config
