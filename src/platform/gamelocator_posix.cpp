#include "gamelocator_posix.h"

#include "dosdevices.h"
#include "fileio.h"
#include "registry_text.h"
#include "systeminfo.h"
#include "wineprefixes.h"

#include <cstdlib>
#include <filesystem>

namespace velmora::platform::wine {
namespace {

namespace fs = std::filesystem;

// The 32-bit view of the game's key in a 64-bit prefix.
constexpr const char* kWowGameRegistryKey =
    "Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\UnrealTournament";

} // namespace

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

} // namespace velmora::platform::wine

namespace velmora::platform {

std::unique_ptr<GameLocator> makeSystemGameLocator()
{
    std::optional<std::string_view> winePrefix;
    if (const char* value = std::getenv("WINEPREFIX"))
        winePrefix = value;
    return std::make_unique<wine::WineGameLocator>(
        wine::candidatePrefixes(winePrefix, homeFolder()));
}

} // namespace velmora::platform
