// The Win32 registry lookup over the keys that `wine reg add` wrote into the test prefix
// (tests/data/wine-registry.tsv; written by wine-registry-setup.sh before these tests run).

#include "platform/gamelocator.h"
#include "platform/registry_win.h"
#include "support/datatable.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;
using PrefixRow = test::WineRegistryRow;

std::vector<PrefixRow> prefixRows()
{
    return test::wineRegistryRows(VELMORA_TESTDATA "/wine-registry.tsv");
}

class WineRegistryTest : public ::testing::TestWithParam<PrefixRow> {};

TEST_P(WineRegistryTest, Win32LookupFindsTheValue)
{
    const auto& row = GetParam();
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, row.key, row.value), row.win32);
}

INSTANTIATE_TEST_SUITE_P(Table, WineRegistryTest, ::testing::ValuesIn(prefixRows()),
                         test::RowName());

TEST(WineRegistryGameKey, SystemLocatorFindsThe32bitInstallersFolder)
{
    const auto locator = makeSystemGameLocator();
    const std::string ini = "C:\\Games\\UnrealTournament\\System\\UnrealTournament.ini";
    EXPECT_EQ(locator->gameFolder(), "C:\\Games\\UnrealTournament");
    EXPECT_EQ(locator->localPath(ini), ini);
}

} // namespace
} // namespace velmora::platform
