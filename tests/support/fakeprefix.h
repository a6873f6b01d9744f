#pragma once

// A Wine-style prefix written into a folder, for tests that need the game to be "installed":
// system.reg with the game's Folder value, drive_c, and the dosdevices links Wine makes.

#include <string>
#include <string_view>

namespace velmora::test {

// Where the installer wrote the game's key: Software\Wow6432Node in a 64-bit prefix (as the
// game's 32-bit installer does), Software itself in a 32-bit one.
enum class RegistryView { Plain, Wow6432Node };

struct FakePrefix {
    std::string root;         // the prefix folder
    std::string systemReg;    // root/system.reg
    std::string driveC;       // root/drive_c, the target of dosdevices/c:
    std::string gameFolder;   // Unix path of a folder value on drive C (created); else empty
    std::string systemFolder; // gameFolder/System (created); else empty
};

// `text` (UTF-8) escaped as Wine writes strings in its registry files.
std::string wineEscape(std::string_view text);

// A complete system.reg whose game key holds `folder` (UTF-8) as a REG_SZ.
std::string systemRegWithFolder(std::string_view folder, RegistryView view);

// Writes a prefix into `root` (created when missing): system.reg from systemRegWithFolder,
// drive_c, dosdevices/c: -> ../drive_c and dosdevices/z: -> /. When `folder` is a path on
// drive C, that folder and its System folder are created too. Throws on a file system error.
FakePrefix writeFakePrefix(const std::string& root, std::string_view folder,
                           RegistryView view = RegistryView::Wow6432Node);

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace velmora::test
