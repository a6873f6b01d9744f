#pragma once

// A fresh folder per test, removed afterwards, with whole-file helpers that keep every byte.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace velmora::test {

class Scratch {
public:
    Scratch()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora-sets-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "mkdtemp failed";
        }
        m_dir = pattern;
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    static void write(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::string fixture(const std::string& name)
    {
        return read(std::string(VELMORA_TESTDATA) + "/ut-ini/" + name);
    }

private:
    std::filesystem::path m_dir;
};

} // namespace velmora::test
