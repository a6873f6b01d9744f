#pragma once

// The renderers the game can use, as its own menus find them: the driver table's four, then
// every render device that a `.int` file beside the game's configuration file declares and
// whose library is installed there. One list for the main window's driver list, the editor's
// row-14 cycle and the writers of GameRenderDevice. Every call reads the folder anew.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::config {

struct Renderer {
    std::string listItem;    // item of the main window's driver list
    std::string displayName; // what the settings lists and the editor's cycle show
    std::string className;   // the value of GameRenderDevice
    bool discovered = false; // declared by a .int file rather than the driver table
};

// The renderers offered for the game whose configuration file is `gameFile`: the driver
// table's four in table order (on the native Linux game, whose [Engine.Engine]
// ViewportManager names SDLDrv.SDLClient in any case, only those whose `Package.so` is
// installed), then the renderers the `*.int` files of the file's folder declare, in the
// order of those file names (without regard to case), each class once and none of the
// four's. A `.int` file declares a renderer with an `Object=(Name=Package.Class,...,
// MetaClass=Engine.RenderDevice)` line in its [Public] section, read with the profile rules;
// it is offered only when its library lies in the folder: `Package.dll` in any case, or
// exactly `Package.so` on the native Linux game. Its display name is the ClassCaption of the
// section named after the class, else the Caption of the [Public] Preferences= line naming
// the class, else the class; a name that is already a display name or list item of the
// table, or that another discovered renderer has too, gets " (" + class + ")" after it. On the
// native Linux game with no library found at all (its ~/.utpg settings folder holds none), the
// renderer the file names is offered alone, when it is a class. A
// file that cannot be read or is not text, and a line that is not such an Object=, are
// skipped.
std::vector<Renderer> gameRenderers(const std::string& gameFile);

// What the lists show for GameRenderDevice = `className`: the display name of the renderer
// in `renderers` with exactly that class, else the driver table's display name for it, else
// `className` as read.
std::string displayNameFor(std::span<const Renderer> renderers, std::string_view className);

// The class that the display name `name` stands for: a renderer's of `renderers`, else the
// driver table's (exact matches); nullopt when it names none.
std::optional<std::string> classFor(std::span<const Renderer> renderers, std::string_view name);

// Whether `text` has the form of a class the game can load, `Package.Class`: two names of
// letters, digits and '_' joined by one dot.
bool isRendererClass(std::string_view text);

// The values the editor's row 14 steps through: the display names of `renderers`, the table's
// in the editor's own order (Direct 3D, OpenGl, Glide, Software) and then the discovered ones
// in list order, then the
// renderer that the game's file names (`fileClass`, shown as displayNameFor shows it) when it
// is not among them, so that the cycle can leave it and come back. A missing ("Default") or
// empty value names no renderer.
std::vector<std::string> deviceCycle(std::span<const Renderer> renderers,
                                     std::string_view fileClass);

// deviceCycle for the game's file as it is now: its renderers and its GameRenderDevice.
std::vector<std::string> deviceCycle(const std::string& gameFile);

// The row-14 value a setting set stores for the value `shown`: a discovered renderer's class,
// so that the set loads the same where that .int file is missing; anything else as shown.
std::string storedDeviceValue(std::span<const Renderer> renderers, std::string_view shown);

} // namespace velmora::config
