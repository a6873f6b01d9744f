#include "commandline.h"

#include <algorithm>

namespace velmora::config {

CommandLine parseCommandLine(std::span<const std::string> arguments)
{
    CommandLine line;
    line.help = std::ranges::any_of(arguments, [](const std::string& argument) {
        return argument == "--help" || argument == "-h";
    });
    for (std::size_t i = 0; i < arguments.size() && line.error.empty() && !line.help; ++i) {
        const std::string& argument = arguments[i];
        std::string value;
        if (argument.starts_with("--ini=")) {
            value = argument.substr(6);
        } else if (argument == "--ini" && i + 1 < arguments.size()) {
            value = arguments[++i];
        } else if (argument == "--ini") {
            line.error = "--ini needs the file to edit";
            break;
        } else {
            line.error = "unknown argument: " + argument;
            break;
        }
        if (value.empty())
            line.error = "--ini needs the file to edit";
        else if (!line.iniFile.empty())
            line.error = "--ini is given more than once";
        else
            line.iniFile = value;
    }
    return line;
}

std::string_view commandLineHelp()
{
    return "Usage: velmora [--ini FILE]\n"
           "Tunes the graphics settings of Unreal Tournament in its UnrealTournament.ini.\n"
           "\n"
           "  --ini FILE  edit FILE instead of looking the game up; a missing file is\n"
           "              created by the first change\n"
           "  -h, --help  show this text and exit\n"
           "\n"
           "Without --ini the file is looked up in this order:\n"
           "  1. the game's folder from the registry (on Linux, from the Wine prefix named\n"
           "     by WINEPREFIX, else ~/.wine, else the game's Steam Proton prefixes):\n"
           "     System64\\UnrealTournament.ini when it is the only one there or was written\n"
           "     after System\\UnrealTournament.ini, else System\\UnrealTournament.ini;\n"
           "  2. on Linux, the native game's ~/.utpg/System/UnrealTournament.ini.\n"
           "The exit status is 1 when no file can be used, 2 for a wrong command line.\n";
}

} // namespace velmora::config
