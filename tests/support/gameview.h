#pragma once

// What the game itself takes from UnrealTournament.ini, read the way the game reads it and
// sharing nothing with Velmora's reader, so that a test sees what the player will get.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

// The keys of the fifteen managed settings in row order, as the game spells them.
// clang-format off
inline constexpr std::string_view kGameRowKeys[15] = {
    "FullscreenColorbits", "CurvedSurfaces", "LowDetailTextures", "SlowVideoBuffering", "Decals",
    "NoDynamicLights", "Coronas", "SkinDetail", "TextureDetail", "NoLighting",
    "MinDesiredFrameRate", "ScreenFlashes", "NoFractalAnim", "ParticleDensity", "GameRenderDevice"};
// clang-format on

// One line: its bytes with their ending, the section it lies in ("" before the first header),
// and for a line holding '=' its key and value.
struct GameLine {
    std::string text, section, key, value;
    bool header = false, setting = false;
};

// The game's rules: lines end at CR, LF or CRLF; a line whose first character is '[' and last
// is ']' opens a section, and a repeated name continues it; any other line holding '=' sets the
// key before the first '=' (kept as written) to the rest, trailing blanks and enclosing quotes
// removed. Names and keys match without regard to case; of a repeated key the last one counts.
std::vector<GameLine> gameLines(std::string_view bytes);
bool sameName(std::string_view a, std::string_view b);

// The section the game reads `key` from: Engine.Engine for GameRenderDevice, Engine.GameEngine
// for CacheSizeMegs, the device's own for Coronas (none without a device), the client's
// (ViewportManager, else WinDrv.WindowsClient) for every other key.
std::string gameSection(std::string_view bytes, std::string_view key);

// The fifteen settings, CacheSizeMegs and FullscreenViewportX/Y as the game will use them,
// each from its section; a key the game does not find is left out.
std::map<std::string, std::string> gameView(std::string_view bytes);

} // namespace velmora::test
