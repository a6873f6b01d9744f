#pragma once

#include <QString>

namespace velmora::ui {
class DialogService;
class DocumentOpener;
} // namespace velmora::ui

namespace velmora::mainwin {

// Opens the help document `path` with the desktop; when that fails, a critical message
// names the path.
void OpenHelpFile(ui::DocumentOpener& opener, ui::DialogService& dialogs, const QString& path);

} // namespace velmora::mainwin
