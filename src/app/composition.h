#pragma once

// The composition root: every window, the services it is built with and the seams between
// windows, in one place, so that main() and the tests register the same factories.

#include "config/gameconfig.h"

namespace velmora::backup {
class BackupSession;
}

namespace velmora::platform {
class GameLocator;
class SystemInfo;
} // namespace velmora::platform

namespace velmora::config {
class ReadModule;
}

namespace velmora::toolkit {
class DialogService;
class DocumentOpener;
class WindowRegistry;
} // namespace velmora::toolkit

namespace velmora::app {

struct Services {
    toolkit::DialogService& dialogs;
    toolkit::DocumentOpener& documents;
    const platform::GameLocator& locator;
    const platform::SystemInfo& system;
    config::ReadModule& readModule;
    config::GameConfigRequest request = {};   // the command line's file, the native game's
    backup::BackupSession* backups = nullptr; // none: no backups and no "Restore..."
};

// Registers frmSplash, Frmmain, frmAbout and the editor's windows (Form4, Form5, frmload), and
// with `services.backups` makes every write of the game's file keep a copy of it first (a
// failure to keep one is the write's, with the reason). `services` must outlive the
// registry's windows. Registering again replaces the factories; loaded windows stay usable.
void registerWindows(toolkit::WindowRegistry& registry, const Services& services);

} // namespace velmora::app
