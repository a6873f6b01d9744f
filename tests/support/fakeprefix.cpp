#include "fakeprefix.h"

#include "platform/registry_text.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace velmora::test {

namespace fs = std::filesystem;

namespace {

// `text` (UTF-8) escaped as Wine writes strings in its registry files, in the long \x form.
std::string wineEscape(std::string_view text)
{
    std::string out;
    for (const char16_t unit : platform::utf16FromUtf8(text)) {
        char buffer[8];
        if (unit == u'\\' || unit == u'"') {
            out += {'\\', static_cast<char>(unit)};
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            std::snprintf(buffer, sizeof buffer, "\\x%04x", unsigned{unit});
            out += buffer;
        }
    }
    return out;
}

// A system.reg whose game key holds `folder` (UTF-8) as a REG_SZ.
std::string systemRegWithFolder(std::string_view folder, RegistryView view)
{
    const bool wow = view == RegistryView::Wow6432Node;
    return std::string("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=") +
           (wow ? "win64" : "win32") + "\n\n[Software\\\\" + (wow ? "Wow6432Node\\\\" : "") +
           "Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1720000000\n"
           "#time=1dacd2de7618000\n\"Folder\"=\"" +
           wineEscape(folder) + "\"\n\"Version\"=\"436\"\n";
}

} // namespace

void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush())
        throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TemporaryFolder::TemporaryFolder()
{
    // A random name rather than mkdtemp, which MinGW lacks. Open to all, so that a test's
    // child that dropped root can still enter it.
    std::random_device random;
    do
        m_path =
            (fs::temp_directory_path() / ("velmora-test-" + std::to_string(random()))).string();
    while (!fs::create_directory(m_path));
    fs::permissions(m_path, fs::perms(0755));
}

TemporaryFolder::~TemporaryFolder()
{
    // Owners may always change a mode, so a folder made unwritable by a test can be emptied.
    std::error_code error;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, error);
    for (auto it = fs::recursive_directory_iterator(m_path, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(m_path, error);
}

FakePrefix writeFakePrefix(const std::string& root, std::string_view folder, RegistryView view)
{
    const fs::path rootPath(root);
    FakePrefix prefix{root, (rootPath / "system.reg").string(), (rootPath / "drive_c").string(), "",
                      ""};
    fs::create_directories(rootPath / "dosdevices");
    fs::create_directories(prefix.driveC);
#ifndef _WIN32 // only the Linux lookup follows them; Wine cannot make them
    fs::create_symlink("../drive_c", rootPath / "dosdevices" / "c:");
    fs::create_symlink("/", rootPath / "dosdevices" / "z:");
#endif
    writeFile(prefix.systemReg, systemRegWithFolder(folder, view));
    if (folder.size() >= 2 && (folder[0] == 'C' || folder[0] == 'c') && folder[1] == ':') {
        std::string rest(folder.substr(2));
        std::replace(rest.begin(), rest.end(), '\\', '/');
        const fs::path game =
            (fs::path(prefix.driveC) / fs::path(rest).relative_path()).lexically_normal();
        fs::create_directories(game / "System");
        prefix.gameFolder = game.has_filename() ? game.string() : game.parent_path().string();
        prefix.systemFolder = prefix.gameFolder + "/System";
    }
    return prefix;
}

} // namespace velmora::test
