#pragma once

// ApplyChangedSettings: writes the editor rows that differ from the snapshot into the game's
// configuration file, one write per changed row in row order.

#include "platform/outcome.h"
#include "sets/editorlists.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::config {
class ReadModule;
}

namespace velmora::sets {

// One changed row: Form5's List4 (name), List3 (new value) and List5 (snapshot value).
struct Change {
    std::string name;
    std::string newValue;
    std::string oldValue;

    friend bool operator==(const Change&, const Change&) = default;
};

// The rows, up to the snapshot's row count, whose editor value differs from the snapshot's
// value (exact, case-sensitive), in row order.
std::vector<Change> findChanges(const EditorLists& editor, const EditorLists& snapshot);

struct GameWrite {
    std::string section;
    std::string key;
    std::string value;

    friend bool operator==(const GameWrite&, const GameWrite&) = default;
};

// Where a change goes. A driver display name (exact match) becomes its class name under
// GameRenderDevice in Engine.Engine, whatever the row; Coronas goes into `renderDevice`'s
// section, where the game keeps it; any other value is written as it is under its own key in
// WinDrv.WindowsClient.
GameWrite writeFor(const Change& change, std::string_view renderDevice);

struct ApplyResult {
    std::vector<Change> changes;
    std::size_t written = 0;          // changes written, in order
    std::size_t stoppedAt = 0;        // the change refused or failed, when !ok()
    platform::WriteOutcome outcome{}; // the refusal or the first failed write

    bool ok() const { return outcome.ok(); }
};

// Finds the changes, reads GameRenderDevice once for Coronas, then writes one change at a time
// into `utpath`. Refuses before the first write when any write would break the file's
// structure; otherwise stops at the first failed write, leaving the rest unwritten.
ApplyResult ApplyChangedSettings(config::ReadModule& module, const std::string& utpath,
                                 const EditorLists& editor, const EditorLists& snapshot);

// The message for a stopped apply: "Error when saving this item" + the stopped change's name
// + " = " + its value, a blank and the reason in parentheses.
std::string applyFailureText(const ApplyResult& result);

} // namespace velmora::sets
