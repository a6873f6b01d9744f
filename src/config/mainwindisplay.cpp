#include "mainwindisplay.h"

#include "platform/fileio.h"
#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace velmora::config {

namespace {

constexpr double kBytesPerMb = 1048576.0;

std::int64_t roundHalfEven(double value)
{
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// The whole text as a number, spaces around it allowed; nullopt for anything else.
std::optional<std::int64_t> wholeNumber(std::string_view text)
{
    text = platform::trim(text, " ");
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    const auto value = text.size() <= 18 ? platform::decimalNumber(text) : std::nullopt;
    if (!value) {
        return std::nullopt;
    }
    const auto number = static_cast<std::int64_t>(*value);
    return negative ? -number : number;
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
    return text.find_first_of("0123456789") != std::string_view::npos;
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
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const platform::Digits digits = platform::leadingDigits(platform::trimLeft(text, " "));
    return static_cast<std::int64_t>(std::min(digits.value, kMax));
}

std::string cacheTooLargeText(std::int64_t limitMb)
{
    return "Memory value u specified is too large, maximum=" + std::to_string(limitMb) + " Mb";
}

std::vector<GameWrite> presetWrites(Preset preset, const GameSections& sections)
{
    std::vector<GameWrite> writes;
    for (const PresetStep& step : presetSteps()) {
        writes.push_back({std::string(sectionFor(step.key, sections)), std::string(step.key),
                          std::string(presetValue(step, preset))});
    }
    return writes;
}

platform::WriteOutcome writePreset(ReadModule& module, Preset preset, const std::string& file)
{
    std::string problem = module.fileProblem(file);
    if (problem.empty() && !platform::fileExists(file)) {
        problem = std::generic_category().message(ENOENT); // no device to put Coronas under
    }
    if (!problem.empty()) {
        return platform::WriteOutcome::failed(std::move(problem));
    }
    const std::vector<GameWrite> writes = presetWrites(preset, readGameSections(file));
    if (const auto refused = firstRefusedWrite(writes)) {
        return platform::WriteOutcome::refused(refused->reason);
    }
    for (const GameWrite& write : writes) {
        if (platform::WriteOutcome outcome =
                module.WriteGameValue(write.section, write.key, write.value, file);
            !outcome.ok()) {
            return outcome;
        }
    }
    return platform::WriteOutcome::written();
}

} // namespace velmora::config
