#include "meminfo.h"
#include "memory.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <sys/sysinfo.h>

namespace velmora::platform {
namespace {

constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();

std::string_view trimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The text after `label` on the line that starts with it; nullopt when there is none.
std::optional<std::string_view> lineValue(std::string_view text, std::string_view label)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (line.starts_with(label))
            return line.substr(label.size());
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return std::nullopt;
}

} // namespace

std::uint64_t memTotalFromMeminfo(std::string_view meminfo)
{
    const auto value = lineValue(meminfo, "MemTotal:");
    if (!value)
        return 0;
    const std::string_view text = trimBlanks(*value);
    std::uint64_t amount = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), amount);
    if (error != std::errc() || rest == text.data())
        return 0;
    const std::string_view unit =
        trimBlanks(text.substr(static_cast<std::size_t>(rest - text.data())));
    if (unit.empty())
        return amount;
    if (unit == "kB" && amount <= kMost / 1024)
        return amount * 1024;
    return 0;
}

std::uint64_t sysinfoTotalBytes(std::uint64_t totalRam, std::uint64_t memUnit)
{
    if (memUnit != 0 && totalRam > kMost / memUnit)
        return kMost;
    return totalRam * memUnit;
}

std::uint64_t totalPhysicalMemory()
{
    struct sysinfo info {};
    if (sysinfo(&info) == 0) {
        // Kernels before 2.3.23 leave mem_unit 0 and count in bytes.
        const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
        if (const std::uint64_t total = sysinfoTotalBytes(info.totalram, unit); total != 0)
            return total;
    }
    // /proc files report a size of 0, so they are read as a stream.
    std::ifstream file("/proc/meminfo");
    const std::string meminfo{std::istreambuf_iterator<char>(file),
                              std::istreambuf_iterator<char>()};
    return memTotalFromMeminfo(meminfo);
}

} // namespace velmora::platform
