#include "platform/meminfo.h"
#include "platform/memory.h"
#include "platform/systeminfo.h"
#include "support/rowname.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();

struct MeminfoRow {
    const char* name;
    std::string_view text;
    std::uint64_t expected;
};

const MeminfoRow kMeminfoRows[] = {
    {.name = "above_4_gb_not_truncated",
     .text = "MemTotal: 67108864 kB\n",
     .expected = 68719476736ull},
    {.name = "above_2_tb",
     .text = "MemFree: 1 kB\nMemTotal: 3221225472 kB",
     .expected = 3221225472ull * 1024},
    {.name = "no_unit_is_bytes", .text = "MemTotal: 5000000000\n", .expected = 5000000000ull},
    {.name = "missing_line", .text = "MemFree: 1024 kB\n", .expected = 0},
    {.name = "not_a_number", .text = "MemTotal: lots kB\n", .expected = 0},
    {.name = "unknown_unit", .text = "MemTotal: 1024 MB\n", .expected = 0},
    {.name = "overflows_64_bits", .text = "MemTotal: 18014398509481984 kB\n", .expected = 0},
};

class Meminfo : public testing::TestWithParam<MeminfoRow> {};

TEST_P(Meminfo, GivesTotalBytes)
{
    EXPECT_EQ(memTotalFromMeminfo(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Memory, Meminfo, testing::ValuesIn(kMeminfoRows), test::RowName());

// A 32-bit kernel counts 32 GB as 8 Mi pages of 4 KiB: the product needs 64 bits.
TEST(Memory, SysinfoProductIsNotTruncated)
{
    EXPECT_EQ(sysinfoTotalBytes(8388608, 4096), 34359738368ull);
    EXPECT_EQ(sysinfoTotalBytes(kMost / 2, 4), kMost);
}

TEST(Memory, ThisMachineReportsItsMemory)
{
    EXPECT_GT(totalPhysicalMemory(), 0u);
}

} // namespace
} // namespace velmora::platform
