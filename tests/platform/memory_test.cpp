// The machine's memory, by the rules in tests/data/system-rules.tsv.

#include "platform/memory.h"
#include "support/rowname.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

VELMORA_RULES(Meminfo, GivesTotalBytes, "system-rules.tsv", "meminfo", 3)
{
    EXPECT_EQ(memTotalFromMeminfo(GetParam()[1]), std::stoull(GetParam()[2]));
}

// A 32-bit kernel counts 32 GB as 8 Mi pages of 4 KiB: the product needs 64 bits.
TEST(Memory, SysinfoProductIsNotTruncatedAndThisMachineHasMemory)
{
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(sysinfoTotalBytes(8388608, 4096), 34359738368ull);
    EXPECT_EQ(sysinfoTotalBytes(kMost / 2, 4), kMost);
    EXPECT_GT(totalPhysicalMemory(), 0u);
}

} // namespace
} // namespace velmora::platform
