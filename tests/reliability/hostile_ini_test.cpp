// Hostile profile files too big or too random for a table: each gets a defined result (a
// value, the default, or a clean change), never a crash, a hang or a damaged file.

#include "platform/profile.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using platform::WriteStatus;

// Reads `key` (default "Default"), writes `value`, and gives the file after the write.
std::string readAndWrite(const std::string& before, const char* section, const char* key,
                         const std::string& read, const std::string& value)
{
    EXPECT_EQ(platform::profileReadText(before, section, key, "Default", 255), read);
    const platform::TextEdit edit = platform::profileWriteText(before, section, key, value);
    EXPECT_EQ(edit.status, WriteStatus::Written) << edit.reason;
    EXPECT_EQ(platform::profileReadText(edit.contents, section, key, "Default", 255), value);
    return edit.contents;
}

TEST(HostileFile, BinaryFileAndTenMegabyteLinesGetDefinedResults)
{
    std::mt19937 random(5);
    std::string bytes(64U << 10, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    const std::string after =
        readAndWrite(bytes, "Engine.Engine", "GameRenderDevice", "Default", "D3DDrv");
    EXPECT_EQ(after.substr(0, bytes.size()), bytes);
    // A ten megabyte line is passed over, and a ten megabyte value cut and replaced whole.
    const std::string big = "[s]\r\nbig=" + std::string(10U << 20, 'x') + "\r\nk=v\r\n";
    std::string expected = big;
    EXPECT_EQ(readAndWrite(big, "s", "k", "v", "w"), expected.replace(big.size() - 3, 1, "w"));
    EXPECT_EQ(readAndWrite(big, "s", "big", std::string(254, 'x'), "small"),
              "[s]\r\nbig=small\r\nk=v\r\n");
}

} // namespace
} // namespace velmora::test
