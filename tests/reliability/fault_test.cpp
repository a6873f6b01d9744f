// Every write path under faults: each failed write must leave every file and folder exactly as
// it was and report the operating system's reason; each write that succeeds must keep links
// and modes. The rows are in tests/data/write-faults.tsv. The writes run in a child that drops
// root or has a file size limit, so that the faults are real even when the tests run as root.

#include "config/mainwindisplay.h"
#include "faultkit.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "sets/apply.h"
#include "sets/store.h"
#include "support/rowname.h"

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using platform::WriteOutcome;
using platform::WriteStatus;

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
    ChildLimits limits{.unprivileged = row[3] == "nobody"};
    if (row[3].starts_with("fsize="))
        limits.fileSizeLimit = std::stoul(row[3].substr(6));
    if (keeps) {
        limits.umask = static_cast<mode_t>(std::stoul(row[4], nullptr, 8));
        const auto [reached, created] =
            expected.try_emplace(row[3], Entry{'f', 0666 & ~*limits.umask, {}});
        reached->second.content = created ? path->created : path->after;
    }

    std::string trouble;
    const auto outcome = writeInChild(
        limits, [&, p = path] { return p->write(target); }, trouble);

    ASSERT_TRUE(outcome) << trouble;
    EXPECT_EQ(outcome->status, keeps ? WriteStatus::Written : WriteStatus::Failed)
        << outcome->reason;
    // A preset needs the file's device: on a missing file it fails for that reason.
    const bool needsFile =
        path->created.empty() && !std::filesystem::exists(target, error) && !error;
    EXPECT_TRUE(keeps || outcome->reason.find(needsFile ? "No such file" : row[4].c_str()) !=
                             std::string::npos)
        << outcome->reason;
    EXPECT_EQ(snapshot(scratch.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(Fault, WriteUnder, testing::ValuesIn(cases("fault", 6)), caseName);
INSTANTIATE_TEST_SUITE_P(Keep, WriteUnder, testing::ValuesIn(cases("keep", 5)), caseName);

// A bare file name is written in the current folder, by a user who may write nothing else.
TEST(WriteRelative, BareFileNameIsWrittenInTheCurrentFolder)
{
    TemporaryFolder scratch;
    ::chmod(scratch.path().c_str(), 0777);
    std::string trouble;
    const auto outcome = writeInChild(
        {.unprivileged = true},
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
