#include "catalogue.h"

#include "readmodule.h"

#include <algorithm>

namespace velmora::config {
namespace {

using namespace std::string_view_literals;

constexpr std::array kColourBits = {"16"sv, "32"sv};
constexpr std::array kBoolean = {"True"sv, "False"sv};
// The detail cycle steps High, Low, Medium: not in order of size.
constexpr std::array kDetail = {"High"sv, "Low"sv, "Medium"sv};
// The table's display names, in list order; the editor steps through the game's renderers.
constexpr std::array kDriverNames = {"Software"sv, "Glide"sv, "OpenGl"sv, "Direct 3D"sv};

constexpr SettingRow cycleRow(std::string_view key, std::span<const std::string_view> cycle,
                              SectionKind section = SectionKind::Client)
{
    return {key, section, EditKind::Cycle, cycle};
}

constexpr SettingRow typedRow(std::string_view key, EditKind edit)
{
    return {key, SectionKind::Client, edit, {}};
}

constexpr std::array<SettingRow, kRowCount> kRows = {{
    cycleRow("FullscreenColorbits", kColourBits),
    cycleRow("CurvedSurfaces", kBoolean),
    cycleRow("LowDetailTextures", kBoolean),
    cycleRow("SlowVideoBuffering", kBoolean),
    cycleRow("Decals", kBoolean),
    cycleRow("NoDynamicLights", kBoolean),
    // The game keeps Coronas with the render device's own settings.
    cycleRow("Coronas", kBoolean, SectionKind::RenderDevice),
    cycleRow("SkinDetail", kDetail),
    cycleRow("TextureDetail", kDetail),
    cycleRow("NoLighting", kBoolean),
    typedRow("MinDesiredFrameRate", EditKind::FrameRate),
    cycleRow("ScreenFlashes", kBoolean),
    cycleRow("NoFractalAnim", kBoolean),
    typedRow("ParticleDensity", EditKind::Particles),
    cycleRow(kGameRenderDevice, kDriverNames, SectionKind::Engine),
}};

// GlideDrv.GlideRenderDevice is the class the game loads; the shorter GlideDrv.GlideRender
// exists in no game and would leave the game without a renderer.
constexpr std::array<Driver, 4> kDrivers = {{
    {"SoftwareRender", "Software", "SoftDrv.SoftwareRenderDevice"},
    {"GlideRender", "Glide", "GlideDrv.GlideRenderDevice"},
    {"OpenGLRender", "OpenGl", "OpenGLDrv.OpenGLRenderDevice"},
    {"Direct 3D", "Direct 3D", "D3DDrv.D3DRenderDevice"},
}};

constexpr std::array<Resolution, 7> kResolutions = {{
    {"640*400", 640, 400},
    {"640*480", 640, 480},
    {"800*600", 800, 600},
    {"1024*768", 1024, 768},
    {"1152*864", 1152, 864},
    {"1280*1024", 1280, 1024},
    {"1600*1200", 1600, 1200},
}};

constexpr std::array<Resolution, 6> kWideResolutions = {{
    {"1280*720", 1280, 720},
    {"1366*768", 1366, 768},
    {"1600*900", 1600, 900},
    {"1920*1080", 1920, 1080},
    {"2560*1440", 2560, 1440},
    {"3840*2160", 3840, 2160},
}};

// Both presets write the game's own keys; Fast system keeps 16-bit colour, no decals and no
// dynamic lights, as it always has.
constexpr std::array<PresetStep, 9> kPresetSteps = {{
    {"FullscreenColorbits", "16", "16"},
    {"CurvedSurfaces", "False", "True"},
    {"LowDetailTextures", "True", "False"},
    {"Decals", "False", "False"},
    {"NoDynamicLights", "True", "True"},
    {"SlowVideoBuffering", "False", "False"},
    {"SkinDetail", "Low", "High"},
    {"Texturedetail", "Low", "High"},
    {"Coronas", "False", "True"},
}};

const Driver* driverWhere(std::string_view Driver::*field, std::string_view text)
{
    const auto found = std::ranges::find(kDrivers, text, field);
    return found != kDrivers.end() ? &*found : nullptr;
}

std::optional<std::string_view> classWhere(std::string_view Driver::*field, std::string_view text)
{
    const Driver* driver = driverWhere(field, text);
    return driver != nullptr ? std::optional(driver->className) : std::nullopt;
}

} // namespace

const std::array<SettingRow, kRowCount>& settingRows()
{
    return kRows;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::ranges::equal(a, b, {}, lower, lower);
}

std::string_view clientSectionFor(std::string_view viewportManager)
{
    return equalIgnoringCase(viewportManager, kSdlClient) ? kSdlClient : kWindowsClient;
}

std::string deviceSectionFor(std::string_view renderDevice)
{
    return equalIgnoringCase(renderDevice, ReadModule::kDefault) ? std::string()
                                                                 : std::string(renderDevice);
}

std::string_view sectionFor(SectionKind kind, const GameSections& sections)
{
    switch (kind) {
    case SectionKind::Client:
        return sections.client;
    case SectionKind::RenderDevice:
        return sections.renderDevice;
    case SectionKind::Engine:
        return kEngine;
    case SectionKind::GameEngine:
        return kGameEngine;
    }
    return sections.client;
}

std::string_view sectionFor(std::string_view key, const GameSections& sections)
{
    if (key == kCacheSizeMegs) {
        return kGameEngine;
    }
    const auto row = std::ranges::find(kRows, key, &SettingRow::key);
    return sectionFor(row != kRows.end() ? row->section : SectionKind::Client, sections);
}

std::optional<std::string_view> nextInCycle(std::size_t row, std::string_view current,
                                            std::span<const std::string> deviceCycle)
{
    if (row >= kRowCount)
        return std::nullopt;
    std::vector<std::string_view> cycle(kRows[row].cycle.begin(), kRows[row].cycle.end());
    if (row == kDeviceRow)
        cycle.assign(deviceCycle.begin(), deviceCycle.end());
    const auto found = std::ranges::find(cycle, current);
    if (found == cycle.end())
        return std::nullopt;
    const auto next = std::next(found);
    return next == cycle.end() ? cycle.front() : *next;
}

const std::array<Driver, 4>& drivers()
{
    return kDrivers;
}

std::string_view displayNameForClass(std::string_view className)
{
    const Driver* driver = driverWhere(&Driver::className, className);
    return driver != nullptr ? driver->displayName : className;
}

std::optional<std::string_view> classForListItem(std::string_view listItem)
{
    return classWhere(&Driver::listItem, listItem);
}

std::optional<std::string_view> classForDisplayName(std::string_view displayName)
{
    return classWhere(&Driver::displayName, displayName);
}

std::vector<ResolutionChoice> resolutionChoices(int screenWidth, int screenHeight)
{
    std::vector<ResolutionChoice> choices;
    for (const std::span<const Resolution> table :
         {std::span<const Resolution>(kResolutions), std::span<const Resolution>(kWideResolutions)})
        for (const Resolution& size : table)
            choices.push_back({std::string(size.listItem), size.width, size.height});
    const bool listed = std::ranges::any_of(choices, [&](const ResolutionChoice& choice) {
        return choice.width == screenWidth && choice.height == screenHeight;
    });
    if (!listed && screenWidth > 0 && screenHeight > 0)
        choices.push_back({std::to_string(screenWidth) + "*" + std::to_string(screenHeight),
                           screenWidth, screenHeight});
    return choices;
}

const std::array<PresetStep, 9>& presetSteps()
{
    return kPresetSteps;
}

std::string_view presetValue(const PresetStep& step, Preset preset)
{
    return preset == Preset::Slow ? step.slowValue : step.fastValue;
}

} // namespace velmora::config
