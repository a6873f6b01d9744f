#pragma once

#include <string>
#include <string_view>

namespace velmora::config {

inline constexpr std::string_view kAppTitle = "Velmora";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// "Version 1.0.0"
std::string versionText();

} // namespace velmora::config
