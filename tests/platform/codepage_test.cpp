#include "platform/codepage.h"
#include "support/rowname.h"

#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

struct CodePageRow {
    const char* name;
    std::string_view cp1252;
    std::string_view utf8;
};

const CodePageRow kCodePageRows[] = {
    {.name = "ascii", .cp1252 = "C:\\UT", .utf8 = "C:\\UT"},
    {.name = "latin1",
     .cp1252 = "\xC9"
               "dition",
     .utf8 = "\xC3\x89"
             "dition"},
    {.name = "euro_and_quotes", .cp1252 = "\x80\x93", .utf8 = "\xE2\x82\xAC\xE2\x80\x9C"},
    {.name = "undefined_byte_round_trips", .cp1252 = "\x81", .utf8 = "\xC2\x81"},
};

class CodePage1252 : public testing::TestWithParam<CodePageRow> {};

TEST_P(CodePage1252, RoundTripsThroughUnicode)
{
    EXPECT_EQ(utf8FromCp1252(GetParam().cp1252), GetParam().utf8);
    EXPECT_EQ(cp1252FromUtf16(utf16FromUtf8(GetParam().utf8)), GetParam().cp1252);
    EXPECT_EQ(utf16FromCp1252(GetParam().cp1252), utf16FromUtf8(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(Text, CodePage1252, testing::ValuesIn(kCodePageRows), test::RowName());

struct FoldRow {
    const char* name;
    std::string_view text;
    std::string_view folded;
};

const FoldRow kFoldRows[] = {
    {.name = "ascii", .text = "UnrealTournament.INI", .folded = "unrealtournament.ini"},
    {.name = "latin1_but_not_times_sign", .text = "\xC3\x89\xC3\x97", .folded = "\xC3\xA9\xC3\x97"},
    {.name = "latin_extended_a", .text = "\xC5\x81\xC5\xB8", .folded = "\xC5\x82\xC3\xBF"},
    {.name = "cyrillic", .text = "\xD0\x98\xD0\x81", .folded = "\xD0\xB8\xD1\x91"},
    {.name = "malformed_utf8_becomes_replacement", .text = "A\xFF", .folded = "a\xEF\xBF\xBD"},
};

class CaseFold : public testing::TestWithParam<FoldRow> {};

TEST_P(CaseFold, FoldsLettersToLowerCase)
{
    EXPECT_EQ(foldCase(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(Text, CaseFold, testing::ValuesIn(kFoldRows), test::RowName());

} // namespace
} // namespace velmora::platform
