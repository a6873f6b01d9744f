#include "wineprefixes.h"

#include "fileio.h"
#include "steamvdf.h"

#include <array>
#include <filesystem>
#include <set>

namespace velmora::platform::wine {
namespace {

namespace fs = std::filesystem;

// Where Steam keeps its main library: native packages, Debian's package, Flatpak, Snap.
constexpr std::array<const char*, 6> kSteamRoots = {
    ".steam/steam",
    ".steam/root",
    ".local/share/Steam",
    ".steam/debian-installation",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam",
    "snap/steam/common/.local/share/Steam",
};

std::string withoutTrailingSlashes(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return std::string(path);
}

bool isDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// Existing Steam libraries under `home`, each once however many links lead to it.
std::vector<fs::path> steamLibraries(const fs::path& home)
{
    std::vector<fs::path> libraries;
    std::set<fs::path> seen;
    const auto add = [&](const fs::path& library) {
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(library, error);
        if (!error && isDirectory(library) && seen.insert(canonical).second)
            libraries.push_back(library);
    };
    for (const char* root : kSteamRoots) {
        if (!isDirectory(home / root))
            continue;
        add(home / root);
        for (const char* vdf : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
            if (const auto text = readWholeFile((home / root / vdf).string()))
                for (const std::string& library : steamLibrariesFromVdf(*text))
                    add(library);
        }
    }
    return libraries;
}

} // namespace

std::vector<std::string> candidatePrefixes(std::optional<std::string_view> winePrefix,
                                           std::string_view home)
{
    // Wine itself uses WINEPREFIX alone when it is set, so the game can be nowhere else.
    if (winePrefix && !winePrefix->empty())
        return {withoutTrailingSlashes(*winePrefix)};
    if (home.empty())
        return {};
    const fs::path homePath(home);
    std::vector<std::string> prefixes{(homePath / ".wine").string()};
    for (const fs::path& library : steamLibraries(homePath))
        prefixes.push_back((library / "steamapps/compatdata" / kSteamAppId / "pfx").string());
    return prefixes;
}

} // namespace velmora::platform::wine
