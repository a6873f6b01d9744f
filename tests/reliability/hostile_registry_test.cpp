// Damaged and hostile registry files of a Wine prefix: the game's folder is read as the game's
// own registry calls would see it, or as empty text; never a crash or a hang.

#include "platform/wineprefix.h"
#include "support/rowname.h"

#include <string>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using namespace std::string_literals;

const std::string kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
const std::string kKey =
    "[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1700000000\n";

std::string hive(const std::string& valueLines)
{
    return kHeader + kKey + valueLines;
}

struct DamagedHive {
    const char* name;
    std::string text;
    std::string folder; // in code page 1252
};

const DamagedHive kHives[] = {
    {"plain_string", hive("\"Folder\"=\"C:\\\\UnrealTournament\"\n"), "C:\\UnrealTournament"},
    {"crlf_lines",
     "WINE REGISTRY Version 2\r\n" + kKey.substr(0, kKey.size() - 1) +
         "\r\n\"Folder\"=\"C:\\\\UT\"\r\n",
     "C:\\UT"},
    {"truncated_inside_the_string", hive("\"Folder\"=\"C:\\\\Unreal"), ""},
    {"truncated_inside_the_key_line", kHeader + "[Software\\\\Unreal Techn", ""},
    {"truncated_after_the_name", hive("\"Folder\"="), ""},
    {"unknown_escapes_keep_their_letter", hive("\"Folder\"=\"C:\\q\\xzz\"\n"), "C:qxzz"},
    {"escaped_quote_does_not_end_the_string", hive("\"Folder\"=\"a\\\"b\" junk\n"), "a\"b"},
    {"latin_letter_escape", hive("\"Folder\"=\"C:\\\\\\x00c9t\\x00e9\"\n"), "C:\\\xC9t\xE9"},
    {"character_outside_the_code_page", hive("\"Folder\"=\"C:\\\\\\x4e00\"\n"), "C:\\?"},
    {"nul_ends_the_string", hive("\"Folder\"=\"C:\\\\UT\\0junk\"\n"), "C:\\UT"},
    {"double_word_is_the_wrong_type", hive("\"Folder\"=dword:00000451\n"), ""},
    {"expandable_string_is_the_wrong_type", hive("\"Folder\"=str(2):\"C:\\\\UT\"\n"), ""},
    {"string_stored_without_its_nul", hive("\"Folder\"=hex(1):43,00,3a,00,5c,00,55,00\n"), "C:\\U"},
    {"two_byte_binary_is_a_number", hive("\"Folder\"=hex:39,05\n"), "1337"},
    {"two_byte_binary_is_signed", hive("\"Folder\"=hex:ff,ff\n"), "-1"},
    {"one_byte_binary_is_a_number", hive("\"Folder\"=hex:ff\n"), "255"},
    {"empty_binary_is_no_text", hive("\"Folder\"=hex:\n"), ""},
    {"longer_binary_is_no_text", hive("\"Folder\"=hex:01,02,03,\\\n  04,05\n"), ""},
    {"byte_list_cut_after_a_continuation", hive("\"Folder\"=hex:01,02,\\\n"), ""},
    {"byte_over_ff_spoils_the_list", hive("\"Folder\"=hex:100,02\n"), ""},
    {"names_match_without_regard_to_case",
     kHeader + "[SOFTWARE\\\\unreal technology\\\\INSTALLED APPS\\\\unrealtournament]\n"
               "\"FOLDER\"=\"D:\\\\UT\"\n",
     "D:\\UT"},
    {"32_bit_view_is_read_first",
     hive("\"Folder\"=\"C:\\\\64\"\n") +
         "[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament]\n"
         "\"Folder\"=\"C:\\\\32\"\n",
     "C:\\32"},
    {"regedit_export_is_not_a_prefix_hive",
     "Windows Registry Editor Version 5.00\n\n" + kKey + "\"Folder\"=\"C:\\\\UT\"\n", ""},
    {"utf16_file_is_not_a_prefix_hive", "\xFF\xFEW\0I\0N\0E\0"s, ""},
    {"nul_bytes_in_other_lines", hive("\"A\"=\"\0\0\"\n\0\0\0\n\"Folder\"=\"C:\\\\UT\"\n"s),
     "C:\\UT"},
    {"value_before_any_key_belongs_to_none", kHeader + "\"Folder\"=\"C:\\\\UT\"\n" + kKey, ""},
    {"empty_file", "", ""},
};

class DamagedRegistry : public ::testing::TestWithParam<DamagedHive> {};

TEST_P(DamagedRegistry, gives_the_folder_or_empty_text)
{
    EXPECT_EQ(platform::wine::gameFolderFromSystemReg(GetParam().text).folder, GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(, DamagedRegistry, ::testing::ValuesIn(kHives), RowName{});

TEST(HugeRegistry, ten_megabyte_line_before_the_value_is_passed_over)
{
    const std::string text =
        hive("\"Big\"=\"" + std::string(10U << 20, 'x') + "\"\n\"Folder\"=\"C:\\\\UT\"\n");
    EXPECT_EQ(platform::wine::gameFolderFromSystemReg(text).folder, "C:\\UT");
}

} // namespace
} // namespace velmora::test
