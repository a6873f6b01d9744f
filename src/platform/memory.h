#pragma once

#include <cstdint>

namespace velmora::platform {

// The machine's total physical memory in bytes; 0 when it cannot be learned.
std::uint64_t totalPhysicalMemory();

} // namespace velmora::platform
