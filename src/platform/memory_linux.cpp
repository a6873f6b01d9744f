#include "fileio.h"
#include "memory.h"
#include "text.h"

#include <limits>
#include <optional>
#include <string>
#include <sys/sysinfo.h>

namespace velmora::platform {
namespace {

constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();

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
    const std::string_view text = trim(*value, " \t\r");
    const Digits amount = leadingDigits(text);
    if (amount.used == 0 || amount.overflow)
        return 0;
    const std::string_view unit = trim(text.substr(amount.used), " \t\r");
    if (unit.empty())
        return amount.value;
    if (unit == "kB" && amount.value <= kMost / 1024)
        return amount.value * 1024;
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
    return memTotalFromMeminfo(readWholeFile("/proc/meminfo").value_or(""));
}

} // namespace velmora::platform
