#include "platform/meminfo.h"
#include "platform/memory.h"
#include "support/rowname.h"

#include <cstdint>
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
    {.name = "sixteen_gigabytes",
     .text = "MemTotal:       16308408 kB\nMemFree:         1203344 kB\n",
     .expected = 16308408ull * 1024},
    {.name = "above_4_gb_not_truncated",
     .text = "MemTotal: 67108864 kB\n",
     .expected = 68719476736ull},
    {.name = "above_2_tb",
     .text = "MemFree: 1 kB\nMemTotal: 3221225472 kB",
     .expected = 3221225472ull * 1024},
    {.name = "no_unit_is_bytes", .text = "MemTotal: 5000000000\n", .expected = 5000000000ull},
    {.name = "crlf_line", .text = "MemTotal: 1024 kB\r\n", .expected = 1048576ull},
    {.name = "missing_line", .text = "MemFree: 1024 kB\n", .expected = 0},
    {.name = "label_inside_a_line", .text = "XMemTotal: 1024 kB\n", .expected = 0},
    {.name = "not_a_number", .text = "MemTotal: lots kB\n", .expected = 0},
    {.name = "unknown_unit", .text = "MemTotal: 1024 MB\n", .expected = 0},
    {.name = "overflows_64_bits", .text = "MemTotal: 18014398509481984 kB\n", .expected = 0},
    {.name = "empty", .text = "", .expected = 0},
};

class Meminfo : public testing::TestWithParam<MeminfoRow> {};

TEST_P(Meminfo, GivesTotalBytes)
{
    EXPECT_EQ(memTotalFromMeminfo(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Memory, Meminfo, testing::ValuesIn(kMeminfoRows), test::RowName());

struct SysinfoRow {
    const char* name;
    std::uint64_t totalRam;
    std::uint64_t memUnit;
    std::uint64_t expected;
};

const SysinfoRow kSysinfoRows[] = {
    {.name = "bytes", .totalRam = 8589934592ull, .memUnit = 1, .expected = 8589934592ull},
    // A 32-bit kernel counts 32 GB as 8 Mi pages of 4 KiB; the product needs 64 bits.
    {.name = "pages_above_4_gb", .totalRam = 8388608, .memUnit = 4096, .expected = 34359738368ull},
    {.name = "saturates", .totalRam = kMost / 2, .memUnit = 4, .expected = kMost},
};

class Sysinfo : public testing::TestWithParam<SysinfoRow> {};

TEST_P(Sysinfo, MultipliesIn64Bits)
{
    EXPECT_EQ(sysinfoTotalBytes(GetParam().totalRam, GetParam().memUnit), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Memory, Sysinfo, testing::ValuesIn(kSysinfoRows), test::RowName());

TEST(Memory, ThisMachineReportsItsMemory)
{
    EXPECT_GT(totalPhysicalMemory(), 0u);
}

} // namespace
} // namespace velmora::platform
