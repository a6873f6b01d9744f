#include "platform/codepage.h"
#include "support/rowname.h"

#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;

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

TEST(Unicode, Utf8EdgesAndLettersFoldedAsWineFoldsThem)
{
    EXPECT_EQ(utf16FromUtf8("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(utf8FromUtf16(u"\U00010000"), "\xF0\x90\x80\x80");
    EXPECT_EQ(foldCase("\xC3\x89\xC4\x80\xD0\x81\xC5\xB8"), "\xC3\xA9\xC4\x81\xD1\x91\xC3\xBF");
}

} // namespace
} // namespace velmora::platform
