// A huge system.reg line is passed over, not a crash or a hang. Damaged hives are covered by
// the registry rules of the platform tests.

#include "platform/gamelocator_wine.h"

#include <string>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(HugeRegistry, TenMegabyteLineBeforeTheValueIsPassedOver)
{
    const std::string text =
        "WINE REGISTRY Version 2\n\n"
        "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1700000000\n"
        "\"Big\"=\"" +
        std::string(10U << 20, 'x') + "\"\n\"Folder\"=\"C:\\\\UT\"\n";
    EXPECT_EQ(platform::wine::gameFolderFromSystemReg(text).folder, "C:\\UT");
}

} // namespace
} // namespace velmora::test
