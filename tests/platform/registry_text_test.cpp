// The Wine registry reader, by the rules in tests/data/registry-rules.tsv.

#include "platform/gamelocator_wine.h"
#include "platform/registry_text.h"
#include "support/datatable.h"
#include "support/rowname.h"

#include <string>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

const std::string kRules = VELMORA_TESTDATA "/registry-rules.tsv";

// clang-format off
const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
const std::string kKey = "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1720000000 0\n#time=1dacd2de7618000\n";
// clang-format on

// Value lines under the game's key, and the text the game's ANSI call gets.
class RegistryValueRule : public testing::TestWithParam<test::TableRow> {};

TEST_P(RegistryValueRule, GivesTheTextTheGameSees)
{
    const auto hive = RegistryHive::parse(kHead + kKey + GetParam()[1] + "\n");
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(ReadRegistryString(*hive, kGameRegistryKey, kGameRegistryValue), GetParam()[2]);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryValueRule,
                         testing::ValuesIn(test::readTable(kRules, "value", 3)),
                         test::TableRowName());

// Whole system.reg texts and the game folder found in them.
class RegistryFile : public testing::TestWithParam<test::TableRow> {};

TEST_P(RegistryFile, GivesTheGameFolder)
{
    EXPECT_EQ(wine::gameFolderFromSystemReg(GetParam()[1]).folder, GetParam()[2]);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryFile,
                         testing::ValuesIn(test::readTable(kRules, "file", 3)),
                         test::TableRowName());

TEST(RegistryHive, ReadsEveryValueOfAWineWrittenHive)
{
    const auto hive = RegistryHive::parse(
        kHead + "[Software\\\\Classes\\\\.txt] 1579782946 8976280\n#time=1d5d1e9a2f6f498\n"
                "@=\"txtfile\"\n\"Content Type\"=\"text/plain\"\n\n"
                "[Software\\\\Classes\\\\txtfile\\\\shell\\\\open\\\\command]\n"
                "@=\"\\\"%SystemRoot%\\\\system32\\\\notepad.exe\\\" %1\"\n\n"
                "[Software\\\\Classes\\\\Link] 1579782946\n#link\n"
                "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00\n"
                "\"FilterData\"=hex:02,00,00,00,00,00,20,00,\\\n  02,00,00,00\n"
                "\"Count\"=dword:0000001e\n");
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(hive->valueCount(), 6u);
    EXPECT_EQ(ReadRegistryString(*hive, "software\\classes\\txtfile\\shell\\open\\command", ""),
              "\"%SystemRoot%\\system32\\notepad.exe\" %1");
}

} // namespace
} // namespace velmora::platform
