#include "gameconfig.h"

#include "platform/gamelocator.h"

#include <filesystem>
#include <system_error>

namespace velmora::config {
namespace {

namespace fs = std::filesystem;

std::optional<fs::file_time_type> modified(const std::string& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    const auto time = fs::last_write_time(path, error);
    return error ? std::nullopt : std::optional(time);
}

} // namespace

std::string iniFileProblem(const std::string& path)
{
    std::error_code error;
    const fs::path file(path);
    if (fs::is_directory(file, error))
        return "it is a folder";
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const fs::file_status status = fs::status(folder, error);
    if (fs::is_directory(status))
        return {};
    if (status.type() == fs::file_type::not_found)
        return "its folder does not exist";
    return error ? error.message() : "its folder is a file";
}

std::optional<GameConfigLocation> locateGameConfig(const platform::GameLocator& locator,
                                                   const GameConfigRequest& request)
{
    GameConfigLocation location;
    if (!request.iniFile.empty()) {
        if (!iniFileProblem(request.iniFile).empty())
            return std::nullopt;
        location.windowsPath = location.Utpath = request.iniFile;
        location.why = "Named on the command line with --ini";
        return location;
    }
    location.GameFolder = locator.gameFolder();
    if (location.GameFolder.empty()) {
        if (request.nativeConfig.empty() || !modified(request.nativeConfig))
            return std::nullopt;
        location.windowsPath = location.Utpath = request.nativeConfig;
        location.why = "The native Linux game's settings: no Wine or Proton prefix names the game";
        return location;
    }
    location.windowsPath = location.GameFolder + std::string(kConfigSuffix);
    location.Utpath = locator.localPath(location.windowsPath);
    // A folder the prefix cannot map (no drive link, a network path) is as good as none:
    // opening the text as given would create a stray file in the current folder.
    if (location.Utpath.empty())
        return std::nullopt;
    location.why = "The game's folder from the registry";
    // The 64-bit game reads System64's file; the game that ran last wrote its file last.
    const std::string windows64 = location.GameFolder + std::string(kConfigSuffix64);
    const std::string path64 = locator.localPath(windows64);
    const auto time = modified(location.Utpath);
    const auto time64 = path64.empty() ? std::nullopt : modified(path64);
    if (time64 && (!time || *time64 > *time)) {
        location.windowsPath = windows64;
        location.Utpath = path64;
        location.why = time ? "System64's file was written after System's: the 64-bit game ran last"
                            : "Only System64 holds the file: the 64-bit game";
    } else if (time && time64) {
        location.why = "System's file was written after System64's: the 32-bit game ran last";
    }
    return location;
}

std::string nativeGameConfig(const std::string& home)
{
#ifdef _WIN32
    (void)home;
    return {};
#else
    return home.empty() ? std::string() : home + "/.utpg/System/UnrealTournament.ini";
#endif
}

} // namespace velmora::config
