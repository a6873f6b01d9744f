#pragma once

// A fresh folder per test, removed afterwards, and whole-file helpers that keep every byte.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace velmora::test {

struct Scratch {
    Scratch()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-XXXXXX").string();
        dir = ::mkdtemp(pattern.data()) != nullptr ? pattern : "";
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string path(const std::string& name) const { return dir + "/" + name; }

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

    std::string dir;
};

} // namespace velmora::test
