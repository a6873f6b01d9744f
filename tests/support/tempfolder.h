#pragma once

// A new empty folder under the system's temporary folder for one test, removed with the
// object. Portable, so the same tests build for Linux and for Windows.

#include <filesystem>
#include <random>
#include <string>

namespace velmora::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "velmora-test-")
    {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (;;) {
            m_path = base / (prefix + std::to_string(random()));
            if (std::filesystem::create_directory(m_path)) {
                return;
            }
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& path() const { return m_path; }
    // `name` inside the folder, as this system writes paths.
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

} // namespace velmora::test
