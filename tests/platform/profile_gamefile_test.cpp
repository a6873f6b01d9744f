// The real game files in tests/data/ut-ini: known values read back. How a write changes a
// file is decided byte for byte by the write rules of tests/data/profile-rules.tsv.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/rowname.h"

#include <string>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

VELMORA_RULES(RealFileRead, GivesGameValue, "system-rules.tsv", "gamevalue", 5)
{
    const std::string folder = VELMORA_TESTDATA "/ut-ini", file = folder + "/" + GetParam()[1];
    ASSERT_TRUE(fileExists(file)) << file;
    EXPECT_FALSE(fileExists(folder)) << "a folder is no file";
    EXPECT_EQ(portable::getProfileString(file, GetParam()[2], GetParam()[3], "Default", 255),
              GetParam()[4]);
}

} // namespace
} // namespace velmora::platform
