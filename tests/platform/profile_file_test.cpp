// The file layer on a real disk: creation, atomic replacement, links, modes, and failures
// that root cannot override (tests run as root in CI, where permission bits stop nothing).

#include "platform/fileio.h"
#include "platform/profile.h"
#include "support/fakeprefix.h"
#include "support/files.h"
#include "support/rowname.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

namespace fs = std::filesystem;
using test::inFolder;
using test::TemporaryFolder;
using test::writeFile;

constexpr const char* kGame = "[s]\r\nk=v\r\n[t]\r\nj=1\r\n";

class FileWrite : public testing::Test {
protected:
    std::string path(const char* name) const { return inFolder(m_dir.path(), name); }
    static std::string bytesOf(const std::string& file)
    {
        return readWholeFile(file).value_or("?");
    }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir.path()), {}));
    }

    TemporaryFolder m_dir;
};

TEST_F(FileWrite, MissingFileCreated)
{
    const WriteOutcome outcome = writeProfileString(path("new.ini"), "s", "k", "v");
    EXPECT_EQ(outcome.status, WriteStatus::Written);
    EXPECT_EQ(bytesOf(path("new.ini")), "[s]\r\nk=v\r\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileWrite, ValueReplacedAndNoTemporaryLeft)
{
    writeFile(path("game.ini"), kGame);
    EXPECT_EQ(writeProfileString(path("game.ini"), "T", "J", "2").status, WriteStatus::Written);
    EXPECT_EQ(bytesOf(path("game.ini")), "[s]\r\nk=v\r\n[t]\r\nj=2\r\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileWrite, SameValueDoesNotTouchTheFile)
{
    const std::string file = path("game.ini");
    writeFile(file, kGame);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(file, old);
    struct stat before {};
    ::stat(file.c_str(), &before);
    EXPECT_EQ(writeProfileString(file, "s", "k", "v").status, WriteStatus::Unchanged);
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(fs::last_write_time(file), old);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(FileWrite, RefusedWriteTouchesNothing)
{
    writeFile(path("game.ini"), kGame);
    const WriteOutcome outcome = writeProfileString(path("game.ini"), "s", "k", "a\r\nb=c");
    EXPECT_EQ(outcome.status, WriteStatus::Refused);
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_EQ(bytesOf(path("game.ini")), kGame);
}

TEST_F(FileWrite, ModeKept)
{
    writeFile(path("game.ini"), kGame);
    fs::permissions(path("game.ini"), fs::perms(0640));
    ASSERT_EQ(writeProfileString(path("game.ini"), "s", "k", "w").status, WriteStatus::Written);
    EXPECT_EQ(fs::status(path("game.ini")).permissions(), fs::perms(0640));
}

TEST_F(FileWrite, ReadOnlyFileNotReplaced)
{
    writeFile(path("game.ini"), kGame);
    fs::permissions(path("game.ini"), fs::perms(0444));
    const WriteOutcome outcome = writeProfileString(path("game.ini"), "s", "k", "w");
    EXPECT_EQ(outcome.status, WriteStatus::Failed);
    EXPECT_EQ(outcome.reason, std::strerror(EACCES));
    EXPECT_EQ(bytesOf(path("game.ini")), kGame);
}

TEST_F(FileWrite, NewFileGetsModeOfUmask)
{
    const mode_t saved = ::umask(027);
    const WriteOutcome outcome = writeProfileString(path("new.ini"), "s", "k", "v");
    ::umask(saved);
    ASSERT_EQ(outcome.status, WriteStatus::Written);
    EXPECT_EQ(fs::status(path("new.ini")).permissions(), fs::perms(0640));
}

TEST_F(FileWrite, LinkChainFollowedAndKept)
{
    fs::create_directory(path("real"));
    writeFile(path("real/game.ini"), kGame);
    fs::create_symlink("real/game.ini", path("first.ini"));
    fs::create_symlink(path("first.ini"), path("second.ini"));
    ASSERT_EQ(writeProfileString(path("second.ini"), "s", "k", "w").status, WriteStatus::Written);
    EXPECT_TRUE(fs::is_symlink(path("first.ini")));
    EXPECT_TRUE(fs::is_symlink(path("second.ini")));
    EXPECT_EQ(bytesOf(path("real/game.ini")), "[s]\r\nk=w\r\n[t]\r\nj=1\r\n");
}

TEST_F(FileWrite, DanglingLinkCreatesItsTarget)
{
    fs::create_symlink("target.ini", path("link.ini"));
    ASSERT_EQ(writeProfileString(path("link.ini"), "s", "k", "v").status, WriteStatus::Written);
    EXPECT_TRUE(fs::is_symlink(path("link.ini")));
    EXPECT_EQ(bytesOf(path("target.ini")), "[s]\r\nk=v\r\n");
}

TEST_F(FileWrite, MissingFolderFails)
{
    const WriteOutcome outcome = writeProfileString(path("nodir/game.ini"), "s", "k", "v");
    EXPECT_EQ(outcome.status, WriteStatus::Failed);
    EXPECT_EQ(outcome.reason, std::strerror(ENOENT));
    EXPECT_EQ(entries(), 0u);
}

TEST_F(FileWrite, FileInPlaceOfFolderFails)
{
    writeFile(path("plain"), kGame);
    const WriteOutcome outcome = writeProfileString(path("plain/game.ini"), "s", "k", "v");
    EXPECT_EQ(outcome.status, WriteStatus::Failed);
    EXPECT_EQ(outcome.reason, std::strerror(ENOTDIR));
    EXPECT_EQ(bytesOf(path("plain")), kGame);
}

TEST_F(FileWrite, FolderInPlaceOfFileFails)
{
    fs::create_directory(path("game.ini"));
    writeFile(path("game.ini/inside"), kGame);
    const WriteOutcome outcome = writeProfileString(path("game.ini"), "s", "k", "v");
    EXPECT_EQ(outcome.status, WriteStatus::Failed);
    EXPECT_EQ(outcome.reason, std::strerror(EISDIR));
    EXPECT_EQ(bytesOf(path("game.ini/inside")), kGame);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileWrite, PathInProcFails)
{
    const WriteOutcome outcome = writeProfileString("/proc/velmora-test.ini", "s", "k", "v");
    EXPECT_EQ(outcome.status, WriteStatus::Failed);
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_FALSE(fileExists("/proc/velmora-test.ini"));
}

// A file size limit makes the temporary file's write fail part way, as a full disk would.
TEST_F(FileWrite, FailedWriteLeavesOldFile)
{
    const std::string file = path("game.ini");
    writeFile(file, kGame);
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8, 8};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const WriteOutcome outcome = writeProfileString(file, "s", "k", "w");
        const bool written = ::write(channel[1], outcome.reason.data(), outcome.reason.size()) >= 0;
        ::_exit(written && outcome.status == WriteStatus::Failed ? 0 : 1);
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
    EXPECT_EQ(bytesOf(file), kGame);
    EXPECT_EQ(entries(), 1u);
}

struct FullPathCase {
    const char* name;
    const char* fileName;
    const char* directory;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const FullPathCase& c)
{
    return out << c.name;
}

const FullPathCase kFullPathCases[] = {
    {"absolute_name_kept", "/games/ut/System/UnrealTournament.ini", "/home/u",
     "/games/ut/System/UnrealTournament.ini"},
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

class FullPath : public testing::TestWithParam<FullPathCase> {};

TEST_P(FullPath, FoldsLikeWindows)
{
    const FullPathCase& c = GetParam();
    EXPECT_EQ(fullPathName(c.fileName, c.directory), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, FullPath, testing::ValuesIn(kFullPathCases), test::RowName());

class FileHelpers : public FileWrite {};

TEST_F(FileHelpers, CreateEmptyFileTruncates)
{
    writeFile(path("Velmora.ini"), kGame);
    EXPECT_EQ(createEmptyFile(path("Velmora.ini")).status, WriteStatus::Written);
    EXPECT_EQ(bytesOf(path("Velmora.ini")), "");
    const WriteOutcome missing = createEmptyFile(path("nodir/Velmora.ini"));
    EXPECT_EQ(missing.status, WriteStatus::Failed);
    EXPECT_EQ(missing.reason, std::strerror(ENOENT));
}

TEST_F(FileHelpers, ExistenceAndReads)
{
    writeFile(path("a.ini"), kGame);
    fs::create_directory(path("dir"));
    EXPECT_TRUE(fileExists(path("a.ini")));
    EXPECT_TRUE(fileExists(path("dir")));
    EXPECT_FALSE(fileExists(path("b.ini")));
    EXPECT_FALSE(fileExists(""));
    EXPECT_EQ(readWholeFile(path("b.ini")), std::nullopt);
    const FileContents folder = readFile(path("dir"));
    EXPECT_FALSE(folder.missing);
    EXPECT_EQ(folder.error, std::strerror(EISDIR));
    EXPECT_TRUE(readFile(path("b.ini")).missing);
    EXPECT_TRUE(readFile(path("a.ini/x")).missing);
    // Files in /proc say they are empty; they are read to their end all the same.
    EXPECT_TRUE(readWholeFile("/proc/self/maps").value_or("").ends_with('\n'));
}

TEST_F(FileHelpers, CurrentDirectoryIsAbsolute)
{
    const fs::path saved = fs::current_path();
    fs::current_path(m_dir.path());
    const std::string here = currentDirectory();
    fs::current_path(saved);
    EXPECT_EQ(fs::canonical(here), fs::canonical(m_dir.path()));
}

} // namespace
} // namespace velmora::platform
