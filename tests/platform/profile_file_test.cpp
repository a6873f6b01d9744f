// The profile engine on a real disk. Write failures are covered once, under real faults, by
// the reliability tests.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

namespace fs = std::filesystem;
using test::writeFile;

constexpr const char* kGame = "[s]\r\nk=v\r\n[t]\r\nj=1\r\n";

class ProfileFile : public testing::Test {
protected:
    std::string path(const char* name) const { return m_dir.file(name); }
    test::TemporaryFolder m_dir;
};

TEST_F(ProfileFile, EveryReadSeesTheDiskAsItIsNow)
{
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default  ", 255), "Default");
    writeFile(path("game.ini"), "[s]\r\nk=1\r\n");
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default", 255), "1");
    fs::remove(path("game.ini"));
    fs::create_directory(path("game.ini"));
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default", 255), "Default");
}

TEST_F(ProfileFile, SameOrRefusedValueDoesNotTouchTheFile)
{
    writeFile(path("game.ini"), kGame);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(path("game.ini"), old);
    struct stat before {};
    ::stat(path("game.ini").c_str(), &before);
    EXPECT_EQ(writeProfileString(path("game.ini"), "s", "k", "v").status, WriteStatus::Unchanged);
    const WriteOutcome refused = writeProfileString(path("game.ini"), "s", "k", "a\r\nb=c");
    EXPECT_EQ(refused.status, WriteStatus::Refused);
    EXPECT_FALSE(refused.reason.empty());
    struct stat after {};
    ::stat(path("game.ini").c_str(), &after);
    EXPECT_EQ(fs::last_write_time(path("game.ini")), old);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(readWholeFile(path("game.ini")), kGame);
}

TEST_F(ProfileFile, HelpersReportWhatIsOnDisk)
{
    writeFile(path("a.ini"), "");
    fs::create_directory(path("dir"));
    EXPECT_EQ(readWholeFile(path("a.ini")), "");
    EXPECT_TRUE(fileExists(path("a.ini")));
    EXPECT_FALSE(fileExists(path("b.ini")) || fileExists(""));
    EXPECT_EQ(readFile(path("dir")).error, std::strerror(EISDIR));
    EXPECT_FALSE(readFile(path("dir")).missing);
    EXPECT_TRUE(readFile(path("b.ini")).missing && readFile(path("a.ini/x")).missing);
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto opened = openFiles();
    EXPECT_TRUE(readFile(path("a.ini")).ok() && readFile(path("dir")).error.size() > 0);
    EXPECT_EQ(openFiles(), opened) << "a read leaves no file open";
    // Files in /proc say they are empty; they are read to their end all the same.
    EXPECT_TRUE(readWholeFile("/proc/self/maps").value_or("").ends_with('\n'));
    const fs::path saved = fs::current_path();
    fs::current_path(m_dir.path());
    const std::string here = currentDirectory();
    fs::current_path(saved);
    EXPECT_EQ(fs::canonical(here), fs::canonical(m_dir.path()));
}

VELMORA_RULES(FullPath, FoldsLikeWindows, "system-rules.tsv", "fullpath", 4)
{
    EXPECT_EQ(fullPathName(GetParam()[1], GetParam()[2]), GetParam()[3]);
}

} // namespace
} // namespace velmora::platform
