// The Win32 file layer, profile and registry functions against the real system (under
// Wine in CI), with the rules in tests/data/win32-rules.tsv. Failures use a regular file where
// a folder should be: Wine run as root ignores read-only bits, but no one can create a file
// inside a file.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "platform/registry_win.h"
#include "platform/systeminfo.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <filesystem>
#include <windows.h>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

namespace fs = std::filesystem;

class Win32FileTest : public ::testing::Test {
protected:
    std::size_t entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
    }

    test::TemporaryFolder folder;
};

TEST_F(Win32FileTest, ReplaceWritesEveryByteAndNothingElse)
{
    const std::string path = folder.file("a.ini");
    EXPECT_EQ(readWholeFile(path), std::nullopt);
    EXPECT_FALSE(fileExists(path) || fileExists(folder.path())) << "a folder is no file";
    const std::string bytes("[s]\r\nk=\0v\xE9\n", 12);
    ASSERT_TRUE(replaceFileAtomically(path, "x").ok());
    ASSERT_TRUE(replaceFileAtomically(path, bytes).ok()) << "over an existing file";
    EXPECT_EQ(readWholeFile(path), bytes);
    EXPECT_EQ(entries(), 1U) << "no temporary file left behind";
}

// Below a file, onto a folder, or over a read-only file (Wine run as root would write it: the
// layer checks the attribute itself): every write fails with the system's words.
TEST_F(Win32FileTest, FailedWritesGiveTheSystemsReasonAndChangeNothing)
{
    const std::string target = folder.file("folder.ini"), blocked = folder.file("file") + "\\a.ini";
    const std::string readOnly = folder.file("UnrealTournament.ini");
    fs::create_directory(target);
    test::writeFile(folder.file("file"), "x");
    test::writeFile(readOnly, "[s]\r\nk=v\r\n");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto outcomes = {replaceFileAtomically(blocked, "x"), replaceFileAtomically(target, "x"),
                           writeProfileString(blocked, "s", "k", "v"),
                           replaceFileAtomically(readOnly, "x"),
                           writeProfileString(readOnly, "s", "k", "w")};
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const auto& outcome : outcomes) {
        EXPECT_EQ(outcome.status, WriteStatus::Failed);
        EXPECT_FALSE(outcome.reason.empty());
        EXPECT_EQ(outcome.reason.find("error "), std::string::npos) << outcome.reason;
    }
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(readWholeFile(readOnly), "[s]\r\nk=v\r\n");
    EXPECT_EQ(entries(), 3U) << "no temporary file left behind";
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

VELMORA_RULES(FullPathName, ResolvesLikeGetFullPathNameAAgainstTheGivenFolder, "win32-rules.tsv",
              "winpath", 4)
{
    EXPECT_EQ(fullPathName(GetParam()[1], GetParam()[2]), GetParam()[3]);
}

// Values written straight into the registry, then looked up.
VELMORA_RULES(RegistryValueRule, GivesTheTextOfTheRules, "win32-rules.tsv", "regvalue", 4)
{
    const test::TableRow& row = GetParam();
    constexpr const char* kScratchKey = "Software\\Velmora Test Scratch";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto set = RegSetValueExA(key, "Folder", 0, std::stoul(row[1]),
                                    reinterpret_cast<const BYTE*>(row[2].data()),
                                    static_cast<DWORD>(row[2].size()));
    const std::string text = QueryRegistryValue(key, "Folder");
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    ASSERT_EQ(set, ERROR_SUCCESS);
    EXPECT_EQ(text, row[3]);
}

} // namespace
} // namespace velmora::platform
