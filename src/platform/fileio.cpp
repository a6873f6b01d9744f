#include "fileio.h"

#include "text.h"

namespace velmora::platform {

std::optional<std::string> readWholeFile(const std::string& path)
{
    FileContents contents = readFile(path);
    if (!contents.ok()) {
        return std::nullopt;
    }
    return std::move(contents.bytes);
}

std::optional<std::uint64_t> temporaryWriter(std::string_view name)
{
    constexpr std::string_view kMark = ".velmora-";
    const std::size_t mark = name.rfind(kMark);
    if (!name.starts_with('.') || mark == std::string_view::npos || mark == 0) {
        return std::nullopt;
    }
    const std::string_view rest = name.substr(mark + kMark.size());
    const Digits writer = leadingDigits(rest);
    const std::string_view count = rest.substr(writer.used);
    if (writer.used == 0 || writer.overflow || !count.starts_with('-') ||
        !decimalNumber(count.substr(1))) {
        return std::nullopt;
    }
    return writer.value;
}

} // namespace velmora::platform
