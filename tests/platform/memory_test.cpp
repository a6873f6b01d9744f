#include "platform/memory.h"
#include "support/rowname.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;

struct MeminfoRow {
    const char* name;
    std::string_view text;
    std::uint64_t expected;
};

const MeminfoRow kMeminfoRows[] = {
    {"above_4_gb_not_truncated", "MemTotal: 67108864 kB\n", 68719476736ull},
    {"above_2_tb_after_other_lines", "MemFree: 1 kB\nMemTotal: 3221225472 kB", 3298534883328ull},
    {"no_unit_is_bytes", "MemTotal: 5000000000\n", 5000000000ull},
    {"missing_line", "MemFree: 1024 kB\n", 0},
    {"not_a_number", "MemTotal: lots kB\n", 0},
    {"unknown_unit", "MemTotal: 1024 MB\n", 0},
    {"overflows_64_bits", "MemTotal: 18014398509481984 kB\n", 0},
};

class Meminfo : public testing::TestWithParam<MeminfoRow> {};

TEST_P(Meminfo, GivesTotalBytes)
{
    EXPECT_EQ(memTotalFromMeminfo(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Memory, Meminfo, testing::ValuesIn(kMeminfoRows), test::RowName());

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
