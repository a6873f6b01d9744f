// The Win32 file layer, memory and profile functions against the real system (under Wine in
// CI). Failures use a regular file where a folder should be: Wine run as root ignores
// read-only bits, but no one can create a file inside a file.

#include "platform/fileio.h"
#include "platform/memory.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"
#include "support/wine.h"

#include <filesystem>
#include <fstream>
#include <windows.h>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

namespace fs = std::filesystem;

class Win32FileTest : public ::testing::Test {
protected:
    // A path whose folder is a regular file.
    std::string blockedPath()
    {
        test::writeFile(folder.file("notafolder"), "x");
        return folder.file("notafolder") + "\\file.ini";
    }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
    }

    test::TemporaryFolder folder;
};

TEST_F(Win32FileTest, ReplaceAndCreateEmptyWriteEveryByteAndNothingElse)
{
    const std::string path = folder.file("a.ini");
    EXPECT_EQ(readWholeFile(path), std::nullopt);
    EXPECT_FALSE(fileExists(path));
    const std::string bytes("[s]\r\nk=\0v\xE9\n", 12);
    ASSERT_TRUE(replaceFileAtomically(path, bytes).ok());
    EXPECT_EQ(readWholeFile(path), bytes);
    ASSERT_TRUE(replaceFileAtomically(path, "short").ok());
    EXPECT_EQ(readWholeFile(path), "short");
    ASSERT_TRUE(createEmptyFile(path).ok());
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(readWholeFile(path), "");
    EXPECT_EQ(entries(), 1U) << "no temporary file left behind";
}

TEST_F(Win32FileTest, WritesBelowAFileOrOntoAFolderFailWithTheSystemsReason)
{
    const std::string target = folder.file("folder.ini");
    fs::create_directory(target);
    for (const auto& outcome :
         {replaceFileAtomically(blockedPath(), "x"), replaceFileAtomically(target, "x"),
          createEmptyFile(blockedPath()), writeProfileString(blockedPath(), "s", "k", "v")}) {
        EXPECT_EQ(outcome.status, WriteStatus::Failed);
        EXPECT_FALSE(outcome.reason.empty());
        EXPECT_EQ(outcome.reason.find("error "), std::string::npos) << outcome.reason;
    }
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(entries(), 2U) << "no temporary file left behind";
}

TEST_F(Win32FileTest, ReadOnlyFileIsNotWrittenByEitherEngine)
{
    // Wine run as root would write it: the layer checks the attribute itself.
    const std::string path = folder.file("UnrealTournament.ini");
    test::writeFile(path, "[s]\r\nk=v\r\n");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto outcomes = {replaceFileAtomically(path, "x"),
                           portable::writeProfileString(path, "s", "k", "w"),
                           writeProfileString(path, "s", "k", "w")};
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const auto& outcome : outcomes) {
        EXPECT_EQ(outcome.status, WriteStatus::Failed);
        EXPECT_FALSE(outcome.reason.empty());
    }
    EXPECT_EQ(readWholeFile(path), "[s]\r\nk=v\r\n");
}

TEST_F(Win32FileTest, RelativeProfilePathIsTakenFromTheCurrentFolder)
{
    // The Win32 functions alone would look for a bare name in the Windows folder.
    const auto previous = fs::current_path();
    fs::current_path(folder.path());
    const auto outcome = writeProfileString("relative.ini", "s", "k", "v");
    const auto value = getProfileString("relative.ini", "s", "k", "Default", 255);
    fs::current_path(previous);
    EXPECT_TRUE(outcome.ok()) << outcome.reason;
    EXPECT_EQ(value, "v");
    EXPECT_EQ(readWholeFile(folder.file("relative.ini")), "[s]\r\nk=v\r\n");
}

struct FullPathRow {
    const char *name, *fileName, *currentDirectory, *expected;
};

class FullPathNameTest : public ::testing::TestWithParam<FullPathRow> {};

TEST_P(FullPathNameTest, ResolvesLikeGetFullPathNameAAgainstTheGivenFolder)
{
    const auto& row = GetParam();
    EXPECT_EQ(fullPathName(row.fileName, row.currentDirectory), row.expected);
}

constexpr FullPathRow kFullPathRows[] = {
    {"relative_name_joined", "Velmora.ini", "C:\\Games\\Velmora",
     "C:\\Games\\Velmora\\Velmora.ini"},
    {"trailing_separator_not_doubled", "Velmora.ini", "C:\\", "C:\\Velmora.ini"},
    {"dot_dot_folded", "..\\x\\.\\Velmora.ini", "C:\\a\\b", "C:\\a\\x\\Velmora.ini"},
    {"absolute_name_kept", "D:\\UT\\System\\UnrealTournament.ini", "C:\\a",
     "D:\\UT\\System\\UnrealTournament.ini"},
    {"forward_slashes_become_backslashes", "sub/Velmora.ini", "C:\\a", "C:\\a\\sub\\Velmora.ini"},
    {"rooted_name_takes_the_folder_drive", "\\Velmora.ini", "D:\\a\\b", "D:\\Velmora.ini"},
    {"unc_name_kept", "\\\\server\\share\\x.ini", "C:\\a", "\\\\server\\share\\x.ini"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FullPathNameTest, ::testing::ValuesIn(kFullPathRows),
                         test::RowName());

TEST(Win32MemoryTest, TotalMemoryIsTheMachines)
{
    const std::uint64_t total = totalPhysicalMemory();
    if (!test::runningUnderWine()) {
        EXPECT_GT(total, 0U);
        return;
    }
    // Wine reports the host's memory: compare with Linux's own count, beyond 32 bits intact.
    std::ifstream meminfo("Z:\\proc\\meminfo");
    std::string label;
    std::uint64_t kib = 0;
    meminfo >> label >> kib;
    ASSERT_EQ(label, "MemTotal:");
    const std::uint64_t host = kib * 1024;
    EXPECT_GT(total, host - host / 50);
    EXPECT_LT(total, host + host / 50);
}

} // namespace
} // namespace velmora::platform
