#pragma once

// Copies of the game's file kept before Velmora changes it, so that any change can be undone.
// Free of Qt. A backup is named by the file and the time it was made (UTC), for example
// "UnrealTournament.ini.20261206-215304-00.bak", so that names sort by age; the two digits
// tell apart backups made within the same second.

#include "platform/outcome.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace velmora::backup {

using Clock = std::function<std::chrono::system_clock::time_point()>;

struct BackupEntry {
    std::string path;                           // the backup file itself
    std::string fileName;                       // the name of the file it is a copy of
    std::chrono::system_clock::time_point time; // when it was made, to the second
    std::uintmax_t size = 0;                    // in bytes
};

// The newest this many backups are kept; older ones are removed as new ones are made.
inline constexpr std::size_t kBackupsKept = 20;

// One run of the program: backs the game's file up once, before its first change, and
// restores it from any backup in `folder` (created when first needed).
class BackupSession {
public:
    explicit BackupSession(std::string folder, Clock now = std::chrono::system_clock::now);

    // Call before every change of `gameFile`: the first call of the run for that file copies
    // it as it is, later ones do nothing. A missing file needs no copy. On failure (the
    // reason is the system's) the caller must not write: the next call tries again.
    platform::WriteOutcome ensureBackup(const std::string& gameFile);

    // Every backup in the folder, newest first.
    std::vector<BackupEntry> list() const;

    // Backs the current `gameFile` up (so the restore can be undone), then replaces it
    // atomically with the backup's bytes. Nothing is written when either step fails.
    platform::WriteOutcome restore(const BackupEntry& entry, const std::string& gameFile);

    const std::string& folder() const { return m_folder; }

private:
    platform::WriteOutcome makeBackup(const std::string& gameFile);
    void removeOldest() const;

    std::string m_folder;
    Clock m_now;
    std::set<std::string> m_backedUp;
};

// Where backups live: ${XDG_STATE_HOME:-~/.local/state}/velmora/backups on Linux,
// %LOCALAPPDATA%\Velmora\backups on Windows; empty when neither the variable nor the home
// folder is known.
std::string defaultBackupFolder();

} // namespace velmora::backup
