#pragma once

// ApplyChangedSettings: writes the editor's changed rows into the game's configuration file,
// one write per row: on a set load every row that differs from the file, on "&Update " the rows
// the player changed.

#include "config/readmodule.h"
#include "config/renderers.h"
#include "platform/outcome.h"
#include "sets/editorlists.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace velmora::sets {

// One changed row: Form5's List4 (name), List3 (new value) and List5 (the file's value).
struct Change {
    std::string name;
    std::string newValue;
    std::string oldValue;

    friend bool operator==(const Change&, const Change&) = default;
};

// The rows, up to `current`'s row count, whose editor value differs from `current`'s value
// (exact, case-sensitive), in row order; with `lastRead`, only those among them whose editor
// value also differs from `lastRead`'s, the rows the player changed. A value that is only a
// placeholder is never a change: the missing-key text "Default" in any row, empty text for
// GameRenderDevice.
std::vector<Change> findChanges(const EditorLists& editor, const EditorLists& current,
                                const EditorLists* lastRead = nullptr);

using config::GameWrite;

// Where a change goes in a file naming `sections`. GameRenderDevice, and a renderer's display
// name (exact match, of `renderers` or the driver table) in any row, go under GameRenderDevice in
// Engine.Engine, a display name as its class name and any other value as it is; Coronas goes
// into the render device's section, where the game keeps it; any other value is written as it
// is under its own key in the client's section.
GameWrite writeFor(const Change& change, const config::GameSections& sections,
                   std::span<const config::Renderer> renderers = {});

// Why an apply writes no GameRenderDevice that is not a class (config::isRendererClass).
inline constexpr std::string_view kUnknownRendererText = "This game has no renderer of that name.";

struct ApplyResult {
    std::vector<Change> changes;
    std::size_t written = 0;          // changes written, in order
    std::size_t stoppedAt = 0;        // the change refused or failed, when !ok()
    platform::WriteOutcome outcome{}; // the refusal or the first failed write

    bool ok() const { return outcome.ok(); }
};

// Reads the lists from `utpath` afresh and finds the changes against them, Coronas against the
// section of the device the game will use after the apply. Without `lastRead` (a set load) every
// row that differs from the file is a change; with it ("&Update ", `lastRead` being the lists as
// last read from the file) only the rows the player changed since, so that a row another program
// changed meanwhile keeps that program's value. Display names are those of the game's renderers
// (config::gameRenderers). Then writes one change at a time into `utpath`: a new
// GameRenderDevice first, so that Coronas goes into the new device's section, then the rest in
// row order. Refuses before the first write when any write would break the file's structure,
// name no renderer class, or put Coronas into a file that names no device; otherwise stops at
// the first failed write,
// leaving the rest unwritten.
ApplyResult ApplyChangedSettings(config::ReadModule& module, const std::string& utpath,
                                 const EditorLists& editor, const EditorLists* lastRead = nullptr);

// The game's part of the message for a stopped apply: "Error when saving this item" + the
// stopped change's name + " = " + its value (a line break written as \n, a carriage return as
// \r). The window adds a blank and the reason in parentheses, each in its own encoding.
std::string applyFailureItem(const ApplyResult& result);

} // namespace velmora::sets
