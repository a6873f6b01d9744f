// Reading one key. Rows named "decided_..." fix behaviour that Windows has not been seen to
// show; the others are what Windows does.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/files.h"
#include "support/rowname.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using namespace std::string_view_literals;
using test::inFolder;
using test::TemporaryFolder;
using test::writeFile;

constexpr auto kC1 =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n"sv;
constexpr auto kC1Cr = "[section1]\rname1=val1\rname2=\"val2\"\rname3\rname4=a\r[section2]\r"sv;
constexpr auto kC2 =
    "\r\nkey=val_no_section\r\n[]\r\nkey=val_e_section\r\n[s]\r\n=val_no_key\r\n[t]\r\n"sv;
constexpr auto kUtf16 = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"sv;
// [s] k=<U+4E2D>x: a character code page 1252 lacks reads as '?'.
constexpr auto kUtf16Wide = "\xFF\xFE[\0s\0]\0\n\0k\0=\0\x2D\x4Ex\0"sv;

struct ReadCase {
    const char* name;
    std::string_view file;
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
    std::size_t bufferSize;
    std::string_view expected;
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c)
{
    return out << c.name;
}

const ReadCase kReadCases[] = {
    {"value_found", kC1, "section1", "name1", "default", 260, "val1"},
    {"key_matches_without_case", kC1, "section1", "NaMe1", "default", 260, "val1"},
    {"section_matches_without_case", kC1, "SECTION1", "name1", "default", 260, "val1"},
    {"value_fits_buffer_exactly", kC1, "section1", "name1", "default", 5, "val1"},
    {"value_cut_to_buffer_less_one", kC1, "section1", "name1", "default", 4, "val"},
    {"buffer_of_one_gives_empty", kC1, "section1", "name4", "default", 1, ""},
    {"buffer_of_zero_gives_empty", kC1, "section1", "name1", "default", 0, ""},
    {"double_quotes_stripped", kC1, "section1", "name2", "default", 260, "val2"},
    {"missing_key_gives_default", kC1, "section1", "notakey", "default", 260, "default"},
    {"missing_section_gives_default", kC1, "notasection", "name1", "default", 260, "default"},
    {"empty_file_gives_default", "", "section1", "name1", "default", 260, "default"},
    {"empty_default_gives_empty", kC1, "section1", "notakey", "", 260, ""},
    {"default_loses_trailing_spaces", kC1, "section1", "notakey", "default  ", 260, "default"},
    {"default_keeps_inner_spaces", kC1, "section1", "notakey", "one two  ", 260, "one two"},
    {"decided_default_of_spaces_is_empty", kC1, "section1", "notakey", "   ", 260, ""},
    {"default_keeps_tabs", kC1, "section1", "notakey", "\tdef\t", 260, "\tdef\t"},
    {"default_keeps_leading_spaces", kC1, "section1", "notakey", "  lead", 260, "  lead"},
    {"default_cut_to_buffer", kC1, "section1", "notakey", "default", 4, "def"},
    {"decided_default_keeps_quotes", kC1, "section1", "notakey", "\"q\"", 260, "\"q\""},
    {"cr_only_lines", kC1Cr, "section1", "name2", "default", 260, "val2"},
    {"cr_only_lines_later_section", "[a]\rk=1\r[s]\rk=v\r", "s", "k", "def", 100, "v"},
    {"lf_only_lines", "[Test]\nProfileInt=123\n", "Test", "ProfileInt", "0", 30, "123"},
    {"value_loses_outer_blanks_keeps_inner", "[s]\r\nk = \t v x \t \r\n", "s", "k", "def", 100,
     "v x"},
    {"key_loses_blanks", "[s]\r\n \tk\t =v\r\n", "s", "k", "def", 100, "v"},
    {"header_loses_blanks_inside_brackets", "[ \tx\t ]\r\nk=v\r\n", "x", "k", "def", 100, "v"},
    {"header_after_blanks", "  \t[s]\r\nk=v\r\n", "s", "k", "def", 100, "v"},
    {"arguments_lose_spaces", "[s]\r\nk=v\r\n", "  s  ", "  k  ", "def", 100, "v"},
    {"section_argument_keeps_tab", "[s]\r\nk=v\r\n", "\ts", "k", "def", 100, "def"},
    {"key_argument_keeps_tab", "[s]\r\nk=v\r\n", "s", "k\t", "def", 100, "def"},
    {"quotes_keep_inner_blanks", "[s]\r\nk=  \"   v   \"  \r\n", "s", "k", "def", 100, "   v   "},
    {"single_quotes_stripped", "[s]\r\nk='v'\r\n", "s", "k", "def", 100, "v"},
    {"mismatched_quotes_kept", "[s]\r\nk=\"v'\r\n", "s", "k", "def", 100, "\"v'"},
    {"only_outer_quotes_stripped", "[s]\r\nk=\"'v'\"\r\n", "s", "k", "def", 100, "'v'"},
    {"decided_quote_must_end_value", "[s]\r\nk=\"a\" b\r\n", "s", "k", "def", 100, "\"a\" b"},
    {"decided_empty_quotes_give_empty", "[s]\r\nk=\"\"\r\n", "s", "k", "def", 100, ""},
    {"decided_lone_quote_kept", "[s]\r\nk=\"\r\n", "s", "k", "def", 100, "\""},
    {"decided_quoted_value_fitting_buffer_kept_whole", "[s]\r\nk=\"val2\"\r\n", "s", "k", "def", 5,
     "val2"},
    {"comment_line_never_a_key", "[s]\r\n;k=v\r\n", "s", ";k", "def", 100, "def"},
    {"indented_comment_never_a_key", "[s]\r\n ;k=v\r\n", "s", ";k", "def", 100, "def"},
    {"semicolon_in_value_kept", "[s]\r\nk=;nocomment\r\n", "s", "k", "def", 100, ";nocomment"},
    {"no_inline_comments", "[s]\r\nk=v ; c\r\n", "s", "k", "def", 100, "v ; c"},
    {"hash_is_not_a_comment", "[s]\r\n#k=v\r\n", "s", "#k", "def", 100, "v"},
    {"decided_line_without_equals_is_no_key", "[s]\r\nname3\r\n", "s", "name3", "def", 100, "def"},
    {"empty_value_is_not_default", "[s]\r\nk=\r\n", "s", "k", "def", 100, ""},
    {"decided_value_keeps_later_equals", "[s]\r\nk=a=b\r\n", "s", "k", "def", 100, "a=b"},
    {"first_duplicate_key_wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "def", 100, "1"},
    {"only_first_duplicate_section_searched", "[s]\r\nk=1\r\n[t]\r\n[S]\r\nj=2\r\n", "s", "j",
     "def", 100, "def"},
    {"empty_section_name_is_a_section", kC2, "", "key", "", 100, "val_e_section"},
    {"empty_key_name_is_a_key", kC2, "s", "", "", 100, "val_no_key"},
    {"lines_before_first_header_unreachable", "k=v\r\n[s]\r\n", "", "k", "def", 100, "def"},
    {"decided_text_after_header_ignored", "[s]junk\r\nk=v\r\n", "s", "k", "def", 100, "v"},
    {"key_on_header_line_ignored", "[s]k=v\r\n", "s", "k", "def", 100, "def"},
    {"header_without_bracket_accepted", "[s   \r\nk=v\r\n", "s", "k", "def", 100, "v"},
    {"header_ends_at_first_bracket", "[a]b]\r\nk=v\r\n", "a", "k", "def", 100, "v"},
    {"header_is_not_up_to_last_bracket", "[a]b]\r\nk=v\r\n", "a]b", "k", "def", 100, "def"},
    {"decided_bracket_inside_header_is_part_of_name", "[ [b]\r\nk=v\r\n", "[b", "k", "def", 100,
     "v"},
    {"decided_bracket_inside_header_opens_no_section", "[ [b]\r\nk=v\r\n", "b", "k", "def", 100,
     "def"},
    {"closing_bracket_alone_is_no_header", "s]\r\nk=v\r\n", "s", "k", "def", 100, "def"},
    {"quotes_kept_in_names", "[\"s\"]\r\n'k'=v\r\n", "\"s\"", "'k'", "def", 100, "v"},
    {"names_are_not_unquoted", "[\"s\"]\r\n'k'=v\r\n", "s", "k", "def", 100, "def"},
    {"last_line_without_break", "[s]\r\nk=v", "s", "k", "def", 100, "v"},
    {"utf8_mark_hides_first_header", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n", "s", "k", "def",
     100, "def"},
    {"utf8_mark_leaves_later_headers", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n", "t", "k", "def",
     100, "w"},
    {"utf16le_file_decoded", kUtf16, "s", "k", "def", 100, "v"},
    {"decided_utf16le_character_outside_code_page_reads_as_question_mark", kUtf16Wide, "s", "k",
     "def", 100, "?x"},
    {"utf16be_file_not_decoded", "\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n"sv, "s", "k", "def",
     100, "def"},
    {"decided_high_bytes_passed_through", "[s]\r\nk=caf\xE9\r\n", "s", "k", "def", 100, "caf\xE9"},
    {"decided_accented_names_match_without_case", "[CAF\xC9]\r\nK\xC9Y=v\r\n", "caf\xE9", "k\xE9y",
     "def", 100, "v"},
    {"decided_lone_bracket_opens_empty_section", "[s]\r\n[\r\nk=v\r\n", "s", "k", "def", 100,
     "def"},
    {"decided_nul_in_value_kept", "[s]\r\nk=a\0b\r\n"sv, "s", "k", "def", 100, "a\0b"sv},
    {"decided_form_feed_is_not_blank", "[s]\r\nk=\fv\r\n", "s", "k", "def", 100, "\fv"},
};

class ReadRule : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadRule, GivesWindowsResult)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(profileReadText(c.file, c.section, c.key, c.defaultValue, c.bufferSize),
              std::string(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Text, ReadRule, testing::ValuesIn(kReadCases), test::RowName());

// Windows takes a value's length modulo 65536; Velmora returns long values whole.
TEST(ReadLongValue, decided_values_past_65535_characters_do_not_wrap)
{
    for (const std::size_t length : {65535u, 65536u, 65537u}) {
        const std::string value(length, 'x');
        const std::string file = "[s]\r\nk=" + value + "\r\n";
        EXPECT_EQ(profileReadText(file, "s", "k", "def", length + 2), value) << length;
    }
}

// Known values of the real game files, read in the sections the game uses.
struct RealValue {
    const char* name;
    const char* file;
    std::string_view section;
    std::string_view key;
    std::string_view expected;
};

std::ostream& operator<<(std::ostream& out, const RealValue& c)
{
    return out << c.name;
}

const RealValue kRealValues[] = {
    {"stock_render_device", "stock-436-server-package-default.ini", "Engine.Engine",
     "GameRenderDevice", "SoftDrv.SoftwareRenderDevice"},
    {"client451_colour_bits_other_spelling", "client-451-windows-d3d.ini", "WinDrv.WindowsClient",
     "FullscreenColorbits", "32"},
    {"client451_client_section_not_x_client", "client-451-windows-d3d.ini", "WinDrv.WindowsClient",
     "MinDesiredFrameRate", "28.000000"},
    {"client469_lf_file", "client-469d-windows-xopengl.ini", "XOpenGLDrv.XOpenGLRenderDevice",
     "Coronas", "True"},
    {"linux_has_no_windows_client", "linux-sdl-opengl.ini", "WinDrv.WindowsClient", "Decals",
     "Default"},
    {"server_game_engine_not_editor_engine", "dedicated-server-436-newnet-ace.ini",
     "Engine.GameEngine", "CacheSizeMegs", "128"},
    {"stock_quoted_value", "stock-436-server-package-default.ini", "UMenu.UMenuMenuBar",
     "GameUMenuDefault", "UTMenu.UTGameMenu"},
    {"server_value_loses_trailing_blank", "dedicated-server-436-newnet-ace.ini",
     "UTServerAdmin.UTServerAdmin", "DefaultSendText", "say"},
};

class RealFileRead : public testing::TestWithParam<RealValue> {};

TEST_P(RealFileRead, GivesGameValue)
{
    const RealValue& c = GetParam();
    const std::string path = std::string(VELMORA_TESTDATA) + "/ut-ini/" + c.file;
    ASSERT_TRUE(fileExists(path)) << path;
    EXPECT_EQ(getProfileString(path, c.section, c.key, "Default", 255), std::string(c.expected));
}

INSTANTIATE_TEST_SUITE_P(GameFiles, RealFileRead, testing::ValuesIn(kRealValues), test::RowName());

class FileRead : public testing::Test {
protected:
    std::string path(const char* name) const { return inFolder(m_dir.path(), name); }
    static void put(const std::string& file, std::string_view bytes) { writeFile(file, bytes); }

    TemporaryFolder m_dir;
};

TEST_F(FileRead, MissingFileGivesDefault)
{
    EXPECT_EQ(getProfileString(path("absent.ini"), "s", "k", "Default  ", 255), "Default");
}

TEST_F(FileRead, FolderInPlaceOfFileGivesDefault)
{
    std::filesystem::create_directory(path("dir.ini"));
    EXPECT_EQ(getProfileString(path("dir.ini"), "s", "k", "Default", 255), "Default");
}

TEST_F(FileRead, EveryReadSeesOutsideChanges)
{
    const std::string file = path("game.ini");
    put(file, "[s]\r\nk=1\r\n");
    EXPECT_EQ(getProfileString(file, "s", "k", "Default", 255), "1");
    put(file, "[s]\r\nk=2\r\n");
    EXPECT_EQ(getProfileString(file, "s", "k", "Default", 255), "2");
    std::filesystem::remove(file);
    EXPECT_EQ(getProfileString(file, "s", "k", "Default", 255), "Default");
}

} // namespace
} // namespace velmora::platform
