#pragma once

// Writing test files byte for byte, and naming files in a test's folder.

#include <fstream>
#include <string>
#include <string_view>

namespace velmora::test {

// Writes exactly `bytes` to `path`, replacing what was there.
inline void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// `name` inside `folder`.
inline std::string inFolder(const std::string& folder, std::string_view name)
{
    return folder + "/" + std::string(name);
}

} // namespace velmora::test
