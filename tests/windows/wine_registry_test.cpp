// The Win32 registry lookup over the keys that `wine reg add` wrote into the test prefix
// (tests/data/wine-registry.tsv; written by wine-registry-setup.sh before these tests run).

#include "datatable.h"
#include "platform/gamelocator.h"
#include "platform/registry_win.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

struct PrefixRow {
    std::string name, key, value, win32;
};

using test::PrintTo;

std::vector<PrefixRow> prefixRows()
{
    std::vector<PrefixRow> rows;
    for (auto& f : test::readTable(VELMORA_TESTDATA "/wine-registry.tsv", "reg", 8)) {
        rows.push_back({f[0], f[2], f[3], f[6] == "(empty)" ? std::string() : f[6]});
    }
    return rows;
}

class WineRegistryTest : public ::testing::TestWithParam<PrefixRow> {};

TEST_P(WineRegistryTest, win32_lookup_finds_the_value)
{
    const auto& row = GetParam();
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, row.key, row.value), row.win32);
}

INSTANTIATE_TEST_SUITE_P(Table, WineRegistryTest, ::testing::ValuesIn(prefixRows()),
                         test::RowName());

TEST(WineRegistryGameKey, system_locator_finds_the_32bit_installers_folder)
{
    const auto locator = makeSystemGameLocator();
    const std::string ini = "C:\\Games\\UnrealTournament\\System\\UnrealTournament.ini";
    EXPECT_EQ(locator->gameFolder(), "C:\\Games\\UnrealTournament");
    EXPECT_EQ(locator->localPath(ini), ini);
}

} // namespace
} // namespace velmora::platform
