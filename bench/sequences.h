#pragma once

// The main window's file traffic without the window: the same ReadModule calls, in the same
// order, that its refresh and its presets make, so they can be timed without Qt. The editor's
// refresh, apply and save are timed through the sets library itself.

#include "config/catalogue.h"
#include "config/readmodule.h"
#include "sets/editorlists.h"

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

// A preset: the render device read, then the nine writes in order.
Traffic applyPreset(config::ReadModule& module, const std::string& file, config::Preset preset);

// Editor lists holding every row's name and one of two values that differ in every row, so
// that an apply of one over the other changes all fifteen.
sets::EditorLists editorValues(bool alternate);

// The traffic an apply of `editor` will make on the file now holding `contents`, whose lists
// read as `snapshot`, found on a copy in memory: the fresh read of the lists, the device read, a
// read for each write that will find its value already there, a write for each that changes the
// file, and the editor's refresh.
Traffic applyTraffic(const std::string& contents, const sets::EditorLists& editor,
                     const sets::EditorLists& snapshot);

} // namespace velmora::bench
