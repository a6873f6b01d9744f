// The platform layer's text rules: code page 1252 and Unicode and the machine's memory, by the
// rules in tests/data/system-rules.tsv, and the Wine registry reader, by those in
// tests/data/registry-rules.tsv.

#include "platform/codepage.h"
#include "platform/gamelocator_posix.h"
#include "platform/memory.h"
#include "platform/registry_text.h"
#include "support/rowname.h"

#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

VELMORA_RULES(CodePage1252, RoundTripsThroughUnicode, "system-rules.tsv", "cp1252", 3)
{
    const auto& [cp1252, utf8] = std::pair(GetParam()[1], GetParam()[2]);
    EXPECT_EQ(utf8FromCp1252(cp1252), utf8);
    EXPECT_EQ(cp1252FromUtf16(utf16FromUtf8(utf8)), cp1252);
    EXPECT_EQ(utf16FromCp1252(cp1252), utf16FromUtf8(utf8));
}

TEST(Unicode, Utf8EdgesAndLettersFoldedAsWineFoldsThem)
{
    EXPECT_EQ(utf16FromUtf8("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(utf8FromUtf16(u"\U00010000\U0010FFFF"), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(foldCase("\xC3\x89\xC4\x80\xD0\x81\xC5\xB8"), "\xC3\xA9\xC4\x81\xD1\x91\xC3\xBF");
}

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

// clang-format off
const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
const std::string kKey = "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1720000000 0\n#time=1dacd2de7618000\n";
// clang-format on

// Value lines under the game's key, and the text the game's ANSI call gets.
VELMORA_RULES(RegistryValueRule, GivesTheTextTheGameSees, "registry-rules.tsv", "value", 3)
{
    const auto hive = RegistryHive::parse(kHead + kKey + GetParam()[1] + "\n");
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(ReadRegistryString(*hive, kGameRegistryKey, kGameRegistryValue), GetParam()[2]);
}

// Whole system.reg texts and the game folder found in them.
VELMORA_RULES(RegistryFile, GivesTheGameFolder, "registry-rules.tsv", "file", 3)
{
    EXPECT_EQ(wine::gameFolderFromSystemReg(GetParam()[1]).folder, GetParam()[2]);
}

VELMORA_RULES(RegistryHiveRule, ReadsAnyValue, "registry-rules.tsv", "hive", 5)
{
    const test::TableRow& row = GetParam();
    const auto hive = RegistryHive::parse(row[1]);
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(ReadRegistryString(*hive, row[2], row[3]), row[4]);
}

// A line too long for any table: passed over, not a crash or a hang.
TEST(HugeRegistry, TenMegabyteLineBeforeTheValueIsPassedOver)
{
    const std::string big = "\"Big\"=\"" + std::string(10U << 20, 'x') + "\"\n";
    EXPECT_EQ(
        wine::gameFolderFromSystemReg(kHead + kKey + big + "\"Folder\"=\"C:\\\\UT\"\n").folder,
        "C:\\UT");
}

} // namespace
} // namespace velmora::platform
