// velmora-ini: reads or writes one key of an INI file with Velmora's profile engine.

#include "config/gameconfig.h"
#include "config/readmodule.h"
#include "gamefile.h"
#include "inicommand.h"
#include "platform/fileio.h"
#include "platform/profile.h"

#include <cstdio>
#include <iostream>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <string>
#include <string_view>
#include <vector>

namespace {

using velmora::tools::findGameFile;

constexpr std::string_view kUsage =
    R"(Usage:
  velmora-ini get FILE SECTION KEY [DEFAULT]
  velmora-ini set FILE SECTION KEY VALUE
  velmora-ini batch
  velmora-ini --help

Reads or writes one key of an INI file with the Windows profile rules that
Velmora uses. FILE may be --game: the game's UnrealTournament.ini, found as
Velmora finds it:
  1. the game's folder from its registry entry (on Linux in the Wine prefix
     named by WINEPREFIX, else ~/.wine, else the game's Steam Proton prefixes):
     System64\UnrealTournament.ini when it is the only one there or was written
     after System\UnrealTournament.ini, else System\UnrealTournament.ini;
  2. on Linux, without a registry folder, the native game's
     ~/.utpg/System/UnrealTournament.ini when it exists.

get  prints the value (at most 254 characters) and a line break. A missing key,
     section or file prints DEFAULT, less its trailing spaces; without DEFAULT,
     empty text.
set  writes the value, creating the file, section or key when missing. Exit
     status 1, with the reason on standard error, when the write is refused or
     fails.
batch reads commands from standard input, one per line, fields separated by
     TAB (shown as |):
       get|FILE|SECTION|KEY|DEFAULT|BUFSIZE  answers  ret|N|VALUE
       set|FILE|SECTION|KEY|VALUE            answers  ret|1  or  ret|0|REASON
       cat|FILE                              answers  file|BYTES  or  file|MISSING
     N is the count a buffer of BUFSIZE characters receives. In every field TAB,
     LF, CR and backslash are written \t \n \r \\, any byte may be written \xHH;
     answers are escaped the same way, with every byte outside printable ASCII
     as \xHH. A malformed command is answered err|REASON and the batch goes on.
     Each answer is flushed.
)";

// A batch reads and rewrites the same files over and over. glibc hands every freed buffer
// of 128 KB or more back to the system, so each command faulted all the pages of its file's
// buffers in again: keep them in the process instead, up to glibc's own limit of 32 MB.
void keepBuffersBetweenCommands()
{
#if defined(__GLIBC__)
    constexpr int kKept = 32 << 20;
    ::mallopt(M_MMAP_THRESHOLD, kKept);
    ::mallopt(M_TRIM_THRESHOLD, 2 * kKept);
#endif
}

int runBatch()
{
    keepBuffersBetweenCommands();
    // Unsynchronised, standard input is read a buffer at a time rather than a byte at a
    // time; a read still returns as soon as a line is there, so answers are not held back.
    std::ios::sync_with_stdio(false);
    velmora::tools::runBatch(std::cin, std::cout, findGameFile);
    return 0;
}

int fail(std::string_view reason)
{
    std::cerr << "velmora-ini: " << reason << '\n';
    return 1;
}

// Runs `run` on the path that FILE names, or fails when it names the game and none is found.
template <typename Run> int onFile(const std::string& file, Run run)
{
    const auto path = velmora::tools::resolveFile(file, findGameFile);
    return path ? run(*path) : fail(velmora::config::kFolderNotFoundText);
}

int runGet(const std::vector<std::string>& args)
{
    return onFile(args[1], [&](const std::string& path) {
        const std::string defaultValue = args.size() == 5 ? args[4] : std::string();
        std::cout << velmora::platform::getProfileString(path, args[2], args[3], defaultValue,
                                                         velmora::config::ReadModule::kBufferSize)
                  << '\n';
        return 0;
    });
}

int runSet(const std::vector<std::string>& args)
{
    return onFile(args[1], [&](const std::string& path) {
        const auto outcome = velmora::platform::writeProfileString(path, args[2], args[3], args[4]);
        return outcome.ok() ? 0 : fail(outcome.reason);
    });
}

} // namespace

int main(int argc, char** argv)
{
    velmora::platform::ignoreFileSizeSignal();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string_view command = args.empty() ? std::string_view() : args[0];
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "get" && (args.size() == 4 || args.size() == 5)) {
        return runGet(args);
    }
    if (command == "set" && args.size() == 5) {
        return runSet(args);
    }
    if (command == "batch" && args.size() == 1) {
        return runBatch();
    }
    std::cerr << kUsage;
    return 2;
}
