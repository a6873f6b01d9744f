#pragma once

// The machine's physical memory, and on Linux the pure steps that learn it, which tests feed.

#include <cstdint>
#include <string_view>

namespace velmora::platform {

// The machine's total physical memory in bytes; 0 when it cannot be learned.
std::uint64_t totalPhysicalMemory();

// The MemTotal line of /proc/meminfo text in bytes; 0 when it is missing, malformed or does
// not fit in 64 bits.
std::uint64_t memTotalFromMeminfo(std::string_view meminfo);

// sysinfo()'s totalram times mem_unit in 64 bits (both fields are narrower than that on
// 32-bit systems, where the product overflows); saturates instead of wrapping.
std::uint64_t sysinfoTotalBytes(std::uint64_t totalRam, std::uint64_t memUnit);

} // namespace velmora::platform
