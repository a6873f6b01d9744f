#pragma once

// The commands of velmora-ini and their one-line text form. Batch lines hold TAB-separated
// fields in which TAB, LF, CR and backslash are written \t \n \r \\ and any byte as \xHH;
// answers are escaped the same way, with every byte outside printable ASCII as \xHH.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace velmora::tools {

// The FILE argument that names the game's own configuration file.
inline constexpr std::string_view kGameFileArgument = "--game";

// The path of the game's configuration file, or nullopt when the registry names no folder.
using GameFileFinder = std::function<std::optional<std::string>()>;

// The path a command's FILE names: the game's own file for kGameFileArgument, found by
// `findGameFile` (nullopt when it finds none, or is not given), else FILE itself.
std::optional<std::string> resolveFile(const std::string& file, const GameFileFinder& findGameFile);

std::string escapeField(std::string_view bytes);

// The bytes a field stands for; nullopt for a backslash not followed by t, n, r, \ or two
// hexadecimal digits.
std::optional<std::string> unescapeField(std::string_view field);

struct GetCommand {
    std::string file;
    std::string section;
    std::string key;
    std::string defaultValue;
    std::size_t bufferSize = 0;
};

struct SetCommand {
    std::string file;
    std::string section;
    std::string key;
    std::string value;
};

struct CatCommand {
    std::string file;
};

struct BadCommand {
    std::string reason;
};

using Command = std::variant<GetCommand, SetCommand, CatCommand, BadCommand>;

// One batch line, without its line break.
Command parseCommand(std::string_view line);

// Carries the command out and gives its answer line, without a line break:
//   get: "ret<TAB>N<TAB>VALUE", N the count a buffer of that size receives
//   set: "ret<TAB>1", or "ret<TAB>0<TAB>REASON" when refused or failed
//   cat: "file<TAB>BYTES" or "file<TAB>MISSING"
//   anything that cannot be carried out: "err<TAB>REASON"
std::string answer(const Command& command, const GameFileFinder& findGameFile);

// Answers every line of `in` on `out`, one line each, flushed at once.
void runBatch(std::istream& in, std::ostream& out, const GameFileFinder& findGameFile);

} // namespace velmora::tools
