// Code page 1252 and Unicode, by the rules in tests/data/system-rules.tsv.

#include "platform/codepage.h"
#include "support/rowname.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

VELMORA_RULES(CodePage1252, RoundTripsThroughUnicode, "system-rules.tsv", "cp1252", 3)
{
    const auto& [cp1252, utf8] = std::pair(GetParam()[1], GetParam()[2]);
    EXPECT_EQ(utf8FromCp1252(cp1252), utf8);
    EXPECT_EQ(cp1252FromUtf16(utf16FromUtf8(utf8)), cp1252);
    EXPECT_EQ(utf16FromCp1252(cp1252), utf16FromUtf8(utf8));
}

TEST(Unicode, Utf8EdgesAndLettersFoldedAsWineFoldsThem)
{
    EXPECT_EQ(utf16FromUtf8("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(utf8FromUtf16(u"\U00010000\U0010FFFF"), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(foldCase("\xC3\x89\xC4\x80\xD0\x81\xC5\xB8"), "\xC3\xA9\xC4\x81\xD1\x91\xC3\xBF");
}

} // namespace
} // namespace velmora::platform
