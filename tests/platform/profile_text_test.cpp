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

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace velmora::platform {
namespace {

constexpr std::string_view kStatus[] = {"written", "unchanged", "refused", "failed"};
const std::string kAbsent = "(absent)", kSame = "=";

// Windows' own write, behind the refusals both sides share; elsewhere the system's write.
// Velmora writes through the portable engine on Windows too, so this is what holds it there.
WriteOutcome systemWrite(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& value)
{
#ifdef _WIN32
    const TextEdit check = profileWriteText(readWholeFile(path).value_or(""), section, key, value);
    if (check.status != WriteStatus::Written)
        return {check.status, check.reason};
    if (WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()))
        return WriteOutcome::written();
    return WriteOutcome::failed("WritePrivateProfileStringA failed");
#else
    return writeProfileString(path, section, key, value);
#endif
}

VELMORA_RULES(ReadRule, GivesWindowsResult, "profile-rules.tsv", "read", 7)
{
    const test::TableRow& r = GetParam();
    EXPECT_EQ(profileReadText(r[1], r[2], r[3], r[4], std::stoul(r[5])), r[6]);
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
    const std::string file = VELMORA_TESTDATA "/ut-ini/" + GetParam()[1];
    EXPECT_EQ(portable::getProfileString(file, GetParam()[2], GetParam()[3], "Default", 255),
              GetParam()[4]);
}

// read: name file section key default size result wine basis
VELMORA_RULES(ProfileReadDifferential, PortableEngineAndWin32Agree, "profile-differential.tsv",
              "read", 9)
{
    const test::TableRow& row = GetParam();
    const test::FolderFile file("read.ini", row[1]);
    const std::string& path = file.path;
    const std::size_t size = std::stoul(row[5]);
    EXPECT_EQ(portable::getProfileString(path, row[2], row[3], row[4], size), row[6])
        << "portable engine";
    const bool deviates = row[7] != kSame && platform::runningUnderWine();
    EXPECT_EQ(getProfileString(path, row[2], row[3], row[4], size), deviates ? row[7] : row[6])
        << (deviates ? "the Wine deviation" : "Win32");
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
        const auto outcome = win32 ? systemWrite(path, row[2], row[3], row[4])
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

#ifndef _WIN32
// The profile engine on a real disk (the Win32 layer has its own tests in tests/windows). Write
// failures are covered once, under real faults, by the reliability tests.
namespace fs = std::filesystem;
using test::writeFile;

class ProfileFile : public testing::Test {
protected:
    std::string path(const char* name) const { return m_dir.file(name); }
    test::TemporaryFolder m_dir;
};

TEST_F(ProfileFile, EveryReadSeesTheDiskAsItIsNowAndASameOrRefusedValueDoesNotTouchIt)
{
    writeFile(path("game.ini"), "[s]\r\nk=v\r\n");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(path("game.ini"), old);
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default", 255), "v");
    EXPECT_EQ(writeProfileString(path("game.ini"), "s", "k", "v").status, WriteStatus::Unchanged);
    EXPECT_EQ(writeProfileString(path("game.ini"), "s", "k", "a\r\nb=c").status,
              WriteStatus::Refused);
    // Any write, in place or by a new file renamed over it, dates the file now.
    EXPECT_EQ(fs::last_write_time(path("game.ini")), old);
    fs::remove(path("game.ini"));
    fs::create_directory(path("game.ini"));
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default", 255), "Default");
}

// A folder and a missing file as read: the `cat` rows of tests/data/velmora-ini.tsv.
TEST_F(ProfileFile, HelpersReportWhatIsOnDisk)
{
    writeFile(path("a.ini"), "");
    fs::create_directory(path("dir"));
    EXPECT_FALSE(fileExists(path("b.ini")) || fileExists("") || fileExists(path("dir")));
    EXPECT_TRUE(readFile(path("a.ini/x")).missing);
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto opened = openFiles();
    EXPECT_TRUE(readFile(path("a.ini")).ok() && readFile(path("dir")).error == strerror(EISDIR));
    EXPECT_EQ(openFiles(), opened) << "a read leaves no file open";
    // Files in /proc say they are empty; they are read to their end all the same.
    EXPECT_TRUE(readWholeFile("/proc/self/maps").value_or("").ends_with('\n'));
}

VELMORA_RULES(FullPath, FoldsLikeWindows, "system-rules.tsv", "fullpath", 4)
{
    EXPECT_EQ(fullPathName(GetParam()[1], GetParam()[2]), GetParam()[3]);
}

#endif

} // namespace
} // namespace velmora::platform
