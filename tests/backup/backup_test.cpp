#include "backup/backup.h"
#include "support/fakeprefix.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <gtest/gtest.h>

namespace velmora::backup {
namespace {

using namespace std::chrono;

constexpr sys_seconds kStart = sys_days{2026y / December / 6} + 21h + 53min + 4s;

TEST(Backups, EveryStateBeforeAChangeHasACopyTheTwentyNewestStayAndARestoreKeepsItsCopy)
{
    // Two game files of the same name in two folders, each holding "v0", and a backup folder.
    const test::TemporaryFolder scratch;
    const std::string game = scratch.file("UnrealTournament.ini");
    const std::string other = scratch.file("System64/UnrealTournament.ini");
    std::filesystem::create_directories(scratch.file("System64"));
    test::writeFile(game, "v0");
    test::writeFile(other, "v0");
    sys_seconds now = kStart;
    const auto start = [&] {
        return BackupSession(scratch.file("state/velmora/backups"), [&] { return now; });
    };
    // What the window does for each change, in a run of its own: a backup first.
    const auto change = [&](const std::string& file, std::string_view text) {
        EXPECT_TRUE(start().ensureBackup(file).ok());
        test::writeFile(file, text);
    };
    // The file | its backups newest first, each as "contents@seconds after the start ".
    const auto files = [&](const std::string& file) {
        std::string all = test::readFile(file) + "|";
        for (const BackupEntry& entry : start().list(file)) {
            EXPECT_EQ(entry.fileName, "UnrealTournament.ini");
            all += test::readFile(entry.path) + "@" +
                   std::to_string(duration_cast<seconds>(entry.time - kStart).count()) + " ";
        }
        return all;
    };

    BackupSession run = start();
    EXPECT_TRUE(run.ensureBackup(game).ok());
    change(game, "v1");
    test::writeFile(game, "x"); // another program's change
    change(game, "v2");
    EXPECT_EQ(files(game), "v2|x@0 v0@0 ");

    // An earlier version's copy, of no known file, stays as it is.
    const std::string earlier =
        scratch.file("state/velmora/backups/UnrealTournament.ini.20250101-000000-00.bak");
    change(other, "w1");
    test::writeFile(earlier, "e");
    for (int n = 3; n <= 25; ++n) {
        change(game, "v" + std::to_string(n));
        now += n % 10 == 0 ? 1s : 0s;
    }
    EXPECT_EQ(files(game), "v25|v24@2 v23@2 v22@2 v21@2 v20@2 v19@1 v18@1 v17@1 v16@1 v15@1 v14@1 "
                           "v13@1 v12@1 v11@1 v10@1 v9@0 v8@0 v7@0 v6@0 v5@0 ");
    EXPECT_EQ(files(other), "w1|v0@0 ");
    EXPECT_EQ(test::readFile(earlier) + std::to_string(start().unassignedCopies()), "e1");

    EXPECT_EQ(run.restore(run.list(other).at(0), game).reason,
              std::generic_category().message(ENOENT));
    EXPECT_TRUE(run.restore(run.list(game).back(), game).ok());
    EXPECT_EQ(test::readFile(run.list(game).back().path) + test::readFile(game), "v5v5");
    change(game, "w");
    // The restore's own copy of v25 put out v6; the copy before "w" puts out the v5 it restored.
    EXPECT_EQ(files(game), "w|v5@2 v25@2 v24@2 v23@2 v22@2 v21@2 v20@2 v19@1 v18@1 v17@1 v16@1 "
                           "v15@1 v14@1 v13@1 v12@1 v11@1 v10@1 v9@0 v8@0 v7@0 ");
}

} // namespace
} // namespace velmora::backup
