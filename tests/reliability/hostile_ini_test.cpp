// Hostile profile files and hostile arguments: each gets a defined result (a value, the
// default, or a clear refusal), never a crash, a hang or a damaged file.

#include "config/readmodule.h"
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

std::string utf16le(std::string_view ascii)
{
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

std::string randomBytes(std::size_t size)
{
    std::mt19937 random(5);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

// Large rows are made when they run, not when the tests are listed.
std::string bigLineFile()
{
    return "[s]\r\nbig=" + std::string(10U << 20, 'x') + "\r\nk=v\r\n";
}

struct Hostile {
    const char* name;
    std::string before = {};
    std::string (*make)() = nullptr; // makes `before` instead
    const char* section;
    const char* key;
    std::string read;  // with the default "Default" and a 255-character buffer
    const char* value; // written next
    WriteStatus status;
    std::string after = {}; // the whole file after the write; unused unless Written
    bool appends = false;   // instead of `after`: the old bytes stay as the file's start
    std::string (*makeAfter)() = nullptr;
};

const Hostile kHostile[] = {
    {.name = "binary_file_reads_the_default_and_gets_the_section_appended",
     .make = [] { return randomBytes(64U << 10); },
     .section = "Engine.Engine",
     .key = "GameRenderDevice",
     .read = "Default",
     .value = "D3DDrv.D3DRenderDevice",
     .status = WriteStatus::Written,
     .appends = true},
    {.name = "nul_bytes_in_other_lines_are_kept",
     .before = "[s]\r\n\0\0junk\0=\0\r\nk=v\r\n"s,
     .section = "s",
     .key = "k",
     .read = "v",
     .value = "w",
     .status = WriteStatus::Written,
     .after = "[s]\r\n\0\0junk\0=\0\r\nk=w\r\n"s},
    {.name = "ten_megabyte_line_is_passed_over",
     .make = bigLineFile,
     .section = "s",
     .key = "k",
     .read = "v",
     .value = "w",
     .status = WriteStatus::Written,
     .makeAfter = [] { return bigLineFile().replace((10U << 20) + 13, 1, "w"); }},
    {.name = "ten_megabyte_value_is_cut_and_replaced_whole",
     .make = bigLineFile,
     .section = "s",
     .key = "big",
     .read = std::string(254, 'x'),
     .value = "small",
     .status = WriteStatus::Written,
     .after = "[s]\r\nbig=small\r\nk=v\r\n"},
    {.name = "cr_only_file_gets_cr_lines",
     .before = "[s]\rk=v\rj=1\r",
     .section = "s",
     .key = "n",
     .read = "Default",
     .value = "5",
     .status = WriteStatus::Written,
     .after = "[s]\rk=v\rj=1\rn=5\r"},
    {.name = "mixed_line_endings_each_kept",
     .before = "[s]\nk=v\r\nj=1\rx=2\r\n",
     .section = "s",
     .key = "j",
     .read = "1",
     .value = "9",
     .status = WriteStatus::Written,
     .after = "[s]\nk=v\r\nj=9\rx=2\r\n"},
    {.name = "utf8_mark_hides_a_header_on_the_first_line",
     .before = "\xEF\xBB\xBF[s]\r\nk=v\r\n",
     .section = "s",
     .key = "k",
     .read = "Default",
     .value = "w",
     .status = WriteStatus::Written,
     .after = "\xEF\xBB\xBF[s]\r\nk=v\r\n[s]\r\nk=w\r\n"},
    {.name = "utf16_file_is_read_and_written_as_utf16",
     .before = utf16le("[s]\r\nk=v\r\nj=1\r\n"),
     .section = "s",
     .key = "k",
     .read = "v",
     .value = "w",
     .status = WriteStatus::Written,
     .after = utf16le("[s]\r\nk=w\r\nj=1\r\n")},
    {.name = "utf16_file_with_a_stray_byte_is_refused",
     .before = utf16le("[s]\r\nk=v\r\n") + "x",
     .section = "s",
     .key = "k",
     .read = "v",
     .value = "w",
     .status = WriteStatus::Refused},
    {.name = "utf16_big_endian_file_is_refused",
     .before = "\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v"s,
     .section = "s",
     .key = "k",
     .read = "Default",
     .value = "w",
     .status = WriteStatus::Refused},
    {.name = "unterminated_section_header_still_opens_its_section",
     .before = "[s   \r\nk=v\r\n",
     .section = "s",
     .key = "k",
     .read = "v",
     .value = "w",
     .status = WriteStatus::Written,
     .after = "[s   \r\nk=w\r\n"},
    {.name = "only_the_first_of_duplicate_sections_counts",
     .before = "[s]\r\nk=1\r\n[S]\r\nj=2\r\n",
     .section = "s",
     .key = "j",
     .read = "Default",
     .value = "3",
     .status = WriteStatus::Written,
     .after = "[s]\r\nk=1\r\nj=3\r\n[S]\r\nj=2\r\n"},
    {.name = "only_the_first_of_duplicate_keys_counts",
     .before = "[s]\r\nk=1\r\nK=2\r\n",
     .section = "s",
     .key = "k",
     .read = "1",
     .value = "3",
     .status = WriteStatus::Written,
     .after = "[s]\r\nk=3\r\nK=2\r\n"},
    {.name = "key_without_equals_is_no_key",
     .before = "[s]\r\nk\r\nj=1\r\n",
     .section = "s",
     .key = "k",
     .read = "Default",
     .value = "5",
     .status = WriteStatus::Written,
     .after = "[s]\r\nk\r\nj=1\r\nk=5\r\n"},
    {.name = "lone_bracket_file_gets_a_new_line_first",
     .before = "[",
     .section = "s",
     .key = "k",
     .read = "Default",
     .value = "v",
     .status = WriteStatus::Written,
     .after = "[\r\n[s]\r\nk=v\r\n"},
};

class HostileFile : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileFile, gets_a_defined_result)
{
    const Hostile& row = GetParam();
    const std::string before = row.make != nullptr ? row.make() : row.before;
    const std::string after = row.makeAfter != nullptr ? row.makeAfter() : row.after;
    EXPECT_EQ(platform::profileReadText(before, row.section, row.key, "Default", 255), row.read);

    const platform::TextEdit edit =
        platform::profileWriteText(before, row.section, row.key, row.value);
    ASSERT_EQ(edit.status, row.status) << edit.reason;
    if (row.status == WriteStatus::Refused) {
        EXPECT_FALSE(edit.reason.empty());
        return;
    }
    EXPECT_EQ(platform::profileReadText(edit.contents, row.section, row.key, "Default", 255),
              row.value);
    if (row.appends) {
        EXPECT_EQ(edit.contents.substr(0, before.size()), before);
    } else {
        EXPECT_EQ(edit.contents, after);
    }
}

INSTANTIATE_TEST_SUITE_P(, HostileFile, ::testing::ValuesIn(kHostile), RowName{});

// ---- arguments that would break the file's structure -------------------------------------

struct Offer {
    const char* name;
    std::string section;
    std::string key;
    std::string value;
};

const Offer kOffers[] = {
    {"crlf_in_value_would_add_a_key", "Engine.Engine", "GameRenderDevice", "x\r\nEvil=1"},
    {"lf_in_value", "Engine.Engine", "GameRenderDevice", "x\nEvil=1"},
    {"cr_in_value", "Engine.Engine", "GameRenderDevice", "x\rEvil=1"},
    {"nul_in_value", "Engine.Engine", "GameRenderDevice", "x\0y"s},
    {"line_break_in_key", "Engine.Engine", "Game\r\nRenderDevice", "x"},
    {"nul_in_key", "Engine.Engine", "Game\0RenderDevice"s, "x"},
    {"equals_in_key", "Engine.Engine", "Evil=1", "x"},
    {"line_break_in_section", "Engine.Engine]\r\n[Evil", "GameRenderDevice", "x"},
    {"nul_in_section", "Engine\0Engine"s, "GameRenderDevice", "x"},
    {"bracket_in_section", "Engine]Evil", "GameRenderDevice", "x"},
    {"key_starting_a_comment", "Engine.Engine", ";GameRenderDevice", "x"},
    {"key_starting_a_header", "Engine.Engine", "[Evil]", "x"},
    {"empty_section", "", "GameRenderDevice", "x"},
    {"blank_key", "Engine.Engine", "   ", "x"},
    {"tab_ending_a_key", "Engine.Engine", "GameRenderDevice\t", "x"},
};

class HostileOffer : public ::testing::TestWithParam<Offer> {
protected:
    ScratchFolder scratch;
};

TEST_P(HostileOffer, is_refused_and_nothing_is_written)
{
    const Offer& row = GetParam();
    const std::string existing = scratch / "UnrealTournament.ini";
    const std::string missing = scratch / "Missing.ini";
    const std::string before =
        "[Engine.Engine]\r\nGameRenderDevice=SoftDrv.SoftwareRenderDevice\r\n";
    writeBytes(existing, before);

    const platform::TextEdit edit =
        platform::profileWriteText(before, row.section, row.key, row.value);
    EXPECT_EQ(edit.status, WriteStatus::Refused);
    EXPECT_FALSE(edit.reason.empty());
    for (const std::string& file : {existing, missing}) {
        const platform::WriteOutcome direct =
            platform::writeProfileString(file, row.section, row.key, row.value);
        EXPECT_EQ(direct.status, WriteStatus::Refused);
        EXPECT_FALSE(direct.reason.empty());
        config::ReadModule module;
        EXPECT_EQ(module.WriteGameValue(row.section, row.key, row.value, file).status,
                  WriteStatus::Refused);
    }
    EXPECT_EQ(snapshot(scratch.path()), (Tree{{"UnrealTournament.ini", {'f', 0644, before}}}));
}

INSTANTIATE_TEST_SUITE_P(, HostileOffer, ::testing::ValuesIn(kOffers), RowName{});

// ---- a 100 MB file, made at test time ----------------------------------------------------

TEST(HugeFile, hundred_megabytes_are_read_and_one_line_changed)
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
    ScratchFolder scratch;
    const std::string file = scratch / "UnrealTournament.ini";
    writeBytes(file, before);

    EXPECT_EQ(platform::getProfileString(file, "Engine.Engine", "Key15000", "Default", 255),
              "some value that pads the line out");
    ASSERT_EQ(platform::writeProfileString(file, "WinDrv.WindowsClient", "Decals", "False").status,
              WriteStatus::Written);

    before.replace(before.size() - 6, 4, "False");
    EXPECT_TRUE(readBytes(file) == before) << "the file differs from the old one with the change";
}

} // namespace
} // namespace velmora::test
