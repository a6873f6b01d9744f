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

} // namespace
} // namespace velmora::platform
