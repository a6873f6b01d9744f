// The Wine registry reader, by the rules in tests/data/registry-rules.tsv.

#include "platform/gamelocator_posix.h"
#include "platform/registry_text.h"
#include "support/rowname.h"

#include <string>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

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
