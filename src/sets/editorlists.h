#pragma once

// The editor's two parallel lists as plain text, and the fill operation that reads them
// from the game's configuration file.

#include "config/catalogue.h"

#include <string>
#include <vector>

namespace velmora::config {
class ReadModule;
}

namespace velmora::sets {

// Names (keys) and values of the editor's rows, matched by index.
struct EditorLists {
    std::vector<std::string> names;
    std::vector<std::string> values;

    friend bool operator==(const EditorLists&, const EditorLists&) = default;
};

// The work of `lees`: the fifteen rows read from `utpath` in row order with counted reads, each
// from the section the game reads it from (config::readGameSections, read first): Coronas from
// the render device's, the client's keys from the client's. Row 14 shows the renderer's display
// name (config::displayNameFor). A missing key reads as "Default". Leaves `module.ReadCount` at
// 0. The file is re-read on every call.
EditorLists readEditorLists(config::ReadModule& module, const std::string& utpath);

// The same with the rows read from `sections` rather than from those the file names now.
EditorLists readEditorLists(config::ReadModule& module, const std::string& utpath,
                            const config::GameSections& sections);

} // namespace velmora::sets
