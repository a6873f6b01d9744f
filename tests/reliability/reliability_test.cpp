// Faults, crashes and hostile input: every write path must lose nothing.
//
// Every write path under faults: each failed write must leave every file and folder exactly as
// it was and report the operating system's reason; each write that succeeds must keep links
// and modes. The rows are in tests/data/write-faults.tsv. The writes run as nobody or under a
// file size limit, so that the faults are real even when the tests run as root.

#include "config/mainwindisplay.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "sets/apply.h"
#include "sets/store.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <map>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using platform::WriteOutcome;
using platform::WriteStatus;

// Lays out `layout` in `root`: items separated by blanks, each "d:folder", "f:file" (holding
// `bytes`) or "l:link:target", with ":mode" in octal after a folder or file; $T in a link target
// stands for `root`. Modes are set last, innermost first, so a locked folder can be filled.
void lay(const std::string& root, const std::string& layout, const std::string& bytes)
{
    std::vector<std::pair<std::string, mode_t>> modes;
    for (const std::string& item : split(layout, ' ')) {
        const auto part = split(item, ':');
        const std::string path = root + "/" + part.at(1);
        fs::create_directories(part[0] == "d" ? fs::path(path) : fs::path(path).parent_path());
        if (part[0] == "f")
            writeFile(path, bytes);
        else if (part[0] == "l")
            fs::create_symlink(part.at(2).starts_with("$T") ? root + part[2].substr(2) : part[2],
                               path);
        if (part[0] != "l" && part.size() > 2)
            modes.emplace_back(path, static_cast<mode_t>(std::stoul(part[2], nullptr, 8)));
    }
    for (auto it = modes.rbegin(); it != modes.rend(); ++it)
        ::chmod(it->first.c_str(), it->second);
}

// What lies at one path: kind ('f' file, 'd' folder, 'l' link), mode, and the bytes of a file
// or the target of a link.
using Entry = std::tuple<char, unsigned, std::string>;
using Tree = std::map<std::string, Entry>; // relative path -> entry

// Everything under `root`, links not followed.
Tree snapshot(const fs::path& root)
{
    Tree tree;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        struct stat st {};
        const std::string path = it->path().string();
        if (::lstat(path.c_str(), &st) != 0)
            continue;
        auto& [kind, mode, content] = tree[it->path().lexically_relative(root).string()];
        mode = st.st_mode & 07777;
        kind = S_ISLNK(st.st_mode) ? 'l' : S_ISDIR(st.st_mode) ? 'd' : 'f';
        if (kind == 'l') {
            content = fs::read_symlink(it->path(), error).string();
        } else if (kind == 'f') {
            // Files the test made unreadable are read by their owner for a moment.
            ::chmod(path.c_str(), mode | S_IRUSR);
            content = readFile(path);
            ::chmod(path.c_str(), mode);
        }
    }
    return tree;
}

// The outcome of `write` run under `mask` and `limit`, which binds root too: "nobody" takes
// nobody's identity (65534) when run as root, "fsize=N" limits files to N bytes (SIGXFSZ
// ignored). The process is given back its own afterwards.
WriteOutcome writeUnder(const std::string& limit, mode_t mask,
                        const std::function<WriteOutcome()>& write)
{
    mask = ::umask(mask);
    rlimit size{};
    ::getrlimit(RLIMIT_FSIZE, &size);
    const rlimit limited{limit.starts_with("fsize=") ? std::stoul(limit.substr(6)) : size.rlim_cur,
                         size.rlim_max};
    const auto xfsz = std::signal(SIGXFSZ, SIG_IGN);
    std::vector<gid_t> groups(static_cast<std::size_t>(::getgroups(0, nullptr)));
    ::getgroups(static_cast<int>(groups.size()), groups.data());
    const bool drop = limit == "nobody" && ::geteuid() == 0;
    const gid_t group = ::getegid();
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    EXPECT_TRUE(!drop ||
                (::setgroups(0, nullptr) == 0 && ::setegid(65534) == 0 && ::seteuid(65534) == 0))
        << "cannot take nobody's identity";
    const WriteOutcome outcome = write();
    EXPECT_TRUE(!drop || (::seteuid(0) == 0 && ::setegid(group) == 0 &&
                          ::setgroups(groups.size(), groups.data()) == 0));
    ::setrlimit(RLIMIT_FSIZE, &size);
    std::signal(SIGXFSZ, xfsz);
    ::umask(mask);
    return outcome;
}

const std::string kDevice = "[Engine.Engine]\r\nGameRenderDevice=SoftDrv.SoftwareRenderDevice\r\n";
const std::string kOld = kDevice + "[Engine.GameEngine]\r\nCacheSizeMegs=4\r\nUseSound=True\r\n";
const std::string kReplacement = "; replaced\r\n" + kOld;
const std::string kStoreSet =
    "[Velmora]\r\nSaveNumber=1\r\n[Save1]\r\nSaveName=n\r\nDecals=True\r\n";
const std::string kStoreNew = "[Velmora]\r\nSaveNumber=0\r\n";
const std::string kDecals = "[WinDrv.WindowsClient]\r\nDecals=True\r\n";
const std::string kSlow =
    "[WinDrv.WindowsClient]\r\nFullscreenColorbits=16\r\nCurvedSurfaces=False\r\n"
    "LowDetailTextures=True\r\nDecals=False\r\nNoDynamicLights=True\r\nSlowVideoBuffering=False\r\n"
    "SkinDetail=Low\r\nTextureDetail=Low\r\n[SoftDrv.SoftwareRenderDevice]\r\nCoronas=False\r\n";

struct WritePath {
    const char* name;
    std::function<WriteOutcome(const std::string&)> write;
    std::string after;   // the target's bytes after a successful write over kOld
    std::string created; // the target's bytes after a successful write of a new file, if any
    bool readsFirst;     // reads the file before writing it
};

// clang-format off
const std::vector<WritePath> kPaths = {
    {"writeProfileString", [](const std::string& t) { return platform::writeProfileString(t, "Engine.GameEngine", "CacheSizeMegs", "96"); }, kDevice + "[Engine.GameEngine]\r\nCacheSizeMegs=96\r\nUseSound=True\r\n", "[Engine.GameEngine]\r\nCacheSizeMegs=96\r\n", true},
    {"replaceFileAtomically", [](const std::string& t) { return platform::replaceFileAtomically(t, kReplacement); }, kReplacement, kReplacement, false},
    {"saveSettingSet", [](const std::string& t) { return sets::saveSettingSet(t, "n", {{"Decals"}, {"True"}}).outcome; }, kOld + kStoreSet, kStoreSet, true},
    {"openStore", [](const std::string& t) { return sets::openStore(t).outcome; }, kOld + kStoreNew, kStoreNew, true},
    {"ApplyChangedSettings", [](const std::string& t) { config::ReadModule m; auto e = sets::readEditorLists(m, t); e.values.at(4) = "True"; return sets::ApplyChangedSettings(m, t, e).outcome; }, kOld + kDecals, kDecals, true},
    {"writePreset", [](const std::string& t) { config::ReadModule m; return config::writePreset(m, config::Preset::Slow, t); }, kOld + kSlow, "", true},
};
// clang-format on

// Every row of `kind` paired with every write path it applies to.
std::vector<std::pair<TableRow, const WritePath*>> cases(const char* kind, std::size_t columns)
{
    std::vector<std::pair<TableRow, const WritePath*>> rows;
    for (const TableRow& row : readTable(VELMORA_TESTDATA "/write-faults.tsv", kind, columns))
        for (const WritePath& path : kPaths)
            if (columns < 6 ? !path.created.empty() : row[5] == "all" || path.readsFirst)
                rows.emplace_back(row, &path);
    return rows;
}

std::string caseName(const testing::TestParamInfo<std::pair<TableRow, const WritePath*>>& info)
{
    return info.param.first[0] + "__" + info.param.second->name;
}

// A fault row's write fails with the system's reason; a keep row's is written under its umask.
class WriteUnder : public testing::TestWithParam<std::pair<TableRow, const WritePath*>> {};

TEST_P(WriteUnder, FailsLeavingEverythingAsItWasOrKeepsLinksAndModes)
{
    const auto& [row, path] = GetParam();
    const bool keeps = row.size() == 5;
    TemporaryFolder scratch;
    lay(scratch.path(), row[1], kOld);
    Tree expected = snapshot(scratch.path());
    const std::string target = scratch.file(row[2]);
    std::error_code error;
    const mode_t mask = keeps ? static_cast<mode_t>(std::stoul(row[4], nullptr, 8)) : 022;
    if (keeps) {
        const auto [reached, created] = expected.try_emplace(row[3], Entry{'f', 0666 & ~mask, {}});
        std::get<2>(reached->second) = created ? path->created : path->after;
    }

    const auto outcome =
        writeUnder(keeps ? "" : row[3], mask, [&, p = path] { return p->write(target); });
    EXPECT_EQ(outcome.status, keeps ? WriteStatus::Written : WriteStatus::Failed) << outcome.reason;
    // A preset needs the file's device: on a missing file it fails for that reason.
    const bool needsFile =
        path->created.empty() && !std::filesystem::exists(target, error) && !error;
    EXPECT_TRUE(keeps || outcome.reason.find(needsFile ? "No such file" : row[4].c_str()) !=
                             std::string::npos)
        << outcome.reason;
    EXPECT_EQ(snapshot(scratch.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(Fault, WriteUnder, testing::ValuesIn(cases("fault", 6)), caseName);
INSTANTIATE_TEST_SUITE_P(Keep, WriteUnder, testing::ValuesIn(cases("keep", 5)), caseName);

// A bare file name is written in the current folder, by a user who may write nothing else.
TEST(WriteRelative, BareFileNameIsWrittenInTheCurrentFolder)
{
    TemporaryFolder scratch;
    ::chmod(scratch.path().c_str(), 0777);
    const fs::path saved = fs::current_path();
    fs::current_path(scratch.path());
    const auto outcome = writeUnder(
        "nobody", 022, [] { return platform::writeProfileString("game.ini", "s", "k", "v"); });
    fs::current_path(saved);
    EXPECT_EQ(outcome.status, WriteStatus::Written) << outcome.reason;
    EXPECT_EQ(readFile(scratch.file("game.ini")), "[s]\r\nk=v\r\n");
}

// A child writes one key over and over and is killed with SIGKILL at a random moment, again
// and again. After every kill the game's file must be the old or the new version, byte for
// byte, never a mix or a cut. VELMORA_CRASH_KILLS sets the number of kills (300 by default).

using namespace std::chrono;

constexpr const char* kSection = "WinDrv.WindowsClient";

// Values of changing length, so that the file grows and shrinks between writes.
bool writeValue(const std::string& file, long n)
{
    const std::string value = std::string(static_cast<std::size_t>(n % 5), '0') + std::to_string(n);
    return platform::writeProfileString(file, kSection, "WindowedViewportX", value).ok();
}

TEST(Crash, EveryKillLeavesTheOldOrTheNewFile)
{
    const std::string original = readFile(VELMORA_TESTDATA "/ut-ini/client-451-windows-d3d.ini");
    const TemporaryFolder scratch;
    const std::string file = scratch.file("UnrealTournament.ini");
    // Kills spread over about three whole writes.
    const auto start = steady_clock::now();
    for (int n = 0; n < 20; ++n)
        ASSERT_TRUE(writeValue(file, n));
    const long window = duration_cast<microseconds>(steady_clock::now() - start).count() * 3 / 20;
    std::mt19937 random(20261206);
    std::uniform_int_distribution<long> delay(0, window + 1000);
    const char* asked = std::getenv("VELMORA_CRASH_KILLS");
    const int kills = asked != nullptr && std::atoi(asked) > 0 ? std::atoi(asked) : 300;

    writeFile(file, original);
    for (int round = 0; round < kills; ++round) {
        const pid_t child = ::fork();
        for (long n = round * 100000L; child == 0; ++n)
            if (!writeValue(file, n))
                ::_exit(1);
        ASSERT_GT(child, 0);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;

        const std::string bytes = readFile(file);
        const std::string value =
            platform::profileReadText(bytes, kSection, "WindowedViewportX", "", 4096);
        const platform::TextEdit edit =
            platform::profileWriteText(original, kSection, "WindowedViewportX", value);
        ASSERT_EQ(bytes, edit.status == platform::WriteStatus::Written ? edit.contents : original)
            << "round " << round;
    }
    // A writer killed mid-write leaves its temporary file; the next write clears it, also one
    // for another file of the folder (each backup has a name of its own).
    writeFile(scratch.file(".Other.ini.2026.bak.velmora-99999999-1"), "");
    ASSERT_TRUE(writeValue(file, 0));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1)
        << "temporary files of killed writers pile up";
}

// A line too long for any table (libFuzzer's inputs stay small): passed over when reading
// past it, cut when read, and replaced whole; never a crash, a hang or a damaged file.
TEST(HugeLine, TenMegabyteLineIsPassedOverCutAndReplacedWhole)
{
    const std::string big = "[s]\r\nbig=" + std::string(10U << 20, 'x') + "\r\nk=v\r\n";
    EXPECT_EQ(platform::profileReadText(big, "s", "k", "", 255), "v");
    EXPECT_EQ(platform::profileReadText(big, "s", "big", "", 255), std::string(254, 'x'));
    EXPECT_EQ(platform::profileWriteText(big, "s", "big", "small").contents,
              "[s]\r\nbig=small\r\nk=v\r\n");
}

} // namespace
} // namespace velmora::test
