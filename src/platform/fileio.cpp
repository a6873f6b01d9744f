#include "fileio.h"

namespace velmora::platform {

std::optional<std::string> readWholeFile(const std::string& path)
{
    FileContents contents = readFile(path);
    if (!contents.ok()) {
        return std::nullopt;
    }
    return std::move(contents.bytes);
}

} // namespace velmora::platform
