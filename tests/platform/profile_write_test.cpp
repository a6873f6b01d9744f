// Writing one key into profile text: golden before/after pairs compared byte for byte, then
// every managed key of the real game files. Rows named "decided_..." fix behaviour that
// Windows has not been seen to show, or where Velmora deliberately differs from it.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/rowname.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

std::string utf16(std::string_view ascii)
{
    std::string units = "\xFF\xFE";
    for (const char c : ascii) {
        units.push_back(c);
        units.push_back('\0');
    }
    return units;
}

struct Call {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

struct WriteCase {
    const char* name;
    std::string before;
    std::vector<Call> calls;
    WriteStatus status; // of the last call
    std::string after;
};

std::ostream& operator<<(std::ostream& out, const WriteCase& c)
{
    return out << c.name;
}

const std::string kX13Before =
    ";comment0\r\n[S]\r\n;comment1\r\nb=value\r\n;comment2\r\na=value\r\n";
const std::string kUtf16Wide = "\xFF\xFE;\0\x2D\x4E\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"s;
// A comment holding U+1F600, two code units.
const std::string kUtf16Pair =
    "\xFF\xFE;\0\x3D\xD8\x00\xDE\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"s;

const WriteCase kWriteCases[] = {
    {"new_file_gets_section_and_key",
     "",
     {{"s", "k", "v"}},
     WriteStatus::Written,
     "[s]\r\nk=v\r\n"},
    {"keys_and_sections_in_write_order",
     "",
     {{"App1", "key1", "string1"},
      {"App1", "key2", "string2"},
      {"App1", "key3", "string3"},
      {"App2", "key4", "string4"},
      {"App3", "key5", "string5"}},
     WriteStatus::Written,
     "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
     "[App3]\r\nkey5=string5\r\n"},
    {"empty_value_written", "", {{"App", "key", ""}}, WriteStatus::Written, "[App]\r\nkey=\r\n"},
    {"nul_bytes_before_first_section_kept",
     "Data \0 before \0 first \0 section"s,
     {{"section1", "key1", "string1"}},
     WriteStatus::Written,
     "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"s},
    {"replaced_key_keeps_spelling_and_gets_ending",
     "[SectionName]\r\nTestKey=TestValue",
     {{"SECTIONNAME", "TESTKEY", "TestValue2"}},
     WriteStatus::Written,
     "[SectionName]\r\nTestKey=TestValue2\r\n"},
    {"new_keys_follow_last_key",
     "[S]\r\nb=value\r\na=value\r\n",
     {{"S", "z", ""}, {"S", "b", ""}, {"S", "y", ""}, {"S", "a", ""}},
     WriteStatus::Written,
     "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n"},
    {"comments_keep_their_places",
     kX13Before,
     {{"S", "z", ""}, {"S", "y", ""}, {"S", "a", ""}, {"S", "b", ""}},
     WriteStatus::Written,
     ";comment0\r\n[S]\r\n;comment1\r\nb=\r\n;comment2\r\na=\r\nz=\r\ny=\r\n"},
    {"arguments_lose_spaces",
     "",
     {{"  sec  ", "  key  ", "v"}},
     WriteStatus::Written,
     "[sec]\r\nkey=v\r\n"},
    {"value_spaces_written_verbatim",
     "",
     {{"s", "k", " value "}},
     WriteStatus::Written,
     "[s]\r\nk= value \r\n"},
    {"value_tabs_written_verbatim",
     "",
     {{"s", "k", "\tvalue\t"}},
     WriteStatus::Written,
     "[s]\r\nk=\tvalue\t\r\n"},
    {"section_may_start_with_semicolon",
     "",
     {{";section", "k", "v"}},
     WriteStatus::Written,
     "[;section]\r\nk=v\r\n"},
    {"value_may_start_with_semicolon",
     "",
     {{"s", "k", ";nocomment"}},
     WriteStatus::Written,
     "[s]\r\nk=;nocomment\r\n"},
    {"decided_new_key_before_blank_line",
     "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
     {{"a", "z", "3"}},
     WriteStatus::Written,
     "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
    {"decided_other_lines_keep_spacing",
     "[s]\r\na = 1\r\nk=v\r\n",
     {{"s", "k", "w"}},
     WriteStatus::Written,
     "[s]\r\na = 1\r\nk=w\r\n"},
    {"line_break_before_section_when_file_lacks_one",
     "[s]\r\nk=v",
     {{"t", "j", "1"}},
     WriteStatus::Written,
     "[s]\r\nk=v\r\n[t]\r\nj=1\r\n"},
    {"decided_blank_last_line_kept_before_new_section",
     "[s]\r\nk=v\r\n\r\n",
     {{"t", "j", "1"}},
     WriteStatus::Written,
     "[s]\r\nk=v\r\n\r\n[t]\r\nj=1\r\n"},
    {"utf8_mark_only_file_gets_line_break_first",
     "\xEF\xBB\xBF",
     {{"S", "k", "v"}},
     WriteStatus::Written,
     "\xEF\xBB\xBF\r\n[S]\r\nk=v\r\n"},
    {"decided_utf8_mark_hides_first_header",
     "\xEF\xBB\xBF[s]\r\nk=v\r\n",
     {{"s", "k", "w"}},
     WriteStatus::Written,
     "\xEF\xBB\xBF[s]\r\nk=v\r\n[s]\r\nk=w\r\n"},
    {"decided_utf16_mark_only_file_gets_section_on_first_line",
     "\xFF\xFE",
     {{"s", "k", "v"}},
     WriteStatus::Written,
     utf16("[s]\r\nk=v\r\n")},
    {"utf16_value_replaced_in_utf16",
     utf16("[s]\r\nk=v\r\n"),
     {{"s", "k", "w"}},
     WriteStatus::Written,
     utf16("[s]\r\nk=w\r\n")},
    {"utf16_key_added_in_utf16",
     utf16("[s]\r\nk=v\r\n"),
     {{"s", "j", "\xE9"}},
     WriteStatus::Written,
     utf16("[s]\r\nk=v\r\nj=\xE9\r\n")},
    {"utf16_characters_outside_code_page_kept",
     kUtf16Wide,
     {{"s", "k", "w"}},
     WriteStatus::Written,
     "\xFF\xFE;\0\x2D\x4E\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0w\0\r\0\n\0"s},
    {"utf16_surrogate_pair_kept",
     kUtf16Pair,
     {{"s", "k", "w"}},
     WriteStatus::Written,
     "\xFF\xFE;\0\x3D\xD8\x00\xDE\r\0\n\0[\0s\0]\0\r\0\n\0k\0=\0w\0\r\0\n\0"s},
    {"utf16_same_value_unchanged",
     utf16("[s]\r\nk=v\r\n"),
     {{"s", "k", "v"}},
     WriteStatus::Unchanged,
     utf16("[s]\r\nk=v\r\n")},
    {"decided_utf16_odd_length_refused",
     utf16("[s]\r\n") + "x",
     {{"s", "k", "v"}},
     WriteStatus::Refused,
     utf16("[s]\r\n") + "x"},
    {"decided_utf16be_refused_not_corrupted",
     "\xFE\xFF\0\r\0\n"s,
     {{"S", "K", "V"}},
     WriteStatus::Refused,
     "\xFE\xFF\0\r\0\n"s},
    {"decided_header_ends_at_first_bracket",
     "[a]b]\r\nk=v\r\n",
     {{"a", "k", "w"}},
     WriteStatus::Written,
     "[a]b]\r\nk=w\r\n"},
    {"decided_header_without_bracket",
     "[s   \r\nk=v\r\n",
     {{"s", "k", "w"}},
     WriteStatus::Written,
     "[s   \r\nk=w\r\n"},
    {"first_duplicate_key_updated",
     "[s]\r\nk=1\r\nk=2\r\n",
     {{"s", "k", "3"}},
     WriteStatus::Written,
     "[s]\r\nk=3\r\nk=2\r\n"},
    {"same_value_leaves_text_unchanged",
     "[s]\r\nk=v\r\n",
     {{"s", "k", "v"}},
     WriteStatus::Unchanged,
     "[s]\r\nk=v\r\n"},
    {"decided_same_value_on_last_line_without_break_unchanged",
     "[s]\r\nk=v",
     {{"s", "k", "v"}},
     WriteStatus::Unchanged,
     "[s]\r\nk=v"},
    {"decided_lf_file_gets_lf_lines",
     "[s]\nk=v\n",
     {{"s", "j", "1"}},
     WriteStatus::Written,
     "[s]\nk=v\nj=1\n"},
    {"decided_cr_file_gets_cr_lines",
     "[s]\rk=v",
     {{"t", "j", "1"}},
     WriteStatus::Written,
     "[s]\rk=v\r[t]\rj=1\r"},
    {"decided_replaced_line_keeps_own_ending",
     "[s]\r\nk=v\n[t]\r\n",
     {{"s", "k", "w"}},
     WriteStatus::Written,
     "[s]\r\nk=w\n[t]\r\n"},
    {"decided_new_key_before_trailing_blank_lines",
     "[s]\r\n\r\nk=v\r\n\r\n",
     {{"s", "j", "1"}},
     WriteStatus::Written,
     "[s]\r\n\r\nk=v\r\nj=1\r\n\r\n"},
    {"decided_odd_spacing_and_header_text_kept",
     "  [s]  ; hdr\r\n\tk\t=\tv\t\r\n",
     {{"s", "j", "1"}},
     WriteStatus::Written,
     "  [s]  ; hdr\r\n\tk\t=\tv\t\r\nj=1\r\n"},
    {"value_leading_space_written",
     "[s]\r\nk=v\r\n",
     {{"s", "k", " v"}},
     WriteStatus::Written,
     "[s]\r\nk= v\r\n"},
    {"decided_first_duplicate_section_gets_new_key",
     "[s]\r\nk=1\r\n[s]\r\nj=2\r\n",
     {{"s", "j", "3"}},
     WriteStatus::Written,
     "[s]\r\nk=1\r\nj=3\r\n[s]\r\nj=2\r\n"},
    {"decided_key_without_key_lines_goes_after_header",
     "[s]\r\n; only comment\r\n",
     {{"s", "j", "1"}},
     WriteStatus::Written,
     "[s]\r\nj=1\r\n; only comment\r\n"},
    {"decided_new_key_after_last_line_without_break",
     "[s]\r\nk=v",
     {{"s", "j", "1"}},
     WriteStatus::Written,
     "[s]\r\nk=v\r\nj=1\r\n"},
    {"decided_header_at_end_without_break",
     "[s]",
     {{"s", "k", "v"}},
     WriteStatus::Written,
     "[s]\r\nk=v\r\n"},
    {"decided_text_before_value_kept",
     "[s]\r\nk = old ; c\r\n",
     {{"s", "k", "new"}},
     WriteStatus::Written,
     "[s]\r\nk = new\r\n"},
    {"decided_quoted_value_rewritten_as_given",
     "[s]\r\nk=\"v\"\r\n",
     {{"s", "k", "v"}},
     WriteStatus::Written,
     "[s]\r\nk=v\r\n"},
    {"decided_key_spelled_otherwise_replaced",
     "[s]\r\nFullscreenColorBits=16\r\n",
     {{"s", "FullscreenColorbits", "32"}},
     WriteStatus::Written,
     "[s]\r\nFullscreenColorBits=32\r\n"},
};

class WriteRule : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteRule, GivesExpectedBytes)
{
    const WriteCase& c = GetParam();
    std::string text = c.before;
    TextEdit edit;
    for (const Call& call : c.calls) {
        edit = profileWriteText(text, call.section, call.key, call.value);
        if (edit.status == WriteStatus::Written) {
            text = edit.contents;
        }
    }
    EXPECT_EQ(edit.status, c.status) << edit.reason;
    EXPECT_EQ(text, c.after);
}

INSTANTIATE_TEST_SUITE_P(Text, WriteRule, testing::ValuesIn(kWriteCases), test::RowName());

// Requests that would break the file's structure, or write a name that could never be read
// back; Windows writes all of them.
struct RefusedCase {
    const char* name;
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

std::ostream& operator<<(std::ostream& out, const RefusedCase& c)
{
    return out << c.name;
}

const RefusedCase kRefusedCases[] = {
    {"value_with_crlf", "s", "k", "a\r\nb=c"},
    {"value_with_lf", "s", "k", "\nvalue\n"},
    {"value_with_cr", "s", "k", "a\rb"},
    {"value_with_nul", "s", "k", "a\0b"sv},
    {"key_with_lf", "s", "k\nj", "v"},
    {"section_with_cr", "s\rt", "k", "v"},
    {"section_with_nul", "s\0t"sv, "k", "v"},
    {"key_with_equals", "s", "a=b", "v"},
    {"section_with_closing_bracket", "a]b", "k", "v"},
    {"key_starting_with_semicolon", "s", ";key", "v"},
    {"key_starting_with_semicolon_after_spaces", "s", "  ;key", "v"},
    {"key_starting_with_bracket", "s", "[k", "v"},
    {"empty_section", "  ", "k", "v"},
    {"empty_key", "s", "", "v"},
    {"section_with_outer_tabs", "\tsec\t", "k", "v"},
    {"key_with_outer_tab", "s", "key\t", "v"},
    {"key_with_outer_vertical_tab", "s", "\vkey", "v"},
};

class RefusedWrite : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedWrite, ChangesNothingAndSaysWhy)
{
    const RefusedCase& c = GetParam();
    const TextEdit edit = profileWriteText("[s]\r\nk=v\r\n", c.section, c.key, c.value);
    EXPECT_EQ(edit.status, WriteStatus::Refused);
    EXPECT_FALSE(edit.reason.empty());
    EXPECT_TRUE(edit.contents.empty());
}

INSTANTIATE_TEST_SUITE_P(Text, RefusedWrite, testing::ValuesIn(kRefusedCases), test::RowName());

} // namespace
} // namespace velmora::platform
