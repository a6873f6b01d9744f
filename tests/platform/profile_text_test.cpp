// Reading and writing one key: the engine over text by the rules in tests/data/profile-rules.tsv,
// known values of the real game files in tests/data/ut-ini, and the portable engine beside the
// system's profile functions (the Win32 ones in the Windows build, the portable engine elsewhere)
// over the cases of tests/data/profile-differential.tsv: the same read values, write statuses
// and read-backs, bar the Wine deviations the table names.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "platform/systeminfo.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

constexpr std::string_view kStatus[] = {"written", "unchanged", "refused", "failed"};
const std::string kAbsent = "(absent)", kSame = "=";

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
    const TextEdit edit = profileWriteText(row[1], row[2], row[3], row[4]);
    EXPECT_EQ(kStatus[static_cast<int>(edit.status)], row[5]) << edit.reason;
    EXPECT_EQ(edit.status == WriteStatus::Written ? edit.contents : row[1], row[6]);
    EXPECT_EQ(edit.status == WriteStatus::Refused, !edit.reason.empty()) << "a refusal says why";
}

VELMORA_RULES(RealFileRead, GivesGameValue, "system-rules.tsv", "gamevalue", 5)
{
    const std::string folder = VELMORA_TESTDATA "/ut-ini", file = folder + "/" + GetParam()[1];
    ASSERT_TRUE(fileExists(file)) << file;
    EXPECT_FALSE(fileExists(folder)) << "a folder is no file";
    EXPECT_EQ(portable::getProfileString(file, GetParam()[2], GetParam()[3], "Default", 255),
              GetParam()[4]);
}

// read: name file section key default size result wine basis
VELMORA_RULES(ProfileReadDifferential, PortableEngineAndWin32Agree, "profile-differential.tsv",
              "read", 9)
{
    const test::TableRow& row = GetParam();
    const test::TemporaryFolder folder;
    const std::string path = folder.file("read.ini");
    if (row[1] != kAbsent)
        test::writeFile(path, row[1]);
    const std::size_t size = std::stoul(row[5]);
    EXPECT_EQ(portable::getProfileString(path, row[2], row[3], row[4], size), row[6])
        << "portable engine";
    const bool deviates = row[7] != kSame && platform::runningUnderWine();
    EXPECT_EQ(getProfileString(path, row[2], row[3], row[4], size), deviates ? row[7] : row[6])
        << (deviates ? "the Wine deviation" : "Win32");
    EXPECT_TRUE(!deviates || row[7] != row[6]);
}

// write: name before section key value status readback after wine_after basis
VELMORA_RULES(ProfileWriteDifferential, PortableEngineAndWin32ReadBackTheSame,
              "profile-differential.tsv", "write", 10)
{
    const test::TableRow& row = GetParam();
    const test::TemporaryFolder folder;
    for (const bool win32 : {false, true}) {
        SCOPED_TRACE(win32 ? "the system's profile functions" : "portable engine");
        const std::string path = folder.file(win32 ? "win32.ini" : "portable.ini");
        if (row[1] != kAbsent)
            test::writeFile(path, row[1]);
        const auto outcome = win32 ? writeProfileString(path, row[2], row[3], row[4])
                                   : portable::writeProfileString(path, row[2], row[3], row[4]);
        EXPECT_EQ(kStatus[static_cast<int>(outcome.status)], row[5]) << outcome.reason;
        EXPECT_EQ(win32 ? getProfileString(path, row[2], row[3], "Default", 255)
                        : portable::getProfileString(path, row[2], row[3], "Default", 255),
                  row[6]);
        const std::string after = readWholeFile(path).value_or(kAbsent);
        if (!win32 || row[8] == kSame) {
            EXPECT_EQ(after, row[7]);
        } else if (platform::runningUnderWine()) {
            EXPECT_EQ(after, row[8]) << "Wine rewrites the whole file";
        }
    }
}

} // namespace
} // namespace velmora::platform
