#include "mainwindisplay.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace velmora::config {

namespace {

constexpr double kBytesPerMb = 1048576.0;

std::int64_t roundHalfEven(double value)
{
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// The whole text as a number, blanks around it allowed; nullopt for anything else.
std::optional<std::int64_t> wholeNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char ch : text) {
        if (!isDigit(ch)) {
            return std::nullopt;
        }
        value = value * 10 + (ch - '0');
    }
    return negative ? -value : value;
}

std::string numberOrText(std::string_view text)
{
    const std::optional<std::int64_t> number = wholeNumber(text);
    return number ? std::to_string(*number) : std::string(text);
}

} // namespace

MemoryFigures memoryFigures(std::uint64_t totalBytes)
{
    const double mb = static_cast<double>(totalBytes) / kBytesPerMb;
    return {roundHalfEven(mb), std::min(roundHalfEven(mb * 3 / 4), kSuggestedCacheMaxMb)};
}

std::int64_t cacheLimitMb(std::int64_t detectedMb)
{
    return std::min(detectedMb, kGameCacheMaxMb);
}

bool cacheSizeGiven(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), isDigit);
}

std::string blankSignedNumber(std::int64_t number)
{
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

std::string memoryPanelText(std::int64_t detectedMb)
{
    return " " + std::to_string(detectedMb) + "Mb";
}

std::string cachePanelText(std::string_view cacheSizeMegs)
{
    return " " + std::string(cacheSizeMegs) + "Mb";
}

std::string resolutionPanelText(std::string_view width, std::string_view height)
{
    return numberOrText(width) + " x " + numberOrText(height);
}

std::int64_t cacheSizeValue(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return 0;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (std::size_t i = first; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (value > (kMax - digit) / 10) {
            return kMax;
        }
        value = value * 10 + digit;
    }
    return value;
}

std::string cacheTooLargeText(std::int64_t limitMb)
{
    return "Memory value u specified is too large, maximum=" + std::to_string(limitMb) + " Mb";
}

std::vector<GameWrite> presetWrites(Preset preset, std::string_view renderDevice)
{
    std::vector<GameWrite> writes;
    for (const PresetStep& step : presetSteps()) {
        std::string_view section = kWindowsClient;
        if (step.section == SectionKind::RenderDevice) {
            section = renderDevice;
        } else if (step.section == SectionKind::Engine) {
            section = kEngine;
        }
        writes.push_back(
            {std::string(section), std::string(step.key), std::string(presetValue(step, preset))});
    }
    return writes;
}

} // namespace velmora::config
