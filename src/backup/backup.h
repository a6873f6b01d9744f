#pragma once

// Copies of the game's file kept before Velmora changes it, so that any change can be undone.
// Free of Qt. Each file has its own folder of copies, named after the file
// ("UnrealTournament.ini-1") and holding "path.txt", the full path of the file its copies are of. A
// copy is named by the file and the time it was made (UTC), for example
// "UnrealTournament.ini.20261206-215304-00.bak", so that names sort by age; the two digits tell
// apart copies made within the same second.

#include "platform/outcome.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora::backup {

using Clock = std::function<std::chrono::system_clock::time_point()>;

struct BackupEntry {
    std::string path;                           // the copy itself
    std::string fileName;                       // the name of the file it is a copy of
    std::chrono::system_clock::time_point time; // when it was made, to the second
    std::uintmax_t size = 0;                    // in bytes
};

// The newest this many copies of each file are kept; older ones of that file are removed as
// new ones are made.
inline constexpr std::size_t kBackupsKept = 20;

// The copies of every file Velmora changes, in `folder` (created when first needed). A file is
// known by its full path, resolved against the current folder.
class BackupSession {
public:
    explicit BackupSession(std::string folder, Clock now = std::chrono::system_clock::now);

    // Call before every change of `gameFile`: copies it when its bytes differ from its newest
    // copy, so the first change after a restore, after another program's change or after a
    // restart is covered too. A missing file needs no copy. On failure the reason says whether
    // the file could not be read or the copy not be kept, and the caller must not write.
    platform::WriteOutcome ensureBackup(const std::string& gameFile);

    // The copies of `gameFile`, newest first.
    std::vector<BackupEntry> list(const std::string& gameFile) const;

    // Copies the current `gameFile` when its newest copy does not hold it already (so the restore
    // can be undone; this never removes `entry`), then replaces the file atomically with the
    // bytes of `entry`, which must be one of list(gameFile). Nothing is written when a step fails.
    platform::WriteOutcome restore(const BackupEntry& entry, const std::string& gameFile);

    // Copies that earlier versions left in the folder itself, without the path of their file:
    // they are never listed, restored or removed, so they are neither lost nor put into the
    // wrong file.
    std::size_t unassignedCopies() const;

    const std::string& folder() const { return m_folder; }

private:
    platform::WriteOutcome keepCurrent(const std::string& gameFile, const std::string& protect);
    platform::WriteOutcome keep(const std::string& full, const std::string& bytes,
                                const std::string& protect);
    platform::WriteOutcome folderFor(const std::string& full, std::filesystem::path& folder);
    std::vector<std::filesystem::path> foldersOf(const std::string& full) const;

    std::string m_folder;
    Clock m_now;
};

// Where backups live: ${XDG_STATE_HOME:-~/.local/state}/velmora/backups on Linux,
// %LOCALAPPDATA%\Velmora\backups on Windows; empty when neither the variable nor the home
// folder is known.
std::string defaultBackupFolder();

} // namespace velmora::backup
