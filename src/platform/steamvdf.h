#pragma once

// Steam's `libraryfolders.vdf`: which library folders it names.

#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform::wine {

// The library folders named in the text of Steam's `libraryfolders.vdf` (every "path" entry,
// and the bare numbered entries of the older layout), in the file's order.
std::vector<std::string> steamLibrariesFromVdf(std::string_view vdfText);

} // namespace velmora::platform::wine
