#pragma once

// The settings catalogue: every section, key and value of UnrealTournament.ini that Velmora
// reads or writes, as data. Names belong to the game and are spelled as it spells them.
// Every comparison of values is exact and case-sensitive.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::config {

inline constexpr std::string_view kWindowsClient = "WinDrv.WindowsClient";
inline constexpr std::string_view kSdlClient = "SDLDrv.SDLClient";
inline constexpr std::string_view kEngine = "Engine.Engine";
inline constexpr std::string_view kGameEngine = "Engine.GameEngine";

inline constexpr std::string_view kGameRenderDevice = "GameRenderDevice";
inline constexpr std::string_view kViewportManager = "ViewportManager";
inline constexpr std::string_view kCacheSizeMegs = "CacheSizeMegs";
inline constexpr std::string_view kFullscreenViewportX = "FullscreenViewportX";
inline constexpr std::string_view kFullscreenViewportY = "FullscreenViewportY";

// Where a key lives. The client's section and the render device's section are named in
// Engine.Engine: the client by ViewportManager, the device (which the game reads Coronas from)
// by GameRenderDevice.
enum class SectionKind { Client, RenderDevice, Engine, GameEngine };

// The two sections a game file names for itself.
struct GameSections {
    std::string_view client = kWindowsClient;
    std::string renderDevice; // empty when the file names no renderer: nothing goes there
};

// Whether two class names are the same for the game, which ignores letter case (ASCII).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// The client section for a ViewportManager value: kSdlClient when it names that class (in any
// letter case, as the game compares class names), else kWindowsClient.
std::string_view clientSectionFor(std::string_view viewportManager);

enum class EditKind {
    Cycle,     // each selection steps to the next value of the row's cycle
    FrameRate, // typed into the two-character entry box
    Particles, // typed into the one-character entry box
};

struct SettingRow {
    std::string_view key;
    SectionKind section;
    EditKind edit;
    std::span<const std::string_view> cycle; // empty for typed rows
};

inline constexpr std::size_t kRowCount = 15;
inline constexpr std::size_t kFrameRateRow = 10;
inline constexpr std::size_t kParticleRow = 13;
inline constexpr std::size_t kDeviceRow = 14;

// The fifteen managed settings in list order (row 0 to row 14).
const std::array<SettingRow, kRowCount>& settingRows();

// The render device's section for a GameRenderDevice value: the value itself, or the empty
// section when it is "Default" in any letter case, which is what a read of a missing key gives
// and the name of no device.
std::string deviceSectionFor(std::string_view renderDevice);

// The section that holds keys of `kind` in a file naming `sections`.
std::string_view sectionFor(SectionKind kind, const GameSections& sections);
// The section that holds `key`: a row's, the cache size's, or the client's for any other key.
std::string_view sectionFor(std::string_view key, const GameSections& sections);

// The next value of `row`'s edit cycle after `current`; nullopt when `current` is not in the
// cycle or the row is typed. The device row steps through `deviceCycle`, the game's renderers
// (renderers.h), and does not step without it.
std::optional<std::string_view> nextInCycle(std::size_t row, std::string_view current,
                                            std::span<const std::string> deviceCycle = {});

// ---- drivers ----------------------------------------------------------------------------

struct Driver {
    std::string_view listItem;    // item of the main window's driver list
    std::string_view displayName; // what the settings lists and the editor's cycle show
    std::string_view className;   // the value of GameRenderDevice
};

inline constexpr std::string_view kSelectDriver = "<<Select driver>>";

// The table, in the order of the main window's driver list, after its prompt. The renderers
// the game has beyond it are found in its folder (renderers.h).
const std::array<Driver, 4>& drivers();

// The display name for a GameRenderDevice value, or the value itself when it names no
// driver of the table (including GlideDrv.GlideRender, which the game cannot load).
std::string_view displayNameForClass(std::string_view className);

std::optional<std::string_view> classForListItem(std::string_view listItem);
std::optional<std::string_view> classForDisplayName(std::string_view displayName);

// ---- resolutions ------------------------------------------------------------------------

struct Resolution {
    std::string_view listItem;
    int width;
    int height;
};

inline constexpr std::string_view kSelectResolution = "<<Select Resolution>>";

struct ResolutionChoice {
    std::string listItem;
    int width;
    int height;
};

// The resolution list after its prompt: the seven sizes above, the common widescreen sizes,
// then the screen's own size (`screenWidth` by `screenHeight` pixels) when it is not among
// them and both are positive.
std::vector<ResolutionChoice> resolutionChoices(int screenWidth, int screenHeight);

// ---- presets ----------------------------------------------------------------------------

// A step writes its key into the section sectionFor(key) names, as the editor reads it.
struct PresetStep {
    std::string_view key;
    std::string_view slowValue;
    std::string_view fastValue;
};

enum class Preset { Slow, Fast };

// The nine writes of a preset, in write order.
const std::array<PresetStep, 9>& presetSteps();

std::string_view presetValue(const PresetStep& step, Preset preset);

} // namespace velmora::config
