#include "backup/backup.h"
#include "support/fakeprefix.h"

#include <cerrno>
#include <system_error>

#include <gtest/gtest.h>

namespace velmora::backup {
namespace {

using namespace std::chrono;

// Runs of the window program over a game file holding "v0" and a backup folder.
class Backups : public ::testing::Test {
protected:
    Backups() { test::writeFile(game, "v0"); }

    BackupSession start()
    {
        return BackupSession(scratch.file("state/velmora/backups"), [this] { return now; });
    }

    // What the window does for each change: a backup first, and no write when it fails.
    platform::WriteOutcome change(BackupSession& run, std::string_view text)
    {
        platform::WriteOutcome outcome = run.ensureBackup(game);
        if (outcome.ok())
            test::writeFile(game, text);
        return outcome;
    }

    // The game file | the backups newest first, each as "contents@seconds after the start ".
    std::string files()
    {
        std::string all = test::readFile(game) + "|";
        for (const BackupEntry& entry : start().list()) {
            EXPECT_EQ(entry.fileName, "UnrealTournament.ini");
            all += test::readFile(entry.path) + "@" +
                   std::to_string(duration_cast<seconds>(entry.time - kStart).count()) + " ";
        }
        return all;
    }

    static constexpr sys_seconds kStart = sys_days{2026y / December / 6} + 21h + 53min + 4s;
    test::TemporaryFolder scratch;
    std::string game = scratch.file("UnrealTournament.ini");
    sys_seconds now = kStart;
};

// Each run backs up before its first change only.
TEST_F(Backups, TwentyNewestKeptInOrderWithinOneSecondToo)
{
    for (int n = 1; n <= 25; ++n) {
        BackupSession run = start();
        EXPECT_TRUE(change(run, "w").ok());
        EXPECT_TRUE(change(run, "v" + std::to_string(n)).ok());
        now += n % 10 == 0 ? 1s : 0s;
    }
    EXPECT_EQ(files(), "v25|v24@2 v23@2 v22@2 v21@2 v20@2 v19@1 v18@1 v17@1 v16@1 v15@1 v14@1 "
                       "v13@1 v12@1 v11@1 v10@1 v9@0 v8@0 v7@0 v6@0 v5@0 ");
}

TEST_F(Backups, RestoreBacksUpFirstSoItCanBeUndone)
{
    BackupSession run = start();
    EXPECT_TRUE(change(run, "v1").ok());
    now += 1s;
    EXPECT_TRUE(run.restore(run.list().at(0), game).ok());
    now += 1s;
    EXPECT_TRUE(run.restore(run.list().at(0), game).ok());
    EXPECT_EQ(files(), "v1|v0@2 v1@1 v0@0 ");
}

TEST_F(Backups, BackupThatCannotBeMadeWritesNothingAndIsTriedAgain)
{
    test::writeFile(scratch.file("state"), "in the way");
    BackupSession run = start();
    EXPECT_FALSE(run.restore({game, "UnrealTournament.ini", {}, 2}, game).ok());
    EXPECT_EQ(change(run, "v2").reason,
              std::error_code(ENOTDIR, std::generic_category()).message());
    EXPECT_EQ(files(), "v0|");
}

} // namespace
} // namespace velmora::backup
