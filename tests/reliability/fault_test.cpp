// Every write path under faults: each failed write must leave every file and folder exactly as
// it was and report the operating system's reason. The writes run in a child that drops root
// or has a file size limit, so that the faults are real even when the tests run as root.

#include "faultkit.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "sets/store.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using platform::WriteOutcome;
using platform::WriteStatus;

const std::string kOld = "[Engine.GameEngine]\r\nCacheSizeMegs=4\r\nUseSound=True\r\n";
const std::string kProfileAfter = "[Engine.GameEngine]\r\nCacheSizeMegs=96\r\nUseSound=True\r\n";
const std::string kProfileNew = "[Engine.GameEngine]\r\nCacheSizeMegs=96\r\n";
const std::string kReplacement = "; replaced\r\n" + kOld;

struct WritePath {
    const char* name;
    std::function<WriteOutcome(const std::string&)> write;
    std::string after;       // the target's bytes after a successful write over kOld
    std::string created;     // the target's bytes after a successful write of a new file
    bool readsFirst = false; // a file it cannot read must not be replaced
    bool writesBytes = true; // a file size limit can stop it
};

const std::string kStoreSet =
    "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=n\r\nDecals=True\r\n";
const std::string kStoreNew = "[Velmora]\r\nSaveNumber=0\r\n";

// clang-format off
const std::vector<WritePath> kPaths = {
    {"writeProfileString", [](const std::string& t) { return platform::writeProfileString(t, "Engine.GameEngine", "CacheSizeMegs", "96"); }, kProfileAfter, kProfileNew, true},
    {"replaceFileAtomically", [](const std::string& t) { return platform::replaceFileAtomically(t, kReplacement); }, kReplacement, kReplacement},
    {"saveSettingSet", [](const std::string& t) { return sets::saveSettingSet(t, "n", {{"Decals"}, {"True"}}).outcome; }, kOld + kStoreSet, kStoreSet, true},
    {"openStore", [](const std::string& t) { return sets::openStore(t).outcome; }, kOld + kStoreNew, kStoreNew, true},
    {"createEmptyFile", [](const std::string& t) { return platform::createEmptyFile(t); }, "", "", false, false},
};
// clang-format on

// ---- arrangements: each builds its files and returns the path to write ---------------------

std::string folderWith(const TemporaryFolder& scratch, mode_t folderMode,
                       std::optional<mode_t> fileMode)
{
    const std::string folder = scratch.file("game");
    fs::create_directory(folder);
    const std::string file = folder + "/UnrealTournament.ini";
    if (fileMode) {
        writeFile(file, kOld);
        ::chmod(file.c_str(), *fileMode);
    }
    ::chmod(folder.c_str(), folderMode);
    return file;
}

// clang-format off
std::string lockedFolder(const TemporaryFolder& s) { return folderWith(s, 0555, 0666); }
std::string newFileInLockedFolder(const TemporaryFolder& s) { return folderWith(s, 0555, std::nullopt); }
std::string readOnlyFile(const TemporaryFolder& s) { return folderWith(s, 0777, 0444); }
std::string readOnlyFileAndFolder(const TemporaryFolder& s) { return folderWith(s, 0555, 0444); }
std::string unreadableFile(const TemporaryFolder& s) { return folderWith(s, 0777, 0222); }
std::string writableFile(const TemporaryFolder& s) { return folderWith(s, 0777, 0666); }
std::string missingFolder(const TemporaryFolder& s) { return s.file("missing/UnrealTournament.ini"); }
std::string fileAsFolder(const TemporaryFolder& s) { writeFile(s.file("System"), kOld); return s.file("System/UnrealTournament.ini"); }
std::string folderAsFile(const TemporaryFolder& s) { fs::create_directory(s.file("UnrealTournament.ini")); writeFile(s.file("UnrealTournament.ini/keep.txt"), kOld); return s.file("UnrealTournament.ini"); }
std::string linkIntoLockedFolder(const TemporaryFolder& s) { readOnlyFileAndFolder(s); fs::create_symlink(s.file("game/UnrealTournament.ini"), s.file("link.ini")); return s.file("link.ini"); }
std::string linkLoop(const TemporaryFolder& s) { fs::create_symlink("b.ini", s.file("a.ini")); fs::create_symlink("a.ini", s.file("b.ini")); return s.file("a.ini"); }
std::string danglingLinkIntoMissingFolder(const TemporaryFolder& s) { fs::create_symlink("nowhere/UnrealTournament.ini", s.file("link.ini")); return s.file("link.ini"); }
// clang-format on

// ---- faults ------------------------------------------------------------------------------

struct Fault {
    const char* name;
    std::string (*arrange)(const TemporaryFolder&);
    ChildLimits limits;
    int error; // the errno whose text the reason must carry
    bool onlyReadingPaths = false;
    bool onlyByteWriters = false;
    bool notForCreate = false; // createEmptyFile may legitimately truncate this file
};

constexpr ChildLimits kNobody{.unprivileged = true};

// clang-format off
const Fault kFaults[] = {
    {"folder_not_writable", lockedFolder, kNobody, EACCES, false, false, true},
    {"new_file_in_folder_not_writable", newFileInLockedFolder, kNobody, EACCES},
    {"file_not_writable", readOnlyFile, kNobody, EACCES},
    {"file_and_folder_not_writable", readOnlyFileAndFolder, kNobody, EACCES},
    {"file_not_readable", unreadableFile, kNobody, EACCES, true},
    {"folder_missing", missingFolder, {}, ENOENT},
    {"path_component_is_a_file", fileAsFolder, {}, ENOTDIR},
    {"file_replaced_by_a_folder", folderAsFile, {}, EISDIR},
    {"file_too_large", writableFile, {.fileSizeLimit = 40}, EFBIG, false, true},
    {"disk_full", writableFile, {.fileSizeLimit = 0}, EFBIG, false, true},
    {"link_into_folder_not_writable", linkIntoLockedFolder, kNobody, EACCES},
    {"link_loop", linkLoop, {}, ELOOP},
    {"dangling_link_into_missing_folder", danglingLinkIntoMissingFolder, {}, ENOENT},
};
// clang-format on

struct FaultCase {
    const Fault* fault;
    const WritePath* path;
};

std::vector<FaultCase> faultCases()
{
    std::vector<FaultCase> cases;
    for (const Fault& fault : kFaults) {
        for (const WritePath& path : kPaths) {
            const bool applies = (!fault.onlyReadingPaths || path.readsFirst) &&
                                 (!fault.onlyByteWriters || path.writesBytes) &&
                                 (!fault.notForCreate || path.writesBytes);
            if (applies) {
                cases.push_back({&fault, &path});
            }
        }
    }
    return cases;
}

class WriteFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(WriteFault, LeavesEverythingAsItWasAndGivesTheSystemReason)
{
    const auto& [fault, path] = GetParam();
    TemporaryFolder scratch;
    const std::string target = fault->arrange(scratch);
    const Tree before = snapshot(scratch.path());

    std::string trouble;
    const auto outcome = writeInChild(
        fault->limits, [&, p = path] { return p->write(target); }, trouble);

    ASSERT_TRUE(outcome) << trouble;
    EXPECT_EQ(outcome->status, WriteStatus::Failed) << outcome->reason;
    EXPECT_NE(outcome->reason.find(std::strerror(fault->error)), std::string::npos)
        << "reason: \"" << outcome->reason << "\", expected " << std::strerror(fault->error);
    EXPECT_EQ(snapshot(scratch.path()), before);
}

INSTANTIATE_TEST_SUITE_P(, WriteFault, ::testing::ValuesIn(faultCases()), [](const auto& row) {
    return std::string(row.param.fault->name) + "__" + row.param.path->name;
});

// ---- writes that succeed must keep links and modes -----------------------------------------

struct Keep {
    const char* name;
    // Builds the files; returns the path to write and sets the file the write must reach.
    std::string (*arrange)(const TemporaryFolder&, std::string& reached);
    mode_t umask;
};

std::string realFile(const TemporaryFolder& s, unsigned mode)
{
    fs::create_directory(s.file("real"));
    const std::string file = s.file("real/UnrealTournament.ini");
    writeFile(file, kOld);
    ::chmod(file.c_str(), mode);
    return file;
}

// clang-format off
const Keep kKeeps[] = {
    {"mode_kept_under_a_strict_umask", [](const TemporaryFolder& s, std::string& reached) { return reached = realFile(s, 0664); }, 077},
    {"unusual_mode_kept", [](const TemporaryFolder& s, std::string& reached) { return reached = realFile(s, 0604); }, 022},
    {"absolute_link_stays_a_link", [](const TemporaryFolder& s, std::string& reached) { reached = realFile(s, 0640); fs::create_symlink(reached, s.file("UnrealTournament.ini")); return s.file("UnrealTournament.ini"); }, 022},
    {"relative_link_resolved_from_its_own_folder", [](const TemporaryFolder& s, std::string& reached) { reached = realFile(s, 0644); fs::create_directory(s.file("game")); fs::create_symlink("../real/UnrealTournament.ini", s.file("game/UnrealTournament.ini")); return s.file("game/UnrealTournament.ini"); }, 022},
    {"chain_of_links_followed_to_the_end", [](const TemporaryFolder& s, std::string& reached) { reached = realFile(s, 0600); fs::create_symlink("real/UnrealTournament.ini", s.file("second.ini")); fs::create_symlink("second.ini", s.file("first.ini")); return s.file("first.ini"); }, 022},
};
// clang-format on

class WriteKeeps : public ::testing::TestWithParam<std::tuple<Keep, WritePath>> {};

TEST_P(WriteKeeps, LinksAndModesOfTheOldFile)
{
    const auto& [keep, path] = GetParam();
    TemporaryFolder scratch;
    std::string reached;
    const std::string target = keep.arrange(scratch, reached);
    Tree expected = snapshot(scratch.path());
    expected[fs::path(reached).lexically_relative(scratch.path()).string()].content = path.after;

    std::string trouble;
    const auto outcome = writeInChild(
        {.umask = keep.umask}, [&, p = &path] { return p->write(target); }, trouble);

    ASSERT_TRUE(outcome) << trouble;
    EXPECT_EQ(outcome->status, WriteStatus::Written) << outcome->reason;
    EXPECT_EQ(snapshot(scratch.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    , WriteKeeps, ::testing::Combine(::testing::ValuesIn(kKeeps), ::testing::ValuesIn(kPaths)),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) + "__" + std::get<1>(row.param).name;
    });

// A link whose target does not exist yet: the target is created, the link stays.
TEST(WriteThroughLink, DanglingLinkGetsItsTargetCreatedWithTheDefaultMode)
{
    for (const WritePath& path : kPaths) {
        SCOPED_TRACE(path.name);
        TemporaryFolder scratch;
        fs::create_directory(scratch.file("real"));
        fs::create_symlink("real/UnrealTournament.ini", scratch.file("UnrealTournament.ini"));

        std::string trouble;
        const auto outcome = writeInChild(
            {.umask = 027}, [&] { return path.write(scratch.file("UnrealTournament.ini")); },
            trouble);

        ASSERT_TRUE(outcome) << trouble;
        EXPECT_EQ(outcome->status, WriteStatus::Written) << outcome->reason;
        const Tree after = snapshot(scratch.path());
        EXPECT_EQ(after.size(), 3U);
        EXPECT_EQ(after.at("UnrealTournament.ini").kind, 'l');
        EXPECT_EQ(after.at("real/UnrealTournament.ini"),
                  (Entry{.kind = 'f', .mode = 0640, .content = path.created}));
    }
}

// A bare file name is written in the current folder, by a user who may write nothing else.
TEST(WriteRelative, BareFileNameIsWrittenInTheCurrentFolder)
{
    TemporaryFolder scratch;
    ::chmod(scratch.path().c_str(), 0777);
    std::string trouble;
    const auto outcome = writeInChild(
        kNobody,
        [&] {
            return ::chdir(scratch.path().c_str()) == 0
                       ? platform::writeProfileString("game.ini", "s", "k", "v")
                       : WriteOutcome::failed("chdir");
        },
        trouble);
    ASSERT_TRUE(outcome) << trouble;
    EXPECT_EQ(outcome->status, WriteStatus::Written) << outcome->reason;
    EXPECT_EQ(readFile(scratch.file("game.ini")), "[s]\r\nk=v\r\n");
}

} // namespace
} // namespace velmora::test
