#pragma once

// Temporary folders, byte-exact files and Wine-style prefixes, for tests of every layer.

#include <string>
#include <string_view>

namespace velmora::test {

// Writes exactly `bytes` to `path`, replacing what was there. Throws when it cannot.
void writeFile(const std::string& path, std::string_view bytes);

// Every byte of the file at `path`; empty when it cannot be read.
std::string readFile(const std::string& path);

// A fresh folder under the system's temporary folder that an unprivileged child can enter,
// removed with everything in it, even folders a test made unwritable.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

// A file `name` in a fresh folder of its own, holding `bytes` unless they are
// "(absent)", as the tables write a missing file.
struct FolderFile {
    FolderFile(std::string_view name, std::string_view bytes) : path(folder.file(name))
    {
        if (bytes != "(absent)")
            writeFile(path, bytes);
    }

    const TemporaryFolder folder;
    const std::string path;
};

// Where the installer wrote the game's key: Software\Wow6432Node in a 64-bit prefix, as the
// game's 32-bit installer does, or Software itself in a 32-bit one.
enum class RegistryView { Plain, Wow6432Node };

struct FakePrefix {
    std::string root, systemReg, driveC;
    std::string gameFolder, systemFolder; // Unix paths of a folder on drive C and its System
};

// A prefix in `root` with system.reg, drive_c and the c: and z: links Wine makes. When `folder`
// is on drive C, it and its System folder are created too.
FakePrefix writeFakePrefix(const std::string& root, std::string_view folder,
                           RegistryView view = RegistryView::Wow6432Node);

} // namespace velmora::test
