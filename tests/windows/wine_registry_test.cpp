// The registry rows of tests/data/wine-registry.tsv, which wine-registry-setup.sh wrote with
// `wine reg add` into the test prefix before these tests run: looked up by the Win32 lookup in
// the Windows build, and by the Linux lookup over the prefix's system.reg in the native build
// (registry_wine_check, which CTest runs against the same prefix).

#include "support/rowname.h"
#ifdef _WIN32
#include "platform/registry_win.h"
#else
#include "platform/fileio.h"
#include "platform/registry_text.h"

#include <cstdlib>
#endif

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

// reg: name view key value type data win32 linux.
#ifdef _WIN32
VELMORA_RULES(WineRegistry, Win32LookupFindsTheValue, "wine-registry.tsv", "reg", 8)
{
    const test::TableRow& row = GetParam();
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, row[2], row[3]), row[6]);
}
#else
// Wow6432Node first, as the game's lookup does.
VELMORA_RULES(WineRegistry, LinuxLookupFindsTheValueInSystemReg, "wine-registry.tsv", "reg", 8)
{
    const char* prefix = std::getenv("WINEPREFIX");
    static const auto hive = [&] {
        const auto text = readWholeFile(std::string(prefix ? prefix : "") + "/system.reg");
        return text ? RegistryHive::parse(*text) : std::nullopt;
    }();
    ASSERT_TRUE(hive.has_value()) << "no readable system.reg in WINEPREFIX";
    const test::TableRow& row = GetParam();
    const std::string found =
        ReadRegistryString(*hive, "Software\\Wow6432Node\\" + row[2].substr(9), row[3]);
    EXPECT_EQ(found.empty() ? ReadRegistryString(*hive, row[2], row[3]) : found, row[7]);
}
#endif

} // namespace
} // namespace velmora::platform
