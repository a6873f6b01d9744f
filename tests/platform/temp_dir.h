#pragma once

// A fresh folder per test, removed with everything in it afterwards.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::platform::testing_support {

class TempDir {
public:
    TempDir()
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "velmora-" + std::to_string(::getpid()) + "-" + test->name();
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        m_root = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(std::string_view name) const { return (m_root / name).string(); }
    const std::filesystem::path& root() const { return m_root; }

    static void put(const std::string& file, std::string_view bytes)
    {
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path m_root;
};

} // namespace velmora::platform::testing_support
