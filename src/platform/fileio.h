#pragma once

// Whole-file access for the profile engine and the setting-set store: read every byte, or
// replace every byte atomically. No exception leaves these functions.

#include "outcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform {

// The file's bytes; nullopt when it does not exist or cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// The file's bytes, or why they could not be read. A writer needs to tell a missing file
// (which it may create) from one it cannot read (which it must not overwrite).
struct FileContents {
    std::string bytes;
    bool missing = false; // nothing exists at the path
    std::string error;    // the operating system's reason when it exists but cannot be read

    bool ok() const { return !missing && error.empty(); }
};
FileContents readFile(const std::string& path);

// Replaces the file at `path` with `bytes`: a temporary file in the same folder is written,
// flushed to disk and renamed over the old file, keeping its mode and, where the process
// may, its owner (a new file gets the mode the umask leaves of 0666); the folder is flushed
// after the rename. A chain of symbolic links is followed and its last target replaced, so
// the links stay links. A folder or other non-regular file at the path is not replaced, nor
// is a read-only file (no write permission bit, or none for this process). On failure the
// old file is left exactly as it was, no temporary file is left behind, and the reason is
// the operating system's (strerror text, e.g. "No space left on device").
WriteOutcome replaceFileAtomically(const std::string& path, const std::string& bytes);

// The full path of `fileName` resolved against `currentDirectory` (GetFullPathNameA's
// rule: an absolute name is kept, a relative one is joined, "." and ".." are folded,
// doubled separators dropped, a trailing separator kept). Pure: nothing on disk is looked
// at. Empty text for an empty name.
std::string fullPathName(const std::string& fileName, const std::string& currentDirectory);

// The process's current working directory; empty text when it cannot be found.
std::string currentDirectory();

// Whether a file exists at `path`, links followed. A folder is not one: a folder named like
// the file must not pass for it, so that creating the file is tried and fails with a reason.
bool fileExists(const std::string& path);

// Makes a write past the process's file-size limit fail with the system's "File too large",
// as a full disk fails, instead of ending the process (SIGXFSZ's default). Called once at
// start-up; Windows has no such limit.
void ignoreFileSizeSignal();

// The process id in the name of one of Velmora's temporary files, ".<file name>.velmora-<id>-<n>",
// which a writer killed before its rename leaves behind; nullopt for any other name. Every
// atomic replace removes those of ended processes from its folder, whatever file they were for:
// each backup has a name of its own, so a leftover would otherwise stay for good.
std::optional<std::uint64_t> temporaryWriter(std::string_view name);

} // namespace velmora::platform
