#pragma once

// The figures and texts of the main window that are not about widgets: the memory detection,
// the status-bar panel texts and the cache-size bound.

#include "config/catalogue.h"
#include "config/readmodule.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::config {

// The game keeps CacheSizeMegs as a 32-bit signed count of megabytes and turns it into bytes
// in 32-bit arithmetic, so 2048 overflows; a 32-bit game has 2 GB of address space in all.
inline constexpr std::int64_t kGameCacheMaxMb = 2047;
inline constexpr std::int64_t kSuggestedCacheMaxMb = 512;

struct MemoryFigures {
    std::int64_t detectedMb = 0;       // the memory, as panel 4 shows it
    std::int64_t suggestedCacheMb = 0; // three quarters of the memory, at most 512
};

// Both figures from the total physical memory in bytes, each rounded to the nearest whole
// megabyte (a half to the even neighbour). Wide integers: 16 GB gives 16384 and 512.
MemoryFigures memoryFigures(std::uint64_t totalBytes);

// The largest cache size the field takes: the memory, at most kGameCacheMaxMb.
std::int64_t cacheLimitMb(std::int64_t detectedMb);

// Whether the cache-size field holds a number at all: blanks alone count as empty.
bool cacheSizeGiven(std::string_view text);
// `number` with one leading blank when it is not negative (" 96"), as the cache-size field
// shows the suggestion.
std::string blankSignedNumber(std::int64_t number);

// Panel 4: " 128Mb".
std::string memoryPanelText(std::int64_t detectedMb);

// Panel 6: the cache size exactly as read between " " and "Mb" (" 32Mb", " DefaultMb").
std::string cachePanelText(std::string_view cacheSizeMegs);

// Panel 2: "width x height". A value that is a whole number shows as that number ("0800"
// shows as 800); any other text, such as "Default" for a missing key, shows as read.
std::string resolutionPanelText(std::string_view width, std::string_view height);

// The number at the start of the cache-size field: blanks before it are skipped and reading
// stops at the first character that is not a digit; empty or non-numeric text is 0. Digits
// beyond the range of the result saturate, so an absurd entry is still above any bound.
std::int64_t cacheSizeValue(std::string_view text);

// "Memory value u specified is too large, maximum=128 Mb", naming cacheLimitMb.
std::string cacheTooLargeText(std::int64_t limitMb);

// The nine writes of `preset` in write order, each into its section of a file naming
// `sections`; Coronas into the empty section, which no write takes, when it names no device.
std::vector<GameWrite> presetWrites(Preset preset, const GameSections& sections);

// Writes `preset` into `file` through `module`. A file that is missing, has gone since it was
// read or cannot be read is reported as such rather than as a file without a device; a refused
// write stops the preset before its first write, a failed one at that write.
platform::WriteOutcome writePreset(ReadModule& module, Preset preset, const std::string& file);

} // namespace velmora::config
