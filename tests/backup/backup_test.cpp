#include "backup/backup.h"
#include "support/fakeprefix.h"
#include "support/rowname.h"

#include <cerrno>
#include <functional>
#include <system_error>

#include <gtest/gtest.h>

namespace velmora::backup {
namespace {

using namespace std::chrono;
using test::PrintTo;

// One run of the window program, or several, over a game file and a backup folder.
struct Runs {
    test::TemporaryFolder scratch;
    std::string game = scratch.file("UnrealTournament.ini");
    sys_seconds now = sys_days{2026y / December / 6} + 21h + 53min + 4s;

    BackupSession start()
    {
        return BackupSession(scratch.file("state/velmora/backups"), [this] { return now; });
    }

    // What the window does for each change: a backup first, and no write when it fails.
    platform::WriteOutcome change(BackupSession& run, std::string_view text)
    {
        platform::WriteOutcome outcome = run.ensureBackup(game);
        if (outcome.ok()) {
            test::writeFile(game, text);
        }
        return outcome;
    }
};

struct BackupRow {
    std::string name;
    std::function<platform::WriteOutcome(Runs&)> steps; // over a game file holding "v0"
    // The last step's failure reason (empty when it works) | the game file afterwards |
    // the backups newest first, each as "contents@seconds after the start ".
    std::string result;
};

const BackupRow kRows[] = {
    // Each run backs up before its first change only.
    {"twenty_newest_kept_in_order_within_one_second_too",
     [](Runs& r) {
         platform::WriteOutcome outcome;
         for (int n = 1; n <= 25; ++n) {
             BackupSession run = r.start();
             EXPECT_TRUE(r.change(run, "w").ok());
             outcome = r.change(run, "v" + std::to_string(n));
             r.now += n % 10 == 0 ? 1s : 0s;
         }
         return outcome;
     },
     "|v25|v24@2 v23@2 v22@2 v21@2 v20@2 v19@1 v18@1 v17@1 v16@1 v15@1 v14@1 v13@1 v12@1 v11@1 "
     "v10@1 v9@0 v8@0 v7@0 v6@0 v5@0 "},
    {"restore_backs_up_first_so_it_can_be_undone",
     [](Runs& r) {
         BackupSession run = r.start();
         EXPECT_TRUE(r.change(run, "v1").ok());
         r.now += 1s;
         EXPECT_TRUE(run.restore(run.list().at(0), r.game).ok());
         r.now += 1s;
         return run.restore(run.list().at(0), r.game);
     },
     "|v1|v0@2 v1@1 v0@0 "},
    {"a_backup_that_cannot_be_made_writes_nothing",
     [](Runs& r) {
         test::writeFile(r.scratch.file("state"), "in the way");
         BackupSession run = r.start();
         EXPECT_FALSE(run.restore({r.game, "UnrealTournament.ini", {}, 2}, r.game).ok());
         return r.change(run, "v2"); // and it is tried again
     },
     std::error_code(ENOTDIR, std::generic_category()).message() + "|v0|"},
};

class BackupTest : public ::testing::TestWithParam<BackupRow> {};

TEST_P(BackupTest, keeps_and_restores_copies_of_the_game_file)
{
    Runs runs;
    test::writeFile(runs.game, "v0");
    const sys_seconds start = runs.now;

    const platform::WriteOutcome outcome = GetParam().steps(runs);

    std::string result = outcome.reason + "|" + test::readFile(runs.game) + "|";
    for (const BackupEntry& entry : runs.start().list()) {
        EXPECT_EQ(entry.fileName, "UnrealTournament.ini");
        result += test::readFile(entry.path) + "@" +
                  std::to_string(duration_cast<seconds>(entry.time - start).count()) + " ";
    }
    EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(backups, BackupTest, ::testing::ValuesIn(kRows), test::RowName{});

} // namespace
} // namespace velmora::backup
