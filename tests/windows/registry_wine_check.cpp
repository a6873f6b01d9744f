// The Linux lookup over a real Wine registry: the system.reg of the prefix in WINEPREFIX,
// after wine-registry-setup.sh wrote the rows of tests/data/wine-registry.tsv into it with
// `wine reg add`. Run by the Windows build's CTest, beside the Win32 lookup of the same keys.

#include "datatable.h"
#include "platform/fileio.h"
#include "platform/gamelocator.h"
#include "platform/registry_text.h"
#include "support/rowname.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

struct PrefixRow {
    std::string name, view, key, value, linux;
    friend void PrintTo(const PrefixRow& row, std::ostream* out) { *out << row.name; }
};

std::vector<PrefixRow> prefixRows()
{
    std::vector<PrefixRow> rows;
    for (auto& f : test::readTable(VELMORA_WINE_REGISTRY_TABLE, "reg", 8)) {
        rows.push_back({f[0], f[1], f[2], f[3], f[7] == "(empty)" ? std::string() : f[7]});
    }
    return rows;
}

std::string prefixFolder()
{
    const char* prefix = std::getenv("WINEPREFIX");
    return prefix != nullptr ? prefix : "";
}

class WineRegistryLinuxLookup : public ::testing::TestWithParam<PrefixRow> {
protected:
    static void SetUpTestSuite()
    {
        const auto text = readWholeFile(prefixFolder() + "/system.reg");
        if (text) {
            hive = RegistryHive::parse(*text);
        }
    }
    static inline std::optional<RegistryHive> hive;
};

// The Linux lookup reads Software\Wow6432Node first, then Software, as it does for the game.
TEST_P(WineRegistryLinuxLookup, finds_the_value_in_system_reg)
{
    const auto& row = GetParam();
    ASSERT_TRUE(hive.has_value()) << "no readable system.reg in WINEPREFIX " << prefixFolder();
    ASSERT_TRUE(row.key.starts_with("Software\\"));
    const std::string wow = "Software\\Wow6432Node\\" + row.key.substr(9);
    std::string text = ReadRegistryString(*hive, wow, row.value);
    if (text.empty()) {
        text = ReadRegistryString(*hive, row.key, row.value);
    }
    EXPECT_EQ(text, row.linux);
}

INSTANTIATE_TEST_SUITE_P(Table, WineRegistryLinuxLookup, ::testing::ValuesIn(prefixRows()),
                         test::RowName());

TEST(WineRegistryLinuxGameKey, system_locator_finds_the_32bit_installers_folder)
{
    ASSERT_FALSE(prefixFolder().empty()) << "WINEPREFIX names the test prefix";
    EXPECT_EQ(makeSystemGameLocator()->gameFolder(), "C:\\Games\\UnrealTournament");
}

} // namespace
} // namespace velmora::platform
