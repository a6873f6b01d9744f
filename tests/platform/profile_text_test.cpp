// Reading and writing one key in profile text, by the rules in tests/data/profile-rules.tsv,
// and known values of the real game files in tests/data/ut-ini.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/rowname.h"

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

VELMORA_RULES(ReadRule, GivesWindowsResult, "profile-rules.tsv", "read", 7)
{
    const test::TableRow& r = GetParam();
    EXPECT_EQ(profileReadText(r[1], r[2], r[3], r[4], std::stoul(r[5])), r[6]);
}

// Windows takes a value's length modulo 65536.
TEST(ReadLongValue, DecidedValuesPast65535CharactersDoNotWrap)
{
    for (const std::size_t length : {65535u, 65536u, 65537u}) {
        const std::string value(length, 'x');
        EXPECT_EQ(profileReadText("[s]\r\nk=" + value, "s", "k", "def", length + 2), value);
    }
}

VELMORA_RULES(WriteRule, GivesExpectedBytes, "profile-rules.tsv", "write", 7)
{
    const test::TableRow& row = GetParam();
    const auto sections = test::split(row[2], '|'), keys = test::split(row[3], '|'),
               values = test::split(row[4], '|');
    ASSERT_TRUE(keys.size() == sections.size() && values.size() == sections.size());
    std::string text = row[1];
    TextEdit edit;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        edit = profileWriteText(text, sections[i], keys[i], values[i]);
        if (edit.status == WriteStatus::Written)
            text = edit.contents;
    }
    constexpr std::string_view kStatus[] = {"written", "unchanged", "refused", "failed"};
    EXPECT_EQ(kStatus[static_cast<int>(edit.status)], row[5]) << edit.reason;
    EXPECT_EQ(text, row[6]);
    EXPECT_EQ(edit.status == WriteStatus::Refused, !edit.reason.empty()) << "a refusal says why";
}

// Requests that would break the file's structure or write a name that could never be read
// back; Windows writes all of them.
VELMORA_RULES(RefusedWrite, ChangesNothingAndSaysWhy, "profile-rules.tsv", "refused", 4)
{
    const test::TableRow& row = GetParam();
    const TextEdit edit = profileWriteText("[s]\r\nk=v\r\n", row[1], row[2], row[3]);
    EXPECT_EQ(edit.status, WriteStatus::Refused);
    EXPECT_FALSE(edit.reason.empty());
    EXPECT_TRUE(edit.contents.empty());
}

VELMORA_RULES(RealFileRead, GivesGameValue, "system-rules.tsv", "gamevalue", 5)
{
    const std::string folder = VELMORA_TESTDATA "/ut-ini", file = folder + "/" + GetParam()[1];
    ASSERT_TRUE(fileExists(file)) << file;
    EXPECT_FALSE(fileExists(folder)) << "a folder is no file";
    EXPECT_EQ(portable::getProfileString(file, GetParam()[2], GetParam()[3], "Default", 255),
              GetParam()[4]);
}

} // namespace
} // namespace velmora::platform
