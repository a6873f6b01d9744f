#pragma once

// The window program's command line: `--ini FILE` (or `--ini=FILE`) and `--help`.

#include <span>
#include <string>
#include <string_view>

namespace velmora::config {

struct CommandLine {
    bool help = false;
    std::string iniFile; // empty: look the game up
    std::string error;   // what is wrong with the command line; empty when nothing
};

// `arguments` without the program's name. --help anywhere wins over any error, so that it
// can be answered before anything else is set up.
CommandLine parseCommandLine(std::span<const std::string> arguments);

// The text `velmora --help` prints.
std::string_view commandLineHelp();

} // namespace velmora::config
