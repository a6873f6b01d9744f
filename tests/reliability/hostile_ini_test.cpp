// Hostile profile files and hostile arguments: each gets a defined result (a value, the
// default, or a clear refusal), never a crash, a hang or a damaged file.

#include "faultkit.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/rowname.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using platform::WriteStatus;
using namespace std::string_literals;

std::string randomBytes(std::size_t size)
{
    std::mt19937 random(5);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::string bigLineFile()
{
    return "[s]\r\nbig=" + std::string(10U << 20, 'x') + "\r\nk=v\r\n";
}

// The whole files are made when a row runs, not when the tests are listed. A row without
// `after` only needs the old bytes kept as the file's start.
struct Hostile {
    const char* name;
    std::string (*before)();
    const char *section, *key;
    std::string read; // with the default "Default" and a 255-character buffer
    const char* value;
    std::string (*after)();
};

// clang-format off
const Hostile kHostile[] = {
    {"binary_file_reads_the_default_and_gets_the_section_appended", [] { return randomBytes(64U << 10); }, "Engine.Engine", "GameRenderDevice", "Default", "D3DDrv.D3DRenderDevice", nullptr},
    {"nul_bytes_in_other_lines_are_kept", [] { return "[s]\r\n\0\0junk\0=\0\r\nk=v\r\n"s; }, "s", "k", "v", "w", [] { return "[s]\r\n\0\0junk\0=\0\r\nk=w\r\n"s; }},
    {"ten_megabyte_line_is_passed_over", bigLineFile, "s", "k", "v", "w", [] { return bigLineFile().replace((10U << 20) + 13, 1, "w"); }},
    {"ten_megabyte_value_is_cut_and_replaced_whole", bigLineFile, "s", "big", std::string(254, 'x'), "small", [] { return "[s]\r\nbig=small\r\nk=v\r\n"s; }},
};
// clang-format on

class HostileFile : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileFile, GetsADefinedResult)
{
    const Hostile& row = GetParam();
    const std::string before = row.before();
    EXPECT_EQ(platform::profileReadText(before, row.section, row.key, "Default", 255), row.read);
    const platform::TextEdit edit =
        platform::profileWriteText(before, row.section, row.key, row.value);
    ASSERT_EQ(edit.status, WriteStatus::Written) << edit.reason;
    EXPECT_EQ(platform::profileReadText(edit.contents, row.section, row.key, "Default", 255),
              row.value);
    if (row.after != nullptr)
        EXPECT_EQ(edit.contents, row.after());
    else
        EXPECT_EQ(edit.contents.substr(0, before.size()), before);
}

INSTANTIATE_TEST_SUITE_P(, HostileFile, ::testing::ValuesIn(kHostile), RowName{});

// ---- a 100 MB file, made at test time ----------------------------------------------------

TEST(HugeFile, HundredMegabytesAreReadAndOneLineChanged)
{
    std::string block;
    for (int n = 0; n < 20000; ++n) {
        block += "Key" + std::to_string(n) + "=some value that pads the line out\r\n";
    }
    std::string before = "[Engine.Engine]\r\n";
    before.reserve(101U << 20);
    while (before.size() < (100U << 20)) {
        before += block;
    }
    before += "[WinDrv.WindowsClient]\r\nDecals=True\r\n";
    TemporaryFolder scratch;
    const std::string file = scratch.file("UnrealTournament.ini");
    writeFile(file, before);

    EXPECT_EQ(platform::getProfileString(file, "Engine.Engine", "Key15000", "Default", 255),
              "some value that pads the line out");
    ASSERT_EQ(platform::writeProfileString(file, "WinDrv.WindowsClient", "Decals", "False").status,
              WriteStatus::Written);

    before.replace(before.size() - 6, 4, "False");
    EXPECT_TRUE(readFile(file) == before) << "the file differs from the old one with the change";
}

} // namespace
} // namespace velmora::test
