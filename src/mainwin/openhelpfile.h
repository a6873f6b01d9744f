#pragma once

#include <QString>

namespace velmora::platform::ui {
class DialogService;
class DocumentOpener;
} // namespace velmora::platform::ui

namespace velmora::mainwin {

// Opens the help document `path` with the desktop; when that fails, a critical message
// names the path.
void OpenHelpFile(platform::ui::DocumentOpener& opener, platform::ui::DialogService& dialogs,
                  const QString& path);

} // namespace velmora::mainwin
