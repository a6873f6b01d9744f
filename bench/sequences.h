#pragma once

// The windows' file traffic without the windows: the same ReadModule calls, in the same
// order, that a refresh, a preset, a save or an apply makes, so they can be timed without Qt.

#include "config/catalogue.h"
#include "config/readmodule.h"

#include <array>
#include <string>

namespace velmora::bench {

// What one operation cost in file traffic: a write that found the value already there
// only read the file.
struct Traffic {
    int reads = 0;
    int writes = 0;
};

using RowValues = std::array<std::string, config::kRowCount>;

struct MainView {
    RowValues rows;
    int width = 0;
    int height = 0;
    std::string cache;
};

// The main window's `leesman`: the render device read uncounted first (row 6 is read from
// its section), rows 0 to 14 and the two viewport keys counted, then CacheSizeMegs.
Traffic mainRefresh(config::ReadModule& module, const std::string& file, MainView& view);

// The editor's `lees`: rows 0 to 5, the render device uncounted, rows 6 to 14.
Traffic editorRefresh(config::ReadModule& module, const std::string& file, RowValues& rows,
                      std::string& device);

// A quick preset: the render device read, then the nine writes in order.
Traffic applyPreset(config::ReadModule& module, const std::string& file, config::Preset preset);

// Two sets of editor values that differ in every row, so an apply writes all fifteen.
RowValues editorValues(bool alternate);

// The editor's apply of `rows` over a snapshot that differs in every row: fifteen writes,
// then the editor's refresh.
Traffic applyChanges(config::ReadModule& module, const std::string& file, const RowValues& rows);

// Saving the editor's values as a new set in the store at `store`: the count read, the
// count written, then the name and the fifteen rows.
Traffic saveSet(const std::string& store, const std::string& name, const RowValues& rows);

} // namespace velmora::bench
