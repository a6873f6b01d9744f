// The Linux lookup over the system.reg that `wine reg add` wrote in WINEPREFIX.

#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "platform/registry_text.h"
#include "support/datatable.h"
#include "support/rowname.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;
using PrefixRow = test::WineRegistryRow;

std::vector<PrefixRow> prefixRows()
{
    return test::wineRegistryRows(VELMORA_WINE_REGISTRY_TABLE);
}

std::string prefixFolder()
{
    const char* prefix = std::getenv("WINEPREFIX");
    return prefix != nullptr ? prefix : "";
}

class WineRegistryLinuxLookup : public ::testing::TestWithParam<PrefixRow> {};

// Wow6432Node first, as the game's lookup does.
TEST_P(WineRegistryLinuxLookup, FindsTheValueInSystemReg)
{
    static const auto hive = [] {
        const auto text = readWholeFile(prefixFolder() + "/system.reg");
        return text ? RegistryHive::parse(*text) : std::nullopt;
    }();
    ASSERT_TRUE(hive.has_value()) << "no readable system.reg in WINEPREFIX " << prefixFolder();
    const auto& row = GetParam();
    ASSERT_TRUE(row.key.starts_with("Software\\"));
    const std::string wow = "Software\\Wow6432Node\\" + row.key.substr(9);
    std::string found = ReadRegistryString(*hive, wow, row.value);
    EXPECT_EQ(found.empty() ? ReadRegistryString(*hive, row.key, row.value) : found, row.linux);
}

INSTANTIATE_TEST_SUITE_P(Table, WineRegistryLinuxLookup, ::testing::ValuesIn(prefixRows()),
                         test::RowName());

TEST(WineRegistryLinuxGameKey, SystemLocatorFindsThe32bitInstallersFolder)
{
    ASSERT_FALSE(prefixFolder().empty()) << "WINEPREFIX names the test prefix";
    EXPECT_EQ(makeSystemGameLocator()->gameFolder(), "C:\\Games\\UnrealTournament");
}

} // namespace
} // namespace velmora::platform
