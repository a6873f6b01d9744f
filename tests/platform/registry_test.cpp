#include "platform/registry_text.h"
#include "platform/wineprefix.h"
#include "support/rowname.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

constexpr std::string_view kHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n"
                                   "\n#arch=win64\n\n";
constexpr std::string_view kKeyLine =
    "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1720000000 0\n"
    "#time=1dacd2de7618000\n";
constexpr std::string_view kWowKeyLine =
    "[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] "
    "1720000000\n";

// One value line (or lines) under the game's key, and the text the game's ANSI call gets.
struct ValueRow {
    const char* name;
    std::string_view lines;
    std::string_view expected;
};

const ValueRow kValueRows[] = {
    {.name = "sz_plain", .lines = R"("Folder"="C:\\Games\\UT")", .expected = "C:\\Games\\UT"},
    {.name = "sz_escaped_quote", .lines = R"("Folder"="say \"hi\"")", .expected = "say \"hi\""},
    {.name = "sz_blanks_around_equals", .lines = "\"Folder\" = \"C:\\\\UT\"", .expected = "C:\\UT"},
    {.name = "sz_value_name_ignores_case", .lines = R"("fOLDER"="C:\\UT")", .expected = "C:\\UT"},
    {.name = "sz_four_digit_hex_escape",
     .lines = R"("Folder"="\x00c9dition")",
     .expected = "\xC9"
                 "dition"},
    {.name = "sz_cyrillic_becomes_question_mark",
     .lines = R"("Folder"="C:\\\x0416")",
     .expected = "C:\\?"},
    {.name = "sz_surrogate_pair_is_one_question_mark",
     .lines = R"("Folder"="a\xd83d\xde00b")",
     .expected = "a?b"},
    {.name = "sz_raw_utf8_decoded", .lines = "\"Folder\"=\"Caf\xC3\xA9\"", .expected = "Caf\xE9"},
    {.name = "sz_stops_at_first_nul", .lines = R"("Folder"="C:\\UT\0junk")", .expected = "C:\\UT"},
    {.name = "sz_octal_and_letter_escapes", .lines = R"("Folder"="\101\x41\q")", .expected = "AAq"},
    {.name = "sz_unterminated_string", .lines = R"("Folder"="C:\\UT)", .expected = ""},
    {.name = "hex1_sz_without_nul", .lines = "\"Folder\"=hex(1):55,00,54,00", .expected = "UT"},
    {.name = "hex1_sz_nul_inside", .lines = "\"Folder\"=hex(1):55,00,00,00,54,00", .expected = "U"},
    {.name = "expand_sz_string", .lines = R"("Folder"=str(2):"C:\\UT")", .expected = ""},
    {.name = "expand_sz_bytes", .lines = "\"Folder\"=hex(2):43,00,3a,00", .expected = ""},
    {.name = "dword", .lines = "\"Folder\"=dword:0000001e", .expected = ""},
    {.name = "binary_one_byte", .lines = "\"Folder\"=hex:ff", .expected = "255"},
    {.name = "binary_two_bytes", .lines = "\"Folder\"=hex:39,30", .expected = "12345"},
    {.name = "binary_two_bytes_negative", .lines = "\"Folder\"=hex:fe,ff", .expected = "-2"},
    {.name = "binary_four_bytes", .lines = "\"Folder\"=hex:01,00,00,00", .expected = ""},
    {.name = "binary_continued", .lines = "\"Folder\"=hex:39,\\\n  30", .expected = "12345"},
    {.name = "binary_byte_above_ff", .lines = "\"Folder\"=hex:100", .expected = ""},
    {.name = "binary_not_hex", .lines = "\"Folder\"=hex:zz", .expected = ""},
    {.name = "binary_truncated_continuation", .lines = "\"Folder\"=hex:39,\\", .expected = ""},
    {.name = "missing_value", .lines = R"("Version"="436")", .expected = ""},
};

class RegistryValueRule : public testing::TestWithParam<ValueRow> {};

TEST_P(RegistryValueRule, GivesTheTextTheGameSees)
{
    const std::string text =
        std::string(kHead) + std::string(kKeyLine) + std::string(GetParam().lines) + "\n";
    const auto hive = RegistryHive::parse(text);
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

std::string head(std::string_view rest)
{
    return std::string(kHead) + std::string(rest);
}

const FileRow kFileRows[] = {
    {.name = "plain_key",
     .text = head(std::string(kKeyLine) + R"("Folder"="C:\\UT")"),
     .expected = "C:\\UT"},
    {.name = "wow6432node_key",
     .text = head(std::string(kWowKeyLine) + R"("Folder"="C:\\UT")"),
     .expected = "C:\\UT"},
    {.name = "wow6432node_wins_over_plain",
     .text = head(std::string(kKeyLine) + "\"Folder\"=\"C:\\\\Plain\"\n\n" +
                  std::string(kWowKeyLine) + "\"Folder\"=\"C:\\\\Wow\"\n"),
     .expected = "C:\\Wow"},
    {.name = "empty_wow6432node_falls_back_to_plain",
     .text = head(std::string(kWowKeyLine) + "\"Folder\"=str(2):\"C:\\\\Wow\"\n\n" +
                  std::string(kKeyLine) + "\"Folder\"=\"C:\\\\Plain\"\n"),
     .expected = "C:\\Plain"},
    {.name = "key_names_ignore_case",
     .text = head("[SOFTWARE\\\\unreal technology\\\\INSTALLED APPS\\\\unrealtournament]\n"
                  "\"folder\"=\"C:\\\\UT\"\n"),
     .expected = "C:\\UT"},
    {.name = "crlf_line_ends_with_expand_sz_continuation",
     .text =
         "WINE REGISTRY Version 2\r\n\r\n#arch=win64\r\n\r\n"
         "[Software\\\\unreal technology\\\\Installed Apps\\\\UnrealTournament] 1720000000 0\r\n"
         "\"folder\"=hex(2):44,00,3a,00,5c,00,53,00,70,00,69,00,65,00,6c,00,65,00,5c,00,55,\\\r\n"
         "  00,54,00,39,00,39,00\r\n\r\n"
         "[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] "
         "1720000000 0\r\n#time=1dacd2de7618000\r\n\"Comment\"=\"say \\\"hi\\\"\"\r\n"
         "\"Folder\"=\"D:\\\\Jeux\\\\Unreal Tournament \\x00c9dition\"\r\n",
     .expected = "D:\\Jeux\\Unreal Tournament \xC9"
                 "dition"},
    {.name = "duplicate_key_blocks_merge",
     .text = head(std::string(kKeyLine) + "\"Folder\"=\"C:\\\\UT\"\n\n" + std::string(kKeyLine) +
                  "\"Version\"=\"436\"\n"),
     .expected = "C:\\UT"},
    {.name = "value_under_unreadable_key_line_is_dropped",
     .text = head(std::string(kKeyLine) + "\"Folder\"=\"C:\\\\UT\"\n[Software\\\\Other\n"
                                          "\"Folder\"=\"C:\\\\Wrong\"\n"),
     .expected = "C:\\UT"},
    {.name = "damaged_line_elsewhere_is_skipped",
     .text = head("[Software\\\\Other]\n\"Data\"=hex:zz\ngarbage line\n\"Broken\n\n" +
                  std::string(kKeyLine) + "\"Folder\"=\"C:\\\\UT\"\n"),
     .expected = "C:\\UT"},
    {.name = "truncated_inside_folder_value",
     .text = head(std::string(kKeyLine) + "\"Folder\"=\"C:\\\\Gam"),
     .expected = ""},
    {.name = "truncated_inside_key_line",
     .text = head("[Software\\\\Unreal Technology\\\\Installed Ap"),
     .expected = ""},
    {.name = "missing_header",
     .text = std::string(kKeyLine) + "\"Folder\"=\"C:\\\\UT\"\n",
     .expected = ""},
    {.name = "regedit_export",
     .text = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Unreal "
             "Technology\\Installed Apps\\UnrealTournament]\n\"Folder\"=\"C:\\\\UT\"\n",
     .expected = ""},
    {.name = "empty_file", .text = "", .expected = ""},
};

class RegistryFile : public testing::TestWithParam<FileRow> {};

TEST_P(RegistryFile, GivesTheGameFolder)
{
    EXPECT_EQ(wine::gameFolderFromSystemReg(GetParam().text).folder, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryFile, testing::ValuesIn(kFileRows), test::RowName());

TEST(RegistryHive, ReadsEveryValueOfAWineWrittenHive)
{
    const auto hive = RegistryHive::parse(
        head("[Software\\\\Classes\\\\.txt] 1579782946 8976280\n#time=1d5d1e9a2f6f498\n"
             "@=\"txtfile\"\n\"Content Type\"=\"text/plain\"\n\n"
             "[Software\\\\Classes\\\\txtfile\\\\shell\\\\open\\\\command]\n"
             "@=\"\\\"%SystemRoot%\\\\system32\\\\notepad.exe\\\" %1\"\n\n"
             "[Software\\\\Classes\\\\Link] 1579782946\n#link\n"
             "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00\n"
             "\"FilterData\"=hex:02,00,00,00,00,00,20,00,01,00,00,00,00,00,00,00,30,70,69,33,\\\n"
             "  02,00,00,00\n\"Count\"=dword:0000001e\n"));
    ASSERT_TRUE(hive.has_value());
    EXPECT_EQ(hive->valueCount(), 6u);
    EXPECT_EQ(ReadRegistryString(*hive, "software\\classes\\txtfile\\shell\\open\\command", ""),
              "\"%SystemRoot%\\system32\\notepad.exe\" %1");
}

} // namespace
} // namespace velmora::platform
