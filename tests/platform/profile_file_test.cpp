// The profile engine on a real disk. Failures use faults root cannot override, as CI runs as
// root and permission bits stop nothing there.

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;
using test::writeFile;

constexpr const char* kGame = "[s]\r\nk=v\r\n[t]\r\nj=1\r\n";

class ProfileFile : public testing::Test {
protected:
    std::string path(const char* name) const { return m_dir.file(name); }
    std::string bytesOf(const char* name) const { return readWholeFile(path(name)).value_or("?"); }
    // Every entry of the folder with its bytes, so a failed write can be shown to leave no
    // trace.
    std::map<std::string, std::string> snapshot() const
    {
        std::map<std::string, std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(m_dir.path()))
            entries[entry.path().string()] = readWholeFile(entry.path().string()).value_or("dir");
        return entries;
    }

    test::TemporaryFolder m_dir;
};

TEST_F(ProfileFile, EveryReadSeesTheDiskAsItIsNow)
{
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default  ", 255), "Default");
    writeFile(path("game.ini"), "[s]\r\nk=1\r\n");
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default", 255), "1");
    writeFile(path("game.ini"), "[s]\r\nk=2\r\n");
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default", 255), "2");
    fs::remove(path("game.ini"));
    fs::create_directory(path("game.ini"));
    EXPECT_EQ(getProfileString(path("game.ini"), "s", "k", "Default", 255), "Default");
}

TEST_F(ProfileFile, WriteCreatesOrReplacesAndLeavesNoTemporary)
{
    const mode_t saved = ::umask(027);
    EXPECT_EQ(writeProfileString(path("new.ini"), "s", "k", "v").status, WriteStatus::Written);
    ::umask(saved);
    EXPECT_EQ(bytesOf("new.ini"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(fs::status(path("new.ini")).permissions(), fs::perms(0640));

    writeFile(path("game.ini"), kGame);
    fs::permissions(path("game.ini"), fs::perms(0604));
    EXPECT_EQ(writeProfileString(path("game.ini"), "T", "J", "2").status, WriteStatus::Written);
    EXPECT_EQ(bytesOf("game.ini"), "[s]\r\nk=v\r\n[t]\r\nj=2\r\n");
    EXPECT_EQ(fs::status(path("game.ini")).permissions(), fs::perms(0604));
    EXPECT_EQ(snapshot().size(), 2u);
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
    EXPECT_EQ(bytesOf("game.ini"), kGame);
}

TEST_F(ProfileFile, LinksAreFollowedAndKept)
{
    fs::create_directory(path("real"));
    writeFile(path("real/game.ini"), kGame);
    fs::create_symlink("real/game.ini", path("first.ini"));
    fs::create_symlink(path("first.ini"), path("second.ini"));
    fs::create_symlink("target.ini", path("dangling.ini"));
    ASSERT_EQ(writeProfileString(path("second.ini"), "s", "k", "w").status, WriteStatus::Written);
    ASSERT_EQ(writeProfileString(path("dangling.ini"), "s", "k", "v").status, WriteStatus::Written);
    for (const char* link : {"first.ini", "second.ini", "dangling.ini"})
        EXPECT_TRUE(fs::is_symlink(path(link))) << link;
    EXPECT_EQ(bytesOf("real/game.ini"), "[s]\r\nk=w\r\n[t]\r\nj=1\r\n");
    EXPECT_EQ(bytesOf("target.ini"), "[s]\r\nk=v\r\n");
}

struct FailureRow {
    const char* name;
    void (*setUp)(const test::TemporaryFolder&);
    const char* file;
    int error;
};

// clang-format off
const FailureRow kFailureRows[] = {
    {"missing_folder", [](const test::TemporaryFolder&) {}, "nodir/game.ini", ENOENT},
    {"file_in_place_of_folder", [](const test::TemporaryFolder& d) { writeFile(d.file("plain"), kGame); }, "plain/game.ini", ENOTDIR},
    {"folder_in_place_of_file", [](const test::TemporaryFolder& d) { fs::create_directory(d.file("game.ini")); writeFile(d.file("game.ini/in"), kGame); }, "game.ini", EISDIR},
    {"read_only_file", [](const test::TemporaryFolder& d) { writeFile(d.file("game.ini"), kGame); fs::permissions(d.file("game.ini"), fs::perms(0444)); }, "game.ini", EACCES},
};
// clang-format on

class FailedWrite : public ProfileFile, public testing::WithParamInterface<FailureRow> {};

TEST_P(FailedWrite, SaysWhyAndLeavesEverythingAsItWas)
{
    GetParam().setUp(m_dir);
    const auto before = snapshot();
    const WriteOutcome outcome = writeProfileString(path(GetParam().file), "s", "k", "w");
    EXPECT_EQ(outcome.status, WriteStatus::Failed);
    EXPECT_EQ(outcome.reason, std::strerror(GetParam().error));
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Disk, FailedWrite, testing::ValuesIn(kFailureRows), test::RowName());

TEST_F(ProfileFile, PathInProcFails)
{
    const WriteOutcome outcome = writeProfileString("/proc/velmora-test.ini", "s", "k", "v");
    EXPECT_EQ(outcome.status, WriteStatus::Failed);
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_FALSE(fileExists("/proc/velmora-test.ini"));
}

// A file size limit makes the temporary file's write fail part way, as a full disk would.
TEST_F(ProfileFile, WriteCutShortLeavesOldFile)
{
    writeFile(path("game.ini"), kGame);
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8, 8};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const WriteOutcome outcome = writeProfileString(path("game.ini"), "s", "k", "w");
        const bool sent = ::write(channel[1], outcome.reason.data(), outcome.reason.size()) >= 0;
        ::_exit(sent && outcome.status == WriteStatus::Failed ? 0 : 1);
    }
    ::close(channel[1]);
    char reason[256] = {};
    const ssize_t length = ::read(channel[0], reason, sizeof reason - 1);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(std::string(reason, length > 0 ? static_cast<std::size_t>(length) : 0u),
              std::strerror(EFBIG));
    EXPECT_EQ(snapshot().size(), 1u);
    EXPECT_EQ(bytesOf("game.ini"), kGame);
}

TEST_F(ProfileFile, HelpersReportWhatIsOnDisk)
{
    writeFile(path("a.ini"), kGame);
    fs::create_directory(path("dir"));
    EXPECT_EQ(createEmptyFile(path("a.ini")).status, WriteStatus::Written);
    EXPECT_EQ(bytesOf("a.ini"), "");
    EXPECT_EQ(createEmptyFile(path("nodir/a.ini")).reason, std::strerror(ENOENT));
    EXPECT_TRUE(fileExists(path("a.ini")) && fileExists(path("dir")));
    EXPECT_FALSE(fileExists(path("b.ini")) || fileExists(""));
    EXPECT_EQ(readFile(path("dir")).error, std::strerror(EISDIR));
    EXPECT_FALSE(readFile(path("dir")).missing);
    EXPECT_TRUE(readFile(path("b.ini")).missing && readFile(path("a.ini/x")).missing);
    // Files in /proc say they are empty; they are read to their end all the same.
    EXPECT_TRUE(readWholeFile("/proc/self/maps").value_or("").ends_with('\n'));
    const fs::path saved = fs::current_path();
    fs::current_path(m_dir.path());
    const std::string here = currentDirectory();
    fs::current_path(saved);
    EXPECT_EQ(fs::canonical(here), fs::canonical(m_dir.path()));
}

struct FullPathRow {
    const char* name;
    const char *fileName, *directory, *expected;
};

// clang-format off
const FullPathRow kFullPathRows[] = {
    {"absolute_name_kept", "/games/ut/System/UnrealTournament.ini", "/home/u", "/games/ut/System/UnrealTournament.ini"},
    {"bare_name_joined", "Velmora.ini", "/home/u", "/home/u/Velmora.ini"},
    {"dots_folded", "./a/./b.ini", "/home/u", "/home/u/a/b.ini"},
    {"parents_folded", "../../x/Help.html", "/home/u/work", "/home/x/Help.html"},
    {"parent_of_root_is_root", "../../x", "/", "/x"},
    {"doubled_separators_folded", "a//b", "/home/u/", "/home/u/a/b"},
    {"trailing_separator_kept", "a/", "/home", "/home/a/"},
    {"trailing_parent_folded", "a/b/..", "/home", "/home/a"},
    {"absolute_name_folded", "/a/./b/../c", "/home", "/a/c"},
    {"decided_empty_name_gives_empty", "", "/home", ""},
    {"decided_relative_directory_stays_relative", "../../x", "d", "../x"},
};
// clang-format on

class FullPath : public testing::TestWithParam<FullPathRow> {};

TEST_P(FullPath, FoldsLikeWindows)
{
    EXPECT_EQ(fullPathName(GetParam().fileName, GetParam().directory), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, FullPath, testing::ValuesIn(kFullPathRows), test::RowName());

} // namespace
} // namespace velmora::platform
