#pragma once

// What the editor windows are given at construction.

#include <functional>
#include <string>

namespace velmora::config {
class ReadModule;
}

namespace velmora::toolkit {
class DialogService;
}

namespace velmora::editor {

struct EditorServices {
    toolkit::DialogService& dialogs;
    config::ReadModule& readModule;
    // The main window's Utpath, asked for at every read and write of the game's file.
    std::function<std::string()> Utpath;
    // The process's working folder, where Velmora.ini lives; asked for at every activation.
    std::function<std::string()> currentDirectory;
    // Shows the main window's check mark, the sign that the game's file took the changes.
    std::function<void()> showAppliedMark;
};

} // namespace velmora::editor
