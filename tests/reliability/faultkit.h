#pragma once

// Machinery for the fault and crash tests: files laid out from a one-line description, a
// snapshot of everything in a folder, and a write run in a forked child under limits that even
// root cannot override (a dropped identity, a file size limit).

#include "platform/outcome.h"
#include "support/fakeprefix.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>

namespace velmora::test {

// Lays out `layout` in `root`: items separated by blanks, each "d:folder", "f:file" (holding
// `bytes`) or "l:link:target", with ":mode" in octal after a folder or file; $T in a link target
// stands for `root`. Modes are set last, innermost first, so a locked folder can be filled.
void lay(const std::string& root, const std::string& layout, const std::string& bytes);

// What lies at one path: kind, mode, and the bytes of a file or the target of a link.
struct Entry {
    char kind = '?'; // 'f' file, 'd' folder, 'l' symbolic link
    unsigned mode = 0;
    std::string content;
    bool operator==(const Entry&) const = default;
};
void PrintTo(const Entry& entry, std::ostream* out);
using Tree = std::map<std::string, Entry>; // relative path -> entry

// Everything under `root`, links not followed.
Tree snapshot(const std::filesystem::path& root);

// How the child that performs a write is restricted.
struct ChildLimits {
    bool unprivileged = false;             // run as nobody (65534)
    std::optional<rlim_t> fileSizeLimit{}; // RLIMIT_FSIZE in bytes; SIGXFSZ ignored
    std::optional<mode_t> umask{};
};

// The outcome of `write` run in a forked child under `limits`; nullopt (with the reason in
// `trouble`) when the child could not take on the limits or died.
std::optional<platform::WriteOutcome>
writeInChild(const ChildLimits& limits, const std::function<platform::WriteOutcome()>& write,
             std::string& trouble);

} // namespace velmora::test
