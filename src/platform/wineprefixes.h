#pragma once

// Which Wine prefixes may hold the game on Linux: WINEPREFIX, ~/.wine and the game's Proton
// prefix in each Steam library. Every input is an argument, so tests need no real environment.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::platform::wine {

inline constexpr std::string_view kSteamAppId = "13240";

// Prefixes to search, in order: only `winePrefix` when it is given and not empty; otherwise
// `home`/.wine, then the game's Proton prefix in each existing Steam library (the usual Steam
// folders under `home`, then the libraries their `libraryfolders.vdf` lists), each once.
std::vector<std::string> candidatePrefixes(std::optional<std::string_view> winePrefix,
                                           std::string_view home);

} // namespace velmora::platform::wine
