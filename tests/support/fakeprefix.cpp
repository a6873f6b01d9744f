#include "fakeprefix.h"

#include "platform/registry_text.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

bool isHexDigit(char16_t unit)
{
    return unit < 0x80 && std::isxdigit(static_cast<int>(unit));
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

std::string wineEscape(std::string_view text)
{
    const std::u16string units = platform::utf16FromUtf8(text);
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool hexFollows = i + 1 < units.size() && isHexDigit(units[i + 1]);
        char buffer[8];
        if (unit == u'\\' || unit == u'"') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            std::snprintf(buffer, sizeof buffer, hexFollows ? "\\x%04x" : "\\x%x",
                          static_cast<unsigned>(unit));
            out += buffer;
        }
    }
    return out;
}

std::string systemRegWithFolder(std::string_view folder, RegistryView view)
{
    const bool wow = view == RegistryView::Wow6432Node;
    std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    text += wow ? "#arch=win64\n" : "#arch=win32\n";
    text += "\n[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1720000000 0\n"
            "#time=1dacd2de7618000\n\"CurrentVersion\"=\"6.1\"\n";
    text += wow ? "\n[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed "
                  "Apps\\\\UnrealTournament] 1720000000\n"
                : "\n[Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] "
                  "1720000000\n";
    text += "#time=1dacd2de7618000\n\"Folder\"=\"" + wineEscape(folder) + "\"\n";
    text += "\"Version\"=\"436\"\n";
    return text;
}

FakePrefix writeFakePrefix(const std::string& root, std::string_view folder, RegistryView view)
{
    FakePrefix prefix;
    const fs::path rootPath(root);
    prefix.root = root;
    prefix.systemReg = (rootPath / "system.reg").string();
    prefix.driveC = (rootPath / "drive_c").string();
    fs::create_directories(rootPath / "dosdevices");
    fs::create_directories(prefix.driveC);
    fs::create_symlink("../drive_c", rootPath / "dosdevices" / "c:");
    fs::create_symlink("/", rootPath / "dosdevices" / "z:");
    writeFile(prefix.systemReg, systemRegWithFolder(folder, view));
    if (folder.size() >= 2 && (folder[0] == 'C' || folder[0] == 'c') && folder[1] == ':') {
        fs::path game = prefix.driveC;
        for (std::string_view rest = folder.substr(2); !rest.empty();) {
            const std::size_t end = rest.find('\\');
            if (const auto part = rest.substr(0, end); !part.empty())
                game /= std::string(part);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        }
        fs::create_directories(game / "System");
        prefix.gameFolder = game.string();
        prefix.systemFolder = (game / "System").string();
    }
    return prefix;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (fs::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    m_path = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code error;
    fs::remove_all(m_path, error);
}

} // namespace velmora::test
