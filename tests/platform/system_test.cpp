#include "platform/codepage.h"
#include "platform/gamelocator_wine.h"
#include "platform/memory.h"
#include "platform/registry_text.h"
#include "platform/systeminfo.h"
#include "support/rowname.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;
using namespace std::string_literals;

// clang-format off
const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
const std::string kKey = "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1720000000 0\n#time=1dacd2de7618000\n";
const std::string kWowKey = "[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1720000000\n";
// clang-format on

// One value line (or lines) under the game's key, and the text the game's ANSI call gets.
struct ValueRow {
    const char* name;
    std::string_view lines, expected;
};

// clang-format off
const ValueRow kValueRows[] = {
    {"sz_plain", R"("Folder"="C:\\Games\\UT")", "C:\\Games\\UT"},
    {"sz_escaped_quote", R"("Folder"="say \"hi\"")", "say \"hi\""},
    {"sz_blanks_around_equals", "\"Folder\" = \"C:\\\\UT\"", "C:\\UT"},
    {"sz_value_name_ignores_case", R"("fOLDER"="C:\\UT")", "C:\\UT"},
    {"sz_four_digit_hex_escape", R"("Folder"="\x00c9dition")", "\xC9" "dition"},
    {"sz_cyrillic_becomes_question_mark", R"("Folder"="C:\\\x0416")", "C:\\?"},
    {"sz_surrogate_pair_is_one_question_mark", R"("Folder"="a\xd83d\xde00b")", "a?b"},
    {"sz_raw_utf8_decoded", "\"Folder\"=\"Caf\xC3\xA9\"", "Caf\xE9"},
    {"sz_stops_at_first_nul", R"("Folder"="C:\\UT\0junk")", "C:\\UT"},
    {"sz_octal_and_letter_escapes", R"("Folder"="\101\x41\q")", "AAq"},
    {"sz_unterminated_string", R"("Folder"="C:\\UT)", ""},
    {"sz_cut_after_equals", R"("Folder"=)", ""},
    {"sz_x_without_digits_is_a_letter", R"("Folder"="C:\q\xzz")", "C:qxzz"},
    {"hex1_sz_without_nul", "\"Folder\"=hex(1):55,00,54,00", "UT"},
    {"hex1_sz_nul_inside", "\"Folder\"=hex(1):55,00,00,00,54,00", "U"},
    {"expand_sz_string", R"("Folder"=str(2):"C:\\UT")", ""},
    {"expand_sz_bytes", "\"Folder\"=hex(2):43,00,3a,00", ""},
    {"dword", "\"Folder\"=dword:0000001e", ""},
    {"binary_one_byte", "\"Folder\"=hex:ff", "255"},
    {"binary_two_bytes", "\"Folder\"=hex:39,30", "12345"},
    {"binary_two_bytes_negative", "\"Folder\"=hex:fe,ff", "-2"},
    {"binary_four_bytes", "\"Folder\"=hex:01,00,00,00", ""},
    {"binary_continued", "\"Folder\"=hex:39,\\\n  30", "12345"},
    {"binary_empty", "\"Folder\"=hex:", ""},
    {"binary_byte_above_ff", "\"Folder\"=hex:100", ""},
    {"binary_not_hex", "\"Folder\"=hex:zz", ""},
    {"binary_truncated_continuation", "\"Folder\"=hex:39,\\", ""},
    {"missing_value", R"("Version"="436")", ""},
};
// clang-format on

class RegistryValueRule : public testing::TestWithParam<ValueRow> {};

TEST_P(RegistryValueRule, GivesTheTextTheGameSees)
{
    const auto hive = RegistryHive::parse(kHead + kKey + std::string(GetParam().lines) + "\n");
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(ReadRegistryString(*hive, kGameRegistryKey, kGameRegistryValue), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryValueRule, testing::ValuesIn(kValueRows),
                         test::RowName());

// Whole system.reg texts and the game folder found in them.
struct FileRow {
    const char* name;
    std::string text;
    std::string_view expected;
};

// clang-format off
const FileRow kFileRows[] = {
    {"plain_key", kHead + kKey + R"("Folder"="C:\\UT")", "C:\\UT"},
    {"wow6432node_key", kHead + kWowKey + R"("Folder"="C:\\UT")", "C:\\UT"},
    {"wow6432node_wins_over_plain", kHead + kKey + "\"Folder\"=\"C:\\\\Plain\"\n\n" + kWowKey + "\"Folder\"=\"C:\\\\Wow\"\n", "C:\\Wow"},
    {"empty_wow6432node_falls_back_to_plain", kHead + kWowKey + "\"Folder\"=str(2):\"C:\\\\Wow\"\n\n" + kKey + "\"Folder\"=\"C:\\\\Plain\"\n", "C:\\Plain"},
    {"key_names_ignore_case", kHead + "[SOFTWARE\\\\unreal technology\\\\INSTALLED APPS\\\\unrealtournament]\n\"folder\"=\"C:\\\\UT\"\n", "C:\\UT"},
    {"crlf_line_ends_with_expand_sz_continuation", "WINE REGISTRY Version 2\r\n\r\n#arch=win64\r\n\r\n[Software\\\\unreal technology\\\\Installed Apps\\\\UnrealTournament] 1720000000 0\r\n\"folder\"=hex(2):44,00,3a,00,5c,00,55,\\\r\n  00,54,00\r\n\r\n" + kWowKey + "#time=1dacd2de7618000\r\n\"Comment\"=\"say \\\"hi\\\"\"\r\n\"Folder\"=\"D:\\\\Jeux\\\\UT \\x00c9dition\"\r\n", "D:\\Jeux\\UT \xC9" "dition"},
    {"duplicate_key_blocks_merge", kHead + kKey + "\"Folder\"=\"C:\\\\UT\"\n\n" + kKey + "\"Version\"=\"436\"\n", "C:\\UT"},
    {"value_under_unreadable_key_line_is_dropped", kHead + kKey + "\"Folder\"=\"C:\\\\UT\"\n[Software\\\\Other\n\"Folder\"=\"C:\\\\Wrong\"\n", "C:\\UT"},
    {"damaged_line_elsewhere_is_skipped", kHead + "[Software\\\\Other]\n\"Data\"=hex:zz\ngarbage line\n\"Broken\n\n" + kKey + "\"Folder\"=\"C:\\\\UT\"\n", "C:\\UT"},
    {"truncated_inside_folder_value", kHead + kKey + "\"Folder\"=\"C:\\\\Gam", ""},
    {"truncated_inside_key_line", kHead + "[Software\\\\Unreal Technology\\\\Installed Ap", ""},
    {"missing_header", kKey + "\"Folder\"=\"C:\\\\UT\"\n", ""},
    {"regedit_export", "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament]\n\"Folder\"=\"C:\\\\UT\"\n", ""},
    {"utf16_file", "\xFF\xFEW\0I\0N\0E\0"s, ""},
    {"nul_bytes_in_other_lines", kHead + kKey + "\"A\"=\"\0\0\"\n\0\0\0\n\"Folder\"=\"C:\\\\UT\"\n"s, "C:\\UT"},
    {"value_before_any_key_belongs_to_none", kHead + "\"Folder\"=\"C:\\\\UT\"\n" + kKey, ""},
    {"empty_file", "", ""},
};
// clang-format on

class RegistryFile : public testing::TestWithParam<FileRow> {};

TEST_P(RegistryFile, GivesTheGameFolder)
{
    EXPECT_EQ(wine::gameFolderFromSystemReg(GetParam().text).folder, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryFile, testing::ValuesIn(kFileRows), test::RowName());

TEST(RegistryHive, ReadsEveryValueOfAWineWrittenHive)
{
    const auto hive = RegistryHive::parse(
        kHead + "[Software\\\\Classes\\\\.txt] 1579782946 8976280\n#time=1d5d1e9a2f6f498\n"
                "@=\"txtfile\"\n\"Content Type\"=\"text/plain\"\n\n"
                "[Software\\\\Classes\\\\txtfile\\\\shell\\\\open\\\\command]\n"
                "@=\"\\\"%SystemRoot%\\\\system32\\\\notepad.exe\\\" %1\"\n\n"
                "[Software\\\\Classes\\\\Link] 1579782946\n#link\n"
                "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00\n"
                "\"FilterData\"=hex:02,00,00,00,00,00,20,00,\\\n  02,00,00,00\n"
                "\"Count\"=dword:0000001e\n");
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(hive->valueCount(), 6u);
    EXPECT_EQ(ReadRegistryString(*hive, "software\\classes\\txtfile\\shell\\open\\command", ""),
              "\"%SystemRoot%\\system32\\notepad.exe\" %1");
}

struct CodePageRow {
    const char* name;
    std::string_view cp1252, utf8;
};

// clang-format off
const CodePageRow kCodePageRows[] = {
    {"latin1", "C:\\\xC9" "dition", "C:\\\xC3\x89" "dition"},
    {"euro_and_quotes", "\x80\x93", "\xE2\x82\xAC\xE2\x80\x9C"},
    {"undefined_byte_round_trips", "\x81", "\xC2\x81"},
};
// clang-format on

class CodePage1252 : public testing::TestWithParam<CodePageRow> {};

TEST_P(CodePage1252, RoundTripsThroughUnicode)
{
    EXPECT_EQ(utf8FromCp1252(GetParam().cp1252), GetParam().utf8);
    EXPECT_EQ(cp1252FromUtf16(utf16FromUtf8(GetParam().utf8)), GetParam().cp1252);
    EXPECT_EQ(utf16FromCp1252(GetParam().cp1252), utf16FromUtf8(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(Text, CodePage1252, testing::ValuesIn(kCodePageRows), test::RowName());

struct MeminfoRow {
    const char* name;
    std::string_view text;
    std::uint64_t expected;
};

const MeminfoRow kMeminfoRows[] = {
    {"above_4_gb_not_truncated", "MemTotal: 67108864 kB\n", 68719476736ull},
    {"above_2_tb_after_other_lines", "MemFree: 1 kB\nMemTotal: 3221225472 kB", 3298534883328ull},
    {"no_unit_is_bytes", "MemTotal: 5000000000\n", 5000000000ull},
    {"missing_line", "MemFree: 1024 kB\n", 0},
    {"not_a_number", "MemTotal: lots kB\n", 0},
    {"unknown_unit", "MemTotal: 1024 MB\n", 0},
    {"overflows_64_bits", "MemTotal: 18014398509481984 kB\n", 0},
};

class Meminfo : public testing::TestWithParam<MeminfoRow> {};

TEST_P(Meminfo, GivesTotalBytes)
{
    EXPECT_EQ(memTotalFromMeminfo(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Memory, Meminfo, testing::ValuesIn(kMeminfoRows), test::RowName());

// A 32-bit kernel counts 32 GB as 8 Mi pages of 4 KiB: the product needs 64 bits.
TEST(Memory, SysinfoProductIsNotTruncatedAndThisMachineHasMemory)
{
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(sysinfoTotalBytes(8388608, 4096), 34359738368ull);
    EXPECT_EQ(sysinfoTotalBytes(kMost / 2, 4), kMost);
    EXPECT_GT(totalPhysicalMemory(), 0u);
}

} // namespace
} // namespace velmora::platform
