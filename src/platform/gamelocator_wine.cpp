#include "fileio.h"
#include "registry_text.h"
#include "wineprefix.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <set>
#include <unistd.h>

namespace velmora::platform::wine {
namespace {

namespace fs = std::filesystem;

// The 32-bit view of the game's key in a 64-bit prefix.
constexpr const char* kWowGameRegistryKey =
    "Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\UnrealTournament";

// Where Steam keeps its main library: native packages, Debian's package, Flatpak, Snap.
constexpr std::array<const char*, 6> kSteamRoots = {
    ".steam/steam",
    ".steam/root",
    ".local/share/Steam",
    ".steam/debian-installation",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam",
    "snap/steam/common/.local/share/Steam",
};

struct VdfToken {
    char kind; // '"' for text, '{' or '}'
    std::string text;
};

std::string vdfString(std::string_view text, std::size_t& pos)
{
    std::string value;
    for (++pos; pos < text.size() && text[pos] != '"'; ++pos) {
        if (text[pos] == '\\' && pos + 1 < text.size())
            ++pos;
        value += text[pos];
    }
    ++pos;
    return value;
}

std::vector<VdfToken> vdfTokens(std::string_view text)
{
    std::vector<VdfToken> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '{' || c == '}') {
            tokens.push_back({c, {}});
            ++pos;
        } else if (c == '"') {
            tokens.push_back({'"', vdfString(text, pos)});
        } else if (text.substr(pos, 2) == "//") {
            pos = std::min(text.size(), text.find('\n', pos));
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++pos;
        } else {
            const std::size_t end = text.find_first_of(" \t\r\n{}\"", pos);
            tokens.push_back({'"', std::string(text.substr(pos, end - pos))});
            pos = std::min(text.size(), end);
        }
    }
    return tokens;
}

bool isNumber(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

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

std::optional<fs::path> driveRoot(std::string_view prefix, char letter)
{
    const fs::path dosdevices = fs::path(prefix) / "dosdevices";
    const fs::path link =
        dosdevices /
        std::string{static_cast<char>(std::tolower(static_cast<unsigned char>(letter))), ':'};
    std::error_code error;
    const fs::file_status status = fs::symlink_status(link, error);
    if (fs::is_symlink(status)) {
        const fs::path target = fs::read_symlink(link, error);
        if (error)
            return std::nullopt;
        return (target.is_absolute() ? target : dosdevices / target).lexically_normal();
    }
    if (fs::is_directory(status))
        return link;
    return std::nullopt;
}

// The components of a path, either separator; "." dropped and ".." folded, never above the root.
std::vector<std::string> pathComponents(std::string_view path)
{
    std::vector<std::string> components;
    while (!path.empty()) {
        const std::size_t end = path.find_first_of("\\/");
        const std::string_view component = path.substr(0, end);
        if (component == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!component.empty() && component != ".") {
            components.emplace_back(component);
        }
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return components;
}

// `name` in `folder`: the exact entry when it exists, else the first entry (in name order)
// equal to it without regard to case, as Wine looks files up; else `name` as given.
fs::path matchComponent(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / name, error)))
        return folder / name;
    const std::string folded = foldCase(name);
    std::string best;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (foldCase(entry) == folded && (best.empty() || entry < best))
            best = std::move(entry);
    }
    return folder / (best.empty() ? name : best);
}

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_dir;
    return {};
}

} // namespace

std::vector<std::string> steamLibrariesFromVdf(std::string_view vdfText)
{
    std::vector<std::string> libraries;
    int depth = 0;
    std::optional<std::string> key;
    for (VdfToken& token : vdfTokens(vdfText)) {
        if (token.kind != '"') {
            depth += token.kind == '{' ? 1 : -1;
            key.reset();
        } else if (!key) {
            key = std::move(token.text);
        } else {
            // The older layout lists each library as a numbered entry of the top block.
            if (foldCase(*key) == "path" || (depth == 1 && isNumber(*key)))
                libraries.push_back(std::move(token.text));
            key.reset();
        }
    }
    return libraries;
}

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

GameFolderEntry gameFolderFromSystemReg(std::string_view systemReg)
{
    const auto hive = RegistryHive::parse(systemReg);
    if (!hive)
        return {};
    for (const char* key : {kWowGameRegistryKey, kGameRegistryKey}) {
        const std::u16string text = registryValueText(hive->find(key, kGameRegistryValue));
        std::string folder = cp1252FromUtf16(text);
        if (!folder.empty())
            return {{}, std::move(folder), utf8FromUtf16(text)};
    }
    return {};
}

std::optional<GameFolderEntry> findGameFolder(const std::vector<std::string>& prefixes)
{
    for (const std::string& prefix : prefixes) {
        const auto text = readWholeFile((fs::path(prefix) / "system.reg").string());
        if (!text)
            continue;
        GameFolderEntry entry = gameFolderFromSystemReg(*text);
        if (!entry.folder.empty()) {
            entry.prefix = prefix;
            return entry;
        }
    }
    return std::nullopt;
}

std::string unixPathInPrefix(std::string_view prefix, std::string_view windowsPath)
{
    std::optional<fs::path> path;
    if (windowsPath.starts_with('/')) {
        path = fs::path("/");
    } else if (windowsPath.size() >= 2 && windowsPath[1] == ':' &&
               std::isalpha(static_cast<unsigned char>(windowsPath[0]))) {
        path = driveRoot(prefix, windowsPath[0]);
        windowsPath.remove_prefix(2);
    }
    if (!path)
        return {};
    for (const std::string& component : pathComponents(windowsPath))
        path = matchComponent(*path, component);
    return path->string();
}

WineGameLocator::WineGameLocator(std::vector<std::string> prefixes)
    : m_prefixes(std::move(prefixes))
{}

std::string WineGameLocator::gameFolder() const
{
    m_entry = findGameFolder(m_prefixes);
    return m_entry ? m_entry->folder : std::string();
}

std::string WineGameLocator::localPath(const std::string& windowsPath) const
{
    if (!m_entry)
        gameFolder();
    // Characters the code page cannot hold came back as '?'; the folder's own text finds
    // them on disk.
    std::string path;
    if (m_entry && windowsPath.starts_with(m_entry->folder))
        path = m_entry->folderUtf8 + utf8FromCp1252(windowsPath.substr(m_entry->folder.size()));
    else
        path = utf8FromCp1252(windowsPath);
    if (path.starts_with('/'))
        return unixPathInPrefix({}, path);
    return m_entry ? unixPathInPrefix(m_entry->prefix, path) : std::string();
}

std::string WineGameLocator::answeringPrefix() const
{
    return m_entry ? m_entry->prefix : std::string();
}

} // namespace velmora::platform::wine

namespace velmora::platform {

std::unique_ptr<GameLocator> makeSystemGameLocator()
{
    std::optional<std::string_view> winePrefix;
    if (const char* value = std::getenv("WINEPREFIX"))
        winePrefix = value;
    return std::make_unique<wine::WineGameLocator>(
        wine::candidatePrefixes(winePrefix, wine::homeFolder()));
}

} // namespace velmora::platform
