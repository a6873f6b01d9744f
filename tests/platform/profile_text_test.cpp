// Reading and writing one key in profile text. Rows named "decided_..." fix behaviour that
// Windows has not been seen to show, or where Velmora deliberately differs from it.

#include "platform/profile.h"
#include "support/rowname.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;

using namespace std::string_literals;
using namespace std::string_view_literals;

constexpr auto kC1 =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n"sv;
constexpr auto kC2 =
    "\r\nkey=val_no_section\r\n[]\r\nkey=val_e_section\r\n[s]\r\n=val_no_key\r\n[t]\r\n"sv;
constexpr auto kSK = "[s]\r\nk=v\r\n"sv;

struct ReadRow {
    const char* name;
    std::string_view file, section, key, defaultValue;
    std::size_t bufferSize;
    std::string_view expected;
};

// clang-format off
const ReadRow kReadRows[] = {
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
    {"default_loses_only_trailing_spaces", kC1, "section1", "notakey", " \tone two\t  ", 260, " \tone two\t"},
    {"decided_default_of_spaces_is_empty", kC1, "section1", "notakey", "   ", 260, ""},
    {"default_cut_to_buffer", kC1, "section1", "notakey", "default", 4, "def"},
    {"decided_default_keeps_quotes", kC1, "section1", "notakey", "\"q\"", 260, "\"q\""},
    {"cr_only_lines", "[a]\rk=1\r[s]\rk=v\r", "s", "k", "def", 100, "v"},
    {"lf_only_lines", "[Test]\nProfileInt=123\n", "Test", "ProfileInt", "0", 30, "123"},
    {"key_and_value_lose_outer_blanks", "[s]\r\n \tk\t = \t v x \t \r\n", "s", "k", "def", 100, "v x"},
    {"header_loses_blanks_around_and_inside_brackets", "  \t[ \tx\t ]\r\nk=v\r\n", "x", "k", "def", 100, "v"},
    {"arguments_lose_spaces", kSK, "  s  ", "  k  ", "def", 100, "v"},
    {"section_argument_keeps_tab", kSK, "\ts", "k", "def", 100, "def"},
    {"key_argument_keeps_tab", kSK, "s", "k\t", "def", 100, "def"},
    {"quotes_keep_inner_blanks", "[s]\r\nk=  \"   v   \"  \r\n", "s", "k", "def", 100, "   v   "},
    {"single_quotes_stripped", "[s]\r\nk='v'\r\n", "s", "k", "def", 100, "v"},
    {"mismatched_quotes_kept", "[s]\r\nk=\"v'\r\n", "s", "k", "def", 100, "\"v'"},
    {"only_outer_quotes_stripped", "[s]\r\nk=\"'v'\"\r\n", "s", "k", "def", 100, "'v'"},
    {"decided_quote_must_end_value", "[s]\r\nk=\"a\" b\r\n", "s", "k", "def", 100, "\"a\" b"},
    {"decided_empty_quotes_give_empty", "[s]\r\nk=\"\"\r\n", "s", "k", "def", 100, ""},
    {"decided_lone_quote_kept", "[s]\r\nk=\"\r\n", "s", "k", "def", 100, "\""},
    {"decided_quoted_value_fitting_buffer_kept_whole", "[s]\r\nk=\"val2\"\r\n", "s", "k", "def", 5, "val2"},
    {"indented_comment_never_a_key", "[s]\r\n ;k=v\r\n", "s", ";k", "def", 100, "def"},
    {"no_inline_comments", "[s]\r\nk=;v ; c\r\n", "s", "k", "def", 100, ";v ; c"},
    {"hash_is_not_a_comment", "[s]\r\n#k=v\r\n", "s", "#k", "def", 100, "v"},
    {"decided_line_without_equals_is_no_key", kC1, "section1", "name3", "def", 100, "def"},
    {"empty_value_is_not_default", "[s]\r\nk=\r\n", "s", "k", "def", 100, ""},
    {"decided_value_keeps_later_equals", "[s]\r\nk=a=b\r\n", "s", "k", "def", 100, "a=b"},
    {"first_duplicate_key_wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "def", 100, "1"},
    {"only_first_duplicate_section_searched", "[s]\r\nk=1\r\n[t]\r\n[S]\r\nj=2\r\n", "s", "j", "def", 100, "def"},
    {"empty_section_name_is_a_section", kC2, "", "key", "", 100, "val_e_section"},
    {"empty_key_name_is_a_key", kC2, "s", "", "", 100, "val_no_key"},
    {"lines_before_first_header_unreachable", "k=v\r\n[s]\r\n", "", "k", "def", 100, "def"},
    {"decided_text_after_header_ignored", "[s]junk\r\nk=v\r\n", "s", "k", "def", 100, "v"},
    {"key_on_header_line_ignored", "[s]k=v\r\n", "s", "k", "def", 100, "def"},
    {"header_without_bracket_accepted", "[s   \r\nk=v\r\n", "s", "k", "def", 100, "v"},
    {"header_ends_at_first_bracket", "[a]b]\r\nk=v\r\n", "a", "k", "def", 100, "v"},
    {"decided_bracket_inside_header_is_part_of_name", "[ [b]\r\nk=v\r\n", "[b", "k", "def", 100, "v"},
    {"closing_bracket_alone_is_no_header", "s]\r\nk=v\r\n", "s", "k", "def", 100, "def"},
    {"quotes_kept_in_names", "[\"s\"]\r\n'k'=v\r\n", "\"s\"", "'k'", "def", 100, "v"},
    {"last_line_without_break", "[s]\r\nk=v", "s", "k", "def", 100, "v"},
    {"utf8_mark_hides_first_header", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n", "s", "k", "def", 100, "def"},
    {"utf8_mark_leaves_later_headers", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n", "t", "k", "def", 100, "w"},
    {"utf16le_file_decoded", "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"sv, "s", "k", "def", 100, "v"},
    {"decided_utf16le_character_outside_code_page_reads_as_question_mark", "\xFF\xFE[\0s\0]\0\n\0k\0=\0\x2D\x4Ex\0"sv, "s", "k", "def", 100, "?x"},
    {"utf16be_file_not_decoded", "\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n"sv, "s", "k", "def", 100, "def"},
    {"decided_high_bytes_passed_through", "[s]\r\nk=caf\xE9\r\n", "s", "k", "def", 100, "caf\xE9"},
    {"decided_accented_names_match_without_case", "[CAF\xC9]\r\nK\xC9Y=v\r\n", "caf\xE9", "k\xE9y", "def", 100, "v"},
    {"decided_lone_bracket_opens_empty_section", "[s]\r\n[\r\nk=v\r\n", "s", "k", "def", 100, "def"},
    {"decided_nul_in_value_kept", "[s]\r\nk=a\0b\r\n"sv, "s", "k", "def", 100, "a\0b"sv},
    {"decided_form_feed_is_not_blank", "[s]\r\nk=\fv\r\n", "s", "k", "def", 100, "\fv"},
};
// clang-format on

class ReadRule : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadRule, GivesWindowsResult)
{
    const ReadRow& c = GetParam();
    EXPECT_EQ(profileReadText(c.file, c.section, c.key, c.defaultValue, c.bufferSize),
              std::string(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Text, ReadRule, testing::ValuesIn(kReadRows), test::RowName());

// Windows takes a value's length modulo 65536.
TEST(ReadLongValue, decided_values_past_65535_characters_do_not_wrap)
{
    for (const std::size_t length : {65535u, 65536u, 65537u}) {
        const std::string value(length, 'x');
        EXPECT_EQ(profileReadText("[s]\r\nk=" + value, "s", "k", "def", length + 2), value);
    }
}

std::string utf16(std::string_view ascii)
{
    std::string units = "\xFF\xFE";
    for (const char c : ascii)
        units += {c, '\0'};
    return units;
}

struct Call {
    std::string_view section, key, value;
};

struct WriteRow {
    const char* name;
    std::string before;
    std::vector<Call> calls;
    WriteStatus status; // of the last call
    std::string after;
};

constexpr auto W = WriteStatus::Written;
constexpr auto U = WriteStatus::Unchanged;
constexpr auto R = WriteStatus::Refused;
const std::string kUtf16Wide = "\xFF\xFE;\0\x2D\x4E\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"s;
const std::string kUtf16Pair =
    "\xFF\xFE;\0\x3D\xD8\x00\xDE\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"s;

// clang-format off
const WriteRow kWriteRows[] = {
    {"keys_and_sections_in_write_order", "", {{"A1", "k1", "s1"}, {"A1", "k2", "s2"}, {"A2", "k3", "s3"}, {"A3", "k4", "s4"}}, W, "[A1]\r\nk1=s1\r\nk2=s2\r\n[A2]\r\nk3=s3\r\n[A3]\r\nk4=s4\r\n"},
    {"nul_bytes_before_first_section_kept", "Data \0 before \0 section"s, {{"s1", "k1", "v1"}}, W, "Data \0 before \0 section\r\n[s1]\r\nk1=v1\r\n"s},
    {"replaced_key_keeps_spelling_and_gets_ending", "[SectionName]\r\nTestKey=TestValue", {{"SECTIONNAME", "TESTKEY", "TestValue2"}}, W, "[SectionName]\r\nTestKey=TestValue2\r\n"},
    {"new_keys_follow_last_key", "[S]\r\nb=value\r\na=value\r\n", {{"S", "z", ""}, {"S", "b", ""}, {"S", "y", ""}, {"S", "a", ""}}, W, "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n"},
    {"comments_keep_their_places", ";c0\r\n[S]\r\n;c1\r\nb=value\r\n;c2\r\na=value\r\n", {{"S", "z", ""}, {"S", "a", ""}, {"S", "b", ""}}, W, ";c0\r\n[S]\r\n;c1\r\nb=\r\n;c2\r\na=\r\nz=\r\n"},
    {"arguments_lose_spaces", "", {{"  sec  ", "  key  ", "v"}}, W, "[sec]\r\nkey=v\r\n"},
    {"value_blanks_written_verbatim", "", {{"s", "k", " \tvalue\t "}}, W, "[s]\r\nk= \tvalue\t \r\n"},
    {"section_and_value_may_start_with_semicolon", "", {{";section", "k", ";v"}}, W, "[;section]\r\nk=;v\r\n"},
    {"decided_new_key_before_blank_line", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", {{"a", "z", "3"}}, W, "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
    {"decided_other_lines_keep_spacing", "[s]\r\na = 1\r\nk=v\r\n", {{"s", "k", "w"}}, W, "[s]\r\na = 1\r\nk=w\r\n"},
    {"line_break_before_section_when_file_lacks_one", "[s]\r\nk=v", {{"t", "j", "1"}}, W, "[s]\r\nk=v\r\n[t]\r\nj=1\r\n"},
    {"decided_blank_last_line_kept_before_new_section", "[s]\r\nk=v\r\n\r\n", {{"t", "j", "1"}}, W, "[s]\r\nk=v\r\n\r\n[t]\r\nj=1\r\n"},
    {"utf8_mark_only_file_gets_line_break_first", "\xEF\xBB\xBF", {{"S", "k", "v"}}, W, "\xEF\xBB\xBF\r\n[S]\r\nk=v\r\n"},
    {"decided_utf8_mark_hides_first_header", "\xEF\xBB\xBF[s]\r\nk=v\r\n", {{"s", "k", "w"}}, W, "\xEF\xBB\xBF[s]\r\nk=v\r\n[s]\r\nk=w\r\n"},
    {"decided_utf16_mark_only_file_gets_section_on_first_line", "\xFF\xFE", {{"s", "k", "v"}}, W, utf16("[s]\r\nk=v\r\n")},
    {"utf16_value_replaced_in_utf16", utf16("[s]\r\nk=v\r\n"), {{"s", "k", "w"}}, W, utf16("[s]\r\nk=w\r\n")},
    {"utf16_key_added_in_utf16", utf16("[s]\r\nk=v\r\n"), {{"s", "j", "\xE9"}}, W, utf16("[s]\r\nk=v\r\nj=\xE9\r\n")},
    {"utf16_characters_outside_code_page_kept", kUtf16Wide, {{"s", "k", "w"}}, W, "\xFF\xFE;\0\x2D\x4E\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0w\0\r\0\n\0"s},
    {"utf16_surrogate_pair_kept", kUtf16Pair, {{"s", "k", "w"}}, W, "\xFF\xFE;\0\x3D\xD8\x00\xDE\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0w\0\r\0\n\0"s},
    {"utf16_same_value_unchanged", utf16("[s]\r\nk=v\r\n"), {{"s", "k", "v"}}, U, utf16("[s]\r\nk=v\r\n")},
    {"decided_utf16_odd_length_refused", utf16("[s]\r\n") + "x", {{"s", "k", "v"}}, R, utf16("[s]\r\n") + "x"},
    {"decided_utf16be_refused_not_corrupted", "\xFE\xFF\0\r\0\n"s, {{"S", "K", "V"}}, R, "\xFE\xFF\0\r\0\n"s},
    {"decided_header_ends_at_first_bracket", "[a]b]\r\nk=v\r\n", {{"a", "k", "w"}}, W, "[a]b]\r\nk=w\r\n"},
    {"decided_header_without_bracket", "[s   \r\nk=v\r\n", {{"s", "k", "w"}}, W, "[s   \r\nk=w\r\n"},
    {"first_duplicate_key_updated", "[s]\r\nk=1\r\nk=2\r\n", {{"s", "k", "3"}}, W, "[s]\r\nk=3\r\nk=2\r\n"},
    {"same_value_leaves_text_unchanged", "[s]\r\nk=v\r\n", {{"s", "k", "v"}}, U, "[s]\r\nk=v\r\n"},
    {"decided_same_value_on_last_line_without_break_unchanged", "[s]\r\nk=v", {{"s", "k", "v"}}, U, "[s]\r\nk=v"},
    {"decided_lf_file_gets_lf_lines", "[s]\nk=v\n", {{"s", "j", "1"}}, W, "[s]\nk=v\nj=1\n"},
    {"decided_cr_file_gets_cr_lines", "[s]\rk=v", {{"t", "j", "1"}}, W, "[s]\rk=v\r[t]\rj=1\r"},
    {"decided_replaced_line_keeps_own_ending", "[s]\r\nk=v\n[t]\r\n", {{"s", "k", "w"}}, W, "[s]\r\nk=w\n[t]\r\n"},
    {"decided_new_key_before_trailing_blank_lines", "[s]\r\n\r\nk=v\r\n\r\n", {{"s", "j", "1"}}, W, "[s]\r\n\r\nk=v\r\nj=1\r\n\r\n"},
    {"decided_odd_spacing_and_header_text_kept", "  [s]  ; hdr\r\n\tk\t=\tv\t\r\n", {{"s", "j", "1"}}, W, "  [s]  ; hdr\r\n\tk\t=\tv\t\r\nj=1\r\n"},
    {"value_leading_space_written", "[s]\r\nk=v\r\n", {{"s", "k", " v"}}, W, "[s]\r\nk= v\r\n"},
    {"decided_first_duplicate_section_gets_new_key", "[s]\r\nk=1\r\n[s]\r\nj=2\r\n", {{"s", "j", "3"}}, W, "[s]\r\nk=1\r\nj=3\r\n[s]\r\nj=2\r\n"},
    {"decided_key_without_key_lines_goes_after_header", "[s]\r\n; only comment\r\n", {{"s", "j", "1"}}, W, "[s]\r\nj=1\r\n; only comment\r\n"},
    {"decided_new_key_after_last_line_without_break", "[s]\r\nk=v", {{"s", "j", "1"}}, W, "[s]\r\nk=v\r\nj=1\r\n"},
    {"decided_header_at_end_without_break", "[s]", {{"s", "k", "v"}}, W, "[s]\r\nk=v\r\n"},
    {"decided_text_before_value_kept", "[s]\r\nk = old ; c\r\n", {{"s", "k", "new"}}, W, "[s]\r\nk = new\r\n"},
    {"decided_quoted_value_rewritten_as_given", "[s]\r\nk=\"v\"\r\n", {{"s", "k", "v"}}, W, "[s]\r\nk=v\r\n"},
    {"decided_line_without_equals_is_no_key", "[s]\r\nk\r\nj=1\r\n", {{"s", "k", "5"}}, W, "[s]\r\nk\r\nj=1\r\nk=5\r\n"},
    {"decided_lone_bracket_file_gets_line_break_first", "[", {{"s", "k", "v"}}, W, "[\r\n[s]\r\nk=v\r\n"},
    {"decided_mixed_endings_each_kept", "[s]\nk=v\r\nj=1\rx=2\r\n", {{"s", "j", "9"}}, W, "[s]\nk=v\r\nj=9\rx=2\r\n"},
    {"decided_key_spelled_otherwise_replaced", "[s]\r\nFullscreenColorBits=16\r\n", {{"s", "FullscreenColorbits", "32"}}, W, "[s]\r\nFullscreenColorBits=32\r\n"},
};
// clang-format on

class WriteRule : public testing::TestWithParam<WriteRow> {};

TEST_P(WriteRule, GivesExpectedBytes)
{
    const WriteRow& c = GetParam();
    std::string text = c.before;
    TextEdit edit;
    for (const Call& call : c.calls) {
        edit = profileWriteText(text, call.section, call.key, call.value);
        if (edit.status == WriteStatus::Written)
            text = edit.contents;
    }
    EXPECT_EQ(edit.status, c.status) << edit.reason;
    EXPECT_EQ(text, c.after);
}

INSTANTIATE_TEST_SUITE_P(Text, WriteRule, testing::ValuesIn(kWriteRows), test::RowName());

// Requests that would break the file's structure or write a name that could never be read
// back; Windows writes all of them.
struct RefusedRow {
    const char* name;
    std::string_view section, key, value;
};

// clang-format off
const RefusedRow kRefusedRows[] = {
    {"value_with_crlf", "s", "k", "a\r\nb=c"},
    {"value_with_lf", "s", "k", "\nvalue\n"},
    {"value_with_cr", "s", "k", "a\rb"},
    {"value_with_nul", "s", "k", "a\0b"sv},
    {"key_with_lf", "s", "k\nj", "v"},
    {"key_with_nul", "s", "k\0j"sv, "v"},
    {"blank_key", "s", "   ", "v"},
    {"section_with_cr", "s\rt", "k", "v"},
    {"section_with_nul", "s\0t"sv, "k", "v"},
    {"key_with_equals", "s", "a=b", "v"},
    {"section_with_closing_bracket", "a]b", "k", "v"},
    {"key_starting_with_semicolon_after_spaces", "s", "  ;key", "v"},
    {"key_starting_with_bracket", "s", "[k", "v"},
    {"empty_section", "  ", "k", "v"},
    {"empty_key", "s", "", "v"},
    {"section_with_outer_tabs", "\tsec\t", "k", "v"},
    {"key_with_outer_tab", "s", "key\t", "v"},
    {"key_with_outer_vertical_tab", "s", "\vkey", "v"},
};
// clang-format on

class RefusedWrite : public testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedWrite, ChangesNothingAndSaysWhy)
{
    const RefusedRow& c = GetParam();
    const TextEdit edit = profileWriteText(kSK, c.section, c.key, c.value);
    EXPECT_EQ(edit.status, WriteStatus::Refused);
    EXPECT_FALSE(edit.reason.empty());
    EXPECT_TRUE(edit.contents.empty());
}

INSTANTIATE_TEST_SUITE_P(Text, RefusedWrite, testing::ValuesIn(kRefusedRows), test::RowName());

} // namespace
} // namespace velmora::platform
